#include "recordfile/tool_engine.h"

#include <cerrno>

#include "base/data_directory.h"
#include "recordfile/engine.h"
#include "recordfile/error_channel.h"
#include "recordfile/failure_cause.h"
#include "recordfile/file_io.h"

namespace tarvik {

std::string DataDirectoryRefusalText(const std::string& directory,
                                     const DataDirectoryLock::Refusal& refusal) {
  const std::string dir = WithTrailingSlash(directory);
  const std::string lockFile = dir + kDataDirectoryLockFile;
  switch (refusal.outcome) {
  case DataDirectoryLock::Outcome::kHeld:
    return "";
  case DataDirectoryLock::Outcome::kInUse:
    return "the data directory " + dir + " is in use by another program (its lock " + lockFile +
           " is held" + (refusal.holder.empty() ? std::string() : " by " + refusal.holder) + ")";
  case DataDirectoryLock::Outcome::kNoDirectory:
    return "the data directory " + dir + " does not exist";
  case DataDirectoryLock::Outcome::kFailed:
    break;
  }
  return "the data directory " + dir + " cannot be locked (" + lockFile +
         "): " + OsErrorCause(refusal.osError);
}

int RunWithDataDirectoryLock(FileIo& io, const std::string& directory, std::ostream& err,
                             const std::function<int()>& body, DirectoryUse use) {
  std::unique_ptr<DataDirectoryLock> lock;
  DataDirectoryLock::Refusal refusal;
  if (DataDirectoryLock::Acquire(io, directory, kToolLockHolder, &lock, &refusal) !=
      DataDirectoryLock::Outcome::kHeld) {
    const bool unwritable =
        refusal.outcome == DataDirectoryLock::Outcome::kFailed &&
        (refusal.osError == EACCES || refusal.osError == EPERM || refusal.osError == EROFS);
    if (!(use == DirectoryUse::kReadOnly && unwritable)) {
      err << "tarvik-tool: " << DataDirectoryRefusalText(directory, refusal) << "\n";
      return 1;
    }
  }
  return body();
}

int RunWithDataEngine(const std::string& dataDir, std::ostream& err,
                      const std::function<int()>& body, FileIo* io) {
  if (dataDir.empty())
    RememberWorkingDirectoryAsDataDirectory();
  else
    SetDataDirectory(dataDir);
  FileIo& files = io != nullptr ? *io : PosixFileIo();
  return RunWithDataDirectoryLock(files, DataDirectory(), err, [&] {
    RecordFileErrors().ClearFailureNote();
    if (InitEngine(160, 32, io) != 0) {
      err << "tarvik-tool: the record-file engine cannot start\n";
      return 1;
    }
    int code = body();
    if (ExitEngine() != 0 && code == 0) {
      err << "tarvik-tool: the files could not be closed cleanly\n";
      code = 1;
    }
    if (code != 0 && RecordFileErrors().LastFailure().any)
      err << "tarvik-tool: " << DescribeFailure(RecordFileErrors().LastFailure()) << "\n";
    return code;
  });
}

bool StorageFailedInThisRun() {
  return RecordFileErrors().LastFailure().any;
}

} // namespace tarvik
