// What a key types in the keyboard layout of the foreground window's thread with the modifiers
// the user holds, so that a key event reported from another program can be read as the
// character it produces there. Read from outside: nothing attaches to that thread.
#pragma once

#include <cstdint>
#include <string>

#include "platform/user_input.h"

namespace bw::platform {

class KeyTranslation {
public:
  virtual ~KeyTranslation() = default;
  // The characters the key types (none, one, or two for a dead key followed by a key it
  // cannot combine with).
  virtual std::string Translate(std::uint32_t virtualKey, std::uint32_t scanCode) = 0;
  // Shift, Ctrl and Alt as the user holds them now.
  virtual Modifiers StateModifiers() = 0;
};

}  // namespace bw::platform
