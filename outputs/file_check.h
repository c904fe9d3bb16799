#pragma once
// The check before sending: an EDI, Cabrillo, STF or ADIF file is read the way a contest
// robot reads it, and what the robot would refuse or count differently is listed, each
// finding with its line and, where it concerns a QSO, the QSO's number and call.
//
// The same checks run on the file an output is about to write (the output run writes it
// into memory first) and on any file of these formats, also one written by another program
// (tarvik-tool validate). What is checked:
//   - the layout: header lines and tags missing or malformed, unknown tags, line formats and
//     field widths, the end marker;
//   - every QSO: date and time, call, band, mode, received locator, the number of columns;
//   - duplicates a robot will find (the same call on the same band in the same mode; with
//     the contest known, by its duplicate rule);
//   - the counts and sums of the header against the QSO lines (EDI CQSOs, [QSORecords;N],
//     CQSOP, CWWLs, CODXC and every QSO's distance from the locators; STF ClaimedQSO);
//   - with the contest known (the program's own files): the contest period, the bands and
//     modes of the category, the number of QSOs of the log and the claimed score.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "base/dates.h"

namespace tarvik {

enum class FileFormat { kUnknown, kCabrillo, kEdi, kStf, kAdif };

/// The format of a file's bytes: Cabrillo ("START-OF-LOG:" in its first lines, or lines
/// beginning "CALLSIGN:", "QSO:" or "END-OF-LOG:"), EDI ("[REG1TEST;"), STF ("STF1" first),
/// ADIF (an <EOH> or <EOR>, or a first "<" tag).
FileFormat DetectFileFormat(std::string_view bytes);

/// The name of a format ("Cabrillo", "EDI", "STF", "ADIF").
std::string FileFormatName(FileFormat format);

enum class FindingSeverity { kError, kWarning };

struct FileFinding {
  FindingSeverity severity = FindingSeverity::kError;
  int line = 0;     ///< 1-based line of the file; 0 for the file as a whole
  int qso = 0;      ///< number of the QSO in the file (1-based); 0 for none
  std::string call; ///< the QSO's call ("" for none)
  std::string text; ///< what is wrong, in the program's language
  friend bool operator==(const FileFinding&, const FileFinding&) = default;
};

/// What the program knows of the contest whose file it writes. A file of another program is
/// checked without it.
struct FileCheckContext {
  DayNumber periodFrom = BadDate; ///< contest period (UTC); BadDate: not known
  TimeOfDay timeFrom = BadTime;
  DayNumber periodTo = BadDate;
  TimeOfDay timeTo = BadTime;
  /// The period is widened by this much on both sides (a period given in local time).
  int slackMinutes = 0;
  std::string bands;              ///< band letters of the category ("": not checked)
  std::vector<std::string> modes; ///< mode texts of the category (empty: not checked)
  int dupeRule = -1;              ///< the contest's duplicate rule (-1: band and mode)
  std::int32_t qsos = -1;         ///< QSOs of the log (-1: not checked)
  std::int64_t claimedScore = -1; ///< the score the program claims (-1: not checked)
  /// Cabrillo: the columns after the own call up to the received call (report and sent
  /// exchange); -1: as many as follow the received call (the usual layout).
  int cabrilloSentColumns = -1;
};

/// Checks `bytes` as a file of its format. A file of no known format gives one error.
[[nodiscard]] std::vector<FileFinding> CheckFile(std::string_view bytes,
                                                 const FileCheckContext& context = {});

/// True when a finding is an error (the robot refuses the file or the QSO).
inline bool IsError(const FileFinding& f) {
  return f.severity == FindingSeverity::kError;
}

/// One finding as a line of the list: "Fehler, Zeile 12, QSO 3 (DL1ABC): ...",
/// "Warning, line 2: ...".
std::string FindingLine(const FileFinding& finding);

/// The great-circle distance in km between the middles of two locators as a robot computes
/// it for the EDI distance field (a sphere of 6371 km); -1 when either locator has no
/// position.
double RobotDistanceKm(std::string_view from, std::string_view to);

/// How far an EDI distance field may lie from RobotDistanceKm before the check warns: 1 km
/// for the rounding plus 0.1 % for the earth radii loggers and robots take.
double DistanceToleranceKm(double km);

} // namespace tarvik
