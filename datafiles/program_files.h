#pragma once
// The program's fileblocks: for each its name, record layout, keys, key builder and
// options, and the open and close routines every part of the program uses.
//
//   Fileblock          Record            Keys  Flush  Content
//   KXSETUP            3530              1     yes    family setup (setup_records.h)
//   KXSETUP2           50408             1     yes    second family setup record
//   KXPRO              14699-byte sections, 2  yes    station profiles
//                      at most 54699
//   KXKK               379               5     yes    contest headers (contest_records.h)
//   KXKZ               11608             1     yes    contest extension records
//   KXLK<nnnn>         216               27    yes    QSO log of contest nnnn (qso_record.h)
//   KXLKTEMP           216               1     no     temporary copy of a QSO log
//   KXCBUCH            333               13    no     call book (call_records.h)
//   KXCALL             71                7     no     call list with member numbers
//   KXPREFIX           181               14    no     prefix table (prefix_record.h)
//   KXPREFEE, KXPREFES 181               12    no     exception prefix tables
//   KXCNOTE, KXLNOTE,  298, 314, 63      1,2,1 no     family notes and QSL routes
//   KXQSLVIA                                          (note_records.h)
//
// Every fileblock lives in the data directory under its name. Opening creates a missing
// file (create-if-missing), with a retry budget of 32.

#include <string>

#include "recordfile/fileblock.h"
#include "recordfile/fileblock_layouts.h"

namespace tarvik {

enum class ProgramFile {
  kSetup,
  kSetup2,
  kProfiles,
  kContestHeaders,
  kContestExtensions,
  kQsoLog,
  kQsoTemp,
  kCallBook,
  kCallList,
  kPrefix,
  kPrefixExceptionsEE,
  kPrefixExceptionsES,
  kContestNotes,
  kQsoNotes,
  kQslRoutes,
};

/// Record length, keys, key builder and flush flag of a program file.
const FileblockLayout& ProgramFileLayout(ProgramFile file);

/// The name of a program file: "KXKK", "KXPREFIX" ...; for the QSO log "KXLK" followed by
/// the contest number in four digits with leading zeros ("KXLK0012").
std::string ProgramFileName(ProgramFile file, int contestNumber = 0);
/// "KXLK" + the contest number as "@@@@".
std::string QsoLogName(int contestNumber);

/// The open routine. When a fileblock of that name is registered already, its use count
/// grows and the same object is returned. Otherwise the object is created and defined
/// (keys, auto numbers, flush flag, a progress hook that does nothing). nullptr when it
/// could not be created or a definition failed (the error stays in the channel). The
/// files themselves are opened by the first operation.
[[nodiscard]] Fileblock* OpenProgramFile(ProgramFile file, int contestNumber = 0);
/// The close routine: a fileblock opened more than once only loses one use; the last close
/// destroys the object (flushing and closing its files). nullptr is ignored.
void CloseProgramFile(Fileblock* fileblock);
/// How many more closes the object takes before it is destroyed (0 after one open; -1 for
/// an object not opened through OpenProgramFile).
int ProgramFileUseCount(const Fileblock* fileblock);

/// Makes the layouts known to FindFileblockLayout, so that tools can check and repair a
/// program file by its file name. Harmless to call again.
void RegisterProgramFileLayouts();

/// Adds the record buffer. True only when the record was added (severity 0): a duplicate
/// unique key (10230) is class 1 in the error channel, like "not found", but the record is
/// not there, so callers must not take it for done.
[[nodiscard]] bool AddRecord(Fileblock& fileblock);

} // namespace tarvik
