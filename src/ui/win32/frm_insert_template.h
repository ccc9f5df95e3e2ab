// TfrmInsertTemplate: the "Insert Template" dialog. The template list with hotkeys and a filter
// field above it, the chosen template's text as a preview with its tags in red, and the
// dialog's place, size and list width kept in the general record.
#pragma once

#include <windows.h>

#include <optional>

#include "platform/key_names.h"
#include "settings/storage.h"

namespace bw::ui {

// Shows the dialog modally over `owner` (may be null) with every template of `root`'s templates
// folder, the first one selected. Returns the index in the templates folder of the template
// chosen with Insert, Enter or a double-click; nullopt on Cancel, Escape or closing. The
// dialog's geometry is written to the general record (InsertWindowLeft, -Top, -Width, -Height,
// -Splitter) whatever way it closes. `keys` names the hotkeys in the list.
std::optional<int> RunInsertTemplateDialog(HWND owner, TStorage& root, platform::KeyNames& keys);

}  // namespace bw::ui
