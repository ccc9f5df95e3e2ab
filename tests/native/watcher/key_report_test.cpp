#include "watcher/key_report.h"

#include <gtest/gtest.h>

#include "watcher/watcher_api.h"

namespace bw::watcher {
namespace {

TEST(KeyReport, ModifiersLoseTheirSide) {
  EXPECT_EQ(MessageVirtualKey(0xA0), 0x10u);  // left Shift
  EXPECT_EQ(MessageVirtualKey(0xA1), 0x10u);
  EXPECT_EQ(MessageVirtualKey(0xA2), 0x11u);  // left Ctrl
  EXPECT_EQ(MessageVirtualKey(0xA3), 0x11u);
  EXPECT_EQ(MessageVirtualKey(0xA4), 0x12u);  // left Alt
  EXPECT_EQ(MessageVirtualKey(0xA5), 0x12u);
  EXPECT_EQ(MessageVirtualKey('A'), static_cast<std::uint32_t>('A'));
  EXPECT_EQ(MessageVirtualKey(0x5B), 0x5Bu);  // the Windows key keeps its side
}

TEST(KeyReport, FlagsAreLaidOutAsInAKeyboardMessage) {
  LowLevelKey key{'A', 0x1E, false, false, false};
  EXPECT_EQ(KeyMessageFlags(key, false), 0x001E0001u);
  EXPECT_EQ(KeyMessageFlags(key, true), 0x401E0001u);  // auto-repeat
  key.released = true;
  EXPECT_EQ(KeyMessageFlags(key, false), 0xC01E0001u);
  LowLevelKey extended{0x2E, 0x153, true, true, false};  // Delete with Alt; scan code keeps its low byte
  EXPECT_EQ(KeyMessageFlags(extended, false), 0x21530001u);
  EXPECT_EQ(KeyMessageFlags(extended, false) & KeyFlags::Released, 0u);
}

TEST(KeyReport, TableTellsARepeatedPressFromAFirstOne) {
  KeyDownTable table;
  const LowLevelKey down{'A', 0x1E, false, false, false};
  const LowLevelKey up{'A', 0x1E, false, false, true};
  EXPECT_FALSE(table.Record(down));
  EXPECT_TRUE(table.Record(down));
  EXPECT_TRUE(table.Record(up));
  EXPECT_FALSE(table.Record(down));
  // Left and right Shift are separate keys.
  EXPECT_FALSE(table.Record({0xA0, 0x2A, false, false, false}));
  EXPECT_FALSE(table.Record({0xA1, 0x36, false, false, false}));
  EXPECT_TRUE(table.Record({0x1A0, 0x2A, false, false, false}));  // only the low byte counts
}

}  // namespace
}  // namespace bw::watcher
