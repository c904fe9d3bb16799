#include "recordfile/data_directory_lock.h"

#include <cerrno>
#include <unistd.h>

namespace tarvik {

namespace {

/// The holder's text of a lock file that someone else holds: its first line, or "".
std::string ReadHolder(FileIo& io, const std::string& path) {
  std::unique_ptr<File> file;
  if (!io.Open(path, FileIo::Mode::kReadOnly, FileIo::Lock::kNone, &file).ok())
    return "";
  std::string text(200, '\0');
  std::size_t got = 0;
  if (!file->ReadAt(0, text.data(), text.size(), &got).ok())
    got = 0;
  (void)file->Close(); // read only: nothing to lose
  text.resize(got);
  const auto end = text.find_first_of("\r\n");
  if (end != std::string::npos)
    text.resize(end);
  for (char& c : text) {
    if (static_cast<unsigned char>(c) < 0x20)
      c = ' ';
  }
  return text;
}

} // namespace

std::string WithTrailingSlash(const std::string& directory) {
  if (directory.empty())
    return "./";
  return directory.back() == '/' ? directory : directory + "/";
}

DataDirectoryLock::Outcome DataDirectoryLock::Acquire(FileIo& io, const std::string& directory,
                                                      const std::string& holder,
                                                      std::unique_ptr<DataDirectoryLock>* lock,
                                                      Refusal* refusal) {
  const std::string dir = WithTrailingSlash(directory);
  const std::string path = dir + kDataDirectoryLockFile;
  *refusal = Refusal();
  if (!io.DirectoryExists(dir)) {
    refusal->outcome = Outcome::kNoDirectory;
    refusal->osError = ENOENT;
    return refusal->outcome;
  }
  std::unique_ptr<File> file;
  if (IoResult r = io.Open(path, FileIo::Mode::kOpenOrCreate, FileIo::Lock::kExclusive, &file);
      !r.ok()) {
    refusal->osError = r.osError();
    if (r.osError() == EWOULDBLOCK || r.osError() == EAGAIN) {
      refusal->outcome = Outcome::kInUse;
      refusal->holder = ReadHolder(io, path);
    } else if (r.osError() == ENOENT || r.osError() == ENOTDIR) {
      refusal->outcome = Outcome::kNoDirectory;
    } else {
      refusal->outcome = Outcome::kFailed;
    }
    return refusal->outcome;
  }
  // The holder's name is only information for a refused run: a failure to write it (a full
  // disk) does not make the lock less ours.
  const std::string text = holder + ", PID " + std::to_string(::getpid()) + "\r\n";
  if (file->Truncate(0).ok())
    (void)file->WriteAt(0, text.data(), text.size());
  lock->reset(new DataDirectoryLock(dir, std::move(file)));
  return Outcome::kHeld;
}

DataDirectoryLock::DataDirectoryLock(std::string directory, std::unique_ptr<File> file)
    : directory_(std::move(directory)), file_(std::move(file)) {}

DataDirectoryLock::~DataDirectoryLock() {
  // Releasing cannot fail in a way anyone could act on; the lock goes with the file.
  (void)file_->Truncate(0);
  (void)file_->Close();
}

} // namespace tarvik
