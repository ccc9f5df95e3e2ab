#include "settings/config_file.h"

#include <vector>

#include "base/format_text.h"
#include "settings/component_stream.h"
#include "settings/config_location.h"
#include "settings/file_cipher.h"
#include "settings/hotkey_text.h"
#include "settings/start_with_windows.h"
#include "settings/stream_tags.h"

namespace bw {
namespace {

constexpr std::string_view kReadOnlyWarning =
    "The Brackwater configuration file is marked readonly.\r\n(%s)\r\n\r\n"
    "Brackwater configuration changes cannot be saved.";
constexpr std::string_view kKeptWarning =
    "The Brackwater configuration file could not be read and has been kept as\r\n%s\r\n\r\n"
    "Brackwater started with default settings and saves them to\r\n%s";
constexpr std::string_view kKeptSuffix = ".bad";
constexpr std::string_view kAppearedWarning =
    "The Brackwater configuration file\r\n%s\r\nwas not there when Brackwater started and has appeared since. "
    "It has been kept as it is.\r\n\r\nThe settings of this session are saved beside it as\r\n%s\r\n\r\n"
    "Restart Brackwater to use the file.";
constexpr std::string_view kUnsavedSuffix = ".unsaved";
constexpr std::string_view kNotSavedWarning =
    "The Brackwater settings have grown past what the configuration file can hold and have not been saved.\r\n(%s)";

std::size_t CountRecords(const TStorage& record) {
  std::size_t count = 1;
  for (int i = 0; i < record.ChildCount(); ++i) count += CountRecords(record.Child(i));
  return count;
}

// The enciphered size of a stream of n bytes: whole blocks plus the block with the count.
constexpr std::size_t EncipheredSize(std::size_t n) { return (n / 8 + 1) * 8; }

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

namespace {

// The fit of a tree whose record stream takes `streamBytes`.
SettingsFit FitOfStream(std::size_t streamBytes, const TStorage& root) {
  if (EncipheredSize(streamBytes) > kMaxConfigFileBytes) return SettingsFit::TooLarge;
  if (CountRecords(root) > stream::kMaxRecords) return SettingsFit::TooManyRecords;
  return SettingsFit::Fits;
}

}  // namespace

SettingsFit CheckSettingsFit(const TStorage& root) {
  try {
    return FitOfStream(ComponentStreamSize(root), root);
  } catch (const StreamError&) {
    return SettingsFit::TooDeep;  // the only fault a tree of the program's own records can have
  }
}

std::string_view SettingsFitMessage(SettingsFit fit) {
  switch (fit) {
    case SettingsFit::Fits: break;
    case SettingsFit::TooLarge:
      return "The settings would grow past 64 MB, more than the configuration file can hold.\r\n"
             "Nothing has been changed.";
    case SettingsFit::TooManyRecords:
      return "The settings would hold more than 100000 items, more than the configuration file can hold.\r\n"
             "Nothing has been changed.";
    case SettingsFit::TooDeep:
      return "Folders cannot be nested this deeply.\r\nNothing has been changed.";
  }
  return {};
}

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
  if (!platform_.files.FileExists(path)) {
    absent_ = path;
  } else {
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
  // The stream is written once; its size tells whether the file would be read again.
  std::vector<std::uint8_t> records;
  SettingsFit fit = SettingsFit::Fits;
  try {
    records = WriteComponentStream(root);
    fit = FitOfStream(records.size(), root);
  } catch (const StreamError&) {
    fit = SettingsFit::TooDeep;
  } catch (const std::exception&) {
    return;  // no memory: the next save tries again
  }
  if (fit != SettingsFit::Fits) {
    // Written, it would be refused at the next start; the file as it is stays.
    if (!tooBigSaid_) platform_.messages.Show(platform::MessageKind::Warning, FormatText(kNotSavedWarning, {location.path}));
    tooBigSaid_ = true;
    return;
  }
  const std::string target = SaveTarget(location.path);
  if (platform_.files.IsReadOnly(target)) return;
  try {
    const auto bytes = EncipherSettings(records);
    if (platform_.files.WriteAtomic(target, bytes) && target == location.path) absent_.reset();
  } catch (const std::exception&) {
    // No memory: the next save tries again.
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

// Where a save goes: the file itself, unless it was missing at Load and another file has
// appeared there since (a share connected after the start); that one is never replaced.
std::string ConfigFile::SaveTarget(const std::string& path) {
  if (!absent_ || *absent_ != path || !platform_.files.FileExists(path)) return path;
  const std::string beside = path + std::string(kUnsavedSuffix);
  if (!appearedSaid_) {
    platform_.messages.Show(platform::MessageKind::Warning, FormatText(kAppearedWarning, {path, beside}));
    appearedSaid_ = true;
  }
  return beside;
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
