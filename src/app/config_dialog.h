// What the configuration tree needs of the configuration dialog: it is loaded with the values
// and the state of its two boxes, shown modally, and read back when the user confirms it.
#pragma once

#include <cstdint>
#include <string>

#include "launch/client_advanced_dialog.h"
#include "settings/storage.h"

namespace bw {

class NavisionItemDialog;

// Every field of a configuration record, as the dialog shows it.
struct ConfigValues {
  std::string name;
  std::string executable;
  std::string database;
  std::string server;
  std::int32_t port = 2407;
  std::string netType = "TCP";
  std::string company;
  bool useServer = false;
  bool ntAuthentication = false;
  std::string username;
  std::string password;
  bool folder = false;
  bool native = true;
  std::int32_t hotkey = 0;
  ClientAdvancedSettings advanced;  // SQL clients of NAV 2013 and later
};

struct ConfigDialogState {
  ConfigValues values;
  bool createInRoot = false;          // "Create in Root Menu"
  bool createInRootEnabled = true;
  bool folderEnabled = true;          // the folder box
  bool newRecord = false;             // a configuration being made (added or cloned)
  std::string lastNavisionLocation;   // remembered browse folders, given back on OK
  std::string lastDatabaseLocation;
};

class ConfigDialog {
public:
  virtual ~ConfigDialog() = default;
  // Shows the dialog in configuration mode; true when confirmed, with `state` holding its values.
  virtual bool Edit(ConfigDialogState& state) = 0;
};

ConfigValues ValuesOf(const TConfigStorage& record);
// Writes every field of the record from the values.
void WriteValues(const ConfigValues& values, TConfigStorage& record);

// Fills the dialog's fields from the values, in the order a setter needs (one may enable or
// refresh what a later one fills), and reads them back as the record stores them.
void ShowValues(const ConfigValues& values, NavisionItemDialog& dialog);
ConfigValues DialogValues(const NavisionItemDialog& dialog);

}  // namespace bw
