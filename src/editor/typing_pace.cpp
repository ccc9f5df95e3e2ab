#include "editor/typing_pace.h"

#include <algorithm>

namespace bw {

TypingPace ClampedPace(std::int32_t newLineMs, std::int32_t characterMs) {
  return {std::chrono::milliseconds(std::clamp(newLineMs, std::int32_t{0}, kMaxNewLinePauseMs)),
          std::chrono::milliseconds(std::clamp(characterMs, std::int32_t{0}, kMaxCharacterPauseMs))};
}

TypingPace PaceOf(const TBrackwaterStorage& general) {
  return ClampedPace(general.NewLinePause, general.CharacterPause);
}

}  // namespace bw
