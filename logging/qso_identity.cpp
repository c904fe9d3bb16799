#include "logging/qso_identity.h"

#include <bit>
#include <functional>

#include "recordfile/fileblock.h"

namespace tarvik {

namespace {

constexpr int kDateTimeKey = qso_key::kDateTime;

/// Calls `visit` with the record number of each QSO of `log` whose date and time are those
/// of `qso` and whose entries are equal, in key order, until it returns false.
void ForEachSameQso(Fileblock& log, const QsoRecord& qso,
                    const std::function<bool(std::int32_t)>& visit) {
  const std::string when = QsoKey(qso.data(), kDateTimeKey);
  std::int32_t record = 0;
  std::string key;
  int status = log.FindEntry(kDateTimeKey, 0, 1, when, &record, &key);
  while (status == 0 && key == when) {
    if (log.ReadRecord(record) != 0)
      return;
    const QsoRecord candidate(static_cast<const char*>(log.RecordBuffer()));
    if (SameQsoEntries(candidate, qso) && !visit(record))
      return;
    status = log.FindEntry(kDateTimeKey, record, 1, when, &record, &key);
    // FindEntry from (when, record) finds that entry itself first: step past it.
    if (status == 0 && key == when)
      status = log.NextEntry(kDateTimeKey, &record, &key);
  }
}

} // namespace

bool SameQsoEntries(const QsoRecord& a, const QsoRecord& b) {
  return a.Call() == b.Call() && a.Datum() == b.Datum() && a.Zeit() == b.Zeit() &&
         a.Band() == b.Band() && a.Mode() == b.Mode() && a.RSTs() == b.RSTs() &&
         a.RSTr() == b.RSTr() && a.NameQTH() == b.NameQTH() &&
         std::bit_cast<std::uint32_t>(a.Freq()) == std::bit_cast<std::uint32_t>(b.Freq()) &&
         a.QSLs() == b.QSLs() && a.QSLr() == b.QSLr();
}

int SameQsoRank(Fileblock& log, const QsoRecord& qso, std::int32_t record) {
  int rank = 0;
  int found = -1;
  ForEachSameQso(log, qso, [&](std::int32_t r) {
    if (r == record) {
      found = rank;
      return false;
    }
    ++rank;
    return true;
  });
  return found;
}

std::int32_t FindSameQso(Fileblock& log, const QsoRecord& qso, int rank) {
  if (rank < 0)
    return 0;
  std::int32_t found = 0;
  int seen = 0;
  ForEachSameQso(log, qso, [&](std::int32_t r) {
    if (seen++ < rank)
      return true;
    found = r;
    return false;
  });
  return found != 0 && log.ReadRecord(found) == 0 ? found : 0;
}

} // namespace tarvik
