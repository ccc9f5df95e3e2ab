#include "platform/native/english_locale.h"

#include <array>
#include <cstdio>
#include <string_view>

namespace bw::platform {
namespace {

constexpr std::array<std::string_view, 7> kLongDays = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                                       "Thursday", "Friday", "Saturday"};
constexpr std::array<std::string_view, 12> kLongMonths = {"January", "February", "March",     "April",
                                                          "May",     "June",     "July",      "August",
                                                          "September", "October", "November", "December"};

template <std::size_t N>
std::string Pick(const std::array<std::string_view, N>& names, int index, std::size_t length) {
  if (index < 1 || index > static_cast<int>(N)) return {};
  return std::string(names[static_cast<std::size_t>(index - 1)].substr(0, length));
}

}  // namespace

std::string EnglishLocale::ShortDayName(int day) const { return Pick(kLongDays, day, 3); }
std::string EnglishLocale::LongDayName(int day) const { return Pick(kLongDays, day, std::string_view::npos); }
std::string EnglishLocale::ShortMonthName(int month) const { return Pick(kLongMonths, month, 3); }
std::string EnglishLocale::LongMonthName(int month) const { return Pick(kLongMonths, month, std::string_view::npos); }

std::string EnglishLocale::EraName(const LocalDateTime&) const { return "A.D."; }

std::string EnglishLocale::EraYear(const LocalDateTime& when, bool fourDigits) const {
  char text[16];
  if (fourDigits)
    std::snprintf(text, sizeof text, "%04d", when.year);
  else
    std::snprintf(text, sizeof text, "%02d", ((when.year % 100) + 100) % 100);
  return text;
}

}  // namespace bw::platform
