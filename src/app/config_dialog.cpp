#include "app/config_dialog.h"

namespace bw {

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
}

}  // namespace bw
