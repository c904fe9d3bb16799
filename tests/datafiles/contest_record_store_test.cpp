// A contest's header and extension records read, written, added and deleted by its number
// through the one store, over open files and over files opened for the call, and what a
// failing file does to the results.

#include <gtest/gtest.h>

#include <memory>

#include "datafiles/contest_record_store.h"
#include "datafiles/program_files.h"
#include "support/call_fault_file_io.h"
#include "support/storage_test_support.h"

namespace tarvik::test {
namespace {

class ContestStore : public EngineTest {
protected:
  void SetUp() override {
    EngineTest::SetUp();
    UseMemoryFiles();
    OpenFiles();
  }
  void TearDown() override {
    CloseFiles();
    EngineTest::TearDown();
  }
  void OpenFiles() {
    headers_ = OpenProgramFile(ProgramFile::kContestHeaders);
    extensions_ = OpenProgramFile(ProgramFile::kContestExtensions);
    ASSERT_NE(headers_, nullptr);
    ASSERT_NE(extensions_, nullptr);
  }
  void CloseFiles() {
    CloseProgramFile(extensions_);
    CloseProgramFile(headers_);
    headers_ = extensions_ = nullptr;
  }
  ContestRecordStore Store() { return ContestRecordStore(headers_, extensions_); }

  /// Adds a contest named `name` with `qsos` QSOs in band slot 1 of its extension.
  std::int32_t AddContest(const std::string& name, std::int32_t qsos) {
    ContestRecords records;
    records.Header().MarkCreated();
    records.Header().SetContestCode('2');
    records.Header().SetContestName(name);
    records.Extension().SetBandQsos(1, qsos);
    EXPECT_EQ(Store().Add(&records), StoreResult::kOk);
    EXPECT_EQ(records.Extension().contestNumber(), records.Number());
    return records.Number();
  }

  Fileblock* headers_ = nullptr;
  Fileblock* extensions_ = nullptr;
};

TEST_F(ContestStore, AContestIsReadWrittenAndDeletedByItsNumber) {
  const std::int32_t first = AddContest("Erster", 5);
  const std::int32_t second = AddContest("Zweiter", 7);
  ASSERT_EQ(first, 1);
  ASSERT_EQ(second, 2);

  ContestRecords read;
  ASSERT_EQ(Store().Read(first, &read), StoreResult::kOk);
  EXPECT_EQ(read.Header().contestName(), "Erster");
  EXPECT_EQ(read.Extension().bandQsos(1), 5);
  // Both records are the current ones of their files afterwards.
  EXPECT_EQ(Store().Buffers().Header().contestName(), "Erster");
  EXPECT_EQ(Store().Buffers().Extension().bandQsos(1), 5);

  // Writing finds the contest by the header's number, whatever the buffers hold.
  read.Header().SetContestName("Erster neu");
  read.Extension().SetBandQsos(1, 6);
  ContestRecords other;
  ASSERT_EQ(Store().Read(second, &other), StoreResult::kOk); // the other contest is current
  ASSERT_EQ(Store().Write(read), StoreResult::kOk);
  ContestRecords again;
  ASSERT_EQ(Store().Read(first, &again), StoreResult::kOk);
  EXPECT_EQ(again.Header().contestName(), "Erster neu");
  EXPECT_EQ(again.Extension().bandQsos(1), 6);
  EXPECT_EQ(again.Extension().contestNumber(), first);
  ASSERT_EQ(Store().Read(second, &again), StoreResult::kOk);
  EXPECT_EQ(again.Header().contestName(), "Zweiter");
  EXPECT_EQ(again.Extension().bandQsos(1), 7);

  // A contest that is not there: nothing is read or written.
  ContestRecords missing;
  missing.Header().SetContestNumber(9);
  EXPECT_EQ(Store().Read(9, &missing), StoreResult::kNotFound);
  EXPECT_EQ(Store().Write(missing), StoreResult::kNotFound);
  EXPECT_EQ(Store().Delete(9), StoreResult::kNotFound);
  std::int32_t used = 0;
  ASSERT_EQ(extensions_->UsedRecords(&used), 0);
  EXPECT_EQ(used, 2);

  // Deleting takes both records of the contest and leaves the other contest alone.
  ASSERT_EQ(Store().Delete(first), StoreResult::kOk);
  EXPECT_EQ(Store().Read(first, &again), StoreResult::kNotFound);
  std::string extension;
  EXPECT_EQ(Store().ReadExtension(first, &extension), StoreResult::kNotFound);
  EXPECT_EQ(ContestExtensionRecord(extension.data()).contestNumber(), first);
  EXPECT_EQ(Store().Read(second, &again), StoreResult::kOk);
}

TEST_F(ContestStore, AContestWithoutExtensionGetsOneWhenItIsNeeded) {
  // A header alone, as an older tool may have left it.
  ASSERT_EQ(headers_->ClearBuffer(), 0);
  ContestHeaderRecord(headers_->RecordBuffer()).MarkCreated();
  ContestHeaderRecord(headers_->RecordBuffer()).SetContestName("Alt");
  ASSERT_TRUE(tarvik::AddRecord(*headers_));
  const std::int32_t number = ContestHeaderRecord(headers_->RecordBuffer()).contestNumber();

  ContestRecords read;
  ASSERT_EQ(Store().Read(number, &read), StoreResult::kOk);
  EXPECT_EQ(read.Extension().contestNumber(), number);
  EXPECT_EQ(read.Extension().bandQsos(1), 0);
  std::string extension;
  EXPECT_EQ(Store().ReadExtension(number, &extension), StoreResult::kNotFound);

  ASSERT_EQ(Store().EnsureExtension(number), StoreResult::kOk);
  ASSERT_EQ(Store().EnsureExtension(number), StoreResult::kOk); // once only
  std::int32_t used = 0;
  ASSERT_EQ(extensions_->UsedRecords(&used), 0);
  EXPECT_EQ(used, 1);
  EXPECT_EQ(Store().ReadExtension(number, &extension), StoreResult::kOk);

  // Writing a contest whose extension is missing adds it.
  ASSERT_EQ(Store().Delete(number), StoreResult::kOk);
  const std::int32_t again = AddContest("Neu", 0);
  ASSERT_EQ(extensions_->FindKey(kExtensionKeyNumber, NumKey5(again)), 0);
  ASSERT_EQ(extensions_->Delete(kDeleteNoPosition), 0);
  ASSERT_EQ(Store().Read(again, &read), StoreResult::kOk);
  read.Extension().SetBandPoints(1, 42);
  ASSERT_EQ(Store().Write(read), StoreResult::kOk);
  ASSERT_EQ(Store().Read(again, &read), StoreResult::kOk);
  EXPECT_EQ(read.Extension().bandPoints(1), 42);
}

TEST_F(ContestStore, TheBuffersHoldTheContestAtHand) {
  const std::int32_t first = AddContest("Erster", 1);
  const std::int32_t second = AddContest("Zweiter", 2);
  ContestRecords records;
  ASSERT_EQ(Store().Read(first, &records), StoreResult::kOk);
  records.Header().SetContestName("ungespeichert");
  // The other contest is current; MakeCurrent finds this one and puts the copy there.
  ContestRecords other;
  ASSERT_EQ(Store().Read(second, &other), StoreResult::kOk);
  ASSERT_EQ(Store().MakeCurrent(records), StoreResult::kOk);
  EXPECT_EQ(headers_->CurrentRecordNumber(), first);
  EXPECT_EQ(Store().Buffers().Header().contestName(), "ungespeichert");
  // Nothing was written.
  ContestRecords stored;
  ASSERT_EQ(Store().Read(first, &stored), StoreResult::kOk);
  EXPECT_EQ(stored.Header().contestName(), "Erster");
  // A contest that is gone leaves the buffers alone.
  records.Header().SetContestNumber(77);
  EXPECT_EQ(Store().MakeCurrent(records), StoreResult::kNotFound);
  EXPECT_EQ(Store().Buffers().Header().contestName(), "Erster");
  // SetBuffers puts records there as they are.
  Store().SetBuffers(other);
  EXPECT_EQ(Store().Buffers().Header().contestName(), "Zweiter");
  EXPECT_EQ(Store().Buffers().Extension().bandQsos(1), 2);
}

TEST_F(ContestStore, TheFilesOpenedForOneCallGiveTheSameContest) {
  const std::int32_t number = AddContest("Werkzeug", 3);
  CloseFiles();
  ContestRecords records;
  ASSERT_EQ(ReadContestFromFiles(number, &records), StoreResult::kOk);
  EXPECT_EQ(records.Header().contestName(), "Werkzeug");
  records.Extension().SetBandQsos(1, 4);
  ASSERT_EQ(WriteContestToFiles(records), StoreResult::kOk);
  ASSERT_EQ(ReadContestFromFiles(number, &records), StoreResult::kOk);
  EXPECT_EQ(records.Extension().bandQsos(1), 4);
  EXPECT_EQ(ReadContestFromFiles(number + 1, &records), StoreResult::kNotFound);
  OpenFiles();
}

TEST_F(ContestStore, FilesThatAreNotOpenOrFailGiveFailures) {
  ContestRecords records;
  ContestRecordStore closed(nullptr, nullptr);
  EXPECT_EQ(closed.Read(1, &records), StoreResult::kFailed);
  EXPECT_EQ(closed.Write(records), StoreResult::kFailed);
  EXPECT_EQ(closed.Add(&records), StoreResult::kFailed);
  EXPECT_EQ(closed.EnsureExtension(1), StoreResult::kFailed);
  EXPECT_EQ(closed.Delete(1), StoreResult::kFailed);
  EXPECT_EQ(closed.Buffers().header, std::string(ContestHeaderRecord::kLength, '\0'));

  const std::int32_t number = AddContest("Fehler", 1);
  ASSERT_EQ(Store().Read(number, &records), StoreResult::kOk);
  // The disk fails from now on: every write is refused and reported as a failure.
  CloseFiles();
  StopEngine();
  CallFaultFileIo faulty(*memory_);
  StartEngine(&faulty);
  OpenFiles();
  ASSERT_EQ(Store().Read(number, &records), StoreResult::kOk);
  faulty.FailAt(1, CallFaultFileIo::Fault::kForever);
  records.Extension().SetBandQsos(1, 2);
  EXPECT_EQ(Store().Write(records), StoreResult::kFailed);
  EXPECT_TRUE(faulty.reached());
  CloseFiles();
  StopEngine();
  StartEngine(memory_.get());
  OpenFiles();
}

} // namespace
} // namespace tarvik::test
