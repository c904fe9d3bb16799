#pragma once
// The CSV export of the QSO list: the column header and the rows of the QSO list with ";"
// between the fields, no title, no running number, no summary, no leading blanks.
//
//   Nr   DATE  ;UTC ;CALL    ;BAND;MODE  ;SENT     ;RCVD     ;DOK  ;P
//   140326;19:05;DL1ABC  ;2;SSB;59  001  ;59  002  ;V01  ;1

#include "outputs/output_source.h"
#include "outputs/text_file_writer.h"

namespace tarvik {

/// Writes the file. False when the QSO file could not be read to its end.
[[nodiscard]] bool WriteCsvFile(TextFileWriter& out, const OutputSource& source);

} // namespace tarvik
