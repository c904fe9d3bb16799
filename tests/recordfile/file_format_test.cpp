// Byte-exact checks of the data and index files, against bytes built by hand from the
// format tables.

#include <gtest/gtest.h>

#include <fstream>

#include "recordfile/format.h"
#include "support/storage_test_support.h"

namespace tarvik::test {
namespace {

using format::LoadI32;
using format::LoadU16;

std::int32_t I32At(const std::string& bytes, std::size_t at) {
  return LoadI32(bytes.data() + at);
}

/// Appends little-endian values.
struct Bytes {
  std::string s;
  Bytes& i32(std::int32_t v) {
    s.append(reinterpret_cast<const char*>(&v), 4);
    return *this;
  }
  Bytes& u16(std::uint16_t v) {
    s.append(reinterpret_cast<const char*>(&v), 2);
    return *this;
  }
  Bytes& u8(int v) {
    s.push_back(static_cast<char>(v));
    return *this;
  }
  Bytes& str(const std::string& v, int capacity) {
    u8(static_cast<int>(v.size()));
    s += v;
    s.append(static_cast<std::size_t>(capacity) - v.size(), '\0');
    return *this;
  }
  Bytes& zeros(std::size_t n) {
    s.append(n, '\0');
    return *this;
  }
  Bytes& padTo(std::size_t n) {
    if (s.size() < n)
      s.append(n - s.size(), '\0');
    return *this;
  }
};

using FileFormat = EngineTest;

TEST_F(FileFormat, DataAndIndexBytesAfterAdds) {
  Fileblock* fb = OpenTest("FMT");
  ASSERT_EQ(AddRecord(fb, {0, "BRAVO", 7, "B"}), 0);
  ASSERT_EQ(AddRecord(fb, {0, "ALPHA", 7, "A"}), 0);
  ASSERT_EQ(fb->Close(), 0);

  const std::string dat = ReadFileBytes(dir_.file("FMT.DAT"));
  ASSERT_EQ(dat.size(), 3u * kTestRecLen);
  Bytes header;
  header.i32(-1).i32(0).i32(2).i32(kTestRecLen).i32(4).u8(0).padTo(kTestRecLen);
  EXPECT_EQ(dat.substr(0, kTestRecLen), header.s);
  EXPECT_EQ(I32At(dat, kTestRecLen), 0);             // status word of record 1
  EXPECT_EQ(I32At(dat, kTestRecLen + kNumberAt), 1); // auto-numbered
  EXPECT_EQ(I32At(dat, 2 * kTestRecLen + kNumberAt), 2);

  const std::string ix = ReadFileBytes(dir_.file("FMT.IX"));
  const int pageBytes[] = {0, 62 * 14 + 6, 62 * 59 + 6, 62 * 13 + 6, 62 * 21 + 6};
  std::size_t rowLen = 0;
  for (int k = 1; k <= 4; ++k)
    rowLen += static_cast<std::size_t>(pageBytes[k]);
  ASSERT_EQ(ix.size(), 2 * rowLen); // row 0 and one row of pages
  std::size_t offset = 0;
  for (int k = 1; k <= 4; ++k) {
    Bytes h;
    h.i32(-1)
        .i32(0)
        .i32(1)
        .i32(pageBytes[k])
        .i32(1)
        .u8(k == 2 || k == 3 ? 1 : 0)
        .u8(0)
        .i32(2)
        .u16(62);
    EXPECT_EQ(ix.substr(offset, 28), h.s) << "key header " << k;
    offset += static_cast<std::size_t>(pageBytes[k]);
  }
  // Page 1 of key 2 (names): two items, compressed to KeyLen + 9 = 59 bytes each, in key
  // order: ALPHA (record 2) before BRAVO (record 1).
  const std::size_t page = rowLen + static_cast<std::size_t>(pageBytes[1]);
  Bytes items;
  items.u16(2).i32(0).i32(2).i32(0).str("ALPHA", 50).i32(1).i32(0).str("BRAVO", 50);
  EXPECT_EQ(ix.substr(page, items.s.size()), items.s);
}

TEST_F(FileFormat, FreeChainIsLastDeletedFirst) {
  Fileblock* fb = OpenTest("FREE");
  for (int i = 1; i <= 10; ++i)
    ASSERT_EQ(AddRecord(fb, {0, "N", i, "C" + std::to_string(i)}), 0);
  for (int rec : {5, 9}) {
    ASSERT_EQ(fb->ReadRecord(rec), 0);
    ASSERT_EQ(fb->Delete(kDeleteNoPosition), 0);
  }
  ASSERT_EQ(fb->Close(), 0);
  const std::string dat = ReadFileBytes(dir_.file("FREE.DAT"));
  EXPECT_EQ(I32At(dat, 0), 9);                // FirstFree
  EXPECT_EQ(I32At(dat, 4), 2);                // NumberFree
  EXPECT_EQ(I32At(dat, 9 * kTestRecLen), 5);  // record 9 links to 5
  EXPECT_EQ(I32At(dat, 5 * kTestRecLen), -1); // record 5 ends the chain
  std::int32_t used = 0;
  ASSERT_EQ(fb->UsedRecords(&used), 0);
  EXPECT_EQ(used, 8);
  for (int expected : {9, 5, 11}) {
    ASSERT_EQ(AddRecord(fb, {0, "M", expected, "D" + std::to_string(expected)}), 0);
    EXPECT_EQ(fb->CurrentRecordNumber(), expected);
  }
}

TEST_F(FileFormat, FileblockWithoutKeysHasNoIndexFile) {
  FileblockParams params;
  params.name = "NOKEYS";
  params.fileName = "NOKEYS";
  params.recordLength = 30;
  Fileblock* fb = CreateFileblock(params);
  created_.push_back(fb);
  std::memset(fb->RecordBuffer(), 0, 30);
  std::memcpy(fb->RecordBuffer() + 4, "hello", 5);
  ASSERT_EQ(fb->Add(), 0);
  ASSERT_EQ(fb->Close(), 0);
  EXPECT_FALSE(std::ifstream(dir_.file("NOKEYS.IX")).good());
  ASSERT_EQ(fb->ReadRecord(1), 0);
  EXPECT_EQ(std::string(fb->RecordBuffer() + 4, 5), "hello");
  EXPECT_FALSE(std::ifstream(dir_.file("NOKEYS.IX")).good());
}

// A fileblock written by another implementation: a two-level tree of key 1 (4 items per
// page, a stored ItemsPerPage of 0 meaning 62 for key 2) must read and grow.
TEST_F(FileFormat, ReadsAndExtendsHandBuiltFiles) {
  // Data: 5 live records, key 1 = Long4(value) unique (length 4), key 2 = one letter.
  constexpr int recLen = 24;
  Bytes dat;
  dat.i32(-1).i32(0).i32(5).i32(recLen).i32(2).u8(0).padTo(recLen);
  const char letters[] = "ECADB";
  for (int r = 1; r <= 5; ++r)
    dat.i32(0).i32(r * 10).u8(letters[r - 1]).padTo(static_cast<std::size_t>(recLen) * (r + 1));
  WriteFileBytes(dir_.file("HAND.DAT"), dat.s);

  const int pb1 = 4 * (4 + 9) + 6; // 4 items per page
  const int pb2 = 62 * (1 + 9) + 6;
  const std::size_t rowLen = static_cast<std::size_t>(pb1 + pb2);
  Bytes ix;
  // Key 1 headers: 3 pages, root 3; key 2: 1 page, root 1, ItemsPerPage stored as 0.
  ix.i32(-1).i32(0).i32(3).i32(pb1).i32(3).u8(0).u8(0).i32(5).u16(4).padTo(
      static_cast<std::size_t>(pb1));
  ix.i32(-1).i32(0).i32(1).i32(pb2).i32(1).u8(1).u8(0).i32(5).u16(0).padTo(rowLen);
  auto item1 = [](Bytes& b, int ref, int child, int value) {
    b.i32(ref).i32(child).u8(4).s += Long4(value);
  };
  // Row 1: key 1 page 1 = leaf (10, 20); key 2 page 1 = leaf A..E.
  Bytes row1;
  row1.u16(2).i32(0);
  item1(row1, 1, 0, 10);
  item1(row1, 2, 0, 20);
  row1.padTo(static_cast<std::size_t>(pb1));
  row1.u16(5).i32(0);
  for (const auto& [ref, letter] :
       std::vector<std::pair<int, char>>{{3, 'A'}, {5, 'B'}, {2, 'C'}, {4, 'D'}, {1, 'E'}})
    row1.i32(ref).i32(0).u8(1).u8(letter);
  row1.padTo(rowLen);
  // Row 2: key 1 page 2 = leaf (40, 50). Row 3: key 1 page 3 = root (30) left 1, right 2.
  Bytes row2;
  row2.u16(2).i32(0);
  item1(row2, 4, 0, 40);
  item1(row2, 5, 0, 50);
  row2.padTo(rowLen);
  Bytes row3;
  row3.u16(1).i32(1);
  item1(row3, 3, 2, 30);
  row3.padTo(rowLen);
  WriteFileBytes(dir_.file("HAND.IX"), ix.s + row1.s + row2.s + row3.s);

  FileblockParams params;
  params.name = "HAND";
  params.fileName = "HAND";
  params.recordLength = recLen;
  params.numKeys = 2;
  params.keyBuilder = [](const char* rec, int key) {
    return key == 1 ? Long4(LoadI32(rec + 4)) : std::string(1, rec[8]);
  };
  Fileblock* fb = CreateFileblock(params);
  created_.push_back(fb);
  ASSERT_EQ(fb->DefineKey(1, 4, false), 0);
  ASSERT_EQ(fb->DefineKey(2, 1, true), 0);

  std::vector<int> values;
  for (int sev = fb->FirstKey(1); sev == 0; sev = fb->NextKey(1))
    values.push_back(LoadI32(fb->RecordBuffer() + 4));
  EXPECT_EQ(values, (std::vector<int>{10, 20, 30, 40, 50}));
  ASSERT_EQ(fb->FindKey(2, "D"), 0);
  EXPECT_EQ(fb->CurrentRecordNumber(), 4);

  // Growing past 4 items per page keeps the foreign page size.
  for (int v = 51; v <= 70; ++v) {
    std::memset(fb->RecordBuffer(), 0, recLen);
    format::StoreI32(fb->RecordBuffer() + 4, v);
    fb->RecordBuffer()[8] = 'Z';
    ASSERT_EQ(fb->Add(), 0) << v;
  }
  values.clear();
  for (int sev = fb->LastKey(1); sev == 0; sev = fb->PrevKey(1))
    values.insert(values.begin(), LoadI32(fb->RecordBuffer() + 4));
  ASSERT_EQ(values.size(), 25u);
  EXPECT_TRUE(std::is_sorted(values.begin(), values.end()));
  ASSERT_EQ(fb->Close(), 0);
  const std::string after = ReadFileBytes(dir_.file("HAND.IX"));
  EXPECT_EQ(LoadU16(after.data() + 26), 4);   // ItemsPerPage of key 1 kept
  EXPECT_EQ(LoadI32(after.data() + 12), pb1); // page size kept
  EXPECT_EQ(after.size() % rowLen, 0u);
}

} // namespace
} // namespace tarvik::test
