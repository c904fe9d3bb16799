#pragma once
// A program session over a fresh data directory, with helpers to put contests, setup and
// profile records into the files before the session starts.

#include <gtest/gtest.h>

#include <cerrno>
#include <functional>
#include <memory>
#include <string>

#include "app/program_session.h"
#include "app/record_file_errors.h"
#include "base/dates.h"
#include "datafiles/contest_records.h"
#include "datafiles/family_settings.h"
#include "datafiles/program_files.h"
#include "recordfile/engine.h"
#include "recordfile/error_channel.h"
#include "recordfile/file_io.h"
#include "support/fake_clock.h"
#include "support/fake_dialogs.h"
#include "support/temp_dir.h"

namespace tarvik::test {

/// The POSIX file system, except that one file cannot be opened (as when its folder entry
/// is damaged); the engine reports that as a device error, which it retries and then asks.
class BlockingIo final : public FileIo {
public:
  std::string blocked;
  IoResult Open(const std::string& path, Mode mode, Lock lock,
                std::unique_ptr<File>* file) override {
    if (!blocked.empty() && path.size() >= blocked.size() &&
        path.compare(path.size() - blocked.size(), blocked.size(), blocked) == 0)
      return IoResult(ENOTDIR);
    return PosixFileIo().Open(path, mode, lock, file);
  }
  bool FileExists(const std::string& path) override { return PosixFileIo().FileExists(path); }
  bool DirectoryExists(const std::string& path) override {
    return PosixFileIo().DirectoryExists(path);
  }
  IoResult Remove(const std::string& path) override { return PosixFileIo().Remove(path); }
  IoResult Rename(const std::string& from, const std::string& to) override {
    return PosixFileIo().Rename(from, to);
  }
  IoResult SyncDirectoryOf(const std::string& path) override {
    return PosixFileIo().SyncDirectoryOf(path);
  }
};

/// FakeDialogs that can run something while a question is open (as a repaint might).
class HookedDialogs : public FakeDialogs {
public:
  std::function<void()> whileAsking;
  bool Confirm(const std::string& text) override {
    if (whileAsking)
      whileAsking();
    return FakeDialogs::Confirm(text);
  }
};

class SessionFixture : public ::testing::Test {
protected:
  void SetUp() override {
    RecordFileErrors().SetWaitFunction([](int) {});
    SetRecordFilesHaltAction([this] { ++halts; });
  }

  void TearDown() override {
    session.reset();
    DetachRecordFileHandler();
    SetRecordFilesHaltAction(nullptr);
    if (EngineRunning())
      (void)ExitEngine();
    RecordFileErrors().SetWaitFunction(nullptr);
    ApplyFamilySettings(FamilySettings{});
  }

  /// Runs `fill` with the engine started outside a session.
  static void Seed(const std::function<void()>& fill) {
    ASSERT_EQ(InitEngine(), 0);
    fill();
    ASSERT_EQ(ExitEngine(), 0);
  }

  /// Adds a contest header (inside Seed or a running session); returns its number.
  static std::int32_t AddContest(char code, const std::string& name, DayNumber from = -1,
                                 DayNumber to = -1) {
    Fileblock* kk = OpenProgramFile(ProgramFile::kContestHeaders);
    EXPECT_NE(kk, nullptr);
    EXPECT_EQ(kk->ClearBuffer(), 0);
    ContestHeaderRecord h(kk->RecordBuffer());
    h.SetContestCode(code);
    h.SetContestName(name);
    h.SetDateFrom(from);
    h.SetDateTo(to);
    h.MarkCreated();
    EXPECT_TRUE(AddRecord(*kk));
    const std::int32_t number = h.contestNumber();
    CloseProgramFile(kk);
    return number;
  }

  /// Starts the session on `io` (nullptr: the real file system).
  ProgramSession& Start(char code = '2', FileIo* io = nullptr) {
    session = std::make_unique<ProgramSession>(dialogs, clock, io, code);
    session->SetCountryDataFiles(countryFiles);
    EXPECT_TRUE(session->StartRecordFiles());
    EXPECT_TRUE(session->OpenFiles());
    return *session;
  }

  TempDataDir dir;
  HookedDialogs dialogs;
  /// No country data unless a test gives some: the first start then reports the empty table.
  CountryDataFiles countryFiles;
  FakeClock clock;
  int halts = 0;
  std::unique_ptr<ProgramSession> session;
};

} // namespace tarvik::test
