#include "platform/fake/fake_clock.h"

namespace bw::fake {

void FakeClock::Sleep(std::chrono::milliseconds duration) {
  {
    std::lock_guard lock(mutex_);
    elapsed_ += duration;
  }
  log_.Add(Event::Of(Event::Kind::Sleep, duration.count()));
}

std::chrono::steady_clock::time_point FakeClock::Now() {
  std::lock_guard lock(mutex_);
  return std::chrono::steady_clock::time_point{} + elapsed_;
}

void FakeClock::PumpMessages() { log_.Add(Event::Of(Event::Kind::Pump)); }

std::chrono::milliseconds FakeClock::Elapsed() const {
  std::lock_guard lock(mutex_);
  return elapsed_;
}

}  // namespace bw::fake
