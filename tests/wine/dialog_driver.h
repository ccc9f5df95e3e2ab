// Driving this process's own modal dialogs from a second thread in the Windows test programs,
// the way a user would: finding a dialog by caption, posting keys, characters and clicks through
// its modal loop, answering message boxes. Every wait is bounded.
#pragma once

#include <windows.h>

#include <atomic>
#include <cstdlib>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "platform/win32/unique_resource.h"
#include "ui/win32/modal_dialog.h"
#include "wintest.h"

namespace bw::wintest {

// The screen's dots per inch, asked of the system: the tests expect sizes as literal pixels at 96.
inline int ScreenDpi() {
  const platform::WindowDc screen;
  return GetDeviceCaps(screen.Get(), LOGPIXELSX);
}

inline bool WaitUntil(const std::function<bool()>& condition, DWORD milliseconds = 10000) {
  for (DWORD waited = 0; waited < milliseconds; waited += 50) {
    if (condition()) return true;
    Sleep(50);
  }
  return condition();
}

struct DialogSearch {
  std::string caption;  // empty: any caption
  HWND found = nullptr;
};

inline BOOL CALLBACK MatchDialog(HWND window, LPARAM data) {
  auto& wanted = *reinterpret_cast<DialogSearch*>(data);
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  char className[64] = {};
  GetClassNameA(window, className, sizeof className);
  if (process == GetCurrentProcessId() && IsWindowVisible(window) && std::string(className) == "#32770" &&
      (wanted.caption.empty() || ui::WindowText(window) == wanted.caption)) {
    wanted.found = window;
    return FALSE;
  }
  return TRUE;
}

// A visible dialog-class window of this process with the caption (any when empty), or null.
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

// The marker of WaitUntilHandled, seen by a message hook on the window's thread.
inline std::atomic<HANDLE>& MarkerSeen() {
  static std::atomic<HANDLE> seen{nullptr};
  return seen;
}

inline LRESULT CALLBACK WatchForMarker(int code, WPARAM wParam, LPARAM lParam) {
  static const UINT marker = RegisterWindowMessageA("BrackwaterTestMarker");
  const auto* message = reinterpret_cast<const MSG*>(lParam);
  if (code == HC_ACTION && wParam == PM_REMOVE && message->message == marker)
    if (const HANDLE seen = MarkerSeen().load()) SetEvent(seen);
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

// A barrier instead of a pause: returns once the thread of `window` has taken from its queue a
// marker posted after everything posted to it before, so it has handled all of that (and any
// work it did in between, such as a discovery); false when that does not happen in time.
inline bool WaitUntilHandled(HWND window, DWORD milliseconds = 20000) {
  static const UINT marker = RegisterWindowMessageA("BrackwaterTestMarker");
  const bw::platform::UniqueHandle seen(CreateEventA(nullptr, TRUE, FALSE, nullptr));
  MarkerSeen().store(seen.Get());
  bool handled = false;
  {
    const bw::platform::UniqueHook hook(
        SetWindowsHookExA(WH_GETMESSAGE, &WatchForMarker, nullptr, GetWindowThreadProcessId(window, nullptr)));
    handled = hook && PostMessageA(window, marker, 0, 0) && WaitForSingleObject(seen.Get(), milliseconds) == WAIT_OBJECT_0;
  }
  MarkerSeen().store(nullptr);
  return handled;
}

inline void PressKey(HWND target, WPARAM key) {
  PostMessageA(target, WM_KEYDOWN, key, 1);
  PostMessageA(target, WM_KEYUP, key, 0xC0000001);
}

inline void Type(HWND target, const std::string& text) {
  for (const char c : text) PostMessageA(target, WM_CHAR, static_cast<unsigned char>(c), 1);
}

inline void Click(HWND dialog, int button) {
  PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog, button)));
}

// A message box of this process: its text, then closed with the button.
inline std::string AnswerBox(const std::string& caption, int button) {
  const HWND box = WaitForDialog(caption);
  if (box == nullptr) return "(no \"" + caption + "\" box)";
  const std::string text = ui::WindowText(GetDlgItem(box, 0xFFFF));
  Click(box, button);
  WaitUntil([&] { return !IsWindow(box); });
  return text;
}

// Runs `drive` on a second thread for the length of one dialog; joined on leaving the scope.
// When the driver is done, any dialog with one of the captions (without captions: any dialog of
// the process) still open fails the case and is closed, so the case still ends.
class Driver {
public:
  explicit Driver(std::function<void()> drive) : Driver({""}, std::move(drive)) {}
  Driver(std::vector<std::string> captions, std::function<void()> drive)
      : thread_([captions = std::move(captions), drive = std::move(drive)] {
          try {
            drive();
          } catch (const AssertionAbort&) {
          }
          const auto anyLeft = [&] {
            for (const auto& caption : captions)
              if (FindDialog(caption) != nullptr) return true;
            return false;
          };
          if (WaitUntil([&] { return !anyLeft(); })) return;
          Fail(__FILE__, __LINE__, "a dialog stayed open after the driver was done");
          for (int round = 0; round < 5 && anyLeft(); ++round) {
            for (const auto& caption : captions)
              if (const HWND dialog = FindDialog(caption)) PostMessageA(dialog, WM_CLOSE, 0, 0);
            WaitUntil([&] { return !anyLeft(); }, 3000);
          }
        }) {}
  Driver(const Driver&) = delete;
  Driver& operator=(const Driver&) = delete;
  ~Driver() { thread_.join(); }

private:
  std::thread thread_;
};

// A window of this process that takes the foreground from the dialog, on a thread of its own
// that answers its messages (the dialog's thread sends to it as the activation moves back);
// closed on leaving the scope.
class WindowInFront {
public:
  WindowInFront()
      : thread_([this] {
          MSG message{};
          PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE);
          window_ = CreateWindowExA(0, "STATIC", "Another window", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 60, 60, 200, 100,
                                    nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
          SetForegroundWindow(window_);
          threadId_ = GetCurrentThreadId();
          while (GetMessageA(&message, nullptr, 0, 0) > 0) DispatchMessageA(&message);
          DestroyWindow(window_);
        }) {
    WaitUntil([&] { return threadId_.load() != 0; }, 5000);
  }
  WindowInFront(const WindowInFront&) = delete;
  WindowInFront& operator=(const WindowInFront&) = delete;
  ~WindowInFront() {
    PostThreadMessageA(threadId_.load(), WM_QUIT, 0, 0);
    thread_.join();
  }
  HWND Window() const { return window_; }

private:
  HWND window_ = nullptr;
  std::atomic<DWORD> threadId_{0};
  std::thread thread_;
};

// With BW_DIALOG_SHOT_DIR set (a Windows path), writes the file `marker` there while a dialog
// shows and waits (bounded) for "shot-taken", which the photographing script writes.
inline void WaitForPhotograph(const std::string& marker) {
  const char* folder = std::getenv("BW_DIALOG_SHOT_DIR");
  if (folder == nullptr || *folder == '\0') return;
  const std::string markerPath = std::string(folder) + "\\" + marker;
  const std::string taken = std::string(folder) + "\\shot-taken";
  DeleteFileA(taken.c_str());
  {
    // An empty marker file, closed at once.
    const platform::UniqueHandle file(
        CreateFileA(markerPath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
  }
  WaitUntil([&] { return GetFileAttributesA(taken.c_str()) != INVALID_FILE_ATTRIBUTES; }, 30000);
}

}  // namespace bw::wintest
