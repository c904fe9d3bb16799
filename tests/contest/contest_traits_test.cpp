// The per-code traits of the catalog and the header extras: which codes take each decision,
// and that what the entry derives from the definition agrees with them in every category.

#include <functional>
#include <string>

#include "catalog_test_fixture.h"
#include "contest/contest_traits.h"
#include "contest/exchange_elements.h"
#include "contest/header_extras.h"
#include "datafiles/call_records.h"

namespace tarvik::test {
namespace {

/// The catalog codes for which `has` holds, in catalog order.
std::string CodesWith(const std::function<bool(const ContestTraits&)>& has) {
  std::string codes;
  for (char code : kCatalogCodes)
    if (has(TraitsOf(code)))
      codes += code;
  return codes;
}

TEST(ContestTraits, EachDecisionBelongsToTheCodesThatTakeIt) {
  using T = const ContestTraits&;
  EXPECT_EQ(CodesWith([](T t) { return t.memberNumberInCall2; }), "7fik");
  EXPECT_EQ(CodesWith([](T t) { return t.fullRecalculationAfterChange; }), "7fk");
  EXPECT_EQ(CodesWith([](T t) { return !t.memberClub.empty(); }), "7fik");
  EXPECT_EQ(CodesWith([](T t) { return t.callBookMemberField != 0; }), "7fi");
  EXPECT_EQ(CodesWith([](T t) { return t.qcwaMemberList; }), "k");
  EXPECT_EQ(CodesWith([](T t) { return t.blanksInReceivedExchange; }), "i");
  EXPECT_EQ(CodesWith([](T t) { return t.nameIsExchange; }), "a");
  EXPECT_EQ(CodesWith([](T t) { return t.nameQthShownAtStart; }), "Ial");
  EXPECT_EQ(CodesWith([](T t) { return !t.rcvdReportPreset.empty(); }), "9");
  EXPECT_EQ(CodesWith([](T t) { return t.reportWithoutRst; }), "j");
  EXPECT_EQ(CodesWith([](T t) { return !t.extraSentElementsBands.empty(); }), "J");
  EXPECT_EQ(CodesWith([](T t) { return !t.serialWhenNothingSent; }), "7");
  EXPECT_EQ(CodesWith([](T t) { return t.panelLabelWidth == 36 && !t.panelLabelsBold; }), "Hk");
  EXPECT_EQ(CodesWith([](T t) { return t.panelLabelWidth != 28 || !t.panelLabelsBold; }), "Hk");
  EXPECT_EQ(CodesWith([](T t) { return t.multCountName != MultCountName::kMulti; }), "5P");
  EXPECT_EQ(CodesWith([](T t) { return t.postcodeAreasWithoutScore; }), "5");
  EXPECT_EQ(CodesWith([](T t) { return t.contestWideTotals; }), "E");
  EXPECT_EQ(CodesWith([](T t) { return t.headerDokFieldIsLdk; }), "A");
  EXPECT_EQ(CodesWith([](T t) { return t.wholeLogIsStf; }), "5P");
  EXPECT_EQ(CodesWith([](T t) { return t.wholeLogWithBandList; }), "i");
  EXPECT_EQ(CodesWith([](T t) { return t.separateLogsNote; }), "Q");
  EXPECT_EQ(CodesWith([](T t) { return t.hourlyLogAdvice; }), "E");

  // Codes without a row (and characters that are no code) take the common path.
  for (char code : {'W', 'M', 'X', '\0', '#'}) {
    const ContestTraits& t = TraitsOf(code);
    EXPECT_FALSE(t.memberNumberInCall2 || t.contestWideTotals || t.wholeLogIsStf) << code;
    EXPECT_TRUE(t.serialWhenNothingSent) << code;
    EXPECT_EQ(t.panelLabelWidth, 28) << code;
  }
  EXPECT_EQ(MultiCounterCaption(TraitsOf('5').multCountName), "PLZ-Bereiche");
  EXPECT_EQ(MultiCounterCaption(TraitsOf('P').multCountName), "Prefixe ");
  EXPECT_EQ(PlainMultTotalSuffix(TraitsOf('N').multCountName), " Multi");
}

class MemberNumberTraits : public CatalogFixture {};

TEST_F(MemberNumberTraits, TheMemberElementAndItsLabelHoldInEveryCategory) {
  // The member number rides in Call2 and is found in the element whose kind is a member
  // number: element 2 for codes 7, i, k and element 3 for code f, whatever the category.
  const struct {
    char code;
    int element;
    const char* label;
  } cases[] = {{'7', 2, "DIG"}, {'f', 3, "AGCW"}, {'i', 2, "Naval"}, {'k', 2, "QCWA"}};
  for (const auto& c : cases) {
    const std::size_t categories = Build(c.code).Categories.size();
    for (std::size_t category = 0; category <= categories; ++category) {
      const ContestDefinition def = Build(c.code, static_cast<int>(category));
      EXPECT_EQ(MemberNumberElement(def), c.element) << c.code << " category " << category;
      EXPECT_EQ(ExchangeKindLabel(def.RcvdExchange(c.element - 1), c.code), c.label) << c.code;
    }
  }
  // A contest without member numbers has no member element.
  EXPECT_EQ(MemberNumberElement(Build('2')), 0);
  EXPECT_EQ(MemberNumberElement(Build('4')), 0); // the RTC number is an element of kind 99
}

TEST(HeaderExtras, ValuesGoIntoTheHeaderAndComeBackAsTheFormShowsThem) {
  std::string headerBytes(ContestHeaderRecord::kLength, '\0');
  std::string extensionBytes(ContestExtensionRecord::kLength, '\0');
  ContestHeaderRecord header(headerBytes.data());
  ContestExtensionRecord extension(extensionBytes.data());
  auto roundTrip = [&](char code, HeaderExtraValues values) {
    WriteExtras(HeaderExtraOf(code), values, header, extension);
    HeaderExtraValues back;
    ReadExtras(HeaderExtraOf(code), header, back);
    return back;
  };
  // Numbers: "none" is stored as -1 and shown as the code's own text.
  EXPECT_EQ(roundTrip('P', {.number = " 67 "}).number, "67");
  EXPECT_EQ(roundTrip('P', {.number = "xx"}).number, "XX");
  EXPECT_EQ(header.extraNumber(), -1);
  EXPECT_EQ(roundTrip('6', {.number = "NM"}).number, "NM");
  EXPECT_EQ(roundTrip('7', {.number = "0"}).number, "0");
  EXPECT_EQ(roundTrip('k', {.number = "12345"}).number, "12345");
  EXPECT_EQ(roundTrip('i', {.number = " MF-1234 "}).number, "MF-123");
  EXPECT_EQ(roundTrip('Y', {.scoringGroup = 2}).scoringGroup, 2);
  EXPECT_EQ(roundTrip('Y', {.scoringGroup = 7}).scoringGroup, 0);
  EXPECT_TRUE(roundTrip('Z', {.yes = true}).yes);
  const HeaderExtraValues kit = roundTrip('b', {.kit = true});
  EXPECT_TRUE(kit.kit);
  EXPECT_FALSE(kit.unique);
  EXPECT_EQ(header.extraNumber(), 2);
  // Code j has no RST settings: storing its extra frees the RST and unlocks it.
  header.SetRstSentFree(false);
  (void)roundTrip('j', {.station = "IC-9700"});
  EXPECT_TRUE(header.rstSentFree() && header.rstRcvdFree() && extension.rstsNotLocked());
  // A code without an extra leaves the header alone.
  header.SetExtraNumber(5);
  EXPECT_EQ(roundTrip('2', {.number = "9"}).number, "");
  EXPECT_EQ(header.extraNumber(), 5);
}

TEST(HeaderExtras, ChecksBlockWarnOrPassByCodeAndCategory) {
  auto check = [](char code, HeaderExtraValues values, int category = 1) {
    return CheckExtras(HeaderExtraOf(code), values, category);
  };
  const auto age = check('P', {.number = "siebzig"});
  ASSERT_TRUE(age);
  EXPECT_TRUE(age->blocks);
  EXPECT_FALSE(check('P', {.number = "XX"}));

  const auto dig = check('7', {.number = " "});
  ASSERT_TRUE(dig);
  EXPECT_FALSE(dig->blocks);
  EXPECT_EQ(dig->message, "Sie haben keine Angabe über die DIG-Mitgliedschaft getätigt.");
  EXPECT_FALSE(check('k', {.number = ""})) << "QCWA members are not asked";
  EXPECT_TRUE(check('i', {.number = ""}, 5));
  EXPECT_FALSE(check('i', {.number = ""}, 6)) << "category 6 are the non-members";
  EXPECT_TRUE(check('4', {.number = ""}, 0)) << "no category chosen is no exemption";

  const auto station = check('j', {.station = " \r\n\t"});
  ASSERT_TRUE(station);
  EXPECT_TRUE(station->blocks);
  EXPECT_EQ(station->field, ExtrasCheck::Field::kStation);
  EXPECT_FALSE(check('b', {.station = "FT-817, 5 W"}));

  EXPECT_EQ(StationDescriptionFile('b', 12), "OQRP    12.STN");
  EXPECT_EQ(StationDescriptionFile('j', 3), "mssprint     3.STN");
  EXPECT_EQ(StationDescriptionFile('2', 3), "");
}

} // namespace
} // namespace tarvik::test
