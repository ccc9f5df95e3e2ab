// Time for the program's own pauses, and the calling thread's pending window messages.
#pragma once

#include <chrono>

namespace bw::platform {

class Clock {
public:
  virtual ~Clock() = default;
  virtual void Sleep(std::chrono::milliseconds duration) = 0;
  virtual std::chrono::steady_clock::time_point Now() = 0;
  // Lets the window messages waiting for the calling thread run, then returns (a bounded
  // number of them; a quit request stays queued for the main loop).
  virtual void PumpMessages() = 0;
};

}  // namespace bw::platform
