#pragma once
// The date and time texts the program shows and reads, and the current UTC date and time.
//
// Contest logs record UTC. The operator states in the contest header whether the computer
// runs on UTC (UtcCorrection 0) or on local time (UtcCorrection = the contest's fixed
// offset, -1 in the winter half-year, -2 in summer). A fixed offset is wrong for half the
// year on a computer whose clock follows daylight saving, so when the correction is not 0
// the offset is taken from the operating system's time zone for the current instant; the
// stored hours are only the fallback for a computer that knows no time zone.

#include <string_view>

#include "base/clock.h"
#include "base/dates.h"

namespace tarvik {

/// Dates in lists, entry fields, headers and outputs.
inline constexpr std::string_view kDatePicture = "dd.mm.yyyy";
/// Short dates.
inline constexpr std::string_view kShortDatePicture = "dd.mm.yy";
/// Times of QSOs.
inline constexpr std::string_view kQsoTimePicture = "hh:mm";
/// Times with seconds (contest period).
inline constexpr std::string_view kSecondsTimePicture = "hh:mm:ss";
/// Date and time in error report lines.
inline constexpr std::string_view kReportDatePicture = "dd/mm/yyyy";
inline constexpr std::string_view kReportTimePicture = "hh:mm";
/// Pictures with which the default period texts of a contest definition are read.
inline constexpr std::string_view kDefaultDateReadPicture = "DD.MM.YYYY";
inline constexpr std::string_view kDefaultTimeReadPicture = "HH:MM:SS";
/// Picture for the default period times that a contest definition writes without seconds.
inline constexpr std::string_view kDefaultShortTimeReadPicture = "HH:MM";

/// A default period time of a contest definition as a time of day, read with the picture
/// that matches how it is written ("hh:mm:ss" or "hh:mm"), so that a time without seconds
/// keeps its value. BadTime for an empty text or one of another form.
TimeOfDay ReadDefaultPeriodTime(std::string_view text);

/// The process-wide UTC correction in hours (0 = the computer runs on UTC). Loaded from and
/// saved to the family setup; set by the header window.
int UtcCorrection();
void SetUtcCorrection(int hours);

/// Seconds to add to the computer's local time to obtain UTC right now: 0 when the
/// correction is 0; otherwise the time zone's offset when the clock knows one, else the
/// correction times 3600.
int UtcOffsetSecondsNow(const Clock& clock = ProcessClock());

/// A date and time of day taken from one reading of the clock.
struct DayAndTime {
  DayNumber day = BadDate;
  TimeOfDay time = BadTime;
  friend bool operator==(const DayAndTime&, const DayAndTime&) = default;
};

/// The computer clock's date and time of day.
DayNumber LocalDateNow(const Clock& clock = ProcessClock());
TimeOfDay LocalTimeNow(const Clock& clock = ProcessClock());

/// Current UTC date and time from one clock reading: the local time plus the offset of
/// UtcOffsetSecondsNow, the date moving back or forward a day when the time crosses
/// midnight. Use this where date and time must belong together (a QSO's time stamp).
DayAndTime UtcNow(const Clock& clock = ProcessClock());
/// Seconds since midnight UTC, 0..86399.
TimeOfDay UtcTimeNow(const Clock& clock = ProcessClock());
/// Day number of the current UTC date.
DayNumber UtcDateNow(const Clock& clock = ProcessClock());

} // namespace tarvik
