// The Navision client test double beside the real Brackwater.exe in a Windows test program:
// scratch files, the double started with its message log and state file, real key presses
// (SendInput) for the hotkeys, and answers to the program's questions. Every wait is bounded.
#pragma once

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "../../tools/calclient/driver/client_driver.h"
#include "brackwater_session.h"

namespace bw::wintest {

inline std::string BinFolder() { return FolderOf(ThisProgram()); }

// A file name in the temporary folder, unique to this process.
inline std::string Scratch(const std::string& name) {
  char base[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, base);
  return std::string(base) + "bwe2e-" + std::to_string(GetCurrentProcessId()) + "-" + name;
}

inline std::string WriteScratch(const std::string& name, const std::string& content) {
  const std::string path = Scratch(name);
  if (std::FILE* file = std::fopen(path.c_str(), "wb")) {
    std::fwrite(content.data(), 1, content.size(), file);
    std::fclose(file);
  }
  return path;
}

inline bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// The test double, from `program` (a path), its messages logged to a file of its own.
struct Client {
  std::string log;
  std::optional<calclient::ClientProcess> process;

  Client(const std::string& program, const std::string& arguments)
      : log(Scratch("client" + std::to_string(++counter) + ".log")),
        process(calclient::ClientProcess::Start(program, arguments + " \"/log=" + log + "\"",
                                                Scratch("state" + std::to_string(counter) + ".txt"))) {}
  static inline int counter = 0;
  explicit operator bool() const { return process.has_value(); }

  calclient::StateReport State() {
    const auto report = process->State(5000);
    return report ? *report : calclient::StateReport{};
  }
  // Waits until the editor's text is the expected one; the last state seen.
  // When it never is, says in the log what the editor received, to tell a key that went
  // elsewhere from one never sent.
  calclient::StateReport WaitForText(const std::string& expected) {
    calclient::StateReport report;
    if (!WaitFor([&] {
          report = State();
          return report.Text() == expected;
        })) {
      std::string keys;
      for (const auto& key : EditorKeys()) keys += key + " ";
      std::printf("the editor's text stayed other than expected; focus on %s; the editor received: %s\n",
                  report.Value("focus_class").c_str(), keys.substr(0, 2000).c_str());
    }
    return report;
  }
  // Characters and Enter keys any of the client's windows received.
  int Typed() const {
    int typed = 0;
    const std::string content = calclient::ReadWholeFile(log);
    for (std::size_t at = 0; (at = content.find(" WM_", at)) != std::string::npos; ++at)
      typed += content.compare(at, 9, " WM_CHAR ") == 0 || content.compare(at, 20, " WM_KEYDOWN w=0xD l=") == 0;
    return typed;
  }
  // The keys and characters the editor window received, in order: "Home", "' '", ...
  std::vector<std::string> EditorKeys() const {
    std::vector<std::string> keys;
    const std::string content = calclient::ReadWholeFile(log);
    std::size_t start = 0;
    while (start < content.size()) {
      std::size_t end = content.find('\n', start);
      if (end == std::string::npos) end = content.size();
      const std::string line = content.substr(start, end - start);
      start = end + 1;
      if (line.find(" editor ") == std::string::npos) continue;
      const auto w = line.find("w=0x");
      if (w == std::string::npos) continue;
      const unsigned long value = std::strtoul(line.c_str() + w + 4, nullptr, 16);
      if (line.find(" WM_CHAR ") != std::string::npos) {
        keys.push_back(std::string("'") + static_cast<char>(value) + "'");
      } else if (line.find(" WM_KEYDOWN ") != std::string::npos) {
        switch (value) {
          case VK_SHIFT:
          case VK_CONTROL:
          case VK_MENU: break;  // the user's own hotkey chord, not Brackwater's typing
          case VK_HOME: keys.push_back("Home"); break;
          case VK_UP: keys.push_back("Up"); break;
          case VK_DOWN: keys.push_back("Down"); break;
          case VK_LEFT: keys.push_back("Left"); break;
          case VK_RIGHT: keys.push_back("Right"); break;
          case VK_DELETE: keys.push_back("Delete"); break;
          case VK_RETURN: keys.push_back("Enter"); break;
          default: keys.push_back("vk" + std::to_string(value)); break;
        }
      }
    }
    return keys;
  }
};

// The double as finsql.exe from the build folder.
inline Client StartFinsql(const std::string& arguments) { return Client(BinFolder() + "finsql.exe", arguments); }

// One real key event (down, or up), as a person's keyboard gives it.
inline void SendKeyEvent(WORD virtualKey, bool up) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = virtualKey;
  input.ki.wScan = static_cast<WORD>(MapVirtualKeyA(virtualKey, MAPVK_VK_TO_VSC));
  input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  SendInput(1, &input, sizeof input);
}

// Real keyboard input: the modifiers held while the key goes down and up, as a person presses a
// hotkey. Only the key is sent when no modifier is wanted.
inline void PressChord(bool shift, bool ctrl, WORD key) {
  std::vector<INPUT> inputs;
  const auto add = [&](WORD vk, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = vk;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyA(vk, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    inputs.push_back(input);
  };
  if (shift) add(VK_SHIFT, false);
  if (ctrl) add(VK_CONTROL, false);
  add(key, false);
  add(key, true);
  if (ctrl) add(VK_CONTROL, true);
  if (shift) add(VK_SHIFT, true);
  SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}
inline void PressHotkey(WORD key) { PressChord(true, true, key); }

// The window in front, and its thread's keyboard focus on it or on one of its children: the
// window's own thread moves the focus as it handles the activation, a moment after the switch,
// and a hotkey pressed in between would find no focus window to type into.
inline bool BringToFront(HWND window) {
  return WaitFor(
      [&] {
        if (GetForegroundWindow() != window) SetForegroundWindow(window);
        if (GetForegroundWindow() != window) return false;
        GUITHREADINFO info{};
        info.cbSize = sizeof info;
        if (!GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info)) return false;
        return info.hwndFocus == window || (info.hwndFocus != nullptr && IsChild(window, info.hwndFocus));
      },
      5000);
}

// Answers the program's next question with the given caption; its text, or "<no box>".
inline std::string Answer(Brackwater& program, const std::string& caption, int button) {
  const HWND box = program.WaitForDialog(caption);
  if (box == nullptr) return "<no box>";
  const std::string text = BoxText(box);
  PressButton(box, button);
  program.WaitDialogGone(caption);
  return text;
}

}  // namespace bw::wintest
