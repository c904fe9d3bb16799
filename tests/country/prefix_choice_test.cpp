// The prefix choice model: candidates of a prefix with several entries as they stand at
// the QSO date, marking rows, OK and cancel, the exception entry remembered for the call,
// and how LookUpPrefix uses the choice with the ambiguity option on and off.

#include <gtest/gtest.h>

#include "country/prefix_choice.h"
#include "recordfile/fileblock.h"
#include "support/prefix_tables.h"

namespace tarvik::test {
namespace {

class PrefixChoiceTest : public PrefixTablesTest {
protected:
  void SetUp() override {
    PrefixTablesTest::SetUp();
    AddMain({.prefix = "YU", .dxcc = "YU", .country = "Yugoslavia", .entity = 296});
    AddMain({.prefix = "E7", .dxcc = "E7", .country = "Bosnia-Herzegovina", .entity = 501});
    AddMain({.prefix = "RA9",
             .dxcc = "RA-AS",
             .country = "Asiatic Russia",
             .entity = 15,
             .continent = "AS",
             .cq = "17",
             .itu = "30"});
    AddMain({.prefix = "V6",
             .dxcc = "V6",
             .country = "Micronesia",
             .entity = 173,
             .continent = "OC",
             .cq = "27",
             .itu = "65"});
    // Four entries of KC6; added out of area order.
    AddMain({.prefix = "KC6",
             .dxcc = "KC6",
             .country = "Eastern Caroline",
             .entity = 173,
             .continent = "OC",
             .area = "3",
             .validTo = Day(31, 12, 1990),
             .remark = "Ponape"});
    AddMain({.prefix = "KC6",
             .dxcc = "T8",
             .country = "Palau",
             .entity = 22,
             .continent = "OC",
             .cq = "27",
             .itu = "64",
             .area = "1"});
    AddMain(
        {.prefix = "KC6", .dxcc = "XX", .country = "Caroline (alias)", .area = "2", .alias = "V6"});
    AddMain({.prefix = "KC6",
             .dxcc = "KC6",
             .country = "Future",
             .area = "4",
             .validFrom = Day(1, 1, 2030)});
    // Two entries of 4O, one of them redirected by a change date.
    AddMain({.prefix = "4O",
             .dxcc = "4O",
             .country = "Montenegro",
             .entity = 514,
             .area = "1",
             .changeDate = Day(28, 6, 2006),
             .former = "YU"});
    AddMain({.prefix = "4O",
             .dxcc = "4O",
             .country = "Montenegro (RA)",
             .area = "2",
             .changeDate = Day(28, 6, 2006),
             .former = "RA9"});
  }

  static std::vector<std::string> Countries(const PrefixChoice& c) {
    std::vector<std::string> out;
    for (const PrefixChoiceRow& r : c.Rows())
      out.push_back(r.country + "|" + r.dxcc + "|" + r.remark);
    return out;
  }
};

TEST_F(PrefixChoiceTest, ListsTheEntriesAsTheyStandAtTheQsoDate) {
  PrefixLookup lookup(tables_);
  PrefixChoice now(lookup, "KC6", Day(1, 6, 2020), "KC6AB");
  EXPECT_EQ(Countries(now), (std::vector<std::string>{
                                "Palau|T8|",
                                "Micronesia|V6|", // the alias replaces the row's data
                                "Eastern Caroline|KC6|Ponape  (deleted)",
                                "not current|KC6|  (deleted)",
                            }));
  ASSERT_EQ(now.Rows().size(), 4u);
  EXPECT_EQ(now.Rows()[0].number, 1);
  EXPECT_EQ(now.Rows()[3].number, 4);
  EXPECT_EQ(now.Rows()[0].cqZone, "27");
  EXPECT_EQ(now.Rows()[0].ituZone, "64");

  PrefixChoice before(lookup, "KC6", Day(1, 6, 1985));
  EXPECT_EQ(Countries(before)[2], "Eastern Caroline|KC6|Ponape");

  // Up to the change date: a former prefix containing "RA" through the lookup, any other
  // as a DXCC prefix.
  PrefixChoice old(lookup, "4O", Day(1, 1, 2000));
  EXPECT_EQ(Countries(old), (std::vector<std::string>{"Yugoslavia|YU|", "Asiatic Russia|RA-AS|"}));
  PrefixChoice later(lookup, "4O", Day(1, 1, 2010));
  EXPECT_EQ(Countries(later), (std::vector<std::string>{"Montenegro|4O|", "Montenegro (RA)|4O|"}));
}

TEST_F(PrefixChoiceTest, TextsForAQsoAndForAPrefixAlone) {
  PrefixLookup lookup(tables_);
  PrefixChoice forQso(lookup, "KC6", Day(5, 3, 2021), "KC6AB");
  EXPECT_TRUE(forQso.ForQso());
  EXPECT_EQ(forQso.IntroLines()[1], "einen der unteren Einträge wird dem QSO ein DXCC zugeordnet.");
  EXPECT_EQ(forQso.DateText(), "05.03.2021");
  EXPECT_EQ(forQso.Call(), "KC6AB");
  PrefixChoice alone(lookup, "kc6 ", Day(5, 3, 2021));
  EXPECT_FALSE(alone.ForQso());
  EXPECT_EQ(alone.Prefix(), "KC6");
  EXPECT_EQ(alone.IntroLines()[0],
            "Für den Präfix stehen mehrere DXCC zur Auswahl. Durch Doppelklick auf");
  EXPECT_EQ(PrefixChoice::Caption(), "Auswahl DXCC");
  EXPECT_EQ(PrefixChoice::TakeCaption(), "Übernehmen");
}

TEST_F(PrefixChoiceTest, MarkingWrapsAtBothEnds) {
  PrefixLookup lookup(tables_);
  PrefixChoice c(lookup, "KC6", Day(1, 6, 2020), "KC6AB");
  EXPECT_EQ(c.Marked(), -1);
  EXPECT_FALSE(c.CanTake());
  EXPECT_FALSE(c.Take());
  c.MarkPrevious();
  EXPECT_EQ(c.Marked(), 3);
  c.MarkNext();
  EXPECT_EQ(c.Marked(), 0);
  c.MarkPrevious();
  EXPECT_EQ(c.Marked(), 3);
  c.Mark(1);
  EXPECT_EQ(c.Marked(), 1);
  c.Mark(7); // ignored
  EXPECT_EQ(c.Marked(), 1);
  EXPECT_TRUE(c.CanTake());

  PrefixChoice none(lookup, "ZZ", Day(1, 6, 2020));
  EXPECT_TRUE(none.Rows().empty());
  none.MarkNext();
  EXPECT_EQ(none.Marked(), -1);
}

TEST_F(PrefixChoiceTest, ListsAtMostThirtyCandidates) {
  for (int area = 1; area <= 35; ++area)
    AddMain({.prefix = "XQ",
             .dxcc = "XQ",
             .country = "Area " + std::to_string(area),
             .area = std::to_string(area)});
  PrefixLookup lookup(tables_);
  PrefixChoice c(lookup, "XQ", Day(1, 1, 2020));
  ASSERT_EQ(c.Rows().size(), 30u);
  // Key 3 holds the area as text: "1", "10", "11" ... sort as text.
  EXPECT_EQ(c.Rows()[0].country, "Area 1");
  EXPECT_EQ(c.Rows()[1].country, "Area 10");
}

TEST_F(PrefixChoiceTest, TheAmbiguityOptionLetsThePersonChoose) {
  PrefixLookup lookup(tables_);
  int asked = 0;
  lookup.SetChooser([&](PrefixChoice& c) {
    ++asked;
    EXPECT_EQ(c.Call(), "KC6XY");
    EXPECT_EQ(c.Rows().size(), 4u);
    c.MarkNext();
    c.MarkNext(); // Micronesia
    return c.Take();
  });

  // Option off: area 1, no question.
  EXPECT_EQ(lookup.LookUpPrefix("KC6XY", Day(1, 6, 2020)), kPrefixFound);
  EXPECT_EQ(lookup.Entry().countryName(), "Palau");
  EXPECT_FALSE(lookup.ChosenByPerson());
  EXPECT_EQ(asked, 0);

  SetPrefixAmbiguityOption(true);
  EXPECT_EQ(lookup.LookUpPrefix("KC6XY", Day(1, 6, 2020)), kPrefixFound);
  EXPECT_EQ(asked, 1);
  EXPECT_TRUE(lookup.ChosenByPerson());
  EXPECT_EQ(lookup.Entry().countryName(), "Micronesia");
  EXPECT_EQ(lookup.Entry().entityNumber(), 173);

  // The choice was remembered for the call: the next lookup takes it without asking.
  ASSERT_EQ(tables_.callExceptions->FindKey(1, "KC6XY "), 0);
  EXPECT_EQ(PrefixRecord(tables_.callExceptions->RecordBuffer()).countryName(), "Micronesia");
  EXPECT_EQ(lookup.LookUpPrefix("KC6XY/P", Day(1, 6, 2020)), kPrefixFound);
  EXPECT_EQ(asked, 1);
  EXPECT_EQ(lookup.Entry().countryName(), "Micronesia");
  EXPECT_FALSE(lookup.ChosenByPerson());
}

TEST_F(PrefixChoiceTest, CancelClearsTheBufferAndRemembersNothing) {
  SetPrefixAmbiguityOption(true);
  PrefixLookup lookup(tables_);
  lookup.SetChooser([](PrefixChoice& c) {
    c.Mark(0);
    c.Cancel();
    return false;
  });
  EXPECT_EQ(lookup.LookUpPrefix("KC6XY", Day(1, 6, 2020)), kPrefixNotFound);
  EXPECT_EQ(lookup.Entry().countryName(), "");
  std::int32_t count = -1;
  ASSERT_EQ(tables_.callExceptions->UsedRecords(&count), 0);
  EXPECT_EQ(count, 0);
}

TEST_F(PrefixChoiceTest, OnlyACallThatDecidesItsOwnCountryGetsAnException) {
  SetPrefixAmbiguityOption(true);
  PrefixLookup lookup(tables_);
  lookup.SetChooser([](PrefixChoice& c) {
    c.Mark(0);
    return c.Take();
  });
  // W9QQQ/KC6: the text looked up is KC6, shared by every such call; a call of seven
  // characters does not fit the prefix field; a prefix alone is no QSO.
  EXPECT_EQ(lookup.LookUpPrefix("W9QQQ/KC6", Day(1, 6, 2020)), kPrefixFound);
  EXPECT_EQ(lookup.LookUpPrefix("KC6ABCD", Day(1, 6, 2020)), kPrefixFound);
  EXPECT_EQ(lookup.LookUpPrefix("KC6ABC", Day(1, 6, 2020), false), kPrefixFound);
  std::int32_t count = -1;
  ASSERT_EQ(tables_.callExceptions->UsedRecords(&count), 0);
  EXPECT_EQ(count, 0);
  // An existing exception is not added twice (and answers before any choice).
  EXPECT_EQ(lookup.LookUpPrefix("KC6ABC", Day(1, 6, 2020)), kPrefixFound);
  EXPECT_EQ(lookup.LookUpPrefix("KC6ABC", Day(1, 6, 2020)), kPrefixFound);
  ASSERT_EQ(tables_.callExceptions->UsedRecords(&count), 0);
  EXPECT_EQ(count, 1);
  // A choice made without the exception table stays for this lookup only.
  PrefixTables noExceptions{tables_.main, nullptr, nullptr};
  PrefixLookup plain(noExceptions);
  plain.SetChooser([](PrefixChoice& c) {
    c.Mark(1);
    return c.Take();
  });
  EXPECT_EQ(plain.LookUpPrefix("KC6QQ", Day(1, 6, 2020)), kPrefixFound);
  EXPECT_EQ(plain.Entry().countryName(), "Micronesia");
}

TEST_F(PrefixChoiceTest, TakingWithoutALookupFillsTheBuffer) {
  PrefixLookup lookup(tables_);
  PrefixChoice c(lookup, "KC6", Day(1, 6, 2020));
  c.Mark(0);
  ASSERT_TRUE(c.Take());
  EXPECT_TRUE(c.Taken());
  EXPECT_FALSE(c.AddedException());
  EXPECT_EQ(lookup.Entry().countryName(), "Palau");
  c.Cancel();
  EXPECT_EQ(lookup.Entry().countryName(), "");
}

} // namespace
} // namespace tarvik::test
