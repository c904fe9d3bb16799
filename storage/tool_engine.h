#pragma once
// The frame of a tarvik-tool command that works on the program's data files: the data
// directory chosen, the record-file engine started, the command run, the engine stopped.

#include <functional>
#include <ostream>
#include <string>

namespace tarvik {

/// Runs `body` with the engine started on `dataDir` (empty: the working directory) and
/// returns its exit code; 1 with a message on `err` when the engine cannot start, or when
/// the files cannot be closed cleanly after a body that succeeded.
int RunWithDataEngine(const std::string& dataDir, std::ostream& err,
                      const std::function<int()>& body);

} // namespace tarvik
