#include "platform/win32/win32_key_translation.h"

#include <windows.h>

#include <array>

namespace bw::platform {
namespace {

bool Held(int key) { return GetAsyncKeyState(key) < 0; }

}  // namespace

std::string Win32KeyTranslation::Translate(std::uint32_t virtualKey, std::uint32_t scanCode) {
  std::array<BYTE, 256> state{};
  for (const int key : {VK_SHIFT, VK_LSHIFT, VK_RSHIFT, VK_CONTROL, VK_LCONTROL, VK_RCONTROL, VK_MENU, VK_LMENU,
                        VK_RMENU})
    if (Held(key)) state[static_cast<std::size_t>(key)] = 0x80;
  if ((GetKeyState(VK_CAPITAL) & 1) != 0) state[VK_CAPITAL] = 0x01;
  const HWND foreground = GetForegroundWindow();
  const HKL layout = GetKeyboardLayout(foreground != nullptr ? GetWindowThreadProcessId(foreground, nullptr) : 0);
  WORD chars[2] = {0, 0};
  const int count = ToAsciiEx(virtualKey, scanCode, state.data(), chars, 0, layout);
  std::string text;
  for (int i = 0; i < count && i < 2; ++i) text.push_back(static_cast<char>(chars[i] & 0xFF));
  return text;
}

Modifiers Win32KeyTranslation::StateModifiers() {
  Modifiers held = 0;
  if (Held(VK_SHIFT)) held |= kHeldShift;
  if (Held(VK_CONTROL)) held |= kHeldCtrl;
  if (Held(VK_MENU)) held |= kHeldAlt;
  return held;
}

}  // namespace bw::platform
