// Key names for tests that do not care about the keyboard layout: letters, digits and the
// punctuation of the standard hotkeys, as a US layout names them.
#pragma once

#include <string>

#include "platform/key_names.h"

namespace bw::platform {

class FakeKeyNames : public KeyNames {
public:
  std::string LayoutKeyName(std::uint8_t virtualKey) override {
    switch (virtualKey) {
      case 0xBE: return ".";
      case 0xBC: return ",";
      case 0xDD: return "]";
      case 0xDB: return "[";
      case 0xBF: return "/";
      default: return "";
    }
  }
};

}  // namespace bw::platform
