// DPI awareness of threads and windows, and the DPI of monitors. The functions behind them came
// with Windows 8.1 and 10; on older systems every window and monitor is at the system's DPI and
// the thread's awareness stays as it is.
#pragma once

#include <windows.h>

namespace bw::platform {

// While it lives, the calling thread sees coordinates as a given window does, or as a program
// unaware of DPI does (window nullptr); the thread's own awareness comes back at the end.
class ThreadDpiScope {
public:
  explicit ThreadDpiScope(HWND likeWindow);
  ~ThreadDpiScope();
  ThreadDpiScope(const ThreadDpiScope&) = delete;
  ThreadDpiScope& operator=(const ThreadDpiScope&) = delete;

private:
  void* previous_ = nullptr;
};

// The dots per inch of the system (what a program unaware of DPI is scaled from).
int SystemDpi();
// The dots per inch of the monitor that holds most of the window (or is nearest to it).
int MonitorDpiOf(HWND window);
// The dots per inch of the window's own coordinates: 96 for a window of a program unaware of
// DPI, the system's for one aware of the system's DPI, the monitor's for one aware per monitor.
int OwnDpiOf(HWND window);

}  // namespace bw::platform
