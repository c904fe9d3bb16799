// Fileblock operations that look at the data file itself rather than through a key: the
// walk over the live records by record number, their count, and the comparison of the
// index with the data file (at every opening when it is switched on, or on request).

#include <algorithm>
#include <functional>
#include <string_view>

#include "recordfile/file_calls.h"
#include "recordfile/fileblock_internal.h"
#include "recordfile/format.h"
#include "recordfile/index_check.h"
#include "recordfile/repair_report.h"

namespace tarvik {

namespace {

enum Operation : int {
  kOpSetIndexCheckAtOpen = 4205,
  kOpCheckIndex = 4253,
  kOpLiveRecords = 12343,
  kOpReadNextLive = 16460,
};

constexpr std::size_t kScanChunkBytes = 256 * 1024;

/// A fingerprint of the two files' contents (the standard library's byte hash of each,
/// combined with their lengths).
std::uint64_t Fingerprint(const std::string& dat, const std::string& ix) {
  const std::hash<std::string_view> hash;
  std::uint64_t h = hash(dat);
  h ^= hash(ix) + 0x9E3779B97F4A7C15ULL + (h << 6) + (h >> 2);
  return h ^ (static_cast<std::uint64_t>(dat.size()) << 32) ^ ix.size();
}

Status ReadWholeFile(File& file, std::string* bytes) {
  std::uint64_t size = 0;
  if (Status s = FileSize(file, &size); !s.ok())
    return s;
  bytes->assign(static_cast<std::size_t>(size), '\0');
  return ReadExact(file, 0, bytes->data(), bytes->size());
}

} // namespace

int Fileblock::SetIndexCheckAtOpen(bool check) {
  OperationScope op(this, kOpSetIndexCheckAtOpen);
  if (op.ok())
    checkIndexAtOpen_ = check;
  return op.result();
}

int Fileblock::ReadNextLive(std::int32_t from) {
  OperationScope op(this, kOpReadNextLive);
  if (op.ok() && OpenFiles())
    // a failure is in the channel: op.result()
    (void)ScanRecords(std::max<std::int32_t>(from, 1), true);
  return op.result();
}

int Fileblock::LiveRecords(std::int32_t* count) {
  OperationScope op(this, kOpLiveRecords);
  if (!op.ok() || !OpenFiles())
    return op.result();
  const auto recLen = static_cast<std::size_t>(recLen_);
  const std::int32_t records = data_->numRec();
  const std::size_t perChunk = std::max<std::size_t>(1, kScanChunkBytes / recLen);
  std::vector<char> chunk(perChunk * recLen);
  std::int32_t live = 0;
  for (std::int32_t first = 1; first <= records; first += static_cast<std::int32_t>(perChunk)) {
    const auto n = static_cast<std::size_t>(
        std::min<std::int64_t>(static_cast<std::int64_t>(perChunk), records - first + 1));
    if (Status s = ReadExact(data_->file(), static_cast<std::uint64_t>(first) * recLen,
                             chunk.data(), n * recLen);
        !s.ok()) {
      Fail(s, kStepReadRecord, 0, first);
      return op.result();
    }
    for (std::size_t i = 0; i < n; ++i) {
      if (format::LoadI32(chunk.data() + i * recLen) == 0)
        ++live;
    }
  }
  *count = live;
  return op.result();
}

int Fileblock::CompareIndex(IndexFindings* findings) {
  std::string dat;
  std::string ix;
  if (Status s = ReadWholeFile(data_->file(), &dat); !s.ok())
    return s.code();
  if (index_) {
    if (Status s = ReadWholeFile(index_->file(), &ix); !s.ok())
      return s.code();
  }
  const std::uint64_t fingerprint = Fingerprint(dat, ix);
  if (engine_->KnownAgreeing(fingerprint)) {
    *findings = IndexFindings();
    findings->liveRecords = data_->usedRecords();
    return 0;
  }
  const auto recLen = static_cast<std::size_t>(recLen_);
  std::vector<char> whole(variable_ ? buffer_.size() : 0);
  *findings = CompareIndexWithData(dat, ix, [&](std::int32_t record, int key) {
    if (!variable_)
      return Key(dat.data() + static_cast<std::size_t>(record) * recLen, key);
    // A variable-length record is the chain of its sections.
    if (ReadInto(record, whole.data()) != 0)
      return std::string();
    return Key(whole.data(), key);
  });
  if (findings->Agree())
    engine_->NoteAgreeing(fingerprint);
  return 0;
}

void Fileblock::NoteAgreeingFiles() {
  // REQUIRES: everything is written. A file that cannot be read now is simply not noted.
  std::string dat;
  std::string ix;
  if (!ReadWholeFile(data_->file(), &dat).ok() ||
      (index_ && !ReadWholeFile(index_->file(), &ix).ok()))
    return;
  engine_->NoteAgreeing(Fingerprint(dat, ix));
}

void Fileblock::NoteIndexFindings(const IndexFindings& findings) {
  // The note is for whoever looks into the files later; the repair goes ahead without it.
  RepairReport report(engine_->io(), FilePath("MSG"));
  if (report.Append(IndexFindingsReport(findings)).ok())
    (void)report.Sync();
}

int Fileblock::CheckIndexAfterOpen() {
  IndexFindings findings;
  int code = CompareIndex(&findings);
  if (code == 0 && findings.Agree()) {
    indexAgrees_ = true;
    return 0;
  }
  if (code == 0) {
    NoteIndexFindings(findings);
    code = err::kIndexUnusable; // the caller repairs
  }
  // Nothing was changed since the files were opened: they are let go without writing.
  index_.reset();
  data_.reset();
  return code;
}

int Fileblock::CheckIndex(bool repair, IndexFindings* findings) {
  OperationScope op(this, kOpCheckIndex);
  if (!op.ok() || !OpenFiles())
    return op.result();
  if (const int code = FlushFiles(); code != 0) {
    Fail(code, kStepFlush);
    return op.result();
  }
  IndexFindings found;
  if (const int code = CompareIndex(&found); code != 0) {
    Fail(code, kStepCheckIndex);
    return op.result();
  }
  if (found.Agree())
    indexAgrees_ = true;
  if (!found.Agree() && repair) {
    NoteIndexFindings(found);
    if (readOnly_) {
      Fail(err::kIndexDamagedReadOnly, kStepCheckIndex);
    } else if (CloseFiles(true) == 0) {
      if (const int code = RunRepair(); code != 0)
        Fail(code, kStepRepair);
      ForgetPositions();
    }
  }
  if (findings != nullptr)
    *findings = std::move(found);
  return op.result();
}

} // namespace tarvik
