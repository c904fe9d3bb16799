#include "datafiles/qso_record.h"

#include "radio/base_call.h"
#include "radio/modes.h"
#include "recordfile/key_codec.h"

namespace tarvik {

namespace {

// Report characters 1-9, 10-11, 12-13 and 14-20 and where each piece is stored.
struct ReportPieces {
  int a, b, c, d;
};
constexpr ReportPieces kSent{QsoRecord::kRSTsA, QsoRecord::kRSTsB, QsoRecord::kRSTsC,
                             QsoRecord::kRSTsD};
constexpr ReportPieces kRcvd{QsoRecord::kRSTrA, QsoRecord::kRSTrB, QsoRecord::kRSTrC,
                             QsoRecord::kRSTrD};

std::string JoinReport(const QsoRecord& r, const ReportPieces& p) {
  return r.StrAt(p.a, 9) + r.StrAt(p.b, 2) + r.StrAt(p.c, 2) + r.StrAt(p.d, 7);
}

std::string_view Piece(std::string_view s, std::size_t from, std::size_t n) {
  return from < s.size() ? s.substr(from, n) : std::string_view();
}

void SplitReport(QsoRecord& r, const ReportPieces& p, std::string_view report) {
  report = report.substr(0, QsoRecord::kReportLength);
  r.SetStrAt(p.a, 9, Piece(report, 0, 9));
  r.SetStrAt(p.b, 2, Piece(report, 9, 2));
  r.SetStrAt(p.c, 2, Piece(report, 11, 2));
  r.SetStrAt(p.d, 7, Piece(report, 13, 7));
}

std::string Chr(char c) {
  return std::string(1, c);
}

/// 99999999 - v for the keys that run backwards; values read from disk may be anything, so
/// the subtraction wraps instead of overflowing.
std::int32_t Backwards(std::int32_t v) {
  return static_cast<std::int32_t>(static_cast<std::int64_t>(99999999) - v);
}

} // namespace

std::string QsoRecord::RSTs() const {
  return JoinReport(*this, kSent);
}
void QsoRecord::SetRSTs(std::string_view report) {
  SplitReport(*this, kSent, report);
}
std::string QsoRecord::RSTr() const {
  return JoinReport(*this, kRcvd);
}
void QsoRecord::SetRSTr(std::string_view report) {
  SplitReport(*this, kRcvd, report);
}

void QsoRecord::SetFullDok(std::string_view dok) {
  dok = dok.substr(0, 8);
  SetStrAt(kDOK, 6, Piece(dok, 0, 6));
  SetStrAt(kDOK2, 2, Piece(dok, 6, 2));
}

std::string QsoKey(const char* record, int key) {
  const QsoRecord r(record);
  const std::string bd = Chr(r.Band());
  auto when = [&] { return Long4(r.Datum()) + Long4(r.Zeit()); };
  auto base = [&] { return KeyPad(BaseCall(r.Call(), kHomeCall), 14); };
  switch (key) {
  case qso_key::kDateTime:
    return when();
  case qso_key::kCallDateTime:
    return base() + when();
  case qso_key::kLocatorDateTime:
    return KeyPad(r.Locator(), 6) + when();
  case qso_key::kRecord:
    return NumKey5(r.LfdNr());
  case qso_key::kPrefix:
    return KeyPad(r.Prefix(), 6);
  case qso_key::kCall:
    return base();
  case qso_key::kFlag115:
    return r.Flag115() == 1 ? "1" : " ";
  case qso_key::kBandNumber:
    return bd + NumKey5(r.BandNr());
  case qso_key::kBandCallMode:
    return bd + base() + KeyPad(r.Mode(), 6);
  case qso_key::kBandPrefix:
    return bd + KeyPad(r.Prefix(), 6);
  case qso_key::kBandSerialNewest:
    return bd + NumKey5(Backwards(r.BandSerial()));
  case qso_key::kBandNumberNewest:
    return bd + NumKey5(Backwards(r.BandNr()));
  case qso_key::kQsoNumber:
    return NumKey5(r.QSONr());
  case qso_key::kBandMulti1:
    return bd + Chr(r.Multi1());
  case qso_key::kBandMulti2:
    return bd + Chr(r.Multi2());
  case qso_key::kMultis:
    return Chr(r.Multi1()) + Chr(r.Multi2());
  case qso_key::kBandMulti: {
    char m = r.Multi1();
    if (m == 0 && r.Multi2() != 0 && r.Multi2() != ' ')
      m = r.Multi2();
    return bd + Chr(m);
  }
  case qso_key::kDok:
    return KeyPad(r.FullDok(), 8);
  case qso_key::kMultMark1:
    return KeyPad(r.MultMark1(), 6);
  case qso_key::kCall2:
    return KeyPad(r.Call2(), 6);
  case qso_key::kBandDok:
    return bd + KeyPad(r.FullDok(), 8);
  case qso_key::kBandPrefix2:
    return bd + KeyPad(r.Prefix2(), 6);
  case qso_key::kBandLocator:
    return bd + KeyPad(r.Locator(), 6);
  case qso_key::kModeGroupNewest:
    return Chr(ModeGroup(r.Mode())) + NumKey5(Backwards(r.ModeNr()));
  case qso_key::kBandKenner:
    return bd + KeyPad(r.Kenner(), 2);
  case qso_key::kKenner:
    return KeyPad(r.Kenner(), 2);
  case qso_key::kBandCall2:
    return bd + KeyPad(r.Call2(), 6);
  default:
    return {};
  }
}

std::string QsoTempKey(const char* record, int key) {
  return key == 1 ? NumKey5(QsoRecord(record).LfdNr()) : std::string();
}

} // namespace tarvik
