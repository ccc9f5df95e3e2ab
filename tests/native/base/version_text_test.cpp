#include "base/version_text.h"

#include <gtest/gtest.h>

namespace bw {
namespace {

TEST(VersionTextTest, ThreePartsForTheMarginFourForTheVersionCheck) {
  EXPECT_EQ(VersionText(FileVersion{1, 2, 3, 45}), "1.2.3");
  EXPECT_EQ(FullVersionText(FileVersion{1, 2, 3, 45}), "1.2.3.45");
  EXPECT_EQ(VersionText(std::nullopt), "No version info is stored in executable.");
  EXPECT_EQ(FullVersionText(std::nullopt), "");
}

}  // namespace
}  // namespace bw
