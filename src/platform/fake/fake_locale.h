// The native English locale with separators, formats and morning/afternoon texts that a
// test can change, to see that the formatter takes them from the locale.
#pragma once

#include <string>

#include "platform/native/english_locale.h"

namespace bw::fake {

class FakeLocale final : public platform::EnglishLocale {
public:
  char DateSeparator() const override { return dateSeparator; }
  char TimeSeparator() const override { return timeSeparator; }
  std::string ShortDateFormat() const override { return shortDateFormat; }
  std::string LongDateFormat() const override { return longDateFormat; }
  std::string ShortTimeFormat() const override { return shortTimeFormat; }
  std::string LongTimeFormat() const override { return longTimeFormat; }
  std::string TimeAmString() const override { return amString; }
  std::string TimePmString() const override { return pmString; }
  std::string EraName(const platform::LocalDateTime&) const override { return eraName; }

  char dateSeparator = '-';
  char timeSeparator = ':';
  std::string shortDateFormat = "dd/mm/yyyy";
  std::string longDateFormat = "dddd d mmmm yyyy";
  std::string shortTimeFormat = "hh:nn";
  std::string longTimeFormat = "hh:nn:ss";
  std::string amString = "AM";
  std::string pmString = "PM";
  std::string eraName = "A.D.";
};

}  // namespace bw::fake
