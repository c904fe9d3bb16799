#pragma once
// The files the program ships beside itself: the manual, the data files a new data
// directory starts with (rules document, title and logo bitmaps). An installed program finds
// them in <prefix>/share/tarvik next to <prefix>/bin; a program in its build folder finds
// the copy the build puts into <build>/share/tarvik.

#include <string>
#include <string_view>
#include <vector>

namespace tarvik {

/// The folder of the running program ("" when the system does not say).
std::string ProgramDirectory();

/// The folders that may hold the shared files, in the order they are tried:
/// <program>/../share/tarvik, <program>/share/tarvik, and the install prefix's share/tarvik
/// the program was built for. After SetSharedFilesDirectory only that folder.
std::vector<std::string> SharedFilesDirectories();

/// Uses `dir` alone as the folder of the shared files ("" returns to the search above).
/// For tests and for a program run from an unusual place.
void SetSharedFilesDirectory(std::string dir);

/// The first folder of SharedFilesDirectories() that holds `relative` (a file or folder),
/// joined with it; "" when none does.
std::string FindSharedFile(std::string_view relative);

} // namespace tarvik
