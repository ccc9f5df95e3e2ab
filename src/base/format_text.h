// Filling the placeholders of a message text.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

namespace bw {

// Fills each "%s" of the pattern with the next argument, in order; "%%" is a single "%".
// Placeholders without an argument stay as written; extra arguments are ignored. Arguments are
// copied as they are, never scanned for placeholders themselves.
std::string FormatText(std::string_view pattern, std::initializer_list<std::string_view> args);

}  // namespace bw
