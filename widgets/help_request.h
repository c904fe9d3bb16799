#pragma once
// Help-topic requests of the windows. The program installs one handler at start (it opens
// the manual, help_hook.h); buttons of kind bkHelp and F1 ask for a topic number here.

#include <functional>

class QWidget;

namespace tarvik {

using HelpTopicHandler = std::function<void(int topic)>;

/// Installs the handler of help-topic requests (an empty function removes it).
void SetHelpTopicHandler(HelpTopicHandler handler);
/// Hands a topic to the handler (0, a window without a topic of its own: the contents).
/// False when no handler is installed.
[[nodiscard]] bool RequestHelpTopic(int topic);

/// The help topic of a widget: its "HelpContext" property, or that of its nearest parent
/// that has a non-zero one; 0 when none has.
int HelpContextOf(const QWidget* widget);
/// Sets a widget's "HelpContext" property.
void SetHelpContext(QWidget* widget, int topic);

} // namespace tarvik
