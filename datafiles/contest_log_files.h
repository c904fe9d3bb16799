#pragma once
// The files of a contest's QSO log on disk: KXLK<nnnn> with its data and index files and the
// repair files the engine may leave beside them.
//
// The header file numbers contests one above the highest number present, so a contest added
// after the last one was deleted gets that number again. The QSOs of a deleted contest must
// never turn up in the new one: the files of an old log are renamed to KXLK<nnnn>_DEL<n>.*
// (the first free n), where they stay for the person to look at or throw away. When they
// cannot be renamed, the deletion or the creation of the contest is refused.

#include <string>
#include <vector>

namespace tarvik {

class FileIo;

/// The name the files of a deleted contest's QSO log are moved to: "KXLK0012" becomes
/// "KXLK0012_DEL1" (n = 1).
std::string DeletedLogName(int contestNumber, int n);

/// Whether any file of the QSO log of `contestNumber` exists in the data directory.
/// `io` nullptr: the real file system.
[[nodiscard]] bool QsoLogFilesExist(int contestNumber, FileIo* io = nullptr);

/// What MoveQsoLogAside did.
struct [[nodiscard]] QsoLogMove {
  bool ok = true;
  /// The base name (in the data directory) the files were moved to; "" when there was
  /// nothing to move.
  std::string aside;
  /// After a failure, the files (paths) that could not be renamed (all of the log's files
  /// when only making the renames durable failed), and any that could not be moved back.
  std::vector<std::string> stuck;
  /// The operating system's error of the first call that failed (an errno value; 0: none).
  int osError = 0;
};

/// Renames every file of the QSO log of `contestNumber` to DeletedLogName(number, n) with the
/// first n under which no such file exists, and makes the renames durable. When a rename
/// fails, the files moved already are renamed back, so that the log stays whole under its
/// name, and the result names the files that could not be moved. `io` nullptr: the real file
/// system. REQUIRES: the log's fileblock is not open.
QsoLogMove MoveQsoLogAside(int contestNumber, FileIo* io = nullptr);

/// Renames the files a successful MoveQsoLogAside moved back under the log's name, for an
/// action that failed after the log was moved. True when every file is back.
[[nodiscard]] bool PutQsoLogBack(int contestNumber, const QsoLogMove& move, FileIo* io = nullptr);

/// The message for a move that failed: "Die Dateien des QSO-Logs Nr. 12 (KXLK0012.DAT,
/// KXLK0012.IX) konnten nicht umbenannt werden." with the cause in words, in the current
/// language.
std::string QsoLogNotMovedMessage(int contestNumber, const QsoLogMove& move);

/// The message for a PutQsoLogBack that failed: "Das QSO-Log Nr. 12 liegt noch unter
/// KXLK0012_DEL1.* und muss von Hand zurückbenannt werden." (current language).
std::string QsoLogNotPutBackMessage(int contestNumber, const QsoLogMove& move);

} // namespace tarvik
