#include "datafiles/contest_log_files.h"

#include "base/data_directory.h"
#include "base/text_helpers.h"
#include "datafiles/program_files.h"
#include "recordfile/failure_cause.h"
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

FileIo& FilesOf(FileIo* io) {
  return io != nullptr ? *io : PosixFileIo();
}

std::string FileNameOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// Renames every file of `from` to `to` that exists under `from` and not yet under `to`.
// Returns the extensions moved; `*failed` gets those that could not be, `*osError` the
// error of the first failure.
std::vector<const char*> RenameFiles(FileIo& io, const std::string& from, const std::string& to,
                                     std::vector<const char*>* failed, int* osError) {
  std::vector<const char*> moved;
  for (const char* ext : kExtensions) {
    if (!io.FileExists(from + ext) || io.FileExists(to + ext))
      continue;
    if (IoResult r = io.Rename(from + ext, to + ext); r.ok()) {
      moved.push_back(ext);
    } else {
      failed->push_back(ext);
      if (*osError == 0)
        *osError = r.osError();
    }
  }
  return moved;
}

} // namespace

std::string DeletedLogName(int contestNumber, int n) {
  return QsoLogName(contestNumber) + "_DEL" + std::to_string(n);
}

bool QsoLogFilesExist(int contestNumber, FileIo* io) {
  return AnyFileOf(FilesOf(io), DataPath(QsoLogName(contestNumber)));
}

QsoLogMove MoveQsoLogAside(int contestNumber, FileIo* io) {
  FileIo& files = FilesOf(io);
  QsoLogMove move;
  const std::string base = DataPath(QsoLogName(contestNumber));
  if (!AnyFileOf(files, base))
    return move;
  int n = 1;
  while (AnyFileOf(files, DataPath(DeletedLogName(contestNumber, n))))
    ++n;
  move.aside = DeletedLogName(contestNumber, n);
  const std::string aside = DataPath(move.aside);
  std::vector<const char*> failed;
  const std::vector<const char*> moved = RenameFiles(files, base, aside, &failed, &move.osError);
  if (failed.empty()) {
    // The renames must outlast a power loss: a log that came back under its name would be
    // taken for the log of the next contest with this number.
    const IoResult synced = files.SyncDirectoryOf(base);
    if (synced.ok())
      return move;
    move.osError = synced.osError();
  }
  // The log stays whole under its own name: what was moved goes back.
  move.ok = false;
  for (const char* ext : failed)
    move.stuck.push_back(base + ext);
  for (const char* ext : moved) {
    if (files.Rename(aside + ext, base + ext).ok()) {
      if (failed.empty()) // only the directory sync failed: every file is concerned
        move.stuck.push_back(base + ext);
    } else {
      move.stuck.push_back(aside + ext);
    }
  }
  // What went back is on disk as it was before; should that not be durable, a later attempt
  // finds the log under either name, whole.
  (void)files.SyncDirectoryOf(base);
  return move;
}

bool PutQsoLogBack(int contestNumber, const QsoLogMove& move, FileIo* io) {
  if (!move.ok || move.aside.empty())
    return move.ok;
  FileIo& files = FilesOf(io);
  const std::string base = DataPath(QsoLogName(contestNumber));
  std::vector<const char*> failed;
  int osError = 0;
  RenameFiles(files, DataPath(move.aside), base, &failed, &osError);
  return failed.empty() && files.SyncDirectoryOf(base).ok();
}

std::string QsoLogNotMovedMessage(int contestNumber, const QsoLogMove& move) {
  std::string names;
  for (const std::string& path : move.stuck)
    names += (names.empty() ? "" : ", ") + FileNameOf(path);
  const std::string number = std::to_string(contestNumber);
  std::string message = ChooseText(
      "Die Dateien des QSO-Logs Nr. " + number + " (" + names + ") konnten nicht umbenannt werden.",
      "The files of QSO log no. " + number + " (" + names + ") could not be renamed.");
  const std::string cause = OsErrorCauseText(move.osError);
  return cause.empty() ? message : message + " " + cause;
}

std::string QsoLogNotPutBackMessage(int contestNumber, const QsoLogMove& move) {
  const std::string number = std::to_string(contestNumber);
  return ChooseText("Das QSO-Log Nr. " + number + " liegt noch unter " + move.aside +
                        ".* und muss von Hand zurückbenannt werden.",
                    "QSO log no. " + number + " is still named " + move.aside +
                        ".* and must be renamed back by hand.");
}

} // namespace tarvik
