// The user's regional settings from the Windows locale (LOCALE_USER_DEFAULT), read afresh on
// every call so that a change in the Control Panel shows in the next template.
#pragma once

#include "platform/locale.h"

namespace bw::platform {

class Win32Locale final : public Locale {
public:
  std::string ShortDayName(int day) const override;
  std::string LongDayName(int day) const override;
  std::string ShortMonthName(int month) const override;
  std::string LongMonthName(int month) const override;
  char DateSeparator() const override;
  char TimeSeparator() const override;
  std::string ShortDateFormat() const override;
  std::string LongDateFormat() const override;
  // Built from the hour style, leading zero and marker position: "h:mm AMPM", "HH:mm", ...
  std::string ShortTimeFormat() const override;
  std::string LongTimeFormat() const override;
  std::string TimeAmString() const override;
  std::string TimePmString() const override;
  std::string EraName(const LocalDateTime& when) const override;
  std::string EraYear(const LocalDateTime& when, bool fourDigits) const override;
};

}  // namespace bw::platform
