#include "platform/win32/win32_hotkey_registrar.h"

namespace bw::platform {

bool Win32HotkeyRegistrar::Register(int id, unsigned modifiers, unsigned virtualKey) {
  return RegisterHotKey(window_, id, modifiers & (MOD_ALT | MOD_CONTROL | MOD_SHIFT), virtualKey) != FALSE;
}

void Win32HotkeyRegistrar::Unregister(int id) { UnregisterHotKey(window_, id); }

}  // namespace bw::platform
