#pragma once
// Fileblocks for the paging tests: a file system that counts data-file reads, and a small
// layout of names with one key.

#include <cstdio>
#include <memory>
#include <string>

#include "recordfile/file_io.h"
#include "recordfile/key_codec.h"
#include "recordfile/memory_file_io.h"
#include "recordfile/record_view.h"
#include "recordfile/tk_browser.h"
#include "support/storage_test_support.h"

namespace tarvik::test {

/// Passes every call to an in-memory file system and counts the reads of data files.
class CountingFileIo final : public FileIo {
public:
  long dataReads = 0;
  MemoryFileIo memory;

  IoResult Open(const std::string& path, Mode mode, Lock lock,
                std::unique_ptr<File>* file) override {
    std::unique_ptr<File> inner;
    const IoResult r = memory.Open(path, mode, lock, &inner);
    if (r.ok()) {
      const bool data = path.size() > 4 && path.compare(path.size() - 4, 4, ".DAT") == 0;
      *file = std::make_unique<Counted>(std::move(inner), data ? &dataReads : nullptr);
    }
    return r;
  }
  bool FileExists(const std::string& path) override { return memory.FileExists(path); }
  bool DirectoryExists(const std::string& path) override { return memory.DirectoryExists(path); }
  IoResult Remove(const std::string& path) override { return memory.Remove(path); }
  IoResult Rename(const std::string& from, const std::string& to) override {
    return memory.Rename(from, to);
  }
  IoResult SyncDirectoryOf(const std::string& path) override {
    return memory.SyncDirectoryOf(path);
  }

private:
  class Counted final : public File {
  public:
    Counted(std::unique_ptr<File> inner, long* reads) : inner_(std::move(inner)), reads_(reads) {}
    IoResult ReadAt(std::uint64_t offset, void* buf, std::size_t n, std::size_t* got) override {
      if (reads_ != nullptr)
        ++*reads_;
      return inner_->ReadAt(offset, buf, n, got);
    }
    IoResult WriteAt(std::uint64_t offset, const void* buf, std::size_t n) override {
      return inner_->WriteAt(offset, buf, n);
    }
    IoResult Size(std::uint64_t* size) override { return inner_->Size(size); }
    IoResult Truncate(std::uint64_t size) override { return inner_->Truncate(size); }
    IoResult Sync() override { return inner_->Sync(); }
    IoResult Close() override { return inner_->Close(); }

  private:
    std::unique_ptr<File> inner_;
    long* reads_;
  };
};

// The name layout (40 bytes): 4 i32 number, 8 str[10] name; key 1 (10) = Pad(name, 10),
// duplicates allowed.
inline constexpr int kNameRecLen = 40;

inline std::string NameKey(const char* record, int key) {
  return key == 1 ? KeyPad(RecordView(record, kNameRecLen).StrAt(8, 10), 10) : std::string();
}

inline std::string NameOf(const char* record) {
  return RecordView(record, kNameRecLen).StrAt(8, 10);
}

/// "A0001" ...
inline std::string Numbered(char letter, int n) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "%c%04d", letter, n);
  return buf;
}

} // namespace tarvik::test
