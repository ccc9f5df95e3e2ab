// Paths at the Win32 boundary. Inside the program a path is UTF-8 text in a std::string, so
// that a folder named in any language survives; the wide (W) functions get it as UTF-16.
// Paths held in the settings file are ANSI and go through platform::AnsiToUtf8 first.
#pragma once

#include <string>
#include <string_view>

namespace bw::platform {

// Empty for empty or invalid UTF-8 (a wide call then fails instead of naming another file).
std::wstring WidePath(std::string_view utf8);
std::string Utf8Path(std::wstring_view wide);

// ANSI text (the ANSI code page) as UTF-16, for wide calls that take settings texts.
std::wstring WideAnsi(std::string_view ansi);

}  // namespace bw::platform
