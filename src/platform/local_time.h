// The current local date and time, as the user's wall clock shows it.
#pragma once

namespace bw::platform {

struct LocalDateTime {
  int year = 1899;        // four digits
  int month = 12;         // 1 ... 12
  int day = 30;           // 1 ... 31
  int hour = 0;           // 0 ... 23
  int minute = 0;         // 0 ... 59
  int second = 0;         // 0 ... 59
  int millisecond = 0;    // 0 ... 999

  friend bool operator==(const LocalDateTime&, const LocalDateTime&) = default;
};

class LocalTime {
public:
  virtual ~LocalTime() = default;
  virtual LocalDateTime Now() = 0;
};

}  // namespace bw::platform
