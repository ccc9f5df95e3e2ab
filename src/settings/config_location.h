// Where the configuration file lives, and the per-user registry entries beside it.
#pragma once

#include <string>
#include <string_view>

#include "platform/environment.h"
#include "platform/registry.h"

namespace bw {

inline constexpr std::string_view kFolderValue = "Folder";
inline constexpr std::string_view kRunKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr std::string_view kConfigExtension = ".config";

// "Software\<base name>\Config Location".
std::string ConfigLocationKey(std::string_view baseName);

// AppData + delimiter + "Brackwater" (no trailing delimiter); "\Brackwater" when AppData is unknown.
std::string DefaultConfigFolder(platform::Environment& environment);

// AppData + delimiter + "Brackwater" + delimiter + "zup" + delimiter.
std::string DefaultZupFolder(platform::Environment& environment);

struct ConfigLocation {
  std::string path;        // the configuration file
  std::string folder;      // the folder that holds it
  bool isDefault = false;  // true when no folder is set in the registry
};

// The location rule: the registry's "Folder" when set, the application data folder otherwise.
ConfigLocation LocateConfigFile(platform::Environment& environment, platform::Registry& registry);

}  // namespace bw
