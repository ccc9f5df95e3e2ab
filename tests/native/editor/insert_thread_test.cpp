#include "editor/insert_thread.h"

#include <gtest/gtest.h>

#include <future>
#include <thread>

#include "editor_scene.h"

namespace bw::test {
namespace {

using fake::Caret;
using fake::Event;
constexpr auto kEditor = EditorScene::kEditorWindow;

InsertJob Job(std::string typed, std::string word, std::string trailing) {
  return {kEditor, std::move(typed), std::move(word), std::move(trailing)};
}

// Holds the worker when it blocks input, at its start, until the test releases it.
class GatedInput final : public platform::UserInput {
public:
  explicit GatedInput(platform::UserInput& inner) : inner_(inner) {}
  platform::Modifiers HeldModifiers() override { return inner_.HeldModifiers(); }
  bool BlockInput(bool block) override {
    if (block) {
      held_.set_value();
      released_.get_future().wait();
    }
    return inner_.BlockInput(block);
  }
  void ShowBusyCursor(bool busy) override { inner_.ShowBusyCursor(busy); }
  bool LockWindowUpdate(platform::WindowId window) override { return inner_.LockWindowUpdate(window); }

  void WaitUntilHeld() { held_.get_future().wait(); }
  void Release() { released_.set_value(); }

private:
  platform::UserInput& inner_;
  std::promise<void> held_;
  std::promise<void> released_;
};

TEST(TInsertThread, ReplacesTheTypedWordAndAddsTheTrailingCharacter) {
  EditorScene scene;
  scene.editor.SetText("Rec.fi");
  scene.editor.SetCaret({0, 6});
  {
    // The worker reads its job only after the job it was started with is gone: it owns a copy.
    GatedInput gate(scene.desktop);
    TInsertThread worker({scene.desktop, gate, scene.clock}, Job("fi", "FINDFIRST", "("));
    gate.WaitUntilHeld();
    gate.Release();
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

TEST(TInsertThread, TheWordAndTheTrailingCharacterFollowTheJobsPace) {
  EditorScene scene;
  scene.editor.SetText("Rec.f");
  scene.editor.SetCaret({0, 5});
  InsertJob job = Job("f", "FIND", "(");
  job.pace = {std::chrono::milliseconds(400), std::chrono::milliseconds(20)};
  TInsertThread(scene.Services(), std::move(job)).Join();
  EXPECT_EQ(scene.editor.Text(), "Rec.FIND(");
  EXPECT_EQ(scene.log.Transcript({Event::Kind::Post, Event::Kind::Sleep}),
            (std::vector<std::string>{"Left", "sleep 10", "Delete", "sleep 10", "'F'", "sleep 20", "'I'", "sleep 20",
                                      "'N'", "sleep 20", "'D'", "sleep 20", "'('", "sleep 20"}));
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
  GatedInput firstGate(scene.desktop);
  GatedInput secondGate(scene.desktop);
  TInsertThread worker({scene.desktop, firstGate, scene.clock}, Job("", "aaaa", ""));
  firstGate.WaitUntilHeld();
  // The second waits for the typing run of the first (one run at a time) and then at its gate.
  TInsertThread second({scene.desktop, secondGate, scene.clock}, Job("", "bbbb", ""));
  std::thread release([&] { firstGate.Release(); });
  worker = std::move(second);
  release.join();
  EXPECT_EQ(scene.editor.Text(), "aaaa");  // the first worker has ended, the second not begun
  secondGate.WaitUntilHeld();
  secondGate.Release();
  worker.Join();
  EXPECT_FALSE(worker.Joinable());
  EXPECT_EQ(scene.editor.Text(), "aaaabbbb");
  worker.Join();  // joining twice is harmless
}

}  // namespace
}  // namespace bw::test
