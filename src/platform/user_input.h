// The user's own keyboard and mouse: which modifiers are physically held, blocking all input
// while the program types, the busy cursor, and the drawing lock of one window.
#pragma once

#include <cstdint>

#include "platform/window_id.h"

namespace bw::platform {

// The held modifier keys as bits (not the bits of a stored hotkey code, TShortCut).
using Modifiers = std::uint8_t;
inline constexpr Modifiers kHeldShift = 1;
inline constexpr Modifiers kHeldCtrl = 2;
inline constexpr Modifiers kHeldAlt = 4;

class UserInput {
public:
  virtual ~UserInput() = default;
  // The modifier keys held down on the keyboard right now.
  virtual Modifiers HeldModifiers() = 0;
  // Blocks (true) or releases (false) keyboard and mouse input system-wide. False on failure.
  virtual bool BlockInput(bool block) = 0;
  // The hourglass (true) or the normal cursor (false) in the program's own windows.
  virtual void ShowBusyCursor(bool busy) = 0;
  // Locks drawing of one window; kNoWindow releases the lock. False on failure
  // (only one window can be locked at a time).
  virtual bool LockWindowUpdate(WindowId window) = 0;
  // True when the user pressed Esc on the keyboard since input was last blocked: the typing
  // run is to stop. Input the system blocks itself cannot be read; Ctrl+Alt+Del ends that block,
  // and an Esc afterwards counts.
  virtual bool StopRequested() { return false; }
};

}  // namespace bw::platform
