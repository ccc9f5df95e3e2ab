#include "settings/config_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "platform/fake/failing_file_system.h"
#include "platform/fake/fake_key_names.h"
#include "platform/fake/recording_messages.h"
#include "platform/fake/refusing_registry.h"
#include "platform/fake/temp_folder.h"
#include "platform/native/file_registry.h"
#include "platform/native/native_environment.h"
#include "platform/native/native_file_system.h"
#include "settings/component_stream.h"
#include "settings/file_cipher.h"

namespace bw {
namespace {

namespace fs = std::filesystem;
using platform::RecordingMessages;

constexpr const char* kConfigKey = "Software\\Brackwater\\Config Location";
constexpr const char* kRunKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

std::string ReadText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

void WriteText(const std::string& path, std::string_view text) {
  std::ofstream(path, std::ios::binary) << text;
}

class ConfigFileTest : public ::testing::Test {
protected:
  platform::TempFolder temp;
  platform::NativeEnvironment environment{{.userName = "jdoe", .appDataFolder = temp / "appdata",
                                           .programPath = "/opt/bw/Brackwater.exe"}};
  platform::FileRegistry registry;
  platform::NativeFileSystem nativeFiles;
  platform::FailingFileSystem files{nativeFiles};
  RecordingMessages messages;
  platform::FakeKeyNames keys;
  SettingsPlatform settings{environment, registry, files, messages, keys};
  ConfigFile config{settings};

  std::string DefaultPath() const { return temp / "appdata/Brackwater/Brackwater.config"; }

  // What a fresh start of the program would load.
  LoadedSettings LoadAgain() {
    RecordingMessages quiet;
    SettingsPlatform other{environment, registry, files, quiet, keys};
    return ConfigFile(other).Load();
  }

  void WriteStream(const std::string& path, const TStorage& root) {
    const auto bytes = EncipherSettings(WriteComponentStream(root));
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                static_cast<std::streamsize>(bytes.size()));
  }
};

TEST_F(ConfigFileTest, MissingFileGivesTheDefaultTreeSilently) {
  const auto loaded = config.Load();
  ASSERT_TRUE(HasRootLayout(*loaded.root));
  const auto& general = General(*loaded.root);
  EXPECT_EQ(general.Version, "1.1");
  EXPECT_EQ(general.Author, "jdoe");
  EXPECT_EQ(general.Initials, "j");
  EXPECT_EQ(general.ZupDir, temp / "appdata/Brackwater/zup/");
  EXPECT_TRUE(fs::is_directory(general.ZupDir));  // the program's own default folder is created
  EXPECT_FALSE(loaded.autoStart);
  EXPECT_TRUE(messages.shown.empty());
  EXPECT_EQ(config.Path(), DefaultPath());
}

TEST_F(ConfigFileTest, DefaultTreeCutsTheUserNameTo80Characters) {
  for (const auto& [name, author, initials] : {std::tuple{std::string(81, 'u'), std::string(80, 'u'), "u"},
                                               std::tuple{std::string(""), std::string(""), ""}}) {
    platform::NativeEnvironment named{{.userName = name, .appDataFolder = temp.Path(), .programPath = "x"}};
    SettingsPlatform other{named, registry, files, messages, keys};
    const auto root = BuildDefaultTree(other);
    EXPECT_EQ(General(*root).Author, author);
    EXPECT_EQ(General(*root).Initials, initials);
  }
}

TEST_F(ConfigFileTest, SaveCreatesTheDefaultFolderAndLoadReadsItBack) {
  auto loaded = config.Load();
  auto item = std::make_unique<TCommentStorage>();
  item->CommentName = "Header";
  item->Hotkey = 49236;
  TemplatesFolder(*loaded.root).AddChild(std::move(item));
  fs::remove_all(temp / "appdata");

  config.Save(*loaded.root, false);
  ASSERT_TRUE(fs::is_regular_file(DefaultPath()));
  const auto again = LoadAgain();
  EXPECT_EQ(Template(*again.root, 0).CommentName, "Header");
  EXPECT_EQ(Template(*again.root, 0).Hotkey, 49236);
  EXPECT_TRUE(messages.shown.empty());
}

TEST_F(ConfigFileTest, ChosenFolderGivesOnePathWithOrWithoutDelimiterAndIsNeverCreated) {
  registry.WriteString(kConfigKey, "Folder", temp / "mine");
  const std::string path = config.Path();
  EXPECT_EQ(path, temp / "mine/Brackwater.config");
  registry.WriteString(kConfigKey, "Folder", temp / "mine/");
  EXPECT_EQ(config.Path(), path);

  const auto loaded = config.Load();
  config.Save(*loaded.root, false);
  EXPECT_FALSE(fs::exists(temp / "mine"));
  EXPECT_TRUE(messages.shown.empty());
}

TEST_F(ConfigFileTest, NoFolderIsCreatedWhenTheApplicationDataFolderIsUnknown) {
  platform::NativeEnvironment homeless{{.userName = "jdoe", .appDataFolder = "", .programPath = "Brackwater"}};
  SettingsPlatform other{homeless, registry, files, messages, keys};
  files.refuseFolders = true;
  ConfigFile rootless(other);
  const auto loaded = rootless.Load();
  EXPECT_EQ(rootless.Path(), "/Brackwater/Brackwater.config");
  rootless.Save(*loaded.root, false);
  EXPECT_EQ(files.folderCreations, 0);
}

TEST_F(ConfigFileTest, RelocateMovesTheFileAndBack) {
  const auto loaded = config.Load();
  config.Save(*loaded.root, false);
  const std::string original = ReadText(DefaultPath());
  fs::create_directory(temp / "moved");

  config.Relocate(temp / "moved");
  EXPECT_EQ(registry.ReadString(kConfigKey, "Folder"), temp / "moved");
  EXPECT_FALSE(fs::exists(DefaultPath()));
  EXPECT_EQ(ReadText(temp / "moved/Brackwater.config"), original);

  fs::remove_all(temp / "appdata");
  config.Relocate("");
  EXPECT_EQ(registry.ReadString(kConfigKey, "Folder"), std::nullopt);
  EXPECT_EQ(ReadText(DefaultPath()), original);
  EXPECT_FALSE(fs::exists(temp / "moved/Brackwater.config"));
}

TEST_F(ConfigFileTest, RelocateLeavesTheFileWhenTheTargetExists) {
  const auto loaded = config.Load();
  config.Save(*loaded.root, false);
  fs::create_directory(temp / "taken");
  WriteText(temp / "taken/Brackwater.config", "someone else's");

  config.Relocate(temp / "taken");
  EXPECT_TRUE(fs::exists(DefaultPath()));
  EXPECT_EQ(ReadText(temp / "taken/Brackwater.config"), "someone else's");
}

TEST_F(ConfigFileTest, FileThatAppearsAfterTheStartIsKeptAndTheSessionSavedBesideIt) {
  registry.WriteString(kConfigKey, "Folder", temp / "share");  // a drive not yet connected
  auto loaded = config.Load();
  General(*loaded.root).Company = "this session";
  fs::create_directory(temp / "share");
  WriteText(temp / "share/Brackwater.config", "the team's");

  config.Save(*loaded.root, false);
  config.Save(*loaded.root, false);
  EXPECT_EQ(ReadText(temp / "share/Brackwater.config"), "the team's");
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_NE(messages.shown[0].text.find(temp / "share/Brackwater.config.unsaved"), std::string::npos);
  const std::string unsaved = ReadText(temp / "share/Brackwater.config.unsaved");
  const auto plain = DecipherSettings(std::vector<std::uint8_t>(unsaved.begin(), unsaved.end()));
  ASSERT_TRUE(plain);
  EXPECT_EQ(General(*ReadComponentStream(*plain)).Company, "this session");
}

TEST_F(ConfigFileTest, UnreadableFileIsKeptAsBadAndSaidOnceAtStart) {
  fs::create_directories(temp / "appdata/Brackwater");
  WriteText(DefaultPath(), "not a configuration");
  WriteText(DefaultPath() + ".bad", "an older one");
  const std::string warning = "The Brackwater configuration file could not be read and has been kept as\r\n" +
                              DefaultPath() + ".bad\r\n\r\nBrackwater started with default settings and saves them to\r\n" +
                              DefaultPath();

  const auto loaded = config.Load();
  EXPECT_EQ(General(*loaded.root).Author, "jdoe");
  EXPECT_EQ(ReadText(DefaultPath() + ".bad"), "not a configuration");
  EXPECT_FALSE(fs::exists(DefaultPath()));
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].kind, RecordingMessages::Shown::Kind::Warning);
  EXPECT_EQ(messages.shown[0].text, warning);

  config.Save(*loaded.root, false);
  config.Save(*loaded.root, false);
  EXPECT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(ReadText(DefaultPath() + ".bad"), "not a configuration");
  EXPECT_EQ(General(*LoadAgain().root).Author, "jdoe");
}

TEST_F(ConfigFileTest, UnreadableFileThatCannotBeKeptIsNeitherOverwrittenNorSaidToBeKept) {
  fs::create_directories(temp / "appdata/Brackwater");
  WriteText(DefaultPath(), "not a configuration");
  files.failRenames = true;
  const auto loaded = config.Load();
  config.Save(*loaded.root, false);
  EXPECT_EQ(ReadText(DefaultPath()), "not a configuration");
  EXPECT_TRUE(messages.shown.empty());

  // Once it can be moved, the next save keeps it aside, says so, and writes the settings.
  files.failRenames = false;
  config.Save(*loaded.root, false);
  EXPECT_EQ(ReadText(DefaultPath() + ".bad"), "not a configuration");
  EXPECT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(General(*LoadAgain().root).Author, "jdoe");
}

TEST_F(ConfigFileTest, TreesWithoutTheRootLayoutAreUnreadable) {
  fs::create_directories(temp / "appdata/Brackwater");
  auto tree = [] {
    auto root = std::make_unique<TStorage>();
    root->AddChild(std::make_unique<TBrackwaterStorage>());
    for (int i = 0; i < 3; ++i) root->AddChild(std::make_unique<TStorage>());
    General(*root).Author = "from file";
    return root;
  };
  auto good = tree();
  WriteStream(DefaultPath(), *good);
  EXPECT_EQ(General(*LoadAgain().root).Author, "from file");

  auto threeChildren = tree();
  threeChildren->DeleteChild(3);
  auto pluginInConfigs = tree();
  auto folder = std::make_unique<TConfigStorage>();
  folder->AddChild(std::make_unique<TPluginStorage>());
  ConfigsFolder(*pluginInConfigs).AddChild(std::move(folder));
  auto configInTemplates = tree();
  TemplatesFolder(*configInTemplates).AddChild(std::make_unique<TConfigStorage>());
  for (const TStorage* bad : {threeChildren.get(), pluginInConfigs.get(), configInTemplates.get()}) {
    WriteStream(DefaultPath(), *bad);
    EXPECT_EQ(General(*LoadAgain().root).Author, "jdoe");
  }
}

TEST_F(ConfigFileTest, ReadOnlyFileIsReadWithOneWarningAndNeverWritten) {
  auto loaded = config.Load();
  General(*loaded.root).Company = "Cronus";
  config.Save(*loaded.root, false);
  fs::permissions(DefaultPath(), fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                  fs::perm_options::remove);
  const std::string before = ReadText(DefaultPath());

  ConfigFile again(settings);
  auto reread = again.Load();
  EXPECT_EQ(General(*reread.root).Company, "Cronus");
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].kind, RecordingMessages::Shown::Kind::Warning);
  EXPECT_EQ(messages.shown[0].text, "The Brackwater configuration file is marked readonly.\r\n(" + DefaultPath() +
                                        ")\r\n\r\nBrackwater configuration changes cannot be saved.");
  General(*reread.root).Company = "changed";
  again.Save(*reread.root, false);
  EXPECT_EQ(ReadText(DefaultPath()), before);
  EXPECT_EQ(messages.shown.size(), 1u);
}

TEST_F(ConfigFileTest, FailedWriteLeavesTheOldFileWhole) {
  auto loaded = config.Load();
  config.Save(*loaded.root, false);
  const std::string before = ReadText(DefaultPath());
  files.failWrites = true;
  General(*loaded.root).Company = "lost";
  config.Save(*loaded.root, false);
  EXPECT_EQ(ReadText(DefaultPath()), before);
  EXPECT_EQ(General(*loaded.root).Company, "lost");
  EXPECT_TRUE(messages.shown.empty());
  files.failWrites = false;
  config.Save(*loaded.root, false);
  EXPECT_EQ(General(*LoadAgain().root).Company, "lost");
}

TEST_F(ConfigFileTest, StartWithWindowsFollowsTheRunValue) {
  auto loaded = config.Load();
  config.Save(*loaded.root, true);
  EXPECT_EQ(registry.ReadString(kRunKey, "Brackwater"), "\"/opt/bw/Brackwater.exe\"");
  EXPECT_TRUE(LoadAgain().autoStart);
  config.Save(*loaded.root, false);
  EXPECT_EQ(registry.ReadString(kRunKey, "brackwater"), std::nullopt);
  EXPECT_FALSE(LoadAgain().autoStart);
}

TEST_F(ConfigFileTest, RefusedRunValueIsReportedAndTheFileStillWritten) {
  platform::RefusingRegistry locked(registry);
  SettingsPlatform lockedSettings{environment, locked, files, messages, keys};
  ConfigFile lockedConfig(lockedSettings);
  auto loaded = lockedConfig.Load();
  lockedConfig.Save(*loaded.root, true);
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].kind, RecordingMessages::Shown::Kind::Error);
  EXPECT_EQ(messages.shown[0].text, "Failed to set data for 'Brackwater'");
  EXPECT_TRUE(fs::is_regular_file(DefaultPath()));
}

TEST_F(ConfigFileTest, LoadRunsTheLegacyUpgrade) {
  fs::create_directories(temp / "appdata/Brackwater");
  TStorage root;
  root.AddChild(std::make_unique<TBrackwaterStorage>());
  for (int i = 0; i < 3; ++i) root.AddChild(std::make_unique<TStorage>());
  General(root).Indent = "PAGE UP";
  WriteStream(DefaultPath(), root);
  const auto loaded = config.Load();
  EXPECT_EQ(General(*loaded.root).Version, "1.1");
  EXPECT_EQ(General(*loaded.root).Indent, "Shift+Ctrl+PgUp");
}

}  // namespace
}  // namespace bw
