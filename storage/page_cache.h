#pragma once
// The engine's common cache of index pages: a fixed number of page buffers (at least 8,
// 160 in the program) shared by every open index file, with least-recently-used
// replacement. A changed page is marked dirty and written when its buffer is reused or
// its file is flushed. Callers pin the pages they work on (PageHandle); a pinned buffer is
// never reused, and no operation pins more than four pages at once.

#include <cstdint>
#include <memory>
#include <vector>

#include "storage/status.h"

namespace tarvik {

/// The file a cached page belongs to. Load validates what it read.
class PageOwner {
public:
  virtual ~PageOwner() = default;
  virtual Status LoadPage(int key, std::int32_t page, std::uint8_t* buf) = 0;
  virtual Status StorePage(int key, std::int32_t page, const std::uint8_t* buf) = 0;
  /// A number no other owner used during this process.
  std::uint32_t ownerId() const { return ownerId_; }

protected:
  PageOwner();

private:
  std::uint32_t ownerId_;
};

class PageCache;

/// A pinned page. Movable, not copyable; releasing it unpins the buffer.
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
  struct Frame* frame_ = nullptr;
};

class PageCache {
public:
  /// REQUIRES: buffers >= 8.
  explicit PageCache(int buffers);
  ~PageCache();
  PageCache(const PageCache&) = delete;
  PageCache& operator=(const PageCache&) = delete;

  /// Pins page `page` of key `key` of `owner`, loading it when it is not cached. May write
  /// a dirty page of any owner to make room.
  Status Get(PageOwner* owner, int key, std::int32_t page, PageHandle* handle);
  /// Pins a buffer for a page that is new in the file: zero-filled and dirty, not read.
  Status GetNew(PageOwner* owner, int key, std::int32_t page, PageHandle* handle);
  /// Forgets a cached page without writing it (the page was freed).
  void Discard(PageOwner* owner, int key, std::int32_t page);
  /// Writes every dirty page of `owner`, in file order.
  Status Flush(PageOwner* owner);
  /// Forgets every page of `owner` without writing (after Flush, or when the file is
  /// abandoned). REQUIRES: no page of `owner` is pinned.
  void Drop(PageOwner* owner);
  /// Whether `owner` has dirty pages.
  bool HasDirty(const PageOwner* owner) const;

  int buffers() const { return static_cast<int>(frames_.size()); }

private:
  Frame* Lookup(std::uint32_t owner, int key, std::int32_t page) const;
  Status Victim(Frame** out);
  void Unhash(Frame* f);
  void Hash(Frame* f);
  void MoveToFront(Frame* f);
  void MoveToBack(Frame* f);
  void Unlink(Frame* f);
  std::size_t Bucket(std::uint32_t owner, int key, std::int32_t page) const;

  std::vector<std::unique_ptr<Frame>> frames_;
  std::vector<Frame*> buckets_;
  std::size_t bucketMask_ = 0;
  Frame* head_ = nullptr; // most recently used
  Frame* tail_ = nullptr; // least recently used
  std::unique_ptr<std::uint8_t[]> memory_;
};

} // namespace tarvik
