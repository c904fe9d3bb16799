#pragma once
// The contest header record (KXKK, 379 bytes, one per contest of any contest code) and the
// contest extension record (KXKZ, 11608 bytes, one per contest with the same number).
//
// Contest header:
//   Off  Type      Field                  Off  Type      Field
//     4  i32       contestNumber (key 3)  226  i32 x5    bandPoints, slots 1-5
//     8  i32       dateFrom               246  bool      rstSentFree
//    12  i32       dateTo                 247  bool      rstRcvdFree
//    16  i32       timeFrom               248  byte      0 on creation
//    20  i32       timeTo                 249  chr       qslSentDefault
//    24  str[25]   contestName            250  chr       qslRcvdDefault
//    50  str[6]    locator                251  byte      category
//    57  str[13]   dok (at most 8 used)   252  bool      startSsb
//    71  byte      255 on creation        253  u16 x4    note window top, left, width,
//    72  byte      1 on creation                         height (width 0: none stored)
//    73  str[30]   transmitter (EDI "STXEq"; no window fills it)
//   158  i32       extraNumber            261  u16 x7    column-1 multipliers, slots 1-7
//                                         275  u16 x7    column-2 multipliers, slots 1-7
//   166  str[12]   ownCall                291  bool      startFm
//   179  byte      periodEdited (bits)    292  bool      startPr
//   183  str[6]    clubId
//   190  byte      key 4                  293  bool      autoBand
//   191  chr       contestCode            294  str[5]    postcode
//   192  bool      autoDate               300  bool      yesNoAnswer
//   193  bool      autoTime               301  u16 x20   QSO list column widths
//   194  chr       recordMark ("D")       341  u16,u16,i32  band slot 6 totals
//   195  byte      255 on creation        355  u16,u16,i32  band slot 7 totals
//   196  u16 x5    bandQsos, slots 1-5    369  bool      extendedStats
//   206  u16 x5    bandMultis, slots 1-5  370  str[8]    ldk
// Bytes not listed (104-157, 162-165, 180-182, 216-225, 289-290, 349-354, 363-368) are
// kept as found. periodEdited says which period fields the person typed in the header window
// (bit 0 date from, 1 date to, 2 time from, 3 time to), so that choosing another category
// does not overwrite them; its upper four bits are kept. The column multipliers split each
// slot's multiplier count by the multiplier column (label 1 or 2) its values belong to, for
// the cover sheet's formula.
// Keys: 1 (26) contestCode + Pad(contestName, 25); 2 (5) contestCode + Long4(dateFrom);
// 3 (5, unique, numbered by Add) NumKey5(contestNumber); 4 (1) the byte at 190;
// 5 (25) Pad(contestName, 25). All but key 3 allow duplicates.
//
// Contest extension:
//      4  i32        contestNumber (the header's; key 1 = NumKey5 of it, unique)
//      8  i32 x100   QSOs of band slots 1-100
//    408  i32 x100   multipliers of band slots 1-100
//    808  i32 x100   points of band slots 1-100
//   1208  u16 x100   multipliers of column 1 (label 1) in band slots 1-100
//   1408  u16 x100   multipliers of column 2
//   1608  u16 x100   multipliers of column 3
//   1808  bool       rstsNotLocked
//   1809  bool       logUncountedDupes
//   1810  ...        kept as found

#include <string>

#include "recordfile/record_view.h"

namespace tarvik {

class ContestHeaderRecord : public RecordView {
public:
  static constexpr int kLength = 379;
  static constexpr int kKeys = 5;
  static constexpr int kBandSlots = 7;
  static constexpr int kColumnWidths = 20;

  enum Offset : int {
    kContestNumber = 4,
    kDateFrom = 8,
    kDateTo = 12,
    kTimeFrom = 16,
    kTimeTo = 20,
    kContestName = 24,
    kLocator = 50,
    kDok = 57,
    kCreation71 = 71,
    kCreation72 = 72,
    kTransmitter = 73,
    kExtraNumber = 158,
    kOwnCall = 166,
    kPeriodEdited = 179,
    kClubId = 183,
    kKey4Byte = 190,
    kContestCode = 191,
    kAutoDate = 192,
    kAutoTime = 193,
    kRecordMark = 194,
    kCreation195 = 195,
    kBandQsos = 196,
    kBandMultis = 206,
    kBandPoints = 226,
    kRstSentFree = 246,
    kRstRcvdFree = 247,
    kCreation248 = 248,
    kQslSentDefault = 249,
    kQslRcvdDefault = 250,
    kCategory = 251,
    kStartSsb = 252,
    kNoteTop = 253,
    kNoteLeft = 255,
    kNoteWidth = 257,
    kNoteHeight = 259,
    kStartFm = 291,
    kStartPr = 292,
    kAutoBand = 293,
    kPostcode = 294,
    kYesNoAnswer = 300,
    kColumnWidth1 = 301,
    kColumnMultis1 = 261,
    kColumnMultis2 = 275,
    kSlot6Qsos = 341,
    kSlot6Multis = 343,
    kSlot6Points = 345,
    kSlot7Qsos = 355,
    kSlot7Multis = 357,
    kSlot7Points = 359,
    kExtendedStats = 369,
    kLdk = 370,
  };

  using RecordView::RecordView;
  explicit ContestHeaderRecord(char* data) : RecordView(data, kLength) {}
  explicit ContestHeaderRecord(const char* data) : RecordView(data, kLength) {}

  std::int32_t contestNumber() const { return I32At(kContestNumber); }
  void SetContestNumber(std::int32_t v) { SetI32At(kContestNumber, v); }
  std::int32_t dateFrom() const { return I32At(kDateFrom); }
  void SetDateFrom(std::int32_t v) { SetI32At(kDateFrom, v); }
  std::int32_t dateTo() const { return I32At(kDateTo); }
  void SetDateTo(std::int32_t v) { SetI32At(kDateTo, v); }
  std::int32_t timeFrom() const { return I32At(kTimeFrom); }
  void SetTimeFrom(std::int32_t v) { SetI32At(kTimeFrom, v); }
  std::int32_t timeTo() const { return I32At(kTimeTo); }
  void SetTimeTo(std::int32_t v) { SetI32At(kTimeTo, v); }
  std::string contestName() const { return StrAt(kContestName, 25); }
  void SetContestName(std::string_view v) { SetStrAt(kContestName, 25, v); }
  std::string locator() const { return StrAt(kLocator, 6); }
  void SetLocator(std::string_view v) { SetStrAt(kLocator, 6, v); }
  std::string dok() const { return StrAt(kDok, 13); }
  void SetDok(std::string_view v) { SetStrAt(kDok, 13, v); }
  /// The transmitter text of the EDI file; no window fills it, logs from other tools of
  /// the family may carry one.
  std::string transmitter() const { return StrAt(kTransmitter, 30); }
  void SetTransmitter(std::string_view v) { SetStrAt(kTransmitter, 30, v); }
  std::int32_t extraNumber() const { return I32At(kExtraNumber); }
  void SetExtraNumber(std::int32_t v) { SetI32At(kExtraNumber, v); }
  std::string ownCall() const { return StrAt(kOwnCall, 12); }
  void SetOwnCall(std::string_view v) { SetStrAt(kOwnCall, 12, v); }
  /// Bits 0-3: date from, date to, time from, time to edited by hand.
  std::uint8_t periodEdited() const { return ByteAt(kPeriodEdited) & 0x0F; }
  void SetPeriodEdited(std::uint8_t bits) {
    SetByteAt(kPeriodEdited,
              static_cast<std::uint8_t>((ByteAt(kPeriodEdited) & 0xF0) | (bits & 0x0F)));
  }
  std::string clubId() const { return StrAt(kClubId, 6); }
  void SetClubId(std::string_view v) { SetStrAt(kClubId, 6, v); }
  std::uint8_t key4Byte() const { return ByteAt(kKey4Byte); }
  void SetKey4Byte(std::uint8_t v) { SetByteAt(kKey4Byte, v); }
  char contestCode() const { return CharAt(kContestCode); }
  void SetContestCode(char v) { SetCharAt(kContestCode, v); }
  bool autoDate() const { return BoolAt(kAutoDate); }
  void SetAutoDate(bool v) { SetBoolAt(kAutoDate, v); }
  bool autoTime() const { return BoolAt(kAutoTime); }
  void SetAutoTime(bool v) { SetBoolAt(kAutoTime, v); }
  char recordMark() const { return CharAt(kRecordMark); }
  void SetRecordMark(char v) { SetCharAt(kRecordMark, v); }
  bool rstSentFree() const { return BoolAt(kRstSentFree); }
  void SetRstSentFree(bool v) { SetBoolAt(kRstSentFree, v); }
  bool rstRcvdFree() const { return BoolAt(kRstRcvdFree); }
  void SetRstRcvdFree(bool v) { SetBoolAt(kRstRcvdFree, v); }
  char qslSentDefault() const { return CharAt(kQslSentDefault); }
  void SetQslSentDefault(char v) { SetCharAt(kQslSentDefault, v); }
  char qslRcvdDefault() const { return CharAt(kQslRcvdDefault); }
  void SetQslRcvdDefault(char v) { SetCharAt(kQslRcvdDefault, v); }
  std::uint8_t category() const { return ByteAt(kCategory); }
  void SetCategory(std::uint8_t v) { SetByteAt(kCategory, v); }
  bool startSsb() const { return BoolAt(kStartSsb); }
  void SetStartSsb(bool v) { SetBoolAt(kStartSsb, v); }
  bool startFm() const { return BoolAt(kStartFm); }
  void SetStartFm(bool v) { SetBoolAt(kStartFm, v); }
  bool startPr() const { return BoolAt(kStartPr); }
  void SetStartPr(bool v) { SetBoolAt(kStartPr, v); }
  bool autoBand() const { return BoolAt(kAutoBand); }
  void SetAutoBand(bool v) { SetBoolAt(kAutoBand, v); }
  std::string postcode() const { return StrAt(kPostcode, 5); }
  void SetPostcode(std::string_view v) { SetStrAt(kPostcode, 5, v); }
  bool yesNoAnswer() const { return BoolAt(kYesNoAnswer); }
  void SetYesNoAnswer(bool v) { SetBoolAt(kYesNoAnswer, v); }
  /// The flag as stored (255 when set by the catalog).
  std::uint8_t extendedStats() const { return ByteAt(kExtendedStats); }
  void SetExtendedStats(std::uint8_t v) { SetByteAt(kExtendedStats, v); }
  std::string ldk() const { return StrAt(kLdk, 8); }
  void SetLdk(std::string_view v) { SetStrAt(kLdk, 8, v); }

  /// Per-band totals of band slot 1..7 (0 for any other slot; setting one is ignored).
  std::uint16_t bandQsos(int slot) const;
  void SetBandQsos(int slot, std::uint16_t v);
  std::uint16_t bandMultis(int slot) const;
  void SetBandMultis(int slot, std::uint16_t v);
  std::int32_t bandPoints(int slot) const;
  void SetBandPoints(int slot, std::int32_t v);

  /// Multipliers of multiplier column 1 or 2 in band slot 1..7 (0 for anything else;
  /// setting one is ignored). Column 3 exists in the extension record only.
  std::uint16_t bandColumnMultis(int column, int slot) const;
  void SetBandColumnMultis(int column, int slot, std::uint16_t v);

  /// Width of column 1..20 of the QSO lists (0 for any other column).
  std::uint16_t ColumnWidth(int column) const;
  void SetColumnWidth(int column, std::uint16_t width);

  /// Position and size of the contest note window; width 0 means none is stored.
  struct NoteGeometry {
    std::uint16_t top = 0, left = 0, width = 0, height = 0;
    friend bool operator==(const NoteGeometry&, const NoteGeometry&) = default;
  };
  NoteGeometry noteGeometry() const;
  void SetNoteGeometry(const NoteGeometry& g);

  /// What a new header gets besides its fields: 255 and 1 at 71 and 72, 255 at 195 and 0 at
  /// 248.
  void MarkCreated();
};

class ContestExtensionRecord : public RecordView {
public:
  static constexpr int kLength = 11608;
  static constexpr int kKeys = 1;
  static constexpr int kBandSlots = 100;

  enum Offset : int {
    kContestNumber = 4,
    kBandQsos = 8,
    kBandMultis = 408,
    kBandPoints = 808,
    kColumnMultis = 1208, // three u16 arrays of 100, one per multiplier column
    kRstsNotLocked = 1808,
    kLogUncountedDupes = 1809,
  };

  using RecordView::RecordView;
  explicit ContestExtensionRecord(char* data) : RecordView(data, kLength) {}
  explicit ContestExtensionRecord(const char* data) : RecordView(data, kLength) {}

  std::int32_t contestNumber() const { return I32At(kContestNumber); }
  void SetContestNumber(std::int32_t v) { SetI32At(kContestNumber, v); }
  /// Totals of band slot 1..100 (0 for any other slot; setting one is ignored).
  std::int32_t bandQsos(int slot) const { return Slot(kBandQsos, slot); }
  void SetBandQsos(int slot, std::int32_t v) { SetSlot(kBandQsos, slot, v); }
  std::int32_t bandMultis(int slot) const { return Slot(kBandMultis, slot); }
  void SetBandMultis(int slot, std::int32_t v) { SetSlot(kBandMultis, slot, v); }
  std::int32_t bandPoints(int slot) const { return Slot(kBandPoints, slot); }
  void SetBandPoints(int slot, std::int32_t v) { SetSlot(kBandPoints, slot, v); }
  /// Multipliers of multiplier column 1..3 in band slot 1..100 (0 for anything else;
  /// setting one is ignored).
  std::uint16_t bandColumnMultis(int column, int slot) const {
    return ValidSlot(slot) && column >= 1 && column <= 3 ? U16At(ColumnAt(column, slot)) : 0;
  }
  void SetBandColumnMultis(int column, int slot, std::uint16_t v) {
    if (ValidSlot(slot) && column >= 1 && column <= 3)
      SetU16At(ColumnAt(column, slot), v);
  }
  bool rstsNotLocked() const { return BoolAt(kRstsNotLocked); }
  void SetRstsNotLocked(bool v) { SetBoolAt(kRstsNotLocked, v); }
  bool logUncountedDupes() const { return BoolAt(kLogUncountedDupes); }
  void SetLogUncountedDupes(bool v) { SetBoolAt(kLogUncountedDupes, v); }

private:
  static bool ValidSlot(int slot) { return slot >= 1 && slot <= kBandSlots; }
  static int ColumnAt(int column, int slot) {
    return kColumnMultis + 200 * (column - 1) + 2 * (slot - 1);
  }
  std::int32_t Slot(int base, int slot) const {
    return ValidSlot(slot) ? I32At(base + 4 * (slot - 1)) : 0;
  }
  void SetSlot(int base, int slot, std::int32_t v) {
    if (ValidSlot(slot))
      SetI32At(base + 4 * (slot - 1), v);
  }
};

/// The keys of the contest header file by what they order: code and name, code and start
/// date, contest number.
inline constexpr int kContestKeyName = 1;
inline constexpr int kContestKeyDate = 2;
inline constexpr int kContestKeyNumber = 3;

std::string ContestHeaderKey(const char* record, int key);
std::string ContestExtensionKey(const char* record, int key);

} // namespace tarvik
