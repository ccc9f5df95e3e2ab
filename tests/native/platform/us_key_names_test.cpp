#include "platform/native/us_key_names.h"

#include <gtest/gtest.h>

namespace bw::platform {
namespace {

TEST(UsKeyNames, PunctuationKeysAreNamedByTheirCharacters) {
  UsKeyNames keys;
  EXPECT_EQ(keys.LayoutKeyName(0xBE), ".");
  EXPECT_EQ(keys.LayoutKeyName(0xBC), ",");
  EXPECT_EQ(keys.LayoutKeyName(0xDD), "]");
  EXPECT_EQ(keys.LayoutKeyName(0xDB), "[");
  EXPECT_EQ(keys.LayoutKeyName(0xBF), "/");
  EXPECT_EQ(keys.LayoutKeyName(0xDC), "\\");
  EXPECT_EQ(keys.LayoutKeyName(0xBD), "-");
  EXPECT_EQ(keys.LayoutKeyName(0x41), "A");
  EXPECT_EQ(keys.LayoutKeyName(0x31), "1");
}

TEST(UsKeyNames, KeysWithoutExtendedBitGetTheirKeypadNames) {
  UsKeyNames keys;
  EXPECT_EQ(keys.LayoutKeyName(0x21), "Num 9");  // PgUp
  EXPECT_EQ(keys.LayoutKeyName(0x2E), "Num Del");
  EXPECT_EQ(keys.LayoutKeyName(0x60), "Num 0");
  EXPECT_EQ(keys.LayoutKeyName(0x6E), "Num Del");
  EXPECT_EQ(keys.LayoutKeyName(0x6F), "/");
  EXPECT_EQ(keys.LayoutKeyName(0xA3), "Ctrl");   // right Ctrl
  EXPECT_EQ(keys.LayoutKeyName(0x90), "Pause");  // Num Lock shares scan code 0x45
}

TEST(UsKeyNames, KeysWithoutScanCodeOrNameAreEmpty) {
  UsKeyNames keys;
  for (int vk : {0x00, 0x01, 0x02, 0x07, 0x6C, 0xFF, 0xE5})
    EXPECT_EQ(keys.LayoutKeyName(static_cast<std::uint8_t>(vk)), "") << vk;
  EXPECT_EQ(UsKeyNames::ScanCodeName(0x00), "");
  EXPECT_EQ(UsKeyNames::ScanCodeName(0x0E), "Backspace");
  EXPECT_EQ(UsKeyNames::ScanCodeName(0x5B), "");
}

}  // namespace
}  // namespace bw::platform
