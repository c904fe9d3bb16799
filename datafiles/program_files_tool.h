#pragma once
// The commands of tarvik-tool that know the program's files (program_files.h):
//   check NAME             the file check of the storage commands, and then, for a program
//                          file known by its name (KXKK, KXLK0001, KXPREFIX ...), every
//                          entry of every key against the key builder, and every record
//                          against every key
//   dump NAME --fields [--key K]
//                          the entries of key K with their records field by field (QSO
//                          logs, contest headers and prefix tables)
// Every other command, and dump without --fields, is left to the storage commands.

#include <ostream>
#include <string>
#include <vector>

namespace tarvik {

class FileIo;

/// Runs `args` (args[0] is the command); the exit code, or -1 when the command is not one
/// of the above.
[[nodiscard]] int RunProgramFilesToolCommand(const std::vector<std::string>& args,
                                             std::ostream& out, std::ostream& err);
[[nodiscard]] int RunProgramFilesToolCommand(const std::vector<std::string>& args,
                                             std::ostream& out, std::ostream& err, FileIo& io);

/// Usage lines of the commands above.
const char* ProgramFilesToolUsage();

} // namespace tarvik
