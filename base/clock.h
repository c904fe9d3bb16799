#pragma once
// The computer's clock as the core sees it. Everything that needs "now" (the log window's
// automatic date and time, "today" defaults, stamps in reports) asks a Clock, so tests can
// fix the time and never depend on the wall clock.

#include <optional>

namespace tarvik {

/// A calendar date with a time of day, as the computer's clock shows it.
struct DateTime {
  int year = 1600;
  int month = 1;  ///< 1..12
  int day = 1;    ///< 1..31
  int hour = 0;   ///< 0..23
  int minute = 0; ///< 0..59
  int second = 0; ///< 0..59
  int millisecond = 0;

  friend bool operator==(const DateTime&, const DateTime&) = default;
};

class Clock {
public:
  virtual ~Clock() = default;

  /// Local date and time of day of the computer's clock.
  virtual DateTime LocalNow() const = 0;

  /// Seconds to add to the local time of LocalNow() to obtain UTC at this instant, as the
  /// operating system's time zone says (daylight saving included). nullopt when the
  /// computer knows no time zone; callers then fall back to the configured correction.
  [[nodiscard]] virtual std::optional<int> ZoneCorrectionSeconds() const = 0;
};

/// The operating system's clock and time zone.
class SystemClock final : public Clock {
public:
  DateTime LocalNow() const override;
  [[nodiscard]] std::optional<int> ZoneCorrectionSeconds() const override;
};

/// The process-wide clock used where no clock is handed in. Tests replace it with
/// SetProcessClock() and restore it afterwards.
const Clock& ProcessClock();
/// Replaces the process-wide clock (nullptr restores the system clock). Not owned.
void SetProcessClock(const Clock* clock);

} // namespace tarvik
