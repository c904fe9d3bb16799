#pragma once
// Maidenhead locators: syntax check, the position a locator stands for, and distance and
// bearing between two locators (stored with every VHF/UHF QSO).
//
// A locator has up to 6 characters: field letters "A".."R" (two), square digits "0".."9"
// (two), subsquare letters "A".."X" (two). A position is the middle of the subsquare; a
// shorter locator is completed first (2 characters + "44XX", 3 + "4MX", 4 + "MM", 5 + "M").

#include <string_view>

namespace tarvik {

/// Degrees of latitude (north positive) and longitude (east, 0..360: a western longitude
/// appears as 360 minus it), with the hemisphere letters.
struct LocatorPoint {
  double latitude = 0;
  double longitude = 0;
  char northSouth = 'N'; ///< 'N' for latitude 0 or more, else 'S'
  char eastWest = 'E';   ///< 'W' when the longitude exceeds 180, else 'E'
};

/// Distance in km and bearing in degrees (0..360) from the first locator to the second.
struct LocatorDistance {
  double km = 0;
  double bearing = 0;
};

/// Syntax check of an upper-case locator: the empty text is valid; otherwise character 1
/// "A".."R" and, where present, character 2 "A".."R", 3 and 4 "0".."9", 5 and 6 "A".."X".
/// Characters after the sixth are not examined.
bool LocatorValid(std::string_view locator);

/// The middle of the subsquare a locator of 2 to 6 characters stands for (converted to upper
/// case and completed first). Returns false, leaving `point` untouched, for any other length
/// or an invalid locator.
[[nodiscard]] bool LocatorPosition(std::string_view locator, LocatorPoint& point);

/// Great-circle distance (one degree counts 111.12 km) and bearing between the positions of
/// two locators. The bearing is 0 for a distance of 0 or of 20000 km and more. Returns false,
/// leaving `result` untouched, when either locator has no position.
[[nodiscard]] bool Distance(std::string_view from, std::string_view to, LocatorDistance& result);

} // namespace tarvik
