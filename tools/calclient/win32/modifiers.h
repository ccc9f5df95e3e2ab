// Shift, Ctrl and Alt as the test client reads them for each key: the thread's key state
// (GetKeyState, which a posted message does not change) and the modifier keys posted to it
// (the copy chord arrives as a posted Ctrl press around the C key).
#pragma once

#include <windows.h>

namespace bw::calclient {

struct HeldModifiers {
  bool shift = false;
  bool control = false;
  bool alt = false;
  bool Any() const { return shift || control || alt; }
};

class Modifiers {
public:
  // Follows WM_KEYDOWN / WM_KEYUP of the modifier keys; other messages and keys are ignored.
  void Observe(UINT message, WPARAM virtualKey);
  void Forget() { posted_ = {}; }  // when the client loses the keyboard

  static bool IsModifierKey(WPARAM virtualKey);
  static HeldModifiers Real();
  HeldModifiers Effective() const;

private:
  HeldModifiers posted_;
};

}  // namespace bw::calclient
