// Comparing ANSI text without regard to case.
#pragma once

#include <cstddef>
#include <string_view>

namespace bw {

// Lower-case form of one ANSI byte: ASCII letters, and the accented capitals 0xC0-0xDE
// (except 0xD7, the multiplication sign), which sit 0x20 below their small letters in the
// Windows Latin, Central European and Cyrillic code pages alike.
char FoldCase(char c);

bool EqualsIgnoringCase(std::string_view a, std::string_view b);
bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix);
// Position of the first occurrence of `needle` in `text`, or npos.
std::size_t FindIgnoringCase(std::string_view text, std::string_view needle);

}  // namespace bw
