#pragma once
// The QSO list: the log as aligned columns, printed (list mode 0) or as the E-Log list file
// (list mode 1, every line after five blanks).
//
//   title line        contest name, "  -  QSO-Liste     CALL: " + own call, 77 characters;
//                     on paper bold, followed by "Page :" and the page number in 4
//   " "
//   column header
//   " "               paper only, before the first row
//   rows              entry order; band-change marker records left out, but counted by the
//                     running number
//   summary           right-aligned to the longest row: " ", the multiplier formula
//                     "(   12 +     3) x     850" and " " (contests with multipliers that
//                     multiply the points), the score "  12750 Punkte", and for code 5 the
//                     postcode areas "      9 PLZ-Bereiche"
// On paper the title and the column header are repeated on every page.

#include <string>
#include <vector>

#include "outputs/output_source.h"
#include "outputs/paper_page.h"
#include "outputs/qso_list_rows.h"
#include "outputs/text_file_writer.h"

namespace tarvik {

/// The summary lines, not yet right-aligned.
std::vector<std::string> QsoListSummary(const ContestDefinition& definition, char contestCode,
                                        const OutputTotals& totals);

/// The multiplier formula: "(" and the column totals above 0, each in 5 characters, joined
/// by " + ", then ")" (both only when a total is above 0), " x " and the points in 7.
std::string MultiplierFormula(const OutputTotals& totals);

/// Writes the E-Log list file. False when the QSO file could not be read to its end.
[[nodiscard]] bool WriteQsoListFile(TextFileWriter& out, const OutputSource& source);

/// Prints the list. False when the QSO file could not be read to its end.
[[nodiscard]] bool PrintQsoList(PaperPage& page, const OutputSource& source);

} // namespace tarvik
