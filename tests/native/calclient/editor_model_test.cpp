#include "../../../tools/calclient/model/editor_model.h"

#include <gtest/gtest.h>

namespace bw::calclient {
namespace {

EditorModel Editor(std::string_view text, Position caret, std::optional<Position> anchor = std::nullopt) {
  EditorModel editor;
  editor.SetText(text);
  editor.Place(caret, anchor);
  return editor;
}

void Type(EditorModel& editor, std::string_view text) {
  for (const char c : text) editor.Type(c);
}

TEST(EditorModelText, LineBreaksOfEveryKindSplitLines) {
  EditorModel editor;
  editor.SetText("a\r\nb\nc\rd\r\n");
  EXPECT_EQ(editor.Lines(), (std::vector<std::string>{"a", "b", "c", "d", ""}));
  EXPECT_EQ(editor.Text(), "a\r\nb\r\nc\r\nd\r\n");
}

TEST(EditorModelEnter, IndentsToTheFirstNonBlankColumnOfTheLineJustEnded) {
  auto editor = Editor("    Foo;", {0, 8});
  editor.Press(EditKey::Enter, false);
  EXPECT_EQ(editor.Caret(), (Position{1, 4}));
  EXPECT_EQ(editor.Lines()[1], "");  // the indentation is the caret's place, not typed spaces
  Type(editor, "x");
  EXPECT_EQ(editor.Lines()[1], "    x");
}

TEST(EditorModelEnter, TextAfterTheCaretMovesDownIndented) {
  auto editor = Editor("  ab cd", {0, 4});
  editor.Press(EditKey::Enter, false);
  EXPECT_EQ(editor.Lines(), (std::vector<std::string>{"  ab", "   cd"}));
  EXPECT_EQ(editor.Caret(), (Position{1, 2}));
}

TEST(EditorModelEnter, BlankLineKeepsTheCaretColumn) {
  auto editor = Editor("", {0, 6});
  editor.Press(EditKey::Enter, false);
  EXPECT_EQ(editor.Caret(), (Position{1, 6}));
}

TEST(EditorModelEnter, TypingLoopRealignsEveryLineToTheInsertionColumn) {
  // What Brackwater's typing loop sends for "begin", "  x", "end" from column 5.
  auto editor = Editor("", {0, 4});
  Type(editor, "begin");
  editor.Press(EditKey::Enter, false);
  Type(editor, "  x");
  editor.Press(EditKey::Enter, false);
  editor.Press(EditKey::Left, false);
  editor.Press(EditKey::Left, false);
  Type(editor, "end");
  EXPECT_EQ(editor.Text(), "    begin\r\n      x\r\n    end");
}

TEST(EditorModelMoves, UpAndDownKeepTheColumnBeyondShortLines) {
  auto editor = Editor("abcdef\r\nab\r\nabcdef", {0, 5});
  editor.Press(EditKey::Down, false);
  EXPECT_EQ(editor.Caret(), (Position{1, 5}));
  editor.Press(EditKey::Down, false);
  EXPECT_EQ(editor.Caret(), (Position{2, 5}));
  editor.Press(EditKey::Down, false);  // last line: stays
  EXPECT_EQ(editor.Caret(), (Position{2, 5}));
  editor.Press(EditKey::Up, false);
  Type(editor, "X");
  EXPECT_EQ(editor.Lines()[1], "ab   X");
}

TEST(EditorModelMoves, HomeEndLeftRight) {
  auto editor = Editor("  ab\r\ncd", {1, 1});
  editor.Press(EditKey::Home, false);
  EXPECT_EQ(editor.Caret(), (Position{1, 0}));  // column 1, not the first non-blank
  editor.Press(EditKey::Left, false);
  EXPECT_EQ(editor.Caret(), (Position{0, 4}));  // to the end of the line above
  editor.Press(EditKey::Right, false);
  EXPECT_EQ(editor.Caret(), (Position{0, 5}));  // into the space beyond the end
  editor.Press(EditKey::Home, false);
  editor.Press(EditKey::End, false);
  EXPECT_EQ(editor.Caret(), (Position{0, 4}));
  editor.Press(EditKey::Up, false);
  EXPECT_EQ(editor.Caret(), (Position{0, 4}));
}

TEST(EditorModelDeletion, DeleteAndBackspace) {
  auto editor = Editor("//ab\r\ncd", {0, 0});
  editor.Press(EditKey::Delete, false);
  editor.Press(EditKey::Delete, false);
  EXPECT_EQ(editor.Lines()[0], "ab");
  editor.Press(EditKey::End, false);
  editor.Press(EditKey::Delete, false);  // joins the next line
  EXPECT_EQ(editor.Lines(), (std::vector<std::string>{"abcd"}));
  editor.Press(EditKey::Backspace, false);
  EXPECT_EQ(editor.Lines()[0], "acd");  // the caret stood after "ab"
  editor.Place({0, 0});
  editor.Press(EditKey::Backspace, false);  // nothing before the start
  EXPECT_EQ(editor.Text(), "acd");
}

TEST(EditorModelDeletion, BackspaceJoinsLinesAndOnlyMovesBeyondTheEnd) {
  auto editor = Editor("ab\r\ncd", {1, 0});
  editor.Press(EditKey::Backspace, false);
  EXPECT_EQ(editor.Text(), "abcd");
  EXPECT_EQ(editor.Caret(), (Position{0, 2}));
  editor.Place({0, 7});
  editor.Press(EditKey::Backspace, false);
  EXPECT_EQ(editor.Text(), "abcd");
  EXPECT_EQ(editor.Caret(), (Position{0, 6}));
}

TEST(EditorModelSelection, ShiftMovesSelectAndPlainMovesDeselect) {
  auto editor = Editor("one\r\ntwo\r\nthree", {0, 1});
  editor.Press(EditKey::Down, true);
  editor.Press(EditKey::End, true);
  EXPECT_TRUE(editor.HasSelection());
  EXPECT_EQ(editor.SelectedText(), "ne\r\ntwo");
  editor.Press(EditKey::Up, true);
  editor.Press(EditKey::Home, true);
  editor.Press(EditKey::Right, true);  // back on the anchor: nothing selected
  EXPECT_FALSE(editor.HasSelection());
  editor.Press(EditKey::Down, true);
  editor.Press(EditKey::Left, false);
  EXPECT_FALSE(editor.HasSelection());
}

TEST(EditorModelSelection, CopyGivesCrLfLinesAndLeavesTheCaretAtTheEnd) {
  auto editor = Editor("one\r\n  two\r\nthree", {0, 0}, Position{2, 5});
  const auto copied = editor.Copy();
  ASSERT_TRUE(copied.has_value());
  EXPECT_EQ(*copied, "one\r\n  two\r\nthree");
  EXPECT_EQ(editor.Caret(), (Position{2, 5}));
  EXPECT_EQ(editor.Anchor(), (Position{0, 0}));
  EXPECT_TRUE(editor.HasSelection());
  // A selection ending at column 1 of a line ends its text with a line break.
  auto lines = Editor("a\r\nb\r\nc", {2, 0}, Position{0, 0});
  EXPECT_EQ(lines.Copy(), std::optional<std::string>("a\r\nb\r\n"));
  auto none = Editor("a", {0, 1});
  EXPECT_FALSE(none.Copy().has_value());
}

TEST(EditorModelSelection, TypingEnterAndDeleteReplaceTheSelection) {
  auto editor = Editor("abcdef\r\nghij", {1, 2}, Position{0, 3});
  Type(editor, "X");
  EXPECT_EQ(editor.Text(), "abcXij");
  editor.Place({0, 6}, Position{0, 1});
  editor.Press(EditKey::Delete, false);
  EXPECT_EQ(editor.Text(), "a");
  // A selection starting beyond the end of its line keeps the caret's column.
  auto beyond = Editor("ab\r\ncd", {1, 1}, Position{0, 4});
  beyond.Press(EditKey::Backspace, false);
  EXPECT_EQ(beyond.Text(), "ab  d");
  EXPECT_EQ(beyond.Caret(), (Position{0, 4}));
}

TEST(EditorModelPlace, ClampsToTheTextAndTheColumnLimit) {
  auto editor = Editor("a\r\nb", {9, 5000}, Position{9, 5000});
  EXPECT_EQ(editor.Caret(), (Position{1, EditorModel::kMaxColumn}));
  EXPECT_FALSE(editor.HasSelection());
  for (int i = 0; i < 3; ++i) editor.Press(EditKey::Right, false);
  EXPECT_EQ(editor.Caret().column, EditorModel::kMaxColumn);
}

}  // namespace
}  // namespace bw::calclient
