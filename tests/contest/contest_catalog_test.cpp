#include <gtest/gtest.h>

#include <set>

#include "base/process_settings.h"
#include "catalog_test_fixture.h"
#include "contest/cabrillo_catalog.h"
#include "contest/contest_catalog.h"
#include "radio/bands.h"
#include "radio/date_time.h"

namespace tarvik {
namespace {

class CatalogTest : public test::CatalogFixture {};

TEST_F(CatalogTest, ThisBuildIsCodeTwoWithItsCompleteDefinition) {
  EXPECT_EQ(kDefaultContestCode, '2');

  ContestDefinition expected;
  expected.Modes = {"SSB", "CW", "FM"};
  expected.Bands = "k";
  expected.Options.set(4);
  expected.Options.set(5);
  expected.SetMultColumn(1, MultColumn::kDok);
  expected.SetMultColumn(2, MultColumn::kLocator);
  expected.ProgramTitle = "Tarvik Version 2006-1.0";
  expected.ProgramLine = "Tarvik Version 2006-1.0 " + ProgramNotice();
  expected.RcvdExchange1 = expected.SentExchange1 = 4;
  expected.RcvdExchange2 = expected.SentExchange2 = 5;
  expected.SentDefault1 = "N13";
  expected.SentDefault2 = "JO31";
  expected.DupeRule = 2;
  expected.DokList = {"1N", "2N", "3N",  "4N",  "5N",  "6N",  "7N",
                      "8N", "9N", "10N", "11N", "12N", "13N", "WN"};
  expected.ContestName = "ZELKA";
  expected.Categories = {{"alle", 0, ""}};
  expected.DefaultStartTime = "19:00:00";
  expected.DefaultEndTime = "21:00:00";
  expected.UtcOffsetHours = -2;
  expected.EvaluationKind = 0;
  expected.Outputs = Bits({1, 2, 3, 4, 5, 6});

  const ContestDefinition none = Build('2', 0);
  EXPECT_EQ(none, expected);
  EXPECT_EQ(header.extendedStats, 255);
  EXPECT_EQ(Build('2', 1), expected); // the one category changes nothing
  EXPECT_TRUE(dialogs.events.empty());
  EXPECT_EQ(header.category, 1);

  // The default period: no date, only the times, readable with the reading pictures.
  EXPECT_EQ(TextToTime(kDefaultTimeReadPicture, none.DefaultStartTime), HmsToTime(19, 0, 0));
  EXPECT_EQ(TextToTime(kDefaultTimeReadPicture, none.DefaultEndTime), HmsToTime(21, 0, 0));
  EXPECT_EQ(TextToDay(kDefaultDateReadPicture, none.DefaultStartDate), BadDate);

  EXPECT_EQ(ContestTitleLabel('2'), "\"Westfalen Nord QRP Aktivitäts Contest\"");
  EXPECT_STREQ(FindContestIdentity('2')->logo, "westfalen-nord.bmp");
  const RulesLocation rules = ContestRules('2');
  EXPECT_FALSE(rules.web);
  EXPECT_EQ(rules.target, "ZELKAr.RTF");
}

TEST_F(CatalogTest, OwnLocatorPresetIsCutToFourCharactersOrLess) {
  locator = "JO3";
  EXPECT_EQ(Build('2').SentDefault2, "JO3");
  locator = "";
  EXPECT_EQ(Build('2').SentDefault2, "");
  header.dok = "";
  EXPECT_EQ(Build('2').SentDefault1, "");
}

TEST_F(CatalogTest, ForeignToolCodesHaveNoDefinition) {
  for (char code : {'W', 'M', 'X'}) {
    header.extendedStats = 0;
    ContestDefinition expected;
    expected.Outputs = Bits({1, 2, 3, 4, 5, 6, 7});
    EXPECT_EQ(Build(code), expected) << code;
    EXPECT_EQ(header.extendedStats, 0);
    EXPECT_TRUE(IsForeignToolCode(code));
    EXPECT_FALSE(HasContestDefinition(code));
    EXPECT_EQ(ContestTitleLabel(code), "");
  }
  EXPECT_TRUE(IsForeignToolCode('\0'));
  EXPECT_EQ(ContestRules('W').target, "WAGR.RTF");
  EXPECT_EQ(Build('?'), Build('W'));
}

TEST_F(CatalogTest, EveryCodeOfTheCatalogIsConsistent) {
  const std::set<std::string> knownModes = {"SSB", "CW", "FM", "PR", "DIGITAL", "FSK441"};
  const std::string extendedCodes = "FJGRhNSTLUIlZCOQ1KfijY23c67k";
  EXPECT_EQ(kCatalogCodes.size(), 47u);
  int definitions = 0;
  for (char code : kCatalogCodes) {
    ASSERT_NE(FindContestIdentity(code), nullptr) << code;
    if (IsForeignToolCode(code))
      continue;
    ++definitions;
    header.extendedStats = 0;
    const ContestDefinition def = Build(code);
    EXPECT_TRUE(HasContestDefinition(code));
    EXPECT_NE(ContestTitleLabel(code), "") << code;
    EXPECT_FALSE(ContestRules(code).target.empty()) << code;
    for (const std::string& mode : def.Modes)
      EXPECT_TRUE(knownModes.count(mode)) << code << mode;
    for (char band : def.Bands)
      EXPECT_TRUE(IsBandLetter(band)) << code << band;
    EXPECT_FALSE(def.ContestName.empty()) << code;
    EXPECT_EQ(def.ProgramLine.rfind(def.ProgramTitle + " ", 0), 0u) << code;
    EXPECT_TRUE(def.UtcOffsetHours == -1 || def.UtcOffsetHours == -2) << code;
    EXPECT_LE(def.DupeRule, 5);
    EXPECT_FALSE(def.OffersOutput(0) || def.OffersOutput(11)) << code;
    // The Cabrillo file is offered exactly where the logs go to the robots as Cabrillo.
    EXPECT_EQ(def.OffersOutput(output::kCabrillo), SendsCabrillo(def)) << code;
    EXPECT_EQ(header.extendedStats == 255, extendedCodes.find(code) != std::string::npos) << code;
    for (const std::string* date : {&def.DefaultStartDate, &def.DefaultEndDate}) {
      if (!date->empty()) {
        EXPECT_NE(TextToDay(kDefaultDateReadPicture, *date), BadDate) << code;
      }
    }
    // Every preset time keeps its value when read back, with or without seconds.
    for (const std::string* time : {&def.DefaultStartTime, &def.DefaultEndTime}) {
      if (!time->empty()) {
        const TimeOfDay value = ReadDefaultPeriodTime(*time);
        ASSERT_NE(value, BadTime) << code << " " << *time;
        EXPECT_EQ(TimeToText(time->size() == 5 ? kQsoTimePicture : kSecondsTimePicture, value),
                  *time)
            << code;
      }
    }
  }
  EXPECT_EQ(definitions, 44);
}

struct ScalarCase {
  char code;
  std::vector<std::string> modes;
  std::string bands;
  std::array<int, 3> rcvd, sent;
  std::array<const char*, 3> labels;
  int dupe;
  std::vector<int> options;
  int eval;
  int utc;
  std::string name;
  std::array<const char*, 4> period; // start date, start time, end date, end time
  const char* homeDistrict;
  const char* homeDistricts;
  std::vector<int> outputs;
  std::array<const char*, 3> presets;
};

void PrintTo(const ScalarCase& c, std::ostream* os) {
  *os << "code " << c.code;
}

class CatalogScalarTest : public CatalogTest, public ::testing::WithParamInterface<ScalarCase> {};

TEST_P(CatalogScalarTest, MatchesTheCatalogTables) {
  const ScalarCase& c = GetParam();
  const ContestDefinition def = Build(c.code);
  EXPECT_EQ(def.Modes, c.modes);
  EXPECT_EQ(def.Bands, c.bands);
  for (int n = 1; n <= 3; ++n) {
    EXPECT_EQ(def.RcvdExchange(n), c.rcvd[n - 1]) << n;
    EXPECT_EQ(def.SentExchange(n), c.sent[n - 1]) << n;
    EXPECT_EQ(def.MultLabel(n), c.labels[n - 1]) << n;
    EXPECT_EQ(def.SentDefault(n), c.presets[n - 1]) << n;
  }
  EXPECT_EQ(def.DupeRule, c.dupe);
  std::bitset<256> options;
  for (int o : c.options)
    options.set(o);
  EXPECT_EQ(def.Options, options);
  EXPECT_EQ(def.EvaluationKind, c.eval);
  EXPECT_EQ(def.UtcOffsetHours, c.utc);
  EXPECT_EQ(def.ContestName, c.name);
  EXPECT_EQ(def.DefaultStartDate, c.period[0]);
  EXPECT_EQ(def.DefaultStartTime, c.period[1]);
  EXPECT_EQ(def.DefaultEndDate, c.period[2]);
  EXPECT_EQ(def.DefaultEndTime, c.period[3]);
  EXPECT_EQ(def.HomeDistrict, c.homeDistrict);
  EXPECT_EQ(def.HomeDistricts, c.homeDistricts);
  std::uint16_t outputs = 0;
  for (int b : c.outputs)
    outputs = static_cast<std::uint16_t>(outputs | (1u << b));
  if (SendsCabrillo(def))
    outputs = static_cast<std::uint16_t>(outputs | (1u << output::kCabrillo));
  EXPECT_EQ(def.Outputs, outputs);
}

// Header: start date 12.06.2011, DOK "N13", postcode "48149", extra number 1234, LDK "MS",
// club "MF-123"; own locator "JO31QX"; today 14.03.2026.
// clang-format off
INSTANTIATE_TEST_SUITE_P(
    TablesBAndC, CatalogScalarTest,
    ::testing::Values(
        ScalarCase{'V', {"CW"}, "ab", {4, 99, 0}, {4, 99, 0}, {"DOK", "DXCC", ""}, 1, {2, 4}, 0, -1,
                   "MVP-Contest 2011", {"21.03.2009", "14:00:00", "21.03.2009", "19:30:00"}, "V", "",
                   {1, 2, 3, 4, 5, 6, 7, 8, 12}, {"N13", "48149", ""}},
        ScalarCase{'5', {"SSB", "CW", "FM", "DIGITAL"}, "bcegikl", {15, 0, 0}, {15, 0, 0},
                   {"PLZ", "", ""}, 2, {15}, 1, -2, "Funkertag-QSO-Party 2009",
                   {"13.06.2009", "06:00:00", "13.06.2009", "16:00:00"}, "", "", {3, 4, 5, 6},
                   {"48", "", ""}},
        // The age 1234 overflows the picture "@@".
        ScalarCase{'P', {"SSB", "CW", "FM", "DIGITAL"}, "bcegikl", {99, 0, 0}, {99, 0, 0},
                   {"Prefix", "", ""}, 2, {1, 2}, 1, -1, "Tarvik Februar-QSO-Party Version 2006-1.0",
                   {"01.02.2009", "07:00:00", "01.02.2009", "16:00:00"}, "", "", {3, 4, 5, 6},
                   {"**", "", ""}},
        ScalarCase{'N', {"SSB", "CW", "FM"}, "k", {6, 0, 0}, {6, 0, 0}, {"Loc", "", ""}, 2, {5}, 0,
                   -2, "Nordic Activity Contest", {"14.03.2026", "17:00:00", "14.03.2026", "21:00:00"},
                   "", "", {1, 2, 3, 4, 5, 6}, {"JO31QX", "", ""}},
        ScalarCase{'R', {"CW"}, "k", {4, 6, 0}, {4, 6, 0}, {"DOK", "Callmulti", ""}, 2, {4, 10}, 0,
                   -2, "Rheinland-Pfalz - Aktivitätsabende",
                   {"20.05.2009", "18:00:00", "16.09.2009", "20:00:00"}, "K", "K",
                   {1, 2, 3, 4, 5, 6}, {"N13", "", "JO31QX"}},
        ScalarCase{'g', {"CW", "SSB"}, "klm", {7, 5, 4}, {7, 5, 4}, {"Loc", "DOK", ""}, 1, {4, 5}, 0,
                   -1, "UKW Nordsee-Contest 2011", {"15.11.2008", "08:30", "16.11.2008", "17:00"}, "I",
                   "I", {1, 2, 4, 5, 6, 7, 10}, {"", "JO31", "N13"}},
        ScalarCase{'Z', {"SSB", "CW"}, "bcegi", {11, 99, 12}, {11, 99, 0}, {"DXCC", "US-State", ""},
                   1, {2, 3, 12}, 0, -1, "IPARC-Contest",
                   {"01.11.2008", "06:00:00", "02.11.2008", "18:00:00"}, "", "", {1, 2, 3, 4, 5, 6},
                   {"", "", ""}},
        ScalarCase{'C', {"SSB", "CW"}, "bc", {4, 0, 0}, {7, 0, 0}, {"DOK", "", ""}, 1, {4}, 0, -1,
                   "Brandenburg-Berlin-Contest 2011",
                   {"07.12.2008", "07:00:00", "07.12.2008", "11:00:00"}, "DY", "DY",
                   {1, 2, 3, 4, 5, 6, 7, 8, 10}, {"N13", "", ""}},
        ScalarCase{'A', {"CW"}, "bc", {0, 0, 0}, {0, 0, 0}, {"", "", ""}, 2, {}, 0, -2,
                   "Deutscher Telegraphie-Contest 2011",
                   {"03.10.2009", "07:00:00", "03.10.2009", "10:00:00"}, "", "",
                   {1, 2, 3, 4, 5, 6, 7}, {"MS", "", ""}},
        ScalarCase{'i', {"CW", "SSB"}, "bcgei", {19, 0, 0}, {19, 0, 0}, {"Naval", "", ""}, 2, {19},
                   1, -1, "Naval-Contest", {"20.12.2008", "16:00:00", "21.12.2008", "15:59:00"}, "",
                   "", {1, 2, 4, 5, 6, 10}, {"MF-123", "", ""}},
        ScalarCase{'4', {"CW"}, "bc", {17, 99, 0}, {17, 99, 0}, {"LDK", "", ""}, 2, {17}, 0, -1,
                   "RTC-Party 2011", {"21.12.2008", "08:00:00", "21.12.2008", "10:00:00"}, "", "",
                   {1, 2, 3, 4, 5, 6, 7}, {"MS", "  1234", ""}},
        ScalarCase{'6', {"CW"}, "bcegi", {99, 0, 0}, {99, 0, 0}, {"", "", ""}, 4, {}, 0, -1,
                   "HSC-CW-Contest", {"22.02.2009", "09:00:00", "01.11.2009", "17:00:00"}, "", "",
                   {1, 2, 3, 4, 5, 6}, {" 1234", "", ""}},
        ScalarCase{'8', {"CW"}, "k", {7, 99, 6}, {7, 99, 6}, {"", "", ""}, 2, {}, 0, -1,
                   "AGCW - VHF/UHF-Contest 2011", {"", "", "", ""}, "", "",
                   {1, 2, 4, 5, 6, 7, 10, 13}, {"", "A", "JO31QX"}},
        ScalarCase{'c', {"SSB", "CW", "FM"}, "kl", {4, 0, 0}, {4, 0, 0}, {"DOK", "", ""}, 5, {4}, 0,
                   -2, "Westfalen Nord Aktivitätstag", {"", "19:00", "", "21:00"}, "", "N",
                   {1, 2, 3, 4, 5, 6}, {"N13", "", ""}},
        ScalarCase{'e', {}, "", {7, 5, 4}, {7, 5, 4}, {"Loc", "DOK", ""}, 1, {4, 5}, 0, -2,
                   "Nord-Contest 2011", {"18.04.2009", "13:00", "19.04.2009", "16:00"}, "EHIMV",
                   "EHIMV", {1, 2, 3, 4, 5, 6, 7, 10}, {"", "JO31", "N13"}},
        ScalarCase{'k', {"CW", "SSB", "DIGITAL"}, "bc", {19, 0, 0}, {19, 0, 0}, {"QCWA", "", ""}, 1,
                   {19}, 1, -2, "QCWA-Party", {"20.09.2009", "07:00:00", "20.09.2009", "11:00:00"},
                   "", "", {1, 2, 3, 4, 5, 6, 7}, {"", "  1234", ""}},
        ScalarCase{'B', {"SSB", "CW"}, "bc", {4, 0, 0}, {4, 0, 0}, {"DOK", "DXCC", ""}, 1, {2, 3, 4},
                   0, -2, "BWA-Contest 2011", {"11.04.2009", "07:00:00", "11.04.2009", "12:00:00"},
                   "", "AP", {1, 2, 3, 4, 5, 6, 7}, {"N13", "", ""}},
        ScalarCase{'H', {"SSB", "CW"}, "abcegi", {8, 0, 0}, {7, 0, 0}, {"Area", "", ""}, 1, {8}, 0,
                   -2, "Holyland-Contest 2011", {"", "00:00:01", "", "23:59:59"}, "", "",
                   {1, 2, 3, 4, 5, 6, 7, 10}, {"N13", "", ""}},
        ScalarCase{'D', {"CW"}, "bc", {7, 4, 0}, {7, 4, 0}, {"DOK", "DXCC", ""}, 2, {2, 3, 4}, 0, -2,
                   "DTC-Contest 2011", {"13.04.2009", "06:00:00", "13.04.2009", "09:00:00"}, "", "",
                   {1, 2, 3, 4, 5, 6, 7}, {"", "N13", ""}},
        ScalarCase{'E', {"SSB", "CW", "FM", "PR"}, "kl", {6, 0, 0}, {6, 0, 0}, {"", "", ""}, 3, {}, 1,
                   -2, "Europatag der Schulstationen",
                   {"05.05.2006", "06:00:00", "05.05.2006", "16:00:00"}, "", "", {1, 2, 3, 4, 5, 6},
                   {"JO31QX", "", ""}},
        ScalarCase{'F', {"CW"}, "bc", {7, 4, 0}, {7, 4, 0}, {"DOK", "", ""}, 2, {4}, 0, -2,
                   "Aktivitätswettbewerb Franken", {"09.05.2009", "16:00:00", "10.05.2009", "10:00:00"},
                   "B", "B", {1, 2, 4, 5, 6}, {"", "N13", ""}},
        ScalarCase{'J', {"SSB", "CW"}, "bckl", {4, 6, 0}, {4, 6, 0}, {"DOK", "DXCC", "Loc"}, 2,
                   {2, 3, 4, 5}, 0, -2, "Hamburg Contest",
                   {"24.05.2009", "10:00:00", "24.05.2009", "18:00:00"}, "E", "E", {1, 2, 3, 4, 5, 6},
                   {"N13", "JO31QX", ""}},
        ScalarCase{'G', {"CW"}, "bc", {4, 0, 0}, {4, 0, 0}, {"DOK", "", ""}, 1, {4}, 2, -2,
                   "Hessencontest 2009", {"13.06.2009", "13:00:00", "14.06.2009", "10:00:00"}, "F",
                   "F", {1, 2, 3, 4, 5, 6}, {"N13", "", ""}},
        ScalarCase{'h', {"SSB"}, "b", {4, 0, 0}, {4, 0, 0}, {"DOK", "Callmulti", ""}, 4, {4, 10, 18},
                   0, -1, "Rheinland-Pfalz - Aktivitätswoche",
                   {"01.01.2009", "00:00:00", "07.01.2009", "23:59:59"}, "K", "K", {1, 2, 4, 5, 6},
                   {"N13", "", ""}},
        ScalarCase{'S', {"CW"}, "bi", {7, 4, 0}, {7, 4, 0}, {"DOK", "", ""}, 2, {4}, 0, -2,
                   "Aktivitätswettbewerbe H, S, W", {"29.08.2009", "06:00:00", "29.08.2009", "15:00:00"},
                   "HSW", "HSW", {1, 2, 3, 4, 5, 6}, {"", "N13", ""}},
        ScalarCase{'T', {"CW"}, "b", {4, 0, 0}, {4, 0, 0}, {"DOK", "", ""}, 2, {4}, 1, -2,
                   "Thüringen-Contest", {"19.09.2009", "06:00:00", "19.09.2009", "16:00:00"}, "X", "X",
                   {1, 2, 3, 4, 5, 6}, {"N13", "", ""}},
        ScalarCase{'L', {"SSB", "CW"}, "b", {7, 4, 0}, {7, 4, 0}, {"DOK", "", ""}, 2, {4, 7}, 0, -2,
                   "Kurzcontest Ruhrgebiet", {"27.09.2009", "07:00:00", "27.09.2009", "11:00:00"}, "L",
                   "L", {1, 2, 3, 4, 5, 6}, {"", "N13", ""}},
        ScalarCase{'U', {"CW"}, "bc", {4, 0, 0}, {4, 0, 0}, {"DOK", "", ""}, 1, {4}, 0, -2,
                   "Bayern-Ost-Contest", {"17.10.2009", "06:00:00", "18.10.2009", "10:00:00"}, "", "",
                   {1, 2, 4, 5, 6}, {"N13", "", ""}},
        ScalarCase{'I', {"SSB", "CW", "DIGITAL"}, "b", {4, 0, 0}, {4, 0, 0}, {"", "", ""}, 1, {4}, 0,
                   -2, "Kurzwellenaktivitätstag des Distriktes Nordsee",
                   {"03.10.2008", "08:00:00", "03.10.2008", "11:30:00"}, "I", "I", {1, 2, 3, 4, 5, 6},
                   {"N13", "", ""}},
        ScalarCase{'l', {"SSB"}, "b", {4, 0, 0}, {4, 0, 0}, {"DOK", "", ""}, 1, {4}, 0, -2,
                   "Aktivitätstag des Distriktes Nordsee",
                   {"03.10.2009", "08:00:00", "03.10.2009", "11:30:00"}, "I", "I", {1, 2, 4, 5, 6},
                   {"N13", "", ""}},
        ScalarCase{'O', {"SSB"}, "cb", {7, 4, 0}, {7, 4, 0}, {"DOK", "DXCC", ""}, 1, {2, 3, 4}, 1, -1,
                   "Aktivitätswochenende SH", {"08.11.2008", "09:00:00", "09.11.2008", "18:00:00"}, "",
                   "M", {1, 2, 3, 4, 5, 6}, {"", "N13", ""}},
        ScalarCase{'Q', {"CW"}, "b", {4, 0, 0}, {7, 0, 0}, {"", "", ""}, 1, {}, 1, -1,
                   "Schwaben-Contest 2011", {"03.01.2009", "07:00:00", "03.01.2009", "16:00:00"}, "T",
                   "", {1, 2, 3, 4, 5, 6, 7, 8, 10}, {"N13", "", ""}},
        ScalarCase{'1', {"SSB", "CW"}, "i", {7, 4, 0}, {7, 0, 0}, {"DOK", "DXCC", ""}, 2, {2, 3, 4, 14},
                   0, -1, "DARC 10-m-Contest 2011", {"11.01.2009", "09:00:00", "11.01.2009", "11:00:00"},
                   "", "", {1, 2, 3, 4, 5, 6, 7, 8, 10}, {"", "N13", ""}},
        ScalarCase{'K', {"SSB"}, "b", {13, 4, 0}, {13, 4, 0}, {"DOK", "", ""}, 1, {4}, 0, -1,
                   "Herbst-Contest Köln-Aachen 2011",
                   {"15.11.2008", "08:30:00", "16.11.2008", "20:30:00"}, "", "G", {1, 2, 3, 4, 5, 6},
                   {"", "N13", ""}},
        ScalarCase{'f', {"CW"}, "bce", {7, 16, 0}, {7, 16, 0}, {"AGCW", "", ""}, 2, {16}, 0, -2,
                   "Happy New Year-Contest 2011", {"01.01.2009", "07:00:00", "01.01.2009", "10:00:00"},
                   "", "", {1, 2, 3, 4, 5, 6, 7}, {"", "  1234", ""}},
        ScalarCase{'j', {"CW", "SSB", "FSK441"}, "k", {6, 0, 0}, {6, 0, 0}, {"", "", ""}, 2, {}, 1, -2,
                   "MSSprint-Contest", {"12.08.2009", "00:00:00", "12.08.2009", "23:59:59"}, "", "",
                   {1, 2, 4, 5, 6, 10}, {"JO31QX", "", ""}},
        ScalarCase{'Y', {"SSB"}, "c", {4, 0, 0}, {4, 0, 0}, {"DOK", "", ""}, 1, {4}, 0, -1,
                   "VFDB-Contest", {"14.02.2009", "12:00:00", "14.02.2009", "16:00:00"}, "Z", "Z",
                   {1, 2, 3, 4, 5, 6}, {"N13", "", ""}},
        ScalarCase{'2', {"SSB", "CW", "FM"}, "k", {4, 5, 0}, {4, 5, 0}, {"DOK", "Loc", ""}, 2, {4, 5},
                   0, -2, "ZELKA", {"", "19:00:00", "", "21:00:00"}, "", "", {1, 2, 3, 4, 5, 6},
                   {"N13", "JO31", ""}},
        ScalarCase{'3', {"SSB", "CW"}, "bci", {4, 0, 0}, {4, 0, 0}, {"DOK", "", ""}, 2, {4}, 0, -2,
                   "WNC", {"", "", "", ""}, "", "N", {1, 2, 3, 4, 5, 6}, {"N13", "", ""}},
        ScalarCase{'7', {"SSB"}, "bcegi", {16, 0, 0}, {16, 0, 0}, {"DXCC", "DIG", ""}, 1,
                   {2, 3, 14, 16}, 0, -1, "DIG-QSO-Party", {"", "", "", ""}, "", "",
                   {1, 2, 3, 4, 5, 6}, {"  1234", "", ""}},
        ScalarCase{'9', {"CW", "SSB"}, "abcegi", {7, 0, 0}, {7, 0, 0}, {"DXCC", "", ""}, 2,
                   {2, 3, 14}, 0, -2, "IARU-Region-1-Fieldday 2011", {"", "", "", ""}, "", "",
                   {1, 2, 3, 4, 5, 6, 7, 10}, {"", "", ""}},
        ScalarCase{'a', {}, "", {99, 4, 0}, {99, 4, 0}, {"DOK", "", ""}, 2, {4}, 0, -1,
                   "Nordrhein-Aktivität 2011", {"10.01.2009", "08:00", "10.01.2009", "17:00"}, "", "R",
                   {1, 2, 3, 4, 5, 6, 7, 10}, {"N13", "", ""}},
        ScalarCase{'b', {"CW"}, "bce", {7, 99, 0}, {7, 99, 0}, {"DXCC", "", ""}, 2, {2, 3}, 0, -1,
                   "Original-QRP-Contest 2011", {"04.07.2009", "15:00", "05.07.2009", "15:00"}, "", "",
                   {1, 2, 3, 4, 5, 6, 7, 10}, {"", "", ""}},
        ScalarCase{'d', {}, "", {4, 0, 0}, {4, 0, 0}, {"DOK", "", ""}, 1, {4}, 0, -2,
                   "SAAR-Contest 2011", {"18.07.2009", "06:00", "19.07.2009", "11:00"}, "Q", "Q",
                   {1, 2, 3, 4, 5, 6, 7, 10}, {"N13", "", ""}}),
    [](const ::testing::TestParamInfo<ScalarCase>& info) {
      const char c = info.param.code;
      return std::string(1, c) + (c >= 'a' && c <= 'z' ? "_lower" : "");
    });
// clang-format on

TEST_F(CatalogTest, ScalarsThatOnlyFewCodesSet) {
  const ContestDefinition p = Build('P');
  EXPECT_EQ(p.PartyFlag, 1);
  EXPECT_EQ(p.PlainMultCount, 1);
  EXPECT_EQ(Build('5').PlainMultCount, 1);
  EXPECT_EQ(Build('N').PlainMultCount, 1);
  const ContestDefinition z = Build('Z');
  EXPECT_EQ(z.PerBandScore, 1);
  EXPECT_EQ(z.RequiredText, "IPA");
  EXPECT_EQ(z.PointText, "IPA");
  EXPECT_EQ(Build('i').RequiredText, "Naval");
  EXPECT_EQ(Build('Q').RcvdLabel1, "DOK");
  EXPECT_EQ(Build('4').RcvdLabel2, "RTC-Nr");
  EXPECT_EQ(Build('b').RcvdLabel2, "Klasse");
  // The header window offers the band by time for these codes' base categories.
  EXPECT_EQ(Build('U').BandAutoOffered, 1);
  EXPECT_EQ(Build('C').BandAutoOffered, 1);
  for (char code : kCatalogCodes) {
    const ContestDefinition def = Build(code);
    EXPECT_EQ(def.ListenerLog, 0) << code;
    if (code != 'U' && code != 'C') {
      EXPECT_EQ(def.BandAutoOffered, 0) << code;
    }
    if (code != 'P') {
      EXPECT_EQ(def.PartyFlag, 0) << code;
    }
    if (code != 'Z') {
      EXPECT_EQ(def.PerBandScore, 0) << code;
    }
  }
}

TEST_F(CatalogTest, ContestYearComesFromTheHeaderOrToday) {
  header.dateFrom = DmyToDay(31, 12, 2024);
  EXPECT_EQ(Build('V').ContestName, "MVP-Contest 2024");
  header.dateFrom = 0;
  EXPECT_EQ(Build('V').ContestName, "MVP-Contest 2026");
  header.dateFrom = BadDate;
  EXPECT_EQ(Build('1').ContestName, "DARC 10-m-Contest 2026");
  EXPECT_EQ(Build('G').ContestName, "Hessencontest 2009"); // no year appended
}

TEST_F(CatalogTest, NumberPresetsNeedANumber) {
  header.extraNumber = 7;
  EXPECT_EQ(Build('P').SentDefault1, "07");
  EXPECT_EQ(Build('7').SentDefault1, "     7");
  header.extraNumber = -1;
  EXPECT_EQ(Build('P').SentDefault1, "");
  EXPECT_EQ(Build('4').SentDefault2, "");
  EXPECT_EQ(Build('4').SentDefault1, "MS");
}

TEST_F(CatalogTest, HeaderAndProcessSideEffects) {
  SetLanguageFlag(1);
  Build('H');
  EXPECT_EQ(LanguageFlag(), 0);

  SetLanguageFlag(1);
  const ContestDefinition swl = Build('h', 6);
  EXPECT_EQ(dialogs.Informs(), std::vector<std::string>{"SWL wird nicht unterstützt"});
  EXPECT_EQ(header.category, 0);
  EXPECT_EQ(swl.ContestName, "Rheinland-Pfalz - Aktivitätswoche");
  EXPECT_EQ(LanguageFlag(), 1);

  dialogs.Clear();
  Build('h', 5);
  EXPECT_TRUE(dialogs.events.empty());
  EXPECT_EQ(header.category, 5);
}

TEST_F(CatalogTest, RulesAndLabels) {
  EXPECT_TRUE(ContestRules('V').web);
  EXPECT_FALSE(ContestRules('V').target.empty());
  SetLanguageFlag(0);
  const RulesLocation english = ContestRules('j');
  SetLanguageFlag(1);
  const RulesLocation german = ContestRules('j');
  EXPECT_TRUE(english.web && german.web);
  EXPECT_NE(english.target, german.target);
  EXPECT_EQ(ContestRules('?').target, "");

  EXPECT_EQ(ExchangeKindLabel(exchange::kDok, '2'), "DOK");
  EXPECT_EQ(ExchangeKindLabel(exchange::kLocator4, '2'), "LOC");
  EXPECT_EQ(ExchangeKindLabel(exchange::kBandSerial, 'K'), "lfd.Nr.");
  EXPECT_EQ(ExchangeKindLabel(exchange::kMember, '7'), "DIG");
  EXPECT_EQ(ExchangeKindLabel(exchange::kMember, 'f'), "AGCW");
  EXPECT_EQ(ExchangeKindLabel(exchange::kMember19, 'i'), "Naval");
  EXPECT_EQ(ExchangeKindLabel(exchange::kMember19, 'k'), "QCWA");
  EXPECT_EQ(ExchangeKindLabel(exchange::kOther, '6'), "");
  EXPECT_EQ(OutputMenuCaption(output::kStfFile), "STF-Datei (empfohlen)");
  EXPECT_EQ(OutputMenuCaption(output::kEdiFile), "EDI-Datei (empfohlen)");
  EXPECT_EQ(OutputMenuCaption(11), "");
}

} // namespace
} // namespace tarvik
