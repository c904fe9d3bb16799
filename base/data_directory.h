#pragma once
// The data directory: the working directory at start. Every fileblock, bitmap, rules
// document and report file lives there and is named by its plain file name.

#include <string>

namespace tarvik {

/// Remembers `dir` as the data directory (a trailing "/" is added when missing).
void SetDataDirectory(const std::string& dir);
/// Remembers the current working directory as the data directory.
void RememberWorkingDirectoryAsDataDirectory();
/// The data directory with a trailing "/"; the working directory at first call when none
/// was set.
const std::string& DataDirectory();
/// `name` when it is absolute, else the data directory followed by `name`.
std::string DataPath(const std::string& name);

} // namespace tarvik

namespace tarvik {

/// The path of a companion file in the data directory (rules document, bitmap) by its plain
/// name. The files come from a system whose file names ignore letter case, so when no file
/// has exactly this name, one whose name differs only in case is taken; without either the
/// result is DataPath(name).
std::string FindDataFile(const std::string& name);

} // namespace tarvik
