// Positions in a text held by a Unicode text control but worked on as ANSI bytes: the control
// counts UTF-16 units, the form counts bytes of the ANSI text. On a double-byte code page a
// character takes two bytes and one unit; a character outside the Basic Multilingual Plane takes
// two units and as many bytes as the system turns it into in ANSI (one "?" or two, depending on
// the system; Wine gives two): the widths are measured, never assumed.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace bw {

// One character of the text: its length in UTF-16 units (1 or 2) and in ANSI bytes (1 or more).
struct CharWidths {
  std::uint8_t units = 1;
  std::uint8_t bytes = 1;
};

class TextPositions {
public:
  explicit TextPositions(std::vector<CharWidths> characters) : characters_(std::move(characters)) {}

  // The byte offset of a control position; a position inside a character (between the halves of
  // a surrogate pair) goes to the character's start, one past the end to the end.
  std::size_t BytesOf(std::size_t units) const;
  // The control position of a byte offset; an offset inside a character (its trail byte) goes to
  // the character's start, one past the end to the end.
  std::size_t UnitsOf(std::size_t bytes) const;

private:
  std::vector<CharWidths> characters_;
};

}  // namespace bw
