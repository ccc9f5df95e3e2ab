// Files and folders through the Windows API (ANSI paths).
#pragma once

#include "platform/file_system.h"

namespace bw::platform {

class Win32FileSystem final : public FileSystem {
public:
  bool FileExists(const std::string& path) override;
  bool FolderExists(const std::string& path) override;
  bool IsReadOnly(const std::string& path) override;
  std::optional<std::vector<std::uint8_t>> ReadAll(const std::string& path, std::size_t maxBytes) override;
  std::optional<std::uint64_t> FileSize(const std::string& path) override;
  bool WriteAtomic(const std::string& path, std::span<const std::uint8_t> bytes) override;
  bool Rename(const std::string& from, const std::string& to) override;
  bool RenameReplacing(const std::string& from, const std::string& to) override;
  bool Copy(const std::string& from, const std::string& to) override;  // replaces an existing target
  bool Delete(const std::string& path) override;
  bool CreateFolders(const std::string& path) override;
  std::string LastErrorText() override;  // of GetLastError, in the system's language
};

}  // namespace bw::platform
