// The data directory's lock: one holder at a time (two open files of one process conflict
// as two processes do), the refusal names the holder, a missing directory is told as such
// and never created, and what the tool says for each refusal.

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <unistd.h>

#include "recordfile/data_directory_lock.h"
#include "recordfile/file_io.h"
#include "recordfile/memory_file_io.h"
#include "recordfile/storage_tool.h"
#include "recordfile/tool_engine.h"
#include "support/call_fault_file_io.h"
#include "support/temp_dir.h"

namespace tarvik::test {
namespace {

using Outcome = DataDirectoryLock::Outcome;

TEST(DataDirectoryLock, OneHolderAtATimeAndTheRefusalNamesTheHolder) {
  TempDataDir dir;
  const std::string pid = std::to_string(::getpid());
  std::unique_ptr<DataDirectoryLock> first;
  std::unique_ptr<DataDirectoryLock> second;
  DataDirectoryLock::Refusal refusal;
  ASSERT_EQ(DataDirectoryLock::Acquire(PosixFileIo(), dir.path(), "Tarvik", &first, &refusal),
            Outcome::kHeld);
  EXPECT_EQ(first->directory(), dir.path());
  EXPECT_EQ(ReadFileBytes(dir.file("TARVIK.LCK")), "Tarvik, PID " + pid + "\r\n");

  // The same directory named without its trailing "/".
  const std::string bare = dir.path().substr(0, dir.path().size() - 1);
  EXPECT_EQ(DataDirectoryLock::Acquire(PosixFileIo(), bare, "tarvik-tool", &second, &refusal),
            Outcome::kInUse);
  EXPECT_EQ(second, nullptr);
  EXPECT_EQ(refusal.holder, "Tarvik, PID " + pid);
  EXPECT_EQ(DataDirectoryRefusalText(bare, refusal),
            "the data directory " + dir.path() + " is in use by another program (its lock " +
                dir.path() + "TARVIK.LCK is held by Tarvik, PID " + pid + ")");

  // Letting go empties the holder's name; the file stays for the next holder.
  first.reset();
  EXPECT_EQ(ReadFileBytes(dir.file("TARVIK.LCK")), "");
  ASSERT_EQ(DataDirectoryLock::Acquire(PosixFileIo(), bare, "tarvik-tool", &second, &refusal),
            Outcome::kHeld);
  EXPECT_EQ(ReadFileBytes(dir.file("TARVIK.LCK")), "tarvik-tool, PID " + pid + "\r\n");
}

TEST(DataDirectoryLock, AMissingDirectoryOrAFailingLockFileIsTold) {
  TempDataDir dir;
  std::unique_ptr<DataDirectoryLock> lock;
  DataDirectoryLock::Refusal refusal;
  const std::string missing = dir.file("gone");
  EXPECT_EQ(DataDirectoryLock::Acquire(PosixFileIo(), missing, "tarvik-tool", &lock, &refusal),
            Outcome::kNoDirectory);
  EXPECT_FALSE(std::filesystem::exists(missing));
  EXPECT_EQ(DataDirectoryRefusalText(missing, refusal),
            "the data directory " + missing + "/ does not exist");

  MemoryFileIo memory;
  CallFaultFileIo faulty(memory);
  faulty.FailAt(1, CallFaultFileIo::Fault::kOnce, EACCES);
  EXPECT_EQ(DataDirectoryLock::Acquire(faulty, "/data", "tarvik-tool", &lock, &refusal),
            Outcome::kFailed);
  EXPECT_EQ(refusal.osError, EACCES);
  EXPECT_EQ(DataDirectoryRefusalText("/data", refusal),
            "the data directory /data/ cannot be locked (/data/TARVIK.LCK): permission denied");
  EXPECT_EQ(lock, nullptr);
}

TEST(DataDirectoryLock, ReadingCommandsNeedNoLockWhereNobodyCanWrite) {
  // The lock file cannot be created on a read-only file system: nobody can change the files
  // there, so a check or dump reads them anyway; a repair is refused.
  MemoryFileIo memory;
  CallFaultFileIo faulty(memory);
  std::ostringstream out;
  std::ostringstream err;
  faulty.FailAt(1, CallFaultFileIo::Fault::kOnce, EROFS);
  EXPECT_EQ(RunStorageToolCommand({"check", "/ro/KXTINY"}, out, err, faulty), 1);
  EXPECT_EQ(err.str(),
            "/ro/KXTINY: /ro/KXTINY.DAT cannot be opened: the file or directory does not exist\n");
  err.str("");
  faulty.FailAt(1, CallFaultFileIo::Fault::kOnce, EROFS);
  EXPECT_EQ(RunStorageToolCommand({"repair", "/ro/KXTINY"}, out, err, faulty), 1);
  EXPECT_EQ(err.str(), "tarvik-tool: the data directory /ro/ cannot be locked "
                       "(/ro/TARVIK.LCK): the file system is read-only\n");
  EXPECT_TRUE(out.str().empty());
}

} // namespace
} // namespace tarvik::test
