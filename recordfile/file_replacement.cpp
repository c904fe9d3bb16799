#include "recordfile/file_replacement.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace tarvik {

namespace {

constexpr const char* kDat = ".DAT";
constexpr const char* kIx = ".IX";

// The identity of a file's contents: its size and an FNV-1a hash of its bytes.
struct Fingerprint {
  std::uint64_t size = 0;
  std::uint64_t hash = 0;
  bool ok = false;
};

Fingerprint FingerprintOf(FileIo& io, const std::string& path) {
  Fingerprint print;
  std::unique_ptr<File> file;
  if (!io.FileExists(path) ||
      !io.Open(path, FileIo::Mode::kReadOnly, FileIo::Lock::kNone, &file).ok())
    return print;
  std::uint64_t hash = 1469598103934665603ULL;
  std::vector<unsigned char> chunk(1 << 16);
  std::uint64_t offset = 0;
  for (;;) {
    std::size_t got = 0;
    if (!file->ReadAt(offset, chunk.data(), chunk.size(), &got).ok()) {
      (void)file->Close(); // read only: nothing to lose
      return print;
    }
    for (std::size_t i = 0; i < got; ++i) {
      hash ^= chunk[i];
      hash *= 1099511628211ULL;
    }
    offset += got;
    if (got < chunk.size())
      break;
  }
  (void)file->Close(); // read only: nothing to lose
  print.size = offset;
  print.hash = hash;
  print.ok = true;
  return print;
}

std::string FingerprintText(const Fingerprint& print) {
  return std::to_string(print.size) + " " + std::to_string(print.hash);
}

// The marker's text: the live base it was written for, and the fingerprints of the old and
// the new data file. A marker is only taken for the files it names, only while the data it
// would replace is still the old data it saw (a log used on after a failed replacement keeps
// its changes), and a marker that lost its text in a crash commits nothing.
std::string MarkerText(const std::string& liveBase, const Fingerprint& oldData,
                       const Fingerprint& newData) {
  return "REPLACES " + liveBase + "\r\nOLD " + FingerprintText(oldData) + "\r\nNEW " +
         FingerprintText(newData) + "\r\n";
}

[[nodiscard]] bool RemoveIfThere(FileIo& io, const std::string& path) {
  return !io.FileExists(path) || io.Remove(path).ok();
}

[[nodiscard]] bool WriteMarker(FileIo& io, const std::string& liveBase) {
  const Fingerprint oldData = FingerprintOf(io, liveBase + kDat);
  const Fingerprint newData = FingerprintOf(io, ReplacementBase(liveBase) + kDat);
  if (!oldData.ok || !newData.ok)
    return false;
  const std::string path = ReplacementMarker(liveBase);
  std::unique_ptr<File> file;
  if (!io.Open(path, FileIo::Mode::kCreate, FileIo::Lock::kNone, &file).ok())
    return false;
  const std::string text = MarkerText(liveBase, oldData, newData);
  const bool written = file->WriteAt(0, text.data(), text.size()).ok() && file->Sync().ok();
  const bool closed = file->Close().ok();
  return written && closed && io.SyncDirectoryOf(path).ok();
}

std::string ReadMarker(FileIo& io, const std::string& liveBase) {
  const std::string path = ReplacementMarker(liveBase);
  std::unique_ptr<File> file;
  if (!io.FileExists(path) ||
      !io.Open(path, FileIo::Mode::kReadOnly, FileIo::Lock::kNone, &file).ok())
    return std::string();
  std::string text(4096, '\0');
  std::size_t got = 0;
  const bool read = file->ReadAt(0, text.data(), text.size(), &got).ok();
  (void)file->Close(); // read only: nothing to lose
  text.resize(read ? got : 0);
  return text;
}

// Whether the marker commits the copy in the state the files are in now: the data still to
// be replaced is the old data the marker saw, or the data in place is the new data.
bool MarkerValid(FileIo& io, const std::string& liveBase) {
  const std::string text = ReadMarker(io, liveBase);
  const std::string head = "REPLACES " + liveBase + "\r\nOLD ";
  if (text.rfind(head, 0) != 0)
    return false;
  const std::string copy = ReplacementBase(liveBase);
  const Fingerprint live = FingerprintOf(io, liveBase + kDat);
  if (io.FileExists(copy + kDat)) {
    const Fingerprint newData = FingerprintOf(io, copy + kDat);
    return live.ok && newData.ok && text == MarkerText(liveBase, live, newData);
  }
  // The data was replaced: the marker must name the data in place as its new data.
  const std::size_t newAt = text.find("\r\nNEW ");
  return live.ok && newAt != std::string::npos &&
         text.substr(newAt) == "\r\nNEW " + FingerprintText(live) + "\r\n";
}

// Steps 2 to 5 for a committed copy; each step is skipped when an earlier run did it.
// False when a step failed (the marker stays, so the next run goes on from there).
[[nodiscard]] bool FinishCommitted(FileIo& io, const std::string& liveBase, bool* dataInPlace) {
  const std::string copy = ReplacementBase(liveBase);
  if (io.FileExists(copy + kDat)) {
    if (!RemoveIfThere(io, liveBase + kIx))
      return false;
    if (!io.Rename(copy + kDat, liveBase + kDat).ok())
      return false;
  }
  *dataInPlace = true;
  if (io.FileExists(copy + kIx)) {
    if (!RemoveIfThere(io, liveBase + kIx))
      return false;
    if (!io.Rename(copy + kIx, liveBase + kIx).ok())
      return false;
  }
  if (!io.SyncDirectoryOf(liveBase + kDat).ok())
    return false;
  return io.Remove(ReplacementMarker(liveBase)).ok() && io.SyncDirectoryOf(liveBase + kDat).ok();
}

} // namespace

std::string ReplacementBase(const std::string& liveBase) {
  return liveBase + "_NEU";
}

std::string ReplacementMarker(const std::string& liveBase) {
  return ReplacementBase(liveBase) + ".OK";
}

void DiscardReplacement(FileIo& io, const std::string& liveBase) {
  const std::string copy = ReplacementBase(liveBase);
  // what stays is removed by the next recovery
  (void)RemoveIfThere(io, ReplacementMarker(liveBase));
  (void)RemoveIfThere(io, copy + kDat);  // as above
  (void)RemoveIfThere(io, copy + kIx);   // as above
  (void)io.SyncDirectoryOf(copy + kDat); // a removal undone by a power loss is done again
}

bool CommitReplacement(FileIo& io, const std::string& liveBase, std::string* error) {
  const std::string copy = ReplacementBase(liveBase);
  if (!io.FileExists(copy + kDat) || !io.FileExists(copy + kIx)) {
    *error = "the new copy is incomplete";
    DiscardReplacement(io, liveBase);
    return false;
  }
  // 1. The commit point.
  if (!WriteMarker(io, liveBase)) {
    *error = "the commit marker could not be written";
    DiscardReplacement(io, liveBase);
    return false;
  }
  // 2. The old index goes first: should the data not follow, the old data gets its index
  // rebuilt; the old data is never paired with the new index or the new data with the old.
  if (!RemoveIfThere(io, liveBase + kIx)) {
    *error = "the old index could not be removed";
    DiscardReplacement(io, liveBase);
    return false;
  }
  // 3. The data: until this rename the old log stands.
  if (!io.Rename(copy + kDat, liveBase + kDat).ok()) {
    *error = "the new data file could not take the old one's place";
    DiscardReplacement(io, liveBase);
    return false;
  }
  // 4., 5. The new data stands: whatever fails now is finished by the next recovery (the
  // marker stays) or, for the index, by the rebuild at the next open.
  bool dataInPlace = true;
  if (!FinishCommitted(io, liveBase, &dataInPlace) && io.FileExists(copy + kIx)) {
    // The new index could not be moved: the new data gets its index rebuilt at the next
    // open. The copy's index must not be taken later (the log may change until then): it
    // goes, or else the marker that would make a recovery take it.
    if (!io.Remove(copy + kIx).ok())
      // without either, the next open rebuilds the index from the new data
      (void)io.Remove(ReplacementMarker(liveBase));
  }
  return true;
}

ReplacementRecovery RecoverReplacement(FileIo& io, const std::string& liveBase) {
  const std::string copy = ReplacementBase(liveBase);
  const std::string marker = ReplacementMarker(liveBase);
  const bool anything =
      io.FileExists(marker) || io.FileExists(copy + kDat) || io.FileExists(copy + kIx);
  if (!anything)
    return ReplacementRecovery::kNothing;
  if (MarkerValid(io, liveBase)) {
    bool dataInPlace = false;
    return FinishCommitted(io, liveBase, &dataInPlace) ? ReplacementRecovery::kCompleted
                                                       : ReplacementRecovery::kFailed;
  }
  DiscardReplacement(io, liveBase);
  const bool clean =
      !io.FileExists(marker) && !io.FileExists(copy + kDat) && !io.FileExists(copy + kIx);
  return clean ? ReplacementRecovery::kDiscarded : ReplacementRecovery::kFailed;
}

} // namespace tarvik
