#include "editor/template_tags.h"

#include <gtest/gtest.h>

#include "editor/tag_highlight.h"

namespace bw {
namespace {

TEST(TemplateTags, NextTagNameRunsFromTheFirstOpenToTheFirstCloseAfterIt) {
  const std::pair<const char*, const char*> cases[] = {
      {"a <<Name>> <<Other>>", "Name"}, {"no tags", ""},   {"<<>> <<Name>>", ""},  {"<<open only", ""},
      {">> <<x>>", "x"},                 {"<<a << b>>", "a << b"}, {"<<<x>>>", "<x"}, {"<<Date(x)>>", "Date(x)"},
  };
  for (const auto& [text, name] : cases) EXPECT_EQ(NextTagName(text), name) << text;
}

TEST(TemplateTags, VariableNameDropsTheOnceMarkOnlyInCapitals) {
  const std::pair<const char*, const char*> cases[] = {
      {"Name", "Name"}, {"Name(O)", "Name"}, {"Name(o)", "Name(o)"}, {"(O)", ""}, {"A(O)B", "A("},
  };
  for (const auto& [tag, name] : cases) EXPECT_EQ(VariableName(tag), name) << tag;
  EXPECT_TRUE(IsOnceTag("Name(O)"));
  EXPECT_TRUE(IsOnceTag("Name(o)"));
  EXPECT_FALSE(IsOnceTag("Name(0)"));
}

TEST(TagHighlight, SpansCoverEachTagThroughItsClose) {
  using Spans = std::vector<TextSpan>;
  EXPECT_EQ(HighlightTags("x <<A>> y\r\n<<B>>"), (Spans{{2, 5}, {11, 5}}));
  EXPECT_EQ(HighlightTags("<<A>><<B>>"), (Spans{{0, 5}, {5, 5}}));
  EXPECT_EQ(HighlightTags("<< no close"), Spans{});
  EXPECT_EQ(HighlightTags("<<a <<b>> c>>"), (Spans{{0, 9}}));
  EXPECT_EQ(HighlightTags("<<<x>>"), (Spans{{0, 6}}));
  EXPECT_EQ(HighlightTags("<<>>>"), (Spans{{0, 4}}));
  EXPECT_EQ(HighlightTags("a <<b>> <<c"), (Spans{{2, 5}}));
}

TEST(TagHighlight, ManyOpenersBeforeOneCloseMakeOneSpan) {
  const std::string text = std::string(200000, '<') + ">>";
  EXPECT_EQ(HighlightTags(text), (std::vector<TextSpan>{{0, text.size()}}));
}

}  // namespace
}  // namespace bw
