#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>

#include "radio/locator.h"

namespace tarvik {
namespace {

TEST(Locator, SyntaxCheck) {
  for (const char* ok :
       {"", "J", "JO", "JO6", "JO62", "JO62M", "JO62QM", "AA00AA", "RR99XX", "JO62QMXYZ"})
    EXPECT_TRUE(LocatorValid(ok)) << ok;
  for (const char* bad :
       {"SO62MM", "JS62MM", "JOA2MM", "JO6AMM", "JO62YM", "JO62MZ", "jo62qm", "1O62MM", "JO62Q1"})
    EXPECT_FALSE(LocatorValid(bad)) << bad;
}

TEST(Locator, PositionIsTheMiddleOfTheCompletedSubsquare) {
  LocatorPoint p;
  ASSERT_TRUE(LocatorPosition("JO62QM", p));
  EXPECT_NEAR(p.longitude, 12.0 + 16 * 5 / 60.0 + 2.5 / 60.0, 1e-9);
  EXPECT_NEAR(p.latitude, 52.0 + 12 * 2.5 / 60.0 + 1.25 / 60.0, 1e-9);
  EXPECT_EQ(p.northSouth, 'N');
  EXPECT_EQ(p.eastWest, 'E');

  ASSERT_TRUE(LocatorPosition("fn31pr", p)); // lower case is converted first
  EXPECT_NEAR(p.longitude, 360.0 - (74.0 - 15 * 5 / 60.0 - 2.5 / 60.0), 1e-9);
  EXPECT_EQ(p.eastWest, 'W');
  ASSERT_TRUE(LocatorPosition("QF56OD", p));
  EXPECT_EQ(p.northSouth, 'S');

  LocatorPoint full, shortForm;
  const std::pair<const char*, const char*> completions[] = {
      {"JO", "JO44XX"}, {"JO6", "JO64MX"}, {"JO62", "JO62MM"}, {"JO62Q", "JO62QM"}};
  for (const auto& [given, completed] : completions) {
    ASSERT_TRUE(LocatorPosition(given, shortForm)) << given;
    ASSERT_TRUE(LocatorPosition(completed, full));
    EXPECT_DOUBLE_EQ(shortForm.latitude, full.latitude) << given;
    EXPECT_DOUBLE_EQ(shortForm.longitude, full.longitude) << given;
  }
  LocatorPoint untouched{1, 2, 'S', 'W'};
  for (const char* bad : {"", "J", "JO62QMA", "SO62MM", "JO62MZ"}) {
    EXPECT_FALSE(LocatorPosition(bad, untouched)) << bad;
    EXPECT_EQ(untouched.latitude, 1);
  }
}

// Independent computation: subsquare centre from the usual Maidenhead arithmetic, then the
// haversine formula on a sphere where one degree of arc is 111.12 km, and the initial
// great-circle bearing by atan2.
struct Reference {
  double km;
  double bearing;
};

Reference ReferenceDistance(const std::string& a, const std::string& b) {
  auto centre = [](const std::string& l, double& lat, double& lon) {
    lon = -180 + (l[0] - 'A') * 20 + (l[2] - '0') * 2 + ((l[4] - 'A') + 0.5) / 12.0;
    lat = -90 + (l[1] - 'A') * 10 + (l[3] - '0') + ((l[5] - 'A') + 0.5) / 24.0;
  };
  const double rad = std::numbers::pi / 180;
  double lat1, lon1, lat2, lon2;
  centre(a, lat1, lon1);
  centre(b, lat2, lon2);
  const double p1 = lat1 * rad, p2 = lat2 * rad, dl = (lon2 - lon1) * rad;
  const double h = std::pow(std::sin((p2 - p1) / 2), 2) +
                   std::cos(p1) * std::cos(p2) * std::pow(std::sin(dl / 2), 2);
  const double radiusKm = 111.12 * 180 / std::numbers::pi;
  const double km = 2 * radiusKm * std::asin(std::sqrt(h));
  double bearing =
      std::atan2(std::sin(dl) * std::cos(p2),
                 std::cos(p1) * std::sin(p2) - std::sin(p1) * std::cos(p2) * std::cos(dl)) /
      rad;
  if (bearing < 0)
    bearing += 360;
  return {km, bearing};
}

TEST(Locator, DistanceAndBearingAgreeWithHaversine) {
  const std::pair<const char*, const char*> pairs[] = {
      {"JO31NF", "JN58TD"}, {"JO62QM", "IO91WM"}, {"JO31NF", "JO31NG"}, {"JN58TD", "JO62QM"},
      {"FN31PR", "JO62QM"}, {"QF56OD", "JO62QM"}, {"JO01AA", "JN99XX"}, {"KP20LE", "KO85SS"},
      {"IO91WM", "FN31PR"}, {"AA00AA", "CC22CC"},
  };
  for (const auto& [a, b] : pairs) {
    LocatorDistance d;
    ASSERT_TRUE(Distance(a, b, d)) << a << " " << b;
    const Reference ref = ReferenceDistance(a, b);
    EXPECT_NEAR(d.km, ref.km, 0.5) << a << " -> " << b;
    EXPECT_NEAR(d.bearing, ref.bearing, 0.1) << a << " -> " << b;
  }
}

TEST(Locator, DistanceEdgeCases) {
  LocatorDistance d{7, 7};
  ASSERT_TRUE(Distance("JO62QM", "JO62QM", d));
  EXPECT_EQ(d.km, 0);
  EXPECT_EQ(d.bearing, 0);

  LocatorDistance shortForm, full;
  ASSERT_TRUE(Distance("JO62", "JO31", shortForm));
  ASSERT_TRUE(Distance("JO62MM", "JO31MM", full));
  EXPECT_DOUBLE_EQ(shortForm.km, full.km);

  // One degree of latitude along a meridian: 111.12 km, due north.
  ASSERT_TRUE(Distance("JO50AA", "JO51AA", d));
  EXPECT_NEAR(d.km, 111.12, 1e-6);
  EXPECT_NEAR(d.bearing, 0, 1e-3);
  ASSERT_TRUE(Distance("JO51AA", "JO50AA", d));
  EXPECT_NEAR(d.bearing, 180, 1e-3);

  d = {7, 7};
  EXPECT_FALSE(Distance("JO62QM", "JO62QZ", d));
  EXPECT_FALSE(Distance("", "JO62QM", d));
  EXPECT_EQ(d.km, 7);
}

} // namespace
} // namespace tarvik
