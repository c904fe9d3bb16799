#include "outputs/output_source.h"

#include <climits>

#include "contest/contest_catalog.h"
#include "recordfile/fileblock.h"

namespace tarvik {

std::string ExportIdentification(const ContestDefinition& definition) {
  return definition.ProgramTitle + " " + ProgramHomePage();
}

bool ForEachLogRecord(Fileblock& log,
                      const std::function<bool(int runningNumber, const QsoRecord&)>& visit) {
  constexpr int kEntryOrder = 4;
  std::int32_t ref = 0;
  std::string entry;
  int severity = log.FindEntry(kEntryOrder, INT32_MIN, 1, "", &ref, &entry);
  int number = 0;
  while (severity == 0) {
    if (log.ReadRecord(ref) != 0)
      return false;
    if (!visit(++number, QsoRecord(static_cast<const char*>(log.RecordBuffer()))))
      return true;
    // The key keeps its own position across reads by record number.
    severity = log.NextEntry(kEntryOrder, &ref, &entry);
  }
  return severity == 1;
}

bool ForEachLogRecordInKey(Fileblock& log, int key, std::string_view from,
                           const std::function<bool(const QsoRecord&)>& visit) {
  std::int32_t ref = 0;
  std::string entry;
  int severity = log.FindEntry(key, INT32_MIN, 1, from, &ref, &entry);
  while (severity == 0) {
    if (log.ReadRecord(ref) != 0)
      return false;
    if (!visit(QsoRecord(static_cast<const char*>(log.RecordBuffer()))))
      return true;
    severity = log.NextEntry(key, &ref, &entry);
  }
  return severity == 1;
}

std::int32_t CountQsos(Fileblock& log) {
  std::int32_t count = 0;
  ForEachLogRecord(log, [&](int, const QsoRecord& r) {
    if (!r.IsBandChangeMarker())
      ++count;
    return true;
  });
  return count;
}

} // namespace tarvik
