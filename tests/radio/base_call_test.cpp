// BaseCall in both modes, the designator pairs, the portable designators (with those of
// the setup) and the entity table.

#include <gtest/gtest.h>

#include "radio/base_call.h"

namespace tarvik {
namespace {

struct BaseCallCase {
  const char* call;
  const char* home;    // mode 1
  const char* country; // mode 0
};

class BaseCallExamples : public ::testing::TestWithParam<BaseCallCase> {};

TEST_P(BaseCallExamples, SplitsIntoHomeCallAndCountryPart) {
  const BaseCallCase& c = GetParam();
  EXPECT_EQ(BaseCall(c.call, kHomeCall), c.home) << c.call;
  EXPECT_EQ(BaseCall(c.call, kCountryPart), c.country) << c.call;
}

INSTANTIATE_TEST_SUITE_P(
    Calls, BaseCallExamples,
    ::testing::Values(
        // one part: the call itself in both modes, upper-cased
        BaseCallCase{"DL9QQQ", "DL9QQQ", "DL9QQQ"}, BaseCallCase{"dl9qqq", "DL9QQQ", "DL9QQQ"},
        // a portable designator after the home call is dropped
        BaseCallCase{"dl9qqq/p", "DL9QQQ", "DL9QQQ"}, BaseCallCase{"DL9QQQ/MM", "DL9QQQ", "DL9QQQ"},
        BaseCallCase{"DL9QQQ/LGT", "DL9QQQ", "DL9QQQ"},
        // designator pairs name their own entity and stay whole
        BaseCallCase{"FO5QQ/M", "FO5QQ/M", "FO5QQ/M"},
        BaseCallCase{"GM3ABC/SH", "GM3ABC/SH", "GM3ABC/SH"},
        BaseCallCase{"3D2AB/R", "3D2AB/R", "3D2AB/R"},
        BaseCallCase{"FO5QQ/M/P", "FO5QQ/M", "FO5QQ/M"},
        // three parts: a pair followed by a call is sorted as two parts
        BaseCallCase{"FO5QQ/M/DL1A", "FO5QQ/M", "DL1A"},
        // sorting: the longer part is the home call
        BaseCallCase{"PA/DL9QQQ/P", "DL9QQQ", "PA"}, BaseCallCase{"PA/DL9QQQ", "DL9QQQ", "PA"},
        BaseCallCase{"DL/PA9QQQ", "PA9QQQ", "DL"}, BaseCallCase{"W9QQQ/KH6", "W9QQQ", "KH6"},
        BaseCallCase{"DL9QQQ/OE", "DL9QQQ", "OE"},
        // equal lengths: the second part is the home call
        BaseCallCase{"DL9QQ/PA9QQ", "PA9QQ", "DL9QQ"},
        // an entity prefix as the longer part swaps roles
        BaseCallCase{"VP2E/W9Q", "W9Q", "VP2E"},
        // country parts that cannot be prefixes are dropped
        BaseCallCase{"DL9QQQ/QRP", "DL9QQQ", ""}, BaseCallCase{"DL9QQQ/XYZ", "DL9QQQ", ""},
        BaseCallCase{"DL9QQQ/123", "DL9QQQ", ""}, BaseCallCase{"DL9QQQ/123A", "DL9QQQ", ""},
        // a single digit names a call area of the home call's country
        BaseCallCase{"DL9QQQ/2", "DL9QQQ", "DL2"}, BaseCallCase{"2E0ABC/3", "2E0ABC", "2E3"},
        // a designator before the home call is not dropped; a third part is not looked at
        BaseCallCase{"P/DL9QQQ", "DL9QQQ", "P"}, BaseCallCase{"DL9QQQ/P/2", "DL9QQQ", "P"},
        // separators: any non-alphanumeric character; runs and trailing ones vanish
        BaseCallCase{"PA-DL9QQQ", "DL9QQQ", "PA"}, BaseCallCase{"PA//DL9QQQ//", "DL9QQQ", "PA"},
        BaseCallCase{"DL9QQQ/", "DL9QQQ", "DL9QQQ"}, BaseCallCase{"/DL9QQQ", "DL9QQQ", ""},
        BaseCallCase{"", "", ""}));

TEST(BaseCall, DesignatorPairs) {
  const std::pair<const char*, const char*> pairs[] = {
      {"SV1ABC", "A"}, {"JW5X", "B"}, {"JW5X", "S"},  {"3Y0Z", "B"},  {"3Y0Z", "P"}, {"FR5A", "B"},
      {"FR5A", "E"},   {"FR5A", "G"}, {"FR5A", "J"},  {"FR5A", "T"},  {"FO5A", "A"}, {"FO5A", "C"},
      {"FO5A", "F"},   {"FO5A", "M"}, {"3D2AB", "C"}, {"3D2AB", "R"}, {"VQ9X", "A"}, {"VQ9X", "D"},
      {"VQ9X", "F"},   {"ZK1A", "N"}, {"ZK1A", "S"},  {"GM4A", "SH"}, {"GM4A", "SC"}};
  for (const auto& [call, designator] : pairs)
    EXPECT_TRUE(IsDesignatorPair(call, designator)) << call << "/" << designator;
  const std::pair<const char*, const char*> notPairs[] = {
      {"SV1ABC", "B"}, {"FO5A", "P"},   {"3D2AB", "A"}, {"3DAB", "C"},
      {"GM4A", "S"},   {"GM4A", "SHX"}, {"DL1A", "M"},  {"VQ9X", ""}};
  for (const auto& [call, designator] : notPairs)
    EXPECT_FALSE(IsDesignatorPair(call, designator)) << call << "/" << designator;
}

TEST(BaseCall, PortableDesignatorsComeFromTheSetupWhenItHasThem) {
  PortableDesignatorTable table;
  EXPECT_TRUE(table.Contains("LGT"));
  EXPECT_FALSE(table.Contains("QRP"));
  EXPECT_FALSE(table.Contains("")); // empty entries never match
  EXPECT_EQ(BaseCall("DL9QQQ/QRP", kHomeCall, table), "DL9QQQ");
  EXPECT_EQ(BaseCall("DL9QQQ/2", kCountryPart, table), "DL2");

  std::array<PortableDesignator, PortableDesignatorTable::kFromSetup> fromSetup{};
  table.LoadFromSetup(fromSetup); // first entry empty: nothing changes
  EXPECT_TRUE(table.Contains("P"));
  fromSetup[0] = {"QRP", 7};
  fromSetup[1] = {"2", 0};
  table.LoadFromSetup(fromSetup);
  EXPECT_EQ(table.Entry(1), (PortableDesignator{"QRP", 7}));
  EXPECT_FALSE(table.Contains("P"));   // entry 5 was replaced by an empty one
  EXPECT_EQ(table.Entry(10).text, ""); // entries 10..16 stay
  // "2" is now a designator: it is dropped instead of naming a call area.
  EXPECT_EQ(BaseCall("DL9QQQ/2", kCountryPart, table), "DL9QQQ");
  EXPECT_EQ(BaseCall("DL9QQQ/P", kCountryPart, table), "P");

  // The process-wide table follows SetPortableDesignators.
  const PortableDesignatorTable initial;
  SetPortableDesignators(table);
  EXPECT_EQ(BaseCall("DL9QQQ/QRP", kHomeCall), "DL9QQQ");
  EXPECT_EQ(BaseCall("DL9QQQ/P", kCountryPart), "P");
  SetPortableDesignators(initial);
  EXPECT_EQ(BaseCall("DL9QQQ/P", kCountryPart), "DL9QQQ");
}

TEST(EntityTable, PositionsAndPrefixes) {
  const std::pair<int, const char*> samples[] = {
      {1, "VE"},      {12, "VP2E"}, {15, "RA-AS"},  {24, "3Y/B"},  {81, "DLDM"}, {218, "OKOM"},
      {228, "HK0SB"}, {230, "DL"},  {460, "3D2/R"}, {513, "VP6D"}, {514, "4O"},  {516, "FJ"}};
  for (const auto& [position, prefix] : samples) {
    EXPECT_EQ(EntityPrefix(position), prefix) << position;
    EXPECT_EQ(EntityPosition(prefix), position) << prefix;
  }
  for (int blank : {73, 83, 87, 92, 121, 156, 290, 300, 310, 311, 500})
    EXPECT_EQ(EntityPrefix(blank), "") << blank;
  EXPECT_EQ(EntityPrefix(0), "");
  EXPECT_EQ(EntityPrefix(517), "");
  EXPECT_EQ(EntityPosition(""), 0);
  EXPECT_EQ(EntityPosition("dl"), 0); // with case
  EXPECT_EQ(EntityPosition("4O", kEntityHomeCallPositions), 0);
  int filled = 0;
  for (int p = 1; p <= kEntityPositions; ++p)
    filled += EntityPrefix(p).empty() ? 0 : 1;
  EXPECT_EQ(filled, 396);
  // Only positions up to 513 swap roles: VP6D (513) does, KH8S (515) stays the home call.
  EXPECT_EQ(BaseCall("VP6D/W1A", kHomeCall), "W1A");
  EXPECT_EQ(BaseCall("KH8S/W1A", kHomeCall), "KH8S");
}

} // namespace
} // namespace tarvik
