// Sleeping and the message pump of the calling thread, from the Windows API.
#pragma once

#include "platform/clock.h"

namespace bw::platform {

class Win32Clock final : public Clock {
public:
  void Sleep(std::chrono::milliseconds duration) override;
  std::chrono::steady_clock::time_point Now() override;
  void PumpMessages() override;
};

}  // namespace bw::platform
