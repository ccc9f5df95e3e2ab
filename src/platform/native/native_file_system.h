// Files and folders through POSIX calls.
#pragma once

#include "platform/file_system.h"

namespace bw::platform {

class NativeFileSystem : public FileSystem {
public:
  bool FileExists(const std::string& path) override;
  bool FolderExists(const std::string& path) override;
  // True when the owner has no write permission (the counterpart of the read-only attribute).
  bool IsReadOnly(const std::string& path) override;
  // Regular files only: a pipe or device is never waited on.
  std::optional<std::vector<std::uint8_t>> ReadAll(const std::string& path, std::size_t maxBytes) override;
  std::optional<std::uint64_t> FileSize(const std::string& path) override;
  // Temporary file beside the target, fsync, rename. Like Windows, a read-only target is
  // not replaced.
  bool WriteAtomic(const std::string& path, std::span<const std::uint8_t> bytes) override;
  bool Rename(const std::string& from, const std::string& to) override;
  bool RenameReplacing(const std::string& from, const std::string& to) override;
  bool Copy(const std::string& from, const std::string& to) override;
  bool Delete(const std::string& path) override;
  bool CreateFolders(const std::string& path) override;
  std::string LastErrorText() override;  // of errno
};

}  // namespace bw::platform
