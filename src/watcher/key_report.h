// How the watcher describes one low-level key event to its receiver: the virtual key and the
// flags a keyboard message for the same key would carry.
#pragma once

#include <bitset>
#include <cstdint>

namespace bw::watcher {

// One key event as the low-level keyboard hook sees it.
struct LowLevelKey {
  std::uint32_t virtualKey = 0;  // may name the left or right modifier key
  std::uint32_t scanCode = 0;
  bool extended = false;
  bool altDown = false;
  bool released = false;
};

// A keyboard message names modifiers without side: VK_LSHIFT and VK_RSHIFT arrive as VK_SHIFT.
std::uint32_t MessageVirtualKey(std::uint32_t lowLevelKey);

// lParam of the key event: repeat count 1, scan code, extended, Alt, previous state, transition.
std::uint32_t KeyMessageFlags(const LowLevelKey& key, bool wasDown);

// Which keys are held, so that an auto-repeated press reports "was down" like a keyboard message.
class KeyDownTable {
public:
  // Records the event and returns the key's previous state (true: it was down).
  bool Record(const LowLevelKey& key);

private:
  std::bitset<256> down_;
};

}  // namespace bw::watcher
