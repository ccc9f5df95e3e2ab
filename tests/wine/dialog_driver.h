// Driving a modal dialog of this process from a second thread, the way a user would: finding it
// by caption, posting keys, characters and clicks that go through the dialog's own modal loop,
// answering message boxes. Every wait is bounded.
#pragma once

#include <windows.h>

#include <cstdlib>
#include <functional>
#include <string>
#include <thread>

#include "ui/win32/modal_dialog.h"
#include "wintest.h"

namespace bw::dialogtest {

using bw::ui::WindowText;

inline bool WaitUntil(const std::function<bool()>& condition, DWORD milliseconds = 10000) {
  for (DWORD waited = 0; waited < milliseconds; waited += 50) {
    if (condition()) return true;
    Sleep(50);
  }
  return condition();
}

// A visible dialog-class window of this process with the caption (any caption when empty).
struct DialogSearch {
  std::string caption;
  HWND found = nullptr;
};

inline BOOL CALLBACK MatchDialog(HWND window, LPARAM data) {
  auto& search = *reinterpret_cast<DialogSearch*>(data);
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  char className[64] = {};
  GetClassNameA(window, className, sizeof className);
  if (process == GetCurrentProcessId() && IsWindowVisible(window) && std::string(className) == "#32770" &&
      (search.caption.empty() || WindowText(window) == search.caption)) {
    search.found = window;
    return FALSE;
  }
  return TRUE;
}

inline HWND FindDialog(const std::string& caption) {
  DialogSearch search{caption};
  EnumWindows(&MatchDialog, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

inline HWND WaitForDialog(const std::string& caption) {
  HWND found = nullptr;
  WaitUntil([&] { return (found = FindDialog(caption)) != nullptr; });
  return found;
}

// Runs `drive` on a second thread for the length of one dialog; joined on leaving the scope.
// A driver that fails closes whatever dialogs of the process are left, so the case still ends.
class Driver {
public:
  explicit Driver(std::function<void()> drive)
      : thread_([drive = std::move(drive)] {
          try {
            drive();
          } catch (const bw::wintest::AssertionAbort&) {
          }
          // The dialog is expected to close by what the driver did; if it stays, it is closed.
          if (!WaitUntil([] { return FindDialog("") == nullptr; })) {
            bw::wintest::Fail(__FILE__, __LINE__, "a dialog stayed open after the driver was done");
            for (int round = 0; round < 5; ++round) {
              const HWND left = FindDialog("");
              if (left == nullptr) break;
              PostMessageA(left, WM_CLOSE, 0, 0);
              WaitUntil([&] { return !IsWindow(left) || !IsWindowVisible(left); }, 3000);
            }
          }
        }) {}
  Driver(const Driver&) = delete;
  Driver& operator=(const Driver&) = delete;
  ~Driver() { thread_.join(); }

private:
  std::thread thread_;
};

inline void PressKey(HWND target, WPARAM key) {
  PostMessageA(target, WM_KEYDOWN, key, 1);
  PostMessageA(target, WM_KEYUP, key, 0xC0000001);
}

inline void Type(HWND target, const std::string& text) {
  for (const char c : text) PostMessageA(target, WM_CHAR, static_cast<unsigned char>(c), 1);
}

// A message box of this process: its text, then closed with the button.
inline std::string AnswerBox(const std::string& caption, int button) {
  const HWND box = WaitForDialog(caption);
  if (box == nullptr) return "(no \"" + caption + "\" box)";
  const std::string text = WindowText(GetDlgItem(box, 0xFFFF));
  PostMessageA(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(box, button)));
  WaitUntil([&] { return !IsWindow(box); });
  return text;
}

// With BW_DIALOG_SHOT_DIR set (a Windows path), writes the file `marker` there while a dialog
// shows and waits (bounded) for "shot-taken", which the photographing script writes.
inline void WaitForPhotograph(const std::string& marker) {
  const char* folder = std::getenv("BW_DIALOG_SHOT_DIR");
  if (folder == nullptr || *folder == '\0') return;
  const std::string markerPath = std::string(folder) + "\\" + marker;
  const std::string taken = std::string(folder) + "\\shot-taken";
  DeleteFileA(taken.c_str());
  if (HANDLE file = CreateFileA(markerPath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
      file != INVALID_HANDLE_VALUE)
    CloseHandle(file);
  WaitUntil([&] { return GetFileAttributesA(taken.c_str()) != INVALID_FILE_ATTRIBUTES; }, 30000);
}

}  // namespace bw::dialogtest
