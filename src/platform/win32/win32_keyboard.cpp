#include "platform/win32/win32_keyboard.h"

#include <windows.h>

#include "platform/win32/window_handle.h"

namespace bw::platform {

bool Win32Keyboard::Post(WindowId window, KeyMessage message, std::uint32_t wParam, std::uint32_t lParam) {
  // PostMessage to no window would post to this thread's own queue.
  if (window == kNoWindow) return false;
  return PostMessageA(ToHwnd(window), static_cast<UINT>(message), static_cast<WPARAM>(wParam),
                      static_cast<LPARAM>(lParam)) != FALSE;
}

std::int16_t Win32Keyboard::KeyForChar(char c) { return VkKeyScanA(c); }

}  // namespace bw::platform
