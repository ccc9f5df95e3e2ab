// The load step for settings without a format version, and the duplicate mark of templates.
#include <gtest/gtest.h>

#include <memory>

#include "platform/native/us_key_names.h"
#include "settings/hotkey_text.h"

namespace bw {
namespace {

std::unique_ptr<TStorage> MakeTree() {
  auto root = std::make_unique<TStorage>();
  root->AddChild(std::make_unique<TBrackwaterStorage>());
  for (int i = 0; i < 3; ++i) root->AddChild(std::make_unique<TStorage>());
  return root;
}

TCommentStorage& AddTemplate(TStorage& root, std::int32_t hotkey) {
  auto item = std::make_unique<TCommentStorage>();
  item->Hotkey = hotkey;
  auto& added = *item;
  TemplatesFolder(root).AddChild(std::move(item));
  return added;
}

class LegacyUpgradeTest : public ::testing::Test {
protected:
  platform::UsKeyNames keys;
  std::unique_ptr<TStorage> root = MakeTree();
  TBrackwaterStorage& general = General(*root);
};

TEST_F(LegacyUpgradeTest, OldKeyNamesGainShiftAndCtrl) {
  general.Indent = "PAGE UP";
  general.Unindent = "Shift+Ctrl+.";
  general.Comment = "insert";
  general.Uncomment = "Page Down";
  general.InsertTemplate = "TAB";
  general.RepeatTemplate = "HOME";
  general.OpenBrackwater = "DELETE";
  general.ToggleHotkeys = "END";
  general.InsertCredentials = "F5";
  UpgradeLegacySettings(*root, keys);
  EXPECT_EQ(general.Version, "1.1");
  EXPECT_EQ(general.Indent, "Shift+Ctrl+PgUp");
  EXPECT_EQ(general.Unindent, "Shift+Ctrl+.");
  EXPECT_EQ(general.Comment, "Shift+Ctrl+Ins");
  EXPECT_EQ(general.Uncomment, "Shift+Ctrl+PgDn");
  EXPECT_EQ(general.InsertTemplate, "Shift+Ctrl+Tab");
  EXPECT_EQ(general.RepeatTemplate, "Shift+Ctrl+Home");
  EXPECT_EQ(general.OpenBrackwater, "Shift+Ctrl+Del");
  EXPECT_EQ(general.ToggleHotkeys, "Shift+Ctrl+End");
  EXPECT_EQ(general.InsertCredentials, "Shift+Ctrl+F5");
}

TEST_F(LegacyUpgradeTest, ReplacementsApplyInOrderToFirstOccurrenceOnly) {
  general.Indent = "home home";          // only the first HOME
  general.Unindent = "INSERTEND";        // INSERT first, then END in what is left
  general.Comment = "Ctrl+X";            // no "Shift+Ctrl+" inside: prefixed anyway
  general.Uncomment = "shift+ctrl+X";    // the check is exact
  UpgradeLegacySettings(*root, keys);
  EXPECT_EQ(general.Indent, "Shift+Ctrl+Home home");
  EXPECT_EQ(general.Unindent, "Shift+Ctrl+InsEnd");
  EXPECT_EQ(general.Comment, "Shift+Ctrl+Ctrl+X");
  EXPECT_EQ(general.Uncomment, "Shift+Ctrl+shift+ctrl+X");
}

TEST_F(LegacyUpgradeTest, TemplateCodesGainShiftAndCtrl) {
  auto& plain = AddTemplate(*root, 0x0054);
  auto& none = AddTemplate(*root, 0);
  auto& upgraded = AddTemplate(*root, 0x6054);
  auto& ctrlAlt = AddTemplate(*root, 0xC054);
  auto config = std::make_unique<TConfigStorage>();
  config->Hotkey = 0x0054;
  auto& untouched = *config;
  ConfigsFolder(*root).AddChild(std::move(config));
  UpgradeLegacySettings(*root, keys);
  EXPECT_EQ(plain.Hotkey, 0x6054);
  EXPECT_EQ(none.Hotkey, 0);
  EXPECT_EQ(upgraded.Hotkey, 0x6054);
  EXPECT_EQ(ctrlAlt.Hotkey, 0xE054);
  EXPECT_EQ(untouched.Hotkey, 0x0054);
}

TEST_F(LegacyUpgradeTest, RunsOnlyWithoutVersion) {
  general.Version = "1.0";
  general.Indent = "PAGE UP";
  auto& item = AddTemplate(*root, 0x0054);
  UpgradeLegacySettings(*root, keys);
  EXPECT_EQ(general.Version, "1.0");
  EXPECT_EQ(general.Indent, "PAGE UP");
  EXPECT_EQ(item.Hotkey, 0x0054);
}

TEST_F(LegacyUpgradeTest, DefaultsAreKeptAndTreesWithoutTheLayoutAreLeftAlone) {
  UpgradeLegacySettings(*root, keys);
  const TBrackwaterStorage defaults;
  EXPECT_EQ(general.Indent, defaults.Indent);
  EXPECT_EQ(general.InsertCredentials, defaults.InsertCredentials);

  TStorage bare;
  UpgradeLegacySettings(bare, keys);
  EXPECT_EQ(bare.ChildCount(), 0);
}

TEST(DuplicateMark, MarksOnlyTheTemplateBeingSaved) {
  auto root = MakeTree();
  auto& templates = TemplatesFolder(*root);
  auto& first = AddTemplate(*root, 0x6054);
  MarkDuplicateHotkey(first, templates);
  EXPECT_FALSE(first.Disabled);  // never its own duplicate

  TCommentStorage second;
  second.Hotkey = 0x6054;
  MarkDuplicateHotkey(second, templates);  // before it is appended
  EXPECT_TRUE(second.Disabled);
  EXPECT_FALSE(first.Disabled);

  auto& appended = AddTemplate(*root, 0x6054);
  MarkDuplicateHotkey(appended, templates);
  EXPECT_TRUE(appended.Disabled);
  appended.Hotkey = 0x6055;
  MarkDuplicateHotkey(appended, templates);
  EXPECT_FALSE(appended.Disabled);
}

TEST(DuplicateMark, NoHotkeyAndOtherItemKindsNeverMark) {
  auto root = MakeTree();
  auto& templates = TemplatesFolder(*root);
  auto& a = AddTemplate(*root, 0);
  auto& b = AddTemplate(*root, 0);
  b.Disabled = true;
  MarkDuplicateHotkey(b, templates);
  EXPECT_FALSE(b.Disabled);
  EXPECT_FALSE(a.Disabled);

  auto plugin = std::make_unique<TPluginStorage>();
  plugin->Hotkey = 0x6041;
  PluginsFolder(*root).AddChild(std::move(plugin));
  auto& c = AddTemplate(*root, 0x6041);
  MarkDuplicateHotkey(c, templates);
  EXPECT_FALSE(c.Disabled);
}

}  // namespace
}  // namespace bw
