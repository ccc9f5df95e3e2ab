// The keyboard layout's names of keys.
#pragma once

#include <cstdint>
#include <string>

namespace bw::platform {

class KeyNames {
public:
  virtual ~KeyNames() = default;
  // The layout's name of a virtual key (its scan code passed to the key-name lookup);
  // empty when the key has no scan code or no name.
  virtual std::string LayoutKeyName(std::uint8_t virtualKey) = 0;
};

}  // namespace bw::platform
