#pragma once
// The band list: the QSOs grouped by band, one section per band of the contest (also for a
// band without QSOs), printed or written as the ".BND" file (every line after five blanks).
//
//   <contest> Band List   <call>            77 characters (paper: 65, "Page :" and number)
//   " "
//   DATE   UTC  CALL     BAND MODE SENT      RCVD      [labels]  Pkt
//   for each band:  " ", " ", "Band List   <call>   <band>", " ", the band's QSOs in the
//                   order of key 8 (band, then the per-band number)
// Band-change marker records are left out; no totals follow.

#include <string>

#include "outputs/output_source.h"
#include "outputs/paper_page.h"
#include "outputs/qso_list_rows.h"
#include "outputs/text_file_writer.h"

namespace tarvik {

/// The column header line.
std::string BandListColumnHeader(const ContestDefinition& definition, const QsoListColumns& columns,
                                 bool listener);

/// The row of one QSO.
std::string BandListRow(const QsoRecord& qso, const ContestDefinition& definition,
                        const QsoListColumns& columns, bool listener);

/// Writes the ".BND" file. False when the QSO file could not be read to its end.
[[nodiscard]] bool WriteBandListFile(TextFileWriter& out, const OutputSource& source);

/// Prints the list. False when the QSO file could not be read to its end.
[[nodiscard]] bool PrintBandList(PaperPage& page, const OutputSource& source);

} // namespace tarvik
