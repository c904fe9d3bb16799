#include "datafiles/contest_log_files.h"

#include "base/data_directory.h"
#include "datafiles/program_files.h"
#include "recordfile/file_io.h"

namespace tarvik {

namespace {

// The data and index files, and what a repair or a rewrite may leave beside them.
constexpr const char* kExtensions[] = {".DAT", ".IX", ".ALT", ".SAV", ".DIA"};

bool AnyFileOf(FileIo& io, const std::string& base) {
  for (const char* ext : kExtensions) {
    if (io.FileExists(base + ext))
      return true;
  }
  return false;
}

} // namespace

std::string DeletedLogName(int contestNumber, int n) {
  return QsoLogName(contestNumber) + "_DEL" + std::to_string(n);
}

bool QsoLogFilesExist(int contestNumber, FileIo* io) {
  FileIo& files = io != nullptr ? *io : PosixFileIo();
  return AnyFileOf(files, DataPath(QsoLogName(contestNumber)));
}

bool MoveQsoLogAside(int contestNumber, FileIo* io) {
  FileIo& files = io != nullptr ? *io : PosixFileIo();
  const std::string base = DataPath(QsoLogName(contestNumber));
  if (!AnyFileOf(files, base))
    return true;
  int n = 1;
  while (AnyFileOf(files, DataPath(DeletedLogName(contestNumber, n))))
    ++n;
  const std::string aside = DataPath(DeletedLogName(contestNumber, n));
  bool moved = true;
  for (const char* ext : kExtensions) {
    if (files.FileExists(base + ext))
      moved = files.Rename(base + ext, aside + ext).ok() && moved;
  }
  return moved;
}

} // namespace tarvik
