#include "recordfile/memory_file_io.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <random>

namespace tarvik {

struct MemoryFileIo::Node {
  struct Pending {
    bool truncate;
    std::uint64_t offset; // the new size of a truncation
    std::string bytes;
  };
  std::string data;
  std::string synced;
  std::vector<Pending> pending; // writes since the last sync, in order
  int sharedLocks = 0;
  bool exclusiveLock = false;
};

class MemoryFile final : public File {
public:
  MemoryFile(MemoryFileIo* io, std::shared_ptr<MemoryFileIo::Node> node, FileIo::Lock lock,
             bool readOnly)
      : io_(io), node_(std::move(node)), lock_(lock), readOnly_(readOnly),
        generation_(io->generation_) {}
  ~MemoryFile() override { Release(); }

  IoResult ReadAt(std::uint64_t offset, void* buf, std::size_t n, std::size_t* got) override {
    *got = 0;
    if (!Alive())
      return IoResult(EIO);
    const std::string& d = node_->data;
    if (offset >= d.size())
      return IoResult::Ok();
    const std::size_t take = std::min<std::uint64_t>(n, d.size() - offset);
    std::memcpy(buf, d.data() + offset, take);
    *got = take;
    return IoResult::Ok();
  }

  IoResult WriteAt(std::uint64_t offset, const void* buf, std::size_t n) override {
    if (!Alive())
      return IoResult(EIO);
    if (readOnly_)
      return IoResult(EBADF);
    if (IoResult r = io_->CountWrite(); !r.ok())
      return r;
    std::string& d = node_->data;
    if (d.size() < offset + n)
      d.resize(offset + n, '\0');
    std::memcpy(d.data() + offset, buf, n);
    node_->pending.push_back({false, offset, std::string(static_cast<const char*>(buf), n)});
    return IoResult::Ok();
  }

  IoResult Size(std::uint64_t* size) override {
    if (!Alive())
      return IoResult(EIO);
    *size = node_->data.size();
    return IoResult::Ok();
  }

  IoResult Truncate(std::uint64_t size) override {
    if (!Alive())
      return IoResult(EIO);
    if (readOnly_)
      return IoResult(EBADF);
    if (IoResult r = io_->CountWrite(); !r.ok())
      return r;
    node_->data.resize(size, '\0');
    node_->pending.push_back({true, size, {}});
    return IoResult::Ok();
  }

  IoResult Sync() override {
    if (!Alive())
      return IoResult(EIO);
    if (IoResult r = io_->CountSync(); !r.ok())
      return r;
    node_->synced = node_->data;
    node_->pending.clear();
    return IoResult::Ok();
  }

  IoResult Close() override {
    if (!node_)
      return IoResult(EBADF);
    const bool alive = Alive();
    Release();
    return alive ? IoResult::Ok() : IoResult(EIO);
  }

private:
  bool Alive() const { return node_ && generation_ == io_->generation_; }
  void Release() {
    if (!node_)
      return;
    if (generation_ == io_->generation_) {
      if (lock_ == FileIo::Lock::kShared)
        --node_->sharedLocks;
      if (lock_ == FileIo::Lock::kExclusive)
        node_->exclusiveLock = false;
    }
    node_.reset();
  }

  MemoryFileIo* io_;
  std::shared_ptr<MemoryFileIo::Node> node_;
  FileIo::Lock lock_;
  bool readOnly_;
  long generation_;
};

MemoryFileIo::MemoryFileIo() = default;
MemoryFileIo::~MemoryFileIo() = default;

IoResult MemoryFileIo::Open(const std::string& path, Mode mode, Lock lock,
                            std::unique_ptr<File>* file) {
  auto it = files_.find(path);
  if (it == files_.end()) {
    if (mode != Mode::kCreate && mode != Mode::kOpenOrCreate)
      return IoResult(ENOENT);
    auto node = std::make_shared<Node>();
    if (trackDirectory_)
      directoryChanges_.push_back({"", path, node});
    it = files_.emplace(path, std::move(node)).first;
  }
  Node& node = *it->second;
  if (lock == Lock::kExclusive && (node.exclusiveLock || node.sharedLocks > 0))
    return IoResult(EWOULDBLOCK);
  if (lock == Lock::kShared && node.exclusiveLock)
    return IoResult(EWOULDBLOCK);
  if (mode == Mode::kCreate && !node.data.empty()) {
    node.data.clear();
    node.pending.push_back({true, 0, {}});
  }
  if (lock == Lock::kExclusive)
    node.exclusiveLock = true;
  if (lock == Lock::kShared)
    ++node.sharedLocks;
  *file = std::make_unique<MemoryFile>(this, it->second, lock, mode == Mode::kReadOnly);
  return IoResult::Ok();
}

bool MemoryFileIo::FileExists(const std::string& path) {
  return files_.count(path) != 0;
}

bool MemoryFileIo::DirectoryExists(const std::string&) {
  return true;
}

IoResult MemoryFileIo::Remove(const std::string& path) {
  if (files_.count(path) == 0)
    return IoResult(ENOENT);
  NoteDirectoryChange(path, "");
  files_.erase(path);
  return IoResult::Ok();
}

IoResult MemoryFileIo::Rename(const std::string& from, const std::string& to) {
  auto it = files_.find(from);
  if (it == files_.end())
    return IoResult(ENOENT);
  NoteDirectoryChange(from, to);
  auto node = it->second;
  files_.erase(it);
  files_[to] = std::move(node);
  return IoResult::Ok();
}

IoResult MemoryFileIo::SyncDirectoryOf(const std::string&) {
  if (trackDirectory_) {
    durable_ = files_;
    directoryChanges_.clear();
  }
  return IoResult::Ok();
}

void MemoryFileIo::TrackDirectoryChanges(bool on) {
  trackDirectory_ = on;
  durable_ = files_;
  directoryChanges_.clear();
}

void MemoryFileIo::NoteDirectoryChange(std::string from, std::string to) {
  if (trackDirectory_)
    directoryChanges_.push_back({std::move(from), std::move(to), nullptr});
}

void MemoryFileIo::SetFile(const std::string& path, const std::string& bytes) {
  auto& node = files_[path];
  if (!node)
    node = std::make_shared<Node>();
  node->data = bytes;
  node->synced = bytes;
  node->pending.clear();
  if (trackDirectory_)
    durable_[path] = node;
}

std::string MemoryFileIo::FileContents(const std::string& path) const {
  const auto it = files_.find(path);
  return it == files_.end() ? std::string() : it->second->data;
}

std::vector<std::string> MemoryFileIo::FileNames() const {
  std::vector<std::string> names;
  for (const auto& [name, node] : files_)
    names.push_back(name);
  return names;
}

void MemoryFileIo::FailWritesAfter(long n, int osError) {
  writesLeft_ = n;
  writeError_ = osError;
}

void MemoryFileIo::FailSyncsAfter(long n, int osError) {
  syncsLeft_ = n;
  syncError_ = osError;
}

IoResult MemoryFileIo::CountWrite() {
  if (writesLeft_ == 0)
    return IoResult(writeError_);
  if (writesLeft_ > 0)
    --writesLeft_;
  ++writes_;
  return IoResult::Ok();
}

IoResult MemoryFileIo::CountSync() {
  if (syncsLeft_ == 0)
    return IoResult(syncError_);
  if (syncsLeft_ > 0)
    --syncsLeft_;
  ++syncs_;
  return IoResult::Ok();
}

void MemoryFileIo::Crash(Loss loss, unsigned seed) {
  ++generation_;
  std::mt19937 rng(seed);
  if (trackDirectory_ && loss != Loss::kNone) {
    // The directory as of its last sync, plus the earlier of the operations since.
    const std::size_t kept =
        loss == Loss::kSome ? rng() % (directoryChanges_.size() + 1) : std::size_t{0};
    Directory directory = durable_;
    for (std::size_t i = 0; i < kept; ++i) {
      const DirectoryChange& c = directoryChanges_[i];
      if (c.from.empty()) {
        directory[c.to] = c.node;
        continue;
      }
      const auto it = directory.find(c.from);
      if (it == directory.end())
        continue;
      auto node = it->second;
      directory.erase(it);
      if (!c.to.empty())
        directory[c.to] = std::move(node);
    }
    files_ = std::move(directory);
  }
  if (trackDirectory_) {
    directoryChanges_.clear();
  }
  for (auto& [name, node] : files_) {
    if (loss != Loss::kNone) {
      std::string data = node->synced;
      for (const Node::Pending& p : node->pending) {
        if (loss == Loss::kUnsynced || rng() % 2 == 0)
          continue;
        if (p.truncate) {
          data.resize(p.offset, '\0');
        } else {
          if (data.size() < p.offset + p.bytes.size())
            data.resize(p.offset + p.bytes.size(), '\0');
          std::copy(p.bytes.begin(), p.bytes.end(),
                    data.begin() + static_cast<std::ptrdiff_t>(p.offset));
        }
      }
      node->data = std::move(data);
    }
    node->synced = node->data;
    node->pending.clear();
    node->sharedLocks = 0;
    node->exclusiveLock = false;
  }
  if (trackDirectory_)
    durable_ = files_;
}

} // namespace tarvik
