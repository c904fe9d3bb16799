// The yearly period of a contest: the rule read from the catalog's date, the period of a
// given year by that rule, the next period, and the words the contest choice shows.

#include <gtest/gtest.h>

#include <string>

#include "base/process_settings.h"
#include "contest/contest_catalog.h"
#include "contest/contest_period.h"
#include "radio/date_time.h"

namespace tarvik {
namespace {

DayNumber Day(int d, int m, int y) {
  return DmyToDay(d, m, y);
}

std::string Text(DayNumber day) {
  return day == BadDate ? std::string("-") : DayToText("dd.mm.yyyy", day);
}

std::string Text(const PeriodDays& p) {
  return Text(p.start) + " " + Text(p.end);
}

/// The codes whose catalog period has a date, with that date.
struct Dated {
  char code;
  DayNumber start, end;
};

std::vector<Dated> DatedCodes() {
  std::vector<Dated> out;
  for (char code : ChoosableContestCodes()) {
    const auto texts = CatalogPeriodOf(code);
    if (!texts || texts->today || texts->startDate.empty())
      continue;
    out.push_back({code, TextToDay(kDefaultDateReadPicture, texts->startDate),
                   TextToDay(kDefaultDateReadPicture, texts->endDate)});
  }
  return out;
}

TEST(ContestPeriod, EveryCatalogDateGivesItselfBackInItsOwnYearAndKeepsItsRuleInOthers) {
  const std::vector<Dated> dated = DatedCodes();
  EXPECT_EQ(dated.size(), 36u); // all but H, N, 2, 3, c, 7, 8, 9
  for (const Dated& d : dated) {
    const PeriodRule rule = ContestPeriodRule(d.code);
    const Dmy catalog = DayToDmy(d.start);
    // The rule read from a date gives that date back in the date's year.
    EXPECT_EQ(PeriodInYear(rule, catalog.year, Day(1, 1, 2026)), (PeriodDays{d.start, d.end}))
        << d.code;
    for (int year = 2020; year <= 2032; ++year) {
      const PeriodDays p = PeriodInYear(rule, year, Day(1, 1, 2026));
      ASSERT_NE(p.start, BadDate) << d.code << " " << year;
      const Dmy moved = DayToDmy(p.start);
      EXPECT_EQ(moved.year, year) << d.code;
      EXPECT_EQ(p.end - p.start, d.end - d.start) << d.code << ": the length is kept";
      switch (rule.kind) {
      case PeriodRuleKind::kWeekday:
      case PeriodRuleKind::kLastWeekday:
        EXPECT_EQ(moved.month, catalog.month) << d.code;
        EXPECT_EQ(DayOfWeek(p.start), DayOfWeek(d.start)) << d.code << " " << year;
        if (rule.kind == PeriodRuleKind::kWeekday) {
          EXPECT_EQ((moved.day - 1) / 7, (catalog.day - 1) / 7) << d.code << " " << year;
        } else {
          EXPECT_GT(moved.day + 7, DaysInMonth(moved.month, year)) << d.code << " " << year;
        }
        break;
      case PeriodRuleKind::kFixedDay:
        EXPECT_EQ(moved.day, catalog.day) << d.code;
        EXPECT_EQ(moved.month, catalog.month) << d.code;
        break;
      case PeriodRuleKind::kEaster:
        EXPECT_EQ(p.start - EasterSunday(year), d.start - EasterSunday(catalog.year)) << d.code;
        break;
      default:
        ADD_FAILURE() << d.code << " has no rule";
      }
    }
  }
}

TEST(ContestPeriod, RulesOfTheCatalogDatesWorkedOutByHand) {
  const DayNumber today = Day(14, 3, 2026);
  // Hessencontest 13./14.06.2009: the 2nd Saturday of June, two days.
  EXPECT_EQ(Text(PresetPeriod('G', today)), "13.06.2026 14.06.2026");
  EXPECT_EQ(Text(PeriodInYear(ContestPeriodRule('G'), 2027, today)), "12.06.2027 13.06.2027");
  // Funkertag 13.06.2009: the same Saturday, one day.
  EXPECT_EQ(Text(PresetPeriod('5', today)), "13.06.2026 13.06.2026");
  // Hamburg 24.05.2009 is the 4th Sunday, not in the last week of May: it stays the 4th
  // Sunday also when May has five (2026: 24.05., not 31.05.).
  EXPECT_EQ(Text(PresetPeriod('J', today)), "24.05.2026 24.05.2026");
  // Ruhrgebiet 27.09.2009 lies in the last week: the last Sunday of September, which in 2030
  // is the fifth (29.09.), not the fourth (22.09.).
  EXPECT_EQ(Text(PeriodInYear(ContestPeriodRule('L'), 2030, today)), "29.09.2030 29.09.2030");
  // HSW 29.08.2009, the fifth Saturday: the last Saturday of August.
  EXPECT_EQ(Text(PresetPeriod('S', today)), "29.08.2026 29.08.2026");
  EXPECT_EQ(Text(PeriodInYear(ContestPeriodRule('S'), 2027, today)), "28.08.2027 28.08.2027");
  // HSC 22.02.2009 (last Sunday of February) in the leap years 2028 and 2032, and its
  // 252 days up to the November part.
  EXPECT_EQ(Text(PeriodInYear(ContestPeriodRule('6'), 2028, today)), "27.02.2028 05.11.2028");
  EXPECT_EQ(Text(PeriodInYear(ContestPeriodRule('6'), 2032, today)), "29.02.2032 07.11.2032");
  // Rheinland-Pfalz week 01.-07.01.2009: fixed days.
  EXPECT_EQ(Text(PresetPeriod('h', today)), "01.01.2026 07.01.2026");
  // Europe Day 05.05.2006 stays on 5 May whatever the weekday.
  EXPECT_EQ(Text(PresetPeriod('E', today)), "05.05.2026 05.05.2026");
  // DTC 13.04.2009 was Easter Monday.
  EXPECT_EQ(Text(PresetPeriod('D', today)), "06.04.2026 06.04.2026");
  EXPECT_EQ(Text(PeriodInYear(ContestPeriodRule('D'), 2027, today)), "29.03.2027 29.03.2027");
  // Across a month end: UKW Nordsee 15./16.11.2008, Bayern-Ost 17./18.10.2009.
  EXPECT_EQ(Text(PresetPeriod('g', today)), "21.11.2026 22.11.2026");
  EXPECT_EQ(Text(PeriodInYear(ContestPeriodRule('U'), 2026, today)), "17.10.2026 18.10.2026");
  // Code N presets today; code 2 presets no date.
  EXPECT_EQ(Text(PresetPeriod('N', today)), "14.03.2026 14.03.2026");
  EXPECT_EQ(Text(PresetPeriod('2', today)), "- -");
  EXPECT_EQ(Text(PresetPeriod('W', today)), "- -");
}

TEST(ContestPeriod, TheNextPeriodIsNextYearsOnceThisYearsHasEnded) {
  const PeriodRule q = ContestPeriodRule('Q'); // 1st Saturday of January
  EXPECT_EQ(Text(NextPeriod(q, Day(14, 3, 2026))), "02.01.2027 02.01.2027");
  EXPECT_EQ(Text(NextPeriod(q, Day(3, 1, 2026))), "03.01.2026 03.01.2026"); // the day itself
  const PeriodRule g = ContestPeriodRule('G');
  EXPECT_EQ(Text(NextPeriod(g, Day(14, 6, 2026))), "13.06.2026 14.06.2026"); // still running
  EXPECT_EQ(Text(NextPeriod(g, Day(15, 6, 2026))), "12.06.2027 13.06.2027");
  EXPECT_EQ(Text(NextPeriod(ContestPeriodRule('N'), Day(31, 12, 2026))), "31.12.2026 31.12.2026");
}

TEST(ContestPeriod, EasterSundays) {
  EXPECT_EQ(Text(EasterSunday(2009)), "12.04.2009");
  EXPECT_EQ(Text(EasterSunday(2024)), "31.03.2024");
  EXPECT_EQ(Text(EasterSunday(2026)), "05.04.2026");
  EXPECT_EQ(Text(EasterSunday(2038)), "25.04.2038"); // the latest possible
  EXPECT_EQ(Text(EasterSunday(2285)), "22.03.2285"); // the earliest possible
}

TEST(ContestPeriod, RuleInWordsByLanguage) {
  EXPECT_EQ(PeriodRuleText(ContestPeriodRule('G')), "2. Samstag im Juni");
  EXPECT_EQ(PeriodRuleText(ContestPeriodRule('S')), "letzter Samstag im August");
  EXPECT_EQ(PeriodRuleText(ContestPeriodRule('E')), "jährlich am 05.05.");
  EXPECT_EQ(PeriodRuleText(ContestPeriodRule('D')), "Ostermontag");
  EXPECT_EQ(PeriodRuleText(ContestPeriodRule('N')), "heute");
  EXPECT_EQ(PeriodRuleText(ContestPeriodRule('2')), "");
  SetLanguageFlag(0);
  EXPECT_EQ(PeriodRuleText(ContestPeriodRule('G')), "2nd Saturday of June");
  EXPECT_EQ(PeriodRuleText(ContestPeriodRule('L')), "last Sunday of September");
  EXPECT_EQ(PeriodRuleText(ContestPeriodRule('j')), "every year on 12.08.");
  EXPECT_EQ(PeriodRuleText(ContestPeriodRule('D')), "Easter Monday");
  SetLanguageFlag(1);
}

} // namespace
} // namespace tarvik
