// The real Brackwater.exe in a Windows test program: a scratch configuration folder registered
// as the program's configuration location, with a settings file written through the settings
// core, and the running program with its windows and message boxes. Every wait is bounded.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "app/hotkey_ids.h"
#include "program/registered_messages.h"
#include "base/path_parts.h"
#include "platform/win32/unique_resource.h"
#include "platform/win32/win32_environment.h"
#include "platform/win32/win32_file_system.h"
#include "platform/win32/win32_key_names.h"
#include "platform/win32/win32_messages.h"
#include "platform/win32/win32_registry.h"
#include "settings/config_file.h"

namespace bw::wintest {

// The id under which HandledEarlierMessages tries Shift+Ctrl+Home for this process.
inline constexpr int kProbeHotkey = 0x0B16;

inline constexpr const char* kBrackwaterTitle = "Brackwater for Dynamics NAV";

inline std::string ThisProgram() {
  char path[MAX_PATH] = {};
  const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
  return std::string(path, length);
}

inline std::string FolderOf(const std::string& path) { return std::string(FolderPart(path)); }

inline std::string BaseNameLower(const std::string& path) {
  std::string name(FileNamePart(path));
  CharLowerBuffA(name.data(), static_cast<DWORD>(name.size()));
  return name;
}

// Polls until the condition holds or the time is up.
inline bool WaitFor(const std::function<bool()>& condition, DWORD milliseconds = 20000) {
  for (DWORD waited = 0; waited < milliseconds; waited += 50) {
    if (condition()) return true;
    Sleep(50);
  }
  return condition();
}

inline std::string WindowText(HWND window) {
  char text[2048] = {};
  GetWindowTextA(window, text, sizeof text);
  return text;
}

inline std::string ClassOf(HWND window) {
  char name[256] = {};
  GetClassNameA(window, name, sizeof name);
  return name;
}

struct WindowSearch {
  DWORD process;  // 0: any process
  std::string className, text;
  std::vector<HWND> found;
  bool hiddenToo = false;
};

inline BOOL CALLBACK CollectTopWindow(HWND window, LPARAM data) {
  auto& s = *reinterpret_cast<WindowSearch*>(data);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if ((s.process == 0 || owner == s.process) && (s.hiddenToo || IsWindowVisible(window)) &&
      ClassOf(window) == s.className &&
      (s.text.empty() || WindowText(window) == s.text))
    s.found.push_back(window);
  return TRUE;
}

inline BOOL CALLBACK CollectChild(HWND child, LPARAM data) {
  auto& s = *reinterpret_cast<WindowSearch*>(data);
  if (ClassOf(child) == s.className && (s.text.empty() || WindowText(child) == s.text)) s.found.push_back(child);
  return TRUE;
}

inline BOOL CALLBACK CollectStaticText(HWND child, LPARAM data) {
  if (ClassOf(child) == "Static") *reinterpret_cast<std::string*>(data) += WindowText(child);
  return TRUE;
}

// Visible top-level windows of a process (0: any) with the given class (and caption, when not empty).
inline std::vector<HWND> TopWindows(DWORD process, const std::string& className, const std::string& caption = "") {
  WindowSearch search{process, className, caption, {}};
  EnumWindows(&CollectTopWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// As TopWindows, hidden windows included (the main window sits hidden in the tray).
inline std::vector<HWND> AllTopWindows(DWORD process, const std::string& className, const std::string& caption = "") {
  WindowSearch search{process, className, caption, {}, true};
  EnumWindows(&CollectTopWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// The first child of a window with the given class (and text, when not empty).
inline HWND FindChild(HWND parent, const std::string& className, const std::string& text = "") {
  WindowSearch search{0, className, text, {}};
  EnumChildWindows(parent, &CollectChild, reinterpret_cast<LPARAM>(&search));
  return search.found.empty() ? nullptr : search.found.front();
}

// The texts of a message box's static controls, joined.
inline std::string BoxText(HWND box) {
  std::string text;
  EnumChildWindows(box, &CollectStaticText, reinterpret_cast<LPARAM>(&text));
  return text;
}

inline void PressButton(HWND dialog, int id) {
  PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

// The environment of Brackwater.exe beside this program, so that the settings core picks the
// program's own configuration location.
class BrackwaterEnvironment final : public platform::Environment {
public:
  std::string UserName() override { return real_.UserName(); }
  std::string AppDataFolder() override { return real_.AppDataFolder(); }
  std::string ProgramPath() override { return FolderOf(ThisProgram()) + "Brackwater.exe"; }

private:
  platform::Win32Environment real_;
};

// A scratch configuration folder, registered as the program's configuration location. Process
// ids come round again in a prefix that keeps its temporary folder: the settings file of an
// earlier run is deleted, and so are the given files (relative to the folder) a case leaves.
class ConfigFolder {
public:
  static constexpr const char* kLocationKey = "Software\\Brackwater\\Config Location";

  explicit ConfigFolder(const std::string& tag, const std::vector<std::string>& leftovers = {}) {
    char base[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, base);
    path_ = std::string(base) + tag + "-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++counter_);
    files_.CreateFolders(path_);
    DeleteFileA(ConfigPath().c_str());
    for (const std::string& file : leftovers) DeleteFileA((path_ + "\\" + file).c_str());
    registry_.WriteString(kLocationKey, "Folder", path_);
  }
  ConfigFolder(const ConfigFolder&) = delete;
  ConfigFolder& operator=(const ConfigFolder&) = delete;
  ~ConfigFolder() { registry_.DeleteKey(kLocationKey); }

  const std::string& Path() const { return path_; }
  std::string ConfigPath() const { return path_ + "\\Brackwater.config"; }

  // Writes a settings file whose default tree the caller fills in.
  void Write(const std::function<void(TStorage&)>& fill) {
    SettingsPlatform platform{environment_, registry_, files_, messages_, keys_};
    auto root = BuildDefaultTree(platform);
    fill(*root);
    ConfigFile(platform).Save(*root, false);
  }
  // The settings file as the program left it.
  std::unique_ptr<TStorage> Read() {
    SettingsPlatform platform{environment_, registry_, files_, messages_, keys_};
    return ConfigFile(platform).Load().root;
  }

private:
  static inline int counter_ = 0;
  std::string path_;
  BrackwaterEnvironment environment_;
  platform::Win32Registry registry_;
  platform::Win32FileSystem files_;
  platform::Win32Messages messages_;
  platform::Win32KeyNames keys_;
};

// One running Brackwater.exe; ended by "CloseBrackwater" (or, failing that, killed) at scope end.
class Brackwater {
public:
  // Brackwater.exe beside this program, unless another program is given.
  explicit Brackwater(const std::string& program = FolderOf(ThisProgram()) + "Brackwater.exe") {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    std::string commandLine = "\"" + program + "\"";
    PROCESS_INFORMATION info{};
    if (CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                       &info)) {
      process_.Reset(info.hProcess);
      const platform::UniqueHandle thread(info.hThread);  // not needed
      id_ = info.dwProcessId;
    }
  }
  Brackwater(const Brackwater&) = delete;
  Brackwater& operator=(const Brackwater&) = delete;
  ~Brackwater() { Close(); }

  // Ends the program as the "CloseBrackwater" message does (it saves the settings on the way).
  bool Close() {
    if (!Running()) return true;
    if (HWND main = MainWindow()) PostMessageA(main, RegisterWindowMessageA("CloseBrackwater"), 0, 0);
    if (WaitForSingleObject(process_.Get(), 15000) == WAIT_OBJECT_0) return true;
    TerminateProcess(process_.Get(), 99);
    WaitForSingleObject(process_.Get(), 5000);
    return false;
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

  // This program's main window, also while it sits hidden in the tray.
  HWND MainWindow() const {
    const auto found = AllTopWindows(id_, win32::kMainWindowClass, kBrackwaterTitle);
    return found.empty() ? nullptr : found.front();
  }
  bool IdleNow() const { return WaitForInputIdle(process_.Get(), 0) == 0; }
  // Waits until the program has started up and waits for input.
  bool WaitReady() const {
    return WaitFor([&] { return MainWindow() != nullptr && IdleNow(); });
  }
  // Waits for the main window; message boxes of the start-up (for example about a missing
  // library) are answered with OK on the way, and their texts kept.
  HWND WaitForMainWindow(std::vector<std::string>* boxes = nullptr) const {
    HWND main = nullptr;
    WaitFor([&] {
      for (HWND box : AllTopWindows(id_, "#32770")) {
        if (boxes) boxes->push_back(WindowText(box) + ": " + BoxText(box));
        PressButton(box, IDOK);
      }
      main = MainWindow();
      return main != nullptr && AllTopWindows(id_, "#32770").empty() && IdleNow();
    });
    return main;
  }

  // Waits for a dialog of the program with the given caption whose content is filled in.
  HWND WaitForDialog(const std::string& caption, DWORD milliseconds = 20000) const {
    HWND dialog = nullptr;
    WaitFor(
        [&] {
          const auto found = TopWindows(id_, "#32770", caption);
          dialog = found.empty() ? nullptr : found.front();
          return dialog != nullptr && !BoxText(dialog).empty();  // filled in after the window exists
        },
        milliseconds);
    return dialog;
  }
  bool WaitDialogGone(const std::string& caption) const {
    return WaitFor([&] { return TopWindows(id_, "#32770", caption).empty(); }, 10000);
  }

  // Opens the tray menu as a right click on the icon does, and waits for it.
  HWND OpenTrayMenu() const {
    PostMessageA(MainWindow(), win32::kTrayNotifyMessage, 1, WM_RBUTTONUP);
    HWND menu = nullptr;
    WaitFor([&] {
      const auto found = TopWindows(id_, "#32768");
      menu = found.empty() ? nullptr : found.front();
      return menu != nullptr;
    });
    return menu;
  }
  // Closes the open tray menu with Escape and waits until it is gone.
  bool CloseTrayMenu(HWND menu) const {
    PostMessageA(menu, WM_KEYDOWN, VK_ESCAPE, 1);
    PostMessageA(menu, WM_KEYUP, VK_ESCAPE, static_cast<LPARAM>(0xC0000001u));
    return WaitFor([&] { return TopWindows(id_, "#32768").empty(); }, 10000);
  }
  // A barrier for checks that something did not happen: posts the toggle hotkey's message and
  // waits until the program has let go of its other hotkeys (this process can take
  // Shift+Ctrl+Home), so every message sent or posted to it before was handled; then posts the
  // toggle again, which gives the keys back. Needs the default hotkeys, active. (Not the tray
  // menu: under Wine its loop swallows a quit that the program posted itself.) A quit posted
  // by an earlier message is still to come when this returns: it follows once the queue is
  // empty, so a check for a program that did not end waits briefly after this.
  bool HandledEarlierMessages() const {
    const HWND main = MainWindow();
    if (main == nullptr || !PostMessageA(main, WM_HOTKEY, kToggleHotkeysId, 0)) return false;
    const bool handled = WaitFor([] {
      if (!RegisterHotKey(nullptr, kProbeHotkey, MOD_SHIFT | MOD_CONTROL, VK_HOME)) return false;
      UnregisterHotKey(nullptr, kProbeHotkey);
      return true;
    }, 10000);
    PostMessageA(main, WM_HOTKEY, kToggleHotkeysId, 0);
    return handled;
  }

private:
  platform::UniqueHandle process_;
  DWORD id_ = 0;
};

}  // namespace bw::wintest
