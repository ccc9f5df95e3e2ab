#include "editor/date_time_format.h"

#include <gtest/gtest.h>

#include "platform/fake/fake_locale.h"
#include "platform/native/english_locale.h"

namespace bw {
namespace {

using platform::LocalDateTime;

constexpr LocalDateTime kAfternoon{2026, 12, 8, 14, 5, 9, 7};  // a Tuesday
constexpr LocalDateTime kMorning{2026, 3, 5, 9, 7, 3, 45};     // a Thursday
constexpr LocalDateTime kMidnight{2026, 12, 8, 0, 0, 0, 500};
constexpr LocalDateTime kHalfPastMidnight{2026, 12, 8, 0, 30, 0, 0};
constexpr LocalDateTime kNoon{2026, 12, 8, 12, 0, 0, 0};

struct Case {
  const char* format;
  LocalDateTime when;
  const char* expected;
};

class FormatTable : public testing::TestWithParam<Case> {};

TEST_P(FormatTable, FormatsLikeTheDelphiLanguage) {
  const platform::EnglishLocale locale;
  EXPECT_EQ(FormatDateTime(GetParam().format, GetParam().when, locale), GetParam().expected)
      << "format \"" << GetParam().format << "\"";
}

INSTANTIATE_TEST_SUITE_P(
    Days, FormatTable,
    testing::Values(Case{"d", kMorning, "5"}, Case{"dd", kMorning, "05"}, Case{"d", kAfternoon, "8"},
                    Case{"ddd", kAfternoon, "Tue"}, Case{"dddd", kAfternoon, "Tuesday"},
                    Case{"ddddd", kAfternoon, "08-12-2026"}, Case{"dddddd", kAfternoon, "Tuesday 8 December 2026"},
                    Case{"ddddddd", kAfternoon, "Tuesday 8 December 2026"}, Case{"aaa", kMorning, "Thu"},
                    Case{"aaaa", kMorning, "Thursday"}, Case{"aa", kMorning, "aa"},
                    Case{"aaaaa", kMorning, "Thursdaya"}, Case{"DDDD", kAfternoon, "Tuesday"},
                    // Runs count one letter case only: "dD" is two single d's.
                    Case{"dD", kAfternoon, "88"}));

INSTANTIATE_TEST_SUITE_P(
    MonthsAndYears, FormatTable,
    testing::Values(Case{"m", kMorning, "3"}, Case{"mm", kMorning, "03"}, Case{"mmm", kMorning, "Mar"},
                    Case{"mmmm", kMorning, "March"}, Case{"mmmmm", kMorning, "March"}, Case{"MMM", kAfternoon, "Dec"},
                    Case{"y", kAfternoon, "26"}, Case{"yy", kAfternoon, "26"}, Case{"yyy", kAfternoon, "2026"},
                    Case{"yyyy", kAfternoon, "2026"}, Case{"yy", LocalDateTime{2007, 1, 1, 0, 0, 0, 0}, "07"},
                    Case{"DD-MM-YYYY", kAfternoon, "08-12-2026"}, Case{"yyyy-mm-dd", kAfternoon, "2026-12-08"}));

INSTANTIATE_TEST_SUITE_P(
    Times, FormatTable,
    testing::Values(Case{"h", kMorning, "9"}, Case{"hh", kMorning, "09"}, Case{"hhh", kMorning, "09"},
                    Case{"n", kMorning, "7"}, Case{"nn", kMorning, "07"}, Case{"s", kMorning, "3"},
                    Case{"ss", kMorning, "03"}, Case{"z", kMorning, "45"}, Case{"zz", kMorning, "45"},
                    Case{"zzz", kMorning, "045"}, Case{"zzzz", kMorning, "045"}, Case{"HH:NN:SS", kAfternoon, "14:05:09"},
                    Case{"t", kAfternoon, "14:05"}, Case{"tt", kAfternoon, "14:05:09"},
                    Case{"c", kAfternoon, "08-12-2026 14:05:09"}, Case{"C", kMorning, "05-03-2026 09:07:03"},
                    // At 00:00:00 "c" is the date alone; the milliseconds do not count.
                    Case{"c", kMidnight, "08-12-2026"}, Case{"c", kHalfPastMidnight, "08-12-2026 00:30:00"},
                    Case{"", kAfternoon, "08-12-2026 14:05:09"}));

INSTANTIATE_TEST_SUITE_P(
    MinutesAfterHours, FormatTable,
    testing::Values(Case{"h:m", kAfternoon, "14:5"}, Case{"hh:mm", kAfternoon, "14:05"},
                    Case{"hhmm", kAfternoon, "1405"}, Case{"h mm", kAfternoon, "14 05"},
                    Case{"hh:mm:ss", kAfternoon, "14:05:09"}, Case{"hh'h'mm", kAfternoon, "14h05"},
                    Case{"hhmmm", kAfternoon, "1405"}, Case{"mm hh", kAfternoon, "12 14"},
                    // Any other letter in between ends it: the m is a month again.
                    Case{"hxm", kAfternoon, "14x12"}, Case{"hh:nn mm", kAfternoon, "14:05 12"}));

INSTANTIATE_TEST_SUITE_P(
    MorningAndAfternoon, FormatTable,
    testing::Values(Case{"am/pm", kAfternoon, "pm"}, Case{"AM/PM", kAfternoon, "PM"}, Case{"Am/pM", kAfternoon, "pM"},
                    Case{"am/pm", kMorning, "am"}, Case{"Am/pM", kMorning, "Am"}, Case{"a/p", kAfternoon, "p"},
                    Case{"A/P", kMorning, "A"}, Case{"ampm", kAfternoon, "PM"}, Case{"AMPM", kMorning, "AM"},
                    Case{"h am/pm", kAfternoon, "2 pm"}, Case{"hh:nn a/p", kAfternoon, "02:05 p"},
                    Case{"h ampm", kMorning, "9 AM"}, Case{"h am/pm", kNoon, "12 pm"},
                    Case{"h:nn am/pm", kHalfPastMidnight, "12:30 am"}, Case{"hh am/pm", kMidnight, "12 am"},
                    // A marker before the hour switches to the 12-hour clock as well.
                    Case{"am/pm h", kAfternoon, "pm 2"},
                    // Quoted, it is text; a later h ends the look-ahead of an earlier one.
                    Case{"h 'am/pm'", kAfternoon, "14 am/pm"}, Case{"hh hh am/pm", kAfternoon, "14 02 pm"},
                    Case{"h ax", kAfternoon, "14 ax"}));

INSTANTIATE_TEST_SUITE_P(
    TextAndSeparators, FormatTable,
    testing::Values(Case{"dd/mm/yy", kAfternoon, "08-12-26"}, Case{"hh:nn", kAfternoon, "14:05"},
                    Case{"'dd' d", kAfternoon, "dd 8"}, Case{"\"mmmm\" m", kAfternoon, "mmmm 12"},
                    Case{"'say \"hi\"'", kAfternoon, "say \"hi\""}, Case{"'open", kAfternoon, "open"},
                    Case{"'it''s'", kAfternoon, "its"}, Case{"# x!", kAfternoon, "# x!"}, Case{"''", kAfternoon, ""},
                    // "e" is an era year wherever it stands.
                    Case{"Week of w", kAfternoon, "W26k of w"}));

INSTANTIATE_TEST_SUITE_P(Eras, FormatTable,
                         testing::Values(Case{"g", kAfternoon, "A.D."}, Case{"gg", kAfternoon, "A.D."},
                                         Case{"e", LocalDateTime{2008, 1, 1, 0, 0, 0, 0}, "8"},
                                         Case{"ee", LocalDateTime{2008, 1, 1, 0, 0, 0, 0}, "08"},
                                         Case{"eee", kAfternoon, "2026"}));

TEST(DateTimeFormat, SeparatorsFormatsAndMarkersComeFromTheLocale) {
  fake::FakeLocale locale;
  locale.dateSeparator = '.';
  locale.timeSeparator = '\0';
  locale.shortDateFormat = "d/m/yyyy";
  locale.longTimeFormat = "h:nn:ss ampm";
  locale.amString = "vorm.";
  locale.pmString = "nachm.";
  EXPECT_EQ(FormatDateTime("dd/mm hh:nn", kAfternoon, locale), "08.12 1405");
  EXPECT_EQ(FormatDateTime("c", kAfternoon, locale), "8.12.2026 20509 nachm.");
  EXPECT_EQ(FormatDateTime("tt", kMorning, locale), "90703 vorm.");
}

TEST(DateTimeFormat, LocaleFormatsNestOnlyOneLevelDeep) {
  fake::FakeLocale locale;
  locale.shortDateFormat = "ddddd";  // would name itself forever
  locale.longTimeFormat = "c";
  EXPECT_EQ(FormatDateTime("ddddd", kAfternoon, locale), "");
  EXPECT_EQ(FormatDateTime("x c x", kAfternoon, locale), "x    x");
  locale.shortDateFormat = "dd/mm";
  EXPECT_EQ(FormatDateTime("tt", kAfternoon, locale), " ");
}

TEST(DateTimeFormat, DayOfWeekCountsFromSunday) {
  EXPECT_EQ(DayOfWeek({2026, 12, 8, 0, 0, 0, 0}), 3);   // Tuesday
  EXPECT_EQ(DayOfWeek({2000, 2, 29, 0, 0, 0, 0}), 3);   // Tuesday
  EXPECT_EQ(DayOfWeek({1899, 12, 30, 0, 0, 0, 0}), 7);  // Saturday
  EXPECT_EQ(DayOfWeek({2024, 1, 7, 0, 0, 0, 0}), 1);    // Sunday
}

TEST(DateTimeFormat, FieldsOutOfRangeGiveEmptyNamesNotACrash) {
  const platform::EnglishLocale locale;
  EXPECT_EQ(FormatDateTime("mmm|mmmm|mm", LocalDateTime{2026, 13, 40, 0, 0, 0, 0}, locale), "||13");
}

}  // namespace
}  // namespace bw
