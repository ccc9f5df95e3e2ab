#include "ui/win32/frm_client_advanced.h"

#include <commctrl.h>

#include <optional>
#include <string>

#include "launch/navision_item_dialog.h"
#include "ui/win32/modal_dialog.h"

namespace bw::ui {
namespace {

constexpr int kClientWidth = 360;
constexpr int kClientHeight = 236;
constexpr int kLabelBase = 200;  // the label of control N is 200 + N
constexpr int kLabelLeft = 16, kLabelWidth = 118, kFieldLeft = 136, kFieldWidth = 208;
constexpr UINT_PTR kFieldSubclass = 1;

struct Place {
  int top, width;
};

// Positions at 96 dots per inch, in the order of AdvancedControl (the tab order).
constexpr Place kPlaces[kAdvancedControlCount] = {
    {20, kFieldWidth}, {45, kFieldWidth}, {70, 60}, {95, kFieldWidth}, {126, 250}, {149, 250}, {175, kFieldWidth},
};

std::optional<AdvancedControl> ControlOfId(int id) {
  if (id < 100 || id >= 100 + static_cast<int>(kAdvancedControlCount)) return std::nullopt;
  return static_cast<AdvancedControl>(id - 100);
}

class ClientAdvancedWindow final : public ModalDialog {
public:
  ClientAdvancedWindow(ClientAdvancedDialog& logic, const std::function<void(int)>& showHelp)
      : logic_(logic), showHelp_(showHelp) {}

  bool Show(HWND owner) {
    owner_ = owner;
    return Run(owner, WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME, 0, std::string(kAdvancedCaption)) == IDOK;
  }

private:
  bool OnInit() override {
    SetClientSize(kClientWidth, kClientHeight);
    AddControl("BUTTON", "", BS_GROUPBOX, 0, 300, 8, 4, 344, 196);
    for (const AdvancedControlSpec& spec : kAdvancedControls) {
      const Place place = kPlaces[static_cast<std::size_t>(spec.control)];
      const int id = AdvancedControlId(spec.control);
      const std::string caption(spec.caption);
      HWND window = nullptr;
      if (spec.checkBox) {
        window = AddControl("BUTTON", caption.c_str(), WS_TABSTOP | BS_AUTOCHECKBOX, 0, id, kLabelLeft, place.top,
                            place.width, 17);
        SendMessageA(window, BM_SETCHECK, logic_.Checked(spec.control) ? BST_CHECKED : BST_UNCHECKED, 0);
      } else {
        AddControl("STATIC", caption.c_str(), SS_LEFT, 0, kLabelBase + static_cast<int>(spec.control), kLabelLeft,
                   place.top + 3, kLabelWidth, 16);
        window = AddControl("EDIT", logic_.Text(spec.control).c_str(), WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE,
                            id, kFieldLeft, place.top, place.width, 21);
        SetWindowSubclass(window, &ClientAdvancedWindow::FieldProc, kFieldSubclass, reinterpret_cast<DWORD_PTR>(this));
      }
      SetWindowContextHelpId(window, static_cast<DWORD>(ClientAdvancedDialog::HelpNumber(spec.control)));
    }
    AddControl("BUTTON", "OK", WS_TABSTOP | BS_DEFPUSHBUTTON, 0, IDOK, 196, 206, 75, 25);
    AddControl("BUTTON", "Cancel", WS_TABSTOP | BS_PUSHBUTTON, 0, IDCANCEL, 277, 206, 75, 25);
    SetWindowContextHelpId(Handle(), static_cast<DWORD>(ClientAdvancedDialog::HelpNumber(std::nullopt)));
    CentreOn(owner_);
    ComeToFront();
    SetFocus(Item(AdvancedControlId(AdvancedControl::NavServerName)));
    return false;
  }

  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_HELP) {
      const auto* info = reinterpret_cast<const HELPINFO*>(lParam);
      if (showHelp_ && info != nullptr)
        showHelp_(ContextHelpAt(static_cast<HWND>(info->hItemHandle), Handle()));
      return true;
    }
    if (message != WM_COMMAND) return false;
    const int id = LOWORD(wParam);
    const int code = HIWORD(wParam);
    if (id == IDCANCEL) {
      End(IDCANCEL);
    } else if (id == IDOK) {
      if (logic_.ConfirmOk()) End(IDOK);
    } else if (const auto control = ControlOfId(id)) {
      const auto from = reinterpret_cast<HWND>(lParam);
      if (code == EN_CHANGE) logic_.TextChanged(*control, WindowText(from));
      if (code == BN_CLICKED) logic_.Toggle(*control);
    }
    return true;
  }

  // The edit fields: the management port's key filter, F1.
  static LRESULT CALLBACK FieldProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                    DWORD_PTR data) {
    auto* self = reinterpret_cast<ClientAdvancedWindow*>(data);
    if (const auto control = ControlOfId(GetDlgCtrlID(window))) {
      if (message == WM_CHAR && !self->logic_.KeyTyped(*control, static_cast<char>(wParam))) {
        // The refused key is explained in the field's own balloon, in the main dialog's words
        // (common controls 6, which the program's manifest asks for).
        EDITBALLOONTIP tip{};
        tip.cbStruct = sizeof tip;
        tip.pszTitle = L"";
        tip.pszText = self->portHint_.c_str();
        tip.ttiIcon = TTI_NONE;
        SendMessageW(window, EM_SHOWBALLOONTIP, 0, reinterpret_cast<LPARAM>(&tip));
        return 0;
      }
      if (message == WM_KEYDOWN && wParam == VK_F1) {
        if (self->showHelp_) self->showHelp_(ClientAdvancedDialog::HelpNumber(*control));
        return 0;
      }
    }
    if (message == WM_NCDESTROY) RemoveWindowSubclass(window, &ClientAdvancedWindow::FieldProc, kFieldSubclass);
    return DefSubclassProc(window, message, wParam, lParam);
  }

  ClientAdvancedDialog& logic_;
  const std::function<void(int)>& showHelp_;
  HWND owner_ = nullptr;
  const std::wstring portHint_ = std::wstring(kPortHint.begin(), kPortHint.end());  // ASCII
};

}  // namespace

bool TfrmClientAdvanced::ShowModal(HWND owner) {
  ClientAdvancedWindow window(logic_, showHelp_);
  return window.Show(owner);
}

}  // namespace bw::ui
