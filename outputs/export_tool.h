#pragma once
// The command of tarvik-tool that writes the file outputs of a contest without the windows:
//   export --kind stf|adif|csv|all CONTEST_NUMBER OUTFILE [--rst-only yes|no] [--data DIR]
//       writes the STF file, the ADIF export, the CSV export or the E-Log QSO list (.ALL) of
//       contest CONTEST_NUMBER to OUTFILE, byte for byte as the header window's output menu
//       writes it; --rst-only answers the ADIF question "only the RS(T) of the exchange?"
//       (default yes). The kind txt (the E-Log whole file) is not available in this version.
// The data directory is DIR, or the working directory as for the program.

#include <ostream>
#include <string>
#include <vector>

namespace tarvik {

/// Runs `args` (args[0] is the command); the exit code (0 written, 1 failed, 2 wrong
/// arguments), or -1 when the command is not "export".
int RunExportToolCommand(const std::vector<std::string>& args, std::ostream& out,
                         std::ostream& err);

/// Usage lines of the command.
const char* ExportToolUsage();

} // namespace tarvik
