// The built program: exit codes and standard error as a script sees them.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/fake/temp_folder.h"
#include "settings/component_stream.h"
#include "settings/file_cipher.h"
#include "settings_tree_support.h"

namespace bw::bwconfig {
namespace {

// The tool is built into the same folder as this test program.
std::string ToolPath() { return (std::filesystem::read_symlink("/proc/self/exe").parent_path() / "bwconfig").string(); }

std::string Quote(const std::string& text) { return "'" + text + "'"; }

int RunTool(const std::string& arguments, const std::string& errFile) {
  const int status = std::system((Quote(ToolPath()) + " " + arguments + " </dev/null 2>" + Quote(errFile)).c_str());
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string ReadText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

TEST(BwconfigProgram, ConvertsAndReportsFailures) {
  ASSERT_TRUE(std::filesystem::exists(ToolPath())) << ToolPath();
  platform::TempFolder temp;
  const auto stream = WriteComponentStream(*MakeRichTree());
  std::ofstream(temp / "in.stream", std::ios::binary)
      .write(reinterpret_cast<const char*>(stream.data()), static_cast<std::streamsize>(stream.size()));

  EXPECT_EQ(RunTool("convert " + Quote(temp / "in.stream") + " " + Quote(temp / "a.json"), temp / "err"), 0);
  EXPECT_EQ(RunTool("convert " + Quote(temp / "a.json") + " " + Quote(temp / "b.config"), temp / "err"), 0);
  const auto config = EncipherSettings(stream);
  EXPECT_EQ(ReadText(temp / "b.config"), std::string(config.begin(), config.end()));
  EXPECT_EQ(ReadText(temp / "err"), "");

  EXPECT_EQ(RunTool("convert " + Quote(temp / "b.config") + " " + Quote(temp / "c.txt"), temp / "err"), 2);
  EXPECT_EQ(RunTool("show " + Quote(temp / "missing.config"), temp / "err"), 1);
  EXPECT_EQ(ReadText(temp / "err").rfind("bwconfig: ", 0), 0u);
}

}  // namespace
}  // namespace bw::bwconfig
