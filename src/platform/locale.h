// The user's regional settings that date and time formatting needs.
#pragma once

#include <string>

#include "platform/local_time.h"

namespace bw::platform {

class Locale {
public:
  virtual ~Locale() = default;

  // Day names: 1 is Sunday, 7 is Saturday. Month names: 1 is January. Out of range: empty.
  virtual std::string ShortDayName(int day) const = 0;
  virtual std::string LongDayName(int day) const = 0;
  virtual std::string ShortMonthName(int month) const = 0;
  virtual std::string LongMonthName(int month) const = 0;

  // Separators that "/" and ":" stand for in a format; '\0' writes nothing.
  virtual char DateSeparator() const = 0;
  virtual char TimeSeparator() const = 0;

  // Formats in the date-time format language, as "ddddd", "dddddd", "t", "tt" and "c" use them.
  virtual std::string ShortDateFormat() const = 0;
  virtual std::string LongDateFormat() const = 0;
  virtual std::string ShortTimeFormat() const = 0;
  virtual std::string LongTimeFormat() const = 0;

  // The morning and afternoon texts ("ampm").
  virtual std::string TimeAmString() const = 0;
  virtual std::string TimePmString() const = 0;

  // The era name of a date, and its year in the era with two or four digits ("g", "e").
  virtual std::string EraName(const LocalDateTime& when) const = 0;
  virtual std::string EraYear(const LocalDateTime& when, bool fourDigits) const = 0;
};

}  // namespace bw::platform
