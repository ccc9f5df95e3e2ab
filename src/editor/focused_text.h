// The repeat-last and credentials hotkeys: a stored text typed into the window that has the
// focus in the foreground program. The credentials go only into the Navision login dialog.
#pragma once

#include <string_view>

#include "editor/template_insertion.h"
#include "platform/desktop.h"

namespace bw {

// Attaches to the foreground thread and types `text` into its focus window through
// InsertTemplateText (never confirmed). A text equal to the stored credentials is typed only
// when the focus window is a login dialog of fin.exe or finsql.exe, and that window's drawing
// is not locked; anywhere else nothing happens and nothing is said. Any other text locks the
// focus window's drawing while it is typed.
InsertOutcome InsertFocusedText(const InsertionContext& context, platform::Desktop& desktop, std::string_view text);

}  // namespace bw
