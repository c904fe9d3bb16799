// Points per QSO by contest code, table-driven over hand-made records, and the score
// formula.

#include <gtest/gtest.h>

#include <array>

#include "contest/qso_points.h"
#include "contest/score.h"

namespace tarvik::test {
namespace {

struct Qso {
  const char* call = "DL1ABC";
  const char* dok = "";
  const char* exchange = ""; // the received report after its RST
  char band = 'b';
  const char* mode = "CW";
  int qrb = 0;
  const char* continent = "EU";
  const char* locator = "";
  const char* prefix = "DL";
  const char* mark1 = "";
};

struct Case {
  char code;
  int category;
  Qso qso;
  int points;
  const char* ownDok = "N01";
};

ContestDefinition Definition(bool listener = false) {
  ContestDefinition def;
  def.ListenerLog = listener ? 1 : 0;
  def.SpecialDokList = {"", "VFDB", "DVT"};
  def.DokList = {"Z19", "5N"};
  def.HomeDistrict = "NQ";
  def.PointText = "IPA";
  return def;
}

int Points(const Case& c, const ContestDefinition& def) {
  std::array<char, QsoRecord::kLength> bytes{};
  QsoRecord r(bytes.data());
  r.SetCall(c.qso.call);
  r.SetFullDok(c.qso.dok);
  r.SetRSTr(std::string("599") + c.qso.exchange);
  r.SetBand(c.qso.band);
  r.SetMode(c.qso.mode);
  r.SetQRB(c.qso.qrb);
  r.SetContinent(c.qso.continent);
  r.SetLocator(c.qso.locator);
  r.SetPrefix(c.qso.prefix);
  r.SetMultMark1(c.qso.mark1);
  PointContext context;
  context.code = c.code;
  context.definition = &def;
  context.category = c.category;
  context.ownDok = c.ownDok;
  context.ownLocator = "JO31MX";
  return QsoPoints(r, context);
}

TEST(QsoPoints, ByContestCode) {
  const Case cases[] = {
      // Code 2: DF0WN 6 even with "WN"; a DOK of 2-3 characters ending in N 3; club 2.
      {'2', 0, {.call = "DF0WN", .dok = "WN"}, 6},
      {'2', 0, {.call = "DL1ABC", .dok = "5N"}, 3},
      {'2', 0, {.call = "DL1ABC", .dok = "WN"}, 3},
      {'2', 0, {.call = "DL1ABC", .dok = "13N"}, 3},
      {'2', 0, {.call = "DK0XY", .dok = "O21"}, 2},
      {'2', 0, {.call = "DK0XY", .dok = "5N"}, 3},
      {'2', 0, {.call = "DL1ABC", .dok = "N01"}, 1},
      {'2', 0, {.call = "DL"}, 1},
      {'3', 0, {.call = "DF0WN"}, 10},
      {'3', 0, {.call = "DA0XX"}, 5},
      {'4', 0, {.exchange = "12/AB"}, 2},
      {'4', 0, {.exchange = "12/"}, 1},
      {'4', 0, {.call = "D"}, 0},
      {'5', 0, {.call = "DN1AB"}, 5},
      {'5', 0, {.call = "DL1AB"}, 3},
      {'6', 0, {.exchange = "NM"}, 1},
      {'6', 0, {.exchange = "1234"}, 5},
      {'6', 0, {.exchange = ""}, 1},
      {'7', 0, {.exchange = "0"}, 1},
      {'7', 0, {.exchange = "NM"}, 1},
      {'7', 0, {.exchange = "1234"}, 10},
      {'7', 3, {.exchange = "1234", .qrb = 77}, 77},
      {'8', 0, {.qrb = 345}, 345},
      {'8', 0, {.call = "DL", .qrb = 345}, 0},
      // Code 9: portable or mobile stations count more; category 6 scores no fixed station.
      {'9', 0, {.call = "DL1ABC/P"}, 4},
      {'9', 0, {.call = "DL1ABC/p", .continent = "AF"}, 6},
      {'9', 0, {.call = "DL1ABC/MM"}, 4},
      {'9', 0, {.call = "DL1ABC"}, 2},
      {'9', 0, {.call = "K1ABC", .continent = "NA"}, 3},
      {'9', 6, {.call = "DL1ABC"}, 0},
      {'9', 6, {.call = "DL1ABC/P"}, 4},
      {'A', 0, {.call = "DL0DA"}, 2},
      {'A', 0, {.call = "DL1DA"}, 1},
      {'B', 4, {.dok = "N01"}, 1},
      {'B', 4, {.dok = "P01"}, 2},
      {'B', 2, {.dok = "P01", .qrb = 99}, 99},
      {'B', 2, {.dok = "N01", .qrb = 99}, 0},
      {'B', 1, {.dok = "N01"}, 0},
      {'C', 1, {.dok = "VFDB"}, 3},
      {'C', 1, {.dok = "N05"}, 3},
      {'C', 1, {.dok = "F05"}, 1},
      {'C', 2, {.dok = "F05"}, 3},
      {'D', 0, {}, 2},
      {'E', 0, {.qrb = 800}, 800},
      {'E', 0, {.qrb = 800, .continent = "AS"}, 0},
      {'F', 3, {.dok = "P01", .qrb = 50}, 50},
      {'F', 3, {.dok = "N01", .qrb = 50}, 0},
      {'F', 1, {.dok = "P01"}, 1},
      {'G', 7, {.dok = "N01"}, 0},
      {'G', 4, {.dok = "P01", .qrb = 12}, 12},
      {'G', 1, {.dok = "P01"}, 1},
      {'H', 0, {.call = "4X1AB", .dok = "F12TA", .band = 'b', .prefix = "4X"}, 2},
      {'H', 0, {.call = "4X1AB", .dok = "F12TA", .band = 'e', .prefix = "4X"}, 1},
      {'H', 0, {.call = "4X1AB", .dok = "F12XX", .prefix = "4X"}, 0},
      {'H', 0, {.call = "DL1AB", .dok = "F12TA", .prefix = "DL"}, 0},
      {'I', 0, {.call = "DK0AB", .dok = "I01"}, 2},
      {'I', 0, {.call = "DL1AB", .dok = "I01"}, 1},
      {'J', 0, {.band = 'b', .qrb = 300}, 1},
      {'J', 0, {.band = 'k', .qrb = 300}, 300},
      {'L', 0, {.call = "DL0JRR"}, 10},
      {'L', 0, {.call = "DA0AB"}, 5},
      // Code N: at most 2000 km on 2 m, plus 500 for a new square.
      {'N', 0, {.band = 'k', .qrb = 2500, .locator = "KP20AA"}, 2000},
      {'N', 0, {.band = 'k', .qrb = 2500, .locator = "KP20AA", .mark1 = "KP20"}, 2500},
      {'N', 0, {.band = 'm', .qrb = 2500}, 2500},
      {'N', 0, {.band = 'n', .qrb = 100}, 200},
      {'N', 0, {.band = 's', .qrb = 100}, 600},
      {'N', 0, {.band = 'b', .qrb = 100}, 0},
      {'O', 0, {.dok = "N01"}, 0},
      {'O', 0, {.dok = "M01", .band = 'k', .qrb = 70}, 70},
      {'O', 0, {.call = "D"}, 1},
      // Code P: "0" 100, "XX" 20, a number its value, "DN" calls 20 more.
      {'P', 0, {.exchange = "XX"}, 20},
      {'P', 0, {.exchange = "0"}, 100},
      {'P', 0, {.exchange = "00"}, 100},
      {'P', 0, {.exchange = "37"}, 37},
      {'P', 0, {.call = "DN1AB", .exchange = "37"}, 57},
      {'P', 0, {.exchange = "3A"}, 0},
      {'Q', 0, {.dok = "DVT"}, 10},
      {'Q', 0, {.dok = "Q05"}, 5},
      {'Q', 0, {.dok = "P05"}, 1},
      {'R', 1, {.dok = "P05"}, 5},
      {'R', 2, {.dok = "P05"}, 1},
      {'S', 0, {}, 1},
      {'S', 0, {.call = "DL"}, 0},
      {'V', 8, {.dok = "N05"}, 1},
      {'V', 8, {.dok = "P05"}, 0},
      {'V', 1, {.dok = "VFDB"}, 3},
      {'V', 1, {.dok = "P05"}, 1},
      {'Y', 0, {.call = "DL0Z"}, 10},
      {'Y', 0, {.dok = "Z19"}, 5},
      {'Y', 0, {.dok = "Q19"}, 5},
      {'Y', 0, {.dok = "P19"}, 1},
      {'Z', 0, {.exchange = "001/IPA"}, 5},
      {'Z', 0, {.exchange = "001"}, 1},
      {'c', 0, {.mode = "FM"}, 2},
      {'c', 0, {.mode = "SSB"}, 4},
      {'c', 0, {.mode = "CW"}, 6},
      {'c', 0, {.mode = "PR"}, 1},
      {'d', 0, {.call = "DA0AB", .dok = "Q05"}, 3},
      {'d', 0, {.call = "DL1AB", .dok = "Q05"}, 2},
      {'d', 0, {.call = "DL1AB", .dok = "P05"}, 1},
      {'e', 0, {.dok = "N01"}, 0},
      {'e', 0, {.dok = "P05", .locator = "JO31"}, 1},
      {'e', 0, {.dok = "VFDB", .locator = "JO33"}, 13},
      {'e', 0, {.dok = "X", .locator = "JO52"}, 3},
      {'g', 0, {.dok = "VFDB", .locator = "JO31"}, 11},
      {'g', 0, {.dok = "ABC1", .locator = "JO31"}, 1},
      {'h', 0, {.band = 'm'}, 2},
      {'h', 0, {.band = 'n'}, 3},
      {'h', 0, {.dok = "N01"}, 0},
      {'i', 0, {.exchange = "NM"}, 1},
      {'i', 0, {.exchange = ""}, 1},
      {'i', 0, {.exchange = "M123"}, 10},
      {'i', 0, {.exchange = "123"}, 1},
      {'k', 0, {.call = "DL0QCW"}, 10},
      {'k', 0, {.exchange = "12345"}, 5},
      {'k', 0, {.exchange = "1234"}, 1},
      {'k', 0, {.call = "D"}, 0},
      {'l', 0, {.call = "DA0AB", .dok = "I05"}, 2},
      {'W', 0, {}, 2}, // no rule of its own
  };
  const ContestDefinition def = Definition();
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.code << " cat " << c.category << " " << c.qso.call
                                    << " dok " << c.qso.dok << " ex " << c.qso.exchange);
    EXPECT_EQ(Points(c, def), c.points);
  }
}

TEST(QsoPoints, ListenerLogOfCodeC) {
  EXPECT_EQ(Points({'C', 1, {.dok = "F05"}, 0}, Definition(true)), 1);
}

TEST(QsoPoints, OwnDokTestsAreFalseWithoutAnOwnDok) {
  // Without an own DOK a QSO without DOK is no "own DOK" QSO.
  const ContestDefinition def = Definition();
  const struct {
    char code;
    int category;
    int points;
  } cases[] = {{'F', 1, 1}, {'G', 7, 1}, {'O', 0, 1}, {'R', 1, 5}, {'e', 0, 1},
               {'h', 0, 1}, {'B', 1, 1}, {'K', 0, 1}, {'g', 0, 1}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.code);
    Case empty{c.code, c.category, {.dok = "", .locator = "JO31"}, 0, ""};
    EXPECT_EQ(Points(empty, def), c.points);
  }
}

TEST(QsoPoints, StoredPointsAndSquareDistance) {
  EXPECT_EQ(StoredPoints(70000), 65535);
  EXPECT_EQ(StoredPoints(-5), 0);
  EXPECT_EQ(SquareDistance("JO31MX", "JO31"), 1);
  EXPECT_EQ(SquareDistance("JO31", "JO42"), 2);
  EXPECT_EQ(SquareDistance("JO31", "JN39"), 3);
  EXPECT_EQ(SquareDistance("JO3", "JO42"), 0);
}

TEST(Score, Formulas) {
  ContestDefinition def;
  SlotTotals totals;
  totals.points['b'] = 10;
  totals.points['c'] = 5;
  totals.multis['b'] = 3;
  // No multiplier kinds: the points.
  EXPECT_EQ(ComputeScore(def, totals), 15);
  def.Options.set(4);
  EXPECT_EQ(ComputeScore(def, totals), 45);
  def.PerBandScore = 1; // 10 x 3 + 5 (no multiplier on c)
  EXPECT_EQ(ComputeScore(def, totals), 35);
  def.PerBandScore = 0;
  def.PlainMultCount = 1;
  EXPECT_EQ(ComputeScore(def, totals), 15);
  // Multiplier kinds but no multiplier yet: the points, not 0 (the header panel, the QSO
  // list and the STF file claim the same).
  def.PlainMultCount = 0;
  totals.multis['b'] = 0;
  EXPECT_EQ(ComputeScore(def, totals), 15);
}

} // namespace
} // namespace tarvik::test
