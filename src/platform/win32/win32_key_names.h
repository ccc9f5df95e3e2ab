// Key names of the current keyboard layout.
#pragma once

#include "platform/key_names.h"

namespace bw::platform {

class Win32KeyNames final : public KeyNames {
public:
  std::string LayoutKeyName(std::uint8_t virtualKey) override;
};

}  // namespace bw::platform
