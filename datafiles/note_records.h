#pragma once
// Family files that this program's windows never open but whose layouts it knows, so that
// they can be created, checked and repaired with their keys: notes per contest (KXCNOTE,
// 298 bytes), notes per QSO (KXLNOTE, 314 bytes) and QSL routes per call (KXQSLVIA, 63
// bytes). The note and route texts behind the key fields are kept as found.
//
// KXCNOTE:  4 str[10] name; key 1 (10, unique) = Pad(name, 10).
// KXLNOTE:  4 i32 number, 8 str[14] call, 23 i32 Datum, 27 i32 Zeit;
//           key 1 (27, unique) = NumKey5(number) + Pad(call, 14) + Long4(Datum) + Long4(Zeit);
//           key 2 (22, unique) = Pad(call, 14) + Long4(Datum) + Long4(Zeit).
// KXQSLVIA: 4 str[14] call, 19 i32 date, 23 i32 time;
//           key 1 (22, unique) = Pad(call, 14) + Long4(date) + Long4(time).

#include <string>

#include "recordfile/record_view.h"

namespace tarvik {

class ContestNoteRecord : public RecordView {
public:
  static constexpr int kLength = 298;
  using RecordView::RecordView;
  explicit ContestNoteRecord(char* data) : RecordView(data, kLength) {}
  explicit ContestNoteRecord(const char* data) : RecordView(data, kLength) {}
  std::string name() const { return StrAt(4, 10); }
  void SetName(std::string_view v) { SetStrAt(4, 10, v); }
};

class QsoNoteRecord : public RecordView {
public:
  static constexpr int kLength = 314;
  using RecordView::RecordView;
  explicit QsoNoteRecord(char* data) : RecordView(data, kLength) {}
  explicit QsoNoteRecord(const char* data) : RecordView(data, kLength) {}
  std::int32_t number() const { return I32At(4); }
  void SetNumber(std::int32_t v) { SetI32At(4, v); }
  std::string call() const { return StrAt(8, 14); }
  void SetCall(std::string_view v) { SetStrAt(8, 14, v); }
  std::int32_t Datum() const { return I32At(23); }
  void SetDatum(std::int32_t v) { SetI32At(23, v); }
  std::int32_t Zeit() const { return I32At(27); }
  void SetZeit(std::int32_t v) { SetI32At(27, v); }
};

class QslRouteRecord : public RecordView {
public:
  static constexpr int kLength = 63;
  using RecordView::RecordView;
  explicit QslRouteRecord(char* data) : RecordView(data, kLength) {}
  explicit QslRouteRecord(const char* data) : RecordView(data, kLength) {}
  std::string call() const { return StrAt(4, 14); }
  void SetCall(std::string_view v) { SetStrAt(4, 14, v); }
  std::int32_t date() const { return I32At(19); }
  void SetDate(std::int32_t v) { SetI32At(19, v); }
  std::int32_t time() const { return I32At(23); }
  void SetTime(std::int32_t v) { SetI32At(23, v); }
};

std::string ContestNoteKey(const char* record, int key);
std::string QsoNoteKey(const char* record, int key);
std::string QslRouteKey(const char* record, int key);

} // namespace tarvik
