#pragma once
// The text file an output writes: Windows-1252 bytes as they are, every line ended by CR LF,
// an existing file replaced as a whole. The lines go into a temporary file beside the target,
// which takes the target's place only when every byte has been written and synced
// (recordfile/atomic_file.h): a failure on the way (a full disk, a file that went away) leaves
// the old file as it was, is remembered and reported by Close, so that an output whose file is
// incomplete is never announced as written.

#include <string>
#include <string_view>

#include "recordfile/atomic_file.h"

namespace tarvik {

/// Five blanks: the lines of the E-Log QSO list and the QSO lines of the STF and ADIF files
/// start with them.
inline constexpr std::string_view kListIndent = "     ";

class TextFileWriter {
public:
  /// Writes through `io` (which must outlive the writer).
  explicit TextFileWriter(FileIo& io = PosixFileIo()) : file_(io) {}
  TextFileWriter(const TextFileWriter&) = delete;
  TextFileWriter& operator=(const TextFileWriter&) = delete;

  /// Starts the file `path` anew (what was written before and not closed is dropped). Fails
  /// when it cannot be created; the result says why.
  FileWriteResult Create(const std::string& path);
  bool IsOpen() const { return file_.IsOpen(); }

  /// Writes `text` and CR LF.
  void Line(std::string_view text);
  /// Writes the five blanks of a list line, `text` and CR LF.
  void ListLine(std::string_view text);

  /// Puts the file in place of the target. Ok when every byte reached it; otherwise the
  /// target is as it was before Create and the result says why (a writer that is not open
  /// fails with FileWriteStep::kCreate).
  FileWriteResult Close();
  /// Drops what was written: the target stays as it was.
  void Discard() { file_.Discard(); }
  /// False once a write has failed.
  bool Good() const { return file_.Good(); }

private:
  AtomicFileWriter file_;
};

} // namespace tarvik
