#include "recordfile/page_cache.h"

#include <algorithm>
#include <cassert>
#include <cstring>

#include "recordfile/format.h"

namespace tarvik {

namespace {
std::uint32_t gNextOwnerId = 1;
}

PageOwner::PageOwner() : ownerId_(gNextOwnerId++) {}

struct Frame {
  PageOwner* owner = nullptr;
  std::uint32_t ownerId = 0;
  int key = 0;
  std::int32_t page = 0;
  bool dirty = false;
  int pins = 0;
  Frame* hashNext = nullptr;
  Frame* prev = nullptr;
  Frame* next = nullptr;
  std::unique_ptr<std::uint8_t[]> data;
  std::size_t size = 0;
};

PageHandle& PageHandle::operator=(PageHandle&& other) noexcept {
  if (this != &other) {
    Release();
    frame_ = other.frame_;
    other.frame_ = nullptr;
  }
  return *this;
}

std::uint8_t* PageHandle::data() const {
  return frame_->data.get();
}
std::int32_t PageHandle::page() const {
  return frame_->page;
}
void PageHandle::MarkDirty() {
  frame_->dirty = true;
}
void PageHandle::Release() {
  if (frame_ != nullptr) {
    assert(frame_->pins > 0);
    --frame_->pins;
    frame_ = nullptr;
  }
}

PageCache::PageCache(int buffers)
    : budget_(static_cast<std::size_t>(std::max(buffers, 8)) * format::kMaxPageBytes) {
  std::size_t bucketCount = 64;
  while (bucketCount < budget_ / 256)
    bucketCount *= 2;
  buckets_.assign(bucketCount, nullptr);
  bucketMask_ = bucketCount - 1;
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
    if (f->page == page && f->key == key && f->ownerId == owner)
      return f;
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
  while (*p != nullptr && *p != f)
    p = &(*p)->hashNext;
  if (*p == f)
    *p = f->hashNext;
  f->hashNext = nullptr;
}

void PageCache::Unlink(Frame* f) {
  if (f->prev != nullptr) {
    f->prev->next = f->next;
  } else {
    head_ = f->next;
  }
  if (f->next != nullptr) {
    f->next->prev = f->prev;
  } else {
    tail_ = f->prev;
  }
  f->prev = f->next = nullptr;
}

void PageCache::PushFront(Frame* f) {
  f->prev = nullptr;
  f->next = head_;
  if (head_ != nullptr)
    head_->prev = f;
  head_ = f;
  if (tail_ == nullptr)
    tail_ = f;
}

void PageCache::MoveToFront(Frame* f) {
  if (head_ == f)
    return;
  Unlink(f);
  PushFront(f);
}

void PageCache::Evict(Frame* f) {
  Unhash(f);
  Unlink(f);
  used_ -= f->size;
  f->owner = nullptr;
  f->dirty = false;
  spare_.push_back(f);
}

Status PageCache::Acquire(std::size_t size, Frame** out) {
  // Make room from the least recently used end; a pinned page stays.
  Frame* victim = tail_;
  while (used_ + size > budget_) {
    while (victim != nullptr && victim->pins != 0)
      victim = victim->prev;
    if (victim == nullptr)
      return Status(10030); // not reached: at most 4 pages are pinned
    Frame* f = victim;
    victim = victim->prev;
    if (f->dirty) {
      if (Status s = f->owner->StorePage(f->key, f->page, f->data.get()); !s.ok())
        return s;
    }
    Evict(f);
  }
  // Reuse a spare frame, keeping its memory when it has the right size.
  Frame* f = nullptr;
  for (std::size_t i = spare_.size(); i-- > 0;) {
    if (spare_[i]->size == size) {
      f = spare_[i];
      spare_[i] = spare_.back();
      spare_.pop_back();
      break;
    }
  }
  if (f == nullptr && !spare_.empty()) {
    f = spare_.back();
    spare_.pop_back();
  }
  if (f == nullptr) {
    frames_.push_back(std::make_unique<Frame>());
    f = frames_.back().get();
  }
  if (f->size != size || !f->data) {
    f->data = std::make_unique<std::uint8_t[]>(size);
    f->size = size;
  }
  // Spare frames beyond what may be needed again give their memory back.
  while (spare_.size() > 16) {
    spare_.back()->data.reset();
    spare_.back()->size = 0;
    spare_.pop_back();
  }
  used_ += size;
  *out = f;
  return Status::Ok();
}

Status PageCache::Get(PageOwner* owner, int key, std::int32_t page, PageHandle* handle) {
  handle->Release();
  Frame* f = Lookup(owner->ownerId(), key, page);
  if (f == nullptr) {
    if (Status s = Acquire(owner->PageSize(key), &f); !s.ok())
      return s;
    if (Status s = owner->LoadPage(key, page, f->data.get()); !s.ok()) {
      used_ -= f->size;
      spare_.push_back(f);
      return s;
    }
    f->owner = owner;
    f->ownerId = owner->ownerId();
    f->key = key;
    f->page = page;
    f->dirty = false;
    Hash(f);
    PushFront(f);
  } else {
    MoveToFront(f);
  }
  ++f->pins;
  handle->frame_ = f;
  return Status::Ok();
}

Status PageCache::GetNew(PageOwner* owner, int key, std::int32_t page, PageHandle* handle) {
  handle->Release();
  Frame* f = Lookup(owner->ownerId(), key, page);
  if (f == nullptr) {
    if (Status s = Acquire(owner->PageSize(key), &f); !s.ok())
      return s;
    f->owner = owner;
    f->ownerId = owner->ownerId();
    f->key = key;
    f->page = page;
    Hash(f);
    PushFront(f);
  } else {
    MoveToFront(f);
  }
  std::memset(f->data.get(), 0, f->size);
  f->dirty = true;
  ++f->pins;
  handle->frame_ = f;
  return Status::Ok();
}

void PageCache::Discard(PageOwner* owner, int key, std::int32_t page) {
  Frame* f = Lookup(owner->ownerId(), key, page);
  if (f == nullptr)
    return;
  assert(f->pins == 0);
  Evict(f);
}

Status PageCache::Flush(PageOwner* owner) {
  std::vector<Frame*> dirty;
  for (Frame* f = head_; f != nullptr; f = f->next) {
    if (f->owner == owner && f->dirty)
      dirty.push_back(f);
  }
  std::sort(dirty.begin(), dirty.end(), [](const Frame* a, const Frame* b) {
    return a->page != b->page ? a->page < b->page : a->key < b->key;
  });
  for (Frame* f : dirty) {
    if (Status s = owner->StorePage(f->key, f->page, f->data.get()); !s.ok())
      return s;
    f->dirty = false;
  }
  return Status::Ok();
}

void PageCache::Drop(PageOwner* owner) {
  for (Frame* f = head_; f != nullptr;) {
    Frame* next = f->next;
    if (f->owner == owner) {
      assert(f->pins == 0);
      Evict(f);
    }
    f = next;
  }
}

bool PageCache::HasDirty(const PageOwner* owner) const {
  for (const Frame* f = head_; f != nullptr; f = f->next) {
    if (f->owner == owner && f->dirty)
      return true;
  }
  return false;
}

} // namespace tarvik
