#pragma once
// Writing a whole file so that it is replaced completely or not at all: the text files the
// program writes (outputs, lists, notes, the member list) go through here.
//
// The new contents go into a temporary file beside the target (TemporaryFileFor), which is
// synced, closed and renamed over the target; then the directory is synced, so that the
// rename survives a power loss too. Until the rename the target is untouched; the rename is
// atomic, so a reader or a crash finds either the old file (or none) or the complete new
// one, never a part. When a step fails, the temporary file is removed and the result names
// the step and the operating system's error, so that a message can say why ("the disk is
// full", "permission denied", "in use by another program").
//
// A target that exists as something other than a plain file or a directory (a device such
// as a printer port, a pipe) cannot be replaced: it is opened and written in place. A
// symbolic link in the target's place is replaced by the new file (what it pointed to stays),
// and the new file has the usual permissions of a new file, not those of the old one.
//
// All calls go through the FileIo the caller hands in, so tests can fail any of them.

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "recordfile/file_io.h"

namespace tarvik {

/// The file call of a write that failed.
enum class FileWriteStep {
  kNone,          ///< nothing failed
  kCreate,        ///< creating the temporary file (or opening a device)
  kWrite,         ///< writing the contents
  kSync,          ///< making the contents durable
  kClose,         ///< closing the temporary file
  kRename,        ///< putting the temporary file in the target's place
  kSyncDirectory, ///< making the rename durable (the target holds the new contents)
};

/// Outcome of writing a file: ok, or the failed step with the operating system's error.
class [[nodiscard]] FileWriteResult {
public:
  constexpr FileWriteResult() = default;
  constexpr FileWriteResult(FileWriteStep step, int osError) : step_(step), osError_(osError) {}
  static constexpr FileWriteResult Ok() { return FileWriteResult(); }

  constexpr bool ok() const { return step_ == FileWriteStep::kNone; }
  constexpr FileWriteStep step() const { return step_; }
  /// The errno value of the failed call (0 when ok).
  constexpr int osError() const { return osError_; }
  /// Whether the target holds the new contents: on success, and when only the final
  /// directory sync failed (the contents are in place, but a power loss might undo it).
  constexpr bool replaced() const {
    return step_ == FileWriteStep::kNone || step_ == FileWriteStep::kSyncDirectory;
  }

private:
  FileWriteStep step_ = FileWriteStep::kNone;
  int osError_ = 0;
};

/// The temporary file the new contents of `path` are written to: `path` + ".tmp".
std::string TemporaryFileFor(const std::string& path);

/// A file written from start to end and then put in place (see the top of this file).
/// Writes are buffered; the first failure is remembered and returned by Commit.
///
///   AtomicFileWriter out(io);
///   if (FileWriteResult r = out.Open(path); !r.ok()) ...
///   out.Write("line\r\n"); ...
///   if (FileWriteResult r = out.Commit(); !r.ok()) ...   // else the file is replaced
///
/// Destroying an open writer without Commit discards what was written: the target stays.
class AtomicFileWriter {
public:
  /// `io` must outlive the writer.
  explicit AtomicFileWriter(FileIo& io);
  ~AtomicFileWriter();
  AtomicFileWriter(const AtomicFileWriter&) = delete;
  AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;

  /// Starts a new file for `path` (discarding one begun before): creates the temporary file,
  /// locked exclusively. Fails with kCreate when it cannot be created (a missing directory,
  /// no permission, another writer of the same file).
  FileWriteResult Open(const std::string& path);
  bool IsOpen() const { return file_ != nullptr; }

  /// Appends `bytes`. After a failure later writes do nothing; Commit reports the failure.
  void Write(std::string_view bytes);
  /// False once a write has failed.
  bool Good() const { return failure_.ok(); }

  /// Writes what is buffered, syncs, closes and renames the temporary file over the target
  /// and syncs the directory. On a failure before the rename the target is unchanged and the
  /// temporary file removed. The writer is closed afterwards. Fails with kCreate when the
  /// writer was not open.
  FileWriteResult Commit();

  /// Closes the writer and removes the temporary file; the target is unchanged (a device
  /// target keeps what was written to it). Nothing happens when the writer is not open.
  void Discard();

private:
  FileWriteResult Flush();
  void Fail(FileWriteStep step, int osError);
  void RemoveTemporary();

  FileIo& io_;
  std::string path_;
  std::string temporary_;
  bool inPlace_ = false; // a device written in place: no temporary file, no rename
  std::unique_ptr<File> file_;
  std::string buffer_;
  std::uint64_t written_ = 0;
  FileWriteResult failure_;
};

/// Replaces the file `path` by `bytes` (written as they are) through an AtomicFileWriter.
FileWriteResult WriteFileAtomically(FileIo& io, const std::string& path, std::string_view bytes);

/// The whole file `path` as bytes, read through `io`; nullopt when it cannot be read (a
/// missing file included).
[[nodiscard]] std::optional<std::string> ReadWholeFile(FileIo& io, const std::string& path);

} // namespace tarvik
