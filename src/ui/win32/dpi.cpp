#include "ui/win32/dpi.h"

#include "platform/win32/unique_resource.h"

namespace bw::win32 {

int WindowDpi(HWND window) {
  // GetDpiForWindow exists from Windows 10 on; older systems have one DPI for all monitors.
  using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
  static const auto getDpiForWindow = [] {
    const HMODULE user32 = GetModuleHandleA("user32.dll");
    const FARPROC proc = user32 ? GetProcAddress(user32, "GetDpiForWindow") : nullptr;
    return reinterpret_cast<GetDpiForWindowFn>(reinterpret_cast<void*>(proc));
  }();
  if (getDpiForWindow != nullptr && window != nullptr) {
    const UINT dpi = getDpiForWindow(window);
    if (dpi != 0) return static_cast<int>(dpi);
  }
  const platform::WindowDc screen;
  const int dpi = GetDeviceCaps(screen.Get(), LOGPIXELSY);
  return dpi > 0 ? dpi : 96;
}

}  // namespace bw::win32
