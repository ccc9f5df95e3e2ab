// Dots per inch of a window's monitor (per-monitor aware where the system supports it).
#pragma once

#include <windows.h>

namespace bw::win32 {

int WindowDpi(HWND window);

// WM_DPICHANGED (Windows 8.1 on): the window moved to a monitor of another DPI; the new DPI in
// the low word of wParam, the suggested window rectangle at lParam.
inline constexpr UINT kDpiChangedMessage = 0x02E0;

// A length given at 96 dots per inch, at `dpi`.
inline int Scale(int pixelsAt96, int dpi) { return MulDiv(pixelsAt96, dpi, 96); }

}  // namespace bw::win32
