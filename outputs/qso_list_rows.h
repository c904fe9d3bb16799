#pragma once
// The columns, the column header and the rows of the QSO list: the paper list, the E-Log
// list file and the CSV export share them (the CSV with ";" between the fields, some fields
// trimmed instead of padded and no running number), and the STF and ADIF writers share the
// helpers for band texts, exchanges and name/QTH.
//
// Row layout (separator " ", or ";" in CSV):
//   nr+date  time  call  band  mode  sent  rcvd  [mult 1] [mult 2] [mult 3]  points  [name]
// A listener log has the received exchange, Call2 and the sent exchange after the mode.

#include <array>
#include <string>
#include <string_view>

#include "contest/contest_definition.h"
#include "datafiles/qso_record.h"

namespace tarvik {

class Fileblock;

/// Column widths, measured over the QSOs of the log before the first line is written.
struct QsoListColumns {
  int call = 8;   ///< longest trimmed Call + 2, at least 8
  int sent = 9;   ///< longest trimmed sent exchange (RSTs) + 2, at least 9
  int rcvd = 9;   ///< likewise from the received exchange (RSTr)
  int points = 1; ///< most digits of Punkte
  /// Multiplier column 1..3 (index 0..2): the longer of the definition's label and the
  /// longest mark (MultMark1, MultMark2 trimmed; Call2 as stored) + 2; 0 when the label is
  /// empty and the column is left out.
  std::array<int, 3> mult{};
};

/// Measures the columns over every QSO of `log` (band-change marker records are not
/// printed, so they do not widen a column).
QsoListColumns MeasureQsoListColumns(Fileblock& log, const ContestDefinition& definition);

/// Widens `columns` for one QSO, as MeasureQsoListColumns does; start from
/// QsoListColumnsFor(definition).
void WidenQsoListColumns(QsoListColumns& columns, const QsoRecord& qso,
                         const ContestDefinition& definition);
/// The narrowest columns of a contest: the minimum widths and the multiplier labels + 2.
QsoListColumns QsoListColumnsFor(const ContestDefinition& definition);

/// How the rows are written.
struct QsoListStyle {
  char contestCode = 0;
  bool listener = false;
  bool csv = false; ///< ";" between the fields, trimmed fields, no running number
  std::string_view Separator() const { return csv ? ";" : " "; }
};

/// The title line of the paper and E-Log lists without the page number: the contest's
/// short name, "  -  QSO-Liste     CALL: " and the own call (a listener log: "SWL : " and
/// the SWL number), padded or cut to 77 characters.
std::string QsoListTitle(const ContestDefinition& definition, bool listener,
                         std::string_view ownCall, std::string_view swlNumber);

/// The column header line.
std::string QsoListColumnHeader(const ContestDefinition& definition, const QsoListColumns& columns,
                                const QsoListStyle& style);

/// The row of one QSO; `runningNumber` is its position in entry order (lists only).
std::string QsoListRow(const QsoRecord& qso, int runningNumber, const ContestDefinition& definition,
                       const QsoListColumns& columns, const QsoListStyle& style);

// --- field helpers shared with the STF, ADIF and CSV writers ----------------------------

/// The band of the lists: the printed name with blank without its last character, padded
/// or cut to 4 (trimmed in CSV); then a "c" in it is removed and one blank appended.
/// "80 m" -> "80  ", "70 cm" -> "70  ", "2 m" -> "2   ", "1.2cm" -> "1.2 ".
std::string ListBandText(char band, bool csv);

/// An exchange column of the lists: the report (characters 1-3) padded to 3, a blank, and
/// the rest (characters 4-20) padded or cut to `width` - 4.
std::string ListExchange(std::string_view exchange, int width);

/// A QSO's NameQTH split at its first ";" (name before, QTH after; without ";" it is all
/// QTH), both trimmed.
struct NameAndQth {
  std::string name;
  std::string qth;
};
NameAndQth SplitNameQth(std::string_view nameQth);
/// True when NameQTH holds neither name nor QTH (trimmed it is ";" or empty).
bool NoNameQth(std::string_view nameQth);

/// Whether the rows of a contest code end with the name part: 'N' name and QTH (codes I,
/// l), 'n' the name (code O), 0 none.
char NameColumnOf(char contestCode);

} // namespace tarvik
