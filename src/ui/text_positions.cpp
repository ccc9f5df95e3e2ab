#include "ui/text_positions.h"

namespace bw {
namespace {

// Walks whole characters while the position counted in `from` stays within `limit`, and returns
// the same place counted in `to`.
std::size_t Convert(std::span<const CharWidths> characters, std::size_t limit, std::uint8_t CharWidths::*from,
                    std::uint8_t CharWidths::*to) {
  std::size_t walked = 0;
  std::size_t converted = 0;
  for (const CharWidths& c : characters) {
    if (walked + c.*from > limit) break;
    walked += c.*from;
    converted += c.*to;
  }
  return converted;
}

}  // namespace

std::size_t TextPositions::BytesOf(std::size_t units) const {
  return Convert(characters_, units, &CharWidths::units, &CharWidths::bytes);
}

std::size_t TextPositions::UnitsOf(std::size_t bytes) const {
  return Convert(characters_, bytes, &CharWidths::bytes, &CharWidths::units);
}

}  // namespace bw
