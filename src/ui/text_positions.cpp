#include "ui/text_positions.h"

namespace bw {

std::size_t TextPositions::BytesOf(std::size_t units) const {
  std::size_t unit = 0;
  std::size_t byte = 0;
  for (const CharWidths& c : characters_) {
    if (unit + c.units > units) break;
    unit += c.units;
    byte += c.bytes;
  }
  return byte;
}

std::size_t TextPositions::UnitsOf(std::size_t bytes) const {
  std::size_t unit = 0;
  std::size_t byte = 0;
  for (const CharWidths& c : characters_) {
    if (byte + c.bytes > bytes) break;
    unit += c.units;
    byte += c.bytes;
  }
  return unit;
}

}  // namespace bw
