#include "ui/win32/frm_navision_item.h"

#include <commctrl.h>

#include <algorithm>
#include <optional>
#include <string>

#include "ui/win32/frm_client_advanced.h"
#include "ui/win32/modal_dialog.h"
#include "platform/win32/unique_resource.h"

namespace bw::ui {
namespace {

constexpr int kUpperFrame = 300;
constexpr int kLabelBase = 200;   // the label of control N is 200 + N
constexpr int kNoDefault = 99;    // configuration mode: Enter presses no button
constexpr int kClientWidth = 433;
constexpr int kClientHeight = 337;
constexpr int kPluginClientHeight = 163;  // a window 192 pixels high
constexpr int kPluginFrameHeight = 114;
constexpr int kPluginHotkeyTop = 92;  // 24 pixels below the parameters row
constexpr UINT_PTR kHintTimer = 1;
constexpr UINT_PTR kFieldSubclass = 1;
constexpr unsigned kHintTool = 1;

constexpr DWORD kEdit = WS_TABSTOP | ES_AUTOHSCROLL;
constexpr DWORD kCheck = WS_TABSTOP | BS_CHECKBOX;
constexpr DWORD kRadio = WS_TABSTOP | BS_RADIOBUTTON;
constexpr DWORD kButton = WS_TABSTOP | BS_PUSHBUTTON;

struct ControlSpec {
  ItemControl control;
  const char* className;
  const char* caption;
  DWORD style;
  int left, top, width, height;
  const char* label;  // the label left of the field, or null
};

// Positions at 96 dots per inch, configuration mode, in tab order.
constexpr ControlSpec kControls[] = {
    {ItemControl::Name, "EDIT", "", kEdit, 84, 20, 337, 21, "Name"},
    {ItemControl::Location, "EDIT", "", kEdit, 84, 44, 313, 21, "Location"},
    {ItemControl::Browse, "BUTTON", "...", kButton, 400, 44, 21, 21, nullptr},
    {ItemControl::Parameters, "EDIT", "", kEdit, 84, 68, 337, 21, "Parameters"},
    {ItemControl::IsSubMenu, "BUTTON", "Is SubMenu", kCheck, 84, 72, 130, 17, nullptr},
    {ItemControl::InRoot, "BUTTON", "Create in Root Menu", kCheck, 220, 72, 170, 17, nullptr},
    {ItemControl::RadServer, "BUTTON", "Server", kRadio, 16, 122, 66, 21, nullptr},
    {ItemControl::ServerLabel, "STATIC", "Server", SS_LEFT, 16, 125, 66, 16, nullptr},
    {ItemControl::Server, "EDIT", "", kEdit, 84, 122, 150, 21, nullptr},
    {ItemControl::Port, "EDIT", "", kEdit, 268, 122, 55, 21, nullptr},
    {ItemControl::NetType, "COMBOBOX", "", WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, 328, 122, 69, 120, nullptr},
    {ItemControl::ServerList, "COMBOBOX", "", WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL, 84, 122, 313,
     200, nullptr},
    {ItemControl::RadDatabase, "BUTTON", "Database", kRadio, 16, 147, 66, 21, nullptr},
    {ItemControl::DatabaseLabel, "STATIC", "Database", SS_LEFT, 16, 150, 66, 16, nullptr},
    {ItemControl::Database, "EDIT", "", kEdit, 84, 147, 313, 21, nullptr},
    {ItemControl::DatabaseButton, "BUTTON", "...", kButton, 400, 147, 21, 21, nullptr},
    {ItemControl::Company, "EDIT", "", kEdit, 84, 172, 337, 21, "Company"},
    {ItemControl::UseNT, "BUTTON", "Use NT Authentication", kCheck, 84, 199, 200, 17, nullptr},
    {ItemControl::Test, "BUTTON", "Test...", kButton, 346, 196, 75, 23, nullptr},
    {ItemControl::Username, "EDIT", "", kEdit, 84, 222, 160, 21, "Username"},
    {ItemControl::Password, "EDIT", "", kEdit | ES_PASSWORD, 84, 247, 160, 21, "Password"},
    {ItemControl::Hotkey, "EDIT", "", kEdit, 84, 272, 160, 21, "Hotkey"},
    {ItemControl::Advanced, "BUTTON", "Advanced...", kButton, 346, 271, 75, 23, nullptr},
    // Outside both frames, beside OK and Cancel: the frames keep their layout for every client.
    {ItemControl::VersionLabel, "STATIC", "", SS_LEFT | SS_NOPREFIX | SS_ENDELLIPSIS, 10, 311, 252, 16, nullptr},
};

constexpr int kPortLabel = 399;  // "Port", left of the port field
constexpr int kOkLeft = 269, kCancelLeft = 350, kButtonsTop = 307, kButtonsPluginTop = 130;

bool HoldsText(ItemControl control) {
  switch (control) {
    case ItemControl::Name: case ItemControl::Location: case ItemControl::Parameters: case ItemControl::Server:
    case ItemControl::Port: case ItemControl::ServerList: case ItemControl::Database: case ItemControl::Company:
    case ItemControl::Username: case ItemControl::Password: case ItemControl::Hotkey: case ItemControl::VersionLabel:
      return true;
    default:
      return false;
  }
}

bool IsCheckable(ItemControl control) {
  return control == ItemControl::IsSubMenu || control == ItemControl::InRoot || control == ItemControl::UseNT ||
         control == ItemControl::RadServer || control == ItemControl::RadDatabase;
}

std::optional<ItemControl> ControlOfId(int id) {
  if (id == IDOK) return ItemControl::Ok;
  if (id < 100 || id >= 100 + static_cast<int>(kItemControlCount)) return std::nullopt;
  return static_cast<ItemControl>(id - 100);
}

class NavisionItemWindow final : public ModalDialog, public ItemDialogView {
public:
  NavisionItemWindow(NavisionItemDialog& logic, const std::function<void(int)>& showHelp)
      : logic_(logic), showHelp_(showHelp) {}

  bool Show(HWND owner) {
    owner_ = owner;
    const INT_PTR result = Run(owner, WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME, 0, logic_.Caption());
    logic_.Attach(nullptr);
    return result == IDOK;
  }

  // ---- ItemDialogView
  void Update(ItemControl control, const ControlState& state) override {
    const HWND window = Item(ItemControlId(control));
    if (window == nullptr) return;
    ShowWindow(window, state.visible ? SW_SHOWNA : SW_HIDE);
    EnableWindow(window, state.enabled ? TRUE : FALSE);
    // A field's label follows it; "Port" has a label of its own id.
    const HWND label = control == ItemControl::Port ? Item(kPortLabel) : LabelOf(control);
    if (label != nullptr) {
      ShowWindow(label, state.visible ? SW_SHOWNA : SW_HIDE);
      EnableWindow(label, state.enabled ? TRUE : FALSE);
    }
    if (IsCheckable(control)) {
      SendMessageA(window, BM_SETCHECK, state.checked ? BST_CHECKED : BST_UNCHECKED, 0);
    } else if (control == ItemControl::NetType) {
      const LRESULT index = state.text.empty() ? CB_ERR
                                               : SendMessageA(window, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                                              reinterpret_cast<LPARAM>(state.text.c_str()));
      SendMessageA(window, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    } else if (HoldsText(control) && WindowText(window) != state.text) {
      ++quiet_;
      SetWindowTextA(window, state.text.c_str());
      --quiet_;
    }
  }

  void SetHotkeyColour(Rgb colour) override {
    hotkeyColour_ = RGB(colour.red, colour.green, colour.blue);
    if (const HWND hotkey = Item(ItemControlId(ItemControl::Hotkey))) InvalidateRect(hotkey, nullptr, TRUE);
  }

  void ShowHint(ItemControl field, std::string_view text) override {
    if (!tip_) CreateTip();
    std::string shown;
    for (const char c : text)
      if (c != '\r') shown += c;
    TTTOOLINFOA tool{};
    tool.cbSize = TTTOOLINFOA_V2_SIZE;
    tool.hwnd = Handle();
    tool.uId = kHintTool;
    tool.lpszText = shown.data();
    SendMessageA(tip_.Get(), TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&tool));
    RECT name{}, at{};
    GetWindowRect(Item(ItemControlId(ItemControl::Name)), &name);
    GetWindowRect(Item(ItemControlId(field)), &at);
    SendMessageA(tip_.Get(), TTM_SETMAXTIPWIDTH, 0, name.right - name.left);
    SendMessageA(tip_.Get(), TTM_TRACKPOSITION, 0, MAKELPARAM(at.left, at.top + Scale(20)));
    SendMessageA(tip_.Get(), TTM_TRACKACTIVATE, TRUE, reinterpret_cast<LPARAM>(&tool));
    SetTimer(Handle(), kHintTimer, kHintMilliseconds, nullptr);
  }

  void SetCaption(std::string_view caption) override { SetWindowTextA(Handle(), std::string(caption).c_str()); }

  // The geometry of plug-in mode is chosen when the controls are made (OnInit); the mode is set
  // before the dialog is shown.
  void UsePluginLayout() override {
    SendMessageA(Item(IDOK), BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
    SendMessageA(Handle(), DM_SETDEFID, IDOK, 0);
  }

  void InsertServer(std::size_t at, const std::string& name) override {
    const HWND list = Item(ItemControlId(ItemControl::ServerList));
    const std::string typed = WindowText(list);
    ++quiet_;
    SendMessageA(list, CB_INSERTSTRING, at, reinterpret_cast<LPARAM>(name.c_str()));
    SetWindowTextA(list, typed.c_str());  // the user's text stays
    --quiet_;
  }

  void SetBusy(bool busy) override { SetCursor(LoadCursorA(nullptr, busy ? IDC_WAIT : IDC_ARROW)); }

  bool EditAdvanced(ClientAdvancedDialog& dialog) override {
    HideHint();  // the bubble would stand over the advanced settings
    return TfrmClientAdvanced(dialog, showHelp_).ShowModal(Handle());
  }

private:
  bool OnInit() override {
    // Made at the mode's size at once: resizing later paints over the frames.
    const bool plugin = logic_.Mode() == ItemDialogMode::Plugin;
    SetClientSize(kClientWidth, plugin ? kPluginClientHeight : kClientHeight);
    AddControl("BUTTON", "", BS_GROUPBOX, 0, kUpperFrame, 8, 4, 417, plugin ? kPluginFrameHeight : 98);
    AddControl("BUTTON", "", BS_GROUPBOX, 0, ItemControlId(ItemControl::LowerFrame), 8, 106, 417, 193);
    for (const ControlSpec& spec : kControls) {
      // Plug-in mode: the hotkey row follows the parameters row.
      const int top = plugin && spec.control == ItemControl::Hotkey ? kPluginHotkeyTop : spec.top;
      if (spec.label != nullptr)
        AddControl("STATIC", spec.label, SS_LEFT, 0, kLabelBase + static_cast<int>(spec.control), 16, top + 3, 66, 16);
      if (spec.control == ItemControl::Port) AddControl("STATIC", "Port", SS_LEFT, 0, kPortLabel, 240, 125, 26, 16);
      const bool edit = std::string_view(spec.className) == "EDIT";
      const HWND window = AddControl(spec.className, spec.caption, spec.style, edit ? WS_EX_CLIENTEDGE : 0,
                                     ItemControlId(spec.control), spec.left, top, spec.width, spec.height);
      SetWindowContextHelpId(window, static_cast<DWORD>(logic_.HelpNumber(spec.control)));
      if (edit) SetWindowSubclass(window, &NavisionItemWindow::FieldProc, kFieldSubclass,
                                  reinterpret_cast<DWORD_PTR>(this));
    }
    SendMessageA(Item(ItemControlId(ItemControl::Password)), EM_SETPASSWORDCHAR, '*', 0);
    const HWND netType = Item(ItemControlId(ItemControl::NetType));
    for (const std::string_view type : kNetTypes)
      SendMessageA(netType, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(std::string(type).c_str()));
    const int buttonsTop = plugin ? kButtonsPluginTop : kButtonsTop;
    AddControl("BUTTON", "OK", WS_TABSTOP | BS_PUSHBUTTON, 0, IDOK, kOkLeft, buttonsTop, 75, 25);
    AddControl("BUTTON", "Cancel", WS_TABSTOP | BS_PUSHBUTTON, 0, IDCANCEL, kCancelLeft, buttonsTop, 75, 25);
    SendMessageA(Handle(), DM_SETDEFID, kNoDefault, 0);
    SetWindowContextHelpId(Handle(), static_cast<DWORD>(logic_.HelpNumber(std::nullopt)));

    logic_.Attach(this);
    CentreOn(owner_);
    ComeToFront();
    SetFocus(Item(ItemControlId(ItemControl::Name)));
    return false;
  }

  static bool IsEditField(HWND window) {
    char className[16] = {};
    GetClassNameA(window, className, sizeof className);
    return lstrcmpiA(className, "EDIT") == 0;
  }

  HWND LabelOf(ItemControl control) const { return Item(kLabelBase + static_cast<int>(control)); }

  void CreateTip() {
    tip_.Reset(CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, Handle(), nullptr,
                               GetModuleHandleA(nullptr), nullptr));
    TTTOOLINFOA tool{};
    tool.cbSize = TTTOOLINFOA_V2_SIZE;
    tool.uFlags = TTF_TRACK | TTF_ABSOLUTE;
    tool.hwnd = Handle();
    tool.uId = kHintTool;
    tool.lpszText = const_cast<char*>("");
    SendMessageA(tip_.Get(), TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
  }

  void HideHint() {
    KillTimer(Handle(), kHintTimer);
    if (tip_) {
      TTTOOLINFOA tool{};
      tool.cbSize = TTTOOLINFOA_V2_SIZE;
      tool.hwnd = Handle();
      tool.uId = kHintTool;
      SendMessageA(tip_.Get(), TTM_TRACKACTIVATE, FALSE, reinterpret_cast<LPARAM>(&tool));
    }
    logic_.HintGone();
  }

  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
    switch (message) {
      case WM_COMMAND:
        OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
        return true;
      case WM_TIMER:
        if (wParam != kHintTimer) return false;
        HideHint();
        return true;
      case WM_HELP: {
        const auto* info = reinterpret_cast<const HELPINFO*>(lParam);
        if (!showHelp_ || info == nullptr) return true;
        auto window = static_cast<HWND>(info->hItemHandle);
        while (window != nullptr && GetParent(window) != Handle()) window = GetParent(window);
        if (window != nullptr && IsEditField(window)) return true;  // answered on its F1 key
        const std::optional<ItemControl> control =
            window != nullptr ? ControlOfId(GetDlgCtrlID(window)) : std::nullopt;
        showHelp_(logic_.HelpNumber(control));
        return true;
      }
      case WM_DESTROY:
        HideHint();
        tip_.Reset();
        return false;
      default:
        return false;
    }
  }

  HBRUSH OnControlColour(UINT message, HDC dc, HWND edit) override {
    if (message != WM_CTLCOLOREDIT || edit != Item(ItemControlId(ItemControl::Hotkey))) return nullptr;
    SetTextColor(dc, hotkeyColour_);
    SetBkColor(dc, GetSysColor(COLOR_WINDOW));
    return GetSysColorBrush(COLOR_WINDOW);
  }

  void OnCommand(int id, int code, HWND from) {
    if (id == IDCANCEL) {
      End(IDCANCEL);
      return;
    }
    if (id == IDOK) {
      if (logic_.ConfirmOk()) End(IDOK);
      return;
    }
    const std::optional<ItemControl> control = ControlOfId(id);
    if (!control || from == nullptr) return;
    switch (*control) {
      case ItemControl::ServerList:
        if (code == CBN_DROPDOWN) {
          logic_.ServerListOpening();
        } else if (code == CBN_EDITCHANGE && quiet_ == 0) {
          logic_.TextChanged(*control, WindowText(from));
        } else if (code == CBN_SELCHANGE) {
          const LRESULT index = SendMessageA(from, CB_GETCURSEL, 0, 0);
          const LRESULT length = index >= 0 ? SendMessageA(from, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0) : -1;
          if (length >= 0) {
            std::string text(static_cast<std::size_t>(length) + 1, '\0');
            SendMessageA(from, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
            text.resize(static_cast<std::size_t>(length));
            logic_.TextChanged(*control, text);
          }
        }
        return;
      case ItemControl::NetType:
        if (code == CBN_SELCHANGE) logic_.NetTypeChosen(static_cast<int>(SendMessageA(from, CB_GETCURSEL, 0, 0)));
        return;
      default:
        break;
    }
    if (code == EN_CHANGE && quiet_ == 0) {
      logic_.TextChanged(*control, WindowText(from));
    } else if (code == EN_KILLFOCUS) {
      logic_.FocusLost(*control);
    } else if (code == BN_CLICKED) {
      logic_.Clicked(*control);
    }
  }

  // The edit fields: the name's and port's key filters, F6.
  static LRESULT CALLBACK FieldProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                    DWORD_PTR data) {
    auto* self = reinterpret_cast<NavisionItemWindow*>(data);
    const std::optional<ItemControl> control = ControlOfId(GetDlgCtrlID(window));
    if (control) {
      if (message == WM_CHAR && !self->logic_.KeyTyped(*control, static_cast<char>(wParam))) return 0;
      if (message == WM_KEYDOWN && wParam == VK_F1) {
        // The edit fields answer F1 themselves (not every system makes WM_HELP of it).
        if (self->showHelp_) self->showHelp_(self->logic_.HelpNumber(*control));
        return 0;
      }
      if (message == WM_KEYDOWN) {
        const bool modifier =
            GetKeyState(VK_SHIFT) < 0 || GetKeyState(VK_CONTROL) < 0 || GetKeyState(VK_MENU) < 0;
        if (self->logic_.KeyPressed(*control, static_cast<unsigned>(wParam), modifier)) return 0;
      }
    }
    if (message == WM_NCDESTROY) RemoveWindowSubclass(window, &NavisionItemWindow::FieldProc, kFieldSubclass);
    return DefSubclassProc(window, message, wParam, lParam);
  }

  NavisionItemDialog& logic_;
  const std::function<void(int)>& showHelp_;
  HWND owner_ = nullptr;
  platform::UniqueWindow tip_;
  COLORREF hotkeyColour_ = RGB(0, 0, 0);
  int quiet_ = 0;  // above 0 while the view sets a text itself
};

}  // namespace

bool TfrmNavisionItem::ShowModal(HWND owner) {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);
  NavisionItemWindow window(logic_, showHelp_);
  return window.Show(owner);
}

}  // namespace bw::ui
