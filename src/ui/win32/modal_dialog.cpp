#include "ui/win32/modal_dialog.h"

#include <cstring>
#include <vector>

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

}  // namespace

std::string WindowText(HWND window) {
  std::string text(static_cast<std::size_t>(GetWindowTextLengthA(window)) + 1, '\0');
  const int length = GetWindowTextA(window, text.data(), static_cast<int>(text.size()));
  text.resize(static_cast<std::size_t>(length > 0 ? length : 0));
  return text;
}

INT_PTR ModalDialog::Run(HWND owner, DWORD style, DWORD exStyle, const std::string& caption) {
  const std::vector<WORD> words = BuildTemplate(style, exStyle, caption);
  return DialogBoxIndirectParamA(GetModuleHandleA(nullptr), reinterpret_cast<LPCDLGTEMPLATEA>(words.data()), owner,
                                 &ModalDialog::Procedure, reinterpret_cast<LPARAM>(this));
}

INT_PTR CALLBACK ModalDialog::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    auto* self = reinterpret_cast<ModalDialog*>(lParam);
    SetWindowLongPtrA(window, DWLP_USER, lParam);
    self->handle_ = window;
    self->dpi_ = WindowDpi(window);
    return self->OnInit() ? TRUE : FALSE;
  }
  auto* self = reinterpret_cast<ModalDialog*>(GetWindowLongPtrA(window, DWLP_USER));
  if (self == nullptr) return FALSE;
  if (message == WM_CTLCOLOREDIT) {
    // These messages answer with the brush itself, not with DWLP_MSGRESULT.
    const HBRUSH brush = self->OnEditColour(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    return reinterpret_cast<INT_PTR>(brush);
  }
  const bool handled = self->OnMessage(message, wParam, lParam);
  if (message == WM_NCDESTROY) self->handle_ = nullptr;
  return handled ? TRUE : FALSE;
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

void ModalDialog::ComeToFront() {
  BringWindowToTop(handle_);
  SetForegroundWindow(handle_);
}

}  // namespace bw::ui
