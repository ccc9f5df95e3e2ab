#include <gtest/gtest.h>

#include "app/hotkey_ids.h"
#include "fake_host.h"

namespace bw::test {
namespace {

constexpr unsigned kVkA = 'A';

class HotkeyDispatchTest : public ::testing::Test, public CoreFixture {
protected:
  void SetUp() override { core.Start(); }
  void Press(int id, unsigned virtualKey = 0) {
    host.events.clear();
    core.OnHotkey(id, kModCtrlShift, virtualKey);
  }
  void PressItem(unsigned virtualKey) { Press(kFirstItemId, virtualKey); }
};

TEST_F(HotkeyDispatchTest, EveryCommandRunsInsideTheFrame) {
  Press(kIndentId);
  EXPECT_EQ(host.events, (Events{"hide window", "watcher stop 1", "pump", "add icon", "block 0", "watcher start 1"}));
  Press(kUncommentId);
  EXPECT_EQ(host.events[4], "block 3");
  Press(kInsertTemplateId);
  EXPECT_EQ(host.events[4], "insert template dialog");
  Press(kOpenBrackwaterId);
  EXPECT_EQ(host.events[4], "show page 0");
}

TEST_F(HotkeyDispatchTest, TheWatcherResumesWhenACommandFails) {
  // A record of the wrong class in the templates folder makes the item search throw.
  AddRecord<TPluginStorage>(TemplatesFolder(*root));
  PressItem(kVkA);
  EXPECT_EQ(host.events.back(), "watcher start 1");
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].text, "Invalid class typecast");
}

TEST_F(HotkeyDispatchTest, CredentialsAndRepeatTypeOnlyWhenThereIsSomethingToType) {
  Press(kInsertCredentialsId);
  Press(kRepeatTemplateId);
  EXPECT_EQ(host.events.size(), 5u);  // the frame only

  auto& dev = AddConfig(ConfigsFolder(*root), "Dev");
  dev.Username = "admin";
  dev.Password = "secret";
  core.StartConfiguration(dev);
  core.SetLastTemplateText("// <<Initials>>");
  Press(kInsertCredentialsId);
  EXPECT_EQ(host.events[4], "focused text admin\r\nsecret\r\n\r\n");
  Press(kRepeatTemplateId);
  EXPECT_EQ(host.events[4], "focused text // <<Initials>>");
}

TEST_F(HotkeyDispatchTest, SingleItemRunsUnconfirmedBetweenAttachAndDetach) {
  AddTemplate(*root, "Header", kCtrlShift | kVkA, "// header");
  AddTemplate(*root, "Other", kCtrlShift | 'B');
  PressItem(kVkA);
  EXPECT_EQ(host.events,
            (Events{"hide window", "watcher stop 1", "pump", "add icon", "attach", "template // header", "detach",
                    "watcher start 1"}));
}

TEST_F(HotkeyDispatchTest, SharedKeyOffersEveryItemAndRunsTheChosenOneConfirmed) {
  AddTemplate(*root, "First", kCtrlShift | kVkA, "one");
  auto& second = AddTemplate(*root, "Second", kCtrlShift | kVkA, "two");
  second.Disabled = true;  // not registered, still offered
  auto& folder = AddConfig(ConfigsFolder(*root), "Folder", kCtrlShift | kVkA, true);
  AddConfig(folder, "Dev", kCtrlShift | kVkA);
  AddPlugin(*root, "Tool", kCtrlShift | kVkA);
  AddPlugin(*root, "Alt key", kShift | kVkA);  // other modifiers: not offered

  host.choice = 1;
  PressItem(kVkA);
  ASSERT_EQ(host.offered.size(), 4u);
  EXPECT_EQ(host.offered[0].name, "First");
  EXPECT_EQ(host.offered[1].name, "Second");
  EXPECT_EQ(host.offered[2].kind, ItemKind::Configuration);
  EXPECT_EQ(host.offered[2].name, "Dev");
  EXPECT_EQ(host.offered[3].kind, ItemKind::Plugin);
  EXPECT_EQ(host.events[6], "template two confirmed");

  host.choice = 3;
  PressItem(kVkA);
  ASSERT_EQ(shell.started.size(), 1u);
  EXPECT_EQ(shell.started[0].file, "C:\\Tools\\Tool.exe");

  host.choice = std::nullopt;  // Cancel
  PressItem(kVkA);
  EXPECT_EQ(host.events, (Events{"hide window", "watcher stop 1", "pump", "add icon", "attach", "picker", "detach",
                                 "watcher start 1"}));
  EXPECT_EQ(shell.started.size(), 1u);
}

TEST_F(HotkeyDispatchTest, ConfigurationKeyStartsTheClientAndRemembersItsLogin) {
  auto& dev = AddConfig(ConfigsFolder(*root), "Dev", kCtrlShift | kVkA);
  dev.Database = "C:\\db\\database.fdb";
  dev.Username = "user";
  General(*root).ZupDir = "C:\\Zup\\";
  PressItem(kVkA);
  ASSERT_EQ(shell.started.size(), 1u);
  EXPECT_EQ(shell.started[0].parameters, "id=C:\\Zup\\Dev(1024x768).zup,database=C:\\db\\database.fdb");
  EXPECT_EQ(core.CredentialsText(), "user\r\n\r\n\r\n");
}

TEST_F(HotkeyDispatchTest, HotkeyMessageCarriesModifiersInTheLowAndTheKeyInTheHighWord) {
  AddTemplate(*root, "Header", kCtrlShift | kVkA, "x");
  host.events.clear();
  core.OnHotkeyMessage(1040, static_cast<std::intptr_t>((kVkA << 16) | kModCtrlShift));
  EXPECT_EQ(host.events[5], "template x");
}

TEST_F(HotkeyDispatchTest, HotkeyPressedDuringAnotherCommandLeavesTheWatcherPausedUntilBothEnd) {
  struct NestingHost : FakeHost {
    AppCore* core = nullptr;
    bool nested = false;
    void ProcessPendingMessages() override {
      FakeHost::ProcessPendingMessages();
      if (!nested) {
        nested = true;
        core->OnHotkey(kCommentId, kModCtrlShift, 0xDD);
      }
    }
  } nesting;
  AppCore nestedCore(*root, {nesting, nesting, nesting, nesting, nesting, registrar, messages, keys, shell, screen});
  nesting.core = &nestedCore;
  nestedCore.OnHotkey(kIndentId, kModCtrlShift, 0xBE);
  EXPECT_EQ(nesting.events,
            (Events{"hide window", "watcher stop 1", "pump", "hide window", "watcher stop 1", "pump", "add icon",
                    "block 2", "add icon", "block 0", "watcher start 1"}));
}

TEST_F(HotkeyDispatchTest, HotkeyPressedWhileACommandTypesIsDropped) {
  // The block command lets messages run while it types; a press then must not start a second
  // command typing into the same editor.
  struct TypingHost : FakeHost {
    AppCore* core = nullptr;
    void BlockCommand(BlockOperation operation) override {
      FakeHost::BlockCommand(operation);
      core->OnHotkey(kCommentId, kModCtrlShift, 0xDD);
      core->OnHotkey(kFirstItemId, kModCtrlShift, kVkA);
    }
  } typing;
  AppCore typingCore(*root, {typing, typing, typing, typing, typing, registrar, messages, keys, shell, screen});
  typing.core = &typingCore;
  typingCore.OnHotkey(kIndentId, kModCtrlShift, 0xBE);
  EXPECT_EQ(typing.events, (Events{"hide window", "watcher stop 1", "pump", "add icon", "block 0", "watcher start 1"}));
  // Once the command has ended, the next press runs as usual.
  typing.events.clear();
  typingCore.OnHotkey(kCommentId, kModCtrlShift, 0xDD);
  EXPECT_EQ(typing.events[4], "block 2");
}

TEST_F(HotkeyDispatchTest, ElevatedClientIsNamedOnceAndGetsNoKeys) {
  AddTemplate(*root, "Header", kCtrlShift | kVkA, "// header");
  AddConfig(ConfigsFolder(*root), "Dev", kCtrlShift | 'B');
  core.SetLastTemplateText("x");
  host.elevatedProcess = 4242;
  for (const int id : {kIndentId, kUncommentId, kInsertTemplateId, kRepeatTemplateId}) {
    Press(id);
    EXPECT_EQ(host.events, (Events{"hide window", "watcher stop 1", "pump", "add icon", "watcher start 1"}));
  }
  PressItem(kVkA);
  EXPECT_EQ(host.events, (Events{"hide window", "watcher stop 1", "pump", "add icon", "attach", "detach",
                                 "watcher start 1"}));
  ASSERT_EQ(host.balloons.size(), 1u);
  EXPECT_NE(host.balloons[0].text.find("administrator"), std::string::npos);

  // Starting a client types nothing, so it still works; another elevated client is named again.
  PressItem('B');
  EXPECT_EQ(shell.started.size(), 1u);
  host.elevatedProcess = 77;
  Press(kIndentId);
  EXPECT_EQ(host.balloons.size(), 2u);
  host.elevatedProcess = 0;
  Press(kIndentId);
  EXPECT_EQ(host.events[4], "block 0");

  // While the shell hides balloons (focus assist), the notice is a message box, once as well.
  host.notifications = NotificationState::QuietTime;
  host.elevatedProcess = 4242;
  Press(kIndentId);
  Press(kCommentId);
  EXPECT_EQ(host.balloons.size(), 2u);
  ASSERT_EQ(ErrorTexts().size(), 1u);
  EXPECT_NE(ErrorTexts()[0].find("administrator"), std::string::npos);
  EXPECT_EQ(messages.shown[0].kind, platform::RecordingMessages::Shown::Kind::Warning);
}

TEST_F(HotkeyDispatchTest, OpenDialogComesToTheFrontInsteadOfAnyCommand) {
  AddTemplate(*root, "Header", kCtrlShift | kVkA, "// header");
  host.dialogOpen = true;
  for (const int id : {kIndentId, kInsertTemplateId, kOpenBrackwaterId, kFirstItemId}) {
    Press(id, kVkA);
    EXPECT_EQ(host.events, (Events{"dialog to front"}));
  }
  // The toggle opens nothing and still works.
  Press(kToggleHotkeysId);
  EXPECT_FALSE(core.HotkeysActive());
  host.dialogOpen = false;
  Press(kIndentId);
  EXPECT_EQ(host.events[4], "block 0");
}

TEST_F(HotkeyDispatchTest, NotifyShowsExactlyOneBalloon) {
  const auto notify = [&](std::uintptr_t wParam, std::optional<std::string> atom) {
    host.balloons.clear();
    core.OnNotifyMessage(wParam, atom);
    return host.balloons;
  };
  auto shown = notify(0, std::nullopt);  // a second start
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].text, "Brackwater for Dynamics NAV is running...");
  EXPECT_EQ(shown[0].seconds, 10);
  shown = notify(1, "Build|Finished in 3 s|really");
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].title, "Build");
  EXPECT_EQ(shown[0].text, "Finished in 3 s|really");
  shown = notify(1, "Plain");
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].title, "Plain");
  EXPECT_EQ(shown[0].text, "Plain");
  EXPECT_TRUE(notify(1, std::nullopt).empty());  // an atom without a name
  EXPECT_TRUE(notify(1, std::string()).empty());
}

}  // namespace
}  // namespace bw::test
