// The version resource of a program file: its fixed file version and product name.
#pragma once

#include <optional>
#include <string>

namespace bw::platform {

struct FileVersion {
  unsigned major = 0, minor = 0, release = 0, build = 0;
  std::string productName;  // ANSI; empty when the resource names none
  friend bool operator==(const FileVersion&, const FileVersion&) = default;
};

class FileVersions {
public:
  virtual ~FileVersions() = default;
  // The version of the file at `path` (UTF-8); nullopt for a missing file, a file without a
  // version resource or a damaged one. One local call: the caller reads only when the path changes.
  virtual std::optional<FileVersion> Read(const std::string& path) = 0;
};

}  // namespace bw::platform
