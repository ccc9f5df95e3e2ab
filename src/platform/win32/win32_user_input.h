// Modifier state, input blocking, busy cursor and drawing lock from the Windows API.
#pragma once

#include "platform/user_input.h"

namespace bw::platform {

class Win32UserInput final : public UserInput {
public:
  Modifiers HeldModifiers() override;
  bool BlockInput(bool block) override;
  void ShowBusyCursor(bool busy) override;
  bool LockWindowUpdate(WindowId window) override;

  // True while a busy cursor is shown; the program's windows answer WM_SETCURSOR with the
  // hourglass meanwhile. Safe from any thread.
  static bool BusyCursorShown();
};

}  // namespace bw::platform
