#include "ui/template_preview.h"

#include <gtest/gtest.h>

namespace bw {
namespace {

// What the red spans cover in the shown text.
std::vector<std::string> RedTexts(const TemplatePreview& preview) {
  std::vector<std::string> texts;
  for (const TextSpan& span : preview.red) texts.push_back(preview.text.substr(span.start, span.length));
  return texts;
}

TEST(TemplatePreview, EveryKindOfLineBreakBecomesOneCr) {
  EXPECT_EQ(MakeTemplatePreview("a\r\nb\nc\rd\r\n").text, "a\rb\rc\rd\r");
  EXPECT_EQ(MakeTemplatePreview("\r\r\n\n").text, "\r\r\r");
  EXPECT_EQ(MakeTemplatePreview("").text, "");
}

TEST(TemplatePreview, TagsAfterLineBreaksStayOnTheirTags) {
  const auto preview = MakeTemplatePreview("begin\r\n  <<Author>> |x\r\n<<Date>>\nend <<Who>>");
  EXPECT_EQ(RedTexts(preview), (std::vector<std::string>{"<<Author>>", "<<Date>>", "<<Who>>"}));
  EXPECT_EQ(preview.red.front().start, 8u);  // "begin" + one CR + two spaces
}

TEST(TemplatePreview, ATagAcrossALineBreakIsRedThroughIt) {
  const auto preview = MakeTemplatePreview("x<<a\r\nb>>y");
  EXPECT_EQ(RedTexts(preview), (std::vector<std::string>{"<<a\rb>>"}));
}

TEST(TemplatePreview, UnclosedAndOverlappingTagsFollowTheHighlightRule) {
  EXPECT_TRUE(MakeTemplatePreview("<<open\r\nnever closed").red.empty());
  // The second "<<" lies inside the first tag's span: the union is red, once.
  EXPECT_EQ(RedTexts(MakeTemplatePreview("<<a\r\n<<b>> c>>")), (std::vector<std::string>{"<<a\r<<b>>"}));
}

}  // namespace
}  // namespace bw
