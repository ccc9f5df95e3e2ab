// A desktop with one Navision client whose C/AL editor has the focus, simulated, with every
// action of the editor automation recorded in one log.
#pragma once

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "editor/block_command.h"
#include "editor/insert_thread.h"
#include "editor/posting.h"
#include "platform/fake/event_log.h"
#include "platform/fake/fake_clipboard.h"
#include "platform/fake/fake_clock.h"
#include "platform/fake/fake_desktop.h"
#include "platform/fake/simulated_editor.h"
#include "platform/messages.h"

namespace bw::test {

// Confirmations answered from a script (Yes when the script is spent), logged in order.
class ScriptedQuestions final : public platform::Messages {
public:
  explicit ScriptedQuestions(fake::EventLog& log) : log_(log) {}
  void Answer(std::initializer_list<bool> answers) { answers_.insert(answers_.end(), answers); }
  void Show(platform::MessageKind, std::string_view text) override {
    log_.Add(fake::Event::WithText(fake::Event::Kind::Message, std::string(text)));
  }
  bool Confirm(std::string_view caption, std::string_view text) override {
    if (onAsk) onAsk();
    bool answer = true;
    if (!answers_.empty()) {
      answer = answers_.front();
      answers_.pop_front();
    }
    log_.Add(fake::Event::WithText(fake::Event::Kind::Question, std::string(caption) + ": " + std::string(text), answer));
    return answer;
  }

  // Runs while a question is open (the user may do other things meanwhile).
  std::function<void()> onAsk;

private:
  fake::EventLog& log_;
  std::deque<bool> answers_;
};

struct EditorScene {
  static constexpr platform::WindowId kClientWindow = 100;
  static constexpr platform::WindowId kEditorWindow = 101;
  static constexpr platform::ThreadId kClientThread = 7;
  static constexpr platform::ProcessId kClientProcess = 4711;

  fake::EventLog log;
  fake::FakeDesktop desktop{log};
  fake::FakeClock clock{log};
  fake::FakeClipboard clipboard{log};
  ScriptedQuestions questions{log};
  fake::SimulatedEditor editor{clipboard, kEditorWindow, kClientWindow};
  Poster poster{desktop, clock};

  EditorScene() {
    desktop.AddWindow(kClientWindow, {"C/SIDE Main", "Microsoft Dynamics NAV", kClientThread, kClientProcess, 0});
    desktop.AddWindow(kEditorWindow,
                      {"C/SIDE Form", "Codeunit 50000 Test - C/AL Editor", kClientThread, kClientProcess, kClientWindow});
    desktop.AddProcess(kClientProcess, "finsql.exe");
    desktop.SetForeground(kClientWindow);
    desktop.SetFocus(kClientThread, kEditorWindow);
    desktop.Route(kClientWindow, editor);
    desktop.Route(kEditorWindow, editor);
  }

  BlockCommandContext Context() { return {desktop, desktop, desktop, clipboard, clock, questions}; }
  InsertServices Services() { return {desktop, desktop, clock}; }

  std::vector<std::string> Questions() const {
    std::vector<std::string> asked;
    for (const auto& event : log.Events())
      if (event.kind == fake::Event::Kind::Question) asked.push_back(event.text);
    return asked;
  }
  int Count(fake::Event::Kind kind) const {
    int count = 0;
    for (const auto& event : log.Events()) count += event.kind == kind ? 1 : 0;
    return count;
  }
};

// n copies of a token, for building expected transcripts.
inline std::vector<std::string> Times(int n, const std::string& token) {
  return std::vector<std::string>(static_cast<std::size_t>(n), token);
}

inline std::vector<std::string> Join(std::initializer_list<std::vector<std::string>> parts) {
  std::vector<std::string> all;
  for (const auto& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

}  // namespace bw::test
