#pragma once
// The record of the prefix tables KXPREFIX (the main table) and KXPREFEE, KXPREFES (the
// exception tables), 181 bytes.
//
//   Off  Type     Field                       Off  Type     Field
//     4  str[6]   prefix (may end in a        96  str[6]   former prefix
//                 wildcard # ? ~, or "-area")  107  chr      range end character
//    11  str[6]   DXCC prefix                 108  i16      DXCC entity number
//    18  str[3]   area number                 110  str[6]   alias prefix
//    22  str[2]   CQ zone                     161  i32      second change date
//    25  str[2]   ITU zone                    165  str[6]   prefix valid until then
//    28  str[2]   continent                   172  str[6]   alternative prefix
//    31  str[30]  country name                179  chr      class ("*" or a letter)
//    62  str[8]   (key 8)                     180  chr      match kind ("J": every call
//    80  i32      valid from (day, 0 open)                  beginning with the prefix)
//    84  i32      valid to (day, 0 open)
//    88  i32      change date
// Other bytes are kept as found.
//
// Keys (ClassChar: the byte 2 when the class is "*", 1 when it is above "I", else 0):
//    1 (6)  Pad(prefix, 6)                        8 (14) Pad(field 62, 8) + Pad(prefix, 6)
//    2 (12) Pad(DXCC prefix, 6) + Pad(prefix, 6)  9 (13) Pad(alternative prefix, 6)
//    3 (9)  Pad(prefix, 6) + Pad(area, 3)        10 (7)  ClassChar + Pad(prefix, 6)
//    4, 5, 6 (8) Pad(CQ / ITU / continent, 2)    11 (6)  Pad(alias prefix, 6)
//           + Pad(prefix, 6)                     12 (6)  Pad(former prefix, 6)
//    7 (36) Pad(UpCase(name), 30) + Pad(prefix,6) 13 (5) NumKey5(entity number)  KXPREFIX
//                                                14 (7)  class + Pad(prefix, 6)     only
// In KXPREFIX every key allows duplicates; in KXPREFEE and KXPREFES key 1 is unique.

#include <string>

#include "recordfile/record_view.h"

namespace tarvik {

class PrefixRecord : public RecordView {
public:
  static constexpr int kLength = 181;
  static constexpr int kMainKeys = 14;      // KXPREFIX
  static constexpr int kExceptionKeys = 12; // KXPREFEE, KXPREFES

  enum Offset : int {
    kPrefix = 4,
    kDxccPrefix = 11,
    kArea = 18,
    kCqZone = 22,
    kItuZone = 25,
    kContinent = 28,
    kCountryName = 31,
    kField62 = 62,
    kValidFrom = 80,
    kValidTo = 84,
    kChangeDate = 88,
    kFormerPrefix = 96,
    kRangeEnd = 107,
    kEntityNumber = 108,
    kAliasPrefix = 110,
    kSecondChangeDate = 161,
    kSecondFormerPrefix = 165,
    kAlternativePrefix = 172,
    kClass = 179,
    kMatchKind = 180,
  };

  using RecordView::RecordView;
  explicit PrefixRecord(char* data) : RecordView(data, kLength) {}
  explicit PrefixRecord(const char* data) : RecordView(data, kLength) {}

  std::string prefix() const { return StrAt(kPrefix, 6); }
  void SetPrefix(std::string_view v) { SetStrAt(kPrefix, 6, v); }
  std::string dxccPrefix() const { return StrAt(kDxccPrefix, 6); }
  void SetDxccPrefix(std::string_view v) { SetStrAt(kDxccPrefix, 6, v); }
  std::string area() const { return StrAt(kArea, 3); }
  void SetArea(std::string_view v) { SetStrAt(kArea, 3, v); }
  std::string cqZone() const { return StrAt(kCqZone, 2); }
  void SetCqZone(std::string_view v) { SetStrAt(kCqZone, 2, v); }
  std::string ituZone() const { return StrAt(kItuZone, 2); }
  void SetItuZone(std::string_view v) { SetStrAt(kItuZone, 2, v); }
  std::string continent() const { return StrAt(kContinent, 2); }
  void SetContinent(std::string_view v) { SetStrAt(kContinent, 2, v); }
  std::string countryName() const { return StrAt(kCountryName, 30); }
  void SetCountryName(std::string_view v) { SetStrAt(kCountryName, 30, v); }
  std::string field62() const { return StrAt(kField62, 8); }
  void SetField62(std::string_view v) { SetStrAt(kField62, 8, v); }
  std::int32_t validFrom() const { return I32At(kValidFrom); }
  void SetValidFrom(std::int32_t v) { SetI32At(kValidFrom, v); }
  std::int32_t validTo() const { return I32At(kValidTo); }
  void SetValidTo(std::int32_t v) { SetI32At(kValidTo, v); }
  std::int32_t changeDate() const { return I32At(kChangeDate); }
  void SetChangeDate(std::int32_t v) { SetI32At(kChangeDate, v); }
  std::string formerPrefix() const { return StrAt(kFormerPrefix, 6); }
  void SetFormerPrefix(std::string_view v) { SetStrAt(kFormerPrefix, 6, v); }
  char rangeEnd() const { return CharAt(kRangeEnd); }
  void SetRangeEnd(char v) { SetCharAt(kRangeEnd, v); }
  std::int16_t entityNumber() const { return I16At(kEntityNumber); }
  void SetEntityNumber(std::int16_t v) { SetU16At(kEntityNumber, static_cast<std::uint16_t>(v)); }
  std::string aliasPrefix() const { return StrAt(kAliasPrefix, 6); }
  void SetAliasPrefix(std::string_view v) { SetStrAt(kAliasPrefix, 6, v); }
  std::int32_t secondChangeDate() const { return I32At(kSecondChangeDate); }
  void SetSecondChangeDate(std::int32_t v) { SetI32At(kSecondChangeDate, v); }
  std::string secondFormerPrefix() const { return StrAt(kSecondFormerPrefix, 6); }
  void SetSecondFormerPrefix(std::string_view v) { SetStrAt(kSecondFormerPrefix, 6, v); }
  std::string alternativePrefix() const { return StrAt(kAlternativePrefix, 6); }
  void SetAlternativePrefix(std::string_view v) { SetStrAt(kAlternativePrefix, 6, v); }
  char classChar() const { return CharAt(kClass); }
  void SetClassChar(char v) { SetCharAt(kClass, v); }
  char matchKind() const { return CharAt(kMatchKind); }
  void SetMatchKind(char v) { SetCharAt(kMatchKind, v); }
};

/// Key 1..14 of a prefix table record ("" for any other number; keys 13 and 14 exist in
/// KXPREFIX only, which the fileblock's key count takes care of).
std::string PrefixKey(const char* record, int key);

} // namespace tarvik
