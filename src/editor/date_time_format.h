// The date-time format language of the "<<Date(...)>>" and "<<Time(...)>>" tags: the format
// specifiers of Delphi's FormatDateTime, with the user's locale for names and separators.
//   d dd ddd dddd ddddd dddddd   day, 01, day name, long day name, short date, long date
//   aaa aaaa                     day name, long day name
//   m mm mmm mmmm                month, 01, month name, long month name
//                                (m after an h, separators between allowed, means minutes)
//   y yy / yyy yyyy              year in two / four digits
//   h hh                         hour (12-hour clock when an am/pm, a/p or ampm is in play)
//   n nn  s ss  z zzz            minute, second, millisecond
//   t tt  c                      short time, long time, short date and long time
//   am/pm a/p ampm               morning or afternoon marker
//   / :                          the locale's date and time separators
//   'text' "text"                the text itself
//   e ee eee g gg                era year and era name
// Letters are recognised in any case; every other character is copied.
#pragma once

#include <string>
#include <string_view>

#include "platform/local_time.h"
#include "platform/locale.h"

namespace bw {

// An empty format formats as "c".
std::string FormatDateTime(std::string_view format, const platform::LocalDateTime& when,
                           const platform::Locale& locale);

// 1 for Sunday ... 7 for Saturday.
int DayOfWeek(const platform::LocalDateTime& when);

}  // namespace bw
