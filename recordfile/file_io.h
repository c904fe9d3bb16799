#pragma once
// The engine's only door to the file system. The POSIX implementation serves the program;
// the in-memory implementation (memory_file_io.h) lets tests and fuzz targets fail chosen
// calls and simulate a power loss that drops unsynced data.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace tarvik {

/// Outcome of one file call: ok, or the operating system's error code (an errno value).
class [[nodiscard]] IoResult {
public:
  constexpr IoResult() = default;
  constexpr explicit IoResult(int osError) : osError_(osError) {}
  static constexpr IoResult Ok() { return IoResult(); }
  constexpr bool ok() const { return osError_ == 0; }
  constexpr int osError() const { return osError_; }

private:
  int osError_ = 0;
};

/// An open file. Destroying it closes it (and releases its lock) without reporting errors.
class File {
public:
  virtual ~File() = default;
  /// Reads up to `n` bytes at `offset`; `*got` < n only at the end of the file.
  virtual IoResult ReadAt(std::uint64_t offset, void* buf, std::size_t n, std::size_t* got) = 0;
  /// Writes all `n` bytes at `offset`, extending the file (with zeros) as needed.
  virtual IoResult WriteAt(std::uint64_t offset, const void* buf, std::size_t n) = 0;
  virtual IoResult Size(std::uint64_t* size) = 0;
  /// Sets the length; a longer length appends zero bytes.
  virtual IoResult Truncate(std::uint64_t size) = 0;
  /// Makes every byte written so far durable (fdatasync).
  virtual IoResult Sync() = 0;
  /// Closes the file; later calls fail.
  virtual IoResult Close() = 0;
};

class FileIo {
public:
  enum class Mode {
    kReadWrite,    // existing file, read and write
    kReadOnly,     // existing file, read only
    kCreate,       // create, or empty an existing file (after its lock is held)
    kOpenOrCreate, // open for read and write, creating an empty file when missing
  };
  enum class Lock {
    kNone,
    kShared,    // fails with EWOULDBLOCK while another holder has it exclusively
    kExclusive, // fails with EWOULDBLOCK while anyone else holds a lock
  };

  virtual ~FileIo() = default;
  virtual IoResult Open(const std::string& path, Mode mode, Lock lock,
                        std::unique_ptr<File>* file) = 0;
  virtual bool FileExists(const std::string& path) = 0;
  virtual bool DirectoryExists(const std::string& path) = 0;
  /// Whether `path` exists as something other than a plain file or a directory (a device,
  /// a pipe): such a target can be written in place but not replaced. None by default.
  virtual bool SpecialFileExists(const std::string& path) { return false; }
  virtual IoResult Remove(const std::string& path) = 0;
  /// Atomically replaces `to` with `from` when `to` exists.
  virtual IoResult Rename(const std::string& from, const std::string& to) = 0;
  /// Makes creations, renames and removals in the directory of `path` durable.
  virtual IoResult SyncDirectoryOf(const std::string& path) = 0;
};

/// The process-wide POSIX implementation (open/pread/pwrite/fdatasync/flock).
FileIo& PosixFileIo();

/// The directory part of `path` ("." when it has none).
std::string DirectoryOf(const std::string& path);

} // namespace tarvik
