#pragma once
// Dates as day numbers and times as seconds of the day, and their texts by a picture.
//
// Day number: days since 1 January 1600 (day 0); valid dates lie in the years 1600 to 3999;
// BadDate (-1) means "no date". Time: seconds since midnight, 0..86399; BadTime (-1) means
// "no time". These are the forms stored in records and keys and used in every computation.
//
// Two-digit years: wherever a year from 0 to 99 is given, 1900 is added when that gives 1940
// or later, else 2000 (00-39 mean 2000-2039, 40-99 mean 1940-1999).
//
// Date pictures use the letters d (day), m (month), y (year), n (month name) and w (weekday
// name); time pictures h, m, s. A lower-case run fills leading positions with "0", an
// upper-case run with blanks ("dd" gives "05", "DD" gives " 5"). Only the first run of each
// letter counts; every other character is copied.

#include <cstdint>
#include <string>
#include <string_view>

#include "base/clock.h"

namespace tarvik {

using DayNumber = std::int32_t;
using TimeOfDay = std::int32_t;

inline constexpr DayNumber BadDate = -1;
inline constexpr TimeOfDay BadTime = -1;
inline constexpr int kFirstYear = 1600;
inline constexpr int kLastYear = 3999;
/// Day number of 31 December 3999, the last valid date.
inline constexpr DayNumber kLastDayNumber = 876581;

/// A calendar date split into its parts; all 0 for "no date".
struct Dmy {
  int day = 0;
  int month = 0;
  int year = 0;
  friend bool operator==(const Dmy&, const Dmy&) = default;
};

/// Hours, minutes and seconds of a time; all 0 for "no time".
struct Hms {
  int hours = 0;
  int minutes = 0;
  int seconds = 0;
  friend bool operator==(const Hms&, const Hms&) = default;
};

/// A year from 0 to 99 moved into 1940..2039; every other year unchanged.
int WindowYear(int year);

/// Divisible by 4, except years divisible by 100 but not by 400, and years divisible by 4000.
bool IsLeapYear(int year);
/// 28..31 for month 1..12 of `year` (two-digit years windowed); 0 for any other month.
int DaysInMonth(int month, int year);
/// Year (windowed) 1600..3999, month 1..12, day 1..DaysInMonth.
bool ValidDate(int day, int month, int year);

/// Day number of a date (two-digit years windowed); BadDate when not ValidDate.
DayNumber DmyToDay(int day, int month, int year);
/// The date of a day number; all 0 for BadDate or any other day number outside 1600..3999.
Dmy DayToDmy(DayNumber day);
/// 0 Sunday .. 6 Saturday; 7 for BadDate (or any day number outside the valid range).
int DayOfWeek(DayNumber day);
/// Adds years, months and days. A day of month above 28 is moved to 28 before the months are
/// added and the excess added back afterwards, so 31 January plus one month is 28 February
/// plus 3 days. BadDate in or out of range gives BadDate.
DayNumber IncDate(DayNumber day, int days, int months, int years);

/// The date in the picture (cut to 40 characters). For BadDate every letter d, m, y, n, w of
/// the picture becomes a blank ("dd.mm.yyyy" gives "  .  .    ").
std::string DayToText(std::string_view picture, DayNumber day);
/// Reads a date laid out as in the picture. The text must have the picture's length; blanks
/// inside a field are ignored; the characters between fields are not checked. A missing day
/// defaults to 1, a missing year to 0 (2000); a missing month, an empty or non-numeric field
/// or an invalid date gives BadDate.
DayNumber TextToDay(std::string_view picture, std::string_view text);

/// Hours 0..23, minutes 0..60, seconds 0..60 (60 is accepted and carries over).
bool ValidTime(int hours, int minutes, int seconds);
/// ((hours mod 24) * 3600 + minutes * 60 + seconds) mod 86400, always 0..86399.
TimeOfDay HmsToTime(int hours, int minutes, int seconds);
/// The parts of a time; all 0 for BadTime or any value outside 0..86399.
Hms TimeToHms(TimeOfDay time);
/// (time + HmsToTime(h, m, s)) mod 86400.
TimeOfDay AddTime(TimeOfDay time, int hours, int minutes, int seconds);
/// time - HmsToTime(h mod 24, m, s), plus 86400 when negative.
TimeOfDay SubTime(TimeOfDay time, int hours, int minutes, int seconds);

/// The time in the picture (letters h, m, s; cut to 40 characters); for BadTime the letters
/// become blanks.
std::string TimeToText(std::string_view picture, TimeOfDay time);
/// Reads a time laid out as in the picture; a letter missing from the picture gives 0.
/// A text whose length differs from the picture's reads as 00:00:00 (0, not BadTime); an
/// empty or non-numeric field, or a time that is not ValidTime, gives BadTime.
TimeOfDay TextToTime(std::string_view picture, std::string_view text);

/// Today's date on the computer clock.
DayNumber TodayDay(const Clock& clock = ProcessClock());
/// The computer clock's time of day.
TimeOfDay NowTime(const Clock& clock = ProcessClock());

} // namespace tarvik
