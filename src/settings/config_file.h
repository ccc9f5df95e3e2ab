// The configuration file: its location, load, save, and moving it to another folder.
#pragma once

#include <cstddef>
#include <memory>
#include <optional>
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

// A file larger than this is not read at all; it counts as unreadable.
inline constexpr std::size_t kMaxConfigFileBytes = std::size_t{64} << 20;

// Whether a tree, saved, is a file that Load reads again: within kMaxConfigFileBytes, the
// stream's record count and its nesting. Edits and imports that would break it are refused.
enum class SettingsFit { Fits, TooLarge, TooManyRecords, TooDeep };
SettingsFit CheckSettingsFit(const TStorage& root);
// The message for a refused change ("" for Fits).
std::string_view SettingsFitMessage(SettingsFit fit);

class ConfigFile {
public:
  explicit ConfigFile(SettingsPlatform& platform);

  std::string Path();                      // the location rule
  // Never fails: a missing or unreadable file gives the default tree. An unreadable file is
  // kept beside it as <name>.bad, and a warning names both paths. Runs the legacy upgrade and
  // reads the start-with-Windows entry.
  LoadedSettings Load();
  // Writes the start-with-Windows entry (a refused write is reported) and then the file,
  // atomically; a failure to write the file is silent and leaves nothing half-written.
  // An unreadable file that Load could not move aside is moved first (with the warning), and
  // never overwritten. A file that was not there at Load (its folder not yet reachable, say a
  // network drive connected later) and has appeared since is never replaced either: the tree
  // goes beside it as <name>.unsaved, and a warning says so once.
  void Save(const TStorage& root, bool autoStart);
  // Stores the new folder ("" for the default location) and moves the file when its path changes.
  void Relocate(const std::string& folder);

private:
  std::unique_ptr<TStorage> ReadTree(const std::string& path);
  bool KeepUnreadableFile(const std::string& savePath);
  std::string SaveTarget(const std::string& path);
  void CreateDefaultFolder(const std::string& folder);

  SettingsPlatform& platform_;
  std::optional<std::string> unreadable_;  // an existing file that Load could not read
  std::optional<std::string> absent_;      // the path where Load found no file, until one is written
  bool appearedSaid_ = false;
  bool tooBigSaid_ = false;
};

}  // namespace bw
