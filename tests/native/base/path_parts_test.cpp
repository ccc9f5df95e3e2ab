#include "base/path_parts.h"

#include <gtest/gtest.h>

namespace bw {
namespace {

TEST(PathParts, SplitAtTheLastBackslashOrSlash) {
  struct Case {
    std::string_view path, folder, file;
  };
  const Case cases[] = {
      {"C:\\Navision\\fin.exe", "C:\\Navision\\", "fin.exe"},
      {"c:/tools/bwconfig.exe", "c:/tools/", "bwconfig.exe"},
      {"C:\\a/b\\c.txt", "C:\\a/b\\", "c.txt"},
      {"C:/a\\b", "C:/a\\", "b"},
      {"finsql.exe", "", "finsql.exe"},
      {"C:\\Folder\\", "C:\\Folder\\", ""},
      {"\\", "\\", ""},
      {"", "", ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FolderPart(c.path), c.folder) << c.path;
    EXPECT_EQ(FileNamePart(c.path), c.file) << c.path;
  }
}

}  // namespace
}  // namespace bw
