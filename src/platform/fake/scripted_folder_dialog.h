// A folder dialog that answers from a script and remembers what it was asked.
#pragma once

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "platform/folder_dialog.h"

namespace bw::platform {

class ScriptedFolderDialog : public FolderDialog {
public:
  struct Asked {
    std::string title;
    std::string start;
  };

  std::optional<std::string> ChooseFolder(std::string_view title, std::string_view start) override {
    asked.push_back({std::string(title), std::string(start)});
    if (answers.empty()) return std::nullopt;
    auto answer = answers.front();
    answers.pop_front();
    return answer;
  }

  std::deque<std::optional<std::string>> answers;  // nullopt: the user cancels
  std::vector<Asked> asked;
};

}  // namespace bw::platform
