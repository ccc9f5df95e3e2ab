#include "app/win32/config_dialog_window.h"

#include <string>

#include "app/app_texts.h"
#include "ui/win32/frm_navision_item.h"
#include "ui/win32/sql_server_dialog_tools.h"

namespace bw::win32 {

bool Win32ConfigDialog::Edit(ConfigDialogState& state) {
  // The SQL Server side lives as long as the dialog: its discovery socket closes with it.
  ui::SqlServerDialogTools sql(services_.messages);
  ItemDialogServices services = services_;
  services.sql = &sql;
  NavisionItemDialog logic(services, kAppShortName);
  const ConfigValues& in = state.values;
  logic.SetFolder(in.folder);
  logic.SetName(in.name);
  logic.SetLocation(in.executable);
  logic.SetIsNative(in.native);
  logic.SetUseServer(in.useServer);
  logic.SetServer(in.server);
  logic.SetPort(in.port);
  logic.SetNetType(in.netType);
  logic.SetDatabase(in.database);
  logic.SetCompany(in.company);
  logic.SetNTAuthentication(in.ntAuthentication);
  logic.SetUserName(in.username);
  logic.SetPassword(in.password);
  logic.SetHotkey(static_cast<TShortCut>(in.hotkey));
  logic.SetLastLocation(state.lastNavisionLocation);
  logic.SetLastDatabaseLocation(state.lastDatabaseLocation);
  logic.SetCreateInRoot(state.createInRoot && !state.createInRootEnabled);
  if (!state.folderEnabled) logic.LockPlacement();
  logic.SetMode(ItemDialogMode::Configuration);

  if (!ui::TfrmNavisionItem(logic, showHelp_).ShowModal(owner_)) return false;

  ConfigValues& out = state.values;
  out.folder = logic.Folder();
  out.name = logic.Name();
  out.executable = logic.Location();
  out.native = logic.IsNative();
  out.useServer = logic.UseServer();
  out.server = logic.Server();
  out.port = logic.Port() < 0 ? 0 : logic.Port();
  out.netType = logic.NetType();
  out.database = logic.Database();
  out.company = logic.Company();
  out.ntAuthentication = logic.NTAuthentication();
  out.username = logic.UserName();
  out.password = logic.Password();
  out.hotkey = logic.Hotkey();
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
