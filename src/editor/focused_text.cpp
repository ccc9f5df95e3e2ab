#include "editor/focused_text.h"

#include "editor/attach_to_foreground.h"
#include "editor/input_guard.h"
#include "editor/insert_confirmation.h"
#include "editor/typing.h"
#include "editor/window_recognition.h"

namespace bw {

InsertOutcome InsertFocusedText(const InsertionContext& context, platform::Desktop& desktop, std::string_view text) {
  if (!context.credentialsText.empty() && text == context.credentialsText) return InsertCredentials(context, desktop);
  AttachToForeground frame(desktop, context.clock);
  if (!frame) return InsertOutcome::Refused;
  DrawingLock lock(context.input, frame.Focus());
  return InsertTemplateText(context, frame.Focus(), text, false);
}

InsertOutcome InsertCredentials(const InsertionContext& context, platform::Desktop& desktop) {
  if (context.credentialsText.empty()) return InsertOutcome::Refused;
  AttachToForeground frame(desktop, context.clock);
  if (!frame) return InsertOutcome::Refused;
  const platform::WindowId window = frame.Focus();
  // Personal details go nowhere but into the client's own login dialog.
  if (!IsLoginDialog(desktop, window, frame.FocusProcess())) return InsertOutcome::Refused;
  if (!context.messages.Confirm(kConfirmCaption, kInsertCredentialsQuestion)) return InsertOutcome::Cancelled;

  InputGuard guard(context.input, context.clock, {.busyCursor = true});
  Poster poster(context.keyboard, context.clock);
  TypeVerbatim(poster, window, context.credentialsText, context.pace);
  return InsertOutcome::Typed;
}

}  // namespace bw
