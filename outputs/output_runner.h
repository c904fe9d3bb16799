#pragma once
// The output run: every printed or written output of a finished log, started from the output
// menu of the contest header window with an output kind (output_kinds.h).
//
// Printed kinds (1 to 6):
//   1 the print dialog (with the printer's setup); cancelled: nothing happens
//   2 the printer font "Courier New", 9 points (8 for kinds 4 and 5 in category 4, 10 for
//     kind 3); the job starts
//   3 the contest's QSO file is opened; when it cannot be, the job ends empty
//   4 the writers print; the job ends, the QSO file is closed
// File kinds (7 to 16):
//   1 "Geben Sie im folgenden Dialog an, wohin die ... gespeichert werden soll."
//   2 the save dialog with the kind's filter, default extension and proposed file name;
//     cancelled: nothing is written
//   3 the file is begun under a temporary name beside the target; when it cannot be: "Die
//     Datei ... konnte nicht erstellt werden." with the cause, and the run ends
//   4 the QSO file is opened (when it cannot be, the run ends: the storage layer has
//     reported why), the writers write, the files are closed; the written file takes the
//     target's place only when every byte of it is on the disk: a failure leaves an existing
//     file as it was and shows "Die Datei ... konnte nicht erstellt werden." with the cause
//   5 "Datei ... wurde erstellt." for the kinds that say so, when everything was written
//   6 kinds 7, 8, 9 and 12 show the written file in the file editor
// Before the EDI file is written the participant dialog shows the entrant's data.
//
// The headless path (tarvik-tool export) writes the same files through WriteOutputFile.

#include <functional>
#include <memory>
#include <string>

#include "base/clock.h"
#include "base/user_dialogs.h"
#include "contest/contest_definition.h"
#include "outputs/edi_file.h"
#include "outputs/file_check.h"
#include "outputs/output_source.h"
#include "outputs/print_canvas.h"
#include "recordfile/atomic_file.h"

namespace tarvik {

/// One print job on the printer the person chose.
class PrintJob {
public:
  virtual ~PrintJob() = default;
  virtual PrintCanvas& Canvas() = 0;
  /// Ends the job: the pages go to the printer (or the PDF file is complete). False when the
  /// job could not be completed.
  [[nodiscard]] virtual bool Finish() = 0;
};

/// The printer side of the output run.
class Printer {
public:
  virtual ~Printer() = default;
  /// Shows the print dialog with the printer's setup for a job named `title` and starts the
  /// job on the chosen printer. nullptr when the person cancels or the job cannot start.
  [[nodiscard]] virtual std::unique_ptr<PrintJob> StartJob(const std::string& title) = 0;
};

/// The contest whose outputs are produced: copies of its records as saved by the header
/// window, its definition for the stored category, and the station's data.
struct OutputContest {
  char contestCode = 0;
  ContestDefinition definition;
  std::string header;    ///< bytes of the contest header record
  std::string extension; ///< bytes of the contest extension record
  StationData station;
  /// The CONTEST value of the Cabrillo file; "" takes the catalog's name of the code.
  std::string cabrilloContest;
  /// The EDI file of one band of several (its band letter); 0: the whole log in one file.
  char ediBand = 0;
};

/// Shows the findings of the check before sending for the file `fileName` (errors and
/// warnings, each naming its QSO); true writes the file all the same, false writes nothing.
using FindingsReview =
    std::function<bool(const std::vector<FileFinding>& findings, const std::string& fileName)>;

/// What the run talks to.
struct OutputServices {
  UserDialogs* dialogs = nullptr;
  Printer* printer = nullptr; ///< nullptr: printed kinds say that no printer is available
  /// Shows a written file in the file editor window (kinds 7, 8, 9, 12); may be empty.
  std::function<void(const std::string& path)> showFile;
  const Clock* clock = &ProcessClock();
  /// Shows the participant dialog before the EDI file is written; may be empty (the
  /// prefilled values are written).
  ParticipantEditor editParticipant;
  /// The file system the files are written to (nullptr: the real one).
  FileIo* files = nullptr;
  /// Lets the person change the CONTEST value of the Cabrillo file before it is written
  /// (prefilled with the catalog's name); false cancels the output. May be empty (the
  /// catalog's name is written).
  std::function<bool(std::string& contestName)> editCabrilloContest;
  /// Shown when the check before sending finds something in an EDI, Cabrillo, STF or ADIF
  /// file; may be empty (the file is written).
  FindingsReview reviewFindings;
};

/// True for the kinds that are checked before they are written: the files that go to a
/// contest robot or a logbook (STF, ADIF, EDI, Cabrillo).
bool CheckedBeforeWriting(int kind);

/// What the check before sending knows of `contest` for file kind `kind`: the period of its
/// header (widened by the hours of the contest's UTC offset, as the header may give local
/// time), the bands, modes and duplicate rule of its category and the score it claims.
FileCheckContext CheckContextOf(const OutputContest& contest, int kind);

/// Runs output `kind` for `contest`. All reporting is by messages. The EDI file of a log with
/// QSOs on several bands is written as one file per band: the participant dialog once, then
/// for each band the save dialog with the proposed name "<call>_<band>.EDI" (cancelling one
/// ends the run), and each file checked before it is written.
void RunOutputKind(int kind, const OutputContest& contest, const OutputServices& services);

/// Result of WriteOutputFile.
enum class OutputFileStatus {
  kWritten,      ///< the file is complete
  kNotAvailable, ///< the number is no file kind (nothing created)
  kNotCreated,   ///< the file could not be begun (an existing file stays as it was)
  kLogNotOpened, ///< the QSO file could not be opened (an existing file stays as it was)
  kWriteFailed,  ///< writing the file failed on the way (an existing file stays as it was)
  kLogIncomplete ///< not every QSO of the QSO file could be read (no file of the name is left)
};

/// Writes file kind `kind` (7 to 16) of `contest` to `path`, as the menu does after its
/// dialogs. `askRstOnly` answers the ADIF question; `editParticipant` shows the participant
/// dialog of the EDI file (empty: the prefilled values are written). The file is written
/// through `files` (nullptr: the real file system) into a temporary file that replaces `path`
/// only when it is complete. For kNotCreated and kWriteFailed `*fileResult` (when given)
/// receives the failed file call and the operating system's error.
///
/// Every QSO of the QSO file's data file is written: the index is compared with the data file
/// before the writers walk it (and rebuilt when they disagree), and each walk over a whole
/// key must meet every live record. When QSOs are found missing all the same, the index is
/// checked once more and, if it was rebuilt, the file written anew; otherwise nothing is
/// written, an older file of the name is removed, and the result is kLogIncomplete.
[[nodiscard]] OutputFileStatus
WriteOutputFile(int kind, const OutputContest& contest, const std::string& path,
                const std::function<bool()>& askRstOnly, const Clock& clock = ProcessClock(),
                const ParticipantEditor& editParticipant = {}, FileIo* files = nullptr,
                FileWriteResult* fileResult = nullptr);

/// Result of PrintOutput.
enum class PrintStatus {
  kPrinted,      ///< every QSO is on the pages
  kNotAvailable, ///< the number is no printed kind (nothing drawn)
  kLogNotOpened, ///< the QSO file could not be opened (nothing drawn)
  kLogIncomplete ///< not every QSO of the QSO file could be read (the pages lack QSOs)
};

/// Prints kind `kind` (1 to 6) of `contest` on a started job, with the kind's font; the job
/// is left to the caller to finish. The QSO file's index is compared with its data file
/// (and rebuilt) before anything is drawn, as for WriteOutputFile.
[[nodiscard]] PrintStatus PrintOutput(int kind, const OutputContest& contest, PrintJob& job,
                                      const Clock& clock = ProcessClock());

/// The printer font size of a printed kind: 9 points; 8 for kinds 4 and 5 in category 4;
/// 10 for kind 3.
int PrinterFontPoints(int kind, int category);

} // namespace tarvik
