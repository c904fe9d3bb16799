#pragma once
// The yearly period of a contest: the catalog names each contest's period by one past date
// (13.06.2009 for the Hessencontest), and this file turns that date into the rule it stands
// for, so that a new contest is preset with this year's period and the contest choice can show
// the next one.
//
// The rule of a catalog date:
//   - weekday rule (most contests): the weekday and its occurrence in the month are kept:
//     13.06.2009, a Saturday, is "the 2nd Saturday of June";
//   - last weekday of the month: a date in the last seven days of its month is taken as the
//     last such weekday of the month (29.08.2009 is "the last Saturday of August"), because
//     contests set in the last week are announced so ("letztes Wochenende im August"); a
//     4th weekday that is also the last one in the catalog's year thus becomes the last one;
//   - a fixed day (contest data mark it: New Year, Europe Day, 3 October, the meteor
//     shower's night ...): the day and month stay, whatever weekday they fall on;
//   - Easter (contest data mark it): the same number of days after Easter Sunday;
//   - "today" (code N): today's date;
//   - none: the catalog names no date (the contest is set up with its date typed in).
// A period over several days keeps its length: the end date follows the start date by as
// many days as in the catalog.

#include <string>

#include "base/dates.h"

namespace tarvik {

enum class PeriodRuleKind {
  kNone,        ///< no date
  kToday,       ///< today's date
  kWeekday,     ///< the n-th weekday of a month
  kLastWeekday, ///< the last weekday of a month
  kFixedDay,    ///< the same day and month every year
  kEaster,      ///< a number of days after Easter Sunday
};

struct PeriodRule {
  PeriodRuleKind kind = PeriodRuleKind::kNone;
  int month = 0;        ///< 1..12 (weekday, last weekday, fixed day)
  int day = 0;          ///< day of the month (fixed day)
  int weekday = 0;      ///< 0 Sunday .. 6 Saturday (weekday, last weekday)
  int occurrence = 0;   ///< 1..4 (weekday)
  int easterOffset = 0; ///< days after Easter Sunday (Easter)
  int lengthDays = 0;   ///< days from the start to the end date (0: one day)
  friend bool operator==(const PeriodRule&, const PeriodRule&) = default;
};

/// How a catalog date is tied to the calendar beyond its weekday (contest data).
enum class PeriodAnchor { kWeekday, kFixedDay, kEaster };

/// The rule of a catalog period from `start` to `end` (BadDate end: one day). BadDate start:
/// kNone.
PeriodRule DerivePeriodRule(DayNumber start, DayNumber end, PeriodAnchor anchor);

/// The start and end day of a period; BadDate for both when there is none.
struct PeriodDays {
  DayNumber start = BadDate;
  DayNumber end = BadDate;
  friend bool operator==(const PeriodDays&, const PeriodDays&) = default;
};

/// The period of `rule` in `year` (today's date for kToday; none for kNone).
PeriodDays PeriodInYear(const PeriodRule& rule, int year, DayNumber today);

/// The next period of `rule`: this year's, unless its end day lies before `today`, then
/// next year's.
PeriodDays NextPeriod(const PeriodRule& rule, DayNumber today);

/// Easter Sunday of a Gregorian year.
DayNumber EasterSunday(int year);

/// The rule in words: "2. Samstag im Juni", "letzter Samstag im August", "jährlich am 03.10.",
/// "Ostermontag", "heute"; "" for kNone. English by the language flag.
std::string PeriodRuleText(const PeriodRule& rule);

/// The rule of a contest code's catalog period (kNone for a code without a date or without
/// a definition).
PeriodRule ContestPeriodRule(char contestCode);

/// The period a new contest of `contestCode` is preset with: the catalog's period moved to
/// the year of `today` by its rule (today for the codes that preset today). Whether that
/// period has passed does not matter: a log is often entered after the contest.
PeriodDays PresetPeriod(char contestCode, DayNumber today);

} // namespace tarvik
