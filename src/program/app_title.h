// The application title that names the single-instance mutex, taken from the program file.
#pragma once

#include <string>
#include <string_view>

#include "base/path_parts.h"
#include "base/text_case.h"

namespace bw::win32 {

// The file name without folder, cut before its first ".", every character after the first in
// lower case ("C:\\Tools\\BrackWater.EXE" gives "Brackwater").
inline std::string ApplicationTitle(std::string_view programPath) {
  std::string_view name = FileNamePart(programPath);
  name = name.substr(0, name.find('.'));
  if (name.empty()) return {};
  return name.front() + LowerAscii(name.substr(1));
}

// "PREVINST:" and the title, at most 512 characters of it.
inline std::string InstanceMutexName(std::string_view title) {
  return "PREVINST:" + std::string(title.substr(0, 512));
}

}  // namespace bw::win32
