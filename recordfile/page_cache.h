#pragma once
// The engine's common cache of index pages, shared by every open index file, with
// least-recently-used replacement. A changed page is marked dirty and written when its
// room is needed or its file is flushed.
//
// The cache is sized in page buffers (at least 8, 160 in the program), each the size of
// the largest page (62 items of 59 bytes plus the header). Pages are kept as they are in
// the file, at their key's slot size, so the room of one buffer holds several pages of a
// key with short key strings: the same memory caches more pages.
//
// Callers pin the pages they work on (PageHandle); a pinned page is never evicted, and no
// operation pins more than four pages at once.

#include <cstdint>
#include <memory>
#include <vector>

#include "recordfile/status.h"

namespace tarvik {

/// The file a cached page belongs to.
class PageOwner {
public:
  virtual ~PageOwner() = default;
  /// Reads and validates a page into `buf` (PageSize(key) bytes).
  virtual Status LoadPage(int key, std::int32_t page, std::uint8_t* buf) = 0;
  virtual Status StorePage(int key, std::int32_t page, const std::uint8_t* buf) = 0;
  /// The size of a page of `key`.
  virtual std::size_t PageSize(int key) const = 0;
  /// A number no other owner used during this process.
  std::uint32_t ownerId() const { return ownerId_; }

protected:
  PageOwner();

private:
  std::uint32_t ownerId_;
};

struct Frame;

/// A pinned page. Movable, not copyable; releasing it unpins the page.
class PageHandle {
public:
  PageHandle() = default;
  PageHandle(PageHandle&& other) noexcept { *this = std::move(other); }
  PageHandle& operator=(PageHandle&& other) noexcept;
  PageHandle(const PageHandle&) = delete;
  PageHandle& operator=(const PageHandle&) = delete;
  ~PageHandle() { Release(); }

  std::uint8_t* data() const;
  std::int32_t page() const;
  void MarkDirty();
  void Release();
  explicit operator bool() const { return frame_ != nullptr; }

private:
  friend class PageCache;
  Frame* frame_ = nullptr;
};

class PageCache {
public:
  /// REQUIRES: buffers >= 8.
  explicit PageCache(int buffers);
  ~PageCache();
  PageCache(const PageCache&) = delete;
  PageCache& operator=(const PageCache&) = delete;

  /// Pins page `page` of key `key` of `owner`, loading it when it is not cached. May write
  /// dirty pages of any owner to make room.
  Status Get(PageOwner* owner, int key, std::int32_t page, PageHandle* handle);
  /// Pins a page that is new in the file: zero-filled and dirty, not read.
  Status GetNew(PageOwner* owner, int key, std::int32_t page, PageHandle* handle);
  /// Whether the page is cached (no file access).
  bool Contains(const PageOwner* owner, int key, std::int32_t page) const {
    return Lookup(owner->ownerId(), key, page) != nullptr;
  }
  /// Forgets a cached page without writing it (the page was freed).
  void Discard(PageOwner* owner, int key, std::int32_t page);
  /// Writes every dirty page of `owner`, in file order.
  Status Flush(PageOwner* owner);
  /// Forgets every page of `owner` without writing. REQUIRES: none of them is pinned.
  void Drop(PageOwner* owner);
  bool HasDirty(const PageOwner* owner) const;

  std::size_t capacityBytes() const { return budget_; }
  std::size_t usedBytes() const { return used_; }

private:
  Frame* Lookup(std::uint32_t owner, int key, std::int32_t page) const;
  Status Acquire(std::size_t size, Frame** out);
  void Evict(Frame* f);
  void Unhash(Frame* f);
  void Hash(Frame* f);
  void PushFront(Frame* f);
  void MoveToFront(Frame* f);
  void Unlink(Frame* f);
  std::size_t Bucket(std::uint32_t owner, int key, std::int32_t page) const;

  std::size_t budget_;
  std::size_t used_ = 0;
  std::vector<std::unique_ptr<Frame>> frames_; // every frame object
  std::vector<Frame*> spare_;                  // frame objects holding no page
  std::vector<Frame*> buckets_;
  std::size_t bucketMask_ = 0;
  Frame* head_ = nullptr; // most recently used
  Frame* tail_ = nullptr; // least recently used
};

} // namespace tarvik
