#include "recordfile/btree.h"

#include <algorithm>
#include <cassert>
#include <climits>
#include <cstring>

#include "recordfile/format.h"
#include "recordfile/key_codec.h"

namespace tarvik {

using namespace format;

namespace {

// Page accessors over a page image.
inline int Count(const std::uint8_t* p) {
  return LoadU16(p + kPgItemCount);
}
inline void SetCount(std::uint8_t* p, int n) {
  StoreU16(p + kPgItemCount, static_cast<std::uint16_t>(n));
}
inline std::int32_t Left(const std::uint8_t* p) {
  return LoadI32(p + kPgLeftPage);
}
inline void SetLeft(std::uint8_t* p, std::int32_t v) {
  StoreI32(p + kPgLeftPage, v);
}
inline std::uint8_t* Items(std::uint8_t* p) {
  return p + kPageHeaderSize;
}
inline const std::uint8_t* Items(const std::uint8_t* p) {
  return p + kPageHeaderSize;
}
inline std::int32_t ItemRef(const std::uint8_t* it) {
  return LoadI32(it + kItDataRef);
}
inline std::int32_t ItemChild(const std::uint8_t* it) {
  return LoadI32(it + kItPageRef);
}
inline void SetItemChild(std::uint8_t* it, std::int32_t v) {
  StoreI32(it + kItPageRef, v);
}
inline int ItemKeyLen(const std::uint8_t* it) {
  return it[kItKey];
}
inline const std::uint8_t* ItemKey(const std::uint8_t* it) {
  return it + kItKey + 1;
}

/// Child `c` of a page: 0 = LeftPage, else the PageRef of item c - 1.
inline std::int32_t ChildAt(const std::uint8_t* p, int c, int size) {
  return c == 0 ? Left(p) : ItemChild(Items(p) + (c - 1) * size);
}

/// Compares an item with (key, ref).
inline int CompareItem(const std::uint8_t* it, const std::uint8_t* key, int keyLen,
                       std::int32_t ref) {
  if (const int c = CompareKeys(ItemKey(it), static_cast<std::size_t>(ItemKeyLen(it)), key,
                                static_cast<std::size_t>(keyLen));
      c != 0) {
    return c;
  }
  const std::int32_t r = ItemRef(it);
  return r < ref ? -1 : (r > ref ? 1 : 0);
}

/// The first item index whose entry is >= (key, ref).
inline int LowerBound(const std::uint8_t* p, int size, const std::uint8_t* key, int keyLen,
                      std::int32_t ref) {
  int lo = 0;
  int hi = Count(p);
  const std::uint8_t* items = Items(p);
  while (lo < hi) {
    const int mid = (lo + hi) / 2;
    if (CompareItem(items + mid * size, key, keyLen, ref) < 0) {
      lo = mid + 1;
    } else {
      hi = mid;
    }
  }
  return lo;
}

inline bool SameKey(const std::uint8_t* it, const std::uint8_t* key, int keyLen) {
  return ItemKeyLen(it) == keyLen &&
         std::memcmp(ItemKey(it), key, static_cast<std::size_t>(keyLen)) == 0;
}

/// Order of the entries at two cursors.
int EntryOrder(const Cursor& a, const Cursor& b) {
  if (const int c = CompareKeys(a.key, b.key); c != 0)
    return c;
  return a.ref < b.ref ? -1 : (a.ref > b.ref ? 1 : 0);
}

const std::uint8_t* Bytes(std::string_view s) {
  return reinterpret_cast<const std::uint8_t*>(s.data());
}

/// Spreads the items of two neighbours L and R with their separator evenly over both.
/// `left`/`right` give each side's items (possibly a scratch copy), count and LeftPage;
/// the results go to the page images `outL` and `outR` and the separator item in the
/// parent `sep` (whose PageRef, naming R, stays).
void Redistribute(const std::uint8_t* leftItems, int nL, std::int32_t leftLeft,
                  const std::uint8_t* rightItems, int nR, std::int32_t rightLeft, std::uint8_t* sep,
                  std::uint8_t* outL, std::uint8_t* outR, int size) {
  std::uint8_t seq[(2 * kItemsPerPage + 2) * kMaxItemSize];
  const int total = nL + 1 + nR;
  std::memcpy(seq, leftItems, static_cast<std::size_t>(nL * size));
  std::memcpy(seq + nL * size, sep, static_cast<std::size_t>(size));
  SetItemChild(seq + nL * size, rightLeft);
  std::memcpy(seq + (nL + 1) * size, rightItems, static_cast<std::size_t>(nR * size));
  const int newL = (total - 1) / 2;
  const int newR = total - 1 - newL;
  SetCount(outL, newL);
  SetLeft(outL, leftLeft);
  std::memcpy(Items(outL), seq, static_cast<std::size_t>(newL * size));
  const std::uint8_t* mid = seq + newL * size;
  assert(newL >= 1 && newR >= 1);
  SetCount(outR, newR);
  SetLeft(outR, ItemChild(mid));
  std::memcpy(Items(outR), mid + size, static_cast<std::size_t>(newR * size));
  const std::int32_t rightPage = ItemChild(sep);
  std::memcpy(sep, mid, static_cast<std::size_t>(size));
  SetItemChild(sep, rightPage);
}

} // namespace

BTree::BTree(IndexFile& file, int k)
    : file_(file), k_(k), info_(file.key(k)), ipp_(info_.itemsPerPage), size_(info_.itemSize) {}

// ---------------------------------------------------------------------------------------
// Insertion

Status BTree::Insert(std::string_view key, std::int32_t ref) {
  assert(static_cast<int>(key.size()) <= info_.keyLen);
  std::uint8_t item[kMaxItemSize] = {};
  StoreI32(item + kItDataRef, ref);
  item[kItKey] = static_cast<std::uint8_t>(key.size());
  std::memcpy(item + kItKey + 1, key.data(), key.size());
  const int keyLen = static_cast<int>(key.size());

  if (info_.rootPage == 0) {
    PageHandle h;
    if (Status s = file_.NewPage(k_, &h); !s.ok())
      return s;
    SetCount(h.data(), 1);
    std::memcpy(Items(h.data()), item, static_cast<std::size_t>(size_));
    info_.rootPage = h.page();
  } else {
    Cursor::Level path[Cursor::kMaxDepth];
    int depth = 0;
    std::int32_t page = info_.rootPage;
    for (;;) {
      if (depth >= Cursor::kMaxDepth)
        return Status(err::kIndexUnusable, 30);
      PageHandle h;
      if (Status s = file_.GetPage(k_, page, &h); !s.ok())
        return s;
      const std::uint8_t* p = h.data();
      const int pos = LowerBound(p, size_, Bytes(key), keyLen, info_.allowDups ? ref : INT32_MIN);
      if (pos < Count(p)) {
        const std::uint8_t* at = Items(p) + pos * size_;
        if (SameKey(at, Bytes(key), keyLen) && (!info_.allowDups || ItemRef(at) == ref))
          return Status(err::kDuplicateKey);
      }
      path[depth++] = {page, pos};
      const std::int32_t child = ChildAt(p, pos, size_);
      if (child == 0)
        break;
      page = child;
    }
    if (Status s = InsertAt(path, depth - 1, item); !s.ok())
      return s;
  }
  ++info_.keyCount;
  info_.version = NextIndexVersion();
  info_.headerDirty = true;
  return Status::Ok();
}

Status BTree::InsertAt(Cursor::Level* path, int d, std::uint8_t* item) {
  std::uint8_t scratch[(kItemsPerPage + 1) * kMaxItemSize];
  std::uint8_t up[kMaxItemSize];
  for (;;) {
    PageHandle h;
    if (Status s = file_.GetPage(k_, path[d].page, &h); !s.ok())
      return s;
    std::uint8_t* p = h.data();
    const int n = Count(p);
    const int pos = std::min(path[d].index, n);
    std::uint8_t* items = Items(p);
    if (n < ipp_) {
      std::memmove(items + (pos + 1) * size_, items + pos * size_,
                   static_cast<std::size_t>((n - pos) * size_));
      std::memcpy(items + pos * size_, item, static_cast<std::size_t>(size_));
      SetCount(p, n + 1);
      h.MarkDirty();
      assert(Count(p) <= ipp_);
      return Status::Ok();
    }
    // The page overflows: its items with the new one, in order, in a scratch array.
    std::memcpy(scratch, items, static_cast<std::size_t>(pos * size_));
    std::memcpy(scratch + pos * size_, item, static_cast<std::size_t>(size_));
    std::memcpy(scratch + (pos + 1) * size_, items + pos * size_,
                static_cast<std::size_t>((n - pos) * size_));
    const int total = n + 1;
    const std::int32_t scratchLeft = Left(p);

    if (d > 0) {
      // First try to pass items to one neighbour under the same parent: one that is in
      // the cache if there is such, else the left one (the right one at the left edge).
      PageHandle ph;
      if (Status s = file_.GetPage(k_, path[d - 1].page, &ph); !s.ok())
        return s;
      std::uint8_t* pp = ph.data();
      const int c = path[d - 1].index;
      const bool hasLeft = c > 0;
      const bool hasRight = c < Count(pp);
      bool useLeft = hasLeft;
      if (hasLeft && hasRight && !file_.IsCached(k_, ChildAt(pp, c - 1, size_)) &&
          file_.IsCached(k_, ChildAt(pp, c + 1, size_))) {
        useLeft = false;
      }
      if (hasLeft || hasRight) {
        PageHandle nh;
        if (Status s = file_.GetPage(k_, ChildAt(pp, useLeft ? c - 1 : c + 1, size_), &nh); !s.ok())
          return s;
        if ((Left(nh.data()) == 0) != (scratchLeft == 0))
          return Status(err::kIndexUnusable, 40);
        const int nN = Count(nh.data());
        if (nN < ipp_) {
          std::uint8_t copy[kItemsPerPage * kMaxItemSize];
          std::memcpy(copy, Items(nh.data()), static_cast<std::size_t>(nN * size_));
          if (useLeft) {
            Redistribute(copy, nN, Left(nh.data()), scratch, total, scratchLeft,
                         Items(pp) + (c - 1) * size_, nh.data(), p, size_);
          } else {
            Redistribute(scratch, total, scratchLeft, copy, nN, Left(nh.data()),
                         Items(pp) + c * size_, p, nh.data(), size_);
          }
          nh.MarkDirty();
          h.MarkDirty();
          ph.MarkDirty();
          return Status::Ok();
        }
      }
    }

    // Split: the lower half stays, the middle item moves up, the upper half moves to a
    // new page.
    const int lower = ipp_ / 2;
    PageHandle nh;
    if (Status s = file_.NewPage(k_, &nh); !s.ok())
      return s;
    std::uint8_t* np = nh.data();
    std::memcpy(up, scratch + lower * size_, static_cast<std::size_t>(size_));
    SetLeft(np, ItemChild(up));
    SetCount(np, total - lower - 1);
    std::memcpy(Items(np), scratch + (lower + 1) * size_,
                static_cast<std::size_t>((total - lower - 1) * size_));
    SetCount(p, lower);
    SetLeft(p, scratchLeft);
    std::memcpy(items, scratch, static_cast<std::size_t>(lower * size_));
    SetItemChild(up, nh.page());
    h.MarkDirty();
    if (d == 0) {
      PageHandle rh;
      if (Status s = file_.NewPage(k_, &rh); !s.ok())
        return s;
      SetCount(rh.data(), 1);
      SetLeft(rh.data(), h.page());
      std::memcpy(Items(rh.data()), up, static_cast<std::size_t>(size_));
      info_.rootPage = rh.page();
      info_.headerDirty = true;
      return Status::Ok();
    }
    std::memcpy(item, up, static_cast<std::size_t>(size_));
    --d;
  }
}

// ---------------------------------------------------------------------------------------
// Deletion

Status BTree::Remove(std::string_view key, std::int32_t ref) {
  if (info_.rootPage == 0)
    return Status(err::kDeleteKeyNotFound);
  const int keyLen = static_cast<int>(key.size());
  Cursor::Level path[Cursor::kMaxDepth];
  int depth = 0;
  int foundDepth = -1;
  std::int32_t page = info_.rootPage;
  for (;;) {
    if (depth >= Cursor::kMaxDepth)
      return Status(err::kIndexUnusable, 31);
    PageHandle h;
    if (Status s = file_.GetPage(k_, page, &h); !s.ok())
      return s;
    const std::uint8_t* p = h.data();
    const int pos = LowerBound(p, size_, Bytes(key), keyLen, ref);
    path[depth++] = {page, pos};
    if (pos < Count(p) && CompareItem(Items(p) + pos * size_, Bytes(key), keyLen, ref) == 0) {
      foundDepth = depth - 1;
      break;
    }
    const std::int32_t child = ChildAt(p, pos, size_);
    if (child == 0)
      return Status(err::kDeleteKeyNotFound);
    page = child;
  }

  {
    PageHandle h;
    if (Status s = file_.GetPage(k_, path[foundDepth].page, &h); !s.ok())
      return s;
    std::uint8_t* p = h.data();
    const int pos = path[foundDepth].index;
    if (Left(p) == 0) {
      const int n = Count(p);
      std::memmove(Items(p) + pos * size_, Items(p) + (pos + 1) * size_,
                   static_cast<std::size_t>((n - pos - 1) * size_));
      SetCount(p, n - 1);
      h.MarkDirty();
    } else {
      // An inner item is replaced by its in-order predecessor, the last item of the
      // rightmost leaf of the subtree to its left.
      std::int32_t child = ChildAt(p, pos, size_);
      for (;;) {
        if (depth >= Cursor::kMaxDepth)
          return Status(err::kIndexUnusable, 32);
        PageHandle ch;
        if (Status s = file_.GetPage(k_, child, &ch); !s.ok())
          return s;
        std::uint8_t* cp = ch.data();
        const int n = Count(cp);
        if (Left(cp) != 0) {
          path[depth++] = {child, n};
          child = ChildAt(cp, n, size_);
          continue;
        }
        path[depth++] = {child, n - 1};
        std::uint8_t* last = Items(cp) + (n - 1) * size_;
        std::uint8_t* target = Items(p) + pos * size_;
        const std::int32_t keepChild = ItemChild(target);
        std::memcpy(target, last, static_cast<std::size_t>(size_));
        SetItemChild(target, keepChild);
        SetCount(cp, n - 1);
        ch.MarkDirty();
        h.MarkDirty();
        break;
      }
    }
  }
  --info_.keyCount;
  info_.version = NextIndexVersion();
  info_.headerDirty = true;
  return FixUnderflow(path, depth - 1);
}

Status BTree::FixUnderflow(Cursor::Level* path, int d) {
  const int minItems = ipp_ / 2;
  for (;;) {
    PageHandle xh;
    if (Status s = file_.GetPage(k_, path[d].page, &xh); !s.ok())
      return s;
    std::uint8_t* x = xh.data();
    const int n = Count(x);
    if (d == 0) {
      if (n == 0) {
        // An empty root gives way to its only child (or the index becomes empty).
        const std::int32_t page = xh.page();
        info_.rootPage = Left(x);
        info_.headerDirty = true;
        xh.Release();
        return file_.FreePage(k_, page);
      }
      return Status::Ok();
    }
    if (n >= minItems)
      return Status::Ok();

    PageHandle ph;
    if (Status s = file_.GetPage(k_, path[d - 1].page, &ph); !s.ok())
      return s;
    std::uint8_t* pp = ph.data();
    const int c = path[d - 1].index;
    const int sepIndex = c > 0 ? c - 1 : c;
    if (c == 0 && Count(pp) == 0)
      return Status(err::kIndexUnusable, 33);
    PageHandle sh;
    if (Status s = file_.GetPage(k_, ChildAt(pp, c > 0 ? c - 1 : c + 1, size_), &sh); !s.ok())
      return s;
    PageHandle& lh = c > 0 ? sh : xh;
    PageHandle& rh = c > 0 ? xh : sh;
    std::uint8_t* l = lh.data();
    std::uint8_t* r = rh.data();
    const int nL = Count(l);
    const int nR = Count(r);
    std::uint8_t* sep = Items(pp) + sepIndex * size_;
    if ((Left(l) == 0) != (Left(r) == 0))
      return Status(err::kIndexUnusable, 34);
    if (nL + nR + 1 <= ipp_) {
      // Merge R and the separator into L; R is freed and the separator leaves the parent.
      std::uint8_t* dst = Items(l) + nL * size_;
      std::memcpy(dst, sep, static_cast<std::size_t>(size_));
      SetItemChild(dst, Left(r));
      std::memcpy(dst + size_, Items(r), static_cast<std::size_t>(nR * size_));
      SetCount(l, nL + nR + 1);
      assert(Count(l) <= ipp_);
      lh.MarkDirty();
      const int pn = Count(pp);
      std::memmove(sep, sep + size_, static_cast<std::size_t>((pn - sepIndex - 1) * size_));
      SetCount(pp, pn - 1);
      ph.MarkDirty();
      const std::int32_t freed = rh.page();
      xh.Release();
      sh.Release();
      ph.Release();
      if (Status s = file_.FreePage(k_, freed); !s.ok())
        return s;
      --d;
      continue;
    }
    // Borrow: spread both neighbours evenly.
    std::uint8_t leftCopy[kItemsPerPage * kMaxItemSize];
    std::uint8_t rightCopy[kItemsPerPage * kMaxItemSize];
    std::memcpy(leftCopy, Items(l), static_cast<std::size_t>(nL * size_));
    std::memcpy(rightCopy, Items(r), static_cast<std::size_t>(nR * size_));
    Redistribute(leftCopy, nL, Left(l), rightCopy, nR, Left(r), sep, l, r, size_);
    lh.MarkDirty();
    rh.MarkDirty();
    ph.MarkDirty();
    return Status::Ok();
  }
}

// ---------------------------------------------------------------------------------------
// Positioning

Status BTree::LoadEntry(Cursor* c) {
  PageHandle h;
  const Cursor::Level& at = c->path[c->depth - 1];
  if (Status s = file_.GetPage(k_, at.page, &h); !s.ok())
    return s;
  if (at.index < 0 || at.index >= Count(h.data()))
    return Status(err::kIndexUnusable, 35);
  const std::uint8_t* it = Items(h.data()) + at.index * size_;
  c->key.assign(reinterpret_cast<const char*>(ItemKey(it)),
                static_cast<std::size_t>(ItemKeyLen(it)));
  c->ref = ItemRef(it);
  c->valid = true;
  c->version = info_.version;
  return Status::Ok();
}

Status BTree::Descend(std::int32_t page, bool leftmost, Cursor* c) {
  for (;;) {
    if (c->depth >= Cursor::kMaxDepth)
      return Status(err::kIndexUnusable, 36);
    PageHandle h;
    if (Status s = file_.GetPage(k_, page, &h); !s.ok())
      return s;
    const std::uint8_t* p = h.data();
    const int n = Count(p);
    if (Left(p) == 0) {
      c->path[c->depth++] = {page, leftmost ? 0 : n - 1};
      return LoadEntry(c);
    }
    const int child = leftmost ? 0 : n;
    c->path[c->depth++] = {page, child};
    page = ChildAt(p, child, size_);
  }
}

Status BTree::Climb(Cursor* c, bool forward, bool* found) {
  // c->path[0 .. depth-2] are ancestors holding child indexes.
  for (int d = c->depth - 2; d >= 0; --d) {
    PageHandle h;
    if (Status s = file_.GetPage(k_, c->path[d].page, &h); !s.ok())
      return s;
    const int child = c->path[d].index;
    if (forward ? child < Count(h.data()) : child > 0) {
      c->depth = d + 1;
      if (!forward)
        c->path[d].index = child - 1;
      *found = true;
      return LoadEntry(c);
    }
  }
  *found = false;
  return Status::Ok();
}

Status BTree::Seek(std::string_view key, std::int32_t ref, Cursor* c, bool* found) {
  c->depth = 0;
  c->valid = false;
  *found = false;
  if (info_.rootPage == 0)
    return Status::Ok();
  const int keyLen = static_cast<int>(key.size());
  std::int32_t page = info_.rootPage;
  for (;;) {
    if (c->depth >= Cursor::kMaxDepth)
      return Status(err::kIndexUnusable, 37);
    PageHandle h;
    if (Status s = file_.GetPage(k_, page, &h); !s.ok())
      return s;
    const std::uint8_t* p = h.data();
    const int n = Count(p);
    const int pos = LowerBound(p, size_, Bytes(key), keyLen, ref);
    c->path[c->depth++] = {page, pos};
    if (pos < n && CompareItem(Items(p) + pos * size_, Bytes(key), keyLen, ref) == 0) {
      *found = true;
      return LoadEntry(c);
    }
    const std::int32_t child = ChildAt(p, pos, size_);
    if (child == 0) {
      if (pos < n) {
        *found = true;
        return LoadEntry(c);
      }
      h.Release();
      Status s = Climb(c, true, found);
      if (!*found) {
        c->depth = 0;
        c->valid = false;
      }
      return s;
    }
    page = child;
  }
}

Status BTree::SeekLast(std::string_view key, std::int32_t ref, Cursor* c, bool* found) {
  if (Status s = Seek(key, ref, c, found); !s.ok())
    return s;
  if (!*found)
    return Last(c, found);
  if (c->key == key && c->ref == ref)
    return Status::Ok();
  Cursor before = *c;
  if (Status s = Prev(&before, found); !s.ok())
    return s;
  if (*found) {
    *c = std::move(before);
  } else {
    c->valid = false;
    c->depth = 0;
  }
  return Status::Ok();
}

Status BTree::First(Cursor* c, bool* found) {
  c->depth = 0;
  c->valid = false;
  *found = false;
  if (info_.rootPage == 0)
    return Status::Ok();
  if (Status s = Descend(info_.rootPage, true, c); !s.ok())
    return s;
  *found = true;
  return Status::Ok();
}

Status BTree::Last(Cursor* c, bool* found) {
  c->depth = 0;
  c->valid = false;
  *found = false;
  if (info_.rootPage == 0)
    return Status::Ok();
  if (Status s = Descend(info_.rootPage, false, c); !s.ok())
    return s;
  *found = true;
  return Status::Ok();
}

Status BTree::Resync(Cursor* c, bool* exact, bool* found) {
  Cursor again;
  const std::string key = c->key;
  const std::int32_t ref = c->ref;
  if (Status s = Seek(key, ref, &again, found); !s.ok())
    return s;
  *exact = *found && again.key == key && again.ref == ref;
  if (*found)
    *c = std::move(again);
  return Status::Ok();
}

Status BTree::Next(Cursor* c, bool* found) {
  *found = false;
  if (!c->valid || c->depth == 0)
    return Status::Ok();
  Cursor work = *c;
  if (work.version != info_.version) {
    bool exact = false;
    if (Status s = Resync(&work, &exact, found); !s.ok())
      return s;
    if (!*found)
      return Status::Ok();
    if (!exact) {
      *c = std::move(work);
      return Status::Ok();
    }
  }
  const Cursor::Level at = work.path[work.depth - 1];
  PageHandle h;
  if (Status s = file_.GetPage(k_, at.page, &h); !s.ok())
    return s;
  const std::uint8_t* p = h.data();
  if (Left(p) != 0) {
    work.path[work.depth - 1].index = at.index + 1;
    const std::int32_t child = ChildAt(p, at.index + 1, size_);
    h.Release();
    if (Status s = Descend(child, true, &work); !s.ok())
      return s;
    *found = true;
  } else if (at.index + 1 < Count(p)) {
    work.path[work.depth - 1].index = at.index + 1;
    h.Release();
    if (Status s = LoadEntry(&work); !s.ok())
      return s;
    *found = true;
  } else {
    h.Release();
    if (Status s = Climb(&work, true, found); !s.ok())
      return s;
  }
  if (*found) {
    // Entries come strictly in order; anything else (a page reached twice) is damage,
    // and stopping here keeps a walk over a damaged tree from going on and on.
    if (EntryOrder(work, *c) <= 0)
      return Status(err::kIndexUnusable, 38);
    *c = std::move(work);
  }
  return Status::Ok();
}

Status BTree::Prev(Cursor* c, bool* found) {
  *found = false;
  if (!c->valid || c->depth == 0)
    return Status::Ok();
  Cursor work = *c;
  if (work.version != info_.version) {
    bool exact = false;
    if (Status s = Resync(&work, &exact, found); !s.ok())
      return s;
    if (!*found) {
      // Everything in the key sorts before the old entry: the last one precedes it.
      if (Status s = Last(&work, found); !s.ok())
        return s;
      if (*found)
        *c = std::move(work);
      return Status::Ok();
    }
  }
  const Cursor::Level at = work.path[work.depth - 1];
  PageHandle h;
  if (Status s = file_.GetPage(k_, at.page, &h); !s.ok())
    return s;
  const std::uint8_t* p = h.data();
  if (Left(p) != 0) {
    const std::int32_t child = ChildAt(p, at.index, size_);
    h.Release();
    if (Status s = Descend(child, false, &work); !s.ok())
      return s;
    *found = true;
  } else if (at.index > 0) {
    work.path[work.depth - 1].index = at.index - 1;
    h.Release();
    if (Status s = LoadEntry(&work); !s.ok())
      return s;
    *found = true;
  } else {
    h.Release();
    if (Status s = Climb(&work, false, found); !s.ok())
      return s;
  }
  if (*found) {
    if (EntryOrder(work, *c) >= 0)
      return Status(err::kIndexUnusable, 39);
    *c = std::move(work);
  }
  return Status::Ok();
}

// ---------------------------------------------------------------------------------------
// Relative positions (scroll bars): estimates from the root and one level below, assuming
// every page below the root holds E = ItemsPerPage - ItemsPerPage / 4 items.

Status BTree::KeyToRelPos(std::string_view key, std::int32_t ref, std::int32_t scale,
                          std::int32_t* position) {
  if (scale <= 0)
    return Status(err::kKeyPosArgs);
  if (info_.rootPage == 0)
    return Status(err::kKeyPosEmpty);
  const std::int64_t e = ipp_ - ipp_ / 4;
  const int keyLen = static_cast<int>(key.size());
  // Index of the equal item (1-based) or the number of items before the entry.
  auto rank = [&](const std::uint8_t* p, bool* equal) {
    const int pos = LowerBound(p, size_, Bytes(key), keyLen, ref);
    *equal = pos < Count(p) && CompareItem(Items(p) + pos * size_, Bytes(key), keyLen, ref) == 0;
    return *equal ? pos + 1 : pos;
  };
  PageHandle root;
  if (Status s = file_.GetPage(k_, info_.rootPage, &root); !s.ok())
    return s;
  bool equal = false;
  const std::int64_t r0 = rank(root.data(), &equal);
  const std::int64_t c0 = Count(root.data());
  std::int64_t r1 = 0;
  std::int64_t c1 = e;
  if (!equal && Left(root.data()) != 0) {
    const std::int32_t child = ChildAt(root.data(), static_cast<int>(r0), size_);
    PageHandle ch;
    if (Status s = file_.GetPage(k_, child, &ch); !s.ok())
      return s;
    bool childEqual = false;
    r1 = rank(ch.data(), &childEqual);
    c1 = Count(ch.data());
    if (c1 == 0)
      c1 = e;
  }
  std::int64_t m;
  if (r1 == 1 && r0 == 0) {
    m = 1;
  } else {
    const std::int64_t o = 2 * r1 * (e + 1) / c1;
    m = r0 * (e + 1) + o - o / 2;
  }
  const std::int64_t pos = m * (static_cast<std::int64_t>(scale) + 1) / ((e + 1) * (c0 + 1));
  *position = static_cast<std::int32_t>(std::min<std::int64_t>(pos, scale));
  return Status::Ok();
}

Status BTree::RelPosToKey(std::int32_t position, std::int32_t scale, std::int32_t* ref,
                          std::string* key) {
  if (scale <= 0 || position < 0 || position > scale)
    return Status(err::kRelPosArgs);
  if (info_.rootPage == 0)
    return Status(err::kRelPosEmpty);
  PageHandle root;
  if (Status s = file_.GetPage(k_, info_.rootPage, &root); !s.ok())
    return s;
  const std::uint8_t* rp = root.data();
  const bool inner = Left(rp) != 0;
  const std::int64_t e = inner ? ipp_ - ipp_ / 4 : 0;
  const std::int64_t c0 = Count(rp);
  const std::int64_t f = (e + 1) * (c0 + 1);
  const std::int64_t n = scale;
  std::int64_t t = f / n + static_cast<std::int64_t>(position) * f / (n + 1) - (f / n) / 2;
  t = std::clamp<std::int64_t>(t, 0, f - 1);
  const std::int64_t g = t / (e + 1);
  const std::int64_t h = t % (e + 1);
  auto take = [&](const std::uint8_t* p, std::int64_t item) {
    const std::int64_t i = std::clamp<std::int64_t>(item, 1, Count(p)) - 1;
    const std::uint8_t* it = Items(p) + i * size_;
    *ref = ItemRef(it);
    key->assign(reinterpret_cast<const char*>(ItemKey(it)),
                static_cast<std::size_t>(ItemKeyLen(it)));
  };
  if (inner && h != 0) {
    const std::int32_t child = ChildAt(rp, static_cast<int>(g), size_);
    PageHandle ch;
    if (Status s = file_.GetPage(k_, child, &ch); !s.ok())
      return s;
    const std::int64_t c = Count(ch.data());
    std::int64_t m;
    if (h == 2 && g == 0) {
      m = 2;
    } else {
      const std::int64_t q = 2 * h * c / e;
      m = q - q / 2;
    }
    take(ch.data(), m == 0 ? 1 : m);
    return Status::Ok();
  }
  if (g >= 1) {
    take(rp, g);
  } else {
    *ref = 0;
    key->clear();
  }
  return Status::Ok();
}

} // namespace tarvik
