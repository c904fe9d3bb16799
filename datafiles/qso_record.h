#pragma once
// The QSO record of a contest's log file KXLK<nnnn> (and of its temporary copy KXLKTEMP),
// 216 bytes, and the keys of the log file.
//
//   Off  Type     Field        Off  Type     Field          Off  Type     Field
//     0  i32      status       125  str[6]   DOK (1-6)      172  byte     Flag172
//     4  i32      LfdNr        132  chr      Band           173  str[9]   RSTsA (1-9)
//     8  str[12]  Call         133  i32      BandSerial     183  str[9]   RSTrA (1-9)
//    21  str[6]   Locator      137  u16      Punkte         193  chr      QSLs
//    28  i32      Datum        139  chr      QSLr           194  str[2]   DOK2 (7-8)
//    32  i32      Zeit         140  str[12]  Call2          197  str[2]   RSTrB (10-11)
//    36  str[6]   Mode         153  str[6]   MultMark1      200  str[2]   RSTsB (10-11)
//    43  str[7]   RSTsD (14-20) 160 i32      BandNr         203  f32      Freq
//    51  str[7]   RSTrD (14-20) 164 bool     PrefixFest     207  str[2]   RSTrC (12-13)
//    59  str[6]   MultMark2    165  chr      QSYBand        210  str[2]   RSTsC (12-13)
//    66  i32      QRB          166  i32      QSONr          213  u16      ModeNr
//    70  str[6]   Prefix2      170  chr      Multi1         215  byte     unused
//    77  str[6]   Prefix       171  chr      Multi2
//    84  str[30]  NameQTH
//   115  byte     Flag115      (written by other tools only; kept)
//   116  str[2]   Kenner
//   119  str[2]   (written by other tools only; kept)
//   122  str[2]   Continent
//
// The 20-character reports are stored in four pieces (characters 1-9, 10-11, 12-13,
// 14-20) because the pieces fill bytes the predecessor's 215-byte record left free; the
// received DOK likewise in two (1-6, 7-8). Flag115, the string at 119, Multi1 and Multi2 are
// never written by this program: they have getters only and survive every rewrite.
//
// Keys (all allow duplicates except key 4; "Bd" is the band letter, BaseCall the home call,
// Pad cuts or pads with blanks):
//    1 (8)  Long4(Datum) + Long4(Zeit)            15 (2)  Bd + Multi2
//    2 (22) Pad(BaseCall(Call),14) + key 1         16 (2)  Multi1 + Multi2
//    3 (14) Pad(Locator,6) + key 1                 17 (2)  Bd + (Multi1, or Multi2 when Multi1
//    4 (5)  NumKey5(LfdNr), unique, numbered by Add        is 0 and Multi2 neither 0 nor blank)
//    5 (6)  Pad(Prefix,6)                          18 (8)  Pad(DOK+DOK2, 8)
//    6 (14) Pad(BaseCall(Call),14)                 19 (6)  Pad(MultMark1, 6)
//    7 (1)  "1" when Flag115 = 1, else " "         20 (6)  Pad(Call2, 6)
//    8 (6)  Bd + NumKey5(BandNr)                   21 (9)  Bd + Pad(DOK+DOK2, 8)
//    9 (21) Bd + Pad(BaseCall(Call),14) + Pad(Mode,6)  22 (7)  Bd + Pad(Prefix2, 6)
//   10 (7)  Bd + Pad(Prefix,6)                     23 (7)  Bd + Pad(Locator, 6)
//   11 (6)  Bd + NumKey5(99999999 - BandSerial)    24 (6)  ModeGroup(Mode) + NumKey5(99999999
//   12 (6)  Bd + NumKey5(99999999 - BandNr)                - ModeNr)
//   13 (5)  NumKey5(QSONr)                         25 (3)  Bd + Pad(Kenner, 2)
//   14 (2)  Bd + Multi1                            26 (3)  Pad(Kenner, 2)
//                                                  27 (7)  Bd + Pad(Call2, 6)
// Keys 11, 12 and 24 run backwards: the newest number comes first.
// KXLKTEMP has one key: NumKey5(LfdNr), 5 characters, unique, numbered by Add.

#include <string>

#include "recordfile/record_view.h"

namespace tarvik {

/// The keys of a QSO log by their number (the table above).
namespace qso_key {
inline constexpr int kDateTime = 1;          ///< date + time
inline constexpr int kCallDateTime = 2;      ///< home call + date + time
inline constexpr int kLocatorDateTime = 3;   ///< locator + date + time
inline constexpr int kRecord = 4;            ///< LfdNr (entry order), unique
inline constexpr int kPrefix = 5;            ///< prefix
inline constexpr int kCall = 6;              ///< home call
inline constexpr int kFlag115 = 7;           ///< "1" when Flag115 is 1
inline constexpr int kBandNumber = 8;        ///< band + number on the band
inline constexpr int kBandCallMode = 9;      ///< band + home call + mode
inline constexpr int kBandPrefix = 10;       ///< band + prefix
inline constexpr int kBandSerialNewest = 11; ///< band + serial number, newest first
inline constexpr int kBandNumberNewest = 12; ///< band + number on the band, newest first
inline constexpr int kQsoNumber = 13;        ///< QSO number
inline constexpr int kBandMulti1 = 14;       ///< band + Multi1
inline constexpr int kBandMulti2 = 15;       ///< band + Multi2
inline constexpr int kMultis = 16;           ///< Multi1 + Multi2
inline constexpr int kBandMulti = 17;        ///< band + Multi1 (or Multi2)
inline constexpr int kDok = 18;              ///< DOK + DOK2
inline constexpr int kMultMark1 = 19;        ///< MultMark1
inline constexpr int kCall2 = 20;            ///< Call2
inline constexpr int kBandDok = 21;          ///< band + DOK + DOK2
inline constexpr int kBandPrefix2 = 22;      ///< band + Prefix2
inline constexpr int kBandLocator = 23;      ///< band + locator
inline constexpr int kModeGroupNewest = 24;  ///< mode group + number per mode, newest first
inline constexpr int kBandKenner = 25;       ///< band + Kenner
inline constexpr int kKenner = 26;           ///< Kenner
inline constexpr int kBandCall2 = 27;        ///< band + Call2
} // namespace qso_key

class QsoRecord : public RecordView {
public:
  static constexpr int kLength = 216;
  static constexpr int kKeys = 27;
  static constexpr int kReportLength = 20;

  enum Offset : int {
    kLfdNr = 4,
    kCall = 8,
    kLocator = 21,
    kDatum = 28,
    kZeit = 32,
    kMode = 36,
    kRSTsD = 43,
    kRSTrD = 51,
    kMultMark2 = 59,
    kQRB = 66,
    kPrefix2 = 70,
    kPrefix = 77,
    kNameQTH = 84,
    kFlag115 = 115,
    kKept119 = 119,
    kKenner = 116,
    kContinent = 122,
    kDOK = 125,
    kBand = 132,
    kBandSerial = 133,
    kPunkte = 137,
    kQSLr = 139,
    kCall2 = 140,
    kMultMark1 = 153,
    kBandNr = 160,
    kPrefixFest = 164,
    kQSYBand = 165,
    kQSONr = 166,
    kMulti1 = 170,
    kMulti2 = 171,
    kFlag172 = 172,
    kRSTsA = 173,
    kRSTrA = 183,
    kQSLs = 193,
    kDOK2 = 194,
    kRSTrB = 197,
    kRSTsB = 200,
    kFreq = 203,
    kRSTrC = 207,
    kRSTsC = 210,
    kModeNr = 213,
  };

  using RecordView::RecordView;
  explicit QsoRecord(char* data) : RecordView(data, kLength) {}
  explicit QsoRecord(const char* data) : RecordView(data, kLength) {}

  std::int32_t LfdNr() const { return I32At(kLfdNr); }
  void SetLfdNr(std::int32_t v) { SetI32At(kLfdNr, v); }
  std::string Call() const { return StrAt(kCall, 12); }
  void SetCall(std::string_view v) { SetStrAt(kCall, 12, v); }
  std::string Locator() const { return StrAt(kLocator, 6); }
  void SetLocator(std::string_view v) { SetStrAt(kLocator, 6, v); }
  std::int32_t Datum() const { return I32At(kDatum); }
  void SetDatum(std::int32_t v) { SetI32At(kDatum, v); }
  std::int32_t Zeit() const { return I32At(kZeit); }
  void SetZeit(std::int32_t v) { SetI32At(kZeit, v); }
  std::string Mode() const { return StrAt(kMode, 6); }
  void SetMode(std::string_view v) { SetStrAt(kMode, 6, v); }
  std::string MultMark2() const { return StrAt(kMultMark2, 6); }
  void SetMultMark2(std::string_view v) { SetStrAt(kMultMark2, 6, v); }
  std::int32_t QRB() const { return I32At(kQRB); }
  void SetQRB(std::int32_t v) { SetI32At(kQRB, v); }
  std::string Prefix2() const { return StrAt(kPrefix2, 6); }
  void SetPrefix2(std::string_view v) { SetStrAt(kPrefix2, 6, v); }
  std::string Prefix() const { return StrAt(kPrefix, 6); }
  void SetPrefix(std::string_view v) { SetStrAt(kPrefix, 6, v); }
  std::string NameQTH() const { return StrAt(kNameQTH, 30); }
  void SetNameQTH(std::string_view v) { SetStrAt(kNameQTH, 30, v); }
  std::uint8_t Flag115() const { return ByteAt(kFlag115); }
  std::string Kenner() const { return StrAt(kKenner, 2); }
  void SetKenner(std::string_view v) { SetStrAt(kKenner, 2, v); }
  std::string Continent() const { return StrAt(kContinent, 2); }
  void SetContinent(std::string_view v) { SetStrAt(kContinent, 2, v); }
  char Band() const { return CharAt(kBand); }
  void SetBand(char v) { SetCharAt(kBand, v); }
  std::int32_t BandSerial() const { return I32At(kBandSerial); }
  void SetBandSerial(std::int32_t v) { SetI32At(kBandSerial, v); }
  std::uint16_t Punkte() const { return U16At(kPunkte); }
  void SetPunkte(std::uint16_t v) { SetU16At(kPunkte, v); }
  char QSLr() const { return CharAt(kQSLr); }
  void SetQSLr(char v) { SetCharAt(kQSLr, v); }
  std::string Call2() const { return StrAt(kCall2, 12); }
  void SetCall2(std::string_view v) { SetStrAt(kCall2, 12, v); }
  std::string MultMark1() const { return StrAt(kMultMark1, 6); }
  void SetMultMark1(std::string_view v) { SetStrAt(kMultMark1, 6, v); }
  std::int32_t BandNr() const { return I32At(kBandNr); }
  void SetBandNr(std::int32_t v) { SetI32At(kBandNr, v); }
  bool PrefixFest() const { return BoolAt(kPrefixFest); }
  void SetPrefixFest(bool v) { SetBoolAt(kPrefixFest, v); }
  /// The band letter of a band-change marker record; 0 in a QSO.
  char QSYBand() const { return CharAt(kQSYBand); }
  void SetQSYBand(char v) { SetCharAt(kQSYBand, v); }
  bool IsBandChangeMarker() const { return QSYBand() != 0; }
  std::int32_t QSONr() const { return I32At(kQSONr); }
  void SetQSONr(std::int32_t v) { SetI32At(kQSONr, v); }
  char Multi1() const { return CharAt(kMulti1); }
  char Multi2() const { return CharAt(kMulti2); }
  std::uint8_t Flag172() const { return ByteAt(kFlag172); }
  void SetFlag172(std::uint8_t v) { SetByteAt(kFlag172, v); }
  char QSLs() const { return CharAt(kQSLs); }
  void SetQSLs(char v) { SetCharAt(kQSLs, v); }
  float Freq() const { return F32At(kFreq); }
  void SetFreq(float v) { SetF32At(kFreq, v); }
  std::uint16_t ModeNr() const { return U16At(kModeNr); }
  void SetModeNr(std::uint16_t v) { SetU16At(kModeNr, v); }

  /// The sent report: RSTsA + RSTsB + RSTsC + RSTsD (at most 20 characters).
  std::string RSTs() const;
  /// Stores a sent report (cut to 20 characters) in its four pieces.
  void SetRSTs(std::string_view report);
  /// The received report, likewise.
  std::string RSTr() const;
  void SetRSTr(std::string_view report);
  /// The received DOK: DOK + DOK2 (at most 8 characters).
  std::string FullDok() const { return StrAt(kDOK, 6) + StrAt(kDOK2, 2); }
  /// Stores a DOK (cut to 8 characters): characters 1-6 in DOK, 7-8 in DOK2.
  void SetFullDok(std::string_view dok);
  /// The pieces themselves, for tools that show the stored bytes.
  std::string DokPiece() const { return StrAt(kDOK, 6); }
  std::string Dok2Piece() const { return StrAt(kDOK2, 2); }
};

/// Key `key` (1..27) of a QSO record; "" for any other number. Uses the process-wide
/// portable designators (BaseCall) and mode groups.
std::string QsoKey(const char* record, int key);
/// Key 1 of KXLKTEMP: NumKey5(LfdNr).
std::string QsoTempKey(const char* record, int key);

} // namespace tarvik
