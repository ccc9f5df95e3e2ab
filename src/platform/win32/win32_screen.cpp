#include "platform/win32/win32_screen.h"

#include <windows.h>

namespace bw::platform {

ScreenSize Win32Screen::PrimarySize() { return {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}; }

}  // namespace bw::platform
