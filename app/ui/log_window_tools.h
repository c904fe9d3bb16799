#pragma once
// The tools of the log window: the windows its buttons and keys open (QSO list windows,
// QSO change and deletion, contest note, ADIF import, party evaluation). The log window only
// knows the hooks; this is the one place where the program plugs its windows into them.

#include "logging/ui/contest_log_window.h"

namespace tarvik {

class UserDialogs;

/// The tools of the program for `window`; the hooks capture the window and `dialogs`, both
/// of which must outlive the window's run.
ContestLogTools StandardLogTools(ContestLogWindow& window, UserDialogs& dialogs);

} // namespace tarvik
