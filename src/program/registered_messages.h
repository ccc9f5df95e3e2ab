// Window messages shared with other processes and the tray icon's own notification message.
#pragma once

#include <windows.h>

namespace bw::win32 {

inline constexpr const char* kNotifyMessageName = "NotifyBrackwater";
inline constexpr const char* kCloseMessageName = "CloseBrackwater";
inline constexpr const char* kTaskbarCreatedName = "TaskbarCreated";

// The tray icon reports mouse actions to the main window with this message
// (lParam = the mouse message, for example WM_RBUTTONUP).
inline constexpr UINT kTrayNotifyMessage = WM_APP + 1;

// The main window's class name; tools and tests find the running program by it.
inline constexpr const char* kMainWindowClass = "TfrmNavision";

struct RegisteredMessages {
  UINT notify = RegisterWindowMessageA(kNotifyMessageName);
  UINT close = RegisterWindowMessageA(kCloseMessageName);
  UINT taskbarCreated = RegisterWindowMessageA(kTaskbarCreatedName);
};

}  // namespace bw::win32
