// The program's version as the tray menu margin and the version check show it.
#pragma once

#include <optional>
#include <string>

namespace bw {

struct FileVersion {
  unsigned major = 0;
  unsigned minor = 0;
  unsigned release = 0;
  unsigned build = 0;
};

// "major.minor.release", or "No version info is stored in executable." without version information.
std::string VersionText(const std::optional<FileVersion>& version);
// "major.minor.release.build", empty without version information.
std::string FullVersionText(const std::optional<FileVersion>& version);

}  // namespace bw
