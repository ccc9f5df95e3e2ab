#include "platform/win32/win32_local_time.h"

#include <windows.h>

namespace bw::platform {

LocalDateTime Win32LocalTime::Now() {
  SYSTEMTIME time{};
  GetLocalTime(&time);
  return {time.wYear, time.wMonth, time.wDay, time.wHour, time.wMinute, time.wSecond, time.wMilliseconds};
}

}  // namespace bw::platform
