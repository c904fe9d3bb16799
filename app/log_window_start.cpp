#include "app/log_window_start.h"

#include "app/program_session.h"
#include "datafiles/contest_record_store.h"

namespace tarvik {

QsoSessionParams LogSessionParams(const ProgramSession& session,
                                  const ContestDefinition& definition) {
  QsoSessionParams params;
  params.definition = definition;
  const ContestRecords records = session.Records().Buffers();
  params.headerRecord = records.header;
  params.extensionRecord = records.extension;
  params.contestCode = records.Header().contestCode();
  params.ownLocator = session.Settings().ownLocator;
  return params;
}

void TakeBackLogRecords(ProgramSession& session, const std::string& header,
                        const std::string& extension) {
  if (header.size() != ContestHeaderRecord::kLength ||
      extension.size() != ContestExtensionRecord::kLength)
    return;
  ContestRecords records;
  records.header = header;
  records.extension = extension;
  session.Records().SetBuffers(records);
}

} // namespace tarvik
