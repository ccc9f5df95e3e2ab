#include "platform/native/sleeping_clock.h"

#include <thread>

namespace bw::platform {

void SleepingClock::Sleep(std::chrono::milliseconds duration) {
  if (duration > std::chrono::milliseconds::zero()) std::this_thread::sleep_for(duration);
}

std::chrono::steady_clock::time_point SleepingClock::Now() { return std::chrono::steady_clock::now(); }

}  // namespace bw::platform
