// Comparing and changing the case of single-byte text: ANSI folding for names the user writes
// (templates, variables, servers), ASCII only for what Windows compares that way (window
// classes, file names, key and variable names of the environment).
#pragma once

#include <cstddef>
#include <string>
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
// Byte order of the folded texts, a shorter text before the longer one it begins.
bool LessIgnoringCase(std::string_view a, std::string_view b);

// ASCII letters only; every other byte stays as it is.
char LowerAscii(char c);
char UpperAscii(char c);
std::string LowerAscii(std::string_view text);
std::string UpperAscii(std::string_view text);

}  // namespace bw
