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
// A log with QSOs on several bands is written as one file per band, as the contest robots
// take it: each file holds that band's QSOs only, its counts, squares, countries, ODX and
// points (the sum of the QSO points of field 11, the distances) describe them, and PBand names the band in the
// contest managers' form ("145 MHz", "435 MHz", "1,3 GHz" ...). A log on one band is written
// as one file with the band chosen in the participant dialog.
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
  /// For the file of one band: the sum of its QSOs' distances, the QSO points of field 11
  /// (CQSOP, CToSc); -1: the points total of the log.
  std::int64_t bandPoints = -1;
};

/// Runs the pre-pass over the QSOs of `band` (0: all). False when the QSO file could not be
/// read to its end.
[[nodiscard]] bool GatherEdiStatistics(Fileblock& log, EdiStatistics* statistics, char band = 0);

/// The bands of the log's QSOs (marker records left out), in band order. False when the QSO
/// file could not be read to its end.
[[nodiscard]] bool EdiBandsOfLog(Fileblock& log, std::string* bands);

/// PBand of a band letter in the contest managers' form: "50 MHz", "145 MHz", "435 MHz",
/// "1,3 GHz", "2,3 GHz", "3,4 GHz", "5,7 GHz", "10 GHz", "24 GHz"; "" for the short-wave
/// bands.
std::string EdiBandText(char band);

/// The participant dialog's values as the EDI writer prefills them from the contest header,
/// the definition and the station data.
ParticipantData PrefillParticipant(const OutputSource& source);

/// The header lines, from "[<program title>]" to "[QSORecords;N]". `bandText` replaces the
/// participant's band in PBand when not empty (the file of one band of several).
std::vector<std::string> EdiHeaderLines(const OutputSource& source, const ParticipantData& p,
                                        const EdiStatistics& statistics,
                                        std::string_view bandText = {});

/// The record of one QSO: 15 fields separated by ";", the last four empty.
std::string EdiQsoLine(const QsoRecord& qso);

/// The REG1TEST mode code: "1" SSB, "2" CW, "5" AM, "6" FM, "7" RTTY, otherwise "0".
const char* EdiModeCode(std::string_view mode);

/// Lets the person check the participant's values before the file is written; the
/// function may change them. Empty: the prefilled values are written.
using ParticipantEditor = std::function<void(ParticipantData&)>;

/// Writes the whole file; with `band` (not 0) the file of that band. False when the QSO file
/// could not be read to its end.
[[nodiscard]] bool WriteEdiFile(TextFileWriter& out, const OutputSource& source,
                                const ParticipantEditor& editParticipant, char band = 0);

} // namespace tarvik
