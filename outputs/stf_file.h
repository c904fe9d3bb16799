#pragma once
// The STF file: keyword lines describing the entrant and the claimed score, then one line
// per QSO.
//
//   STF1
//   #Data written "dd.mm.yyyy  hh:mm"
//   #STF-Export generated with Bridlow <program title> <address>
//   Header
//   Contest      <contest name>       ClaimedQSO   <QSOs of the log>
//   MyCall       <own call>           ClaimedPts   <points>
//   Operator     <own call>           ClaimedMult  <column 1> (contests with multipliers;
//   Category     <category>           ClaimedMult2 / ClaimedMult3 only when above 0)
//   MailAddress  name, street, place, ClaimedScore <score> (not for codes 5 and P)
//                postcode, country    Club, Specific <DOK>, Equipment (codes b, j), Power,
//   EMail                             Soapbox, Soapbox, QsoOrder <columns>, EndHeader
//   (empty line)
//   QsoList
//        yyyymmdd hhmm band mode   call      rst exchange          rst exchange
//   EndQSOList
//
// Exchange rests: code 1 splits "012/P01" into "012 P01"; codes J and G split the rest into
// two columns ("012/N01" -> "012 N01", "/N01" -> "-   N01", "012" -> "012 -", none ->
// "-   -").

#include <string>
#include <string_view>
#include <vector>

#include "outputs/output_source.h"
#include "outputs/qso_list_rows.h"
#include "outputs/text_file_writer.h"

namespace tarvik {

/// The header lines, from "STF1" to "QsoList". `claimedQsos` is the number of QSOs of the
/// log (marker records excluded).
std::vector<std::string> StfHeaderLines(const OutputSource& source, std::int32_t claimedQsos);

/// The QSO line of one QSO, without the five leading blanks.
std::string StfQsoLine(const QsoRecord& qso, const QsoListColumns& columns, char contestCode,
                       bool listener);

/// The band column: "160 ", "80  ", "2   ", "70  ", "5   " (6 cm), "2189", "1.2 ".
std::string StfBandText(char band);

/// A sent or received column of 21 characters: report (" - " when blank), a blank and the
/// rest of the exchange with the code's splitting rule, padded or cut to 17.
std::string StfExchange(std::string_view exchange, char contestCode);

/// Writes the whole file. False when the QSO file could not be read to its end.
[[nodiscard]] bool WriteStfFile(TextFileWriter& out, const OutputSource& source);

} // namespace tarvik
