#include "base/clock.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace tarvik {

namespace {

// True when the C library has a real time zone: TZ set, or a system zone file present.
bool TimeZoneKnown() {
  static const bool known = [] {
    if (const char* tz = std::getenv("TZ"); tz != nullptr && *tz != '\0')
      return true;
    if (std::FILE* f = std::fopen("/etc/localtime", "rb")) {
      std::fclose(f);
      return true;
    }
    return false;
  }();
  return known;
}

const Clock* gProcessClock = nullptr;

} // namespace

DateTime SystemClock::LocalNow() const {
  using namespace std::chrono;
  const auto now = system_clock::now();
  const std::time_t t = system_clock::to_time_t(now);
  std::tm tm{};
  localtime_r(&t, &tm);
  DateTime d;
  d.year = tm.tm_year + 1900;
  d.month = tm.tm_mon + 1;
  d.day = tm.tm_mday;
  d.hour = tm.tm_hour;
  d.minute = tm.tm_min;
  d.second = tm.tm_sec;
  d.millisecond =
      static_cast<int>(duration_cast<milliseconds>(now.time_since_epoch()).count() % 1000);
  return d;
}

std::optional<int> SystemClock::ZoneCorrectionSeconds() const {
  if (!TimeZoneKnown())
    return std::nullopt;
  const std::time_t t = std::time(nullptr);
  std::tm tm{};
  localtime_r(&t, &tm);
  return static_cast<int>(-tm.tm_gmtoff);
}

const Clock& ProcessClock() {
  static const SystemClock systemClock;
  return gProcessClock != nullptr ? *gProcessClock : systemClock;
}

void SetProcessClock(const Clock* clock) {
  gProcessClock = clock;
}

} // namespace tarvik
