#pragma once
// The program's hold on its data directory: taken at start, before any window is built or
// any file of the directory is read, and kept until the program ends. The lock is the one
// tarvik-tool takes (data_directory_lock.h), so a second instance of the program, or the
// program beside a tool run, is refused at once with a message that says so.

#include <memory>
#include <string>

#include "base/user_dialogs.h"
#include "recordfile/data_directory_lock.h"

namespace tarvik {

class FileIo;

/// The holder name the program writes into the lock.
inline constexpr const char* kProgramLockHolder = "Tarvik";

/// The message for a refused lock of `directory`, in the current language (German unless
/// the language flag says English; at start the setup is not read yet, so it is German).
std::string ProgramLockRefusalMessage(const std::string& directory,
                                      const DataDirectoryLock::Refusal& refusal);

/// Takes the lock of the data directory through `io` (nullptr: the real file system). On
/// refusal shows ProgramLockRefusalMessage through `dialogs` and returns nullptr; the
/// program then ends with exit code 1.
[[nodiscard]] std::unique_ptr<DataDirectoryLock> LockDataDirectoryForProgram(UserDialogs& dialogs,
                                                                             FileIo* io = nullptr);

} // namespace tarvik
