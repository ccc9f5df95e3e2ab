// The configuration file: its location, load, save, and moving it to another folder.
#pragma once

#include <memory>
#include <string>

#include "platform/environment.h"
#include "platform/file_system.h"
#include "platform/key_names.h"
#include "platform/messages.h"
#include "platform/registry.h"
#include "settings/storage.h"

namespace bw {

struct SettingsPlatform {
  platform::Environment& environment;
  platform::Registry& registry;
  platform::FileSystem& files;
  platform::Messages& messages;
  platform::KeyNames& keys;
};

struct LoadedSettings {
  std::unique_ptr<TStorage> root;
  bool autoStart = false;
};

// Builds the default tree (general record, three empty folders).
std::unique_ptr<TStorage> BuildDefaultTree(SettingsPlatform& platform);

class ConfigFile {
public:
  explicit ConfigFile(SettingsPlatform& platform);

  std::string Path();                      // the location rule
  LoadedSettings Load();                   // never fails
  void Save(const TStorage& root, bool autoStart);  // never reports a file failure
  void Relocate(const std::string& folder);

private:
  SettingsPlatform& platform_;
  // Further state (for example a kept unreadable file) is private to the implementation.
};

}  // namespace bw
