#include "radio/date_time.h"

namespace tarvik {

namespace {

int gUtcCorrection = 0;

long long FloorDiv(long long a, long long b) {
  long long q = a / b;
  if ((a % b != 0) && ((a < 0) != (b < 0)))
    --q;
  return q;
}

} // namespace

TimeOfDay ReadDefaultPeriodTime(std::string_view text) {
  // TextToTime reads a text of another length than its picture as 00:00:00, which would turn
  // "19:00" into midnight; pick the picture by the text's length instead.
  if (text.size() == kDefaultTimeReadPicture.size())
    return TextToTime(kDefaultTimeReadPicture, text);
  if (text.size() == kDefaultShortTimeReadPicture.size())
    return TextToTime(kDefaultShortTimeReadPicture, text);
  return BadTime;
}

int UtcCorrection() {
  return gUtcCorrection;
}

void SetUtcCorrection(int hours) {
  gUtcCorrection = hours;
}

int UtcOffsetSecondsNow(const Clock& clock) {
  if (gUtcCorrection == 0)
    return 0;
  if (const auto zone = clock.ZoneCorrectionSeconds())
    return *zone;
  return gUtcCorrection * 3600;
}

DayNumber LocalDateNow(const Clock& clock) {
  return TodayDay(clock);
}

TimeOfDay LocalTimeNow(const Clock& clock) {
  return NowTime(clock);
}

DayAndTime UtcNow(const Clock& clock) {
  const DateTime local = clock.LocalNow();
  const DayNumber day = DmyToDay(local.day, local.month, local.year);
  const long long seconds = static_cast<long long>(local.hour) * 3600 + local.minute * 60 +
                            local.second + UtcOffsetSecondsNow(clock);
  const long long dayShift = FloorDiv(seconds, 86400);
  DayAndTime utc;
  utc.time = static_cast<TimeOfDay>(seconds - dayShift * 86400);
  if (day != BadDate) {
    const long long shifted = day + dayShift;
    utc.day = (shifted < 0 || shifted > kLastDayNumber) ? BadDate : static_cast<DayNumber>(shifted);
  }
  return utc;
}

TimeOfDay UtcTimeNow(const Clock& clock) {
  return UtcNow(clock).time;
}

DayNumber UtcDateNow(const Clock& clock) {
  return UtcNow(clock).day;
}

} // namespace tarvik
