#include "editor/focused_text.h"

#include <optional>

#include "editor/attach_to_foreground.h"
#include "editor/input_guard.h"
#include "editor/window_recognition.h"

namespace bw {

InsertOutcome InsertFocusedText(const InsertionContext& context, platform::Desktop& desktop, std::string_view text) {
  AttachToForeground frame(desktop, context.clock);
  if (!frame) return InsertOutcome::Refused;
  const platform::WindowId window = frame.Focus();

  std::optional<DrawingLock> lock;
  if (!context.credentialsText.empty() && text == context.credentialsText) {
    // Personal details go nowhere but into the client's own login dialog, never locked.
    if (!IsLoginDialog(desktop, window, frame.FocusProcess())) return InsertOutcome::Refused;
  } else {
    lock.emplace(context.input, window);
  }
  return InsertTemplateText(context, window, text, false);
}

}  // namespace bw
