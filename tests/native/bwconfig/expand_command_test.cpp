// bwconfig expand, run in process.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "command.h"
#include "platform/fake/temp_folder.h"
#include "platform/native/native_file_system.h"
#include "settings/component_stream.h"
#include "settings/file_cipher.h"

namespace bw::bwconfig {
namespace {

class ExpandCommand : public ::testing::Test {
protected:
  int Run(std::vector<std::string> args) {
    args.insert(args.begin(), "expand");
    out.str("");
    err.str("");
    ToolContext context{out, err, files, {}};
    return RunBwconfig(args, context);
  }

  std::string WriteConfig() {
    auto root = std::make_unique<TStorage>();
    auto general = std::make_unique<TBrackwaterStorage>();
    general->Author = "Ann Lee";
    general->Initials = "AL";
    general->VarList = {"Author=stale", "Kept=kept value", "Asked=old"};
    root->AddChild(std::move(general));
    for (int i = 0; i < 3; ++i) root->AddChild(std::make_unique<TStorage>());
    const auto bytes = EncipherSettings(WriteComponentStream(*root));
    const std::string path = temp / "Brackwater.config";
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                static_cast<std::streamsize>(bytes.size()));
    return path;
  }

  platform::TempFolder temp;
  platform::NativeFileSystem files;
  std::ostringstream out;
  std::ostringstream err;
};

TEST_F(ExpandCommand, UsesTheSettingsFileTheMomentAndTheAnswers) {
  const std::string config = WriteConfig();
  ASSERT_EQ(Run({"--config", config, "--at", "2026-12-08T14:05:09.007", "--set", "company=Acme", "--set=asked=new",
                 "// <<Initials>> <<Date>> <<Time(hh:nn:ss.zzz)>>\r\n<<Author>> <<Company>> <<Kept(O)>> <<Asked>>|"}),
            0)
      << err.str();
  EXPECT_EQ(out.str(), "// AL 08-12-2026 14:05:09.007\r\nAnn Lee Acme kept value new|");
  EXPECT_EQ(err.str(), "");
}

TEST_F(ExpandCommand, TheMomentMayLeaveOutItsSmallerParts) {
  const std::pair<const char*, const char*> cases[] = {
      {"2026-12-08", "08-12-2026 00:00:00.000"},
      {"2026-12-08T07:30", "08-12-2026 07:30:00.000"},
      {"2024-02-29T23:59:58", "29-02-2024 23:59:58.000"},
  };
  for (const auto& [at, expected] : cases) {
    ASSERT_EQ(Run({"--at", at, "--set", "Author=a", "--set", "Initials=i", "--set", "Company=c",
                   "<<Date(dd-mm-yyyy hh:nn:ss.zzz)>>"}),
              0)
        << at << ": " << err.str();
    EXPECT_EQ(out.str(), expected) << at;
  }
}

TEST_F(ExpandCommand, AnUnansweredQuestionEndsTheCommandNamingTheVariable) {
  EXPECT_EQ(Run({"--set", "Author=a", "--set", "Initials=i", "--set", "Company=c", "<<Who>>"}), 1);
  EXPECT_EQ(out.str(), "");
  EXPECT_NE(err.str().find("\"Who\""), std::string::npos) << err.str();
  EXPECT_EQ(Run({"no tags"}), 1);  // without a settings file Author is empty, so it is asked
  EXPECT_NE(err.str().find("\"Author\""), std::string::npos) << err.str();
}

TEST_F(ExpandCommand, WrongCommandLinesAreUsageErrors) {
  const std::vector<std::vector<std::string>> cases = {
      {},
      {"a", "b"},
      {"--at", "2026-02-29", "x"},
      {"--at", "2026-12-08T24:00", "x"},
      {"--at", "2026-12-08 10:00", "x"},
      {"--at", "26-12-08", "x"},
      {"--set", "NoEquals", "x"},
      {"--bogus", "1", "x"},
      {"--config"},
  };
  for (const auto& args : cases) {
    EXPECT_EQ(Run(args), 2) << testing::PrintToString(args);
    EXPECT_NE(err.str().find("usage: bwconfig expand"), std::string::npos);
  }
  EXPECT_EQ(Run({"--config", temp / "missing.config", "x"}), 1);
}

}  // namespace
}  // namespace bw::bwconfig
