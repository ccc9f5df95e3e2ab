// The desktop's windows, their threads and processes, and the focus and caret of the thread
// whose input state the program is attached to.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "platform/screen.h"
#include "platform/window_id.h"

namespace bw::platform {

struct WindowOwner {
  ThreadId thread = 0;
  ProcessId process = 0;
};

struct CaretPoint {
  std::int32_t x = 0;
  std::int32_t y = 0;
};

// What a thread's input state holds, read from outside without attaching to it.
struct ThreadFocus {
  WindowId focus = kNoWindow;
  std::optional<CaretPoint> caret;  // in client coordinates of the focus window
};

struct ScreenRect {
  std::int32_t left = 0;
  std::int32_t top = 0;
  std::int32_t right = 0;
  std::int32_t bottom = 0;
};

// The scale of a window: the dots per inch its own coordinates are in (96 for a program unaware
// of DPI, which Windows stretches as a bitmap) and those of the monitor it is on. A caret read
// from another thread is in the window's own coordinates; screen rectangles are in the monitor's.
struct WindowDpi {
  int own = kDefaultDpi;
  int monitor = kDefaultDpi;
};

class Desktop {
public:
  virtual ~Desktop() = default;

  // The window the user works in; kNoWindow when there is none.
  virtual WindowId ForegroundWindow() = 0;
  // The thread and process that created a window; zeros for an invalid window.
  virtual WindowOwner OwnerOf(WindowId window) = 0;
  virtual ThreadId CurrentThread() = 0;
  // Shares (attach true) or stops sharing the input state of two threads. False on failure.
  virtual bool AttachThreadInput(ThreadId from, ThreadId to, bool attach) = 0;

  // The focus window of the calling thread's input state (of the attached thread while attached).
  virtual WindowId FocusWindow() = 0;
  // The caret in client coordinates of the window that owns it; nullopt when it cannot be read.
  virtual std::optional<CaretPoint> CaretPosition() = 0;

  // The focus window and caret of another thread's input state, read without attaching to it
  // (attaching on every key would disturb that thread's key state); nullopt when unreadable.
  virtual std::optional<ThreadFocus> FocusOfThread(ThreadId thread) = 0;

  // Window class name and caption, each at most 255 characters; empty when unreadable.
  virtual std::string ClassName(WindowId window) = 0;
  virtual std::string WindowText(WindowId window) = 0;
  virtual WindowId ParentWindow(WindowId window) = 0;
  virtual WindowId TopLevelWindow(WindowId window) = 0;
  // The window's outer rectangle in screen coordinates; nullopt for an invalid window.
  virtual std::optional<ScreenRect> WindowRect(WindowId window) = 0;
  // The window's scale; 96 and 96 for an invalid window.
  virtual WindowDpi DpiOf(WindowId window) = 0;

  // The executable file name of a running process as the process snapshot lists it
  // (it may include a path); nullopt when no snapshot can be taken or the process is not in it.
  virtual std::optional<std::string> ProcessExecutable(ProcessId process) = 0;
};

}  // namespace bw::platform
