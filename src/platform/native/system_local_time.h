// The local date and time from the C library (the TZ rules of the process).
#pragma once

#include "platform/local_time.h"

namespace bw::platform {

class SystemLocalTime : public LocalTime {
public:
  LocalDateTime Now() override;
};

}  // namespace bw::platform
