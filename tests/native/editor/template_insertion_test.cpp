#include "editor/template_insertion.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>

#include "editor/focused_text.h"
#include "editor_scene.h"
#include "platform/fake/fixed_local_time.h"
#include "platform/native/english_locale.h"
#include "template_asker_support.h"

namespace bw::test {
namespace {

using fake::Caret;
using fake::Event;
using Lines = std::vector<std::string>;

constexpr const char* kInsertQuestion = "Confirm: Insert template ?";
constexpr const char* kCredentials = "sa\r\nsecret\r\n\r\n";

// The client's editor with the caret in a given place, the template variables, the variable
// dialog and the main window's two texts.
struct InsertScene : EditorScene {
  static constexpr platform::WindowId kLoginWindow = 102;
  static constexpr platform::WindowId kUserField = 103;

  StringList vars{"Author=Ann Lee", "Initials=AL", "Company=Acme"};
  ScriptedAsker asker;
  fake::FixedLocalTime now{{2026, 12, 8, 14, 5, 9, 7}};
  platform::EnglishLocale locale;
  std::string credentials = kCredentials;
  std::string last;

  InsertScene(std::string_view text = "", Caret caret = {}) {
    editor.SetText(text);
    editor.SetCaret(caret);
  }
  InsertionContext Insertion() {
    return {desktop, desktop, clock, questions, {vars, asker, now, locale}, credentials,
            [this](std::string_view text) { last = text; }};
  }
  InsertOutcome Insert(std::string_view text, bool confirmed = false) {
    return InsertTemplateText(Insertion(), kEditorWindow, text, confirmed);
  }
  // The client shows its login dialog, its user name field focused, as the executable given.
  void ShowLogin(const std::string& executable) {
    desktop.AddProcess(kClientProcess, executable);
    desktop.AddWindow(kLoginWindow, {"C/SIDE Login", "Database Login", kClientThread, kClientProcess, 0});
    desktop.AddWindow(kUserField, {"C/SIDE Glued", "", kClientThread, kClientProcess, kLoginWindow});
    desktop.SetForeground(kLoginWindow);
    desktop.SetFocus(kClientThread, kUserField);
  }
  std::string TypedInto(platform::WindowId window) const {
    std::string typed;
    for (const auto& event : log.PostsTo(window)) {
      if (event.message == platform::KeyMessage::Char) typed += static_cast<char>(event.wParam);
      if (event.message == platform::KeyMessage::KeyDown && event.wParam == platform::vk::Enter) typed += "<Enter>";
    }
    return typed;
  }
  bool Released() const {
    return !desktop.InputBlocked() && !desktop.BusyCursorShown() && desktop.LockedWindow() == platform::kNoWindow &&
           !desktop.Attached();
  }
};

TEST(TemplateInsertion, ThreeLinesAtColumnFiveLeaveTheCaretBeforeTheMarkedX) {
  InsertScene scene("    ", {0, 4});
  EXPECT_EQ(scene.Insert("begin\r\n  |x\r\nend"), InsertOutcome::Typed);
  EXPECT_EQ(scene.editor.Lines(), (Lines{"    begin", "      x", "    end"}));
  EXPECT_EQ(scene.editor.GetCaret(), (Caret{1, 6}));
  EXPECT_EQ(scene.Questions(), (Lines{kInsertQuestion}));
  EXPECT_EQ(scene.last, "begin\r\n  |x\r\nend");
  EXPECT_TRUE(scene.Released());
  // Typed with input blocked and the hourglass shown, released afterwards.
  EXPECT_EQ(scene.log.Transcript({Event::Kind::BlockInput, Event::Kind::BusyCursor}),
            (Lines{"block on", "busy on", "busy off", "block off"}));
}

TEST(TemplateInsertion, MarkerBeforeTheLeadingSpacesKeepsTheFollowingLinesInTheColumn) {
  InsertScene scene("    ", {0, 4});
  EXPECT_EQ(scene.Insert("begin\r\n|  x\r\nend"), InsertOutcome::Typed);
  EXPECT_EQ(scene.editor.Lines(), (Lines{"    begin", "      x", "    end"}));
  EXPECT_EQ(scene.editor.GetCaret(), (Caret{1, 4}));
}

TEST(TemplateInsertion, TemplateEndingInCrLfMovesUpAndRightOnly) {
  InsertScene scene;
  scene.Insert("begin\r\n  x|;\r\n");
  EXPECT_EQ(scene.editor.Lines(), (Lines{"begin", "  x;", ""}));
  EXPECT_EQ(scene.editor.GetCaret(), (Caret{1, 3}));
  const auto keys = scene.log.KeysAndPauses();
  const Lines tail(keys.end() - 8, keys.end());
  EXPECT_EQ(tail, (Lines{"Up", "sleep 10", "Right", "sleep 10", "Right", "sleep 10", "Right", "sleep 10"}));
}

TEST(TemplateInsertion, MarkerOnTheFirstLineGoesBackUpToIt) {
  InsertScene scene("    ", {0, 4});
  scene.Insert("|begin\r\nend;");
  EXPECT_EQ(scene.editor.Lines(), (Lines{"    begin", "    end;"}));
  EXPECT_EQ(scene.editor.GetCaret(), (Caret{0, 4}));
}

TEST(TemplateInsertion, OneLineWithoutMarkerIsTypedWithoutQuestionOrCaretMoves) {
  InsertScene scene("x", {0, 1});
  EXPECT_EQ(scene.Insert(" := <<Initials>>;"), InsertOutcome::Typed);
  EXPECT_EQ(scene.editor.Lines(), (Lines{"x := AL;"}));
  EXPECT_EQ(scene.editor.GetCaret(), (Caret{0, 8}));
  EXPECT_TRUE(scene.Questions().empty());
  for (const auto& key : scene.log.KeysAndPauses()) EXPECT_EQ(key.front(), '\'') << key;
}

TEST(TemplateInsertion, RefusedQuestionOrCancelledVariableTypesNothingButIsRemembered) {
  InsertScene refused;
  refused.questions.Answer({false});
  EXPECT_EQ(refused.Insert("begin\r\nend"), InsertOutcome::Cancelled);
  EXPECT_TRUE(refused.log.PostsTo(InsertScene::kEditorWindow).empty());
  EXPECT_EQ(refused.last, "begin\r\nend");
  EXPECT_TRUE(refused.Released());

  InsertScene cancelled;
  cancelled.asker.answers["Name"] = std::nullopt;
  EXPECT_EQ(cancelled.Insert("begin\r\n  <<Name>>|\r\nend"), InsertOutcome::Cancelled);
  EXPECT_TRUE(cancelled.log.PostsTo(InsertScene::kEditorWindow).empty());
  EXPECT_TRUE(cancelled.Questions().empty());
  EXPECT_EQ(cancelled.last, "begin\r\n  <<Name>>|\r\nend");
  EXPECT_EQ(cancelled.Count(Event::Kind::BlockInput), 0);
}

TEST(TemplateInsertion, AnsweredVariableReplacesTheQuestionAndPickedTemplatesAreNotAsked) {
  InsertScene asked;
  asked.asker.answers["Name"] = "Customer";
  asked.Insert("<<Name>>.|INIT;\r\n");
  EXPECT_EQ(asked.editor.Lines(), (Lines{"Customer.INIT;", ""}));
  EXPECT_EQ(asked.editor.GetCaret(), (Caret{0, 9}));
  EXPECT_TRUE(asked.Questions().empty());

  InsertScene picked;
  picked.Insert("begin\r\nend", true);
  EXPECT_TRUE(picked.Questions().empty());
  EXPECT_EQ(picked.editor.Lines(), (Lines{"begin", "end"}));
}

TEST(TemplateInsertion, NoFocusWindowSaysSoAndTypesNothing) {
  InsertScene scene;
  EXPECT_EQ(InsertTemplateText(scene.Insertion(), platform::kNoWindow, "x", false), InsertOutcome::NoWindow);
  EXPECT_EQ(scene.log.Transcript({Event::Kind::Message, Event::Kind::Post}),
            (Lines{"say Brackwater failed to attach to editor window."}));
  EXPECT_EQ(scene.last, "x");
}

TEST(TemplateInsertion, InputAndCursorAreReleasedWhenPostingFailsOrEscStopsTheRun) {
  InsertScene scene;
  scene.desktop.ThrowAfterPosts(3);
  EXPECT_THROW(scene.Insert("abcdef"), std::runtime_error);
  EXPECT_TRUE(scene.Released());

  // Esc during the run: nothing more is typed or waited for, and the user is told once, after
  // input came back.
  InsertScene stopped;
  stopped.desktop.PressEscapeAfterPosts(3);
  EXPECT_EQ(stopped.Insert("abcdef\r\nghi|\r\n", true), InsertOutcome::Stopped);
  EXPECT_EQ(stopped.editor.Lines(), (Lines{"abc"}));
  EXPECT_EQ(stopped.log.Transcript({Event::Kind::BlockInput, Event::Kind::Message, Event::Kind::Sleep}),
            (Lines{"block on", "block off", std::string("say ") + std::string(kTypingStopped)}));
  EXPECT_TRUE(stopped.Released());
}

TEST(TemplateInsertion, ARunOfMoreThanTwoMinutesIsAskedForFirst) {
  const std::string lines800(800, '\r');  // 801 lines: 800 Enter pauses, two minutes
  EXPECT_FALSE(LongTypingQuestion(lines800));
  EXPECT_EQ(LongTypingQuestion(lines800 + "\r").value_or(""),
            "This template types 802 lines, which takes about 3 minutes. Keyboard and mouse stay blocked "
            "meanwhile; Esc stops the typing.\r\n\r\nType it ?");
  // The configured pace counts: each Enter's pause and each typed character's ("|" and LF are
  // not typed), and without pauses only the line count asks, never for "0 minutes".
  const auto minutes = [](std::string_view text, TypingPace pace) {
    const auto question = LongTypingQuestion(text, pace);
    if (!question) return std::string("-");
    const auto about = question->find("about ");
    return question->substr(about + 6, question->find(' ', about + 6) - about - 6);
  };
  using std::chrono::milliseconds;
  const std::string chars1201 = std::string(1200, 'x') + "|\n";
  struct Row {
    std::string text;
    TypingPace pace;
    std::string minutes;  // "-": no question
  };
  const Row rows[] = {
      {lines800, {milliseconds(0), milliseconds(0)}, "-"},
      {lines800 + "\r", {milliseconds(0), milliseconds(0)}, "-"},
      {std::string(240, '\r'), {milliseconds(500), milliseconds(0)}, "-"},
      {std::string(241, '\r'), {milliseconds(500), milliseconds(0)}, "3"},
      {chars1201, {milliseconds(0), milliseconds(100)}, "-"},
      {chars1201 + "y", {milliseconds(0), milliseconds(100)}, "3"},
      {std::string(60, '\r') + std::string(600, 'x'), {milliseconds(1000), milliseconds(100)}, "-"},
      {std::string(60, '\r') + std::string(601, 'x'), {milliseconds(1000), milliseconds(100)}, "3"},
      {std::string(kLongTypingLines, '\r'), {milliseconds(0), milliseconds(0)}, "1"},
  };
  for (const Row& row : rows) EXPECT_EQ(minutes(row.text, row.pace), row.minutes) << row.text.size();
  InsertScene refused;
  refused.questions.Answer({false});
  EXPECT_EQ(refused.Insert(lines800 + "x\r", true), InsertOutcome::Cancelled);
  EXPECT_EQ(refused.Questions().size(), 1u);
  EXPECT_TRUE(refused.log.PostsTo(InsertScene::kEditorWindow).empty());
}

TEST(TemplateInsertion, CaretMovesFollowTheLinesAsTyped) {
  namespace vk = platform::vk;
  using Keys = std::vector<std::uint16_t>;
  EXPECT_EQ(CursorPlacementKeys("no marker\r\n"), Keys{});
  EXPECT_EQ(CursorPlacementKeys("a|b"), (Keys{vk::Left, vk::Left, vk::Right}));
  EXPECT_EQ(CursorPlacementKeys("|\r\nab"), (Keys{vk::Left, vk::Left, vk::Up}));
  // Only the first marker counts; later ones are not typed and take no column.
  EXPECT_EQ(CursorPlacementKeys("x|\r\n|y"), (Keys{vk::Left, vk::Up, vk::Right}));
  // Bare LF is never typed: the text stays on one line.
  EXPECT_EQ(CursorPlacementKeys("a\n|b"), (Keys{vk::Left, vk::Left, vk::Right}));
  // A final bare CR is an Enter: the caret stands at the start of a new line.
  EXPECT_EQ(CursorPlacementKeys("a|\r"), (Keys{vk::Up, vk::Right}));
}

TEST(FocusedText, RepeatedTemplateGoesToTheFocusWindowWithDrawingLocked) {
  InsertScene scene("x", {0, 1});
  EXPECT_EQ(InsertFocusedText(scene.Insertion(), scene.desktop, ";"), InsertOutcome::Typed);
  EXPECT_EQ(scene.editor.Lines(), (Lines{"x;"}));
  EXPECT_EQ(scene.log.Transcript({Event::Kind::Attach, Event::Kind::LockDrawing, Event::Kind::BlockInput,
                                  Event::Kind::Post}),
            (Lines{"attach", "lock 101", "block on", "';'", "block off", "unlock", "detach"}));
  EXPECT_EQ(scene.last, ";");
}

TEST(FocusedText, RepeatingTheRememberedTemplateTypesItWhileItIsRememberedAgain) {
  // The repeat-last hotkey passes the remembered text itself; remembering it replaces that
  // string, and the typing must not read the string it replaced.
  InsertScene scene;
  scene.last = "Message('<<Initials>> was here');";
  auto context = scene.Insertion();
  context.rememberTemplate = [&](std::string_view text) { scene.last = std::string(text) + std::string(); };
  EXPECT_EQ(InsertFocusedText(context, scene.desktop, scene.last), InsertOutcome::Typed);
  EXPECT_EQ(scene.editor.Lines(), (Lines{"Message('AL was here');"}));
  EXPECT_EQ(scene.last, "Message('<<Initials>> was here');");
}

TEST(FocusedText, CredentialsGoOnlyIntoTheLoginDialogOfTheClient) {
  // The C/AL editor has the focus: nothing at all happens.
  InsertScene editor;
  EXPECT_EQ(InsertFocusedText(editor.Insertion(), editor.desktop, kCredentials), InsertOutcome::Refused);
  EXPECT_EQ(editor.log.Transcript({Event::Kind::Post, Event::Kind::Question, Event::Kind::Message,
                                   Event::Kind::LockDrawing}),
            Lines{});
  EXPECT_TRUE(editor.last.empty());
  EXPECT_TRUE(editor.Released());

  // A login field of another program.
  InsertScene impostor;
  impostor.ShowLogin("C:\\Tools\\finsql2.exe");
  EXPECT_EQ(InsertFocusedText(impostor.Insertion(), impostor.desktop, kCredentials), InsertOutcome::Refused);
  EXPECT_TRUE(impostor.log.PostsTo(InsertScene::kUserField).empty());

  InsertScene login;
  login.ShowLogin("C:\\Program Files\\Navision\\FINSQL.EXE");
  EXPECT_EQ(InsertFocusedText(login.Insertion(), login.desktop, kCredentials), InsertOutcome::Typed);
  EXPECT_EQ(login.TypedInto(InsertScene::kUserField), "sa<Enter>secret<Enter><Enter>");
  ASSERT_EQ(login.Questions().size(), 1u);
  EXPECT_EQ(login.Questions()[0].rfind("Confirm: Insert username and password ?", 0), 0u);
  EXPECT_EQ(login.Count(Event::Kind::LockDrawing), 0);
  EXPECT_TRUE(login.last.empty());  // the credentials are never repeated as a template
  EXPECT_TRUE(login.Released());
}

TEST(FocusedText, CredentialsAreTypedAsTheyStand) {
  // Tags, markers and leading spaces in a password are the password; an empty Author is not
  // asked for; nothing but the credentials question is shown.
  InsertScene scene;
  scene.vars = {"Initials=AL"};
  scene.credentials = "sa\r\n |<<Pw>>|\r\n\r\n";
  scene.ShowLogin("finsql.exe");
  EXPECT_EQ(InsertFocusedText(scene.Insertion(), scene.desktop, scene.credentials), InsertOutcome::Typed);
  EXPECT_EQ(scene.TypedInto(InsertScene::kUserField), "sa<Enter> |<<Pw>>|<Enter><Enter>");
  ASSERT_EQ(scene.Questions().size(), 1u);
  EXPECT_EQ(scene.Questions()[0].rfind("Confirm: Insert username and password ?", 0), 0u);
  EXPECT_TRUE(scene.asker.asked.empty());
  EXPECT_EQ(scene.vars, (StringList{"Initials=AL"}));
  const auto keys = scene.log.KeysAndPauses();
  for (const char* caretKey : {"Left", "Right", "Up"}) EXPECT_EQ(std::count(keys.begin(), keys.end(), caretKey), 0);
  EXPECT_EQ(scene.Count(Event::Kind::Post), 2 * 3 + 11);  // three Enters as down and up, eleven characters
  EXPECT_TRUE(scene.last.empty());
  EXPECT_TRUE(scene.Released());

  // Refused at the question: nothing typed.
  InsertScene refused;
  refused.ShowLogin("fin.exe");
  refused.questions.Answer({false});
  EXPECT_EQ(InsertFocusedText(refused.Insertion(), refused.desktop, kCredentials), InsertOutcome::Cancelled);
  EXPECT_TRUE(refused.log.PostsTo(InsertScene::kUserField).empty());
  EXPECT_TRUE(refused.Released());
}

TEST(FocusedText, AnotherLoginStoredWhileAQuestionIsOpenDoesNotDisturbTheInsertion) {
  const std::string first = "administrator\r\na rather long secret\r\n\r\n";
  const std::string second = "another.user.name\r\nanother long password\r\n\r\n";

  // A template asks for a variable; meanwhile the tray starts a configuration. (The answer is
  // as long as the first login, so that comparing with it would read the freed text.)
  InsertScene asking("", {0, 0});
  asking.credentials = first;
  const std::string answer(first.size(), 'n');
  asking.asker.answers["Name"] = answer;
  asking.asker.onAsk = [&] { asking.credentials = second + second; };
  EXPECT_EQ(InsertFocusedText(asking.Insertion(), asking.desktop, "<<Name>>"), InsertOutcome::Typed);
  EXPECT_EQ(asking.editor.Lines(), (Lines{answer}));

  // The credentials question is open meanwhile: the login asked about is the one typed.
  InsertScene login;
  login.credentials = first;
  login.ShowLogin("finsql.exe");
  login.questions.onAsk = [&] { login.credentials = second + second; };
  EXPECT_EQ(InsertFocusedText(login.Insertion(), login.desktop, login.credentials), InsertOutcome::Typed);
  EXPECT_EQ(login.TypedInto(InsertScene::kUserField), "administrator<Enter>a rather long secret<Enter><Enter>");
}

TEST(FocusedText, FailedAttachTypesNothing) {
  InsertScene scene;
  scene.desktop.FailAttach(true);
  EXPECT_EQ(InsertFocusedText(scene.Insertion(), scene.desktop, "x"), InsertOutcome::Refused);
  EXPECT_TRUE(scene.log.PostsTo(InsertScene::kEditorWindow).empty());
  EXPECT_TRUE(scene.Questions().empty());
}

}  // namespace
}  // namespace bw::test
