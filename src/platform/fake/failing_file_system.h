// A file system that passes everything to another one, except the operations a test
// switches to fail.
#pragma once

#include "platform/file_system.h"

namespace bw::platform {

class FailingFileSystem : public FileSystem {
public:
  explicit FailingFileSystem(FileSystem& inner) : inner_(inner) {}

  bool failWrites = false;   // WriteAtomic and Copy
  bool failRenames = false;  // Rename and RenameReplacing
  bool refuseFolders = false;  // CreateFolders, without touching the inner file system
  int writes = 0;              // WriteAtomic calls, failed or not
  int folderCreations = 0;     // CreateFolders calls, refused or not

  bool FileExists(const std::string& path) override { return inner_.FileExists(path); }
  bool FolderExists(const std::string& path) override { return inner_.FolderExists(path); }
  bool IsReadOnly(const std::string& path) override { return inner_.IsReadOnly(path); }
  std::optional<std::vector<std::uint8_t>> ReadAll(const std::string& path, std::size_t maxBytes) override {
    return inner_.ReadAll(path, maxBytes);
  }
  std::optional<std::uint64_t> FileSize(const std::string& path) override { return inner_.FileSize(path); }
  bool WriteAtomic(const std::string& path, std::span<const std::uint8_t> bytes) override {
    ++writes;
    failed_ = failWrites;
    return !failWrites && inner_.WriteAtomic(path, bytes);
  }
  bool Rename(const std::string& from, const std::string& to) override {
    return !failRenames && inner_.Rename(from, to);
  }
  bool RenameReplacing(const std::string& from, const std::string& to) override {
    return !failRenames && inner_.RenameReplacing(from, to);
  }
  bool Copy(const std::string& from, const std::string& to) override { return !failWrites && inner_.Copy(from, to); }
  bool Delete(const std::string& path) override { return inner_.Delete(path); }
  bool CreateFolders(const std::string& path) override {
    ++folderCreations;
    return !refuseFolders && inner_.CreateFolders(path);
  }
  std::string LastErrorText() override { return failed_ ? "Write switched off by the test." : inner_.LastErrorText(); }

private:
  FileSystem& inner_;
  bool failed_ = false;  // the last write failed because the test says so
};

}  // namespace bw::platform
