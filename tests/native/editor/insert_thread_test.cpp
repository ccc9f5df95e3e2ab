#include "editor/insert_thread.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "editor_scene.h"

namespace bw::test {
namespace {

using fake::Caret;
using fake::Event;
constexpr auto kEditor = EditorScene::kEditorWindow;

InsertJob Job(std::string typed, std::string word, std::string trailing) {
  return {kEditor, std::move(typed), std::move(word), std::move(trailing)};
}

TEST(TInsertThread, ReplacesTheTypedWordAndAddsTheTrailingCharacter) {
  EditorScene scene;
  scene.editor.SetText("Rec.fi");
  scene.editor.SetCaret({0, 6});
  {
    std::string word = "FINDFIRST";
    TInsertThread worker(scene.Services(), Job("fi", word, "("));
    word.assign("overwritten while the worker runs");  // the worker owns its own copy
    worker.Join();
  }
  EXPECT_EQ(scene.editor.Text(), "Rec.FINDFIRST(");
  EXPECT_EQ(scene.editor.GetCaret(), (Caret{0, 14}));
  EXPECT_EQ(scene.log.Transcript({Event::Kind::Post, Event::Kind::Sleep}),
            (std::vector<std::string>{"Left", "sleep 10", "Left", "sleep 10", "Delete", "sleep 10", "Delete", "sleep 10",
                                      "'F'", "'I'", "'N'", "'D'", "'F'", "'I'", "'R'", "'S'", "'T'", "'('"}));
  EXPECT_EQ(scene.log.Transcript({Event::Kind::BlockInput, Event::Kind::BusyCursor, Event::Kind::LockDrawing}),
            (std::vector<std::string>{"block on", "busy on", "lock 101", "unlock", "busy off", "block off"}));
}

TEST(TInsertThread, EmptyWordDoesNothingAndLongTrailingTextIsNotTyped) {
  EditorScene scene;
  scene.editor.SetText("Rec.fi");
  scene.editor.SetCaret({0, 6});
  TInsertThread(scene.Services(), Job("fi", "", "(")).Join();
  EXPECT_TRUE(scene.log.Events().empty());

  TInsertThread(scene.Services(), Job("", "X", "((")).Join();
  EXPECT_EQ(scene.editor.Text(), "Rec.fiX");
}

TEST(TInsertThread, WaitsForShiftOfTheChoosingKey) {
  // "(" was typed with Shift; were it still held, the Lefts would select and Delete erase more.
  EditorScene scene;
  scene.editor.SetText("x := Cust.Cal");
  scene.editor.SetCaret({0, 13});
  scene.desktop.HoldModifiers(platform::kHeldShift, 4);
  TInsertThread(scene.Services(), Job("Cal", "CALCFIELDS", "(")).Join();
  EXPECT_EQ(scene.editor.Text(), "x := Cust.CALCFIELDS(");
}

TEST(TInsertThread, MovingAssignmentWaitsForThePreviousWorker) {
  EditorScene scene;
  TInsertThread worker(scene.Services(), Job("", "a", ""));
  worker = TInsertThread(scene.Services(), Job("", "b", ""));
  EXPECT_NE(scene.editor.Text().find('a'), std::string::npos);  // the first worker has ended
  worker.Join();
  EXPECT_FALSE(worker.Joinable());
  std::string typed = scene.editor.Text();
  std::sort(typed.begin(), typed.end());  // the second worker started before the first was joined
  EXPECT_EQ(typed, "ab");
  worker.Join();  // joining twice is harmless
}

}  // namespace
}  // namespace bw::test
