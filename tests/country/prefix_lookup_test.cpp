// Prefix lookup over a small hand-made prefix table: longest match, ranges in both
// directions, wildcards, exceptions, designator and portable calls, change dates, validity,
// aliases and the limit on redirections, the prefix adjustment, and DxccNumber.

#include <gtest/gtest.h>

#include "country/prefix_lookup.h"
#include "recordfile/fileblock.h"
#include "support/prefix_tables.h"

namespace tarvik::test {
namespace {

class PrefixLookupTest : public PrefixTablesTest {
protected:
  void SetUp() override {
    PrefixTablesTest::SetUp();
    // Germany: DA..DR as one range entry (range end above the stored character), a longer
    // entry inside the range, and DP1 for the exception test.
    AddMain({.prefix = "DA", .dxcc = "DL", .country = "Germany", .entity = 230, .rangeEnd = 'R'});
    AddMain({.prefix = "DL0", .dxcc = "DL", .country = "Germany (club)", .entity = 230});
    AddMain({.prefix = "DP1", .dxcc = "DL", .country = "Germany", .entity = 230});
    // European Russia: UA..UI stored under UI with the range end below; UA9 lies between.
    AddMain({.prefix = "UI",
             .dxcc = "RA-EU",
             .country = "European Russia",
             .entity = 54,
             .rangeEnd = 'A'});
    AddMain({.prefix = "UA9",
             .dxcc = "RA-AS",
             .country = "Asiatic Russia",
             .entity = 15,
             .continent = "AS",
             .cq = "17",
             .itu = "30"});
    // New Zealand by a wildcard in the third position.
    AddMain({.prefix = "ZL~",
             .dxcc = "ZL",
             .country = "New Zealand",
             .entity = 170,
             .continent = "OC",
             .cq = "32",
             .itu = "60"});
    // USA: W stands for K (alias).
    AddMain({.prefix = "K",
             .dxcc = "K",
             .country = "United States",
             .entity = 291,
             .continent = "NA",
             .cq = "05",
             .itu = "08"});
    AddMain({.prefix = "W", .dxcc = "W", .country = "(alias)", .alias = "K"});
    AddMain({.prefix = "KH6",
             .dxcc = "KH6",
             .country = "Hawaii",
             .entity = 110,
             .continent = "OC",
             .cq = "31",
             .itu = "61"});
    AddMain({.prefix = "PA", .dxcc = "PA", .country = "Netherlands", .entity = 263});
    // French Polynesia and the Marquesas (designator call).
    AddMain({.prefix = "FO",
             .dxcc = "FO",
             .country = "French Polynesia",
             .entity = 175,
             .continent = "OC"});
    AddMain({.prefix = "FO/M",
             .dxcc = "FO/M",
             .country = "Marquesas Islands",
             .entity = 509,
             .continent = "OC"});
    // Y2: Germany since 3.10.1990, the GDR up to then.
    AddMain({.prefix = "Y2",
             .dxcc = "DL",
             .country = "Germany",
             .entity = 230,
             .changeDate = Day(2, 10, 1990),
             .former = "DMY2"});
    AddMain({.prefix = "DMY2",
             .dxcc = "DMY2",
             .country = "German Democratic Republic",
             .entity = 229,
             .validTo = Day(2, 10, 1990)});
    // T9: 4N up to 1992 (second change date wins), YU up to 1995, then Bosnia.
    AddMain({.prefix = "T9",
             .dxcc = "E7",
             .country = "Bosnia-Herzegovina",
             .entity = 501,
             .changeDate = Day(31, 12, 1994),
             .former = "YU",
             .secondChangeDate = Day(31, 12, 1991),
             .secondFormer = "4N"});
    AddMain({.prefix = "YU", .dxcc = "YU", .country = "Yugoslavia", .entity = 296});
    AddMain({.prefix = "4N", .dxcc = "4N", .country = "Yugoslavia (old)", .entity = 296});
    // Hong Kong as its own entity up to 30.6.1997; VR2 from 1.7.1997.
    AddMain({.prefix = "VS6",
             .dxcc = "VS6",
             .country = "Hong Kong",
             .entity = 321,
             .continent = "AS",
             .validTo = Day(30, 6, 1997)});
    AddMain({.prefix = "VR2",
             .dxcc = "VR2",
             .country = "Hong Kong",
             .entity = 321,
             .continent = "AS",
             .validFrom = Day(1, 7, 1997)});
    // Russia: a former prefix "RA" takes the call's third character.
    AddMain({.prefix = "R1",
             .dxcc = "R1",
             .country = "(renamed)",
             .changeDate = Day(1, 1, 2000),
             .former = "RA"});
    AddMain({.prefix = "RA9", .dxcc = "RA-AS", .country = "Asiatic Russia", .entity = 15});
    // A chain of aliases: Q1 -> Q2 -> ... -> Q7 (entity), and a loop L1 <-> L2.
    for (int i = 1; i <= 6; ++i)
      AddMain({.prefix = "Q" + std::to_string(i), .alias = "Q" + std::to_string(i + 1)});
    AddMain({.prefix = "Q7", .dxcc = "Q7", .country = "End of chain", .entity = 7});
    AddMain({.prefix = "L1", .alias = "L2"});
    AddMain({.prefix = "L2", .alias = "L1"});
    // Several entries of one prefix (area numbers).
    AddMain({.prefix = "KC6", .dxcc = "T8", .country = "Palau", .entity = 22, .area = "1"});
    AddMain({.prefix = "KC6", .dxcc = "V6", .country = "Micronesia", .entity = 173, .area = "2"});
    // Exceptions: a whole call, a call longer than six characters must never match one,
    // and a call beginning marked "J".
    AddCallException({.prefix = "DP1POL",
                      .dxcc = "CE9",
                      .country = "Antarctica",
                      .entity = 13,
                      .continent = "SA"});
    AddCallException({.prefix = "DL1ABC", .dxcc = "CE9", .country = "Antarctica", .entity = 13});
    AddStartException(
        {.prefix = "KC4A", .dxcc = "CE9", .country = "Antarctica", .entity = 13, .matchKind = 'J'});
    AddStartException({.prefix = "KC4USV", .dxcc = "CE9", .country = "Antarctica", .entity = 13});
  }

  struct Found {
    int code;
    std::string country;
    std::string prefix;
  };
  Found Look(const std::string& call, DayNumber date = 0) {
    PrefixLookup lookup(tables_);
    const int code = lookup.LookUpPrefix(call, date);
    const PrefixRecord r = lookup.Entry();
    return {code, r.countryName(), r.prefix()};
  }
};

struct LookupCase {
  const char* call;
  int code;
  const char* country;
  const char* prefix; // the adjusted prefix in the buffer
};

TEST_F(PrefixLookupTest, FindsTheCountryOfEachCall) {
  const LookupCase cases[] = {
      // longest match; a one- or two-letter prefix gets the call's digit
      {"DL1QQ", 0, "Germany", "DL1"}, // DA..DR range, stored below
      {"dl1qq", 0, "Germany", "DL1"},
      {" DR5AB ", 0, "Germany", "DR5"},
      {"DL0XYZ", 0, "Germany (club)", "DL0"},
      {"DS1ABC", 1, "", ""},                   // outside the range
      {"UA3ABC", 0, "European Russia", "UA3"}, // UA..UI stored above, past UA9
      {"UE1AB", 0, "European Russia", "UE1"},
      {"UA9ABC", 0, "Asiatic Russia", "UA9"},
      {"UJ1AB", 1, "", ""},
      // wildcard: takes the call's character back
      {"ZL2ABC", 0, "New Zealand", "ZL2"},
      // alias: the entry of K with the prefix that was looked up first
      {"W1AW", 0, "United States", "W1"},
      {"K1ABC", 0, "United States", "K1"},
      // portable and designator calls
      {"W9QQQ/KH6", 0, "Hawaii", "KH6"},
      {"KH6ABC", 0, "Hawaii", "KH6"},
      {"DL9QQQ/P", 0, "Germany", "DL9"},
      {"PA/DL9QQQ/P", 0, "Netherlands", "PA"},
      {"DL9QQQ/QRP", 0, "Germany", "DL9"},
      {"FO5QQ/M", 0, "Marquesas Islands", "FO/M"},
      {"FO5QQ", 0, "French Polynesia", "FO5"},
      {"FO5QQ/P", 0, "French Polynesia", "FO5"},
      // exceptions: a whole call wins over a longer main-table prefix (DP1)
      {"DP1POL", 0, "Antarctica", "DP1POL"},
      {"DP1POL/P", 0, "Antarctica", "DP1POL"},
      {"DP1POLX", 0, "Germany", "DP1"},
      {"DP1ABC", 0, "Germany", "DP1"},
      // a call longer than six characters is not the six-character exception's call
      {"DL1ABCD", 0, "Germany", "DL1"},
      {"DL1ABC", 0, "Antarctica", "DL1ABC"},
      // "J": every call that begins with the entry's prefix
      {"KC4AAB", 0, "Antarctica", "KC4A"},
      {"KC4USV", 0, "Antarctica", "KC4USV"},
      {"KC4USX", 0, "United States", "K"}, // no digit after "K" in "KC4USX"
      // several entries of one prefix: area 1 while the ambiguity option is off
      {"KC6AB", 0, "Palau", "KC6"},
      // nothing matches
      {"1ABC", 1, "", ""},
      {"", 1, "", ""},
      {"/", 1, "", ""},
  };
  for (const LookupCase& c : cases) {
    const Found f = Look(c.call, Day(1, 6, 2020));
    EXPECT_EQ(f.code, c.code) << c.call;
    EXPECT_EQ(f.country, c.country) << c.call;
    EXPECT_EQ(f.prefix, c.prefix) << c.call;
  }
}

TEST_F(PrefixLookupTest, ChangeDatesAndValidityDependOnTheQsoDate) {
  struct DatedCase {
    const char* call;
    DayNumber date;
    int code;
    const char* country;
  };
  const DatedCase cases[] = {
      // up to the change date the former prefix is looked up (the change day included)
      {"Y21ABC", Day(1, 5, 1989), 0, "German Democratic Republic"},
      {"Y21ABC", Day(2, 10, 1990), 0, "German Democratic Republic"},
      {"Y21ABC", Day(3, 10, 1990), 0, "Germany"},
      // the second change date takes precedence over the first
      {"T91A", Day(1, 6, 1991), 0, "Yugoslavia (old)"},
      {"T91A", Day(1, 6, 1993), 0, "Yugoslavia"},
      {"T91A", Day(1, 6, 1996), 0, "Bosnia-Herzegovina"},
      // an expired entry is found but not valid; a future one likewise
      {"VS6ABC", Day(1, 1, 1990), 0, "Hong Kong"},
      {"VS6ABC", Day(30, 6, 1997), 0, "Hong Kong"},
      {"VS6ABC", Day(1, 7, 1997), 2, "Hong Kong"},
      {"VR2XX", Day(30, 6, 1997), 2, "Hong Kong"},
      {"VR2XX", Day(1, 7, 1997), 0, "Hong Kong"},
      // the redirected entry's own validity counts: DMY2 after its end
      {"DMY2", Day(1, 1, 2000), 2, "German Democratic Republic"},
      // a former "RA" takes the call's third character when it is a digit
      {"R19ABC", Day(1, 1, 1999), 0, "Asiatic Russia"},
      {"R1ABC", Day(1, 1, 1999), 1, ""},
      {"R19ABC", Day(1, 1, 2001), 0, "(renamed)"},
  };
  for (const DatedCase& c : cases) {
    const Found f = Look(c.call, c.date);
    EXPECT_EQ(f.code, c.code) << c.call << " " << DayToText("dd.mm.yyyy", c.date);
    EXPECT_EQ(f.country, c.country) << c.call << " " << DayToText("dd.mm.yyyy", c.date);
  }
}

TEST_F(PrefixLookupTest, DateZeroMeansTodayUtc) {
  clock_.now = {1997, 6, 30, 23, 30, 0, 0}; // local time on UTC: still valid
  EXPECT_EQ(Look("VS6ABC", 0).code, kPrefixFound);
  clock_.now = {1997, 7, 1, 0, 30, 0, 0};
  EXPECT_EQ(Look("VS6ABC", 0).code, kPrefixNotValid);
  EXPECT_EQ(Look("VS6ABC", -1).code, kPrefixNotValid);
}

TEST_F(PrefixLookupTest, FollowsAtMostFiveRedirections) {
  // Q2 -> Q3 -> Q4 -> Q5 -> Q6 -> Q7 is five redirections; from Q1 it is six.
  EXPECT_EQ(Look("Q2A", Day(1, 1, 2020)).code, kPrefixFound);
  EXPECT_EQ(Look("Q2A", Day(1, 1, 2020)).country, "End of chain");
  EXPECT_EQ(Look("Q2A", Day(1, 1, 2020)).prefix, "Q2");
  EXPECT_EQ(Look("Q1A", Day(1, 1, 2020)).code, kPrefixNotFound);
  // A loop ends after the limit as well.
  EXPECT_EQ(Look("L1A", Day(1, 1, 2020)).code, kPrefixNotFound);
}

TEST_F(PrefixLookupTest, ANotFoundLookupClearsTheBuffer) {
  PrefixLookup lookup(tables_);
  ASSERT_EQ(lookup.LookUpPrefix("DL1QQ", Day(1, 1, 2020)), kPrefixFound);
  EXPECT_EQ(lookup.Entry().entityNumber(), 230);
  ASSERT_EQ(lookup.LookUpPrefix("1ABC", Day(1, 1, 2020)), kPrefixNotFound);
  EXPECT_EQ(lookup.Entry().entityNumber(), 0);
  EXPECT_EQ(lookup.Entry().countryName(), "");
}

TEST_F(PrefixLookupTest, MissingExceptionTablesArePassedOver) {
  PrefixTables onlyMain;
  onlyMain.main = tables_.main;
  PrefixLookup lookup(onlyMain);
  EXPECT_EQ(lookup.LookUpPrefix("DP1POL", Day(1, 1, 2020)), kPrefixFound);
  EXPECT_EQ(lookup.Entry().countryName(), "Germany");
  EXPECT_EQ(lookup.DxccNumber("KC6"), " 22");
}

TEST_F(PrefixLookupTest, DxccNumberOfAPrefix) {
  AddMain({.prefix = "Z8", .dxcc = "Z8", .country = "South Sudan", .entity = 521});
  AddMain({.prefix = "Z81", .dxcc = "Z8X", .country = "South Sudan", .entity = 521});
  AddCallException({.prefix = "FO0", .dxcc = "FO0", .country = "Clipperton", .entity = 175});
  AddStartException({.prefix = "XX", .dxcc = "XX", .country = "Macao", .entity = 1000});
  PrefixLookup lookup(tables_);
  const std::pair<const char*, const char*> cases[] = {
      {"DL", "230"},
      {" DL\t", "230"},
      {"VP2E", " 12"},
      {"RA-AS", " 15"},
      {"3D2/C", "489"},
      {"dl", ""},
      {"", ""},
      {"  ", ""},
      {"KC6", " 22"},  // special, not in the
                       // tables
      {"3D2C", "489"}, // special
      {"FO0", "175"},  // special, but the exception table knows it: its number
      {"XX", "***"},   // special, found by DXCC prefix alone; too wide for "###"
      {"Z8", "521"},   // not in the entity table: by key 2 exactly
      {"Z8X", "521"},  // by DXCC prefix alone
      {"QQ", ""},
  };
  for (const auto& [prefix, number] : cases)
    EXPECT_EQ(lookup.DxccNumber(prefix), number) << prefix;
  // The entry found by the tables stays in the buffer.
  EXPECT_EQ(lookup.DxccNumber("Z8X"), "521");
  EXPECT_EQ(lookup.Entry().prefix(), "Z81");
}

TEST(PrefixAdjustment, TakesTheCallsCharacters) {
  const std::tuple<const char*, const char*, const char*> cases[] = {
      {"DL", "DL1QQ", "DL1"},  {"K", "K1ABC", "K1"},    {"DL", "DLABC", "DL"},
      {"KH6", "KH6AB", "KH6"}, {"ZL~", "ZL2AB", "ZL2"}, {"VK9#", "VK9XY", "VK9X"},
      {"VK9?", "VK9", "VK9?"}, {"UA-", "UA9AA", "UA9"}, {"E7", "E71A", "E7"},
      {"D", "D", "D"},         {"", "DL1", ""},
  };
  for (const auto& [prefix, call, adjusted] : cases)
    EXPECT_EQ(AdjustPrefixToCall(prefix, call), adjusted) << prefix << " " << call;
}

TEST(PrefixLookupText, ReducesTheCallToWhatDecidesTheCountry) {
  const std::pair<const char*, const char*> cases[] = {
      {"W9QQQ/KH6", "KH6"},     {"DL9QQQ/2", "DL2"},
      {"PA/DL9QQQ/P", "PA"},    {"DL9QQQ/P", "DL9QQQ"},
      {"DL9QQQ/QRP", "DL9QQQ"}, {"FO5QQ/M", "FO5QQ/M"},
      {" dl1abc ", "DL1ABC"},   {"", ""},
  };
  for (const auto& [call, text] : cases)
    EXPECT_EQ(PrefixLookupText(call), text) << call;
}

} // namespace
} // namespace tarvik::test
