// A clock that records pauses instead of sleeping: Now() moves on by exactly the recorded
// sleeps, so tests see the time a command would take without spending it.
#pragma once

#include <chrono>
#include <mutex>

#include "platform/clock.h"
#include "platform/fake/event_log.h"

namespace bw::fake {

class FakeClock final : public platform::Clock {
public:
  explicit FakeClock(EventLog& log) : log_(log) {}

  void Sleep(std::chrono::milliseconds duration) override;
  std::chrono::steady_clock::time_point Now() override;
  void PumpMessages() override;

  std::chrono::milliseconds Elapsed() const;

private:
  EventLog& log_;
  mutable std::mutex mutex_;
  std::chrono::milliseconds elapsed_{0};
};

}  // namespace bw::fake
