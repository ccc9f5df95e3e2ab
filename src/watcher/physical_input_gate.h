// While the program types into another window, the user's own keys and mouse buttons are kept
// away from it (when the system refuses to block input). Keys the program or other tools
// inject pass; a key that was already down when the gate closed may still come up, so that
// no key stays stuck down for the rest of the session.
#pragma once

#include <bitset>
#include <cstdint>

namespace bw::watcher {

class PhysicalInputGate {
public:
  void Close();  // from now on physical input is swallowed
  void Open();   // everything passes again
  bool IsClosed() const { return closed_; }

  // True when the key event is to be swallowed.
  bool SwallowKey(std::uint32_t virtualKey, bool released, bool injected);
  // True when the mouse event is to be swallowed: buttons and wheels, not movement.
  bool SwallowMouse(bool isButtonOrWheel, bool injected) const { return closed_ && isButtonOrWheel && !injected; }

private:
  bool closed_ = false;
  std::bitset<256> swallowedDown_;
};

}  // namespace bw::watcher
