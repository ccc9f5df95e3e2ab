// What the screen looks like to a program aware of DPI and to one that is not, and the size the
// client's settings files are named for: printed by scripts/dpi144-shots.sh (figures, not a test).
#include <windows.h>

#include <cstdio>

#include "launch/client_command_line.h"
#include "platform/win32/dpi_awareness.h"
#include "platform/win32/unique_resource.h"
#include "platform/win32/win32_screen.h"

namespace {

using SetContextFn = void*(WINAPI*)(void*);
void* const kPerMonitorAwareV2 = reinterpret_cast<void*>(static_cast<INT_PTR>(-4));

void Print(const char* as) {
  std::printf("%-28s screen %5d x %-5d  system DPI %d\n", as, GetSystemMetrics(SM_CXSCREEN),
              GetSystemMetrics(SM_CYSCREEN), bw::platform::SystemDpi());
}

}  // namespace

int main() {
  Print("as the process starts:");
  const HMODULE user32 = GetModuleHandleA("user32.dll");
  const auto setContext = reinterpret_cast<SetContextFn>(
      reinterpret_cast<void*>(GetProcAddress(user32, "SetThreadDpiAwarenessContext")));
  if (setContext == nullptr || setContext(kPerMonitorAwareV2) == nullptr) {
    std::printf("SetThreadDpiAwarenessContext is missing or refused\n");
  } else {
    Print("aware per monitor (v2):");
    {
      const bw::platform::ThreadDpiScope unaware(nullptr);
      Print("unaware (scoped):");
    }
    bw::platform::Win32Screen screen;
    const bw::platform::ScreenSize client = bw::ClientScreenSize(screen);
    std::printf("%-28s %d x %d\n", ".zup names carry:", client.width, client.height);
  }
  const bw::platform::UniqueWindow window(
      CreateWindowExA(0, "STATIC", "dpi", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr));
  std::printf("%-28s own %d, monitor %d\n", "a window of this thread:", bw::platform::OwnDpiOf(window.Get()),
              bw::platform::MonitorDpiOf(window.Get()));
  return 0;
}
