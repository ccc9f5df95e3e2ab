#include "launch/navision_item_dialog.h"

#include <gtest/gtest.h>

#include <fstream>
#include <map>

#include "platform/fake/fake_file_versions.h"
#include "platform/fake/fake_key_names.h"
#include "platform/fake/recording_messages.h"
#include "platform/fake/temp_folder.h"
#include "platform/native/native_file_system.h"

namespace bw {
namespace {

using Kind = platform::RecordingMessages::Shown::Kind;
using enum ItemControl;

class RecordingView : public ItemDialogView {
public:
  void Update(ItemControl control, const ControlState& state) override { shown[control] = state; }
  void SetHotkeyColour(Rgb value) override { colour = value; }
  void ShowHint(ItemControl field, std::string_view text) override { hints.emplace_back(field, text); }
  void SetCaption(std::string_view text) override { caption = text; }
  void UsePluginLayout() override { pluginLayout = true; }
  void InsertServer(std::size_t at, const std::string& name) override { insertedServers.emplace_back(at, name); }
  void SetBusy(bool busy) override { busyChanges.push_back(busy); }
  // The advanced dialog as shown: what it held, then the user's edits, then OK or Cancel.
  bool EditAdvanced(ClientAdvancedDialog& advanced) override {
    advancedShown.push_back(advanced.Values());
    if (advancedEdit) advancedEdit(advanced);
    return advancedOk && advanced.ConfirmOk();
  }

  std::map<ItemControl, ControlState> shown;
  Rgb colour;
  std::vector<std::pair<ItemControl, std::string>> hints;
  std::string caption;
  bool pluginLayout = false;
  std::vector<std::pair<std::size_t, std::string>> insertedServers;
  std::vector<bool> busyChanges;
  std::vector<ClientAdvancedSettings> advancedShown;
  std::function<void(ClientAdvancedDialog&)> advancedEdit;
  bool advancedOk = true;
};

class ScriptedFileDialogs : public platform::FileDialogs {
public:
  std::optional<std::string> OpenFile(const platform::OpenFileRequest& request) override {
    requests.push_back(request);
    return answer;
  }
  std::optional<std::string> SaveFile(const platform::SaveFileRequest&) override { return std::nullopt; }
  std::optional<std::string> answer;
  std::vector<platform::OpenFileRequest> requests;
};

class TableServicePorts : public platform::ServicePorts {
public:
  std::optional<int> TcpPort(const std::string& name) override {
    const auto found = ports.find(name);
    return found == ports.end() ? std::nullopt : std::optional<int>(found->second);
  }
  std::map<std::string, int> ports;
};

// Knows one environment reference, NAVDIR, naming the test's folder.
class OneVariableShell : public platform::Shell {
public:
  explicit OneVariableShell(std::string navDir) : navDir_(std::move(navDir)) {}
  std::string ExpandEnvironment(std::string_view text) override {
    std::string out(text);
    if (const auto at = out.find("%NAVDIR%"); at != std::string::npos) out.replace(at, 8, navDir_);
    return out;
  }
  bool Execute(const platform::ShellRequest&) override { return false; }

private:
  std::string navDir_;
};

class FakeSqlTools : public SqlServerTools {
public:
  DiscoveredServers DiscoverServers(const std::function<void(const std::vector<std::string>&)>& update) override {
    ++discoveries;
    if (!found.names.empty()) update({found.names.back()});  // the first reply
    return found;
  }
  std::optional<std::string> PickDatabase(const platform::SqlLogin& login) override {
    logins.push_back(login);
    return picked;
  }
  void TestConnection(const platform::SqlLogin& login) override { logins.push_back(login); }

  DiscoveredServers found;
  int discoveries = 0;
  std::optional<std::string> picked;
  std::vector<platform::SqlLogin> logins;
};

class NavisionItemDialogTest : public ::testing::Test {
protected:
  NavisionItemDialogTest() { dialog.Attach(&view); }

  // A configuration as the management window loads a new one.
  void LoadNewConfiguration() {
    dialog.SetPort(2407);
    dialog.SetNetType("TCP");
    dialog.SetUseServer(false);
    dialog.SetMode(ItemDialogMode::Configuration);
  }

  std::string MakeFile(const std::string& name) {
    const std::string path = folder / name;
    std::ofstream(path) << "MZ";
    return path;
  }

  bool Enabled(ItemControl control) const { return dialog.State(control).enabled; }
  bool Visible(ItemControl control) const { return dialog.State(control).visible; }

  platform::FakeKeyNames keys;
  platform::NativeFileSystem files;
  platform::RecordingMessages messages;
  ScriptedFileDialogs fileDialogs;
  TableServicePorts services;
  FakeSqlTools sql;
  platform::TempFolder folder;
  OneVariableShell shell{folder / ""};
  platform::FakeFileVersions versions;
  NavisionItemDialog dialog{{keys, files, messages, fileDialogs, services, &sql, &shell, &versions}, "Brackwater"};
  RecordingView view;
};

TEST_F(NavisionItemDialogTest, LocationFileNameChoosesTheLayoutInAnyLetterCase) {
  LoadNewConfiguration();
  EXPECT_FALSE(dialog.IsNative());  // an empty location opens the SQL layout
  EXPECT_TRUE(Visible(ServerList));
  EXPECT_TRUE(Visible(ItemControl::Test));
  EXPECT_FALSE(Visible(RadServer));

  dialog.TextChanged(Location, "C:\\Nav\\Fin.Exe");
  EXPECT_TRUE(dialog.IsNative());
  for (const ItemControl control : {RadDatabase, RadServer, Server, Port, NetType}) EXPECT_TRUE(Visible(control));
  for (const ItemControl control : {DatabaseLabel, ServerLabel, ServerList, ItemControl::Test})
    EXPECT_FALSE(Visible(control));
  EXPECT_TRUE(view.shown[RadServer].visible);  // the view follows

  for (const char* other : {"C:\\Nav\\finsql.exe", "C:\\Nav\\fin.exe.bak", "C:\\fin.exe\\other.exe", "fin"}) {
    dialog.TextChanged(Location, other);
    EXPECT_FALSE(dialog.IsNative()) << other;
  }
  dialog.TextChanged(Location, "FIN.EXE");
  EXPECT_TRUE(dialog.IsNative());
  // A caller's value gives way to the location at once.
  dialog.SetIsNative(false);
  EXPECT_TRUE(dialog.IsNative());
}

TEST_F(NavisionItemDialogTest, OkNeedsANameAndALocationOrTheFolderBox) {
  LoadNewConfiguration();
  EXPECT_FALSE(Enabled(Ok));
  dialog.TextChanged(Name, "Live");
  EXPECT_FALSE(Enabled(Ok));
  dialog.Clicked(IsSubMenu);
  EXPECT_TRUE(Enabled(Ok));
  EXPECT_TRUE(dialog.ConfirmOk());  // a folder needs no file
  EXPECT_TRUE(messages.shown.empty());
  dialog.Clicked(IsSubMenu);
  EXPECT_FALSE(Enabled(Ok));
  dialog.TextChanged(Location, "x.exe");
  EXPECT_TRUE(Enabled(Ok));
  dialog.TextChanged(Name, "");
  EXPECT_FALSE(Enabled(Ok));
  EXPECT_FALSE(dialog.ConfirmOk());
}

TEST_F(NavisionItemDialogTest, OkRefusesAMissingExecutableAndAPortThatIsNoNumber) {
  LoadNewConfiguration();
  dialog.SetName("Live");
  dialog.SetLocation(folder / "finsql.exe");
  EXPECT_FALSE(dialog.ConfirmOk());
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].kind, Kind::Error);
  EXPECT_EQ(messages.shown[0].text,
            "Cannot locate the file '" + (folder / "finsql.exe") + "'.\r\nPlease enter a valid filename.");
  EXPECT_EQ(dialog.Location(), folder / "finsql.exe");  // the values stay as they are

  MakeFile("finsql.exe");
  EXPECT_TRUE(dialog.ConfirmOk());
  // A location with environment references is checked expanded and kept as typed.
  dialog.SetLocation("%NAVDIR%/finsql.exe");
  EXPECT_TRUE(dialog.ConfirmOk());
  EXPECT_EQ(dialog.Location(), "%NAVDIR%/finsql.exe");
  dialog.SetLocation("%OTHER%/finsql.exe");
  EXPECT_FALSE(dialog.ConfirmOk());
  EXPECT_EQ(messages.shown.back().text, "Cannot locate the file '%OTHER%/finsql.exe'.\r\nPlease enter a valid filename.");

  // Pasted text and eleven digits get past the key filter but not past OK, while the port can
  // be reached: hidden (SQL layout) or disabled (database, Netb) it never blocks OK.
  dialog.SetLocation(MakeFile("fin.exe"));
  const auto okWith = [&](bool server, const char* netType) {
    dialog.SetUseServer(server);
    dialog.SetNetType(netType);
    return dialog.ConfirmOk();
  };
  for (const char* bad : {"24o7", "99999999999", "2147483648"}) {
    dialog.TextChanged(Port, bad);
    const std::size_t before = messages.shown.size();
    EXPECT_TRUE(okWith(false, "TCP")) << bad;
    EXPECT_TRUE(okWith(true, "Netb")) << bad;
    EXPECT_EQ(messages.shown.size(), before);
    EXPECT_FALSE(okWith(true, "TCP")) << bad;
    EXPECT_NE(messages.shown.back().text.find("Port"), std::string::npos);
    EXPECT_NE(messages.shown.back().text.find(bad), std::string::npos);
  }
  dialog.TextChanged(Port, "2147483647");
  EXPECT_TRUE(dialog.ConfirmOk());
  EXPECT_EQ(dialog.Port(), 2147483647);
  dialog.SetLocation(folder / "finsql.exe");
  dialog.TextChanged(Port, "24o7");
  EXPECT_TRUE(dialog.ConfirmOk());
}

TEST_F(NavisionItemDialogTest, ValuesReadBackAsTheCallerStoresThem) {
  LoadNewConfiguration();
  EXPECT_EQ(dialog.Port(), 2407);
  dialog.SetPort(-1);
  EXPECT_EQ(dialog.State(Port).text, "");
  EXPECT_EQ(dialog.Port(), -1);
  dialog.SetPort(0);
  EXPECT_EQ(dialog.Port(), 0);

  EXPECT_EQ(dialog.NetType(), "TCP");
  dialog.SetNetType("tcps");  // exact comparison: no match, choice unchanged
  EXPECT_EQ(dialog.NetType(), "TCP");
  dialog.SetNetType("TCPS");
  EXPECT_EQ(dialog.NetType(), "TCPS");

  NavisionItemDialog fresh{{keys, files, messages, fileDialogs, services, nullptr}, "Brackwater"};
  fresh.SetNetType("SPX");  // a stored type not in the list reads back empty
  EXPECT_EQ(fresh.NetType(), "");

  dialog.SetServer("NAVSRV");
  EXPECT_EQ(dialog.Server(), "NAVSRV");
  dialog.TextChanged(ServerList, "SQL01\\NAV");
  EXPECT_EQ(dialog.Server(), "SQL01\\NAV");  // SQL layout: the list's text
  dialog.SetLocation("C:\\Nav\\fin.exe");
  EXPECT_EQ(dialog.Server(), "NAVSRV");  // native: the server field

  dialog.SetHotkey(0x6054);
  EXPECT_EQ(dialog.State(Hotkey).text, "Shift+Ctrl+T");
  EXPECT_EQ(dialog.Hotkey(), 0x6054);
  dialog.SetHotkey(0);
  EXPECT_EQ(dialog.State(Hotkey).text, "");

  dialog.SetCreateInRoot(true);
  EXPECT_TRUE(dialog.CreateInRoot());
  EXPECT_FALSE(Enabled(InRoot));
  dialog.SetCreateInRoot(false);
  EXPECT_TRUE(Enabled(InRoot));

  // Editing an existing record: neither its place nor its kind can change.
  dialog.LockPlacement();
  dialog.SetFolder(true);
  dialog.SetLocation("C:\\Nav\\finsql.exe");
  EXPECT_FALSE(Enabled(InRoot));
  EXPECT_FALSE(Enabled(IsSubMenu));
}

TEST_F(NavisionItemDialogTest, NativeServerAndDatabaseModesEnableTheirFields) {
  LoadNewConfiguration();
  dialog.SetLocation("C:\\Nav\\fin.exe");
  EXPECT_TRUE(Enabled(Database));
  for (const ItemControl control : {Server, Port, NetType}) EXPECT_FALSE(Enabled(control));

  dialog.Clicked(RadServer);
  EXPECT_TRUE(dialog.UseServer());
  EXPECT_FALSE(dialog.State(RadDatabase).checked);
  EXPECT_FALSE(Enabled(Database));
  for (const ItemControl control : {Server, Port, NetType}) EXPECT_TRUE(Enabled(control));
  // The database button, the company and the login keep their state in both modes.
  for (const ItemControl control : {DatabaseButton, Company, Username, Password}) EXPECT_TRUE(Enabled(control));

  dialog.NetTypeChosen(1);  // Netb
  EXPECT_FALSE(Enabled(Port));
  EXPECT_EQ(dialog.Port(), 2407);  // the text stays and is stored
  dialog.NetTypeChosen(0);
  EXPECT_TRUE(Enabled(Port));

  // SQL layout: both fields open, port and network type closed.
  dialog.SetLocation("C:\\Nav\\finsql.exe");
  EXPECT_TRUE(Enabled(Database));
  EXPECT_TRUE(Enabled(ServerList));
  EXPECT_FALSE(Enabled(Port));
  EXPECT_FALSE(Enabled(NetType));
}

TEST_F(NavisionItemDialogTest, FolderBoxDisablesEverythingAndClearingItRestoresTheRules) {
  LoadNewConfiguration();
  dialog.SetLocation("C:\\Nav\\fin.exe");
  dialog.SetNTAuthentication(true);
  dialog.SetFolder(true);
  for (const ItemControl control : {Location, Database, Server, Port, NetType, Company, ServerList, Username, Password,
                                    UseNT, RadDatabase, RadServer, Browse, DatabaseButton, Hotkey})
    EXPECT_FALSE(Enabled(control));
  EXPECT_TRUE(Enabled(Name));
  dialog.Clicked(Browse);  // a disabled button does nothing, F6 included
  EXPECT_FALSE(dialog.KeyPressed(Name, 0x75, false));
  EXPECT_TRUE(fileDialogs.requests.empty());

  dialog.SetFolder(false);
  EXPECT_TRUE(Enabled(Database));  // "Database" is selected
  EXPECT_FALSE(Enabled(Server));
  EXPECT_FALSE(Enabled(Port));
  EXPECT_FALSE(Enabled(Username));  // NT authentication is still ticked
  EXPECT_TRUE(Enabled(Location));
}

TEST_F(NavisionItemDialogTest, NtAuthenticationDisablesTheLoginButKeepsItsTexts) {
  LoadNewConfiguration();
  dialog.SetUserName("sa");
  dialog.SetPassword("secret");
  dialog.Clicked(UseNT);
  EXPECT_TRUE(dialog.NTAuthentication());
  EXPECT_FALSE(Enabled(Username));
  EXPECT_FALSE(Enabled(Password));
  EXPECT_EQ(dialog.UserName(), "sa");
  EXPECT_EQ(dialog.Password(), "secret");
  dialog.Clicked(UseNT);
  EXPECT_TRUE(Enabled(Password));
}

TEST_F(NavisionItemDialogTest, KeyFiltersSwallowRefusedKeysWithOneHint) {
  LoadNewConfiguration();
  for (const char c : std::string("/\\:*?\"<>|()")) EXPECT_FALSE(dialog.KeyTyped(Name, c)) << c;
  for (const char c : std::string("aZ9 .-_\b\x16\x03")) EXPECT_TRUE(dialog.KeyTyped(Name, c)) << int{c};
  ASSERT_EQ(view.hints.size(), 1u);  // further refused keys while it shows: no new bubble
  EXPECT_EQ(view.hints[0].first, Name);
  EXPECT_EQ(view.hints[0].second, "Name cannot support these characters:\r\n\r\n/ \\ : * ? \" < > | ( )");

  dialog.HintGone();
  for (const char c : std::string("0123456789\b")) EXPECT_TRUE(dialog.KeyTyped(Port, c));
  for (const char c : std::string("a-+ \x16\x03\x18\r")) EXPECT_FALSE(dialog.KeyTyped(Port, c)) << int{c};
  ASSERT_EQ(view.hints.size(), 2u);
  EXPECT_EQ(view.hints[1], std::make_pair(Port, std::string("Port is a numeric value.")));
  EXPECT_TRUE(dialog.KeyTyped(Company, '/'));  // other fields take everything
}

TEST_F(NavisionItemDialogTest, PastedNameLosesRefusedCharacters) {
  LoadNewConfiguration();
  dialog.TextChanged(Name, "Live (4.0) *new*");
  EXPECT_EQ(dialog.Name(), "Live 4.0 new");
  EXPECT_EQ(view.shown[Name].text, "Live 4.0 new");
  EXPECT_EQ(view.hints.size(), 1u);
}

TEST_F(NavisionItemDialogTest, HotkeyFieldIsRedWhileInvalidAndCanonicalOnLeaving) {
  LoadNewConfiguration();
  dialog.TextChanged(Hotkey, "ctrl+shift+");
  EXPECT_EQ(view.colour, kBadHotkeyTextColour);
  dialog.TextChanged(Hotkey, "ctrl+shift+home");
  EXPECT_EQ(view.colour, kHotkeyTextColour);
  dialog.FocusLost(Hotkey);
  EXPECT_EQ(view.shown[Hotkey].text, "Shift+Ctrl+Home");
  EXPECT_EQ(dialog.Hotkey(), 0x6024);
  dialog.TextChanged(Hotkey, "Ctrl+Nothing");
  EXPECT_EQ(dialog.Hotkey(), 0);
  dialog.FocusLost(Hotkey);
  EXPECT_EQ(view.shown[Hotkey].text, "");
}

TEST_F(NavisionItemDialogTest, LeavingTheServerFieldLooksUpItsPort) {
  LoadNewConfiguration();
  services.ports["navsrv"] = 7046;
  dialog.TextChanged(Server, "unknown");
  dialog.FocusLost(Server);
  EXPECT_EQ(dialog.Port(), 2407);
  dialog.TextChanged(Server, "navsrv");
  dialog.FocusLost(Server);
  EXPECT_EQ(dialog.Port(), 7046);
  EXPECT_EQ(view.shown[Port].text, "7046");
}

TEST_F(NavisionItemDialogTest, BrowseStartsAtTheLocationOrTheLastOneAndRemembersTheFolder) {
  LoadNewConfiguration();
  dialog.SetLastLocation("D:\\Clients\\");
  fileDialogs.answer = "E:\\Nav 4\\fin.exe";
  EXPECT_TRUE(dialog.KeyPressed(Location, 0x75, false));  // F6
  ASSERT_EQ(fileDialogs.requests.size(), 1u);
  EXPECT_EQ(fileDialogs.requests[0].folder, "D:\\Clients\\");
  EXPECT_EQ(fileDialogs.requests[0].fileName, "");
  EXPECT_EQ(fileDialogs.requests[0].filter, "Executable Files (*.exe)|*.exe|All files (*.*)|*.*");
  EXPECT_EQ(fileDialogs.requests[0].title, "Select executable file...");
  EXPECT_EQ(dialog.Location(), "E:\\Nav 4\\fin.exe");
  EXPECT_TRUE(dialog.IsNative());
  EXPECT_EQ(dialog.LastLocation(), "E:\\Nav 4\\");

  fileDialogs.answer.reset();  // cancelled: nothing changes
  dialog.Clicked(Browse);
  EXPECT_EQ(fileDialogs.requests[1].folder, "E:\\Nav 4\\");
  EXPECT_EQ(fileDialogs.requests[1].fileName, "fin.exe");
  EXPECT_EQ(dialog.Location(), "E:\\Nav 4\\fin.exe");
  EXPECT_FALSE(dialog.KeyPressed(Location, 0x75, true));  // Shift+F6 is no browse

  // The native database button browses for a database file.
  dialog.SetLastDatabaseLocation("F:\\Db\\");
  fileDialogs.answer = "F:\\Db\\demo.fdb";
  EXPECT_TRUE(dialog.KeyPressed(Database, 0x75, false));
  EXPECT_EQ(fileDialogs.requests[2].filter, "Database Files (*.fdb)|*.fdb");
  EXPECT_EQ(fileDialogs.requests[2].title, "Select database file...");
  EXPECT_EQ(dialog.Database(), "F:\\Db\\demo.fdb");
  EXPECT_EQ(dialog.LastDatabaseLocation(), "F:\\Db\\");
  EXPECT_TRUE(sql.logins.empty());
}

TEST_F(NavisionItemDialogTest, SqlListDiscoversUntilItFindsAndButtonsUseTheLogin) {
  LoadNewConfiguration();
  dialog.ServerListOpening();  // nothing answers: no message, and the next drop-down tries again
  dialog.ServerListOpening();
  EXPECT_EQ(sql.discoveries, 2);
  sql.found = {{"SQL01", "SQL02\\NAV"}, true};  // some found, then a socket error
  dialog.ServerListOpening();
  // Each reply shows at once; the end of the search adds only what the list lacks, at its place.
  EXPECT_EQ(view.insertedServers,
            (std::vector<std::pair<std::size_t, std::string>>{{0, "SQL02\\NAV"}, {0, "SQL01"}}));
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].kind, Kind::Warning);
  EXPECT_EQ(messages.shown[0].text, "Cannot discover active SQL servers. Is SQL server installed on this system?");
  dialog.ServerListOpening();
  EXPECT_EQ(sql.discoveries, 3);
  EXPECT_EQ(view.busyChanges, (std::vector<bool>{true, false, true, false, true, false}));

  dialog.TextChanged(ServerList, "SQL01");
  dialog.SetUserName("nav");
  dialog.SetPassword("p;w={x");
  sql.picked = "Cronus";
  dialog.Clicked(DatabaseButton);
  EXPECT_EQ(dialog.Database(), "Cronus");
  sql.picked.reset();
  dialog.Clicked(DatabaseButton);  // nothing picked: the field stays
  EXPECT_EQ(dialog.Database(), "Cronus");
  dialog.SetNTAuthentication(true);
  dialog.Clicked(ItemControl::Test);
  ASSERT_EQ(sql.logins.size(), 3u);
  EXPECT_EQ(sql.logins[0].server, "SQL01");
  EXPECT_EQ(sql.logins[0].password, "p;w={x");
  EXPECT_FALSE(sql.logins[0].windowsLogin);
  EXPECT_TRUE(sql.logins[2].windowsLogin);
  EXPECT_TRUE(fileDialogs.requests.empty());
}

TEST_F(NavisionItemDialogTest, PluginModeShowsTheUpperFrameAndParametersOnly) {
  dialog.SetName("Notepad");
  dialog.SetLocation("C:\\Windows\\notepad.exe");
  dialog.SetParameters("%TEMP%\\a.txt");
  dialog.SetMode(ItemDialogMode::Plugin);
  EXPECT_TRUE(view.pluginLayout);
  EXPECT_EQ(view.caption, "Brackwater Plug-In Configuration");
  for (const ItemControl control : {LowerFrame, RadServer, RadDatabase, Server, Port, NetType, ServerList, Database,
                                    DatabaseButton, ServerLabel, DatabaseLabel, Company, UseNT, Username, Password,
                                    ItemControl::Test, IsSubMenu, InRoot})
    EXPECT_FALSE(Visible(control));
  for (const ItemControl control : {Name, Location, Browse, Parameters, Hotkey, Ok}) EXPECT_TRUE(Visible(control));
  // Typing fin.exe there changes no layout.
  dialog.TextChanged(Location, "C:\\Nav\\fin.exe");
  EXPECT_FALSE(Visible(RadServer));
  EXPECT_EQ(dialog.Parameters(), "%TEMP%\\a.txt");
  EXPECT_FALSE(dialog.KeyTyped(Name, '|'));

  EXPECT_EQ(dialog.HelpNumber(std::nullopt), 40);
  EXPECT_EQ(dialog.HelpNumber(Name), 41);
  EXPECT_EQ(dialog.HelpNumber(Location), 42);
  EXPECT_EQ(dialog.HelpNumber(Parameters), 60);
  EXPECT_EQ(dialog.HelpNumber(Hotkey), 61);
  EXPECT_EQ(dialog.HelpNumber(Ok), 40);
}

TEST_F(NavisionItemDialogTest, ConfigurationModeCaptionAndHelpNumbers) {
  LoadNewConfiguration();
  EXPECT_EQ(view.caption, "Brackwater Navision Configuration");
  EXPECT_FALSE(view.pluginLayout);
  EXPECT_FALSE(Visible(Parameters));
  const std::pair<std::optional<ItemControl>, int> numbers[] = {
      {std::nullopt, 20}, {Name, 21},      {Location, 22},   {Database, 23}, {RadDatabase, 23}, {Server, 24},
      {RadServer, 24},    {ServerList, 24}, {Port, 25},      {Company, 26},  {IsSubMenu, 27},   {UseNT, 28},
      {Username, 29},     {Password, 50},  {Hotkey, 61},     {NetType, 20},  {Browse, 20},      {Advanced, 64}};
  for (const auto& [control, number] : numbers) EXPECT_EQ(dialog.HelpNumber(control), number);
}

// The executable's version, read as the dialog opens, on browsing and on leaving the location
// field: shown for SQL clients, with "Advanced..." held back from the known older ones only.
TEST_F(NavisionItemDialogTest, VersionAndAdvancedFollowTheClientKindAndVersion) {
  versions.versions["C:\\Nav90\\finsql.exe"] = {9, 0, 43402, 0, "Microsoft Dynamics NAV"};
  versions.versions["C:\\Nav50\\finsql.exe"] = {5, 0, 25638, 0, ""};
  versions.versions["C:\\Nav90\\fin.exe"] = {9, 0, 43402, 0, ""};
  struct Row {
    const char* location;
    const char* label;
    bool labelShown, advancedShown;
  };
  const Row rows[] = {
      {"C:\\Nav90\\finsql.exe", "Dynamics NAV 2016, 9.0.43402.0", true, true},
      {"C:\\Nav50\\finsql.exe", "Dynamics NAV 5.0, 5.0.25638.0", true, false},  // older than NAV 2013
      {"C:\\Other\\finsql.exe", "", false, true},  // no version resource
      // A native client's dialog is as it always was.
      {"C:\\Nav90\\fin.exe", "Dynamics NAV 2016, 9.0.43402.0", false, false},
      {"", "", false, true},
  };
  for (const Row& row : rows) {
    for (const bool opening : {true, false}) {
      NavisionItemDialog fresh{{keys, files, messages, fileDialogs, services, &sql, &shell, &versions}, "Brackwater"};
      if (opening) {
        fresh.SetLocation(row.location);
        fresh.SetMode(ItemDialogMode::Configuration);
      } else {
        fresh.SetMode(ItemDialogMode::Configuration);
        fresh.TextChanged(Location, row.location);
        fresh.FocusLost(Location);
      }
      EXPECT_EQ(fresh.State(VersionLabel).text, row.label) << row.location;
      EXPECT_EQ(fresh.State(VersionLabel).visible, row.labelShown) << row.location;
      EXPECT_EQ(fresh.State(Advanced).visible, row.advancedShown) << row.location;
      if (row.advancedShown) {
        EXPECT_TRUE(fresh.State(Advanced).enabled) << row.location;
      }
    }
  }
  // A folder and plug-in mode have no advanced settings.
  LoadNewConfiguration();
  dialog.SetFolder(true);
  EXPECT_FALSE(Enabled(Advanced));
  dialog.SetFolder(false);
  EXPECT_TRUE(Enabled(Advanced));
  NavisionItemDialog plugin{{keys, files, messages, fileDialogs, services, &sql, &shell, &versions}, "Brackwater"};
  plugin.SetLocation("C:\\Nav90\\finsql.exe");
  plugin.SetMode(ItemDialogMode::Plugin);
  EXPECT_FALSE(plugin.State(Advanced).visible);
  EXPECT_FALSE(plugin.State(VersionLabel).visible);
}

TEST_F(NavisionItemDialogTest, VersionIsReadOncePerPathAndNotWhileTyping) {
  versions.versions["C:\\Nav90\\finsql.exe"] = {9, 0, 43402, 0, ""};
  dialog.SetLocation("C:\\Nav90\\finsql.exe");
  LoadNewConfiguration();
  ASSERT_EQ(versions.reads.size(), 1u);
  dialog.FocusLost(Location);  // left unchanged: nothing read again
  for (const char* typed : {"C:\\Nav90\\finsql.ex", "C:\\Nav90\\finsql.e", "C:\\Nav90\\finsql.ex"})
    dialog.TextChanged(Location, typed);
  EXPECT_EQ(versions.reads.size(), 1u);
  EXPECT_EQ(dialog.State(VersionLabel).text, "");  // a path being typed has no version yet
  EXPECT_FALSE(dialog.ClientVersion().has_value());
  dialog.TextChanged(Location, "C:\\Nav90\\finsql.exe");
  dialog.FocusLost(Location);
  EXPECT_EQ(versions.reads.size(), 2u);
  EXPECT_EQ(view.shown[VersionLabel].text, "Dynamics NAV 2016, 9.0.43402.0");
  // Environment references are expanded for the read, as for OK's check.
  dialog.TextChanged(Location, "%NAVDIR%finsql.exe");
  dialog.FocusLost(Location);
  EXPECT_EQ(versions.reads.back(), folder / "finsql.exe");
}

// A client with the new C/AL editor chosen for a new configuration starts the classic editor,
// said once by a bubble; an existing configuration keeps what it stores.
TEST_F(NavisionItemDialogTest, ClassicEditorIsPresetWhenANewEditorClientIsChosenForANewConfiguration) {
  versions.versions["D:\\NAV2016\\finsql.exe"] = {9, 0, 43402, 0, ""};
  versions.versions["D:\\BC14\\finsql.exe"] = {14, 0, 29530, 0, ""};
  versions.versions["D:\\NAV2015\\finsql.exe"] = {8, 0, 37874, 0, ""};
  struct Row {
    bool newRecord;
    const char* chosen;
    bool browsed;  // else typed and the field left
    bool classicEditor;
  };
  const Row rows[] = {
      {true, "D:\\NAV2016\\finsql.exe", true, true},   {true, "D:\\BC14\\finsql.exe", false, true},
      {true, "D:\\NAV2015\\finsql.exe", true, false},  {true, "D:\\Other\\finsql.exe", true, false},
      {false, "D:\\NAV2016\\finsql.exe", true, false}, {false, "D:\\BC14\\finsql.exe", false, false},
  };
  for (const Row& row : rows) {
    RecordingView shown;
    NavisionItemDialog fresh{{keys, files, messages, fileDialogs, services, &sql, &shell, &versions}, "Brackwater"};
    fresh.Attach(&shown);
    fresh.SetNewRecord(row.newRecord);
    fresh.SetMode(ItemDialogMode::Configuration);
    if (row.browsed) {
      fileDialogs.answer = row.chosen;
      fresh.Clicked(Browse);
    } else {
      fresh.TextChanged(Location, row.chosen);
      fresh.FocusLost(Location);
    }
    EXPECT_EQ(fresh.Advanced().useOldEditor, row.classicEditor) << row.chosen << row.newRecord;
    EXPECT_EQ(shown.hints.size(), row.classicEditor ? 1u : 0u) << row.chosen;
    if (row.classicEditor) {
      EXPECT_EQ(shown.hints[0], std::make_pair(Advanced, std::string(kClassicEditorTip)));
      // Another new-editor client later in the same dialog: no second bubble.
      fresh.TextChanged(Location, "D:\\NAV2016\\finsql.exe");
      fresh.FocusLost(Location);
      fresh.TextChanged(Location, "D:\\BC14\\finsql.exe");
      fresh.FocusLost(Location);
      EXPECT_EQ(shown.hints.size(), 1u);
    }
  }
  // Opening a new configuration (a clone) with such a client keeps the stored choice.
  NavisionItemDialog clone{{keys, files, messages, fileDialogs, services, &sql, &shell, &versions}, "Brackwater"};
  clone.SetLocation("D:\\NAV2016\\finsql.exe");
  clone.SetNewRecord(true);
  clone.SetMode(ItemDialogMode::Configuration);
  EXPECT_FALSE(clone.Advanced().useOldEditor);
}

TEST_F(NavisionItemDialogTest, AdvancedButtonEditsTheSettingsAndCancelKeepsThem) {
  LoadNewConfiguration();
  ClientAdvancedSettings stored;
  stored.navServerName = "NAVSRV";
  stored.managementPort = 7045;
  stored.useOldEditor = true;
  dialog.SetAdvanced(stored);
  view.advancedEdit = [](ClientAdvancedDialog& advanced) {
    EXPECT_EQ(advanced.Text(AdvancedControl::ManagementPort), "7045");
    advanced.TextChanged(AdvancedControl::NavServerInstance, "DynamicsNAV90");
    advanced.TextChanged(AdvancedControl::Tenant, "default");
    advanced.TextChanged(AdvancedControl::ManagementPort, "");
    advanced.Toggle(AdvancedControl::GenerateSymbolReference);
    advanced.TextChanged(AdvancedControl::AdditionalArguments, "objectcache=0");
  };
  view.advancedOk = false;
  dialog.Clicked(Advanced);
  EXPECT_EQ(dialog.Advanced(), stored);
  view.advancedOk = true;
  dialog.Clicked(Advanced);
  ASSERT_EQ(view.advancedShown.size(), 2u);
  EXPECT_EQ(view.advancedShown[1], stored);
  ClientAdvancedSettings edited = stored;
  edited.navServerInstance = "DynamicsNAV90";
  edited.tenant = "default";
  edited.managementPort = 0;  // emptied: none
  edited.generateSymbolReference = true;
  edited.additionalArguments = "objectcache=0";
  EXPECT_EQ(dialog.Advanced(), edited);
}

}  // namespace
}  // namespace bw
