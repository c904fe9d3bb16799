#pragma once
// Key searches on a contest's QSO file (KXLK<nnnn>) as the entry cycle uses them: walking
// the entries that share a key beginning, and the running numbers a new QSO gets. Every
// function costs a few index searches plus one record read per entry visited; none walks
// the whole file.
//
// The functions read records into the fileblock's buffer (as every fileblock read does),
// so a caller never keeps its own data there. Storage errors above "not found" have been
// reported through the error channel when a function returns; the walk then stops.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "datafiles/qso_record.h"

namespace tarvik {

class Fileblock;

/// Calls `visit(recordNumber, record)` for every entry of `key` whose key text begins with
/// `prefix`, in key order (equal keys by record number), until `visit` returns false.
/// Returns false when `visit` stopped the walk, true when the entries ran out.
bool VisitRecords(
    Fileblock& log, int key, std::string_view prefix,
    const std::function<bool(std::int32_t recordNumber, const QsoRecord& record)>& visit);

/// The record of the first entry of `key` that begins with `prefix` (a copy), or nothing.
[[nodiscard]] std::optional<std::string> FirstRecord(Fileblock& log, int key,
                                                     std::string_view prefix);

/// QSONr of the last entry of key 13, plus 1; 1 for an empty log.
std::int32_t NextQsoNumber(Fileblock& log);
/// The newest BandSerial of the band (key 11), plus 1; 1 when the band has no QSO.
std::int32_t NextBandSerial(Fileblock& log, char band);
/// The newest BandNr of the band (key 12), plus 1; 1 when the band has no QSO.
std::int32_t NextBandNumber(Fileblock& log, char band);
/// The record number of the band's newest QSO (first entry of key 12), 0 when the band
/// has none.
std::int32_t NewestRecordOfBand(Fileblock& log, char band);
/// ModeNr + 1 of the newest QSO of the mode's group (key 24) when that QSO has the same
/// mode text; else 1.
std::int32_t NextModeNumber(Fileblock& log, std::string_view mode);

} // namespace tarvik
