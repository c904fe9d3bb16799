#pragma once
// The record-file engine as the program starts, uses and stops it: one process-wide
// engine with a page cache, a budget of open operating-system files, the list of
// fileblock objects and the error channel (error_channel.h). All functions return the
// severity they ended with, like the fileblock operations (fileblock.h).

#include <string>

#include "recordfile/fileblock.h"

namespace tarvik {

class FileIo;

/// 38. Starts the engine with `pageBuffers` page buffers (at least 8: 10000) and a budget
/// of `openFileBudget` open files (more than 6: 28698); twice fails with 28744. `io` is
/// the file system (nullptr: PosixFileIo()). Every other operation before it fails with
/// 28675.
[[nodiscard]] int InitEngine(int pageBuffers = 160, int openFileBudget = 32, FileIo* io = nullptr);
/// 96. Flushes, closes and stops the engine; 28724 while fileblock objects exist.
[[nodiscard]] int ExitEngine();
bool EngineRunning();
/// Whether a fileblock operation is in progress (for example while the engine waits for
/// the answer to one of its questions). Anything that would start another operation from
/// a callback, such as a repaint that reads rows, must leave it for later.
bool EngineBusy();
/// The file system the running engine works on (the one handed to InitEngine), for code
/// that replaces a fileblock's files as a whole. REQUIRES: EngineRunning().
FileIo& EngineFileIo();
/// 68. Flushes and closes the files of every fileblock (the objects stay).
[[nodiscard]] int CloseAll();

/// What CreateFileblock needs to know about a fileblock.
struct FileblockParams {
  std::string name;     // logical name, compared case-insensitively
  std::string fileName; // path without extension; relative names lie in the data directory
  bool variable = false;
  bool createIfMissing = true;
  bool readOnly = false; // opened shared; changes fail with 10065 (the program never sets it)
  int recordLength = 0;  // the section length for variable records
  int numKeys = 0;
  int bufferSize = 0; // 0: the record length
  KeyBuilder keyBuilder;
  int retryBudget = 32;
};

/// 39. Registers a fileblock object; opens nothing. A data file of length 0 is removed
/// first and replaced by a ".ALT" backup when there is one (the index is then rebuilt at
/// the first open). Definition errors are reported at the first open.
[[nodiscard]] Fileblock* CreateFileblock(const FileblockParams& params);
/// 4136. Closes the object's files and unregisters it; `fileblock` is gone afterwards.
[[nodiscard]] int DestroyFileblock(Fileblock* fileblock);
/// 101. The object registered under `name`, or nullptr with severity 1 (12364).
[[nodiscard]] Fileblock* FindFileblock(const std::string& name);

/// Whether `fileblock` is a registered fileblock object (without touching it).
bool IsFileblock(const Fileblock* fileblock);

/// Whether two logical names are equal: letters compare case-insensitively, and the
/// umlauts 0x84, 0x94, 0x81 equal 0x8E, 0x99, 0x9A.
bool SameFileblockName(const std::string& a, const std::string& b);

} // namespace tarvik
