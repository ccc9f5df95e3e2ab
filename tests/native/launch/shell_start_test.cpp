#include <gtest/gtest.h>

#include "launch/plugin_start.h"
#include "launch/shell_start.h"
#include "platform/fake/recording_shell.h"

namespace bw {
namespace {

TEST(WorkingFolderTest, UpToTheLastDelimiter) {
  EXPECT_EQ(WorkingFolder("C:\\Tools\\x.exe"), "C:\\Tools\\");
  EXPECT_EQ(WorkingFolder("C:x.exe"), "C:");
  EXPECT_EQ(WorkingFolder("\\\\server\\share\\x.exe"), "\\\\server\\share\\");
  EXPECT_EQ(WorkingFolder("notepad.exe"), "");
  EXPECT_EQ(WorkingFolder("http://example.com/a/b"), "");
}

TEST(PluginStartTest, ParametersGoUnchangedAndThePathLosesItsQuotes) {
  platform::RecordingShell shell;
  shell.SetVariable("ProgramFiles", "C:\\Program Files");
  shell.SetVariable("TEMP", "C:\\Temp");
  TPluginStorage plugin;
  plugin.ExecutablePath = "\"%ProgramFiles%\\Tool\\tool.exe\"";
  plugin.Parameters = "/log %TEMP% \"<<Author>>\"";
  EXPECT_TRUE(StartPlugin(plugin, shell));
  ASSERT_EQ(shell.started.size(), 1u);
  EXPECT_EQ(shell.started[0].file, "C:\\Program Files\\Tool\\tool.exe");
  EXPECT_EQ(shell.started[0].directory, "C:\\Program Files\\Tool\\");
  EXPECT_EQ(shell.started[0].parameters, "/log %TEMP% \"<<Author>>\"");

  plugin.ExecutablePath = "C:\\Notes\\todo.txt";  // a document opens with its program
  plugin.Parameters.clear();
  shell.Refuse("C:\\Notes\\todo.txt");
  EXPECT_FALSE(StartPlugin(plugin, shell));
  EXPECT_EQ(shell.started[1].parameters, "");

  plugin.ExecutablePath.clear();
  EXPECT_FALSE(StartPlugin(plugin, shell));
  EXPECT_EQ(shell.started.size(), 2u);
}

TEST(OpenWebAddressTest, AddsTheSchemeOnlyWhenMissing) {
  platform::RecordingShell shell;
  OpenWebAddress(shell, "www.example.com/?page=version&check=1.2.3.45");
  OpenWebAddress(shell, "http://example.com");
  OpenWebAddress(shell, "https://example.com");
  EXPECT_FALSE(OpenWebAddress(shell, ""));
  ASSERT_EQ(shell.started.size(), 3u);
  EXPECT_EQ(shell.started[0].file, "http://www.example.com/?page=version&check=1.2.3.45");
  EXPECT_EQ(shell.started[1].file, "http://example.com");
  EXPECT_EQ(shell.started[2].file, "https://example.com");
  EXPECT_EQ(shell.started[0].directory, "");
}

}  // namespace
}  // namespace bw
