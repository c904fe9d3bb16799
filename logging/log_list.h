#pragma once
// The texts of the log list of the log window: the title line and the row of one QSO
// record, columns separated by ";", as the browse grid shows them (it splits each text at
// ";" into its cells), and the key range the list follows.
//
// Columns: number, date, time, call, band, mode, the sent and the received report, one
// column per multiplier label of the contest (MultMark1, MultMark2, Call2), points, the two
// QSL marks; a listener log shows the second call and the second station's report in
// place of the sent report; other logs end with name, QTH and frequency.

#include <cstdint>
#include <string>
#include <vector>

#include "contest/contest_definition.h"
#include "datafiles/qso_record.h"

namespace tarvik {

/// The key the log list follows: the record number (key 4).
inline constexpr int kLogListKey = 4;
/// Low and high key of the list's range (record numbers 1 to 999999999).
std::string LogListLowKey();
std::string LogListHighKey();

/// The title line (German or English by the language flag).
std::string LogListTitleLine(const ContestDefinition& definition);

/// The row of one stored record. A band-change marker record shows no number and
/// "*** QSY <band> ***" in place of the QSO data.
std::string LogListRow(const QsoRecord& record, const ContestDefinition& definition);

/// Width in characters of each column of the title line, wide enough for the title and for
/// the values the column shows.
std::vector<int> LogListColumnCharacters(const ContestDefinition& definition);

/// Column widths in pixels (`widths`, one per column) with the report columns narrowed, as
/// far as their titles allow (title length + 1 characters of `unit` pixels), so that every
/// column up to and including the points column fits into `available` pixels; the report
/// columns give up the same share of their room above that minimum. Columns that fit, and
/// every other column, keep their widths. Used when the list is narrower than its columns
/// (a 1024-pixel screen), so that the points stay in view.
std::vector<int> FitLogListColumns(const ContestDefinition& definition, std::vector<int> widths,
                                   int available, int unit);

/// The entries of the list's sort list (German or English by the language flag):
/// " Band - Nr", " Band - Call", " Band - DXCC", " alle - Nr", " alle - Call",
/// " alle - DXCC", " alle - Area" (option 8 only), then " alle - LDK" (option 17) or
/// " alle - DOK".
std::vector<std::string> LogListSortEntries(const ContestDefinition& definition);

/// The key and range of sort entry `index` (0-based): band number key 8, band call key 9,
/// band prefix key 10 (these three limited to `band`), record number key 4, call key 2,
/// prefix key 5; the seventh entry key 18, the eighth key 1. 0 for an index outside the list.
int LogListSortKey(const ContestDefinition& definition, int index, char band, std::string* low,
                   std::string* high);
/// True for the entries limited to the current band (the first three).
inline bool LogListSortByBand(int index) {
  return index >= 0 && index < 3;
}

} // namespace tarvik
