// While the program types into another window, the user's own keys and mouse buttons are kept
// away from it (when the system refuses to block input). Keys the program or other tools
// inject pass; a key or button that was already down when the gate closed may still come up,
// so that nothing stays stuck down for the rest of the session (a swallowed button release
// would leave the system's button state down, and every mouse move would then drag). Esc on
// the keyboard while the gate is closed asks the typing run to stop.
#pragma once

#include <bitset>
#include <cstdint>

namespace bw::watcher {

enum class MouseButton : std::uint8_t { Left, Right, Middle, X1, X2 };
enum class MouseAction : std::uint8_t { Move, Press, Release, Wheel };

class PhysicalInputGate {
public:
  void Close();  // from now on physical input is swallowed
  void Open();   // everything passes again
  // Follows the program's state, read as an event arrives: whether input is to be swallowed and
  // how many swallowing runs have begun so far. A new run closes the gate afresh even when no
  // event came between the two runs, so that an Esc of the run before cannot stop it.
  void Follow(bool closed, std::uint32_t run);
  bool IsClosed() const { return closed_; }

  // True when the key event is to be swallowed.
  bool SwallowKey(std::uint32_t virtualKey, bool released, bool injected);
  // True when the mouse event is to be swallowed: presses and wheels while closed, and the
  // releases of swallowed presses; never movement.
  bool SwallowMouse(MouseAction action, MouseButton button, bool injected);
  // True once Esc was pressed on the keyboard since the gate last closed.
  bool StopRequested() const { return stopRequested_; }

private:
  bool closed_ = false;
  bool stopRequested_ = false;
  std::uint32_t run_ = 0;  // the run the gate was last closed for
  std::bitset<256> swallowedDown_;
  std::bitset<5> swallowedButtons_;
};

}  // namespace bw::watcher
