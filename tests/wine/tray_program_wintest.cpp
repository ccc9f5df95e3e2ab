// The real Brackwater.exe under Wine: single instance, the messages between instances, the
// hotkey failure box, starting a configuration from the tray menu, and the exit question.
//
// Started under another name (fin.exe or finsql.exe) this program is a stand-in Navision client:
// it writes its command line and working folder to record.txt beside itself and ends.
#include <windows.h>
#include <tlhelp32.h>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "brackwater_session.h"
#include "wintest.h"

using bw::platform::UniqueHandle;
using namespace bw::wintest;

namespace {

// The scratch folder's tag, and the stand-in client's record that an earlier run may have left there.
constexpr const char* kConfigTag = "bwtray";
constexpr const char* kClientRecord = "client\\record.txt";
constexpr const char* kSqlClientRecord = "nav2016\\record.txt";

int CountProcesses(const char* exeName) {
  UniqueHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
  PROCESSENTRY32 entry{};
  entry.dwSize = sizeof entry;
  int count = 0;
  for (BOOL more = Process32First(snapshot.Get(), &entry); more; more = Process32Next(snapshot.Get(), &entry))
    if (lstrcmpiA(entry.szExeFile, exeName) == 0) ++count;
  return count;
}

void PostKey(HWND window, WPARAM key) {
  PostMessageA(window, WM_KEYDOWN, key, 1);
  PostMessageA(window, WM_KEYUP, key, static_cast<LPARAM>(0xC0000001u));
}

// When a script asks for it (BW_TRAY_SHOT_DIR), lets it photograph the open menu: writes
// menu-open there and waits, at most 30 seconds, for the script's shot-taken.
void OfferScreenshot() {
  const char* folder = std::getenv("BW_TRAY_SHOT_DIR");
  if (folder == nullptr || *folder == '\0') return;
  const std::string open = std::string(folder) + "\\menu-open";
  const std::string taken = std::string(folder) + "\\shot-taken";
  if (FILE* marker = std::fopen(open.c_str(), "w")) std::fclose(marker);
  WaitFor([&] { return GetFileAttributesA(taken.c_str()) != INVALID_FILE_ATTRIBUTES; }, 30000);
}

// ---- the stand-in client ----------------------------------------------------------------------

int RecordAndExit() {
  char folder[MAX_PATH] = {};
  GetCurrentDirectoryA(MAX_PATH, folder);
  const std::string record = FolderOf(ThisProgram()) + "record.txt";
  const std::string partial = record + ".part";
  if (FILE* out = std::fopen(partial.c_str(), "wb")) {
    std::fprintf(out, "%s\n%s\n", GetCommandLineA(), folder);
    std::fclose(out);
    MoveFileA(partial.c_str(), record.c_str());  // appears whole or not at all
  }
  return 0;
}

std::string ReadFile(const std::string& path) {
  std::string text;
  if (FILE* in = std::fopen(path.c_str(), "rb")) {
    char buffer[4096];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, in)) > 0;) text.append(buffer, n);
    std::fclose(in);
  }
  return text;
}

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// After HandledEarlierMessages: whether the program begins to end within a second. Ending
// saves the settings first (within milliseconds, while the rest takes seconds under Wine), so
// a program that has written no settings file yet shows a quit it posted itself by the file.
bool StartsToEnd(const Brackwater& program, const ConfigFolder& config) {
  return WaitFor([&] { return !program.Running() || Exists(config.ConfigPath()); }, 1000);
}

// ---- cases ---------------------------------------------------------------------------------

WINTEST(Instance, SecondStartEndsAtOnceAndLeavesOneProgram) {
  ConfigFolder config(kConfigTag, {kClientRecord});
  Brackwater first;
  ASSERT_TRUE(first.Started());
  ASSERT_TRUE(first.WaitForMainWindow() != nullptr);

  Brackwater second;
  ASSERT_TRUE(second.Started());
  EXPECT_TRUE(second.WaitForExit(10000));
  EXPECT_EQ(second.ExitCode(), 0u);
  EXPECT_TRUE(second.MainWindow() == nullptr);
  EXPECT_EQ(AllTopWindows(0, bw::win32::kMainWindowClass).size(), std::size_t{1});
  EXPECT_EQ(CountProcesses("Brackwater.exe"), 1);
  EXPECT_TRUE(first.Running());
}

WINTEST(Messages, CloseBrackwaterEndsTheProgramAndWritesTheSettings) {
  ConfigFolder config(kConfigTag, {kClientRecord});
  Brackwater program;
  ASSERT_TRUE(program.Started());
  const HWND main = program.WaitForMainWindow();
  ASSERT_TRUE(main != nullptr);
  EXPECT_FALSE(Exists(config.ConfigPath()));  // a first run reads no file and writes none yet

  // Only a posted "CloseBrackwater" counts; a sent one is ignored.
  DWORD_PTR ignored = 0;
  EXPECT_TRUE(SendMessageTimeoutA(main, RegisterWindowMessageA("CloseBrackwater"), 0, 0, SMTO_ABORTIFHUNG, 5000,
                                  &ignored) != 0);
  ASSERT_TRUE(program.HandledEarlierMessages());
  EXPECT_FALSE(StartsToEnd(program, config));

  PostMessageA(main, RegisterWindowMessageA("CloseBrackwater"), 0, 0);
  ASSERT_TRUE(program.WaitForExit());
  EXPECT_EQ(program.ExitCode(), 0u);
  EXPECT_TRUE(Exists(config.ConfigPath()));
}

WINTEST(Settings, DamagedFileIsSaidAtStartOnceAndKeptAside) {
  ConfigFolder config(kConfigTag, {kClientRecord, "Brackwater.config.bad"});
  const std::string path = config.ConfigPath();
  if (FILE* out = std::fopen(path.c_str(), "wb")) {
    std::fputs("not a configuration", out);
    std::fclose(out);
  }
  Brackwater program;
  ASSERT_TRUE(program.Started());
  const HWND box = program.WaitForDialog("Warning");
  ASSERT_TRUE(box != nullptr);
  EXPECT_EQ(BoxText(box), "The Brackwater configuration file could not be read and has been kept as\r\n" + path +
                              ".bad\r\n\r\nBrackwater started with default settings and saves them to\r\n" + path);
  EXPECT_EQ(ReadFile(path + ".bad"), std::string("not a configuration"));
  PressButton(box, IDOK);
  ASSERT_TRUE(program.WaitDialogGone("Warning"));
  ASSERT_TRUE(program.WaitReady());
  EXPECT_TRUE(TopWindows(program.Id(), "#32770").empty());

  // Nothing more is said at exit (a box there would keep the program from ending).
  EXPECT_TRUE(program.Close());
  EXPECT_EQ(program.ExitCode(), 0u);
  EXPECT_EQ(ReadFile(path + ".bad"), std::string("not a configuration"));
  EXPECT_TRUE(Exists(path));
}

WINTEST(Messages, NotifyWithAtomKeepsTheProgramRunning) {
  // The atom balloon itself is drawn by the shell; here: the atom is read, not deleted, and
  // the program carries on (also for an atom without a name).
  ConfigFolder config(kConfigTag, {kClientRecord});
  Brackwater program;
  ASSERT_TRUE(program.Started());
  const HWND main = program.WaitForMainWindow();
  ASSERT_TRUE(main != nullptr);
  const ATOM atom = GlobalAddAtomA("Build finished|All 12 objects compiled");
  DWORD_PTR result = 0;
  EXPECT_TRUE(SendMessageTimeoutA(main, RegisterWindowMessageA("NotifyBrackwater"), 1, atom, SMTO_ABORTIFHUNG, 5000,
                                  &result) != 0);
  EXPECT_TRUE(SendMessageTimeoutA(main, RegisterWindowMessageA("NotifyBrackwater"), 1, 0xBFFF, SMTO_ABORTIFHUNG, 5000,
                                  &result) != 0);
  char name[64] = {};
  EXPECT_TRUE(GlobalGetAtomNameA(atom, name, sizeof name) > 0);
  GlobalDeleteAtom(atom);
  EXPECT_TRUE(program.Running());
}

WINTEST(Hotkeys, KeyHeldByAnotherProgramGivesTheErrorBox) {
  ConfigFolder config(kConfigTag, {kClientRecord});
  // This process holds Shift+Ctrl+Home, the default key for opening the management window.
  ASSERT_TRUE(RegisterHotKey(nullptr, 7, MOD_SHIFT | MOD_CONTROL, VK_HOME));
  Brackwater program;
  ASSERT_TRUE(program.Started());
  const HWND box = program.WaitForDialog("Error");
  ASSERT_TRUE(box != nullptr);
  EXPECT_EQ(BoxText(box),
            std::string("Brackwater failed to register standard hotkey 'Shift+Ctrl+Home'.\r\n"
                        "Please check for duplicate hotkey definitions."));
  PressButton(box, IDOK);
  EXPECT_TRUE(program.WaitForMainWindow() != nullptr);
  EXPECT_TRUE(program.Running());
  UnregisterHotKey(nullptr, 7);
}

// A native configuration and a NAV 2016 development environment's, each started from its tray
// entry: the stand-in client records exactly the argument text it was given, in its own folder.
WINTEST(TrayMenu, ConfigurationStartsTheClientWithItsArguments) {
  ConfigFolder config(kConfigTag, {kClientRecord, kSqlClientRecord});
  const std::string zupDir = config.Path() + "\\zup\\";
  struct Row {
    std::string folder, exe;
    std::function<void(bw::TConfigStorage&)> fill;
    std::string expected;  // after "id=" and the settings file
  };
  const std::vector<Row> rows = {
      {"client", "fin.exe",
       [](bw::TConfigStorage& dev) {
         dev.IsNative = true;
         dev.Database = "C:\\Data\\demo.fdb";
         dev.Company = "CRONUS";
       },
       ",database=C:\\Data\\demo.fdb,company=CRONUS"},
      {"nav2016", "finsql.exe",
       [](bw::TConfigStorage& dev) {
         dev.Server = "SQL1\\NAV";
         dev.Database = "Demo Database NAV (9-0)";
         dev.NavServerName = "NAVSRV";
         dev.NavServerInstance = "DynamicsNAV90";
         dev.Tenant = "default";
         dev.UseOldEditor = true;
         dev.Username = "nav";  // typed into the login dialog, never on the command line
         dev.Password = "secret";
       },
       ",servername=SQL1\\NAV,database=Demo Database NAV (9-0),ntauthentication=0,navservername=NAVSRV,"
       "navserverinstance=DynamicsNAV90,tenant=default,useoldeditor=yes"},
  };
  for (const Row& row : rows) {
    const std::string clientFolder = config.Path() + "\\" + row.folder + "\\";
    CreateDirectoryA(clientFolder.c_str(), nullptr);
    ASSERT_TRUE(CopyFileA(ThisProgram().c_str(), (clientFolder + row.exe).c_str(), FALSE));
  }
  config.Write([&](bw::TStorage& root) {
    for (const Row& row : rows) {
      auto dev = std::make_unique<bw::TConfigStorage>();
      dev->ConfigName = "Dev" + std::to_string(&row - rows.data() + 1);
      dev->ExecutablePath = config.Path() + "\\" + row.folder + "\\" + row.exe;
      row.fill(*dev);
      bw::ConfigsFolder(root).AddChild(std::move(dev));
    }
    bw::General(root).ZupDir = zupDir;
  });

  Brackwater program;
  ASSERT_TRUE(program.Started());
  ASSERT_TRUE(program.WaitForMainWindow() != nullptr);
  const std::string screen = std::to_string(GetSystemMetrics(SM_CXSCREEN)) + "x" + std::to_string(GetSystemMetrics(SM_CYSCREEN));
  for (std::size_t entry = 0; entry < rows.size(); ++entry) {
    const Row& row = rows[entry];
    const HWND menu = program.OpenTrayMenu();
    ASSERT_TRUE(menu != nullptr);
    if (entry == 0) OfferScreenshot();
    for (std::size_t down = 0; down <= entry; ++down) PostKey(menu, VK_DOWN);  // the configuration's entry
    PostKey(menu, VK_RETURN);

    const std::string clientFolder = config.Path() + "\\" + row.folder + "\\";
    const std::string record = clientFolder + "record.txt";
    ASSERT_TRUE(WaitFor([&] { return Exists(record); }));
    const std::string text = ReadFile(record);
    const std::string arguments = "id=" + zupDir + "Dev" + std::to_string(entry + 1) + "(" + screen + ").zup" + row.expected;
    // The whole argument text, behind the program's quoted path.
    const std::size_t lineEnd = text.find('\n');
    const std::string commandLine = text.substr(0, lineEnd);
    const std::string head = commandLine.size() > arguments.size()
                                 ? commandLine.substr(0, commandLine.size() - arguments.size())
                                 : std::string();
    const bool exact = commandLine.ends_with(arguments) &&
                       (head.ends_with(row.exe + "\" ") || head.ends_with(row.exe + " "));
    EXPECT_TRUE(exact);
    if (!exact) std::printf("recorded: %s\nexpected: ...%s\n", text.c_str(), arguments.c_str());
    EXPECT_TRUE(text.find("secret") == std::string::npos);
    // The client runs in its own folder.
    std::string folder = clientFolder.substr(0, clientFolder.size() - 1);
    EXPECT_TRUE(text.find("\n" + folder) != std::string::npos || text.find("\n" + clientFolder) != std::string::npos);
  }
}

WINTEST(TrayMenu, ExitAsksAndNoKeepsTheProgramRunning) {
  ConfigFolder config(kConfigTag, {kClientRecord});
  Brackwater program;
  ASSERT_TRUE(program.Started());
  ASSERT_TRUE(program.WaitForMainWindow() != nullptr);

  HWND menu = program.OpenTrayMenu();
  ASSERT_TRUE(menu != nullptr);
  PostMessageA(menu, WM_CHAR, 'x', 1);  // "E&xit", by its access key
  HWND box = program.WaitForDialog(kBrackwaterTitle);
  ASSERT_TRUE(box != nullptr);
  EXPECT_EQ(BoxText(box), std::string("Are you sure you want to exit Brackwater for Dynamics NAV ?"));
  EXPECT_TRUE(GetDlgItem(box, IDYES) != nullptr);
  EXPECT_TRUE(GetDlgItem(box, IDNO) != nullptr);
  PressButton(box, IDNO);
  EXPECT_TRUE(WaitFor([&] { return AllTopWindows(program.Id(), "#32770", kBrackwaterTitle).empty(); }, 10000));
  ASSERT_TRUE(program.HandledEarlierMessages());
  EXPECT_FALSE(StartsToEnd(program, config));
  EXPECT_TRUE(program.MainWindow() != nullptr);

  menu = program.OpenTrayMenu();
  ASSERT_TRUE(menu != nullptr);
  PostMessageA(menu, WM_CHAR, 'x', 1);
  box = program.WaitForDialog(kBrackwaterTitle);
  ASSERT_TRUE(box != nullptr);
  PressButton(box, IDYES);
  ASSERT_TRUE(program.WaitForExit());
  EXPECT_EQ(program.ExitCode(), 0u);
  EXPECT_TRUE(Exists(config.ConfigPath()));  // saved at exit
}

}  // namespace

int main(int argc, char** argv) {
  if (const std::string name = BaseNameLower(ThisProgram()); name == "fin.exe" || name == "finsql.exe")
    return RecordAndExit();
  return bw::wintest::RunAll(argc, argv);
}
