#include "ui/win32/frm_template_editor.h"

#include <commctrl.h>
#include <richedit.h>

#include <array>
#include <string>
#include <utility>
#include <vector>

#include "base/app_texts.h"
#include "base/format_text.h"
#include "ui/template_editor_form.h"
#include "ui/text_positions.h"
#include "ui/win32/modal_dialog.h"
#include "ui/win32/rich_preview.h"
#include "platform/win32/unique_resource.h"

namespace bw::ui {
namespace {

constexpr int kToolbar = kTemplateEditorToolbar;
constexpr int kNameLabel = 101;
constexpr int kName = kTemplateEditorName;
constexpr int kTextLabel = 103;
constexpr int kText = kTemplateEditorText;
constexpr int kUseHotkey = kTemplateEditorUseHotkey;
constexpr int kHotkeyLabel = 106;
constexpr int kHotkey = kTemplateEditorHotkey;
constexpr int kProblem = kTemplateEditorProblem;
constexpr int kTagCommand = kTemplateEditorTagCommand;
constexpr int kAuthorMenuCommand = 300;  // + index into kAuthorMenu
constexpr UINT_PTR kFieldSubclass = 1;

class TemplateEditorWindow final : public ModalDialog, public TemplateEditorView {
public:
  TemplateEditorWindow(TemplateEditorForm& form, const std::function<void(int)>& showHelp)
      : form_(form), showHelp_(showHelp) {}

  bool Show(HWND owner) {
    const std::string caption = FormatText(kTemplateEditorCaption, {kAppShortName});
    // The dialog manager handles Alt+letter itself, for its controls only, and the toolbar's
    // buttons are none of them: while the dialog runs, the keys for it pass PreviewKey first.
    TemplateEditorWindow* const outer = std::exchange(shown_, this);
    const platform::UniqueHook preview(SetWindowsHookExA(WH_MSGFILTER, &TemplateEditorWindow::PreviewKey, nullptr,
                                               GetCurrentThreadId()));
    const INT_PTR result =
        Run(owner, WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MAXIMIZEBOX | WS_CLIPCHILDREN, 0, caption);
    shown_ = outer;
    return result == IDOK;
  }

private:
  // ---- TemplateEditorView
  void SetTemplateText(std::string_view richText, std::size_t caret) override {
    ++quiet_;
    SetWindowTextA(Item(kText), std::string(richText).c_str());
    const auto at = static_cast<LONG>(Positions().UnitsOf(caret));
    CHARRANGE range{at, at};
    SendMessageA(Item(kText), EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
    --quiet_;
  }
  void ColourTags(const std::vector<TextSpan>& red) override {
    const HWND text = Item(kText);
    ++quiet_;
    CHARRANGE kept{};
    SendMessageA(text, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&kept));
    const LRESULT mask = SendMessageA(text, EM_SETEVENTMASK, 0, 0);
    SendMessageA(text, WM_SETREDRAW, FALSE, 0);
    const auto colour = [&](WPARAM which, COLORREF value) {
      CHARFORMATA format{};
      format.cbSize = sizeof format;
      format.dwMask = CFM_COLOR;
      format.crTextColor = value;
      SendMessageA(text, EM_SETCHARFORMAT, which, reinterpret_cast<LPARAM>(&format));
    };
    CHARRANGE all{0, -1};
    SendMessageA(text, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&all));
    colour(SCF_SELECTION, GetSysColor(COLOR_WINDOWTEXT));
    const TextPositions positions = Positions();
    for (const TextSpan& span : red) {
      CHARRANGE range{static_cast<LONG>(positions.UnitsOf(span.start)),
                      static_cast<LONG>(positions.UnitsOf(span.start + span.length))};
      SendMessageA(text, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
      colour(SCF_SELECTION, RGB(255, 0, 0));
    }
    SendMessageA(text, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&kept));
    SendMessageA(text, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(text, nullptr, TRUE);
    SendMessageA(text, EM_SETEVENTMASK, 0, mask);
    --quiet_;
    red_ = red;
  }
  void SetHotkeyText(std::string_view text) override {
    ++quiet_;
    SetWindowTextA(Item(kHotkey), std::string(text).c_str());
    --quiet_;
  }
  void SetHotkeyState(bool boxTicked, bool fieldEnabled, Rgb colour) override {
    CheckDlgButton(Handle(), kUseHotkey, boxTicked ? BST_CHECKED : BST_UNCHECKED);
    EnableWindow(Item(kHotkey), fieldEnabled ? TRUE : FALSE);
    hotkeyColour_ = RGB(colour.red, colour.green, colour.blue);
    InvalidateRect(Item(kHotkey), nullptr, TRUE);
  }
  void SetProblem(std::string_view text) override { SetWindowTextA(Item(kProblem), std::string(text).c_str()); }
  void EnableOk(bool enabled) override { EnableWindow(Item(IDOK), enabled ? TRUE : FALSE); }

  // ---- the window
  void MakeTextFont() {
    font_.Reset(CreateFontA(-Scale(12), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                            CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FIXED_PITCH | FF_MODERN, "Fixedsys"));
  }

  // The dialog manager gives only the controls in the dialog font a new one; the template's own
  // font and the tag buttons are measured here, and the tags coloured again over the new font.
  void OnDpiChanged() override {
    MakeTextFont();
    ++quiet_;
    SendMessageA(Item(kText), WM_SETFONT, reinterpret_cast<WPARAM>(font_.Get()), TRUE);
    --quiet_;
    const std::vector<TextSpan> red = red_;
    ColourTags(red);
    SendMessageA(Item(kToolbar), TB_SETBUTTONSIZE, 0, MAKELPARAM(Scale(62), Scale(36)));
  }

  bool OnInit() override {
    MakeTextFont();
    const HWND bar = AddControl(TOOLBARCLASSNAMEA, "",
                                TBSTYLE_FLAT | TBSTYLE_TOOLTIPS | CCS_TOP | CCS_NORESIZE | CCS_NODIVIDER, 0, kToolbar,
                                0, 0, 0, 0);
    SendMessageA(bar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    SendMessageA(bar, TB_SETEXTENDEDSTYLE, 0, TBSTYLE_EX_DRAWDDARROWS);
    SendMessageA(bar, TB_SETBITMAPSIZE, 0, MAKELPARAM(0, 0));
    std::array<TBBUTTON, std::size(kTagButtons)> buttons{};
    for (std::size_t i = 0; i < buttons.size(); ++i) {
      captions_[i] = std::string(kTagButtons[i].caption);
      buttons[i].iBitmap = I_IMAGENONE;
      buttons[i].idCommand = kTagCommand + static_cast<int>(i);
      buttons[i].fsState = TBSTATE_ENABLED;
      buttons[i].fsStyle = static_cast<BYTE>(BTNS_BUTTON | (kTagButtons[i].tag == "Author" ? BTNS_DROPDOWN : 0));
      buttons[i].iString = reinterpret_cast<INT_PTR>(captions_[i].c_str());
    }
    SendMessageA(bar, TB_ADDBUTTONSA, buttons.size(), reinterpret_cast<LPARAM>(buttons.data()));
    SendMessageA(bar, TB_SETBUTTONSIZE, 0, MAKELPARAM(Scale(62), Scale(36)));

    AddControl("STATIC", std::string(kTemplateNameLabel).c_str(), SS_LEFT, 0, kNameLabel, 0, 0, 0, 0);
    AddControl("EDIT", "", WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, kName, 0, 0, 0, 0);
    AddControl("STATIC", std::string(kTemplateTextLabel).c_str(), SS_LEFT, 0, kTextLabel, 0, 0, 0, 0);
    const char* richEdit = RichEditClass();
    const HWND text = AddControl(richEdit != nullptr ? richEdit : "EDIT", "",
                                 WS_TABSTOP | WS_HSCROLL | WS_VSCROLL | ES_MULTILINE | ES_WANTRETURN | ES_AUTOHSCROLL |
                                     ES_AUTOVSCROLL,
                                 WS_EX_CLIENTEDGE, kText, 0, 0, 0, 0);
    SendMessageA(text, WM_SETFONT, reinterpret_cast<WPARAM>(font_.Get()), FALSE);
    SendMessageA(text, EM_SETTARGETDEVICE, 0, 1);  // no word wrap
    SendMessageA(text, EM_SETEVENTMASK, 0, ENM_CHANGE);
    SendMessageA(text, EM_EXLIMITTEXT, 0, 0x7FFFFFFE);
    AddControl("BUTTON", std::string(kTemplateUseHotkeyBox).c_str(), WS_TABSTOP | BS_AUTOCHECKBOX, 0, kUseHotkey, 0, 0,
               0, 0);
    AddControl("STATIC", std::string(kTemplateHotkeyLabel).c_str(), SS_LEFT, 0, kHotkeyLabel, 0, 0, 0, 0);
    AddControl("EDIT", "", WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, kHotkey, 0, 0, 0, 0);
    AddControl("STATIC", "", SS_LEFT, 0, kProblem, 0, 0, 0, 0);
    AddControl("BUTTON", "OK", WS_TABSTOP | BS_DEFPUSHBUTTON, 0, IDOK, 0, 0, 0, 0);
    AddControl("BUTTON", "Cancel", WS_TABSTOP | BS_PUSHBUTTON, 0, IDCANCEL, 0, 0, 0, 0);

    SetWindowContextHelpId(Handle(), kHelpTemplateEditor);
    for (const auto& [id, help] : {std::pair{kName, kHelpTemplateName}, std::pair{kText, kHelpTemplateText},
                                   std::pair{kUseHotkey, kHelpTemplateHotkeyBox}, std::pair{kHotkey, kHelpTemplateHotkey}}) {
      SetWindowContextHelpId(Item(id), static_cast<DWORD>(help));
      SetWindowSubclass(Item(id), &TemplateEditorWindow::FieldProc, kFieldSubclass, reinterpret_cast<DWORD_PTR>(this));
    }
    ++quiet_;
    SetWindowTextA(Item(kName), form_.Name().c_str());
    --quiet_;
    form_.Attach(this);

    SetClientSize(614, 322);
    CentreOnScreen();
    ComeToFront();
    SetFocus(Item(kName));
    return false;
  }

  void LayOut() {
    RECT client{};
    GetClientRect(Handle(), &client);
    const int w = client.right;
    const int h = client.bottom;
    const int m = Scale(8);
    const auto place = [&](int id, int x, int y, int cx, int cy) {
      SetWindowPos(Item(id), nullptr, x, y, std::max(cx, 0), std::max(cy, 0), SWP_NOZORDER | SWP_NOACTIVATE);
    };
    const int barHeight = Scale(40);
    place(kToolbar, 0, 0, w, barHeight);
    int y = barHeight + Scale(4);
    place(kNameLabel, m, y + Scale(3), Scale(60), Scale(16));
    place(kName, m + Scale(64), y, w - 2 * m - Scale(64), Scale(21));
    y += Scale(27);
    place(kTextLabel, m, y, Scale(120), Scale(16));
    y += Scale(18);
    const int bottomRows = Scale(62);
    place(kText, m, y, w - 2 * m, h - y - bottomRows);
    const int row1 = h - bottomRows + Scale(6);
    place(kUseHotkey, m, row1, Scale(200), Scale(20));
    place(kHotkeyLabel, m, row1 + Scale(29), Scale(44), Scale(16));
    place(kHotkey, m + Scale(48), row1 + Scale(26), Scale(150), Scale(21));
    const int buttons = Scale(75) * 2 + Scale(6);
    place(kProblem, m + Scale(210), row1, w - 2 * m - Scale(216) - buttons, Scale(48));
    place(IDOK, w - m - buttons, row1 + Scale(22), Scale(75), Scale(25));
    place(IDCANCEL, w - m - Scale(75), row1 + Scale(22), Scale(75), Scale(25));
    InvalidateRect(Handle(), nullptr, TRUE);
  }

  void InsertTag(std::string_view tag) {
    CHARRANGE range{};
    SendMessageA(Item(kText), EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&range));
    // The control counts UTF-16 units, the form ANSI bytes.
    const TextPositions positions = Positions();
    const auto start = positions.BytesOf(static_cast<std::size_t>(std::max<LONG>(0, std::min(range.cpMin, range.cpMax))));
    const auto end = positions.BytesOf(static_cast<std::size_t>(std::max<LONG>(0, std::max(range.cpMin, range.cpMax))));
    form_.InsertTag(tag, start, end - start);
    SetFocus(Item(kText));
  }

  void AuthorMenu(const RECT& button) {
    const platform::UniqueMenu menu(CreatePopupMenu());
    for (std::size_t i = 0; i < std::size(kAuthorMenu); ++i)
      AppendMenuA(menu.Get(), MF_STRING, static_cast<UINT_PTR>(kAuthorMenuCommand + static_cast<int>(i)),
                  std::string(kAuthorMenu[i].caption).c_str());
    POINT at{button.left, button.bottom};
    ClientToScreen(Item(kToolbar), &at);
    TrackPopupMenu(menu.Get(), TPM_LEFTALIGN | TPM_TOPALIGN, at.x, at.y, 0, Handle(), nullptr);
  }

  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
    switch (message) {
      case WM_COMMAND: {
        const int id = LOWORD(wParam);
        const int code = HIWORD(wParam);
        if (id == IDOK) {
          if (form_.OkEnabled()) End(IDOK);
        } else if (id == IDCANCEL) {
          End(IDCANCEL);
        } else if (id >= kTagCommand && id < kTagCommand + static_cast<int>(std::size(kTagButtons))) {
          InsertTag(kTagButtons[id - kTagCommand].tag);
        } else if (id >= kAuthorMenuCommand && id < kAuthorMenuCommand + static_cast<int>(std::size(kAuthorMenu))) {
          InsertTag(kAuthorMenu[id - kAuthorMenuCommand].tag);
        } else if (quiet_ == 0 && code == EN_CHANGE) {
          if (id == kName) form_.NameChanged(WindowText(Item(kName)));
          if (id == kText) form_.TextChanged(RichText());
          if (id == kHotkey) form_.HotkeyChanged(WindowText(Item(kHotkey)));
        } else if (id == kHotkey && code == EN_KILLFOCUS) {
          form_.HotkeyLeft();
        } else if (id == kUseHotkey && code == BN_CLICKED) {
          form_.BoxToggled(IsDlgButtonChecked(Handle(), kUseHotkey) == BST_CHECKED);
        }
        return true;
      }
      case WM_NOTIFY: {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        if (header->code == TBN_DROPDOWN) {
          const auto* drop = reinterpret_cast<const NMTOOLBARA*>(lParam);
          AuthorMenu(drop->rcButton);
          SetResult(TBDDRET_DEFAULT);
          return true;
        }
        if (header->code == TTN_GETDISPINFOA) {
          auto* info = reinterpret_cast<NMTTDISPINFOA*>(lParam);
          const auto id = static_cast<int>(header->idFrom) - kTagCommand;
          if (id >= 0 && id < static_cast<int>(std::size(kTagButtons))) {
            hint_ = std::string(kTagButtons[id].hint);
            info->lpszText = hint_.data();
          }
          return true;
        }
        return false;
      }
      case WM_HELP: {
        const auto* info = reinterpret_cast<const HELPINFO*>(lParam);
        if (showHelp_ && info != nullptr)
          showHelp_(HelpOf(static_cast<HWND>(info->hItemHandle)));
        return true;
      }
      case WM_SIZE:
        LayOut();
        return true;
      case WM_GETMINMAXINFO: {
        auto* limits = reinterpret_cast<MINMAXINFO*>(lParam);
        limits->ptMinTrackSize = {Scale(613), Scale(320)};
        return true;
      }
      default:
        return false;
    }
  }

  HBRUSH OnControlColour(UINT message, HDC dc, HWND edit) override {
    if (message != WM_CTLCOLOREDIT || edit != Item(kHotkey)) return nullptr;
    SetTextColor(dc, hotkeyColour_);
    SetBkColor(dc, GetSysColor(COLOR_WINDOW));
    return GetSysColorBrush(COLOR_WINDOW);
  }

  int HelpOf(HWND window) const {
    while (window != nullptr && window != Handle()) {
      if (const DWORD help = GetWindowContextHelpId(window)) return static_cast<int>(help);
      window = GetParent(window);
    }
    return kHelpTemplateEditor;
  }

  // Each character of the text control with its length in UTF-16 units and in ANSI bytes.
  TextPositions Positions() const {
    const HWND text = Item(kText);
    GETTEXTLENGTHEX length{GTL_NUMCHARS | GTL_PRECISE, 1200};
    const auto size = static_cast<std::size_t>(
        std::max<LRESULT>(0, SendMessageW(text, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&length), 0)));
    std::wstring wide(size + 1, L'\0');
    GETTEXTEX get{static_cast<DWORD>(wide.size() * sizeof(wchar_t)), GT_DEFAULT, 1200, nullptr, nullptr};
    const auto got = static_cast<std::size_t>(std::max<LRESULT>(
        0, SendMessageW(text, EM_GETTEXTEX, reinterpret_cast<WPARAM>(&get), reinterpret_cast<LPARAM>(wide.data()))));
    wide.resize(std::min(got, size));
    std::vector<CharWidths> widths;
    widths.reserve(wide.size());
    for (std::size_t i = 0; i < wide.size();) {
      const bool pair = IS_HIGH_SURROGATE(wide[i]) && i + 1 < wide.size() && IS_LOW_SURROGATE(wide[i + 1]);
      const int units = pair ? 2 : 1;
      char bytes[8];
      const int n = WideCharToMultiByte(CP_ACP, 0, wide.data() + i, units, bytes, sizeof bytes, nullptr, nullptr);
      widths.push_back({static_cast<std::uint8_t>(units), static_cast<std::uint8_t>(n >= 1 ? n : 1)});
      i += static_cast<std::size_t>(units);
    }
    return TextPositions(std::move(widths));
  }

  std::string RichText() const {
    const HWND text = Item(kText);
    GETTEXTLENGTHEX length{GTL_NUMCHARS | GTL_PRECISE, CP_ACP};
    const auto size = static_cast<std::size_t>(
        std::max<LRESULT>(0, SendMessageA(text, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&length), 0)));
    std::string result(size * 2 + 1, '\0');
    GETTEXTEX get{static_cast<DWORD>(result.size()), GT_DEFAULT, CP_ACP, nullptr, nullptr};
    const auto got = static_cast<std::size_t>(std::max<LRESULT>(
        0, SendMessageA(text, EM_GETTEXTEX, reinterpret_cast<WPARAM>(&get), reinterpret_cast<LPARAM>(result.data()))));
    result.resize(std::min(got, result.size()));
    return result;
  }

  // Alt+letter of a tag button clicks it, unless another control of the dialog takes the letter.
  static LRESULT CALLBACK PreviewKey(int code, WPARAM wParam, LPARAM lParam) {
    const auto* message = reinterpret_cast<const MSG*>(lParam);
    TemplateEditorWindow* self = shown_;
    if (code == MSGF_DIALOGBOX && message != nullptr && message->message == WM_SYSCHAR && self != nullptr &&
        self->Handle() != nullptr && GetAncestor(message->hwnd, GA_ROOT) == self->Handle()) {
      if (const auto button = TagButtonForAccessKey(static_cast<char>(message->wParam), self->Focus())) {
        SendMessageA(self->Handle(), WM_COMMAND, MAKEWPARAM(kTagCommand + static_cast<int>(*button), BN_CLICKED),
                     reinterpret_cast<LPARAM>(self->Item(kToolbar)));
        return 1;  // handled, as the dialog manager handles a control's access key
      }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
  }

  TemplateEditorFocus Focus() const {
    const HWND focus = GetFocus();
    for (const auto& [id, field] :
         {std::pair{kName, TemplateEditorFocus::Name}, std::pair{kText, TemplateEditorFocus::Text},
          std::pair{kUseHotkey, TemplateEditorFocus::UseHotkey}, std::pair{kHotkey, TemplateEditorFocus::Hotkey}})
      if (focus != nullptr && focus == Item(id)) return field;
    return TemplateEditorFocus::Other;
  }

  // Esc closes the dialog from any field; F1 answers for the field.
  static LRESULT CALLBACK FieldProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR data) {
    auto* self = reinterpret_cast<TemplateEditorWindow*>(data);
    if (message == WM_KEYDOWN && wParam == VK_ESCAPE) {
      self->End(IDCANCEL);
      return 0;
    }
    if (message == WM_KEYDOWN && wParam == VK_F1) {
      if (self->showHelp_) self->showHelp_(self->HelpOf(window));
      return 0;
    }
    // The dialog manager selects all of an edit it moves the focus to (Tab, an access key); in the
    // template text the next key or tag would then replace the whole template, so the caret stays.
    if (message == WM_GETDLGCODE && window == self->Item(kText))
      return DefSubclassProc(window, message, wParam, lParam) & ~static_cast<LRESULT>(DLGC_HASSETSEL);
    if (message == WM_NCDESTROY) RemoveWindowSubclass(window, &TemplateEditorWindow::FieldProc, kFieldSubclass);
    return DefSubclassProc(window, message, wParam, lParam);
  }

  static inline thread_local TemplateEditorWindow* shown_ = nullptr;
  TemplateEditorForm& form_;
  const std::function<void(int)>& showHelp_;
  platform::UniqueFont font_;
  std::vector<TextSpan> red_;  // the tags coloured last
  std::array<std::string, std::size(kTagButtons)> captions_;
  std::string hint_;
  COLORREF hotkeyColour_ = RGB(0, 0, 0);
  int quiet_ = 0;
};

}  // namespace

bool Win32TemplateEditor::Edit(TemplateEditorState& state) {
  TemplateEditorForm form(keys_);
  form.SetName(state.name);
  form.SetText(state.text);
  form.SetHotkey(state.hotkey);
  form.SetHotkeyFailed(state.hotkeyFailed);
  TemplateEditorWindow window(form, showHelp_);
  if (!window.Show(owner_)) return false;
  state.name = form.Name();
  state.text = form.Text();
  state.hotkey = form.Hotkey();
  return true;
}

}  // namespace bw::ui
