#include <gtest/gtest.h>

#include "radio/date_time.h"
#include "support/fake_clock.h"

namespace tarvik {
namespace {

class UtcTest : public ::testing::Test {
protected:
  void TearDown() override { SetUtcCorrection(0); }

  static DayAndTime At(int d, int m, int y, int hh, int mm) {
    return {DmyToDay(d, m, y), HmsToTime(hh, mm, 0)};
  }

  test::FakeClock clock;
};

TEST_F(UtcTest, FixedCorrectionWhenTheComputerKnowsNoTimeZone) {
  struct Case {
    int correction;
    DateTime local;
    DayAndTime utc;
  };
  const Case cases[] = {
      {-2, {2024, 5, 1, 1, 30, 0, 0}, At(30, 4, 2024, 23, 30)},
      {-1, {2024, 1, 1, 0, 59, 0, 0}, At(31, 12, 2023, 23, 59)},
      {5, {2024, 3, 14, 19, 10, 0, 0}, At(15, 3, 2024, 0, 10)},
      {5, {2024, 12, 31, 19, 0, 0, 0}, At(1, 1, 2025, 0, 0)},
      {-2, {2024, 3, 1, 1, 0, 0, 0}, At(29, 2, 2024, 23, 0)},
      {0, {2024, 7, 1, 0, 30, 0, 0}, At(1, 7, 2024, 0, 30)},
      {-2, {2024, 7, 1, 2, 0, 0, 0}, At(1, 7, 2024, 0, 0)},
  };
  clock.zoneCorrection.reset();
  for (const Case& c : cases) {
    SetUtcCorrection(c.correction);
    clock.now = c.local;
    EXPECT_EQ(UtcNow(clock), c.utc) << c.correction << " " << c.local.hour;
    EXPECT_EQ(UtcDateNow(clock), c.utc.day);
    EXPECT_EQ(UtcTimeNow(clock), c.utc.time);
  }
}

TEST_F(UtcTest, TimeZoneDecidesTheOffsetInBothSeasons) {
  // Code 2 stores -2 all year. In winter (CET) the zone says one hour, in summer (CEST) two.
  SetUtcCorrection(-2);
  clock.now = {2024, 1, 15, 19, 30, 0, 0};
  clock.zoneCorrection = -3600;
  EXPECT_EQ(UtcNow(clock), At(15, 1, 2024, 18, 30));
  clock.now = {2024, 7, 15, 19, 30, 0, 0};
  clock.zoneCorrection = -7200;
  EXPECT_EQ(UtcNow(clock), At(15, 7, 2024, 17, 30));
  // Past midnight in winter: the date moves back with the time.
  clock.now = {2024, 1, 1, 0, 30, 0, 0};
  clock.zoneCorrection = -3600;
  EXPECT_EQ(UtcNow(clock), At(31, 12, 2023, 23, 30));
  // A zone with a half-hour offset is honoured to the minute.
  clock.now = {2024, 6, 1, 5, 0, 0, 0};
  clock.zoneCorrection = -19800; // UTC+5:30
  EXPECT_EQ(UtcNow(clock), At(31, 5, 2024, 23, 30));
}

TEST_F(UtcTest, CorrectionZeroMeansTheComputerRunsOnUtcWhateverTheZone) {
  SetUtcCorrection(0);
  clock.now = {2024, 7, 15, 19, 30, 12, 0};
  clock.zoneCorrection = -7200;
  EXPECT_EQ(UtcNow(clock), (DayAndTime{DmyToDay(15, 7, 2024), HmsToTime(19, 30, 12)}));
  EXPECT_EQ(LocalDateNow(clock), DmyToDay(15, 7, 2024));
  EXPECT_EQ(LocalTimeNow(clock), HmsToTime(19, 30, 12));
  EXPECT_EQ(UtcOffsetSecondsNow(clock), 0);
}

TEST_F(UtcTest, ProcessClockIsUsedByDefault) {
  SetUtcCorrection(-1);
  clock.now = {2025, 2, 1, 0, 15, 0, 0};
  clock.zoneCorrection.reset();
  test::ScopedProcessClock guard(clock);
  EXPECT_EQ(UtcDateNow(), DmyToDay(31, 1, 2025));
  EXPECT_EQ(UtcTimeNow(), HmsToTime(23, 15, 0));
}

TEST(DateFormats, PicturesRoundTrip) {
  const DayNumber d = DmyToDay(7, 3, 2009);
  EXPECT_EQ(DayToText(kDatePicture, d), "07.03.2009");
  EXPECT_EQ(DayToText(kShortDatePicture, d), "07.03.09");
  EXPECT_EQ(DayToText(kReportDatePicture, d), "07/03/2009");
  EXPECT_EQ(TimeToText(kSecondsTimePicture, HmsToTime(19, 0, 0)), "19:00:00");
  EXPECT_EQ(TextToDay(kDefaultDateReadPicture, "21.03.2009"), DmyToDay(21, 3, 2009));
  EXPECT_EQ(TextToTime(kDefaultTimeReadPicture, "21:00:00"), HmsToTime(21, 0, 0));
  EXPECT_EQ(TextToDay(kDefaultDateReadPicture, ""), BadDate);
}

TEST(DateFormats, DefaultPeriodTimesKeepTheirValueWithOrWithoutSeconds) {
  EXPECT_EQ(ReadDefaultPeriodTime("21:00:00"), HmsToTime(21, 0, 0));
  EXPECT_EQ(ReadDefaultPeriodTime("15:59:00"), HmsToTime(15, 59, 0));
  // Written without seconds: read with the short picture, not as midnight.
  EXPECT_EQ(ReadDefaultPeriodTime("08:30"), HmsToTime(8, 30, 0));
  EXPECT_EQ(ReadDefaultPeriodTime("19:00"), HmsToTime(19, 0, 0));
  EXPECT_EQ(TextToTime(kDefaultTimeReadPicture, "19:00"), 0); // what the long picture gives
  // No time, or a text of neither form.
  EXPECT_EQ(ReadDefaultPeriodTime(""), BadTime);
  EXPECT_EQ(ReadDefaultPeriodTime("9:00"), BadTime);
  EXPECT_EQ(ReadDefaultPeriodTime("19:xx"), BadTime);
}

} // namespace
} // namespace tarvik
