#pragma once
// The program's answer to help requests: F1 anywhere and the "Hilfe" buttons open the
// manual (help_window.h) at the section of the window they come from (its HelpContext,
// help_request.h, mapped by help_topics.h). When the manual cannot be found, the person is
// told where it was looked for.

namespace tarvik {

class HelpWindow;
class UserDialogs;

/// Installs the handler of help-topic requests and the F1 key for every window;
/// `dialogs` must outlive them.
void InstallHelpHook(UserDialogs& dialogs);

/// Opens the manual at `topic` (0: its contents) in the help window, which is created, or
/// moved above the window that is modal now, as needed. False (after the message through
/// `dialogs`) when the manual cannot be found.
[[nodiscard]] bool ShowManual(int topic, UserDialogs& dialogs);

/// The help window while it is open, else nullptr.
HelpWindow* OpenHelpWindow();

} // namespace tarvik
