#include "ui/win32/dpi.h"

#include "platform/win32/dpi_awareness.h"

namespace bw::win32 {

int WindowDpi(HWND window) { return platform::OwnDpiOf(window); }

}  // namespace bw::win32
