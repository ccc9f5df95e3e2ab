#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>

#include "app/config_tree.h"
#include "fake_host.h"
#include "platform/fake/fake_secret_protection.h"
#include "platform/fake/temp_folder.h"
#include "platform/native/native_file_listing.h"
#include "platform/native/native_file_system.h"
#include "settings/protected_password.h"

namespace bw::test {
namespace {

// The configuration dialog: remembers what it was opened with, lets the test fill it in.
class ScriptedDialog : public ConfigDialog {
public:
  bool Edit(ConfigDialogState& state) override {
    opened.push_back(state);
    if (fill) fill(state);
    return confirm;
  }
  std::vector<ConfigDialogState> opened;
  std::function<void(ConfigDialogState&)> fill;
  bool confirm = true;
};

class RecordingView : public ConfigTreeView {
public:
  void ShowTree(const TStorage&, const TConfigStorage* selected) override {
    ++shown;
    lastSelected = selected;
  }
  int shown = 0;
  const TConfigStorage* lastSelected = nullptr;
};

class ConfigTreeTest : public ::testing::Test, public CoreFixture {
protected:
  void SetUp() override {
    General(*root).ZupDir = zupFolder.Path() + "/";
    General(*root).LastNavisionLocation = "C:\\Navision\\";
    tree.SetView(&view);
  }
  void Start() { core.Start(); }

  // "A,F[B,C],D": names of a folder's records, sub-records in brackets.
  static std::string Shape(const TStorage& folder) {
    std::string text;
    for (int i = 0; i < folder.ChildCount(); ++i) {
      const auto& record = As<TConfigStorage>(folder.Child(i));
      if (i > 0) text += ",";
      text += record.ConfigName;
      if (record.IsSubMenu) text += "[" + Shape(record) + "]";
    }
    return text;
  }
  static std::string MenuShape(const std::vector<TrayMenuEntry>& entries, std::size_t count) {
    std::string text;
    for (std::size_t i = 0; i < count; ++i) {
      const auto& entry = entries[i];
      if (i > 0) text += ",";
      text += entry.caption;
      if (entry.image == kImageFolder) text += "[" + MenuShape(entry.children, entry.children.size()) + "]";
    }
    return text;
  }
  std::string TreeShape() const { return Shape(ConfigsFolder(*root)); }
  // The tray menu's configuration entries, which must always mirror the tree.
  std::string TrayShape() const {
    const TrayMenuModel menu = core.BuildMenu("1.0.0");
    return MenuShape(menu.items, menu.items.size() - kFixedItemCount);
  }
  std::vector<std::string> ShortcutNames() {
    std::vector<std::string> names;
    for (const auto& entry : core.Shortcuts().Entries()) names.push_back(entry.config->ConfigName);
    return names;
  }
  bool KeyRegistered(unsigned key) const { return registrar.IdOf(kModCtrlShift, key) != 0; }
  void Zup(const std::string& name) { std::ofstream(zupFolder / name) << name; }
  bool ZupExists(const std::string& name) const { return std::filesystem::exists(zupFolder / name); }
  TConfigStorage& Find(const std::string& name) {
    TConfigStorage* found = nullptr;
    WalkConfigs(ConfigsFolder(*root), [&](TConfigStorage& config, int) {
      if (config.ConfigName == name) found = &config;
    });
    if (found == nullptr) throw std::runtime_error("no record " + name);
    return *found;
  }
  void DragOnto(const std::string& dragged, TConfigStorage* target) {
    tree.Select(&Find(dragged));
    tree.BeginDrag();
    tree.Drop(target);
  }

  platform::TempFolder zupFolder;
  platform::NativeFileSystem files;
  platform::NativeFileListing listing;
  ZupFolder zup{files, listing};
  ScriptedDialog dialog;
  RecordingView view;
  ConfigTree tree{*root, {core, dialog, messages, keys, zup}};
};

TEST_F(ConfigTreeTest, AddWithNothingSelectedGoesToTheTopLevelWithThePresets) {
  AddConfig(ConfigsFolder(*root), "A");
  Start();
  dialog.fill = [](ConfigDialogState& state) {
    state.values.name = "Dev";
    state.values.executable = "C:\\Nav\\finsql.exe";
    state.values.hotkey = kCtrlShift | 'D';
    state.lastDatabaseLocation = "D:\\Data\\";
  };
  ASSERT_TRUE(tree.Add());

  const ConfigDialogState& shown = dialog.opened.at(0);
  EXPECT_TRUE(shown.createInRoot);
  EXPECT_FALSE(shown.createInRootEnabled);
  EXPECT_TRUE(shown.folderEnabled);
  EXPECT_EQ(shown.values.name, "");
  EXPECT_EQ(shown.values.port, 2407);
  EXPECT_EQ(shown.values.netType, "TCP");
  EXPECT_TRUE(shown.values.native);
  EXPECT_FALSE(shown.values.useServer);
  EXPECT_FALSE(shown.values.folder);
  EXPECT_EQ(shown.lastNavisionLocation, "C:\\Navision\\");

  EXPECT_EQ(TreeShape(), "A,Dev");
  EXPECT_EQ(TrayShape(), "A,Dev");
  EXPECT_EQ(ShortcutNames(), (std::vector<std::string>{"A", "Dev"}));
  EXPECT_EQ(tree.Selected(), &Find("Dev"));
  EXPECT_EQ(view.lastSelected, &Find("Dev"));
  EXPECT_EQ(Find("Dev").ExecutablePath, "C:\\Nav\\finsql.exe");
  EXPECT_TRUE(KeyRegistered('D'));
  EXPECT_EQ(General(*root).LastDatabaseLocation, "D:\\Data\\");
}

TEST_F(ConfigTreeTest, AddInsideAFolderUnlessCreateInRootIsTicked) {
  auto& folder = AddConfig(ConfigsFolder(*root), "F", 0, true);
  auto& inner = AddConfig(folder, "B");
  Start();
  dialog.fill = [](ConfigDialogState& state) { state.values.name = "New"; };

  tree.Select(&inner);
  ASSERT_TRUE(tree.Add());
  EXPECT_FALSE(dialog.opened.back().createInRoot);
  EXPECT_TRUE(dialog.opened.back().createInRootEnabled);
  EXPECT_EQ(TreeShape(), "F[B,New]");

  tree.Select(&folder);
  dialog.fill = [](ConfigDialogState& state) {
    state.values.name = "Top";
    state.createInRoot = true;
  };
  ASSERT_TRUE(tree.Add());
  EXPECT_EQ(TreeShape(), "F[B,New],Top");
  EXPECT_EQ(TrayShape(), "F[B,New],Top");

  // A new folder takes only its name from the dialog.
  tree.Select(nullptr);
  dialog.fill = [](ConfigDialogState& state) {
    state.values.name = "G";
    state.values.folder = true;
    state.values.executable = "ignored.exe";
  };
  ASSERT_TRUE(tree.Add());
  EXPECT_TRUE(Find("G").IsSubMenu);
  EXPECT_EQ(Find("G").ExecutablePath, "");

  dialog.confirm = false;
  EXPECT_FALSE(tree.Add());
  EXPECT_EQ(TreeShape(), "F[B,New],Top,G[]");
}

TEST_F(ConfigTreeTest, ModifyRewritesTheRecordRenamesItsFilesAndMovesItsHotkey) {
  auto& dev = AddConfig(ConfigsFolder(*root), "Dev", kCtrlShift | 'D');
  dev.Database = "C:\\db.fdb";
  Zup("Dev(1024x768).zup");
  Zup("Dev(1280x800).zup");
  Zup("Dev2(1024x768).zup");
  Start();
  ASSERT_TRUE(KeyRegistered('D'));

  tree.Select(&dev);
  dialog.fill = [](ConfigDialogState& state) {
    state.values.name = "Test";
    state.values.hotkey = kCtrlShift | 'T';
    state.values.folder = true;  // the box is disabled; a configuration stays one
  };
  ASSERT_TRUE(tree.Modify());
  const ConfigDialogState& shown = dialog.opened.at(0);
  EXPECT_FALSE(shown.createInRootEnabled);
  EXPECT_FALSE(shown.folderEnabled);
  EXPECT_EQ(shown.values.name, "Dev");
  EXPECT_EQ(shown.values.database, "C:\\db.fdb");

  EXPECT_EQ(dev.ConfigName, "Test");
  EXPECT_FALSE(dev.IsSubMenu);
  EXPECT_EQ(dev.Database, "C:\\db.fdb");
  EXPECT_EQ(TrayShape(), "Test");
  EXPECT_EQ(core.BuildMenu("").items[0].shortcut, "Shift+Ctrl+T");
  EXPECT_EQ(core.Shortcuts().Entries().at(0).shortcutText, "Shift+Ctrl+T");
  EXPECT_FALSE(KeyRegistered('D'));
  EXPECT_TRUE(KeyRegistered('T'));
  EXPECT_TRUE(ZupExists("Test(1024x768).zup"));
  EXPECT_TRUE(ZupExists("Test(1280x800).zup"));
  EXPECT_FALSE(ZupExists("Dev(1024x768).zup"));
  EXPECT_TRUE(ZupExists("Dev2(1024x768).zup"));

  // Cancel changes nothing; nothing selected does nothing.
  dialog.confirm = false;
  EXPECT_FALSE(tree.Modify());
  EXPECT_EQ(dev.ConfigName, "Test");
  tree.Select(nullptr);
  EXPECT_FALSE(tree.Modify());
  EXPECT_EQ(dialog.opened.size(), 2u);
}

TEST_F(ConfigTreeTest, TheDialogShowsAProtectedPasswordInClearAndTheTreeKeepsItProtected) {
  platform::FakeSecretProtection protection;
  core.SetSecretProtection(protection);
  General(*root).ProtectPasswords = true;
  auto& dev = AddConfig(ConfigsFolder(*root), "Dev", 0);
  dev.Password = *ProtectPassword("old", protection);
  Start();
  tree.Select(&dev);
  dialog.fill = [](ConfigDialogState& state) { state.values.password = "new"; };
  ASSERT_TRUE(tree.Modify());
  EXPECT_EQ(dialog.opened.at(0).values.password, "old");
  EXPECT_TRUE(IsProtectedPassword(dev.Password));
  EXPECT_EQ(UnprotectPassword(dev.Password, protection), "new");

  // Where it does not open it shows empty, and is kept unless the user types another one.
  const std::string stored = dev.Password;
  protection.refuse = true;
  dialog.fill = nullptr;
  ASSERT_TRUE(tree.Modify());
  EXPECT_EQ(dialog.opened.at(1).values.password, "");
  EXPECT_EQ(dev.Password, stored);

  // At start the user is told once which configurations are affected; nothing when all open.
  AddConfig(ConfigsFolder(*root), "Clear", 0).Password = "pw";
  core.WarnUnreadablePasswords();
  protection.refuse = false;
  core.WarnUnreadablePasswords();
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].kind, platform::RecordingMessages::Shown::Kind::Warning);
  EXPECT_NE(messages.shown[0].text.find("here:\r\nDev\r\n\r\n"), std::string::npos);
}

TEST_F(ConfigTreeTest, FilesSharedWithAnotherConfigurationOfTheSameNameStay) {
  auto& first = AddConfig(ConfigsFolder(*root), "Dev");
  auto& second = AddConfig(ConfigsFolder(*root), "Dev");
  Zup("Dev(1024x768).zup");
  Start();
  tree.Select(&first);
  dialog.fill = [](ConfigDialogState& state) { state.values.name = "Other"; };
  ASSERT_TRUE(tree.Modify());
  EXPECT_TRUE(ZupExists("Dev(1024x768).zup"));

  // A folder named like a configuration takes none of its files with it.
  auto& folder = AddConfig(ConfigsFolder(*root), "Dev", 0, true);
  messages.ScriptAnswers({true, true});
  tree.Select(&folder);
  ASSERT_TRUE(tree.Delete());
  EXPECT_TRUE(ZupExists("Dev(1024x768).zup"));
  tree.Select(&second);
  ASSERT_TRUE(tree.Delete());
  EXPECT_FALSE(ZupExists("Dev(1024x768).zup"));
}

TEST_F(ConfigTreeTest, DeletingAFolderTakesEverythingBelowItOutOfTheMenuTheListAndTheRegistrations) {
  auto& configs = ConfigsFolder(*root);
  AddConfig(configs, "A", kCtrlShift | 'A');
  auto& folder = AddConfig(configs, "F", kCtrlShift | 'F', true);
  AddConfig(folder, "B", kCtrlShift | 'B');
  auto& inner = AddConfig(folder, "G", 0, true);
  AddConfig(inner, "C", kCtrlShift | 'C');
  Zup("F(1024x768).zup");
  Zup("B(1024x768).zup");
  Start();
  ASSERT_TRUE(KeyRegistered('B'));
  ASSERT_TRUE(KeyRegistered('C'));

  tree.Select(&folder);
  messages.ScriptAnswers({false});
  EXPECT_FALSE(tree.Delete());
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].caption, "Delete Navision Item");
  EXPECT_EQ(messages.shown[0].text, "Are you sure you wish to delete item F ?");
  EXPECT_EQ(TreeShape(), "A,F[B,G[C]]");

  messages.ScriptAnswers({true});
  ASSERT_TRUE(tree.Delete());
  EXPECT_EQ(TreeShape(), "A");
  EXPECT_EQ(TrayShape(), "A");
  EXPECT_EQ(ShortcutNames(), (std::vector<std::string>{"A"}));
  EXPECT_EQ(tree.Selected(), nullptr);
  EXPECT_TRUE(KeyRegistered('A'));
  EXPECT_FALSE(KeyRegistered('F'));
  EXPECT_FALSE(KeyRegistered('B'));
  EXPECT_FALSE(KeyRegistered('C'));
  // Only files of the deleted record's own name would go, and a folder has none.
  EXPECT_TRUE(ZupExists("F(1024x768).zup"));
  EXPECT_TRUE(ZupExists("B(1024x768).zup"));

  // The bracket: everything was let go before the records went, then registered again.
  core.ToggleHotkeys();
  registrar.calls.clear();
  tree.Select(&Find("A"));
  messages.ScriptAnswers({true});
  ASSERT_TRUE(tree.Delete());
  EXPECT_TRUE(registrar.calls.empty());  // inactive: no calls at all
  EXPECT_TRUE(core.Shortcuts().Entries().empty());
}

TEST_F(ConfigTreeTest, CloneCopiesAConfigurationAndMakesAnEmptyFolderInsideAFolder) {
  auto& folder = AddConfig(ConfigsFolder(*root), "F", 0, true);
  auto& dev = AddConfig(folder, "Dev", kCtrlShift | 'D');
  dev.Company = "CRONUS";
  AddConfig(folder, "Other");
  Zup("Dev(1024x768).zup");
  Start();

  tree.Select(&dev);
  EXPECT_TRUE(tree.CloneEnabled());
  ASSERT_TRUE(tree.Clone());
  EXPECT_EQ(dialog.opened.back().values.name, "Clone of Dev");
  EXPECT_EQ(dialog.opened.back().values.company, "CRONUS");
  EXPECT_EQ(TreeShape(), "F[Dev,Other,Clone of Dev]");
  EXPECT_EQ(Find("Clone of Dev").Company, "CRONUS");
  EXPECT_FALSE(ZupExists("Clone of Dev(1024x768).zup"));
  EXPECT_EQ(ShortcutNames().back(), "Clone of Dev");

  tree.Select(&folder);
  EXPECT_FALSE(tree.CloneEnabled());
  ASSERT_TRUE(tree.Clone());
  EXPECT_TRUE(dialog.opened.back().values.folder);
  EXPECT_EQ(TreeShape(), "F[Dev,Other,Clone of Dev,Clone of F[]]");
  EXPECT_EQ(TrayShape(), "F[Dev,Other,Clone of Dev,Clone of F[]]");

  tree.Select(nullptr);
  dialog.fill = [](ConfigDialogState& state) { state.values.name = "Fresh"; };
  ASSERT_TRUE(tree.Clone());
  EXPECT_TRUE(dialog.opened.back().createInRoot);
  EXPECT_FALSE(dialog.opened.back().createInRootEnabled);
  EXPECT_EQ(dialog.opened.back().values.port, 2407);
  EXPECT_EQ(TreeShape(), "F[Dev,Other,Clone of Dev,Clone of F[]],Fresh");
}

TEST_F(ConfigTreeTest, MovingStaysInsideTheLevelAndLeavesRegistrationsAlone) {
  auto& configs = ConfigsFolder(*root);
  AddConfig(configs, "A", kCtrlShift | 'A');
  auto& folder = AddConfig(configs, "F", 0, true);
  auto& b = AddConfig(folder, "B");
  AddConfig(configs, "C");
  Start();
  registrar.calls.clear();

  tree.Select(&Find("A"));
  EXPECT_FALSE(tree.MoveUp());
  tree.Select(&Find("C"));
  EXPECT_FALSE(tree.MoveDown());
  tree.Select(&b);
  EXPECT_FALSE(tree.MoveUp());
  EXPECT_FALSE(tree.MoveDown());
  EXPECT_EQ(TreeShape(), "A,F[B],C");

  tree.Select(&folder);  // second-to-last
  ASSERT_TRUE(tree.MoveDown());
  EXPECT_EQ(TreeShape(), "A,C,F[B]");
  EXPECT_EQ(TrayShape(), "A,C,F[B]");
  ASSERT_TRUE(tree.MoveUp());
  ASSERT_TRUE(tree.MoveUp());
  EXPECT_EQ(TreeShape(), "F[B],A,C");
  EXPECT_EQ(tree.Selected(), &folder);
  EXPECT_TRUE(registrar.calls.empty());
  EXPECT_EQ(ShortcutNames(), (std::vector<std::string>{"A", "F", "B", "C"}));
}

TEST_F(ConfigTreeTest, DroppingWithinALevelTakesTheTargetsPlace) {
  auto& configs = ConfigsFolder(*root);
  AddConfig(configs, "A");
  AddConfig(configs, "B");
  AddConfig(configs, "C");
  Start();
  registrar.calls.clear();

  DragOnto("A", &Find("C"));
  EXPECT_EQ(TreeShape(), "B,C,A");
  DragOnto("A", &Find("B"));
  EXPECT_EQ(TreeShape(), "A,B,C");
  DragOnto("C", &Find("A"));
  EXPECT_EQ(TreeShape(), "C,A,B");
  EXPECT_EQ(TrayShape(), "C,A,B");
  EXPECT_TRUE(registrar.calls.empty());
  EXPECT_FALSE(tree.Dragging());
}

TEST_F(ConfigTreeTest, DroppingAcrossFoldersOnItselfAndOnDescendants) {
  auto& configs = ConfigsFolder(*root);
  auto& f = AddConfig(configs, "F", 0, true);
  AddConfig(f, "B");
  auto& g = AddConfig(f, "G", 0, true);
  AddConfig(g, "C");
  AddConfig(configs, "A");
  AddConfig(configs, "D");
  Start();

  DragOnto("A", &Find("B"));  // before the target in another folder
  EXPECT_EQ(TreeShape(), "F[A,B,G[C]],D");
  DragOnto("D", &g);  // onto a folder: last inside it
  EXPECT_EQ(TreeShape(), "F[A,B,G[C,D]]");
  DragOnto("F", &Find("C"));  // onto its own descendant: nothing
  EXPECT_EQ(TreeShape(), "F[A,B,G[C,D]]");
  DragOnto("F", &g);
  EXPECT_EQ(TreeShape(), "F[A,B,G[C,D]]");
  DragOnto("C", &Find("C"));  // onto itself: last at the top level
  EXPECT_EQ(TreeShape(), "F[A,B,G[D]],C");
  DragOnto("G", nullptr);  // onto empty space: the same
  EXPECT_EQ(TreeShape(), "F[A,B],C,G[D]");
  EXPECT_EQ(TrayShape(), "F[A,B],C,G[D]");

  // Without a node selected at the start of the drag, a drop does nothing.
  tree.Select(nullptr);
  tree.BeginDrag();
  EXPECT_FALSE(tree.Drop(&Find("C")));
  EXPECT_EQ(TreeShape(), "F[A,B],C,G[D]");
}

TEST_F(ConfigTreeTest, AddingAndDroppingNeverNestDeeperThanTheFileCanHold) {
  // The file holds records 255 below the root: configurations folder, then 254 levels.
  TStorage* deepest = &ConfigsFolder(*root);
  for (int level = 1; level <= 253; ++level) deepest = &AddConfig(*deepest, "F" + std::to_string(level), 0, true);
  auto& g = AddConfig(ConfigsFolder(*root), "G", 0, true);
  AddConfig(g, "C");
  Start();
  auto& last = As<TConfigStorage>(*deepest);
  dialog.fill = [](ConfigDialogState& state) {
    state.values.name = "New";
    state.values.folder = true;
  };

  DragOnto("G", &last);  // G at level 254 would hold C at 255
  EXPECT_EQ(last.ChildCount(), 0);
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].text, "Folders cannot be nested this deeply.\r\nNothing has been changed.");
  DragOnto("G", &Find("F252"));
  EXPECT_EQ(g.Parent(), &Find("F252"));

  tree.Select(&last);
  ASSERT_TRUE(tree.Add());  // level 254
  tree.Select(&Find("New"));
  EXPECT_FALSE(tree.Add());
  EXPECT_EQ(messages.shown.size(), 2u);
  EXPECT_EQ(last.ChildCount(), 1);
}

TEST_F(ConfigTreeTest, DeletingTheDraggedRecordEndsTheDrag) {
  auto& f = AddConfig(ConfigsFolder(*root), "F", 0, true);
  AddConfig(f, "B");
  AddConfig(ConfigsFolder(*root), "A");
  Start();
  tree.Select(&Find("B"));
  tree.BeginDrag();
  tree.Select(&f);
  messages.ScriptAnswers({true});
  ASSERT_TRUE(tree.Delete());
  EXPECT_FALSE(tree.Drop(&Find("A")));
  EXPECT_EQ(TreeShape(), "A");
}

TEST_F(ConfigTreeTest, PageStateFollowsThePageAndTheSelection) {
  auto& folder = AddConfig(ConfigsFolder(*root), "F", 0, true);
  const PageState templates = PageStateFor(ManagementPage::Templates, tree);
  EXPECT_EQ(templates.helpContext, 2);
  EXPECT_TRUE(templates.importExportEnabled);
  tree.Select(&folder);
  const PageState configurations = PageStateFor(ManagementPage::Configurations, tree);
  EXPECT_EQ(configurations.helpContext, 1);
  EXPECT_FALSE(configurations.importExportEnabled);
  EXPECT_FALSE(configurations.cloneEnabled);
  const PageState plugins = PageStateFor(ManagementPage::Plugins, tree);
  EXPECT_EQ(plugins.helpContext, 3);
  EXPECT_FALSE(plugins.importExportEnabled);
  EXPECT_TRUE(plugins.cloneEnabled);
}

TEST(EditShortcutTest, TheEditKeysAndTheirModifiers) {
  using enum EditAction;
  constexpr std::uint16_t kInsert = 0x2D, kF3 = 0x72, kEnter = 0x0D, kDelete = 0x2E, kF4 = 0x73, kUp = 0x26,
                          kDown = 0x28, kA = 'A';
  const struct {
    std::uint16_t key;
    bool shift, ctrl, alt;
    std::optional<EditAction> action;
  } cases[] = {
      {kInsert, false, false, false, Add},   {kF3, false, false, false, Add},
      {kInsert, true, false, false, Clone},  {kF3, true, false, false, Clone},
      {kInsert, false, true, false, {}},     {kF3, false, false, true, {}},
      {kEnter, false, false, false, Modify}, {kEnter, true, false, false, {}},
      {kEnter, false, true, false, {}},      {kDelete, false, false, false, Delete},
      {kF4, false, false, false, Delete},    {kDelete, true, false, false, {}},
      {kF4, false, false, true, {}},         {kUp, false, true, false, MoveUp},
      {kDown, false, true, false, MoveDown}, {kUp, false, false, false, {}},
      {kDown, true, true, false, {}},        {kDown, false, true, true, {}},
      {kA, false, true, false, {}},
  };
  for (const auto& c : cases)
    EXPECT_EQ(EditShortcut(c.key, c.shift, c.ctrl, c.alt), c.action)
        << c.key << " shift " << c.shift << " ctrl " << c.ctrl << " alt " << c.alt;
}

}  // namespace
}  // namespace bw::test
