#include "editor/variable_list.h"

#include <gtest/gtest.h>

#include "editor/variable_reset.h"
#include "platform/fake/recording_messages.h"

namespace bw {
namespace {

TEST(VariableList, NamesIgnoreLetterCaseAndTheFirstEqualsSplits) {
  const StringList vars{"no equals", "Name=a=b", "name=second", "=empty name", "Empty="};
  EXPECT_EQ(VariableValue(vars, "NAME"), "a=b");
  EXPECT_EQ(FindVariable(vars, "name"), 1u);
  EXPECT_EQ(VariableValue(vars, ""), "empty name");
  EXPECT_EQ(VariableValue(vars, "no equals"), "");
  EXPECT_EQ(VariableValue(vars, "Missing"), "");
  EXPECT_EQ(VariableValue(vars, "Empty"), "");
  EXPECT_TRUE(FindVariable(vars, "Empty"));
}

TEST(VariableList, StoringReplacesInPlaceAppendsOrRemoves) {
  struct Case {
    StringList before;
    const char* name;
    const char* value;
    StringList after;
  };
  const Case cases[] = {
      {{"A=1", "B=2", "C=3"}, "b", "x", {"A=1", "b=x", "C=3"}},
      {{"A=1"}, "B", "2", {"A=1", "B=2"}},
      {{"A=1", "B=2", "C=3"}, "B", "", {"A=1", "C=3"}},
      {{"A=1"}, "Z", "", {"A=1"}},
      {{"A=1", "a=2"}, "A", "", {"a=2"}},
      {{"A=1"}, "A", "x=y", {"A=x=y"}},
  };
  for (const auto& c : cases) {
    StringList vars = c.before;
    EXPECT_TRUE(StoreVariable(vars, c.name, c.value));
    EXPECT_EQ(vars, c.after) << c.name << "=" << c.value;
  }
}

TEST(VariableList, NameWithEqualsIsNeverStored) {
  StringList vars{"a=b=old"};
  EXPECT_FALSE(StoreVariable(vars, "a=b", "new"));
  EXPECT_FALSE(StoreVariable(vars, "a=b", "newer"));
  EXPECT_EQ(vars, StringList{"a=b=old"});
}

TEST(VariableList, ReservedVariablesMirrorTheGeneralRecord) {
  TBrackwaterStorage general;
  general.VarList = {"Company=Old", "X=1", "author=old"};
  general.Author = "Ann";
  general.Initials = "AL";
  SetReservedVariables(general);
  EXPECT_EQ(general.VarList, (StringList{"X=1", "Author=Ann", "Initials=AL"}));
  general.Author.clear();
  SetReservedVariables(general);
  EXPECT_EQ(general.VarList, (StringList{"X=1", "Initials=AL"}));
  EXPECT_TRUE(IsReservedVariable("Initials"));
  EXPECT_FALSE(IsReservedVariable("initials"));
}

TEST(VariableReset, RowsAreSortedAndWrittenBackHoweverTheDialogCloses) {
  StringList vars{"b=2", "Author=Ann", "a=1", "odd line", "C=3"};
  std::vector<std::string> names;
  ResetVariables(vars, [&](VariableResetList& list) {
    for (const auto& row : list.Rows()) names.push_back(row.name + ":" + row.value);
  });
  EXPECT_EQ(names, (std::vector<std::string>{"a:1", "Author:Ann", "b:2", "C:3", "odd line:"}));
  EXPECT_EQ(vars, (StringList{"a=1", "Author=Ann", "b=2", "C=3", "odd line"}));

  platform::RecordingMessages messages;
  messages.ScriptAnswers({true});
  EXPECT_THROW(ResetVariables(vars,
                              [&](VariableResetList& list) {
                                list.DeleteVariable(0, messages);
                                throw std::runtime_error("closed by force");
                              }),
               std::runtime_error);
  EXPECT_EQ(vars, (StringList{"Author=Ann", "b=2", "C=3", "odd line"}));
}

TEST(VariableReset, ReservedRowsWarnOthersAreConfirmed) {
  VariableResetList list({"Author=Ann", "author=lower", "X=1"});
  platform::RecordingMessages messages;
  EXPECT_FALSE(list.DeleteVariable(0, messages));
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].kind, platform::RecordingMessages::Shown::Kind::Warning);
  EXPECT_EQ(messages.shown[0].text,
            "You cannot remove the Author variable.\r\nThis is a reserved variable and can be changed in the "
            "preferences.");

  messages.ScriptAnswers({false, true});
  EXPECT_FALSE(list.DeleteVariable(1, messages));  // "author" is no reserved name; No keeps it
  EXPECT_EQ(messages.shown.back().kind, platform::RecordingMessages::Shown::Kind::Confirm);
  EXPECT_EQ(messages.shown.back().text, "Are you sure you wish to delete variable \"author\" ?");
  EXPECT_TRUE(list.DeleteVariable(1, messages));
  EXPECT_FALSE(list.DeleteVariable(5, messages));
  EXPECT_EQ(list.Lines(), (StringList{"Author=Ann", "X=1"}));
}

}  // namespace
}  // namespace bw
