#pragma once
// Duplicate rules: whether an earlier QSO of the log makes the QSO being entered a
// duplicate, found through the keys of the QSO file (never by walking the log).
//
//   Rule  A QSO is a duplicate when an earlier QSO exists with             Key
//   0     never                                                            -
//   1     the same home call, band and mode                                9
//   2     the same home call and band; code '9': the same full call too    9
//         (a call with and without "/P" are different stations)
//   3     the same home call and mode class (CW or any other mode)          2
//   4     code '6': the same home call and band, both times on the same     9
//         side of 15:00; code 'h': the same home call, band and date;
//         other codes: never
//   5     the same home call anywhere in the log                           6
// Band-change marker records are never earlier QSOs.

#include <cstdint>
#include <string>
#include <string_view>

#include "datafiles/qso_record.h"

namespace tarvik {

class Fileblock;

/// True when an earlier QSO of `log` makes `record` a duplicate under `rule`.
/// `excludeRecord` is the record number of the QSO itself when it is stored (0 otherwise).
[[nodiscard]] bool IsDuplicate(const QsoRecord& record, Fileblock& log, int rule, char contestCode,
                               std::int32_t excludeRecord = 0);

/// The message for a duplicate in the current language. `onCallExit`: the message shown
/// when the call field is left ("Call DL1ABC bereits auf Band vorhanden"); otherwise the
/// one of the completeness test ("Call bereits auf Band vorhanden"). "" for rules that
/// never find a duplicate.
std::string DuplicateMessage(int rule, char contestCode, std::string_view call, bool onCallExit);

} // namespace tarvik
