#include "platform/native/native_file_system.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>

#include "platform/fake/temp_folder.h"

namespace bw::platform {
namespace {

namespace fs = std::filesystem;

std::vector<std::uint8_t> Bytes(std::string_view text) { return {text.begin(), text.end()}; }

std::size_t EntriesIn(const std::string& folder) {
  return static_cast<std::size_t>(std::distance(fs::directory_iterator(folder), fs::directory_iterator()));
}

TEST(NativeFileSystem, WriteAtomicReplacesWholeAndLeavesNothingBehind) {
  TempFolder temp;
  NativeFileSystem files;
  const std::string path = temp / "file.config";
  EXPECT_TRUE(files.WriteAtomic(path, Bytes("first")));
  EXPECT_TRUE(files.WriteAtomic(path, Bytes("second")));
  EXPECT_EQ(files.ReadAll(path, 100), Bytes("second"));
  EXPECT_EQ(EntriesIn(temp.Path()), 1u);

  EXPECT_FALSE(files.WriteAtomic(temp / "missing/file.config", Bytes("x")));
  fs::permissions(path, fs::perms::owner_write, fs::perm_options::remove);
  EXPECT_TRUE(files.IsReadOnly(path));
  EXPECT_FALSE(files.WriteAtomic(path, Bytes("third")));  // as Windows refuses a read-only target
  EXPECT_EQ(files.ReadAll(path, 100), Bytes("second"));
  EXPECT_EQ(EntriesIn(temp.Path()), 1u);
}

TEST(NativeFileSystem, ReadAllIsBoundedAndNeverWaitsOnAPipe) {
  TempFolder temp;
  NativeFileSystem files;
  const std::string path = temp / "big";
  {
    std::ofstream out(path, std::ios::binary);
    out << std::string(1000, 'x');
  }
  EXPECT_EQ(files.ReadAll(path, 1000)->size(), 1000u);
  EXPECT_EQ(files.ReadAll(path, 999), std::nullopt);
  EXPECT_EQ(files.ReadAll(temp / "missing", 1000), std::nullopt);
  EXPECT_EQ(files.ReadAll(temp.Path(), 1000), std::nullopt);

  const std::string fifo = temp / "fifo";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  EXPECT_EQ(files.ReadAll(fifo, 1000), std::nullopt);
  EXPECT_FALSE(files.FileExists(fifo));
}

TEST(NativeFileSystem, RenameRefusesAnExistingTargetButRenameReplacingDoesNot) {
  TempFolder temp;
  NativeFileSystem files;
  ASSERT_TRUE(files.WriteAtomic(temp / "a", Bytes("a")));
  ASSERT_TRUE(files.WriteAtomic(temp / "b", Bytes("b")));
  EXPECT_FALSE(files.Rename(temp / "a", temp / "b"));
  EXPECT_EQ(files.ReadAll(temp / "b", 10), Bytes("b"));
  EXPECT_FALSE(files.Rename(temp / "a", temp / "missing/a"));
  EXPECT_TRUE(files.RenameReplacing(temp / "a", temp / "b"));
  EXPECT_EQ(files.ReadAll(temp / "b", 10), Bytes("a"));
  EXPECT_FALSE(files.FileExists(temp / "a"));
  EXPECT_TRUE(files.Rename(temp / "b", temp / "c"));
  EXPECT_TRUE(files.Copy(temp / "c", temp / "d"));
  EXPECT_EQ(files.ReadAll(temp / "d", 10), Bytes("a"));
  EXPECT_TRUE(files.Delete(temp / "d"));
  EXPECT_FALSE(files.Delete(temp / "d"));
}

TEST(NativeFileSystem, CreateFoldersMakesEveryMissingParent) {
  TempFolder temp;
  NativeFileSystem files;
  const std::string deep = temp / "a/b/c";
  EXPECT_TRUE(files.CreateFolders(deep));
  EXPECT_TRUE(files.FolderExists(deep));
  EXPECT_TRUE(files.CreateFolders(deep));
  ASSERT_TRUE(files.WriteAtomic(temp / "file", Bytes("x")));
  EXPECT_FALSE(files.CreateFolders(temp / "file/sub"));
}

}  // namespace
}  // namespace bw::platform
