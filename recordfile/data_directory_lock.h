#pragma once
// The lock of a data directory. The program and every tarvik-tool command that works on a
// data directory hold it for their whole run, so that two of them never work on the same
// files at once: a second one is refused before it reads or writes anything.
//
// The lock is an exclusive, non-blocking flock on the file "TARVIK.LCK" in the directory,
// taken through FileIo. The file is created when missing and never removed (removing a lock
// file that another process has open would let a third take a second lock on a new file).
// While the lock is held the file names its holder ("Tarvik, PID 1234"), so that a
// refused run can say who holds it; the holder empties it again before it lets go.

#include <memory>
#include <string>

#include "recordfile/file_io.h"

namespace tarvik {

/// The name of the lock file in a data directory.
inline constexpr const char* kDataDirectoryLockFile = "TARVIK.LCK";

class DataDirectoryLock {
public:
  enum class Outcome {
    kHeld,        ///< the lock is ours
    kInUse,       ///< another program (or another run of this one) holds it
    kNoDirectory, ///< the directory does not exist
    kFailed,      ///< the lock file cannot be created or locked (see osError)
  };

  /// Why a lock was refused.
  struct Refusal {
    Outcome outcome = Outcome::kHeld;
    int osError = 0;    ///< errno of the failing call (kFailed, kNoDirectory)
    std::string holder; ///< who holds the lock, as its holder wrote it ("" when unknown)
  };

  /// Takes the lock of `directory` (with or without a trailing "/") for `holder`, a short
  /// name of the program taking it ("Tarvik", "tarvik-tool"). On kHeld `*lock` holds it
  /// until it is destroyed; otherwise `*refusal` says why. `io` must outlive the lock.
  [[nodiscard]] static Outcome Acquire(FileIo& io, const std::string& directory,
                                       const std::string& holder,
                                       std::unique_ptr<DataDirectoryLock>* lock, Refusal* refusal);

  /// Empties the holder's name and releases the lock.
  ~DataDirectoryLock();
  DataDirectoryLock(const DataDirectoryLock&) = delete;
  DataDirectoryLock& operator=(const DataDirectoryLock&) = delete;

  /// The directory as given, with a trailing "/".
  const std::string& directory() const { return directory_; }

private:
  DataDirectoryLock(std::string directory, std::unique_ptr<File> file);

  std::string directory_;
  std::unique_ptr<File> file_;
};

/// `directory` with a trailing "/".
std::string WithTrailingSlash(const std::string& directory);

} // namespace tarvik
