#include "ui/win32/modal_dialog.h"

#include <cstring>
#include <vector>

#include "platform/win32/foreground_return.h"

namespace bw::ui {
namespace {

// DLGTEMPLATE, no menu, the default class, the caption and the font, as WORDs; controls none.
std::vector<WORD> BuildTemplate(DWORD style, DWORD exStyle, const std::string& caption) {
  std::vector<WORD> words((sizeof(DLGTEMPLATE) + sizeof(WORD) - 1) / sizeof(WORD), 0);
  DLGTEMPLATE head{};
  head.style = style | DS_SETFONT | DS_FIXEDSYS;
  head.dwExtendedStyle = exStyle;
  std::memcpy(words.data(), &head, sizeof head);
  words.push_back(0);  // no menu
  words.push_back(0);  // the dialog class
  const auto appendWide = [&](const std::string& text) {
    const int length = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::vector<wchar_t> wide(static_cast<std::size_t>(length));
    if (length > 0) MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(), length);
    for (const wchar_t c : wide) words.push_back(static_cast<WORD>(c));
    words.push_back(0);
  };
  appendWide(caption);
  words.push_back(8);  // points
  appendWide("MS Shell Dlg");
  return words;
}

// The program's open dialogs, outermost first; all of them live on the user-interface thread.
std::vector<HWND>& OpenDialogs() {
  static std::vector<HWND> open;
  return open;
}

void BringToFront(HWND dialog) {
  if (IsIconic(dialog)) ShowWindow(dialog, SW_RESTORE);
  BringWindowToTop(dialog);
  SetForegroundWindow(dialog);
}

}  // namespace

namespace {

// A message box of this thread that is on the screen (the boxes are dialogs of the system's
// class; the program's own dialogs are found in the list first).
BOOL CALLBACK FindMessageBox(HWND window, LPARAM found) {
  char className[16] = {};
  GetClassNameA(window, className, sizeof className);
  if (std::strcmp(className, "#32770") != 0 || !IsWindowVisible(window)) return TRUE;
  *reinterpret_cast<HWND*>(found) = window;
  return FALSE;
}

}  // namespace

HWND ModalDialog::OpenDialog() {
  // A dialog leaves the list when its window is gone.
  auto& open = OpenDialogs();
  std::erase_if(open, [](HWND dialog) { return !IsWindow(dialog); });
  if (!open.empty()) return open.back();
  HWND box = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), &FindMessageBox, reinterpret_cast<LPARAM>(&box));
  return box;
}

bool ModalDialog::BringOpenDialogToFront() {
  const HWND open = OpenDialog();
  if (open == nullptr) return false;
  BringToFront(open);
  return true;
}

std::string WindowText(HWND window) {
  std::string text(static_cast<std::size_t>(GetWindowTextLengthA(window)) + 1, '\0');
  const int length = GetWindowTextA(window, text.data(), static_cast<int>(text.size()));
  text.resize(static_cast<std::size_t>(length > 0 ? length : 0));
  return text;
}

INT_PTR ModalDialog::Run(HWND owner, DWORD style, DWORD exStyle, const std::string& caption) {
  // Only a sub-dialog of the open dialog may open over it.
  if (const HWND open = OpenDialog(); open != nullptr && (owner == nullptr || GetAncestor(owner, GA_ROOT) != open)) {
    BringToFront(open);
    return -1;
  }
  const platform::ForegroundReturn foreground;
  const std::vector<WORD> words = BuildTemplate(style, exStyle, caption);
  return DialogBoxIndirectParamA(GetModuleHandleA(nullptr), reinterpret_cast<LPCDLGTEMPLATEA>(words.data()), owner,
                                 &ModalDialog::Procedure, reinterpret_cast<LPARAM>(this));
}

INT_PTR CALLBACK ModalDialog::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    auto* self = reinterpret_cast<ModalDialog*>(lParam);
    SetWindowLongPtrA(window, DWLP_USER, lParam);
    self->handle_ = window;
    OpenDialogs().push_back(window);
    self->dpi_ = WindowDpi(window);
    return self->OnInit() ? TRUE : FALSE;
  }
  auto* self = reinterpret_cast<ModalDialog*>(GetWindowLongPtrA(window, DWLP_USER));
  if (self == nullptr) return FALSE;
  if (message == win32::kDpiChangedMessage && LOWORD(wParam) != 0 && LOWORD(wParam) != self->dpi_) {
    // Before the dialog manager's own handling (the message is not marked handled), so that the
    // layout after its resizing already measures at the new DPI.
    self->dpi_ = LOWORD(wParam);
    self->OnDpiChanged();
  }
  if (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC) {
    if (const HBRUSH brush = self->OnControlColour(message, reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam)))
      return reinterpret_cast<INT_PTR>(brush);
  }
  const bool handled = self->OnMessage(message, wParam, lParam);
  if (message == WM_NCDESTROY) self->handle_ = nullptr;
  if (!handled && message == WM_HELP && lParam != 0) {
    // A dialog that does not answer F1 itself hands it on with the one rule of every dialog:
    // the number of the control (or its nearest parent) that has one, else the dialog's.
    HELPINFO info = *reinterpret_cast<const HELPINFO*>(lParam);
    info.dwContextId = static_cast<DWORD_PTR>(ContextHelpAt(static_cast<HWND>(info.hItemHandle), window));
    if (const HWND owner = GetWindow(window, GW_OWNER)) SendMessageA(owner, WM_HELP, 0, reinterpret_cast<LPARAM>(&info));
    return TRUE;
  }
  return handled ? TRUE : FALSE;
}

int ContextHelpAt(HWND control, HWND dialog) {
  for (HWND window = control; window != nullptr; window = GetParent(window)) {
    if (const DWORD help = GetWindowContextHelpId(window)) return static_cast<int>(help);
    if (window == dialog) break;
  }
  return static_cast<int>(GetWindowContextHelpId(dialog));
}

HWND ModalDialog::AddControl(const char* className, const char* text, DWORD style, DWORD exStyle, int id, int left,
                             int top, int width, int height) {
  const HWND control = CreateWindowExA(exStyle, className, text, style | WS_CHILD | WS_VISIBLE, Scale(left), Scale(top),
                                       Scale(width), Scale(height), handle_,
                                       reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleA(nullptr),
                                       nullptr);
  if (control != nullptr) SendMessageA(control, WM_SETFONT, SendMessageA(handle_, WM_GETFONT, 0, 0), FALSE);
  return control;
}

void ModalDialog::SetClientSize(int width, int height) {
  RECT frame{0, 0, Scale(width), Scale(height)};
  AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongPtrA(handle_, GWL_STYLE)), FALSE,
                     static_cast<DWORD>(GetWindowLongPtrA(handle_, GWL_EXSTYLE)));
  SetWindowPos(handle_, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void ModalDialog::CentreOnScreen() {
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  GetMonitorInfoA(MonitorFromWindow(handle_, MONITOR_DEFAULTTOPRIMARY), &monitor);
  RECT bounds{};
  GetWindowRect(handle_, &bounds);
  const RECT& area = monitor.rcWork;
  const int width = bounds.right - bounds.left;
  const int height = bounds.bottom - bounds.top;
  SetWindowPos(handle_, nullptr, area.left + (area.right - area.left - width) / 2,
               area.top + (area.bottom - area.top - height) / 2, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void ModalDialog::CentreOn(HWND owner) {
  if (owner == nullptr || !IsWindowVisible(owner)) {
    CentreOnScreen();
    return;
  }
  RECT around{}, self{};
  GetWindowRect(owner, &around);
  GetWindowRect(handle_, &self);
  SetWindowPos(handle_, nullptr, (around.left + around.right - (self.right - self.left)) / 2,
               (around.top + around.bottom - (self.bottom - self.top)) / 2, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void ModalDialog::ComeToFront() {
  BringWindowToTop(handle_);
  SetForegroundWindow(handle_);
}

}  // namespace bw::ui
