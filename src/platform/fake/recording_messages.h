// Message boxes for tests: every box is recorded, confirmations answer from a script.
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "platform/messages.h"

namespace bw::platform {

class RecordingMessages : public Messages {
public:
  struct Shown {
    enum class Kind { Error, Warning, Information, Confirm } kind;
    std::string caption;  // for confirmations; the fixed caption otherwise
    std::string text;
  };

  void Show(MessageKind kind, std::string_view text) override;
  // Answers with the next scripted answer; with none left, with `defaultAnswer`.
  bool Confirm(std::string_view caption, std::string_view text) override;

  void ScriptAnswers(std::initializer_list<bool> answers) { answers_.insert(answers_.end(), answers); }

  std::vector<Shown> shown;
  bool defaultAnswer = false;

private:
  std::deque<bool> answers_;
};

}  // namespace bw::platform
