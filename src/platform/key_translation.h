// What a key types in the keyboard layout and key state of the thread the program is attached
// to (the thread of the foreground window), so that a key event reported from another program
// can be read as the character it produces there.
#pragma once

#include <cstdint>
#include <string>

#include "platform/user_input.h"

namespace bw::platform {

class KeyTranslation {
public:
  virtual ~KeyTranslation() = default;
  // The characters the key types with the attached thread's current key state (none, one, or
  // two for a dead key followed by a key it cannot combine with).
  virtual std::string Translate(std::uint32_t virtualKey, std::uint32_t scanCode) = 0;
  // Shift, Ctrl and Alt as the attached thread's key state holds them.
  virtual Modifiers StateModifiers() = 0;
};

}  // namespace bw::platform
