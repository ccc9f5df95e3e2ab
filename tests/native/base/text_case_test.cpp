#include "base/text_case.h"

#include <gtest/gtest.h>

namespace bw {
namespace {

TEST(TextCase, AnsiFoldingTakesAccentedCapitalsButNotTheSignsBesideThem) {
  EXPECT_EQ(FoldCase('Q'), 'q');
  EXPECT_EQ(FoldCase('\xC0'), '\xE0');  // A grave
  EXPECT_EQ(FoldCase('\xDE'), '\xFE');  // thorn
  EXPECT_EQ(FoldCase('\xD7'), '\xD7');  // multiplication sign
  EXPECT_EQ(FoldCase('\xDF'), '\xDF');  // sharp s has no capital here
  EXPECT_EQ(FoldCase('['), '[');
  EXPECT_TRUE(EqualsIgnoringCase("M\xDCLLER", "m\xFCller"));
  EXPECT_FALSE(EqualsIgnoringCase("abc", "abcd"));
  EXPECT_TRUE(StartsWithIgnoringCase("<<AUTHOR>>", "<<author"));
  EXPECT_FALSE(StartsWithIgnoringCase("<<a", "<<author"));
  EXPECT_EQ(FindIgnoringCase("Set <<DATE>> here", "<<date>>"), 4u);
  EXPECT_EQ(FindIgnoringCase("ab", "abc"), std::string_view::npos);
}

TEST(TextCase, OrderIsOfFoldedBytesUnsignedWithPrefixesFirst) {
  EXPECT_TRUE(LessIgnoringCase("apple", "BANANA"));
  EXPECT_FALSE(LessIgnoringCase("BANANA", "apple"));
  EXPECT_FALSE(LessIgnoringCase("Same", "sAME"));
  EXPECT_TRUE(LessIgnoringCase("Item", "item2"));
  EXPECT_TRUE(LessIgnoringCase("zebra", "\xC4rger"));  // bytes above 0x7F sort after ASCII
  EXPECT_TRUE(LessIgnoringCase("_x", "a"));            // folded to lower case, "_" is below letters
}

TEST(TextCase, AsciiFormsLeaveEveryOtherByteAlone) {
  EXPECT_EQ(LowerAscii("C/AL-Editor \xC4Z"), "c/al-editor \xC4z");
  EXPECT_EQ(UpperAscii("fin.exe \xE4z"), "FIN.EXE \xE4Z");
  EXPECT_EQ(LowerAscii('@'), '@');
  EXPECT_EQ(UpperAscii('{'), '{');
  EXPECT_EQ(UpperAscii(""), "");
}

}  // namespace
}  // namespace bw
