#pragma once
// The ADIF export of the QSO list.
//
//   ADIF-Export generated with Bridlow <program title> <address>
//   <EOH>
//        <QSO_DATE:8>20260314 <TIME_ON:4>1905 <CALL:6>DL1ABC <RST_SENT:3>599 ... <EOR>
//
// One record per QSO and line, in entry order, after five blanks; band-change marker records
// are left out. Every tag is "<NAME:n>value" followed by one blank, n the length of the value.
// Tags in this order, each under its condition:
//   QSO_DATE (a date), TIME_ON (a time), CALL; the reports (see AdifReportMode); LDK (code A,
//   the received exchange after the report); BAND as ADIF 3.1 names it ("80m", "70cm",
//   "2190m", "1.25cm"); MODE as an ADIF 3.1 mode and SUBMODE where the logged text is one
//   ("PR" as "PKT", "USB" as "SSB" + "USB", "PSK31" as "PSK" + "PSK31"); PTS; the received
//   DOK as AREA, LDK or DOK by the contest's exchange (also when empty); for a DOK contest the
//   received DOK again as DARC_DOK and the own DOK as MY_DARC_DOK (when not empty), which the
//   community logbooks read; GRIDSQUARE (also when empty); DXCC and DXCC_PFX (a prefix with a known
//   entity number); FREQ (above 0, four decimals); NAME and QTH (when not empty); QSL_SENT and
//   QSL_RCVD (a mark that is not blank; "J" as "Y").

#include <functional>
#include <string>
#include <string_view>

#include "outputs/output_source.h"
#include "outputs/text_file_writer.h"

namespace tarvik {

/// The question asked before the first record; code A does not ask (the answer is yes).
std::string RstOnlyQuestion();

/// One tag: "<" + name + ":" + length + ">" + value + " ".
std::string AdifTag(std::string_view name, std::string_view value);

/// How a record is formed besides its QSO.
struct AdifRecordStyle {
  char contestCode = 0;
  bool listener = false;
  /// Only the RS(T) as the reports, the rest of the exchange in STX and SRX.
  bool rstOnly = true;
  /// The tag of the received DOK: "AREA", "LDK" or "DOK".
  std::string dokTag = "DOK";
  /// The own DOK, written as MY_DARC_DOK in a DOK contest ("" none).
  std::string myDok;
  /// The DXCC entity number of a prefix ("" when unknown).
  std::function<std::string(std::string_view prefix)> dxccNumber;
};

/// The tag of the received DOK for a contest: "AREA" when its exchange is an area
/// (option 8), "LDK" when it is an LDK (option 17), else "DOK".
std::string AdifDokTag(const ContestDefinition& definition);

/// The ADIF 3.1 mode of a logged mode text and its submode ("" none). A text that is no
/// ADIF mode and no known submode ("DIGITAL") is returned as it is, without submode.
struct AdifMode {
  std::string mode;
  std::string submode;
};
AdifMode AdifModeOf(std::string_view loggedMode);

/// True when `mode` is a mode of the ADIF 3.1 enumeration.
bool IsAdifMode(std::string_view mode);

/// The ADIF 3.1 band name of a band letter ("160m", "70cm", "2190m", "1.25cm").
std::string AdifBandName(char band);

/// True when `band` (lower case) is a band of the ADIF 3.1 enumeration.
bool IsAdifBand(std::string_view band);

/// The record line of one QSO, without the five leading blanks, ending in "<EOR>".
std::string AdifRecord(const QsoRecord& qso, const AdifRecordStyle& style);

/// Writes the file. `askRstOnly` is called once, after the header, unless the code is A.
/// False when the QSO file could not be read to its end.
[[nodiscard]] bool
WriteAdifFile(TextFileWriter& out, const OutputSource& source,
              const std::function<bool()>& askRstOnly,
              const std::function<std::string(std::string_view prefix)>& dxccNumber);

} // namespace tarvik
