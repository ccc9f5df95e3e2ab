#include "platform/win32/win32_screen.h"

#include <windows.h>

#include "platform/win32/dpi_awareness.h"

namespace bw::platform {

// The program is aware of DPI per monitor: it sees the monitor's own pixels.
ScreenSize Win32Screen::PrimarySize() { return {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}; }

int Win32Screen::SystemDpi() { return platform::SystemDpi(); }

}  // namespace bw::platform
