#include "ui/win32/frm_navision_preferences.h"

#include <commctrl.h>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "ui/win32/modal_dialog.h"

namespace bw::ui {
namespace {

using namespace preferences_ids;
constexpr int kStatic = -1;
constexpr int kHelpDialog = 10;

// The hotkey boxes: label row, the box, its help number, where it stands.
struct HotkeyPlace {
  HotkeyBox box;
  int help;
  int left, top, width;
};
constexpr std::array<HotkeyPlace, kHotkeyBoxCount> kHotkeyPlaces{{
    {HotkeyBox::Unindent, 52, 130, 36, 110},
    {HotkeyBox::Indent, 51, 248, 36, 110},
    {HotkeyBox::Uncomment, 54, 130, 62, 110},
    {HotkeyBox::Comment, 53, 248, 62, 110},
    {HotkeyBox::Insert, 55, 130, 98, 228},
    {HotkeyBox::Repeat, 56, 130, 124, 228},
    {HotkeyBox::Open, 57, 130, 160, 228},
    {HotkeyBox::Toggle, 58, 130, 186, 228},
    {HotkeyBox::Credentials, 59, 130, 222, 228},
}};

class PreferencesDialog final : public ModalDialog, public PreferencesView {
public:
  PreferencesDialog(PreferenceValues& values, PreferencesDialogServices services)
      : values_(values), services_(services), form_(*this, services.folders, services.keys) {}

  bool Execute(HWND owner) {
    return Run(owner, WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_CONTEXTHELP, 0, kPreferencesCaption) == IDOK;
  }

  // PreferencesView
  void ShowHotkeyText(HotkeyBox box, std::string_view text) override {
    const std::string copy(text);
    updating_ = true;
    SetWindowTextA(Item(kFirstHotkey + static_cast<int>(box)), copy.c_str());
    updating_ = false;
  }
  void ShowHotkeyColour(HotkeyBox box, Rgb colour) override {
    colours_[static_cast<std::size_t>(box)] = RGB(colour.red, colour.green, colour.blue);
    InvalidateRect(Item(kFirstHotkey + static_cast<int>(box)), nullptr, TRUE);
  }
  void ShowFolder(FolderBox box, std::string_view text) override {
    const std::string copy(text);
    updating_ = true;
    SetWindowTextA(Item(box == FolderBox::Config ? kConfigDir : kZupDir), copy.c_str());
    updating_ = false;
  }
  void EnableOk(bool enabled) override { EnableWindow(Item(IDOK), enabled ? TRUE : FALSE); }

private:
  HWND Add(int page, const char* className, const char* text, DWORD style, DWORD exStyle, int id, int left, int top,
           int width, int height, int help = 0) {
    const HWND control = AddControl(className, text, style, exStyle, id == kStatic ? 0 : id, left, top, width, height);
    if (help != 0) SetWindowContextHelpId(control, static_cast<DWORD>(help));
    pages_[static_cast<std::size_t>(page)].push_back(control);
    return control;
  }
  HWND Edit(int page, int id, const std::string& text, int left, int top, int width, int help) {
    return Add(page, "EDIT", text.c_str(), WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, id, left, top, width, 21,
               help);
  }
  void Label(int page, const char* text, int top) { Add(page, "STATIC", text, SS_LEFT, 0, kStatic, 20, top + 3, 104, 16); }
  void Line(int page, int top) { Add(page, "STATIC", "", SS_ETCHEDHORZ, 0, kStatic, 20, top, 338, 2); }
  HWND Check(int page, int id, const char* text, bool checked, int top, int help) {
    const HWND box = Add(page, "BUTTON", text, WS_TABSTOP | BS_AUTOCHECKBOX, 0, id, 20, top, 338, 20, help);
    SendMessageA(box, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
    return box;
  }

  static int PauseId(PauseBox box) { return box == PauseBox::NewLine ? kNewLinePause : kCharacterPause; }
  // A pause row: its label, the field of digits (in milliseconds) and the unit after it.
  void Pause(PauseBox box, std::int32_t value, int top, int help) {
    const std::string caption(PauseCaption(box));
    Add(0, "STATIC", caption.c_str(), SS_LEFT, 0, kStatic, 20, top + 3, 184, 16);
    const HWND field = Add(0, "EDIT", std::to_string(value).c_str(), WS_TABSTOP | ES_AUTOHSCROLL | ES_NUMBER,
                           WS_EX_CLIENTEDGE, PauseId(box), 210, top, 60, 21, help);
    SendMessageA(field, EM_SETLIMITTEXT, 5, 0);
    Add(0, "STATIC", "ms", SS_LEFT, 0, kStatic, 276, top + 3, 40, 16);
  }

  bool OnInit() override {
    SetClientSize(378, 385);
    SetWindowContextHelpId(Handle(), kHelpDialog);
    const HWND tabs = AddControl(WC_TABCONTROLA, "", WS_TABSTOP | WS_CLIPSIBLINGS, 0, kPages, 8, 8, 362, 336);
    for (const char* caption : {"General", "Hotkeys"}) {
      TCITEMA item{};
      item.mask = TCIF_TEXT;
      item.pszText = const_cast<char*>(caption);
      SendMessageA(tabs, TCM_INSERTITEMA, SendMessageA(tabs, TCM_GETITEMCOUNT, 0, 0), reinterpret_cast<LPARAM>(&item));
    }

    // Page "General".
    Label(0, "&Author", 36);
    Edit(0, kAuthor, values_.author, 130, 36, 228, 11);
    Label(0, "&Initials", 62);
    Edit(0, kInitials, values_.initials, 130, 62, 228, 12);
    Label(0, "&Company", 88);
    Edit(0, kCompany, values_.company, 130, 88, 228, 16);
    Line(0, 117);
    Label(0, "&Config Directory", 126);
    Edit(0, kConfigDir, values_.configDir, 130, 126, 200, 17);
    Add(0, "BUTTON", "...", WS_TABSTOP | BS_PUSHBUTTON, 0, kBrowseConfig, 334, 126, 24, 21, 17);
    Label(0, "&Zup Directory", 152);
    Edit(0, kZupDir, values_.zupDir, 130, 152, 200, 13);
    Add(0, "BUTTON", "...", WS_TABSTOP | BS_PUSHBUTTON, 0, kBrowseZup, 334, 152, 24, 21, 13);
    Check(0, kRunOnStartup, "Run on Startup", values_.runOnStartup, 180, 15);
    Line(0, 206);
    Check(0, kViaDot, "Activate Code Completion via '.'", values_.activateViaDot, 212, 62);
    Check(0, kViaCtrlSpace, "Activate Code Completion via CTRL+SPACE", values_.activateViaCtrlSpace, 234, 63);
    Check(0, kProtectPasswords, std::string(kProtectPasswordsCaption).c_str(), values_.protectPasswords, 256, 15);
    Line(0, 282);
    Pause(PauseBox::NewLine, values_.newLinePause, 290, 18);
    Pause(PauseBox::Character, values_.characterPause, 316, 19);

    // Page "Hotkeys".
    const std::array<std::pair<const char*, int>, 7> labels{{{"(Un-) I&ndent", 36},
                                                             {"(Un-) Co&mment", 62},
                                                             {"Insert &Template", 98},
                                                             {"&Repeat", 124},
                                                             {"&Open", 160},
                                                             {"To&ggle", 186},
                                                             {"Cre&dentials", 222}}};
    std::size_t next = 0;
    for (const auto& [text, top] : labels) {
      Label(1, text, top);
      while (next < kHotkeyPlaces.size() && kHotkeyPlaces[next].top == top) {
        const HotkeyPlace& place = kHotkeyPlaces[next++];
        Edit(1, kFirstHotkey + static_cast<int>(place.box), values_.Hotkey(place.box), place.left, place.top,
             place.width, place.help);
      }
    }
    Line(1, 90);
    Line(1, 152);
    Line(1, 214);
    SetWindowPos(tabs, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);

    AddControl("BUTTON", "OK", WS_TABSTOP | BS_DEFPUSHBUTTON, 0, IDOK, 214, 352, 75, 25);
    AddControl("BUTTON", "Cancel", WS_TABSTOP | BS_PUSHBUTTON, 0, IDCANCEL, 295, 352, 75, 25);

    form_.Load(values_);
    ShowPage(0);
    CentreOnScreen();
    ComeToFront();
    SetFocus(Item(kAuthor));
    return false;
  }

  void ShowPage(int page) {
    SendMessageA(Item(kPages), TCM_SETCURSEL, static_cast<WPARAM>(page), 0);
    for (std::size_t i = 0; i < pages_.size(); ++i)
      for (HWND control : pages_[i]) ShowWindow(control, static_cast<int>(i) == page ? SW_SHOW : SW_HIDE);
  }

  static bool IsHotkeyBox(int id) { return id >= kFirstHotkey && id < kFirstHotkey + kHotkeyBoxCount; }

  void Accept() {
    // Pressing Enter leaves no field: the hotkey box being edited is made canonical here.
    for (const HotkeyBox box : kHotkeyBoxes) form_.HotkeyLeft(box);
    if (!form_.OkEnabled()) return;
    PreferenceValues& values = form_.Values();
    values.author = WindowText(Item(kAuthor));
    values.initials = WindowText(Item(kInitials));
    values.company = WindowText(Item(kCompany));
    values.runOnStartup = IsDlgButtonChecked(Handle(), kRunOnStartup) == BST_CHECKED;
    values.activateViaDot = IsDlgButtonChecked(Handle(), kViaDot) == BST_CHECKED;
    values.activateViaCtrlSpace = IsDlgButtonChecked(Handle(), kViaCtrlSpace) == BST_CHECKED;
    values.protectPasswords = IsDlgButtonChecked(Handle(), kProtectPasswords) == BST_CHECKED;
    for (const PauseBox box : {PauseBox::NewLine, PauseBox::Character})
      form_.PauseChanged(box, WindowText(Item(PauseId(box))));
    if (!form_.CheckOnOk(services_.files, services_.messages)) return;
    values_ = values;
    End(IDOK);
  }

  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
    switch (message) {
      case WM_NOTIFY: {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        if (header->idFrom == kPages && header->code == TCN_SELCHANGE) {
          ShowPage(static_cast<int>(SendMessageA(header->hwndFrom, TCM_GETCURSEL, 0, 0)));
          return true;
        }
        return false;
      }
      case WM_COMMAND: {
        const int id = LOWORD(wParam);
        const int code = HIWORD(wParam);
        if (IsHotkeyBox(id) && !updating_) {
          const auto box = static_cast<HotkeyBox>(id - kFirstHotkey);
          if (code == EN_CHANGE) form_.HotkeyChanged(box, WindowText(Item(id)));
          if (code == EN_KILLFOCUS) form_.HotkeyLeft(box);
          return true;
        }
        if ((id == kConfigDir || id == kZupDir) && code == EN_CHANGE && !updating_) {
          form_.FolderChanged(id == kConfigDir ? FolderBox::Config : FolderBox::Zup, WindowText(Item(id)));
          return true;
        }
        switch (id) {
          case kBrowseConfig: form_.Browse(FolderBox::Config, services_.messages); return true;
          case kBrowseZup: form_.Browse(FolderBox::Zup, services_.messages); return true;
          case IDOK: Accept(); return true;
          case IDCANCEL: End(IDCANCEL); return true;
          default: return false;
        }
      }
      default:
        return false;
    }
  }

  HBRUSH OnControlColour(UINT message, HDC dc, HWND control) override {
    if (message == WM_CTLCOLORSTATIC) {
      // Labels and check boxes stand on the page control's face (the window colour), not the dialog's.
      SetBkColor(dc, GetSysColor(COLOR_WINDOW));
      return GetSysColorBrush(COLOR_WINDOW);
    }
    if (message != WM_CTLCOLOREDIT) return nullptr;
    const int id = GetDlgCtrlID(control);
    if (!IsHotkeyBox(id)) return nullptr;
    SetTextColor(dc, colours_[static_cast<std::size_t>(id - kFirstHotkey)]);
    SetBkColor(dc, GetSysColor(COLOR_WINDOW));
    return GetSysColorBrush(COLOR_WINDOW);
  }

  PreferenceValues& values_;
  PreferencesDialogServices services_;
  PreferencesForm form_;
  std::array<std::vector<HWND>, 2> pages_;
  std::array<COLORREF, kHotkeyBoxCount> colours_{};
  bool updating_ = false;
};

}  // namespace

bool EditPreferences(HWND owner, PreferenceValues& values, PreferencesDialogServices services) {
  PreferencesDialog dialog(values, services);
  return dialog.Execute(owner);
}

}  // namespace bw::ui
