// TfrmNavisionItem: the window of the configuration and plug-in dialog, a thin view over
// NavisionItemDialog. The caller loads the values and the mode into the logic, shows the
// window, and after OK reads the values from the logic.
#pragma once

#include <windows.h>

#include <functional>

#include "launch/navision_item_dialog.h"

namespace bw::ui {

// Control identifiers: 100 plus the control's position in ItemControl; OK and Cancel are IDOK
// and IDCANCEL. Tests find the controls by them.
inline int ItemControlId(ItemControl control) {
  return control == ItemControl::Ok ? IDOK : 100 + static_cast<int>(control);
}

class TfrmNavisionItem {
public:
  // `showHelp` receives the help number on F1 (none: F1 does nothing).
  explicit TfrmNavisionItem(NavisionItemDialog& logic, std::function<void(int)> showHelp = {})
      : logic_(logic), showHelp_(std::move(showHelp)) {}

  // Shows the dialog modally, centred on `owner` (or the screen). True when closed with OK.
  bool ShowModal(HWND owner);

private:
  NavisionItemDialog& logic_;
  std::function<void(int)> showHelp_;
};

}  // namespace bw::ui
