#include "recordfile/repair_leftovers.h"

#include <cstdio>
#include <memory>

#include "recordfile/file_calls.h"
#include "recordfile/format.h"
#include "recordfile/live_records.h"
#include "recordfile/repair_report.h"

namespace tarvik {

namespace {

constexpr int kMaxKeptCopies = 99;

std::string FileNameOf(const std::string& path) {
  const auto slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

struct Shape {
  int recLen;
  bool variable;
  std::size_t recordSize;
};

/// How the records of a ".DAT" relate to those of the ".SAV" beside it.
struct Comparison {
  bool same = false;   // exactly the live records of SAV, in order
  bool within = false; // every record of DAT is one of SAV, in SAV's order
  std::int64_t datRecords = 0;
  std::int64_t savRecords = 0;
};

/// Whether `path` is a data file of this fileblock: at least one whole record, and a stored
/// record length that is ours (a damaged header, below the minimum, does not count against it).
Status IsOurDataFile(FileIo& io, const std::string& path, const Shape& shape, bool* ours) {
  std::unique_ptr<File> file;
  if (Status s = OpenFile(io, path, FileIo::Mode::kReadOnly, FileIo::Lock::kShared, &file);
      !s.ok()) {
    return s;
  }
  std::uint64_t size = 0;
  if (Status s = FileSize(*file, &size); !s.ok())
    return s;
  *ours = false;
  if (size < static_cast<std::uint64_t>(shape.recLen) ||
      size < static_cast<std::uint64_t>(format::kDataHeaderSize)) {
    return CloseFile(file);
  }
  std::uint8_t header[format::kDataHeaderSize];
  if (Status s = ReadExact(*file, 0, header, sizeof header); !s.ok())
    return s;
  const std::int32_t stored = format::LoadI32(header + format::kHdrRecLen);
  *ours = stored == shape.recLen || stored < format::kMinRecLen;
  return CloseFile(file);
}

/// Reads the next record of `scan` that a reorganisation would copy (broken variable-length
/// records are left out by it, so they are skipped here too). False at the end.
Status NextCopied(LiveRecordScan& scan, std::string* record, bool* more) {
  for (;;) {
    LiveRecordScan::Item item;
    std::int32_t number = 0;
    if (Status s = scan.Next(&item, record, &number); !s.ok())
      return s;
    if (item == LiveRecordScan::Item::kBroken)
      continue;
    *more = item == LiveRecordScan::Item::kRecord;
    return Status::Ok();
  }
}

Status Compare(FileIo& io, const std::string& sav, const std::string& dat, const Shape& shape,
               Comparison* out) {
  std::unique_ptr<File> savFile;
  std::unique_ptr<File> datFile;
  if (Status s = OpenFile(io, sav, FileIo::Mode::kReadOnly, FileIo::Lock::kShared, &savFile);
      !s.ok()) {
    return s;
  }
  if (Status s = OpenFile(io, dat, FileIo::Mode::kReadOnly, FileIo::Lock::kShared, &datFile);
      !s.ok()) {
    return s;
  }
  LiveRecordScan savScan(*savFile, shape.recLen, shape.variable, shape.recordSize);
  LiveRecordScan datScan(*datFile, shape.recLen, shape.variable, shape.recordSize);
  std::string savRecord;
  std::string datRecord;
  bool same = true;
  bool within = true;
  bool savMore = true;
  for (;;) {
    bool datMore = false;
    if (Status s = NextCopied(datScan, &datRecord, &datMore); !s.ok())
      return s;
    if (!datMore)
      break;
    ++out->datRecords;
    if (!within)
      continue;
    // The next record of SAV equal to this one; records of SAV passed over are missing
    // from DAT.
    for (;;) {
      if (Status s = NextCopied(savScan, &savRecord, &savMore); !s.ok())
        return s;
      if (!savMore) {
        within = false;
        same = false;
        break;
      }
      ++out->savRecords;
      if (savRecord == datRecord)
        break;
      same = false;
    }
  }
  while (savMore) {
    if (Status s = NextCopied(savScan, &savRecord, &savMore); !s.ok())
      return s;
    if (savMore) {
      ++out->savRecords;
      same = false;
    }
  }
  out->same = same && within;
  out->within = within;
  if (Status s = CloseFile(savFile); !s.ok())
    return s;
  return CloseFile(datFile);
}

/// A free name NAME.K01 .. NAME.K99 for a copy that is set aside.
[[nodiscard]] bool KeptCopyName(FileIo& io, const std::string& base, std::string* name) {
  for (int n = 1; n <= kMaxKeptCopies; ++n) {
    char ext[8];
    std::snprintf(ext, sizeof ext, ".K%02d", n);
    if (!io.FileExists(base + ext)) {
      *name = base + ext;
      return true;
    }
  }
  return false;
}

/// Renames and makes the rename durable.
Status Move(FileIo& io, const std::string& from, const std::string& to) {
  if (Status s = RenameFile(io, from, to); !s.ok())
    return Status(err::kRenameFailed, s.code());
  return SyncDirectory(io, to);
}

Status Remove(FileIo& io, const std::string& path) {
  if (Status s = RemoveFile(io, path); !s.ok())
    return s;
  return SyncDirectory(io, path);
}

std::string Records(std::int64_t n) {
  return std::to_string(n) + (n == 1 ? " record" : " records");
}

/// SAV and DAT side by side: keeps the one that holds the complete data.
Status ResolveSaveBesideData(FileIo& io, const std::string& base, const Shape& shape) {
  const std::string dat = base + ".DAT";
  const std::string sav = base + ".SAV";
  const std::string datName = FileNameOf(dat);
  const std::string savName = FileNameOf(sav);
  const std::string found = "Interrupted repair: found " + savName + " beside " + datName + "; ";
  bool ours = false;
  if (Status s = IsOurDataFile(io, sav, shape, &ours); !s.ok())
    return s;
  std::string kept;
  if (!ours) {
    if (!KeptCopyName(io, base, &kept))
      return Status(err::kReorgInterrupted, 1);
    if (Status s =
            AppendRepairNote(io, base,
                             found + savName + " is no data file of this fileblock; kept " +
                                 datName + ", " + savName + " set aside as " + FileNameOf(kept));
        !s.ok()) {
      return s;
    }
    return Move(io, sav, kept);
  }
  Comparison c;
  if (Status s = Compare(io, sav, dat, shape, &c); !s.ok())
    return s;
  if (c.same) {
    if (Status s = AppendRepairNote(
            io, base,
            found + datName + " holds exactly the " + Records(c.savRecords) + " of " + savName +
                "; kept the complete copy " + datName + ", removed " + savName);
        !s.ok()) {
      return s;
    }
    return Remove(io, sav);
  }
  if (c.within) {
    if (Status s = AppendRepairNote(io, base,
                                    found + datName + " holds " + Records(c.datRecords) + " of " +
                                        std::to_string(c.savRecords) + " in " + savName +
                                        " (a partial copy); kept " + savName + " as the data file");
        !s.ok()) {
      return s;
    }
    return Move(io, sav, dat); // replaces the partial copy in one step
  }
  if (!KeptCopyName(io, base, &kept))
    return Status(err::kReorgInterrupted, 2);
  if (Status s = AppendRepairNote(io, base,
                                  found + datName + " holds records that " + savName +
                                      " lacks; kept " + savName + " as the data file, " + datName +
                                      " set aside as " + FileNameOf(kept));
      !s.ok()) {
    return s;
  }
  if (Status s = Move(io, dat, kept); !s.ok())
    return s;
  return Move(io, sav, dat);
}

} // namespace

Status ResolveInterruptedRepair(FileIo& io, const std::string& base, int recLen, bool variable,
                                std::size_t recordSize, bool* found) {
  const Shape shape{recLen, variable, recordSize};
  const std::string dat = base + ".DAT";
  const std::string sav = base + ".SAV";
  const std::string tmp = base + ".TMP";
  *found = false;
  if (io.FileExists(sav)) {
    *found = true;
    if (io.FileExists(dat)) {
      if (Status s = ResolveSaveBesideData(io, base, shape); !s.ok())
        return s;
    } else {
      bool ours = false;
      if (Status s = IsOurDataFile(io, sav, shape, &ours); !s.ok())
        return s;
      std::string kept;
      if (ours) {
        if (Status s = AppendRepairNote(io, base,
                                        "Interrupted repair: found " + FileNameOf(sav) +
                                            " without " + FileNameOf(dat) + "; kept " +
                                            FileNameOf(sav) + " as the data file");
            !s.ok()) {
          return s;
        }
        if (Status s = Move(io, sav, dat); !s.ok())
          return s;
      } else {
        if (!KeptCopyName(io, base, &kept))
          return Status(err::kReorgInterrupted, 3);
        if (Status s =
                AppendRepairNote(io, base,
                                 "Interrupted repair: found " + FileNameOf(sav) + " without " +
                                     FileNameOf(dat) + "; it is no data " +
                                     "file of this fileblock, set aside as " + FileNameOf(kept));
            !s.ok()) {
          return s;
        }
        if (Status s = Move(io, sav, kept); !s.ok())
          return s;
      }
    }
  }
  if (io.FileExists(tmp)) {
    *found = true;
    bool ours = false;
    if (!io.FileExists(dat)) {
      if (Status s = IsOurDataFile(io, tmp, shape, &ours); !s.ok())
        return s;
    }
    if (ours) {
      if (Status s = AppendRepairNote(io, base,
                                      "Interrupted repair: found " + FileNameOf(tmp) + " without " +
                                          FileNameOf(dat) + "; kept " + FileNameOf(tmp) +
                                          " as the data file");
          !s.ok()) {
        return s;
      }
      if (Status s = Move(io, tmp, dat); !s.ok())
        return s;
    } else {
      if (Status s = AppendRepairNote(
              io, base, "Interrupted repair: removed the unfinished copy " + FileNameOf(tmp));
          !s.ok()) {
        return s;
      }
      if (Status s = Remove(io, tmp); !s.ok())
        return s;
    }
  }
  return Status::Ok();
}

} // namespace tarvik
