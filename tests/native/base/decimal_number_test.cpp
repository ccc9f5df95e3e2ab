#include "base/decimal_number.h"

#include <gtest/gtest.h>

namespace bw {
namespace {

TEST(DecimalNumber, DigitsOnlyWithinThirtyTwoBits) {
  EXPECT_EQ(DecimalNumber("0"), 0);
  EXPECT_EQ(DecimalNumber("007045"), 7045);
  EXPECT_EQ(DecimalNumber("2147483647"), 2147483647);
  for (const std::string_view refused : {"", "2147483648", "-1", "+1", " 1", "1 ", "1e3", "12a", "\xB9"})
    EXPECT_FALSE(DecimalNumber(refused).has_value()) << refused;
}

}  // namespace
}  // namespace bw
