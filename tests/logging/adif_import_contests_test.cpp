// The ADIF import of the exchange of every kind of contest, scored by hand: files as other
// logbooks write them (AGE, SRX, DARC_DOK, GRIDSQUARE, STATE, CALL_WKD ...) go into the
// exchange elements of the contest, pass the checks of a typed QSO, and the log scores what
// the contest's rules give. The points and scores in the comments are worked out from the
// rules: distances from the own locator JO31MX (JO31MX-JO40AB 224 km, -JO50MM 322 km,
// -JO22AA 205 km, -JN58MM 478 km by the great-circle rule of 111.12 km per degree between
// the middles of the subsquares).

#include "session_fixture.h"

#include "logging/adif_import.h"
#include "support/temp_dir.h"

namespace tarvik::test {
namespace {

class AdifContestImportTest : public SessionTest {
protected:
  AdifImportResult Import(const std::string& text,
                          std::vector<std::pair<std::string, std::string>> assign = {}) {
    const std::string path = dir_.file("contest.adi");
    WriteFileBytes(path, text);
    AdifAssignment assignment(AdifLogFields(S().Definition(), S().ContestCode()));
    for (const auto& [logField, fileField] : assign) {
      const std::size_t i = assignment.Find(logField);
      EXPECT_LT(i, assignment.Size()) << logField;
      if (i < assignment.Size()) {
        EXPECT_TRUE(assignment.Assign(i, fileField));
      }
    }
    return ImportAdifFile(S(), path, assignment, false);
  }

  std::vector<std::string> FieldNames() {
    std::vector<std::string> names;
    for (const AdifLogField& f : AdifLogFields(S().Definition(), S().ContestCode()))
      names.push_back(f.name);
    return names;
  }
  /// The log fields after the ten basic ones (and Call 2 in listener logs).
  std::vector<std::string> ExchangeFieldNames() {
    std::vector<std::string> names = FieldNames();
    return std::vector<std::string>(names.begin() + (S().Definition().ListenerLog ? 11 : 10),
                                    names.end());
  }

  std::vector<std::string> Reports() {
    std::vector<std::string> reports;
    for (std::size_t i = 0; i < Stored().size(); ++i)
      reports.push_back(StoredQso(i).RSTr());
    return reports;
  }
  std::vector<int> Points() {
    std::vector<int> points;
    for (std::size_t i = 0; i < Stored().size(); ++i)
      points.push_back(StoredQso(i).Punkte());
    return points;
  }
  static std::vector<std::string> Lines(const AdifImportResult& result) {
    std::vector<std::string> lines;
    for (const AdifRefusal& refusal : result.refusals)
      lines.push_back(AdifRefusalLine(refusal));
    return lines;
  }
};

constexpr const char* kDay = "<QSO_DATE:8>20260314 ";

// Code P (party): the exchange is the age, which other logbooks write as AGE. Points: the
// age, "0" or "00" 100, "XX" 20, plus 20 for a "DN" call; the multiplier total is a plain
// count, so the score is the sum of the points.
TEST_F(AdifContestImportTest, PartyAgesScoreTheirPoints) {
  Open({.code = 'P'});
  EXPECT_EQ(ExchangeFieldNames(), std::vector<std::string>{"Alter"});
  const AdifImportResult result = Import(
      std::string("<EOH>") + "<CALL:6>DL1ABC " + kDay +
      "<TIME_ON:4>0800 <BAND:3>80M <MODE:3>SSB <AGE:2>37 <EOR>" // 37
      "<CALL:5>DK2BB " +
      kDay +
      "<TIME_ON:4>0801 <BAND:3>80M <MODE:3>SSB <AGE:1>0 <EOR>" // 100
      "<CALL:5>DN3XX " +
      kDay +
      "<TIME_ON:4>0802 <BAND:3>80M <MODE:3>SSB <AGE:2>XX <EOR>" // 20 + 20 for DN = 40
      "<CALL:5>DL4CC " +
      kDay +
      "<TIME_ON:4>0803 <BAND:3>40M <MODE:2>CW <AGE:2>65 <EOR>" // 65
      "<CALL:5>OK1AB " +
      kDay +
      "<TIME_ON:4>0804 <BAND:3>40M <MODE:2>CW <SRX_STRING:2>21 <EOR>" // 21 (no AGE: SRX_STRING)
      "<CALL:6>DL1ABC " +
      kDay +
      "<TIME_ON:4>0805 <BAND:3>40M <MODE:2>CW <AGE:2>37 <EOR>" // 37, another band
      "<CALL:6>DL1ABC " +
      kDay + "<TIME_ON:4>0806 <BAND:3>40M <MODE:2>CW <AGE:2>37 <EOR>"); // duplicate on 40 m
  EXPECT_EQ(result.counts.imported, 6);
  EXPECT_EQ(Lines(result),
            std::vector<std::string>{"Datensatz 7, DL1ABC: Call bereits auf Band vorhanden"});
  EXPECT_EQ(Reports(),
            (std::vector<std::string>{"59 37", "59 0", "59 XX", "59965", "59921", "59937"}));
  EXPECT_EQ(Points(), (std::vector<int>{37, 100, 40, 65, 21, 37}));
  // 37 + 100 + 40 + 65 + 21 + 37 = 300
  EXPECT_EQ(S().Log().Score(), 300);

  // A mapping the person gives wins over the default field.
  const AdifImportResult mapped =
      Import(std::string("<CALL:5>DL7QQ ") + kDay +
                 "<TIME_ON:4>0900 <BAND:3>80M <MODE:3>SSB <AGE:2>99 <OPAGE:2>50 <EOR>",
             {{"alter", "OPAGE"}});
  EXPECT_EQ(mapped.counts.imported, 1);
  EXPECT_EQ(StoredQso(6).RSTr(), "59 50");
  EXPECT_EQ(S().Log().Score(), 350);
}

// Code D (serial numbers and DOK): SRX or SRX_STRING give the received serial, DARC_DOK the
// DOK, STX the serial sent. Every QSO 2 points; multipliers per band: DOKs and DXCCs ("DL"
// counts); score = points x multipliers.
TEST_F(AdifContestImportTest, SerialNumberContestTakesSrxStxAndDok) {
  Open({.code = 'D'});
  EXPECT_EQ(ExchangeFieldNames(), (std::vector<std::string>{"lfd.Nr.", "DOK", "lfd.Nr. gesendet"}));
  const AdifImportResult result =
      Import(std::string("<CALL:6>DL1ABC ") + kDay +
             "<TIME_ON:4>0600 <BAND:3>80M <MODE:2>CW <SRX:1>1 <STX:2>17 <DARC_DOK:3>A01 <EOR>"
             "<CALL:5>DK2BB " +
             kDay +
             "<TIME_ON:4>0601 <BAND:3>80M <MODE:2>CW <SRX_STRING:3>002 <DARC_DOK:3>B02 <EOR>"
             "<CALL:5>OK1AB " +
             kDay + "<TIME_ON:4>0602 <BAND:3>80M <MODE:2>CW <SRX:1>3 <EOR>" + "<CALL:5>DL4CC " +
             kDay + "<TIME_ON:4>0603 <BAND:3>40M <MODE:2>CW <SRX:3>004 <DARC_DOK:3>A01 <EOR>");
  EXPECT_TRUE(result.refusals.empty()) << Lines(result).front();
  EXPECT_EQ(Reports(),
            (std::vector<std::string>{"599001/A01", "599002/B02", "599003", "599004/A01"}));
  EXPECT_EQ(StoredQso(0).RSTs(), "599017/N01"); // the serial the file says was sent
  EXPECT_EQ(StoredQso(1).RSTs(), "599002/N01"); // none given: the log's own number
  EXPECT_EQ(StoredQso(0).FullDok(), "A01");
  EXPECT_EQ(Points(), (std::vector<int>{2, 2, 2, 2}));
  // 80 m: A01, B02, DL, OK = 4; 40 m: A01, DL = 2; 8 points x 6 = 48
  EXPECT_EQ(S().Log().Score(), 48);
}

// Code G, category 4 (2 m): DOK and locator; points = distance; DOKs of the district F or
// the contest's list count per band and mode.
TEST_F(AdifContestImportTest, DistanceContestTakesGridsquare) {
  Open({.code = 'G', .category = 4});
  EXPECT_EQ(ExchangeFieldNames(), (std::vector<std::string>{"DOK", "Loc"}));
  const AdifImportResult result = Import(
      std::string("<CALL:6>DL1ABC ") + kDay +
      "<TIME_ON:4>1400 <BAND:2>2M <MODE:3>SSB <DARC_DOK:3>F01 <GRIDSQUARE:6>JO40AB <EOR>" +
      "<CALL:5>DK2BB " + kDay +
      "<TIME_ON:4>1401 <BAND:2>2M <MODE:3>SSB <DARC_DOK:3>A01 <GRIDSQUARE:4>JO50 <EOR>" +
      "<CALL:6>DL1ABC " + kDay +
      "<TIME_ON:4>1402 <BAND:2>2M <MODE:2>CW <DARC_DOK:3>F01 <GRIDSQUARE:6>JO40AB <EOR>" +
      "<CALL:6>DL1ABC " + kDay + "<TIME_ON:4>1403 <BAND:2>2M <MODE:3>SSB <EOR>" + "<CALL:5>PA3XY " +
      kDay + "<TIME_ON:4>1404 <BAND:2>2M <MODE:3>SSB <GRIDSQUARE:6>JO22AA <EOR>" +
      "<CALL:5>DL5ZZ " + kDay + "<TIME_ON:4>1405 <BAND:2>2M <MODE:3>SSB <GRIDSQUARE:4>JZ40 <EOR>" +
      "<CALL:5>DL6ZZ " + kDay + "<TIME_ON:4>1406 <BAND:2>2M <MODE:3>SSB <DARC_DOK:3>J12 <EOR>");
  EXPECT_EQ(result.counts.imported, 4);
  // The locator and the DOK the entry would refuse refuse the record, as does the duplicate.
  EXPECT_EQ(Lines(result), (std::vector<std::string>{
                               "Datensatz 4, DL1ABC: Call bereits auf Band/Mode vorhanden",
                               "Datensatz 6, DL5ZZ: Fehler bei Locator-Angabe: JZ40",
                               "Datensatz 7, DL6ZZ: Fehler bei DOK-Angabe: J12",
                           }));
  EXPECT_EQ(StoredQso(0).Locator(), "JO40AB");
  EXPECT_EQ(StoredQso(0).QRB(), 224);
  EXPECT_EQ(Points(), (std::vector<int>{224, 322, 224, 205}));
  // 975 points x 2 multipliers (F01 on SSB and on CW; A01 is no DOK of the contest) = 1950
  EXPECT_EQ(S().Log().Score(), 1950);
}

// Code Q: the DOK under the contest's own label; DOKs of the list (Z30, DVT) or of the
// district T give 5 points, DVT 10; others 1. No multipliers: the score is the points.
TEST_F(AdifContestImportTest, DokContestScoresListedAndDistrictDoks) {
  Open({.code = 'Q'});
  EXPECT_EQ(ExchangeFieldNames(), (std::vector<std::string>{"DOK", "lfd.Nr. gesendet"}));
  const AdifImportResult result =
      Import(std::string("<CALL:6>DL1ABC ") + kDay +
             "<TIME_ON:4>0700 <BAND:3>80M <MODE:2>CW <DARC_DOK:3>T05 <EOR>" // 5
             "<CALL:5>DK2BB " +
             kDay +
             "<TIME_ON:4>0701 <BAND:3>80M <MODE:2>CW <DOK:3>DVT <EOR>" // 10
             "<CALL:5>DL3CC " +
             kDay +
             "<TIME_ON:4>0702 <BAND:3>80M <MODE:2>CW <DARC_DOK:3>Z30 <EOR>" // 5
             "<CALL:5>DL4DD " +
             kDay +
             "<TIME_ON:4>0703 <BAND:3>80M <MODE:2>CW <DARC_DOK:3>A01 <EOR>" // 1
             "<CALL:5>OK1AB " +
             kDay + "<TIME_ON:4>0704 <BAND:3>80M <MODE:2>CW <EOR>"); // 1
  EXPECT_TRUE(result.refusals.empty());
  EXPECT_EQ(StoredQso(1).FullDok(), "DVT");
  EXPECT_EQ(Points(), (std::vector<int>{5, 10, 5, 1, 1}));
  EXPECT_EQ(S().Log().Score(), 22);
}

// A listener log (code D, category 4): the heard station's report is RST_SENT, the station
// it worked CALL_WKD with its report RST_WKD. A record without the second call is refused
// and says why. Points 2 each; multipliers DOK A01, DXCC DL and OK: 4 x 3 = 12.
TEST_F(AdifContestImportTest, ListenerLogTakesTheSecondCall) {
  Open({.code = 'D', .category = 4});
  EXPECT_EQ(FieldNames()[4], "Call 2");
  EXPECT_EQ(FieldNames()[5], "RSTs2");
  const AdifImportResult result = Import(
      std::string("<CALL:6>DL1ABC ") + kDay +
      "<TIME_ON:4>0600 <BAND:3>80M <MODE:2>CW <RST_SENT:3>599 <CALL_WKD:5>DK2BB "
      "<RST_WKD:3>579 <SRX:3>012 <DARC_DOK:3>A01 <EOR>"
      "<CALL:5>DL3CC " +
      kDay + "<TIME_ON:4>0601 <BAND:3>80M <MODE:2>CW <SRX:1>5 <EOR>" + "<CALL:5>OK1AB " + kDay +
      "<TIME_ON:4>0602 <BAND:3>80M <MODE:2>CW <RST_SENT:3>589 <CALL_WKD:6>DL1ABC "
      "<RST_WKD:6>559007 <SRX:1>5 <EOR>");
  EXPECT_EQ(Lines(result), std::vector<std::string>{"Datensatz 2, DL3CC: Call 2 fehlt"});
  ASSERT_EQ(Stored().size(), 2u);
  QsoRecord q = StoredQso(0);
  EXPECT_EQ(q.Call2(), "DK2BB");
  EXPECT_EQ(q.RSTr(), "599012/A01");
  EXPECT_EQ(q.RSTs().substr(0, 3), "579");
  q = StoredQso(1);
  EXPECT_EQ(q.Call2(), "DL1ABC");
  EXPECT_EQ(q.RSTr(), "589005");
  EXPECT_EQ(q.RSTs(), "559007"); // the worked station's exchange behind its report
  EXPECT_EQ(S().Log().Score(), 12);
}

// Code 8: serial, class and locator; our own export writes them as one SRX "001/B/JO40AB".
// Points = distance; no multipliers.
TEST_F(AdifContestImportTest, ExchangeOfSeveralElementsSplitsAtTheSlash) {
  Open({.code = '8'});
  EXPECT_EQ(ExchangeFieldNames(),
            (std::vector<std::string>{"lfd.Nr.", "Austausch 3", "Loc", "lfd.Nr. gesendet"}));
  const AdifImportResult result = Import(
      std::string("<CALL:6>DL1ABC ") + kDay +
      "<TIME_ON:4>1800 <BAND:2>2M <MODE:2>CW <SRX:12>001/B/JO40AB <EOR>" // 224
      "<CALL:5>DK2BB " +
      kDay + "<TIME_ON:4>1801 <BAND:2>2M <MODE:2>CW <SRX:1>5 <GRIDSQUARE:4>JN58 <EOR>"); // 478
  EXPECT_TRUE(result.refusals.empty());
  EXPECT_EQ(Reports(), (std::vector<std::string>{"599001/B/JO40AB", "599005//JN58"}));
  EXPECT_EQ(Points(), (std::vector<int>{224, 478}));
  EXPECT_EQ(S().Log().Score(), 702);
}

// Code E: locator, points = distance for European stations; the export's "PKT" is the
// mode "PR".
TEST_F(AdifContestImportTest, PacketRadioComesBackAsPr) {
  Open({.code = 'E'});
  EXPECT_EQ(ExchangeFieldNames(), std::vector<std::string>{"Loc"});
  const AdifImportResult result =
      Import(std::string("<CALL:6>DL1ABC ") + kDay +
             "<TIME_ON:4>0800 <BAND:4>70CM <MODE:3>PKT <GRIDSQUARE:6>JO40AB <EOR>" // 224
             "<CALL:5>PA3XY " +
             kDay + "<TIME_ON:4>0801 <BAND:2>2M <MODE:2>FM <GRIDSQUARE:6>JO22AA <EOR>");
  EXPECT_TRUE(result.refusals.empty());
  EXPECT_EQ(StoredQso(0).Mode(), "PR");
  EXPECT_EQ(Points(), (std::vector<int>{224, 205}));
  EXPECT_EQ(S().Log().Score(), 429);
}

// Code O, categories 3 and 5 (VHF): serial, DOK and locator; points = distance on 2 m and
// 70 cm; multipliers counted once: DOK M01 (district M), DXCC DL and PA = 3.
TEST_F(AdifContestImportTest, VhfCategoriesOfCodeO) {
  for (int category : {3, 5}) {
    SCOPED_TRACE(category);
    Open({.code = 'O', .category = category, .contestNumber = category});
    EXPECT_EQ(ExchangeFieldNames(),
              (std::vector<std::string>{"lfd.Nr.", "DOK", "Loc", "lfd.Nr. gesendet"}));
    const AdifImportResult result =
        Import(std::string("<CALL:6>DL1ABC ") + kDay +
               "<TIME_ON:4>1600 <BAND:2>2M <MODE:3>SSB <SRX:1>1 <DARC_DOK:3>M01 "
               "<GRIDSQUARE:6>JO40AB <EOR>" // 224
               "<CALL:5>PA3XY " +
               kDay +
               "<TIME_ON:4>1601 <BAND:4>70CM <MODE:3>SSB <SRX:1>9 "
               "<GRIDSQUARE:6>JO22AA <EOR>"); // 205
    EXPECT_TRUE(result.refusals.empty());
    EXPECT_EQ(Reports(), (std::vector<std::string>{"59 001/M01/JO40AB", "59 009//JO22AA"}));
    EXPECT_EQ(Points(), (std::vector<int>{224, 205}));
    EXPECT_EQ(S().Log().Score(), 429 * 3);
  }
}

// Code Z: serial per mode, a free element ("IPA") and the US state from STATE. A QSO whose
// report holds "IPA" gives 5 points and counts its multipliers (DXCC K, state CT), others 1
// point and none; per band points x multipliers: 20 m (5 + 1) x 2 = 12.
TEST_F(AdifContestImportTest, UsStateFromState) {
  Open({.code = 'Z'});
  EXPECT_EQ(ExchangeFieldNames(),
            (std::vector<std::string>{"lfd.Nr.", "Austausch 3", "US-State", "lfd.Nr. gesendet"}));
  const AdifImportResult result = Import(
      std::string("<CALL:4>W1AW ") + kDay +
          "<TIME_ON:4>1200 <BAND:3>20M <MODE:3>SSB <SRX:1>1 <SRX_STRING:3>IPA <STATE:2>CT <EOR>"
          "<CALL:6>DL1ABC " +
          kDay + "<TIME_ON:4>1201 <BAND:3>20M <MODE:3>SSB <SRX:1>2 <EOR>",
      {{"Austausch 3", "SRX_STRING"}});
  EXPECT_TRUE(result.refusals.empty());
  EXPECT_EQ(Reports(), (std::vector<std::string>{"59 001/IPA/CT", "59 002"}));
  EXPECT_EQ(StoredQso(0).Kenner(), "CT");
  EXPECT_EQ(Points(), (std::vector<int>{5, 1}));
  EXPECT_EQ(S().Log().Score(), 12);
}

// Codes j (locator, points = distance), 4 (LDK and the RTC number; 2 points with a number
// behind the "/", else 1) and 6 (the member number; "NM" 1 point, another exchange 5).
TEST_F(AdifContestImportTest, LocatorLdkAndMemberNumberContests) {
  Open({.code = 'j', .contestNumber = 1});
  EXPECT_EQ(ExchangeFieldNames(), std::vector<std::string>{"Loc"});
  EXPECT_TRUE(Import(std::string("<CALL:6>DL1ABC ") + kDay +
                     "<TIME_ON:4>2000 <BAND:2>2M <MODE:6>FSK441 <GRIDSQUARE:4>JN58 <EOR>")
                  .refusals.empty());
  EXPECT_EQ(S().Log().Score(), 478);

  Open({.code = '4', .contestNumber = 2});
  EXPECT_EQ(ExchangeFieldNames(), (std::vector<std::string>{"LDK", "RTC-Nr"}));
  EXPECT_TRUE(Import(std::string("<CALL:6>DL1ABC ") + kDay +
                     "<TIME_ON:4>0800 <BAND:3>80M <MODE:2>CW <LDK:3>HAM <SRX_STRING:6>HAM/12 <EOR>"
                     "<CALL:5>DK2BB " +
                     kDay + "<TIME_ON:4>0801 <BAND:3>80M <MODE:2>CW <LDK:2>BN <EOR>")
                  .refusals.empty());
  EXPECT_EQ(Reports(), (std::vector<std::string>{"599HAM/12", "599BN"}));
  EXPECT_EQ(Points(), (std::vector<int>{2, 1}));
  // Two LDKs on 80 m: 3 points x 2 = 6
  EXPECT_EQ(S().Log().Score(), 6);

  Open({.code = '6', .contestNumber = 3});
  EXPECT_EQ(ExchangeFieldNames(), std::vector<std::string>{"Austausch 2"});
  EXPECT_TRUE(Import(std::string("<CALL:6>DL1ABC ") + kDay +
                     "<TIME_ON:4>0900 <BAND:3>20M <MODE:2>CW <SRX_STRING:4>1234 <EOR>"
                     "<CALL:5>DK2BB " +
                     kDay +
                     "<TIME_ON:4>0901 <BAND:3>20M <MODE:2>CW "
                     "<SRX_STRING:2>NM <EOR>")
                  .refusals.empty());
  EXPECT_EQ(Points(), (std::vector<int>{5, 1}));
  EXPECT_EQ(S().Log().Score(), 6);
}

} // namespace
} // namespace tarvik::test
