// bwconfig templates, run in process on temporary files.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <sstream>
#include <tuple>

#include "command.h"
#include "platform/fake/temp_folder.h"
#include "platform/native/native_file_system.h"
#include "settings/hotkey_text.h"
#include "settings_files.h"

namespace bw::bwconfig {
namespace {

class TemplatesCommandTest : public ::testing::Test {
protected:
  void SetUp() override {
    auto root = std::make_unique<TStorage>();
    root->AddChild(std::make_unique<TBrackwaterStorage>());
    root->AddChild(std::make_unique<TStorage>());
    root->AddChild(std::make_unique<TStorage>());
    root->AddChild(std::make_unique<TStorage>());
    for (auto [name, code, hotkey] : {std::tuple{"One", "1\r\n", kCtrl | '1'}, std::tuple{"Two", "2", 0},
                                      std::tuple{"Three", "3\r\n  |", kAlt | 'T'}, std::tuple{"Four \xE9", "4", 0}}) {
      auto item = std::make_unique<TCommentStorage>();
      item->CommentName = name;
      item->Comment = code;
      item->Hotkey = hotkey;
      TemplatesFolder(*root).AddChild(std::move(item));
    }
    WriteSettingsFile(files, config, EncodeSettings(*root, SettingsFormat::Config));
  }

  int Run(std::vector<std::string> args) {
    out.str("");
    err.str("");
    ToolContext context{out, err, files, {}};
    return RunBwconfig(args, context);
  }
  std::string Read(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  std::string List() {
    EXPECT_EQ(Run({"templates", "list", "--config", config}), 0) << err.str();
    return out.str();
  }

  platform::TempFolder temp;
  platform::NativeFileSystem files;
  std::string config = temp / "Brackwater.config";
  std::ostringstream out;
  std::ostringstream err;
};

TEST_F(TemplatesCommandTest, ExportOfTwoNamedInFolderOrderThenImportAppendsThemMarkedAsDuplicates) {
  EXPECT_EQ(List(), "One\tCtrl+1\nTwo\t\nThree\tAlt+T\nFour \xC3\xA9\t\n");
  ASSERT_EQ(Run({"templates", "export", "--config", config, "--name", "Three", "--name=One", temp / "two.tml"}), 0)
      << err.str();
  const std::string tml = Read(temp / "two.tml");
  EXPECT_LT(tml.find("<Name>One</Name>"), tml.find("<Name>Three</Name>"));
  EXPECT_EQ(tml.find("Two"), std::string::npos);

  ASSERT_EQ(Run({"templates", "import", "--config", config, temp / "two.tml"}), 0) << err.str();
  EXPECT_NE(out.str().find("imported 2 templates"), std::string::npos);
  EXPECT_NE(out.str().find("\"One\": its hotkey is already used"), std::string::npos);
  EXPECT_EQ(List(),
            "One\tCtrl+1\nTwo\t\nThree\tAlt+T\nFour \xC3\xA9\t\n"
            "One\tCtrl+1\t(duplicate hotkey)\nThree\tAlt+T\t(duplicate hotkey)\n");
}

TEST_F(TemplatesCommandTest, ExportWithoutNamesWritesAllAndByUtf8Name) {
  ASSERT_EQ(Run({"templates", "export", "--config", config, temp / "all.tml"}), 0) << err.str();
  const std::string all = Read(temp / "all.tml");
  EXPECT_EQ(std::count(all.begin(), all.end(), '\n'), 3 + 4 * 5 + 2);  // declaration and root, 4 templates, 2 code breaks
  ASSERT_EQ(Run({"templates", "export", "--config", config, "--name", "Four \xC3\xA9", temp / "four.tml"}), 0);
  EXPECT_NE(Read(temp / "four.tml").find("<Name>Four \xC3\xA9</Name>"), std::string::npos);
}

TEST_F(TemplatesCommandTest, FailuresLeaveFilesAloneAndSayWhy) {
  const std::string before = Read(config);
  EXPECT_EQ(Run({"templates", "export", "--config", config, "--name", "Nope", temp / "x.tml"}), 1);
  EXPECT_NE(err.str().find("no template is named \"Nope\""), std::string::npos);
  EXPECT_FALSE(files.FileExists(temp / "x.tml"));

  std::ofstream(temp / "bad.tml") << "<!DOCTYPE a [<!ENTITY e SYSTEM \"file:///etc/passwd\">]><a>&e;</a>";
  EXPECT_EQ(Run({"templates", "import", "--config", config, temp / "bad.tml"}), 1);
  EXPECT_NE(err.str().find("bad.tml: "), std::string::npos);
  EXPECT_EQ(Run({"templates", "import", "--config", config, temp / "missing.tml"}), 1);
  EXPECT_EQ(Read(config), before);

  EXPECT_EQ(Run({"templates", "import", "--config", config}), 2);
  EXPECT_EQ(Run({"templates", "remove", "--config", config}), 2);
  EXPECT_EQ(Run({"templates", "list"}), 2);
}

TEST_F(TemplatesCommandTest, ImportStoppedByATemplateWithoutCodeKeepsAndSavesTheOnesBefore) {
  std::ofstream(temp / "stop.tml") << "<x><Template><Name>New</Name><Code>n</Code></Template>"
                                      "<Template><Name>NoCode</Name></Template>"
                                      "<Template><Name>After</Name><Code>a</Code></Template></x>";
  EXPECT_EQ(Run({"templates", "import", "--config", config, temp / "stop.tml"}), 1);
  EXPECT_NE(err.str().find("template 2 has no name or no code"), std::string::npos);
  EXPECT_EQ(List(), "One\tCtrl+1\nTwo\t\nThree\tAlt+T\nFour \xC3\xA9\t\nNew\t\n");
}

}  // namespace
}  // namespace bw::bwconfig
