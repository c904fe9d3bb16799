#pragma once
// Renumbering a contest's QSO file: the QSOs in the order of date and time (the order of
// key 1: date and time, then record number) get gapless numbers again, QSONr the position in the
// whole log, BandNr and BandSerial the position within the band, ModeNr the position within the
// mode group; the multiplier evaluation runs for each QSO on the way (the marks of a new multiplier
// move to the QSO that is now the first of its value); band-change marker records are dropped; the
// record numbers (LfdNr) become chronological.
//
// The renumbered log is built as a complete new copy in the file format of the log, synced,
// and then put in the place of the old files by the replacement of file_replacement.h: a
// failure at any point leaves the old log as it was, an interruption leaves either the old
// or the new log, complete, and the leftovers are cleaned up when the log is opened next
// (OpenProgramFile).
//
// What the copy holds is taken from the data file itself: every live record, read by record
// number, whatever the index says. Before the copy takes the old log's place, its QSOs plus
// the dropped marker records must be as many as the live records of the data file (counted
// again, and in the copy's own data file); otherwise nothing is replaced.
//
// Logs whose sent exchange carries a serial number (kinds 7, 11, 13) are never renumbered:
// the numbers were given to the other stations and must stay as they were sent.

#include <cstdint>

#include <string>

#include "contest/contest_definition.h"
#include "logging/progress_display.h"

namespace tarvik {

class Fileblock;
class MultiplierRules;

/// True when the sent exchange of the contest carries a serial number (kinds 7, 11 or 13 in
/// any sent element): such a log keeps its numbers.
bool SentSerialNumbers(const ContestDefinition& definition);

enum class RenumberResult {
  kRenumbered,    ///< the new log stands
  kUnchanged,     ///< nothing to do (only with `onlyWhenNeeded`)
  kCopyFailed,    ///< the new copy could not be built; the old log stands
  kReplaceFailed, ///< the new copy could not take the old log's place; the old log stands
  kIncomplete,    ///< the copy would not hold every record of the data file; the old log stands
};

/// The message of a failure ("Fehler beim Aufbau der temporären Datenbank" when the copy
/// could not be built, the same with the reason when it would not hold every QSO, "Fehler
/// beim Neuaufbau der Datenbank" when it could not take the old log's place); "" for the
/// other results.
std::string RenumberMessage(RenumberResult result);

struct RenumberOptions {
  /// Keep Call2 during the evaluation (listener logs and the codes whose Call2 is a member
  /// number), as the entry does.
  bool keepCall2 = false;
  /// Leave a log alone that is already numbered in order and holds no marker record.
  bool onlyWhenNeeded = false;
  ProgressDisplay* progress = nullptr;
};

/// Renumbers `log` (a QSO file, open or closed) as described above. The fileblock object
/// stays registered and usable: its files are replaced while closed and its current record
/// and key positions are forgotten. Does not check SentSerialNumbers (the caller decides).
[[nodiscard]] RenumberResult RenumberLog(Fileblock& log, const MultiplierRules& rules,
                                         const RenumberOptions& options);

/// True when the live records of `log`, read by record number, are QSOs (no marker record)
/// numbered 1, 2, ... without a gap, in date and time order, and carry the numbers a
/// renumbering would give them (LfdNr, QSONr, BandNr, BandSerial, ModeNr). Reads no key.
[[nodiscard]] bool LogNumberedInOrder(Fileblock& log);

} // namespace tarvik
