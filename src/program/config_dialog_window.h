// The configuration dialog of the management window: TfrmNavisionItem in configuration or plug-in mode,
// loaded from and read back into the tree's dialog state.
#pragma once

#include <windows.h>

#include <functional>

#include "app/config_dialog.h"
#include "ui/item_lists.h"
#include "launch/navision_item_dialog.h"

namespace bw::win32 {

class Win32ConfigDialog final : public ConfigDialog, public PluginDialog {
public:
  // `showHelp` receives the help number on F1. The SQL Server tools of `services` are replaced by
  // the real ones (discovery on the whole network, ODBC) for each dialog.
  Win32ConfigDialog(ItemDialogServices services, std::function<void(int)> showHelp)
      : services_(services), showHelp_(std::move(showHelp)) {}

  void SetOwner(HWND owner) { owner_ = owner; }
  bool Edit(ConfigDialogState& state) override;
  // The same dialog in plug-in mode.
  bool EditPlugin(PluginDialogState& state) override;

private:
  ItemDialogServices services_;
  std::function<void(int)> showHelp_;
  HWND owner_ = nullptr;
};

}  // namespace bw::win32
