// The hotkey code stored in an item record, as a TShortCut.
#pragma once

#include <cstdint>

#include "settings/hotkey_text.h"

namespace bw {

// 0 (no hotkey) for 0 and for stored values that are no 16-bit hotkey code.
inline TShortCut ItemShortcut(std::int32_t stored) {
  return (stored > 0 && stored <= 0xFFFF) ? static_cast<TShortCut>(stored) : TShortCut{0};
}

}  // namespace bw
