// The real Brackwater.exe under Wine: single instance, the messages between instances, the
// hotkey failure box, starting a configuration from the tray menu, and the exit question.
//
// Started under another name (fin.exe) this program is a stand-in Navision client: it writes
// its command line and working folder to record.txt beside itself and ends.
#include <windows.h>
#include <tlhelp32.h>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "app/win32/registered_messages.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/win32_environment.h"
#include "platform/win32/win32_file_system.h"
#include "platform/win32/win32_key_names.h"
#include "platform/win32/win32_messages.h"
#include "platform/win32/win32_registry.h"
#include "settings/config_file.h"
#include "wintest.h"

using bw::platform::UniqueHandle;

namespace {

constexpr const char* kTitle = "Brackwater for Dynamics NAV";
constexpr const char* kLocationKey = "Software\\Brackwater\\Config Location";

std::string ThisProgram() {
  char path[MAX_PATH] = {};
  const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
  return std::string(path, length);
}

std::string FolderOf(const std::string& path) { return path.substr(0, path.find_last_of("\\/") + 1); }

std::string BaseNameLower(const std::string& path) {
  std::string name = path.substr(path.find_last_of("\\/") + 1);
  CharLowerBuffA(name.data(), static_cast<DWORD>(name.size()));
  return name;
}

// Polls until the condition holds or the time is up; every wait in this program is bounded.
bool WaitUntil(const std::function<bool()>& condition, DWORD milliseconds = 20000) {
  for (DWORD waited = 0; waited < milliseconds; waited += 100) {
    if (condition()) return true;
    Sleep(100);
  }
  return condition();
}

std::string WindowText(HWND window) {
  char text[1024] = {};
  GetWindowTextA(window, text, sizeof text);
  return text;
}

std::string ClassOf(HWND window) {
  char name[256] = {};
  GetClassNameA(window, name, sizeof name);
  return name;
}

struct WindowSearch {
  DWORD process;
  std::string className, caption;
  std::vector<HWND> found;
};

BOOL CALLBACK CollectWindow(HWND window, LPARAM data) {
  auto& s = *reinterpret_cast<WindowSearch*>(data);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if ((s.process == 0 || owner == s.process) && ClassOf(window) == s.className &&
      (s.caption.empty() || WindowText(window) == s.caption))
    s.found.push_back(window);
  return TRUE;
}

// Top-level windows of a process (0: any) with the given class (and caption, when not empty).
std::vector<HWND> TopWindows(DWORD process, const std::string& className, const std::string& caption = "") {
  WindowSearch search{process, className, caption, {}};
  EnumWindows(&CollectWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

BOOL CALLBACK CollectStaticText(HWND child, LPARAM data) {
  if (ClassOf(child) == "Static") *reinterpret_cast<std::string*>(data) += WindowText(child);
  return TRUE;
}

// The texts of a message box's static controls, joined.
std::string BoxText(HWND box) {
  std::string text;
  EnumChildWindows(box, &CollectStaticText, reinterpret_cast<LPARAM>(&text));
  return text;
}

void PressButton(HWND box, int id) {
  PostMessageA(box, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(box, id)));
}

int CountProcesses(const char* exeName) {
  UniqueHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
  PROCESSENTRY32 entry{};
  entry.dwSize = sizeof entry;
  int count = 0;
  for (BOOL more = Process32First(snapshot.Get(), &entry); more; more = Process32Next(snapshot.Get(), &entry))
    if (lstrcmpiA(entry.szExeFile, exeName) == 0) ++count;
  return count;
}

// The environment of Brackwater.exe beside this program, so that the settings core picks the
// program's own configuration location.
class BrackwaterEnvironment final : public bw::platform::Environment {
public:
  std::string UserName() override { return real_.UserName(); }
  std::string AppDataFolder() override { return real_.AppDataFolder(); }
  std::string ProgramPath() override { return FolderOf(ThisProgram()) + "Brackwater.exe"; }

private:
  bw::platform::Win32Environment real_;
};

// A scratch configuration folder, registered as the program's configuration location.
class ConfigFolder {
public:
  ConfigFolder() {
    char base[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, base);
    path_ = std::string(base) + "bwtray-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++counter_);
    files_.CreateFolders(path_);
    // Process ids come round again in a prefix that keeps its temporary folder.
    DeleteFileA(ConfigPath().c_str());
    DeleteFileA((path_ + "\\client\\record.txt").c_str());
    registry_.WriteString(kLocationKey, "Folder", path_);
  }
  ConfigFolder(const ConfigFolder&) = delete;
  ConfigFolder& operator=(const ConfigFolder&) = delete;
  ~ConfigFolder() { registry_.DeleteKey(kLocationKey); }

  const std::string& Path() const { return path_; }
  std::string ConfigPath() const { return path_ + "\\Brackwater.config"; }

  // Writes a settings file whose tree the caller fills in.
  void Write(const std::function<void(bw::TStorage&)>& fill) {
    bw::SettingsPlatform platform{environment_, registry_, files_, messages_, keys_};
    auto root = bw::BuildDefaultTree(platform);
    fill(*root);
    bw::ConfigFile(platform).Save(*root, false);
  }

private:
  static inline int counter_ = 0;
  std::string path_;
  BrackwaterEnvironment environment_;
  bw::platform::Win32Registry registry_;
  bw::platform::Win32FileSystem files_;
  bw::platform::Win32Messages messages_;
  bw::platform::Win32KeyNames keys_;
};

// One running Brackwater.exe; ended by "CloseBrackwater" (or, failing that, killed) at scope end.
class Brackwater {
public:
  explicit Brackwater(const std::string& program = FolderOf(ThisProgram()) + "Brackwater.exe") {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    std::string commandLine = "\"" + program + "\"";
    PROCESS_INFORMATION info{};
    if (CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                       &info)) {
      process_.Reset(info.hProcess);
      CloseHandle(info.hThread);
      id_ = info.dwProcessId;
    }
  }
  Brackwater(const Brackwater&) = delete;
  Brackwater& operator=(const Brackwater&) = delete;
  ~Brackwater() {
    if (!Running()) return;
    if (HWND main = MainWindow()) PostMessageA(main, RegisterWindowMessageA("CloseBrackwater"), 0, 0);
    if (WaitForSingleObject(process_.Get(), 15000) != WAIT_OBJECT_0) TerminateProcess(process_.Get(), 99);
    WaitForSingleObject(process_.Get(), 5000);
  }

  bool Started() const { return process_.Valid(); }
  DWORD Id() const { return id_; }
  HANDLE Process() const { return process_.Get(); }
  bool Running() const { return process_.Valid() && WaitForSingleObject(process_.Get(), 0) == WAIT_TIMEOUT; }
  bool WaitForExit(DWORD milliseconds = 15000) const {
    return WaitForSingleObject(process_.Get(), milliseconds) == WAIT_OBJECT_0;
  }
  DWORD ExitCode() const {
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(process_.Get(), &code);
    return code;
  }

  HWND MainWindow() const {
    const auto found = TopWindows(id_, bw::win32::kMainWindowClass, kTitle);
    return found.empty() ? nullptr : found.front();
  }
  // Waits for the main window; message boxes of the start-up (for example about a missing
  // library) are answered with OK on the way, and their texts kept.
  HWND WaitForMainWindow(std::vector<std::string>* boxes = nullptr) const {
    HWND main = nullptr;
    WaitUntil([&] {
      for (HWND box : TopWindows(id_, "#32770")) {
        if (boxes) boxes->push_back(WindowText(box) + ": " + BoxText(box));
        PressButton(box, IDOK);
      }
      main = MainWindow();
      return main != nullptr && TopWindows(id_, "#32770").empty() && IdleNow();
    });
    return main;
  }
  bool IdleNow() const { return WaitForInputIdle(process_.Get(), 0) == 0; }

  HWND WaitForBox(const std::string& caption) const {
    HWND box = nullptr;
    WaitUntil([&] {
      const auto found = TopWindows(id_, "#32770", caption);
      box = found.empty() ? nullptr : found.front();
      return box != nullptr && !BoxText(box).empty();  // filled in after the window exists
    });
    return box;
  }

  // Opens the tray menu as a right click on the icon does, and waits for it.
  HWND OpenTrayMenu() const {
    PostMessageA(MainWindow(), bw::win32::kTrayNotifyMessage, 1, WM_RBUTTONUP);
    HWND menu = nullptr;
    WaitUntil([&] {
      const auto found = TopWindows(id_, "#32768");
      menu = nullptr;
      for (HWND window : found)
        if (IsWindowVisible(window)) menu = window;
      return menu != nullptr;
    });
    return menu;
  }

private:
  UniqueHandle process_;
  DWORD id_ = 0;
};

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
  WaitUntil([&] { return GetFileAttributesA(taken.c_str()) != INVALID_FILE_ATTRIBUTES; }, 30000);
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

// ---- cases ---------------------------------------------------------------------------------

WINTEST(Instance, SecondStartEndsAtOnceAndLeavesOneProgram) {
  ConfigFolder config;
  Brackwater first;
  ASSERT_TRUE(first.Started());
  ASSERT_TRUE(first.WaitForMainWindow() != nullptr);

  Brackwater second;
  ASSERT_TRUE(second.Started());
  EXPECT_TRUE(second.WaitForExit(10000));
  EXPECT_EQ(second.ExitCode(), 0u);
  EXPECT_TRUE(second.MainWindow() == nullptr);
  EXPECT_EQ(TopWindows(0, bw::win32::kMainWindowClass).size(), std::size_t{1});
  EXPECT_EQ(CountProcesses("Brackwater.exe"), 1);
  EXPECT_TRUE(first.Running());
}

WINTEST(Messages, CloseBrackwaterEndsTheProgramAndWritesTheSettings) {
  ConfigFolder config;
  Brackwater program;
  ASSERT_TRUE(program.Started());
  const HWND main = program.WaitForMainWindow();
  ASSERT_TRUE(main != nullptr);
  EXPECT_FALSE(Exists(config.ConfigPath()));  // a first run reads no file and writes none yet

  // Only a posted "CloseBrackwater" counts; a sent one is ignored.
  DWORD_PTR ignored = 0;
  SendMessageTimeoutA(main, RegisterWindowMessageA("CloseBrackwater"), 0, 0, SMTO_ABORTIFHUNG, 5000, &ignored);
  Sleep(500);
  EXPECT_TRUE(program.Running());

  PostMessageA(main, RegisterWindowMessageA("CloseBrackwater"), 0, 0);
  ASSERT_TRUE(program.WaitForExit());
  EXPECT_EQ(program.ExitCode(), 0u);
  EXPECT_TRUE(Exists(config.ConfigPath()));
}

WINTEST(Messages, NotifyWithAtomKeepsTheProgramRunning) {
  // The atom balloon itself is drawn by the shell; here: the atom is read, not deleted, and
  // the program carries on (also for an atom without a name).
  ConfigFolder config;
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
  ConfigFolder config;
  // This process holds Shift+Ctrl+Home, the default key for opening the management window.
  ASSERT_TRUE(RegisterHotKey(nullptr, 7, MOD_SHIFT | MOD_CONTROL, VK_HOME));
  Brackwater program;
  ASSERT_TRUE(program.Started());
  const HWND box = program.WaitForBox("Error");
  ASSERT_TRUE(box != nullptr);
  EXPECT_EQ(BoxText(box),
            std::string("Brackwater failed to register standard hotkey 'Shift+Ctrl+Home'.\r\n"
                        "Please check for duplicate hotkey definitions."));
  PressButton(box, IDOK);
  EXPECT_TRUE(program.WaitForMainWindow() != nullptr);
  EXPECT_TRUE(program.Running());
  UnregisterHotKey(nullptr, 7);
}

WINTEST(TrayMenu, ConfigurationStartsTheClientWithItsArguments) {
  ConfigFolder config;
  const std::string clientFolder = config.Path() + "\\client\\";
  CreateDirectoryA(clientFolder.c_str(), nullptr);
  ASSERT_TRUE(CopyFileA(ThisProgram().c_str(), (clientFolder + "fin.exe").c_str(), FALSE));
  const std::string zupDir = config.Path() + "\\zup\\";
  config.Write([&](bw::TStorage& root) {
    auto dev = std::make_unique<bw::TConfigStorage>();
    dev->ConfigName = "Dev";
    dev->ExecutablePath = clientFolder + "fin.exe";
    dev->IsNative = true;
    dev->Database = "C:\\Data\\demo.fdb";
    dev->Company = "CRONUS";
    bw::ConfigsFolder(root).AddChild(std::move(dev));
    bw::General(root).ZupDir = zupDir;
  });

  Brackwater program;
  ASSERT_TRUE(program.Started());
  ASSERT_TRUE(program.WaitForMainWindow() != nullptr);
  const HWND menu = program.OpenTrayMenu();
  ASSERT_TRUE(menu != nullptr);
  OfferScreenshot();
  PostKey(menu, VK_DOWN);  // the first entry: the configuration
  PostKey(menu, VK_RETURN);

  const std::string record = clientFolder + "record.txt";
  ASSERT_TRUE(WaitUntil([&] { return Exists(record); }));
  const std::string text = ReadFile(record);
  const std::string screen = std::to_string(GetSystemMetrics(SM_CXSCREEN)) + "x" + std::to_string(GetSystemMetrics(SM_CYSCREEN));
  const std::string arguments = "id=" + zupDir + "Dev(" + screen + ").zup,database=C:\\Data\\demo.fdb,company=CRONUS";
  EXPECT_TRUE(text.find(arguments) != std::string::npos);
  if (text.find(arguments) == std::string::npos) std::printf("recorded: %s\nexpected: %s\n", text.c_str(), arguments.c_str());
  // The client runs in its own folder.
  std::string folder = clientFolder.substr(0, clientFolder.size() - 1);
  EXPECT_TRUE(text.find("\n" + folder) != std::string::npos || text.find("\n" + clientFolder) != std::string::npos);
}

WINTEST(TrayMenu, ExitAsksAndNoKeepsTheProgramRunning) {
  ConfigFolder config;
  Brackwater program;
  ASSERT_TRUE(program.Started());
  ASSERT_TRUE(program.WaitForMainWindow() != nullptr);

  HWND menu = program.OpenTrayMenu();
  ASSERT_TRUE(menu != nullptr);
  PostMessageA(menu, WM_CHAR, 'x', 1);  // "E&xit", by its access key
  HWND box = program.WaitForBox(kTitle);
  ASSERT_TRUE(box != nullptr);
  EXPECT_EQ(BoxText(box), std::string("Are you sure you want to exit Brackwater for Dynamics NAV ?"));
  EXPECT_TRUE(GetDlgItem(box, IDYES) != nullptr);
  EXPECT_TRUE(GetDlgItem(box, IDNO) != nullptr);
  PressButton(box, IDNO);
  EXPECT_TRUE(WaitUntil([&] { return TopWindows(program.Id(), "#32770", kTitle).empty(); }, 10000));
  EXPECT_FALSE(program.WaitForExit(1500));
  EXPECT_TRUE(program.MainWindow() != nullptr);

  menu = program.OpenTrayMenu();
  ASSERT_TRUE(menu != nullptr);
  PostMessageA(menu, WM_CHAR, 'x', 1);
  box = program.WaitForBox(kTitle);
  ASSERT_TRUE(box != nullptr);
  PressButton(box, IDYES);
  ASSERT_TRUE(program.WaitForExit());
  EXPECT_EQ(program.ExitCode(), 0u);
  EXPECT_TRUE(Exists(config.ConfigPath()));  // saved at exit
}

}  // namespace

int main(int argc, char** argv) {
  if (BaseNameLower(ThisProgram()) == "fin.exe") return RecordAndExit();
  return bw::wintest::RunAll(argc, argv);
}
