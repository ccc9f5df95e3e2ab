#include "platform/fake/recording_messages.h"

namespace bw::platform {

void RecordingMessages::Show(MessageKind kind, std::string_view text) {
  switch (kind) {
    case MessageKind::Error: shown.push_back({Shown::Kind::Error, "Error", std::string(text)}); break;
    case MessageKind::Warning: shown.push_back({Shown::Kind::Warning, "Warning", std::string(text)}); break;
    case MessageKind::Information:
      shown.push_back({Shown::Kind::Information, "Information", std::string(text)});
      break;
  }
}

bool RecordingMessages::Confirm(std::string_view caption, std::string_view text) {
  shown.push_back({Shown::Kind::Confirm, caption.empty() ? "Confirm" : std::string(caption), std::string(text)});
  if (answers_.empty()) return defaultAnswer;
  const bool answer = answers_.front();
  answers_.pop_front();
  return answer;
}

}  // namespace bw::platform
