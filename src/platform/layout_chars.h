// The few characters code completion reads from a key, decided from a table of one keyboard
// layout instead of the layout's stateful translation: asking the system what a key types
// (ToAscii, ToUnicode) from another thread consumes a pending dead key, so the user got "^^e"
// instead of "ê". The table is built once per layout from the layout's key of each character
// (VkKeyScanEx), without touching any keyboard state; dead keys and AltGr characters are left
// out, so they pass to the editor untouched and type nothing here.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/user_input.h"

namespace bw::platform {

class LayoutChars {
public:
  // keyFor(c): the layout's key for c as VkKeyScanEx gives it (low byte the virtual key, high
  // byte 1 Shift, 2 Ctrl, 4 Alt; -1 for none). isDeadKey(vk): the key starts a dead-key sequence.
  template <typename KeyFor, typename IsDeadKey>
  static LayoutChars Build(KeyFor&& keyFor, IsDeadKey&& isDeadKey) {
    LayoutChars table;
    for (const char c : Wanted()) {
      const std::int16_t found = keyFor(c);
      if (found == -1) continue;
      const auto key = static_cast<std::uint8_t>(found & 0xFF);
      const auto state = static_cast<unsigned>((found >> 8) & 0xFF);
      if ((state & ~1u) != 0 || isDeadKey(key)) continue;  // Ctrl or Alt (AltGr) needed, or dead
      char& slot = table.chars_[static_cast<std::size_t>(key) * 2 + state];
      if (slot == 0) slot = c;
    }
    return table;
  }

  // What the key types with the modifiers held: one character or none. Letters follow Caps
  // Lock; Ctrl with a letter gives its control character and Ctrl+Space a space, as the
  // system's translation does; Ctrl with Alt (AltGr) gives nothing. Backspace, Tab, Enter and
  // Escape are the same on every layout.
  std::string Translate(std::uint32_t virtualKey, Modifiers held, bool capsLock) const {
    const bool ctrl = (held & kHeldCtrl) != 0;
    if (ctrl && (held & kHeldAlt) != 0) return {};
    switch (virtualKey) {
      case 8: return std::string(1, ctrl ? '\x7f' : '\b');
      case 9: return ctrl ? std::string() : std::string(1, '\t');
      case 13: return std::string(1, ctrl ? '\n' : '\r');
      case 27: return std::string(1, '\x1b');
      default: break;
    }
    if (virtualKey > 0xFF) return {};
    const std::size_t row = static_cast<std::size_t>(virtualKey) * 2;
    char c = chars_[row + ((held & kHeldShift) != 0 ? 1 : 0)];
    const bool letter = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
    if (letter && capsLock) c = chars_[row + ((held & kHeldShift) != 0 ? 0 : 1)];
    if (c == 0) return {};
    if (ctrl) {
      if (c == ' ') return " ";
      if (!letter) return {};
      return std::string(1, static_cast<char>((c & 0x1F)));
    }
    return std::string(1, c);
  }

private:
  static std::string_view Wanted() {
    return "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789.;() ";
  }

  // Two per virtual key: unshifted, shifted; 0 for nothing.
  std::array<char, 512> chars_{};
};

}  // namespace bw::platform
