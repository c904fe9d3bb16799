// The EDI file: a code-8 log against a hand-written file, read back by an independent
// REG1TEST check; the participant dialog's prefill; the header edge cases (no dates, no
// ODX, the ODX tie); the QSO record fields; and the record count, which counts only the
// QSO lines written.

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <sstream>

#include "output_fixture.h"
#include "outputs/edi_file.h"
#include "outputs/output_kinds.h"

namespace tarvik::test {
namespace {

// --- an independent REG1TEST reader -------------------------------------------------------

std::vector<std::string> SplitLines(const std::string& bytes) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < bytes.size()) {
    const std::size_t end = bytes.find("\r\n", start);
    if (end == std::string::npos) {
      lines.push_back(bytes.substr(start)); // a last line without CR LF
      break;
    }
    lines.push_back(bytes.substr(start, end - start));
    start = end + 2;
  }
  return lines;
}

std::vector<std::string> SplitFields(const std::string& line) {
  std::vector<std::string> fields(1);
  for (const char c : line) {
    if (c == ';')
      fields.emplace_back();
    else
      fields.back() += c;
  }
  return fields;
}

bool AllDigits(const std::string& text, std::size_t length) {
  if (text.size() != length)
    return false;
  for (const char c : text)
    if (c < '0' || c > '9')
      return false;
  return true;
}

bool IsNumber(const std::string& text) {
  return !text.empty() && AllDigits(text, text.size());
}

/// Checks a file against the published REG1TEST layout: the "[REG1TEST;1]" section with its
/// header keys, "[Remarks]", "[QSORecords;N]" followed by exactly N records of 15 fields
/// with valid dates, times and mode codes, and "CQSOs" consistent with N. Returns every
/// problem found.
std::vector<std::string> Reg1TestProblems(const std::string& bytes) {
  std::vector<std::string> problems;
  const std::vector<std::string> lines = SplitLines(bytes);
  std::size_t i = 0;
  while (i < lines.size() && lines[i] != "[REG1TEST;1]")
    ++i;
  if (i == lines.size())
    return {"no [REG1TEST;1] section"};
  std::map<std::string, std::string> header;
  for (++i; i < lines.size() && !lines[i].starts_with("["); ++i) {
    const auto equals = lines[i].find('=');
    if (equals == std::string::npos || equals == 0) {
      problems.push_back("header line without key: " + lines[i]);
      continue;
    }
    if (!header.emplace(lines[i].substr(0, equals), lines[i].substr(equals + 1)).second)
      problems.push_back("key twice: " + lines[i]);
  }
  static const char* const kKeys[] = {
      "TName", "TDate", "PCall", "PWWLo", "PExch", "PAdr1", "PAdr2", "PSect", "PBand",
      "PClub", "RName", "RCall", "RAdr1", "RAdr2", "RPoCo", "RCity", "RCoun", "RPhon",
      "RHBBS", "MOpe1", "MOpe2", "STXEq", "SPowe", "SRXEq", "SAnte", "SAntH", "CQSOs",
      "CQSOP", "CWWLs", "CWWLB", "CExcs", "CExcB", "CDXCs", "CDXCB", "CToSc", "CODXC"};
  for (const char* key : kKeys)
    if (!header.contains(key))
      problems.push_back(std::string("missing key ") + key);
  const std::vector<std::string> tdate = SplitFields(header["TDate"]);
  if (tdate.size() != 2 ||
      !((AllDigits(tdate[0], 8) && AllDigits(tdate[1], 8)) || (tdate[0] == "0" && tdate[1] == "0")))
    problems.push_back("TDate is not yyyymmdd;yyyymmdd: " + header["TDate"]);
  if (i == lines.size() || lines[i] != "[Remarks]")
    return problems.push_back("no [Remarks] after the header"), problems;
  for (++i; i < lines.size() && !lines[i].starts_with("[QSORecords;"); ++i) {
  }
  if (i == lines.size())
    return problems.push_back("no [QSORecords;N] section"), problems;
  const std::string countText = lines[i].substr(12, lines[i].size() - 13);
  if (!lines[i].ends_with("]") || !IsNumber(countText))
    return problems.push_back("bad section line " + lines[i]), problems;
  const std::size_t count = std::stoul(countText);
  const std::size_t records = lines.size() - i - 1;
  if (records != count)
    problems.push_back("[QSORecords;" + countText + "] but " + std::to_string(records) +
                       " records follow");
  const std::vector<std::string> cqsos = SplitFields(header["CQSOs"]);
  if (cqsos.size() != 2 || cqsos[0] != countText || cqsos[1] != "1")
    problems.push_back("CQSOs=" + header["CQSOs"] + " does not match " + countText);
  static const std::set<std::string> kModes = {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9"};
  for (std::size_t r = i + 1; r < lines.size(); ++r) {
    const std::vector<std::string> f = SplitFields(lines[r]);
    const std::string where = "record " + std::to_string(r - i) + ": ";
    if (f.size() != 15) {
      problems.push_back(where + std::to_string(f.size()) + " fields");
      continue;
    }
    if (!AllDigits(f[0], 6) || std::stoi(f[0].substr(2, 2)) < 1 ||
        std::stoi(f[0].substr(2, 2)) > 12 || std::stoi(f[0].substr(4, 2)) < 1 ||
        std::stoi(f[0].substr(4, 2)) > 31)
      problems.push_back(where + "date " + f[0]);
    if (!AllDigits(f[1], 4) || std::stoi(f[1].substr(0, 2)) > 23 ||
        std::stoi(f[1].substr(2, 2)) > 59)
      problems.push_back(where + "time " + f[1]);
    if (f[2].empty())
      problems.push_back(where + "no call");
    if (!kModes.contains(f[3]))
      problems.push_back(where + "mode code " + f[3]);
    if (!f[10].empty() && !IsNumber(f[10]))
      problems.push_back(where + "points " + f[10]);
  }
  return problems;
}

// --- the writer ---------------------------------------------------------------------------

class EdiFile : public OutputTest {
protected:
  /// A code-8 contest (category 1: "A: bis 5 Watt Output VHF 2m") with the station in
  /// JO31AB and DOK N01, the contest on 7 and 8 March, an ODX tie between OK1XYZ (first in
  /// time) and PA0AAA (first in entry order), a QSO in "PR" without locator and without "/"
  /// in its received exchange, and a band-change marker record.
  void MakeCode8Log() {
    MakeContest('8', 1);
    contest_.station.locator = "JO31AB";
    contest_.station.dok = "N01";
    Header().SetDateFrom(Mar(7));
    Header().SetDateTo(Mar(8));
    Header().SetTransmitter("IC-9700");
    Add({.call = "DL1ABC",
         .datum = Mar(7),
         .zeit = At(14, 5),
         .mode = "CW",
         .rsts = "599001/A/JO31AB",
         .rstr = "579012/B/JO42AB",
         .punkte = 245,
         .prefix = "DL",
         .locator = "JO42AB",
         .qrb = 245});
    Add(Marker('k'));
    Add({.call = "PA0AAA",
         .datum = Mar(7),
         .zeit = At(14, 30),
         .mode = "FM",
         .rsts = "59 002/A/JO31AB",
         .rstr = "59 021/A/JO22AA",
         .punkte = 412,
         .prefix = "PA",
         .locator = "JO22AA",
         .qrb = 412});
    Add({.call = "DL2ABC",
         .datum = Mar(7),
         .zeit = At(14, 20),
         .mode = "PR",
         .rsts = "59 003/A/JO31AB",
         .rstr = "59 010",
         .punkte = 0,
         .prefix = "DL"});
    Add({.call = "OK1XYZ",
         .datum = Mar(7),
         .zeit = At(14, 10),
         .mode = "SSB",
         .rsts = "59 004/A/JO31AB",
         .rstr = "59 003/C/JN69UB",
         .punkte = 412,
         .prefix = "OK",
         .locator = "JN69UB",
         .qrb = 412});
    SetTotals(4, 1069, 0);
  }

  std::string WrittenEdi(const ParticipantEditor& edit) {
    const std::string path = dir_.file("out.EDI");
    EXPECT_EQ(WriteOutputFile(output_kind::kEdiFile, contest_, path, {}, clock_, edit),
              OutputFileStatus::kWritten);
    return ReadFileBytes(path);
  }
};

TEST_F(EdiFile, Code8FileMatchesTheHandWrittenFileAndPassesTheReg1TestCheck) {
  MakeCode8Log();
  ParticipantData shown;
  const std::string file = WrittenEdi([&](ParticipantData& p) {
    shown = p;
    p.mope1 = "DL2XX;DL3YY";
    p.rremarks = "IC-9700, 10 W\nYagi";
  });
  EXPECT_EQ(file, Expected("code8.EDI"));
  EXPECT_EQ(Reg1TestProblems(file), std::vector<std::string>{});

  // The dialog was prefilled from the header, the category and the station data.
  ParticipantData prefilled;
  prefilled.pcall = "DL1XYZ/P";
  prefilled.ploc = "JO31AB";
  prefilled.rname = "Erika Muster";
  prefilled.rpoco = "44135";
  prefilled.padr2 = "44135 Dortmund";
  prefilled.rcity = "Dortmund";
  prefilled.padr1 = "Hauptstr. 1";
  prefilled.radr2 = "Hauptstr. 1";
  prefilled.rcoun = "";
  prefilled.pclub2 = "N01";
  prefilled.psect = "A";
  prefilled.pband = 2; // "144 MHz"
  EXPECT_EQ(shown, prefilled);
}

// A log with band-change marker records: the count of "CQSOs=" and "[QSORecords;N]" is the
// number of QSO lines written, and a marker adds no empty square or country.
TEST_F(EdiFile, MarkerRecordsAreNeitherWrittenNorCounted) {
  MakeContest('8', 1);
  Add(Marker('k'));
  Add({.call = "DL1ABC",
       .datum = Mar(7),
       .zeit = At(14, 5),
       .mode = "CW",
       .rsts = "599001",
       .rstr = "599002/A",
       .prefix = "DL",
       .locator = "JO42AB",
       .qrb = 100});
  Add(Marker('k'));
  Add({.call = "DL2ABC",
       .datum = Mar(7),
       .zeit = At(14, 6),
       .mode = "CW",
       .rsts = "599002",
       .rstr = "599003/A",
       .prefix = "DL",
       .locator = "JO42CD",
       .qrb = 90});
  const std::string file = WrittenEdi({});
  EXPECT_EQ(Reg1TestProblems(file), std::vector<std::string>{});
  EXPECT_NE(file.find("\r\nCQSOs=2;1\r\n"), std::string::npos);
  EXPECT_NE(file.find("\r\nCWWLs=1;0;1\r\n"), std::string::npos);
  EXPECT_NE(file.find("\r\nCDXCs=1;0;1\r\n"), std::string::npos);
  EXPECT_TRUE(file.ends_with("[QSORecords;2]\r\n"
                             "260307;1405;DL1ABC;2;599;001;599;002;A;JO42AB;100;;;;\r\n"
                             "260307;1406;DL2ABC;2;599;002;599;003;A;JO42CD;90;;;;\r\n"))
      << file;
}

TEST_F(EdiFile, HeaderEdgeCases) {
  // No dates, no QSO with a distance, no category: "TDate=0;0", "CODXC=", the dialog's
  // default section and no band; an empty log has no records at all.
  MakeContest('8', 0);
  Header().SetDateFrom(Mar(7));
  std::string file = WrittenEdi({});
  EXPECT_NE(file.find("\r\nTDate=0;0\r\n"), std::string::npos);
  EXPECT_NE(file.find("\r\nCODXC=\r\n"), std::string::npos);
  EXPECT_NE(file.find("\r\nPSect=1\r\nPBand=\r\n"), std::string::npos);
  EXPECT_NE(file.find("\r\nCWWLs=0;0;1\r\n"), std::string::npos);
  EXPECT_NE(file.find("\r\n[Remarks]\r\n\r\n[QSORecords;0]\r\n"), std::string::npos);
  EXPECT_TRUE(file.ends_with("[QSORecords;0]\r\n"));
  EXPECT_EQ(Reg1TestProblems(file), std::vector<std::string>{});

  Add({.call = "DL1ABC", .datum = Mar(7), .zeit = At(9, 0), .rsts = "599001", .rstr = "599"});
  file = WrittenEdi({});
  EXPECT_NE(file.find("\r\nCODXC=\r\n"), std::string::npos);
  EXPECT_NE(file.find("\r\nCWWLs=1;0;1\r\nCWWLB=0\r\nCExcs=0;0;1\r\nCExcB=\r\nCDXCs=1;0;1\r\n"),
            std::string::npos);

  // "70cm" in the category description chooses 432 MHz, "2m" alone 144 MHz.
  MakeContest('8', 1);
  contest_.definition.Categories[0].description = "B: 2m und 70cm";
  EXPECT_EQ(PrefillParticipant(OutputSourceFor()).BandText(), "432 MHz");
  contest_.definition.Categories[0].description = "C: 2m";
  EXPECT_EQ(PrefillParticipant(OutputSourceFor()).BandText(), "144 MHz");
  // A place without a blank: no postcode, the whole text as the city.
  contest_.station.postcodePlace = "Dortmund";
  const ParticipantData p = PrefillParticipant(OutputSourceFor());
  EXPECT_EQ(p.rpoco, "");
  EXPECT_EQ(p.rcity, "Dortmund");
}

TEST(EdiFields, QsoRecordFields) {
  struct Case {
    const char* mode;
    const char* rsts;
    const char* rstr;
    const char* locator;
    int qrb;
    const char* line;
  };
  const Case cases[] = {
      {"CW", "599001", "579012/B", "JO42AB", 245,
       "090321;1405;DL1ABC;2;599;001;579;012;B;JO42AB;245;;;;"},
      {"SSB", "59 001", "59 012", "JO42", 3, "090321;1405;DL1ABC;1;59 ;001;59 ;012;;JO42  ;3;;;;"},
      {"AM", "59", "59/", "", 0, "090321;1405;DL1ABC;5;59;;59/;;;      ;0;;;;"},
      {"FM", "59 001", "59 012/", "JO42AB", 1,
       "090321;1405;DL1ABC;6;59 ;001;59 ;012;;JO42AB;1;;;;"},
      {"RTTY", "599001", "599012/AB", "JO42AB", 1,
       "090321;1405;DL1ABC;7;599;001;599;012;A;JO42AB;1;;;;"},
      {"PR", "599001", "599012", "JO42AB", 1, "090321;1405;DL1ABC;0;599;001;599;012;;JO42AB;1;;;;"},
      {"cw", "599001", "599012", "JO42AB", 1, "090321;1405;DL1ABC;0;599;001;599;012;;JO42AB;1;;;;"},
      {"DIGITA", "599001", "599012", "JO42AB", 1,
       "090321;1405;DL1ABC;0;599;001;599;012;;JO42AB;1;;;;"},
  };
  for (const Case& c : cases) {
    std::array<char, QsoRecord::kLength> bytes{};
    QsoRecord r(bytes.data());
    r.SetCall("DL1ABC");
    r.SetDatum(DmyToDay(21, 3, 2009));
    r.SetZeit(HmsToTime(14, 5, 0));
    r.SetMode(c.mode);
    r.SetRSTs(c.rsts);
    r.SetRSTr(c.rstr);
    r.SetLocator(c.locator);
    r.SetQRB(c.qrb);
    EXPECT_EQ(EdiQsoLine(r), c.line) << c.mode;
  }
}

} // namespace
} // namespace tarvik::test
