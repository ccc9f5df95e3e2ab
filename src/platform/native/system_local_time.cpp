#include "platform/native/system_local_time.h"

#include <chrono>
#include <ctime>

namespace bw::platform {

LocalDateTime SystemLocalTime::Now() {
  const auto now = std::chrono::system_clock::now();
  const std::time_t seconds = std::chrono::system_clock::to_time_t(now);
  const auto millis = std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() % 1000;
  std::tm parts{};
  if (!localtime_r(&seconds, &parts)) return {};
  return {parts.tm_year + 1900, parts.tm_mon + 1, parts.tm_mday, parts.tm_hour,
          parts.tm_min,         parts.tm_sec > 59 ? 59 : parts.tm_sec, static_cast<int>(millis < 0 ? 0 : millis)};
}

}  // namespace bw::platform
