#pragma once
// Records remembered per call: the call book (KXCBUCH, 333 bytes) and the call list with
// member numbers (KXCALL, 71 bytes). Both address their fields by number, as the family's
// programs that share these files do.
//
// Call book: 4 str[10] call (the base call; key 1 = Pad(call, 10), unique)
//   No. Off  Type      Use here                 No. Off  Type      Use here
//    1   29  str[6]    member number, code 7     7   15  str[6]    -
//    2   22  str[6]    member number, code f     8-13 233, 244, 255, 266, 277, 288: str[10]
//    3   96  str[10]   -                         15   64  str[20]   QTH
//    4   43  str[20]   name                      16   85  str[10]   -
//    5  107  str[4]    club number, code i       17  112  str[120]  remark
//    6  299  str[8]    DOK
// Field 14 and numbers above 17 read as "". Keys 2-5 (6, 6, 10, 20) = Pad of fields 1-4;
// key 6 (4) = LeftPad(field 5, 4); key 7 (18) = Pad(field 6, 8) + Pad(call, 10); keys 8-13
// (6 each) = Pad of fields 8-13. Keys 2-13 allow duplicates.
//
// Call list: 4 str[10] call (key 1 = Pad(call, 10), unique); fields 1 at 15 str[5], 2 at 21
// str[5], 3 at 27 str[9], 4 at 37 chr, 5 at 38 str[20], 6 at 59 str[5], 7 at 65 str[5].
// Keys 2-7 (5, 5, 10, 1, 5, 3) = Pad of fields 1, 2, 3, field 4, LeftPad(field 6, 5),
// Pad(field 7, 3); duplicates allowed.

#include <string>

#include "recordfile/record_view.h"

namespace tarvik {

class CallBookRecord : public RecordView {
public:
  static constexpr int kLength = 333;
  static constexpr int kKeys = 13;
  static constexpr int kFields = 17;
  enum Offset : int { kCall = 4 };
  enum FieldNumber : int {
    kMemberCode7 = 1,
    kMemberCodeF = 2,
    kName = 4,
    kClubCodeI = 5,
    kDok = 6,
    kLdk = 14, ///< not in this layout: reads as ""
    kQth = 15,
    kRemark = 17,
  };

  using RecordView::RecordView;
  explicit CallBookRecord(char* data) : RecordView(data, kLength) {}
  explicit CallBookRecord(const char* data) : RecordView(data, kLength) {}

  std::string call() const { return StrAt(kCall, 10); }
  void SetCall(std::string_view v) { SetStrAt(kCall, 10, v); }
  /// Field 1..17 by number; "" for 14 and any number that is no field.
  std::string Field(int number) const;
  /// Writes field `number` (cut to its capacity); numbers that are no field are ignored.
  void SetField(int number, std::string_view text);
};

class CallListRecord : public RecordView {
public:
  static constexpr int kLength = 71;
  static constexpr int kKeys = 7;
  static constexpr int kFields = 7;
  enum Offset : int { kCall = 4 };
  enum FieldNumber : int {
    kDigNumber = 1,  ///< DIG member number (code 7)
    kAgcwNumber = 2, ///< AGCW member number (code f)
    kName = 5,
    kNavalClub = 6, ///< Naval club number (code i)
    kDok = 7,
  };

  using RecordView::RecordView;
  explicit CallListRecord(char* data) : RecordView(data, kLength) {}
  explicit CallListRecord(const char* data) : RecordView(data, kLength) {}

  std::string call() const { return StrAt(kCall, 10); }
  void SetCall(std::string_view v) { SetStrAt(kCall, 10, v); }
  /// Field 1..7 by number (field 4 is one character; its zero byte reads as ""); "" for any
  /// other number.
  std::string Field(int number) const;
  void SetField(int number, std::string_view text);
};

std::string CallBookKey(const char* record, int key);
std::string CallListKey(const char* record, int key);

} // namespace tarvik
