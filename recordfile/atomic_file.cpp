#include "recordfile/atomic_file.h"

#include <cerrno>
#include <vector>

namespace tarvik {

namespace {

// Whole lists are written at once; a buffer of this size keeps it to few calls.
constexpr std::size_t kBufferSize = 1 << 16;

} // namespace

std::string TemporaryFileFor(const std::string& path) {
  return path + ".tmp";
}

AtomicFileWriter::AtomicFileWriter(FileIo& io) : io_(io) {}

AtomicFileWriter::~AtomicFileWriter() {
  Discard();
}

FileWriteResult AtomicFileWriter::Open(const std::string& path) {
  Discard();
  path_ = path;
  temporary_ = TemporaryFileFor(path);
  failure_ = FileWriteResult::Ok();
  written_ = 0;
  buffer_.clear();
  inPlace_ = io_.SpecialFileExists(path);
  const std::string& target = inPlace_ ? path_ : temporary_;
  // A device is written from its start as it is (it cannot be emptied or replaced); a
  // temporary file is created empty, locked against a second writer of the same file.
  const FileIo::Mode mode = inPlace_ ? FileIo::Mode::kReadWrite : FileIo::Mode::kCreate;
  const FileIo::Lock lock = inPlace_ ? FileIo::Lock::kNone : FileIo::Lock::kExclusive;
  if (IoResult r = io_.Open(target, mode, lock, &file_); !r.ok()) {
    file_.reset();
    return FileWriteResult(FileWriteStep::kCreate, r.osError());
  }
  buffer_.reserve(kBufferSize);
  return FileWriteResult::Ok();
}

void AtomicFileWriter::Fail(FileWriteStep step, int osError) {
  if (failure_.ok())
    failure_ = FileWriteResult(step, osError != 0 ? osError : EIO);
}

FileWriteResult AtomicFileWriter::Flush() {
  if (!failure_.ok() || buffer_.empty())
    return failure_;
  if (IoResult r = file_->WriteAt(written_, buffer_.data(), buffer_.size()); !r.ok())
    Fail(FileWriteStep::kWrite, r.osError());
  else
    written_ += buffer_.size();
  buffer_.clear();
  return failure_;
}

void AtomicFileWriter::Write(std::string_view bytes) {
  if (!file_ || !failure_.ok())
    return;
  if (buffer_.size() + bytes.size() <= kBufferSize) {
    buffer_.append(bytes);
    return;
  }
  if (!Flush().ok())
    return;
  if (bytes.size() < kBufferSize) {
    buffer_.append(bytes);
    return;
  }
  // A piece larger than the buffer goes out at once.
  if (IoResult r = file_->WriteAt(written_, bytes.data(), bytes.size()); !r.ok())
    Fail(FileWriteStep::kWrite, r.osError());
  else
    written_ += bytes.size();
}

void AtomicFileWriter::RemoveTemporary() {
  if (inPlace_)
    return;
  // A temporary file that cannot be removed is harmless: the target is untouched, and the
  // next write of the same file creates it anew. The failure that led here is what counts.
  (void)io_.Remove(temporary_);
}

void AtomicFileWriter::Discard() {
  if (!file_)
    return;
  // Closing a file that is thrown away: an error of it changes nothing.
  (void)file_->Close();
  file_.reset();
  buffer_.clear();
  RemoveTemporary();
}

FileWriteResult AtomicFileWriter::Commit() {
  if (!file_)
    return failure_.ok() ? FileWriteResult(FileWriteStep::kCreate, EBADF) : failure_;
  if (Flush().ok()) {
    if (IoResult r = file_->Sync(); !r.ok()) {
      // A device that cannot be synced (EINVAL: /dev/null, a terminal) has taken the bytes.
      if (!(inPlace_ && r.osError() == EINVAL))
        Fail(FileWriteStep::kSync, r.osError());
    }
  }
  if (!failure_.ok()) {
    Discard();
    return failure_;
  }
  const IoResult closed = file_->Close();
  file_.reset();
  if (!closed.ok()) {
    Fail(FileWriteStep::kClose, closed.osError());
    RemoveTemporary();
    return failure_;
  }
  if (inPlace_)
    return failure_;
  if (IoResult r = io_.Rename(temporary_, path_); !r.ok()) {
    Fail(FileWriteStep::kRename, r.osError());
    RemoveTemporary();
    return failure_;
  }
  if (IoResult r = io_.SyncDirectoryOf(path_); !r.ok())
    Fail(FileWriteStep::kSyncDirectory, r.osError());
  return failure_;
}

FileWriteResult WriteFileAtomically(FileIo& io, const std::string& path, std::string_view bytes) {
  AtomicFileWriter out(io);
  if (FileWriteResult r = out.Open(path); !r.ok())
    return r;
  out.Write(bytes);
  return out.Commit();
}

std::optional<std::string> ReadWholeFile(FileIo& io, const std::string& path) {
  std::unique_ptr<File> file;
  if (!io.FileExists(path) ||
      !io.Open(path, FileIo::Mode::kReadOnly, FileIo::Lock::kNone, &file).ok())
    return std::nullopt;
  std::string bytes;
  std::vector<char> chunk(kBufferSize);
  for (;;) {
    std::size_t got = 0;
    if (!file->ReadAt(bytes.size(), chunk.data(), chunk.size(), &got).ok()) {
      (void)file->Close(); // read only: nothing to lose
      return std::nullopt;
    }
    bytes.append(chunk.data(), got);
    if (got < chunk.size())
      break;
  }
  (void)file->Close(); // read only: nothing to lose
  return bytes;
}

} // namespace tarvik
