// Windows of other programs, as the portable core sees them: opaque handles.
#pragma once

#include <cstdint>

namespace bw::platform {

// A window handle carried as a number; the real layer converts it back to HWND.
using WindowId = std::uintptr_t;
inline constexpr WindowId kNoWindow = 0;

// Thread and process ids as the desktop reports them.
using ThreadId = std::uint32_t;
using ProcessId = std::uint32_t;

}  // namespace bw::platform
