// The data directory's lock between tarvik-tool runs and the program: every command that
// works on a data directory is refused at once while another run or the program holds it,
// and changes nothing; the program is refused beside a run. And what the tool says when
// storage fails: the real cause (a locked file, a full disk, a missing contest, a missing
// data directory), not just "cannot be opened".

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <map>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

#include "app/program_lock.h"
#include "base/process_settings.h"
#include "datafiles/qso_record.h"
#include "outputs/export_tool.h"
#include "recordfile/memory_file_io.h"
#include "recordfile/tool_engine.h"
#include "support/session_test_support.h"
#include "support/run_command.h"

namespace tarvik::test {
namespace {

namespace fs = std::filesystem;

/// Every file of `dir` with its bytes.
std::map<std::string, std::string> Files(const std::string& dir) {
  std::map<std::string, std::string> files;
  for (const auto& entry : fs::directory_iterator(dir))
    files[entry.path().filename().string()] = ReadFileBytes(entry.path().string());
  return files;
}

class ToolLock : public SessionFixture {
protected:
  void SetUp() override {
    SessionFixture::SetUp();
    // Contest 1 with one QSO, and an ADIF file outside the data directory to import.
    Seed([] {
      ASSERT_EQ(AddContest('2', "Lock test"), 1);
      Fileblock* log = OpenProgramFile(ProgramFile::kQsoLog, 1);
      ASSERT_EQ(log->ClearBuffer(), 0);
      QsoRecord(log->RecordBuffer()).SetCall("DL1ABC");
      ASSERT_TRUE(AddRecord(*log));
      CloseProgramFile(log);
    });
    fs::create_directory(dir.file("in"));
    WriteFileBytes(dir.file("in/other.adi"), "<CALL:5>DK0XY<EOR>\n");
  }

  std::string pid_ = std::to_string(::getpid());
};

TEST_F(ToolLock, EveryCommandIsRefusedWhileAnotherRunHoldsTheDirectory) {
  std::unique_ptr<DataDirectoryLock> held;
  DataDirectoryLock::Refusal refusal;
  ASSERT_EQ(DataDirectoryLock::Acquire(PosixFileIo(), dir.path(), kToolLockHolder, &held, &refusal),
            DataDirectoryLock::Outcome::kHeld);
  const auto before = Files(dir.path());
  const std::string data = " --data " + dir.path();
  const std::string refused = "tarvik-tool: the data directory " + dir.path() +
                              " is in use by another program (its lock " + dir.path() +
                              "TARVIK.LCK is held by tarvik-tool, PID " + pid_ + ")\n";
  for (const std::string& args :
       {"check " + dir.file("KXLK0001"), "check " + dir.file("KXTEST"),
        "dump " + dir.file("KXKK") + " --key 3", "dump " + dir.file("KXLK0001") + " --fields",
        "repair " + dir.file("KXLK0001"), "export --kind adif 1 " + dir.file("out.adi") + data,
        "import-adif 1 " + dir.file("in/other.adi") + data,
        "import-cty " + dir.file("in/cty.csv") + data,
        "import-dok-history " + dir.file("in/dok.txt") + data}) {
    const RunResult run = RunTool(args);
    // import-adif says "nothing done" with exit status 2.
    EXPECT_EQ(run.exitCode, args.rfind("import-adif", 0) == 0 ? 2 : 1) << args;
    EXPECT_EQ(run.output, refused) << args;
  }
  EXPECT_EQ(Files(dir.path()), before);

  // Once the other run has ended, the same command runs.
  held.reset();
  const RunResult check = RunTool("check " + dir.file("KXLK0001"));
  EXPECT_EQ(check.exitCode, 0) << check.output;
}

TEST_F(ToolLock, ARunBesideTheProgramIsRefusedAndTheProgramBesideARun) {
  // The program: its lock first, then its session with every start file open.
  std::unique_ptr<DataDirectoryLock> program = LockDataDirectoryForProgram(dialogs);
  ASSERT_NE(program, nullptr);
  Start();
  RunResult run = RunTool("export --kind adif 1 " + dir.file("out.adi") + " --data " + dir.path());
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_EQ(run.output, "tarvik-tool: the data directory " + dir.path() +
                         " is in use by another program (its lock " + dir.path() +
                         "TARVIK.LCK is held by Tarvik, PID " + pid_ + ")\n");
  EXPECT_FALSE(fs::exists(dir.file("out.adi")));
  session->Close();
  program.reset();
  run = RunTool("export --kind adif 1 " + dir.file("out.adi") + " --data " + dir.path());
  EXPECT_EQ(run.exitCode, 0) << run.output;

  // A tool run holds the directory: the program ends before it touches a file there.
  fs::remove(dir.file("out.adi"));
  session.reset();
  std::unique_ptr<DataDirectoryLock> tool;
  DataDirectoryLock::Refusal refusal;
  ASSERT_EQ(DataDirectoryLock::Acquire(PosixFileIo(), dir.path(), kToolLockHolder, &tool, &refusal),
            DataDirectoryLock::Outcome::kHeld);
  const auto before = Files(dir.path());
  dialogs.Clear();
  EXPECT_EQ(LockDataDirectoryForProgram(dialogs), nullptr);
  SetLanguageFlag(0);
  EXPECT_EQ(LockDataDirectoryForProgram(dialogs), nullptr);
  SetLanguageFlag(1);
  EXPECT_EQ(
      dialogs.Informs(),
      (std::vector<std::string>{
          "Das Datenverzeichnis " + dir.path() +
              " wird bereits von einem anderen Programm benutzt (Tarvik oder tarvik-tool; "
              "Sperrdatei TARVIK.LCK, gehalten von tarvik-tool, PID " +
              pid_ + "). Das Programm wird beendet.",
          "The data directory " + dir.path() +
              " is in use by another program (Tarvik or tarvik-tool; lock file TARVIK.LCK, held "
              "by tarvik-tool, PID " +
              pid_ + "). The program ends."}));
  EXPECT_EQ(Files(dir.path()), before);
}

TEST_F(ToolLock, MessagesNameTheRealCause) {
  const std::string data = " --data " + dir.path();
  // A missing contest, and a missing data directory (which is not created).
  RunResult run = RunTool("export --kind adif 7 " + dir.file("out.adi") + data);
  EXPECT_EQ(run.output, "tarvik-tool export: there is no contest 7 in " + dir.path() + "KXKK\n");
  run = RunTool("export --kind adif 1 " + dir.file("out.adi") + " --data " + dir.file("gone"));
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_EQ(run.output, "tarvik-tool: the data directory " + dir.file("gone") + "/ does not exist\n");
  EXPECT_FALSE(fs::exists(dir.file("gone")));

  // A file locked by another program that ignores the directory's lock.
  std::unique_ptr<File> locked;
  ASSERT_TRUE(
      PosixFileIo()
          .Open(dir.file("KXKK.DAT"), FileIo::Mode::kReadWrite, FileIo::Lock::kExclusive, &locked)
          .ok());
  std::ostringstream out;
  std::ostringstream err;
  EXPECT_EQ(
      RunExportToolCommand(
          {"export", "--kind", "adif", "1", dir.file("out.adi"), "--data", dir.path()}, out, err),
      1);
  EXPECT_EQ(err.str(), "tarvik-tool export: the contest file " + dir.path() +
                           "KXKK cannot be read\n"
                           "tarvik-tool: KXKK: storage error 10140 in open: in use by another "
                           "program\n");
  locked.reset();

  // A full disk, when a record is written and when it is synced.
  for (const bool atSync : {false, true}) {
    MemoryFileIo memory;
    std::ostringstream failed;
    const int code = RunWithDataEngine(
        dir.path(), failed,
        [&] {
          Fileblock* kk = OpenProgramFile(ProgramFile::kContestHeaders);
          EXPECT_EQ(kk->EnsureOpen(), 0);
          if (atSync)
            memory.FailSyncsAfter(0, ENOSPC);
          else
            memory.FailWritesAfter(0, ENOSPC);
          EXPECT_EQ(kk->ClearBuffer(), 0);
          const bool added = AddRecord(*kk);
          CloseProgramFile(kk);
          return added ? 0 : 1;
        },
        &memory);
    EXPECT_EQ(code, 1);
    EXPECT_EQ(failed.str(),
              atSync ? "tarvik-tool: KXKK: storage error 10150 in flush: the disk is full\n"
                     : "tarvik-tool: KXKK: storage error 10075 in write: the disk is full\n");
  }
}

} // namespace
} // namespace tarvik::test
