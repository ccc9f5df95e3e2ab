#include "editor/window_recognition.h"

#include <gtest/gtest.h>

#include "editor/attach_to_foreground.h"
#include "editor_scene.h"

namespace bw::test {
namespace {

constexpr platform::WindowId kWindow = 200;
constexpr platform::ProcessId kProcess = 300;

bool Editor(const std::string& className, const std::string& caption) {
  fake::EventLog log;
  fake::FakeDesktop desktop(log);
  desktop.AddWindow(kWindow, {className, caption, 9, kProcess, 0});
  return IsCalEditor(desktop, kWindow, kProcess);
}

bool Login(const std::string& className, const std::string& executable, bool snapshotFails = false) {
  fake::EventLog log;
  fake::FakeDesktop desktop(log);
  desktop.AddWindow(kWindow, {className, "", 9, kProcess, 0});
  desktop.AddProcess(kProcess, executable);
  desktop.AddProcess(kProcess + 1, "finsql.exe");
  desktop.FailSnapshot(snapshotFails);
  return IsLoginDialog(desktop, kWindow, kProcess);
}

TEST(IsCalEditor, ClassAndCaptionDecideLetterCaseAside) {
  EXPECT_TRUE(Editor("C/SIDE Form", "Table 18 Customer - C/AL EDITOR"));
  EXPECT_TRUE(Editor("c/side subform", "xc/aly"));
  EXPECT_FALSE(Editor("C/SIDE Form", "Customer Card"));  // an ordinary form
  EXPECT_FALSE(Editor("C/SIDE Glued", "C/AL Editor"));
  EXPECT_FALSE(Editor("C/SIDE Form ", "C/AL Editor"));
  EXPECT_FALSE(Editor("C/SIDE Form", std::string(252, ' ') + "C/AL"));  // beyond the 255 characters read

  fake::EventLog log;
  fake::FakeDesktop desktop(log);
  EXPECT_FALSE(IsCalEditor(desktop, platform::kNoWindow, 0));
}

TEST(IsLoginDialog, OnlyTheGluedFieldOfFinOrFinsql) {
  EXPECT_TRUE(Login("C/SIDE Glued", "C:\\Program Files\\NAV\\FINSQL.EXE"));
  EXPECT_TRUE(Login("c/side glued", "fin.exe"));
  EXPECT_FALSE(Login("C/SIDE Glued", "C:\\Tools\\finsql2.exe"));
  EXPECT_FALSE(Login("C/SIDE Glued", "notepad.exe"));
  EXPECT_FALSE(Login("Edit", "finsql.exe"));
  EXPECT_FALSE(Login("C/SIDE Glued", "finsql.exe", /*snapshotFails=*/true));

  fake::EventLog log;
  fake::FakeDesktop desktop(log);
  desktop.AddWindow(kWindow, {"C/SIDE Glued", "", 9, kProcess, 0});
  EXPECT_FALSE(IsLoginDialog(desktop, kWindow, kProcess));  // the process is not in the snapshot
}

TEST(AttachToForeground, SharesTheForegroundThreadsInputForItsLifetime) {
  EditorScene scene;
  {
    AttachToForeground frame(scene.desktop, scene.clock);
    ASSERT_TRUE(frame.Attached());
    EXPECT_EQ(frame.Foreground(), EditorScene::kClientWindow);
    EXPECT_EQ(frame.Focus(), EditorScene::kEditorWindow);
    EXPECT_EQ(frame.FocusProcess(), EditorScene::kClientProcess);
    EXPECT_TRUE(scene.desktop.Attached());
  }
  EXPECT_FALSE(scene.desktop.Attached());
  EXPECT_EQ(scene.log.Transcript(), (std::vector<std::string>{"attach", "detach", "pump"}));
}

TEST(AttachToForeground, AFailedAttachLeavesAnEmptyFrame) {
  EditorScene scene;
  scene.desktop.FailAttach(true);
  {
    AttachToForeground frame(scene.desktop, scene.clock);
    EXPECT_FALSE(frame);
    EXPECT_EQ(frame.Focus(), platform::kNoWindow);
  }
  EXPECT_EQ(scene.log.Transcript(), (std::vector<std::string>{"attach", "pump"}));

  scene.log.Clear();
  scene.desktop.FailAttach(false);
  scene.desktop.SetForeground(platform::kNoWindow);
  {
    AttachToForeground frame(scene.desktop, scene.clock);
    EXPECT_FALSE(frame);
  }
  EXPECT_EQ(scene.log.Transcript(), (std::vector<std::string>{"pump"}));
}

}  // namespace
}  // namespace bw::test
