#pragma once
// The EDI file: the electronic log of VHF/UHF contests in the REG1TEST layout.
//
//   [<program title>]                       program identification, 7 lines
//   ...
//   [REG1TEST;1]
//   TName=... TDate=yyyymmdd;yyyymmdd (0;0 without dates) PCall= PWWLo= PExch= PAdr1= PAdr2=
//   PSect= PBand= PClub=club;DOK RName= RCall= RAdr1= RAdr2= RPoCo= RCity= RCoun= RPhon=
//   RHBBS= MOpe1= MOpe2= STXEq= SPowe= SRXEq= SAnte= SAntH=0;0
//   CQSOs=<QSO lines>;1 CQSOP=<points> CWWLs=<squares>;0;1 CWWLB=0 CExcs=0;0;1 CExcB=
//   CDXCs=<countries>;0;1 CDXCB=0 CToSc=<points> CODXC=call;locator;km (empty without ODX)
//   [Remarks]
//   <remarks, or one empty line>
//   [QSORecords;<QSO lines>]
//   yymmdd;hhmm;call;mode code;rst;nr;rst;nr;exchange;locator;km;;;;
//
// Most header values come from the participant dialog, which is prefilled from the contest
// header and the station data and shown just before the file is written. Band-change marker
// records are neither written nor counted: the record count of "CQSOs=" and "[QSORecords;N]"
// is the number of QSO lines that follow, as contest robots check, and the square and
// country counts describe those QSOs only.

#include <functional>
#include <string>
#include <vector>

#include "outputs/output_source.h"
#include "outputs/participant_data.h"
#include "outputs/text_file_writer.h"

namespace tarvik {

/// What the pre-pass over the QSOs (key-1 order) finds.
struct EdiStatistics {
  std::int32_t qsos = 0;      ///< QSOs (band-change marker records left out)
  std::int32_t squares = 0;   ///< distinct first 4 characters of Locator ("" is one value)
  std::int32_t countries = 0; ///< distinct Prefix values ("" is one value)
  bool hasOdx = false;        ///< some QSO has a QRB above 0
  std::string odxCall, odxLocator;
  std::int32_t odxQrb = 0; ///< the largest QRB; the first QSO found keeps it on a tie
};

/// Runs the pre-pass. False when the QSO file could not be read to its end.
[[nodiscard]] bool GatherEdiStatistics(Fileblock& log, EdiStatistics* statistics);

/// The participant dialog's values as the EDI writer prefills them from the contest header,
/// the definition and the station data.
ParticipantData PrefillParticipant(const OutputSource& source);

/// The header lines, from "[<program title>]" to "[QSORecords;N]".
std::vector<std::string> EdiHeaderLines(const OutputSource& source, const ParticipantData& p,
                                        const EdiStatistics& statistics);

/// The record of one QSO: 15 fields separated by ";", the last four empty.
std::string EdiQsoLine(const QsoRecord& qso);

/// The REG1TEST mode code: "1" SSB, "2" CW, "5" AM, "6" FM, "7" RTTY, otherwise "0".
const char* EdiModeCode(std::string_view mode);

/// Lets the person check the participant's values before the file is written; the
/// function may change them. Empty: the prefilled values are written.
using ParticipantEditor = std::function<void(ParticipantData&)>;

/// Writes the whole file. False when the QSO file could not be read to its end.
[[nodiscard]] bool WriteEdiFile(TextFileWriter& out, const OutputSource& source,
                                const ParticipantEditor& editParticipant);

} // namespace tarvik
