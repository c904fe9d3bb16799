#pragma once
// A clock that shows whatever time the test sets, with an optional time zone.

#include <optional>

#include "base/clock.h"

namespace tarvik::test {

class FakeClock : public Clock {
public:
  DateTime now{2026, 3, 14, 12, 0, 0, 0};
  /// Seconds to add to local time for UTC (e.g. -3600 for CET, -7200 for CEST);
  /// nullopt = no time zone known.
  std::optional<int> zoneCorrection;

  DateTime LocalNow() const override { return now; }
  std::optional<int> ZoneCorrectionSeconds() const override { return zoneCorrection; }
};

/// Installs a clock as the process clock for the lifetime of the guard.
class ScopedProcessClock {
public:
  explicit ScopedProcessClock(const Clock& clock) { SetProcessClock(&clock); }
  ~ScopedProcessClock() { SetProcessClock(nullptr); }
  ScopedProcessClock(const ScopedProcessClock&) = delete;
  ScopedProcessClock& operator=(const ScopedProcessClock&) = delete;
};

} // namespace tarvik::test
