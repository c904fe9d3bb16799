#include "outputs/output_run.h"

#include "contest/contest_session.h"
#include "outputs/output_contest.h"

namespace tarvik {

OutputContest SessionOutputContest(ContestSession& session) {
  OutputContest contest;
  contest.contestCode = session.ContestCode();
  contest.definition = session.Definition();
  const ContestRecords records = session.Records().Buffers();
  contest.header = records.header;
  contest.extension = records.extension;
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
  services.editCabrilloContest = windows.editCabrilloContest;
  services.reviewFindings = windows.reviewFindings;
  services.clock = &session.ClockSource();
  services.files = session.Io();
  RunOutputKind(kind, SessionOutputContest(session), services);
}

} // namespace tarvik
