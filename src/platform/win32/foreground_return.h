// Gives the foreground back when one of the program's windows closes. While the program shows
// a dialog over another program (a question asked from a hotkey), the dialog is the foreground
// window; when it closes, Windows may activate some other window, and with no window manager
// none at all, so the user's next keys would go nowhere. The window that was in front when the
// dialog opened gets the foreground back, as long as it still exists and is not ours, and
// nothing else has taken the foreground meanwhile.
#pragma once

#include <windows.h>

namespace bw::platform {

class ForegroundReturn {
public:
  ForegroundReturn() : before_(GetForegroundWindow()) {}
  ForegroundReturn(const ForegroundReturn&) = delete;
  ForegroundReturn& operator=(const ForegroundReturn&) = delete;
  ~ForegroundReturn() {
    if (!OtherProgram(before_) || !IsWindowVisible(before_)) return;
    const HWND now = GetForegroundWindow();
    // Another program came to the front by the user's doing: leave it there.
    if (now != nullptr && now != before_ && OtherProgram(now)) return;
    if (now != before_) SetForegroundWindow(before_);
  }

private:
  static bool OtherProgram(HWND window) {
    if (window == nullptr || !IsWindow(window)) return false;
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    return process != GetCurrentProcessId();
  }

  HWND before_;
};

}  // namespace bw::platform
