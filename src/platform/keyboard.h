// Keyboard messages posted to other programs' windows, and the active keyboard layout.
#pragma once

#include <cstdint>

#include "platform/window_id.h"

namespace bw::platform {

enum class KeyMessage : std::uint32_t {
  KeyDown = 0x0100,  // WM_KEYDOWN
  KeyUp = 0x0101,    // WM_KEYUP
  Char = 0x0102,     // WM_CHAR
};

// Virtual-key codes the editor automation sends.
namespace vk {
inline constexpr std::uint16_t Enter = 13;
inline constexpr std::uint16_t Control = 17;
inline constexpr std::uint16_t Home = 36;
inline constexpr std::uint16_t Left = 37;
inline constexpr std::uint16_t Up = 38;
inline constexpr std::uint16_t Right = 39;
inline constexpr std::uint16_t Down = 40;
inline constexpr std::uint16_t Delete = 46;
}  // namespace vk

class Keyboard {
public:
  virtual ~Keyboard() = default;
  // Places one keyboard message in the window's queue and returns at once. False when the
  // message could not be posted (for example the window is gone). May be called from any thread.
  virtual bool Post(WindowId window, KeyMessage message, std::uint32_t wParam, std::uint32_t lParam) = 0;
  // The layout's key for a character: low byte the virtual key, high byte the shift state;
  // -1 when the layout has no key for it.
  virtual std::int16_t KeyForChar(char c) = 0;
};

}  // namespace bw::platform
