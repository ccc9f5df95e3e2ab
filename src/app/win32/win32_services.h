// The Windows side of the platform interfaces the application core asks for: hotkeys of the
// main window, the shell, the screen and the program's own resources.
#pragma once

#include <windows.h>

#include "platform/hotkey_registrar.h"
#include "platform/resources.h"
#include "platform/screen.h"
#include "platform/shell.h"

namespace bw::win32 {

class Win32HotkeyRegistrar final : public platform::HotkeyRegistrar {
public:
  void SetWindow(HWND window) { window_ = window; }
  bool Register(int id, unsigned modifiers, unsigned virtualKey) override;
  void Unregister(int id) override;

private:
  HWND window_ = nullptr;
};

class Win32Shell final : public platform::Shell {
public:
  std::string ExpandEnvironment(std::string_view text) override;
  bool Execute(const platform::ShellRequest& request) override;
};

class Win32Screen final : public platform::Screen {
public:
  platform::ScreenSize PrimarySize() override;
};

class Win32Resources final : public platform::Resources {
public:
  explicit Win32Resources(HMODULE module) : module_(module) {}
  std::optional<std::vector<std::uint8_t>> StringResource(std::string_view name) override;

private:
  HMODULE module_;
};

}  // namespace bw::win32
