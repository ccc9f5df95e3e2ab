#include "editor/date_time_format.h"

#include <algorithm>
#include <cstdint>

#include "base/text_case.h"

namespace bw {
namespace {

// Nested formats (the locale's date and time formats inside "ddddd", "t", "c") are expanded
// one level deep; a locale format that names another locale format adds nothing there.
constexpr int kMaxNesting = 2;

class Formatter {
public:
  Formatter(const platform::LocalDateTime& when, const platform::Locale& locale) : when_(when), locale_(locale) {}

  void Append(std::string_view format, int level);
  std::string Take() { return std::move(out_); }

private:
  void Number(int value, int digits);
  bool TwelveHourAhead(std::string_view rest) const;

  const platform::LocalDateTime& when_;
  const platform::Locale& locale_;
  std::string out_;
};

void Formatter::Number(int value, int digits) {
  const long long wide = value;
  std::string text = std::to_string(wide < 0 ? -wide : wide);
  if (text.size() < static_cast<std::size_t>(digits)) text.insert(0, static_cast<std::size_t>(digits) - text.size(), '0');
  if (value < 0) out_ += '-';
  out_ += text;
}

// Whether the hour specifier just read is on the 12-hour clock: the first "a" after it that is
// outside quotes decides, unless another "h" comes first.
bool Formatter::TwelveHourAhead(std::string_view rest) const {
  bool quoted = false;
  for (std::size_t at = 0; at < rest.size(); ++at) {
    const char c = rest[at];
    if ((c == 'a' || c == 'A') && !quoted) {
      const std::string_view tail = rest.substr(at);
      return StartsWithIgnoringCase(tail, "am/pm") || StartsWithIgnoringCase(tail, "a/p") ||
             StartsWithIgnoringCase(tail, "ampm");
    }
    if (c == 'h' || c == 'H') return false;
    if (c == '\'' || c == '"') quoted = !quoted;
  }
  return false;
}

void Formatter::Append(std::string_view format, int level) {
  if (level >= kMaxNesting) return;
  const platform::LocalDateTime& t = when_;
  char lastToken = ' ';
  bool twelveHour = false;
  std::size_t at = 0;
  while (at < format.size()) {
    const char starter = format[at++];
    char token = starter;
    if (token >= 'a' && token <= 'z') token = static_cast<char>(token - 32);
    if (token >= 'A' && token <= 'Z') {
      if (token == 'M' && lastToken == 'H') token = 'N';
      lastToken = token;
    }
    // The length of the run of `starter` (same letter case) that began at the character read.
    const auto count = [&] {
      const std::size_t from = at;
      while (at < format.size() && format[at] == starter) ++at;
      return static_cast<int>(at - from + 1);
    };
    switch (token) {
      case 'Y':
        if (count() <= 2)
          Number(((t.year % 100) + 100) % 100, 2);
        else
          Number(t.year, 4);
        break;
      case 'G':
        count();
        out_ += locale_.EraName(t);
        break;
      case 'E': {
        const int n = count();
        std::string year = locale_.EraYear(t, n > 2);
        if (n == 1 && !year.empty() && year.front() == '0') year.erase(0, 1);
        out_ += year;
        break;
      }
      case 'M': {
        const int n = count();
        if (n <= 2)
          Number(t.month, n);
        else
          out_ += n == 3 ? locale_.ShortMonthName(t.month) : locale_.LongMonthName(t.month);
        break;
      }
      case 'D': {
        const int n = count();
        if (n <= 2)
          Number(t.day, n);
        else if (n == 3)
          out_ += locale_.ShortDayName(DayOfWeek(t));
        else if (n == 4)
          out_ += locale_.LongDayName(DayOfWeek(t));
        else
          Append(n == 5 ? locale_.ShortDateFormat() : locale_.LongDateFormat(), level + 1);
        break;
      }
      case 'H': {
        const int n = count();
        if (TwelveHourAhead(format.substr(at))) twelveHour = true;
        int hour = t.hour;
        if (twelveHour) hour = hour == 0 ? 12 : hour > 12 ? hour - 12 : hour;
        Number(hour, std::min(n, 2));
        break;
      }
      case 'N':
        Number(t.minute, std::min(count(), 2));
        break;
      case 'S':
        Number(t.second, std::min(count(), 2));
        break;
      case 'Z':
        Number(t.millisecond, std::min(count(), 3));
        break;
      case 'T':
        Append(count() == 1 ? locale_.ShortTimeFormat() : locale_.LongTimeFormat(), level + 1);
        break;
      case 'A': {
        const std::string_view here = format.substr(at - 1);
        const bool afternoon = t.hour >= 12;
        if (StartsWithIgnoringCase(here, "am/pm")) {
          out_ += here.substr(afternoon ? 3 : 0, 2);
          at += 4;
          twelveHour = true;
        } else if (StartsWithIgnoringCase(here, "a/p")) {
          out_ += here.substr(afternoon ? 2 : 0, 1);
          at += 2;
          twelveHour = true;
        } else if (StartsWithIgnoringCase(here, "ampm")) {
          out_ += afternoon ? locale_.TimePmString() : locale_.TimeAmString();
          at += 3;
          twelveHour = true;
        } else if (StartsWithIgnoringCase(here, "aaaa")) {
          out_ += locale_.LongDayName(DayOfWeek(t));
          at += 3;
        } else if (StartsWithIgnoringCase(here, "aaa")) {
          out_ += locale_.ShortDayName(DayOfWeek(t));
          at += 2;
        } else {
          out_ += starter;
        }
        break;
      }
      case 'C':
        count();
        Append(locale_.ShortDateFormat(), level + 1);
        if (t.hour != 0 || t.minute != 0 || t.second != 0) {
          out_ += ' ';
          Append(locale_.LongTimeFormat(), level + 1);
        }
        break;
      case '/':
        if (const char separator = locale_.DateSeparator()) out_ += separator;
        break;
      case ':':
        if (const char separator = locale_.TimeSeparator()) out_ += separator;
        break;
      case '\'':
      case '"': {
        const auto close = format.find(starter, at);
        const std::size_t end = close == std::string_view::npos ? format.size() : close;
        out_ += format.substr(at, end - at);
        at = close == std::string_view::npos ? end : end + 1;
        break;
      }
      default:
        out_ += starter;
        break;
    }
  }
}

}  // namespace

int DayOfWeek(const platform::LocalDateTime& when) {
  // Days since 1970-01-01 (a Thursday) by the civil calendar's era arithmetic.
  std::int64_t y = when.year;
  const std::int64_t m = when.month;
  const std::int64_t d = when.day;
  y -= m <= 2 ? 1 : 0;
  const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
  const std::int64_t yearOfEra = y - era * 400;
  const std::int64_t dayOfYear = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const std::int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
  const std::int64_t days = era * 146097 + dayOfEra - 719468;
  const std::int64_t weekday = ((days % 7) + 7 + 4) % 7;  // 0 = Sunday
  return static_cast<int>(weekday) + 1;
}

std::string FormatDateTime(std::string_view format, const platform::LocalDateTime& when,
                           const platform::Locale& locale) {
  Formatter formatter(when, locale);
  formatter.Append(format.empty() ? std::string_view("C") : format, 0);
  return formatter.Take();
}

}  // namespace bw
