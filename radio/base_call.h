#pragma once
// Call signs split into their parts: the home call (the call without portable additions,
// used by duplicate checks and keys) and the part that decides the country. Also the
// portable designators ("/P", "/MM" ...), the designator pairs that name an entity of their
// own (FO5QQ/M is Marquesas, not French Polynesia), and the table of entity prefixes
// numbered by DXCC entity code.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tarvik {

/// One portable designator: up to 3 characters and a flag byte (kept, not interpreted).
struct PortableDesignator {
  std::string text;
  std::uint8_t flag = 0;
  friend bool operator==(const PortableDesignator&, const PortableDesignator&) = default;
};

/// The 16 portable designators. Initially "A", "AM", "M", "MM", "P", "LH", "LGT" and nine
/// empty entries; the family setup may replace entries 1 to 9.
class PortableDesignatorTable {
public:
  static constexpr int kEntries = 16;
  static constexpr int kFromSetup = 9;

  PortableDesignatorTable();

  /// Entry 1..16 (an empty one for any other number).
  const PortableDesignator& Entry(int number) const;
  /// Replaces entry 1..16 (the text is cut to 3 characters); other numbers are ignored.
  void SetEntry(int number, PortableDesignator designator);
  /// True when `part` is not empty and equals one of the entries.
  bool Contains(std::string_view part) const;
  /// Replaces entries 1 to 9 by the setup's nine designators, with their flags, when the
  /// first of them is not empty; otherwise the table stays as it is.
  void LoadFromSetup(const std::array<PortableDesignator, kFromSetup>& fromSetup);

private:
  std::array<PortableDesignator, kEntries> entries_;
};

/// The process-wide table that BaseCall uses when none is handed in.
const PortableDesignatorTable& PortableDesignators();
/// Replaces the process-wide table (the main window does so when it loads the setup).
void SetPortableDesignators(const PortableDesignatorTable& table);

/// What BaseCall returns.
enum BaseCallMode : int {
  kCountryPart = 0, ///< the part that decides the country ("" when the home call decides)
  kHomeCall = 1,    ///< the home call
};

/// Splits a call at every character that is not a letter or digit (after upper-casing;
/// runs of separators and separators at the end count as nothing) and returns the home call
/// (kHomeCall) or the country part (kCountryPart):
///  - one part: the part itself, in both modes;
///  - two parts A/B: A/B when A and B form a designator pair; A when B is a portable
///    designator; otherwise A and B are sorted;
///  - three or more parts A/B/C...: when A and B form a pair, A/B if C is a portable
///    designator, else A/B and C are sorted; otherwise A and B are sorted and the rest is
///    not looked at (a designator in the middle is kept).
/// Sorting: of two parts the longer is the home call (of equal ones the second); a country
/// part ending in three letters, or in fewer letters after three digits, is dropped; a single
/// digit joins the home call's area (DL9QQQ/2 -> DL2); a home call that is an entity prefix
/// (entity table positions 1..513) swaps roles with a non-empty country part.
/// Examples: PA/DL9QQQ/P -> DL9QQQ / PA; W9QQQ/KH6 -> W9QQQ / KH6; FO5QQ/M -> FO5QQ/M in both.
std::string BaseCall(std::string_view call, int mode);
std::string BaseCall(std::string_view call, int mode, const PortableDesignatorTable& designators);

/// True when `first` begins with the beginning of a designator pair and `designator` is one
/// of that pair's designators: "SV" A; "JW" B, S; "3Y" B, P; "FR" B, E, G, J, T; "FO" A, C,
/// F, M; "3D2" C, R; "VQ9" A, D, F; "ZK1" N, S; "GM" SH, SC.
bool IsDesignatorPair(std::string_view first, std::string_view designator);
/// The beginning of the designator pair that `first` and `designator` form ("FO" for FO5QQ
/// and M, "3D2" for 3D2AB and R); "" when they form none.
std::string_view DesignatorPairBeginning(std::string_view first, std::string_view designator);
/// Every designator pair joined as a lookup names it: "SV/A", "JW/B", "JW/S", ... "GM/SC".
std::vector<std::string> DesignatorForms();

/// Positions of the entity table: DXCC entity codes 1..516.
inline constexpr int kEntityPositions = 516;
/// Positions whose prefix may stand as a home call in BaseCall's sorting.
inline constexpr int kEntityHomeCallPositions = 513;

/// The prefix by which the prefix tables name entity `position` (1..516), without trailing
/// blanks; "" for a blank position or any other number.
std::string_view EntityPrefix(int position);
/// The first position 1..`lastPosition` whose prefix equals `prefix` exactly (with case);
/// 0 when none does or `prefix` is empty.
int EntityPosition(std::string_view prefix, int lastPosition = kEntityPositions);

} // namespace tarvik
