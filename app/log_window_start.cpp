#include "app/log_window_start.h"

#include <algorithm>

#include "app/program_session.h"
#include "datafiles/contest_records.h"
#include "recordfile/fileblock.h"

namespace tarvik {

QsoSessionParams LogSessionParams(const ProgramSession& session,
                                  const ContestDefinition& definition) {
  QsoSessionParams params;
  params.definition = definition;
  Fileblock* headers = session.Headers();
  Fileblock* extensions = session.Extensions();
  if (headers != nullptr) {
    params.headerRecord.assign(headers->RecordBuffer(),
                               static_cast<std::size_t>(std::min<int>(
                                   headers->BufferSize(), ContestHeaderRecord::kLength)));
    params.headerRecord.resize(ContestHeaderRecord::kLength, '\0');
    params.contestCode = ContestHeaderRecord(params.headerRecord.data()).contestCode();
  }
  if (extensions != nullptr) {
    params.extensionRecord.assign(extensions->RecordBuffer(),
                                  static_cast<std::size_t>(std::min<int>(
                                      extensions->BufferSize(), ContestExtensionRecord::kLength)));
    params.extensionRecord.resize(ContestExtensionRecord::kLength, '\0');
  }
  params.ownLocator = session.Settings().ownLocator;
  return params;
}

void TakeBackLogRecords(ProgramSession& session, const std::string& header,
                        const std::string& extension) {
  Fileblock* headers = session.Headers();
  Fileblock* extensions = session.Extensions();
  if (headers != nullptr && header.size() == ContestHeaderRecord::kLength &&
      headers->BufferSize() >= ContestHeaderRecord::kLength)
    std::copy(header.begin(), header.end(), headers->RecordBuffer());
  if (extensions != nullptr && extension.size() == ContestExtensionRecord::kLength &&
      extensions->BufferSize() >= ContestExtensionRecord::kLength)
    std::copy(extension.begin(), extension.end(), extensions->RecordBuffer());
}

} // namespace tarvik
