#pragma once
// A FileIo over an in-memory file system whose process "dies" after a given number of
// changing calls: from then on every call that changes something (create, write, truncate,
// sync, rename, remove, directory sync) fails with EIO, as if nothing after that moment had
// happened. Together with MemoryFileIo::Crash this interrupts a run of file work at every
// point in turn.

#include <cerrno>
#include <memory>
#include <string>

#include "recordfile/memory_file_io.h"

namespace tarvik::test {

class DyingFileIo final : public FileIo {
public:
  explicit DyingFileIo(MemoryFileIo& memory) : memory_(memory) {}

  /// After `n` more changing calls every changing call fails; -1: never.
  void DieAfter(long n) {
    left_ = n;
    dead_ = false;
  }
  bool dead() const { return dead_; }
  /// Changing calls made so far.
  long calls() const { return calls_; }

  IoResult Open(const std::string& path, Mode mode, Lock lock,
                std::unique_ptr<File>* file) override {
    const bool changing =
        mode == Mode::kCreate || (mode == Mode::kOpenOrCreate && !memory_.FileExists(path));
    if (changing && !Step())
      return IoResult(EIO);
    std::unique_ptr<File> inner;
    if (IoResult r = memory_.Open(path, mode, lock, &inner); !r.ok())
      return r;
    *file = std::make_unique<DyingFile>(*this, std::move(inner));
    return IoResult::Ok();
  }
  bool FileExists(const std::string& path) override { return memory_.FileExists(path); }
  bool DirectoryExists(const std::string& path) override { return memory_.DirectoryExists(path); }
  IoResult Remove(const std::string& path) override {
    return Step() ? memory_.Remove(path) : IoResult(EIO);
  }
  IoResult Rename(const std::string& from, const std::string& to) override {
    return Step() ? memory_.Rename(from, to) : IoResult(EIO);
  }
  IoResult SyncDirectoryOf(const std::string& path) override {
    return Step() ? memory_.SyncDirectoryOf(path) : IoResult(EIO);
  }

private:
  class DyingFile final : public File {
  public:
    DyingFile(DyingFileIo& io, std::unique_ptr<File> inner) : io_(io), inner_(std::move(inner)) {}
    IoResult ReadAt(std::uint64_t offset, void* buf, std::size_t n, std::size_t* got) override {
      return inner_->ReadAt(offset, buf, n, got);
    }
    IoResult WriteAt(std::uint64_t offset, const void* buf, std::size_t n) override {
      return io_.Step() ? inner_->WriteAt(offset, buf, n) : IoResult(EIO);
    }
    IoResult Size(std::uint64_t* size) override { return inner_->Size(size); }
    IoResult Truncate(std::uint64_t size) override {
      return io_.Step() ? inner_->Truncate(size) : IoResult(EIO);
    }
    IoResult Sync() override { return io_.Step() ? inner_->Sync() : IoResult(EIO); }
    IoResult Close() override { return inner_->Close(); }

  private:
    DyingFileIo& io_;
    std::unique_ptr<File> inner_;
  };

  bool Step() {
    if (dead_)
      return false;
    if (left_ == 0) {
      dead_ = true;
      return false;
    }
    if (left_ > 0)
      --left_;
    ++calls_;
    return true;
  }

  MemoryFileIo& memory_;
  long left_ = -1;
  long calls_ = 0;
  bool dead_ = false;
};

} // namespace tarvik::test
