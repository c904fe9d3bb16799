#pragma once
// Checks a fileblock's files from the files alone, without its key builder: the data file
// header and free chain, and for every key the B-tree (order, depth, item counts, page
// numbers, KeyCount, free pages) and that every entry names a live record. Every problem
// is reported with its location; the check never stops at the first one.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace tarvik {

class FileIo;

struct KeyCheck {
  int key = 0;
  int keyLen = 0;
  bool allowDups = false;
  int itemsPerPage = 0;
  std::int32_t keyCount = 0; // as the header says
  std::int32_t entries = 0;  // as counted
  int depth = 0;             // levels of the tree (0 = empty)
  std::int32_t pages = 0;    // pages in the tree
};

struct CheckReport {
  std::vector<std::string> problems;
  bool readable = false; // the files could be opened and read at all
  std::int32_t recLen = 0;
  std::int32_t numRec = 0;
  std::int32_t numberFree = 0;
  std::int32_t liveRecords = 0;
  int numKeys = 0;
  bool inUse = false;
  std::vector<KeyCheck> keys;

  bool ok() const { return readable && problems.empty(); }
};

/// Checks the fileblock whose files are `base` + ".DAT" / ".IX" (taking a shared lock:
/// a fileblock in use by a running program cannot be checked).
[[nodiscard]] CheckReport CheckFileblockFiles(FileIo& io, const std::string& base);

/// Called for each entry of a key that names a live record: key number, record number, the
/// entry's key bytes (valid during the call only). Keys come in order 1, 2, ..., each in key
/// order. Entries naming anything else are problems of the report instead.
using IndexEntryVisitor =
    std::function<void(int key, std::int32_t record, std::string_view keyBytes)>;

/// The same check over the bytes of both files, read by the caller (`ix` is not read when
/// the data file declares no keys), handing every entry that names a live record to
/// `visitEntry` (may be empty).
[[nodiscard]] CheckReport CheckFileblockImages(const std::string& dat, const std::string& ix,
                                               const IndexEntryVisitor& visitEntry);

/// Calls `entry` for every entry of key `key` in key order: record number and key bytes.
/// Damaged parts of the tree are skipped and described in `problems`. False when the
/// files cannot be read or the key does not exist.
[[nodiscard]] bool
WalkKeyEntries(FileIo& io, const std::string& base, int key,
               const std::function<void(std::int32_t record, const std::string& key)>& entry,
               std::vector<std::string>* problems);

/// Reads record `record` (RecLen bytes) of the data file; false when it is not there.
[[nodiscard]] bool ReadDataRecord(FileIo& io, const std::string& base, std::int32_t record,
                                  std::string* bytes);

} // namespace tarvik
