#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>

#include "../app/fake_host.h"
#include "../editor/template_asker_support.h"
#include "app/hotkey_ids.h"
#include "app/preferences_apply.h"
#include "editor/template_expansion.h"
#include "editor/variable_list.h"
#include "settings/component_stream.h"
#include "platform/fake/fake_locale.h"
#include "platform/fake/fixed_local_time.h"
#include "platform/fake/scripted_folder_dialog.h"
#include "platform/fake/temp_folder.h"
#include "platform/native/file_registry.h"
#include "platform/native/native_environment.h"
#include "platform/native/native_file_system.h"
#include "ui/preferences_form.h"

namespace bw::test {
namespace {

namespace fs = std::filesystem;

constexpr const char* kLocationKey = "Software\\Brackwater\\Config Location";

// The dialog as the form sees it: the texts, colours and OK state it was told to show.
struct RecordingView : PreferencesView {
  void ShowHotkeyText(HotkeyBox box, std::string_view text) override { texts[box] = std::string(text); }
  void ShowHotkeyColour(HotkeyBox box, Rgb colour) override { colours[box] = colour; }
  void ShowFolder(FolderBox box, std::string_view text) override { folders[box] = std::string(text); }
  void EnableOk(bool enabled) override { ok = enabled; }

  std::map<HotkeyBox, std::string> texts;
  std::map<HotkeyBox, Rgb> colours;
  std::map<FolderBox, std::string> folders;
  bool ok = false;
};

class PreferencesTest : public ::testing::Test, public CoreFixture {
protected:
  platform::TempFolder temp;
  platform::NativeEnvironment environment{
      {.userName = "jdoe", .appDataFolder = temp / "appdata", .programPath = "/opt/bw/Brackwater.exe"}};
  platform::FileRegistry registry;
  platform::NativeFileSystem files;
  SettingsPlatform settings{environment, registry, files, messages, keys};
  ConfigFile configFile{settings};
  bool autoStart = false;

  RecordingView view;
  platform::ScriptedFolderDialog folderDialog;
  PreferencesForm form{view, folderDialog, keys};

  std::string DefaultPath() const { return temp / "appdata/Brackwater/Brackwater.config"; }

  // The preferences as the dialog would open them, with an existing Zup folder.
  void Open() {
    fs::create_directories(temp / "zup");
    General(*root).ZupDir = temp / "zup";
    form.Load(ReadPreferences(General(*root), autoStart, environment, registry));
  }
  void Accept() { ApplyPreferences(form.Values(), {core, configFile, autoStart}, keys); }
};

TEST_F(PreferencesTest, LoadingShowsTheStoredValuesAndAllowsOk) {
  General(*root).Author = "Jane Doe";
  General(*root).Indent = "Shift+Ctrl+Foo";  // a damaged text is shown red
  registry.WriteString(kLocationKey, "Folder", "/cfg");
  autoStart = true;
  form.Load(ReadPreferences(General(*root), autoStart, environment, registry));

  EXPECT_EQ(form.Values().author, "Jane Doe");
  EXPECT_TRUE(form.Values().runOnStartup);
  EXPECT_EQ(view.folders[FolderBox::Config], "/cfg");
  EXPECT_EQ(view.texts[HotkeyBox::Toggle], "Shift+Ctrl+PgUp");
  EXPECT_EQ(view.colours[HotkeyBox::Toggle], kHotkeyTextColour);
  EXPECT_EQ(view.colours[HotkeyBox::Indent], kBadHotkeyTextColour);
  EXPECT_FALSE(view.ok);

  form.HotkeyChanged(HotkeyBox::Indent, "Shift+Ctrl+.");
  EXPECT_EQ(view.colours[HotkeyBox::Indent], kHotkeyTextColour);
  EXPECT_TRUE(view.ok);
}

TEST_F(PreferencesTest, OkNeedsNineDifferentKeys) {
  Open();
  ASSERT_TRUE(view.ok);

  // Equal without regard to case, before the second field is left.
  form.HotkeyChanged(HotkeyBox::Indent, "Shift+Ctrl+A");
  form.HotkeyChanged(HotkeyBox::Comment, "shift+ctrl+a");
  EXPECT_FALSE(view.ok);
  // Written in another order, the same key all the same.
  form.HotkeyChanged(HotkeyBox::Comment, "Ctrl+Shift+A");
  EXPECT_FALSE(view.ok);
  form.HotkeyChanged(HotkeyBox::Comment, "Shift+Ctrl+B");
  EXPECT_TRUE(view.ok);

  // Clearing one field.
  form.HotkeyChanged(HotkeyBox::Credentials, "");
  EXPECT_FALSE(view.ok);
  form.HotkeyChanged(HotkeyBox::Credentials, "Shift+Ctrl+Tab");
  EXPECT_TRUE(view.ok);

  // A text that names no key is red while typed and empty once the field is left.
  form.HotkeyChanged(HotkeyBox::Open, "Shift+Ctrl+Foo");
  EXPECT_EQ(view.colours[HotkeyBox::Open], kBadHotkeyTextColour);
  EXPECT_FALSE(view.ok);
  form.HotkeyLeft(HotkeyBox::Open);
  EXPECT_EQ(view.texts[HotkeyBox::Open], "");
  EXPECT_EQ(form.Values().Hotkey(HotkeyBox::Open), "");
  EXPECT_FALSE(view.ok);

  // Leaving a field puts its text in the canonical form.
  form.HotkeyChanged(HotkeyBox::Open, "ctrl+shift+home");
  form.HotkeyLeft(HotkeyBox::Open);
  EXPECT_EQ(view.texts[HotkeyBox::Open], "Shift+Ctrl+Home");
  EXPECT_TRUE(view.ok);
}

TEST_F(PreferencesTest, BrowsingStartsInTheFieldAndAddsTheDelimiter) {
  Open();
  form.FolderChanged(FolderBox::Config, "/somewhere");
  folderDialog.answers = {"/chosen", std::nullopt};
  form.Browse(FolderBox::Config, messages);
  form.Browse(FolderBox::Zup, messages);  // cancelled: the field stays

  ASSERT_EQ(folderDialog.asked.size(), 2u);
  EXPECT_EQ(folderDialog.asked[0].title, "Location of Zup files");
  EXPECT_EQ(folderDialog.asked[0].start, "/somewhere");
  EXPECT_EQ(folderDialog.asked[1].title, "Location of Zup files");
  EXPECT_EQ(view.folders[FolderBox::Config], "/chosen/");
  EXPECT_EQ(form.Values().configDir, "/chosen/");
  EXPECT_EQ(form.Values().zupDir, temp / "zup");

  // The dialog answers UTF-8. The Zup folder is kept in the settings file as ANSI, so a folder
  // without an ANSI name is refused with a message; the configuration folder keeps any name.
  const std::string cyrillic = "/\xD0\x91\xD1\x80\xD1\x8D\xD0\xBA";  // "/Брэк"
  folderDialog.answers = {cyrillic, cyrillic, "/caf\xC3\xA9"};
  form.Browse(FolderBox::Zup, messages);
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_NE(messages.shown[0].text.find(cyrillic + "/' cannot be stored in the settings file"), std::string::npos);
  EXPECT_EQ(form.Values().zupDir, temp / "zup");
  form.Browse(FolderBox::Config, messages);
  EXPECT_EQ(form.Values().configDir, cyrillic + "/");
  form.Browse(FolderBox::Zup, messages);
  EXPECT_EQ(form.Values().zupDir, "/caf\xE9/");
  EXPECT_EQ(view.folders[FolderBox::Zup], "/caf\xE9/");
  EXPECT_EQ(folderDialog.asked.back().start, temp / "zup");
  EXPECT_EQ(messages.shown.size(), 1u);
}

TEST_F(PreferencesTest, OkChecksEachFolderWithItsOwnMessage) {
  form.Load(ReadPreferences(General(*root), false, environment, registry));  // a fresh, empty Zup folder
  EXPECT_FALSE(form.CheckOnOk(files, messages));
  ASSERT_EQ(ErrorTexts(), std::vector<std::string>{"Cannot locate the folder ''.\r\nPlease enter a valid foldername."});

  messages.shown.clear();
  form.FolderChanged(FolderBox::Config, temp / "missing-config");
  form.FolderChanged(FolderBox::Zup, temp / "missing-zup");
  EXPECT_FALSE(form.CheckOnOk(files, messages));
  EXPECT_EQ(ErrorTexts(), (std::vector<std::string>{
                              "Cannot locate the folder '" + temp / "missing-zup" + "'.\r\nPlease enter a valid foldername.",
                              "Cannot locate the folder '" + temp / "missing-config" +
                                  "'.\r\nPlease enter a valid foldername."}));

  messages.shown.clear();
  form.FolderChanged(FolderBox::Config, "");
  form.FolderChanged(FolderBox::Zup, temp.Path());
  EXPECT_TRUE(form.CheckOnOk(files, messages));
  EXPECT_TRUE(messages.shown.empty());

  // Turning the password protection off asks first; No keeps the dialog open. On asks nothing.
  General(*root).ProtectPasswords = true;
  form.Load(ReadPreferences(General(*root), false, environment, registry));
  form.FolderChanged(FolderBox::Zup, temp.Path());
  EXPECT_TRUE(form.CheckOnOk(files, messages));
  form.Values().protectPasswords = false;
  messages.ScriptAnswers({false, true});
  EXPECT_FALSE(form.CheckOnOk(files, messages));
  EXPECT_TRUE(form.CheckOnOk(files, messages));
  ASSERT_EQ(messages.shown.size(), 2u);
  EXPECT_EQ(messages.shown[0].text, kUnprotectPasswordsText);
}

TEST_F(PreferencesTest, PausesAreWholeNumbersWithinTheirRangesAndStoredOnlyWhenNotDefault) {
  core.Start();
  // Stored values out of range (a hand-made file) open clamped: what the typing uses.
  General(*root).NewLinePause = 99999;
  General(*root).CharacterPause = -5;
  Open();
  EXPECT_EQ(form.Values().newLinePause, 2000);
  EXPECT_EQ(form.Values().characterPause, 0);

  struct Row {
    PauseBox box;
    std::string text;
    std::int32_t stored;  // -1: refused with the message
  };
  const std::string newLineError =
      "'Pause after each new line' must be a whole number of milliseconds from 0 to 2000.\r\nPlease enter a valid number.";
  const std::string characterError =
      "'Pause between characters' must be a whole number of milliseconds from 0 to 100.\r\nPlease enter a valid number.";
  const Row rows[] = {
      {PauseBox::NewLine, "0", 0},       {PauseBox::NewLine, " 400 ", 400}, {PauseBox::NewLine, "2000", 2000},
      {PauseBox::NewLine, "2001", -1},   {PauseBox::NewLine, "", -1},       {PauseBox::NewLine, "-1", -1},
      {PauseBox::NewLine, "1e3", -1},    {PauseBox::NewLine, "99999999999", -1},
      {PauseBox::Character, "100", 100}, {PauseBox::Character, "007", 7},  {PauseBox::Character, "101", -1},
      {PauseBox::Character, "+5", -1},
  };
  for (const Row& row : rows) {
    Open();
    messages.shown.clear();
    form.PauseChanged(row.box, row.text);
    const bool passed = form.CheckOnOk(files, messages);
    EXPECT_EQ(passed, row.stored >= 0) << row.text;
    if (row.stored < 0) {
      EXPECT_EQ(ErrorTexts(), std::vector<std::string>{row.box == PauseBox::NewLine ? newLineError : characterError});
      continue;
    }
    Accept();
    const auto& general = General(*root);
    EXPECT_EQ(row.box == PauseBox::NewLine ? general.NewLinePause : general.CharacterPause, row.stored) << row.text;
  }
  // Both wrong: one message each; mended, OK goes ahead.
  Open();
  messages.shown.clear();
  form.PauseChanged(PauseBox::NewLine, "x");
  form.PauseChanged(PauseBox::Character, "x");
  EXPECT_FALSE(form.CheckOnOk(files, messages));
  EXPECT_EQ(ErrorTexts(), (std::vector<std::string>{newLineError, characterError}));
  form.PauseChanged(PauseBox::NewLine, "150");
  form.PauseChanged(PauseBox::Character, "0");
  EXPECT_TRUE(form.CheckOnOk(files, messages));

  // Back at the defaults, the settings file holds neither field.
  Accept();
  const auto bytes = WriteComponentStream(General(*root));
  for (const std::string_view name : {"NewLinePause", "CharacterPause"})
    EXPECT_EQ(std::search(bytes.begin(), bytes.end(), name.begin(), name.end()), bytes.end()) << name;
}

TEST_F(PreferencesTest, AcceptingStoresTheValues) {
  core.Start();
  Open();
  auto& values = form.Values();
  values.author = "Jane Doe";
  values.initials = "JD";
  values.company = "Contoso";
  values.runOnStartup = true;
  values.activateViaDot = true;
  values.activateViaCtrlSpace = false;
  values.protectPasswords = true;
  form.HotkeyChanged(HotkeyBox::Repeat, "ctrl+shift+r");
  Accept();

  const auto& general = General(*root);
  EXPECT_EQ(general.Author, "Jane Doe");
  EXPECT_EQ(general.ZupDir, temp / "zup/");  // a delimiter appended
  EXPECT_EQ(general.RepeatTemplate, "Shift+Ctrl+R");
  EXPECT_TRUE(general.ActivateViaDOT);
  EXPECT_FALSE(general.ActivateViaCTRLSpace);
  EXPECT_TRUE(general.ProtectPasswords);
  EXPECT_EQ(registrar.Registered().at(kRepeatTemplateId), (platform::FakeHotkeyRegistrar::Key{kModCtrlShift, 'R'}));

  // Start with Windows is written by the next save.
  EXPECT_TRUE(autoStart);
  EXPECT_EQ(registry.ReadString("Software\\Microsoft\\Windows\\CurrentVersion\\Run", "Brackwater"), std::nullopt);
  configFile.Save(*root, autoStart);
  EXPECT_EQ(registry.ReadString("Software\\Microsoft\\Windows\\CurrentVersion\\Run", "Brackwater"),
            "\"/opt/bw/Brackwater.exe\"");

  // A folder that already ends in a delimiter keeps just the one.
  form.Values().zupDir = "C:\\Zup\\";
  Accept();
  EXPECT_EQ(General(*root).ZupDir, "C:\\Zup\\");
  EXPECT_TRUE(messages.shown.empty());
}

TEST_F(PreferencesTest, SwappingTheToggleKeyWithAnotherStandardKeyRegistersBoth) {
  core.Start();
  Open();
  form.HotkeyChanged(HotkeyBox::Toggle, "Shift+Ctrl+.");
  form.HotkeyChanged(HotkeyBox::Indent, "Shift+Ctrl+PgUp");
  ASSERT_TRUE(view.ok);
  Accept();

  EXPECT_TRUE(messages.shown.empty());
  EXPECT_EQ(registrar.IdOf(kModCtrlShift, 0xBE), kToggleHotkeysId);
  EXPECT_EQ(registrar.IdOf(kModCtrlShift, 0x21), kIndentId);
  EXPECT_EQ(registrar.Registered().size(), 9u);
}

TEST_F(PreferencesTest, OnlyAKeyHeldByAnotherProgramIsReported) {
  AddTemplate(*root, "Header", kCtrlShift | 'H');
  core.Start();
  registrar.HoldElsewhere(kModCtrlShift, 'G');
  Open();
  form.HotkeyChanged(HotkeyBox::Toggle, "Shift+Ctrl+G");
  form.HotkeyChanged(HotkeyBox::Open, "Shift+Ctrl+PgUp");
  Accept();

  EXPECT_EQ(ErrorTexts(), std::vector<std::string>{"Brackwater failed to register standard hotkey 'Shift+Ctrl+G'.\r\n"
                                                   "Please check for duplicate hotkey definitions."});
  EXPECT_FALSE(registrar.IsRegistered(kToggleHotkeysId));
  // The other settings are applied all the same.
  EXPECT_EQ(registrar.IdOf(kModCtrlShift, 0x21), kOpenBrackwaterId);
  EXPECT_EQ(registrar.IdOf(kModCtrlShift, 'H'), kFirstItemId);
}

TEST_F(PreferencesTest, ConfigurationFolderMovesTheFileThereAndBack) {
  const auto loaded = configFile.Load();
  configFile.Save(*root, false);
  ASSERT_TRUE(fs::exists(DefaultPath()));
  fs::create_directory(temp / "cfg");
  Open();

  form.FolderChanged(FolderBox::Config, temp / "cfg");
  Accept();
  EXPECT_EQ(registry.ReadString(kLocationKey, "Folder"), temp / "cfg");
  EXPECT_TRUE(fs::exists(temp / "cfg/Brackwater.config"));
  EXPECT_FALSE(fs::exists(DefaultPath()));

  // The same folder, with a delimiter this time: nothing moves.
  form.FolderChanged(FolderBox::Config, temp / "cfg/");
  Accept();
  EXPECT_TRUE(fs::exists(temp / "cfg/Brackwater.config"));

  // Emptied: the key goes and the file comes back to the default folder.
  form.FolderChanged(FolderBox::Config, "");
  Accept();
  EXPECT_EQ(registry.ReadString(kLocationKey, "Folder"), std::nullopt);
  EXPECT_TRUE(fs::exists(DefaultPath()));
  EXPECT_FALSE(fs::exists(temp / "cfg/Brackwater.config"));
}

TEST_F(PreferencesTest, AChangedAuthorIsUsedByTheNextExpansion) {
  General(*root).Author = "Old Name";
  SetReservedVariables(General(*root));
  core.Start();
  Open();
  form.Values().author = "New Name";
  form.Values().initials = "";
  form.Values().company = "Contoso";
  Accept();

  auto& vars = General(*root).VarList;
  EXPECT_EQ(VariableValue(vars, "Author"), "New Name");
  EXPECT_FALSE(FindVariable(vars, "Initials").has_value());  // an empty field removes the line

  ScriptedAsker asker;
  asker.answers["Initials"] = "NN";
  fake::FixedLocalTime clock({2024, 1, 2, 3, 4, 5});
  fake::FakeLocale locale;
  const auto expanded = ExpandTemplate("<<Author>>", {vars, asker, clock, locale});
  ASSERT_TRUE(expanded.has_value());
  EXPECT_EQ(expanded->text, "New Name");
  // Only the emptied reserved variable is asked for.
  ASSERT_EQ(asker.asked.size(), 1u);
  EXPECT_EQ(asker.asked[0].first, "Initials");
}

}  // namespace
}  // namespace bw::test
