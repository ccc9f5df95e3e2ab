// Drives the Navision client test double (finsql.exe / fin.exe) from a Windows test program:
// starts it, finds its windows, posts keys as Brackwater does, and reads its state report.
// Every wait is bounded and keeps the calling thread's messages flowing.
//
//   auto client = ClientProcess::Start(folder + "\\finsql.exe", "/text=...", folder + "\\s.txt");
//   client->PostText("begin");
//   auto state = client->State();   // state->Value("caret") == "1,6"
#pragma once

#include <windows.h>
#include <tlhelp32.h>

#include <cstdio>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "base/path_parts.h"
#include "platform/win32/unique_resource.h"

namespace bw::calclient {

// Lets the calling thread's window messages run for up to the given time.
inline void PumpMessagesFor(DWORD milliseconds) {
  const ULONGLONG deadline = GetTickCount64() + milliseconds;
  for (;;) {
    MSG message{};
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
    const ULONGLONG now = GetTickCount64();
    if (now >= deadline) return;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(deadline - now), QS_ALLINPUT);
  }
}

// Waits, with messages flowing, until the condition holds or the time is up.
template <class Condition> bool WaitUntil(Condition condition, DWORD milliseconds) {
  const ULONGLONG deadline = GetTickCount64() + milliseconds;
  while (!condition()) {
    if (GetTickCount64() >= deadline) return false;
    PumpMessagesFor(10);
  }
  return true;
}

// Reads a file the client may be replacing at that moment: it is opened sharing deletion, so
// that the client's move of a new report over it never fails because a reader has it open.
inline std::string ReadWholeFile(const std::string& path) {
  std::string content;
  const platform::UniqueHandle file(CreateFileA(path.c_str(), GENERIC_READ,
                                               FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                               OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return content;
  char buffer[4096];
  DWORD count = 0;
  while (ReadFile(file.Get(), buffer, sizeof buffer, &count, nullptr) && count > 0) content.append(buffer, count);
  return content;
}

// The client's state report: name=value lines; "text" and "selected" repeat once per line.
struct StateReport {
  std::map<std::string, std::string> values;
  std::vector<std::string> text;
  std::vector<std::string> selected;

  std::string Value(const std::string& name) const {
    const auto found = values.find(name);
    return found == values.end() ? std::string("<missing ") + name + ">" : found->second;
  }
  std::string Text() const {
    std::string joined;
    for (std::size_t i = 0; i < text.size(); ++i) joined += (i ? "\r\n" : "") + text[i];
    return joined;
  }

  static std::optional<StateReport> Parse(const std::string& content) {
    StateReport report;
    bool complete = false;
    std::size_t start = 0;
    while (start < content.size()) {
      auto end = content.find("\r\n", start);
      if (end == std::string::npos) end = content.size();
      const std::string line = content.substr(start, end - start);
      start = end + 2;
      const auto equals = line.find('=');
      if (equals == std::string::npos) continue;
      const std::string name = line.substr(0, equals), value = line.substr(equals + 1);
      if (name == "text") report.text.push_back(value);
      else if (name == "selected") report.selected.push_back(value);
      else report.values[name] = value;
      if (name == "end") complete = true;
    }
    if (!complete) return std::nullopt;
    return report;
  }
};

class ClientProcess {
public:
  ClientProcess(const ClientProcess&) = delete;
  ClientProcess& operator=(const ClientProcess&) = delete;
  ClientProcess(ClientProcess&& other) noexcept = default;
  ClientProcess& operator=(ClientProcess&&) = delete;

  // Starts the program and waits until it is ready: its windows built, the focus set.
  static std::optional<ClientProcess> Start(const std::string& program, const std::string& arguments,
                                            const std::string& stateFile, DWORD milliseconds = 15000) {
    std::string commandLine = "\"" + program + "\" " + arguments + " \"/state=" + stateFile + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    DeleteFileA(stateFile.c_str());
    if (!CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &info))
      return std::nullopt;
    ClientProcess client(info, stateFile);
    WaitForInputIdle(info.hProcess, milliseconds);
    if (!WaitUntil([&] { return client.TopWindow() != nullptr; }, milliseconds)) return std::nullopt;
    // The client answers the first request only after it has built its windows and set the focus.
    if (!client.State(milliseconds)) return std::nullopt;
    // Without a window manager a window started while another program is being activated may come
    // up inactive and so without a focus window: it is brought to the front, as a user would click it.
    if (!WaitUntil(
            [&] {
              if (client.FocusWindow() != nullptr) return true;
              SetForegroundWindow(client.TopWindow());
              return false;
            },
            milliseconds))
      return std::nullopt;
    return client;
  }

  // Closes the client's windows; ends the process if it does not go within the bound.
  ~ClientProcess() {
    if (!process_) return;
    Close();
    if (WaitForSingleObject(process_.Get(), 0) != WAIT_OBJECT_0) TerminateProcess(process_.Get(), 1);
  }

  // Asks the client to close and waits for its end; true when it ended.
  bool Close(DWORD milliseconds = 5000) {
    for (HWND window : TopWindows()) PostMessageA(window, WM_CLOSE, 0, 0);
    return WaitUntil([&] { return WaitForSingleObject(process_.Get(), 0) == WAIT_OBJECT_0; }, milliseconds);
  }

  DWORD ProcessId() const { return processId_; }
  DWORD ThreadId() const { return threadId_; }

  // The client's visible top-level windows (the frame, or the login dialog).
  std::vector<HWND> TopWindows() const {
    Search search{processId_, {}};
    EnumWindows(&CollectWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
  }
  HWND TopWindow() const {
    const auto windows = TopWindows();
    return windows.empty() ? nullptr : windows.front();
  }

  // The focus window of the client's thread, read as Brackwater reads it: attached to the thread.
  HWND FocusWindow(POINT* caret = nullptr) const {
    const DWORD self = GetCurrentThreadId();
    if (!AttachThreadInput(self, threadId_, TRUE)) return nullptr;
    const HWND focus = GetFocus();
    if (caret != nullptr && !GetCaretPos(caret)) *caret = POINT{-1, -1};
    AttachThreadInput(self, threadId_, FALSE);
    return focus;
  }

  // Keys as Brackwater posts them.
  static void PostKey(HWND window, WPARAM virtualKey) {
    PostMessageA(window, WM_KEYDOWN, virtualKey, 0x001C0001);
    PostMessageA(window, WM_KEYUP, virtualKey, static_cast<LPARAM>(0xC01C0001u));
  }
  static void PostText(HWND window, const std::string& text) {
    for (const char c : text) PostMessageA(window, WM_CHAR, static_cast<unsigned char>(c), 0x001C0001);
  }
  // The copy chord, to the top-level window.
  static void PostCopy(HWND topWindow) {
    PostMessageA(topWindow, WM_KEYDOWN, VK_CONTROL, 0);
    PostKey(topWindow, static_cast<WPARAM>(static_cast<unsigned short>(VkKeyScanA('c'))));
    PostMessageA(topWindow, WM_KEYUP, VK_CONTROL, 0);
  }

  // Asks for the state report after every message posted so far, and waits for it.
  std::optional<StateReport> State(DWORD milliseconds = 10000) {
    const HWND window = TopWindow();
    if (window == nullptr) return std::nullopt;
    const unsigned long sequence = ++sequence_;
    static const UINT dump = RegisterWindowMessageA("CalClientDumpState");
    PostMessageA(window, dump, sequence, 0);
    std::optional<StateReport> report;
    WaitUntil(
        [&] {
          report = StateReport::Parse(ReadWholeFile(stateFile_));
          return report && report->Value("sequence") == std::to_string(sequence);
        },
        milliseconds);
    if (report && report->Value("sequence") != std::to_string(sequence)) report.reset();
    return report;
  }

  // The report the client wrote when it ended.
  std::optional<StateReport> FinalState() const { return StateReport::Parse(ReadWholeFile(stateFile_)); }

  // The executable's file name as a process snapshot shows it (what IsLoginDialog compares).
  std::string SnapshotExeName() const {
    const platform::UniqueHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (!snapshot) return {};
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof entry;
    std::string name;
    for (BOOL more = Process32First(snapshot.Get(), &entry); more; more = Process32Next(snapshot.Get(), &entry)) {
      if (entry.th32ProcessID == processId_) {
        name = entry.szExeFile;
        break;
      }
    }
    return std::string(FileNamePart(name));
  }

private:
  struct Search {
    DWORD process;
    std::vector<HWND> found;
  };
  static BOOL CALLBACK CollectWindow(HWND window, LPARAM parameter) {
    auto* search = reinterpret_cast<Search*>(parameter);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process == search->process && IsWindowVisible(window)) search->found.push_back(window);
    return TRUE;
  }

  ClientProcess(const PROCESS_INFORMATION& info, std::string stateFile)
      : process_(info.hProcess),
        thread_(info.hThread),
        processId_(info.dwProcessId),
        threadId_(info.dwThreadId),
        stateFile_(std::move(stateFile)) {}

  platform::UniqueHandle process_;
  platform::UniqueHandle thread_;
  DWORD processId_ = 0;
  DWORD threadId_ = 0;
  std::string stateFile_;
  unsigned long sequence_ = 0;
};

}  // namespace bw::calclient
