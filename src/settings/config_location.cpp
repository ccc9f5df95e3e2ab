#include "settings/config_location.h"

namespace bw {
namespace {

bool EndsWithDelimiter(std::string_view folder) {
  return !folder.empty() && (folder.back() == platform::kPathDelimiter || folder.back() == '/');
}

std::string Join(std::string folder, std::string_view name) {
  if (!EndsWithDelimiter(folder)) folder += platform::kPathDelimiter;
  folder += name;
  return folder;
}

}  // namespace

std::string ConfigLocationKey(std::string_view baseName) {
  std::string key = "Software\\";
  key += baseName;
  key += "\\Config Location";
  return key;
}

std::string DefaultConfigFolder(platform::Environment& environment) {
  std::string folder = environment.AppDataFolder();
  folder += platform::kPathDelimiter;
  folder += "Brackwater";
  return folder;
}

std::string DefaultZupFolder(platform::Environment& environment) {
  std::string folder = DefaultConfigFolder(environment);
  folder += platform::kPathDelimiter;
  folder += "zup";
  folder += platform::kPathDelimiter;
  return folder;
}

ConfigLocation LocateConfigFile(platform::Environment& environment, platform::Registry& registry) {
  const std::string base = platform::ProgramBaseName(environment.ProgramPath());
  const std::string fileName = base + std::string(kConfigExtension);
  ConfigLocation location;
  const auto chosen = registry.ReadString(ConfigLocationKey(base), kFolderValue);
  if (chosen && !chosen->empty()) {
    location.folder = *chosen;
    location.path = Join(*chosen, fileName);
  } else {
    location.folder = DefaultConfigFolder(environment);
    location.path = location.folder + platform::kPathDelimiter + fileName;
    location.isDefault = true;
  }
  return location;
}

}  // namespace bw
