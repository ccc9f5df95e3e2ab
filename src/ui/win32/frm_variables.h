// TfrmVariables: the "Reset Variables" dialog, where the remembered template variables are
// reviewed and deleted.
#pragma once

#include <windows.h>

#include "editor/variable_reset.h"
#include "platform/messages.h"
#include "settings/storage.h"

namespace bw::ui {

// Shows the dialog modally on `list`; a double-click on a row deletes it through the list
// (a warning for the reserved names, a confirmation for the others). Ends with Close or Escape.
void ShowVariablesDialog(HWND owner, VariableResetList& list, platform::Messages& messages);

// ResetVariables: the dialog on a working copy of `vars`, which gets the rows left however the
// dialog is closed.
void ResetVariablesDialog(HWND owner, StringList& vars, platform::Messages& messages);

}  // namespace bw::ui
