#include <gtest/gtest.h>

#include <functional>
#include <set>

#include "base/version_text.h"
#include "fake_host.h"

namespace bw::test {
namespace {

class TrayMenuTest : public ::testing::Test, public CoreFixture {};

struct Row {
  std::string caption;
  std::string shortcut;
  int image;
  MenuCommand command;
  bool operator==(const Row&) const = default;
};

std::vector<Row> Rows(const std::vector<TrayMenuEntry>& entries) {
  std::vector<Row> rows;
  for (const auto& entry : entries) rows.push_back({entry.caption, entry.shortcut, entry.image, entry.command});
  return rows;
}

TEST_F(TrayMenuTest, ConfigurationsStandAboveTheFixedBlockWithFoldersAsSubmenus) {
  auto& configs = ConfigsFolder(*root);
  AddConfig(configs, "A", kCtrlShift | 'A');
  auto& folder = AddConfig(configs, "F", 0, true);
  auto& b = AddConfig(folder, "B");
  AddConfig(configs, "C");

  const TrayMenuModel menu = core.BuildMenu(VersionText(FileVersion{1, 2, 3, 45}));

  const std::vector<Row> expected = {
      {"A", "Shift+Ctrl+A", 6, MenuCommand::StartConfiguration},
      {"F", "", 16, MenuCommand::None},
      {"C", "", 6, MenuCommand::StartConfiguration},
      {"-", "", -1, MenuCommand::None},
      {"Plug-Ins", "", 10, MenuCommand::None},
      {"-", "", -1, MenuCommand::None},
      {"&Brackwater for Dynamics NAV...", "Shift+Ctrl+Home", 6, MenuCommand::OpenBrackwater},
      {"&Templates...", "", 9, MenuCommand::OpenTemplates},
      {"-", "", -1, MenuCommand::None},
      {"Toggle &Hotkeys", "Shift+Ctrl+PgUp", 14, MenuCommand::ToggleHotkeys},
      {"Reset &Variables...", "", 11, MenuCommand::ResetVariables},
      {"-", "", -1, MenuCommand::None},
      {"&Preferences...", "", 3, MenuCommand::Preferences},
      {"&About...", "", 4, MenuCommand::About},
      {"-", "", -1, MenuCommand::None},
      {"E&xit", "", 5, MenuCommand::Exit},
  };
  EXPECT_EQ(Rows(menu.items), expected);
  EXPECT_EQ(Rows(menu.items[1].children), (std::vector<Row>{{"B", "", 6, MenuCommand::StartConfiguration}}));
  EXPECT_TRUE(menu.items[4].children.empty());  // no plug-ins: an entry that does nothing
  EXPECT_TRUE(menu.items[3].separator);
  EXPECT_TRUE(menu.items[6].isDefault);
  EXPECT_TRUE(menu.items[9].checked);
  EXPECT_EQ(menu.marginText, "Brackwater 1.2.3");
  EXPECT_EQ(FindConfigEntry(menu, b), &menu.items[1].children[0]);
  EXPECT_EQ(menu.items[13].name, "itmAbout");

  // Ids are unique, so the rendered menu can hand any of them back.
  std::set<int> ids;
  std::function<void(const std::vector<TrayMenuEntry>&)> collect = [&](const auto& entries) {
    for (const auto& entry : entries) {
      EXPECT_TRUE(ids.insert(entry.id).second);
      EXPECT_EQ(FindMenuEntry(menu, entry.id), &entry);
      collect(entry.children);
    }
  };
  collect(menu.items);
}

TEST_F(TrayMenuTest, EntriesRunTheirCommands) {
  auto& dev = AddConfig(ConfigsFolder(*root), "Dev");
  AddPlugin(*root, "First");
  AddPlugin(*root, "Second", kCtrlShift | 'S');
  const TrayMenuModel menu = core.BuildMenu("1.0.0");
  const auto& plugins = menu.items[2].children;
  ASSERT_EQ(Rows(plugins), (std::vector<Row>{{"First", "", 15, MenuCommand::StartPlugin},
                                             {"Second", "Shift+Ctrl+S", 15, MenuCommand::StartPlugin}}));

  core.RunMenuEntry(menu, plugins[1].id);
  core.RunMenuEntry(menu, FindConfigEntry(menu, dev)->id);
  ASSERT_EQ(shell.started.size(), 2u);
  EXPECT_EQ(shell.started[0].file, "C:\\Tools\\Second.exe");
  EXPECT_EQ(shell.started[1].file, "C:\\Navision\\fin.exe");

  for (int i = 3; i < static_cast<int>(menu.items.size()); ++i) core.RunMenuCommand(menu.items[static_cast<std::size_t>(i)]);
  EXPECT_EQ(host.events,
            (Events{"show page 0", "show page 1", "reset variables", "preferences", "about"}));
  EXPECT_FALSE(core.HotkeysActive());  // the toggle entry ran too
  ASSERT_EQ(messages.shown.size(), 1u);  // Exit asked, and the scripted answer was No
  EXPECT_EQ(messages.shown[0].caption, "Brackwater for Dynamics NAV");
  EXPECT_EQ(messages.shown[0].text, "Are you sure you want to exit Brackwater for Dynamics NAV ?");

  messages.ScriptAnswers({true});
  core.ExitBrackwater();
  EXPECT_EQ(host.events.back(), "terminate");
}

TEST_F(TrayMenuTest, EntriesOfRemovedRecordsDoNothing) {
  AddConfig(ConfigsFolder(*root), "Gone");
  AddPlugin(*root, "Gone too");
  const TrayMenuModel menu = core.BuildMenu("1.0.0");
  ConfigsFolder(*root).ClearChildren();
  PluginsFolder(*root).ClearChildren();
  core.RunMenuEntry(menu, menu.items[0].id);
  core.RunMenuEntry(menu, menu.items[2].children[0].id);
  core.RunMenuEntry(menu, 9999);
  EXPECT_TRUE(shell.started.empty());
}

}  // namespace
}  // namespace bw::test
