#include "app/config_dialog.h"

#include <functional>

#include "app/item_hotkey.h"
#include "launch/navision_item_dialog.h"

namespace bw {

namespace {

void SetHotkeyCode(NavisionItemDialog& dialog, std::int32_t code) { dialog.SetHotkey(ItemShortcut(code)); }

// Each field of a configuration with the dialog's setter and getter for it, in the order the dialog
// is filled. An empty port field reads as -1, which the record keeps: the client is then given no
// port, and the dialog shows the field empty again.
template <typename Values, typename Visit>
void ForEachConfigField(Values& values, Visit visit) {
  using Dialog = NavisionItemDialog;
  visit(values.folder, &Dialog::SetFolder, &Dialog::Folder);
  visit(values.name, &Dialog::SetName, &Dialog::Name);
  visit(values.executable, &Dialog::SetLocation, &Dialog::Location);
  visit(values.native, &Dialog::SetIsNative, &Dialog::IsNative);
  visit(values.useServer, &Dialog::SetUseServer, &Dialog::UseServer);
  visit(values.server, &Dialog::SetServer, &Dialog::Server);
  visit(values.port, &Dialog::SetPort, &Dialog::Port);
  visit(values.netType, &Dialog::SetNetType, &Dialog::NetType);
  visit(values.database, &Dialog::SetDatabase, &Dialog::Database);
  visit(values.company, &Dialog::SetCompany, &Dialog::Company);
  visit(values.ntAuthentication, &Dialog::SetNTAuthentication, &Dialog::NTAuthentication);
  visit(values.username, &Dialog::SetUserName, &Dialog::UserName);
  visit(values.password, &Dialog::SetPassword, &Dialog::Password);
  visit(values.hotkey, SetHotkeyCode, &Dialog::Hotkey);
  visit(values.advanced, &Dialog::SetAdvanced, &Dialog::Advanced);
}

}  // namespace

void ShowValues(const ConfigValues& values, NavisionItemDialog& dialog) {
  ForEachConfigField(values, [&](const auto& value, auto set, auto) { std::invoke(set, dialog, value); });
}

ConfigValues DialogValues(const NavisionItemDialog& dialog) {
  ConfigValues values;
  ForEachConfigField(values, [&](auto& value, auto, auto get) { value = std::invoke(get, dialog); });
  return values;
}

ConfigValues ValuesOf(const TConfigStorage& record) {
  ConfigValues values;
  values.name = record.ConfigName;
  values.executable = record.ExecutablePath;
  values.database = record.Database;
  values.server = record.Server;
  values.port = record.Port;
  values.netType = record.NetType;
  values.company = record.Company;
  values.useServer = record.UseServer;
  values.ntAuthentication = record.UseNTAuthentication;
  values.username = record.Username;
  values.password = record.Password;
  values.folder = record.IsSubMenu;
  values.native = record.IsNative;
  values.hotkey = record.Hotkey;
  values.advanced.navServerName = record.NavServerName;
  values.advanced.navServerInstance = record.NavServerInstance;
  values.advanced.managementPort = record.NavServerManagementPort;
  values.advanced.tenant = record.Tenant;
  values.advanced.useOldEditor = record.UseOldEditor;
  values.advanced.generateSymbolReference = record.GenerateSymbolReference;
  values.advanced.additionalArguments = record.AdditionalArguments;
  return values;
}

void WriteValues(const ConfigValues& values, TConfigStorage& record) {
  record.ConfigName = values.name;
  record.ExecutablePath = values.executable;
  record.Database = values.database;
  record.Server = values.server;
  record.Port = values.port;
  record.NetType = values.netType;
  record.Company = values.company;
  record.UseServer = values.useServer;
  record.UseNTAuthentication = values.ntAuthentication;
  record.Username = values.username;
  record.Password = values.password;
  record.IsSubMenu = values.folder;
  record.IsNative = values.native;
  record.Hotkey = values.hotkey;
  record.NavServerName = values.advanced.navServerName;
  record.NavServerInstance = values.advanced.navServerInstance;
  record.NavServerManagementPort = values.advanced.managementPort;
  record.Tenant = values.advanced.tenant;
  record.UseOldEditor = values.advanced.useOldEditor;
  record.GenerateSymbolReference = values.advanced.generateSymbolReference;
  record.AdditionalArguments = values.advanced.additionalArguments;
}

}  // namespace bw
