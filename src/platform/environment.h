// What the core needs to know about the user and the program.
#pragma once

#include <string>

#include "base/path_parts.h"

namespace bw::platform {

#ifdef _WIN32
inline constexpr char kPathDelimiter = '\\';
#else
inline constexpr char kPathDelimiter = '/';
#endif

// Paths are UTF-8 text.
class Environment {
public:
  virtual ~Environment() = default;
  // The current user's logon name; empty when the platform cannot tell.
  virtual std::string UserName() = 0;
  // The per-user application data folder, without a trailing delimiter; empty when unknown.
  virtual std::string AppDataFolder() = 0;
  // The full path of the running program file.
  virtual std::string ProgramPath() = 0;
};

// The program file's name without folder and extension ("Brackwater" for ...\Brackwater.exe).
inline std::string ProgramBaseName(const std::string& programPath) {
  std::string name(FileNamePart(programPath));
  const auto dot = name.find_last_of('.');
  if (dot != std::string::npos) name.resize(dot);
  return name;
}

}  // namespace bw::platform
