#include <gtest/gtest.h>
#include <zlib.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iterator>

#include "app/app_core.h"
#include "app/help_texts.h"
#include "app/text_resource.h"
#include "fake_host.h"
#include "platform/fake/fake_resources.h"

namespace bw::test {
namespace {

std::vector<std::uint8_t> Deflate(std::string_view text, int windowBits = -MAX_WBITS) {
  z_stream stream{};
  EXPECT_EQ(deflateInit2(&stream, 9, Z_DEFLATED, windowBits, 8, Z_DEFAULT_STRATEGY), Z_OK);
  std::vector<std::uint8_t> out(deflateBound(&stream, static_cast<uLong>(text.size())));
  stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(text.data()));
  stream.avail_in = static_cast<uInt>(text.size());
  stream.next_out = out.data();
  stream.avail_out = static_cast<uInt>(out.size());
  EXPECT_EQ(deflate(&stream, Z_FINISH), Z_STREAM_END);
  out.resize(stream.total_out);
  deflateEnd(&stream);
  return out;
}

std::vector<std::uint8_t> ReadFile(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

TEST(InflateRawTest, GivesBackTheTextOrNothingForADamagedStream) {
  std::string text;
  for (int i = 0; i < 5000; ++i) text += "Line " + std::to_string(i) + "\r\n";
  const auto stream = Deflate(text);
  EXPECT_EQ(InflateRaw(stream), text);

  EXPECT_EQ(InflateRaw({}), std::nullopt);
  const std::vector<std::uint8_t> cut(stream.begin(), stream.begin() + static_cast<long>(stream.size() / 2));
  EXPECT_EQ(InflateRaw(cut), std::nullopt);
  const std::vector<std::uint8_t> garbage = {0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x12};
  EXPECT_EQ(InflateRaw(garbage), std::nullopt);
  // A zlib stream (with header) is not what the resources hold.
  EXPECT_EQ(InflateRaw(Deflate(text, MAX_WBITS)), std::nullopt);
  // More text than allowed counts as damaged instead of growing without bound.
  EXPECT_EQ(InflateRaw(stream, 1000), std::nullopt);
}

TEST(SplitLinesTest, AnyLineEndEndsALineAndAFinalOneAddsNoLine) {
  EXPECT_EQ(SplitLines("a\r\nb\nc\rd\r\n"), (StringList{"a", "b", "c", "d"}));
  EXPECT_EQ(SplitLines("a\r\n\r\nb"), (StringList{"a", "", "b"}));
  EXPECT_TRUE(SplitLines("").empty());
}

TEST(HelpTextsTest, LookupByNumber) {
  std::string long_text(300, 'x');
  const HelpTexts help(StringList{"Heading", "001 First", "002 ", "003 " + long_text});
  EXPECT_EQ(help.Text(1), "First");
  EXPECT_EQ(help.Text(2), "");
  EXPECT_EQ(help.Text(3), std::string(255, 'x'));
  EXPECT_EQ(help.Text(0), "");
  EXPECT_EQ(help.Text(4), "");
  EXPECT_EQ(help.Text(-1), "");
}

TEST(HelpTextsTest, MissingOrDamagedResourceLeavesEveryTextEmpty) {
  platform::FakeResources resources;
  EXPECT_TRUE(LoadHelpTexts(resources).Empty());
  resources.resources["HELP"] = {1, 2, 3};
  EXPECT_TRUE(LoadHelpTexts(resources).Empty());
  EXPECT_TRUE(ReadTextResource(resources, "WHATSNEW").empty());
}

// The resources as the build makes them for the Windows program.
TEST(BuiltResourcesTest, HelpResourceHoldsEveryNumberedText) {
  platform::FakeResources resources;
  resources.resources["HELP"] = ReadFile(std::string(BW_RESOURCE_DIR) + "/help.deflate");
  const StringList lines = ReadTextResource(resources, "HELP");
  ASSERT_EQ(lines.size(), static_cast<std::size_t>(kHelpTextCount) + 1);
  EXPECT_EQ(lines[0], "Brackwater for MBS Navision Help File");
  for (int n = 1; n <= kHelpTextCount; ++n) {
    char prefix[8];
    std::snprintf(prefix, sizeof prefix, "%03d ", n);
    EXPECT_TRUE(lines[static_cast<std::size_t>(n)].starts_with(prefix)) << n;
  }
  const HelpTexts help(lines);
  EXPECT_EQ(help.Text(2).substr(0, 52), "This is the Brackwater Template configuration screen");
  EXPECT_EQ(help.Text(14), "");
  EXPECT_TRUE(help.Text(50).ends_with("CTRL + SHIFT + TAB. "));
  EXPECT_EQ(help.Text(15).substr(0, 32), "When you tick \"Run On Startup\" B");
  EXPECT_EQ(help.Text(63),
            "Check this item if you wish to activate code completion after pressing CTRL + SPACE in the C/AL editor.");
  EXPECT_TRUE(help.Text(64).starts_with("This is the Advanced Client Settings screen."));
  EXPECT_TRUE(help.Text(69).starts_with("Check this item to start the classic C/AL editor (useoldeditor=yes"));
  for (int n = 1; n <= kHelpTextCount; ++n)
    EXPECT_LT(lines[static_cast<std::size_t>(n)].size(), 4u + 256u) << "text " << n << " would be cut";
}

TEST(BuiltResourcesTest, WhatsNewIsAReleaseHistoryNewestFirst) {
  platform::FakeResources resources;
  resources.resources["WHATSNEW"] = ReadFile(std::string(BW_RESOURCE_DIR) + "/whats_new.deflate");
  const StringList lines = ReadTextResource(resources, "WHATSNEW");
  ASSERT_FALSE(lines.empty());
  EXPECT_TRUE(lines[0].starts_with("Version "));
  EXPECT_EQ(lines[1], "New features:");
  EXPECT_NE(std::find(lines.begin(), lines.end(), std::string(84, '-')), lines.end());
}


class ContextHelpTest : public ::testing::Test, public CoreFixture {};

TEST_F(ContextHelpTest, HelpTextShowsAsABalloonOfTwentyFiveSeconds) {
  core.SetHelpTexts(HelpTexts(StringList{"Heading", "001 Configurations", "002 Templates"}));
  core.ShowContextHelp(2);
  ASSERT_EQ(host.balloons.size(), 1u);
  EXPECT_EQ(host.balloons[0].title, "Brackwater for Dynamics NAV");
  EXPECT_EQ(host.balloons[0].text, "Templates");
  EXPECT_EQ(host.balloons[0].seconds, 25);
  EXPECT_TRUE(host.tips.empty());

  // Where the shell would hide the balloon, the help shows as a tip at the focused field.
  for (const auto state : {NotificationState::QuietTime, NotificationState::Busy, NotificationState::Away,
                           NotificationState::SwitchedOff, NotificationState::Unknown, NotificationState::Shown}) {
    host.notifications = state;
    const std::size_t balloons = host.balloons.size(), tips = host.tips.size();
    core.ShowContextHelp(1);
    const bool seen = state == NotificationState::Shown || state == NotificationState::Unknown;
    EXPECT_EQ(host.balloons.size(), balloons + (seen ? 1 : 0)) << static_cast<int>(state);
    ASSERT_EQ(host.tips.size(), tips + (seen ? 0 : 1)) << static_cast<int>(state);
    if (!seen) {
      EXPECT_EQ(host.tips.back().text, "Configurations");
    }
  }
}

}  // namespace
}  // namespace bw::test
