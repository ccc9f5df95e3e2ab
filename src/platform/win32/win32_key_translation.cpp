#include "platform/win32/win32_key_translation.h"

#include <windows.h>

#include <array>

namespace bw::platform {

std::string Win32KeyTranslation::Translate(std::uint32_t virtualKey, std::uint32_t scanCode) {
  std::array<BYTE, 256> state{};
  if (!GetKeyboardState(state.data())) return {};
  WORD chars[2] = {0, 0};
  const int count = ToAscii(virtualKey, scanCode, state.data(), chars, 0);
  std::string text;
  for (int i = 0; i < count && i < 2; ++i) text.push_back(static_cast<char>(chars[i] & 0xFF));
  return text;
}

Modifiers Win32KeyTranslation::StateModifiers() {
  std::array<BYTE, 256> state{};
  if (!GetKeyboardState(state.data())) return 0;
  Modifiers held = 0;
  if ((state[VK_SHIFT] & 0x80) != 0) held |= kShift;
  if ((state[VK_CONTROL] & 0x80) != 0) held |= kCtrl;
  if ((state[VK_MENU] & 0x80) != 0) held |= kAlt;
  return held;
}

}  // namespace bw::platform
