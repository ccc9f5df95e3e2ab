// Where a shown template text has its tags, to colour them red (the Insert Template preview
// and the template editor).
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

namespace bw {

struct TextSpan {
  std::size_t start = 0;   // byte offset in the text (a CR LF counts as two)
  std::size_t length = 0;

  friend bool operator==(const TextSpan&, const TextSpan&) = default;
};

// Every "<<" with a ">>" after it, through that ">>", searching each next "<<" from the
// character after the previous one. Overlapping tags are merged, so the spans come in order
// and do not overlap; their union is exactly what is to be red.
std::vector<TextSpan> HighlightTags(std::string_view text);

}  // namespace bw
