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

#include "app/contest_definition.h"
#include "storage/qso_record.h"

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

} // namespace tarvik
