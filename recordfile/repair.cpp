#include "recordfile/repair.h"

#include <algorithm>
#include <climits>
#include <cstring>

#include "recordfile/btree.h"
#include "recordfile/data_file.h"
#include "recordfile/error_channel.h"
#include "recordfile/file_calls.h"
#include "recordfile/file_io.h"
#include "recordfile/format.h"
#include "recordfile/live_records.h"
#include "recordfile/repair_leftovers.h"
#include "recordfile/repair_report.h"

namespace tarvik {

using namespace format;

namespace {

constexpr std::size_t kScanChunkBytes = 256 * 1024;

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

std::string Decimal(std::int64_t v) {
  return std::to_string(v);
}

} // namespace

Status ReorganiseDataFile(const RepairJob& job, std::unique_ptr<DataFile>* out) {
  FileIo& io = *job.io;
  const std::string dat = job.base + ".DAT";
  const std::string sav = job.base + ".SAV";
  const std::string tmp = job.base + ".TMP";
  // Whatever an earlier, interrupted repair left is put in order first: one data file.
  bool leftovers = false;
  if (Status s = ResolveInterruptedRepair(io, job.base, job.recLen, job.variable, job.recordSize,
                                          &leftovers);
      !s.ok()) {
    return s;
  }
  std::unique_ptr<File> source;
  if (Status s = OpenFile(io, dat, FileIo::Mode::kReadWrite, FileIo::Lock::kExclusive, &source);
      !s.ok()) {
    return s;
  }
  std::unique_ptr<DataFile> fresh;
  if (Status s =
          DataFile::Create(io, tmp, job.recLen, static_cast<int>(job.keys.size()), true, &fresh);
      !s.ok()) {
    return s;
  }
  auto abandon = [&](Status s) {
    (void)fresh->Close();      // the copy is thrown away after the failure s
    (void)RemoveFile(io, tmp); // a copy left is removed at the next open
    return s;
  };

  if (!Continue(job, 0, 0, 0))
    return abandon(Status(err::kRepairStopped));
  LiveRecordScan scan(*source, job.recLen, job.variable, job.recordSize);
  RepairReport report(io, job.base + ".MSG");
  std::string record;
  std::int32_t counter = 0;
  for (;;) {
    LiveRecordScan::Item item;
    std::int32_t number = 0;
    if (Status s = scan.Next(&item, &record, &number); !s.ok())
      return abandon(Status(err::kReorgCopyFailed, s.code()));
    if (item == LiveRecordScan::Item::kEnd)
      break;
    if (item == LiveRecordScan::Item::kBroken) {
      NoteDroppedRecord(job, number, 1);
      if (Status s =
              report.Append("Ref: " + Decimal(number) + " broken section chain - Dump follows\r\n" +
                            record + "\r\n\r\n");
          !s.ok()) {
        return abandon(s);
      }
      continue;
    }
    std::int32_t written = 0;
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(record.data());
    if (job.variable) {
      if (Status s = fresh->WriteVariable(bytes, record.size(), 0, &written); !s.ok())
        return abandon(s);
    } else {
      if (Status s = fresh->Allocate(&written); !s.ok())
        return abandon(s);
      if (Status s = fresh->WriteSlot(written, bytes); !s.ok())
        return abandon(s);
    }
    if (!Continue(job, 1, 0, ++counter))
      return abandon(Status(err::kRepairStopped));
  }
  if (Status s = fresh->WriteHeader(true); !s.ok())
    return abandon(s);
  if (Status s = fresh->Sync(); !s.ok())
    return abandon(s);
  if (Status s = report.Sync(); !s.ok())
    return abandon(s);
  if (Status s = CloseFile(source); !s.ok())
    return abandon(s);

  // The compacted copy is complete and durable. The old file stays as ".SAV" until the copy
  // has its name, and each rename is made durable before the next: an interruption leaves
  // ".DAT" + ".TMP", ".SAV" + ".TMP", or ".SAV" + the complete ".DAT", which the next open
  // puts in order (repair_leftovers.h).
  if (Status s = RenameFile(io, dat, sav); !s.ok())
    return abandon(Status(err::kRenameFailed, 2));
  if (Status s = SyncDirectory(io, sav); !s.ok())
    return abandon(s);
  if (Status s = RenameFile(io, tmp, dat); !s.ok()) {
    (void)RenameFile(io, sav, dat); // the next open puts .SAV + .TMP in order should this fail
    (void)SyncDirectory(io, dat);   // as above
    return abandon(Status(err::kRenameFailed, 3));
  }
  // From here on the new file has the data file's name; on a failure it is closed and the
  // next open resolves the ".SAV" beside it.
  if (Status s = SyncDirectory(io, dat); !s.ok()) {
    (void)fresh->Close(); // the failure s is returned; the next open resolves the .SAV
    return s;
  }
  // The old copy must be gone for good before the index rebuild may drop records from the
  // new one (duplicates go to the report): else a power loss could bring back a ".SAV" that
  // no longer matches the data file.
  if (Status s = RemoveFile(io, sav); !s.ok()) {
    (void)fresh->Close(); // as above
    return s;
  }
  if (Status s = SyncDirectory(io, dat); !s.ok()) {
    (void)fresh->Close(); // as above
    return s;
  }
  *out = std::move(fresh);
  return Status::Ok();
}

Status RebuildIndex(const RepairJob& job, DataFile& data) {
  FileIo& io = *job.io;
  const std::size_t recLen = static_cast<std::size_t>(job.recLen);
  const DataFile::Header& h = data.header();
  std::uint64_t size = 0;
  if (Status s = FileSize(data.file(), &size); !s.ok())
    return s;
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
    if (Status s = RemoveFile(io, job.base + ".DIA"); !s.ok())
      return s;
  }
  const int numKeys = static_cast<int>(job.keys.size());
  data.SetNumKeys(numKeys);
  std::unique_ptr<IndexFile> index;
  if (numKeys > 0) {
    if (Status s = IndexFile::Create(io, job.base + ".IX", job.keys, *job.cache, &index); !s.ok())
      return s;
  }
  RepairReport report(io, job.base + ".MSG");
  const std::size_t perChunk = std::max<std::size_t>(1, kScanChunkBytes / recLen);
  std::vector<std::uint8_t> chunk(perChunk * recLen);
  std::vector<char> record(std::max(job.recordSize, recLen));
  std::string key;

  for (int k = 1; k <= numKeys; ++k) {
    BTree tree(*index, k);
    for (std::int32_t first = 1; first <= h.numRec; first += static_cast<std::int32_t>(perChunk)) {
      const std::int32_t count =
          std::min<std::int32_t>(static_cast<std::int32_t>(perChunk), h.numRec - first + 1);
      if (Status s = ReadExact(data.file(), static_cast<std::uint64_t>(first) * recLen,
                               chunk.data(), static_cast<std::size_t>(count) * recLen);
          !s.ok()) {
        return s;
      }
      for (std::int32_t i = 0; i < count; ++i) {
        const std::int32_t ref = first + i;
        const std::uint8_t* slot = chunk.data() + static_cast<std::size_t>(i) * recLen;
        if (LoadI32(slot) != 0)
          continue;
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
                job.variable
                    ? VariableRecordLength(reinterpret_cast<const std::uint8_t*>(record.data()),
                                           job.recordSize, job.recLen)
                    : recLen;
            lines.append(record.data(), dumpBytes);
            lines += "\r\n\r\n";
            // The report is durable before the record leaves the data file.
            if (Status r = report.Append(lines); !r.ok())
              return r;
            if (Status r = report.Sync(); !r.ok())
              return r;
            for (int j = 1; j < k; ++j) {
              const std::string earlier = job.keyBuilder(record.data(), j);
              if (earlier.empty())
                continue;
              if (Status r = BTree(*index, j).Remove(earlier, ref); !r.ok())
                return r;
            }
            std::vector<std::int32_t> sections;
            if (job.variable) {
              if (Status r = data.ContinuationsOf(ref, SIZE_MAX, &sections); !r.ok())
                return r;
            }
            if (Status r = data.Free(ref); !r.ok())
              return r;
            if (Status r = data.FreeSections(sections); !r.ok())
              return r;
          } else if (!s.ok()) {
            return s;
          }
        }
        if (!Continue(job, 1, k, ref))
          return Status(err::kRepairStopped);
      }
    }
  }
  if (Status s = report.Sync(); !s.ok())
    return s;
  if (index) {
    if (Status s = index->Flush(true); !s.ok())
      return s;
    if (Status s = index->Close(); !s.ok())
      return s;
    // The new index file's name must be durable before the data file says "clean".
    if (Status s = SyncDirectory(io, job.base + ".IX"); !s.ok())
      return s;
  }
  if (Status s = data.Sync(); !s.ok())
    return s;
  if (Status s = data.WriteHeader(false); !s.ok())
    return s;
  if (Status s = data.Sync(); !s.ok())
    return s;
  // phase 2 only reports the end: there is nothing left to stop
  (void)Continue(job, 2, numKeys, h.numRec);
  return Status::Ok();
}

Status RepairFileblock(const RepairJob& job) {
  std::unique_ptr<DataFile> data;
  if (Status s = ReorganiseDataFile(job, &data); !s.ok())
    return s;
  const Status rebuilt = RebuildIndex(job, *data);
  // Closing writes the header: a repair whose close failed is not done (the next open finds
  // InUse still set and repairs again).
  const Status closed = data->Close();
  return rebuilt.ok() ? closed : rebuilt;
}

} // namespace tarvik
