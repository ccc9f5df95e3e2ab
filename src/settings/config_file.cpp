#include "settings/config_file.h"

#include "base/format_text.h"
#include "settings/component_stream.h"
#include "settings/config_location.h"
#include "settings/file_cipher.h"
#include "settings/hotkey_text.h"
#include "settings/start_with_windows.h"

namespace bw {
namespace {

constexpr std::string_view kReadOnlyWarning =
    "The Brackwater configuration file is marked readonly.\r\n(%s)\r\n\r\n"
    "Brackwater configuration changes cannot be saved.";
constexpr std::string_view kKeptWarning =
    "The Brackwater configuration file could not be read and has been kept as\r\n%s\r\n\r\n"
    "Brackwater started with default settings and saves them to\r\n%s";
constexpr std::string_view kKeptSuffix = ".bad";

bool AllOfClass(const TStorage& folder, std::string_view className, bool recursive) {
  for (int i = 0; i < folder.ChildCount(); ++i) {
    const auto& child = folder.Child(i);
    if (child.ClassName() != className) return false;
    if (recursive && !AllOfClass(child, className, true)) return false;
  }
  return true;
}

// The program addresses the tree by position and class; a file that does not have the
// root layout, or holds records of the wrong class in a folder, cannot be used.
bool IsUsableTree(const TStorage& root) {
  return HasRootLayout(root) && AllOfClass(ConfigsFolder(root), "TConfigStorage", true) &&
         AllOfClass(TemplatesFolder(root), "TCommentStorage", false) &&
         AllOfClass(PluginsFolder(root), "TPluginStorage", false);
}

}  // namespace

ConfigFile::ConfigFile(SettingsPlatform& platform) : platform_(platform) {}

std::string ConfigFile::Path() { return LocateConfigFile(platform_.environment, platform_.registry).path; }

std::unique_ptr<TStorage> ConfigFile::ReadTree(const std::string& path) {
  try {
    const auto file = platform_.files.ReadAll(path, kMaxConfigFileBytes);
    if (!file) return nullptr;
    const auto plain = DecipherSettings(*file);
    if (!plain) return nullptr;
    auto root = ReadComponentStream(*plain);
    if (!IsUsableTree(*root)) return nullptr;
    return root;
  } catch (const std::exception&) {  // stream errors, and memory exhausted by a hostile file
    return nullptr;
  }
}

LoadedSettings ConfigFile::Load() {
  const std::string path = Path();
  LoadedSettings loaded;
  if (platform_.files.FileExists(path)) {
    loaded.root = ReadTree(path);
    if (!loaded.root) {
      // Kept aside at once and said at start-up, not at the first save (usually at exit).
      // When it cannot be moved now, the first save tries again and says it then.
      unreadable_ = path;
      KeepUnreadableFile(path);
    } else if (platform_.files.IsReadOnly(path))
      platform_.messages.Show(platform::MessageKind::Warning, FormatText(kReadOnlyWarning, {path}));
  }
  if (!loaded.root) {
    loaded.root = BuildDefaultTree(platform_);
    CreateDefaultFolder(General(*loaded.root).ZupDir);
  }
  UpgradeLegacySettings(*loaded.root, platform_.keys);
  loaded.autoStart = ReadAutoStart(platform_.environment, platform_.registry);
  return loaded;
}

void ConfigFile::Save(const TStorage& root, bool autoStart) {
  WriteAutoStart(autoStart, platform_.environment, platform_.registry, platform_.messages);

  const auto location = LocateConfigFile(platform_.environment, platform_.registry);
  if (!KeepUnreadableFile(location.path)) return;
  if (location.isDefault) CreateDefaultFolder(location.folder);
  if (platform_.files.IsReadOnly(location.path)) return;
  try {
    const auto bytes = EncipherSettings(WriteComponentStream(root));
    platform_.files.WriteAtomic(location.path, bytes);
  } catch (const std::exception&) {
    // A tree too deep for the stream, or no memory: the next save tries again.
  }
}

void ConfigFile::Relocate(const std::string& folder) {
  const std::string oldPath = Path();
  const std::string key = ConfigLocationKey(platform::ProgramBaseName(platform_.environment.ProgramPath()));
  if (!folder.empty())
    platform_.registry.WriteString(key, kFolderValue, folder);
  else
    platform_.registry.DeleteKey(key);

  const auto location = LocateConfigFile(platform_.environment, platform_.registry);
  if (location.path == oldPath) return;
  if (unreadable_ && *unreadable_ == oldPath) {
    // Nothing usable to move: keep the unreadable file where it is, as .bad.
    KeepUnreadableFile(location.path);
    return;
  }
  if (location.isDefault) CreateDefaultFolder(location.folder);
  platform_.files.Rename(oldPath, location.path);  // a refused move leaves the file where it was
}

// Moves a file that Load could not read out of the way before anything replaces it.
// False when it is still in the way of `savePath`.
bool ConfigFile::KeepUnreadableFile(const std::string& savePath) {
  if (!unreadable_) return true;
  auto& files = platform_.files;
  if (!files.FileExists(*unreadable_)) {
    unreadable_.reset();
    return true;
  }
  const std::string kept = *unreadable_ + std::string(kKeptSuffix);
  if (!files.RenameReplacing(*unreadable_, kept)) return savePath != *unreadable_;
  platform_.messages.Show(platform::MessageKind::Warning, FormatText(kKeptWarning, {kept, savePath}));
  unreadable_.reset();
  return true;
}

// Creates one of the program's own default folders; never a folder the user chose, and
// nothing when the application data folder is unknown (the path would be rooted nowhere).
void ConfigFile::CreateDefaultFolder(const std::string& folder) {
  if (platform_.environment.AppDataFolder().empty()) return;
  std::string trimmed = folder;
  while (trimmed.size() > 1 && trimmed.back() == platform::kPathDelimiter) trimmed.pop_back();
  if (!platform_.files.FolderExists(trimmed)) platform_.files.CreateFolders(trimmed);
}

}  // namespace bw
