#pragma once
// A FileIo over an in-memory file system that counts every file call that can fail (open,
// remove, rename, directory sync, and read, write, size, truncate, sync, close of an open
// file) and fails the n-th one: either that call alone (a passing error; later calls work
// again) or that call and every later one (the process died there). With the second, a
// MemoryFileIo::Crash afterwards drops what was not synced, as a power loss would.

#include <cerrno>
#include <memory>
#include <string>

#include "recordfile/memory_file_io.h"

namespace tarvik::test {

class CallFaultFileIo final : public FileIo {
public:
  enum class Fault {
    kOnce,    // only the n-th call fails
    kForever, // the n-th call and all after it fail
  };

  explicit CallFaultFileIo(MemoryFileIo& memory) : memory_(memory) {}

  /// Fails the `n`-th call from now (n >= 1) with `osError`; 0: no fault.
  void FailAt(long n, Fault fault, int osError = EIO) {
    failAt_ = n;
    fault_ = fault;
    osError_ = osError;
    calls_ = 0;
    reached_ = false;
  }
  /// Calls counted since FailAt.
  long calls() const { return calls_; }
  /// Whether the failing call was reached.
  bool reached() const { return reached_; }

  IoResult Open(const std::string& path, Mode mode, Lock lock,
                std::unique_ptr<File>* file) override {
    if (!Step())
      return IoResult(osError_);
    std::unique_ptr<File> inner;
    if (IoResult r = memory_.Open(path, mode, lock, &inner); !r.ok())
      return r;
    *file = std::make_unique<FaultFile>(*this, std::move(inner));
    return IoResult::Ok();
  }
  bool FileExists(const std::string& path) override { return memory_.FileExists(path); }
  bool DirectoryExists(const std::string& path) override { return memory_.DirectoryExists(path); }
  IoResult Remove(const std::string& path) override {
    return Step() ? memory_.Remove(path) : IoResult(osError_);
  }
  IoResult Rename(const std::string& from, const std::string& to) override {
    return Step() ? memory_.Rename(from, to) : IoResult(osError_);
  }
  IoResult SyncDirectoryOf(const std::string& path) override {
    return Step() ? memory_.SyncDirectoryOf(path) : IoResult(osError_);
  }

private:
  class FaultFile final : public File {
  public:
    FaultFile(CallFaultFileIo& io, std::unique_ptr<File> inner)
        : io_(io), inner_(std::move(inner)) {}
    IoResult ReadAt(std::uint64_t offset, void* buf, std::size_t n, std::size_t* got) override {
      *got = 0;
      return io_.Step() ? inner_->ReadAt(offset, buf, n, got) : IoResult(io_.osError_);
    }
    IoResult WriteAt(std::uint64_t offset, const void* buf, std::size_t n) override {
      return io_.Step() ? inner_->WriteAt(offset, buf, n) : IoResult(io_.osError_);
    }
    IoResult Size(std::uint64_t* size) override {
      return io_.Step() ? inner_->Size(size) : IoResult(io_.osError_);
    }
    IoResult Truncate(std::uint64_t size) override {
      return io_.Step() ? inner_->Truncate(size) : IoResult(io_.osError_);
    }
    IoResult Sync() override { return io_.Step() ? inner_->Sync() : IoResult(io_.osError_); }
    IoResult Close() override {
      // A close that fails still gives the file up, as close(2) does.
      const bool ok = io_.Step();
      const IoResult r = inner_->Close();
      return ok ? r : IoResult(io_.osError_);
    }

  private:
    CallFaultFileIo& io_;
    std::unique_ptr<File> inner_;
  };

  bool Step() {
    ++calls_;
    if (failAt_ <= 0)
      return true;
    if (calls_ == failAt_) {
      reached_ = true;
      return false;
    }
    return !(reached_ && fault_ == Fault::kForever);
  }

  MemoryFileIo& memory_;
  long failAt_ = 0;
  Fault fault_ = Fault::kOnce;
  int osError_ = EIO;
  long calls_ = 0;
  bool reached_ = false;
};

} // namespace tarvik::test
