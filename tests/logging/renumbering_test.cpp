// Renumbering a QSO file: chronological, gapless numbers per log, band and mode group,
// marker records dropped, multiplier marks moved to the first QSO of a value; every record
// of the data file copied whatever the index says, and nothing replaced when the copy would
// lack one; and, with the file system failing or the power going at every point of the run,
// the log that opens afterwards is the complete old or the complete new one.

#include <gtest/gtest.h>

#include <map>
#include <memory>

#include "base/data_directory.h"
#include "contest/multiplier_rules.h"
#include "logging/renumbering.h"
#include "recordfile/engine.h"
#include "recordfile/error_channel.h"
#include "recordfile/file_replacement.h"
#include "recordfile/format.h"
#include "recordfile/integrity_check.h"
#include "recordfile/key_codec.h"
#include "support/dying_file_io.h"
#include "support/log_fixture.h"
#include "support/temp_dir.h"

namespace tarvik::test {
namespace {

constexpr int kContest = 7;

/// A file system that marks the `n`-th record written into the renumbering's new copy as
/// deleted (as a disk that loses a write would leave it): the copy then lacks one QSO.
class LosingCopyWrites final : public FileIo {
public:
  LosingCopyWrites(MemoryFileIo& memory, int n) : memory_(memory), left_(n) {}
  IoResult Open(const std::string& path, Mode mode, Lock lock,
                std::unique_ptr<File>* file) override {
    std::unique_ptr<File> inner;
    if (IoResult r = memory_.Open(path, mode, lock, &inner); !r.ok())
      return r;
    const bool copy = path.find("_NEU.DAT") != std::string::npos;
    *file = copy ? std::make_unique<Losing>(*this, std::move(inner)) : std::move(inner);
    return IoResult::Ok();
  }
  bool FileExists(const std::string& path) override { return memory_.FileExists(path); }
  bool DirectoryExists(const std::string& path) override { return memory_.DirectoryExists(path); }
  IoResult Remove(const std::string& path) override { return memory_.Remove(path); }
  IoResult Rename(const std::string& from, const std::string& to) override {
    return memory_.Rename(from, to);
  }
  IoResult SyncDirectoryOf(const std::string& path) override {
    return memory_.SyncDirectoryOf(path);
  }

private:
  class Losing final : public File {
  public:
    Losing(LosingCopyWrites& io, std::unique_ptr<File> inner) : io_(io), inner_(std::move(inner)) {}
    IoResult ReadAt(std::uint64_t offset, void* buf, std::size_t n, std::size_t* got) override {
      return inner_->ReadAt(offset, buf, n, got);
    }
    IoResult WriteAt(std::uint64_t offset, const void* buf, std::size_t n) override {
      if (offset >= QsoRecord::kLength && n == QsoRecord::kLength && --io_.left_ == 0) {
        std::string lost(static_cast<const char*>(buf), n);
        format::StoreI32(lost.data(), -1);
        return inner_->WriteAt(offset, lost.data(), n);
      }
      return inner_->WriteAt(offset, buf, n);
    }
    IoResult Size(std::uint64_t* size) override { return inner_->Size(size); }
    IoResult Truncate(std::uint64_t size) override { return inner_->Truncate(size); }
    IoResult Sync() override { return inner_->Sync(); }
    IoResult Close() override { return inner_->Close(); }

  private:
    LosingCopyWrites& io_;
    std::unique_ptr<File> inner_;
  };

  MemoryFileIo& memory_;
  int left_;
};

/// One QSO as the test checks it after a run.
struct Seen {
  std::string call;
  std::int32_t lfdNr, qsoNr, bandNr, bandSerial, modeNr;
  std::string mark1;
  bool operator==(const Seen&) const = default;
};

/// A QSO log on an in-memory file system that can die at any call.
class Renumbering : public ::testing::Test {
protected:
  void SetUp() override {
    RecordFileErrors().SetWaitFunction([](int) {});
    memory_ = std::make_unique<MemoryFileIo>();
    Start();
  }
  void TearDown() override {
    Stop();
    RecordFileErrors().SetWaitFunction(nullptr);
  }

  void Start() {
    dying_ = std::make_unique<DyingFileIo>(*memory_);
    ASSERT_EQ(InitEngine(160, 32, dying_.get()), 0);
    log_ = OpenProgramFile(ProgramFile::kQsoLog, kContest);
    ASSERT_NE(log_, nullptr);
  }
  void Stop() {
    if (log_ != nullptr)
      (void)DestroyFileblock(log_); // after a crash closing fails: the checks come later
    log_ = nullptr;
    if (EngineRunning())
      (void)ExitEngine();
  }

  void Add(const QsoFields& fields) {
    const auto bytes = MakeQso(fields);
    std::memcpy(log_->RecordBuffer(), bytes.data(), bytes.size());
    ASSERT_TRUE(AddRecord(*log_));
  }

  /// Ten QSOs on two bands and two modes, stored out of time order, with a marker record
  /// between them and running numbers that have gaps (as after a deletion).
  void FillLog() {
    const char* calls[] = {"DL1AA", "DL2BB", "DL3CC", "DL4DD", "DL5EE",
                           "DL6FF", "DL7GG", "DL8HH", "DL9II", "DK1JJ"};
    const int minutes[] = {10, 5, 30, 20, 40, 35, 50, 45, 60, 55};
    for (int i = 0; i < 10; ++i) {
      QsoFields f;
      f.call = calls[i];
      f.band = i % 3 == 0 ? 'l' : 'k';
      f.mode = i % 2 == 0 ? "CW" : "SSB";
      f.dok = i < 5 ? "N01" : "N02";
      f.zeit = 12 * 3600 + minutes[i] * 60;
      Add(f);
      QsoRecord r(log_->RecordBuffer());
      r.SetQSONr(2 * i + 3);
      r.SetBandNr(i + 7);
      r.SetBandSerial(i + 7);
      ASSERT_EQ(log_->Update(), 0);
      if (i == 4)
        Add({.call = "", .band = 'k', .zeit = 12 * 3600 + 41 * 60, .qsyBand = 'l'});
    }
  }

  /// The index file of a log without any QSO.
  std::string EmptyIndex() {
    Fileblock* empty = OpenProgramFile(ProgramFile::kQsoLog, kContest + 1);
    EXPECT_EQ(empty->EnsureOpen(), 0);
    const std::string base = empty->FileName();
    CloseProgramFile(empty);
    return memory_->FileContents(base + ".IX");
  }

  /// The records in record-number order.
  std::vector<Seen> Records() {
    std::vector<Seen> seen;
    for (int s = log_->FirstKey(4); s == 0; s = log_->NextKey(4)) {
      const QsoRecord r(static_cast<const char*>(log_->RecordBuffer()));
      seen.push_back(
          {r.Call(), r.LfdNr(), r.QSONr(), r.BandNr(), r.BandSerial(), r.ModeNr(), r.MultMark1()});
    }
    return seen;
  }

  ContestDefinition DokDefinition() {
    ContestDefinition definition;
    definition.Options.set(4); // DOK multipliers
    definition.SetMultColumn(1, MultColumn::kDok);
    return definition;
  }

  TempDataDir dir_; // the data directory the log's paths are made of
  std::unique_ptr<MemoryFileIo> memory_;
  std::unique_ptr<DyingFileIo> dying_;
  Fileblock* log_ = nullptr;
};

TEST_F(Renumbering, NumbersFollowDateAndTimeAndMarkersGo) {
  FillLog();
  const ContestDefinition definition = DokDefinition();
  const MultiplierRules rules(definition, '2');
  EXPECT_FALSE(LogNumberedInOrder(*log_));
  ASSERT_EQ(RenumberLog(*log_, rules, {}), RenumberResult::kRenumbered);
  // In time order: DL2BB 12:05 k SSB, DL1AA 12:10 l CW, DL4DD 12:20 l SSB, DL3CC 12:30 k CW,
  // DL6FF 12:35 k SSB, DL5EE 12:40 k CW, DL8HH 12:45 k SSB, DL7GG 12:50 l CW,
  // DK1JJ 12:55 l SSB, DL9II 13:00 k CW. DOKs count per band: N01 first given on 2 m by
  // DL2BB and on 70 cm by DL1AA, N02 by DL6FF and DL7GG.
  const std::vector<Seen> expected = {
      {"DL2BB", 1, 1, 1, 1, 1, "N01"}, {"DL1AA", 2, 2, 1, 1, 1, "N01"},
      {"DL4DD", 3, 3, 2, 2, 2, ""},    {"DL3CC", 4, 4, 2, 2, 2, ""},
      {"DL6FF", 5, 5, 3, 3, 3, "N02"}, {"DL5EE", 6, 6, 4, 4, 3, ""},
      {"DL8HH", 7, 7, 5, 5, 4, ""},    {"DL7GG", 8, 8, 3, 3, 4, "N02"},
      {"DK1JJ", 9, 9, 4, 4, 5, ""},    {"DL9II", 10, 10, 6, 6, 5, ""}};
  EXPECT_EQ(Records(), expected);
  EXPECT_TRUE(LogNumberedInOrder(*log_));
  // A log in order is left alone when only needed work is asked for.
  RenumberOptions options;
  options.onlyWhenNeeded = true;
  EXPECT_EQ(RenumberLog(*log_, rules, options), RenumberResult::kUnchanged);
  // No copy or marker is left beside the log.
  EXPECT_FALSE(memory_->FileExists(ReplacementBase(log_->FileName()) + ".DAT"));
  EXPECT_FALSE(memory_->FileExists(ReplacementMarker(log_->FileName())));
  // The object goes on over the new files: keys, adds and reads work.
  ASSERT_EQ(log_->FindKey(13, NumKey5(7)), 0);
  EXPECT_EQ(QsoRecord(log_->RecordBuffer()).Call(), "DL8HH");
  Add({.call = "DF1XX", .band = 'k', .zeit = 14 * 3600});
  EXPECT_EQ(QsoRecord(log_->RecordBuffer()).LfdNr(), 11);
}

TEST_F(Renumbering, CopiesEveryRecordOfTheDataFileWhateverTheIndexHolds) {
  FillLog();
  const ContestDefinition definition = DokDefinition();
  const MultiplierRules rules(definition, '2');
  // The log's index loses every entry, and this object does not check it when it opens.
  ASSERT_EQ(log_->Close(), 0);
  const std::string empty = EmptyIndex();
  memory_->SetFile(log_->FileName() + ".IX", empty);
  ASSERT_EQ(log_->SetIndexCheckAtOpen(false), 0);
  ASSERT_EQ(log_->FirstKey(1), 1); // key 1 reaches nothing
  EXPECT_FALSE(LogNumberedInOrder(*log_));
  ASSERT_EQ(RenumberLog(*log_, rules, {}), RenumberResult::kRenumbered);
  const std::vector<std::string> inTimeOrder = {"DL2BB", "DL1AA", "DL4DD", "DL3CC", "DL6FF",
                                                "DL5EE", "DL8HH", "DL7GG", "DK1JJ", "DL9II"};
  std::vector<std::string> calls;
  for (const Seen& r : Records())
    calls.push_back(r.call);
  EXPECT_EQ(calls, inTimeOrder);
  // Whether the log is in order is told by its data alone, too.
  ASSERT_EQ(log_->Close(), 0);
  memory_->SetFile(log_->FileName() + ".IX", empty);
  EXPECT_TRUE(LogNumberedInOrder(*log_));
}

TEST_F(Renumbering, EqualTimesKeepTheOrderOfKeyOne) {
  // Key 1 orders QSOs of the same minute by record number; the copy, sorted from the data
  // file, gives them that order too.
  for (const char* call : {"DL3CC", "DL1AA", "DL2BB"})
    Add({.call = call, .band = 'k', .zeit = 12 * 3600});
  Add({.call = "DL0XX", .band = 'k', .zeit = 11 * 3600});
  std::vector<std::string> byKeyOne;
  for (int s = log_->FirstKey(1); s == 0; s = log_->NextKey(1))
    byKeyOne.push_back(QsoRecord(static_cast<const char*>(log_->RecordBuffer())).Call());
  EXPECT_EQ(byKeyOne, (std::vector<std::string>{"DL0XX", "DL3CC", "DL1AA", "DL2BB"}));
  const ContestDefinition definition = DokDefinition();
  ASSERT_EQ(RenumberLog(*log_, MultiplierRules(definition, '2'), {}), RenumberResult::kRenumbered);
  std::vector<std::string> calls;
  for (const Seen& r : Records())
    calls.push_back(r.call);
  EXPECT_EQ(calls, byKeyOne);
}

TEST_F(Renumbering, CopyLackingARecordReplacesNothing) {
  FillLog();
  const ContestDefinition definition = DokDefinition();
  const MultiplierRules rules(definition, '2');
  const std::vector<Seen> before = Records();
  Stop();
  LosingCopyWrites losing(*memory_, 4);
  ASSERT_EQ(InitEngine(160, 32, &losing), 0);
  log_ = OpenProgramFile(ProgramFile::kQsoLog, kContest);
  ASSERT_NE(log_, nullptr);
  EXPECT_EQ(RenumberLog(*log_, rules, {}), RenumberResult::kIncomplete);
  EXPECT_EQ(RenumberMessage(RenumberResult::kIncomplete),
            "Fehler beim Aufbau der temporären Datenbank: Die neue Kopie enthält nicht alle QSOs "
            "der Logdatei. Das Log bleibt unverändert.");
  EXPECT_EQ(Records(), before);
  EXPECT_FALSE(memory_->FileExists(ReplacementBase(log_->FileName()) + ".DAT"));
  EXPECT_FALSE(memory_->FileExists(ReplacementMarker(log_->FileName())));
}

TEST_F(Renumbering, SerialNumberExchangesKeepTheirNumbers) {
  ContestDefinition definition;
  EXPECT_FALSE(SentSerialNumbers(definition));
  for (int kind : {exchange::kQsoNumber, exchange::kModeNumber, exchange::kBandSerial}) {
    for (int element = 1; element <= 3; ++element) {
      ContestDefinition d;
      (element == 1   ? d.SentExchange1
       : element == 2 ? d.SentExchange2
                      : d.SentExchange3) = static_cast<std::uint8_t>(kind);
      EXPECT_TRUE(SentSerialNumbers(d)) << kind << " in element " << element;
    }
  }
  definition.SentExchange1 = exchange::kDok;
  definition.SentExchange2 = exchange::kLocator;
  EXPECT_FALSE(SentSerialNumbers(definition));
}

TEST_F(Renumbering, InterruptedAtEveryPointLeavesTheOldOrTheNewLog) {
  FillLog();
  const ContestDefinition definition = DokDefinition();
  const MultiplierRules rules(definition, '2');
  const std::vector<Seen> before = Records();
  // The files as they are before the run, to start every attempt from.
  ASSERT_EQ(log_->Close(), 0);
  std::map<std::string, std::string> files;
  for (const std::string& name : memory_->FileNames())
    files[name] = memory_->FileContents(name);

  // One undisturbed run: the new log and how many changing calls it takes.
  const long start = dying_->calls();
  ASSERT_EQ(RenumberLog(*log_, rules, {}), RenumberResult::kRenumbered);
  const std::vector<Seen> after = Records();
  const long total = dying_->calls() - start;
  ASSERT_GT(total, 10);

  int oldSeen = 0;
  int newSeen = 0;
  // Every point up to the commit and every point after it; the middle of the copy's writes
  // only in steps (each behaves alike: the copy is incomplete and dropped).
  for (long n = 0; n <= total; n += (n < 20 || n > total - 40) ? 1 : 7) {
    SCOPED_TRACE("interrupted after changing call " + std::to_string(n));
    Stop();
    memory_ = std::make_unique<MemoryFileIo>();
    for (const auto& [name, bytes] : files)
      memory_->SetFile(name, bytes);
    Start();
    dying_->DieAfter(n);
    const RenumberResult result = RenumberLog(*log_, rules, {});
    memory_->Crash(MemoryFileIo::Loss::kUnsynced);
    Stop();
    // The next start: opening the log puts its files in order first.
    dying_ = std::make_unique<DyingFileIo>(*memory_);
    ASSERT_EQ(InitEngine(160, 32, dying_.get()), 0);
    log_ = OpenProgramFile(ProgramFile::kQsoLog, kContest);
    ASSERT_NE(log_, nullptr);
    const std::vector<Seen> now = Records();
    const bool isOld = now == before;
    const bool isNew = now == after;
    EXPECT_TRUE(isOld || isNew) << now.size() << " records";
    if (result == RenumberResult::kRenumbered && !dying_->dead()) {
      EXPECT_TRUE(isNew);
    }
    oldSeen += isOld ? 1 : 0;
    newSeen += isNew ? 1 : 0;
    const std::string base = log_->FileName();
    EXPECT_FALSE(memory_->FileExists(ReplacementBase(base) + ".DAT"));
    EXPECT_FALSE(memory_->FileExists(ReplacementBase(base) + ".IX"));
    EXPECT_FALSE(memory_->FileExists(ReplacementMarker(base)));
    ASSERT_EQ(log_->Close(), 0);
    const CheckReport report = CheckFileblockFiles(*memory_, base);
    for (const std::string& problem : report.problems)
      ADD_FAILURE() << problem;
  }
  EXPECT_GT(oldSeen, 0);
  EXPECT_GT(newSeen, 0);
}

TEST_F(Renumbering, FailureWithoutCrashKeepsTheOldLogInUse) {
  FillLog();
  const ContestDefinition definition = DokDefinition();
  const MultiplierRules rules(definition, '2');
  const std::vector<Seen> before = Records();
  // The copy's writes fail: the old log stays, with the copy's message.
  dying_->DieAfter(15);
  EXPECT_EQ(RenumberLog(*log_, rules, {}), RenumberResult::kCopyFailed);
  EXPECT_EQ(RenumberMessage(RenumberResult::kCopyFailed),
            "Fehler beim Aufbau der temporären Datenbank");
  EXPECT_EQ(RenumberMessage(RenumberResult::kReplaceFailed), "Fehler beim Neuaufbau der Datenbank");
  dying_->DieAfter(-1);
  EXPECT_EQ(Records(), before);
  // The log takes new QSOs, and a later renumbering succeeds.
  Add({.call = "DF1XX", .band = 'k', .zeit = 11 * 3600});
  ASSERT_EQ(RenumberLog(*log_, rules, {}), RenumberResult::kRenumbered);
  const std::vector<Seen> after = Records();
  ASSERT_EQ(after.size(), 11u);
  EXPECT_EQ(after.front().call, "DF1XX");
  EXPECT_EQ(after.front().qsoNr, 1);
}

} // namespace
} // namespace tarvik::test
