// The STF file: whole files against hand-written ones (code 2, a listener log of code J,
// the points-only code P), the exchange rules of codes 1, J and G, the station description
// of codes b and j, and the claimed score and QSO count that every output shares.

#include <gtest/gtest.h>

#include "contest/header_statistics.h"
#include "output_fixture.h"
#include "outputs/output_kinds.h"
#include "outputs/stf_file.h"

namespace tarvik::test {
namespace {

using StfFile = OutputTest;

TEST_F(StfFile, FilesMatchTheHandWrittenFiles) {
  MakeCode2Log();
  EXPECT_EQ(Written(output_kind::kStfFile), Expected("code2.STF"));
}

TEST_F(StfFile, ListenerLogOrderAndTwoColumnExchange) {
  MakeContest('J', 2);
  Add({.call = "DK2AB",
       .datum = Mar(14),
       .zeit = At(10, 12),
       .band = 'c',
       .mode = "CW",
       .rsts = "579",
       .rstr = "599Z07/JO53",
       .punkte = 1,
       .call2 = "DL7XX"});
  Add({.call = "OK1ABC",
       .datum = Mar(14),
       .zeit = At(10, 40),
       .band = 'l',
       .mode = "SSB",
       .rsts = "59 ",
       .rstr = "59 /JO60",
       .punkte = 120,
       .call2 = "DL0HMB"});
  SetTotals(2, 121, 1, 2);
  EXPECT_EQ(Written(output_kind::kStfFile), Expected("codeJ-swl.STF"));
}

TEST_F(StfFile, PointsOnlyContestClaimsNoScore) {
  MakeContest('P', 1);
  Add({.call = "DN1ABC",
       .datum = Mar(14),
       .zeit = At(8, 0),
       .band = 'b',
       .mode = "SSB",
       .rsts = "59 01",
       .rstr = "59 37",
       .punkte = 57});
  Add({.call = "DL5XYZ",
       .datum = Mar(14),
       .zeit = At(8, 10),
       .band = 'c',
       .mode = "CW",
       .rsts = "59901",
       .rstr = "59945",
       .punkte = 45});
  SetTotals(2, 102, 2);
  EXPECT_EQ(Written(output_kind::kStfFile), Expected("codeP.STF"));
}

TEST(StfFields, ExchangeRules) {
  struct Case {
    char code;
    const char* exchange;
    const char* field;
  };
  const Case cases[] = {
      {'2', "599", "599  -               "},
      {'2', "", " -   -               "},
      {'2', "59 V01/JO31", "59  V01/JO31         "},
      {'2', "59 123456789012345678", "59  12345678901234567"},
      {'1', "599012/P01", "599 012 P01          "},
      {'1', "599", "599  -               "},
      {'J', "599012/N01", "599 012 N01          "},
      {'J', "599/N01", "599 -   N01          "},
      {'J', "599012", "599 012 -            "},
      {'J', "599", "599 -   -            "},
      {'J', "599-", "599 -   -            "},
      {'G', "59 012/N01/X", "59  012 N01/X        "},
      {'G', "   F10", " -  F10 -            "},
  };
  for (const Case& c : cases)
    EXPECT_EQ(StfExchange(c.exchange, c.code), c.field) << c.code << " '" << c.exchange << "'";
  const std::pair<char, const char*> bands[] = {
      {'a', "160 "}, {'b', "80  "}, {'j', "6   "}, {'k', "2   "}, {'l', "70  "}, {'m', "23  "},
      {'o', "9   "}, {'p', "5   "}, {'q', "3   "}, {'r', "2189"}, {'s', "1.2 "}};
  for (const auto& [band, text] : bands)
    EXPECT_EQ(StfBandText(band), text) << band;
}

TEST_F(StfFile, CodeONameAndEmptyMode) {
  MakeContest('O');
  QsoListColumns columns = QsoListColumnsFor(contest_.definition);
  std::array<char, QsoRecord::kLength> bytes{};
  QsoRecord r(bytes.data());
  r.SetCall("DL1ABC");
  r.SetDatum(Mar(8));
  r.SetZeit(At(9, 0));
  r.SetBand('c');
  r.SetRSTs("59 001");
  r.SetRSTr("59 002/M01");
  r.SetNameQTH("Hans;Kiel");
  EXPECT_EQ(StfQsoLine(r, columns, 'O', false),
            "20260308 0900 40    -     DL1ABC   59  001               59  002/M01           Hans");
  r.SetNameQTH(";");
  EXPECT_TRUE(StfQsoLine(r, columns, 'O', false).ends_with("002/M01          "));
}

// Codes b and j carry the station description in one equipment line; code b starts it with
// the kit sentence. Without a description the line stays empty.
TEST_F(StfFile, EquipmentLines) {
  for (const char code : {'b', 'j'}) {
    SCOPED_TRACE(code);
    MakeContest(code);
    Header().SetExtraNumber(3);
    contest_.station.stationDescription = "FT-817, 5 W\r\nDipol\r\n";
    const std::string withText = Written(output_kind::kStfFile);
    const std::string expected =
        code == 'b' ? "\r\nEquipment    Im OQRPC habe ich auf dem 80/40/20m-Band mit einem "
                      "individuellen Unikat teilgenommen.  FT-817, 5 W Dipol\r\nPower\r\n"
                    : "\r\nEquipment     FT-817, 5 W Dipol\r\nPower\r\n";
    EXPECT_NE(withText.find(expected), std::string::npos) << withText;
    contest_.station.stationDescription.clear();
    EXPECT_NE(Written(output_kind::kStfFile).find("Specific     N01\r\n\r\nPower\r\n"),
              std::string::npos);
  }
  MakeContest('2');
  EXPECT_EQ(Written(output_kind::kStfFile).find("Equipment"), std::string::npos);
}

TEST_F(StfFile, ClaimedLinesByContestKind) {
  // Without multiplier kinds: no ClaimedMult, the points as the score.
  MakeContest('A');
  SetTotals(3, 12, 0);
  std::string file = Written(output_kind::kStfFile);
  EXPECT_EQ(file.find("ClaimedMult"), std::string::npos);
  EXPECT_NE(file.find("ClaimedPts   12\r\nClaimedScore 12\r\nClub"), std::string::npos);
  // A kind-1 total of 0 is still claimed; kind 2 and 3 totals of 0 are left out.
  MakeContest('2');
  SetTotals(3, 12, 0, 0, 4);
  file = Written(output_kind::kStfFile);
  EXPECT_NE(file.find("ClaimedMult  0\r\nClaimedMult3 4\r\nClaimedScore 48\r\n"), std::string::npos)
      << file;
  // Code 5 claims no score either, and an empty log still ends with EndQSOList.
  MakeContest('5', 1);
  SetTotals(0, 0, 0);
  file = Written(output_kind::kStfFile);
  EXPECT_EQ(file.find("ClaimedScore"), std::string::npos);
  EXPECT_TRUE(file.ends_with("ClaimedQSO   0\r\nClaimedPts   0\r\nClaimedMult  0\r\nClub\r\n"
                             "Specific     N01\r\nPower\r\nSoapbox\r\nSoapbox\r\n"
                             "QsoOrder     Date Time Band Mode Call SRst Sent RRst Rcvd\r\n"
                             "EndHeader\r\n\r\nQsoList\r\nEndQSOList\r\n"))
      << file;
}

// The claimed score is the score the log window and the header panel show for the same
// totals, for every kind of contest: multipliers times points, the points alone before the
// first multiplier, the points of a points-only contest (code N counts its squares but does
// not multiply), the per-band sum of code Z.
TEST_F(StfFile, ClaimedScoreIsTheLiveScore) {
  struct Case {
    char code;
    int m1, m2;
    std::int64_t score;
  };
  const Case cases[] = {{'2', 2, 3, 110}, {'2', 0, 0, 22}, {'N', 9, 0, 22}, {'Z', 2, 1, 66}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.code);
    MakeContest(c.code);
    SetTotals(4, 22, c.m1, c.m2);
    const SlotTotals slots = ReadHeaderStatistics(contest_.definition, Header(), Extension());
    ASSERT_EQ(ComputeScore(contest_.definition, slots), c.score);
    EXPECT_NE(
        Written(output_kind::kStfFile).find("\r\nClaimedScore " + std::to_string(c.score) + "\r\n"),
        std::string::npos);
  }
}

// ClaimedQSO counts the QSOs of the log: marker records are not QSOs, and a log that was
// not renumbered (its highest QSO number is 7 here) still claims the QSOs it holds.
TEST_F(StfFile, ClaimedQsoCountsTheQsos) {
  MakeContest('2');
  Add({.call = "DL1ABC", .datum = Mar(14), .zeit = At(19, 0), .qsoNr = 1});
  Add(Marker('k'));
  Add({.call = "DL2ABC", .datum = Mar(14), .zeit = At(19, 1), .qsoNr = 7});
  EXPECT_NE(Written(output_kind::kStfFile).find("\r\nClaimedQSO   2\r\n"), std::string::npos);
}

} // namespace
} // namespace tarvik::test
