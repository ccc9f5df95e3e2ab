// Modifier state, input blocking, busy cursor and drawing lock from the Windows API.
#pragma once

#include <atomic>
#include <functional>

#include "platform/user_input.h"

namespace bw::platform {

// Shift, Ctrl and Alt as they are physically held now (GetAsyncKeyState), system-wide.
Modifiers AsyncHeldModifiers();

class Win32UserInput final : public UserInput {
public:
  Modifiers HeldModifiers() override;
  bool BlockInput(bool block) override;
  void ShowBusyCursor(bool busy) override;
  bool LockWindowUpdate(WindowId window) override;

  // True while a busy cursor is shown; the program's windows answer WM_SETCURSOR with the
  // hourglass meanwhile. Safe from any thread.
  static bool BusyCursorShown();

  // Swallows (true) or lets through (false) the user's own keys and mouse buttons; used when
  // the system refuses to block input (it needs elevation on current Windows). Returns whether
  // the requested state holds. Set once at start-up, cleared (empty) before it goes away.
  using InputSwallower = std::function<bool(bool swallow)>;
  static void SetInputSwallower(InputSwallower swallower);
  // Whether the user pressed Esc while the swallower held the input (it sees the swallowed
  // keys). Set once at start-up, cleared (empty) before it goes away.
  using StopQuery = std::function<bool()>;
  static void SetStopQuery(StopQuery query);

  // Esc pressed since the block began: asked of the swallower while it holds the input,
  // otherwise read from the keyboard (after Ctrl+Alt+Del ended the system's block).
  bool StopRequested() override;

private:
  // How this object's block is held: 0 none, 1 by the system, 2 by the swallower.
  std::atomic<int> blockedBy_{0};
};

}  // namespace bw::platform
