#pragma once
// The fileblock commands of tarvik-tool, for the people who keep the data files:
//   check NAME           verify a fileblock's files; exit 1 on damage, else print "ok"
//   dump NAME [--key K]  list the entries of key K (default 1) in key order with records
//   repair NAME          reorganise the data file and rebuild every key
// NAME is the path of the files without extension; its directory is the data directory,
// which each command locks for its whole run (a run beside the program, or beside another
// run, is refused at once).

#include <ostream>
#include <string>
#include <vector>

namespace tarvik {

class FileIo;

/// Runs the command in `args` (args[0] is the command). Returns the exit code, or -1 when
/// args[0] is not a fileblock command.
[[nodiscard]] int RunStorageToolCommand(const std::vector<std::string>& args, std::ostream& out,
                                        std::ostream& err);
/// The same on a given file system (tests).
[[nodiscard]] int RunStorageToolCommand(const std::vector<std::string>& args, std::ostream& out,
                                        std::ostream& err, FileIo& io);

/// The check of `name`'s files without taking the directory's lock, for a command that
/// holds it already.
[[nodiscard]] int CheckFileblockCommand(const std::string& name, std::ostream& out,
                                        std::ostream& err, FileIo& io);

/// The data directory of a fileblock named by its path without extension.
std::string DataDirectoryOfFileblock(const std::string& name);

/// Usage lines of the fileblock commands.
const char* StorageToolUsage();

} // namespace tarvik
