#pragma once
// On-disk format of a fileblock: one data file of fixed-length records plus one index file
// holding up to 110 B-tree indexes ("keys") over those records. Every reader and writer of
// these files in the engine follows the tables below; nothing else in the code base knows
// an offset.
//
// All integers are little-endian two's complement. A short string of n is a length byte
// followed by n bytes of room (n + 1 bytes; bytes behind the current length are undefined).
//
// FILES OF A FILEBLOCK "NAME" (a path without extension)
//
//   NAME.DAT  data file: header record + fixed-length records           always
//   NAME.IX   index file: key headers + B-tree pages of every key        when NumKeys > 0
//   NAME.DIA  journal of another writer's save mode; never written here; its presence at
//             open means the index cannot be trusted (the engine repairs and removes it)
//   NAME.MSG  text report of records a repair had to remove (appended, never deleted)
//   NAME.SAV  the old data file while a repair compacts it
//   NAME.TMP  the compacted data file while a repair writes it
//   NAME.Knn  a copy left by an interrupted repair that holds records the data file lacks,
//             set aside (K01 .. K99) for a person to look at; never read by the engine
//   NAME.ALT  a data backup made outside the engine; it replaces an empty data file
//
// DATA FILE (.DAT)
//
//   An array of RecLen-byte records; record r (r >= 1) lies at byte r * RecLen. Record 0
//   is the header; only its first 21 bytes are used, the rest is zero. The file length is
//   always (NumRec + 1) * RecLen.
//
//   Header (record 0):
//   | Offset | Size | Field      | Meaning                                                  |
//   |--------|------|------------|----------------------------------------------------------|
//   |      0 |    4 | FirstFree  | most recently deleted record; -1 when none is free        |
//   |      4 |    4 | NumberFree | records in the free chain                                 |
//   |      8 |    4 | NumRec     | highest record number ever allocated                      |
//   |     12 |    4 | RecLen     | record length in bytes, at least 21                       |
//   |     16 |    4 | NumKeys    | number of keys 0..110 (only the low byte is read)         |
//   |     20 |    1 | InUse      | 1 while the files may differ from a flushed state         |
//
//   Record status word: the first 4 bytes of every record. 0 in a live record; in a deleted
//   record the number of the next free record (-1 at the end of the chain), never 0.
//   Deleting r: r.status = FirstFree; FirstFree = r; NumberFree += 1.
//   Allocating: take FirstFree when it is not -1 (FirstFree = its status word,
//   NumberFree -= 1), else NumRec += 1.
//
//   Variable-length records (section length S = RecLen): the main section is an ordinary
//   record holding the first min(L, S - 6) bytes of an L-byte record; continuation
//   sections hold the byte 1 at offset 0 and up to S - 7 data bytes from offset 1.
//   | Offset | Size | Field (every section)                                                 |
//   |--------|------|-----------------------------------------------------------------------|
//   |  S - 6 |    2 | data bytes in this section                                            |
//   |  S - 4 |    4 | record number of the next continuation section, 0 for the last        |
//   Continuation sections are allocated before the main section, from the last piece to
//   the first.
//
// INDEX FILE (.IX)
//
//   An array of rows of RowLen bytes. Key k owns a slot of PageBytes(k) bytes in every row;
//   slots lie in key order, so Offset(k) = sum of PageBytes(j) for j < k and RowLen is the
//   sum over all keys. Row 0 holds the key headers (each at the start of its key's slot);
//   row p >= 1 holds page p of every key, at byte p * RowLen + Offset(k). The file grows by
//   whole zero-filled rows.
//
//       row 0  | hdr 1 ...........| hdr 2 ......| ... | hdr n ........|
//       row 1  | page 1 of key 1  | page 1 of 2 | ... | page 1 of n   |
//       row 2  | page 2 of key 1  | page 2 of 2 | ... | page 2 of n   |
//
//   PageBytes = ItemsPerPage * (KeyLen + 9) + 6. KeyLen is not stored; it is derived as
//   (PageBytes - 6) / ItemsPerPage - 9 and must be a whole number in 1..50.
//
//   Key header (at Offset(k) in row 0):
//   | Offset | Size | Field           | Meaning                                             |
//   |--------|------|-----------------|-----------------------------------------------------|
//   |      0 |    4 | FirstFreePage   | most recently freed page, -1 if none                |
//   |      4 |    4 | NumberFreePages | pages in the free chain                             |
//   |      8 |    4 | NumPages        | highest page number allocated to this key           |
//   |     12 |    4 | PageBytes       | size of this key's page slot                        |
//   |     16 |    4 | RootPage        | page of the B-tree root; 0 = empty index            |
//   |     20 |    1 | AllowDups       | 1 = duplicate keys allowed, 0 = unique              |
//   |     21 |    1 | (reserved)      | not interpreted                                     |
//   |     22 |    4 | KeyCount        | number of entries in this index                     |
//   |     26 |    2 | ItemsPerPage    | 62; a stored 0 is read as 62                        |
//
//   Page (slot of key k in row p; only the used part is written):
//   | Offset | Size                        | Field                                        |
//   |--------|-----------------------------|----------------------------------------------|
//   |      0 |                           2 | ItemsOnPage (0..ItemsPerPage)                |
//   |      2 |                           4 | LeftPage: child below the first item; 0 leaf |
//   |      6 | ItemsOnPage * (KeyLen + 9)  | items, ascending                             |
//
//   Item (KeyLen + 9 bytes):
//   | Offset | Size       | Field                                                        |
//   |--------|------------|--------------------------------------------------------------|
//   |      0 |          4 | DataRef: record number                                       |
//   |      4 |          4 | PageRef: child with the keys after this item; 0 on a leaf    |
//   |      8 | KeyLen + 1 | Key: short string                                            |
//
//   A freed page holds the next free page number (-1 at the end) in its first 4 bytes.
//
//   Key order: unsigned bytes; on a common prefix the shorter key is smaller. With
//   AllowDups = 1 equal keys are ordered by DataRef, so (key, DataRef) is unique; with
//   AllowDups = 0 an equal key is a duplicate.
//
// INVARIANTS (checked by tarvik-tool check and, for pages this engine writes, by debug
// assertions in the B-tree)
//   1. Data file length = (NumRec + 1) * RecLen; 0 <= NumberFree <= NumRec.
//   2. The free chain from FirstFree visits exactly NumberFree distinct records, each
//      with a non-zero status word in -1..NumRec, and ends with -1.
//   3. Every key's pages lie in 1..NumPages and NumPages < number of index rows.
//   4. Items on every page are strictly ascending in key order.
//   5. A page has LeftPage = 0 exactly when every PageRef on it is 0 (a leaf); all leaves
//      of a key are at the same depth; a page other than the root holds at least one item.
//   6. KeyCount equals the number of items in the key's tree.
//   7. Every DataRef names a live record in 1..NumRec.
//   8. The page free chain holds NumberFreePages distinct pages, none of them in the tree.
//   9. InUse is 1 on disk before any record, page or header changes on disk, and returns
//      to 0 only after every changed byte has been written and synced.
//  10. Pages written by this engine hold at most ItemsPerPage items and, except the root,
//      at least ItemsPerPage / 2.

#include <cstdint>
#include <cstring>

namespace tarvik::format {

// Data file header.
inline constexpr int kDataHeaderSize = 21;
inline constexpr int kHdrFirstFree = 0;
inline constexpr int kHdrNumberFree = 4;
inline constexpr int kHdrNumRec = 8;
inline constexpr int kHdrRecLen = 12;
inline constexpr int kHdrNumKeys = 16;
inline constexpr int kHdrInUse = 20;
inline constexpr int kMinRecLen = 21;

// Variable-length sections (offsets from the end of a section).
inline constexpr int kSectionCountFromEnd = 6;
inline constexpr int kSectionNextFromEnd = 4;
inline constexpr int kSectionTrailer = 6;
inline constexpr std::uint8_t kContinuationMark = 1;

// Key header.
inline constexpr int kKeyHeaderSize = 28;
inline constexpr int kKhFirstFreePage = 0;
inline constexpr int kKhNumberFreePages = 4;
inline constexpr int kKhNumPages = 8;
inline constexpr int kKhPageBytes = 12;
inline constexpr int kKhRootPage = 16;
inline constexpr int kKhAllowDups = 20;
inline constexpr int kKhKeyCount = 22;
inline constexpr int kKhItemsPerPage = 26;

// Pages and items.
inline constexpr int kPageHeaderSize = 6;
inline constexpr int kPgItemCount = 0;
inline constexpr int kPgLeftPage = 2;
inline constexpr int kItemOverhead = 9;
inline constexpr int kItDataRef = 0;
inline constexpr int kItPageRef = 4;
inline constexpr int kItKey = 8;

// Limits.
inline constexpr int kMaxKeys = 110;
inline constexpr int kMaxKeyLen = 50;
inline constexpr int kItemsPerPage = 62;
inline constexpr int kMinItemsPerPage = 4;
inline constexpr int kMaxItemSize = kMaxKeyLen + kItemOverhead;
inline constexpr int kMaxPageBytes = kItemsPerPage * kMaxItemSize + kPageHeaderSize;

/// Page slot size of a key of `keyLen` with `itemsPerPage` items.
constexpr int PageBytesFor(int keyLen, int itemsPerPage = kItemsPerPage) {
  return itemsPerPage * (keyLen + kItemOverhead) + kPageHeaderSize;
}

// Little-endian access to unaligned bytes.
inline std::int32_t LoadI32(const void* p) {
  std::uint32_t v;
  std::memcpy(&v, p, 4);
  return static_cast<std::int32_t>(v); // the build targets little-endian machines only
}
inline std::uint16_t LoadU16(const void* p) {
  std::uint16_t v;
  std::memcpy(&v, p, 2);
  return v;
}
inline void StoreI32(void* p, std::int32_t v) {
  std::memcpy(p, &v, 4);
}
inline void StoreU16(void* p, std::uint16_t v) {
  std::memcpy(p, &v, 2);
}

static_assert(__BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__, "the file format is little-endian");

} // namespace tarvik::format
