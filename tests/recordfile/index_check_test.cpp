// Comparing a fileblock's index with its data file: what counts as agreeing (no false alarm
// for sound files of any layout, variable-length records included), what each kind of
// disagreement is reported as, the rebuild at opening with its note in the ".MSG" report,
// and the walk over the live records by record number that no index can mislead.

#include <gtest/gtest.h>

#include <cstring>

#include "datafiles/program_files.h"
#include "datafiles/setup_records.h"
#include "recordfile/index_check.h"
#include "support/storage_test_support.h"

namespace tarvik::test {
namespace {

class IndexCheck : public EngineTest {
protected:
  void SetUp() override {
    EngineTest::SetUp();
    UseMemoryFiles();
  }

  /// A test fileblock of `count` records named "N1".. with values 1.., codes "C1"..
  Fileblock* Filled(const std::string& name, int count, int firstValue = 1) {
    Fileblock* fb = OpenTest(name);
    for (int i = 0; i < count; ++i) {
      const int v = firstValue + i;
      EXPECT_EQ(AddRecord(fb, {0, "N" + std::to_string(v), v, "C" + std::to_string(v)}), 0);
    }
    return fb;
  }

  std::string File(Fileblock* fb, const char* ext) {
    return memory_->FileContents(fb->FilePath(ext));
  }
  void SetFile(Fileblock* fb, const char* ext, const std::string& bytes) {
    memory_->SetFile(fb->FilePath(ext), bytes);
  }

  IndexFindings Check(Fileblock* fb) {
    IndexFindings findings;
    EXPECT_EQ(fb->CheckIndex(false, &findings), 0);
    return findings;
  }

  /// Whether one of the findings contains `text`.
  static bool Says(const IndexFindings& f, const std::string& text) {
    for (const std::string& finding : f.findings)
      if (finding.find(text) != std::string::npos)
        return true;
    return false;
  }

  /// The values of the records reached through key 3, in key order.
  std::vector<std::int32_t> ValuesByKey(Fileblock* fb) {
    std::vector<std::int32_t> values;
    for (int s = fb->FirstKey(3); s == 0; s = fb->NextKey(3))
      values.push_back(Current(fb).value);
    return values;
  }
};

TEST_F(IndexCheck, SoundFilesAgree) {
  Fileblock* fb = Filled("SOUND", 40);
  // Deleted records (a free chain), changed keys, a reused slot and an empty key string.
  for (int rec : {3, 17, 30}) {
    ASSERT_EQ(fb->ReadRecord(rec), 0);
    ASSERT_EQ(fb->Delete(0), 0);
  }
  ASSERT_EQ(fb->ReadRecord(5), 0);
  TestRecord r = Current(fb);
  r.name = "RENAMED";
  r.value = 999;
  r.Store(fb->RecordBuffer());
  ASSERT_EQ(fb->Update(), 0);
  ASSERT_EQ(AddRecord(fb, {0, "", 500, "EMPTYNAME"}), 0);
  IndexFindings f = Check(fb);
  EXPECT_TRUE(f.Agree()) << f.findings.front();
  EXPECT_EQ(f.liveRecords, 38);
  // A repair leaves the empty key out; that agrees as well.
  ASSERT_EQ(fb->Repair(), 0);
  f = Check(fb);
  EXPECT_TRUE(f.Agree()) << f.findings.front();
  EXPECT_EQ(f.liveRecords, 38);
  EXPECT_EQ(File(fb, "MSG"), "");
}

TEST_F(IndexCheck, ProgramFilesAgreeAfterUse) {
  // Every program file that is checked at opening, variable-length profiles included: no
  // false alarm, so no rebuild and no note when the files are sound.
  Fileblock* profiles = OpenProgramFile(ProgramFile::kProfiles);
  ASSERT_NE(profiles, nullptr);
  for (int i = 0; i < 3; ++i) {
    ASSERT_EQ(profiles->ClearBuffer(), 0);
    ProfileRecord p(profiles->RecordBuffer());
    p.SetName("Profil " + std::to_string(i));
    // Past the first section: the record needs continuation sections.
    std::memset(profiles->RecordBuffer() + 30000 + i, 'x', 100);
    ASSERT_TRUE(tarvik::AddRecord(*profiles));
  }
  ASSERT_EQ(profiles->ReadRecord(profiles->CurrentRecordNumber()), 0);
  ASSERT_EQ(profiles->Delete(0), 0);
  std::vector<Fileblock*> files = {profiles};
  for (ProgramFile file : {ProgramFile::kSetup, ProgramFile::kSetup2, ProgramFile::kContestHeaders,
                           ProgramFile::kContestExtensions, ProgramFile::kQsoLog}) {
    Fileblock* fb = OpenProgramFile(file, 3);
    ASSERT_NE(fb, nullptr);
    EXPECT_TRUE(fb->ChecksIndexAtOpen());
    for (int i = 0; i < 5; ++i) {
      ASSERT_EQ(fb->ClearBuffer(), 0);
      fb->RecordBuffer()[30] = static_cast<char>('A' + i); // something in every record
      format::StoreI32(fb->RecordBuffer() + 4, i + 1);     // the number a unique key needs
      ASSERT_TRUE(tarvik::AddRecord(*fb));
    }
    files.push_back(fb);
  }
  for (Fileblock* fb : files) {
    SCOPED_TRACE(fb->Name());
    ASSERT_EQ(fb->Close(), 0);
    ASSERT_EQ(fb->EnsureOpen(), 0);
    const IndexFindings f = Check(fb);
    EXPECT_TRUE(f.Agree()) << f.findings.front();
    EXPECT_EQ(File(fb, "MSG"), "");
    CloseProgramFile(fb);
  }
  EXPECT_FALSE(ProgramFileLayout(ProgramFile::kCallBook).checkIndexAtOpen);
  EXPECT_FALSE(ProgramFileLayout(ProgramFile::kPrefix).checkIndexAtOpen);
}

TEST_F(IndexCheck, EveryKindOfDisagreementIsFound) {
  Fileblock* fb = Filled("LOG", 30);
  ASSERT_EQ(fb->Close(), 0);
  const std::string dat = File(fb, "DAT");
  const std::string ix = File(fb, "IX");
  // The same records one state earlier, and another fileblock of as many records.
  Fileblock* older = Filled("OLDER", 27);
  Fileblock* other = Filled("OTHER", 30, 1000);
  ASSERT_EQ(older->Close(), 0);
  ASSERT_EQ(other->Close(), 0);

  struct Case {
    const char* what;
    std::function<void(std::string& dat, std::string& ix)> damage;
    const char* finding;
  };
  const Case cases[] = {
      {"an index of an older state", [&](std::string&, std::string& i) { i = File(older, "IX"); },
       "3 of 30 live records have no entry (the first: record 28)"},
      {"an index of another fileblock",
       [&](std::string&, std::string& i) { i = File(other, "IX"); },
       "the entry's key is not the key of the record"},
      {"a record deleted behind the index's back",
       [&](std::string& d, std::string&) {
         format::StoreI32(d.data() + 7 * kTestRecLen, -1);
         format::StoreI32(d.data() + format::kHdrFirstFree, 7);
         format::StoreI32(d.data() + format::kHdrNumberFree, 1);
       },
       "names record 7, which is not live"},
      {"a header that miscounts the free records",
       [&](std::string& d, std::string&) {
         format::StoreI32(d.data() + 7 * kTestRecLen, -1);
         format::StoreI32(d.data() + format::kHdrFirstFree, 7);
         format::StoreI32(d.data() + format::kHdrNumberFree, 2);
       },
       "29 live records, the header counts 28"},
      {"a page of a key zeroed",
       [&](std::string&, std::string& i) {
         // Row 1 holds the first page of every key; key 1's slot comes first.
         const std::size_t rowLength = i.size() / 2;
         std::memset(i.data() + rowLength, 0, 20);
       },
       "key 1"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::string d = dat;
    std::string i = ix;
    c.damage(d, i);
    SetFile(fb, "DAT", d);
    SetFile(fb, "IX", i);
    const IndexFindings f = Check(fb);
    EXPECT_FALSE(f.Agree());
    EXPECT_TRUE(Says(f, c.finding)) << (f.findings.empty() ? "" : f.findings.front());
    // Only asked, the check changes nothing.
    ASSERT_EQ(fb->Close(), 0);
    EXPECT_EQ(File(fb, "IX"), i);
    EXPECT_EQ(File(fb, "MSG"), "");
  }
}

TEST_F(IndexCheck, OpeningRebuildsAnIndexThatDisagrees) {
  Fileblock* older = Filled("STATE", 25);
  ASSERT_EQ(older->Close(), 0);
  const std::string staleIndex = File(older, "IX");
  Destroy(older);
  Fileblock* fb = Filled("STATE", 5, 26); // the same files, five more records
  ASSERT_EQ(fb->Close(), 0);
  SetFile(fb, "IX", staleIndex);

  // Without the check the stale index hides the five newest records from every walk.
  EXPECT_EQ(ValuesByKey(fb).size(), 25u);
  ASSERT_EQ(fb->Close(), 0);
  SetFile(fb, "IX", staleIndex);
  ASSERT_EQ(fb->SetIndexCheckAtOpen(true), 0);
  EXPECT_EQ(ValuesByKey(fb).size(), 30u);
  const std::string note = File(fb, "MSG");
  EXPECT_EQ(note.rfind("Index check: key 1: 5 of 30 live records have no entry", 0), 0u) << note;
  EXPECT_NE(note.find("Index check: the index disagrees with the data file of 30 live records "
                      "and is rebuilt from it\r\n"),
            std::string::npos);
  EXPECT_EQ(note.back(), '\n');
  // Sound now: the next opening finds nothing to note.
  ASSERT_EQ(fb->Close(), 0);
  EXPECT_EQ(ValuesByKey(fb).size(), 30u);
  EXPECT_EQ(File(fb, "MSG"), note);
  // Files the engine left agreeing at a clean close are not compared again; other bytes
  // are: a stale index put in place after the close is found at the next opening.
  ASSERT_EQ(fb->Close(), 0);
  SetFile(fb, "IX", staleIndex);
  EXPECT_EQ(ValuesByKey(fb).size(), 30u);
  EXPECT_EQ(File(fb, "MSG").size(), 2 * note.size());
}

TEST_F(IndexCheck, LiveRecordWalkIgnoresTheIndex) {
  Fileblock* fb = Filled("WALK", 12);
  for (int rec : {1, 6, 12}) {
    ASSERT_EQ(fb->ReadRecord(rec), 0);
    ASSERT_EQ(fb->Delete(0), 0);
  }
  ASSERT_EQ(fb->Close(), 0);
  // An index without a single entry: the walk by record number still sees every record.
  Fileblock* empty = OpenTest("EMPTYIX");
  ASSERT_EQ(empty->EnsureOpen(), 0);
  ASSERT_EQ(empty->Close(), 0);
  SetFile(fb, "IX", File(empty, "IX"));
  std::vector<std::int32_t> records;
  int s = fb->ReadNextLive(1);
  for (; s == 0; s = fb->ReadNextLive(fb->CurrentRecordNumber() + 1)) {
    records.push_back(fb->CurrentRecordNumber());
    EXPECT_EQ(Current(fb).value, fb->CurrentRecordNumber());
  }
  EXPECT_EQ(s, 1);
  EXPECT_EQ(LastError(), 12357); // no further live record
  EXPECT_EQ(records, (std::vector<std::int32_t>{2, 3, 4, 5, 7, 8, 9, 10, 11}));
  std::int32_t live = 0;
  ASSERT_EQ(fb->LiveRecords(&live), 0);
  EXPECT_EQ(live, 9);
  EXPECT_EQ(fb->FirstKey(3), 1); // the index itself knows nothing
}

} // namespace
} // namespace tarvik::test
