// A clock that really sleeps; there are no window messages to pump off Windows.
#pragma once

#include "platform/clock.h"

namespace bw::platform {

class SleepingClock final : public Clock {
public:
  void Sleep(std::chrono::milliseconds duration) override;
  std::chrono::steady_clock::time_point Now() override;
  void PumpMessages() override {}
};

}  // namespace bw::platform
