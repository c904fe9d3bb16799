// Country files and the DOK history into the program's tables: both cty formats read
// alike, what the import writes and how the lookup then finds calls, repeated imports,
// the person's choices kept, failures that change nothing, the DOKs in the call book, and
// (when Debian's hamradio-files is installed) real calls over the real files.

#include <gtest/gtest.h>

#include <filesystem>

#include "base/strings.h"
#include "country/country_import.h"
#include "country/prefix_lookup.h"
#include "datafiles/call_records.h"
#include "datafiles/program_files.h"
#include "radio/cty_file.h"
#include "recordfile/fileblock.h"
#include "support/prefix_tables.h"

namespace tarvik::test {
namespace {

const std::string kFixtures = std::string(TARVIK_FIXTURES_DIR) + "/cty/";

TEST(CtyFile, BothFormatsReadTheSameCountries) {
  const CtyFile csv = ParseCtyFile(ReadFileBytes(kFixtures + "cty.csv"));
  const CtyFile dat = ParseCtyFile(ReadFileBytes(kFixtures + "cty.dat"));
  EXPECT_EQ(csv.badRecords, 1);
  EXPECT_EQ(dat.badRecords, 1);
  ASSERT_EQ(csv.countries.size(), 20u);
  ASSERT_EQ(dat.countries.size(), csv.countries.size());
  for (std::size_t i = 0; i < csv.countries.size(); ++i) {
    const CtyCountry& a = csv.countries[i];
    const CtyCountry& b = dat.countries[i];
    EXPECT_EQ(a.mainPrefix, b.mainPrefix);
    EXPECT_EQ(a.name, b.name);
    EXPECT_EQ(a.waeOnly, b.waeOnly) << a.name;
    EXPECT_EQ(a.cqZone + a.ituZone + a.continent, b.cqZone + b.ituZone + b.continent) << a.name;
    EXPECT_EQ(a.prefixes, b.prefixes) << a.name;
    EXPECT_EQ(b.entityNumber, 0) << "cty.dat has no entity numbers";
  }

  const CtyCountry& sicily = csv.countries[6];
  EXPECT_EQ(sicily.mainPrefix, "IT9");
  EXPECT_TRUE(sicily.waeOnly);
  EXPECT_EQ(sicily.entityNumber, 248);
  const CtyCountry& rotuma = csv.countries[3];
  EXPECT_EQ(rotuma.mainPrefix, "3D2/R");
  const CtyCountry& usa = csv.countries[9];
  EXPECT_EQ(usa.cqZone, "05");
  EXPECT_EQ(usa.ituZone, "08");
  // Overrides: zones and continent of single prefixes and calls.
  EXPECT_EQ(usa.prefixes[4], (CtyPrefix{"K0", false, "04", "07", "NA"}));
  EXPECT_EQ(csv.countries[11].prefixes[2], (CtyPrefix{"VE8", false, "01", "03", "AN"}));
  EXPECT_EQ(csv.countries[1].prefixes[2], (CtyPrefix{"VP8DFK", true, "13", "73", "SA"}));
  EXPECT_EQ(csv.countries[1].prefixes[3].text, "KC4/W3ASA");
}

TEST(CtyFile, OddTokensAndRecordsAreSkippedOrCut) {
  CtyCountry c;
  c.cqZone = "14";
  c.ituZone = "28";
  c.continent = "EU";
  CtyPrefix p;
  EXPECT_TRUE(ParseCtyPrefix("=dl1abc(99)[0]{e}<1.0/2.0>~1.0~", c, &p));
  EXPECT_EQ(p, (CtyPrefix{"DL1ABC", true, "99", "28", "EU"})); // ITU 0 and "{e}" ignored
  EXPECT_TRUE(ParseCtyPrefix("DL(15", c, &p));                 // unterminated override
  EXPECT_EQ(p, (CtyPrefix{"DL", false, "14", "28", "EU"}));
  EXPECT_FALSE(ParseCtyPrefix("=", c, &p));
  EXPECT_FALSE(ParseCtyPrefix("D-L", c, &p));
  EXPECT_FALSE(ParseCtyPrefix("(14)", c, &p));
  EXPECT_FALSE(ParseCtyPrefix("ABCDEFGHIJKLMNOPQRSTUVWXYZ", c, &p));

  EXPECT_EQ(DetectCtyFormat("\n\nGermany: 14: 28: EU: 1: 2: 3: DL:\n  DL;"), CtyFormat::kDat);
  EXPECT_EQ(DetectCtyFormat("DL,Germany,230,EU,14,28,1,2,3,DL;"), CtyFormat::kCsv);
  const CtyFile csv = ParseCtyCsv("DL,Germany,23x,EU,14,28,1,2,3,DL;\n"
                                  "DL,Germany,230,EUR,14,28,1,2,3,DL;\n"
                                  "DL,Germany,230,EU,140,28,1,2,3,DL;\n"
                                  "# comment\n"
                                  "DL,Germany,230,EU,14,28,1,2,3,DL DL-X;");
  EXPECT_EQ(csv.badRecords, 3);
  ASSERT_EQ(csv.countries.size(), 1u);
  EXPECT_EQ(csv.countries[0].prefixes.size(), 1u);
  const CtyFile dat = ParseCtyDat("Germany: 14: 28: EU: 1: 2: 3: DL: DL,DK;\nTruncated: 14: 28;");
  EXPECT_EQ(dat.countries.size(), 1u);
  EXPECT_EQ(dat.badRecords, 1);
}

TEST(CountryDxccPrefix, NamesEntitiesAsTheEntityTableDoes) {
  const auto name = [](const char* main, int number, const char* country = "X") {
    CtyCountry c;
    c.mainPrefix = main;
    c.entityNumber = number;
    c.name = country;
    return CountryDxccPrefix(c);
  };
  EXPECT_EQ(name("UA", 54), "RA-EU");
  EXPECT_EQ(name("UA9", 15), "RA-AS");
  EXPECT_EQ(name("FO", 175), "FO/F");
  EXPECT_EQ(name("IT9", 248, "Sicily"), "I");
  EXPECT_EQ(name("Z8", 521), "Z8");                // not in the table
  EXPECT_EQ(name("PJ2", 517, "Curacao"), "PJ2/C"); // the table's PJ2 is another entity
  EXPECT_EQ(name("PJ7", 518, "Sint Maarten"), "PJ7/S");
  EXPECT_EQ(name("UA", 0), "UA"); // unknown number, unknown text
  EXPECT_EQ(name("DL", 0), "DL");
}

class CountryImportTest : public PrefixTablesTest {
protected:
  CountryImportResult Import(const std::string& file = "cty.csv") {
    return ImportCountryFile(kFixtures + file);
  }
  std::int32_t Count(Fileblock* fb) {
    std::int32_t n = -1;
    EXPECT_EQ(fb->UsedRecords(&n), 0);
    return n;
  }
  struct Found {
    int code;
    std::string country;
    std::string dxcc;
    std::string zones; // CQ ITU continent
  };
  Found Look(const std::string& call) {
    PrefixLookup lookup(tables_);
    const int code = lookup.LookUpPrefix(call, Day(1, 6, 2023));
    const PrefixRecord r = lookup.Entry();
    return {code, r.countryName(), r.dxccPrefix(),
            r.cqZone() + " " + r.ituZone() + " " + r.continent()};
  }
};

TEST_F(CountryImportTest, FillsTheTablesSoThatCallsFindTheirCountry) {
  const CountryImportResult r = Import();
  ASSERT_TRUE(r.ok) << r.error;
  EXPECT_EQ(r.countries, 20);
  EXPECT_EQ(r.badRecords, 1);
  // 59 prefixes of the file, plus FO/F, FO/M, 3D2/C and 3D2/R for the designator calls.
  EXPECT_EQ(r.prefixes, 63);
  EXPECT_EQ(r.wholeCalls, 9);
  EXPECT_EQ(r.callsLeftOut, 4); // DL0XYZ/LH, DA0AAAAA, KC4/W3ASA, 3D2AG/P
  EXPECT_EQ(r.withoutEntityNumber, 0);
  EXPECT_EQ(Count(tables_.main), 63);
  EXPECT_EQ(Count(tables_.callExceptions), 9);

  const std::tuple<const char*, const char*, const char*, const char*> cases[] = {
      {"DL1ABC", "Fed. Rep. of Germany", "DL", "14 28 EU"},
      {"DL9QQQ/P", "Fed. Rep. of Germany", "DL", "14 28 EU"},
      {"Y21A", "Fed. Rep. of Germany", "DL", "14 28 EU"},
      {"DP1POL", "Antarctica", "CE9", "13 74 SA"}, // whole call over the DP prefix
      {"DP1POM", "Fed. Rep. of Germany", "DL", "14 28 EU"},
      {"IA0DC", "Antarctica", "CE9", "13 74 SA"},
      {"VP8DFK", "Antarctica", "CE9", "13 73 SA"}, // with its own ITU zone
      {"IT9ABC", "Sicily", "I", "15 28 EU"},       // WAE country, DXCC Italy
      {"IZ9ABC", "Sicily", "I", "15 28 EU"},
      {"IZ8ABC", "Italy", "I", "15 28 EU"},
      {"UA3ABC", "European Russia", "RA-EU", "16 29 EU"},
      {"UA9ABC", "Asiatic Russia", "RA-AS", "17 30 AS"},
      {"R9TAB", "Asiatic Russia", "RA-AS", "18 31 AS"},
      {"W1AW", "United States", "K", "05 08 NA"},
      {"K0ABC", "United States", "K", "04 07 NA"},
      {"W6ABC", "United States", "K", "03 06 NA"},
      {"W6XYZ", "Hawaii", "KH6", "31 61 OC"}, // exact call
      {"W9QQQ/KH6", "Hawaii", "KH6", "31 61 OC"},
      {"VE8ABC", "Canada", "VE", "01 03 AN"},
      {"3D2AB", "Fiji", "3D2", "32 56 OC"},
      {"3D2AB/R", "Rotuma Island", "3D2/R", "32 56 OC"},
      {"3D2AB/C", "Conway Reef", "3D2/C", "32 56 OC"},
      {"3D2RR", "Rotuma Island", "3D2/R", "32 56 OC"},
      {"3D2AG/P", "Fiji", "3D2", "32 56 OC"}, // left out: the lookup sees 3D2AG
      {"FO5QQ/M", "Marquesas Islands", "FO/M", "31 63 OC"},
      {"FO5QQ", "French Polynesia", "FO/F", "32 63 OC"},
      {"PJ2AB", "Curacao", "PJ2/C", "09 11 SA"},
      {"G4ABC", "England", "G", "14 27 EU"},
      {"GM4ABC", "Scotland", "GM", "14 27 EU"},
      {"MW0ABC", "Wales", "GW", "14 27 EU"},
      {"VP2EAA", "Anguilla", "VP2E", "08 11 NA"},
  };
  for (const auto& [call, country, dxcc, zones] : cases) {
    const Found f = Look(call);
    EXPECT_EQ(f.code, kPrefixFound) << call;
    EXPECT_EQ(f.country, country) << call;
    EXPECT_EQ(f.dxcc, dxcc) << call;
    EXPECT_EQ(f.zones, zones) << call;
  }
  EXPECT_EQ(Look("XX9AB").code, kPrefixNotFound);

  // The DXCC prefixes give their entity numbers, also those the entity table lacks.
  PrefixLookup lookup(tables_);
  EXPECT_EQ(lookup.DxccNumber("PJ2/C"), "517");
  EXPECT_EQ(lookup.DxccNumber("Z8"), "521");
  EXPECT_EQ(lookup.DxccNumber("RA-AS"), " 15");
  EXPECT_EQ(lookup.DxccNumber("FO/M"), "509");
}

TEST_F(CountryImportTest, ImportingAgainGivesTheSameTablesAndKeepsThePersonsChoices) {
  ASSERT_TRUE(Import().ok);
  // The person chose a country for a call (prefix choice), and a stale whole call of an
  // older country file is in the table.
  AddCallException({.prefix = "DL1QQ", .dxcc = "CE9", .country = "Antarctica", .entity = 13});
  AddCallException({.prefix = "DL2OLD",
                    .dxcc = "CE9",
                    .country = "Antarctica",
                    .entity = 13,
                    .matchKind = kCountryFileMatchKind});
  const CountryImportResult again = Import();
  ASSERT_TRUE(again.ok) << again.error;
  EXPECT_EQ(again.prefixes, 63);
  EXPECT_EQ(again.choicesKept, 1);
  EXPECT_EQ(Count(tables_.main), 63);
  EXPECT_EQ(Count(tables_.callExceptions), 10);
  EXPECT_EQ(Look("DL1QQ").country, "Antarctica");
  EXPECT_EQ(Look("DL2OLD").country, "Fed. Rep. of Germany");
  const CountryImportResult third = Import();
  EXPECT_EQ(third.choicesKept, 1);
  EXPECT_EQ(Count(tables_.callExceptions), 10);
}

TEST_F(CountryImportTest, APersonsChoiceForACallOfTheFileWins) {
  AddCallException({.prefix = "IA0DC", .dxcc = "I", .country = "Italy (chosen)", .entity = 248});
  const CountryImportResult r = Import();
  ASSERT_TRUE(r.ok);
  EXPECT_EQ(r.wholeCalls, 8);
  EXPECT_EQ(Look("IA0DC").country, "Italy (chosen)");
}

TEST_F(CountryImportTest, ACtyDatTakesEntityNumbersFromTheCsvBesideIt) {
  ASSERT_TRUE(Import("cty.dat").ok);
  EXPECT_EQ(Look("PJ2AB").dxcc, "PJ2/C");
  EXPECT_EQ(Look("UA9ABC").dxcc, "RA-AS");

  // Alone, the numbers come from the entity table where the main prefix is named there.
  std::filesystem::copy_file(kFixtures + "cty.dat", dir_.file("other.dat"));
  const CountryImportResult alone = ImportCountryFile(dir_.file("other.dat"));
  ASSERT_TRUE(alone.ok);
  EXPECT_EQ(alone.withoutEntityNumber, 5); // IT9 (WAE), UA, UA9, Z8, FO
  EXPECT_EQ(Look("DL1ABC").dxcc, "DL");
  EXPECT_EQ(Look("3D2AB/R").dxcc, "3D2/R");
  EXPECT_EQ(Look("UA9ABC").dxcc, "UA9");
}

TEST_F(CountryImportTest, AFailedImportChangesNothing) {
  ASSERT_TRUE(Import().ok);
  const CountryImportResult missing = ImportCountryFile(dir_.file("nothing.csv"));
  EXPECT_FALSE(missing.ok);
  EXPECT_EQ(missing.failure, ImportFailure::kUnreadable);
  WriteFileBytes(dir_.file("empty.csv"), "# nothing here\r\n\r\n");
  const CountryImportResult empty = ImportCountryFile(dir_.file("empty.csv"));
  EXPECT_FALSE(empty.ok);
  EXPECT_EQ(empty.failure, ImportFailure::kNoData);
  EXPECT_EQ(Count(tables_.main), 63);
  EXPECT_EQ(Look("DL1ABC").country, "Fed. Rep. of Germany");
  EXPECT_FALSE(std::filesystem::exists(dir_.file("KXPRFNEW.DAT")));
  EXPECT_FALSE(PrefixTableEmpty());
}

TEST_F(CountryImportTest, AnInterruptedReplacementRebuildsTheIndex) {
  ASSERT_TRUE(Import().ok);
  ClosePrefixTables(tables_);
  // As if the program stopped after the old index was removed.
  std::filesystem::remove(dir_.file("KXPREFIX.IX"));
  tables_ = OpenPrefixTables();
  EXPECT_EQ(Look("GM4ABC").country, "Scotland");
  EXPECT_EQ(Count(tables_.main), 63);
}

TEST_F(CountryImportTest, DokHistoryFillsTheCallBookWithoutOverwriting) {
  Fileblock* book = OpenProgramFile(ProgramFile::kCallBook);
  ASSERT_NE(book, nullptr);
  auto add = [&](const char* call, const char* dok, const char* name) {
    ASSERT_EQ(book->ClearBuffer(), 0);
    CallBookRecord r(book->RecordBuffer());
    r.SetCall(call);
    r.SetField(CallBookRecord::kDok, dok);
    r.SetField(CallBookRecord::kName, name);
    ASSERT_TRUE(AddRecord(*book));
  };
  add("DL4OLD", "Z01", "Otto");
  add("DL8CR", "", "Carla");
  EXPECT_FALSE(CallBookEmpty());

  const DokImportResult r = ImportDokHistoryFile(kFixtures + "dok_history.txt");
  ASSERT_TRUE(r.ok) << r.error;
  EXPECT_EQ(r.calls, 8);
  EXPECT_EQ(r.added, 5);
  EXPECT_EQ(r.filled, 1);
  EXPECT_EQ(r.kept, 2);
  EXPECT_EQ(r.skipped, 4);
  auto dok = [&](const char* call) {
    if (book->FindKey(1, KeyPad(call, 10)) != 0)
      return std::string("(none)");
    return CallBookRecord(book->RecordBuffer()).Field(CallBookRecord::kDok);
  };
  EXPECT_EQ(dok("DA0AA"), "B06");
  EXPECT_EQ(dok("DL1ABC"), "F35"); // the first line of a call wins
  EXPECT_EQ(dok("DL2XYZ"), "P01");
  EXPECT_EQ(dok("DL3NEW"), "(none)");
  EXPECT_EQ(dok("DL3BAD"), "(none)");
  EXPECT_EQ(dok("DL4OLD"), "Z01");
  EXPECT_EQ(dok("DL7VTW"), "Y10");
  EXPECT_EQ(dok("DL8CR"), "C01");
  EXPECT_EQ(CallBookRecord(book->RecordBuffer()).Field(CallBookRecord::kName), "Carla");
  EXPECT_EQ(dok("DL9LF"), "L02");
  // By DOK (key 7) the call book knows the new ones too.
  ASSERT_EQ(book->FindKey(7, KeyPad("B06", 8) + KeyPad("DA0AA", 10)), 0);

  const DokImportResult again = ImportDokHistoryFile(kFixtures + "dok_history.txt");
  EXPECT_TRUE(again.ok);
  EXPECT_EQ(again.added + again.filled, 0);
  EXPECT_EQ(again.kept, 8);
  std::int32_t n = 0;
  ASSERT_EQ(book->UsedRecords(&n), 0);
  EXPECT_EQ(n, 7);

  EXPECT_EQ(ImportDokHistory("# only a comment\n").failure, ImportFailure::kNoData);
  EXPECT_EQ(ImportDokHistoryFile(dir_.file("none.txt")).failure, ImportFailure::kUnreadable);
  CloseProgramFile(book);
}

// Over the files of Debian's hamradio-files, when they are installed.
class InstalledCountryFiles : public CountryImportTest {
protected:
  void SetUp() override {
    if (FirstReadableFile({kDebianCountryCsv}).empty() ||
        FirstReadableFile({kDebianCountryDat}).empty())
      GTEST_SKIP() << "hamradio-files is not installed";
    CountryImportTest::SetUp();
  }
};

TEST_F(InstalledCountryFiles, RealCallsFindTheirCountries) {
  for (const char* file : {kDebianCountryCsv, kDebianCountryDat}) {
    const CountryImportResult r = ImportCountryFile(file);
    ASSERT_TRUE(r.ok) << file << ": " << r.error;
    EXPECT_GT(r.countries, 300) << file;
    EXPECT_GT(r.prefixes, 5000) << file;
    EXPECT_GT(r.wholeCalls, 5000) << file;
    EXPECT_EQ(r.withoutEntityNumber, 0) << file; // cty.dat: from the cty.csv beside it
    const std::tuple<const char*, const char*, const char*, int> cases[] = {
        {"DL1ABC", "Fed. Rep. of Germany", "DL", 230},
        {"dl9qqq/p", "Fed. Rep. of Germany", "DL", 230},
        {"DL9QQQ/2", "Fed. Rep. of Germany", "DL", 230},
        {"PA/DL9QQQ/P", "Netherlands", "PA", 263},
        {"OE3ABC", "Austria", "OE", 206},
        {"F5ABC", "France", "F", 227},
        {"G4ABC", "England", "G", 223},
        {"2E0ABC", "England", "G", 223},
        {"GM4ABC", "Scotland", "GM", 279},
        {"MM0ABC", "Scotland", "GM", 279},
        {"GW4ABC", "Wales", "GW", 294},
        {"W1AW", "United States", "K", 291},
        {"K6ABC", "United States", "K", 291},
        {"KH6ABC", "Hawaii", "KH6", 110},
        {"W9QQQ/KH6", "Hawaii", "KH6", 110},
        {"VP2EAA", "Anguilla", "VP2E", 12},
        {"3D2AB", "Fiji", "3D2", 176},
        {"3D2AB/R", "Rotuma Island", "3D2/R", 460},
        {"3D2AB/C", "Conway Reef", "3D2/C", 489},
        {"3D2CR", "Conway Reef", "3D2/C", 489}, // whole call
        {"IA0DC", "Antarctica", "CE9", 13},     // whole call, not Italy
        {"IA0DD", "Italy", "I", 248},
        {"UA9ABC", "Asiatic Russia", "RA-AS", 15},
        {"UA3ABC", "European Russia", "RA-EU", 54},
        {"IT9ABC", "Sicily", "I", 248},
        {"FO5QQ/M", "Marquesas Islands", "FO/M", 509},
        {"SV2ASP/A", "Mount Athos", "SV/A", 180},
    };
    for (const auto& [call, country, dxcc, number] : cases) {
      PrefixLookup lookup(tables_);
      ASSERT_EQ(lookup.LookUpPrefix(call, Day(1, 6, 2023)), kPrefixFound) << file << " " << call;
      if (std::string_view(file) == kDebianCountryCsv) { // cty.dat spells some names otherwise
        EXPECT_EQ(lookup.Entry().countryName(), country) << file << " " << call;
      }
      EXPECT_EQ(lookup.Entry().dxccPrefix(), dxcc) << file << " " << call;
      EXPECT_EQ(lookup.Entry().entityNumber(), number) << file << " " << call;
      EXPECT_EQ(TrimBlanks(lookup.DxccNumber(dxcc)), std::to_string(number)) << file << " " << call;
    }
  }
}

TEST_F(InstalledCountryFiles, TheDokHistoryFillsTheCallBook) {
  const DokImportResult r = ImportDokHistoryFile(kDebianDokHistory);
  ASSERT_TRUE(r.ok) << r.error;
  EXPECT_GT(r.added, 3000);
  EXPECT_EQ(ImportDokHistoryFile(kDebianDokHistory).added, 0);
}

} // namespace
} // namespace tarvik::test
