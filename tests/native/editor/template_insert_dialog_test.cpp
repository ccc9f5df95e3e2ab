#include <gtest/gtest.h>

#include "editor/insert_confirmation.h"
#include "editor/insert_dialog_geometry.h"
#include "editor/insert_template_filter.h"
#include "editor/item_selection_list.h"

namespace bw {
namespace {

using namespace std::chrono_literals;

TEST(InsertConfirmation, LineBreaksAndMarkersAskUnlessPickedOrJustAsked) {
  struct Case {
    const char* text;
    bool confirmed;
    LastTagState lastTag;
    bool expected;
  };
  const Case cases[] = {
      {"one line", false, LastTagState::None, false},
      {"begin\r\nend", false, LastTagState::None, true},
      {"x := |;", false, LastTagState::None, true},
      {"begin\r\nend", true, LastTagState::None, false},
      {"begin\r\nend", false, LastTagState::Asked, false},
      {"one line", false, LastTagState::Silent, true},
      {"one line", true, LastTagState::Silent, true},
      {"bare\nfeed", false, LastTagState::None, false},
  };
  for (const auto& c : cases)
    EXPECT_EQ(InsertConfirmation(c.text, c.confirmed, c.lastTag), c.expected)
        << c.text << " confirmed " << c.confirmed << " last " << static_cast<int>(c.lastTag);
}

TEST(InsertDialogGeometry, RoundTripsThroughTheGeneralRecord) {
  const InsertDialogLayout designed{{100, 100, 691, 315}, 240};
  const DialogBounds screen{0, 0, 1920, 1040};
  TBrackwaterStorage general;
  EXPECT_EQ(RestoreInsertDialog(general, designed, screen), designed);

  const InsertDialogLayout moved{{300, 200, 800, 400}, 300};
  StoreInsertDialog(general, moved);
  EXPECT_EQ(general.InsertWindowSplitter, 300);
  EXPECT_EQ(RestoreInsertDialog(general, designed, screen), moved);
}

TEST(InsertDialogGeometry, StoredValuesAreKeptUsable) {
  const InsertDialogLayout designed{{100, 100, 691, 315}, 240};
  const DialogBounds screen{0, 0, 1920, 1040};
  struct Case {
    InsertDialogLayout stored;
    InsertDialogLayout expected;
  };
  const Case cases[] = {
      {{{50, 60, 0, 0}, 0}, designed},                                  // nothing stored yet
      {{{50, 60, 0, 500}, 200}, {{100, 100, 691, 315}, 200}},           // a zero width is no size
      {{{3000, -50, 800, 400}, 300}, {{1120, 0, 800, 400}, 300}},       // a monitor that is gone
      {{{10, 10, 4000, 3000}, 300}, {{0, 0, 1920, 1040}, 300}},         // larger than the screen
      {{{10, 10, 800, 400}, 790}, {{10, 10, 800, 400}, 800 - kMinInsertPane}},
      {{{10, 10, 800, 400}, 5}, {{10, 10, 800, 400}, kMinInsertPane}},
  };
  for (const auto& c : cases) {
    TBrackwaterStorage general;
    StoreInsertDialog(general, c.stored);
    EXPECT_EQ(RestoreInsertDialog(general, designed, screen), c.expected)
        << c.stored.bounds.left << "," << c.stored.bounds.top << " " << c.stored.bounds.width << "x"
        << c.stored.bounds.height << " | " << c.stored.splitter;
  }
}

TEST(InsertTemplateList, FilterKeepsRowsWhoseNameContainsTheTextAndSelectsTheFirst) {
  InsertTemplateList list({{"Header", "Ctrl+H", "// header"}, {"Loop", "", "REPEAT|UNTIL"}, {"Sub Header", "", "x"}});
  EXPECT_EQ(list.Shown().size(), 3u);
  EXPECT_EQ(list.Selected(), 0u);
  EXPECT_EQ(list.Preview(), "// header");

  list.SetFilter("HEAD");
  EXPECT_EQ(std::vector<std::size_t>(list.Shown().begin(), list.Shown().end()), (std::vector<std::size_t>{0, 2}));
  list.SelectShown(1);
  EXPECT_EQ(list.Selected(), 2u);

  list.SetFilter("oo");
  EXPECT_EQ(list.Selected(), 1u);
  EXPECT_EQ(list.Preview(), "REPEAT|UNTIL");

  list.SetFilter("nothing");
  EXPECT_TRUE(list.Shown().empty());
  EXPECT_FALSE(list.Selected());
  EXPECT_EQ(list.Preview(), "");
  list.SelectShown(0);
  EXPECT_FALSE(list.Selected());

  list.SetFilter("");
  EXPECT_EQ(list.Shown().size(), 3u);
  EXPECT_EQ(list.Selected(), 0u);
  EXPECT_FALSE(InsertTemplateList({}).Selected());
}

TEST(ItemSelectionList, SortsByNameAndSearchesIncrementally) {
  ItemSelectionList list({{"plugin tool", ItemKind::Plugin, 0},
                          {"Customer header", ItemKind::Template, 1},
                          {"customer card", ItemKind::Configuration, 2},
                          {"Check", ItemKind::Template, 3}});
  std::vector<std::string> names;
  for (const auto& item : list.Items()) names.push_back(item.name);
  EXPECT_EQ(names, (std::vector<std::string>{"Check", "customer card", "Customer header", "plugin tool"}));
  EXPECT_FALSE(list.Selected());

  EXPECT_EQ(list.TypeCharacter('C', 0ms), 0u);
  EXPECT_EQ(list.TypeCharacter('u', 200ms), 1u);
  EXPECT_EQ(list.TypeCharacter('s', 400ms), 1u);
  EXPECT_EQ(list.TypeCharacter('x', 600ms), 1u);  // no name starts so: the selection stays
  EXPECT_EQ(list.TypeCharacter('P', 5000ms), 3u);  // after a pause a new search begins
  EXPECT_EQ(list.TypeCharacter('\r', 5100ms), 3u);
  EXPECT_EQ(list.TypeCharacter('c', 7000ms), 0u);
  list.Select(9);
  EXPECT_FALSE(list.Selected());
}

}  // namespace
}  // namespace bw
