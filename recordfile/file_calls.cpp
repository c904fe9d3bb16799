#include "recordfile/file_calls.h"

#include "recordfile/error_channel.h"

namespace tarvik {

namespace {

Status Fail(FileCall call, int osError, bool creating = false, bool pathMissing = false) {
  RecordFileErrors().NoteFileFailure(call, osError);
  return Status(ErrorForFileCall(call, creating, osError, pathMissing));
}

} // namespace

Status ReadSome(File& file, std::uint64_t offset, void* buf, std::size_t n, std::size_t* got) {
  if (IoResult r = file.ReadAt(offset, buf, n, got); !r.ok())
    return Fail(FileCall::kRead, r.osError());
  return Status::Ok();
}

Status ReadExact(File& file, std::uint64_t offset, void* buf, std::size_t n) {
  std::size_t got = 0;
  if (Status s = ReadSome(file, offset, buf, n, &got); !s.ok())
    return s;
  if (got != n)
    return Status(10070);
  return Status::Ok();
}

Status WriteAll(File& file, std::uint64_t offset, const void* buf, std::size_t n) {
  if (IoResult r = file.WriteAt(offset, buf, n); !r.ok())
    return Fail(FileCall::kWrite, r.osError());
  return Status::Ok();
}

Status SyncFile(File& file) {
  if (IoResult r = file.Sync(); !r.ok())
    return Fail(FileCall::kFlush, r.osError());
  return Status::Ok();
}

Status TruncateFile(File& file, std::uint64_t size) {
  if (IoResult r = file.Truncate(size); !r.ok())
    return Fail(FileCall::kWrite, r.osError());
  return Status::Ok();
}

Status FileSize(File& file, std::uint64_t* size) {
  if (IoResult r = file.Size(size); !r.ok())
    return Fail(FileCall::kSize, r.osError());
  return Status::Ok();
}

Status CloseFile(std::unique_ptr<File>& file) {
  if (!file)
    return Status::Ok();
  IoResult r = file->Close();
  file.reset();
  if (!r.ok())
    return Fail(FileCall::kClose, r.osError());
  return Status::Ok();
}

Status OpenFile(FileIo& io, const std::string& path, FileIo::Mode mode, FileIo::Lock lock,
                std::unique_ptr<File>* file) {
  if (IoResult r = io.Open(path, mode, lock, file); !r.ok()) {
    const bool creating = mode == FileIo::Mode::kCreate || mode == FileIo::Mode::kOpenOrCreate;
    return Fail(FileCall::kOpen, r.osError(), creating, !io.DirectoryExists(DirectoryOf(path)));
  }
  return Status::Ok();
}

Status RemoveFile(FileIo& io, const std::string& path) {
  if (IoResult r = io.Remove(path); !r.ok()) {
    return Fail(FileCall::kDelete, r.osError(), false, !io.DirectoryExists(DirectoryOf(path)));
  }
  return Status::Ok();
}

Status RenameFile(FileIo& io, const std::string& from, const std::string& to) {
  if (IoResult r = io.Rename(from, to); !r.ok()) {
    return Fail(FileCall::kRename, r.osError(), false, !io.DirectoryExists(DirectoryOf(from)));
  }
  return Status::Ok();
}

Status SyncDirectory(FileIo& io, const std::string& path) {
  if (IoResult r = io.SyncDirectoryOf(path); !r.ok())
    return Fail(FileCall::kFlush, r.osError());
  return Status::Ok();
}

} // namespace tarvik
