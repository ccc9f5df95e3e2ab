#include "ui/win32/frm_ask_var.h"

#include "ui/win32/modal_dialog.h"

namespace bw::ui {
namespace {

constexpr int kVarName = 100;   // lblVarName
constexpr int kVarValue = 101;  // edtVarValue

class AskVarDialog final : public ModalDialog {
public:
  AskVarDialog(std::string_view name, std::string_view offered) : name_(name), value_(offered) {}

  std::optional<std::string> Ask(HWND owner) {
    if (Run(owner, WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME, 0, "Enter a value for...") != IDOK)
      return std::nullopt;
    return value_;
  }

private:
  bool OnInit() override {
    SetClientSize(336, 105);
    AddControl("STATIC", name_.c_str(), SS_LEFT | SS_NOPREFIX | SS_ENDELLIPSIS, 0, kVarName, 8, 12, 320, 16);
    const HWND edit = AddControl("EDIT", value_.c_str(), WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE,
                                 kVarValue, 8, 32, 320, 23);
    SendMessageA(edit, EM_SETLIMITTEXT, 0, 0);  // no length limit
    AddControl("BUTTON", "OK", WS_TABSTOP | BS_DEFPUSHBUTTON, 0, IDOK, 172, 72, 75, 25);
    AddControl("BUTTON", "Cancel", WS_TABSTOP | BS_PUSHBUTTON, 0, IDCANCEL, 253, 72, 75, 25);
    CentreOnScreen();
    ComeToFront();
    SetFocus(edit);
    SendMessageA(edit, EM_SETSEL, 0, -1);
    return false;
  }

  bool OnMessage(UINT message, WPARAM wParam, LPARAM) override {
    if (message != WM_COMMAND) return false;
    switch (LOWORD(wParam)) {
      case IDOK:
        value_ = WindowText(Item(kVarValue));
        End(IDOK);
        return true;
      case IDCANCEL:
        End(IDCANCEL);
        return true;
      default:
        return false;
    }
  }

  std::string name_;
  std::string value_;
};

}  // namespace

std::optional<std::string> TfrmAskVar::AskVariable(std::string_view name, std::string_view offered) {
  AskVarDialog dialog(name, offered);
  return dialog.Ask(owner_);
}

}  // namespace bw::ui
