#pragma once
// The totals of a finished (or interrupted) log written into the contest header, where the
// cover sheet and the other outputs take them from ("Neuberechnung", when the log window
// closes and after a delete).
//
// Band slot n of the header (1..7) or of the extension record (1..100, for contests whose
// header has the extendedStats flag) belongs to the n-th band of the definition's Bands:
// it receives that band's points, QSO count, multiplier count and the multipliers per
// multiplier column. With EvaluationKind 1 the multipliers count once for the contest: the
// first band's slot receives them all (and for code 'E', whose points and QSOs are kept in
// slot 1 too, also all points and QSOs).

#include "contest/contest_definition.h"
#include "contest/score.h"
#include "datafiles/contest_records.h"

namespace tarvik {

/// Writes the statistics into `header` (without extendedStats) or `extension` (with it);
/// the other record is left alone. Counts above 65535 are written as 65535 where the record
/// holds 16 bits.
void WriteHeaderStatistics(const ContestDefinition& definition, char contestCode,
                           const SlotTotals& totals, ContestHeaderRecord& header,
                           ContestExtensionRecord& extension);

/// The totals as the contest header holds them, for the header window's panel and the
/// outputs: slot n of the header (1..7) or, with extendedStats, of the extension record
/// (1..100) becomes index n of the result (points, QSOs, multipliers and the multipliers
/// per column; column 3 only from the extension record). With EvaluationKind 1 the
/// multipliers count once for the contest: only slot 1's are taken. ComputeScore of the
/// result is the score the log window showed for the same log.
SlotTotals ReadHeaderStatistics(const ContestDefinition& definition,
                                const ContestHeaderRecord& header,
                                const ContestExtensionRecord& extension);

} // namespace tarvik
