#pragma once
// tarvik-tool validate: the check before sending, on any EDI, Cabrillo, STF or ADIF file.

#include <ostream>
#include <string>
#include <vector>

namespace tarvik {

/// Runs "validate FILE": prints every finding of the file's check, one a line, and a summary.
/// Exit status 0 when the file is clean, 1 when there are findings, 2 when the file cannot be
/// read or is of no known format (or the arguments are wrong). -1 when `args` is no validate
/// command.
[[nodiscard]] int RunValidateToolCommand(const std::vector<std::string>& args, std::ostream& out,
                                         std::ostream& err);

/// The usage lines of the command.
const char* ValidateToolUsage();

} // namespace tarvik
