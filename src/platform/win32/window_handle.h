// Conversions between the core's window ids and HWND.
#pragma once

#include <windows.h>

#include "platform/window_id.h"

namespace bw::platform {

inline HWND ToHwnd(WindowId window) { return reinterpret_cast<HWND>(window); }
inline WindowId FromHwnd(HWND window) { return reinterpret_cast<WindowId>(window); }

}  // namespace bw::platform
