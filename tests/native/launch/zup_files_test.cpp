#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>

#include "launch/zup_files.h"
#include "platform/native/native_file_listing.h"
#include "platform/native/native_file_system.h"

namespace bw {
namespace {

namespace fs = std::filesystem;

class ZupFilesTest : public ::testing::Test {
protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "bw-zup-XXXXXX").string();
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    dir_ = pattern + "/";
    for (const char* name : {"Dev(1024x768).zup", "Dev(1280x800).zup", "Dev2(1024x768).zup", "MyDev(1024x768).zup",
                             "dev(800x600).zup", "Dev(1024x768).txt", "Dev.zup", "Other(1024x768).zup"})
      std::ofstream(dir_ + name) << name;
    fs::create_directory(dir_ + "Dev(folder).zup");
  }
  void TearDown() override { fs::remove_all(dir_); }

  std::set<std::string> Files() const {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir_))
      if (entry.is_regular_file()) names.insert(entry.path().filename().string());
    return names;
  }

  std::string dir_;
  platform::NativeFileSystem files_;
  platform::NativeFileListing listing_;
  ZupFolder folder_{files_, listing_};
};

TEST_F(ZupFilesTest, RenameMovesEveryResolutionOfThatNameOnly) {
  EXPECT_EQ(RenameZupFiles(folder_, dir_, "Dev", "Test"), 2);
  EXPECT_EQ(Files(), (std::set<std::string>{"Test(1024x768).zup", "Test(1280x800).zup", "Dev2(1024x768).zup",
                                            "MyDev(1024x768).zup", "dev(800x600).zup", "Dev(1024x768).txt",
                                            "Dev.zup", "Other(1024x768).zup"}));
  std::ifstream moved(dir_ + "Test(1280x800).zup");
  std::string content;
  moved >> content;
  EXPECT_EQ(content, "Dev(1280x800).zup");
}

TEST_F(ZupFilesTest, RenameKeepsFilesWhoseTargetExistsAndIgnoresNoChange) {
  EXPECT_EQ(RenameZupFiles(folder_, dir_, "Dev", "Dev"), 0);
  EXPECT_EQ(RenameZupFiles(folder_, dir_, "Dev", ""), 0);
  std::ofstream(dir_ + "Fresh(1280x800).zup") << "keep";
  EXPECT_EQ(RenameZupFiles(folder_, dir_, "Dev", "Fresh"), 1);
  EXPECT_TRUE(Files().contains("Fresh(1024x768).zup"));
  EXPECT_TRUE(Files().contains("Dev(1280x800).zup"));
  std::ifstream kept(dir_ + "Fresh(1280x800).zup");
  std::string content;
  kept >> content;
  EXPECT_EQ(content, "keep");
}

TEST_F(ZupFilesTest, DeleteRemovesOnlyThatConfigurationsFiles) {
  EXPECT_EQ(DeleteZupFiles(folder_, dir_, "Dev"), 2);
  EXPECT_EQ(Files(), (std::set<std::string>{"Dev2(1024x768).zup", "MyDev(1024x768).zup", "dev(800x600).zup",
                                            "Dev(1024x768).txt", "Dev.zup", "Other(1024x768).zup"}));
  EXPECT_EQ(DeleteZupFiles(folder_, dir_, ""), 0);  // never "every .zup file"
  EXPECT_EQ(DeleteZupFiles(folder_, dir_ + "missing/", "Other"), 0);
  EXPECT_EQ(Files().size(), 6u);

  // Names are ANSI, the folder's file names UTF-8: "Caf\xE9" owns "Caf\xC3\xA9(...).zup".
  std::ofstream(dir_ + "Caf\xC3\xA9(1024x768).zup") << "x";
  EXPECT_EQ(RenameZupFiles(folder_, dir_, "Caf\xE9", "Caf\xE9s"), 1);
  EXPECT_TRUE(Files().contains("Caf\xC3\xA9s(1024x768).zup"));
  EXPECT_EQ(DeleteZupFiles(folder_, dir_, "Caf\xE9s"), 1);
  EXPECT_EQ(Files().size(), 6u);
}

TEST(ZupFileNameTest, TheNameMustMatchExactlyUpToTheParenthesis) {
  EXPECT_TRUE(IsZupFileOf("Dev(1024x768).zup", "Dev"));
  EXPECT_TRUE(IsZupFileOf("Dev(1024x768).ZUP", "Dev"));
  EXPECT_FALSE(IsZupFileOf("Dev2(1024x768).zup", "Dev"));
  EXPECT_FALSE(IsZupFileOf("MyDev(1024x768).zup", "Dev"));
  EXPECT_FALSE(IsZupFileOf("Dev2 Dev(1024x768).zup", "Dev"));
  EXPECT_FALSE(IsZupFileOf("dev(1024x768).zup", "Dev"));

  // Names from a file may hold what a file name must not; the name part never leaves the folder.
  for (const auto& [name, part] : {std::pair{"Dev", "Dev"}, std::pair{"..\\..\\Windows\\x", ".._.._Windows_x"},
                                   std::pair{"C:/a", "C__a"}, std::pair{"a\tb\x7F(c)", "a_b__c_"}}) {
    EXPECT_EQ(ZupFileNamePart(name), part);
    EXPECT_TRUE(IsZupFileOf(std::string(part) + "(1024x768).zup", name)) << name;
  }
}

TEST_F(ZupFilesTest, RenameAndDeleteOfNamesWithDelimitersStayInTheFolder) {
  EXPECT_EQ(RenameZupFiles(folder_, dir_, "Dev", "../Dev"), 2);
  EXPECT_TRUE(Files().contains(".._Dev(1280x800).zup"));
  EXPECT_EQ(DeleteZupFiles(folder_, dir_, "../Dev"), 2);
  EXPECT_EQ(Files().size(), 6u);
}

}  // namespace
}  // namespace bw
