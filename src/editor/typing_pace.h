// The typing pace: how long the typing waits after each Enter and after each character, for
// clients that take posted keys slowly (over Remote Desktop or Citrix, say).
#pragma once

#include <chrono>
#include <cstdint>

#include "settings/storage.h"

namespace bw {

// The ranges the preferences allow, in milliseconds.
inline constexpr std::int32_t kMaxNewLinePauseMs = 2000;
inline constexpr std::int32_t kMaxCharacterPauseMs = 100;

struct TypingPace {
  // After each typed Enter, while the editor re-indents the new line.
  std::chrono::milliseconds newLine{kDefaultNewLinePauseMs};
  // After each typed character (not after Enter, which has its own).
  std::chrono::milliseconds character{kDefaultCharacterPauseMs};
};

// The pace of the stored values, each clamped into its range: a value the file should not hold
// (negative, or hours long) never reaches the typing as it stands.
TypingPace ClampedPace(std::int32_t newLineMs, std::int32_t characterMs);
// The pace the general record asks for, clamped.
TypingPace PaceOf(const TBrackwaterStorage& general);

}  // namespace bw
