#include "recordfile/data_file.h"

#include <algorithm>
#include <cstring>

#include "recordfile/file_calls.h"
#include "recordfile/format.h"

namespace tarvik {

using namespace format;

namespace {

void EncodeHeader(const DataFile::Header& h, std::uint8_t* out) {
  StoreI32(out + kHdrFirstFree, h.firstFree);
  StoreI32(out + kHdrNumberFree, h.numberFree);
  StoreI32(out + kHdrNumRec, h.numRec);
  StoreI32(out + kHdrRecLen, h.recLen);
  StoreI32(out + kHdrNumKeys, h.numKeys);
  out[kHdrInUse] = h.inUse;
}

} // namespace

Status DataFile::Create(FileIo& io, const std::string& path, int recLen, int numKeys, bool inUse,
                        std::unique_ptr<DataFile>* out) {
  std::unique_ptr<DataFile> df(new DataFile());
  if (Status s = OpenFile(io, path, FileIo::Mode::kCreate, FileIo::Lock::kExclusive, &df->file_);
      !s.ok()) {
    return s;
  }
  df->header_.recLen = recLen;
  df->header_.numKeys = numKeys;
  df->header_.inUse = inUse ? 1 : 0;
  std::vector<std::uint8_t> record(static_cast<std::size_t>(recLen), 0);
  EncodeHeader(df->header_, record.data());
  if (Status s = WriteAll(*df->file_, 0, record.data(), record.size()); !s.ok())
    return s;
  if (Status s = SyncFile(*df->file_); !s.ok())
    return s;
  df->inUseOnDisk_ = inUse;
  if (out != nullptr) {
    *out = std::move(df);
    return Status::Ok();
  }
  return df->Close();
}

Status DataFile::Open(FileIo& io, const std::string& path, bool readOnly,
                      std::unique_ptr<DataFile>* out) {
  std::unique_ptr<DataFile> df(new DataFile());
  df->readOnly_ = readOnly;
  if (Status s = OpenFile(io, path, readOnly ? FileIo::Mode::kReadOnly : FileIo::Mode::kReadWrite,
                          readOnly ? FileIo::Lock::kShared : FileIo::Lock::kExclusive, &df->file_);
      !s.ok()) {
    return s;
  }
  std::uint64_t size = 0;
  if (Status s = FileSize(*df->file_, &size); !s.ok())
    return s;
  std::uint8_t raw[kDataHeaderSize];
  if (size < kDataHeaderSize)
    return Status(err::kIndexUnusable, 1);
  if (Status s = ReadExact(*df->file_, 0, raw, sizeof raw); !s.ok())
    return s;
  Header& h = df->header_;
  h.firstFree = LoadI32(raw + kHdrFirstFree);
  h.numberFree = LoadI32(raw + kHdrNumberFree);
  h.numRec = LoadI32(raw + kHdrNumRec);
  h.recLen = LoadI32(raw + kHdrRecLen);
  h.numKeys = raw[kHdrNumKeys];
  h.inUse = raw[kHdrInUse];
  df->inUseOnDisk_ = h.inUse != 0;
  *out = std::move(df);
  if (h.recLen < kMinRecLen)
    return Status(err::kIndexUnusable, 2);
  if (h.numRec < 0 ||
      static_cast<std::uint64_t>(h.numRec) + 1 > size / static_cast<std::uint64_t>(h.recLen) ||
      size != (static_cast<std::uint64_t>(h.numRec) + 1) * static_cast<std::uint64_t>(h.recLen)) {
    return Status(err::kIndexUnusable, 3);
  }
  if (h.numberFree < 0 || h.numberFree > h.numRec)
    return Status(err::kIndexUnusable, 4);
  if (h.firstFree != -1 && (h.firstFree < 1 || h.firstFree > h.numRec))
    return Status(err::kIndexUnusable, 5);
  if ((h.firstFree == -1) != (h.numberFree == 0))
    return Status(err::kIndexUnusable, 6);
  if (h.numKeys > kMaxKeys)
    return Status(err::kTooManyKeysOpen);
  return Status::Ok();
}

Status DataFile::ReadSlot(std::int32_t rec, void* buf) {
  if (rec < 1)
    return Status(err::kRecordOutOfRange);
  if (rec > header_.numRec)
    return Status(err::kShortRead, 1);
  return ReadExact(*file_, SlotOffset(rec), buf, static_cast<std::size_t>(header_.recLen));
}

Status DataFile::WriteSlot(std::int32_t rec, const void* buf) {
  if (rec < 1)
    return Status(err::kWriteRecordZero);
  if (rec > header_.numRec)
    return Status(err::kRecordOutOfRange);
  if (readOnly_)
    return Status(err::kReadOnly);
  unsynced_ = true;
  return WriteAll(*file_, SlotOffset(rec), buf, static_cast<std::size_t>(header_.recLen));
}

Status DataFile::ReadStatusWord(std::int32_t rec, std::int32_t* status) {
  if (rec < 1)
    return Status(err::kRecordOutOfRange);
  if (rec > header_.numRec)
    return Status(err::kShortRead, 2);
  std::uint8_t raw[4];
  if (Status s = ReadExact(*file_, SlotOffset(rec), raw, 4); !s.ok())
    return s;
  *status = LoadI32(raw);
  return Status::Ok();
}

Status DataFile::Allocate(std::int32_t* rec) {
  if (readOnly_)
    return Status(err::kReadOnly);
  Header& h = header_;
  if (h.firstFree == -1) {
    if (h.numberFree != 0)
      return Status(err::kFreeChain, 1);
    if (h.numRec == INT32_MAX)
      return Status(err::kIoError, 1);
    *rec = ++h.numRec;
    return Status::Ok();
  }
  if (h.firstFree < 1 || h.firstFree > h.numRec || h.numberFree < 1)
    return Status(err::kFreeChain, 2);
  std::int32_t next = 0;
  if (Status s = ReadStatusWord(h.firstFree, &next); !s.ok())
    return s;
  if (next == 0 || next < -1 || next > h.numRec || next == h.firstFree)
    return Status(err::kFreeChain, 3);
  if ((next == -1) != (h.numberFree == 1))
    return Status(err::kFreeChain, 4);
  *rec = h.firstFree;
  h.firstFree = next;
  --h.numberFree;
  return Status::Ok();
}

void DataFile::UndoAppend(std::int32_t rec) {
  if (rec != header_.numRec)
    return;
  --header_.numRec;
  unsynced_ = true;
  // a slot the truncation leaves is beyond the header's count; the next open repairs such a file
  (void)TruncateFile(*file_, SlotOffset(header_.numRec + 1));
}

void DataFile::UndoAppendsTo(std::int32_t numRec) {
  if (numRec < 0 || numRec >= header_.numRec)
    return;
  header_.numRec = numRec;
  unsynced_ = true;
  (void)TruncateFile(*file_, SlotOffset(numRec + 1)); // as in UndoAppend
}

Status DataFile::Free(std::int32_t rec) {
  if (readOnly_)
    return Status(err::kReadOnly);
  if (rec < 1 || rec > header_.numRec)
    return Status(err::kRecordOutOfRange);
  std::uint8_t raw[4];
  StoreI32(raw, header_.firstFree);
  unsynced_ = true;
  if (Status s = WriteAll(*file_, SlotOffset(rec), raw, 4); !s.ok())
    return s;
  header_.firstFree = rec;
  ++header_.numberFree;
  return Status::Ok();
}

std::size_t VariableRecordLength(const std::uint8_t* data, std::size_t size, int sectionLength) {
  std::size_t len = size;
  while (len > 0 && data[len - 1] == 0)
    --len;
  const std::size_t mainBytes =
      std::min(size, static_cast<std::size_t>(sectionLength - kSectionTrailer));
  return std::max(len, mainBytes);
}

Status DataFile::ReadVariable(std::int32_t rec, std::uint8_t* buf, std::size_t size) {
  const int s = header_.recLen;
  section_.resize(static_cast<std::size_t>(s));
  if (Status st = ReadSlot(rec, section_.data()); !st.ok())
    return st;
  if (LoadI32(section_.data()) != 0)
    return Status(err::kRecordDeleted);
  std::size_t filled = 0;
  std::int32_t next = 0;
  std::size_t sections = 0;
  const std::size_t maxSections = size / static_cast<std::size_t>(s - 7) + 2;
  bool main = true;
  for (;;) {
    const std::size_t room = main ? s - kSectionTrailer : s - kSectionTrailer - 1;
    const std::size_t count = LoadU16(section_.data() + s - kSectionCountFromEnd);
    if (count > room)
      return Status(err::kBrokenChain, 1);
    const std::uint8_t* from = section_.data() + (main ? 0 : 1);
    const std::size_t take = std::min(count, size - filled);
    std::memcpy(buf + filled, from, take);
    filled += take;
    next = LoadI32(section_.data() + s - kSectionNextFromEnd);
    if (next == 0 || filled >= size)
      break;
    if (++sections > maxSections || next < 1 || next > header_.numRec || next == rec)
      return Status(err::kBrokenChain, 2);
    if (Status st = ReadSlot(next, section_.data()); !st.ok())
      return st;
    if (section_[0] != kContinuationMark)
      return Status(err::kBrokenChain, 3);
    main = false;
  }
  std::memset(buf + filled, 0, size - filled);
  return Status::Ok();
}

Status DataFile::ContinuationsOf(std::int32_t mainRec, std::size_t maxSections,
                                 std::vector<std::int32_t>* sections) {
  sections->clear();
  const int s = header_.recLen;
  std::uint8_t link[4];
  std::int32_t at = mainRec;
  for (;;) {
    if (Status st = ReadExact(*file_, SlotOffset(at) + s - kSectionNextFromEnd, link, 4); !st.ok())
      return st;
    const std::int32_t next = LoadI32(link);
    if (next == 0)
      return Status::Ok();
    if (next < 1 || next > header_.numRec || next == mainRec || sections->size() >= maxSections)
      return Status(err::kBrokenChain, 4);
    if (std::find(sections->begin(), sections->end(), next) != sections->end())
      return Status(err::kBrokenChain, 5);
    std::uint8_t mark = 0;
    if (Status st = ReadExact(*file_, SlotOffset(next), &mark, 1); !st.ok())
      return st;
    if (mark != kContinuationMark)
      return Status(err::kBrokenChain, 6);
    sections->push_back(next);
    at = next;
  }
}

Status DataFile::FreeSections(const std::vector<std::int32_t>& sections) {
  for (const std::int32_t rec : sections) {
    if (Status s = Free(rec); !s.ok())
      return s;
  }
  return Status::Ok();
}

Status DataFile::WriteVariable(const std::uint8_t* data, std::size_t len, std::int32_t mainRec,
                               std::int32_t* rec) {
  const std::size_t s = static_cast<std::size_t>(header_.recLen);
  const std::size_t mainRoom = s - kSectionTrailer;
  const std::size_t contRoom = s - kSectionTrailer - 1;
  const std::size_t mainBytes = std::min(len, mainRoom);
  const std::size_t rest = len - mainBytes;
  const std::size_t pieces = (rest + contRoom - 1) / contRoom;
  section_.assign(s, 0);
  std::vector<std::int32_t> allocated;
  std::int32_t next = 0;
  auto undo = [&] {
    for (auto it = allocated.rbegin(); it != allocated.rend(); ++it)
      // undoing after a failure already returned: a slot not freed is only lost space
      (void)Free(*it);
  };
  // Continuation sections from the last piece to the first, so each names its successor.
  for (std::size_t i = pieces; i-- > 0;) {
    const std::size_t from = mainBytes + i * contRoom;
    const std::size_t count = std::min(contRoom, len - from);
    std::int32_t at = 0;
    if (Status st = Allocate(&at); !st.ok()) {
      undo();
      return st;
    }
    std::fill(section_.begin(), section_.end(), 0);
    section_[0] = kContinuationMark;
    std::memcpy(section_.data() + 1, data + from, count);
    StoreU16(section_.data() + s - kSectionCountFromEnd, static_cast<std::uint16_t>(count));
    StoreI32(section_.data() + s - kSectionNextFromEnd, next);
    if (Status st = WriteSlot(at, section_.data()); !st.ok()) {
      UndoAppend(at);
      undo();
      return st;
    }
    allocated.push_back(at);
    next = at;
  }
  std::int32_t at = mainRec;
  if (at <= 0) {
    if (Status st = Allocate(&at); !st.ok()) {
      undo();
      return st;
    }
  }
  std::fill(section_.begin(), section_.end(), 0);
  std::memcpy(section_.data(), data, mainBytes);
  StoreU16(section_.data() + s - kSectionCountFromEnd, static_cast<std::uint16_t>(mainBytes));
  StoreI32(section_.data() + s - kSectionNextFromEnd, next);
  if (Status st = WriteSlot(at, section_.data()); !st.ok()) {
    if (mainRec <= 0)
      UndoAppend(at);
    undo();
    return st;
  }
  *rec = at;
  return Status::Ok();
}

Status DataFile::MarkInUse() {
  if (inUseOnDisk_)
    return Status::Ok();
  if (readOnly_)
    return Status(err::kReadOnly);
  const std::uint8_t one = 1;
  unsynced_ = true;
  if (Status s = WriteAll(*file_, kHdrInUse, &one, 1); !s.ok())
    return s;
  if (Status s = Sync(); !s.ok())
    return s;
  inUseOnDisk_ = true;
  header_.inUse = 1;
  return Status::Ok();
}

Status DataFile::WriteHeader(bool inUse) {
  if (readOnly_)
    return Status(err::kReadOnly);
  header_.inUse = inUse ? 1 : 0;
  std::uint8_t raw[kDataHeaderSize];
  EncodeHeader(header_, raw);
  unsynced_ = true;
  if (Status s = WriteAll(*file_, 0, raw, sizeof raw); !s.ok())
    return s;
  inUseOnDisk_ = inUse;
  return Status::Ok();
}

Status DataFile::Sync() {
  if (Status s = SyncFile(*file_); !s.ok())
    return s;
  unsynced_ = false;
  return Status::Ok();
}

Status DataFile::Close() {
  return CloseFile(file_);
}

} // namespace tarvik
