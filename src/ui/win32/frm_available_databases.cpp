#include "ui/win32/frm_available_databases.h"

#include "ui/win32/modal_dialog.h"

namespace bw::ui {
namespace {

constexpr int kDatabases = 100;  // lbxDatabases

class AvailableDatabasesDialog final : public ModalDialog {
public:
  explicit AvailableDatabasesDialog(const std::vector<std::string>& names) : names_(names) {}

  std::optional<std::string> Show(HWND owner) {
    if (Run(owner, WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME, 0, "Available Databases") != IDOK)
      return std::nullopt;
    return picked_;
  }

private:
  bool OnInit() override {
    SetClientSize(218, 256);
    const HWND list = AddControl("LISTBOX", "", WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT,
                                 WS_EX_CLIENTEDGE, kDatabases, 8, 8, 202, 207);
    for (const auto& name : names_) SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
    AddControl("BUTTON", "OK", WS_TABSTOP | BS_DEFPUSHBUTTON, 0, IDOK, 56, 223, 75, 25);
    AddControl("BUTTON", "Cancel", WS_TABSTOP | BS_PUSHBUTTON, 0, IDCANCEL, 135, 223, 75, 25);
    CentreOnScreen();
    ComeToFront();
    SetFocus(list);
    return false;
  }

  bool OnMessage(UINT message, WPARAM wParam, LPARAM) override {
    if (message != WM_COMMAND) return false;
    const bool doubleClick = LOWORD(wParam) == kDatabases && HIWORD(wParam) == LBN_DBLCLK;
    if (LOWORD(wParam) == IDOK || doubleClick) {
      picked_ = SelectedLine();
      End(IDOK);
      return true;
    }
    if (LOWORD(wParam) == IDCANCEL) {
      End(IDCANCEL);
      return true;
    }
    return false;
  }

  std::string SelectedLine() const {
    const HWND list = Item(kDatabases);
    const LRESULT selected = SendMessageA(list, LB_GETCURSEL, 0, 0);
    if (selected == LB_ERR) return {};
    const LRESULT length = SendMessageA(list, LB_GETTEXTLEN, static_cast<WPARAM>(selected), 0);
    if (length == LB_ERR) return {};
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    SendMessageA(list, LB_GETTEXT, static_cast<WPARAM>(selected), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(length));
    return text;
  }

  const std::vector<std::string>& names_;
  std::string picked_;
};

}  // namespace

std::optional<std::string> TfrmAvailableDatabases::Pick(const std::vector<std::string>& names) {
  AvailableDatabasesDialog dialog(names);
  return dialog.Show(owner_);
}

}  // namespace bw::ui
