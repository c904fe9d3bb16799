#pragma once
// Help-topic requests of the windows. The program installs one handler at start (it starts
// the help viewer); buttons of kind bkHelp and F1 handlers ask for a topic number here.

#include <functional>

class QWidget;

namespace tarvik {

using HelpTopicHandler = std::function<void(int topic)>;

/// Installs the handler of help-topic requests (an empty function removes it).
void SetHelpTopicHandler(HelpTopicHandler handler);
/// Hands a topic to the handler. False when no handler is installed or the topic is 0.
bool RequestHelpTopic(int topic);

/// The help topic of a widget: its "HelpContext" property, or that of its nearest parent
/// that has a non-zero one; 0 when none has.
int HelpContextOf(const QWidget* widget);
/// Sets a widget's "HelpContext" property.
void SetHelpContext(QWidget* widget, int topic);

} // namespace tarvik
