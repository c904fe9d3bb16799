#include "outputs/output_run.h"

#include "app/program_session.h"
#include "app/text_helpers.h"

namespace tarvik {

std::string OutputNotAvailableMessage() {
  return ChooseText("Diese Ausgabe ist in dieser Version noch nicht verfügbar.",
                    "This output is not available in this version yet.");
}

void RunOutput(ProgramSession& session, int /*kind*/) {
  session.Dialogs().Inform(OutputNotAvailableMessage());
}

} // namespace tarvik
