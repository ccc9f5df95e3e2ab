// A wall clock that stands still at a time the test chooses.
#pragma once

#include "platform/local_time.h"

namespace bw::fake {

class FixedLocalTime final : public platform::LocalTime {
public:
  explicit FixedLocalTime(platform::LocalDateTime fixed) : now(fixed) {}
  platform::LocalDateTime Now() override { return now; }

  platform::LocalDateTime now;
};

}  // namespace bw::fake
