// The seeds of the configuration reader's fuzzer are a typical tree in both layers. Setting
// BW_WRITE_FUZZ_SEEDS to a folder writes them there (fuzz/corpus/config_reader).
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

#include "platform/fake/fake_key_names.h"
#include "platform/fake/recording_messages.h"
#include "platform/native/file_registry.h"
#include "platform/native/native_environment.h"
#include "platform/native/native_file_system.h"
#include "settings/component_stream.h"
#include "settings/config_file.h"
#include "settings/file_cipher.h"

namespace bw {
namespace {

std::unique_ptr<TStorage> TypicalTree() {
  platform::NativeEnvironment environment({.userName = "jdoe", .appDataFolder = "C:\\Users\\jdoe\\AppData\\Roaming",
                                           .programPath = "C:\\Brackwater\\Brackwater.exe"});
  platform::FileRegistry registry;
  platform::NativeFileSystem files;
  platform::RecordingMessages messages;
  platform::FakeKeyNames keys;
  SettingsPlatform settings{environment, registry, files, messages, keys};
  auto root = BuildDefaultTree(settings);
  General(*root).Version = "1.1";
  General(*root).VarList = {"Author=jdoe", "Ticket=NAV-1"};
  auto folder = std::make_unique<TConfigStorage>();
  folder->ConfigName = "Customers";
  folder->IsSubMenu = true;
  auto config = std::make_unique<TConfigStorage>();
  config->ConfigName = "Dev";
  config->UseServer = true;
  config->Server = "sql01";
  config->Port = 2407;
  config->Hotkey = 49236;
  folder->AddChild(std::move(config));
  ConfigsFolder(*root).AddChild(std::move(folder));
  auto item = std::make_unique<TCommentStorage>();
  item->CommentName = "Header";
  item->Comment = "// <<Author>> <<Date>>\r\n|";
  TemplatesFolder(*root).AddChild(std::move(item));
  auto plugin = std::make_unique<TPluginStorage>();
  plugin->PluginName = "Notepad";
  plugin->ExecutablePath = "notepad.exe";
  PluginsFolder(*root).AddChild(std::move(plugin));
  return root;
}

void WriteSeed(const std::string& path, std::uint8_t layer, const std::vector<std::uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary);
  out.put(static_cast<char>(layer));
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

TEST(FuzzSeeds, TypicalTreeSurvivesBothLayers) {
  const auto root = TypicalTree();
  const auto stream = WriteComponentStream(*root);
  const auto file = EncipherSettings(stream);
  const auto plain = DecipherSettings(file);
  ASSERT_EQ(plain, stream);
  const auto loaded = ReadComponentStream(*plain);
  ASSERT_TRUE(HasRootLayout(*loaded));
  EXPECT_EQ(WriteComponentStream(*loaded), stream);

  if (const char* folder = std::getenv("BW_WRITE_FUZZ_SEEDS")) {
    WriteSeed(std::string(folder) + "/typical_file", 0, file);
    WriteSeed(std::string(folder) + "/typical_stream", 1, stream);
  }
}

}  // namespace
}  // namespace bw
