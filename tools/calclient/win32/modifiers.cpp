#include "modifiers.h"

namespace bw::calclient {

namespace {
bool Down(int virtualKey) { return (GetKeyState(virtualKey) & 0x8000) != 0; }
}  // namespace

bool Modifiers::IsModifierKey(WPARAM virtualKey) {
  switch (virtualKey) {
    case VK_SHIFT: case VK_LSHIFT: case VK_RSHIFT:
    case VK_CONTROL: case VK_LCONTROL: case VK_RCONTROL:
    case VK_MENU: case VK_LMENU: case VK_RMENU: return true;
    default: return false;
  }
}

void Modifiers::Observe(UINT message, WPARAM virtualKey) {
  bool down;
  if (message == WM_KEYDOWN || message == WM_SYSKEYDOWN) down = true;
  else if (message == WM_KEYUP || message == WM_SYSKEYUP) down = false;
  else return;
  switch (virtualKey) {
    case VK_SHIFT: case VK_LSHIFT: case VK_RSHIFT: posted_.shift = down; break;
    case VK_CONTROL: case VK_LCONTROL: case VK_RCONTROL: posted_.control = down; break;
    case VK_MENU: case VK_LMENU: case VK_RMENU: posted_.alt = down; break;
    default: break;
  }
}

HeldModifiers Modifiers::Real() { return {Down(VK_SHIFT), Down(VK_CONTROL), Down(VK_MENU)}; }

HeldModifiers Modifiers::Effective() const {
  const HeldModifiers real = Real();
  return {real.shift || posted_.shift, real.control || posted_.control, real.alt || posted_.alt};
}

}  // namespace bw::calclient
