#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include "recordfile/file_io.h"

namespace tarvik {

namespace {

int LastError() {
  return errno != 0 ? errno : EIO;
}

class PosixFile final : public File {
public:
  explicit PosixFile(int fd) : fd_(fd) {}
  ~PosixFile() override {
    if (fd_ >= 0)
      ::close(fd_);
  }

  IoResult ReadAt(std::uint64_t offset, void* buf, std::size_t n, std::size_t* got) override {
    auto* p = static_cast<char*>(buf);
    std::size_t done = 0;
    while (done < n) {
      const ssize_t r = ::pread(fd_, p + done, n - done, static_cast<off_t>(offset + done));
      if (r < 0) {
        if (errno == EINTR)
          continue;
        *got = done;
        return IoResult(LastError());
      }
      if (r == 0)
        break;
      done += static_cast<std::size_t>(r);
    }
    *got = done;
    return IoResult::Ok();
  }

  IoResult WriteAt(std::uint64_t offset, const void* buf, std::size_t n) override {
    const auto* p = static_cast<const char*>(buf);
    std::size_t done = 0;
    while (done < n) {
      const ssize_t r = ::pwrite(fd_, p + done, n - done, static_cast<off_t>(offset + done));
      if (r < 0) {
        if (errno == EINTR)
          continue;
        return IoResult(LastError());
      }
      if (r == 0)
        return IoResult(ENOSPC);
      done += static_cast<std::size_t>(r);
    }
    return IoResult::Ok();
  }

  IoResult Size(std::uint64_t* size) override {
    struct stat st {};
    if (::fstat(fd_, &st) != 0)
      return IoResult(LastError());
    *size = static_cast<std::uint64_t>(st.st_size);
    return IoResult::Ok();
  }

  IoResult Truncate(std::uint64_t size) override {
    while (::ftruncate(fd_, static_cast<off_t>(size)) != 0) {
      if (errno != EINTR)
        return IoResult(LastError());
    }
    return IoResult::Ok();
  }

  IoResult Sync() override {
    while (::fdatasync(fd_) != 0) {
      if (errno != EINTR)
        return IoResult(LastError());
    }
    return IoResult::Ok();
  }

  IoResult Close() override {
    if (fd_ < 0)
      return IoResult(EBADF);
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0 && errno != EINTR)
      return IoResult(LastError());
    return IoResult::Ok();
  }

private:
  int fd_;
};

class Posix final : public FileIo {
public:
  IoResult Open(const std::string& path, Mode mode, Lock lock,
                std::unique_ptr<File>* file) override {
    int flags = O_CLOEXEC;
    switch (mode) {
    case Mode::kReadWrite:
      flags |= O_RDWR;
      break;
    case Mode::kReadOnly:
      flags |= O_RDONLY;
      break;
    case Mode::kCreate:
    case Mode::kOpenOrCreate:
      flags |= O_RDWR | O_CREAT;
      break;
    }
    int fd;
    do {
      fd = ::open(path.c_str(), flags, 0644);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0)
      return IoResult(LastError());
    // Lock before emptying, so that creating over a file another process holds never
    // destroys its contents.
    if (lock != Lock::kNone) {
      const int op = (lock == Lock::kShared ? LOCK_SH : LOCK_EX) | LOCK_NB;
      int rc;
      do {
        rc = ::flock(fd, op);
      } while (rc != 0 && errno == EINTR);
      if (rc != 0) {
        const int err = LastError();
        ::close(fd);
        return IoResult(err);
      }
    }
    if (mode == Mode::kCreate && ::ftruncate(fd, 0) != 0) {
      const int err = LastError();
      ::close(fd);
      return IoResult(err);
    }
    *file = std::make_unique<PosixFile>(fd);
    return IoResult::Ok();
  }

  bool FileExists(const std::string& path) override {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
  }

  bool DirectoryExists(const std::string& path) override {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
  }

  bool SpecialFileExists(const std::string& path) override {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && !S_ISREG(st.st_mode) && !S_ISDIR(st.st_mode);
  }

  IoResult Remove(const std::string& path) override {
    if (::unlink(path.c_str()) != 0)
      return IoResult(LastError());
    return IoResult::Ok();
  }

  IoResult Rename(const std::string& from, const std::string& to) override {
    if (::rename(from.c_str(), to.c_str()) != 0)
      return IoResult(LastError());
    return IoResult::Ok();
  }

  IoResult SyncDirectoryOf(const std::string& path) override {
    const int fd = ::open(DirectoryOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
      return IoResult(LastError());
    int rc;
    do {
      rc = ::fsync(fd);
    } while (rc != 0 && errno == EINTR);
    const int err = rc != 0 ? LastError() : 0;
    ::close(fd);
    return IoResult(err);
  }
};

} // namespace

FileIo& PosixFileIo() {
  static Posix io;
  return io;
}

std::string DirectoryOf(const std::string& path) {
  const auto slash = path.rfind('/');
  if (slash == std::string::npos)
    return ".";
  if (slash == 0)
    return "/";
  return path.substr(0, slash);
}

} // namespace tarvik
