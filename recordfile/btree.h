#pragma once
// One key's B-tree inside an index file: ordered entries (key string, record number),
// insertion with rotation into a neighbour before a split, deletion with borrowing and
// merging, cursors for sequential access, and the two-level position estimates used by
// scroll bars. Entries are compared by key string (key order of format.h) and then by
// record number, so every entry is unique; in a unique key an equal key string is a
// duplicate.

#include <cstdint>
#include <string>
#include <string_view>

#include "recordfile/index_file.h"
#include "recordfile/status.h"

namespace tarvik {

/// A position in one key: the path of (page, index) pairs from the root to the current
/// entry plus a copy of that entry. In the last pair the index names the current item;
/// above it, the child taken (0 = LeftPage, i = PageRef of item i - 1). A cursor made
/// before the tree changed is found again by its entry.
struct Cursor {
  static constexpr int kMaxDepth = 32;
  struct Level {
    std::int32_t page;
    int index;
  };
  Level path[kMaxDepth];
  int depth = 0;
  bool valid = false; // on an entry
  std::uint64_t version = 0;
  std::string key;
  std::int32_t ref = 0;
};

class BTree {
public:
  BTree(IndexFile& file, int k);

  /// Adds (key, ref). 10230 when the entry exists, or the key string exists in a
  /// unique key. REQUIRES: key.size() <= key length.
  Status Insert(std::string_view key, std::int32_t ref);
  /// Removes (key, ref); 10220 when there is no such entry.
  Status Remove(std::string_view key, std::int32_t ref);

  /// Positions `c` on the first entry >= (key, ref); *found is false (and `c` not
  /// valid) when every entry is smaller.
  Status Seek(std::string_view key, std::int32_t ref, Cursor* c, bool* found);
  /// Positions `c` on the last entry <= (key, ref).
  Status SeekLast(std::string_view key, std::int32_t ref, Cursor* c, bool* found);
  Status First(Cursor* c, bool* found);
  Status Last(Cursor* c, bool* found);
  /// Steps a valid cursor; at the end *found is false and `c` stays where it was.
  Status Next(Cursor* c, bool* found);
  Status Prev(Cursor* c, bool* found);

  /// Estimated position 0..scale of (key, ref) from the first two levels of the tree.
  Status KeyToRelPos(std::string_view key, std::int32_t ref, std::int32_t scale,
                     std::int32_t* position);
  /// The entry near position 0..scale (empty key and 0 before the first root item).
  Status RelPosToKey(std::int32_t position, std::int32_t scale, std::int32_t* ref,
                     std::string* key);

private:
  Status Descend(std::int32_t page, bool leftmost, Cursor* c);
  Status Climb(Cursor* c, bool forward, bool* found);
  Status LoadEntry(Cursor* c);
  Status Resync(Cursor* c, bool* exact, bool* found);
  Status InsertAt(Cursor::Level* path, int d, std::uint8_t* item);
  Status FixUnderflow(Cursor::Level* path, int d);

  IndexFile& file_;
  int k_;
  KeyInfo& info_;
  int ipp_;
  int size_; // item size
};

} // namespace tarvik
