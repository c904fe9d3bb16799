#include "contest/qso_points.h"

#include <algorithm>
#include <cstdlib>
#include <initializer_list>

#include "base/strings.h"
#include "contest/qso_checks.h"
#include "datafiles/log_scan.h"
#include "datafiles/report.h"
#include "recordfile/record_view.h"

namespace tarvik {

namespace {

bool BeginsWith(std::string_view text, std::string_view prefix) {
  return text.substr(0, prefix.size()) == prefix;
}

bool OneOf(std::string_view text, std::initializer_list<std::string_view> values) {
  return std::find(values.begin(), values.end(), text) != values.end();
}

bool IsPortable(std::string_view call) {
  for (std::string_view mark : {"/p", "/P", "/m", "/M", "/mm", "/MM", "/am", "/AM"})
    if (call.find(mark) != std::string_view::npos)
      return true;
  return false;
}

// The numeric value of an exchange of digits; 0 for anything else.
int NumericValue(std::string_view text) {
  if (text.empty() || text.size() > 9)
    return 0;
  int value = 0;
  for (char c : text) {
    if (c < '0' || c > '9')
      return 0;
    value = value * 10 + (c - '0');
  }
  return value;
}

// Coordinates of a 4-character square: field letter x 10 + square digit.
bool SquareCoordinates(std::string_view locator, int& x, int& y) {
  if (locator.size() < 4)
    return false;
  const char lon = locator[0], lat = locator[1], lonDigit = locator[2], latDigit = locator[3];
  if (lon < 'A' || lon > 'R' || lat < 'A' || lat > 'R' || lonDigit < '0' || lonDigit > '9' ||
      latDigit < '0' || latDigit > '9')
    return false;
  x = (lon - 'A') * 10 + (lonDigit - '0');
  y = (lat - 'A') * 10 + (latDigit - '0');
  return true;
}

class Rule {
public:
  Rule(const QsoRecord& record, const PointContext& context, std::int32_t storedRecord)
      : r_(record), c_(context), def_(*context.definition), stored_(storedRecord),
        call_(record.Call()), dok_(record.FullDok()), exchange_(ReportExchange(record.RSTr())) {}

  int Points() const;

private:
  bool ShortCall() const { return call_.size() < 3; }
  bool Club() const { return IsClubStation(call_); }
  bool OwnDok() const { return !c_.ownDok.empty() && dok_ == c_.ownDok; }
  bool ListedSpecial() const { return ListContains(def_.SpecialDokList, dok_); }
  bool LetterDistrict() const {
    return IsDistrictDok(dok_) && def_.HomeDistrict.find(dok_[0]) != std::string::npos;
  }
  bool Category(std::initializer_list<int> categories) const {
    return std::find(categories.begin(), categories.end(), c_.category) != categories.end();
  }
  bool Band(std::string_view bands) const { return bands.find(r_.Band()) != std::string::npos; }
  int Qrb() const { return std::max(0, r_.QRB()); }
  bool FirstOwnDokQso() const;
  int SquareDistanceToOwn() const { return SquareDistance(c_.ownLocator, r_.Locator()); }

  const QsoRecord& r_;
  const PointContext& c_;
  const ContestDefinition& def_;
  std::int32_t stored_;
  std::string call_;
  std::string dok_;
  std::string exchange_;
};

bool Rule::FirstOwnDokQso() const {
  if (c_.log == nullptr)
    return true;
  std::int32_t first = 0;
  VisitRecords(*c_.log, qso_key::kDok, KeyPad(dok_, 8), [&](std::int32_t ref, const QsoRecord&) {
    first = ref;
    return false;
  });
  return first == 0 || first == stored_;
}

int Rule::Points() const {
  switch (c_.code) {
  case '1':
    return 1;
  case '2':
    if (ShortCall())
      return 1;
    if (call_ == "DF0WN")
      return 6;
    if ((dok_.size() == 2 || dok_.size() == 3) && dok_.back() == 'N')
      return 3;
    return Club() ? 2 : 1;
  case '3':
    if (ShortCall())
      return 1;
    if (call_ == "DF0WN")
      return 10;
    return Club() ? 5 : 1;
  case '4': {
    if (call_.size() < 2)
      return 0;
    const std::string report = r_.RSTr();
    const std::size_t slash = report.find('/');
    return slash != std::string::npos && slash + 1 < report.size() ? 2 : 1;
  }
  case '5':
    return BeginsWith(call_, "DN") ? 5 : 3;
  case '6': {
    const std::string exchange = TrimBlanks(exchange_);
    if (BeginsWith(exchange, "NM"))
      return 1;
    return exchange.empty() ? 1 : 5;
  }
  case '7': {
    if (Category({3, 4}))
      return Qrb();
    const std::string first4 = TrimBlanks(exchange_.substr(0, 4));
    return first4.empty() || first4 == "0" || BeginsWith(first4, "NM") ? 1 : 10;
  }
  case '8':
    return ShortCall() ? 0 : Qrb();
  case '9': {
    if (ShortCall())
      return 0;
    const bool europe = r_.Continent() == "EU";
    if (IsPortable(call_))
      return europe ? 4 : 6;
    if (c_.category == 6)
      return 0;
    return europe ? 2 : 3;
  }
  case 'A':
    return OneOf(call_, {"DA0HSC", "DK0HSC", "DL0HSC", "DA0RTC", "DK0RTC", "DL0RTC", "DF0ACW",
                         "DF0AGC", "DL0AGC", "DK0AG", "DL0CWW", "DL0DA"})
               ? 2
               : 1;
  case 'B':
    if (Category({4}))
      return OwnDok() ? 1 : 2;
    if (Category({2, 3}))
      return OwnDok() ? 0 : Qrb();
    return OwnDok() ? 0 : 1;
  case 'C':
    if (def_.ListenerLog != 0)
      return 1;
    if (!Category({1, 4}))
      return 3;
    return ListedSpecial() || LetterDistrict() ? 3 : 1;
  case 'D':
    return 2;
  case 'E':
    if (ShortCall() || r_.Continent() != "EU")
      return 0;
    return Qrb();
  case 'F':
    if (ShortCall() || OwnDok())
      return 0;
    return Category({3, 4}) ? Qrb() : 1;
  case 'G':
    if (ShortCall())
      return 0;
    if (Category({7, 8}) && OwnDok())
      return 0;
    return Category({3, 4, 5, 6}) ? Qrb() : 1;
  case 'H':
    if (r_.Prefix() != "4X" || !HolylandSquareValid(dok_))
      return 0;
    return Band("abc") ? 2 : 1;
  case 'I':
  case 'l':
    if (ShortCall())
      return 0;
    return BeginsWith(dok_, "I") && Club() ? 2 : 1;
  case 'J':
    if (ShortCall())
      return 0;
    return Band("kl") ? Qrb() : 1;
  case 'K':
    if (!OwnDok())
      return 1;
    return FirstOwnDokQso() ? 1 : 0;
  case 'L':
    if (ShortCall())
      return 0;
    if (OneOf(call_, {"DL0JRR", "DL0DRG", "DK0RYL", "DF0KOL", "DL0YLL"}))
      return 10;
    return Club() ? 5 : 1;
  case 'N': {
    if (ShortCall())
      return 0;
    int points = 0;
    const int qrb = Qrb();
    switch (r_.Band()) {
    case 'j':
    case 'k':
    case 'l':
      points = std::min(qrb, 2000);
      break;
    case 'm':
      points = qrb;
      break;
    case 'n':
      points = 2 * qrb;
      break;
    case 'o':
      points = 3 * qrb;
      break;
    case 'p':
      points = 4 * qrb;
      break;
    case 'q':
      points = 5 * qrb;
      break;
    case 's':
      points = 6 * qrb;
      break;
    default:
      points = 0;
    }
    const std::string square = r_.Locator().substr(0, 4);
    if (square.size() == 4 && r_.MultMark1() == square)
      points += 500;
    return points;
  }
  case 'O':
    if (ShortCall())
      return 1;
    if (OwnDok())
      return 0;
    return Band("kl") ? Qrb() : 1;
  case 'P': {
    if (ShortCall())
      return 0;
    const std::string exchange = TrimBlanks(exchange_);
    int points = 0;
    if (exchange == "0" || exchange == "00")
      points = 100;
    else if (exchange == "XX")
      points = 20;
    else
      points = NumericValue(exchange);
    return points + (BeginsWith(call_, "DN") ? 20 : 0);
  }
  case 'Q':
    if (ShortCall())
      return 1;
    if (ListedSpecial() || LetterDistrict())
      return dok_ == "DVT" ? 10 : 5;
    return 1;
  case 'R':
    if (ShortCall())
      return 0;
    if (OwnDok())
      return FirstOwnDokQso() ? 1 : 0;
    return Category({1, 3, 5}) ? 5 : 1;
  case 'S':
  case 'T':
  case 'U':
  case 'a':
  case 'b':
    return ShortCall() ? 0 : 1;
  case 'V': {
    const bool counted = ListedSpecial() || LetterDistrict();
    if (Category({8, 9}))
      return counted ? 1 : 0;
    return counted ? 3 : 1;
  }
  case 'Y':
    if (OneOf(call_,
              {"DB0DBP", "DA0DBP", "DL0Z", "DK0Z", "DF0Z", "DA0Z", "DF0DBP", "DK0DBP", "DL0DBP"}))
      return 10;
    if (LetterDistrict() || ListContains(def_.DokList, dok_))
      return 5;
    return 1;
  case 'Z':
    if (ShortCall())
      return 0;
    return !def_.PointText.empty() && r_.RSTr().find(def_.PointText) != std::string::npos ? 5 : 1;
  case 'c': {
    if (ShortCall())
      return 1;
    const std::string mode = r_.Mode();
    if (mode == "FM")
      return 2;
    if (mode == "SSB")
      return 4;
    return mode == "CW" ? 6 : 1;
  }
  case 'd':
    if (ShortCall())
      return 0;
    if (ListedSpecial() || LetterDistrict())
      return Club() ? 3 : 2;
    return 1;
  case 'e':
    if (OwnDok())
      return 0;
    return SquareDistanceToOwn() + (!IsDistrictDok(dok_) && dok_.size() >= 2 ? 10 : 0);
  case 'f':
    return 1;
  case 'g':
    if (OwnDok())
      return 0;
    return SquareDistanceToOwn() + (!IsDistrictDok(dok_) && ListedSpecial() ? 10 : 0);
  case 'h':
    if (ShortCall() || OwnDok())
      return 0;
    if (r_.Band() == 'm')
      return 2;
    return r_.Band() == 'n' ? 3 : 1;
  case 'i': {
    const std::string first2 = TrimBlanks(exchange_.substr(0, 2));
    if (first2.empty() || first2 == "NM")
      return 1;
    return exchange_[0] < '0' || exchange_[0] > '9' ? 10 : 1;
  }
  case 'j':
    return ShortCall() ? 0 : Qrb();
  case 'k':
    if (call_.size() < 2)
      return 0;
    if (OneOf(call_, {"DA0QC", "DK0QCW", "DL0QCW"}))
      return 10;
    return TrimBlanks(exchange_).size() >= 5 ? 5 : 1;
  default:
    return 2;
  }
}

} // namespace

int SquareDistance(std::string_view ownLocator, std::string_view locator) {
  int ownX = 0, ownY = 0, x = 0, y = 0;
  if (!SquareCoordinates(ownLocator, ownX, ownY) || !SquareCoordinates(locator, x, y))
    return 0;
  return 1 + std::max(std::abs(ownX - x), std::abs(ownY - y));
}

int QsoPoints(const QsoRecord& record, const PointContext& context, std::int32_t storedRecord) {
  if (context.definition == nullptr)
    return 0;
  return std::max(0, Rule(record, context, storedRecord).Points());
}

std::uint16_t StoredPoints(int points) {
  return static_cast<std::uint16_t>(std::clamp(points, 0, 65535));
}

} // namespace tarvik
