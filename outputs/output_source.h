#pragma once
// What every writer of a finished log reads: the contest (code, definition, header and
// extension records), the station's data, the totals of the run and the open QSO file.

#include <cstdint>
#include <functional>
#include <string>

#include "base/clock.h"
#include "contest/contest_definition.h"
#include "datafiles/contest_records.h"
#include "datafiles/qso_record.h"
#include "outputs/output_totals.h"

namespace tarvik {

class Fileblock;

/// The station's own data beside the contest header: the program-wide settings and the
/// station address of the setup record.
struct StationData {
  std::string operatorName;  ///< setup record: name
  std::string street;        ///< setup record: street
  std::string postcodePlace; ///< setup record: postcode and place joined by one blank
  std::string country;       ///< setup record: country
  std::string locator;       ///< setup record: station locator
  std::string dok;           ///< setup record: station DOK
  std::string swlNumber;     ///< the listener (SWL) number of the settings
  /// The station description of codes b and j (the text of their ".STN" file, lines ended
  /// by CR LF or LF); "" when there is none.
  std::string stationDescription;
};

struct OutputSource {
  char contestCode = 0;
  const ContestDefinition& definition;
  ContestHeaderRecord header;
  ContestExtensionRecord extension;
  const StationData& station;
  OutputTotals totals;
  Fileblock& log; ///< the contest's QSO file, open
  const Clock& clock;

  bool Listener() const { return definition.ListenerLog != 0; }
};

/// The program identification of the exported files' first lines: the program title of
/// the definition and the program's web address.
std::string ExportIdentification(const ContestDefinition& definition);

/// Calls `visit(runningNumber, record)` for every record of the QSO file in entry order
/// (key 4), band-change marker records included; the running number counts from 1 over all
/// of them. Stops early when `visit` returns false. Returns false when the walk was stopped
/// by a storage error (reported through the error channel), or when it ran to the end
/// without meeting every live record of the data file exactly once (the key disagrees with
/// the data file: QSOs would be missing).
[[nodiscard]] bool
ForEachLogRecord(Fileblock& log,
                 const std::function<bool(int runningNumber, const QsoRecord&)>& visit);

/// Calls `visit(record)` for every record of the QSO file in the order of key `key`
/// (band-change marker records included), starting at the first entry whose key is not
/// below `from`. Stops early when `visit` returns false. Returns false when the walk was
/// stopped by a storage error (reported through the error channel), or when a walk over the
/// whole key (`from` empty, not stopped by `visit`) did not meet every live record of the
/// data file exactly once.
[[nodiscard]] bool ForEachLogRecordInKey(Fileblock& log, int key, std::string_view from,
                                         const std::function<bool(const QsoRecord&)>& visit);

} // namespace tarvik
