#pragma once
// The bridge between the contest header record (KXKK) and the header fields the contest
// catalog reads and writes while it builds a definition.

#include <string_view>

#include "contest/contest_catalog.h"
#include "contest/contest_definition.h"
#include "datafiles/contest_records.h"

namespace tarvik {

/// The fields of `header` that building a definition uses.
ContestHeaderFields ReadHeaderFields(const ContestHeaderRecord& header);

/// Writes back what building a definition may change: the category (reset to 0 for a
/// category the program does not support) and the extended-statistics flag. The other
/// fields are only read by the catalog and stay as they are in the record.
void WriteHeaderFields(const ContestHeaderFields& fields, ContestHeaderRecord& header);

/// BuildContestDefinition on a header record: reads its fields, builds, writes the changed
/// fields back into the record.
ContestDefinition BuildContestDefinition(char contestCode, ContestHeaderRecord& header,
                                         std::string_view ownLocator, UserDialogs& dialogs,
                                         const Clock& clock = ProcessClock());

} // namespace tarvik
