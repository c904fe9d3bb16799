#pragma once
// The program's side of the record-file error channel: starting and stopping the
// record-file manager, answering the engine's questions (retry a locked record, add a
// deleted record anew; rebuild and create without asking), and ending the program in order
// after a storage operation failed badly: a bilingual message that names a likely cause
// and a remedy, and a report appended to "IFD.ERR" ("RK.ERR" while the manager starts).
//
// The halt-on-error switch is on from StartRecordFiles: an operation that ends with
// severity 3 or more runs the exit report and then the halt action (by default the
// process ends with kFatalStorageExitCode). Nothing else of the program runs after that,
// so the setup is not saved.

#include <functional>
#include <string>

#include "base/clock.h"
#include "base/user_dialogs.h"
#include "recordfile/error_channel.h"
#include "recordfile/failure_cause.h"

namespace tarvik {

class FileIo;

/// Exit code of the program after a fatal storage error.
inline constexpr int kFatalStorageExitCode = 3;

/// Starts the record-file manager with 160 page buffers and 32 open files, on `io`
/// (nullptr: the real file system). Messages and questions go to `dialogs`, the date and
/// time of reports come from `clock`; both must outlive the manager. On failure shows
/// "Dateiverwaltung konnte nicht initialisiert werden" (English "Error initializising file
/// manager") and returns false; the caller then ends the program with exit code 1.
[[nodiscard]] bool StartRecordFiles(UserDialogs& dialogs, const Clock& clock = ProcessClock(),
                                    FileIo* io = nullptr);

/// Stops the engine (ExitEngine) when it runs. The handler stays for the exit report.
void StopRecordFiles();

/// The exit report; the program calls it last, after StopRecordFiles, and the halt-on-error
/// switch calls it after a fatal error. When the last operation failed badly (severity
/// above 2): appends the error report to the dump file, shows the error message for the
/// first entry of the highest class, closes every fileblock that failed without marking it
/// clean (so the next open repairs it), after error 10070 deletes the index file of the
/// fileblock that failed with it (the next start rebuilds it), and closes all other
/// fileblocks. After a clean end it shows and writes nothing.
void RunRecordFilesExitReport();

/// Replaces what happens after the exit report of a fatal error (default: the process
/// ends with kFatalStorageExitCode). Tests install their own; nullptr restores the default.
void SetRecordFilesHaltAction(std::function<void()> action);

/// Removes the handler from the error channel (questions, halt switch); for tests and for
/// the very end of the program.
void DetachRecordFileHandler();

/// The question shown for `reason`: the fileblock name (its first 40 characters), ": " and
/// the reason's text in the current language.
std::string RecordFileQuestionText(const std::string& fileblockName, int reason);

/// An error number as reports show it: numbers from 12288 (0x3000) on are reduced to their
/// lowest 12 bits (24653 becomes 77).
int ReducedErrorNumber(int code);

/// The six lines of the message for (reduced) error number `n`, joined by carriage returns.
std::string RecordFileErrorMessage(int n);

/// The line that names the real cause of a failed operation, from the OS error its entry
/// carries: "Ursache: KXLK0001: Der Datenträger ist voll." ("Cause: ..."); "" when the
/// entry has no OS error. The exit report shows it below the six lines of the message and
/// writes the OS error into the dump file.
std::string RecordFileCauseLine(const ErrorEntry& entry);

} // namespace tarvik
