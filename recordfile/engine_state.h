#pragma once
// Internal: the process-wide state behind engine.h, shared by the fileblock operations.

#include <algorithm>
#include <cstdint>
#include <deque>
#include <list>
#include <memory>
#include <vector>

#include "recordfile/fileblock.h"
#include "recordfile/page_cache.h"

namespace tarvik {

class FileIo;

class Engine {
public:
  Engine(int pageBuffers, int openFileBudget, FileIo& io)
      : cache_(pageBuffers), budget_(openFileBudget), io_(io) {}

  PageCache& cache() { return cache_; }
  FileIo& io() { return io_; }
  bool busy() const { return busy_; }
  void SetBusy(bool busy) { busy_ = busy; }

  bool IsRegistered(const Fileblock* fb) const;
  void Register(std::unique_ptr<Fileblock> fb) { fileblocks_.push_back(std::move(fb)); }
  std::unique_ptr<Fileblock> Unregister(Fileblock* fb);
  const std::vector<std::unique_ptr<Fileblock>>& fileblocks() const { return fileblocks_; }

  /// Makes room for `slots` more open files by closing the least recently used other
  /// fileblocks; false when the budget cannot be met.
  [[nodiscard]] bool MakeRoom(const Fileblock* opening, int slots);
  void Opened(Fileblock* fb, int slots);
  void Closed(Fileblock* fb);
  /// Moves an open fileblock to the most recently used end.
  void Touch(Fileblock* fb);

  /// Fingerprints of the contents of data and index files whose index agrees with their
  /// data: found so by a comparison, or left so by this engine, which opened them agreeing
  /// and changed them only by its own operations. Byte-identical files need no second
  /// comparison while the engine runs (the key builders do not change meanwhile). The
  /// newest kAgreeingKept are kept.
  bool KnownAgreeing(std::uint64_t fingerprint) const {
    return std::find(agreeing_.begin(), agreeing_.end(), fingerprint) != agreeing_.end();
  }
  void NoteAgreeing(std::uint64_t fingerprint) {
    if (KnownAgreeing(fingerprint))
      return;
    if (agreeing_.size() >= kAgreeingKept)
      agreeing_.pop_front();
    agreeing_.push_back(fingerprint);
  }

private:
  struct OpenSlot {
    Fileblock* fileblock;
    int slots;
  };
  PageCache cache_;
  int budget_;
  FileIo& io_;
  bool busy_ = false;
  std::vector<std::unique_ptr<Fileblock>> fileblocks_;
  std::list<OpenSlot> ring_; // least recently used first
  int used_ = 0;
  static constexpr std::size_t kAgreeingKept = 64;
  std::deque<std::uint64_t> agreeing_;
};

/// The running engine, nullptr before InitEngine.
Engine* RunningEngine();

} // namespace tarvik
