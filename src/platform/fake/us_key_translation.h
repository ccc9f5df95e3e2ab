// Key translation of a US keyboard layout with modifiers the test holds, for the native tests.
#pragma once

#include <atomic>

#include "platform/key_translation.h"

namespace bw::fake {

// Virtual keys of the US layout that the tests press.
namespace usvk {
inline constexpr std::uint32_t Backspace = 8, Tab = 9, Enter = 13, Shift = 16, Control = 17, Menu = 18, Escape = 27,
                               Space = 32, PageUp = 33, PageDown = 34, End = 35, Home = 36, Left = 37, Up = 38,
                               Right = 39, Down = 40, Semicolon = 0xBA, Comma = 0xBC, Period = 0xBE;
}

class UsKeyTranslation final : public platform::KeyTranslation {
public:
  void Hold(platform::Modifiers held) { held_ = held; }
  std::string Translate(std::uint32_t virtualKey, std::uint32_t scanCode) override;
  platform::Modifiers StateModifiers() override { return held_; }

private:
  std::atomic<platform::Modifiers> held_{0};
};

}  // namespace bw::fake
