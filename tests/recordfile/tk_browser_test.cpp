// Paging over an index: every step of TKBrowser on a fileblock large enough for a
// multi-level tree, the range rules, changes made between steps, rows whose record cannot
// be read, and the number of records a step reads.

#include <gtest/gtest.h>

#include "browser_test_support.h"
#include "recordfile/tk_browser.h"

namespace tarvik::test {
namespace {

class Paging : public EngineTest {
protected:
  void SetUp() override {
    StopEngine();
    StartEngine(&io_);
    FileblockParams params;
    params.name = "NAMES";
    params.fileName = "NAMES";
    params.recordLength = kNameRecLen;
    params.numKeys = 1;
    params.keyBuilder = NameKey;
    fb_ = CreateFileblock(params);
    ASSERT_NE(fb_, nullptr);
    created_.push_back(fb_);
    ASSERT_EQ(fb_->DefineKey(1, 10, true), 0);
    // 200 names each of A, B and C: 600 entries, a tree of two levels.
    for (char letter : {'A', 'B', 'C'})
      for (int n = 1; n <= 200; ++n)
        Add(Numbered(letter, n));
    std::int32_t count = 0;
    ASSERT_EQ(fb_->KeyCount(1, &count), 0);
    ASSERT_EQ(count, 600);
  }

  void Add(const std::string& name) {
    ASSERT_EQ(fb_->ClearBuffer(), 0);
    RecordView(fb_->RecordBuffer(), kNameRecLen).SetStrAt(8, 10, name);
    ASSERT_EQ(fb_->Add(), 0);
  }

  std::unique_ptr<TKBrowser> Browser(std::string_view low = "", std::string_view high = "",
                                     int rows = 10) {
    TKBrowser::Created created = TKBrowser::Create(*fb_, 1, low, high);
    EXPECT_TRUE(created.browser) << created.error;
    created.browser->SetRowHook([this](RowRec& row) {
      ++built_;
      row.Text = " " + NameOf(fb_->RecordBuffer()) + ";";
    });
    EXPECT_TRUE(created.browser->SetRowsInUse(rows));
    return std::move(created.browser);
  }

  /// "first..last@cursor" of the filled rows, e.g. "A0001..A0010@1"; "@1" when empty.
  static std::string Page(const TKBrowser& b) {
    std::string s;
    if (b.FilledRows() > 0)
      s = b.Row(1).Key.substr(0, 5) + ".." + b.Row(b.FilledRows()).Key.substr(0, 5);
    return s + "@" + std::to_string(b.CursorRow());
  }

  /// Deletes the record whose name is `name`.
  void Delete(const std::string& name) {
    ASSERT_EQ(fb_->FindKey(1, KeyPad(name, 10)), 0);
    ASSERT_EQ(fb_->Delete(kDeleteNoPosition), 0);
  }

  CountingFileIo io_;
  Fileblock* fb_ = nullptr;
  int built_ = 0;
};

TEST_F(Paging, FirstLastNextAndPreviousPage) {
  auto b = Browser();
  EXPECT_TRUE(b->FirstPage());
  EXPECT_EQ(Page(*b), "A0001..A0010@1");
  EXPECT_EQ(b->Row(1).Text, " A0001;");
  EXPECT_TRUE(b->Row(1).Built);
  EXPECT_TRUE(b->Row(1).Changed);
  b->SetCursorRow(4);
  EXPECT_TRUE(b->NextPage(10));
  EXPECT_EQ(Page(*b), "A0011..A0020@4");
  EXPECT_EQ(b->CurrentKey(), KeyPad("A0014", 10));
  EXPECT_TRUE(b->PrevPage(10));
  EXPECT_EQ(Page(*b), "A0001..A0010@4");
  EXPECT_TRUE(b->PrevPage(10)); // nothing precedes: the cursor goes to row 1
  EXPECT_EQ(Page(*b), "A0001..A0010@1");
  EXPECT_TRUE(b->LastPage());
  EXPECT_EQ(Page(*b), "C0191..C0200@10");
  b->SetCursorRow(3);
  EXPECT_TRUE(b->NextPage(10)); // nothing follows: the cursor goes to the last row
  EXPECT_EQ(Page(*b), "C0191..C0200@10");
  EXPECT_TRUE(b->PrevPage(5));
  EXPECT_EQ(Page(*b), "C0186..C0195@10");
  // Across the boundary between the letters, and between pages of the tree.
  b->SetCursorRow(1);
  EXPECT_TRUE(b->GotoEntry(KeyPad("A0198", 10), 0));
  EXPECT_EQ(Page(*b), "A0198..B0007@1");
  EXPECT_TRUE(b->NextPage(10));
  EXPECT_EQ(Page(*b), "B0008..B0017@1");
}

TEST_F(Paging, RowStepsScrollByOneAndReadOneRecord) {
  auto b = Browser();
  ASSERT_TRUE(b->FirstPage());
  for (int i = 0; i < 9; ++i)
    ASSERT_TRUE(b->NextRow());
  EXPECT_EQ(Page(*b), "A0001..A0010@10");
  const int builtBefore = built_;
  const long readsBefore = io_.dataReads;
  ASSERT_TRUE(b->NextRow());
  EXPECT_EQ(Page(*b), "A0002..A0011@10");
  EXPECT_EQ(built_ - builtBefore, 1);
  EXPECT_EQ(io_.dataReads - readsBefore, 1);
  EXPECT_EQ(b->CurrentKey(), KeyPad("A0011", 10));
  EXPECT_TRUE(b->Row(10).Changed);
  EXPECT_FALSE(b->Row(10).Text.empty());
  for (int i = 0; i < 9; ++i)
    ASSERT_TRUE(b->PrevRow());
  EXPECT_EQ(Page(*b), "A0002..A0011@1");
  ASSERT_TRUE(b->PrevRow());
  EXPECT_EQ(Page(*b), "A0001..A0010@1");
  ASSERT_TRUE(b->PrevRow()); // the start of the list: nothing changes
  EXPECT_EQ(Page(*b), "A0001..A0010@1");
  // The last row of the whole list.
  ASSERT_TRUE(b->LastPage());
  ASSERT_TRUE(b->NextRow());
  EXPECT_EQ(Page(*b), "C0191..C0200@10");
}

TEST_F(Paging, AnEmptyRangeGivesAnEmptyPageForEveryStep) {
  auto b = Browser("X", "X");
  const std::function<bool()> steps[] = {
      [&] { return b->FirstPage(); },     [&] { return b->LastPage(); },
      [&] { return b->NextPage(10); },    [&] { return b->PrevPage(10); },
      [&] { return b->NextRow(); },       [&] { return b->PrevRow(); },
      [&] { return b->RefreshPage(); },   [&] { return b->GotoEntry("B0001", 1); },
      [&] { return b->SetRowsInUse(20); }};
  for (const auto& step : steps) {
    EXPECT_TRUE(step());
    EXPECT_EQ(b->FilledRows(), 0);
    EXPECT_EQ(b->CurrentKey(), "");
    EXPECT_EQ(b->CurrentRecord(), 0);
    EXPECT_EQ(b->Row(1).Text, "");
  }
  // Low above high is empty as well.
  b->SetKeyRange("C", "A");
  EXPECT_TRUE(b->LastPage());
  EXPECT_EQ(b->FilledRows(), 0);
}

TEST_F(Paging, ARangeOfOneLetterEndsWithTheLastKeyOfThatLetter) {
  auto b = Browser("A", "A");
  ASSERT_TRUE(b->LastPage());
  EXPECT_EQ(Page(*b), "A0191..A0200@10");
  ASSERT_TRUE(b->NextRow());
  ASSERT_TRUE(b->NextPage(10));
  EXPECT_EQ(Page(*b), "A0191..A0200@10");
  ASSERT_TRUE(b->FirstPage());
  EXPECT_EQ(Page(*b), "A0001..A0010@1");
  b->SetKeyRange("B", "B");
  ASSERT_TRUE(b->FirstPage());
  EXPECT_EQ(Page(*b), "B0001..B0010@1");
  ASSERT_TRUE(b->PrevRow());
  EXPECT_EQ(Page(*b), "B0001..B0010@1");
  b->SetKeyRange("A0195", "B0003"); // longer bounds compare their length of the key
  ASSERT_TRUE(b->FirstPage());
  EXPECT_EQ(Page(*b), "A0195..B0003@1");
  EXPECT_TRUE(b->InRange(KeyPad("B0003", 10)));
  EXPECT_FALSE(b->InRange(KeyPad("B0004", 10)));
}

TEST_F(Paging, ARecordDeletedElsewhereIsReplacedAtTheNextRefresh) {
  auto b = Browser();
  ASSERT_TRUE(b->FirstPage());
  b->SetCursorRow(3);
  Delete("A0003");
  ASSERT_TRUE(b->RefreshPage());
  EXPECT_EQ(Page(*b), "A0001..A0011@3");
  EXPECT_EQ(b->CurrentKey(), KeyPad("A0004", 10));
  EXPECT_EQ(b->Row(3).Text, " A0004;");
  // At the end of the range the preceding entry takes the row.
  b->SetKeyRange("A", "A");
  ASSERT_TRUE(b->LastPage());
  Delete("A0200");
  ASSERT_TRUE(b->RefreshPage());
  EXPECT_EQ(Page(*b), "A0190..A0199@10");
  EXPECT_EQ(b->CurrentKey(), KeyPad("A0199", 10));
  // Records added elsewhere show up at the next step that reaches their place.
  ASSERT_TRUE(b->FirstPage());
  Add("A0000");
  ASSERT_TRUE(b->PrevRow());
  EXPECT_EQ(Page(*b), "A0000..A0010@1"); // A0003 is gone
}

TEST_F(Paging, RowsAreReadAgainOnceTheFileChanged) {
  // The rows show a field beside the name, which the key does not hold.
  auto b = Browser();
  b->SetRowHook([this](RowRec& row) {
    ++built_;
    const RecordView r(fb_->RecordBuffer(), kNameRecLen);
    row.Text = " " + r.StrAt(8, 10) + ";" + r.StrAt(20, 10);
  });
  ASSERT_TRUE(b->FirstPage());
  // A record added changes none of the rows: they stay as they are.
  Add("A9999");
  EXPECT_FALSE(b->Stale());

  // A0002 changes under the same entry: the next step reads the page again, once.
  ASSERT_EQ(fb_->FindKey(1, KeyPad("A0002", 10)), 0);
  RecordView(fb_->RecordBuffer(), kNameRecLen).SetStrAt(20, 10, "neu");
  ASSERT_EQ(fb_->Update(), 0);
  EXPECT_TRUE(b->Stale());
  EXPECT_EQ(b->Row(2).Text, " A0002;");
  int before = built_;
  ASSERT_TRUE(b->GotoEntry(KeyPad("A0001", 10), 0));
  EXPECT_EQ(Page(*b), "A0001..A0010@1");
  EXPECT_EQ(b->Row(2).Text, " A0002;neu");
  EXPECT_TRUE(b->Row(2).Changed);
  EXPECT_FALSE(b->Row(1).Changed);
  EXPECT_EQ(built_ - before, 10);
  before = built_;
  ASSERT_TRUE(b->RefreshPage());
  EXPECT_EQ(built_, before); // nothing changed since

  // A row step that stays within the page, after a deletion elsewhere: the page is read
  // again and the step lands on the entry that took the deleted one's place.
  b->SetCursorRow(2);
  Delete("A0003");
  ASSERT_TRUE(b->NextRow());
  EXPECT_EQ(Page(*b), "A0001..A0011@3");
  EXPECT_EQ(b->CurrentKey(), KeyPad("A0004", 10));
  EXPECT_EQ(b->Row(3).Text, " A0004;");
  Delete("A0002");
  ASSERT_TRUE(b->PrevRow());
  EXPECT_EQ(b->CurrentKey(), KeyPad("A0001", 10));
  EXPECT_EQ(b->Row(2).Text, " A0004;");

  // Files put in the place of the old ones (positions forgotten): every row is read again.
  ASSERT_EQ(fb_->CloseForReplacement(), 0);
  before = built_;
  ASSERT_TRUE(b->NextRow());
  EXPECT_EQ(built_ - before, 10);
}

TEST_F(Paging, ARecordThatCannotBeReadGetsItsOwnText) {
  // Record 5 (A0005) loses its data behind the index's back: its status word is no
  // longer 0, so reading it reports a deleted record.
  ASSERT_EQ(fb_->Close(), 0);
  std::string dat = io_.memory.FileContents(fb_->FilePath("DAT"));
  dat[5 * kNameRecLen] = '\x01';
  io_.memory.SetFile(fb_->FilePath("DAT"), dat);
  auto b = Browser();
  ASSERT_TRUE(b->FirstPage());
  EXPECT_EQ(b->Row(5).Text, " ***** Datensatz nicht lesbar *****");
  EXPECT_EQ(b->Row(5).ReadState, -1);
  EXPECT_EQ(b->Row(4).Text, " A0004;");
  EXPECT_EQ(b->Row(6).Text, " A0006;");
  EXPECT_EQ(b->Row(6).ReadState, 0);
}

TEST_F(Paging, GotoEntryAppliesTheRange) {
  auto b = Browser("B", "B");
  ASSERT_TRUE(b->FirstPage());
  b->SetCursorRow(5);
  ASSERT_TRUE(b->GotoEntry(KeyPad("A0005", 10), 3)); // below the range
  EXPECT_EQ(Page(*b), "B0001..B0010@1");
  b->SetCursorRow(5);
  ASSERT_TRUE(b->GotoEntry(KeyPad("C0005", 10), 3)); // above: the last entry
  EXPECT_EQ(Page(*b), "B0191..B0200@10");
  b->SetCursorRow(5);
  ASSERT_TRUE(b->GotoEntry(KeyPad("B0100", 10), 0)); // on the cursor's row
  EXPECT_EQ(Page(*b), "B0096..B0105@5");
  EXPECT_EQ(b->CurrentKey(), KeyPad("B0100", 10));
  ASSERT_TRUE(b->GotoEntry("B0100X", 0)); // no such entry: the next one
  EXPECT_EQ(b->CurrentKey(), KeyPad("B0101", 10));
}

TEST_F(Paging, ChangingTheRowsInUse) {
  auto b = Browser();
  ASSERT_TRUE(b->LastPage());
  ASSERT_TRUE(b->SetRowsInUse(15)); // the end of the index: filled from above
  EXPECT_EQ(Page(*b), "C0186..C0200@15");
  EXPECT_EQ(b->CurrentKey(), KeyPad("C0200", 10));
  ASSERT_TRUE(b->SetRowsInUse(5)); // the cursor would fall off: rows go from the top
  EXPECT_EQ(Page(*b), "C0196..C0200@5");
  ASSERT_TRUE(b->FirstPage());
  EXPECT_EQ(Page(*b), "A0001..A0005@1");
  ASSERT_TRUE(b->SetRowsInUse(12)); // more rows, filled from below
  EXPECT_EQ(Page(*b), "A0001..A0012@1");
  ASSERT_TRUE(b->SetRowsInUse(8)); // rows go from the bottom
  EXPECT_EQ(Page(*b), "A0001..A0008@1");
  EXPECT_EQ(b->Row(9).Ref, 0);
  ASSERT_TRUE(b->SetRowsInUse(1));
  EXPECT_EQ(Page(*b), "A0001..A0001@1");
  EXPECT_TRUE(b->SetRowsInUse(500)); // at most the rows of the object
  EXPECT_EQ(b->RowsInUse(), 100);
}

TEST_F(Paging, ARefreshBeforeAnyStepShowsTheFirstPage) {
  auto b = Browser("B", "");
  b->SetCursorRow(5);
  ASSERT_TRUE(b->RefreshPage());
  EXPECT_EQ(Page(*b), "B0001..B0010@1");
  ASSERT_TRUE(b->NextPage(10));
  ASSERT_TRUE(b->RefreshPage()); // now it stays where it is
  EXPECT_EQ(Page(*b), "B0011..B0020@1");
}

TEST_F(Paging, ScrollPositionsAtBothEnds) {
  auto b = Browser("B", "B");
  const std::int32_t s = 599;
  std::string key;
  std::int32_t record = 0;
  ASSERT_TRUE(b->EntryAtPosition(0, s, &key, &record)); // the whole index, not the range
  EXPECT_EQ(key, KeyPad("A0001", 10));
  ASSERT_TRUE(b->EntryAtPosition(s, s, &key, &record));
  EXPECT_EQ(key, KeyPad("C0200", 10));
  ASSERT_TRUE(b->EntryAtPosition(s + 5, s, &key, &record));
  EXPECT_EQ(key, KeyPad("C0200", 10));
  ASSERT_TRUE(b->GotoEntry(key, record)); // the range applies here
  EXPECT_EQ(b->CurrentKey(), KeyPad("B0200", 10));

  b->SetKeyRange("", "");
  ASSERT_TRUE(b->FirstPage());
  EXPECT_EQ(b->ThumbPosition(s), 0);
  ASSERT_TRUE(b->LastPage());
  EXPECT_GE(b->ThumbPosition(s), s - 12);
  EXPECT_LE(b->ThumbPosition(s), s);
  ASSERT_TRUE(b->GotoEntry(KeyPad("B0100", 10), 0));
  EXPECT_NEAR(b->ThumbPosition(s), 300, 30);
  EXPECT_EQ(b->ThumbPosition(0), 0);
}

TEST_F(Paging, ChangingTheKeyRebuildsTheRows) {
  auto b = Browser();
  ASSERT_TRUE(b->FirstPage());
  const int before = built_;
  b->SetKeyNumber(1); // the same key: nothing to rebuild
  ASSERT_TRUE(b->RefreshPage());
  EXPECT_EQ(built_, before);
  b->SetKeyNumber(2); // no such key: the step fails and the page stays
  EXPECT_FALSE(b->FirstPage());
  EXPECT_FALSE(b->Valid());
  EXPECT_EQ(Page(*b), "A0001..A0010@1");
  EXPECT_EQ(RecordFileErrors().Entries().back().code, 10164);
  b->SetKeyNumber(1);
  ASSERT_TRUE(b->FirstPage());
  EXPECT_EQ(built_, before + 10);
}

TEST_F(Paging, RowsAreReadWithALimitedRetry) {
  std::vector<int> asked;
  RetryHandler own;
  own.budget = 32;
  own.question = [&](const std::string&, int reason) {
    asked.push_back(reason);
    return true;
  };
  ASSERT_EQ(fb_->SetRetryHandler(own), 0);
  auto b = Browser();
  int checked = 0;
  b->SetRowHook([&](RowRec& row) {
    // While rows are read: 6 retries, 6 ms waits, "no" to the lock questions.
    const RetryHandler during = fb_->GetRetryHandler();
    EXPECT_EQ(during.budget, 6);
    EXPECT_EQ(RecordFileErrors().WaitBase(), 6);
    for (int reason : {1, 2, 3})
      EXPECT_FALSE(during.question("NAMES", reason));
    EXPECT_TRUE(during.question("NAMES", 4)); // passed on to the fileblock's own question
    row.Text = "x";
    ++checked;
  });
  ASSERT_TRUE(b->FirstPage());
  EXPECT_EQ(checked, 10);
  EXPECT_EQ(asked, std::vector<int>(10, 4));
  EXPECT_EQ(fb_->GetRetryHandler().budget, 32);
  EXPECT_EQ(RecordFileErrors().WaitBase(), 30);
}

TEST_F(Paging, CreateReportsAFileblockThatCannotBeOpened) {
  FileblockParams params;
  params.name = "NOFILE";
  params.fileName = "NOFILE";
  params.recordLength = kNameRecLen;
  params.createIfMissing = false;
  Fileblock* fb = CreateFileblock(params);
  created_.push_back(fb);
  TKBrowser::Created c = TKBrowser::Create(*fb, 1, "", "");
  EXPECT_FALSE(c.browser);
  EXPECT_EQ(c.error, "Datenbank kann nicht geöffnet werden!");
}

} // namespace
} // namespace tarvik::test
