#include "program/completion_host.h"

#include <string>

#include "editor/window_recognition.h"

namespace bw::win32 {

CompletionHost::CompletionHost(HINSTANCE instance, HIMAGELIST images, ProgramPlatform& platform,
                               std::function<CompletionSwitches()> switches)
    : desktop_(platform.desktop),
      clock_(platform.clock),
      keyboard_(platform.keyboard),
      keys_(platform.keyTranslation),
      input_(platform.completionInput),
      view_(instance, images),
      inserter_(InsertServices{keyboard_, input_, clock_}) {
  completion_ = std::make_unique<CodeCompletion>(
      CompletionServices{desktop_, keyboard_, keys_, view_, inserter_, std::move(switches)});
  view_.SetController(completion_.get());
}

CompletionHost::~CompletionHost() {
  completion_.reset();
  view_.SetController(nullptr);
}

bool CompletionHost::OnKey(WPARAM virtualKey, LPARAM flags) {
  try {
    return completion_->KeyPressedWatch(static_cast<std::uint32_t>(virtualKey), static_cast<std::uint32_t>(flags));
  } catch (...) {
    return false;  // the key goes on to the editor as if nothing had watched it
  }
}

std::string CompletionHost::WatchedClasses() {
  std::string classes;
  for (const std::string_view editorClass : kEditorClasses) {
    if (!classes.empty()) classes += '\n';
    classes += editorClass;
  }
  return classes;
}

}  // namespace bw::win32
