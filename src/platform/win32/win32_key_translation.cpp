#include "platform/win32/win32_key_translation.h"

#include <windows.h>

#include "platform/win32/win32_user_input.h"

namespace bw::platform {

std::string Win32KeyTranslation::Translate(std::uint32_t virtualKey, std::uint32_t) {
  const HWND foreground = GetForegroundWindow();
  const HKL layout = GetKeyboardLayout(foreground != nullptr ? GetWindowThreadProcessId(foreground, nullptr) : 0);
  const auto id = reinterpret_cast<std::uintptr_t>(layout);
  if (id != layout_ || layout_ == 0) {
    // Both calls read the layout only; neither touches the keyboard state.
    table_ = LayoutChars::Build([layout](char c) { return static_cast<std::int16_t>(VkKeyScanExA(c, layout)); },
                                [layout](std::uint32_t vk) {
                                  return (MapVirtualKeyExA(vk, MAPVK_VK_TO_CHAR, layout) & 0x80000000u) != 0;
                                });
    layout_ = id;
  }
  return table_.Translate(virtualKey, StateModifiers(), (GetKeyState(VK_CAPITAL) & 1) != 0);
}

Modifiers Win32KeyTranslation::StateModifiers() { return AsyncHeldModifiers(); }

}  // namespace bw::platform
