#include "platform/win32/win32_clock.h"

#include <windows.h>

namespace bw::platform {
namespace {

// One pump handles at most this many messages, so that a window that keeps posting to
// itself cannot hold the caller.
constexpr int kMaxPumpedMessages = 1000;
// Longest single sleep (one minute); longer requests are cut to it.
constexpr std::chrono::milliseconds kMaxSleep{60000};

}  // namespace

void Win32Clock::Sleep(std::chrono::milliseconds duration) {
  if (duration <= std::chrono::milliseconds::zero()) return;
  if (duration > kMaxSleep) duration = kMaxSleep;
  ::Sleep(static_cast<DWORD>(duration.count()));
}

std::chrono::steady_clock::time_point Win32Clock::Now() { return std::chrono::steady_clock::now(); }

void Win32Clock::PumpMessages() {
  MSG message{};
  for (int i = 0; i < kMaxPumpedMessages && PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE); ++i) {
    if (message.message == WM_QUIT) {
      // Leave the quit request for the main loop.
      PostQuitMessage(static_cast<int>(message.wParam));
      return;
    }
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

}  // namespace bw::platform
