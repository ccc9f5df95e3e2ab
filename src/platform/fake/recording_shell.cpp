#include "platform/fake/recording_shell.h"

#include "base/text_case.h"

namespace bw::platform {

std::string RecordingShell::ExpandEnvironment(std::string_view text) {
  std::string result;
  std::size_t i = 0;
  while (i < text.size()) {
    const auto close = text[i] == '%' ? text.find('%', i + 1) : std::string_view::npos;
    if (close != std::string_view::npos) {
      const auto found = variables_.find(UpperAscii(text.substr(i + 1, close - i - 1)));
      if (found != variables_.end()) {
        result += found->second;
        i = close + 1;
        continue;
      }
    }
    result += text[i++];
  }
  return result;
}

bool RecordingShell::Execute(const ShellRequest& request) {
  started.push_back(request);
  return !refused_.contains(request.file);
}

void RecordingShell::SetVariable(const std::string& name, const std::string& value) { variables_[UpperAscii(name)] = value; }

}  // namespace bw::platform
