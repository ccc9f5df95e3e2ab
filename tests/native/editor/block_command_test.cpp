#include "editor/block_command.h"

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>

#include "editor_scene.h"

namespace bw::test {
namespace {

using fake::Caret;
using fake::Event;
using Lines = std::vector<std::string>;

constexpr const char* kIndentQuestion = "Confirm: Perform indentation ?";
constexpr const char* kRepeat = "Brackwater for Dynamics NAV: Do you want to repeat (un)indentation ?";

// The editor holds the text with lines `from` to `to` selected from column 1 to the end.
struct BlockScene : EditorScene {
  BlockScene(std::string_view text, int from, int to) {
    editor.SetText(text);
    editor.Select({from, 0}, {to, static_cast<int>(editor.Lines()[static_cast<std::size_t>(to)].size())});
    clipboard.Put("user text");
  }
  void Run(BlockOperation operation, std::initializer_list<bool> answers) {
    questions.Answer(answers);
    BlockCommand(Context(), operation);
  }
  int Copies() const {
    int copies = 0;
    for (const auto& event : log.PostsTo(kClientWindow))
      copies += event.message == platform::KeyMessage::KeyDown && event.wParam == platform::vk::Control ? 1 : 0;
    return copies;
  }
};

TEST(BlockCommand, IndentAddsTwoSpacesPerPassAndReturnsToTheBottomLine) {
  BlockScene once("begin\na\n b\nc\nend", 1, 3);
  once.Run(BlockOperation::Indent, {true, false});
  EXPECT_EQ(once.editor.Lines(), (Lines{"begin", "  a", "   b", "  c", "end"}));
  EXPECT_EQ(once.editor.GetCaret(), (Caret{3, 0}));
  EXPECT_EQ(once.Questions(), (Lines{kIndentQuestion, kRepeat}));
  EXPECT_EQ(once.clipboard.Text(), "user text");

  BlockScene twice("begin\na\n b\nc\nend", 1, 3);
  twice.Run(BlockOperation::Indent, {true, true, false});
  EXPECT_EQ(twice.editor.Lines(), (Lines{"begin", "    a", "     b", "    c", "end"}));
  EXPECT_EQ(twice.editor.GetCaret(), (Caret{3, 0}));
  EXPECT_EQ(twice.Copies(), 1);  // a repeated pass works on the remembered lines
}

TEST(BlockCommand, UnindentRemovesUpToTwoSpacesAndRepeatsOnTheUpdatedLines) {
  BlockScene once("   a\n b\nc", 0, 2);
  once.Run(BlockOperation::Unindent, {true, false});
  EXPECT_EQ(once.editor.Lines(), (Lines{" a", "b", "c"}));

  BlockScene twice("   a\n b\nc", 0, 2);
  twice.Run(BlockOperation::Unindent, {true, true, false});
  EXPECT_EQ(twice.editor.Lines(), (Lines{"a", "b", "c"}));
  EXPECT_EQ(twice.Questions(), (Lines{"Confirm: Remove indentation ?", kRepeat, kRepeat}));
}

TEST(BlockCommand, UncommentOnMixedLinesAndNoRepeatQuestion) {
  BlockScene scene("//a\n/b\n  //c\nd//\n//", 0, 4);
  scene.Run(BlockOperation::Uncomment, {true});
  EXPECT_EQ(scene.editor.Lines(), (Lines{"a", "b", "  //c", "d//", ""}));
  EXPECT_EQ(scene.Questions(), (Lines{"Confirm: Remove block comment ?"}));
}

TEST(BlockCommand, CommentKeysPausesAndWindowsOfOnePass) {
  BlockScene scene("x\n\ny", 0, 2);
  scene.clipboard.Put(std::nullopt);  // the user's clipboard held no text
  scene.Run(BlockOperation::Comment, {true});
  EXPECT_EQ(scene.editor.Lines(), (Lines{"//x", "//", "//y"}));
  EXPECT_EQ(scene.editor.GetCaret(), (Caret{2, 0}));
  EXPECT_EQ(scene.clipboard.Text(), std::nullopt);  // the copied lines are not left behind

  const auto line = [](bool up) {
    Lines keys{"Home", "sleep 50", "'/'", "'/'"};
    if (up) keys.insert(keys.end(), {"Up", "sleep 50"});
    return keys;
  };
  EXPECT_EQ(scene.log.Transcript({Event::Kind::Attach, Event::Kind::Question, Event::Kind::Post, Event::Kind::Sleep,
                                  Event::Kind::BlockInput, Event::Kind::LockDrawing}),
            Join({{"attach", "ask Confirm: Perform block comment ?", "+Control", "C", "-Control", "sleep 50",
                   "block on", "lock 101", "Home", "sleep 50"},
                  line(true), line(true), line(false),
                  {"Down", "sleep 5", "Down", "sleep 5", "Home", "sleep 10", "unlock", "block off", "detach"}}));
  EXPECT_EQ(scene.log.PostsTo(EditorScene::kClientWindow).size(), 4u);  // only the copy chord
}

TEST(BlockCommand, ThePacesCharacterPauseFollowsEachEditingKeyAndTheCaretKeysKeepTheirOwn) {
  struct Row {
    BlockOperation operation;
    std::string text;
    Lines edit;  // the keys between the line's Home and the Downs
  };
  const Row rows[] = {
      {BlockOperation::Comment, "x", {"'/'", "sleep 20", "'/'", "sleep 20"}},
      {BlockOperation::Indent, "x", {"' '", "sleep 20", "' '", "sleep 20"}},
      {BlockOperation::Unindent, "   x", {"Delete", "sleep 20", "Delete", "sleep 20"}},
      {BlockOperation::Uncomment, "/x", {"Delete", "sleep 20"}},
  };
  for (const Row& row : rows) {
    BlockScene scene(row.text, 0, 0);
    scene.questions.Answer({true, false});
    BlockCommandContext context = scene.Context();
    context.pace = {std::chrono::milliseconds(400), std::chrono::milliseconds(20)};  // no Enter here: 400 unused
    BlockCommand(context, row.operation);
    EXPECT_EQ(scene.log.Transcript({Event::Kind::Post, Event::Kind::Sleep}),
              Join({{"+Control", "C", "-Control", "sleep 50", "Home", "sleep 50", "Home", "sleep 50"}, row.edit,
                    {"Home", "sleep 10"}}))
        << row.text;
  }
}

TEST(BlockCommand, SelectionsThatBeginOrEndWithALineBreak) {
  // Started at the end of the line above: the copy begins with a line break.
  BlockScene fromAbove("top\na\nb\nbelow", 0, 2);
  fromAbove.editor.Select({0, 3}, {2, 1});
  fromAbove.Run(BlockOperation::Comment, {true});
  EXPECT_EQ(fromAbove.editor.Lines(), (Lines{"top", "//a", "//b", "below"}));

  // Whole lines down to column 1 of the next line: the caret stands below the selection.
  BlockScene wholeLines("top\na\nb\nbelow", 0, 0);
  wholeLines.editor.Select({1, 0}, {3, 0});
  wholeLines.Run(BlockOperation::Indent, {true, true, false});
  EXPECT_EQ(wholeLines.editor.Lines(), (Lines{"top", "    a", "    b", "below"}));
  EXPECT_EQ(wholeLines.editor.GetCaret(), (Caret{3, 0}));
}

TEST(BlockCommand, RepeatedPassAtTheTopOfTheTextStaysOnTheSelectedLines) {
  BlockScene scene("a\nb\nc", 0, 1);
  scene.Run(BlockOperation::Indent, {true, true, false});
  EXPECT_EQ(scene.editor.Lines(), (Lines{"    a", "    b", "c"}));
  EXPECT_EQ(scene.editor.GetCaret(), (Caret{1, 0}));
}

TEST(BlockCommand, NothingHappensWithoutConsentSelectionOrAttachment) {
  BlockScene refused("a\nb", 0, 1);
  refused.Run(BlockOperation::Indent, {false});
  EXPECT_EQ(refused.Count(Event::Kind::Post), 0);
  EXPECT_EQ(refused.editor.Text(), "a\nb");
  EXPECT_EQ(refused.clipboard.Text(), "user text");
  EXPECT_EQ(refused.Count(Event::Kind::ClipboardOpen), 0);  // not even borrowed

  BlockScene unselected("a\nb", 0, 0);
  unselected.editor.SetCaret({1, 1});
  unselected.Run(BlockOperation::Comment, {true});
  EXPECT_EQ(unselected.Count(Event::Kind::Post), 4);  // the copy chord alone, once
  EXPECT_EQ(unselected.Count(Event::Kind::ClipboardRead), 1 + kCopyTries);  // saved, then read till given up
  EXPECT_EQ(unselected.editor.Text(), "a\nb");
  EXPECT_EQ(unselected.clipboard.Text(), "user text");

  BlockScene detached("a\nb", 0, 1);
  detached.desktop.FailAttach(true);
  detached.Run(BlockOperation::Comment, {true});
  EXPECT_TRUE(detached.Questions().empty());
  EXPECT_EQ(detached.Count(Event::Kind::Post), 0);
  EXPECT_EQ(detached.clipboard.Text(), "user text");
  EXPECT_EQ(detached.Count(Event::Kind::ClipboardOpen), 0);
}

TEST(BlockCommand, TheClipboardsSelfContainedFormatsAreKeptAndMarked) {
  // Unicode text that the ANSI code page cannot hold, the same as ANSI text, and a picture.
  const std::vector<platform::ClipboardItem> held{
      {platform::kUnicodeTextFormat, std::string("G\0\xFC\0:\0:&\0\0\0", 10)},
      {platform::kTextFormat, "G\xFC:?"},
      {0xC0DE, std::string("\x89PNG\r\n\x1A\n\0\0", 10)}};
  BlockScene refused("a\nb", 0, 1);
  refused.clipboard.PutItems(held);
  refused.Run(BlockOperation::Comment, {false});
  EXPECT_EQ(refused.clipboard.Items(), held);

  const auto with = [&](fake::FakeClipboard& clipboard, std::vector<std::pair<std::string, std::string>> named) {
    auto items = held;
    for (auto& [name, bytes] : named) items.push_back({clipboard.RegisterFormat(name), bytes});
    return items;
  };
  const std::vector<platform::ClipboardItem> texts(held.begin(), held.begin() + 2);
  const struct {
    const char* what;
    std::function<void(fake::FakeClipboard&)> put;
    std::vector<platform::ClipboardItem> kept;
  } cases[] = {
      {"all its own", [&](auto& clipboard) { clipboard.PutItems(held); }, held},
      {"an OLE object's formats",
       [&](auto& clipboard) {
         clipboard.PutItems(with(clipboard, {{"Ole Private Data", "obj"}, {"DataObject", "ptr"}, {"Link Source", "l"}}));
       },
       held},
      {"marks of the user's own, put back once",
       [&](auto& clipboard) { clipboard.PutItems(with(clipboard, {{"canincludeinclipboardhistory", "x"}})); }, held},
      {"delayed formats of an owner that answers",
       [&](auto& clipboard) {
         clipboard.PutItems(held);
         clipboard.DelayRendering({platform::kUnicodeTextFormat, 0xC0DE});
       },
       held},
      {"a delayed format whose owner hangs",
       [&](auto& clipboard) {
         clipboard.PutItems(held);
         clipboard.DelayRendering({0xC0DE});
         clipboard.HangOwner(true);
       },
       {}},
      {"a 100 MiB bitmap beside them",
       [&](auto& clipboard) {
         clipboard.PutItems(held);
         clipboard.PutSized(platform::kDibFormat, std::size_t{100} << 20);
       },
       texts},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    BlockScene scene("a\nb", 0, 1);
    c.put(scene.clipboard);
    scene.Run(BlockOperation::Comment, {true});
    EXPECT_EQ(scene.editor.Lines(), (Lines{"//a", "//b"}));
    auto expected = c.kept;
    // Clipboard viewers and the clipboard history are told to leave what is put back alone.
    if (!expected.empty())
      for (const char* mark :
           {"ExcludeClipboardContentFromMonitorProcessing", "CanIncludeInClipboardHistory", "CanUploadToCloudClipboard"})
        expected.push_back({scene.clipboard.RegisterFormat(mark), std::string(4, '\0')});
    EXPECT_EQ(scene.clipboard.Items(), expected);
    EXPECT_EQ(scene.clipboard.Misuses(), 0);
    EXPECT_EQ(scene.clipboard.HungReads(), 0);
  }
}

TEST(BlockCommand, ClipboardThatCannotBeEmptiedEndsTheCommand) {
  // Nothing is selected, so the client's copy leaves the clipboard as it is: its old lines
  // must not be taken for the selection.
  BlockScene scene("a\nb\nc", 0, 0);
  scene.editor.SetCaret({2, 1});
  scene.clipboard.Put("one\r\ntwo");
  scene.clipboard.FailEmpty(true);
  scene.Run(BlockOperation::Comment, {true});
  EXPECT_EQ(scene.editor.Text(), "a\nb\nc");
  EXPECT_EQ(scene.Count(Event::Kind::Post), 0);
  EXPECT_EQ(scene.log.Transcript({Event::Kind::Message}), (Lines{"say Cannot open clipboard"}));
  EXPECT_EQ(scene.clipboard.Text(), "one\r\ntwo");

  // Held open by another program from the question on: the same.
  BlockScene held("a\nb", 0, 1);
  held.questions.onAsk = [&] { held.clipboard.HoldOpen(-1); };
  held.Run(BlockOperation::Comment, {true});
  EXPECT_EQ(held.Count(Event::Kind::Post), 0);
  EXPECT_EQ(held.log.Transcript({Event::Kind::Message}), (Lines{"say Cannot open clipboard"}));
  EXPECT_EQ(held.clipboard.Text(), "user text");
  EXPECT_EQ(held.clipboard.Misuses(), 0);
}

TEST(BlockCommand, ClipboardHeldByAnotherProgramIsRetriedButNotForEver) {
  // Another program opens the clipboard as soon as it has been emptied.
  BlockScene brief("a\nb", 0, 1);
  brief.questions.onAsk = [&] { brief.clipboard.HoldOpenAfterEmpty(3); };
  brief.Run(BlockOperation::Comment, {true});
  EXPECT_EQ(brief.Copies(), 4);
  EXPECT_EQ(brief.editor.Lines(), (Lines{"//a", "//b"}));
  EXPECT_EQ(brief.clipboard.Text(), "user text");

  BlockScene held("a\nb", 0, 1);
  held.questions.onAsk = [&] { held.clipboard.HoldOpenAfterEmpty(-1); };
  held.Run(BlockOperation::Comment, {true});
  EXPECT_EQ(held.Copies(), kCopyTries);
  EXPECT_EQ(held.editor.Text(), "a\nb");  // taken as an empty selection
  EXPECT_EQ(held.Count(Event::Kind::BlockInput), 0);
  EXPECT_EQ(held.log.Transcript({Event::Kind::Message}), (Lines{"say Cannot open clipboard"}));
  EXPECT_LE(held.clock.Elapsed(), std::chrono::seconds(3));
  EXPECT_FALSE(held.clipboard.IsOpen());
  EXPECT_EQ(held.clipboard.Misuses(), 0);
}

TEST(BlockCommand, TheClientCopiesToAClipboardThatTheProgramDoesNotOwn) {
  // A program that empties the clipboard waits until the clipboard's owner has answered; this
  // program is busy with the command and answers nothing, so the client's copy must not find
  // it the owner. The emptied clipboard is left without one.
  BlockScene scene("a\nb\nc", 0, 1);
  scene.Run(BlockOperation::Comment, {true});
  EXPECT_EQ(scene.editor.Lines(), (Lines{"//a", "//b", "c"}));
  EXPECT_EQ(scene.clipboard.PutsWhileOwned(), 0);
  EXPECT_TRUE(scene.clipboard.OwnedByProgram());  // the user's text put back is the program's
  EXPECT_EQ(scene.clipboard.Text(), "user text");

  // The next command starts with the clipboard owned by the program.
  scene.editor.Select({0, 0}, {1, 3});
  scene.Run(BlockOperation::Uncomment, {true});
  EXPECT_EQ(scene.editor.Lines(), (Lines{"a", "b", "c"}));
  EXPECT_EQ(scene.clipboard.PutsWhileOwned(), 0);
  EXPECT_EQ(scene.clipboard.Text(), "user text");
  EXPECT_EQ(scene.clipboard.Misuses(), 0);
}

TEST(BlockCommand, ASlowClientsCopyIsWaitedFor) {
  // The client answers the copy chord only after the first reads have found nothing.
  BlockScene scene("a\nb\nc", 0, 1);
  scene.editor.Select({0, 0}, {0, 0});  // its own copy gives nothing
  scene.editor.SetCaret({1, 1});
  scene.questions.onAsk = [&] { scene.clipboard.PutAfterReads(4, "a\r\nb"); };
  scene.Run(BlockOperation::Comment, {true});
  EXPECT_EQ(scene.editor.Lines(), (Lines{"//a", "//b", "c"}));
  EXPECT_EQ(scene.Copies(), 1);
}

TEST(BlockCommand, WaitsForTheHotkeysModifiersBeforeTheFirstKey) {
  BlockScene scene("a\nb\nc", 0, 2);
  scene.desktop.HoldModifiers(platform::kHeldShift | platform::kHeldCtrl, 5);
  scene.Run(BlockOperation::Indent, {true, false});
  EXPECT_EQ(scene.editor.Lines(), (Lines{"  a", "  b", "  c"}));
  EXPECT_EQ(scene.editor.GetCaret(), (Caret{2, 0}));
  const auto events = scene.log.Events();
  const auto firstPost = std::find_if(events.begin(), events.end(), [](const Event& e) { return e.kind == Event::Kind::Post; });
  const auto release = std::find_if(events.begin(), events.end(),
                                    [](const Event& e) { return e.kind == Event::Kind::ModifierPoll && e.value == 0; });
  EXPECT_LT(release, firstPost);
}

TEST(BlockCommand, EverythingIsReleasedWhenPostingFailsMidPass) {
  BlockScene scene("a\nb\nc", 0, 2);
  scene.desktop.ThrowAfterPosts(9);  // the copy chord, the pass's Home, the first line's Home, one space
  EXPECT_THROW(scene.Run(BlockOperation::Indent, {true}), std::runtime_error);
  EXPECT_FALSE(scene.desktop.InputBlocked());
  EXPECT_EQ(scene.desktop.LockedWindow(), platform::kNoWindow);
  EXPECT_FALSE(scene.desktop.Attached());
  EXPECT_EQ(scene.clipboard.Text(), "user text");
  EXPECT_FALSE(scene.clipboard.IsOpen());
  EXPECT_EQ(scene.editor.Lines(), (Lines{"a", "b", " c"}));
}

}  // namespace
}  // namespace bw::test
