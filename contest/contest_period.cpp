#include "contest/contest_period.h"

#include <algorithm>
#include <array>
#include <utility>

#include "base/process_settings.h"
#include "base/text_helpers.h"
#include "contest/contest_catalog.h"
#include "radio/date_time.h"

namespace tarvik {

namespace {

// The contests whose catalog date is tied to the calendar otherwise than by its weekday;
// every other dated contest keeps its weekday and its occurrence in the month.
constexpr std::array<std::pair<char, PeriodAnchor>, 8> kAnchors = {{
    {'E', PeriodAnchor::kFixedDay}, // Europe Day, 5 May
    {'h', PeriodAnchor::kFixedDay}, // the first week of the year
    {'f', PeriodAnchor::kFixedDay}, // New Year's Day
    {'I', PeriodAnchor::kFixedDay}, // 3 October, German Unity Day
    {'l', PeriodAnchor::kFixedDay}, // 3 October
    {'A', PeriodAnchor::kFixedDay}, // 3 October
    {'j', PeriodAnchor::kFixedDay}, // the night of the Perseids, 12 August
    {'D', PeriodAnchor::kEaster},   // Easter Monday
}};

PeriodAnchor AnchorOf(char code) {
  for (const auto& [c, anchor] : kAnchors)
    if (c == code)
      return anchor;
  return PeriodAnchor::kWeekday;
}

/// The n-th (1..4) or, with n = 0, the last `weekday` of a month.
DayNumber WeekdayOfMonth(int year, int month, int weekday, int n) {
  if (n > 0) {
    const DayNumber first = DmyToDay(1, month, year);
    if (first == BadDate)
      return BadDate;
    return first + (weekday - DayOfWeek(first) + 7) % 7 + 7 * (n - 1);
  }
  const DayNumber last = DmyToDay(DaysInMonth(month, year), month, year);
  if (last == BadDate)
    return BadDate;
  return last - (DayOfWeek(last) - weekday + 7) % 7;
}

const char* MonthName(int month) {
  static constexpr const char* kGerman[] = {"Januar",    "Februar", "März",     "April",
                                            "Mai",       "Juni",    "Juli",     "August",
                                            "September", "Oktober", "November", "Dezember"};
  static constexpr const char* kEnglish[] = {"January",   "February", "March",    "April",
                                             "May",       "June",     "July",     "August",
                                             "September", "October",  "November", "December"};
  if (month < 1 || month > 12)
    return "";
  return IsGerman() ? kGerman[month - 1] : kEnglish[month - 1];
}

const char* WeekdayName(int weekday) {
  static constexpr const char* kGerman[] = {"Sonntag",    "Montag",  "Dienstag", "Mittwoch",
                                            "Donnerstag", "Freitag", "Samstag"};
  static constexpr const char* kEnglish[] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                             "Thursday", "Friday", "Saturday"};
  if (weekday < 0 || weekday > 6)
    return "";
  return IsGerman() ? kGerman[weekday] : kEnglish[weekday];
}

std::string EnglishOrdinal(int n) {
  static constexpr const char* kOrdinals[] = {"", "1st", "2nd", "3rd", "4th"};
  return n >= 1 && n <= 4 ? kOrdinals[n] : std::to_string(n) + "th";
}

std::string EasterText(int offset) {
  switch (offset) {
  case 0:
    return ChooseText("Ostersonntag", "Easter Sunday");
  case 1:
    return ChooseText("Ostermontag", "Easter Monday");
  case -1:
    return ChooseText("Karsamstag", "Holy Saturday");
  default:
    break;
  }
  const std::string days = std::to_string(offset < 0 ? -offset : offset);
  if (offset < 0)
    return ChooseText(days + " Tage vor Ostern", days + " days before Easter");
  return ChooseText(days + " Tage nach Ostern", days + " days after Easter");
}

} // namespace

PeriodRule DerivePeriodRule(DayNumber start, DayNumber end, PeriodAnchor anchor) {
  PeriodRule rule;
  const Dmy dmy = DayToDmy(start);
  if (start == BadDate || dmy.year == 0)
    return rule;
  rule.lengthDays = end != BadDate && end > start ? end - start : 0;
  rule.month = dmy.month;
  switch (anchor) {
  case PeriodAnchor::kFixedDay:
    rule.kind = PeriodRuleKind::kFixedDay;
    rule.day = dmy.day;
    break;
  case PeriodAnchor::kEaster:
    rule.kind = PeriodRuleKind::kEaster;
    rule.month = 0;
    rule.easterOffset = start - EasterSunday(dmy.year);
    break;
  case PeriodAnchor::kWeekday:
    rule.weekday = DayOfWeek(start);
    if (dmy.day > DaysInMonth(dmy.month, dmy.year) - 7) {
      rule.kind = PeriodRuleKind::kLastWeekday;
    } else {
      rule.kind = PeriodRuleKind::kWeekday;
      rule.occurrence = (dmy.day - 1) / 7 + 1;
    }
    break;
  }
  return rule;
}

DayNumber EasterSunday(int year) {
  // The Gregorian computus (Meeus/Jones/Butcher).
  const int a = year % 19;
  const int b = year / 100;
  const int c = year % 100;
  const int d = b / 4;
  const int e = b % 4;
  const int f = (b + 8) / 25;
  const int g = (b - f + 1) / 3;
  const int h = (19 * a + b - d - g + 15) % 30;
  const int i = c / 4;
  const int k = c % 4;
  const int l = (32 + 2 * e + 2 * i - h - k) % 7;
  const int m = (a + 11 * h + 22 * l) / 451;
  const int month = (h + l - 7 * m + 114) / 31;
  const int day = (h + l - 7 * m + 114) % 31 + 1;
  return DmyToDay(day, month, year);
}

PeriodDays PeriodInYear(const PeriodRule& rule, int year, DayNumber today) {
  DayNumber start = BadDate;
  switch (rule.kind) {
  case PeriodRuleKind::kNone:
    return {};
  case PeriodRuleKind::kToday:
    start = today;
    break;
  case PeriodRuleKind::kWeekday:
    start = WeekdayOfMonth(year, rule.month, rule.weekday, rule.occurrence);
    break;
  case PeriodRuleKind::kLastWeekday:
    start = WeekdayOfMonth(year, rule.month, rule.weekday, 0);
    break;
  case PeriodRuleKind::kFixedDay:
    // 29 February of a catalog year stays on the last day of February in other years.
    start = DmyToDay(std::min(rule.day, DaysInMonth(rule.month, year)), rule.month, year);
    break;
  case PeriodRuleKind::kEaster: {
    const DayNumber easter = EasterSunday(year);
    start = easter == BadDate ? BadDate : easter + rule.easterOffset;
    break;
  }
  }
  if (start == BadDate || start < 0 || start + rule.lengthDays > kLastDayNumber)
    return {};
  return {start, start + rule.lengthDays};
}

PeriodDays NextPeriod(const PeriodRule& rule, DayNumber today) {
  const int year = DayToDmy(today).year;
  const PeriodDays current = PeriodInYear(rule, year, today);
  if (current.end == BadDate || current.end >= today || rule.kind == PeriodRuleKind::kToday)
    return current;
  return PeriodInYear(rule, year + 1, today);
}

std::string PeriodRuleText(const PeriodRule& rule) {
  switch (rule.kind) {
  case PeriodRuleKind::kNone:
    return {};
  case PeriodRuleKind::kToday:
    return ChooseText("heute", "today");
  case PeriodRuleKind::kWeekday:
    return ChooseText(std::to_string(rule.occurrence) + ". " + WeekdayName(rule.weekday) + " im " +
                          MonthName(rule.month),
                      EnglishOrdinal(rule.occurrence) + " " + WeekdayName(rule.weekday) + " of " +
                          MonthName(rule.month));
  case PeriodRuleKind::kLastWeekday:
    return ChooseText(
        std::string("letzter ") + WeekdayName(rule.weekday) + " im " + MonthName(rule.month),
        std::string("last ") + WeekdayName(rule.weekday) + " of " + MonthName(rule.month));
  case PeriodRuleKind::kFixedDay: {
    const std::string day = DayToText("dd.mm.", DmyToDay(rule.day, rule.month, 2000));
    return ChooseText("jährlich am " + day, "every year on " + day);
  }
  case PeriodRuleKind::kEaster:
    return EasterText(rule.easterOffset);
  }
  return {};
}

PeriodRule ContestPeriodRule(char contestCode) {
  const std::optional<CatalogPeriodTexts> texts = CatalogPeriodOf(contestCode);
  if (!texts)
    return {};
  if (texts->today) {
    PeriodRule rule;
    rule.kind = PeriodRuleKind::kToday;
    return rule;
  }
  const DayNumber start = TextToDay(kDefaultDateReadPicture, texts->startDate);
  const DayNumber end = TextToDay(kDefaultDateReadPicture, texts->endDate);
  return DerivePeriodRule(start, end, AnchorOf(contestCode));
}

PeriodDays PresetPeriod(char contestCode, DayNumber today) {
  return PeriodInYear(ContestPeriodRule(contestCode), DayToDmy(today).year, today);
}

} // namespace tarvik
