#include "ui/about_box.h"

#include <gtest/gtest.h>

#include "platform/fake/recording_shell.h"

namespace bw {
namespace {

TEST(WhatsNewWindow, FourteenPixelsALinePlusFourteenUpTo480) {
  EXPECT_EQ(WhatsNewHeight(20), 294);
  EXPECT_EQ(WhatsNewHeight(33), 476);
  EXPECT_EQ(WhatsNewHeight(34), 480);
  EXPECT_EQ(WhatsNewHeight(100), 480);
  EXPECT_EQ(WhatsNewHeight(std::size_t{1} << 40), 480);  // no overflow for absurd counts
}

TEST(WhatsNewWindow, ButtonOnlyForSomeText) {
  EXPECT_FALSE(HasWhatsNew({}));
  EXPECT_FALSE(HasWhatsNew({"", ""}));
  EXPECT_TRUE(HasWhatsNew({"", "Version 1.0.0"}));
}

TEST(VersionCheck, AddressCarriesTheFourPartVersion) {
  const FileVersion version{1, 2, 3, 45};
  EXPECT_EQ(VersionCheckAddress("https://example.org", version), "https://example.org/?page=version&check=1.2.3.45");
  EXPECT_EQ(VersionCheckAddress("https://example.org/", version), "https://example.org/?page=version&check=1.2.3.45");
  EXPECT_EQ(VersionCheckAddress("", version), "");
  EXPECT_EQ(VersionCheckAddress("https://example.org", std::nullopt), "");
}

TEST(VersionCheck, OpensTheAddressInTheBrowserOrNothing) {
  platform::RecordingShell shell;
  EXPECT_TRUE(CheckForNewVersion(shell, "www.example.org/", FileVersion{1, 2, 3, 45}));
  ASSERT_EQ(shell.started.size(), 1u);
  EXPECT_EQ(shell.started[0].file, "http://www.example.org/?page=version&check=1.2.3.45");
  EXPECT_EQ(shell.started[0].parameters, "");

  // No address in the version resource: the link and the check do nothing.
  EXPECT_FALSE(LinkActive(AboutTexts{}));
  EXPECT_FALSE(CheckForNewVersion(shell, "", FileVersion{1, 2, 3, 45}));
  EXPECT_EQ(shell.started.size(), 1u);
}

}  // namespace
}  // namespace bw
