// Every output holds every QSO of the QSO file's data file: a walk over a whole key that
// misses a record says so, an index that disagrees with its data file is rebuilt before any
// output reads it (also when the log was open already), and an output whose QSOs could not
// all be read is refused with a message and leaves no file behind.

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>

#include "output_fixture.h"
#include "outputs/output_kinds.h"
#include "outputs/output_source.h"
#include "recordfile/engine.h"
#include "recordfile/file_io.h"
#include "recordfile/index_check.h"
#include "recording_canvas.h"

namespace tarvik::test {
namespace {

/// The POSIX file system, except that reads of single records of QSO data files fail while
/// `failRecordReads` is set (whole-file reads and the header still work).
class FailingLogReads final : public FileIo {
public:
  bool failRecordReads = false;

  IoResult Open(const std::string& path, Mode mode, Lock lock,
                std::unique_ptr<File>* file) override {
    std::unique_ptr<File> inner;
    if (IoResult r = PosixFileIo().Open(path, mode, lock, &inner); !r.ok())
      return r;
    const bool log = path.find("KXLK") != std::string::npos && path.ends_with(".DAT");
    *file = log ? std::make_unique<Reads>(*this, std::move(inner)) : std::move(inner);
    return IoResult::Ok();
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

private:
  class Reads final : public File {
  public:
    Reads(FailingLogReads& io, std::unique_ptr<File> inner) : io_(io), inner_(std::move(inner)) {}
    IoResult ReadAt(std::uint64_t offset, void* buf, std::size_t n, std::size_t* got) override {
      if (io_.failRecordReads && n == QsoRecord::kLength)
        return IoResult(EIO);
      return inner_->ReadAt(offset, buf, n, got);
    }
    IoResult WriteAt(std::uint64_t offset, const void* buf, std::size_t n) override {
      return inner_->WriteAt(offset, buf, n);
    }
    IoResult Size(std::uint64_t* size) override { return inner_->Size(size); }
    IoResult Truncate(std::uint64_t size) override { return inner_->Truncate(size); }
    IoResult Sync() override { return inner_->Sync(); }
    IoResult Close() override { return inner_->Close(); }

  private:
    FailingLogReads& io_;
    std::unique_ptr<File> inner_;
  };
};

class OutputCompleteness : public OutputTest {
protected:
  static constexpr int kQsos = 40;

  /// A code-2 log of 40 QSOs (DL0AA.. in time order) whose index file `staleIndex_` is the
  /// one of its first 30; the log object stays open and does not check its index itself,
  /// as an object opened before the damage would not.
  void MakeLogWithStaleIndex() {
    MakeContest('2');
    for (int i = 0; i < kQsos; ++i) {
      if (i == 30) {
        ASSERT_EQ(Log().Close(), 0);
        staleIndex_ = ReadFileBytes(Log().FilePath("IX"));
      }
      Add({.call = CallOf(i), .datum = Mar(14), .zeit = At(10, i), .rsts = "599", .rstr = "599"});
    }
    ASSERT_EQ(Log().SetIndexCheckAtOpen(false), 0);
    PutStaleIndex();
  }
  void PutStaleIndex() {
    ASSERT_EQ(Log().Close(), 0);
    WriteFileBytes(Log().FilePath("IX"), staleIndex_);
  }
  static std::string CallOf(int i) {
    return "DL" + std::to_string(i % 10) + "A" + char('A' + i / 10);
  }

  /// How many of the 40 calls `text` lacks.
  static int MissingCalls(const std::string& text) {
    int missing = 0;
    for (int i = 0; i < kQsos; ++i)
      missing += text.find(" " + CallOf(i)) == std::string::npos &&
                         text.find(">" + CallOf(i)) == std::string::npos &&
                         text.find(";" + CallOf(i)) == std::string::npos
                     ? 1
                     : 0;
    return missing;
  }

  void Run(int kind) {
    OutputServices services{&dialogs_,
                            &printer_,
                            [this](const std::string& path) { shown_.push_back(path); },
                            &clock_,
                            {}};
    RunOutputKind(kind, contest_, services);
  }

  std::string staleIndex_;
  FakePrinter printer_;
  std::vector<std::string> shown_;
};

TEST_F(OutputCompleteness, WalkOverAWholeKeyMeetsEveryLiveRecord) {
  MakeLogWithStaleIndex();
  Fileblock& log = Log();
  int visited = 0;
  EXPECT_FALSE(ForEachLogRecord(log, [&](int, const QsoRecord&) { return ++visited > 0; }));
  EXPECT_EQ(visited, 30);
  EXPECT_FALSE(ForEachLogRecordInKey(log, 1, "", [](const QsoRecord&) { return true; }));
  // A walk that starts inside a key, or that its visitor ends, is not a whole-key walk.
  EXPECT_TRUE(ForEachLogRecordInKey(log, 8, "k", [](const QsoRecord&) { return true; }));
  EXPECT_TRUE(ForEachLogRecord(log, [](int number, const QsoRecord&) { return number < 5; }));
  // Rebuilt, the walks meet all 40.
  IndexFindings findings;
  ASSERT_EQ(log.CheckIndex(true, &findings), 0);
  EXPECT_FALSE(findings.Agree());
  visited = 0;
  EXPECT_TRUE(ForEachLogRecord(log, [&](int, const QsoRecord&) { return ++visited > 0; }));
  EXPECT_EQ(visited, kQsos);
}

TEST_F(OutputCompleteness, IndexThatDisagreesIsRebuiltBeforeEveryOutput) {
  MakeLogWithStaleIndex();
  for (const int kind : {output_kind::kELogQsoList, output_kind::kStfFile, output_kind::kAdifFile,
                         output_kind::kELogBandList, output_kind::kELogWhole, output_kind::kCsvFile,
                         output_kind::kEdiFile}) {
    SCOPED_TRACE(kind);
    PutStaleIndex();
    const std::string path = dir_.file("out" + std::to_string(kind));
    dialogs_.Clear();
    dialogs_.saveAnswers = {path};
    Run(kind);
    EXPECT_EQ(dialogs_.LastMessage(), FileCreatedMessage(path));
    EXPECT_EQ(MissingCalls(ReadFileBytes(path)), 0);
  }
  PutStaleIndex();
  Run(output_kind::kPaperQsoList);
  std::string printed;
  for (const RecordingCanvas::Text& t : printer_.canvas.texts)
    printed += " " + t.text;
  EXPECT_EQ(MissingCalls(printed), 0);
  // Each rebuild is noted.
  const std::string note = ReadFileBytes(Log().FilePath("MSG"));
  EXPECT_NE(note.find("Index check: key 1: 10 of 40 live records have no entry"),
            std::string::npos);
}

TEST_F(OutputCompleteness, OutputThatCannotReadEveryQsoIsRefused) {
  // The engine on a file system whose QSO data file stops being readable during a run.
  ClosePrefixTables(tables_);
  ASSERT_EQ(ExitEngine(), 0);
  FailingLogReads io;
  ASSERT_EQ(InitEngine(160, 32, &io), 0);
  tables_ = OpenPrefixTables();
  MakeCode2Log();
  CloseProgramFile(log_);
  log_ = nullptr;

  // The records cannot be read, though the files open and their index agrees.
  io.failRecordReads = true;
  const std::string path = dir_.file("DL1XYZ_P.ADI");
  EXPECT_EQ(WriteOutputFile(
                output_kind::kAdifFile, contest_, path, [] { return true; }, clock_),
            OutputFileStatus::kLogIncomplete);
  EXPECT_FALSE(std::filesystem::exists(path));

  // Through the menu: the message says so, no file is left (not even an older one of that
  // name), the editor shows nothing.
  const std::string list = dir_.file("DL1XYZ_P.ALL");
  WriteFileBytes(list, "an older list");
  dialogs_.Clear();
  dialogs_.saveAnswers = {list};
  Run(output_kind::kELogQsoList);
  EXPECT_EQ(dialogs_.LastMessage(), FileIncompleteMessage(list));
  EXPECT_FALSE(std::filesystem::exists(list));
  EXPECT_TRUE(shown_.empty());

  // A printout whose QSOs could not all be read says so after the job.
  dialogs_.Clear();
  Run(output_kind::kPaperQsoList);
  EXPECT_EQ(printer_.finished, 1);
  EXPECT_EQ(dialogs_.LastMessage(), PrintIncompleteMessage());
  io.failRecordReads = false;
}

} // namespace
} // namespace tarvik::test
