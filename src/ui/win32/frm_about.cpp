#include "ui/win32/frm_about.h"

#include <array>

#include "launch/shell_start.h"
#include "ui/win32/modal_dialog.h"
#include "platform/win32/unique_resource.h"

namespace bw::ui {
namespace {

using namespace about_ids;
constexpr COLORREF kLinkColour = RGB(0, 0, 255);

class AboutDialog final : public ModalDialog {
public:
  AboutDialog(const AboutTexts& texts, HICON icon, const StringList& whatsNew, platform::Shell& shell)
      : texts_(texts), icon_(icon), whatsNew_(whatsNew), shell_(shell) {}

  void Execute(HWND owner) { Run(owner, WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME, 0, "About"); }

private:
  // A label in Verdana of this height at 96 dots per inch.
  struct Label {
    int id = 0;
    int pixels = 0;
    bool underline = false;
    platform::UniqueFont font;
  };

  void SetLabelFont(Label& label, BOOL redraw) {
    label.font.Reset(CreateFontA(Scale(label.pixels), 0, 0, 0, FW_NORMAL, FALSE, label.underline ? TRUE : FALSE, FALSE,
                                 ANSI_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                 DEFAULT_PITCH | FF_SWISS, "Verdana"));
    SendMessageA(Item(label.id), WM_SETFONT, reinterpret_cast<WPARAM>(label.font.Get()), redraw);
  }
  void Text(int id, const std::string& text, int left, int top, int width, int height, int pixels,
            bool underline = false, DWORD style = 0) {
    AddControl("STATIC", text.c_str(), SS_LEFT | SS_NOPREFIX | SS_ENDELLIPSIS | style, 0, id, left, top, width, height);
    Label& label = labels_.at(static_cast<std::size_t>(labelCount_++));
    label.id = id;
    label.pixels = pixels;
    label.underline = underline;
    SetLabelFont(label, FALSE);
  }
  // The dialog manager moves the labels; their fonts are the dialog's own.
  void OnDpiChanged() override {
    for (int i = 0; i < labelCount_; ++i) SetLabelFont(labels_[static_cast<std::size_t>(i)], TRUE);
  }

  bool OnInit() override {
    SetClientSize(296, 141);
    const HWND image = AddControl("STATIC", "", SS_ICON | SS_REALSIZEIMAGE, 0, kImage, 8, 8, 32, 32);
    if (icon_ != nullptr) SendMessageA(image, STM_SETICON, reinterpret_cast<WPARAM>(icon_), 0);
    Text(kApplicationName, texts_.fileDescription, 48, 8, 244, 24, 19);
    Text(kVersion, texts_.fileVersion, 48, 32, 244, 14, 11);
    Text(kCompany, texts_.companyName, 48, 48, 244, 20, 16);
    AddControl("STATIC", "", SS_ETCHEDHORZ, 0, kBevel, 8, 74, 280, 2);
    Text(kCopyright, texts_.legalCopyright, 8, 82, 280, 16, 11);
    Text(kInternet, texts_.internet, 8, 98, 280, 16, 11, true, SS_NOTIFY);
    if (HasWhatsNew(whatsNew_))
      AddControl("BUTTON", "What's New", WS_TABSTOP | BS_PUSHBUTTON, 0, kWhatsNewButton, 8, 116, 90, 23);
    AddControl("BUTTON", "OK", WS_TABSTOP | BS_DEFPUSHBUTTON, 0, IDOK, 213, 116, 75, 23);
    CentreOnScreen();
    ComeToFront();
    SetFocus(Item(IDOK));
    return false;
  }

  bool OnMessage(UINT message, WPARAM wParam, LPARAM) override {
    switch (message) {
      case WM_SETCURSOR:
        if (reinterpret_cast<HWND>(wParam) == Item(kInternet) && LinkActive(texts_)) {
          SetCursor(LoadCursorA(nullptr, IDC_HAND));
          SetResult(TRUE);
          return true;
        }
        return false;
      case WM_COMMAND:
        switch (LOWORD(wParam)) {
          case kInternet:
            if (HIWORD(wParam) == STN_CLICKED && LinkActive(texts_)) OpenWebAddress(shell_, texts_.internet);
            return true;
          case kWhatsNewButton:
            ShowWhatsNew(Handle(), whatsNew_);
            return true;
          case IDOK:
          case IDCANCEL:
            End(IDOK);
            return true;
          default:
            return false;
        }
      default:
        return false;
    }
  }

  HBRUSH OnControlColour(UINT message, HDC dc, HWND control) override {
    if (message != WM_CTLCOLORSTATIC || control != Item(kInternet)) return nullptr;
    SetTextColor(dc, kLinkColour);
    SetBkMode(dc, TRANSPARENT);
    return GetSysColorBrush(COLOR_BTNFACE);
  }

  const AboutTexts& texts_;
  HICON icon_;
  const StringList& whatsNew_;
  platform::Shell& shell_;
  std::array<Label, 5> labels_;
  int labelCount_ = 0;
};

class WhatsNewWindow final : public ModalDialog {
public:
  explicit WhatsNewWindow(const StringList& lines) : lines_(lines) {}

  void Execute(HWND owner) {
    Run(owner, WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME, WS_EX_LAYERED, std::string(kWhatsNewCaption));
  }

private:
  bool OnInit() override {
    SetLayeredWindowAttributes(Handle(), 0, kWhatsNewAlpha, LWA_ALPHA);
    SetWindowPos(Handle(), nullptr, 0, 0, Scale(kWhatsNewWidth), Scale(WhatsNewHeight(lines_.size())),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    RECT client{};
    GetClientRect(Handle(), &client);
    std::string text;
    for (std::size_t i = 0; i < lines_.size(); ++i) text += (i == 0 ? "" : "\r\n") + lines_[i];
    const HWND memo = CreateWindowExA(0, "EDIT", text.c_str(),
                                      WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL,
                                      0, 0, client.right, client.bottom, Handle(),
                                      reinterpret_cast<HMENU>(static_cast<INT_PTR>(kMemo)), GetModuleHandleA(nullptr),
                                      nullptr);
    SetMemoFont(memo, FALSE);
    CentreOnScreen();
    SetFocus(memo);
    SendMessageA(memo, EM_SETSEL, 0, 0);
    return false;
  }

  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_COMMAND && (LOWORD(wParam) == IDCANCEL || LOWORD(wParam) == IDOK)) {
      End(IDOK);
      return true;
    }
    if (message == WM_SIZE && Item(kMemo) != nullptr) {
      MoveWindow(Item(kMemo), 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
      return true;
    }
    return false;
  }

  HBRUSH OnControlColour(UINT message, HDC dc, HWND) override {
    if (message != WM_CTLCOLORSTATIC) return nullptr;  // a read-only edit asks with this one
    SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
    return GetSysColorBrush(COLOR_BTNFACE);
  }

  void SetMemoFont(HWND memo, BOOL redraw) {
    font_.Reset(CreateFontA(Scale(13), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                            CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, "Verdana"));
    SendMessageA(memo, WM_SETFONT, reinterpret_cast<WPARAM>(font_.Get()), redraw);
  }
  // A window made by hand, not by the dialog manager: the memo follows the new client area.
  void OnDpiChanged() override { SetMemoFont(Item(kMemo), TRUE); }

  const StringList& lines_;
  platform::UniqueFont font_;
};

}  // namespace

void ShowAboutBox(HWND owner, const AboutTexts& texts, HICON icon, const StringList& whatsNew,
                  platform::Shell& shell) {
  AboutDialog dialog(texts, icon, whatsNew, shell);
  dialog.Execute(owner);
}

void ShowWhatsNew(HWND owner, const StringList& lines) {
  WhatsNewWindow window(lines);
  window.Execute(owner);
}

}  // namespace bw::ui
