#include "platform/ansi_text.h"

#include <gtest/gtest.h>

namespace bw::platform {
namespace {

TEST(AnsiText, EveryByteSurvivesARoundTrip) {
  std::string all;
  for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
  const std::string utf8 = AnsiToUtf8(all);
  const auto back = Utf8ToAnsi(utf8);
  ASSERT_TRUE(back.has_value());
  EXPECT_EQ(*back, all);
}

TEST(AnsiText, MapsWindows1252) {
  EXPECT_EQ(AnsiToUtf8("\x80"), "\xE2\x82\xAC");            // euro sign
  EXPECT_EQ(AnsiToUtf8("\xE9"), "\xC3\xA9");                // e acute
  EXPECT_EQ(AnsiToUtf8("\x81\x9D"), "\xC2\x81\xC2\x9D");    // unassigned bytes as controls
  EXPECT_EQ(Utf8ToAnsi("\xE2\x80\x9C" "a\xE2\x80\x9D"), "\x93" "a\x94");
  EXPECT_EQ(Utf8ToAnsi(std::string("a\0b", 3)), std::string("a\0b", 3));
  EXPECT_EQ(Utf8ToAnsi(""), "");
}

TEST(AnsiText, RefusesCharactersWithoutAnAnsiByteAndBrokenUtf8) {
  EXPECT_FALSE(Utf8ToAnsi("\xE2\x82\xAD").has_value());        // U+20AD
  EXPECT_FALSE(Utf8ToAnsi("\xF0\x9F\x98\x80").has_value());    // emoji
  EXPECT_FALSE(Utf8ToAnsi("\xC3").has_value());                // truncated
  EXPECT_FALSE(Utf8ToAnsi("\xC0\xA9").has_value());            // overlong
  EXPECT_FALSE(Utf8ToAnsi("\xED\xA0\x80").has_value());        // surrogate
  EXPECT_FALSE(Utf8ToAnsi("\xFF").has_value());
  EXPECT_FALSE(Utf8ToAnsi("\x80").has_value());                // lone continuation byte
}

}  // namespace
}  // namespace bw::platform
