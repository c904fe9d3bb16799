#pragma once
// The commands of tarvik-tool that fill the program's tables from country data files:
//   import-cty [FILE] [--if-empty] [--data DIR]
//       fills KXPREFIX and KXPREFEE from a country file (cty.csv or cty.dat; default: the
//       one Debian's hamradio-files installs); with --if-empty only when KXPREFIX holds no
//       record
//   import-dok-history [FILE] [--if-empty] [--data DIR]
//       adds the DOKs of a DOK history file to the call book KXCBUCH, never overwriting a
//       DOK it has (default: Debian's WAG_call_history.txt); with --if-empty only when the
//       call book holds no record
// The data directory is DIR, or the working directory as for the program. Both commands
// can run again and again: the result is the same.

#include <ostream>
#include <string>
#include <vector>

namespace tarvik {

/// Runs `args` (args[0] is the command); the exit code (0 done or nothing to do, 1 failed,
/// 2 wrong arguments), or -1 when the command is not one of the above.
[[nodiscard]] int RunCountryDataToolCommand(const std::vector<std::string>& args, std::ostream& out,
                                            std::ostream& err);

/// Usage lines of the commands above.
const char* CountryDataToolUsage();

} // namespace tarvik
