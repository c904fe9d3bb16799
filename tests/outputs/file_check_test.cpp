// The check before sending: hand-made files of each format, clean and with one fault each
// (every fault is found and named, with its QSO where it concerns one), the EDI distance
// against a great-circle computation of the test's own, every file the writers produce for
// clean logs, and the check in the output run.

#include <cmath>
#include <filesystem>
#include <functional>

#include "base/process_settings.h"
#include "output_fixture.h"
#include "outputs/cabrillo_file.h"
#include "outputs/file_check.h"
#include "outputs/output_kinds.h"
#include "radio/locator.h"

namespace tarvik::test {
namespace {

std::string Join(const std::vector<std::string>& lines) {
  std::string out;
  for (const std::string& line : lines)
    out += line + "\r\n";
  return out;
}

std::string Dump(const std::vector<FileFinding>& findings) {
  std::string out;
  for (const FileFinding& f : findings)
    out += FindingLine(f) + "\n";
  return out;
}

/// The middle of a locator's subsquare in degrees, computed here from the Maidenhead rules.
void Middle(const std::string& loc, double& lat, double& lon) {
  lon = (loc[0] - 'A') * 20.0 - 180.0 + (loc[2] - '0') * 2.0 + (loc[4] - 'A') * (5.0 / 60.0) +
        2.5 / 60.0;
  lat = (loc[1] - 'A') * 10.0 - 90.0 + (loc[3] - '0') * 1.0 + (loc[5] - 'A') * (2.5 / 60.0) +
        1.25 / 60.0;
}

/// Great-circle distance by the spherical law of cosines on a 6371 km sphere.
double IndependentKm(const std::string& a, const std::string& b) {
  double lat1 = 0, lon1 = 0, lat2 = 0, lon2 = 0;
  Middle(a, lat1, lon1);
  Middle(b, lat2, lon2);
  const double r = M_PI / 180.0;
  const double c = std::sin(lat1 * r) * std::sin(lat2 * r) +
                   std::cos(lat1 * r) * std::cos(lat2 * r) * std::cos((lon2 - lon1) * r);
  return std::acos(std::max(-1.0, std::min(1.0, c))) * 6371.0;
}

/// One fault: the clean file's line `line` (1-based) replaced by `replacement` (empty:
/// removed), and what the finding must say.
struct Fault {
  std::string name;
  int line;
  std::optional<std::string> replacement;
  std::string says;
  int qso = 0; ///< the QSO the finding must name (0: none)
};

void ExpectEachFaultFound(const std::vector<std::string>& clean, const std::vector<Fault>& faults) {
  SetLanguageFlag(0);
  EXPECT_EQ(Dump(CheckFile(Join(clean))), "") << "the clean file";
  for (const Fault& fault : faults) {
    SCOPED_TRACE(fault.name);
    std::vector<std::string> lines = clean;
    if (fault.replacement)
      lines[static_cast<std::size_t>(fault.line - 1)] = *fault.replacement;
    else
      lines.erase(lines.begin() + fault.line - 1);
    const std::vector<FileFinding> findings = CheckFile(Join(lines));
    bool found = false;
    for (const FileFinding& f : findings)
      found = found || (f.text.find(fault.says) != std::string::npos && f.qso == fault.qso);
    EXPECT_TRUE(found) << Dump(findings);
  }
  SetLanguageFlag(1);
}

TEST(FileCheck, CabrilloFaults) {
  const std::vector<std::string> clean = {
      "START-OF-LOG: 3.0",
      "CONTEST: DARC-10M",
      "CALLSIGN: DL1XYZ",
      "CATEGORY-OPERATOR: SINGLE-OP",
      "CATEGORY-BAND: 10M",
      "CATEGORY-MODE: MIXED",
      "CLAIMED-SCORE: 12",
      "QSO: 28020 CW 2026-01-11 0901 DL1XYZ        599 001    DL1ABC        599 005",
      "QSO: 28450 PH 2026-01-11 0915 DL1XYZ        59  002    OE3ABC        59  017",
      "END-OF-LOG:"};
  ExpectEachFaultFound(
      clean, {{"no start", 1, std::nullopt, "does not begin with START-OF-LOG"},
              {"version", 1, "START-OF-LOG: 2.0", "not 3.0"},
              {"no contest", 2, std::nullopt, "CONTEST is missing"},
              {"category value", 6, "CATEGORY-MODE: PHONE", "is no value of Cabrillo 3.0"},
              {"score", 7, "CLAIMED-SCORE: 12a", "CLAIMED-SCORE is no number"},
              {"no score", 7, std::nullopt, "CLAIMED-SCORE is missing"},
              {"unknown tag", 7, "SCORE: 12", "unknown to Cabrillo 3.0"},
              {"long line", 2, "CONTEST: " + std::string(70, 'X'), "longer than 75"},
              {"no end", 10, std::nullopt, "END-OF-LOG is missing"},
              {"mode", 9, "QSO: 28450 SSB 2026-01-11 0915 DL1XYZ 59 002 OE3ABC 59 017",
               "is not CW, PH, FM, RY or DG", 2},
              {"date", 8, "QSO: 28020 CW 2026-13-11 0901 DL1XYZ 599 001 DL1ABC 599 005", "date", 1},
              {"time", 9, "QSO: 28450 PH 2026-01-11 0975 DL1XYZ 59 002 OE3ABC 59 017", "time", 2},
              {"call", 9, "QSO: 28450 PH 2026-01-11 0915 DL1XYZ 59 002 OE3#BC 59 017", "call", 2},
              {"frequency", 9, "QSO: 29800 PH 2026-01-11 0915 DL1XYZ 59 002 OE3ABC 59 017",
               "lies in no band", 2},
              {"columns", 9, "QSO: 28450 PH 2026-01-11 0915 DL1XYZ 59 002 OE3ABC 59", "columns", 2},
              {"sent call", 9, "QSO: 28450 PH 2026-01-11 0915 DL1XYY 59 002 OE3ABC 59 017",
               "is not CALLSIGN", 2},
              {"duplicate", 9, "QSO: 28450 CW 2026-01-11 0915 DL1XYZ 599 002 DL1ABC 599 017",
               "Duplicate QSO (as QSO 1)", 2}});
}

TEST(FileCheck, StfFaults) {
  const std::vector<std::string> clean = {
      "STF1",
      "Header",
      "Contest      Test",
      "MyCall       DL1XYZ",
      "Category     alle",
      "ClaimedQSO   2",
      "ClaimedScore 8",
      "QsoOrder     Date Time Band Mode Call SRst Sent RRst Rcvd",
      "EndHeader",
      "",
      "QsoList",
      "     20260314 1905 80   SSB    DL1ABC   59  N01               59  5N",
      "     20260314 1910 80   CW     DK0XX    599 N01               599 P33",
      "EndQSOList"};
  ExpectEachFaultFound(
      clean, {{"claimed QSOs", 6, "ClaimedQSO   3", "ClaimedQSO 3, but 2 QSO lines"},
              {"score", 7, "ClaimedScore x", "ClaimedScore is no number"},
              {"no call", 4, std::nullopt, "MyCall is missing"},
              {"no end of header", 9, std::nullopt, "EndHeader is missing"},
              {"no list", 11, std::nullopt, "QsoList is missing"},
              {"no end", 14, std::nullopt, "EndQSOList is missing"},
              {"band", 13, "     20260314 1910 81   CW     DK0XX    599 N01    599 P33", "band", 2},
              {"date", 12, "     20260332 1905 80   SSB    DL1ABC   59  N01    59  5N", "date", 1},
              {"call", 13, "     20260314 1910 80   CW     D#0XX    599 N01    599 P33", "call", 2},
              {"columns", 13, "     20260314 1910 80   CW     DK0XX    599", "columns", 2}});
}

TEST(FileCheck, AdifFaults) {
  const std::vector<std::string> clean = {
      "exported for the test", "<EOH>",
      "<QSO_DATE:8>20260314 <TIME_ON:4>1905 <CALL:6>DL1ABC <BAND:3>80m <MODE:3>SSB "
      "<DOK:2>5N <DARC_DOK:2>5N <EOR>",
      "<QSO_DATE:8>20260314 <TIME_ON:4>1910 <CALL:5>DK0XX <BAND:3>80m <MODE:2>CW "
      "<FREQ:5>3.560 <GRIDSQUARE:4>JO31 <EOR>"};
  ExpectEachFaultFound(
      clean, {{"no end of header", 2, "", "does not end with <EOH>"},
              {"mode", 4,
               "<QSO_DATE:8>20260314 <TIME_ON:4>1910 <CALL:5>DK0XX <BAND:3>80m <MODE:5>PHONE <EOR>",
               "no mode of ADIF 3.1", 2},
              {"band", 4,
               "<QSO_DATE:8>20260314 <TIME_ON:4>1910 <CALL:5>DK0XX <BAND:3>81m <MODE:2>CW <EOR>",
               "no band of ADIF 3.1", 2},
              {"frequency", 4,
               "<QSO_DATE:8>20260314 <TIME_ON:4>1910 <CALL:5>DK0XX <BAND:3>80m <MODE:2>CW "
               "<FREQ:5>7.050 <EOR>",
               "does not lie in the band", 2},
              {"locator", 4,
               "<QSO_DATE:8>20260314 <TIME_ON:4>1910 <CALL:5>DK0XX <BAND:3>80m <MODE:2>CW "
               "<GRIDSQUARE:3>JO3 <EOR>",
               "locator", 2},
              {"time", 4,
               "<QSO_DATE:8>20260314 <TIME_ON:4>2560 <CALL:5>DK0XX <BAND:3>80m <MODE:2>CW <EOR>",
               "time", 2},
              {"no call", 4, "<QSO_DATE:8>20260314 <TIME_ON:4>1910 <BAND:3>80m <MODE:2>CW <EOR>",
               "call is missing", 2},
              {"DOK without DARC_DOK", 3,
               "<QSO_DATE:8>20260314 <TIME_ON:4>1905 <CALL:6>DL1ABC <BAND:3>80m <MODE:3>SSB "
               "<DOK:2>5N <EOR>",
               "DARC_DOK", 1},
              {"no end of record", 4,
               "<QSO_DATE:8>20260314 <TIME_ON:4>1910 <CALL:5>DK0XX <BAND:3>80m <MODE:2>CW",
               "does not end with <EOR>"},
              {"length past the end", 4, "<QSO_DATE:8>20260314 <CALL:60>DK0XX <EOR>",
               "runs past the end of the file"},
              {"malformed tag", 4, "<QSO_DATE:8>20260314 <CALL:x>DK0XX <EOR>", "is malformed"}});
}

/// A clean EDI file with distances from the test's own computation.
std::vector<std::string> CleanEdi() {
  const long d1 = std::lround(IndependentKm("JO31AB", "JO62QM"));
  const long d2 = std::lround(IndependentKm("JO31AB", "JO22DC"));
  return {"[Test]",
          "[REG1TEST;1]",
          "TName=Test",
          "TDate=20260314;20260314",
          "PCall=DL1XYZ",
          "PWWLo=JO31AB",
          "PSect=A",
          "PBand=145 MHz",
          "RName=Erika Muster",
          "CQSOs=2;1",
          "CQSOP=" + std::to_string(d1 + d2),
          "CToSc=" + std::to_string(d1 + d2),
          "CWWLs=2;0;1",
          "CODXC=DL1ABC;JO62QM;" + std::to_string(std::max(d1, d2)),
          "[Remarks]",
          "",
          "[QSORecords;2]",
          "260314;1705;DL1ABC;2;599;001;599;012;;JO62QM;" + std::to_string(d1) + ";;;;",
          "260314;1710;PA0AAA;1;59;002;59;007;;JO22DC;" + std::to_string(d2) + ";;;;"};
}

TEST(FileCheck, EdiFaults) {
  const std::vector<std::string> clean = CleanEdi();
  const std::string d1 = std::to_string(std::lround(IndependentKm("JO31AB", "JO62QM")));
  ExpectEachFaultFound(
      clean, {{"no name", 3, std::nullopt, "TName= is missing"},
              {"date", 4, "TDate=2026031;20260314", "is not \"yyyymmdd;yyyymmdd\""},
              {"own locator", 6, "PWWLo=JO3", "PWWLo \"JO3\" is not valid"},
              {"band", 8, "PBand=146 MHz", "no band of the REG1TEST list"},
              {"count", 10, "CQSOs=3;1", "CQSOs says 3;1, the file has 2"},
              {"points", 11, "CQSOP=1", "not the sum of the QSO points"},
              {"squares", 13, "CWWLs=5;0;1", "CWWLs says 5 squares"},
              {"longest QSO", 14, "CODXC=PA0AAA;JO22DC;1", "does not name the longest QSO"},
              {"records", 17, "[QSORecords;3]", "[QSORecords;3], but 2 QSO records"},
              {"outside TDate", 18, "260315;1705;DL1ABC;2;599;001;599;012;;JO62QM;" + d1 + ";;;;",
               "outside TDate", 1},
              {"locator", 18, "260314;1705;DL1ABC;2;599;001;599;012;;JO62Q;" + d1 + ";;;;",
               "does not have 6 characters", 1},
              {"fields", 18, "260314;1705;DL1ABC;2;599;001;599;012;;JO62QM;" + d1 + ";;;",
               "14 fields instead of 15", 1},
              {"mode code", 18, "260314;1705;DL1ABC;X;599;001;599;012;;JO62QM;" + d1 + ";;;;",
               "mode code \"X\" is no digit", 1},
              {"distance", 18,
               "260314;1705;DL1ABC;2;599;001;599;012;;JO62QM;" + std::to_string(std::stol(d1) + 5) +
                   ";;;;",
               "does not match the locators", 1},
              {"duplicate", 19, "260314;1710;DL1ABC;2;59;002;59;007;;JO62QM;" + d1 + ";;;;",
               "Duplicate QSO", 2}});
}

// The distance a robot computes from the locators agrees with a great-circle computation
// made independently of the program (within 1 km), near and far, and the check tolerates
// exactly that much.
TEST(FileCheck, EdiDistanceAgainstAnIndependentComputation) {
  const std::vector<std::pair<std::string, std::string>> pairs = {
      {"JO31AB", "JO31AB"}, {"JO31AB", "JO31AC"}, {"JO31AB", "JO62QM"},
      {"JO31AB", "JN58TD"}, {"JO31AB", "IO91WM"}, {"JO31AB", "KP20LE"},
      {"JO31AB", "IM58KQ"}, {"JO31AB", "FN31PR"}, {"RR73XX", "AA00AA"}};
  for (const auto& [a, b] : pairs)
    EXPECT_NEAR(RobotDistanceKm(a, b), IndependentKm(a, b), 1.0) << a << " " << b;
  EXPECT_EQ(RobotDistanceKm("JO31AB", "JZ31"), -1);

  std::vector<std::string> lines = CleanEdi();
  const double exact = IndependentKm("JO31AB", "JO62QM");
  SetLanguageFlag(0);
  for (const long offset : {-2L, -1L, 0L, 1L, 2L}) {
    lines[17] = "260314;1705;DL1ABC;2;599;001;599;012;;JO62QM;" +
                std::to_string(std::lround(exact) + offset) + ";;;;";
    bool flagged = false;
    for (const FileFinding& f : CheckFile(Join(lines)))
      flagged = flagged || f.text.find("does not match the locators") != std::string::npos;
    EXPECT_EQ(flagged, std::fabs(static_cast<double>(std::lround(exact) + offset) - exact) >
                           DistanceToleranceKm(exact))
        << offset;
  }

  // The log's own distances (111.12 km per degree) stay within the tolerance on every path
  // length, so the program's EDI files are not warned about; a distance 1 % off is.
  for (int i = 0; i < 2000; ++i) {
    const unsigned n = static_cast<unsigned>(i) * 2654435761u;
    const std::string to = {static_cast<char>('A' + n % 18), static_cast<char>('A' + n / 18 % 18),
                            static_cast<char>('0' + n / 324 % 10),
                            static_cast<char>('0' + n / 3240 % 10),
                            static_cast<char>('A' + n / 32400 % 24),
                            static_cast<char>('A' + n / 777600 % 24)};
    LocatorDistance own;
    ASSERT_TRUE(Distance("JO31AB", to, own)) << to;
    const double robot = RobotDistanceKm("JO31AB", to);
    EXPECT_LE(std::fabs(std::round(own.km) - robot), DistanceToleranceKm(robot)) << to;
    if (robot > 200)
      EXPECT_GT(robot * 0.01, DistanceToleranceKm(robot)) << to;
  }
  lines[17] = "260314;1705;DL1ABC;2;599;001;599;012;;FN31PR;" +
              std::to_string(std::lround(RobotDistanceKm("JO31AB", "FN31PR") * 1.01)) + ";;;;";
  bool flagged = false;
  for (const FileFinding& f : CheckFile(Join(lines)))
    flagged = flagged || f.text.find("does not match the locators") != std::string::npos;
  EXPECT_TRUE(flagged);
  SetLanguageFlag(1);
}

TEST(FileCheck, FormatsAndLines) {
  EXPECT_EQ(DetectFileFormat("START-OF-LOG: 3.0\r\n"), FileFormat::kCabrillo);
  EXPECT_EQ(DetectFileFormat("[x]\r\n[REG1TEST;1]\r\n"), FileFormat::kEdi);
  EXPECT_EQ(DetectFileFormat("STF1\r\n"), FileFormat::kStf);
  EXPECT_EQ(DetectFileFormat("text\r\n<eoh>\r\n"), FileFormat::kAdif);
  EXPECT_EQ(DetectFileFormat("<CALL:3>DL1 <EOR>"), FileFormat::kAdif);
  EXPECT_EQ(DetectFileFormat("hello"), FileFormat::kUnknown);
  EXPECT_EQ(DetectFileFormat(""), FileFormat::kUnknown);
  SetLanguageFlag(1);
  EXPECT_EQ(FindingLine({FindingSeverity::kError, 12, 3, "DL1ABC", "Das Datum fehlt."}),
            "Fehler, Zeile 12, QSO 3 (DL1ABC): Das Datum fehlt.");
  EXPECT_EQ(FindingLine({FindingSeverity::kWarning, 0, 0, "", "CQSOP= fehlt."}),
            "Warnung: CQSOP= fehlt.");
}

// With the contest known, the period, the bands and modes of the category, the duplicate
// rule and the claimed score are checked too.
TEST(FileCheck, WhatTheContestTells) {
  const std::string file =
      Join({"START-OF-LOG: 3.0", "CONTEST: X", "CALLSIGN: DL1XYZ", "CATEGORY-OPERATOR: SINGLE-OP",
            "CATEGORY-BAND: ALL", "CATEGORY-MODE: MIXED", "CLAIMED-SCORE: 12",
            "QSO:  3510 CW 2026-01-11 0901 DL1XYZ 599 001 DL1ABC 599 005",
            "QSO:  7010 CW 2026-01-11 1115 DL1XYZ 599 002 DL1ABC 599 017",
            "QSO: 14010 PH 2026-01-12 0915 DL1XYZ 59 003 OE3ABC 59 017", "END-OF-LOG:"});
  SetLanguageFlag(0);
  EXPECT_EQ(Dump(CheckFile(file)), "");
  FileCheckContext c;
  c.periodFrom = DmyToDay(11, 1, 2026);
  c.timeFrom = HmsToTime(9, 0, 0);
  c.periodTo = DmyToDay(11, 1, 2026);
  c.timeTo = HmsToTime(11, 0, 0);
  c.bands = "bc";
  c.modes = {"CW"};
  c.dupeRule = 5; // once in the whole contest
  c.claimedScore = 15;
  c.qsos = 3;
  EXPECT_EQ(Dump(CheckFile(file, c)),
            "Error, line 7: CLAIMED-SCORE 12 differs from the log's score (15).\n"
            "Error, line 9, QSO 2 (DL1ABC): The QSO lies outside the contest period.\n"
            "Warning, line 9, QSO 2 (DL1ABC): Duplicate QSO (as QSO 1).\n"
            "Error, line 10, QSO 3 (OE3ABC): The QSO lies outside the contest period.\n"
            "Error, line 10, QSO 3 (OE3ABC): The band 20 m is not allowed in this category.\n"
            "Error, line 10, QSO 3 (OE3ABC): The mode PH is not allowed in this category.\n");
  c.slackMinutes = 60 * 24;
  c.qsos = 4;
  const std::string widened = Dump(CheckFile(file, c));
  EXPECT_EQ(widened.find("outside the contest period"), std::string::npos) << widened;
  EXPECT_NE(widened.find("The file holds 3 QSOs, the log 4."), std::string::npos) << widened;
  SetLanguageFlag(1);
}

class CheckedOutputs : public OutputTest {
protected:
  /// The file of `kind` as the writer produces it, checked with what the program knows.
  std::string Findings(int kind) {
    SetLanguageFlag(0);
    const std::string bytes = Written(kind);
    const std::string dump = Dump(CheckFile(bytes, CheckContextOf(contest_, kind)));
    SetLanguageFlag(1);
    return dump;
  }
};

// Every file the writers produce for a clean log passes the check.
TEST_F(CheckedOutputs, OwnFilesOfACleanShortWaveLogAreClean) {
  {
    MakeContest('3', 1);
    Header().SetDateFrom(Mar(14));
    Header().SetDateTo(Mar(14));
    Add({.call = "DL1ABC",
         .datum = Mar(14),
         .zeit = At(8, 5),
         .band = 'b',
         .mode = "SSB",
         .rsts = "59 N01",
         .rstr = "59 5N",
         .freq = 3.65F,
         .dok = "5N"});
    Add({.call = "DK0XX",
         .datum = Mar(14),
         .zeit = At(8, 40),
         .band = 'c',
         .mode = "CW",
         .rsts = "599N01",
         .rstr = "599P33",
         .dok = "P33"});
    Add({.call = "OE3ABC",
         .datum = Mar(14),
         .zeit = At(9, 1),
         .band = 'i',
         .mode = "SSB",
         .rsts = "59 N01",
         .rstr = "57"});
    SetTotals(3, 3, 2);
    for (const int kind :
         {output_kind::kCabrilloFile, output_kind::kStfFile, output_kind::kAdifFile})
      EXPECT_EQ(Findings(kind), "") << kind;
  }
}

// Code 1 sends one exchange column and receives two (serial number and DOK); its STF file
// names a second column that a QSO without DOK leaves out.
TEST_F(CheckedOutputs, OwnFilesOfASerialNumberLogAreClean) {
  MakeContest('1', 1);
  Add({.call = "DL1ABC",
       .datum = Mar(11),
       .zeit = At(9, 1),
       .band = 'i',
       .mode = "CW",
       .rsts = "599001",
       .rstr = "599012/P33",
       .freq = 28.02F,
       .dok = "P33"});
  Add({.call = "G3XYZ",
       .datum = Mar(11),
       .zeit = At(9, 3),
       .band = 'i',
       .mode = "SSB",
       .rsts = "59 002",
       .rstr = "59 077"});
  SetTotals(2, 2, 1, 1);
  for (const int kind : {output_kind::kCabrilloFile, output_kind::kStfFile, output_kind::kAdifFile})
    EXPECT_EQ(Findings(kind), "") << kind;
}

TEST_F(CheckedOutputs, OwnFilesOfACleanVhfLogAreClean) {
  {
    MakeContest('8', 1);
    contest_.station.locator = "JO31AB";
    Header().SetDateFrom(Mar(3));
    Header().SetDateTo(Mar(3));
    const auto km = [](const char* loc) {
      return static_cast<std::int32_t>(std::lround(RobotDistanceKm("JO31AB", loc)));
    };
    Add({.call = "DL1ABC",
         .datum = Mar(3),
         .zeit = At(17, 30),
         .mode = "CW",
         .rsts = "599001/A/JO31AB",
         .rstr = "599012/B/JO62QM",
         .locator = "JO62QM",
         .qrb = km("JO62QM")});
    Add({.call = "PA0AAA",
         .datum = Mar(3),
         .zeit = At(17, 45),
         .mode = "CW",
         .rsts = "599002/A/JO31AB",
         .rstr = "579007/A/JO22DC",
         .locator = "JO22DC",
         .qrb = km("JO22DC")});
    SetTotals(2, km("JO62QM") + km("JO22DC"), 0);
    for (const int kind :
         {output_kind::kEdiFile, output_kind::kCabrilloFile, output_kind::kAdifFile})
      EXPECT_EQ(Findings(kind), "") << kind;
  }
}

// The output run checks a file before it writes it: findings are shown through the review,
// "Abbrechen" leaves no file, "Trotzdem schreiben" writes the very file that was checked; a
// clean file is written without the review. The ADIF question is asked once.
TEST_F(CheckedOutputs, OutputRunShowsTheFindingsBeforeWriting) {
  MakeCode2Log(); // its third QSO has neither call nor date
  std::vector<std::vector<FileFinding>> reviews;
  bool writeAnyway = false;
  OutputServices services{&dialogs_, nullptr, {}, &clock_, {}};
  services.reviewFindings = [&](const std::vector<FileFinding>& findings, const std::string&) {
    reviews.push_back(findings);
    return writeAnyway;
  };
  const std::string path = dir_.file("DL1XYZ_P.ADI");
  dialogs_.saveAnswers = {path};
  RunOutputKind(output_kind::kAdifFile, contest_, services);
  ASSERT_EQ(reviews.size(), 1u);
  EXPECT_FALSE(std::filesystem::exists(path));
  EXPECT_EQ(dialogs_.Questions().size(), 1u);
  bool namesTheQso = false;
  for (const FileFinding& f : reviews[0])
    namesTheQso = namesTheQso || (f.qso == 3 && IsError(f));
  EXPECT_TRUE(namesTheQso);

  writeAnyway = true;
  dialogs_.Clear();
  dialogs_.saveAnswers = {path};
  RunOutputKind(output_kind::kAdifFile, contest_, services);
  EXPECT_EQ(reviews.size(), 2u);
  EXPECT_EQ(ReadFileBytes(path), Expected("code2.ADI"));
  EXPECT_EQ(dialogs_.Informs().back(), FileCreatedMessage(path));
}

// The Cabrillo file of a clean log goes without the review; the CONTEST value is the one the
// person gave in its dialog, and cancelling that dialog writes nothing.
TEST_F(CheckedOutputs, CabrilloContestNameBeforeWriting) {
  std::vector<std::vector<FileFinding>> reviews;
  OutputServices services{&dialogs_, nullptr, {}, &clock_, {}};
  services.reviewFindings = [&](const std::vector<FileFinding>& findings, const std::string&) {
    reviews.push_back(findings);
    return false;
  };
  MakeContest('9', 0);
  Add({.call = "DL1ABC",
       .datum = Mar(7),
       .zeit = At(15, 0),
       .band = 'e',
       .mode = "CW",
       .rsts = "599001",
       .rstr = "599012",
       .punkte = 2});
  SetTotals(1, 2, 1);
  services.editCabrilloContest = [](std::string& name) {
    EXPECT_EQ(name, "IARU-R1-FIELDDAY");
    name = "DARC-FD-CW";
    return true;
  };
  const std::string cabrillo = dir_.file("DL1XYZ_P.LOG");
  dialogs_.saveAnswers = {cabrillo};
  RunOutputKind(output_kind::kCabrilloFile, contest_, services);
  EXPECT_TRUE(reviews.empty());
  EXPECT_NE(ReadFileBytes(cabrillo).find("\r\nCONTEST: DARC-FD-CW\r\n"), std::string::npos);
  services.editCabrilloContest = [](std::string&) { return false; };
  dialogs_.Clear();
  RunOutputKind(output_kind::kCabrilloFile, contest_, services);
  EXPECT_TRUE(dialogs_.events.empty());
}

} // namespace
} // namespace tarvik::test
