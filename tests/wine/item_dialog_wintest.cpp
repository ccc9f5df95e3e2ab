// The configuration and plug-in dialog under Wine: the real window run on this thread while a
// second thread types into it, clicks and closes it the way a user would. Every wait is bounded.
//
// The ItemDialogSql cases talk to the test suite's SSRP and TDS responders on 127.0.0.1, whose
// ports tests/wine/item_dialog_sql.sh passes in BW_SSRP_PORT and BW_TDS_PORT (with the ODBC set-up
// that stands FreeTDS in for SQL Server); without them those cases have nothing to talk to and
// return at once.
//
// With BW_DIALOG_SHOT_DIR set (a Windows path), the layout cases write the markers "item-sql",
// "item-native" and "item-plugin" there while the dialog shows and wait for "shot-taken".
#include <windows.h>
#include <commctrl.h>

#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "launch/navision_item_dialog.h"
#include "platform/win32/win32_file_system.h"
#include "platform/win32/win32_file_versions.h"
#include "platform/win32/win32_key_names.h"
#include "platform/win32/win32_messages.h"
#include "platform/win32/win32_service_ports.h"
#include "ui/win32/frm_client_advanced.h"
#include "ui/win32/frm_navision_item.h"
#include "ui/win32/sql_server_dialog_tools.h"
#include "dialog_driver.h"
#include "wintest.h"

namespace {

using namespace bw::wintest;
using bw::ui::WindowText;
using bw::ItemControl;
using bw::ui::ItemControlId;

constexpr const char* kConfigurationCaption = "Brackwater Navision Configuration";
constexpr const char* kPluginCaption = "Brackwater Plug-In Configuration";

class ScriptedFileDialogs : public bw::platform::FileDialogs {
public:
  std::optional<std::string> OpenFile(const bw::platform::OpenFileRequest& request) override {
    titles.push_back(request.title);
    return answer;
  }
  std::optional<std::string> SaveFile(const bw::platform::SaveFileRequest&) override { return std::nullopt; }
  std::optional<std::string> answer;
  std::vector<std::string> titles;
};

// Stands in for the SQL Server side: servers found, a database picked, logins tried.
class ScriptedSql : public bw::SqlServerTools {
public:
  bw::DiscoveredServers DiscoverServers(const std::function<void(const std::vector<std::string>&)>&) override {
    ++discoveries;
    return {{"127.0.0.1\\NAV", "LOOPBACK"}, false};
  }
  std::optional<std::string> PickDatabase(const bw::platform::SqlLogin& login) override {
    servers.push_back(login.server);
    return std::string("Cronus");
  }
  void TestConnection(const bw::platform::SqlLogin& login) override { servers.push_back(login.server); }
  int discoveries = 0;
  std::vector<std::string> servers;
};

// One dialog's logic with the real Windows layer, except for the open-file dialog.
struct Fixture {
  bw::platform::Win32KeyNames keys;
  bw::platform::Win32FileSystem files;
  bw::platform::Win32Messages messages;
  ScriptedFileDialogs fileDialogs;
  bw::platform::Win32ServicePorts services;
  ScriptedSql sql;
  bw::platform::Win32FileVersions versions;
  bw::NavisionItemDialog logic{{keys, files, messages, fileDialogs, services, &sql, nullptr, &versions}, "Brackwater"};

  // As the management window loads a new configuration.
  Fixture() {
    logic.SetPort(2407);
    logic.SetNetType("TCP");
    logic.SetUseServer(false);
  }
};

HWND Control(HWND dialog, ItemControl control) { return GetDlgItem(dialog, ItemControlId(control)); }
bool Shown(HWND dialog, ItemControl control) { return IsWindowVisible(Control(dialog, control)) != FALSE; }
bool Enabled(HWND dialog, ItemControl control) { return IsWindowEnabled(Control(dialog, control)) != FALSE; }

void ClickButton(HWND button) {
  PostMessageA(GetParent(button), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(button), BN_CLICKED),
               reinterpret_cast<LPARAM>(button));
}

// Gives the field the focus, through the dialog's own navigation.
void Focus(HWND field) { PostMessageA(GetParent(field), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(field), TRUE); }

// Pastes over the field's whole text (sent: messages carrying text cannot be posted).
void Paste(HWND field, const char* text) {
  SendMessageA(field, EM_SETSEL, 0, -1);
  SendMessageA(field, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text));
}

// Replaces a field's text as typing would: select all, then the characters.
void Retype(HWND field, const std::string& text) {
  PostMessageA(field, EM_SETSEL, 0, -1);
  PostMessageA(field, WM_CHAR, '\b', 1);
  Type(field, text);
}

SIZE ClientSize(HWND dialog) {
  RECT area{};
  GetClientRect(dialog, &area);
  return {area.right, area.bottom};
}

std::string ProgramPath() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  return path;
}

// An empty file named fin.exe in a folder of the test's own: a native client for the dialog.
std::string NativeClientFile() {
  char temp[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, temp);
  const std::string folder = std::string(temp) + "bw-item-dialog";
  CreateDirectoryA(folder.c_str(), nullptr);
  const std::string path = folder + "\\fin.exe";
  std::ofstream(path, std::ios::binary) << "MZ";
  return path;
}

std::string FolderOfProgram() {
  const std::string path = ProgramPath();
  return path.substr(0, path.find_last_of('\\') + 1);
}

// A visible tooltip of this process: the hint bubble.
struct TipSearch {
  HWND found = nullptr;
};

BOOL CALLBACK MatchTip(HWND window, LPARAM data) {
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  char className[64] = {};
  GetClassNameA(window, className, sizeof className);
  if (process == GetCurrentProcessId() && IsWindowVisible(window) && std::string(className) == TOOLTIPS_CLASSA) {
    reinterpret_cast<TipSearch*>(data)->found = window;
    return FALSE;
  }
  return TRUE;
}

HWND VisibleTip() {
  TipSearch search;
  EnumWindows(&MatchTip, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// ---------------------------------------------------------------------------------------------

WINTEST(ItemDialog, TypingALocationSwitchesBetweenTheSqlAndTheNativeLayout) {
  Fixture f;
  f.logic.SetMode(bw::ItemDialogMode::Configuration);
  SIZE client{};
  bool sqlLayout = false, nativeLayout = false, sqlAgain = false, okAtFirst = true, okWithBoth = false;
  bool portDisabledByNetb = false;
  std::string portAfterNetb;
  {
    Driver driver([&] {
      const HWND dialog = WaitForDialog(kConfigurationCaption);
      ASSERT_TRUE(dialog != nullptr);
      client = ClientSize(dialog);
      okAtFirst = Enabled(dialog, ItemControl::Ok);
      sqlLayout = Shown(dialog, ItemControl::ServerList) && Shown(dialog, ItemControl::Test) &&
                  Shown(dialog, ItemControl::ServerLabel) && !Shown(dialog, ItemControl::RadServer) &&
                  !Shown(dialog, ItemControl::Port);
      Type(Control(dialog, ItemControl::Name), "Live");
      WaitForPhotograph("item-sql");
      Type(Control(dialog, ItemControl::Location), "C:\\Nav\\Fin.Exe");
      nativeLayout = WaitUntil([&] {
        return Shown(dialog, ItemControl::RadServer) && Shown(dialog, ItemControl::RadDatabase) &&
               Shown(dialog, ItemControl::Port) && !Shown(dialog, ItemControl::ServerList) &&
               !Shown(dialog, ItemControl::Test);
      });
      okWithBoth = Enabled(dialog, ItemControl::Ok);
      ClickButton(Control(dialog, ItemControl::RadServer));
      WaitUntil([&] { return Enabled(dialog, ItemControl::Port); });
      // Netb: the port closes and keeps its text.
      const HWND netType = Control(dialog, ItemControl::NetType);
      PostMessageA(netType, CB_SETCURSEL, 1, 0);
      PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(ItemControlId(ItemControl::NetType), CBN_SELCHANGE),
                   reinterpret_cast<LPARAM>(netType));
      WaitUntil([&] { return !Enabled(dialog, ItemControl::Port); });
      portDisabledByNetb = !Enabled(dialog, ItemControl::Port);
      portAfterNetb = WindowText(Control(dialog, ItemControl::Port));
      WaitForPhotograph("item-native");
      PostMessageA(Control(dialog, ItemControl::Location), WM_CHAR, '\b', 1);  // Fin.Ex: no longer the client
      sqlAgain = WaitUntil(
          [&] { return Shown(dialog, ItemControl::ServerList) && !Shown(dialog, ItemControl::RadServer); });
      ClickButton(GetDlgItem(dialog, IDCANCEL));
    });
    EXPECT_FALSE(bw::ui::TfrmNavisionItem(f.logic).ShowModal(nullptr));
  }
  ASSERT_EQ(ScreenDpi(), 96);
  EXPECT_EQ(client.cx, 433L);
  EXPECT_EQ(client.cy, 337L);
  EXPECT_FALSE(okAtFirst);
  EXPECT_TRUE(sqlLayout);
  EXPECT_TRUE(nativeLayout);
  EXPECT_TRUE(okWithBoth);
  EXPECT_TRUE(portDisabledByNetb);
  EXPECT_EQ(portAfterNetb, std::string("2407"));
  EXPECT_TRUE(sqlAgain);
  EXPECT_EQ(f.logic.NetType(), std::string("Netb"));
  EXPECT_EQ(f.logic.Port(), 2407);
}

// The NAV 2016 stand-in (bin/nav2016/finsql.exe, version resource 9.0.43402.0) chosen for a new
// configuration: its version shows beside OK, and the advanced settings open with the classic
// editor ticked. With BW_DIALOG_SHOT_DIR both are photographed ("item-version", "item-advanced").
WINTEST(ItemDialog, ChosenClientShowsItsVersionAndTicksTheClassicEditor) {
  Fixture f;
  const std::string client = FolderOfProgram() + "nav2016\\finsql.exe";
  if (GetFileAttributesA(client.c_str()) == INVALID_FILE_ATTRIBUTES) SKIP_CASE("nav2016\\finsql.exe is not built");
  f.fileDialogs.answer = client;
  f.logic.SetNewRecord(true);
  f.logic.SetMode(bw::ItemDialogMode::Configuration);
  std::string versionText, advancedCaption, tenantLabel;
  bool versionShown = false, advancedEnabled = false, classicTicked = false, symbolsTicked = true, tip = false;
  bool ok = false;
  {
    Driver driver([&] {
      const HWND dialog = WaitForDialog(kConfigurationCaption);
      ASSERT_TRUE(dialog != nullptr);
      Type(Control(dialog, ItemControl::Name), "NAV 2016");
      ClickButton(Control(dialog, ItemControl::Browse));
      const HWND label = Control(dialog, ItemControl::VersionLabel);
      versionShown = WaitUntil([&] { return IsWindowVisible(label) && !WindowText(label).empty(); });
      versionText = WindowText(label);
      advancedEnabled = Enabled(dialog, ItemControl::Advanced);
      tip = WaitUntil([] { return VisibleTip() != nullptr; }, 3000);
      WaitForPhotograph("item-version");
      ClickButton(Control(dialog, ItemControl::Advanced));
      const HWND advanced = WaitForDialog(std::string(bw::kAdvancedCaption));
      ASSERT_TRUE(advanced != nullptr);
      advancedCaption = WindowText(advanced);
      const auto ticked = [&](bw::AdvancedControl control) {
        return SendMessageA(GetDlgItem(advanced, bw::ui::AdvancedControlId(control)), BM_GETCHECK, 0, 0) ==
               BST_CHECKED;
      };
      classicTicked = ticked(bw::AdvancedControl::UseOldEditor);
      symbolsTicked = ticked(bw::AdvancedControl::GenerateSymbolReference);
      tenantLabel = WindowText(GetDlgItem(advanced, 200 + static_cast<int>(bw::AdvancedControl::Tenant)));
      Type(GetDlgItem(advanced, bw::ui::AdvancedControlId(bw::AdvancedControl::NavServerName)), "NAVSRV");
      Type(GetDlgItem(advanced, bw::ui::AdvancedControlId(bw::AdvancedControl::ManagementPort)), "70x45");
      WaitForPhotograph("item-advanced");
      ASSERT_TRUE(WaitUntilHandled(advanced));
      ClickButton(GetDlgItem(advanced, IDOK));
      WaitUntil([&] { return IsWindow(advanced) == FALSE; });
      ClickButton(GetDlgItem(dialog, IDOK));
    });
    ok = bw::ui::TfrmNavisionItem(f.logic).ShowModal(nullptr);
  }
  EXPECT_TRUE(versionShown);
  EXPECT_EQ(versionText, std::string("Dynamics NAV 2016, 9.0.43402.0"));
  EXPECT_TRUE(advancedEnabled);
  EXPECT_TRUE(tip);
  EXPECT_EQ(advancedCaption, std::string("Advanced Client Settings"));
  EXPECT_EQ(tenantLabel, std::string("Tenant"));
  EXPECT_TRUE(classicTicked);
  EXPECT_FALSE(symbolsTicked);
  EXPECT_TRUE(ok);
  EXPECT_EQ(f.logic.Location(), client);
  EXPECT_TRUE(f.logic.Advanced().useOldEditor);
  EXPECT_EQ(f.logic.Advanced().navServerName, std::string("NAVSRV"));
  EXPECT_EQ(f.logic.Advanced().managementPort, 7045);  // the letter was swallowed
  ASSERT_TRUE(f.logic.ClientVersion().has_value());
  EXPECT_EQ(f.logic.ClientVersion()->productName, std::string("Microsoft Dynamics NAV"));
}

WINTEST(ItemDialog, KeyFiltersSwallowKeysAndShowTheHintBubble) {
  Fixture f;
  f.logic.SetLocation("C:\\Nav\\fin.exe");
  f.logic.SetUseServer(true);
  f.logic.SetMode(bw::ItemDialogMode::Configuration);
  std::string name, port, hint;
  std::vector<int> helps;
  bool tipShown = false, tipGone = false;
  int tipTop = 0, nameTop = 0;
  {
    Driver driver([&] {
      const HWND dialog = WaitForDialog(kConfigurationCaption);
      ASSERT_TRUE(dialog != nullptr);
      const HWND nameField = Control(dialog, ItemControl::Name);
      Type(nameField, "Live/Test?");
      WaitUntil([&] { return WindowText(nameField) == "LiveTest"; });
      name = WindowText(nameField);
      HWND tip = nullptr;
      tipShown = WaitUntil([&] { return (tip = VisibleTip()) != nullptr; });
      if (tip != nullptr) {
        RECT at{}, field{};
        GetWindowRect(tip, &at);
        GetWindowRect(nameField, &field);
        tipTop = at.top;
        nameTop = field.top + 20;
        char text[256] = {};
        TTTOOLINFOA tool{};
        tool.cbSize = TTTOOLINFOA_V2_SIZE;
        tool.hwnd = dialog;
        tool.uId = 1;
        tool.lpszText = text;
        SendMessageA(tip, TTM_GETTEXTA, sizeof text, reinterpret_cast<LPARAM>(&tool));
        hint = text;
      }
      tipGone = WaitUntil([] { return VisibleTip() == nullptr; }, 8000);  // removed after 5 seconds
      PressKey(nameField, VK_F1);
      PressKey(Control(dialog, ItemControl::Company), VK_F1);
      WaitUntil([&] { return helps.size() == 2; }, 3000);
      const HWND portField = Control(dialog, ItemControl::Port);
      Retype(portField, "70a4-6");
      WaitUntil([&] { return WindowText(portField) == "7046"; });
      port = WindowText(portField);
      ClickButton(GetDlgItem(dialog, IDCANCEL));
    });
    bw::ui::TfrmNavisionItem(f.logic, [&](int number) { helps.push_back(number); }).ShowModal(nullptr);
  }
  EXPECT_EQ(helps, (std::vector<int>{21, 26}));  // F1: the focused field's help number
  EXPECT_EQ(name, std::string("LiveTest"));
  EXPECT_TRUE(tipShown);
  EXPECT_EQ(hint, std::string("Name cannot support these characters:\n\n/ \\ : * ? \" < > | ( )"));
  ASSERT_EQ(ScreenDpi(), 96);
  EXPECT_TRUE(tipTop >= nameTop - 2 && tipTop <= nameTop + 2);  // the bubble's own frame may shift it a pixel
  EXPECT_TRUE(tipGone);
  EXPECT_EQ(port, std::string("7046"));
}

// The test's own line in the prefix's services file.
void AddServiceEntry(const std::string& line) {
  char system[MAX_PATH] = {};
  GetSystemDirectoryA(system, MAX_PATH);
  const std::string path = std::string(system) + "\\drivers\\etc\\services";
  std::ifstream in(path);
  for (std::string existing; std::getline(in, existing);)
    if (existing.rfind(line, 0) == 0) return;
  in.close();
  std::ofstream(path, std::ios::app) << "\n" << line << "\n";
}

WINTEST(ItemDialog, LeavingTheServerFieldTakesThePortFromTheServicesFile) {
  AddServiceEntry("bwnavserver      7046/tcp");
  Fixture f;
  f.logic.SetLocation("C:\\Nav\\fin.exe");
  f.logic.SetUseServer(true);
  f.logic.SetMode(bw::ItemDialogMode::Configuration);
  std::string known, unknown;
  {
    Driver driver([&] {
      const HWND dialog = WaitForDialog(kConfigurationCaption);
      ASSERT_TRUE(dialog != nullptr);
      const HWND server = Control(dialog, ItemControl::Server);
      const HWND port = Control(dialog, ItemControl::Port);
      Focus(server);
      Type(server, "bwnavserver");
      Focus(port);  // leaving the server field
      WaitUntil([&] { return WindowText(port) == "7046"; });
      known = WindowText(port);
      Retype(port, "2407");
      Focus(server);
      Retype(server, "nosuchnavserver");
      Focus(port);
      ASSERT_TRUE(WaitUntilHandled(dialog));  // leaving the field has been handled
      unknown = WindowText(port);
      ClickButton(GetDlgItem(dialog, IDCANCEL));
    });
    bw::ui::TfrmNavisionItem(f.logic).ShowModal(nullptr);
  }
  EXPECT_EQ(known, std::string("7046"));
  EXPECT_EQ(unknown, std::string("2407"));
}

WINTEST(ItemDialog, OkRefusesAMissingFileAndThenReturnsTheValues) {
  Fixture f;
  f.logic.SetName("Live");
  f.logic.SetLocation("C:\\nowhere\\fin.exe");
  f.logic.SetUseServer(true);
  f.logic.SetHotkey(0);
  f.logic.SetMode(bw::ItemDialogMode::Configuration);
  std::string error, badPort, hotkeyText;
  const std::string client = NativeClientFile();
  bool stayed = false, red = false;
  bool ok = false;
  {
    Driver driver([&] {
      const HWND dialog = WaitForDialog(kConfigurationCaption);
      ASSERT_TRUE(dialog != nullptr);
      ClickButton(GetDlgItem(dialog, IDOK));
      error = AnswerBox("Error", IDOK);
      stayed = IsWindowVisible(dialog) != FALSE;
      const HWND location = Control(dialog, ItemControl::Location);
      Retype(location, client);
      const HWND hotkey = Control(dialog, ItemControl::Hotkey);
      Focus(hotkey);
      Type(hotkey, "ctrl+shift+");
      WaitUntil([&] { return WindowText(hotkey) == "ctrl+shift+"; });
      red = f.logic.HotkeyColour() == bw::kBadHotkeyTextColour;
      Type(hotkey, "f5");
      Focus(Control(dialog, ItemControl::Name));
      WaitUntil([&] { return WindowText(hotkey) == "Shift+Ctrl+F5"; });
      hotkeyText = WindowText(hotkey);
      // A pasted port reaches OK and is refused there.
      Paste(Control(dialog, ItemControl::Port), "99999999999");
      ASSERT_TRUE(WaitUntilHandled(dialog));
      ClickButton(GetDlgItem(dialog, IDOK));
      badPort = AnswerBox("Error", IDOK);
      Paste(Control(dialog, ItemControl::Port), "1433");
      ASSERT_TRUE(WaitUntilHandled(dialog));
      ClickButton(GetDlgItem(dialog, IDOK));
    });
    ok = bw::ui::TfrmNavisionItem(f.logic).ShowModal(nullptr);
  }
  EXPECT_EQ(error, std::string("Cannot locate the file 'C:\\nowhere\\fin.exe'.\r\nPlease enter a valid filename."));
  EXPECT_TRUE(stayed);
  EXPECT_TRUE(red);
  EXPECT_EQ(badPort, std::string("The port '99999999999' is not a number from 0 to 2147483647.\r\n"
                                  "Please correct the field Port."));
  EXPECT_EQ(hotkeyText, std::string("Shift+Ctrl+F5"));
  EXPECT_TRUE(ok);
  EXPECT_EQ(f.logic.Location(), client);
  EXPECT_EQ(static_cast<int>(f.logic.Hotkey()), 0x6074);
  EXPECT_EQ(f.logic.Port(), 1433);
}

WINTEST(ItemDialog, SqlListIsFoundOnDropDownAndTheDatabaseButtonPicks) {
  Fixture f;
  f.logic.SetMode(bw::ItemDialogMode::Configuration);
  int count = 0;
  std::string database, combo;
  {
    Driver driver([&] {
      const HWND dialog = WaitForDialog(kConfigurationCaption);
      ASSERT_TRUE(dialog != nullptr);
      const HWND servers = Control(dialog, ItemControl::ServerList);
      Type(GetWindow(servers, GW_CHILD), "typed");
      WaitUntil([&] { return WindowText(servers) == "typed"; });
      PostMessageA(servers, CB_SHOWDROPDOWN, TRUE, 0);
      WaitUntil([&] { return SendMessageA(servers, CB_GETCOUNT, 0, 0) == 2; });
      count = static_cast<int>(SendMessageA(servers, CB_GETCOUNT, 0, 0));
      combo = WindowText(servers);
      PostMessageA(servers, CB_SHOWDROPDOWN, FALSE, 0);
      ClickButton(Control(dialog, ItemControl::DatabaseButton));
      WaitUntil([&] { return WindowText(Control(dialog, ItemControl::Database)) == "Cronus"; });
      database = WindowText(Control(dialog, ItemControl::Database));
      ClickButton(Control(dialog, ItemControl::Test));
      ASSERT_TRUE(WaitUntilHandled(dialog));  // the test has asked for its login
      ClickButton(GetDlgItem(dialog, IDCANCEL));
    });
    bw::ui::TfrmNavisionItem(f.logic).ShowModal(nullptr);
  }
  EXPECT_EQ(count, 2);
  EXPECT_EQ(combo, std::string("typed"));  // refilling the list keeps the typed text
  EXPECT_EQ(database, std::string("Cronus"));
  EXPECT_EQ(f.sql.discoveries, 1);
  EXPECT_EQ(f.sql.servers, (std::vector<std::string>{"typed", "typed"}));
}

WINTEST(ItemDialog, PluginModeIsSmallAndEnterConfirms) {
  Fixture f;
  f.logic.SetName("Editor");
  f.logic.SetLocation(ProgramPath());
  f.logic.SetParameters("%TEMP%\\notes.txt");
  f.logic.SetMode(bw::ItemDialogMode::Plugin);
  f.fileDialogs.answer = "C:\\windows\\notepad.exe";
  SIZE client{};
  bool lowerHidden = false, parametersShown = false;
  std::string location;
  bool ok = false;
  {
    Driver driver([&] {
      const HWND dialog = WaitForDialog(kPluginCaption);
      ASSERT_TRUE(dialog != nullptr);
      client = ClientSize(dialog);
      lowerHidden = !Shown(dialog, ItemControl::LowerFrame) && !Shown(dialog, ItemControl::Company) &&
                    !Shown(dialog, ItemControl::IsSubMenu) && !Shown(dialog, ItemControl::Test) &&
                    !Shown(dialog, ItemControl::ServerList);
      parametersShown = Shown(dialog, ItemControl::Parameters) && Shown(dialog, ItemControl::Hotkey);
      WaitForPhotograph("item-plugin");
      PressKey(Control(dialog, ItemControl::Location), VK_F6);
      const HWND field = Control(dialog, ItemControl::Location);
      WaitUntil([&] { return WindowText(field) == "C:\\windows\\notepad.exe"; });
      location = WindowText(field);
      PressKey(Control(dialog, ItemControl::Name), VK_RETURN);
    });
    ok = bw::ui::TfrmNavisionItem(f.logic).ShowModal(nullptr);
  }
  ASSERT_EQ(ScreenDpi(), 96);
  EXPECT_EQ(client.cx, 433L);
  EXPECT_EQ(client.cy, 163L);
  EXPECT_TRUE(lowerHidden);
  EXPECT_TRUE(parametersShown);
  EXPECT_EQ(location, std::string("C:\\windows\\notepad.exe"));
  EXPECT_TRUE(ok);
  EXPECT_EQ(f.fileDialogs.titles.size(), 1u);
  EXPECT_EQ(f.logic.LastLocation(), std::string("C:\\windows\\"));
  EXPECT_EQ(f.logic.Parameters(), std::string("%TEMP%\\notes.txt"));
}

// ---------------------------------------------------------------------------------------------
// Against the responders

constexpr const char* kTdsPassword = "p;w=x{y";
// These cases run under tests/wine/item_dialog_sql.sh, which starts the responders.
constexpr const char* kNeedsResponders = "no responder ports: run by tests/wine/item_dialog_sql.sh";

std::optional<std::uint16_t> PortFromEnvironment(const char* name) {
  const char* text = std::getenv(name);
  if (text == nullptr || *text == '\0') return std::nullopt;
  return static_cast<std::uint16_t>(std::atoi(text));
}

// The real SQL Server side, its discovery aimed at the SSRP responder alone.
struct SqlFixture {
  bw::platform::Win32KeyNames keys;
  bw::platform::Win32FileSystem files;
  bw::platform::Win32Messages messages;
  ScriptedFileDialogs fileDialogs;
  bw::platform::Win32ServicePorts services;
  bw::ui::SqlServerDialogTools sql;
  bw::NavisionItemDialog logic{{keys, files, messages, fileDialogs, services, &sql}, "Brackwater"};

  explicit SqlFixture(std::uint16_t ssrpPort)
      : sql(messages, bw::DiscoveryOptions{{"127.0.0.1", ssrpPort}, 0x03, std::chrono::milliseconds(1500)}) {
    logic.SetMode(bw::ItemDialogMode::Configuration);
  }
};

std::vector<std::string> ComboEntries(HWND combo) {
  std::vector<std::string> entries;
  const auto count = SendMessageA(combo, CB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    char text[256] = {};
    SendMessageA(combo, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
    entries.emplace_back(text);
  }
  return entries;
}

WINTEST_SCENARIO(ItemDialogSql, DroppingDownTheServerListDiscoversTheResponderServers) {
  const auto ssrp = PortFromEnvironment("BW_SSRP_PORT");
  if (!ssrp) SKIP_CASE(kNeedsResponders);
  SqlFixture f(*ssrp);
  std::vector<std::string> entries;
  {
    Driver driver([&] {
      const HWND dialog = WaitForDialog(kConfigurationCaption);
      ASSERT_TRUE(dialog != nullptr);
      const HWND servers = Control(dialog, ItemControl::ServerList);
      PostMessageA(servers, CB_SHOWDROPDOWN, TRUE, 0);
      WaitUntil([&] { return SendMessageA(servers, CB_GETCOUNT, 0, 0) >= 2; }, 20000);
      ASSERT_TRUE(WaitUntilHandled(dialog));  // the discovery, run on the dialog's thread, has ended
      entries = ComboEntries(servers);
      PostMessageA(servers, CB_SHOWDROPDOWN, FALSE, 0);
      Click(dialog, IDCANCEL);
    });
    bw::ui::TfrmNavisionItem(f.logic).ShowModal(nullptr);
  }
  EXPECT_EQ(entries, (std::vector<std::string>{"SRV1\\NAV", "SRV2"}));
}

WINTEST_SCENARIO(ItemDialogSql, TheDatabaseButtonListsTheResponderDatabasesAndTestReports) {
  const auto ssrp = PortFromEnvironment("BW_SSRP_PORT");
  const auto tds = PortFromEnvironment("BW_TDS_PORT");
  if (!ssrp || !tds) SKIP_CASE(kNeedsResponders);
  SqlFixture f(*ssrp);
  const std::string server = "127.0.0.1," + std::to_string(*tds);
  f.logic.SetServer(server);
  f.logic.SetUserName("nav");
  f.logic.SetPassword(kTdsPassword);
  std::vector<std::string> offered;
  std::string connected, refused;
  HWND owner = nullptr, configuration = nullptr;
  {
    Driver driver([&] {
      const HWND dialog = WaitForDialog(kConfigurationCaption);
      ASSERT_TRUE(dialog != nullptr);
      ClickButton(Control(dialog, ItemControl::DatabaseButton));
      HWND picker = nullptr;
      // The listing takes its time, and meanwhile another window is in front. (Windows then gives
      // the dialog's thread no active window; Wine keeps it, so there this holds either way.)
      {
        const WindowInFront other;
        picker = WaitForDialog("Available Databases");
      }
      ASSERT_TRUE(picker != nullptr);
      owner = GetWindow(picker, GW_OWNER);
      configuration = dialog;
      const HWND list = GetDlgItem(picker, 100);
      for (LRESULT i = 0; i < SendMessageA(list, LB_GETCOUNT, 0, 0); ++i) {
        char text[256] = {};
        SendMessageA(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
        offered.emplace_back(text);
      }
      PostMessageA(list, LB_SETCURSEL, 4, 0);
      ASSERT_TRUE(WaitUntilHandled(picker));
      Click(picker, IDOK);
      WaitUntil([&] { return WindowText(Control(dialog, ItemControl::Database)) == "CRONUS"; });

      ClickButton(Control(dialog, ItemControl::Test));
      connected = AnswerBox("Information", IDOK);
      const HWND password = Control(dialog, ItemControl::Password);
      SendMessageA(password, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("wrong"));
      ClickButton(Control(dialog, ItemControl::Test));
      refused = AnswerBox("Warning", IDOK);
      Click(dialog, IDCANCEL);
    });
    bw::ui::TfrmNavisionItem(f.logic).ShowModal(nullptr);
  }
  EXPECT_EQ(offered, (std::vector<std::string>{"master", "tempdb", "model", "msdb", "CRONUS"}));
  EXPECT_TRUE(owner != nullptr && owner == configuration);  // whichever window was active
  EXPECT_EQ(f.logic.Database(), std::string("CRONUS"));
  EXPECT_EQ(connected, "Successfully connected to SQL Server '" + server + "'");
  EXPECT_EQ(refused, "Cannot connect to SQL Server '" + server + "'. Please check server, username, and password.");
}

}  // namespace

int main(int argc, char** argv) { return bw::wintest::RunAll(argc, argv); }
