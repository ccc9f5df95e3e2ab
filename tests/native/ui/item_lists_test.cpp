#include <gtest/gtest.h>

#include <functional>

#include "../app/fake_host.h"
#include "base/app_texts.h"
#include "ui/item_lists.h"

namespace bw::test {
namespace {

class ScriptedEditor : public TemplateEditor, public PluginDialog {
public:
  bool Edit(TemplateEditorState& state) override {
    opened.push_back(state);
    if (fill) fill(state);
    return confirm;
  }
  bool EditPlugin(PluginDialogState& state) override {
    openedPlugins.push_back(state);
    if (fillPlugin) fillPlugin(state);
    return confirm;
  }
  std::vector<TemplateEditorState> opened;
  std::vector<PluginDialogState> openedPlugins;
  std::function<void(TemplateEditorState&)> fill;
  std::function<void(PluginDialogState&)> fillPlugin;
  bool confirm = true;
};

class RecordingListView : public ItemListView {
public:
  void ShowRows(const std::vector<int>& rows) override { selected.push_back(rows); }
  std::vector<std::vector<int>> selected;
};

class ItemListsTest : public ::testing::Test, public CoreFixture {
protected:
  void Start() {
    core.Start();
    templates.SetView(&view);
  }
  std::string TemplateNames() const {
    std::string text;
    for (int i = 0; i < templates.RowCount(); ++i) text += (i ? "," : "") + templates.Row(i).caption;
    return text;
  }
  std::string FolderNames() const {
    std::string text;
    const TStorage& folder = TemplatesFolder(*root);
    for (int i = 0; i < folder.ChildCount(); ++i) text += (i ? "," : "") + Template(*root, i).CommentName;
    return text;
  }
  // The captions of the tray's "Plug-Ins" submenu.
  std::vector<std::string> TrayPlugins() const {
    const TrayMenuModel menu = core.BuildMenu("1.0.0");
    for (const auto& entry : menu.items)
      if (entry.name == "itmPlugins") {
        std::vector<std::string> captions;
        for (const auto& child : entry.children) captions.push_back(child.caption);
        return captions;
      }
    return {};
  }
  void ClickTrayPlugin(std::size_t position) {
    const TrayMenuModel menu = core.BuildMenu("1.0.0");
    for (const auto& entry : menu.items)
      if (entry.name == "itmPlugins") core.RunMenuCommand(entry.children.at(position));
  }
  // Whether the bracket ran: everything let go first, registered again afterwards.
  bool Bracketed() const {
    return !registrar.calls.empty() && !registrar.calls.front().registering && registrar.calls.back().registering;
  }

  ScriptedEditor editor;
  RecordingListView view;
  TemplateList templates{*root, core, editor, messages, keys};
};

TEST_F(ItemListsTest, AddAndCloneAppendTemplatesWithTheDuplicateMarkInsideTheBracket) {
  AddTemplate(*root, "Header", kCtrlShift | 'H');
  Start();
  registrar.calls.clear();
  editor.fill = [](TemplateEditorState& state) {
    state.name = "Loop";
    state.text = "FOR i := 1 TO n DO\r\n  |;";
    state.hotkey = kCtrlShift | 'H';  // the hotkey of Header
  };
  ASSERT_TRUE(templates.Add());
  EXPECT_EQ(editor.opened.at(0).name, "");
  EXPECT_EQ(editor.opened.at(0).hotkey, 0);
  EXPECT_TRUE(Bracketed());
  EXPECT_EQ(FolderNames(), "Header,Loop");
  EXPECT_TRUE(Template(*root, 1).Disabled);
  EXPECT_FALSE(Template(*root, 0).Disabled);
  EXPECT_EQ(Template(*root, 1).Comment, "FOR i := 1 TO n DO\r\n  |;");
  EXPECT_EQ(templates.Row(1).hotkey, "Shift+Ctrl+H");
  EXPECT_EQ(view.selected.back(), std::vector<int>{1});

  // Clone: the editor opens with "Clone of" and the row's text and hotkey; a new key is unmarked.
  templates.Select({0});
  editor.fill = [](TemplateEditorState& state) { state.hotkey = kCtrlShift | 'K'; };
  ASSERT_TRUE(templates.Clone());
  EXPECT_EQ(editor.opened.at(1).name, "Clone of Header");
  EXPECT_EQ(editor.opened.at(1).hotkey, kCtrlShift | 'H');
  EXPECT_EQ(TemplateNames(), "Header,Loop,Clone of Header");
  EXPECT_FALSE(Template(*root, 2).Disabled);
  EXPECT_TRUE(registrar.IdOf(kModCtrlShift, 'K') != 0);

  // A cancelled editor changes nothing; Modify and Clone want exactly one row.
  editor.confirm = false;
  EXPECT_FALSE(templates.Add());
  editor.confirm = true;
  templates.Select({0, 1});
  const auto opened = editor.opened.size();
  EXPECT_FALSE(templates.Modify());
  EXPECT_FALSE(templates.Clone());
  EXPECT_EQ(editor.opened.size(), opened);
  EXPECT_EQ(TemplateNames(), "Header,Loop,Clone of Header");
}

TEST_F(ItemListsTest, AFailedHotkeyShowsOnTheRowUntilModifyClearsIt) {
  AddTemplate(*root, "Taken", kCtrlShift | 'T');
  AddTemplate(*root, "Free", kCtrlShift | 'F');
  registrar.HoldElsewhere(kModCtrlShift, 'T');
  Start();
  ASSERT_TRUE(Template(*root, 0).HotkeyFailed);
  EXPECT_EQ(templates.Row(0).image, kImageTemplateFailed);
  EXPECT_EQ(templates.Row(1).image, kImageTemplate);
  EXPECT_EQ(templates.Tip(0, "Taken"), std::string(kHotkeyFailedTip) + "\r\nTaken");
  EXPECT_EQ(templates.Tip(1, "Free"), "Free");

  // The editor shows the failure; confirming with the same hotkey clears it, and the next
  // registration sets it again while the other program still holds the key.
  templates.Select({0});
  ASSERT_TRUE(templates.Modify());
  EXPECT_TRUE(editor.opened.at(0).hotkeyFailed);
  EXPECT_TRUE(Template(*root, 0).HotkeyFailed);
  registrar.Release(kModCtrlShift, 'T');
  ASSERT_TRUE(templates.Modify());
  EXPECT_FALSE(Template(*root, 0).HotkeyFailed);
  EXPECT_EQ(templates.Row(0).image, kImageTemplate);
  EXPECT_NE(registrar.IdOf(kModCtrlShift, 'T'), 0);

  // Modify to another template's key marks it; to a free key the mark goes.
  editor.fill = [](TemplateEditorState& state) {
    state.name = "Renamed";
    state.hotkey = kCtrlShift | 'F';
  };
  ASSERT_TRUE(templates.Modify());
  EXPECT_TRUE(Template(*root, 0).Disabled);
  EXPECT_EQ(templates.Row(0).caption, "Renamed");
  editor.fill = [](TemplateEditorState& state) { state.hotkey = 0; };
  ASSERT_TRUE(templates.Modify());
  EXPECT_FALSE(Template(*root, 0).Disabled);
  EXPECT_EQ(templates.Row(0).hotkey, "");
}

TEST_F(ItemListsTest, DeletingSeveralRowsKeepsTheOthersInOrder) {
  for (const char* name : {"A", "B", "C", "D", "E"}) AddTemplate(*root, name, kCtrlShift | name[0]);
  Start();
  registrar.calls.clear();
  templates.Select({3, 0, 2});
  messages.ScriptAnswers({false});
  EXPECT_FALSE(templates.Delete());
  EXPECT_EQ(messages.shown.back().caption, "Delete Comment Item");
  EXPECT_EQ(messages.shown.back().text, "Are you sure you wish to delete all selected items ?");
  EXPECT_EQ(TemplateNames(), "A,B,C,D,E");

  messages.ScriptAnswers({true});
  ASSERT_TRUE(templates.Delete());
  EXPECT_EQ(TemplateNames(), "B,E");
  EXPECT_EQ(FolderNames(), "B,E");
  EXPECT_TRUE(Bracketed());
  EXPECT_EQ(registrar.IdOf(kModCtrlShift, 'A'), 0);
  EXPECT_NE(registrar.IdOf(kModCtrlShift, 'E'), 0);

  templates.Select({1});
  messages.ScriptAnswers({true});
  ASSERT_TRUE(templates.Delete());
  EXPECT_EQ(messages.shown.back().text, "Are you sure you wish to delete item E ?");
  EXPECT_EQ(TemplateNames(), "B");
  EXPECT_FALSE(templates.Delete());  // nothing selected any more
}

TEST_F(ItemListsTest, MovesActOnTheFirstSelectedRowAndStopAtTheEnds) {
  for (const char* name : {"A", "B", "C"}) AddTemplate(*root, name, 0);
  Start();
  registrar.calls.clear();
  templates.Select({0});
  EXPECT_FALSE(templates.MoveUp());
  templates.Select({2});
  EXPECT_FALSE(templates.MoveDown());
  templates.Select({1, 2});
  ASSERT_TRUE(templates.MoveDown());  // B, the first selected
  EXPECT_EQ(FolderNames(), "A,C,B");
  EXPECT_EQ(templates.Selected(), std::vector<int>{2});
  templates.Select({1});
  ASSERT_TRUE(templates.MoveUp());
  EXPECT_EQ(FolderNames(), "C,A,B");
  EXPECT_EQ(view.selected.back(), std::vector<int>{0});
  EXPECT_TRUE(registrar.calls.empty());
}

class PluginListTest : public ItemListsTest {
protected:
  PluginList& Plugins() {
    if (!plugins) {
      plugins = std::make_unique<PluginList>(*root, core, editor, messages);
      plugins->SetView(&view);
    }
    return *plugins;
  }
  std::unique_ptr<PluginList> plugins;
};

TEST_F(PluginListTest, QuotesAreDroppedOnlyForRowsBuiltAtStart) {
  AddPlugin(*root, "Quoted").ExecutablePath = "\"C:\\Program Files\\Tool\\tool.exe\"";
  General(*root).LastPluginLocation = "C:\\Tools\\";
  Start();
  EXPECT_EQ(Plugins().Row(0).location, "C:\\Program Files\\Tool\\tool.exe");

  editor.fillPlugin = [](PluginDialogState& state) {
    state.name = "Diff";
    state.executable = "\"C:\\Diff Tools\\diff.exe\"";
    state.parameters = "%1";
    state.hotkey = kCtrlShift | 'P';
    state.lastPluginLocation = "C:\\Diff Tools\\";
  };
  ASSERT_TRUE(Plugins().Add());
  const PluginDialogState& shown = editor.openedPlugins.at(0);
  EXPECT_EQ(shown.name, "");
  EXPECT_EQ(shown.lastPluginLocation, "C:\\Tools\\");
  EXPECT_EQ(Plugins().Row(1).location, "\"C:\\Diff Tools\\diff.exe\"");
  EXPECT_EQ(Plugins().Row(1).parameters, "%1");
  EXPECT_EQ(General(*root).LastPluginLocation, "C:\\Diff Tools\\");
  EXPECT_EQ(TrayPlugins(), (std::vector<std::string>{"Quoted", "Diff"}));
  EXPECT_NE(registrar.IdOf(kModCtrlShift, 'P'), 0);

  // A list built again (the next start) shows it without the quotes.
  PluginList rebuilt(*root, core, editor, messages);
  EXPECT_EQ(rebuilt.Row(1).location, "C:\\Diff Tools\\diff.exe");
}

TEST_F(PluginListTest, ModifyCloneDeleteAndMovesKeepTheTraySubmenuInStep) {
  AddPlugin(*root, "One", kCtrlShift | '1');
  AddPlugin(*root, "Two");
  Start();
  PluginList& list = Plugins();
  EXPECT_FALSE(list.Modify());  // nothing selected
  EXPECT_TRUE(editor.openedPlugins.empty());

  list.Select(0);
  registrar.calls.clear();
  editor.fillPlugin = [](PluginDialogState& state) {
    state.name = "First";
    state.hotkey = kCtrlShift | 'Q';
  };
  ASSERT_TRUE(list.Modify());
  EXPECT_EQ(editor.openedPlugins.at(0).name, "One");
  EXPECT_EQ(editor.openedPlugins.at(0).hotkey, kCtrlShift | '1');
  EXPECT_TRUE(Bracketed());
  EXPECT_EQ(registrar.IdOf(kModCtrlShift, '1'), 0);
  EXPECT_NE(registrar.IdOf(kModCtrlShift, 'Q'), 0);
  EXPECT_EQ(TrayPlugins(), (std::vector<std::string>{"First", "Two"}));

  editor.fillPlugin = nullptr;
  ASSERT_TRUE(list.Clone());
  EXPECT_EQ(editor.openedPlugins.at(1).name, "Clone of First");
  EXPECT_EQ(list.Row(2).caption, "Clone of First");
  list.Select(-1);
  ASSERT_TRUE(list.Clone());  // without a selection: empty presets
  EXPECT_EQ(editor.openedPlugins.at(2).name, "");

  // Moving: the tray entry at a position starts the plug-in shown there.
  list.Select(1);
  registrar.calls.clear();
  ASSERT_TRUE(list.MoveUp());
  EXPECT_TRUE(registrar.calls.empty());
  EXPECT_EQ(list.Row(0).caption, "Two");
  EXPECT_EQ(list.Row(0).location, "C:\\Tools\\Two.exe");
  ClickTrayPlugin(0);
  ASSERT_FALSE(shell.started.empty());
  EXPECT_EQ(shell.started.back().file, "C:\\Tools\\Two.exe");
  EXPECT_FALSE(list.MoveUp());
  list.Select(3);
  EXPECT_FALSE(list.MoveDown());

  list.Select(0);
  messages.ScriptAnswers({true});
  ASSERT_TRUE(list.Delete());
  EXPECT_EQ(messages.shown.back().caption, "Delete Plug-In Item");
  EXPECT_EQ(messages.shown.back().text, "Are you sure you wish to delete item Two ?");
  EXPECT_EQ(TrayPlugins(), (std::vector<std::string>{"First", "Clone of First", ""}));
  EXPECT_EQ(list.RowCount(), 3);
  EXPECT_FALSE(list.Delete());
}

}  // namespace
}  // namespace bw::test
