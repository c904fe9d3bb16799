#pragma once
// The prefix lookup of a QSO: Prefix and Continent of the record from the prefix tables at
// the QSO date.
//
//   1. A prefix fixed by hand (PrefixFest) is kept: accepted.
//   2. Unless the person chose the entry for this entry already, Prefix and Prefix2 are
//      cleared and the tables are searched for the call at the QSO date (a date of 0 or
//      less: today). An entry counts as found only when it is valid at that date.
//   3. Found, or the contest counts WPX prefixes (option 1): Prefix := the entry's
//      alternative prefix (or its DXCC prefix when it has none) with option 14; else with
//      option 1 the WPX prefix of the call (its first character, then the following ones
//      up to the end of the first run of digits, at most 6); else the DXCC prefix.
//      Continent := the entry's continent. Accepted.
//   4. Otherwise Prefix and Continent are cleared; accepted only for a call of fewer than
//      3 characters (still being typed).

#include <string>
#include <string_view>

#include "contest/contest_definition.h"
#include "country/prefix_lookup.h"
#include "datafiles/qso_record.h"

namespace tarvik {

/// Looks up the record's prefix (steps above). `chosenEntry` holds the entry the person
/// chose in the prefix choice during this entry ("" when none): when it is set the tables
/// are not searched again; when the lookup lets the person choose, the chosen entry is put
/// there. `lookup` may be nullptr (nothing is found). Returns whether the call is accepted.
[[nodiscard]] bool LookUpQsoPrefix(QsoRecord& record, PrefixLookup* lookup,
                                   const ContestDefinition& definition, std::string& chosenEntry);

/// The WPX prefix of a call.
std::string WpxPrefix(std::string_view call);

} // namespace tarvik
