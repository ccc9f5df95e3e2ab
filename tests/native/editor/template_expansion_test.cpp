#include "editor/template_expansion.h"

#include <gtest/gtest.h>

#include "editor/variable_list.h"
#include "platform/fake/fixed_local_time.h"
#include "platform/native/english_locale.h"
#include "template_asker_support.h"

namespace bw {
namespace {

using Asked = std::vector<std::pair<std::string, std::string>>;

class Expansion : public testing::Test {
protected:
  std::optional<ExpandedTemplate> Expand(std::string_view text) {
    return ExpandTemplate(text, TemplateServices{vars, asker, clock, locale});
  }
  std::string Text(std::string_view text) {
    const auto expanded = Expand(text);
    return expanded ? expanded->text : "<cancelled>";
  }

  StringList vars{"Author=Ann Lee", "Initials=AL", "Company=Acme"};
  test::ScriptedAsker asker;
  fake::FixedLocalTime clock{{2026, 12, 8, 14, 5, 9, 7}};
  platform::EnglishLocale locale;
};

TEST_F(Expansion, ReplacesDateTimeAndReservedTagsWithoutAsking) {
  const std::pair<const char*, const char*> cases[] = {
      {"<<Date>>", "08-12-2026"},
      {"<<date>> <<DATE>>", "08-12-2026 08-12-2026"},
      {"<<Time>>", "14:05:09"},
      {"<<tIME>>", "14:05:09"},
      {"<<Date(yyyy-mm-dd)>>", "2026-12-08"},
      {"<<Time(hh:nn)>>", "14:05"},
      {"<<Time(dddd)>>", "Tuesday"},
      {"<<Date(yyyy)>> and <<DATE(YYYY)>>", "2026 and 2026"},
      {"<<Date()>>", "08-12-2026 14:05:09"},
      {"<<Date(a>>b)>>", "a>>b"},
      {"<<Author>>, <<initials>>, <<COMPANY>>", "Ann Lee, AL, Acme"},
      {"begin\r\n  |x\r\nend", "begin\r\n  |x\r\nend"},
      {"// <<Initials>> <<Date(dd.mm.yy)>>|", "// AL 08.12.26|"},
  };
  for (const auto& [text, expected] : cases) {
    const auto expanded = Expand(text);
    ASSERT_TRUE(expanded) << text;
    EXPECT_EQ(expanded->text, expected) << text;
    EXPECT_EQ(expanded->lastTag, LastTagState::None) << text;
  }
  EXPECT_TRUE(asker.asked.empty());
}

TEST_F(Expansion, DateFormIsIntroducedOnlyInItsOwnLetterCase) {
  EXPECT_EQ(Text("<<date(yyyy)>>"), "[date(yyyy)]");
  EXPECT_EQ(asker.asked, (Asked{{"date(yyyy)", ""}}));
}

TEST_F(Expansion, UserVariablesAreAskedOnceOfferedAndStored) {
  vars.push_back("name=old");
  asker.answers["Name"] = "Bob";
  const auto expanded = Expand("<<Name>> and <<name>> and <<NAME>>");
  ASSERT_TRUE(expanded);
  EXPECT_EQ(expanded->text, "Bob and Bob and Bob");
  EXPECT_EQ(expanded->lastTag, LastTagState::Asked);
  EXPECT_EQ(asker.asked, (Asked{{"Name", "old"}}));
  EXPECT_EQ(VariableValue(vars, "NAME"), "Bob");
}

TEST_F(Expansion, OnceVariableIsAskedOnlyWhileItHasNoValue) {
  asker.answers["Name"] = "Bob";
  auto first = Expand("<<Name(O)>>: <<Name>>");
  ASSERT_TRUE(first);
  EXPECT_EQ(first->text, "Bob: Bob");
  EXPECT_EQ(first->lastTag, LastTagState::Asked);
  // The plain tag is asked every time; the once tag after it is another tag, and silent.
  auto second = Expand("<<Name>> = <<Name(O)>>");
  ASSERT_TRUE(second);
  EXPECT_EQ(second->text, "Bob = Bob");
  EXPECT_EQ(second->lastTag, LastTagState::Silent);
  auto third = Expand("<<Name(O)>> = <<Name>>");
  ASSERT_TRUE(third);
  EXPECT_EQ(third->text, "Bob = Bob");
  EXPECT_EQ(third->lastTag, LastTagState::Silent);
  EXPECT_EQ(asker.asked.size(), 2u);
}

TEST_F(Expansion, SmallOMakesAOnceTagButStaysInTheName) {
  asker.answers["Name(o)"] = "x";
  EXPECT_EQ(Text("<<Name(o)>>"), "x");
  EXPECT_EQ(Text("<<Name(o)>>"), "x");
  EXPECT_EQ(asker.asked, (Asked{{"Name(o)", ""}}));
  EXPECT_EQ(VariableValue(vars, "Name(o)"), "x");
  EXPECT_EQ(VariableValue(vars, "Name"), "");
}

TEST_F(Expansion, LastTagStateFollowsTheLastTag) {
  vars.push_back("Kept=1");
  EXPECT_EQ(Expand("<<Kept(O)>> <<Asked>>")->lastTag, LastTagState::Asked);
  EXPECT_EQ(Expand("<<Asked>> <<Kept(O)>>")->lastTag, LastTagState::Silent);
  EXPECT_EQ(Expand("<<Author>> <<Date>>")->lastTag, LastTagState::None);
}

TEST_F(Expansion, EmptyReservedVariableIsAskedEvenWhenUnused) {
  vars = {"Initials=AL", "Company=Acme"};
  asker.answers["Author"] = "Ann";
  EXPECT_EQ(Text("no tags"), "no tags");
  EXPECT_EQ(asker.asked, (Asked{{"Author", ""}}));
  EXPECT_EQ(VariableValue(vars, "Author"), "Ann");
  EXPECT_EQ(Text("<<Author>>"), "Ann");
  EXPECT_EQ(asker.asked.size(), 1u);
}

TEST_F(Expansion, CancelAbortsAndKeepsEarlierAnswers) {
  asker.answers["A"] = "1";
  asker.answers["B"] = std::nullopt;
  EXPECT_FALSE(Expand("<<A>> <<B>> <<C>>"));
  EXPECT_EQ(VariableValue(vars, "A"), "1");
  EXPECT_EQ(asker.asked.size(), 2u);

  vars = {};
  asker.answers["Author"] = std::nullopt;
  EXPECT_FALSE(Expand("<<A>>"));
}

TEST_F(Expansion, EmptyAnswerReplacesWithNothingAndAsksAgainNextTime) {
  asker.answers["V"] = "";
  EXPECT_EQ(Text("[<<V(O)>>]"), "[]");
  EXPECT_EQ(Text("[<<V(O)>>]"), "[]");
  EXPECT_EQ(asker.asked.size(), 2u);
  EXPECT_FALSE(FindVariable(vars, "V"));
}

TEST_F(Expansion, UnclosedOrEmptyTagEndsTheQuestions) {
  EXPECT_EQ(Text("<<A>> << <<B"), "[A] << <<B");
  EXPECT_EQ(Text("<<>> <<B>>"), "<<>> <<B>>");
  // A tag already resolved is still replaced after the questions ended.
  EXPECT_EQ(Text("<<A>> <<>> <<a>> <<B>>"), "[A] <<>> [A] <<B>>");
  // The name runs from the first "<<" to the first ">>".
  EXPECT_EQ(Text("x << y <<B>>"), "x [ y <<B]");
  EXPECT_EQ(Text("<<<N>>"), "[<N]");
  EXPECT_EQ((Asked{{"A", ""}, {"A", "[A]"}, {" y <<B", ""}, {"<N", ""}}), asker.asked);
}

TEST_F(Expansion, DateFormWithoutItsCloseIsLeftAndTheRestGoesOn) {
  EXPECT_EQ(Text("<<Date(yyyy <<Time>>"), "<<Date(yyyy 14:05:09");
  EXPECT_EQ(Text("<<Time(hh <<Date(yyyy)>>"), "<<Time(hh 2026");
  EXPECT_TRUE(asker.asked.empty());
  // Without ")>>" the first ">>" makes it a user variable.
  EXPECT_EQ(Text("<<Date(yyyy>>"), "[Date(yyyy]");
}

TEST_F(Expansion, ValuesAreNeverReadAsTags) {
  asker.answers["Self"] = "<<Self>>";
  asker.answers["A"] = "<<B>>";
  asker.answers["Open"] = "<<";
  EXPECT_EQ(Text("<<Self>>|<<Self>>"), "<<Self>>|<<Self>>");
  EXPECT_EQ(Text("<<A>>"), "<<B>>");
  EXPECT_EQ(Text("<<Open>>B>>"), "<<B>>");
  EXPECT_EQ(asker.asked.size(), 3u);

  // A format's own output, and an empty value between "<" and "<", make no tag either.
  EXPECT_EQ(Text("<<Date('<<Date(')>> yyyy)>>"), "<<Date( yyyy)>>");
  vars = {"Initials=AL", "Company=Acme"};
  asker.answers["Author"] = "";
  EXPECT_EQ(Text("<<<Author>><B>>"), "<<B>>");
  EXPECT_EQ(asker.asked.back().first, "Author");
}

TEST_F(Expansion, OutputIsBounded) {
  asker.answers["Big"] = std::string(kMaxExpandedLength / 2, 'x');
  EXPECT_EQ(Text("<<Big>>").size(), kMaxExpandedLength / 2);
  EXPECT_THROW(Expand("<<Big>><<Big>><<Big>>"), TemplateTooLong);
  EXPECT_THROW(Expand(std::string(kMaxExpandedLength + 1, 'a')), TemplateTooLong);
  std::string formats;
  for (int i = 0; i < 40000; ++i) formats += "<<Date(dddddd" + std::to_string(i) + ")>>";
  EXPECT_THROW(Expand(formats), TemplateTooLong);
}

TEST_F(Expansion, HostileShapesFinish) {
  // Each of these would take quadratic time if every "<<" were followed to its ">>" afresh.
  const std::string nested = std::string(300000, '<') + ">>";
  EXPECT_EQ(Text(nested), "[" + std::string(299998, '<') + "]");
  std::string openers;
  for (int i = 0; i < 30000; ++i) openers += "<<Date(<<date(";
  openers += ")>>";
  // One date form whose format holds all the rest; "<<Date(" and "<<date(" format as "<<8a14:0526(".
  EXPECT_EQ(Text(openers).size(), 12u + 24u * 29999);
  asker.asked.clear();
  std::string many;
  for (int i = 0; i < 50000; ++i) many += "<<V" + std::to_string(i % 50) + "(O)>>";
  EXPECT_EQ(Text(many).size(), 1000u * (10 * 4 + 40 * 5));  // "[V7]", "[V42]"
  EXPECT_EQ(asker.asked.size(), 50u);
}

TEST(TemplateSteps, ReplaceDateTimeTagAndReplaceVariableTag) {
  const platform::EnglishLocale locale;
  const platform::LocalDateTime now{2026, 12, 8, 7, 5, 9, 0};
  EXPECT_EQ(ReplaceDateTimeTag("<<Date>> <<Time>> <<Time(h)>>", "Time", now, locale), "<<Date>> 07:05:09 7");
  EXPECT_EQ(ReplaceDateTimeTag("<<Date>> <<Time>>", "Date", now, locale), "08-12-2026 <<Time>>");

  StringList vars{"x=1"};
  test::ScriptedAsker asker;
  EXPECT_EQ(ReplaceVariableTag("<<X(O)>> <<X>> <<Y>>", "X(O)", false, vars, asker), "1 1 <<Y>>");
  EXPECT_TRUE(asker.asked.empty());
  asker.answers["x"] = "2";
  EXPECT_EQ(ReplaceVariableTag("<<X>>", "x", true, vars, asker), "2");
  EXPECT_EQ(vars, StringList{"x=2"});
}

}  // namespace
}  // namespace bw
