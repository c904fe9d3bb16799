#include "recordfile/live_records.h"

#include <algorithm>

#include "recordfile/file_calls.h"
#include "recordfile/format.h"

namespace tarvik {

using namespace format;

namespace {

constexpr std::size_t kScanChunkBytes = 256 * 1024;

/// Reads the record whose main section is `at` by following its chain. `*whole` is false
/// for a broken or overlong chain, or a record of length 0; a failing read is an error (a
/// record must never be taken for broken because the disk did not answer once).
Status ReadChain(File& file, std::size_t s, std::int64_t slots, std::int32_t at,
                 std::vector<std::uint8_t>* out, bool* whole) {
  const std::size_t maxSections = (65525 - s) / (s - 6) + 2;
  std::vector<std::uint8_t> section(s);
  std::vector<std::int32_t> seen;
  out->clear();
  *whole = false;
  bool main = true;
  for (;;) {
    std::size_t got = 0;
    if (Status st = ReadSome(file, static_cast<std::uint64_t>(at) * s, section.data(),
                             section.size(), &got);
        !st.ok()) {
      return st;
    }
    if (got != section.size())
      return Status::Ok();
    if (!main && section[0] != kContinuationMark)
      return Status::Ok();
    const std::size_t count = LoadU16(section.data() + s - kSectionCountFromEnd);
    const std::size_t start = main ? 0 : 1;
    if (count > s - kSectionTrailer - start)
      return Status::Ok();
    out->insert(out->end(), section.begin() + static_cast<std::ptrdiff_t>(start),
                section.begin() + static_cast<std::ptrdiff_t>(start + count));
    seen.push_back(at);
    const std::int32_t next = LoadI32(section.data() + s - kSectionNextFromEnd);
    if (next == 0)
      break;
    if (next < 1 || next > slots || seen.size() >= maxSections ||
        std::find(seen.begin(), seen.end(), next) != seen.end()) {
      return Status::Ok();
    }
    at = next;
    main = false;
  }
  *whole = !out->empty();
  return Status::Ok();
}

} // namespace

LiveRecordScan::LiveRecordScan(File& file, int recLen, bool variable, std::size_t recordSize)
    : file_(file), recLen_(static_cast<std::size_t>(std::max(recLen, 1))), variable_(variable),
      recordSize_(recordSize) {}

Status LiveRecordScan::Start() {
  started_ = true;
  std::uint64_t size = 0;
  if (Status s = FileSize(file_, &size); !s.ok())
    return s;
  slots_ = static_cast<std::int64_t>(size / recLen_) - 1;
  if (slots_ < 0)
    slots_ = 0;
  chunk_.resize(std::max<std::size_t>(1, kScanChunkBytes / recLen_) * recLen_);
  return Status::Ok();
}

Status LiveRecordScan::Next(Item* item, std::string* record, std::int32_t* number) {
  if (!started_) {
    if (Status s = Start(); !s.ok())
      return s;
  }
  for (;;) {
    if (at_ >= chunkSlots_) {
      chunkFirst_ += static_cast<std::int64_t>(chunkSlots_);
      at_ = 0;
      chunkSlots_ = 0;
      if (chunkFirst_ > slots_) {
        *item = Item::kEnd;
        return Status::Ok();
      }
      const std::size_t want = std::min<std::size_t>(
          chunk_.size() / recLen_, static_cast<std::size_t>(slots_ - chunkFirst_ + 1));
      std::size_t got = 0;
      if (Status s = ReadSome(file_, static_cast<std::uint64_t>(chunkFirst_) * recLen_,
                              chunk_.data(), want * recLen_, &got);
          !s.ok()) {
        return s;
      }
      chunkSlots_ = got / recLen_;
      if (chunkSlots_ == 0) {
        *item = Item::kEnd;
        return Status::Ok();
      }
    }
    const std::uint8_t* slot = chunk_.data() + at_ * recLen_;
    const auto rec = static_cast<std::int32_t>(chunkFirst_ + static_cast<std::int64_t>(at_));
    ++at_;
    if (LoadI32(slot) != 0)
      continue; // deleted, or a continuation section
    *number = rec;
    if (!variable_) {
      record->assign(reinterpret_cast<const char*>(slot), recLen_);
      *item = Item::kRecord;
      return Status::Ok();
    }
    std::vector<std::uint8_t> whole;
    bool complete = false;
    if (Status s = ReadChain(file_, recLen_, slots_, rec, &whole, &complete); !s.ok())
      return s;
    if (!complete) {
      record->assign(reinterpret_cast<const char*>(slot), recLen_);
      *item = Item::kBroken;
      return Status::Ok();
    }
    if (whole.size() > recordSize_)
      whole.resize(recordSize_);
    record->assign(whole.begin(), whole.end());
    *item = Item::kRecord;
    return Status::Ok();
  }
}

} // namespace tarvik
