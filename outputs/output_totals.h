#pragma once
// The totals every output of a finished log prints, taken once per output run from the
// contest header (or, with extendedStats, from the extension record) as the log window left
// them there.

#include <array>
#include <cstdint>

#include "contest/contest_definition.h"
#include "contest/score.h"
#include "datafiles/contest_records.h"

namespace tarvik {

struct OutputTotals {
  std::int32_t qsos = 0;   ///< QSO count of the header's band slots
  std::int32_t points = 0; ///< points total
  std::int32_t multis = 0; ///< multiplier total (bandMultis)
  /// Multiplier totals of the columns 1, 2, 3 (labels 1 to 3); column 3 is kept in the
  /// extension record only, so it is 0 for a contest without extendedStats.
  std::array<std::int32_t, 3> columnMultis{};
  /// The claimed score: ComputeScore, the same function the log window shows.
  std::int64_t score = 0;
};

OutputTotals ReadOutputTotals(const ContestDefinition& definition,
                              const ContestHeaderRecord& header,
                              const ContestExtensionRecord& extension);

} // namespace tarvik
