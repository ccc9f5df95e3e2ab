// The "Advanced..." window of the configuration dialog: NAV Server, tenant, editor and extra
// arguments of a SQL client, a thin view over ClientAdvancedDialog.
#pragma once

#include <windows.h>

#include <functional>

#include "launch/client_advanced_dialog.h"

namespace bw::ui {

// Control identifiers: 100 plus the control's position in AdvancedControl; OK and Cancel are
// IDOK and IDCANCEL. Tests find the controls by them.
inline int AdvancedControlId(AdvancedControl control) { return 100 + static_cast<int>(control); }

class TfrmClientAdvanced {
public:
  // `showHelp` receives the help number on F1 (none: F1 does nothing).
  explicit TfrmClientAdvanced(ClientAdvancedDialog& logic, std::function<void(int)> showHelp = {})
      : logic_(logic), showHelp_(std::move(showHelp)) {}

  // Shows the dialog modally, centred on `owner`; true when closed with OK (the logic then
  // holds the confirmed values).
  bool ShowModal(HWND owner);

private:
  ClientAdvancedDialog& logic_;
  std::function<void(int)> showHelp_;
};

}  // namespace bw::ui
