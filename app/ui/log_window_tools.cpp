#include "app/ui/log_window_tools.h"

#include "logging/ui/adif_import_window.h"

namespace tarvik {

ContestLogTools StandardLogTools(ContestLogStd& window, UserDialogs& dialogs) {
  ContestLogTools tools;
  // ADIF import: the window, then the records through the log's entry session.
  tools.adifImport = [&window, &dialogs] { RunAdifImport(window.session(), dialogs, &window); };
  // Change and deletion of the log list's current row.
  tools.change = [&window] { window.ChangeQso(window.ListRecord()); };
  tools.remove = [&window] { (void)window.DeleteQso(window.ListRecord()); };
  return tools;
}

} // namespace tarvik
