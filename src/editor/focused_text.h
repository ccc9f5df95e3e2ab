// The repeat-last and credentials hotkeys: a stored text typed into the window that has the
// focus in the foreground program. The credentials go only into the Navision login dialog.
#pragma once

#include <string_view>

#include "editor/template_insertion.h"
#include "platform/desktop.h"

namespace bw {

// Attaches to the foreground thread and types `text` into its focus window. A text equal to
// the stored credentials is the login: see InsertCredentials. Any other text is a template,
// typed through InsertTemplateText (never confirmed) with the focus window's drawing locked.
InsertOutcome InsertFocusedText(const InsertionContext& context, platform::Desktop& desktop, std::string_view text);

// Types the stored credentials into the focus window, only when that is a login dialog of
// fin.exe or finsql.exe (anywhere else nothing happens and nothing is said), after the
// credentials question. The login is typed as it stands: no tags are expanded, "|" and leading
// spaces are ordinary characters, no caret keys follow and nothing is remembered for the
// repeat-last hotkey. The login dialog's drawing is not locked.
InsertOutcome InsertCredentials(const InsertionContext& context, platform::Desktop& desktop);

}  // namespace bw
