// Files and folders, addressed by platform path text.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace bw::platform {

// Paths are UTF-8 text (a settings path goes through AnsiToUtf8 first).
class FileSystem {
public:
  virtual ~FileSystem() = default;
  virtual bool FileExists(const std::string& path) = 0;
  virtual bool FolderExists(const std::string& path) = 0;
  virtual bool IsReadOnly(const std::string& path) = 0;
  // The whole file; nullopt when it cannot be read or is larger than maxBytes.
  virtual std::optional<std::vector<std::uint8_t>> ReadAll(const std::string& path, std::size_t maxBytes) = 0;
  // The size of an existing file; nullopt when it cannot be looked at.
  virtual std::optional<std::uint64_t> FileSize(const std::string& path) = 0;
  // Writes a temporary file in the same folder, flushes it, then replaces `path` atomically.
  // On failure `path` is untouched and no temporary file is left behind.
  virtual bool WriteAtomic(const std::string& path, std::span<const std::uint8_t> bytes) = 0;
  // Renames; fails when the target exists or its folder is missing.
  virtual bool Rename(const std::string& from, const std::string& to) = 0;
  // Renames, replacing an existing target.
  virtual bool RenameReplacing(const std::string& from, const std::string& to) = 0;
  virtual bool Copy(const std::string& from, const std::string& to) = 0;
  virtual bool Delete(const std::string& path) = 0;
  // Creates a folder and any missing parents; true when it exists afterwards.
  virtual bool CreateFolders(const std::string& path) = 0;
  // The system's message for why the last failed call on this thread failed ("Access is
  // denied."); empty when the system gives none.
  virtual std::string LastErrorText() = 0;
};

}  // namespace bw::platform
