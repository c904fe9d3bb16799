#pragma once
// The frame of a tarvik-tool command that works on the program's data files: the data
// directory chosen and locked for the whole run (a second run, or a run beside the
// program, is refused before anything is read or written), the record-file engine started,
// the command run, the engine stopped, and after a failure the storage error behind it
// named ("the disk is full", "in use by another program").

#include <functional>
#include <ostream>
#include <string>

#include "recordfile/data_directory_lock.h"

namespace tarvik {

class FileIo;

/// The holder name tarvik-tool writes into the data directory's lock.
inline constexpr const char* kToolLockHolder = "tarvik-tool";

/// The message for a refused lock of `directory`, without the "tarvik-tool: " prefix:
/// "the data directory DIR is in use by another program (its lock DIR/TARVIK.LCK is held by
/// HOLDER)", "the data directory DIR does not exist", "the data directory DIR cannot be
/// locked (DIR/TARVIK.LCK): CAUSE".
std::string DataDirectoryRefusalText(const std::string& directory,
                                     const DataDirectoryLock::Refusal& refusal);

/// How a command uses the data directory.
enum class DirectoryUse {
  kWrite,    ///< it may change files: the lock is required
  kReadOnly, ///< it only reads: in a directory nobody may write to (the lock file cannot be
             ///< created for lack of permission, or the file system is read-only) it runs
             ///< without the lock, as no one can change the files under it there
};

/// Runs `body` while holding the lock of `directory`, taken through `io`, and returns its
/// exit code; when the lock is refused, says why on `err` and returns 1 without running
/// `body`.
[[nodiscard]] int RunWithDataDirectoryLock(FileIo& io, const std::string& directory,
                                           std::ostream& err, const std::function<int()>& body,
                                           DirectoryUse use = DirectoryUse::kWrite);

/// Runs `body` with the data directory `dataDir` (empty: the working directory) locked and
/// the engine started on it, and returns its exit code; 1 with a message on `err` when the
/// directory is locked by another program or missing, when the engine cannot start, or when
/// the files cannot be closed cleanly after a body that succeeded. After a body that failed,
/// a storage failure it met is named on `err`. `io` (nullptr: the real file system) serves
/// the lock and the engine.
[[nodiscard]] int RunWithDataEngine(const std::string& dataDir, std::ostream& err,
                                    const std::function<int()>& body, FileIo* io = nullptr);

/// Whether a storage operation failed (severity 2 or more) since the running command began;
/// a command tells "the file cannot be read" from "there is no such record" by it.
bool StorageFailedInThisRun();

} // namespace tarvik
