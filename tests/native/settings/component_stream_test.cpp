#include "settings/component_stream.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "stream_bytes.h"

namespace bw {
namespace {

using test::StreamBytes;

std::unique_ptr<TStorage> DefaultLayout() {
  auto root = std::make_unique<TStorage>();
  root->AddChild(std::make_unique<TBrackwaterStorage>());
  for (int i = 0; i < 3; ++i) root->AddChild(std::make_unique<TStorage>());
  return root;
}

std::vector<std::uint8_t> StreamOf(const TStorage& record) { return WriteComponentStream(record); }

std::unique_ptr<TStorage> RoundTrip(const TStorage& root) { return ReadComponentStream(WriteComponentStream(root)); }

TEST(ComponentStreamWriter, DefaultTreeByteForByte) {
  auto root = DefaultLayout();
  auto& general = General(*root);
  general.Version = "1.1";
  general.Author = "jdoe";
  general.Initials = "j";
  general.ZupDir = "C:\\zup\\";

  StreamBytes expected;
  expected.Raw("TPF0").Begin("TStorage").Byte({0});
  expected.Begin("TBrackwaterStorage").Text("Version", "1.1").Text("Author", "jdoe").Text("Initials", "j");
  expected.Text("ZupDir", "C:\\zup\\");
  expected.Text("Indent", "Shift+Ctrl+.").Text("Unindent", "Shift+Ctrl+,").Text("Comment", "Shift+Ctrl+]");
  expected.Text("Uncomment", "Shift+Ctrl+[").Text("InsertTemplate", "Shift+Ctrl+Ins");
  expected.Text("RepeatTemplate", "Shift+Ctrl+/").Text("OpenBrackwater", "Shift+Ctrl+Home");
  expected.Text("ToggleHotkeys", "Shift+Ctrl+PgUp").Text("InsertCredentials", "Shift+Ctrl+Tab");
  expected.Bool("ActivateViaDOT", false).Bool("ActivateViaCTRLSpace", true);
  for (auto name : {"InsertWindowLeft", "InsertWindowTop", "InsertWindowWidth", "InsertWindowHeight", "InsertWindowSplitter"})
    expected.Int8(name, 0);
  expected.Byte({0, 0});
  for (int i = 0; i < 3; ++i) expected.Begin("TStorage").Byte({0, 0});
  expected.Byte({0});

  EXPECT_EQ(StreamOf(*root), expected.Bytes());
}

TEST(ComponentStreamWriter, ConfigurationByteForByte) {
  TConfigStorage config;
  config.ConfigName = "Dev";
  config.ExecutablePath = "C:\\NAV\\Client\\fin.ex";
  ASSERT_EQ(config.ExecutablePath.size(), 20u);
  config.Port = 2407;
  config.IsNative = true;

  StreamBytes expected;
  expected.Raw("TPF0").Begin("TConfigStorage").Text("ConfigName", "Dev").Text("ExecutablePath", config.ExecutablePath);
  expected.Bool("UseServer", false).Short("Port").Byte({0x03, 0x67, 0x09}).Text("NetType", "TCP");
  expected.Bool("UseNTAuthentication", false).Bool("IsSubMenu", false).Bool("IsNative", true);
  expected.Int8("Hotkey", 0);
  EXPECT_EQ(StreamOf(config), StreamBytes(expected).Byte({0, 0}).Bytes());

  // The development environment's settings follow Hotkey, each only when set.
  config.NavServerName = "NAVSRV";
  config.NavServerManagementPort = 7045;
  config.UseOldEditor = true;
  config.AdditionalArguments = "unicode=1";
  expected.Text("NavServerName", "NAVSRV").Short("NavServerManagementPort").Byte({0x03, 0x85, 0x1b});
  expected.Bool("UseOldEditor", true).Text("AdditionalArguments", "unicode=1").Byte({0, 0});
  EXPECT_EQ(StreamOf(config), expected.Bytes());
  config.NavServerInstance = "BC140";
  config.Tenant = "default";
  config.GenerateSymbolReference = true;
  const auto record = RoundTrip(config);
  const auto& loaded = As<TConfigStorage>(*record);
  EXPECT_EQ(loaded.NavServerName, "NAVSRV");
  EXPECT_EQ(loaded.NavServerInstance, "BC140");
  EXPECT_EQ(loaded.NavServerManagementPort, 7045);
  EXPECT_EQ(loaded.Tenant, "default");
  EXPECT_TRUE(loaded.UseOldEditor && loaded.GenerateSymbolReference);
  EXPECT_EQ(loaded.AdditionalArguments, "unicode=1");
}

TEST(ComponentStreamWriter, IntegersTakeTheSmallestTag) {
  struct Case {
    std::int32_t value;
    std::vector<std::uint8_t> encoded;
  };
  const Case cases[] = {
      {127, {0x02, 0x7F}},          {128, {0x03, 0x80, 0x00}},        {-128, {0x02, 0x80}},
      {-129, {0x03, 0x7F, 0xFF}},   {32767, {0x03, 0xFF, 0x7F}},      {32768, {0x04, 0x00, 0x80, 0x00, 0x00}},
      {40000, {0x04, 0x40, 0x9C, 0x00, 0x00}}, {-1, {0x02, 0xFF}},
      {49236, {0x04, 0x54, 0xC0, 0x00, 0x00}},  // Ctrl+Alt+T
  };
  for (const auto& c : cases) {
    TPluginStorage plugin;
    plugin.Hotkey = c.value;
    StreamBytes expected;
    expected.Raw("TPF0").Begin("TPluginStorage").Short("Hotkey");
    expected.Byte({}).Raw({reinterpret_cast<const char*>(c.encoded.data()), c.encoded.size()}).Byte({0, 0});
    EXPECT_EQ(StreamOf(plugin), expected.Bytes()) << c.value;
    EXPECT_EQ(As<TPluginStorage>(*RoundTrip(plugin)).Hotkey, c.value);
  }
}

TEST(ComponentStreamWriter, StringsAbove255BytesAreLongStrings) {
  TCommentStorage item;
  item.Comment = std::string(255, 'a');
  auto bytes = StreamOf(item);
  const std::vector<std::uint8_t> shortForm = {'t', 0x06, 0xFF, 'a'};
  EXPECT_NE(std::search(bytes.begin(), bytes.end(), shortForm.begin(), shortForm.end()), bytes.end());

  item.Comment = std::string(256, 'b');
  bytes = StreamOf(item);
  const std::vector<std::uint8_t> longForm = {'t', 0x0C, 0x00, 0x01, 0x00, 0x00, 'b'};
  EXPECT_NE(std::search(bytes.begin(), bytes.end(), longForm.begin(), longForm.end()), bytes.end());
  EXPECT_EQ(As<TCommentStorage>(*RoundTrip(item)).Comment, item.Comment);
}

TEST(ComponentStreamWriter, VarListOnlyWhenItHasLines) {
  TBrackwaterStorage general;
  auto bytes = StreamOf(general);
  const std::string_view name = "VarList";
  EXPECT_EQ(std::search(bytes.begin(), bytes.end(), name.begin(), name.end()), bytes.end());

  general.VarList = {"Author=jdoe", "", std::string(300, 'x')};
  bytes = StreamOf(general);
  StreamBytes list;
  list.Short("VarList.Strings").Byte({0x01, 0x06}).Short("Author=jdoe").Byte({0x06, 0x00, 0x0C, 0x2C, 0x01, 0, 0});
  EXPECT_NE(std::search(bytes.begin(), bytes.end(), list.Bytes().begin(), list.Bytes().end()), bytes.end());
  EXPECT_EQ(As<TBrackwaterStorage>(*RoundTrip(general)).VarList, general.VarList);
}

TEST(ComponentStreamWriter, TypingPaceOnlyWhenNotItsDefaultAndAfterEverythingElse) {
  struct Row {
    std::int32_t newLine, character;
    std::vector<std::uint8_t> tail;  // what follows InsertWindowSplitter, before the record's end
  };
  const auto field = [](std::string_view name, std::vector<std::uint8_t> encoded) {
    StreamBytes bytes;
    bytes.Short(name).Raw({reinterpret_cast<const char*>(encoded.data()), encoded.size()});
    return bytes.Bytes();
  };
  const auto join = [](std::vector<std::uint8_t> a, const std::vector<std::uint8_t>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
  };
  const Row rows[] = {
      {150, 0, {}},
      {0, 0, field("NewLinePause", {0x02, 0x00})},
      {150, 20, field("CharacterPause", {0x02, 0x14})},
      {400, 100, join(field("NewLinePause", {0x03, 0x90, 0x01}), field("CharacterPause", {0x02, 0x64}))},
      {2147483647, -1, join(field("NewLinePause", {0x04, 0xFF, 0xFF, 0xFF, 0x7F}), field("CharacterPause", {0x02, 0xFF}))},
  };
  for (const Row& row : rows) {
    TBrackwaterStorage general;
    general.ProtectPasswords = true;
    general.NewLinePause = row.newLine;
    general.CharacterPause = row.character;
    const auto bytes = StreamOf(general);
    const auto tail = join(join(field("InsertWindowSplitter", {0x02, 0x00}), field("ProtectPasswords", {0x09})),
                           join(row.tail, {0x00, 0x00}));
    ASSERT_GE(bytes.size(), tail.size());
    EXPECT_TRUE(std::equal(tail.begin(), tail.end(), bytes.end() - static_cast<std::ptrdiff_t>(tail.size())))
        << row.newLine << "/" << row.character;
    // Read back as stored, out-of-range values too: the typing clamps them, the file keeps them.
    const auto loaded = ReadComponentStream(bytes);
    EXPECT_EQ(As<TBrackwaterStorage>(*loaded).NewLinePause, row.newLine);
    EXPECT_EQ(As<TBrackwaterStorage>(*loaded).CharacterPause, row.character);
  }
}

TEST(ComponentStreamRoundTrip, AbsentFieldsReturnAsConstructionDefaults) {
  auto root = DefaultLayout();
  General(*root).Indent.clear();
  General(*root).ActivateViaCTRLSpace = false;
  auto config = std::make_unique<TConfigStorage>();
  config->NetType.clear();
  config->Password = "secret";
  ConfigsFolder(*root).AddChild(std::move(config));

  const auto loaded = RoundTrip(*root);
  EXPECT_EQ(General(*loaded).Indent, "Shift+Ctrl+.");
  EXPECT_FALSE(General(*loaded).ActivateViaCTRLSpace);
  EXPECT_EQ(Config(*loaded, 0).NetType, "TCP");
  EXPECT_EQ(Config(*loaded, 0).Password, "secret");
}

TEST(ComponentStreamRoundTrip, NestedFoldersKeepTheirOrder) {
  auto root = DefaultLayout();
  TStorage* folder = &ConfigsFolder(*root);
  for (int depth = 0; depth < 5; ++depth) {
    for (const char* name : {"c", "a", "b"}) {
      auto config = std::make_unique<TConfigStorage>();
      config->ConfigName = std::string(name) + std::to_string(depth);
      config->IsSubMenu = std::string_view(name) == "a";
      folder->AddChild(std::move(config));
    }
    folder = &folder->Child(1);
  }
  TemplatesFolder(*root).AddChild(std::make_unique<TCommentStorage>());
  TemplatesFolder(*root).AddChild(std::make_unique<TCommentStorage>());

  auto describe = [](const TStorage& tree) {
    std::string text;
    WalkConfigs(ConfigsFolder(tree), [&](const TConfigStorage& c, int depth) {
      text += std::to_string(depth) + c.ConfigName + (c.IsSubMenu ? "/" : "") + " ";
    });
    return text;
  };
  const auto loaded = RoundTrip(*root);
  EXPECT_EQ(describe(*loaded), describe(*root));
  EXPECT_EQ(TemplatesFolder(*loaded).ChildCount(), 2);
  EXPECT_EQ(WriteComponentStream(*loaded), WriteComponentStream(*root));
}

}  // namespace
}  // namespace bw
