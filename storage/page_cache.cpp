#include "storage/page_cache.h"

#include <algorithm>
#include <cassert>
#include <cstring>

#include "storage/format.h"

namespace tarvik {

namespace {
std::uint32_t gNextOwnerId = 1;
}

PageOwner::PageOwner() : ownerId_(gNextOwnerId++) {}

struct Frame {
  PageOwner* owner = nullptr; // nullptr: the buffer holds no page
  std::uint32_t ownerId = 0;
  int key = 0;
  std::int32_t page = 0;
  bool dirty = false;
  int pins = 0;
  Frame* hashNext = nullptr;
  Frame* prev = nullptr;
  Frame* next = nullptr;
  std::uint8_t* data = nullptr;
};

PageHandle& PageHandle::operator=(PageHandle&& other) noexcept {
  if (this != &other) {
    Release();
    frame_ = other.frame_;
    other.frame_ = nullptr;
  }
  return *this;
}

std::uint8_t* PageHandle::data() const { return frame_->data; }
std::int32_t PageHandle::page() const { return frame_->page; }
void PageHandle::MarkDirty() { frame_->dirty = true; }
void PageHandle::Release() {
  if (frame_ != nullptr) {
    assert(frame_->pins > 0);
    --frame_->pins;
    frame_ = nullptr;
  }
}

PageCache::PageCache(int buffers) {
  assert(buffers >= 8);
  const std::size_t n = static_cast<std::size_t>(std::max(buffers, 8));
  memory_ = std::make_unique<std::uint8_t[]>(n * format::kMaxPageBytes);
  std::size_t bucketCount = 16;
  while (bucketCount < 2 * n) bucketCount *= 2;
  buckets_.assign(bucketCount, nullptr);
  bucketMask_ = bucketCount - 1;
  for (std::size_t i = 0; i < n; ++i) {
    auto f = std::make_unique<Frame>();
    f->data = memory_.get() + i * format::kMaxPageBytes;
    // Empty buffers go to the least-recently-used end so that they are taken first.
    f->prev = tail_;
    if (tail_ != nullptr) tail_->next = f.get();
    tail_ = f.get();
    if (head_ == nullptr) head_ = f.get();
    frames_.push_back(std::move(f));
  }
}

PageCache::~PageCache() = default;

std::size_t PageCache::Bucket(std::uint32_t owner, int key, std::int32_t page) const {
  std::uint64_t h = (static_cast<std::uint64_t>(owner) << 40) ^
                    (static_cast<std::uint64_t>(key) << 32) ^ static_cast<std::uint32_t>(page);
  h *= 0x9E3779B97F4A7C15ull;
  return static_cast<std::size_t>(h >> 32) & bucketMask_;
}

Frame* PageCache::Lookup(std::uint32_t owner, int key, std::int32_t page) const {
  for (Frame* f = buckets_[Bucket(owner, key, page)]; f != nullptr; f = f->hashNext) {
    if (f->page == page && f->key == key && f->ownerId == owner) return f;
  }
  return nullptr;
}

void PageCache::Hash(Frame* f) {
  Frame*& head = buckets_[Bucket(f->ownerId, f->key, f->page)];
  f->hashNext = head;
  head = f;
}

void PageCache::Unhash(Frame* f) {
  Frame** p = &buckets_[Bucket(f->ownerId, f->key, f->page)];
  while (*p != nullptr && *p != f) p = &(*p)->hashNext;
  if (*p == f) *p = f->hashNext;
  f->hashNext = nullptr;
}

void PageCache::Unlink(Frame* f) {
  if (f->prev != nullptr) f->prev->next = f->next;
  else head_ = f->next;
  if (f->next != nullptr) f->next->prev = f->prev;
  else tail_ = f->prev;
  f->prev = f->next = nullptr;
}

void PageCache::MoveToFront(Frame* f) {
  if (head_ == f) return;
  Unlink(f);
  f->next = head_;
  if (head_ != nullptr) head_->prev = f;
  head_ = f;
  if (tail_ == nullptr) tail_ = f;
}

void PageCache::MoveToBack(Frame* f) {
  if (tail_ == f) return;
  Unlink(f);
  f->prev = tail_;
  if (tail_ != nullptr) tail_->next = f;
  tail_ = f;
  if (head_ == nullptr) head_ = f;
}

Status PageCache::Victim(Frame** out) {
  for (Frame* f = tail_; f != nullptr; f = f->prev) {
    if (f->pins != 0) continue;
    if (f->owner != nullptr) {
      if (f->dirty) {
        if (Status s = f->owner->StorePage(f->key, f->page, f->data); !s.ok()) return s;
        f->dirty = false;
      }
      Unhash(f);
      f->owner = nullptr;
    }
    *out = f;
    return Status::Ok();
  }
  // Unreachable with at least 8 buffers: no operation pins more than four pages.
  return Status(10030);
}

Status PageCache::Get(PageOwner* owner, int key, std::int32_t page, PageHandle* handle) {
  handle->Release();
  Frame* f = Lookup(owner->ownerId(), key, page);
  if (f == nullptr) {
    if (Status s = Victim(&f); !s.ok()) return s;
    if (Status s = owner->LoadPage(key, page, f->data); !s.ok()) {
      MoveToBack(f);
      return s;
    }
    f->owner = owner;
    f->ownerId = owner->ownerId();
    f->key = key;
    f->page = page;
    f->dirty = false;
    Hash(f);
  }
  MoveToFront(f);
  ++f->pins;
  handle->frame_ = f;
  return Status::Ok();
}

Status PageCache::GetNew(PageOwner* owner, int key, std::int32_t page, PageHandle* handle) {
  handle->Release();
  Frame* f = Lookup(owner->ownerId(), key, page);
  if (f == nullptr) {
    if (Status s = Victim(&f); !s.ok()) return s;
    f->owner = owner;
    f->ownerId = owner->ownerId();
    f->key = key;
    f->page = page;
    Hash(f);
  }
  std::memset(f->data, 0, format::kMaxPageBytes);
  f->dirty = true;
  MoveToFront(f);
  ++f->pins;
  handle->frame_ = f;
  return Status::Ok();
}

void PageCache::Discard(PageOwner* owner, int key, std::int32_t page) {
  Frame* f = Lookup(owner->ownerId(), key, page);
  if (f == nullptr) return;
  assert(f->pins == 0);
  Unhash(f);
  f->owner = nullptr;
  f->dirty = false;
  MoveToBack(f);
}

Status PageCache::Flush(PageOwner* owner) {
  std::vector<Frame*> dirty;
  for (const auto& f : frames_) {
    if (f->owner == owner && f->dirty) dirty.push_back(f.get());
  }
  std::sort(dirty.begin(), dirty.end(), [](const Frame* a, const Frame* b) {
    return a->page != b->page ? a->page < b->page : a->key < b->key;
  });
  for (Frame* f : dirty) {
    if (Status s = owner->StorePage(f->key, f->page, f->data); !s.ok()) return s;
    f->dirty = false;
  }
  return Status::Ok();
}

void PageCache::Drop(PageOwner* owner) {
  for (const auto& f : frames_) {
    if (f->owner != owner) continue;
    assert(f->pins == 0);
    Unhash(f.get());
    f->owner = nullptr;
    f->dirty = false;
    MoveToBack(f.get());
  }
}

bool PageCache::HasDirty(const PageOwner* owner) const {
  for (const auto& f : frames_) {
    if (f->owner == owner && f->dirty) return true;
  }
  return false;
}

} // namespace tarvik
