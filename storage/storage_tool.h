#pragma once
// The fileblock commands of tarvik-tool, for the people who keep the data files:
//   check NAME           verify a fileblock's files; exit 1 on damage, else print "ok"
//   dump NAME [--key K]  list the entries of key K (default 1) in key order with records
//   repair NAME          reorganise the data file and rebuild every key
// NAME is the path of the files without extension.

#include <ostream>
#include <string>
#include <vector>

namespace tarvik {

class FileIo;

/// Runs the command in `args` (args[0] is the command). Returns the exit code, or -1 when
/// args[0] is not a fileblock command.
int RunStorageToolCommand(const std::vector<std::string>& args, std::ostream& out,
                          std::ostream& err);
/// The same on a given file system (tests).
int RunStorageToolCommand(const std::vector<std::string>& args, std::ostream& out,
                          std::ostream& err, FileIo& io);

/// Usage lines of the fileblock commands.
const char* StorageToolUsage();

} // namespace tarvik
