#pragma once
// The program's answer to help-topic requests (F1, help buttons): starts the HTML-help viewer
// when it exists, reports when it cannot be started, and does nothing without it.

namespace tarvik {

class UserDialogs;

/// Installs the handler of help-topic requests; `dialogs` must outlive it.
void InstallHelpHook(UserDialogs& dialogs);

} // namespace tarvik
