#include "editor/code_completion.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "editor_scene.h"
#include "platform/fake/fake_keyboard_layout.h"
#include "platform/fake/us_key_translation.h"

namespace bw {
namespace {

using fake::usvk::Backspace;
using fake::usvk::Down;
using fake::usvk::Enter;
using fake::usvk::Escape;
using fake::usvk::Home;
using fake::usvk::Left;
using fake::usvk::PageDown;
using fake::usvk::Period;
using fake::usvk::Space;
using fake::usvk::Up;
using test::EditorScene;

// The completion window as the tests see it: what it was told, in order.
class RecordingView final : public CompletionView {
public:
  int Height(int dpi) override { return platform::ScalePixels(134, dpi, 96); }
  bool Create(platform::WindowId editor, int x, int y, int dpi) override {
    if (refuse) return false;
    parent = editor;
    position = {x, y};
    createdAt = dpi;
    exists = true;
    ++created;
    return true;
  }
  void ShowRows(std::span<const CompletionEntry> shown, std::optional<std::size_t> selected) override {
    rows.clear();
    for (const auto& entry : shown) rows.emplace_back(entry.word);
    selection = selected;
  }
  void Select(std::size_t row) override { selection = row; }
  void Show() override { visible = true; }
  void Destroy() override {
    exists = false;
    visible = false;
  }

  bool refuse = false;
  bool exists = false;
  bool visible = false;
  int created = 0;
  int createdAt = 0;
  platform::WindowId parent = platform::kNoWindow;
  platform::CaretPoint position;
  std::vector<std::string> rows;
  std::optional<std::size_t> selection;
};

class RecordingInserter final : public CompletionInserter {
public:
  void Insert(InsertJob job) override { jobs.push_back(std::move(job)); }
  std::vector<InsertJob> jobs;
};

// The editor desktop, the completion logic, and a keyboard that sends each key first to the
// watcher's handler and, unless it was swallowed, to the editor as the layout types it there.
struct CompletionScene : EditorScene {
  static constexpr platform::WindowId kOtherEditor = 102;
  static constexpr platform::WindowId kNotepad = 200;

  fake::FakeKeyboardLayout layout;
  fake::LayoutKeyTranslation keys{layout};
  RecordingView view;
  RecordingInserter inserter;
  CompletionSwitches switches{.viaDot = true, .viaCtrlSpace = true};
  CodeCompletion completion{{desktop, desktop, keys, view, inserter, [this] { return switches; }}};
  std::vector<bool> swallowed;

  explicit CompletionScene(fake::LayoutKind kind = fake::LayoutKind::Us) : layout(kind) {
    desktop.SetCaret(platform::CaretPoint{40, 60});
    desktop.SetWindowRect(kEditorWindow, {100, 100, 700, 500});
    desktop.AddWindow(kOtherEditor,
                      {"C/SIDE Subform", "Table 18 Customer - C/AL EDITOR", kClientThread, kClientProcess, kClientWindow});
    desktop.AddWindow(kNotepad, {"Edit", "notes.txt - C/AL notes", 9, 99, 0});
    desktop.Route(kOtherEditor, editor);
  }

  bool Key(std::uint32_t virtualKey, platform::Modifiers held = 0, std::uint32_t moreFlags = 0) {
    keys.Hold(held);
    const std::uint32_t flags =
        0x001C0001u | moreFlags | ((held & platform::kHeldAlt) != 0 ? completion_keys::AltBit : 0u);
    const bool handled = completion.KeyPressedWatch(virtualKey, flags);
    swallowed.push_back(handled);
    if (!handled) {
      for (const char c : layout.Type(virtualKey, held))
        if (static_cast<unsigned char>(c) >= 0x20) poster.PostChar(kEditorWindow, c, std::chrono::milliseconds::zero());
    }
    keys.Hold(0);
    return handled;
  }
  // Letters and digits as keys (upper-case letters with Shift), "." as its key.
  void Type(std::string_view text) {
    for (const char c : text) {
      if (c == '.') Key(Period);
      else if (c >= 'a' && c <= 'z') Key(static_cast<std::uint32_t>(c - 'a' + 'A'));
      else if (c >= 'A' && c <= 'Z') Key(static_cast<std::uint32_t>(c), platform::kHeldShift);
      else if (c == '(') Key('9', platform::kHeldShift);
      else Key(static_cast<std::uint32_t>(c));
    }
  }
  bool CtrlSpace() { return Key(Space, platform::kHeldCtrl); }
  void FocusOn(platform::WindowId window) { desktop.SetFocus(kClientThread, window); }

  // Types the recorded choice into the simulated editor as the worker would.
  void RunLastInsert() {
    ASSERT_FALSE(inserter.jobs.empty());
    RunInsert(Services(), inserter.jobs.back());
  }
};

TEST(CompletionWords, HoldsTheEightListsOnceEachSortedAndShownByWord) {
  const auto words = CompletionWords();
  ASSERT_EQ(words.size(), 237u);
  std::map<WordKind, int> perKind;
  for (const auto& entry : words) ++perKind[entry.kind];
  EXPECT_EQ(perKind[WordKind::Keyword], 19);
  EXPECT_EQ(perKind[WordKind::Property], 74);
  EXPECT_EQ(perKind[WordKind::Method], 144);
  EXPECT_EQ(words.front(), (CompletionEntry{WordKind::Keyword, "AND"}));

  const auto rows = CompletionRowsInOrder();
  ASSERT_EQ(rows.size(), words.size());
  EXPECT_TRUE(std::is_sorted(rows.begin(), rows.end(),
                             [](const auto& a, const auto& b) { return CompareNoCase(a.word, b.word) < 0; }));
  // IMPORT is a property and a method: two rows, method first as in the sorted entries.
  const auto import = std::find_if(rows.begin(), rows.end(), [](const auto& e) { return e.word == "IMPORT"; });
  ASSERT_NE(import, rows.end());
  EXPECT_EQ(import->kind, WordKind::Method);
  EXPECT_EQ((import + 1)->word, "IMPORT");
  EXPECT_EQ((import + 1)->kind, WordKind::Property);
  // Mixed-case words keep their case and sort among the capitals.
  EXPECT_NE(std::find_if(rows.begin(), rows.end(), [](const auto& e) { return e.word == "CurrForm"; }), rows.end());

  std::size_t listed = 0;
  for (std::size_t list = 0; list < kCompletionListCount; ++list) listed += CompletionSourceLists(list).size();
  EXPECT_EQ(listed, 19u + 9 + 88 + 60 + 30 + 20 + 25 + 7);
}

TEST(CompletionFilter, NarrowsByPrefixIgnoringCaseAndMovesTheSelectionWithinTheRows) {
  CompletionFilter filter;
  EXPECT_EQ(filter.Rows().size(), 237u);
  filter.SetFilter("fi");
  std::vector<std::string> words;
  for (const auto& row : filter.Rows()) words.emplace_back(row.word);
  EXPECT_EQ(words, (std::vector<std::string>{"FIELDACTIVE", "FIELDCAPTION", "FIELDERROR", "FIELDNAME", "FIELDNO",
                                             "FILENAME", "FILTERGROUP", "FIND", "FINDFIRST", "FINDLAST", "FINDSET"}));
  EXPECT_EQ(filter.Selected(), 0u);
  EXPECT_FALSE(filter.SelectPrevious());
  for (int i = 0; i < 10; ++i) EXPECT_TRUE(filter.SelectNext());
  EXPECT_FALSE(filter.SelectNext());
  EXPECT_EQ(filter.SelectedWord(), "FINDSET");

  filter.SetFilter("currfo");
  ASSERT_EQ(filter.Rows().size(), 1u);
  EXPECT_EQ(filter.SelectedWord(), "CurrForm");
  filter.SetFilter("Cust");
  EXPECT_TRUE(filter.Rows().empty());
  EXPECT_FALSE(filter.Selected());
  EXPECT_EQ(filter.SelectedWord(), "");
  EXPECT_FALSE(filter.SelectNext());
}

TEST(CompletionPlacement, BelowTheCaretLineUnlessTheListWouldPassTheEditorsBottom) {
  const platform::ScreenRect editor{100, 100, 700, 500};
  const platform::WindowDpi at96{96, 96};
  EXPECT_EQ(CompletionPlacement(editor, {40, 60}, at96, 134).y, 80);
  EXPECT_EQ(CompletionPlacement(editor, {40, 60}, at96, 134).x, 40);
  EXPECT_EQ(CompletionPlacement(editor, {40, 266}, at96, 134).y, 286);  // 100 + 266 + 134 = 500: still fits
  EXPECT_EQ(CompletionPlacement(editor, {40, 267}, at96, 134).y, 133);
}

TEST(CompletionPlacement, TheCaretOfAnEditorUnawareOfDpiIsScaledToTheMonitorsPixels) {
  // The client is unaware of DPI: its caret is in 96-DPI pixels, which Windows stretches by the
  // monitor's scale; the editor's rectangle and the list are in the monitor's pixels.
  struct Case {
    platform::ScreenRect editor;
    platform::WindowDpi dpi;
    int listHeight;
    platform::CaretPoint caret;
    platform::CaretPoint expected;
  };
  const Case cases[] = {
      {{0, 0, 800, 600}, {96, 96}, 134, {101, 60}, {101, 80}},                // 100 %
      {{0, 0, 1000, 750}, {96, 120}, 168, {101, 60}, {126, 100}},             // 125 %: 75 + 25 below
      {{0, 0, 1200, 900}, {96, 144}, 201, {101, 60}, {152, 120}},             // 150 %: 90 + 30 below
      {{0, 0, 1600, 1200}, {96, 192}, 268, {101, 60}, {202, 160}},            // 200 %
      {{0, 0, 1200, 900}, {96, 144}, 201, {10, 466}, {15, 699 + 30}},         // 699 + 201 = 900 fits
      {{0, 0, 1200, 900}, {96, 144}, 201, {10, 467}, {15, 701 - 201}},        // just past: above the line
      {{-1920, 0, -720, 900}, {96, 144}, 201, {101, 60}, {152, 120}},         // monitor left of the primary
      {{-1920, -300, -720, 600}, {96, 144}, 201, {10, 467}, {15, 701 - 201}}, // and reaching above it
      {{0, 0, 1200, 900}, {144, 144}, 201, {101, 60}, {101, 90}},             // an editor aware of DPI
  };
  for (const Case& c : cases) {
    const platform::CaretPoint at = CompletionPlacement(c.editor, c.caret, c.dpi, c.listHeight);
    EXPECT_EQ(at.x, c.expected.x) << c.dpi.monitor << " " << c.caret.y;
    EXPECT_EQ(at.y, c.expected.y) << c.dpi.monitor << " " << c.caret.y;
  }
}

TEST(CodeCompletion, CtrlSpaceOpensWithTheTypedWordAndEscapeHandsItBack) {
  CompletionScene s;
  s.Type("Cal");
  EXPECT_TRUE(s.CtrlSpace());
  ASSERT_TRUE(s.view.visible);
  EXPECT_EQ(s.view.parent, EditorScene::kEditorWindow);
  EXPECT_EQ(s.view.position.y, 80);
  EXPECT_EQ(s.view.rows, (std::vector<std::string>{"CALCDATE", "CALCFIELDS", "CALCSUMS"}));
  EXPECT_EQ(s.view.selection, 0u);
  EXPECT_EQ(s.editor.Text(), "Cal");  // the Ctrl+Space never reached the editor

  EXPECT_TRUE(s.Key(Escape));
  EXPECT_FALSE(s.view.exists);
  s.Type("c");
  EXPECT_EQ(s.completion.TypedWord(), "Calc");
  EXPECT_TRUE(s.CtrlSpace());
  EXPECT_EQ(s.view.rows.size(), 3u);
  EXPECT_TRUE(s.inserter.jobs.empty());

  // On a monitor at 150 % the list is made for that monitor, at the caret as Windows shows it.
  EXPECT_TRUE(s.Key(Escape));
  s.desktop.SetWindowDpi(EditorScene::kEditorWindow, {96, 144});
  EXPECT_TRUE(s.CtrlSpace());
  EXPECT_EQ(s.view.createdAt, 144);
  EXPECT_EQ(s.view.position.x, 60);
  EXPECT_EQ(s.view.position.y, 120);
}

TEST(CodeCompletion, AnEmptyListClosesWithoutHandingTheWordBack) {
  CompletionScene s;
  s.Type("Cust");
  EXPECT_TRUE(s.CtrlSpace());
  EXPECT_TRUE(s.view.rows.empty());
  EXPECT_TRUE(s.Key(Escape));
  EXPECT_FALSE(s.completion.KeepWord());
  s.Type("x");
  EXPECT_EQ(s.completion.TypedWord(), "x");

  // Enter on an empty list types nothing but is still swallowed.
  s.CtrlSpace();
  s.Type("q");
  EXPECT_TRUE(s.view.rows.empty());
  EXPECT_TRUE(s.Key(Enter));
  EXPECT_TRUE(s.inserter.jobs.empty());
  EXPECT_FALSE(s.completion.IsOpen());
}

TEST(CodeCompletion, DotOpensTheFullListAndEnterReplacesTheFilterWithTheChoice) {
  CompletionScene s;
  s.Type("Rec.");
  ASSERT_TRUE(s.view.visible);
  EXPECT_EQ(s.view.rows.size(), 237u);
  EXPECT_EQ(s.editor.Text(), "Rec.");  // the "." reaches the editor
  s.Type("fi");
  EXPECT_EQ(s.view.rows.size(), 11u);
  EXPECT_EQ(s.view.rows.front(), "FIELDACTIVE");
  s.switches.pace = {std::chrono::milliseconds(400), std::chrono::milliseconds(20)};  // read as the word is chosen
  EXPECT_TRUE(s.Key(Enter));
  EXPECT_FALSE(s.view.exists);
  ASSERT_EQ(s.inserter.jobs.size(), 1u);
  const InsertJob& job = s.inserter.jobs[0];
  EXPECT_EQ(job.target, EditorScene::kEditorWindow);
  EXPECT_EQ(job.typedText, "fi");
  EXPECT_EQ(job.word, "FIELDACTIVE");
  EXPECT_EQ(job.trailing, "");
  EXPECT_EQ(job.pace.newLine, std::chrono::milliseconds(400));
  EXPECT_EQ(job.pace.character, std::chrono::milliseconds(20));
  s.RunLastInsert();
  EXPECT_EQ(s.editor.Text(), "Rec.FIELDACTIVE");
  EXPECT_EQ(s.editor.GetCaret().column, 15);
  // After a choice the next key starts a new word.
  s.Type("x");
  EXPECT_EQ(s.completion.TypedWord(), "x");
}

TEST(CodeCompletion, AWordBreakChoosesAndIsTypedAfterTheWordInsteadOfReachingTheEditor) {
  CompletionScene s;
  s.Type("Rec.setr");
  EXPECT_EQ(s.view.rows, (std::vector<std::string>{"SETRANGE", "SETRECFILTER", "SETRECORD", "SETRESPONSE"}));
  s.Key(Down);
  EXPECT_TRUE(s.Key('9', platform::kHeldShift));  // "("
  ASSERT_EQ(s.inserter.jobs.size(), 1u);
  EXPECT_EQ(s.inserter.jobs[0].word, "SETRECFILTER");
  EXPECT_EQ(s.inserter.jobs[0].trailing, "(");
  s.RunLastInsert();
  EXPECT_EQ(s.editor.Text(), "Rec.SETRECFILTER(");
}

TEST(CodeCompletion, ArrowsStayWithinTheRowsAndAreSwallowedWhileOpen) {
  CompletionScene s;
  s.Type("Rec.findl");
  ASSERT_EQ(s.view.rows, (std::vector<std::string>{"FINDLAST"}));
  EXPECT_TRUE(s.Key(Up));
  EXPECT_TRUE(s.Key(Down));
  EXPECT_EQ(s.view.selection, 0u);
  EXPECT_TRUE(s.Key(Left));
  EXPECT_TRUE(s.Key(fake::usvk::Right));
  EXPECT_TRUE(s.completion.IsOpen());
  // Page Down closes, reaches the editor, and hands the filter back to the word.
  EXPECT_FALSE(s.Key(PageDown));
  EXPECT_FALSE(s.completion.IsOpen());
  EXPECT_EQ(s.completion.SavedWord(), "findl");
}

TEST(CodeCompletion, BackspaceNarrowsBackAndOnAnEmptyFilterClosesAndReachesTheEditor) {
  CompletionScene s;
  s.Type("Rec.fin");
  EXPECT_EQ(s.view.rows.size(), 4u);
  EXPECT_FALSE(s.Key(Backspace));
  EXPECT_EQ(s.view.rows.size(), 11u);
  EXPECT_FALSE(s.Key(Backspace));
  EXPECT_FALSE(s.Key(Backspace));
  EXPECT_EQ(s.view.rows.size(), 237u);
  EXPECT_FALSE(s.Key(Backspace));
  EXPECT_FALSE(s.completion.IsOpen());
  EXPECT_TRUE(s.completion.KeepWord());

  // A key the watcher already let pass is not acted on: Enter reached the editor, so it must
  // not also choose; the list closes and the word starts afresh.
  s.Type("Rec.fi");
  EXPECT_FALSE(s.Key(Enter, 0, completion_keys::LateBit));
  EXPECT_FALSE(s.completion.IsOpen());
  EXPECT_TRUE(s.inserter.jobs.empty());
  s.Type("ab");
  EXPECT_EQ(s.completion.TypedWord(), "ab");
}

TEST(CodeCompletion, ModifiedLettersAndCaretMovesDoNotBuildTheWord) {
  CompletionScene s;
  s.Type("ab");
  s.Key('C', platform::kHeldCtrl);
  s.Key('7', platform::kHeldAlt);
  EXPECT_EQ(s.completion.TypedWord(), "ab");
  s.Key(Left);
  EXPECT_EQ(s.completion.TypedWord(), "");
  s.Type("cd");
  s.Key(Home);
  EXPECT_TRUE(s.CtrlSpace());
  EXPECT_EQ(s.view.rows.size(), 237u);
  s.Key(Escape);
  s.Type("de");
  s.Key(Space);
  EXPECT_EQ(s.completion.TypedWord(), "");
  s.Type("de");
  s.Key(Backspace);
  EXPECT_EQ(s.completion.TypedWord(), "d");
}

TEST(CodeCompletion, KeysOutsideAnEditorChangeNothing) {
  CompletionScene s;
  s.Type("Cal");
  // Another program's window, a client form that is not the editor, a failed attach, a release.
  s.desktop.SetForeground(CompletionScene::kNotepad);
  s.desktop.SetFocus(9, CompletionScene::kNotepad);
  EXPECT_FALSE(s.CtrlSpace());
  s.desktop.SetForeground(EditorScene::kClientWindow);
  s.desktop.AddWindow(103, {"C/SIDE Form", "Customer Card", EditorScene::kClientThread, EditorScene::kClientProcess,
                            EditorScene::kClientWindow});
  s.FocusOn(103);
  EXPECT_FALSE(s.CtrlSpace());
  s.FocusOn(EditorScene::kEditorWindow);
  s.desktop.FailAttach(true);
  EXPECT_FALSE(s.CtrlSpace());
  s.desktop.FailAttach(false);
  s.keys.Hold(platform::kHeldCtrl);
  EXPECT_FALSE(s.completion.KeyPressedWatch(Space, 0xC01C0001u));
  EXPECT_EQ(s.view.created, 0);
  EXPECT_EQ(s.completion.TypedWord(), "Cal");
  EXPECT_FALSE(s.desktop.Attached());

  // A key in another editor window starts a new word there.
  s.FocusOn(CompletionScene::kOtherEditor);
  s.Type("x");
  EXPECT_EQ(s.completion.TypedWord(), "x");
}

TEST(CodeCompletion, TheSwitchesAndTheCaretDecideWhetherTheListOpens) {
  CompletionScene s;
  s.switches = {.viaDot = false, .viaCtrlSpace = false};
  s.Type("Rec.");
  EXPECT_FALSE(s.CtrlSpace());
  EXPECT_EQ(s.view.created, 0);
  s.switches = {.viaDot = true, .viaCtrlSpace = true};
  EXPECT_FALSE(s.Key(Space, platform::kHeldCtrl | platform::kHeldShift));
  EXPECT_EQ(s.view.created, 0);
  s.desktop.SetCaret(std::nullopt);
  EXPECT_FALSE(s.CtrlSpace());  // without a caret Ctrl+Space is not swallowed
  s.Type(".");
  EXPECT_EQ(s.view.created, 0);
  s.desktop.SetCaret(platform::CaretPoint{40, 380});
  s.Type(".");
  EXPECT_EQ(s.view.position.y, 380 - 134);  // near the bottom: above the caret line
}

// Dead keys reach the editor whole while completion reads every key, and the word-break
// characters are found wherever the layout puts them.
TEST(CodeCompletion, DeadKeysComposeInTheEditorAndEveryLayoutFindsTheListKeys) {
  using fake::LayoutKind;
  namespace lvk = fake::layoutvk;
  using Press = std::pair<std::uint32_t, platform::Modifiers>;
  constexpr platform::Modifiers kS = platform::kHeldShift, kAltGr = platform::kHeldCtrl | platform::kHeldAlt;
  const std::vector<Press> rec = {{'R', kS}, {'E', 0}, {'C', 0}};
  const auto then = [](std::vector<Press> first, std::initializer_list<Press> more) {
    first.insert(first.end(), more);
    return first;
  };
  struct Case {
    LayoutKind kind;
    std::vector<Press> keys;
    std::string editor;
    int rows;              // rows of the open list; -1: closed
    std::string trailing;  // of the one choice made; empty: none
  };
  const Case cases[] = {
      {LayoutKind::German, {{lvk::Oem5, 0}, {'E', 0}}, "\xEA", -1, ""},
      {LayoutKind::German, {{lvk::Oem6, 0}, {'E', 0}, {lvk::Oem6, kS}, {'A', kS}}, "\xE9\xC0", -1, ""},
      {LayoutKind::German, {{lvk::Oem5, 0}, {lvk::Oem5, 0}, {'Q', kAltGr}}, "^^@", -1, ""},
      {LayoutKind::UsInternational, {{lvk::Oem7, 0}, {'E', 0}, {lvk::Oem7, kS}, {'A', 0}}, "\xE9\xE4", -1, ""},
      {LayoutKind::UsInternational, {{lvk::Oem7, 0}, {' ', 0}, {lvk::Oem7, 0}, {'T', 0}}, "''t", -1, ""},
      {LayoutKind::German, then(rec, {{lvk::Period, 0}}), "Rec.", 237, ""},
      {LayoutKind::French, then(rec, {{lvk::Period, kS}}), "Rec.", 237, ""},
      {LayoutKind::German, then(rec, {{lvk::Period, 0}, {'F', 0}, {'I', 0}, {'8', kS}}), "Rec.fi", -1, "("},
      {LayoutKind::French, then(rec, {{lvk::Period, kS}, {'F', 0}, {'I', 0}, {lvk::Period, 0}}), "Rec.fi", -1, ";"},
      {LayoutKind::French, {{lvk::Oem6, 0}, {'O', 0}, {'5', kS}, {lvk::Period, kS}}, "\xF4" "5.", 237, ""},
  };
  for (const Case& c : cases) {
    CompletionScene s(c.kind);
    for (const auto& [key, held] : c.keys) s.Key(key, held);
    SCOPED_TRACE(c.editor);
    EXPECT_EQ(s.editor.Text(), c.editor);
    EXPECT_EQ(s.completion.IsOpen() ? static_cast<int>(s.view.rows.size()) : -1, c.rows);
    std::string trailing;
    for (const InsertJob& job : s.inserter.jobs) trailing += job.trailing + "|";
    EXPECT_EQ(trailing, c.trailing.empty() ? "" : c.trailing + "|");
  }
}

TEST(CodeCompletion, DoubleClickChoosesTheRowAndAClosedEditorLeavesNoOpenList) {
  CompletionScene s;
  s.Type("Rec.fi");
  s.completion.RowClicked(2);
  EXPECT_EQ(s.view.selection, 2u);
  s.completion.RowDoubleClicked(3);
  ASSERT_EQ(s.inserter.jobs.size(), 1u);
  EXPECT_EQ(s.inserter.jobs[0].word, "FIELDNAME");
  EXPECT_FALSE(s.completion.IsOpen());

  s.Type("Rec.");
  ASSERT_TRUE(s.completion.IsOpen());
  s.view.Destroy();
  s.completion.ViewDestroyed();
  EXPECT_FALSE(s.completion.IsOpen());
  s.Type("ab");
  EXPECT_TRUE(s.inserter.jobs.size() == 1 && !s.completion.IsOpen());

  s.view.refuse = true;
  EXPECT_TRUE(s.CtrlSpace());
  EXPECT_FALSE(s.completion.IsOpen());
}

}  // namespace
}  // namespace bw
