#include "datafiles/note_records.h"

#include "recordfile/key_codec.h"

namespace tarvik {

std::string ContestNoteKey(const char* record, int key) {
  return key == 1 ? KeyPad(ContestNoteRecord(record).name(), 10) : std::string();
}

std::string QsoNoteKey(const char* record, int key) {
  const QsoNoteRecord r(record);
  const std::string callAndTime = KeyPad(r.call(), 14) + Long4(r.Datum()) + Long4(r.Zeit());
  switch (key) {
  case 1:
    return NumKey5(r.number()) + callAndTime;
  case 2:
    return callAndTime;
  default:
    return {};
  }
}

std::string QslRouteKey(const char* record, int key) {
  const QslRouteRecord r(record);
  return key == 1 ? KeyPad(r.call(), 14) + Long4(r.date()) + Long4(r.time()) : std::string();
}

} // namespace tarvik
