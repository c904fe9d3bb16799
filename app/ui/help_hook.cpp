#include "app/ui/help_hook.h"

#include <QProcess>
#include <QStringList>

#include "app/help_viewer.h"
#include "app/ui/text_codec.h"
#include "app/user_dialogs.h"
#include "widgets/help_request.h"

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
