#include "editor/typing.h"

#include <gtest/gtest.h>

#include "editor_scene.h"

namespace bw::test {
namespace {

using fake::Caret;
using fake::Event;
using std::chrono::milliseconds;
constexpr auto kEditor = EditorScene::kEditorWindow;

TEST(Posting, KeysAndCharactersCarryTheFixedParametersAndPauseOnlyWhenAsked) {
  EditorScene scene;
  scene.poster.PostKey(kEditor, platform::vk::Home, milliseconds(0));
  scene.poster.PostChar(kEditor, '\xE4', milliseconds(10));
  scene.poster.PostKey(platform::kNoWindow, platform::vk::Home, milliseconds(0));  // never into our own queue

  const auto events = scene.log.Events();
  ASSERT_EQ(events.size(), 5u);
  EXPECT_EQ(events[0].message, platform::KeyMessage::KeyDown);
  EXPECT_EQ(events[0].lParam, 0x001C0001u);
  EXPECT_EQ(events[1].message, platform::KeyMessage::KeyUp);
  EXPECT_EQ(events[1].lParam, 0xC01C0001u);
  EXPECT_EQ(events[2].message, platform::KeyMessage::Char);
  EXPECT_EQ(events[2].wParam, 0xE4u);  // the byte, not a sign-extended char
  EXPECT_EQ(events[2].lParam, 0x001C0001u);
  EXPECT_EQ(Describe(events[3]), "pump");
  EXPECT_EQ(Describe(events[4]), "sleep 10");
}

TEST(Posting, CopyChordGoesToTheTopLevelWindowWithTheLayoutsKey) {
  EditorScene scene;
  scene.desktop.SetKeyForChar('c', 0x0143);  // the layout's key with a shift state: passed whole
  scene.poster.PostCopy(EditorScene::kClientWindow);
  EXPECT_EQ(scene.log.Transcript(), (std::vector<std::string>{"+Control", "vk323", "-Control", "pump", "sleep 50"}));
  const auto posts = scene.log.PostsTo(EditorScene::kClientWindow);
  ASSERT_EQ(posts.size(), 4u);
  EXPECT_EQ(posts.front().lParam, 0u);
  EXPECT_EQ(posts.back().lParam, 0u);

  scene.log.Clear();
  scene.desktop.SetKeyForChar('c', -1);  // a layout without a Latin c still copies with the C key
  scene.poster.PostCopy(EditorScene::kClientWindow);
  EXPECT_EQ(scene.log.PostsTo(EditorScene::kClientWindow)[1].wParam, 0x43u);
}

TEST(TypeText, OneLineIsOneRunOfCharactersWithoutPause) {
  EditorScene scene;
  EXPECT_FALSE(TypeText(scene.poster, kEditor, "x := 1;"));
  EXPECT_EQ(scene.log.KeysAndPauses(), (std::vector<std::string>{"'x'", "' '", "':'", "'='", "' '", "'1'", "';'"}));
  EXPECT_EQ(scene.Count(Event::Kind::Pump), 0);
  EXPECT_EQ(scene.editor.Text(), "x := 1;");
}

TEST(TypeText, LeadingSpacesAreUndoneAfterEachEnter) {
  EditorScene scene;
  TypeText(scene.poster, kEditor, "    if\r\nx");
  EXPECT_EQ(scene.log.KeysAndPauses(),
            Join({Times(4, "' '"), {"'i'", "'f'", "Enter", "sleep 150"}, Times(4, "Left"), {"'x'"}}));
}

TEST(TypeText, EveryLineStartsInTheColumnWhereTypingBegan) {
  EditorScene scene;
  scene.editor.SetText("    ");
  scene.editor.SetCaret({0, 4});
  TypeText(scene.poster, kEditor, "    IF a THEN\r\n      b;\r\nEND");
  EXPECT_EQ(scene.editor.Lines(), (std::vector<std::string>{"        IF a THEN", "          b;", "    END"}));
  EXPECT_EQ(scene.editor.GetCaret(), (Caret{2, 7}));
  EXPECT_EQ(scene.log.SleptMs(), 300);  // 150 ms per Enter and nothing else
}

TEST(TypeText, BlankLinesTabsAndMarkers) {
  EditorScene scene;
  scene.editor.SetText("  ");
  scene.editor.SetCaret({0, 2});
  // A line of only spaces counts every space as leading.
  TypeText(scene.poster, kEditor, "a\r\n   \r\nb");
  EXPECT_EQ(scene.editor.Lines(), (std::vector<std::string>{"  a", "     ", "  b"}));

  // A tab ends the leading spaces: the spaces after it are not undone after Enter.
  scene.log.Clear();
  TypeText(scene.poster, kEditor, "\t  x\r\ny");
  EXPECT_EQ(scene.log.KeysAndPauses(), (std::vector<std::string>{"'\t'", "' '", "' '", "'x'", "Enter", "sleep 150", "'y'"}));

  // "|" is never typed and is reported; LF is never typed.
  scene.log.Clear();
  EXPECT_TRUE(TypeText(scene.poster, kEditor, "a|b"));
  EXPECT_EQ(scene.log.KeysAndPauses(), (std::vector<std::string>{"'a'", "'b'"}));
}

TEST(TypeText, MarkerAmongLeadingSpacesNeitherCountsNorEndsThem) {
  // The editor indents the next line by every space typed, on either side of the marker.
  EditorScene scene;
  scene.editor.SetText("    ");
  scene.editor.SetCaret({0, 4});
  EXPECT_TRUE(TypeText(scene.poster, kEditor, "begin\r\n|  x\r\n | y\r\nend"));
  EXPECT_EQ(scene.editor.Lines(), (std::vector<std::string>{"    begin", "      x", "      y", "    end"}));
  EXPECT_EQ(scene.editor.GetCaret(), (Caret{3, 7}));
}

TEST(TypeText, ThePaceWaitsAfterEachEnterAndEachCharacterButNotAfterTheLefts) {
  struct Row {
    TypingPace pace;
    std::vector<std::string> keys;  // of " a\r\nb|"
  };
  const milliseconds none{0};
  const Row rows[] = {
      {{}, {"' '", "'a'", "Enter", "sleep 150", "Left", "'b'"}},
      {{none, none}, {"' '", "'a'", "Enter", "Left", "'b'"}},
      {{milliseconds(400), none}, {"' '", "'a'", "Enter", "sleep 400", "Left", "'b'"}},
      {{none, milliseconds(20)}, {"' '", "sleep 20", "'a'", "sleep 20", "Enter", "Left", "'b'", "sleep 20"}},
      {{milliseconds(2000), milliseconds(100)},
       {"' '", "sleep 100", "'a'", "sleep 100", "Enter", "sleep 2000", "Left", "'b'", "sleep 100"}},
  };
  for (const Row& row : rows) {
    EditorScene scene;
    EXPECT_TRUE(TypeText(scene.poster, kEditor, " a\r\nb|", row.pace));
    EXPECT_EQ(scene.log.KeysAndPauses(), row.keys) << row.pace.newLine.count() << "/" << row.pace.character.count();
    EXPECT_EQ(scene.editor.Lines(), (std::vector<std::string>{" a", "b"}));
  }
  // The login is typed at the same pace.
  EditorScene scene;
  TypeVerbatim(scene.poster, kEditor, "a\r\n", {milliseconds(400), milliseconds(20)});
  EXPECT_EQ(scene.log.KeysAndPauses(), (std::vector<std::string>{"'a'", "sleep 20", "Enter", "sleep 400"}));
}

TEST(TypingPace, StoredValuesAreClampedIntoTheirRanges) {
  struct Row {
    std::int32_t newLine, character;
    std::int64_t expectedNewLine, expectedCharacter;
  };
  const Row rows[] = {
      {150, 0, 150, 0},       {0, 100, 0, 100},     {2000, 7, 2000, 7},
      {2001, 101, 2000, 100}, {-1, -20, 0, 0},      {2147483647, -2147483647 - 1, 2000, 0},
  };
  for (const Row& row : rows) {
    TBrackwaterStorage general;
    general.NewLinePause = row.newLine;
    general.CharacterPause = row.character;
    const TypingPace pace = PaceOf(general);
    EXPECT_EQ(pace.newLine.count(), row.expectedNewLine) << row.newLine;
    EXPECT_EQ(pace.character.count(), row.expectedCharacter) << row.character;
  }
  EXPECT_EQ(PaceOf(TBrackwaterStorage{}).newLine, TypingPace{}.newLine);
  EXPECT_EQ(PaceOf(TBrackwaterStorage{}).character, TypingPace{}.character);
}

TEST(TypeVerbatim, EveryByteIsTypedAndOnlyCrIsAKey) {
  EditorScene scene;
  TypeVerbatim(scene.poster, kEditor, "  |<<A>>\r\n x");
  EXPECT_EQ(scene.log.KeysAndPauses(), (std::vector<std::string>{"' '", "' '", "'|'", "'<'", "'<'", "'A'", "'>'",
                                                                  "'>'", "Enter", "sleep 150", "' '", "'x'"}));
}

TEST(SplitLines, LineBreaksOfEveryKindAndNoLineAfterTheLastBreak) {
  using Lines = std::vector<std::string>;
  EXPECT_EQ(SplitLines(""), Lines{});
  EXPECT_EQ(SplitLines("a"), Lines{"a"});
  EXPECT_EQ(SplitLines("a\r\n"), Lines{"a"});
  EXPECT_EQ(SplitLines("\r\n"), Lines{""});
  EXPECT_EQ(SplitLines("a\r\n\r\n"), (Lines{"a", ""}));
  EXPECT_EQ(SplitLines("a\rb\nc\r\nd"), (Lines{"a", "b", "c", "d"}));
  EXPECT_EQ(SplitLines("\n\rx"), (Lines{"", "", "x"}));
  EXPECT_TRUE(EndsWithLineBreak("a\r"));
  EXPECT_FALSE(EndsWithLineBreak(""));
}

}  // namespace
}  // namespace bw::test
