#include "storage/repair.h"

#include <algorithm>
#include <climits>
#include <cstring>

#include "storage/btree.h"
#include "storage/data_file.h"
#include "storage/error_channel.h"
#include "storage/file_calls.h"
#include "storage/file_io.h"
#include "storage/format.h"

namespace tarvik {

using namespace format;

namespace {

constexpr std::size_t kScanChunkBytes = 256 * 1024;

/// Appends lines and raw bytes to the ".MSG" report, creating it at the first write.
class Report {
public:
  Report(FileIo& io, std::string path) : io_(io), path_(std::move(path)) {}
  ~Report() { (void)CloseFile(file_); }

  Status Append(const std::string& bytes) {
    if (!file_) {
      if (Status s = OpenFile(io_, path_, FileIo::Mode::kOpenOrCreate, FileIo::Lock::kNone, &file_);
          !s.ok()) {
        return s;
      }
      if (Status s = FileSize(*file_, &end_); !s.ok()) return s;
    }
    if (Status s = WriteAll(*file_, end_, bytes.data(), bytes.size()); !s.ok()) return s;
    end_ += bytes.size();
    return Status::Ok();
  }

  Status Sync() { return file_ ? SyncFile(*file_) : Status::Ok(); }

private:
  FileIo& io_;
  std::string path_;
  std::unique_ptr<File> file_;
  std::uint64_t end_ = 0;
};

bool Continue(const RepairJob& job, int phase, int key, std::int32_t record) {
  return !job.progress || job.progress(job.name, phase, key, record);
}

void NoteDroppedRecord(const RepairJob& job, std::int32_t record, int position) {
  RecordFileErrors().Record({.code = err::kBrokenChain,
                             .recordNumber = record,
                             .operation = job.operation,
                             .step = 90,
                             .position = position,
                             .fileblock = job.fileblock},
                            0);
}

/// Reads the record of the main section at `at` from an old variable-length data file by
/// following its chain. False for a broken or overlong chain or a record of length 0.
bool ReadOldVariable(File& file, int s, std::int64_t records, std::int32_t at,
                     std::vector<std::uint8_t>* out) {
  const std::size_t maxSections = static_cast<std::size_t>((65525 - s) / (s - 6) + 2);
  std::vector<std::uint8_t> section(static_cast<std::size_t>(s));
  std::vector<std::int32_t> seen;
  out->clear();
  bool main = true;
  for (;;) {
    if (!ReadExact(file, static_cast<std::uint64_t>(at) * s, section.data(), section.size()).ok())
      return false;
    if (!main && section[0] != kContinuationMark) return false;
    const std::size_t count = LoadU16(section.data() + s - kSectionCountFromEnd);
    if (count > static_cast<std::size_t>(s - kSectionTrailer - (main ? 0 : 1))) return false;
    out->insert(out->end(), section.begin() + (main ? 0 : 1),
                section.begin() + (main ? 0 : 1) + static_cast<std::ptrdiff_t>(count));
    seen.push_back(at);
    const std::int32_t next = LoadI32(section.data() + s - kSectionNextFromEnd);
    if (next == 0) break;
    if (next < 1 || next > records || seen.size() >= maxSections ||
        std::find(seen.begin(), seen.end(), next) != seen.end()) {
      return false;
    }
    at = next;
    main = false;
  }
  return !out->empty();
}

std::string Decimal(std::int64_t v) { return std::to_string(v); }

} // namespace

Status ReorganiseDataFile(const RepairJob& job, std::unique_ptr<DataFile>* out) {
  FileIo& io = *job.io;
  const std::string dat = job.base + ".DAT";
  const std::string sav = job.base + ".SAV";
  const std::string tmp = job.base + ".TMP";
  if (io.FileExists(sav)) {
    if (io.FileExists(dat)) return Status(err::kReorgInterrupted);
    // Only the old copy is left: it is the data.
    if (Status s = RenameFile(io, sav, dat); !s.ok()) return Status(err::kRenameFailed, 1);
  }
  std::unique_ptr<File> source;
  if (Status s = OpenFile(io, dat, FileIo::Mode::kReadWrite, FileIo::Lock::kExclusive, &source);
      !s.ok()) {
    return s;
  }
  if (io.FileExists(tmp)) (void)RemoveFile(io, tmp);
  std::unique_ptr<DataFile> fresh;
  if (Status s = DataFile::Create(io, tmp, job.recLen, static_cast<int>(job.keys.size()), true,
                                  &fresh);
      !s.ok()) {
    return s;
  }
  auto abandon = [&](Status s) {
    (void)fresh->Close();
    (void)RemoveFile(io, tmp);
    return s;
  };

  if (!Continue(job, 0, 0, 0)) return abandon(Status(err::kRepairStopped));
  const std::size_t recLen = static_cast<std::size_t>(job.recLen);
  std::uint64_t size = 0;
  if (Status s = FileSize(*source, &size); !s.ok()) return abandon(s);
  const std::int64_t records = static_cast<std::int64_t>(size / recLen) - 1;
  const std::size_t perChunk = std::max<std::size_t>(1, kScanChunkBytes / recLen);
  std::vector<std::uint8_t> chunk(perChunk * recLen);
  std::vector<std::uint8_t> whole;
  Report report(io, job.base + ".MSG");
  std::int32_t counter = 0;
  for (std::int64_t first = 1; first <= records; first += static_cast<std::int64_t>(perChunk)) {
    std::size_t got = 0;
    if (Status s = ReadSome(*source, static_cast<std::uint64_t>(first) * recLen, chunk.data(),
                            chunk.size(), &got);
        !s.ok()) {
      return abandon(Status(err::kReorgCopyFailed, s.code()));
    }
    const std::size_t inChunk = got / recLen;
    for (std::size_t i = 0; i < inChunk; ++i) {
      const std::uint8_t* rec = chunk.data() + i * recLen;
      const auto number = static_cast<std::int32_t>(first + static_cast<std::int64_t>(i));
      if (LoadI32(rec) != 0) continue; // deleted, or a continuation section
      std::int32_t written = 0;
      if (job.variable) {
        if (!ReadOldVariable(*source, job.recLen, records, number, &whole)) {
          NoteDroppedRecord(job, number, 1);
          (void)report.Append("Ref: " + Decimal(number) + " broken section chain - Dump follows\r\n" +
                              std::string(reinterpret_cast<const char*>(rec), recLen) + "\r\n\r\n");
          continue;
        }
        if (whole.size() > job.recordSize) whole.resize(job.recordSize);
        if (Status s = fresh->WriteVariable(whole.data(), whole.size(), 0, &written); !s.ok())
          return abandon(s);
      } else {
        if (Status s = fresh->Allocate(&written); !s.ok()) return abandon(s);
        if (Status s = fresh->WriteSlot(written, rec); !s.ok()) return abandon(s);
      }
      if (!Continue(job, 1, 0, ++counter)) return abandon(Status(err::kRepairStopped));
    }
    if (got < chunk.size()) break;
  }
  if (Status s = fresh->WriteHeader(true); !s.ok()) return abandon(s);
  if (Status s = fresh->Sync(); !s.ok()) return abandon(s);
  if (Status s = report.Sync(); !s.ok()) return abandon(s);
  (void)CloseFile(source);

  // The old file stays as ".SAV" until the compacted copy has its name: an interruption
  // leaves either the old ".DAT", or only the ".SAV" (restored at the next open).
  if (Status s = RenameFile(io, dat, sav); !s.ok()) return abandon(Status(err::kRenameFailed, 2));
  if (Status s = RenameFile(io, tmp, dat); !s.ok()) {
    (void)RenameFile(io, sav, dat);
    return abandon(Status(err::kRenameFailed, 3));
  }
  if (Status s = io.SyncDirectoryOf(dat).ok() ? Status::Ok() : Status(err::kIoError, 4); !s.ok()) {
    (void)fresh->Close();
    return s;
  }
  (void)RemoveFile(io, sav);
  *out = std::move(fresh);
  return Status::Ok();
}

Status RebuildIndex(const RepairJob& job, DataFile& data) {
  FileIo& io = *job.io;
  const std::size_t recLen = static_cast<std::size_t>(job.recLen);
  const DataFile::Header& h = data.header();
  std::uint64_t size = 0;
  if (Status s = FileSize(data.file(), &size); !s.ok()) return s;
  if (h.recLen != job.recLen || size % recLen != 0 ||
      size != (static_cast<std::uint64_t>(h.numRec) + 1) * recLen) {
    return Status(err::kHeaderInconsistent, 1);
  }
  if (h.firstFree != -1) {
    std::int32_t status = 0;
    if (!data.ReadStatusWord(h.firstFree, &status).ok() || status == 0)
      return Status(err::kHeaderInconsistent, 2);
  }
  if (io.FileExists(job.base + ".DIA")) {
    if (Status s = RemoveFile(io, job.base + ".DIA"); !s.ok()) return s;
  }
  const int numKeys = static_cast<int>(job.keys.size());
  data.SetNumKeys(numKeys);
  std::unique_ptr<IndexFile> index;
  if (numKeys > 0) {
    if (Status s = IndexFile::Create(io, job.base + ".IX", job.keys, *job.cache, &index); !s.ok())
      return s;
  }
  Report report(io, job.base + ".MSG");
  const std::size_t perChunk = std::max<std::size_t>(1, kScanChunkBytes / recLen);
  std::vector<std::uint8_t> chunk(perChunk * recLen);
  std::vector<char> record(std::max(job.recordSize, recLen));
  std::string key;

  for (int k = 1; k <= numKeys; ++k) {
    BTree tree(*index, k);
    for (std::int32_t first = 1; first <= h.numRec; first += static_cast<std::int32_t>(perChunk)) {
      const std::int32_t count =
          std::min<std::int32_t>(static_cast<std::int32_t>(perChunk), h.numRec - first + 1);
      if (Status s = ReadExact(data.file(), static_cast<std::uint64_t>(first) * recLen, chunk.data(),
                               static_cast<std::size_t>(count) * recLen);
          !s.ok()) {
        return s;
      }
      for (std::int32_t i = 0; i < count; ++i) {
        const std::int32_t ref = first + i;
        const std::uint8_t* slot = chunk.data() + static_cast<std::size_t>(i) * recLen;
        if (LoadI32(slot) != 0) continue;
        if (job.variable) {
          if (Status s = data.ReadVariable(ref, reinterpret_cast<std::uint8_t*>(record.data()),
                                           job.recordSize);
              !s.ok()) {
            return s;
          }
        } else {
          std::memcpy(record.data(), slot, recLen);
        }
        key = job.keyBuilder(record.data(), k);
        if (key.size() > static_cast<std::size_t>(job.keys[static_cast<std::size_t>(k - 1)].length))
          return Status(err::kKeyBuilderFailed, k);
        if (!key.empty()) {
          Status s = tree.Insert(key, ref);
          if (s.code() == err::kDuplicateKey) {
            // The first record with this key stays; this one leaves the file and goes to
            // the report.
            std::string lines = "Key:<" + key + "> KeyNr: " + Decimal(k) + " Ref: " + Decimal(ref) +
                                " not added\r\nData record deleted - Dump follows\r\n";
            const std::size_t dumpBytes =
                job.variable ? VariableRecordLength(reinterpret_cast<const std::uint8_t*>(record.data()),
                                                    job.recordSize, job.recLen)
                             : recLen;
            lines.append(record.data(), dumpBytes);
            lines += "\r\n\r\n";
            if (Status r = report.Append(lines); !r.ok()) return r;
            for (int j = 1; j < k; ++j) {
              const std::string earlier = job.keyBuilder(record.data(), j);
              if (earlier.empty()) continue;
              if (Status r = BTree(*index, j).Remove(earlier, ref); !r.ok()) return r;
            }
            std::vector<std::int32_t> sections;
            if (job.variable) {
              if (Status r = data.ContinuationsOf(ref, SIZE_MAX, &sections); !r.ok()) return r;
            }
            if (Status r = data.Free(ref); !r.ok()) return r;
            if (Status r = data.FreeSections(sections); !r.ok()) return r;
          } else if (!s.ok()) {
            return s;
          }
        }
        if (!Continue(job, 1, k, ref)) return Status(err::kRepairStopped);
      }
    }
  }
  if (Status s = report.Sync(); !s.ok()) return s;
  if (index) {
    if (Status s = index->Flush(true); !s.ok()) return s;
    if (Status s = index->Close(); !s.ok()) return s;
  }
  if (Status s = data.Sync(); !s.ok()) return s;
  if (Status s = data.WriteHeader(false); !s.ok()) return s;
  if (Status s = data.Sync(); !s.ok()) return s;
  (void)Continue(job, 2, numKeys, h.numRec);
  return Status::Ok();
}

Status RepairFileblock(const RepairJob& job) {
  std::unique_ptr<DataFile> data;
  if (Status s = ReorganiseDataFile(job, &data); !s.ok()) return s;
  Status s = RebuildIndex(job, *data);
  (void)data->Close();
  return s;
}

} // namespace tarvik
