#include "datafiles/log_scan.h"

#include <climits>

#include "radio/modes.h"
#include "recordfile/fileblock.h"
#include "recordfile/key_codec.h"

namespace tarvik {

namespace {

bool BeginsWith(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() && text.compare(0, prefix.size(), prefix) == 0;
}

} // namespace

bool VisitRecords(Fileblock& log, int key, std::string_view prefix,
                  const std::function<bool(std::int32_t, const QsoRecord&)>& visit) {
  std::int32_t ref = 0;
  std::string entry;
  if (log.FindEntry(key, INT32_MIN, 1, prefix, &ref, &entry) != 0)
    return true;
  while (BeginsWith(entry, prefix)) {
    if (log.ReadRecord(ref) != 0)
      return true;
    if (!visit(ref, QsoRecord(static_cast<const char*>(log.RecordBuffer()))))
      return false;
    // The key's own position survives reads by record number and searches on other keys.
    if (log.NextEntry(key, &ref, &entry) != 0)
      return true;
  }
  return true;
}

std::optional<std::string> FirstRecord(Fileblock& log, int key, std::string_view prefix) {
  std::optional<std::string> found;
  VisitRecords(log, key, prefix, [&](std::int32_t, const QsoRecord& record) {
    found.emplace(record.data(), record.size());
    return false;
  });
  return found;
}

std::int32_t NextQsoNumber(Fileblock& log) {
  if (log.LastKey(qso_key::kQsoNumber) != 0)
    return 1;
  return QsoRecord(static_cast<const char*>(log.RecordBuffer())).QSONr() + 1;
}

std::int32_t NextBandSerial(Fileblock& log, char band) {
  const auto record = FirstRecord(log, qso_key::kBandSerialNewest, std::string(1, band));
  return record ? QsoRecord(record->data()).BandSerial() + 1 : 1;
}

std::int32_t NextBandNumber(Fileblock& log, char band) {
  const auto record = FirstRecord(log, qso_key::kBandNumberNewest, std::string(1, band));
  return record ? QsoRecord(record->data()).BandNr() + 1 : 1;
}

std::int32_t NewestRecordOfBand(Fileblock& log, char band) {
  std::int32_t newest = 0;
  VisitRecords(log, qso_key::kBandNumberNewest, std::string(1, band),
               [&](std::int32_t ref, const QsoRecord&) {
                 newest = ref;
                 return false;
               });
  return newest;
}

std::int32_t NextModeNumber(Fileblock& log, std::string_view mode) {
  const auto record = FirstRecord(log, qso_key::kModeGroupNewest, std::string(1, ModeGroup(mode)));
  if (!record)
    return 1;
  const QsoRecord newest(record->data());
  return newest.Mode() == mode ? newest.ModeNr() + 1 : 1;
}

} // namespace tarvik
