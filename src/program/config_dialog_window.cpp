#include "program/config_dialog_window.h"

#include <string>

#include "base/app_texts.h"
#include "ui/win32/frm_navision_item.h"
#include "ui/win32/sql_server_dialog_tools.h"

namespace bw::win32 {

bool Win32ConfigDialog::Edit(ConfigDialogState& state) {
  // The SQL Server side lives as long as the dialog: its discovery socket closes with it.
  ui::SqlServerDialogTools sql(services_.messages);
  ItemDialogServices services = services_;
  services.sql = &sql;
  NavisionItemDialog logic(services, kAppShortName);
  ShowValues(state.values, logic);
  logic.SetLastLocation(state.lastNavisionLocation);
  logic.SetLastDatabaseLocation(state.lastDatabaseLocation);
  logic.SetNewRecord(state.newRecord);
  logic.SetCreateInRoot(state.createInRoot && !state.createInRootEnabled);
  if (!state.folderEnabled) logic.LockPlacement();
  logic.SetMode(ItemDialogMode::Configuration);

  if (!ui::TfrmNavisionItem(logic, showHelp_).ShowModal(owner_)) return false;

  state.values = DialogValues(logic);
  state.createInRoot = logic.CreateInRoot();
  state.lastNavisionLocation = logic.LastLocation();
  state.lastDatabaseLocation = logic.LastDatabaseLocation();
  return true;
}

bool Win32ConfigDialog::EditPlugin(PluginDialogState& state) {
  NavisionItemDialog logic(services_, kAppShortName);
  logic.SetName(state.name);
  logic.SetLocation(state.executable);
  logic.SetParameters(state.parameters);
  logic.SetHotkey(state.hotkey);
  logic.SetLastLocation(state.lastPluginLocation);
  logic.SetMode(ItemDialogMode::Plugin);

  if (!ui::TfrmNavisionItem(logic, showHelp_).ShowModal(owner_)) return false;

  state.name = logic.Name();
  state.executable = logic.Location();
  state.parameters = logic.Parameters();
  state.hotkey = logic.Hotkey();
  state.lastPluginLocation = logic.LastLocation();
  return true;
}

}  // namespace bw::win32
