// System-wide hotkeys registered for one window, which receives WM_HOTKEY for them.
#pragma once

#include <windows.h>

#include "platform/hotkey_registrar.h"

namespace bw::platform {

class Win32HotkeyRegistrar final : public HotkeyRegistrar {
public:
  explicit Win32HotkeyRegistrar(HWND window) : window_(window) {}
  bool Register(int id, unsigned modifiers, unsigned virtualKey) override;
  void Unregister(int id) override;

private:
  HWND window_;
};

}  // namespace bw::platform
