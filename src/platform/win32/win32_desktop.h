// Windows, focus, caret and processes from the Windows API.
#pragma once

#include "platform/desktop.h"

namespace bw::platform {

class Win32Desktop final : public Desktop {
public:
  WindowId ForegroundWindow() override;
  WindowOwner OwnerOf(WindowId window) override;
  ThreadId CurrentThread() override;
  bool AttachThreadInput(ThreadId from, ThreadId to, bool attach) override;
  WindowId FocusWindow() override;
  std::optional<CaretPoint> CaretPosition() override;
  std::optional<ThreadFocus> FocusOfThread(ThreadId thread) override;
  std::string ClassName(WindowId window) override;
  std::string WindowText(WindowId window) override;
  WindowId ParentWindow(WindowId window) override;
  WindowId TopLevelWindow(WindowId window) override;
  std::optional<ScreenRect> WindowRect(WindowId window) override;
  WindowDpi DpiOf(WindowId window) override;
  std::optional<std::string> ProcessExecutable(ProcessId process) override;
};

}  // namespace bw::platform
