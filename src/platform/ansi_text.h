// Converting the program's single-byte ANSI text to and from UTF-8.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace bw::platform {

// Every ANSI byte has a character, so every text converts.
std::string AnsiToUtf8(std::string_view ansi);

// nullopt when the text is not valid UTF-8 or holds a character without an ANSI byte.
std::optional<std::string> Utf8ToAnsi(std::string_view utf8);

}  // namespace bw::platform
