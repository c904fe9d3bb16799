#pragma once
// The records of the product family's setup files: the setup record (KXSETUP, one record),
// the second setup record (KXSETUP2) and the station profiles (KXPRO, variable length).
// The family's other programs share these files, so everything this program does not
// interpret is kept byte for byte.
//
// Setup record (KXSETUP, 3530 bytes; key 1 = NumKey5(record number), unique, numbered by Add):
//      4  i32       record number
//    703  i32 x5    colours: window, panels, grid, label colour 1, label colour 2
//                   (all five 0: no scheme stored)
//    723  7 x 9     portable designators 1-9: str[3], flag byte, 2 bytes kept
//   1776  str[6]    own locator
//   1795  i32       UtcCorrection in hours
//   2103  str[50]   name ("__EigName__")
//   2154  str[50]   street ("__EigStrasse__")
//   2205  str[50]   postcode and place ("__EigOrt__")
//   2256  str[50]   country ("__EigLand__")
//   2307  str[10]   DOK ("__EigDOK__")
//   2318  str[6]    locator ("__EigLocator__")
//   2325  str[2]    WAZ zone ("__EigWAZ__")
//   2328  str[2]    ITU zone ("__EigITU__")
//   2331  str[50]   e-mail ("__EigEMail__")
//   2382  str[100]  internet ("__EigInternet__")
//   2483  str[14]   QSL manager ("__EigQSLManager__")
//   2498  str[14]x4 former calls 1-4, 15 bytes apart ("__EigExCall1__" ...)
//   2558  str[20]x5 memberships 1-5, 21 bytes apart ("__EigMitglied1__" ...)
//   2663  str[25]x3 station lines 1-3, 26 bytes apart ("__EigStation1__" ...)
//   3171  str[20]   listener (SWL) name
//   3400  str[14]   own call sign
//   This program's own settings, in bytes the family leaves unused:
//   3500  chr       language: "E" English; "D" (and anything else, 0 in a new record) German
//   3501  byte      name style (0 names as typed, 1..4 as StyleName)
//   3502  i32       current profile number (0: none chosen)
//   3506  str[17]   date format picture ("" means "dd.mm.yyyy")
//   3524..3529      unused
// All other bytes are family settings that are kept as found.
//
// Setup record 2 (KXSETUP2, 50408 bytes; key 1 as above): 4 i32 record number; six str[10]
// at 1668, 1679, 1690, 1701, 1712, 1723; the rest is family data, kept.
//
// Profile (KXPRO, variable length: sections of 14699 bytes, at most 54699 bytes):
// 4 i32 profile number (key 1 = NumKey5, unique, numbered by Add); 8 str[20] profile name
// (key 2 = Pad(name, 20), duplicates allowed); the rest is family data, kept.

#include <array>
#include <string>

#include "radio/base_call.h"
#include "recordfile/record_view.h"

namespace tarvik {

class SetupRecord : public RecordView {
public:
  static constexpr int kLength = 3530;
  static constexpr int kColours = 5;
  static constexpr int kDesignators = 9;
  static constexpr int kFormerCalls = 4;
  static constexpr int kMemberships = 5;
  static constexpr int kStationLines = 3;

  enum Offset : int {
    kRecordNumber = 4,
    kColour1 = 703,
    kDesignator1 = 723,
    kDesignatorSize = 7,
    kOwnLocator = 1776,
    kUtcCorrection = 1795,
    kName = 2103,
    kStreet = 2154,
    kPostcodePlace = 2205,
    kCountry = 2256,
    kDok = 2307,
    kLocator = 2318,
    kWaz = 2325,
    kItu = 2328,
    kEmail = 2331,
    kInternet = 2382,
    kQslManager = 2483,
    kFormerCall1 = 2498,
    kMembership1 = 2558,
    kStationLine1 = 2663,
    kListenerName = 3171,
    kOwnCall = 3400,
    kLanguage = 3500,
    kNameStyle = 3501,
    kProfileNumber = 3502,
    kDateFormat = 3506,
  };
  static constexpr int kDateFormatCapacity = 17;

  using RecordView::RecordView;
  explicit SetupRecord(char* data) : RecordView(data, kLength) {}
  explicit SetupRecord(const char* data) : RecordView(data, kLength) {}

  std::int32_t recordNumber() const { return I32At(kRecordNumber); }
  void SetRecordNumber(std::int32_t v) { SetI32At(kRecordNumber, v); }

  /// Colour 1..5 (0 for any other number).
  std::int32_t Colour(int n) const;
  void SetColour(int n, std::int32_t value);

  /// Portable designator 1..9 (text and flag; an empty one for any other number).
  PortableDesignator Designator(int n) const;
  /// Writes text (cut to 3) and flag of designator 1..9; its two further bytes are kept.
  void SetDesignator(int n, const PortableDesignator& d);
  std::array<PortableDesignator, kDesignators> Designators() const;

  std::string ownLocator() const { return StrAt(kOwnLocator, 6); }
  void SetOwnLocator(std::string_view v) { SetStrAt(kOwnLocator, 6, v); }
  std::int32_t utcCorrection() const { return I32At(kUtcCorrection); }
  void SetUtcCorrection(std::int32_t v) { SetI32At(kUtcCorrection, v); }

  // Own station block.
  std::string name() const { return StrAt(kName, 50); }
  void SetName(std::string_view v) { SetStrAt(kName, 50, v); }
  std::string street() const { return StrAt(kStreet, 50); }
  void SetStreet(std::string_view v) { SetStrAt(kStreet, 50, v); }
  std::string postcodePlace() const { return StrAt(kPostcodePlace, 50); }
  void SetPostcodePlace(std::string_view v) { SetStrAt(kPostcodePlace, 50, v); }
  std::string country() const { return StrAt(kCountry, 50); }
  void SetCountry(std::string_view v) { SetStrAt(kCountry, 50, v); }
  std::string dok() const { return StrAt(kDok, 10); }
  void SetDok(std::string_view v) { SetStrAt(kDok, 10, v); }
  std::string stationLocator() const { return StrAt(kLocator, 6); }
  void SetStationLocator(std::string_view v) { SetStrAt(kLocator, 6, v); }
  std::string wazZone() const { return StrAt(kWaz, 2); }
  void SetWazZone(std::string_view v) { SetStrAt(kWaz, 2, v); }
  std::string ituZone() const { return StrAt(kItu, 2); }
  void SetItuZone(std::string_view v) { SetStrAt(kItu, 2, v); }
  std::string email() const { return StrAt(kEmail, 50); }
  void SetEmail(std::string_view v) { SetStrAt(kEmail, 50, v); }
  std::string internet() const { return StrAt(kInternet, 100); }
  void SetInternet(std::string_view v) { SetStrAt(kInternet, 100, v); }
  std::string qslManager() const { return StrAt(kQslManager, 14); }
  void SetQslManager(std::string_view v) { SetStrAt(kQslManager, 14, v); }
  /// Former call 1..4, membership 1..5, station line 1..3 ("" for other numbers).
  std::string formerCall(int n) const;
  void SetFormerCall(int n, std::string_view v);
  std::string membership(int n) const;
  void SetMembership(int n, std::string_view v);
  std::string stationLine(int n) const;
  void SetStationLine(int n, std::string_view v);

  std::string listenerName() const { return StrAt(kListenerName, 20); }
  void SetListenerName(std::string_view v) { SetStrAt(kListenerName, 20, v); }
  std::string ownCall() const { return StrAt(kOwnCall, 14); }
  void SetOwnCall(std::string_view v) { SetStrAt(kOwnCall, 14, v); }

  /// 1 German, 0 English.
  int language() const { return CharAt(kLanguage) == 'E' ? 0 : 1; }
  void SetLanguage(int flag) { SetCharAt(kLanguage, flag == 1 ? 'D' : 'E'); }
  std::uint8_t nameStyle() const { return ByteAt(kNameStyle); }
  void SetNameStyle(std::uint8_t v) { SetByteAt(kNameStyle, v); }
  std::int32_t profileNumber() const { return I32At(kProfileNumber); }
  void SetProfileNumber(std::int32_t v) { SetI32At(kProfileNumber, v); }
  /// The stored date picture, or "dd.mm.yyyy" when none is stored.
  std::string dateFormat() const;
  void SetDateFormat(std::string_view picture) {
    SetStrAt(kDateFormat, kDateFormatCapacity, picture);
  }

  /// The texts that replace the label placeholders ("__EigName__" ...) of the outputs; ""
  /// for a text that is no placeholder.
  std::string PlaceholderText(std::string_view placeholder) const;
};

class Setup2Record : public RecordView {
public:
  static constexpr int kLength = 50408;
  static constexpr int kTexts = 6;
  enum Offset : int { kRecordNumber = 4, kText1 = 1668 };

  using RecordView::RecordView;
  explicit Setup2Record(char* data) : RecordView(data, kLength) {}
  explicit Setup2Record(const char* data) : RecordView(data, kLength) {}

  std::int32_t recordNumber() const { return I32At(kRecordNumber); }
  void SetRecordNumber(std::int32_t v) { SetI32At(kRecordNumber, v); }
  /// Text 1..6 ("" for other numbers).
  std::string Text(int n) const;
  void SetText(int n, std::string_view v);
};

class ProfileRecord : public RecordView {
public:
  static constexpr int kSectionLength = 14699;
  static constexpr int kMaxLength = 54699;
  enum Offset : int { kProfileNumber = 4, kName = 8 };

  using RecordView::RecordView;
  explicit ProfileRecord(char* data) : RecordView(data, kMaxLength) {}
  explicit ProfileRecord(const char* data) : RecordView(data, kMaxLength) {}

  std::int32_t profileNumber() const { return I32At(kProfileNumber); }
  void SetProfileNumber(std::int32_t v) { SetI32At(kProfileNumber, v); }
  std::string name() const { return StrAt(kName, 20); }
  void SetName(std::string_view v) { SetStrAt(kName, 20, v); }
};

std::string SetupKey(const char* record, int key);   // KXSETUP and KXSETUP2
std::string ProfileKey(const char* record, int key); // KXPRO

} // namespace tarvik
