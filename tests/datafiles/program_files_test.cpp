// The program's fileblocks opened through their open routines: shared objects with use
// counts, numbering of contests and QSOs, the order of the QSO keys in a real file, and
// every layout's keys within their declared lengths.

#include <gtest/gtest.h>

#include "datafiles/contest_records.h"
#include "datafiles/program_files.h"
#include "datafiles/qso_record.h"
#include "recordfile/engine.h"
#include "support/storage_test_support.h"

namespace tarvik::test {
namespace {

class ProgramFiles : public EngineTest {
protected:
  void TearDown() override {
    for (Fileblock* fb : opened_)
      CloseProgramFile(fb);
    EngineTest::TearDown();
  }
  Fileblock* Open(ProgramFile file, int contest = 0) {
    Fileblock* fb = OpenProgramFile(file, contest);
    EXPECT_NE(fb, nullptr);
    return fb;
  }
  std::vector<Fileblock*> opened_;
};

TEST_F(ProgramFiles, OpeningTwiceReturnsTheSameObjectUntilTheSecondClose) {
  Fileblock* a = Open(ProgramFile::kQsoLog, 12);
  ASSERT_NE(a, nullptr);
  EXPECT_EQ(a->Name(), "KXLK0012");
  EXPECT_EQ(ProgramFileUseCount(a), 0);
  Fileblock* b = Open(ProgramFile::kQsoLog, 12);
  EXPECT_EQ(a, b);
  EXPECT_EQ(ProgramFileUseCount(a), 1);
  CloseProgramFile(a);
  EXPECT_EQ(FindFileblock("KXLK0012"), a);
  CloseProgramFile(b);
  EXPECT_EQ(FindFileblock("KXLK0012"), nullptr);
  EXPECT_EQ(ProgramFileUseCount(a), -1);
  CloseProgramFile(nullptr); // harmless
}

TEST_F(ProgramFiles, NamesAndLayoutsByFileName) {
  EXPECT_EQ(QsoLogName(1), "KXLK0001");
  EXPECT_EQ(QsoLogName(12), "KXLK0012");
  EXPECT_EQ(ProgramFileName(ProgramFile::kContestHeaders), "KXKK");
  EXPECT_EQ(ProgramFileName(ProgramFile::kQsoTemp), "KXLKTEMP");
  RegisterProgramFileLayouts();
  const std::pair<const char*, const char*> files[] = {
      {"/data/KXLK0012.DAT", "KXLK"}, {"kxlk0003", "KXLK"},
      {"KXLKTEMP.IX", "KXLKTEMP"},    {"KXKK", "KXKK"},
      {"KXPREFEE", "KXPREFEE"},       {"KXSETUP2", "KXSETUP2"}};
  for (const auto& [path, layout] : files) {
    const FileblockLayout* found = FindFileblockLayout(path);
    ASSERT_NE(found, nullptr) << path;
    EXPECT_EQ(found->name, layout) << path;
  }
  EXPECT_EQ(FindFileblockLayout("KXLK12"), nullptr);
  EXPECT_EQ(FindFileblockLayout("OTHER"), nullptr);
}

TEST_F(ProgramFiles, ContestNumbersStartAtOneAndReturnAfterDeletingTheNewest) {
  Fileblock* kk = Open(ProgramFile::kContestHeaders);
  opened_.push_back(kk);
  auto add = [&](const char* name) {
    EXPECT_EQ(kk->ClearBuffer(), 0);
    ContestHeaderRecord h(kk->RecordBuffer());
    h.SetContestCode('2');
    h.SetContestName(name);
    h.MarkCreated();
    EXPECT_TRUE(tarvik::AddRecord(*kk));
    return h.contestNumber();
  };
  EXPECT_EQ(add("Erster"), 1);
  EXPECT_EQ(QsoLogName(1), "KXLK0001");
  EXPECT_EQ(add("Zweiter"), 2);
  ASSERT_EQ(kk->Delete(kDeleteNoPosition), 0);
  EXPECT_EQ(add("Dritter"), 2);
  // Key 1 lists a code's contests by name.
  ASSERT_EQ(kk->SearchKey(1, "2"), 0);
  EXPECT_EQ(ContestHeaderRecord(kk->RecordBuffer()).contestName(), "Dritter");
}

TEST_F(ProgramFiles, ADuplicateUniqueKeyIsAFailureNotADone) {
  Fileblock* kz = Open(ProgramFile::kContestExtensions);
  opened_.push_back(kz);
  ASSERT_EQ(kz->ClearBuffer(), 0);
  ContestExtensionRecord(kz->RecordBuffer()).SetContestNumber(5);
  EXPECT_TRUE(tarvik::AddRecord(*kz));
  ASSERT_EQ(kz->ClearBuffer(), 0);
  ContestExtensionRecord(kz->RecordBuffer()).SetContestNumber(5);
  EXPECT_FALSE(tarvik::AddRecord(*kz));
  EXPECT_EQ(RecordFileErrors().Severity(), 1); // the channel calls it "not found" class
  EXPECT_EQ(LastError(), 10230);
  std::int32_t used = 0;
  ASSERT_EQ(kz->UsedRecords(&used), 0);
  EXPECT_EQ(used, 1);
}

TEST_F(ProgramFiles, QsoKeysOrderTheLog) {
  Fileblock* log = Open(ProgramFile::kQsoLog, 1);
  opened_.push_back(log);
  const char* doks[] = {"B36", "", "A01"};
  for (int n = 1; n <= 3; ++n) {
    ASSERT_EQ(log->ClearBuffer(), 0);
    QsoRecord q(log->RecordBuffer());
    q.SetCall("DL" + std::to_string(n) + "ABC/P");
    q.SetBand('a');
    q.SetBandSerial(n);
    q.SetBandNr(n);
    q.SetQSONr(n);
    q.SetMode("CW");
    q.SetModeNr(static_cast<std::uint16_t>(n));
    q.SetFullDok(doks[n - 1]);
    ASSERT_TRUE(tarvik::AddRecord(*log));
    EXPECT_EQ(q.LfdNr(), n);
  }
  auto qsoNrs = [&](int key) {
    std::vector<int> order;
    for (int s = log->FirstKey(key); s == 0; s = log->NextKey(key))
      order.push_back(QsoRecord(log->RecordBuffer()).QSONr());
    return order;
  };
  EXPECT_EQ(qsoNrs(8), (std::vector<int>{1, 2, 3}));  // oldest first
  EXPECT_EQ(qsoNrs(11), (std::vector<int>{3, 2, 1})); // newest first
  EXPECT_EQ(qsoNrs(12), (std::vector<int>{3, 2, 1}));
  EXPECT_EQ(qsoNrs(24), (std::vector<int>{3, 2, 1}));
  EXPECT_EQ(qsoNrs(18), (std::vector<int>{2, 3, 1})); // the empty DOK first
  ASSERT_EQ(log->FindKey(6, "DL2ABC        "), 0);    // base call without "/P"
  EXPECT_EQ(QsoRecord(log->RecordBuffer()).QSONr(), 2);
}

TEST_F(ProgramFiles, EveryLayoutKeepsItsKeysWithinTheirLengthsAndReopens) {
  const ProgramFile all[] = {ProgramFile::kSetup,
                             ProgramFile::kSetup2,
                             ProgramFile::kProfiles,
                             ProgramFile::kContestHeaders,
                             ProgramFile::kContestExtensions,
                             ProgramFile::kQsoLog,
                             ProgramFile::kQsoTemp,
                             ProgramFile::kCallBook,
                             ProgramFile::kCallList,
                             ProgramFile::kPrefix,
                             ProgramFile::kPrefixExceptionsEE,
                             ProgramFile::kPrefixExceptionsES,
                             ProgramFile::kContestNotes,
                             ProgramFile::kQsoNotes,
                             ProgramFile::kQslRoutes};
  for (ProgramFile file : all) {
    const FileblockLayout& layout = ProgramFileLayout(file);
    // Every byte set: strings at their longest, numbers large.
    std::vector<char> record(
        static_cast<std::size_t>(std::max(layout.bufferSize, layout.recordLength)), 'W');
    for (int key = 1; key <= static_cast<int>(layout.keys.size()); ++key) {
      const std::string built = layout.keyBuilder(record.data(), key);
      EXPECT_LE(static_cast<int>(built.size()),
                layout.keys[static_cast<std::size_t>(key - 1)].length)
          << layout.name << " key " << key;
      EXPECT_FALSE(built.empty()) << layout.name << " key " << key;
    }
    Fileblock* fb = Open(file, 7);
    ASSERT_NE(fb, nullptr) << layout.name;
    ASSERT_EQ(fb->ClearBuffer(), 0);
    EXPECT_TRUE(tarvik::AddRecord(*fb)) << layout.name;
    CloseProgramFile(fb);
    fb = Open(file, 7);
    std::int32_t used = 0;
    ASSERT_EQ(fb->UsedRecords(&used), 0) << layout.name;
    EXPECT_EQ(used, 1) << layout.name;
    CloseProgramFile(fb);
  }
}

} // namespace
} // namespace tarvik::test
