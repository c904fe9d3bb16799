// The entry cycle over a prefix table filled from a country file (as at first start): DX
// calls of the IPARC contest (code Z) get their country, continent and DXCC multiplier
// from the imported table, ordinary, portable, designator and whole calls alike.

#include "session_fixture.h"

#include "country/country_import.h"

namespace tarvik::test {
namespace {

class CountryDataSession : public SessionTest {
protected:
  void SetUp() override {
    SessionTest::SetUp();
    // The country file takes the place of the hand-made table, with the tables open.
    const CountryImportResult r =
        ImportCountryFile(std::string(TARVIK_FIXTURES_DIR) + "/cty/cty.csv");
    ASSERT_TRUE(r.ok) << r.error;
  }
};

TEST_F(CountryDataSession, DxCallsCountTheirDxccEntities) {
  QsoSession& s = Open({.code = 'Z'});
  ASSERT_TRUE(Log("W1AW", {"1", "IPA", "CT"}));
  ASSERT_TRUE(Log("W9QQQ/KH6", {"2", "IPA", ""}));
  ASSERT_TRUE(Log("3D2AB/R", {"3", "IPA", ""}));
  ASSERT_TRUE(Log("IT9ABC", {"4", "IPA", ""})); // Sicily counts for Italy
  ASSERT_TRUE(Log("IZ8ABC", {"5", "IPA", ""})); // Italy again: no new multiplier
  ASSERT_TRUE(Log("VP8DFK", {"6", "IPA", ""})); // a whole call: Antarctica
  ASSERT_TRUE(Log("DL1ABC", {"7", "IPA", ""})); // DL counts as DXCC in this contest
  ASSERT_TRUE(Log("PJ2AB", {"8", "IPA", ""}));  // an entity the entity table lacks
  ASSERT_EQ(StoredCount(), 8);

  const std::tuple<const char*, const char*, const char*> expected[] = {
      {"K", "NA", "K"}, {"KH6", "OC", "KH6"}, {"3D2/R", "OC", "3D2/R"}, {"I", "EU", "I"},
      {"I", "EU", ""},  {"CE9", "SA", "CE9"}, {"DL", "EU", "DL"},       {"PJ2/C", "SA", "PJ2/C"},
  };
  for (std::size_t i = 0; i < std::size(expected); ++i) {
    const auto& [prefix, continent, mark] = expected[i];
    const QsoRecord q = StoredQso(i);
    EXPECT_EQ(q.Prefix(), prefix) << q.Call();
    EXPECT_EQ(q.Continent(), continent) << q.Call();
    EXPECT_EQ(q.MultMark1(), mark) << q.Call();
  }
  EXPECT_EQ(StoredQso(0).MultMark2(), "CT");
  // Seven DXCC entities and one US state, all on one band; 5 points per QSO with "IPA".
  EXPECT_EQ(s.Log().Totals().TotalMultis(), 8);
  const std::int32_t score = s.Log().Score();
  EXPECT_EQ(score, 8 * 5 * 8);

  QsoSession& again = Reopen();
  EXPECT_EQ(again.Log().Totals().TotalMultis(), 8);
  EXPECT_EQ(again.Log().Score(), score);
}

} // namespace
} // namespace tarvik::test
