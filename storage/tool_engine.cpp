#include "storage/tool_engine.h"

#include "storage/data_directory.h"
#include "storage/engine.h"

namespace tarvik {

int RunWithDataEngine(const std::string& dataDir, std::ostream& err,
                      const std::function<int()>& body) {
  if (dataDir.empty())
    RememberWorkingDirectoryAsDataDirectory();
  else
    SetDataDirectory(dataDir);
  if (InitEngine() != 0) {
    err << "tarvik-tool: the record-file engine cannot start\n";
    return 1;
  }
  const int code = body();
  if (ExitEngine() != 0 && code == 0) {
    err << "tarvik-tool: the files could not be closed cleanly\n";
    return 1;
  }
  return code;
}

} // namespace tarvik
