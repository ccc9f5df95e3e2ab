#include <gtest/gtest.h>

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

TEST(PhysicalInputGate, SwallowsTheUsersKeysWhileClosedButNeverInjectedOnesOrStrayReleases) {
  PhysicalInputGate gate;
  EXPECT_FALSE(gate.SwallowKey('A', false, false));
  gate.Close();
  EXPECT_TRUE(gate.SwallowKey('B', false, false));
  EXPECT_FALSE(gate.SwallowKey('C', false, true));    // injected
  EXPECT_FALSE(gate.SwallowKey('A', true, false));    // pressed before the gate closed: may come up
  EXPECT_TRUE(gate.SwallowMouse(true, false));
  EXPECT_FALSE(gate.SwallowMouse(false, false));      // movement passes
  EXPECT_FALSE(gate.SwallowMouse(true, true));
  gate.Open();
  EXPECT_TRUE(gate.SwallowKey('B', true, false));     // its press was swallowed: so is its release
  EXPECT_FALSE(gate.SwallowKey('B', true, false));
  EXPECT_FALSE(gate.SwallowKey('D', false, false));
  EXPECT_FALSE(gate.SwallowMouse(true, false));
}

}  // namespace
}  // namespace bw::watcher
