#pragma once
// The command of tarvik-tool that checks the connection to the radio without the windows:
//   rig [--rigctld HOST:PORT | --model N [--port DEVICE] [--baud B]] [--contest CODE]
//       [--category N]
// asks the radio once for its frequency and mode (through a running rigctld, by default on
// localhost:4532, or through Hamlib's library for rig model N on a serial port) and prints
// them with the band and mode a log of contest code CODE (default 2) would take from them.

#include <ostream>
#include <string>
#include <vector>

namespace tarvik {

/// Runs `args` (args[0] is the command); the exit code (0 the radio answered, 1 it did not,
/// 2 wrong arguments), or -1 when the command is not "rig".
[[nodiscard]] int RunRigToolCommand(const std::vector<std::string>& args, std::ostream& out,
                                    std::ostream& err);

/// Usage lines of the command.
const char* RigToolUsage();

} // namespace tarvik
