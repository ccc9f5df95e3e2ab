#include "program/config_dialog_window.h"

#include <cstdint>
#include <functional>
#include <string>

#include "base/app_texts.h"
#include "ui/win32/frm_navision_item.h"
#include "ui/win32/sql_server_dialog_tools.h"

namespace bw::win32 {

namespace {

std::int32_t PortOrZero(const NavisionItemDialog& logic) { return logic.Port() < 0 ? 0 : logic.Port(); }
void SetHotkeyCode(NavisionItemDialog& logic, std::int32_t code) { logic.SetHotkey(static_cast<TShortCut>(code)); }

// Each field of a configuration with the dialog's setter and getter for it, in the order the dialog
// is filled: a setter may enable or refresh what a later one fills.
template <typename Visit>
void ForEachConfigField(ConfigValues& values, Visit visit) {
  using Dialog = NavisionItemDialog;
  visit(values.folder, &Dialog::SetFolder, &Dialog::Folder);
  visit(values.name, &Dialog::SetName, &Dialog::Name);
  visit(values.executable, &Dialog::SetLocation, &Dialog::Location);
  visit(values.native, &Dialog::SetIsNative, &Dialog::IsNative);
  visit(values.useServer, &Dialog::SetUseServer, &Dialog::UseServer);
  visit(values.server, &Dialog::SetServer, &Dialog::Server);
  visit(values.port, &Dialog::SetPort, PortOrZero);
  visit(values.netType, &Dialog::SetNetType, &Dialog::NetType);
  visit(values.database, &Dialog::SetDatabase, &Dialog::Database);
  visit(values.company, &Dialog::SetCompany, &Dialog::Company);
  visit(values.ntAuthentication, &Dialog::SetNTAuthentication, &Dialog::NTAuthentication);
  visit(values.username, &Dialog::SetUserName, &Dialog::UserName);
  visit(values.password, &Dialog::SetPassword, &Dialog::Password);
  visit(values.hotkey, SetHotkeyCode, &Dialog::Hotkey);
}

}  // namespace

bool Win32ConfigDialog::Edit(ConfigDialogState& state) {
  // The SQL Server side lives as long as the dialog: its discovery socket closes with it.
  ui::SqlServerDialogTools sql(services_.messages);
  ItemDialogServices services = services_;
  services.sql = &sql;
  NavisionItemDialog logic(services, kAppShortName);
  ForEachConfigField(state.values, [&](const auto& value, auto set, auto) { std::invoke(set, logic, value); });
  logic.SetLastLocation(state.lastNavisionLocation);
  logic.SetLastDatabaseLocation(state.lastDatabaseLocation);
  logic.SetCreateInRoot(state.createInRoot && !state.createInRootEnabled);
  if (!state.folderEnabled) logic.LockPlacement();
  logic.SetMode(ItemDialogMode::Configuration);

  if (!ui::TfrmNavisionItem(logic, showHelp_).ShowModal(owner_)) return false;

  ForEachConfigField(state.values, [&](auto& value, auto, auto get) { value = std::invoke(get, logic); });
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
