// Repair of damaged fileblocks: reorganising the data file through ".SAV", rebuilding
// every key, the ".MSG" report, and what stops a repair.

#include <gtest/gtest.h>

#include <filesystem>

#include "recordfile/integrity_check.h"
#include "support/storage_test_support.h"

namespace tarvik::test {
namespace {

namespace fs = std::filesystem;

class Repair : public EngineTest {
protected:
  /// Sets the InUse byte of a closed fileblock's data file.
  void MarkInUse(const std::string& name) {
    std::string dat = ReadFileBytes(dir_.file(name + ".DAT"));
    dat[format::kHdrInUse] = 1;
    WriteFileBytes(dir_.file(name + ".DAT"), dat);
  }
  void PatchRecord(const std::string& name, int rec, const TestRecord& r) {
    std::string dat = ReadFileBytes(dir_.file(name + ".DAT"));
    r.Store(dat.data() + rec * kTestRecLen);
    WriteFileBytes(dir_.file(name + ".DAT"), dat);
  }
  std::vector<std::string> Names(Fileblock* fb) {
    std::vector<std::string> names;
    for (int s = fb->FirstKey(2); s == 0; s = fb->NextKey(2))
      names.push_back(Current(fb).name);
    return names;
  }
  void ExpectSound(const std::string& name) {
    const CheckReport report = CheckFileblockFiles(PosixFileIo(), dir_.file(name));
    EXPECT_TRUE(report.ok());
    for (const auto& p : report.problems)
      ADD_FAILURE() << p;
  }
};

TEST_F(Repair, UnflushedFileIsRepairedSilently) {
  std::vector<int> reasons;
  RecordFileErrors().SetQuestion([&](const std::string&, int reason) {
    reasons.push_back(reason);
    return true;
  });
  Fileblock* fb = OpenTest("CRASHED");
  for (int i = 1; i <= 6; ++i)
    ASSERT_EQ(AddRecord(fb, {0, std::string(1, char('A' + i)), i, "C" + std::to_string(i)}), 0);
  for (int rec : {2, 4}) {
    ASSERT_EQ(fb->ReadRecord(rec), 0);
    ASSERT_EQ(fb->Delete(0), 0);
  }
  const std::vector<std::string> before = Names(fb);
  ASSERT_EQ(fb->Close(), 0);
  MarkInUse("CRASHED");
  reasons.clear();

  ASSERT_EQ(fb->FirstKey(2), 0);
  EXPECT_EQ(reasons, std::vector<int>{kReasonIndexDamaged});
  EXPECT_EQ(Names(fb), before);
  // Renumbered in the old order, deleted records gone from the file.
  std::vector<std::int32_t> values;
  for (int rec = 1; rec <= 4; ++rec) {
    ASSERT_EQ(fb->ReadRecord(rec), 0);
    values.push_back(Current(fb).value);
  }
  EXPECT_EQ(values, (std::vector<std::int32_t>{1, 3, 5, 6}));
  ASSERT_EQ(fb->Close(), 0);
  EXPECT_EQ(ReadFileBytes(dir_.file("CRASHED.DAT")).size(), 5u * kTestRecLen);
  EXPECT_FALSE(fs::exists(dir_.file("CRASHED.SAV")));
  EXPECT_FALSE(fs::exists(dir_.file("CRASHED.TMP")));
  EXPECT_FALSE(fs::exists(dir_.file("CRASHED.MSG")));
  ExpectSound("CRASHED");
}

TEST_F(Repair, EmptyKeysAreLeftOutAndDuplicatesGoToTheReport) {
  Fileblock* fb = OpenTest("DUPREP");
  ASSERT_EQ(AddRecord(fb, {0, "", 1, "SAME"}), 0); // an empty name
  ASSERT_EQ(AddRecord(fb, {0, "B", 2, "OTHER"}), 0);
  ASSERT_EQ(AddRecord(fb, {0, "C", 3, "THIRD"}), 0);
  std::int32_t count = 0;
  ASSERT_EQ(fb->KeyCount(2, &count), 0);
  EXPECT_EQ(count, 3); // a normal Add indexes the empty name
  ASSERT_EQ(fb->Close(), 0);
  // Record 3 gets the unique code of record 1 behind the engine's back.
  PatchRecord("DUPREP", 3, {3, "C", 3, "SAME"});
  const std::string raw =
      ReadFileBytes(dir_.file("DUPREP.DAT")).substr(3 * kTestRecLen, kTestRecLen);
  MarkInUse("DUPREP");

  ASSERT_EQ(fb->KeyCount(2, &count), 0);
  EXPECT_EQ(count, 1); // "B" only: the empty name is not added, record 3 is gone
  ASSERT_EQ(fb->FindKey(4, "SAME"), 0);
  EXPECT_EQ(fb->CurrentRecordNumber(), 1); // the lower record number stays
  std::int32_t used = 0;
  ASSERT_EQ(fb->UsedRecords(&used), 0);
  EXPECT_EQ(used, 2);
  const std::string expected =
      "Key:<SAME> KeyNr: 4 Ref: 3 not added\r\nData record deleted - Dump follows\r\n" + raw +
      "\r\n\r\n";
  EXPECT_EQ(ReadFileBytes(dir_.file("DUPREP.MSG")), expected);

  // A later repair appends to the report.
  ASSERT_EQ(AddRecord(fb, {0, "D", 4, "NEW"}), 0);
  const std::int32_t newRec = fb->CurrentRecordNumber();
  ASSERT_EQ(fb->Close(), 0);
  PatchRecord("DUPREP", newRec, {4, "D", 4, "OTHER"});
  ASSERT_EQ(fb->Repair(), 0);
  const std::string report = ReadFileBytes(dir_.file("DUPREP.MSG"));
  EXPECT_EQ(report.substr(0, expected.size()), expected);
  EXPECT_NE(report.find("Key:<OTHER> KeyNr: 4 Ref: 3 not added\r\n", expected.size()),
            std::string::npos);
  ASSERT_EQ(fb->Close(), 0);
  ExpectSound("DUPREP");
}

TEST_F(Repair, ForeignSaveFileBesideTheDataIsSetAsideNotInTheWay) {
  Fileblock* fb = OpenTest("BLOCKED");
  ASSERT_EQ(AddRecord(fb, {0, "A", 1, "A"}), 0);
  ASSERT_EQ(fb->Close(), 0);
  MarkInUse("BLOCKED");
  // Three bytes are no data file of this fileblock: the data file stays the data, and the
  // ".SAV" is kept under another name for a person to look at.
  WriteFileBytes(dir_.file("BLOCKED.SAV"), "old");
  ASSERT_EQ(fb->FirstKey(2), 0);
  EXPECT_EQ(Current(fb).name, "A");
  EXPECT_FALSE(fs::exists(dir_.file("BLOCKED.SAV")));
  EXPECT_EQ(ReadFileBytes(dir_.file("BLOCKED.K01")), "old");
  EXPECT_EQ(ReadFileBytes(dir_.file("BLOCKED.MSG")),
            "Interrupted repair: found BLOCKED.SAV beside BLOCKED.DAT; BLOCKED.SAV is no data file "
            "of this fileblock; kept BLOCKED.DAT, BLOCKED.SAV set aside as BLOCKED.K01\r\n");
  ASSERT_EQ(fb->Close(), 0);
  ExpectSound("BLOCKED");
}

TEST_F(Repair, InterruptedReorganisationRestoresTheSaveFile) {
  Fileblock* fb = OpenTest("HALFWAY");
  for (int i = 1; i <= 3; ++i)
    ASSERT_EQ(AddRecord(fb, {0, "N" + std::to_string(i), i, "C" + std::to_string(i)}), 0);
  ASSERT_EQ(fb->Close(), 0);
  // The old data file got its ".SAV" name, the new one never arrived.
  fs::rename(dir_.file("HALFWAY.DAT"), dir_.file("HALFWAY.SAV"));
  WriteFileBytes(dir_.file("HALFWAY.TMP"), "partial copy");
  std::int32_t used = 0;
  ASSERT_EQ(fb->UsedRecords(&used), 0);
  EXPECT_EQ(used, 3);
  ASSERT_EQ(fb->FindKey(2, "N2"), 0);
  EXPECT_FALSE(fs::exists(dir_.file("HALFWAY.SAV")));
  EXPECT_FALSE(fs::exists(dir_.file("HALFWAY.TMP")));
}

TEST_F(Repair, JournalFoundAtOpenMeansRebuild) {
  Fileblock* fb = OpenTest("JOURNAL");
  ASSERT_EQ(AddRecord(fb, {0, "A", 1, "A"}), 0);
  ASSERT_EQ(fb->Close(), 0);
  // A journal of another writer, and an index it never finished: the counts are wrong.
  WriteFileBytes(dir_.file("JOURNAL.DIA"), std::string(1, '\0'));
  std::string ix = ReadFileBytes(dir_.file("JOURNAL.IX"));
  format::StoreI32(ix.data() + format::kKhKeyCount, 99);
  WriteFileBytes(dir_.file("JOURNAL.IX"), ix);
  std::int32_t count = 0;
  ASSERT_EQ(fb->KeyCount(1, &count), 0);
  EXPECT_EQ(count, 1);
  EXPECT_FALSE(fs::exists(dir_.file("JOURNAL.DIA")));
}

TEST_F(Repair, ChangedKeyDefinitionsRebuildTheIndex) {
  Fileblock* fb = OpenTest("REDEF");
  ASSERT_EQ(AddRecord(fb, {0, "ALPHA", 1, "A"}), 0);
  Destroy(fb);
  FileblockParams params;
  params.name = "REDEF";
  params.fileName = "REDEF";
  params.recordLength = kTestRecLen;
  params.numKeys = 2;
  params.keyBuilder = [](const char* rec, int key) {
    return key == 1 ? TestKey(rec, 1) : TestKey(rec, 2).substr(0, 3);
  };
  fb = CreateFileblock(params);
  created_.push_back(fb);
  ASSERT_EQ(fb->DefineKey(1, 5, false), 0);
  ASSERT_EQ(fb->DefineKey(2, 3, true), 0);
  ASSERT_EQ(fb->FindKey(2, "ALP"), 0);
  ASSERT_EQ(fb->Close(), 0);
  ExpectSound("REDEF");

  // A different record length is a wrong definition, never repaired.
  params.name = "REDEF2";
  params.recordLength = kTestRecLen + 1;
  Fileblock* wrong = CreateFileblock(params);
  created_.push_back(wrong);
  ASSERT_EQ(wrong->DefineKey(1, 5, false), 0);
  ASSERT_EQ(wrong->DefineKey(2, 3, true), 0);
  EXPECT_EQ(wrong->EnsureOpen(), 4);
  EXPECT_EQ(LastError(), 24591);
}

TEST_F(Repair, ProgressHookSeesEveryRecordAndMayStop) {
  Fileblock* fb = OpenTest("HOOKED");
  for (int i = 1; i <= 4; ++i)
    ASSERT_EQ(AddRecord(fb, {0, "N", i, "C" + std::to_string(i)}), 0);
  ASSERT_EQ(fb->Close(), 0);
  MarkInUse("HOOKED");
  const std::string datBefore = ReadFileBytes(dir_.file("HOOKED.DAT"));
  std::vector<std::pair<int, int>> calls; // (phase, key)
  bool stop = true;
  ASSERT_EQ(fb->SetProgressHook([&](const std::string& name, int phase, int key, std::int32_t) {
    EXPECT_EQ(name, "HOOKED");
    calls.emplace_back(phase, key);
    return !(stop && phase == 1 && key == 2);
  }),
            0);
  EXPECT_EQ(fb->EnsureOpen(), 4);
  EXPECT_EQ(LastError(), 10460);
  EXPECT_TRUE(fs::exists(dir_.file("HOOKED.DAT")));
  // The compacted copy was in place; its index is incomplete, so InUse stays set.
  EXPECT_EQ(ReadFileBytes(dir_.file("HOOKED.DAT"))[format::kHdrInUse], 1);
  stop = false;
  calls.clear();
  ASSERT_EQ(fb->EnsureOpen(), 0);
  ASSERT_FALSE(calls.empty());
  EXPECT_EQ(calls.front(), std::make_pair(0, 0));
  EXPECT_EQ(calls.back().first, 2);
  EXPECT_EQ(std::count(calls.begin(), calls.end(), std::make_pair(1, 0)), 4); // copying
  EXPECT_EQ(std::count(calls.begin(), calls.end(), std::make_pair(1, 3)), 4); // key 3
  (void)datBefore;
}

TEST_F(Repair, DeclinedRebuildLeavesTheFileAlone) {
  Fileblock* fb = OpenTest("DECLINE");
  ASSERT_EQ(AddRecord(fb, {0, "N", 1, "C"}), 0);
  ASSERT_EQ(fb->Close(), 0);
  MarkInUse("DECLINE");
  RecordFileErrors().SetQuestion([](const std::string&, int) { return false; });
  EXPECT_EQ(fb->EnsureOpen(), 4);
  EXPECT_EQ(LastError(), 10010);
  EXPECT_EQ(ReadFileBytes(dir_.file("DECLINE.DAT"))[format::kHdrInUse], 1);
}

TEST_F(Repair, VariableRecordsWithBrokenChainsAreLeftOut) {
  FileblockParams params;
  params.name = "VARREP";
  params.fileName = "VARREP";
  params.variable = true;
  params.recordLength = 40;
  params.bufferSize = 120;
  params.numKeys = 1;
  params.keyBuilder = [](const char* rec, int) { return std::string(rec + 8, 4); };
  Fileblock* fb = CreateFileblock(params);
  created_.push_back(fb);
  ASSERT_EQ(fb->DefineKey(1, 4, true), 0);
  for (const char* tag : {"AAAA", "BBBB", "CCCC"}) {
    std::memset(fb->RecordBuffer(), 0, 120);
    std::memcpy(fb->RecordBuffer() + 8, tag, 4);
    std::memset(fb->RecordBuffer() + 12, tag[0], 100);
    ASSERT_EQ(fb->Add(), 0);
  }
  ASSERT_EQ(fb->FindKey(1, "BBBB"), 0);
  const std::int32_t broken = fb->CurrentRecordNumber();
  ASSERT_EQ(fb->Close(), 0);
  // Point the main section of BBBB at itself.
  std::string dat = ReadFileBytes(dir_.file("VARREP.DAT"));
  format::StoreI32(dat.data() + broken * 40 + 36, broken);
  dat[format::kHdrInUse] = 1;
  WriteFileBytes(dir_.file("VARREP.DAT"), dat);

  ASSERT_EQ(fb->FirstKey(1), 0);
  std::vector<std::string> tags;
  for (int s = 0; s == 0; s = fb->NextKey(1)) {
    tags.emplace_back(fb->RecordBuffer() + 8, 4);
    EXPECT_EQ(std::string(fb->RecordBuffer() + 12, 100), std::string(100, tags.back()[0]));
  }
  EXPECT_EQ(tags, (std::vector<std::string>{"AAAA", "CCCC"}));
  EXPECT_NE(ReadFileBytes(dir_.file("VARREP.MSG")).find("broken section chain"), std::string::npos);
}

} // namespace
} // namespace tarvik::test
