#include "app/program_lock.h"

#include "app/record_file_errors.h"
#include "base/cp1252.h"
#include "base/data_directory.h"
#include "base/text_helpers.h"
#include "recordfile/file_io.h"

namespace tarvik {

std::string ProgramLockRefusalMessage(const std::string& directory,
                                      const DataDirectoryLock::Refusal& refusal) {
  const std::string dir = FileSystemNameToText(WithTrailingSlash(directory));
  const std::string holder = FileSystemNameToText(refusal.holder);
  switch (refusal.outcome) {
  case DataDirectoryLock::Outcome::kHeld:
    return "";
  case DataDirectoryLock::Outcome::kInUse:
    return ChooseText("Das Datenverzeichnis " + dir +
                          " wird bereits von einem anderen Programm benutzt (Tarvik oder "
                          "tarvik-tool; Sperrdatei " +
                          std::string(kDataDirectoryLockFile) +
                          (holder.empty() ? std::string() : ", gehalten von " + holder) +
                          "). Das Programm wird beendet.",
                      "The data directory " + dir +
                          " is in use by another program (Tarvik or tarvik-tool; lock file " +
                          std::string(kDataDirectoryLockFile) +
                          (holder.empty() ? std::string() : ", held by " + holder) +
                          "). The program ends.");
  case DataDirectoryLock::Outcome::kNoDirectory:
    return ChooseText("Das Datenverzeichnis " + dir +
                          " existiert nicht. Das Programm wird beendet.",
                      "The data directory " + dir + " does not exist. The program ends.");
  case DataDirectoryLock::Outcome::kFailed:
    break;
  }
  return ChooseText("Das Datenverzeichnis " + dir + " kann nicht gesperrt werden (" +
                        std::string(kDataDirectoryLockFile) +
                        "): " + OsErrorCauseText(refusal.osError) + " Das Programm wird beendet.",
                    "The data directory " + dir + " cannot be locked (" +
                        std::string(kDataDirectoryLockFile) +
                        "): " + OsErrorCauseText(refusal.osError) + " The program ends.");
}

std::unique_ptr<DataDirectoryLock> LockDataDirectoryForProgram(UserDialogs& dialogs, FileIo* io) {
  std::unique_ptr<DataDirectoryLock> lock;
  DataDirectoryLock::Refusal refusal;
  const std::string& dir = DataDirectory();
  if (DataDirectoryLock::Acquire(io != nullptr ? *io : PosixFileIo(), dir, kProgramLockHolder,
                                 &lock, &refusal) != DataDirectoryLock::Outcome::kHeld) {
    dialogs.Inform(ProgramLockRefusalMessage(dir, refusal));
    return nullptr;
  }
  return lock;
}

} // namespace tarvik
