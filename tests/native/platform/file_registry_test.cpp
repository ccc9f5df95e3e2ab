#include "platform/native/file_registry.h"

#include <gtest/gtest.h>

#include "platform/fake/temp_folder.h"

namespace bw::platform {
namespace {

TEST(FileRegistry, KeysAndNamesIgnoreCaseLikeWindows) {
  FileRegistry registry;
  EXPECT_TRUE(registry.WriteString("Software\\Brackwater\\Config Location", "Folder", "C:\\x"));
  EXPECT_EQ(registry.ReadString("\\SOFTWARE\\brackwater\\config location\\", "FOLDER"), "C:\\x");
  EXPECT_EQ(registry.ReadString("Software\\Brackwater", "Folder"), std::nullopt);

  EXPECT_TRUE(registry.DeleteValue("software\\brackwater\\config location", "folder"));
  EXPECT_EQ(registry.ReadString("Software\\Brackwater\\Config Location", "Folder"), std::nullopt);
  EXPECT_TRUE(registry.DeleteValue("Software\\Missing", "Folder"));  // missing values are no error
  EXPECT_TRUE(registry.DeleteKey("Software\\Missing"));

  registry.WriteString("Run", "A", "1");
  registry.WriteString("Run", "B", "2");
  EXPECT_TRUE(registry.DeleteKey("RUN"));
  EXPECT_EQ(registry.ReadString("Run", "B"), std::nullopt);
}

TEST(FileRegistry, PersistsAnyTextAcrossInstances) {
  TempFolder temp;
  const std::string path = temp / "registry.txt";
  const std::string awkward = "line\r\nbreak = [x] 100% \x01\xFF";
  {
    FileRegistry registry(path);
    EXPECT_TRUE(registry.WriteString("Key[1]", "na=me", awkward));
    EXPECT_TRUE(registry.WriteString("Software\\Other", "Value", ""));
  }
  FileRegistry reopened(path);
  EXPECT_EQ(reopened.ReadString("key[1]", "NA=ME"), awkward);
  EXPECT_EQ(reopened.ReadString("Software\\Other", "Value"), "");
}

TEST(FileRegistry, UnwritableFileRefusesTheChange) {
  TempFolder temp;
  FileRegistry registry(temp / "missing-folder/registry.txt");
  EXPECT_FALSE(registry.WriteString("Key", "Name", "data"));
  EXPECT_EQ(registry.ReadString("Key", "Name"), std::nullopt);
}

TEST(FileRegistry, MalformedFileIsReadAsFarAsItMakesSense) {
  TempFolder temp;
  const std::string path = temp / "registry.txt";
  std::FILE* file = std::fopen(path.c_str(), "wb");
  std::fputs("orphan=1\n[Key\nnot a value\n[Key]\nName=%4\nGood=%41%zz\n", file);
  std::fclose(file);
  FileRegistry registry(path);
  EXPECT_EQ(registry.ReadString("Key", "orphan"), std::nullopt);
  EXPECT_EQ(registry.ReadString("Key", "Name"), "%4");
  EXPECT_EQ(registry.ReadString("Key", "Good"), "A%zz");
}

}  // namespace
}  // namespace bw::platform
