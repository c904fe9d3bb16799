#include "radio/locator.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <string>

#include "base/strings.h"

namespace tarvik {

namespace {

bool InRange(char c, char lo, char hi) {
  return c >= lo && c <= hi;
}

constexpr double kKmPerDegree = 111.12;

double Radians(double degrees) {
  return degrees * std::numbers::pi / 180.0;
}
double Degrees(double radians) {
  return radians * 180.0 / std::numbers::pi;
}

} // namespace

bool LocatorValid(std::string_view loc) {
  if (loc.empty())
    return true;
  if (!InRange(loc[0], 'A', 'R'))
    return false;
  if (loc.size() > 1 && !InRange(loc[1], 'A', 'R'))
    return false;
  if (loc.size() > 2 && !InRange(loc[2], '0', '9'))
    return false;
  if (loc.size() > 3 && !InRange(loc[3], '0', '9'))
    return false;
  if (loc.size() > 4 && !InRange(loc[4], 'A', 'X'))
    return false;
  if (loc.size() > 5 && !InRange(loc[5], 'A', 'X'))
    return false;
  return true;
}

bool LocatorPosition(std::string_view locator, LocatorPoint& point) {
  if (locator.size() < 2 || locator.size() > 6)
    return false;
  std::string loc = UpCase(locator);
  static constexpr const char* kCompletion[] = {"", "", "44XX", "4MX", "MM", "M", ""};
  loc += kCompletion[loc.size()];
  if (!LocatorValid(loc))
    return false;

  double longitude =
      (loc[0] - 'A') * 20 - 180 + (loc[2] - '0') * 2 + ((loc[4] - 'A') * 5 + 2.5) / 60.0;
  const double latitude =
      (loc[1] - 'A') * 10 - 90 + (loc[3] - '0') + ((loc[5] - 'A') * 2.5 + 1.25) / 60.0;
  if (longitude < 0)
    longitude += 360.0;
  point.latitude = latitude;
  point.longitude = longitude;
  point.eastWest = longitude > 180.0 ? 'W' : 'E';
  point.northSouth = latitude >= 0 ? 'N' : 'S';
  return true;
}

bool Distance(std::string_view from, std::string_view to, LocatorDistance& result) {
  LocatorPoint a;
  LocatorPoint b;
  if (!LocatorPosition(from, a) || !LocatorPosition(to, b))
    return false;
  const double phi1 = Radians(a.latitude);
  const double phi2 = Radians(b.latitude);
  const double dLambda = Radians(b.longitude - a.longitude);
  const double cosC = std::clamp(std::sin(phi1) * std::sin(phi2) +
                                     std::cos(phi1) * std::cos(phi2) * std::cos(dLambda),
                                 -1.0, 1.0);
  const double c = std::acos(cosC);
  const double km = Degrees(c) * kKmPerDegree;
  double bearing = 0;
  if (km > 0 && km < 20000) {
    const double cosA = std::clamp(
        (std::sin(phi2) - cosC * std::sin(phi1)) / (std::sin(c) * std::cos(phi1)), -1.0, 1.0);
    bearing = std::isfinite(cosA) ? Degrees(std::acos(cosA)) : 0.0;
    if (std::sin(dLambda) < 0)
      bearing = 360.0 - bearing;
  }
  result.km = km;
  result.bearing = bearing;
  return true;
}

} // namespace tarvik
