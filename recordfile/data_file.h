#pragma once
// The data file of a fileblock (format.h): header, fixed-length record slots, the free
// chain and the section chains of variable-length records. The header is kept in memory
// and written by WriteHeader; record slots are read and written directly.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "recordfile/file_io.h"
#include "recordfile/status.h"

namespace tarvik {

class DataFile {
public:
  struct Header {
    std::int32_t firstFree = -1;
    std::int32_t numberFree = 0;
    std::int32_t numRec = 0;
    std::int32_t recLen = 0;
    std::int32_t numKeys = 0; // the low byte of the stored value
    std::uint8_t inUse = 0;
  };

  /// Creates the file (emptying an existing one once its lock is held): a header with
  /// no records, `numKeys` and `inUse`, zero-filled to `recLen`, synced. Keeps the file
  /// open and locked in `*out` when given.
  static Status Create(FileIo& io, const std::string& path, int recLen, int numKeys, bool inUse,
                       std::unique_ptr<DataFile>* out);
  /// Opens and locks an existing file. Fails with 10010 when the header contradicts the
  /// file length or itself (the files need a repair), 10060 above 110 keys.
  static Status Open(FileIo& io, const std::string& path, bool readOnly,
                     std::unique_ptr<DataFile>* out);

  const Header& header() const { return header_; }
  int recLen() const { return header_.recLen; }
  std::int32_t numRec() const { return header_.numRec; }
  /// Records in use: NumRec - NumberFree.
  std::int32_t usedRecords() const { return header_.numRec - header_.numberFree; }
  void SetNumKeys(int numKeys) { header_.numKeys = numKeys; }

  /// Reads the slot of record `rec` (recLen bytes). 10135 for rec < 1, 10070 beyond NumRec.
  Status ReadSlot(std::int32_t rec, void* buf);
  Status WriteSlot(std::int32_t rec, const void* buf);
  /// Reads the status word of record `rec`.
  Status ReadStatusWord(std::int32_t rec, std::int32_t* status);

  /// Takes a record number: the head of the free chain, or NumRec + 1. 10170 when the
  /// free chain is broken. The slot's content is the caller's to write.
  Status Allocate(std::int32_t* rec);
  /// Returns an appended record number again after its slot could not be written.
  void UndoAppend(std::int32_t rec);
  /// Takes back every record appended after NumRec was `numRec` (free chain unchanged).
  void UndoAppendsTo(std::int32_t numRec);
  /// Puts `rec` at the head of the free chain (writes its status word).
  Status Free(std::int32_t rec);

  // Variable-length records: RecLen is the section length S.
  /// Reads the record whose main section is `rec` into buf[0..size), zero-filling the
  /// rest. 12289 when `rec` is not a live main section, 10415 for a broken chain.
  Status ReadVariable(std::int32_t rec, std::uint8_t* buf, std::size_t size);
  /// Writes `len` bytes as a new record (allocating continuation sections first, from the
  /// last piece to the first) and returns the main section in *rec. With `mainRec` > 0 the
  /// main section is rewritten in place instead of allocated.
  Status WriteVariable(const std::uint8_t* data, std::size_t len, std::int32_t mainRec,
                       std::int32_t* rec);
  /// The continuation sections of the record at `mainRec`, in chain order.
  Status ContinuationsOf(std::int32_t mainRec, std::size_t maxSections,
                         std::vector<std::int32_t>* sections);
  /// Frees continuation sections.
  Status FreeSections(const std::vector<std::int32_t>& sections);

  /// Sets InUse = 1 on disk and syncs, unless it is already set there.
  Status MarkInUse();
  bool inUseOnDisk() const { return inUseOnDisk_; }
  /// Writes the header with the given InUse value.
  Status WriteHeader(bool inUse);
  Status Sync();
  /// Whether anything was written since the last Sync.
  bool unsynced() const { return unsynced_; }
  /// Whether the next Allocate appends (the free chain is empty).
  bool WillAppend() const { return header_.firstFree == -1; }
  Status Close();
  File& file() { return *file_; }

private:
  DataFile() = default;
  std::uint64_t SlotOffset(std::int32_t rec) const {
    return static_cast<std::uint64_t>(rec) * static_cast<std::uint64_t>(header_.recLen);
  }

  std::unique_ptr<File> file_;
  Header header_;
  bool readOnly_ = false;
  bool inUseOnDisk_ = false;
  bool unsynced_ = false;
  std::vector<std::uint8_t> section_;
};

/// Record length of variable records: the buffer without its trailing zero bytes, but at
/// least what fits into the main section.
std::size_t VariableRecordLength(const std::uint8_t* data, std::size_t size, int sectionLength);

} // namespace tarvik
