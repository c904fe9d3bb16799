#pragma once
// The index file of a fileblock (format.h): the key headers of row 0 and the page slots
// of every key. Pages are read and written through the engine's PageCache; the key
// headers live in memory and are written by Flush.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "recordfile/file_io.h"
#include "recordfile/page_cache.h"
#include "recordfile/status.h"

namespace tarvik {

/// A key's definition as far as the files are concerned.
struct IndexKeyDef {
  int length = 0;
  bool allowDups = false;
};

/// A key's header plus what follows from it.
struct KeyInfo {
  std::int32_t firstFreePage = -1;
  std::int32_t numberFreePages = 0;
  std::int32_t numPages = 0;
  std::int32_t pageBytes = 0;
  std::int32_t rootPage = 0;
  bool allowDups = false;
  std::uint8_t reserved = 0;
  std::int32_t keyCount = 0;
  std::uint16_t storedItemsPerPage = 0;

  int itemsPerPage = 0; // the stored value, 0 read as 62
  int keyLen = 0;
  int itemSize = 0;         // keyLen + 9
  std::uint64_t offset = 0; // of the slot within a row
  bool headerDirty = false;
  std::uint64_t version = 0; // changes with every insertion and deletion (cursors re-seek)
};

class IndexFile final : public PageOwner {
public:
  /// Creates (or empties) the index file with empty key headers and keeps it open and
  /// locked in `*out` when given.
  static Status Create(FileIo& io, const std::string& path, const std::vector<IndexKeyDef>& keys,
                       PageCache& cache, std::unique_ptr<IndexFile>* out);
  /// Opens and locks an existing index file of `numKeys` keys and validates its headers:
  /// 10120 page size, 10121 key length, 10122 items per page, 10010 other damage.
  static Status Open(FileIo& io, const std::string& path, int numKeys, bool readOnly,
                     PageCache& cache, std::unique_ptr<IndexFile>* out);
  ~IndexFile() override;

  int numKeys() const { return static_cast<int>(keys_.size()) - 1; }
  KeyInfo& key(int k) { return keys_[static_cast<std::size_t>(k)]; }
  const KeyInfo& key(int k) const { return keys_[static_cast<std::size_t>(k)]; }
  void MarkHeaderDirty(int k) { keys_[static_cast<std::size_t>(k)].headerDirty = true; }
  std::uint64_t rowLen() const { return rowLen_; }
  std::int64_t rows() const { return rows_; }

  /// Pins page `page` of key `k` (validated when read: item count, child pages, key
  /// lengths; 10010 on damage).
  Status GetPage(int k, std::int32_t page, PageHandle* handle);
  /// Whether page `page` of key `k` is in the page cache.
  bool IsCached(int k, std::int32_t page) const { return cache_.Contains(this, k, page); }
  /// Allocates a page for key `k` (free chain first, else NumPages + 1, appending a row
  /// when needed) and pins it zero-filled. 10170 for a broken free chain.
  Status NewPage(int k, PageHandle* handle);
  /// Puts `page` at the head of key `k`'s free chain. REQUIRES: the page is not pinned.
  Status FreePage(int k, std::int32_t page);

  /// Writes dirty pages and changed key headers; with `sync` also syncs the file.
  Status Flush(bool sync);
  bool HasUnwrittenChanges() const;
  /// Closes the file, dropping its cached pages (written or not).
  Status Close();
  /// The open file, for reading it whole (REQUIRES: nothing unwritten, see Flush).
  File& file() { return *file_; }

  Status LoadPage(int key, std::int32_t page, std::uint8_t* buf) override;
  Status StorePage(int key, std::int32_t page, const std::uint8_t* buf) override;
  std::size_t PageSize(int key) const override {
    return static_cast<std::size_t>(keys_[static_cast<std::size_t>(key)].pageBytes);
  }

private:
  IndexFile(PageCache& cache) : cache_(cache) {}
  std::uint64_t PageOffset(int k, std::int32_t page) const {
    return static_cast<std::uint64_t>(page) * rowLen_ + keys_[static_cast<std::size_t>(k)].offset;
  }
  void EncodeHeader(int k);

  PageCache& cache_;
  std::unique_ptr<File> file_;
  std::vector<KeyInfo> keys_; // [0] unused
  std::vector<std::uint8_t> row0_;
  std::uint64_t rowLen_ = 0;
  std::int64_t rows_ = 0;
  bool readOnly_ = false;
};

/// A number never handed out before in this process: key versions come from it, so that
/// a cursor made before a file was closed and opened again never looks current.
std::uint64_t NextIndexVersion();

/// Validates a page image of a key: item count within 1..ItemsPerPage, leaf or inner
/// consistently, child pages in 1..NumPages, key lengths within KeyLen, DataRefs >= 1.
bool PageLooksSound(const KeyInfo& key, const std::uint8_t* page);

} // namespace tarvik
