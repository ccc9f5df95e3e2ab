#include "platform/win32/win32_locale.h"

#include <windows.h>

#include <vector>

namespace bw::platform {
namespace {

std::string Info(LCTYPE type, const char* fallback) {
  const int size = GetLocaleInfoA(LOCALE_USER_DEFAULT, type, nullptr, 0);
  if (size <= 0) return fallback;
  std::vector<char> buffer(static_cast<std::size_t>(size) + 1, '\0');
  if (GetLocaleInfoA(LOCALE_USER_DEFAULT, type, buffer.data(), size) <= 0) return fallback;
  return buffer.data();
}

// Windows numbers the day names from Monday; ours start on Sunday.
LCTYPE DayType(LCTYPE monday, int day) {
  return monday + static_cast<LCTYPE>((day + 5) % 7);
}

std::string AltCalendarDate(const LocalDateTime& when, const char* picture) {
  SYSTEMTIME time{};
  time.wYear = static_cast<WORD>(when.year);
  time.wMonth = static_cast<WORD>(when.month);
  time.wDay = static_cast<WORD>(when.day);
  char buffer[256] = {};
  if (GetDateFormatA(LOCALE_USER_DEFAULT, DATE_USE_ALT_CALENDAR, &time, picture, buffer, sizeof buffer) <= 0)
    return {};
  return buffer;
}

std::string TimeFormat(bool withSeconds) {
  const bool twelveHour = Info(LOCALE_ITIME, "0") == "0";
  const std::string hour = Info(LOCALE_ITLZERO, "0") == "0" ? "h" : "hh";
  std::string format = hour + (withSeconds ? ":mm:ss" : ":mm");
  if (twelveHour) format = Info(LOCALE_ITIMEMARKPOSN, "0") == "0" ? format + " AMPM" : "AMPM " + format;
  return format;
}

}  // namespace

std::string Win32Locale::ShortDayName(int day) const {
  return day < 1 || day > 7 ? std::string() : Info(DayType(LOCALE_SABBREVDAYNAME1, day), "");
}
std::string Win32Locale::LongDayName(int day) const {
  return day < 1 || day > 7 ? std::string() : Info(DayType(LOCALE_SDAYNAME1, day), "");
}
std::string Win32Locale::ShortMonthName(int month) const {
  return month < 1 || month > 12 ? std::string()
                                 : Info(LOCALE_SABBREVMONTHNAME1 + static_cast<LCTYPE>(month - 1), "");
}
std::string Win32Locale::LongMonthName(int month) const {
  return month < 1 || month > 12 ? std::string() : Info(LOCALE_SMONTHNAME1 + static_cast<LCTYPE>(month - 1), "");
}

char Win32Locale::DateSeparator() const {
  const std::string text = Info(LOCALE_SDATE, "/");
  return text.empty() ? '\0' : text.front();
}
char Win32Locale::TimeSeparator() const {
  const std::string text = Info(LOCALE_STIME, ":");
  return text.empty() ? '\0' : text.front();
}

std::string Win32Locale::ShortDateFormat() const { return Info(LOCALE_SSHORTDATE, "m/d/yy"); }
std::string Win32Locale::LongDateFormat() const { return Info(LOCALE_SLONGDATE, "mmmm d, yyyy"); }
std::string Win32Locale::ShortTimeFormat() const { return TimeFormat(false); }
std::string Win32Locale::LongTimeFormat() const { return TimeFormat(true); }
std::string Win32Locale::TimeAmString() const { return Info(LOCALE_S1159, "am"); }
std::string Win32Locale::TimePmString() const { return Info(LOCALE_S2359, "pm"); }

std::string Win32Locale::EraName(const LocalDateTime& when) const { return AltCalendarDate(when, "gg"); }
std::string Win32Locale::EraYear(const LocalDateTime& when, bool fourDigits) const {
  return AltCalendarDate(when, fourDigits ? "yyyy" : "yy");
}

}  // namespace bw::platform
