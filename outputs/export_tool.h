#pragma once
// The command of tarvik-tool that writes the file outputs of a contest without the windows:
//   export --kind KIND CONTEST_NUMBER OUTFILE [--rst-only yes|no] [--edi FIELD=VALUE]...
//          [--data DIR]
//       writes output KIND of contest CONTEST_NUMBER to OUTFILE, byte for byte as the header
//       window's output menu writes it: stf (STF file), adif, csv, all (E-Log QSO list),
//       txt (E-Log whole file), sum (cover sheet file), bnd (band list), multi (multiplier
//       check list), edi (EDI file). --rst-only answers the ADIF question "only the RS(T) of
//       the exchange?" (default yes). The EDI file takes the participant values the
//       participant dialog is prefilled with (contest header, station data of the setup
//       record); each --edi FIELD=VALUE overrides one by the dialog's field name (pband
//       takes the text of a band choice, "144 MHz").
// The data directory is DIR, or the working directory as for the program.

#include <ostream>
#include <string>
#include <vector>

namespace tarvik {

/// Runs `args` (args[0] is the command); the exit code (0 written, 1 failed, 2 wrong
/// arguments), or -1 when the command is not "export".
[[nodiscard]] int RunExportToolCommand(const std::vector<std::string>& args, std::ostream& out,
                                       std::ostream& err);

/// Usage lines of the command.
const char* ExportToolUsage();

} // namespace tarvik
