#pragma once
// The multiplier check list: the worked multipliers against the contest's bands, naming in
// each cell the station with which the multiplier was first worked on that band. Printed
// (10 points) or written as the "-multi.txt" file (every line after five blanks).
//
//   <contest> Multiplier Check List   <call>      65 characters (paper: "Page :" and number)
//   " ", " "
//   Multi   80 m         40 m         ...          13 characters per band
//   " "
//   DOK part (DOK, area or LDK multipliers): one row per received DOK, in DOK order, the key
//   shown cut to 6 characters
//   prefix part (prefix multipliers): one row per counted prefix, in prefix order; "DL" only
//   when the contest counts it, only European prefixes when it counts only those
// A row is written only when one of its cells holds a call. Band-change marker records and
// QSOs without band are left out.

#include <string>

#include "outputs/output_source.h"
#include "outputs/paper_page.h"
#include "outputs/text_file_writer.h"

namespace tarvik {

/// Writes the "-multi.txt" file. False when the QSO file could not be read to its end.
[[nodiscard]] bool WriteMultiCheckListFile(TextFileWriter& out, const OutputSource& source);

/// Prints the list. False when the QSO file could not be read to its end.
[[nodiscard]] bool PrintMultiCheckList(PaperPage& page, const OutputSource& source);

} // namespace tarvik
