#include "recordfile/index_file.h"

#include <algorithm>
#include <cstring>

#include "recordfile/file_calls.h"
#include "recordfile/format.h"

namespace tarvik {

using namespace format;

namespace {

void DeriveLayout(KeyInfo& info) {
  info.itemsPerPage = info.storedItemsPerPage == 0 ? kItemsPerPage : info.storedItemsPerPage;
  info.keyLen = (info.pageBytes - kPageHeaderSize) / info.itemsPerPage - kItemOverhead;
  info.itemSize = info.keyLen + kItemOverhead;
}

} // namespace

std::uint64_t NextIndexVersion() {
  static std::uint64_t counter = 0;
  return ++counter;
}

bool PageLooksSound(const KeyInfo& key, const std::uint8_t* page) {
  const int count = LoadU16(page + kPgItemCount);
  if (count < 1 || count > key.itemsPerPage)
    return false;
  const std::int32_t left = LoadI32(page + kPgLeftPage);
  if (left < 0 || left > key.numPages)
    return false;
  const std::uint8_t* item = page + kPageHeaderSize;
  for (int i = 0; i < count; ++i, item += key.itemSize) {
    const std::int32_t child = LoadI32(item + kItPageRef);
    if (left == 0 ? child != 0 : (child < 1 || child > key.numPages))
      return false;
    if (item[kItKey] > key.keyLen)
      return false;
    if (LoadI32(item + kItDataRef) < 1)
      return false;
  }
  return true;
}

IndexFile::~IndexFile() {
  cache_.Drop(this);
}

void IndexFile::EncodeHeader(int k) {
  const KeyInfo& info = keys_[static_cast<std::size_t>(k)];
  std::uint8_t* h = row0_.data() + info.offset;
  StoreI32(h + kKhFirstFreePage, info.firstFreePage);
  StoreI32(h + kKhNumberFreePages, info.numberFreePages);
  StoreI32(h + kKhNumPages, info.numPages);
  StoreI32(h + kKhPageBytes, info.pageBytes);
  StoreI32(h + kKhRootPage, info.rootPage);
  h[kKhAllowDups] = info.allowDups ? 1 : 0;
  h[kKhAllowDups + 1] = info.reserved;
  StoreI32(h + kKhKeyCount, info.keyCount);
  StoreU16(h + kKhItemsPerPage, info.storedItemsPerPage);
}

Status IndexFile::Create(FileIo& io, const std::string& path, const std::vector<IndexKeyDef>& keys,
                         PageCache& cache, std::unique_ptr<IndexFile>* out) {
  std::unique_ptr<IndexFile> ix(new IndexFile(cache));
  if (Status s = OpenFile(io, path, FileIo::Mode::kCreate, FileIo::Lock::kExclusive, &ix->file_);
      !s.ok()) {
    return s;
  }
  ix->keys_.resize(keys.size() + 1);
  std::uint64_t offset = 0;
  for (std::size_t i = 0; i < keys.size(); ++i) {
    KeyInfo& info = ix->keys_[i + 1];
    info.pageBytes = PageBytesFor(keys[i].length);
    info.allowDups = keys[i].allowDups;
    info.storedItemsPerPage = kItemsPerPage;
    info.offset = offset;
    info.version = NextIndexVersion();
    DeriveLayout(info);
    offset += static_cast<std::uint64_t>(info.pageBytes);
  }
  ix->rowLen_ = offset;
  ix->rows_ = 1;
  ix->row0_.assign(offset, 0);
  for (int k = 1; k <= ix->numKeys(); ++k)
    ix->EncodeHeader(k);
  if (Status s = WriteAll(*ix->file_, 0, ix->row0_.data(), ix->row0_.size()); !s.ok())
    return s;
  if (Status s = SyncFile(*ix->file_); !s.ok())
    return s;
  if (out != nullptr) {
    *out = std::move(ix);
    return Status::Ok();
  }
  return ix->Close();
}

Status IndexFile::Open(FileIo& io, const std::string& path, int numKeys, bool readOnly,
                       PageCache& cache, std::unique_ptr<IndexFile>* out) {
  std::unique_ptr<IndexFile> ix(new IndexFile(cache));
  ix->readOnly_ = readOnly;
  if (Status s = OpenFile(io, path, readOnly ? FileIo::Mode::kReadOnly : FileIo::Mode::kReadWrite,
                          readOnly ? FileIo::Lock::kShared : FileIo::Lock::kExclusive, &ix->file_);
      !s.ok()) {
    return s;
  }
  std::uint64_t size = 0;
  if (Status s = FileSize(*ix->file_, &size); !s.ok())
    return s;
  ix->keys_.resize(static_cast<std::size_t>(numKeys) + 1);
  std::uint64_t offset = 0;
  for (int k = 1; k <= numKeys; ++k) {
    std::uint8_t h[kKeyHeaderSize];
    if (offset + kKeyHeaderSize > size)
      return Status(err::kIndexUnusable, 10);
    if (Status s = ReadExact(*ix->file_, offset, h, sizeof h); !s.ok())
      return s;
    KeyInfo& info = ix->keys_[static_cast<std::size_t>(k)];
    info.firstFreePage = LoadI32(h + kKhFirstFreePage);
    info.numberFreePages = LoadI32(h + kKhNumberFreePages);
    info.numPages = LoadI32(h + kKhNumPages);
    info.pageBytes = LoadI32(h + kKhPageBytes);
    info.rootPage = LoadI32(h + kKhRootPage);
    info.allowDups = h[kKhAllowDups] != 0;
    info.reserved = h[kKhAllowDups + 1];
    info.keyCount = LoadI32(h + kKhKeyCount);
    info.storedItemsPerPage = LoadU16(h + kKhItemsPerPage);
    info.offset = offset;
    info.version = NextIndexVersion();
    const int ipp = info.storedItemsPerPage == 0 ? kItemsPerPage : info.storedItemsPerPage;
    if (ipp > kItemsPerPage || ipp < kMinItemsPerPage)
      return Status(err::kItemsPerPage);
    if (info.pageBytes < kKeyHeaderSize || info.pageBytes > kMaxPageBytes ||
        (info.pageBytes - kPageHeaderSize) % ipp != 0) {
      return Status(err::kPageSize);
    }
    DeriveLayout(info);
    if (info.keyLen < 1 || info.keyLen > kMaxKeyLen)
      return Status(err::kDerivedKeyLength);
    offset += static_cast<std::uint64_t>(info.pageBytes);
  }
  ix->rowLen_ = offset;
  if (offset == 0 || size < offset)
    return Status(err::kIndexUnusable, 11);
  ix->rows_ = static_cast<std::int64_t>(size / offset);
  for (int k = 1; k <= numKeys; ++k) {
    const KeyInfo& info = ix->keys_[static_cast<std::size_t>(k)];
    if (info.numPages < 0 || info.numPages >= ix->rows_)
      return Status(err::kIndexUnusable, 12);
    if (info.rootPage < 0 || info.rootPage > info.numPages)
      return Status(err::kIndexUnusable, 13);
    if (info.numberFreePages < 0 || info.numberFreePages > info.numPages)
      return Status(err::kIndexUnusable, 14);
    if (info.firstFreePage != -1 && (info.firstFreePage < 1 || info.firstFreePage > info.numPages))
      return Status(err::kIndexUnusable, 15);
    if ((info.firstFreePage == -1) != (info.numberFreePages == 0))
      return Status(err::kIndexUnusable, 16);
    if (info.keyCount < 0 || (info.rootPage == 0) != (info.keyCount == 0))
      return Status(err::kIndexUnusable, 17);
  }
  ix->row0_.resize(offset);
  if (Status s = ReadExact(*ix->file_, 0, ix->row0_.data(), ix->row0_.size()); !s.ok())
    return s;
  *out = std::move(ix);
  return Status::Ok();
}

Status IndexFile::LoadPage(int k, std::int32_t page, std::uint8_t* buf) {
  const KeyInfo& info = key(k);
  if (page < 1 || page > info.numPages)
    return Status(err::kIndexUnusable, 20);
  if (Status s =
          ReadExact(*file_, PageOffset(k, page), buf, static_cast<std::size_t>(info.pageBytes));
      !s.ok()) {
    return s.code() == err::kShortRead ? Status(err::kIndexUnusable, 21) : s;
  }
  if (!PageLooksSound(info, buf))
    return Status(err::kIndexUnusable, 22);
  return Status::Ok();
}

Status IndexFile::StorePage(int k, std::int32_t page, const std::uint8_t* buf) {
  if (readOnly_)
    return Status(err::kReadOnly);
  const KeyInfo& info = key(k);
  const std::size_t used = kPageHeaderSize + static_cast<std::size_t>(LoadU16(buf)) *
                                                 static_cast<std::size_t>(info.itemSize);
  return WriteAll(*file_, PageOffset(k, page), buf,
                  std::min(used, static_cast<std::size_t>(info.pageBytes)));
}

Status IndexFile::GetPage(int k, std::int32_t page, PageHandle* handle) {
  if (page < 1 || page > key(k).numPages)
    return Status(err::kIndexUnusable, 23);
  return cache_.Get(this, k, page, handle);
}

Status IndexFile::NewPage(int k, PageHandle* handle) {
  if (readOnly_)
    return Status(err::kReadOnly);
  KeyInfo& info = key(k);
  std::int32_t page = 0;
  if (info.firstFreePage != -1) {
    if (info.firstFreePage < 1 || info.firstFreePage > info.numPages || info.numberFreePages < 1)
      return Status(err::kFreeChain, 10);
    std::uint8_t link[4];
    if (Status s = ReadExact(*file_, PageOffset(k, info.firstFreePage), link, 4); !s.ok())
      return s;
    const std::int32_t next = LoadI32(link);
    if (next == 0 || next < -1 || next > info.numPages || next == info.firstFreePage ||
        (next == -1) != (info.numberFreePages == 1)) {
      return Status(err::kFreeChain, 11);
    }
    page = info.firstFreePage;
    info.firstFreePage = next;
    --info.numberFreePages;
  } else {
    if (info.numberFreePages != 0)
      return Status(err::kFreeChain, 12);
    page = info.numPages + 1;
    if (page >= rows_) {
      if (Status s = TruncateFile(*file_, static_cast<std::uint64_t>(rows_ + 1) * rowLen_); !s.ok())
        return s;
      ++rows_;
    }
    info.numPages = page;
  }
  info.headerDirty = true;
  return cache_.GetNew(this, k, page, handle);
}

Status IndexFile::FreePage(int k, std::int32_t page) {
  if (readOnly_)
    return Status(err::kReadOnly);
  KeyInfo& info = key(k);
  cache_.Discard(this, k, page);
  std::uint8_t link[4];
  StoreI32(link, info.firstFreePage);
  if (Status s = WriteAll(*file_, PageOffset(k, page), link, 4); !s.ok())
    return s;
  info.firstFreePage = page;
  ++info.numberFreePages;
  info.headerDirty = true;
  return Status::Ok();
}

bool IndexFile::HasUnwrittenChanges() const {
  for (std::size_t k = 1; k < keys_.size(); ++k) {
    if (keys_[k].headerDirty)
      return true;
  }
  return cache_.HasDirty(this);
}

Status IndexFile::Flush(bool sync) {
  if (readOnly_)
    return Status::Ok();
  if (Status s = cache_.Flush(this); !s.ok())
    return s;
  // Changed headers go out in one write spanning the first to the last of them.
  std::uint64_t from = UINT64_MAX;
  std::uint64_t to = 0;
  int dirty = 0;
  for (int k = 1; k <= numKeys(); ++k) {
    KeyInfo& info = key(k);
    if (!info.headerDirty)
      continue;
    EncodeHeader(k);
    from = std::min(from, info.offset);
    to = std::max(to, info.offset + kKeyHeaderSize);
    ++dirty;
  }
  if (dirty > 0) {
    if (Status s = WriteAll(*file_, from, row0_.data() + from, to - from); !s.ok())
      return s;
    for (int k = 1; k <= numKeys(); ++k)
      key(k).headerDirty = false;
  }
  if (sync)
    return SyncFile(*file_);
  return Status::Ok();
}

Status IndexFile::Close() {
  cache_.Drop(this);
  return CloseFile(file_);
}

} // namespace tarvik
