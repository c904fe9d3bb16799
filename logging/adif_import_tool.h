#pragma once
// The command of tarvik-tool that imports an ADIF file into a contest without the windows:
//   import-adif CONTEST_NUMBER FILE [--map ADIF=LOGFIELD ...] [--no-check] [--quiet]
//               [--data DIR]
// imports every record of FILE into the log of contest CONTEST_NUMBER with the rules of the
// log window's import: --map assigns the file's field ADIF to the log field LOGFIELD (one of
// AdifLogFields, named without regard to letter case and blanks); a log field the file does
// not feed, or a file field no record has, is refused with the fields that exist.
// --no-check skips the mode and band checks. Every record not imported is printed with its
// number in the file, its call and the reason (not with --quiet), then the summary, to the
// standard output, in English. The contest's header statistics are brought up to date
// afterwards, as closing the log window does. The data directory is DIR, or the working
// directory as for the program; a directory without the contest file KXKK is refused and
// left as it is.

#include <ostream>
#include <string>
#include <vector>

namespace tarvik {

/// Exit code of a run that did nothing: wrong arguments, a data directory that is missing,
/// locked or holds no contest file, an unknown contest, a mapping that cannot take effect, a
/// file that cannot be read.
inline constexpr int kAdifToolNothingDone = 2;

/// Runs `args` (args[0] is the command); the exit code (0: every record imported or refused
/// as a duplicate; 1: records refused for other reasons, or a storage failure;
/// kAdifToolNothingDone), or -1 when the command is not "import-adif".
[[nodiscard]] int RunAdifImportToolCommand(const std::vector<std::string>& args, std::ostream& out,
                                           std::ostream& err);

/// Usage lines of the command.
const char* AdifImportToolUsage();

} // namespace tarvik
