// The application title that names the single-instance mutex, taken from the program file.
#pragma once

#include <cctype>
#include <string>
#include <string_view>

namespace bw::win32 {

// The file name without folder, cut before its first ".", every character after the first in
// lower case ("C:\\Tools\\BrackWater.EXE" gives "Brackwater").
inline std::string ApplicationTitle(std::string_view programPath) {
  const auto slash = programPath.find_last_of("\\/");
  std::string_view name = slash == std::string_view::npos ? programPath : programPath.substr(slash + 1);
  name = name.substr(0, name.find('.'));
  std::string title(name);
  for (std::size_t i = 1; i < title.size(); ++i)
    title[i] = static_cast<char>(std::tolower(static_cast<unsigned char>(title[i])));
  return title;
}

// "PREVINST:" and the title, at most 512 characters of it.
inline std::string InstanceMutexName(std::string_view title) {
  return "PREVINST:" + std::string(title.substr(0, 512));
}

}  // namespace bw::win32
