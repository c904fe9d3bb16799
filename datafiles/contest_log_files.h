#pragma once
// The files of a contest's QSO log on disk: KXLK<nnnn> with its data and index files and the
// repair files the engine may leave beside them.
//
// The header file numbers contests one above the highest number present, so a contest added
// after the last one was deleted gets that number again. The QSOs of a deleted contest must
// never turn up in the new one: the files of an old log are renamed to KXLK<nnnn>_DEL<n>.*
// (the first free n), where they stay for the person to look at or throw away.

#include <string>

namespace tarvik {

class FileIo;

/// The name the files of a deleted contest's QSO log are moved to: "KXLK0012" becomes
/// "KXLK0012_DEL1" (n = 1).
std::string DeletedLogName(int contestNumber, int n);

/// Whether any file of the QSO log of `contestNumber` exists in the data directory.
/// `io` nullptr: the real file system.
bool QsoLogFilesExist(int contestNumber, FileIo* io = nullptr);

/// Renames every file of the QSO log of `contestNumber` to DeletedLogName(number, n) with the
/// first n under which no such file exists. True when there was nothing to move or all files
/// were moved. REQUIRES: the log's fileblock is not open.
bool MoveQsoLogAside(int contestNumber, FileIo* io = nullptr);

} // namespace tarvik
