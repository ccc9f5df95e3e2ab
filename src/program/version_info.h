// The program file's version resource: the fixed version and the US-English string table.
#pragma once

#include <string>

namespace bw::win32 {

struct VersionInfo {
  bool present = false;  // false: the file carries no version resource
  unsigned major = 0, minor = 0, release = 0, build = 0;
  std::string fileDescription, companyName, fileVersion, legalCopyright, internet;
};

VersionInfo ReadVersionInfo(const std::string& programPath);

// "major.minor.release", or the no-version text.
std::string ShortVersionText(const VersionInfo& info);

}  // namespace bw::win32
