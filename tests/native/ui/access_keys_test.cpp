#include "ui/access_keys.h"

#include <gtest/gtest.h>

namespace bw {
namespace {

TEST(AccessKeys, TheCharacterAfterTheFirstSingleAmpersandUpperCased) {
  EXPECT_EQ(AccessKeyOf("&Date"), 'D');
  EXPECT_EQ(AccessKeyOf("Do&cument"), 'C');
  EXPECT_EQ(AccessKeyOf("Use &Hotkey for this template."), 'H');
  EXPECT_EQ(AccessKeyOf("&One &Two"), 'O');
  // "&&" is an ampersand shown as it is, not a marker.
  EXPECT_EQ(AccessKeyOf("Fish && &Chips"), 'C');
  EXPECT_EQ(AccessKeyOf("&&&x"), 'X');
  EXPECT_EQ(AccessKeyOf("A && B"), '\0');
  EXPECT_EQ(AccessKeyOf("OK"), '\0');
  EXPECT_EQ(AccessKeyOf("Trailing&"), '\0');
  EXPECT_EQ(AccessKeyOf(""), '\0');
}

TEST(AccessKeys, MatchIgnoresCaseAndNeedsAKey) {
  EXPECT_TRUE(HasAccessKey("Hot&key", 'k'));
  EXPECT_TRUE(HasAccessKey("Hot&key", 'K'));
  EXPECT_FALSE(HasAccessKey("Hot&key", 'H'));
  EXPECT_FALSE(HasAccessKey("OK", '\0'));
  EXPECT_FALSE(HasAccessKey("A && B", '&'));
  EXPECT_TRUE(HasAccessKey("&1st", '1'));
}

}  // namespace
}  // namespace bw
