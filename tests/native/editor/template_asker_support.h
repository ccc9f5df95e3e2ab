// A variable dialog for tests: answers from a table by variable name and records each question.
#pragma once

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "editor/variable_asker.h"

namespace bw::test {

class ScriptedAsker final : public VariableAsker {
public:
  std::optional<std::string> AskVariable(std::string_view name, std::string_view offered) override {
    asked.emplace_back(std::string(name), std::string(offered));
    if (onAsk) onAsk();
    const auto answer = answers.find(std::string(name));
    if (answer == answers.end()) return "[" + std::string(name) + "]";
    return answer->second;
  }

  // nullopt answers Cancel. A name without an answer gets "[name]".
  std::map<std::string, std::optional<std::string>> answers;
  std::vector<std::pair<std::string, std::string>> asked;  // name, offered value
  // Runs while the dialog is open (the user may use the tray meanwhile).
  std::function<void()> onAsk;
};

}  // namespace bw::test
