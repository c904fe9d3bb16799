#include <gtest/gtest.h>

#include "base/dates.h"
#include "support/fake_clock.h"

namespace tarvik {
namespace {

TEST(Calendar, LeapYearsAndMonthLengths) {
  EXPECT_TRUE(IsLeapYear(1600));
  EXPECT_FALSE(IsLeapYear(1900));
  EXPECT_TRUE(IsLeapYear(2000));
  EXPECT_TRUE(IsLeapYear(2024));
  EXPECT_FALSE(IsLeapYear(2023));
  EXPECT_FALSE(IsLeapYear(4000));
  EXPECT_EQ(DaysInMonth(2, 2000), 29);
  EXPECT_EQ(DaysInMonth(2, 1900), 28);
  EXPECT_EQ(DaysInMonth(2, 0), 29);  // windowed to 2000
  EXPECT_EQ(DaysInMonth(2, 40), 29); // windowed to 1940
  EXPECT_EQ(DaysInMonth(4, 2024), 30);
  EXPECT_EQ(DaysInMonth(0, 2024), 0);
  EXPECT_EQ(DaysInMonth(13, 2024), 0);
}

TEST(Calendar, TwoDigitYearsWindowAt1940) {
  EXPECT_EQ(WindowYear(39), 2039);
  EXPECT_EQ(WindowYear(40), 1940);
  EXPECT_EQ(WindowYear(0), 2000);
  EXPECT_EQ(WindowYear(99), 1999);
  EXPECT_EQ(WindowYear(100), 100);
  EXPECT_EQ(WindowYear(-1), -1);
  EXPECT_EQ(DmyToDay(1, 1, 39), DmyToDay(1, 1, 2039));
  EXPECT_EQ(DmyToDay(1, 1, 40), DmyToDay(1, 1, 1940));
  EXPECT_EQ(DmyToDay(1, 1, -5), BadDate);
}

TEST(Calendar, DayNumbersAtTheEdges) {
  struct Case {
    int d, m, y;
    DayNumber n;
  };
  const Case cases[] = {
      {1, 1, 1600, 0},
      {31, 1, 1600, 30},
      {1, 2, 1600, 31},
      {29, 2, 1600, 59},
      {1, 3, 1600, 60},
      {31, 12, 1600, 365},
      {1, 1, 1601, 366},
      {1, 3, 1700, 36584},
      {1, 1, 2000, 146097},
      {29, 2, 2000, 146156},
      {31, 12, 3999, kLastDayNumber},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(DmyToDay(c.d, c.m, c.y), c.n) << c.d << "." << c.m << "." << c.y;
    EXPECT_EQ(DayToDmy(c.n), (Dmy{c.d, c.m, c.y})) << c.n;
  }
  EXPECT_EQ(DmyToDay(29, 2, 1900), BadDate);
  EXPECT_EQ(DmyToDay(29, 2, 4000), BadDate);
  EXPECT_EQ(DmyToDay(31, 12, 1599), BadDate);
  EXPECT_EQ(DmyToDay(1, 1, 4000), BadDate);
  EXPECT_EQ(DmyToDay(0, 1, 2000), BadDate);
  EXPECT_EQ(DmyToDay(31, 4, 2000), BadDate);
  EXPECT_EQ(DayToDmy(BadDate), Dmy{});
  EXPECT_EQ(DayToDmy(kLastDayNumber + 1), Dmy{});
  EXPECT_EQ(DayToDmy(-7), Dmy{});
}

TEST(Calendar, EveryDayRoundTripsAndWeekdaysAdvance) {
  DayNumber expected = 0;
  for (int y = 1600; y <= 3999; ++y)
    for (int m = 1; m <= 12; ++m)
      for (int d = 1; d <= DaysInMonth(m, y); ++d) {
        ASSERT_EQ(DmyToDay(d, m, y), expected) << d << "." << m << "." << y;
        ASSERT_EQ(DayToDmy(expected), (Dmy{d, m, y}));
        ++expected;
      }
  EXPECT_EQ(expected, kLastDayNumber + 1);
  EXPECT_EQ(DayOfWeek(DmyToDay(1, 1, 1600)), 6);  // Saturday
  EXPECT_EQ(DayOfWeek(DmyToDay(5, 11, 2024)), 2); // Tuesday
  EXPECT_EQ(DayOfWeek(DmyToDay(1, 1, 2000)), 6);
  EXPECT_EQ(DayOfWeek(BadDate), 7);
}

TEST(Calendar, IncDateKeepsTheExcessOfLongMonths) {
  const DayNumber jan31 = DmyToDay(31, 1, 2023);
  EXPECT_EQ(IncDate(jan31, 0, 1, 0), DmyToDay(3, 3, 2023)); // 28 Feb + 3 days
  EXPECT_EQ(IncDate(DmyToDay(31, 1, 2024), 0, 1, 0), DmyToDay(2, 3, 2024));
  EXPECT_EQ(IncDate(DmyToDay(15, 3, 2024), 0, -3, 0), DmyToDay(15, 12, 2023));
  EXPECT_EQ(IncDate(DmyToDay(15, 1, 2024), 0, -13, 0), DmyToDay(15, 12, 2022));
  EXPECT_EQ(IncDate(DmyToDay(29, 2, 2024), 0, 0, 1), DmyToDay(1, 3, 2025));
  EXPECT_EQ(IncDate(DmyToDay(31, 12, 2023), 1, 0, 0), DmyToDay(1, 1, 2024));
  EXPECT_EQ(IncDate(DmyToDay(1, 1, 2024), -1, 0, 0), DmyToDay(31, 12, 2023));
  EXPECT_EQ(IncDate(BadDate, 1, 0, 0), BadDate);
  EXPECT_EQ(IncDate(0, -1, 0, 0), BadDate);
  EXPECT_EQ(IncDate(kLastDayNumber, 1, 0, 0), BadDate);
  EXPECT_EQ(IncDate(DmyToDay(1, 1, 2000), 0, 0, 2000), BadDate);
}

TEST(DatePictures, DayToText) {
  const DayNumber nov5 = DmyToDay(5, 11, 2024);
  EXPECT_EQ(DayToText("dd.mm.yyyy", nov5), "05.11.2024");
  EXPECT_EQ(DayToText("DD.MM.YYYY", nov5), " 5.11.2024");
  EXPECT_EQ(DayToText("dd.mm.yy", nov5), "05.11.24");
  EXPECT_EQ(DayToText("dd/mm/yyyy", nov5), "05/11/2024");
  EXPECT_EQ(DayToText("yyyymmdd", nov5), "20241105");
  EXPECT_EQ(DayToText("www, nnn d. yyyy", nov5), "Tue, Nov 5. 2024");
  EXPECT_EQ(DayToText("WWWWWWWWWW nnnnnnnnnn", nov5), "TUESDAY    November  ");
  // Only the first run of a letter is replaced; a weekday name is not taken for a run.
  EXPECT_EQ(DayToText("dd dd", nov5), "05 dd");
  EXPECT_EQ(DayToText("wwwwww dd.mm", DmyToDay(2, 5, 2022)), "Monday 02.05");
  EXPECT_EQ(DayToText("dd.mm.yyyy", BadDate), "  .  .    ");
  EXPECT_EQ(DayToText("Wn: dd.mm.", BadDate), "  :   .  .");
  EXPECT_EQ(DayToText(std::string(50, 'x') + "dd", nov5), std::string(40, 'x'));
}

TEST(DatePictures, TextToDay) {
  EXPECT_EQ(TextToDay("dd.mm.yyyy", "31.12.2024"), DmyToDay(31, 12, 2024));
  EXPECT_EQ(TextToDay("DD.MM.YYYY", " 1. 2.2024"), DmyToDay(1, 2, 2024));
  EXPECT_EQ(TextToDay("dd.mm.yyyy", "31-12-2024"), DmyToDay(31, 12, 2024));
  EXPECT_EQ(TextToDay("dd.mm.yyyy", "1.2.2024"), BadDate);   // length differs
  EXPECT_EQ(TextToDay("dd.mm.yyyy", "31.02.2024"), BadDate); // not a date
  EXPECT_EQ(TextToDay("dd.mm.yyyy", "  .  .    "), BadDate);
  EXPECT_EQ(TextToDay("dd.mm.yyyy", "1a.02.2024"), BadDate);
  EXPECT_EQ(TextToDay("dd.mm.yyyy", "01.02.0024"), DmyToDay(1, 2, 2024));
  EXPECT_EQ(TextToDay("dd.mm.yy", "01.02.45"), DmyToDay(1, 2, 1945));
  EXPECT_EQ(TextToDay("mm.yy", "03.24"), DmyToDay(1, 3, 2024)); // day defaults to 1
  EXPECT_EQ(TextToDay("dd.mm", "03.04"), DmyToDay(3, 4, 2000)); // year defaults to 2000
  EXPECT_EQ(TextToDay("dd.yyyy", "03.2024"), BadDate);          // no month
  EXPECT_EQ(TextToDay("dd nnn yyyy", "05 nov 2024"), DmyToDay(5, 11, 2024));
  EXPECT_EQ(TextToDay("dd nnn yyyy", "05 xyz 2024"), BadDate);
}

TEST(TimePictures, ArithmeticAndTexts) {
  EXPECT_TRUE(ValidTime(23, 60, 60));
  EXPECT_FALSE(ValidTime(24, 0, 0));
  EXPECT_FALSE(ValidTime(0, -1, 0));
  EXPECT_EQ(HmsToTime(25, 0, 1), 3601);
  EXPECT_EQ(HmsToTime(23, 59, 60), 0);
  EXPECT_EQ(TimeToHms(HmsToTime(9, 5, 7)), (Hms{9, 5, 7}));
  EXPECT_EQ(TimeToHms(BadTime), Hms{});
  EXPECT_EQ(AddTime(HmsToTime(23, 30, 0), 1, 0, 0), HmsToTime(0, 30, 0));
  EXPECT_EQ(AddTime(HmsToTime(1, 0, 0), -2, 0, 0), HmsToTime(23, 0, 0));
  EXPECT_EQ(SubTime(HmsToTime(1, 30, 0), 2, 0, 0), HmsToTime(23, 30, 0));
  EXPECT_EQ(SubTime(HmsToTime(1, 30, 0), 26, 0, 0), HmsToTime(23, 30, 0));

  EXPECT_EQ(TimeToText("hh:mm", HmsToTime(9, 5, 0)), "09:05");
  EXPECT_EQ(TimeToText("HH:MM:SS", HmsToTime(9, 5, 3)), " 9: 5: 3");
  EXPECT_EQ(TimeToText("hh:mm:ss", BadTime), "  :  :  ");
  EXPECT_EQ(TimeToText("hhmm", HmsToTime(23, 59, 0)), "2359");

  EXPECT_EQ(TextToTime("hh:mm", "12:60"), HmsToTime(13, 0, 0));
  EXPECT_EQ(TextToTime("hh:mm", "9:30"), 0); // length differs: reads as midnight
  EXPECT_EQ(TextToTime("hh:mm", " 9:30"), HmsToTime(9, 30, 0));
  EXPECT_EQ(TextToTime("hh:mm", "24:00"), BadTime);
  EXPECT_EQ(TextToTime("hh:mm", "ab:00"), BadTime);
  EXPECT_EQ(TextToTime("hh:mm", "  :00"), BadTime);
  EXPECT_EQ(TextToTime("HH:MM:SS", "19:00:00"), HmsToTime(19, 0, 0));
  EXPECT_EQ(TextToTime("mm", "45"), 45 * 60);
}

TEST(ComputerClock, TodayAndNowComeFromTheClock) {
  test::FakeClock clock;
  clock.now = {2024, 2, 29, 23, 59, 58, 0};
  EXPECT_EQ(TodayDay(clock), DmyToDay(29, 2, 2024));
  EXPECT_EQ(NowTime(clock), HmsToTime(23, 59, 58));
  test::ScopedProcessClock guard(clock);
  EXPECT_EQ(TodayDay(), DmyToDay(29, 2, 2024));
}

} // namespace
} // namespace tarvik
