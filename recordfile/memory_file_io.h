#pragma once
// An in-memory file system behind the FileIo interface, with fault injection: fail the
// n-th write or sync, or simulate a power loss in which every file falls back to what it
// held at its last sync. Tests and fuzz targets use it; the program uses PosixFileIo().
// Directory operations (create, rename, remove) are durable at once, unless
// TrackDirectoryChanges is on: then a power loss also undoes the directory operations made
// since the last SyncDirectoryOf (all of them, or the later ones: a journalling file system
// keeps them in order). The whole file system counts as one directory.

#include <map>
#include <string>
#include <vector>

#include "recordfile/file_io.h"

namespace tarvik {

class MemoryFileIo final : public FileIo {
public:
  MemoryFileIo();
  ~MemoryFileIo() override;

  IoResult Open(const std::string& path, Mode mode, Lock lock,
                std::unique_ptr<File>* file) override;
  bool FileExists(const std::string& path) override;
  bool DirectoryExists(const std::string& path) override;
  IoResult Remove(const std::string& path) override;
  IoResult Rename(const std::string& from, const std::string& to) override;
  IoResult SyncDirectoryOf(const std::string& path) override;

  /// Creates or replaces a file with `bytes`, as if written and synced.
  void SetFile(const std::string& path, const std::string& bytes);
  /// The current contents of a file ("" when missing).
  std::string FileContents(const std::string& path) const;
  /// Paths of all files, sorted.
  std::vector<std::string> FileNames() const;

  /// After `n` more successful writes (WriteAt or Truncate), every write fails with
  /// `osError` until FailWritesAfter(-1). Counting starts now.
  void FailWritesAfter(long n, int osError = 5 /* EIO */);
  /// The same for Sync.
  void FailSyncsAfter(long n, int osError = 5 /* EIO */);
  /// Writes and syncs performed so far.
  long writeCount() const { return writes_; }
  long syncCount() const { return syncs_; }

  /// With `on`, creations, renames and removals become durable only at the next
  /// SyncDirectoryOf; Crash then undoes those made since (see Loss).
  void TrackDirectoryChanges(bool on);

  /// What survives a crash of the files' unsynced writes.
  enum class Loss {
    kUnsynced, // a power loss: every file returns to its contents at its last Sync, and
               // tracked directory operations since the last directory sync are undone
    kSome,     // a power loss: each unsynced write survives or not, by `seed`; of the
               // tracked directory operations the earlier ones up to a point chosen by
               // `seed` survive
    kNone,     // the process dies: everything written stays
  };
  /// Simulates a crash: files lose what `loss` says, all locks are released, and files
  /// opened before fail every later call with EIO.
  void Crash(Loss loss = Loss::kUnsynced, unsigned seed = 0);

  struct Node;

private:
  friend class MemoryFile;
  IoResult CountWrite();
  IoResult CountSync();
  /// Notes a directory operation about to change `files_` (when tracking).
  void NoteDirectoryChange(std::string from, std::string to);

  using Directory = std::map<std::string, std::shared_ptr<Node>>;
  /// A directory operation since the last directory sync: `from` renamed to `to`; an
  /// empty `from` creates `to` (with `node`), an empty `to` removes `from`.
  struct DirectoryChange {
    std::string from;
    std::string to;
    std::shared_ptr<Node> node;
  };

  Directory files_;
  bool trackDirectory_ = false;
  Directory durable_; // the directory as of the last directory sync (when tracking)
  std::vector<DirectoryChange> directoryChanges_;
  long generation_ = 0;
  long writes_ = 0;
  long syncs_ = 0;
  long writesLeft_ = -1;
  long syncsLeft_ = -1;
  int writeError_ = 5;
  int syncError_ = 5;
};

} // namespace tarvik
