#include "program/invisible_form.h"

namespace bw::win32 {
namespace {
constexpr const char* kClassName = "TfrmMain";
}

InvisibleForm::InvisibleForm(HINSTANCE instance, std::function<void()> onClose) : onClose_(std::move(onClose)) {
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = &InvisibleForm::WindowProc;
  windowClass.hInstance = instance;
  windowClass.lpszClassName = kClassName;
  RegisterClassA(&windowClass);
  window_.Reset(CreateWindowExA(WS_EX_TOOLWINDOW, kClassName, "", WS_POPUP, -1000, -1000, 0, 0, nullptr, nullptr,
                                instance, this));
}

LRESULT CALLBACK InvisibleForm::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  if (message == WM_CLOSE) {
    auto* self = reinterpret_cast<InvisibleForm*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    ShowWindow(window, SW_HIDE);
    if (self != nullptr && self->onClose_) self->onClose_();
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace bw::win32
