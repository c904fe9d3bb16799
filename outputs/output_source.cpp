#include "outputs/output_source.h"

#include <algorithm>
#include <climits>
#include <vector>

#include "contest/contest_catalog.h"
#include "recordfile/fileblock.h"

namespace tarvik {

std::string ExportIdentification(const ContestDefinition& definition) {
  return definition.ProgramTitle + " " + ProgramHomePage();
}

namespace {

/// Whether a walk from the first entry of a key to its end met every live record of the data
/// file exactly once: a key that disagrees with its data file would otherwise leave QSOs out
/// of an output without anybody noticing.
bool MetEveryLiveRecord(Fileblock& log, std::vector<std::int32_t>& visited) {
  std::int32_t live = 0;
  if (log.LiveRecords(&live) != 0)
    return false;
  const std::size_t visits = visited.size();
  std::sort(visited.begin(), visited.end());
  visited.erase(std::unique(visited.begin(), visited.end()), visited.end());
  return visits == visited.size() && visited.size() == static_cast<std::size_t>(live);
}

} // namespace

bool ForEachLogRecord(Fileblock& log,
                      const std::function<bool(int runningNumber, const QsoRecord&)>& visit) {
  constexpr int kEntryOrder = qso_key::kRecord;
  std::int32_t ref = 0;
  std::string entry;
  std::vector<std::int32_t> visited;
  int severity = log.FindEntry(kEntryOrder, INT32_MIN, 1, "", &ref, &entry);
  int number = 0;
  while (severity == 0) {
    if (log.ReadRecord(ref) != 0)
      return false;
    visited.push_back(ref);
    if (!visit(++number, QsoRecord(static_cast<const char*>(log.RecordBuffer()))))
      return true;
    // The key keeps its own position across reads by record number.
    severity = log.NextEntry(kEntryOrder, &ref, &entry);
  }
  return severity == 1 && MetEveryLiveRecord(log, visited);
}

bool ForEachLogRecordInKey(Fileblock& log, int key, std::string_view from,
                           const std::function<bool(const QsoRecord&)>& visit) {
  std::int32_t ref = 0;
  std::string entry;
  std::vector<std::int32_t> visited;
  int severity = log.FindEntry(key, INT32_MIN, 1, from, &ref, &entry);
  while (severity == 0) {
    if (log.ReadRecord(ref) != 0)
      return false;
    visited.push_back(ref);
    if (!visit(QsoRecord(static_cast<const char*>(log.RecordBuffer()))))
      return true;
    severity = log.NextEntry(key, &ref, &entry);
  }
  // Every key of the log holds every QSO: a walk over the whole key is checked.
  return severity == 1 && (!from.empty() || MetEveryLiveRecord(log, visited));
}

} // namespace tarvik
