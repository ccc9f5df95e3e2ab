// Key names of the US keyboard layout, as Windows gives them, for native builds and tests.
#pragma once

#include <cstdint>

#include "platform/key_names.h"

namespace bw::platform {

// Answers what GetKeyNameText gives on a US layout (kbdus) for the scan code that
// MapVirtualKey(vk, MAPVK_VK_TO_VSC) returns, shifted left 16 bits, extended bit clear.
class UsKeyNames final : public KeyNames {
public:
  std::string LayoutKeyName(std::uint8_t virtualKey) override;

  // The scan code MapVirtualKey gives for a virtual key on the US layout; 0 for none.
  static std::uint8_t ScanCode(std::uint8_t virtualKey);
  // GetKeyNameText of a scan code without the extended bit; empty when the key has no name.
  static std::string ScanCodeName(std::uint8_t scanCode);
};

}  // namespace bw::platform
