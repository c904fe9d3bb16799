// Scroll positions of the paging object: dragging the thumb over every position of files
// of 1 to 3000 entries always ends and moves through the index in order; and on a log of
// 100,000 QSOs a row step reads exactly one record.

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <random>

#include "browser_test_support.h"
#include "datafiles/qso_record.h"
#include "recordfile/format.h"

namespace tarvik::test {
namespace {

std::string NumberKey(const char* record, int key) {
  return key == 1 ? NumKey5(RecordView(record, kNameRecLen).I32At(4)) : std::string();
}

class Positions : public EngineTest {
protected:
  void SetUp() override {
    StopEngine();
    StartEngine(&io_);
  }
  Fileblock* Create(const std::string& name, int recLen, KeyBuilder builder, int keyLength) {
    FileblockParams params;
    params.name = name;
    params.fileName = name;
    params.recordLength = recLen;
    params.numKeys = 1;
    params.keyBuilder = std::move(builder);
    Fileblock* fb = CreateFileblock(params);
    EXPECT_NE(fb, nullptr);
    created_.push_back(fb);
    EXPECT_EQ(fb->DefineKey(1, keyLength, true), 0);
    return fb;
  }
  CountingFileIo io_;
};

/// The grid's scroll range for a file of `n` entries.
std::int32_t ScrollRange(std::int32_t n) {
  return n - 1 > 3000 ? 247 : std::max(n - 1, 0);
}

TEST_F(Positions, DraggingOverEveryPositionEndsAndFollowsTheIndexOrder) {
  Fileblock* fb = Create("NUMBERS", kNameRecLen, NumberKey, 5);
  std::vector<int> numbers(3001);
  std::iota(numbers.begin(), numbers.end(), 1);
  std::shuffle(numbers.begin(), numbers.end(), std::mt19937(20260314));
  std::vector<int> checkpoints;
  for (int n = 1; n <= 70; ++n)
    checkpoints.push_back(n);
  for (int n : {100, 124, 125, 200, 500, 1000, 1500, 2000, 2500, 3000, 3001})
    checkpoints.push_back(n);
  auto browser = TKBrowser::Create(*fb, 1, "", "").browser;
  ASSERT_TRUE(browser);
  int added = 0;
  std::vector<int> present;
  for (int n : checkpoints) {
    while (added < n) {
      ASSERT_EQ(fb->ClearBuffer(), 0);
      RecordView(fb->RecordBuffer(), kNameRecLen)
          .SetI32At(4, numbers[static_cast<std::size_t>(added)]);
      ASSERT_EQ(fb->Add(), 0);
      present.push_back(numbers[static_cast<std::size_t>(added++)]);
    }
    const auto [smallest, largest] = std::minmax_element(present.begin(), present.end());
    const std::int32_t s = ScrollRange(n);
    int previous = 0;
    for (std::int32_t a = 0; a <= s; ++a) {
      std::string key;
      std::int32_t record = 0;
      ASSERT_TRUE(browser->EntryAtPosition(a, s, &key, &record)) << n << " entries, position " << a;
      ASSERT_EQ(key.size(), 5u);
      const int number = DecodeNumKey5(key);
      // A real entry of the index, never before the one of a smaller position.
      std::int32_t found = 0;
      std::string foundKey;
      ASSERT_EQ(fb->FindEntry(1, record, 0, key, &found, &foundKey), 0) << n << "/" << a;
      ASSERT_GE(number, previous) << n << " entries, position " << a;
      previous = number;
      if (a == 0) {
        ASSERT_EQ(number, *smallest) << n;
      }
      if (a == s) {
        ASSERT_EQ(number, *largest) << n;
      }
    }
  }
}

TEST_F(Positions, ThumbAndDragAgreeOnALargeTree) {
  // 5000 entries: three levels. Going to the entry at a position and asking for the
  // thumb position of that entry lands near where it started.
  Fileblock* fb = Create("BIG", kNameRecLen, NumberKey, 5);
  for (int i = 1; i <= 5000; ++i) {
    ASSERT_EQ(fb->ClearBuffer(), 0);
    RecordView(fb->RecordBuffer(), kNameRecLen).SetI32At(4, i);
    ASSERT_EQ(fb->Add(), 0);
  }
  auto browser = TKBrowser::Create(*fb, 1, "", "").browser;
  ASSERT_TRUE(browser);
  ASSERT_TRUE(browser->SetRowsInUse(1));
  const std::int32_t s = ScrollRange(5000);
  ASSERT_EQ(s, 247);
  int previous = 0;
  for (std::int32_t a = 0; a <= s; ++a) {
    std::string key;
    std::int32_t record = 0;
    ASSERT_TRUE(browser->EntryAtPosition(a, s, &key, &record));
    const int number = DecodeNumKey5(key);
    ASSERT_GE(number, previous);
    previous = number;
    ASSERT_TRUE(browser->GotoEntry(key, record));
    EXPECT_NEAR(browser->ThumbPosition(s), a, 12) << "position " << a;
  }
}

TEST_F(Positions, EstimatesOfPositionAndEntryAgree) {
  // An entry found at a position has a position of its own that leads back to it, or to a
  // close neighbour: the root's items count from 1 on both sides.
  Fileblock* fb = Create("AGREE", kNameRecLen, NumberKey, 5);
  for (int i = 1; i <= 2000; ++i) {
    ASSERT_EQ(fb->ClearBuffer(), 0);
    RecordView(fb->RecordBuffer(), kNameRecLen).SetI32At(4, i);
    ASSERT_EQ(fb->Add(), 0);
  }
  const std::int32_t s = 1999;
  int worst = 0;
  int exact = 0;
  for (std::int32_t a = 0; a <= s; ++a) {
    std::int32_t record = 0;
    std::string key;
    ASSERT_EQ(fb->RelPosToKey(1, a, s, &record, &key), 0);
    if (record == 0)
      continue; // before the first root item
    std::int32_t position = 0;
    ASSERT_EQ(fb->KeyToRelPos(1, key, record, s, &position), 0);
    std::int32_t again = 0;
    std::string againKey;
    ASSERT_EQ(fb->RelPosToKey(1, position, s, &again, &againKey), 0);
    const int back = again == 0 ? 0 : DecodeNumKey5(againKey); // 0: before the first root item
    const int deviation = std::abs(back - DecodeNumKey5(key));
    worst = std::max(worst, deviation);
    exact += deviation == 0 ? 1 : 0;
  }
  // Off by a neighbour or two inside a child page, never by a whole page.
  EXPECT_LE(worst, 4);
  EXPECT_GT(exact, s / 4);
}

TEST_F(Positions, AnEmptyChildPageDoesNotBreakTheEstimates) {
  Fileblock* fb = Create("EMPTYCHILD", kNameRecLen, NumberKey, 5);
  for (int i = 1; i <= 300; ++i) {
    ASSERT_EQ(fb->ClearBuffer(), 0);
    RecordView(fb->RecordBuffer(), kNameRecLen).SetI32At(4, i);
    ASSERT_EQ(fb->Add(), 0);
  }
  auto browser = TKBrowser::Create(*fb, 1, "", "").browser;
  ASSERT_TRUE(browser->FirstPage()); // the cursor on the first entry, in the leftmost child
  ASSERT_EQ(fb->Close(), 0);
  // Another program left the leftmost child page with no items.
  std::string ix = io_.memory.FileContents(fb->FilePath("IX"));
  const std::size_t rowLen = static_cast<std::size_t>(format::PageBytesFor(5));
  const std::int32_t root = format::LoadI32(ix.data() + format::kKhRootPage);
  ASSERT_GT(root, 0);
  const std::int32_t left =
      format::LoadI32(ix.data() + static_cast<std::size_t>(root) * rowLen + format::kPgLeftPage);
  ASSERT_GT(left, 0);
  ix[static_cast<std::size_t>(left) * rowLen] = 0;
  ix[static_cast<std::size_t>(left) * rowLen + 1] = 0;
  io_.memory.SetFile(fb->FilePath("IX"), ix);
  const std::int32_t thumb = browser->ThumbPosition(299);
  EXPECT_GE(thumb, 0);
  EXPECT_LE(thumb, 299);
  std::string key;
  std::int32_t record = 0;
  for (std::int32_t a : {1, 5, 150, 298})
    (void)browser->EntryAtPosition(a, 299, &key, &record);
}

TEST_F(Positions, ARowStepInAHundredThousandQsoLogReadsOneRecord) {
  // The QSO record and its key 1 (date and time); the other keys do not take part in
  // paging along key 1.
  Fileblock* log = Create("KXLK0001", QsoRecord::kLength, QsoKey, 8);
  for (int i = 0; i < 100000; ++i) {
    ASSERT_EQ(log->ClearBuffer(), 0);
    QsoRecord q(log->RecordBuffer());
    q.SetDatum(155666 + i / 1440);
    q.SetZeit((i % 1440) * 60);
    q.SetCall("DL" + std::to_string(i));
    ASSERT_EQ(log->Add(), 0);
  }
  auto browser = TKBrowser::Create(*log, 1, "", "").browser;
  ASSERT_TRUE(browser);
  int built = 0;
  browser->SetRowHook([&](RowRec& row) {
    ++built;
    row.Text = QsoRecord(log->RecordBuffer()).Call();
  });
  ASSERT_TRUE(browser->SetRowsInUse(25));
  ASSERT_TRUE(browser->GotoEntry(Long4(155666 + 30) + Long4(0), 0));
  // Scroll down and up over the page edges, row by row.
  for (int step = 0; step < 100; ++step) {
    const bool down = (step / 50) == 0;
    if (down)
      browser->SetCursorRow(25);
    else
      browser->SetCursorRow(1);
    const long reads = io_.dataReads;
    const int rowsBuilt = built;
    ASSERT_TRUE(down ? browser->NextRow() : browser->PrevRow());
    EXPECT_EQ(io_.dataReads - reads, 1) << "step " << step;
    EXPECT_EQ(built - rowsBuilt, 1) << "step " << step;
  }
  EXPECT_EQ(browser->Row(1).Text, "DL" + std::to_string(30 * 1440));
  const long reads = io_.dataReads;
  ASSERT_TRUE(browser->NextPage(25));
  EXPECT_EQ(io_.dataReads - reads, 25);
  // Positions on the large tree still end and land in order.
  std::string key;
  std::int32_t record = 0;
  ASSERT_TRUE(browser->EntryAtPosition(123, 247, &key, &record));
  ASSERT_TRUE(browser->GotoEntry(key, record));
  EXPECT_NEAR(browser->ThumbPosition(247), 123, 6);
}

} // namespace
} // namespace tarvik::test
