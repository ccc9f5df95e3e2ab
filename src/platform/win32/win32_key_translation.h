// Key translation with the key state of the attached thread and the active layout
// (GetKeyboardState, ToAscii).
#pragma once

#include "platform/key_translation.h"

namespace bw::platform {

class Win32KeyTranslation final : public KeyTranslation {
public:
  std::string Translate(std::uint32_t virtualKey, std::uint32_t scanCode) override;
  Modifiers StateModifiers() override;
};

}  // namespace bw::platform
