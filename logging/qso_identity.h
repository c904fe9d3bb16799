#pragma once
// Finding a QSO again after its log was renumbered. A renumbering rewrites the log in date
// and time order: record numbers, QSO, band and mode numbers and the multiplier marks
// change, so nothing the program remembered of a QSO by number still names it. What the
// operator entered stays: call, date and time, band, mode, reports, name and QTH,
// frequency, QSL marks. A QSO is found again by those, among the QSOs of the same date and
// time (key 1); of several QSOs with equal entries, the n-th before is the n-th after (a
// renumbering keeps their order).

#include <cstdint>

#include "datafiles/qso_record.h"

namespace tarvik {

class Fileblock;

/// True when `a` and `b` hold the same entries (the fields above).
bool SameQsoEntries(const QsoRecord& a, const QsoRecord& b);

/// Which of the QSOs of `log` with the entries of `qso` (read from record `record`) it is:
/// 0 for the first in key order, 1 for the second ...; -1 when `record` is not among them.
/// Reads records into the log's buffer.
[[nodiscard]] int SameQsoRank(Fileblock& log, const QsoRecord& qso, std::int32_t record);

/// The record number of the QSO of `log` with the entries of `qso` and rank `rank`
/// (SameQsoRank taken before the log was rewritten); 0 when there is none. Reads records into
/// the log's buffer; the found one is there on success.
[[nodiscard]] std::int32_t FindSameQso(Fileblock& log, const QsoRecord& qso, int rank);

} // namespace tarvik
