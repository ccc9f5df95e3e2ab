#include <gtest/gtest.h>

#include "app/hotkey_ids.h"
#include "fake_host.h"

namespace bw::test {
namespace {

constexpr unsigned kVkA = 'A', kVkB = 'B', kVkC = 'C', kVkF = 'F';
constexpr unsigned kVkPeriod = 0xBE, kVkPageUp = 0x21;

class HotkeyRegistrationTest : public ::testing::Test, public CoreFixture {};

TEST_F(HotkeyRegistrationTest, StandardKeysThenTemplatesConfigurationsPluginsThenToggle) {
  AddTemplate(*root, "Header", kCtrlShift | kVkA);
  AddTemplate(*root, "No key", 0);
  auto& folder = AddConfig(ConfigsFolder(*root), "Folder", kCtrlShift | kVkF, true);
  AddConfig(folder, "Dev", kCtrlShift | kVkB);
  AddPlugin(*root, "Notepad", kCtrlShift | kVkC);

  core.Start();

  EXPECT_EQ(registrar.RegisteredIdsInOrder(),
            (std::vector<int>{1023, 1024, 1025, 1027, 1028, 1029, 1030, 1031, 1033, 1034, 1035, 1026}));
  using Key = platform::FakeHotkeyRegistrar::Key;
  const auto& held = registrar.Registered();
  EXPECT_EQ(held.at(kOpenBrackwaterId), (Key{kModCtrlShift, 0x24}));
  EXPECT_EQ(held.at(kInsertCredentialsId), (Key{kModCtrlShift, 0x09}));
  EXPECT_EQ(held.at(kInsertTemplateId), (Key{kModCtrlShift, 0x2D}));
  EXPECT_EQ(held.at(kToggleHotkeysId), (Key{kModCtrlShift, kVkPageUp}));
  EXPECT_EQ(held.at(kIndentId), (Key{kModCtrlShift, kVkPeriod}));
  EXPECT_EQ(held.at(kUncommentId), (Key{kModCtrlShift, 0xDB}));
  EXPECT_EQ(held.at(kRepeatTemplateId), (Key{kModCtrlShift, 0xBF}));
  EXPECT_EQ(held.at(1033), (Key{kModCtrlShift, kVkA}));
  EXPECT_EQ(held.at(1034), (Key{kModCtrlShift, kVkB}));  // the folder's key is not registered
  EXPECT_EQ(held.at(1035), (Key{kModCtrlShift, kVkC}));
  EXPECT_TRUE(messages.shown.empty());
  EXPECT_EQ(host.hint, "Brackwater for Dynamics NAV\r\nHotkey status : Active");
}

TEST_F(HotkeyRegistrationTest, TemplateKeyHeldElsewhereMarksTheTemplateUntilItIsEdited) {
  auto& header = AddTemplate(*root, "Header", kCtrlShift | kVkA);
  auto& dev = AddConfig(ConfigsFolder(*root), "Dev", kCtrlShift | kVkB);
  registrar.HoldElsewhere(kModCtrlShift, kVkA);
  registrar.HoldElsewhere(kModCtrlShift, kVkB);

  core.Start();

  EXPECT_TRUE(header.HotkeyFailed);
  ASSERT_EQ(messages.shown.size(), 2u);
  EXPECT_EQ(messages.shown[0].kind, platform::RecordingMessages::Shown::Kind::Error);
  EXPECT_EQ(messages.shown[0].text,
            "Brackwater failed to register hotkey 'Shift+Ctrl+A' for template 'Header'.\r\n"
            "Please check for duplicate hotkey definitions.");
  // Configurations use the same message; they carry no mark.
  EXPECT_EQ(messages.shown[1].text,
            "Brackwater failed to register hotkey 'Shift+Ctrl+B' for template 'Dev'.\r\n"
            "Please check for duplicate hotkey definitions.");

  // The other program lets the keys go: the configuration is tried again, the template is not.
  registrar.Release(kModCtrlShift, kVkA);
  registrar.Release(kModCtrlShift, kVkB);
  core.BeginItemsChange();
  dev.ConfigName = "Dev2";
  core.EndItemsChange();
  EXPECT_EQ(registrar.IdOf(kModCtrlShift, kVkB), 1033);
  EXPECT_EQ(registrar.IdOf(kModCtrlShift, kVkA), 0);

  core.BeginItemsChange();
  header.HotkeyFailed = false;  // what accepting the template editor does
  core.EndItemsChange();
  EXPECT_EQ(registrar.IdOf(kModCtrlShift, kVkA), 1033);
  EXPECT_FALSE(header.HotkeyFailed);
}

TEST_F(HotkeyRegistrationTest, ItemKeyEqualToAStandardKeyFailsAndTheStandardCommandKeepsIt) {
  AddPlugin(*root, "Calc", kCtrlShift | kVkPeriod);
  core.Start();
  EXPECT_EQ(registrar.IdOf(kModCtrlShift, kVkPeriod), kIndentId);
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_NE(messages.shown[0].text.find("'Shift+Ctrl+.' for template 'Calc'"), std::string::npos);
}

TEST_F(HotkeyRegistrationTest, ItemKeyEqualToTheToggleKeyWinsAtStartAndLosesAfterwards) {
  auto& item = AddTemplate(*root, "Toggle twin", kCtrlShift | kVkPageUp);
  core.Start();
  EXPECT_EQ(registrar.IdOf(kModCtrlShift, kVkPageUp), 1033);
  EXPECT_FALSE(registrar.IsRegistered(kToggleHotkeysId));
  EXPECT_EQ(ErrorTexts(), (std::vector<std::string>{"Brackwater failed to register standard hotkey "
                                                    "'Shift+Ctrl+PgUp'.\r\nPlease check for duplicate "
                                                    "hotkey definitions."}));

  // Once the toggle holds the key, the item fails at every later registration.
  core.BeginItemsChange();
  core.EndItemsChange();  // registrations dropped; the item gets the key again
  core.Shutdown();
  messages.shown.clear();
  item.HotkeyFailed = false;
  ASSERT_TRUE(core.Registration().RegisterToggleHotkey(General(*root)));
  core.BeginItemsChange();
  core.EndItemsChange();
  EXPECT_EQ(registrar.IdOf(kModCtrlShift, kVkPageUp), kToggleHotkeysId);
  EXPECT_TRUE(item.HotkeyFailed);
  EXPECT_EQ(messages.shown.size(), 1u);
}

TEST_F(HotkeyRegistrationTest, KeySharedByItemsIsRegisteredOnceButEveryItemTakesAnId) {
  AddTemplate(*root, "First", kCtrlShift | kVkA);
  auto& disabled = AddTemplate(*root, "Second", kCtrlShift | kVkA);
  disabled.Disabled = true;
  AddConfig(ConfigsFolder(*root), "Dev", kCtrlShift | kVkA);
  AddPlugin(*root, "Tool", kCtrlShift | kVkA);
  AddPlugin(*root, "Other", kCtrlShift | kVkC);

  core.Start();

  EXPECT_EQ(registrar.IdOf(kModCtrlShift, kVkA), 1033);
  EXPECT_EQ(registrar.IdOf(kModCtrlShift, kVkC), 1036);  // Dev 1034 and Tool 1035 were not tried
  EXPECT_TRUE(messages.shown.empty());
  int triesOfA = 0;
  for (const auto& call : registrar.calls)
    if (call.registering && call.key.virtualKey == kVkA) ++triesOfA;
  EXPECT_EQ(triesOfA, 1);
}

TEST_F(HotkeyRegistrationTest, UnregisteringReachesEveryItemIdEvenAfterItemsWereRemoved) {
  for (char key = 'A'; key <= 'E'; ++key) AddTemplate(*root, std::string(1, key), kCtrlShift | TShortCut(key));
  core.Start();
  // Items deleted without the bracket: their ids must still be released.
  TemplatesFolder(*root).ClearChildren();
  core.SetHotkeysActive(false);
  ASSERT_EQ(registrar.Registered().size(), 1u);
  EXPECT_TRUE(registrar.IsRegistered(kToggleHotkeysId));

  core.Shutdown();
  EXPECT_TRUE(registrar.Registered().empty());
}

TEST_F(HotkeyRegistrationTest, ToggleSwitchesEveryOtherHotkeyOffAndOnWithBalloonAndHint) {
  AddTemplate(*root, "Header", kCtrlShift | kVkA);
  core.Start();

  core.OnHotkey(kToggleHotkeysId, kModCtrlShift, kVkPageUp);
  EXPECT_FALSE(core.HotkeysActive());
  EXPECT_EQ(registrar.Registered().size(), 1u);
  EXPECT_EQ(host.hint, "Brackwater for Dynamics NAV\r\nHotkey status : Inactive");
  ASSERT_EQ(host.balloons.size(), 1u);
  EXPECT_EQ(host.balloons[0].title, "Brackwater for Dynamics NAV");
  EXPECT_EQ(host.balloons[0].text, "Hotkeys have been deactivated.");
  EXPECT_EQ(host.balloons[0].seconds, 10);
  const auto menu = core.BuildMenu("1.0.0");
  ASSERT_EQ(menu.items[6].name, "itmToggleHotkeys");
  EXPECT_FALSE(menu.items[6].checked);

  // Item edits while switched off register nothing.
  core.BeginItemsChange();
  AddTemplate(*root, "New", kCtrlShift | kVkB);
  core.EndItemsChange();
  EXPECT_EQ(registrar.Registered().size(), 1u);

  core.ToggleHotkeys();
  EXPECT_TRUE(core.HotkeysActive());
  EXPECT_EQ(registrar.Registered().size(), 11u);  // 8 standard, 2 items, the toggle
  EXPECT_EQ(host.balloons.back().text, "Hotkeys have been activated.");
  EXPECT_EQ(host.hint, "Brackwater for Dynamics NAV\r\nHotkey status : Active");
  EXPECT_TRUE(messages.shown.empty());
}

TEST_F(HotkeyRegistrationTest, NewPreferencesKeepTheHotkeysOffWhileSwitchedOff) {
  core.Start();
  core.SetHotkeysActive(false);
  General(*root).ToggleHotkeys = "Shift+Ctrl+PgDn";
  core.ApplyHotkeySettings();
  EXPECT_EQ(registrar.Registered().size(), 1u);
  EXPECT_EQ(registrar.IdOf(kModCtrlShift, 0x22), kToggleHotkeysId);

  core.SetHotkeysActive(true);
  EXPECT_TRUE(messages.shown.empty());  // nothing was left registered twice
}

}  // namespace
}  // namespace bw::test
