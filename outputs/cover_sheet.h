#pragma once
// The cover sheet: the entry summed up on one page, printed or written as the summary file
// (".SUM", every line after five blanks) and at the top of the whole-log file.
//
//   three blank lines, name, address, place, country (English), the contest's name centred,
//   call / DOK (LDK) / locator (DIG or RTC number for codes 7 and 4), category, per-code
//   lines (age P, IPARC Z, scoring group Y), the band table (QSOs, points and multipliers
//   per band, sum line), the final score, per-code remarks (G bonus multipliers, 8 DXCC /
//   squares / ODX, b and j station), the declaration, the code h lists, and the footer with
//   place, date, call and signature.
// German texts when the program language is German, English otherwise. On paper the
// address block, the title, the call and category lines and the signature are bold, and the
// signature texts are printed; the file leaves them out but keeps the footer's padding.

#include <string>
#include <vector>

#include "outputs/output_source.h"
#include "outputs/paper_page.h"
#include "outputs/text_file_writer.h"

namespace tarvik {

struct CoverSheetLine {
  std::string text;
  bool bold = false;
};

/// The lines of the sheet for paper (`paper`) or for the file. False in `*complete` when
/// the QSO file could not be read to its end for the per-code parts that read it.
std::vector<CoverSheetLine> CoverSheetLines(const OutputSource& source, bool paper,
                                            bool* complete = nullptr);

/// Writes the summary file (each line after five blanks). False when the QSO file could not
/// be read to its end.
[[nodiscard]] bool WriteCoverSheetFile(TextFileWriter& out, const OutputSource& source);

/// Prints the sheet on the current page. False when the QSO file could not be read to its
/// end.
[[nodiscard]] bool PrintCoverSheet(PaperPage& page, const OutputSource& source);

} // namespace tarvik
