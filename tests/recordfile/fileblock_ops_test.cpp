// The operations of fileblock objects: numbering, changes, reading by key, positions,
// misuse errors and the files they touch.

#include <gtest/gtest.h>

#include <fstream>
#include <set>

#include "support/storage_test_support.h"

namespace tarvik::test {
namespace {

using FileblockOps = EngineTest;

TEST_F(FileblockOps, AutoNumberIsOneAboveTheHighest) {
  Fileblock* fb = OpenTest("AUTO");
  for (int i = 1; i <= 5; ++i) {
    ASSERT_EQ(AddRecord(fb, {0, "Q", i, "C" + std::to_string(i)}), 0);
    EXPECT_EQ(Current(fb).number, i);
  }
  // Deleting the highest number gives it out again; a gap below is not filled.
  ASSERT_EQ(fb->FindKey(1, NumKey5(5)), 0);
  ASSERT_EQ(fb->Delete(kDeleteNoPosition), 0);
  ASSERT_EQ(fb->FindKey(1, NumKey5(2)), 0);
  ASSERT_EQ(fb->Delete(kDeleteNoPosition), 0);
  ASSERT_EQ(AddRecord(fb, {99, "Q", 6, "C6"}), 0);
  EXPECT_EQ(Current(fb).number, 5);
  ASSERT_EQ(AddRecord(fb, {0, "Q", 7, "C7"}), 0);
  EXPECT_EQ(Current(fb).number, 6);
}

TEST_F(FileblockOps, RefusedUniqueKeyLeavesNoTrace) {
  Fileblock* fb = OpenTest("UNIQ");
  ASSERT_EQ(AddRecord(fb, {0, "FIRST", 1, "SAME"}), 0);
  ASSERT_EQ(fb->Close(), 0);
  const std::string datBefore = ReadFileBytes(dir_.file("UNIQ.DAT"));
  const std::string ixBefore = ReadFileBytes(dir_.file("UNIQ.IX"));

  TestRecord dup{0, "SECOND", 2, "SAME"};
  dup.Store(fb->RecordBuffer());
  const std::string bufferBefore(fb->RecordBuffer(), kTestRecLen);
  EXPECT_EQ(fb->Add(), 1); // a duplicate is of class 1, like "not found"
  EXPECT_EQ(LastError(), 10230);
  EXPECT_EQ(std::string(fb->RecordBuffer(), kTestRecLen), bufferBefore); // auto field too
  ASSERT_EQ(fb->Close(), 0);
  EXPECT_EQ(ReadFileBytes(dir_.file("UNIQ.DAT")), datBefore);
  EXPECT_EQ(ReadFileBytes(dir_.file("UNIQ.IX")), ixBefore);
  std::int32_t count = 0;
  ASSERT_EQ(fb->KeyCount(2, &count), 0);
  EXPECT_EQ(count, 1);
}

TEST_F(FileblockOps, KeyLongerThanDeclaredIsRefused) {
  Fileblock* fb = OpenTest("LONG");
  EXPECT_EQ(AddRecord(fb, {0, "N", 1, std::string(12, 'x')}), 0);
  // The builder is asked for a 13-byte code by cheating the length byte.
  TestRecord r{0, "N", 2, "y"};
  r.Store(fb->RecordBuffer());
  fb->RecordBuffer()[kCodeAt] = 13; // the code key trusts the length byte up to 13
  EXPECT_EQ(fb->Add(), 4);
  EXPECT_EQ(LastError(), 10125);
}

TEST_F(FileblockOps, UpdateWritesOnlyWhatChanged) {
  MemoryFileIo& io = UseMemoryFiles();
  Fileblock* fb = OpenTest("UPD");
  ASSERT_EQ(AddRecord(fb, {0, "NAME", 1, "C1"}), 0);
  ASSERT_EQ(fb->Close(), 0);
  const std::string base = dir_.path() + "UPD";

  ASSERT_EQ(fb->ReadRecord(1), 0);
  long writes = io.writeCount();
  EXPECT_EQ(fb->Update(), 0); // unchanged buffer: nothing is written
  EXPECT_EQ(io.writeCount(), writes);

  const std::string ixBefore = io.FileContents(base + ".IX");
  fb->RecordBuffer()[kTestRecLen - 1] = 'x'; // not part of any key
  ASSERT_EQ(fb->Update(), 0);
  ASSERT_EQ(fb->Close(), 0);
  EXPECT_EQ(io.FileContents(base + ".IX"), ixBefore);
  EXPECT_EQ(io.FileContents(base + ".DAT")[2 * kTestRecLen - 1], 'x');

  // A changed key moves its entry.
  ASSERT_EQ(fb->ReadRecord(1), 0);
  TestRecord r = Current(fb);
  r.name = "RENAMED";
  r.Store(fb->RecordBuffer());
  ASSERT_EQ(fb->Update(), 0);
  EXPECT_EQ(fb->FindKey(2, "NAME"), 1);
  EXPECT_EQ(fb->FindKey(2, "RENAMED"), 0);
  EXPECT_EQ(fb->CurrentRecordNumber(), 1);
}

TEST_F(FileblockOps, UpdateIntoAnExistingUniqueKeyIsRefused) {
  Fileblock* fb = OpenTest("UPDUNIQ");
  ASSERT_EQ(AddRecord(fb, {0, "A", 1, "ONE"}), 0);
  ASSERT_EQ(AddRecord(fb, {0, "B", 2, "TWO"}), 0);
  ASSERT_EQ(fb->FindKey(4, "TWO"), 0);
  TestRecord r = Current(fb);
  r.code = "ONE";
  r.name = "CHANGED";
  r.Store(fb->RecordBuffer());
  EXPECT_EQ(fb->Update(), 1);
  EXPECT_EQ(LastError(), 10230);
  EXPECT_EQ(fb->FindKey(2, "B"), 0); // old keys untouched
  EXPECT_EQ(fb->FindKey(2, "CHANGED"), 1);
}

TEST_F(FileblockOps, UpdateOfARecordDeletedMeanwhileAsksToAddItAnew) {
  FileblockParams params;
  params.name = "GONE";
  params.fileName = "GONE";
  params.recordLength = 30;
  Fileblock* fb = CreateFileblock(params);
  created_.push_back(fb);
  std::memset(fb->RecordBuffer(), 0, 30);
  ASSERT_EQ(fb->Add(), 0);
  ASSERT_EQ(fb->Add(), 0);
  ASSERT_EQ(fb->ReadRecord(1), 0);
  ASSERT_EQ(fb->Close(), 0);
  // Someone else deletes record 1 while its copy sits in the buffer.
  std::string dat = ReadFileBytes(dir_.file("GONE.DAT"));
  format::StoreI32(dat.data() + 0, 1);   // FirstFree
  format::StoreI32(dat.data() + 4, 1);   // NumberFree
  format::StoreI32(dat.data() + 30, -1); // record 1 ends the chain
  WriteFileBytes(dir_.file("GONE.DAT"), dat);

  std::vector<int> reasons;
  bool answer = false;
  RecordFileErrors().SetQuestion([&](const std::string& name, int reason) {
    EXPECT_EQ(name, "GONE");
    reasons.push_back(reason);
    return answer;
  });
  fb->RecordBuffer()[10] = 'x';
  EXPECT_EQ(fb->Update(), 1);
  EXPECT_EQ(LastError(), 12289);
  EXPECT_EQ(reasons, std::vector<int>{4});
  answer = true;
  ASSERT_EQ(fb->Update(), 0);
  EXPECT_EQ(fb->CurrentRecordNumber(), 1); // added anew, into the free record
  ASSERT_EQ(fb->ReadRecord(1), 0);
  EXPECT_EQ(fb->RecordBuffer()[10], 'x');
}

TEST_F(FileblockOps, DuplicatesComeInRecordOrder) {
  Fileblock* fb = OpenTest("DUPS");
  for (int i = 1; i <= 6; ++i)
    ASSERT_EQ(AddRecord(fb, {0, i % 2 ? "ODD" : "EVEN", i, "C" + std::to_string(i)}), 0);
  ASSERT_EQ(fb->FindKey(2, "ODD"), 0);
  EXPECT_EQ(fb->CurrentRecordNumber(), 1);
  ASSERT_EQ(fb->NextKey(2), 0);
  EXPECT_EQ(fb->CurrentRecordNumber(), 3);
  ASSERT_EQ(fb->NextKey(2), 0);
  EXPECT_EQ(fb->CurrentRecordNumber(), 5);
  EXPECT_EQ(fb->NextKey(2), 1);
  EXPECT_EQ(LastError(), 10250);
  EXPECT_EQ(fb->CurrentRecordNumber(), 5);
  ASSERT_EQ(fb->PrevKey(2), 0);
  EXPECT_EQ(fb->CurrentRecordNumber(), 3);
  // Switching keys: the step starts from the current record's entry in the other key.
  ASSERT_EQ(fb->NextKey(1), 0);
  EXPECT_EQ(Current(fb).number, 4);
  ASSERT_EQ(fb->FindKey(2, "EVEN"), 0);
  EXPECT_EQ(fb->CurrentRecordNumber(), 2);
  ASSERT_EQ(fb->PrevKey(2), 1);
  EXPECT_EQ(LastError(), 10260);
}

TEST_F(FileblockOps, SearchFindsTheFirstKeyAtOrAbove) {
  Fileblock* fb = OpenTest("SEARCH");
  for (const char* name : {"DL1ABC", "DL1A", "DK0XX", "DM2"})
    ASSERT_EQ(AddRecord(fb, {0, name, 0, name}), 0);
  ASSERT_EQ(fb->SearchKey(2, "DL1"), 0);
  EXPECT_EQ(Current(fb).name, "DL1A"); // a prefix sorts before every longer key
  ASSERT_EQ(fb->SearchKey(2, "DL1AB"), 0);
  EXPECT_EQ(Current(fb).name, "DL1ABC");
  EXPECT_EQ(fb->SearchKey(2, "DN"), 1);
  EXPECT_EQ(LastError(), 10210);
  EXPECT_EQ(fb->FindKey(2, "DL1"), 1);
  EXPECT_EQ(LastError(), 10200);
  EXPECT_EQ(Current(fb).name, "DL1ABC"); // a failed search leaves the record
}

TEST_F(FileblockOps, DeleteRepositionsByKeyOrByNumber) {
  Fileblock* fb = OpenTest("DELPOS");
  for (int i = 1; i <= 5; ++i)
    ASSERT_EQ(AddRecord(fb, {0, std::string(1, char('F' - i)), i, "C" + std::to_string(i)}), 0);
  // Names: E D C B A for records 1..5.
  ASSERT_EQ(fb->FindKey(2, "C"), 0);
  ASSERT_EQ(fb->Delete(kDeleteThenNext), 0);
  EXPECT_EQ(Current(fb).name, "D");
  ASSERT_EQ(fb->Delete(kDeleteThenPrevious), 0);
  EXPECT_EQ(Current(fb).name, "B");
  ASSERT_EQ(fb->Delete(kDeleteThenLast), 0);
  EXPECT_EQ(Current(fb).name, "E");
  ASSERT_EQ(fb->ReadRecord(1), 0); // by number now
  ASSERT_EQ(fb->Delete(kDeleteThenNext), 0);
  EXPECT_EQ(fb->CurrentRecordNumber(), 5);
  EXPECT_EQ(fb->Delete(kDeleteThenNext), 1); // nothing after the last live record
  EXPECT_EQ(LastError(), 12357);
  EXPECT_EQ(fb->CurrentRecordNumber(), -1);
  std::int32_t used = -1;
  ASSERT_EQ(fb->UsedRecords(&used), 0);
  EXPECT_EQ(used, 0);
}

TEST_F(FileblockOps, MisuseErrors) {
  Fileblock* fb = OpenTest("MISUSE");
  EXPECT_EQ(fb->Update(), 5);
  EXPECT_EQ(LastError(), 28691);
  EXPECT_EQ(fb->Delete(0), 5);
  EXPECT_EQ(LastError(), 28694);
  EXPECT_EQ(fb->NextKey(2), 5);
  EXPECT_EQ(LastError(), 28715);
  std::int32_t rec;
  std::string key;
  EXPECT_EQ(fb->NextEntry(2, &rec, &key), 1);
  EXPECT_EQ(LastError(), 10255);
  EXPECT_EQ(fb->PrevEntry(2, &rec, &key), 1);
  EXPECT_EQ(LastError(), 10265);
  EXPECT_EQ(fb->FindKey(5, "x"), 4);
  EXPECT_EQ(LastError(), 10164);

  TestRecord{0, "A", 1, "A"}.Store(fb->RecordBuffer());
  format::StoreI32(fb->RecordBuffer(), 7);
  EXPECT_EQ(fb->Add(), 5);
  EXPECT_EQ(LastError(), 28689);
  ASSERT_EQ(AddRecord(fb, {0, "A", 1, "A"}), 0);
  format::StoreI32(fb->RecordBuffer(), 7);
  EXPECT_EQ(fb->Update(), 5);
  EXPECT_EQ(LastError(), 28692);
  format::StoreI32(fb->RecordBuffer(), 0);
  fb->RecordBuffer()[kTestRecLen - 1] = 1; // not what was read
  EXPECT_EQ(fb->Delete(0), 5);
  EXPECT_EQ(LastError(), 28752);

  EXPECT_EQ(fb->DefineKey(5, 3, false), 5);
  EXPECT_EQ(LastError(), 28709);
  EXPECT_EQ(fb->DefineKey(2, 0, false), 5);
  EXPECT_EQ(LastError(), 28717);
  EXPECT_EQ(fb->DefineKey(2, 51, false), 5);
  EXPECT_EQ(LastError(), 28685);
  EXPECT_EQ(fb->DefineAutoNumber(2, kTestRecLen - 2), 5);
  EXPECT_EQ(LastError(), 28711);
  EXPECT_EQ(fb->DefineAutoNumber(3, kValueAt), 5); // key 3 is Long4, not NumKey5
  EXPECT_EQ(LastError(), 28726);
}

TEST_F(FileblockOps, DefinitionErrorsAppearAtTheFirstOpen) {
  FileblockParams params;
  params.name = "UNDEF";
  params.fileName = "UNDEF";
  params.recordLength = kTestRecLen;
  params.numKeys = 2;
  params.keyBuilder = TestKey;
  Fileblock* fb = CreateFileblock(params);
  created_.push_back(fb);
  ASSERT_EQ(fb->DefineKey(1, 5, false), 0);
  EXPECT_EQ(fb->EnsureOpen(), 5);
  EXPECT_EQ(LastError(), 28710);

  params.name = "SHORT";
  params.fileName = "SHORT";
  params.recordLength = 21;
  params.numKeys = 0;
  Fileblock* small = CreateFileblock(params);
  created_.push_back(small);
  EXPECT_EQ(small->EnsureOpen(), 5);
  EXPECT_EQ(LastError(), 28682);

  params.name = "";
  params.recordLength = 40;
  Fileblock* unnamed = CreateFileblock(params);
  created_.push_back(unnamed);
  EXPECT_EQ(unnamed->EnsureOpen(), 5);
  EXPECT_EQ(LastError(), 28677);
}

TEST_F(FileblockOps, EntriesWithoutRecords) {
  Fileblock* fb = OpenTest("ENTRIES");
  for (int i = 1; i <= 4; ++i)
    ASSERT_EQ(AddRecord(fb, {0, "K", i, "C" + std::to_string(i)}), 0);
  ASSERT_EQ(AddRecord(fb, {0, "L", 9, "C9"}), 0);
  std::int32_t rec = 0;
  std::string key;
  ASSERT_EQ(fb->ReadRecord(1), 0);
  const std::int32_t current = fb->CurrentRecordNumber();
  // Exact entry, then the neighbours, without reading records.
  ASSERT_EQ(fb->FindEntry(2, 3, 0, "K", &rec, &key), 0);
  EXPECT_EQ(rec, 3);
  ASSERT_EQ(fb->NextEntry(2, &rec, &key), 0);
  EXPECT_EQ(rec, 4);
  ASSERT_EQ(fb->NextEntry(2, &rec, &key), 0);
  EXPECT_EQ(key, "L");
  EXPECT_EQ(fb->NextEntry(2, &rec, &key), 1);
  EXPECT_EQ(LastError(), 10250);
  ASSERT_EQ(fb->PrevEntry(2, &rec, &key), 0);
  EXPECT_EQ(rec, 4);
  EXPECT_EQ(fb->CurrentRecordNumber(), current);
  // Missing entry: direction decides.
  EXPECT_EQ(fb->FindEntry(2, 7, 0, "K", &rec, &key), 1);
  EXPECT_EQ(LastError(), 10270);
  ASSERT_EQ(fb->FindEntry(2, 7, 1, "K", &rec, &key), 0);
  EXPECT_EQ(key, "L");
  ASSERT_EQ(fb->FindEntry(2, 7, -1, "K", &rec, &key), 0);
  EXPECT_EQ(rec, 4);
  ASSERT_EQ(fb->FindEntry(2, 0, 1, "", &rec, &key), 0);
  EXPECT_EQ(rec, 1);
  ASSERT_EQ(fb->FindEntry(2, INT32_MAX, -1, std::string(50, '\xFF'), &rec, &key), 0);
  EXPECT_EQ(rec, 5);
  EXPECT_EQ(fb->FindEntry(2, INT32_MAX, 1, "Z", &rec, &key), 1);
  // A position survives changes to the key: it is found again by its entry.
  ASSERT_EQ(fb->FindEntry(2, 2, 0, "K", &rec, &key), 0);
  ASSERT_EQ(AddRecord(fb, {0, "K", 5, "C5"}), 0); // record 6, between (K,4) and L
  ASSERT_EQ(fb->NextEntry(2, &rec, &key), 0);
  EXPECT_EQ(rec, 3);
}

TEST_F(FileblockOps, SavedPositionsAreFoundAgain) {
  Fileblock* fb = OpenTest("POS");
  for (int i = 1; i <= 5; ++i)
    ASSERT_EQ(AddRecord(fb, {0, "N" + std::to_string(i), i, "C" + std::to_string(i)}), 0);
  ASSERT_EQ(fb->FindKey(2, "N3"), 0);
  SavedPosition pos;
  ASSERT_EQ(fb->SavePosition(2, &pos), 0);
  EXPECT_EQ(pos.record, 3);
  EXPECT_EQ(pos.keyString, "N3");
  ASSERT_EQ(fb->FirstKey(2), 0);
  ASSERT_EQ(RestorePosition(pos, 0), 0);
  EXPECT_EQ(fb->CurrentRecordNumber(), 3);
  ASSERT_EQ(fb->Delete(kDeleteNoPosition), 0);
  EXPECT_EQ(RestorePosition(pos, 0), 1);
  EXPECT_EQ(LastError(), 12351);
  ASSERT_EQ(RestorePosition(pos, 2), 0);
  EXPECT_EQ(Current(fb).name, "N4");
  ASSERT_EQ(RestorePosition(pos, 4), 0);
  EXPECT_EQ(Current(fb).name, "N2");
  pos.keyString = "N9";
  pos.record = 9;
  EXPECT_EQ(RestorePosition(pos, 2), 1);
  ASSERT_EQ(RestorePosition(pos, 1), 0); // tries the other direction
  EXPECT_EQ(Current(fb).name, "N5");
  pos.keyString = "A";
  EXPECT_EQ(RestorePosition(pos, 4), 1);
  ASSERT_EQ(RestorePosition(pos, 3), 0);
  EXPECT_EQ(Current(fb).name, "N1");
  SavedPosition bogus = pos;
  bogus.fileblock = reinterpret_cast<Fileblock*>(&bogus);
  EXPECT_EQ(RestorePosition(bogus, 0), 5);
  EXPECT_EQ(LastError(), 28736);
}

TEST_F(FileblockOps, RelativePositionsFollowKeyOrder) {
  Fileblock* fb = OpenTest("RELPOS");
  std::int32_t pos = 0;
  std::int32_t rec = 0;
  std::string key;
  EXPECT_EQ(fb->KeyToRelPos(1, "", 0, 100, &pos), 1);
  EXPECT_EQ(LastError(), 10285);
  EXPECT_EQ(fb->RelPosToKey(1, 5, 100, &rec, &key), 1);
  EXPECT_EQ(LastError(), 10280);
  for (int i = 1; i <= 3000; ++i)
    ASSERT_EQ(AddRecord(fb, {0, "N", i, "C" + std::to_string(i)}), 0);
  EXPECT_EQ(fb->KeyToRelPos(1, "", 0, 0, &pos), 4);
  EXPECT_EQ(LastError(), 10425);
  EXPECT_EQ(fb->RelPosToKey(1, 101, 100, &rec, &key), 4);
  EXPECT_EQ(LastError(), 10420);
  // Positions grow with the key and cover the scale; entries found for positions grow too.
  std::int32_t previous = -1;
  for (int n = 1; n <= 3000; n += 97) {
    ASSERT_EQ(fb->KeyToRelPos(1, NumKey5(n), n, 1000, &pos), 0);
    EXPECT_GE(pos, previous);
    EXPECT_NEAR(pos, n * 1000 / 3000, 60) << n;
    previous = pos;
  }
  std::int32_t previousNumber = 0;
  for (int a = 0; a <= 1000; a += 50) {
    ASSERT_EQ(fb->RelPosToKey(1, a, 1000, &rec, &key), 0);
    const std::int32_t number = key.empty() ? 0 : DecodeNumKey5(key);
    EXPECT_GE(number, previousNumber);
    EXPECT_NEAR(number, a * 3, 200) << a;
    previousNumber = number;
  }
}

TEST_F(FileblockOps, ReentryFromACallbackIsRefused) {
  FileblockParams params;
  params.name = "REENTER";
  params.fileName = "REENTER";
  params.recordLength = kTestRecLen;
  params.numKeys = 1;
  Fileblock* fb = nullptr;
  int inner = -1;
  params.keyBuilder = [&](const char* rec, int key) {
    std::string ignored;
    if (inner < 0)
      inner = fb->BuildKey(1, &ignored);
    return TestKey(rec, key + 1);
  };
  fb = CreateFileblock(params);
  created_.push_back(fb);
  ASSERT_EQ(fb->DefineKey(1, 50, true), 0);
  EXPECT_EQ(AddRecord(fb, {0, "X", 1, "X"}), 5);
  EXPECT_EQ(inner, 5);
  EXPECT_EQ(LastError(), 28770);
}

TEST_F(FileblockOps, VariableLengthRecordsSpanSections) {
  FileblockParams params;
  params.name = "VAR";
  params.fileName = "VAR";
  params.variable = true;
  params.recordLength = 40; // section: 34 data bytes in the main section, 33 in the others
  params.bufferSize = 200;
  params.numKeys = 2;
  params.keyBuilder = [](const char* rec, int key) {
    return key == 1 ? NumKey5(format::LoadI32(rec + 4)) : std::string(rec + 8, 3);
  };
  Fileblock* fb = CreateFileblock(params);
  created_.push_back(fb);
  ASSERT_EQ(fb->DefineKey(1, 5, false), 0);
  ASSERT_EQ(fb->DefineKey(2, 3, true), 0);
  ASSERT_EQ(fb->DefineAutoNumber(1, 4), 0);
  auto fill = [&](const std::string& tag, std::size_t length) {
    std::memset(fb->RecordBuffer(), 0, 200);
    std::memcpy(fb->RecordBuffer() + 8, tag.data(), 3);
    for (std::size_t i = 11; i < length; ++i)
      fb->RecordBuffer()[i] = static_cast<char>('a' + i % 26);
  };
  fill("BIG", 200);
  ASSERT_EQ(fb->Add(), 0);
  const std::string big(fb->RecordBuffer(), 200);
  fill("SML", 20);
  ASSERT_EQ(fb->Add(), 0);
  const std::string small(fb->RecordBuffer(), 200);
  ASSERT_EQ(fb->Close(), 0);

  // 200 bytes = 34 in the main section + 6 continuation sections; they are allocated
  // first, so the main section of the first record is number 7.
  ASSERT_EQ(fb->FindKey(2, "BIG"), 0);
  EXPECT_EQ(fb->CurrentRecordNumber(), 7);
  EXPECT_EQ(std::string(fb->RecordBuffer(), 200), big);
  ASSERT_EQ(fb->FindKey(2, "SML"), 0);
  EXPECT_EQ(std::string(fb->RecordBuffer(), 200), small);
  const std::string dat = ReadFileBytes(dir_.file("VAR.DAT"));
  EXPECT_EQ(dat[5 * 40], 1); // a continuation section

  // Update shrinks the big record; its old sections go to the free chain and are used again.
  ASSERT_EQ(fb->FindKey(2, "BIG"), 0);
  std::memset(fb->RecordBuffer() + 50, 0, 150);
  const std::string shrunk(fb->RecordBuffer(), 200);
  ASSERT_EQ(fb->Update(), 0);
  std::int32_t used = 0;
  ASSERT_EQ(fb->UsedRecords(&used), 0);
  EXPECT_EQ(used, 2 + 1); // two main sections and one continuation
  ASSERT_EQ(fb->FindKey(2, "BIG"), 0);
  EXPECT_EQ(std::string(fb->RecordBuffer(), 200), shrunk);
  ASSERT_EQ(fb->Delete(kDeleteNoPosition), 0);
  ASSERT_EQ(fb->UsedRecords(&used), 0);
  EXPECT_EQ(used, 1);
}

} // namespace
} // namespace tarvik::test

namespace tarvik::test {
namespace {

TEST_F(FileblockOps, StepsStartFromTheRecordAsItIsNow) {
  Fileblock* fb = OpenTest("STEPS");
  for (const char* name : {"A", "C", "E", "G"})
    ASSERT_EQ(AddRecord(fb, {0, name, 0, name}), 0);
  // Renaming the current record moves its entry: the next step starts from the new place.
  ASSERT_EQ(fb->FindKey(2, "C"), 0);
  TestRecord r = Current(fb);
  r.name = "F";
  r.Store(fb->RecordBuffer());
  ASSERT_EQ(fb->Update(), 0);
  ASSERT_EQ(fb->NextKey(2), 0);
  EXPECT_EQ(Current(fb).name, "G");
  // A deleted record's number given to a new record: no step from the old entry.
  ASSERT_EQ(fb->FindKey(2, "E"), 0);
  const std::int32_t rec = fb->CurrentRecordNumber();
  ASSERT_EQ(fb->Delete(kDeleteNoPosition), 0);
  ASSERT_EQ(AddRecord(fb, {0, "B", 0, "B"}), 0);
  ASSERT_EQ(fb->CurrentRecordNumber(), rec);
  ASSERT_EQ(fb->NextKey(2), 0);
  EXPECT_EQ(Current(fb).name, "F");
}

} // namespace
} // namespace tarvik::test
