// A fixed English locale for native builds: English day and month names, "-" between the
// parts of a date, ":" between those of a time, day before month, a 24-hour clock.
//   short date  "dd/mm/yyyy"        08-12-2026
//   long date   "dddd d mmmm yyyy"  Tuesday 8 December 2026
//   short time  "hh:nn"             14:05
//   long time   "hh:nn:ss"          14:05:09
// so "c" gives "08-12-2026 14:05:09", and "08-12-2026" alone at midnight, matching the
// "<<Date>>" and "<<Time>>" tags.
#pragma once

#include "platform/locale.h"

namespace bw::platform {

class EnglishLocale : public Locale {
public:
  std::string ShortDayName(int day) const override;
  std::string LongDayName(int day) const override;
  std::string ShortMonthName(int month) const override;
  std::string LongMonthName(int month) const override;
  char DateSeparator() const override { return '-'; }
  char TimeSeparator() const override { return ':'; }
  std::string ShortDateFormat() const override { return "dd/mm/yyyy"; }
  std::string LongDateFormat() const override { return "dddd d mmmm yyyy"; }
  std::string ShortTimeFormat() const override { return "hh:nn"; }
  std::string LongTimeFormat() const override { return "hh:nn:ss"; }
  std::string TimeAmString() const override { return "AM"; }
  std::string TimePmString() const override { return "PM"; }
  // The Gregorian calendar's single era, "A.D.", with the plain year.
  std::string EraName(const LocalDateTime& when) const override;
  std::string EraYear(const LocalDateTime& when, bool fourDigits) const override;
};

}  // namespace bw::platform
