// Posting keyboard messages and the active keyboard layout, from the Windows API.
#pragma once

#include "platform/keyboard.h"

namespace bw::platform {

class Win32Keyboard final : public Keyboard {
public:
  bool Post(WindowId window, KeyMessage message, std::uint32_t wParam, std::uint32_t lParam) override;
  std::int16_t KeyForChar(char c) override;
};

}  // namespace bw::platform
