#include "widgets/help_hook.h"

#include <QProcess>
#include <QStringList>

#include "base/help_viewer.h"
#include "base/user_dialogs.h"
#include "widgets/help_request.h"
#include "widgets/text_codec.h"

namespace tarvik {

void InstallHelpHook(UserDialogs& dialogs) {
  SetHelpTopicHandler([&dialogs](int topic) {
    const std::optional<HelpViewerCall> call = HelpViewerCallFor(topic);
    if (!call)
      return; // no viewer: nothing happens
    QStringList arguments;
    for (const std::string& argument : call->arguments)
      arguments << PathToQString(argument);
    if (!QProcess::startDetached(PathToQString(call->program), arguments))
      dialogs.Inform(HelpViewerFailureMessage(*call));
  });
}

} // namespace tarvik
