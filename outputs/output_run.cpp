#include "outputs/output_run.h"

#include "contest/contest_session.h"
#include "outputs/output_contest.h"
#include "recordfile/fileblock.h"

namespace tarvik {

OutputContest SessionOutputContest(ContestSession& session) {
  OutputContest contest;
  contest.contestCode = session.ContestCode();
  contest.definition = session.Definition();
  if (Fileblock* headers = session.Headers())
    contest.header.assign(headers->RecordBuffer(), ContestHeaderRecord::kLength);
  else
    contest.header.assign(ContestHeaderRecord::kLength, '\0');
  if (Fileblock* extensions = session.Extensions())
    contest.extension.assign(extensions->RecordBuffer(), ContestExtensionRecord::kLength);
  else
    contest.extension.assign(ContestExtensionRecord::kLength, '\0');
  const int number = ContestHeaderRecord(contest.header.data()).contestNumber();
  contest.station =
      ReadStationData(contest.contestCode, number, session.Settings().listenerName, session.Io());
  return contest;
}

void RunOutput(ContestSession& session, int kind, const OutputWindows& windows) {
  OutputServices services;
  services.dialogs = &session.Dialogs();
  services.printer = windows.printer;
  services.showFile = windows.showFile;
  services.editParticipant = windows.editParticipant;
  services.clock = &session.ClockSource();
  services.files = session.Io();
  RunOutputKind(kind, SessionOutputContest(session), services);
}

} // namespace tarvik
