// Version resources through the version library (GetFileVersionInfoW, VerQueryValueW).
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/file_versions.h"

namespace bw::platform {

// The whole version resource of one file, read once.
class VersionBlock {
public:
  // Nothing for a missing file or one without a version resource.
  static std::optional<VersionBlock> Load(const std::wstring& path);

  // The fixed file version; nothing when the resource lacks a sound fixed part.
  std::optional<FileVersion> Fixed() const;
  // A string value in ANSI, from the table of `table` (such as L"040904E4"); empty when missing.
  std::string Text(std::wstring_view table, std::string_view key) const;
  // The same from the resource's first listed translation, else the US-English tables.
  std::string Text(std::string_view key) const;

private:
  std::vector<char> data_;
};

class Win32FileVersions final : public FileVersions {
public:
  std::optional<FileVersion> Read(const std::string& path) override;
};

}  // namespace bw::platform
