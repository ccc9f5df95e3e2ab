#include "editor/input_guard.h"

#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>
#include <thread>

#include "editor/insert_thread.h"
#include "editor/typing.h"
#include "editor_scene.h"

namespace bw::test {
namespace {

using fake::Event;
constexpr auto kEditor = EditorScene::kEditorWindow;

TEST(WaitForModifiersReleased, PollsUntilLetGoAndGivesUpAfterAboutASecond) {
  EditorScene scene;
  scene.desktop.HoldModifiers(platform::kHeldShift | platform::kHeldCtrl, 3);
  EXPECT_TRUE(WaitForModifiersReleased(scene.desktop, scene.clock));
  EXPECT_EQ(scene.log.Transcript(),
            (std::vector<std::string>{"poll 3", "sleep 10", "poll 3", "sleep 10", "poll 3", "sleep 10", "poll 0"}));

  scene.log.Clear();
  scene.desktop.HoldModifiers(platform::kHeldAlt, -1);
  EXPECT_FALSE(WaitForModifiersReleased(scene.desktop, scene.clock));
  EXPECT_EQ(scene.Count(Event::Kind::ModifierPoll), 100);
  EXPECT_EQ(scene.log.SleptMs(), 1000);
}

TEST(InputGuard, TakesInOrderAndReleasesInReverse) {
  EditorScene scene;
  scene.desktop.HoldModifiers(platform::kHeldShift, 1);
  {
    InputGuard guard(scene.desktop, scene.clock, {.busyCursor = true, .lockDrawing = kEditor});
    EXPECT_TRUE(scene.desktop.InputBlocked());
    EXPECT_EQ(scene.desktop.LockedWindow(), kEditor);
  }
  EXPECT_EQ(scene.log.Transcript(), (std::vector<std::string>{"poll 1", "sleep 10", "poll 0", "block on", "busy on",
                                                              "lock 101", "unlock", "busy off", "block off"}));
  EXPECT_FALSE(scene.desktop.InputBlocked());
  EXPECT_FALSE(scene.desktop.BusyCursorShown());
}

TEST(InputGuard, ReleasesOnlyWhatItTook) {
  EditorScene scene;
  ASSERT_TRUE(scene.desktop.BlockInput(true));                 // someone else blocks input
  ASSERT_TRUE(scene.desktop.LockWindowUpdate(EditorScene::kClientWindow));  // and locks another window
  scene.log.Clear();
  { InputGuard guard(scene.desktop, scene.clock, {.busyCursor = false, .lockDrawing = kEditor}); }
  EXPECT_TRUE(scene.desktop.InputBlocked());
  EXPECT_EQ(scene.desktop.LockedWindow(), EditorScene::kClientWindow);
}

TEST(InputGuard, ReleasedWhenTypingThrows) {
  EditorScene scene;
  scene.desktop.ThrowAfterPosts(3);
  EXPECT_THROW(
      {
        InputGuard guard(scene.desktop, scene.clock, {.busyCursor = true, .lockDrawing = kEditor});
        TypeText(scene.poster, kEditor, "abcdef");
      },
      std::runtime_error);
  EXPECT_FALSE(scene.desktop.InputBlocked());
  EXPECT_FALSE(scene.desktop.BusyCursorShown());
  EXPECT_EQ(scene.desktop.LockedWindow(), platform::kNoWindow);
  EXPECT_EQ(scene.editor.Text(), "abc");
}

// An editor that takes its time over every message, and a long time over the first.
class SlowEditor final : public fake::MessageSink {
public:
  explicit SlowEditor(fake::MessageSink& editor) : editor_(editor) {}
  void Receive(platform::WindowId window, platform::KeyMessage message, std::uint32_t wParam, std::uint32_t lParam,
               platform::Modifiers held) override {
    const bool first = !started.exchange(true);
    std::this_thread::sleep_for(std::chrono::milliseconds(first ? 200 : 15));
    editor_.Receive(window, message, wParam, lParam, held);
  }
  std::atomic<bool> started{false};

private:
  fake::MessageSink& editor_;
};

TEST(InputGuard, OneTypingRunAtATimeAndTheInputStaysBlockedUntilEachEnds) {
  EditorScene scene;
  SlowEditor slow(scene.editor);
  scene.desktop.Route(kEditor, slow);
  {
    TInsertThread worker(scene.Services(), {kEditor, "", "WORD", ""});
    for (int i = 0; i < 1000 && !slow.started; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(5));
    InputGuard guard(scene.desktop, scene.clock, {.busyCursor = false});
    EXPECT_TRUE(scene.desktop.InputBlocked());
    TypeText(scene.poster, kEditor, "xy");
  }
  EXPECT_EQ(scene.editor.Text(), "WORDxy");
  EXPECT_EQ(scene.log.Transcript({Event::Kind::BlockInput}),
            (std::vector<std::string>{"block on", "block off", "block on", "block off"}));
}

}  // namespace
}  // namespace bw::test
