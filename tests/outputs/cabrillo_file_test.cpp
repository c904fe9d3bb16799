// The Cabrillo file: whole files of four contests compared with hand-written expected files
// (a short-wave DOK contest, a serial-number contest, a VHF locator contest and code 2), the
// columns and their conversions, and the files read back by a Cabrillo reader from the npm
// registry.

#include <filesystem>

#include "contest/cabrillo_catalog.h"
#include "output_fixture.h"
#include "support/run_command.h"
#include "outputs/cabrillo_file.h"
#include "outputs/output_kinds.h"

namespace tarvik::test {
namespace {

class CabrilloFile : public OutputTest {
protected:
  /// Code 3 (WNC, 80/40/10 m, DOK exchange) in its category "SSB/CW": frequencies on and
  /// off the band, a station without DOK, a band-change marker.
  void MakeCode3Log() {
    MakeContest('3', 1);
    contest_.station.locator = "JO31AB";
    contest_.station.dok = "N01";
    Add({.call = "DL1ABC",
         .datum = Mar(14),
         .zeit = At(8, 5),
         .band = 'b',
         .mode = "SSB",
         .rsts = "59 N01",
         .rstr = "59 5N",
         .punkte = 1,
         .freq = 3.65F,
         .dok = "5N"});
    Add(Marker('c'));
    Add({.call = "DK0XX",
         .datum = Mar(14),
         .zeit = At(8, 40),
         .band = 'c',
         .mode = "CW",
         .rsts = "599N01",
         .rstr = "599P33",
         .punkte = 1,
         .freq = 14.2F,
         .dok = "P33"});
    Add({.call = "OE3ABC",
         .datum = Mar(14),
         .zeit = At(9, 1),
         .band = 'i',
         .mode = "SSB",
         .rsts = "59 N01",
         .rstr = "57",
         .punkte = 1,
         .freq = 28.4501F});
    SetTotals(3, 3, 2);
  }

  std::string WrittenCabrillo() { return Written(output_kind::kCabrilloFile); }
};

TEST_F(CabrilloFile, ShortWaveDokContestMatchesTheHandWrittenFile) {
  MakeCode3Log();
  EXPECT_EQ(WrittenCabrillo(), Expected("code3.LOG"));
}

TEST_F(CabrilloFile, SerialNumberContestMatchesTheHandWrittenFile) {
  MakeContest('9', 0);
  Add({.call = "DL1ABC",
       .datum = Mar(7),
       .zeit = At(15, 0),
       .band = 'e',
       .mode = "CW",
       .rsts = "599001",
       .rstr = "599012",
       .punkte = 2,
       .freq = 14.025F});
  Add({.call = "G3XYZ/P",
       .datum = Mar(7),
       .zeit = At(15, 2),
       .band = 'g',
       .mode = "CW",
       .rsts = "599002",
       .rstr = "5991234",
       .punkte = 4,
       .freq = 21.0301F});
  Add({.call = "PA0ABC",
       .datum = Mar(8),
       .zeit = At(14, 59),
       .band = 'a',
       .mode = "SSB",
       .rsts = "59 003",
       .rstr = "59 077",
       .punkte = 2});
  SetTotals(3, 8, 3);
  EXPECT_EQ(WrittenCabrillo(), Expected("code9.LOG"));
}

TEST_F(CabrilloFile, VhfLocatorContestMatchesTheHandWrittenFile) {
  MakeContest('N', 1);
  contest_.cabrilloContest = "NAC-144";
  Add({.call = "SM7ABC",
       .datum = Mar(3),
       .zeit = At(17, 30),
       .band = 'k',
       .mode = "SSB",
       .rsts = "59 JO31AB",
       .rstr = "59 JO65QX",
       .punkte = 712,
       .freq = 144.3F,
       .locator = "JO65QX",
       .qrb = 712});
  Add({.call = "OZ1XYZ",
       .datum = Mar(3),
       .zeit = At(18, 45),
       .band = 'k',
       .mode = "CW",
       .rsts = "599JO31AB",
       .rstr = "579JO55",
       .punkte = 540,
       .locator = "JO55",
       .qrb = 540});
  SetTotals(2, 1252, 2);
  EXPECT_EQ(WrittenCabrillo(), Expected("codeN.LOG"));
}

TEST_F(CabrilloFile, Code2MatchesTheHandWrittenFile) {
  MakeCode2Log();
  EXPECT_EQ(WrittenCabrillo(), Expected("code2.LOG"));
}

TEST(CabrilloColumns, ModesFrequenciesAndExchanges) {
  EXPECT_EQ(CabrilloModeText("SSB"), "PH");
  EXPECT_EQ(CabrilloModeText("CW"), "CW");
  EXPECT_EQ(CabrilloModeText("FM"), "FM");
  EXPECT_EQ(CabrilloModeText("RTTY"), "RY");
  EXPECT_EQ(CabrilloModeText("PSK31"), "DG");
  EXPECT_EQ(CabrilloModeText("FSK441"), "DG");
  EXPECT_EQ(CabrilloModeText("DIGITAL"), "DG");
  EXPECT_EQ(CabrilloModeText("PR"), "DG");

  EXPECT_EQ(CabrilloFrequencyText('b', 3.5721F), "3572");
  EXPECT_EQ(CabrilloFrequencyText('b', 7.05F), "3500"); // not on the QSO's band
  EXPECT_EQ(CabrilloFrequencyText('a', 0), "1810");
  EXPECT_EQ(CabrilloFrequencyText('j', 50.1F), "50");
  EXPECT_EQ(CabrilloFrequencyText('l', 0), "432");
  EXPECT_EQ(CabrilloFrequencyText('m', 1296.2F), "1.2G");
  EXPECT_EQ(CabrilloFrequencyText('q', 0), "10G");
  EXPECT_EQ(CabrilloFrequencyText('s', 0), "24G");

  EXPECT_EQ(CabrilloExchangeColumns("59 N01/JO31", 2), (std::vector<std::string>{"N01", "JO31"}));
  EXPECT_EQ(CabrilloExchangeColumns("59 /JO31", 2), (std::vector<std::string>{"-", "JO31"}));
  EXPECT_EQ(CabrilloExchangeColumns("599", 2), (std::vector<std::string>{"-", "-"}));
  EXPECT_EQ(CabrilloExchangeColumns("599012/N01/X", 2), (std::vector<std::string>{"012", "N01/X"}));
  EXPECT_EQ(CabrilloExchangeColumns("59 Köln Süd", 1), (std::vector<std::string>{"Koeln-Sued"}));
  EXPECT_EQ(CabrilloAscii("Jörg Weiß"), "Joerg Weiss");
}

TEST(CabrilloCatalog, CategoriesFromTheDefinition) {
  ContestDefinition def;
  def.Bands = "bc";
  def.Modes = {"CW"};
  def.Categories = {{"1. QRP = bis 5 W Output", 0, ""},
                    {"2: Multi Op, All Band, Single Tx, Mix", 0, ""},
                    {"4. SWL", 0, ""},
                    {"3. HP = mehr als 100 W Output (high Power)", 0, ""}};
  CabrilloCategory c = CabrilloCategoryOf(def, 1);
  EXPECT_EQ(c.operatorKind, "SINGLE-OP");
  EXPECT_EQ(c.band, "ALL");
  EXPECT_EQ(c.mode, "CW");
  EXPECT_EQ(c.power, "QRP");
  c = CabrilloCategoryOf(def, 2);
  EXPECT_EQ(c.operatorKind, "MULTI-OP");
  EXPECT_EQ(c.transmitter, "ONE");
  c = CabrilloCategoryOf(def, 3);
  EXPECT_EQ(c.operatorKind, "CHECKLOG");
  EXPECT_EQ(CabrilloCategoryOf(def, 4).power, "HIGH");
  def.Bands = "k";
  def.Modes = {"SSB", "CW"};
  c = CabrilloCategoryOf(def, 0);
  EXPECT_EQ(c.band, "2M");
  EXPECT_EQ(c.mode, "MIXED");
  EXPECT_EQ(c.power, "");

  // Short-wave contests send Cabrillo; VHF and mixed ones do not.
  EXPECT_TRUE(SendsCabrillo(ContestDefinition{.Bands = "bci"}));
  EXPECT_FALSE(SendsCabrillo(ContestDefinition{.Bands = "bckl"}));
  EXPECT_FALSE(SendsCabrillo(ContestDefinition{.Bands = "k"}));
  EXPECT_FALSE(SendsCabrillo(ContestDefinition{}));
  EXPECT_EQ(CabrilloContestName('1'), "DARC-10M");
  EXPECT_EQ(CabrilloContestName('W'), "");
}

// A Cabrillo reader the project did not write finds the header tags and the QSO columns
// where the Cabrillo 3.0 template puts them (frequency, mode, date, time, call, report and
// exchange of both sides).
TEST_F(CabrilloFile, ReadBackByACabrilloReaderFromNpm) {
  const NpmPackage reader = PrepareNpmPackage("npm-cabrillo-reader", "cabrillo", "0.1.0");
  if (!reader.skipReason.empty())
    GTEST_SKIP() << reader.skipReason;
  ASSERT_TRUE(reader.failure.empty()) << reader.failure;
  MakeCode3Log();
  const std::string file = dir_.file("log.cbr");
  ASSERT_EQ(WriteOutputFile(
                output_kind::kCabrilloFile, contest_, file, [] { return true; }, clock_),
            OutputFileStatus::kWritten);
  const RunResult read = RunCommand("NODE_PATH='" + reader.nodePath + "' node '" +
                                    TARVIK_SOURCE_DIR + "/tests/outputs/cabrillo_reader.js' '" + file + "'");
  ASSERT_EQ(read.exitCode, 0) << read.output;
  EXPECT_EQ(read.output, "CABRILLO-VERSION=3.0\n"
                  "CREATED-BY=Tarvik WNC Version 2006-1.0\n"
                  "CONTEST=WNC\n"
                  "CALLSIGN=DL1XYZ/P\n"
                  "LOCATION=N01\n"
                  "GRID-LOCATOR=JO31AB\n"
                  "CATEGORY-OPERATOR=SINGLE-OP\n"
                  "CATEGORY-BAND=ALL\n"
                  "CATEGORY-MODE=MIXED\n"
                  "CLAIMED-SCORE=6\n"
                  "CLUB=DARC N01\n"
                  "NAME=Erika Muster\n"
                  "ADDRESS=Hauptstr. 1\n"
                  "ADDRESS-CITY=Dortmund\n"
                  "ADDRESS-POSTALCODE=44135\n"
                  "ADDRESS-COUNTRY=Germany\n"
                  "OPERATORS=DL1XYZ/P\n"
                  "QSO 1 3650 PH 2026-03-14 0805 DL1XYZ/P 59 N01 DL1ABC 59 5N\n"
                  "QSO 2 7000 CW 2026-03-14 0840 DL1XYZ/P 599 N01 DK0XX 599 P33\n"
                  "QSO 3 28450 PH 2026-03-14 0901 DL1XYZ/P 59 N01 OE3ABC 57 -\n");
}

} // namespace
} // namespace tarvik::test
