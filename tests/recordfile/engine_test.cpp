// The engine as a whole: start and stop, the list of fileblock objects, the budget of open
// files, creating missing files, exclusive use and file names.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "base/data_directory.h"
#include "support/storage_test_support.h"

namespace tarvik::test {
namespace {

using Engine = EngineTest;

TEST_F(Engine, StartAndStopRules) {
  EXPECT_EQ(InitEngine(160, 32), 5);
  EXPECT_EQ(LastError(), 28744);
  Fileblock* fb = OpenTest("KEEP");
  EXPECT_EQ(ExitEngine(), 5);
  EXPECT_EQ(LastError(), 28724);
  Destroy(fb);
  ASSERT_EQ(ExitEngine(), 0);
  EXPECT_EQ(CloseAll(), 5);
  EXPECT_EQ(LastError(), 28675);
  EXPECT_EQ(CreateFileblock({}), nullptr);
  EXPECT_EQ(LastError(), 28675);
  EXPECT_EQ(InitEngine(160, 6), 5);
  EXPECT_EQ(LastError(), 28698);
  EXPECT_EQ(InitEngine(7, 32), 4);
  EXPECT_EQ(LastError(), 10000);
  ASSERT_EQ(InitEngine(8, 7), 0);
}

TEST_F(Engine, FindsObjectsByNameIgnoringCase) {
  Fileblock* fb = OpenTest("KXKK");
  EXPECT_EQ(FindFileblock("kxkk"), fb);
  EXPECT_EQ(FindFileblock("KXLK0001"), nullptr);
  EXPECT_EQ(RecordFileErrors().Severity(), 1);
  EXPECT_EQ(LastError(), 12364);
  EXPECT_TRUE(SameFileblockName("M\x84RZ", "M\x8ERZ"));
  EXPECT_TRUE(SameFileblockName("\x94\x81", "\x99\x9A"));
  EXPECT_FALSE(SameFileblockName("KXKK", "KXKZ"));
  EXPECT_TRUE(IsFileblock(fb));
  Destroy(fb);
  EXPECT_FALSE(IsFileblock(fb));
  EXPECT_EQ(fb->EnsureOpen(), 4); // no longer an object of the engine
  EXPECT_EQ(LastError(), 24607);
}

TEST_F(Engine, OpenFileBudgetClosesTheLeastRecentlyUsed) {
  std::vector<Fileblock*> fbs;
  for (int i = 0; i < 17; ++i) {
    fbs.push_back(OpenTest("LRU" + std::to_string(i)));
    ASSERT_EQ(AddRecord(fbs.back(), {0, "N", i, "C"}), 0);
  }
  // 16 two-file fileblocks fill the budget of 32: the 17th closed the first one.
  EXPECT_FALSE(fbs[0]->IsOpen());
  for (int i = 1; i < 17; ++i)
    EXPECT_TRUE(fbs[i]->IsOpen()) << i;
  ASSERT_EQ(fbs[1]->FirstKey(2), 0); // now the most recently used
  ASSERT_EQ(fbs[0]->FirstKey(2), 0); // reopens, closing number 2
  EXPECT_EQ(Current(fbs[0]).value, 0);
  EXPECT_TRUE(fbs[1]->IsOpen());
  EXPECT_FALSE(fbs[2]->IsOpen());
}

TEST_F(Engine, MissingFilesAreCreatedOrReported) {
  std::vector<int> reasons;
  bool answer = true;
  RecordFileErrors().SetQuestion([&](const std::string&, int reason) {
    reasons.push_back(reason);
    return answer;
  });
  Fileblock* fb = OpenTest("NEWFILE");
  ASSERT_EQ(fb->EnsureOpen(), 0);
  EXPECT_EQ(reasons, std::vector<int>{kReasonFileMissing});
  ASSERT_EQ(AddRecord(fb, {0, "N", 1, "C"}), 0);
  ASSERT_EQ(fb->Close(), 0);

  // A deleted data file (and index) is recreated empty at the next operation.
  std::filesystem::remove(dir_.file("NEWFILE.DAT"));
  std::filesystem::remove(dir_.file("NEWFILE.IX"));
  EXPECT_EQ(fb->FirstKey(2), 1);
  EXPECT_EQ(LastError(), 10250);

  Fileblock* declined = OpenTest("DECLINED");
  answer = false;
  EXPECT_EQ(declined->EnsureOpen(), 1);
  EXPECT_EQ(LastError(), 12328);
  EXPECT_FALSE(std::filesystem::exists(dir_.file("DECLINED.DAT")));

  FileblockParams params;
  params.name = "NOCREATE";
  params.fileName = "NOCREATE";
  params.recordLength = 30;
  params.createIfMissing = false;
  Fileblock* nocreate = CreateFileblock(params);
  created_.push_back(nocreate);
  EXPECT_EQ(nocreate->EnsureOpen(), 1);
  EXPECT_EQ(LastError(), 12323);
}

TEST_F(Engine, DataFileWithoutIndexIsRepairedNotRecreated) {
  Fileblock* fb = OpenTest("NOIX");
  for (int i = 1; i <= 3; ++i)
    ASSERT_EQ(AddRecord(fb, {0, "N", i, "C" + std::to_string(i)}), 0);
  ASSERT_EQ(fb->Close(), 0);
  std::filesystem::remove(dir_.file("NOIX.IX"));
  std::int32_t count = 0;
  ASSERT_EQ(fb->KeyCount(4, &count), 0);
  EXPECT_EQ(count, 3);
  ASSERT_EQ(fb->FindKey(4, "C2"), 0);
  EXPECT_EQ(Current(fb).value, 2);
}

TEST_F(Engine, EmptyDataFileIsReplacedByItsBackup) {
  Fileblock* fb = OpenTest("BACKUP");
  ASSERT_EQ(AddRecord(fb, {0, "SAVED", 1, "C"}), 0);
  Destroy(fb);
  std::filesystem::copy_file(dir_.file("BACKUP.DAT"), dir_.file("BACKUP.ALT"));
  WriteFileBytes(dir_.file("BACKUP.DAT"), "");
  fb = OpenTest("BACKUP");
  EXPECT_FALSE(std::filesystem::exists(dir_.file("BACKUP.ALT")));
  ASSERT_EQ(fb->FindKey(2, "SAVED"), 0);
}

TEST_F(Engine, SecondUserOfTheSameFilesIsRefused) {
  Fileblock* first = OpenTest("SHARED");
  ASSERT_EQ(first->EnsureOpen(), 0);
  FileblockParams params;
  params.name = "SHARED-AGAIN";
  params.fileName = "SHARED";
  params.recordLength = kTestRecLen;
  params.numKeys = 4;
  params.keyBuilder = TestKey;
  Fileblock* second = CreateFileblock(params);
  created_.push_back(second);
  for (int k = 1; k <= 4; ++k)
    ASSERT_EQ(
        second->DefineKey(k, k == 2 ? 50 : (k == 1 ? 5 : (k == 3 ? 4 : 12)), k == 2 || k == 3), 0);
  EXPECT_EQ(second->EnsureOpen(), 4);
  EXPECT_EQ(LastError(), 10140);
  EXPECT_EQ(RecordFileErrors().Entries().back().osFunction, 0x6C00);
  ASSERT_EQ(first->Close(), 0);
  EXPECT_EQ(second->EnsureOpen(), 0);
}

TEST_F(Engine, RelativeNamesLieInTheDataDirectory) {
  Fileblock* fb = OpenTest("WHERE");
  const auto elsewhere = std::filesystem::path(dir_.path()) / "sub";
  std::filesystem::create_directory(elsewhere);
  std::filesystem::current_path(elsewhere); // a file dialog changed the working directory
  ASSERT_EQ(AddRecord(fb, {0, "N", 1, "C"}), 0);
  EXPECT_TRUE(std::filesystem::exists(dir_.file("WHERE.DAT")));
  EXPECT_FALSE(std::filesystem::exists(elsewhere / "WHERE.DAT"));
  EXPECT_EQ(fb->FileName(), dir_.path() + "WHERE");
}

TEST_F(Engine, LongFileNamesAreNotCut) {
  const std::string longName(240, 'L');
  Fileblock* a = OpenTest(longName + "A");
  Fileblock* b = OpenTest(longName + "B");
  ASSERT_EQ(AddRecord(a, {0, "A", 1, "A"}), 0);
  ASSERT_EQ(AddRecord(b, {0, "B", 1, "B"}), 0);
  ASSERT_EQ(b->FirstKey(2), 0);
  EXPECT_EQ(Current(b).name, "B"); // distinct files, however long the names
  Fileblock* tooLong = OpenTest(std::string(260, 'X'));
  EXPECT_EQ(tooLong->EnsureOpen(), 4);
  EXPECT_EQ(LastError(), 10140);
}

TEST_F(Engine, MissingDirectoryAsksAndRetries) {
  std::vector<int> reasons;
  RecordFileErrors().SetQuestion([&](const std::string&, int reason) {
    reasons.push_back(reason);
    return reasons.size() < 4; // create, retry once, create again, then give up
  });
  FileblockParams params;
  params.name = "NODIR";
  params.fileName = dir_.path() + "missing/NODIR";
  params.recordLength = 30;
  Fileblock* fb = CreateFileblock(params);
  created_.push_back(fb);
  EXPECT_EQ(fb->EnsureOpen(), 2);
  EXPECT_EQ(LastError(), 9900);
  // "path not found" asks at once (reason 8), every time after one wait.
  EXPECT_EQ(reasons, (std::vector<int>{kReasonFileMissing, kReasonDeviceError, kReasonFileMissing,
                                       kReasonDeviceError}));
  EXPECT_EQ(waited_.size(), 2u);
}

} // namespace
} // namespace tarvik::test

namespace tarvik::test {
namespace {

TEST_F(Engine, ReadOnlyFileblocksReadButNeverWrite) {
  Fileblock* writer = OpenTest("RO");
  ASSERT_EQ(AddRecord(writer, {0, "N", 1, "C"}), 0);
  Destroy(writer);
  FileblockParams params;
  params.name = "RO";
  params.fileName = "RO";
  params.recordLength = kTestRecLen;
  params.numKeys = 4;
  params.keyBuilder = TestKey;
  params.readOnly = true;
  Fileblock* fb = CreateFileblock(params);
  created_.push_back(fb);
  for (int k = 1; k <= 4; ++k)
    ASSERT_EQ(fb->DefineKey(k, k == 2 ? 50 : (k == 1 ? 5 : (k == 3 ? 4 : 12)), k == 2 || k == 3),
              0);
  ASSERT_EQ(fb->FindKey(2, "N"), 0);
  const std::string before = ReadFileBytes(dir_.file("RO.DAT"));
  std::vector<int> reasons;
  RecordFileErrors().SetQuestion([&](const std::string&, int reason) {
    reasons.push_back(reason);
    return false;
  });
  // A busy error: retried with waits (of the injected wait), then the user is asked.
  EXPECT_EQ(AddRecord(fb, {0, "M", 2, "D"}), 2);
  EXPECT_EQ(LastError(), 10065);
  EXPECT_EQ(reasons, std::vector<int>{kReasonLocked});
  EXPECT_EQ(waited_.size(), 32u);
  EXPECT_EQ(ReadFileBytes(dir_.file("RO.DAT")), before);
  ASSERT_EQ(fb->Close(), 0);
  // A damaged index is not repaired on a read-only fileblock.
  std::string dat = before;
  dat[format::kHdrInUse] = 1;
  WriteFileBytes(dir_.file("RO.DAT"), dat);
  EXPECT_EQ(fb->EnsureOpen(), 2);
  EXPECT_EQ(LastError(), 16478);
}

} // namespace
} // namespace tarvik::test
