#include "app/ui/log_window_tools.h"

namespace tarvik {

ContestLogTools StandardLogTools(ContestLogStd& window, UserDialogs& dialogs) {
  ContestLogTools tools;
  (void)dialogs;
  // Change and deletion of the log list's current row.
  tools.change = [&window] { window.ChangeQso(window.ListRecord()); };
  tools.remove = [&window] { (void)window.DeleteQso(window.ListRecord()); };
  return tools;
}

} // namespace tarvik
