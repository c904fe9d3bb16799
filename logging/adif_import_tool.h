#pragma once
// The command of tarvik-tool that imports an ADIF file into a contest without the windows:
//   import-adif CONTEST_NUMBER FILE [--map ADIF=LOGFIELD ...] [--no-check] [--data DIR]
// imports every record of FILE into the log of contest CONTEST_NUMBER with the rules of the
// log window's import: --map assigns the file's field ADIF to the log field LOGFIELD (CALL,
// QSO_DATE, TIME_ON, RST_SENT, RST_RCVD, BAND, FREQ, MODE or one of the contest's
// multiplier labels such as DOK or Loc); --no-check skips the mode and band checks. The
// summary goes to the standard output, the messages of the checks to the error output. The
// contest's header statistics are brought up to date afterwards, as closing the log window
// does. The data directory is DIR, or the working directory as for the program.

#include <ostream>
#include <string>
#include <vector>

namespace tarvik {

/// Runs `args` (args[0] is the command); the exit code (0 imported, 1 failed, 2 wrong
/// arguments), or -1 when the command is not "import-adif".
int RunAdifImportToolCommand(const std::vector<std::string>& args, std::ostream& out,
                             std::ostream& err);

/// Usage lines of the command.
const char* AdifImportToolUsage();

} // namespace tarvik
