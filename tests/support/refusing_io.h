#pragma once
// A FileIo over another one (the POSIX one unless given) that refuses chosen calls, as a
// file system does for a file without permission or a disk that fails: the renames of files
// whose path ends with `refuseRenameOf`, and every directory sync while
// `refuseDirectorySync` is set. Refused calls fail with `osError`.

#include <cerrno>
#include <memory>
#include <string>

#include "recordfile/file_io.h"

namespace tarvik::test {

class RefusingIo final : public FileIo {
public:
  explicit RefusingIo(FileIo& inner = PosixFileIo()) : inner_(inner) {}

  std::string refuseRenameOf; ///< "": none
  bool refuseDirectorySync = false;
  int osError = EACCES;
  int refused = 0; ///< calls refused so far

  IoResult Open(const std::string& path, Mode mode, Lock lock,
                std::unique_ptr<File>* file) override {
    return inner_.Open(path, mode, lock, file);
  }
  bool FileExists(const std::string& path) override { return inner_.FileExists(path); }
  bool DirectoryExists(const std::string& path) override { return inner_.DirectoryExists(path); }
  bool SpecialFileExists(const std::string& path) override {
    return inner_.SpecialFileExists(path);
  }
  IoResult Remove(const std::string& path) override { return inner_.Remove(path); }
  IoResult Rename(const std::string& from, const std::string& to) override {
    if (!refuseRenameOf.empty() && from.ends_with(refuseRenameOf))
      return Refuse();
    return inner_.Rename(from, to);
  }
  IoResult SyncDirectoryOf(const std::string& path) override {
    return refuseDirectorySync ? Refuse() : inner_.SyncDirectoryOf(path);
  }

private:
  IoResult Refuse() {
    ++refused;
    return IoResult(osError);
  }

  FileIo& inner_;
};

} // namespace tarvik::test
