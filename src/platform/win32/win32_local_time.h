// The local date and time from the Windows clock.
#pragma once

#include "platform/local_time.h"

namespace bw::platform {

class Win32LocalTime final : public LocalTime {
public:
  LocalDateTime Now() override;  // GetLocalTime
};

}  // namespace bw::platform
