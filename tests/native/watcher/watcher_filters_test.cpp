#include <gtest/gtest.h>

#include "watcher/key_handover.h"
#include "watcher/physical_input_gate.h"
#include "watcher/watched_classes.h"

namespace bw::watcher {
namespace {

TEST(WatchedClasses, MatchesTheHandedClassesIgnoringCaseAndWatchesAllWithoutAList) {
  const WatchedClasses all;
  EXPECT_TRUE(all.WatchesAll());
  EXPECT_TRUE(all.Watches("Notepad"));

  const WatchedClasses editor("c/side form\r\nC/SIDE Subform\n\n");
  EXPECT_FALSE(editor.WatchesAll());
  EXPECT_TRUE(editor.Watches("C/SIDE Form"));
  EXPECT_TRUE(editor.Watches("c/side subform"));
  EXPECT_FALSE(editor.Watches("c/side form2"));
  EXPECT_FALSE(editor.Watches("c/side"));
  EXPECT_FALSE(editor.Watches(""));
  EXPECT_TRUE(WatchedClasses("").WatchesAll());
}

TEST(PhysicalInputGate, SwallowsTheUsersKeysAndButtonsWhileClosedButNeverInjectedOnesOrStrayReleases) {
  using enum MouseAction;
  using enum MouseButton;
  PhysicalInputGate gate;
  EXPECT_FALSE(gate.SwallowKey('A', false, false));
  EXPECT_FALSE(gate.SwallowMouse(Press, Left, false));  // a double-click's second press, before the run
  gate.Close();
  EXPECT_TRUE(gate.SwallowKey('B', false, false));
  EXPECT_FALSE(gate.SwallowKey('C', false, true));    // injected
  EXPECT_FALSE(gate.SwallowKey('A', true, false));    // pressed before the gate closed: may come up
  EXPECT_FALSE(gate.SwallowMouse(Release, Left, false));  // so may the button: it would stay down
  EXPECT_TRUE(gate.SwallowMouse(Press, Right, false));
  EXPECT_TRUE(gate.SwallowMouse(Wheel, Left, false));
  EXPECT_FALSE(gate.SwallowMouse(Move, Left, false));  // movement passes
  EXPECT_FALSE(gate.SwallowMouse(Press, Middle, true));
  EXPECT_FALSE(gate.StopRequested());
  EXPECT_FALSE(gate.SwallowKey(0x1B, false, true));   // an injected Esc does not stop the run
  EXPECT_FALSE(gate.StopRequested());
  EXPECT_TRUE(gate.SwallowKey(0x1B, false, false));
  EXPECT_TRUE(gate.StopRequested());
  gate.Open();
  EXPECT_TRUE(gate.SwallowKey('B', true, false));     // its press was swallowed: so is its release
  EXPECT_FALSE(gate.SwallowKey('B', true, false));
  EXPECT_TRUE(gate.SwallowMouse(Release, Right, false));
  EXPECT_FALSE(gate.SwallowMouse(Release, Right, false));
  EXPECT_FALSE(gate.SwallowKey('D', false, false));
  EXPECT_FALSE(gate.SwallowMouse(Press, Left, false));
  gate.Close();
  EXPECT_FALSE(gate.StopRequested());  // each run starts afresh

  // Following the program: a run stopped with Esc, then the next run begins before any event
  // told the gate that the first had ended. The new run is not stopped by the old Esc.
  PhysicalInputGate follower;
  follower.Follow(true, 1);
  EXPECT_TRUE(follower.SwallowKey(0x1B, false, false));
  EXPECT_TRUE(follower.StopRequested());
  follower.Follow(true, 2);
  EXPECT_FALSE(follower.StopRequested());
  EXPECT_TRUE(follower.IsClosed());
  follower.Follow(false, 2);
  EXPECT_FALSE(follower.IsClosed());
}

// Whoever comes first decides about a key: the program answering in time, or the hook giving
// up (then the program must not act on it when it gets there).
TEST(KeyHandover, ExactlyOneSideDecidesAndAStaleEventIsNeverTaken) {
  KeyHandover handover;
  const auto inTime = handover.Begin();
  EXPECT_FALSE(handover.AnswerOf(inTime));
  EXPECT_TRUE(handover.Take(inTime));
  handover.Answer(inTime, true);
  EXPECT_EQ(handover.AnswerOf(inTime), true);

  const auto late = handover.Begin();
  EXPECT_FALSE(handover.AnswerOf(late));  // the earlier verdict is not this key's
  EXPECT_TRUE(handover.Abandon(late));
  EXPECT_TRUE(handover.Abandon(late));
  EXPECT_FALSE(handover.Take(late));

  const auto justTaken = handover.Begin();
  EXPECT_TRUE(handover.Take(justTaken));
  EXPECT_FALSE(handover.Abandon(justTaken));  // the hook waits for the verdict instead
  handover.Answer(justTaken, false);
  EXPECT_EQ(handover.AnswerOf(justTaken), false);

  const auto stale = handover.Begin();
  const auto next = handover.Begin();
  EXPECT_FALSE(handover.Take(stale));
  EXPECT_TRUE(handover.Take(next));
}

}  // namespace
}  // namespace bw::watcher
