// The country data at first start and the menu actions that refresh it: what is imported,
// what the person is told, and when nothing happens.

#include <gtest/gtest.h>

#include "base/process_settings.h"
#include "country/country_data.h"
#include "country/country_import.h"
#include "country/prefix_lookup.h"
#include "recordfile/fileblock.h"
#include "support/fake_dialogs.h"
#include "support/prefix_tables.h"

namespace tarvik::test {
namespace {

const std::string kFixtures = std::string(TARVIK_FIXTURES_DIR) + "/cty/";

class CountryDataTest : public PrefixTablesTest {
protected:
  void TearDown() override {
    SetLanguageFlag(1);
    PrefixTablesTest::TearDown();
  }
  CountryDataFiles Fixtures() const {
    return {kFixtures + "cty.csv", kFixtures + "dok_history.txt"};
  }
  std::string CountryOf(const char* call) {
    PrefixLookup lookup(tables_);
    (void)lookup.LookUpPrefix(call, Day(1, 1, 2024)); // an unknown call gives no name
    return lookup.Entry().countryName();
  }
  FakeDialogs dialogs_;
};

TEST_F(CountryDataTest, AnEmptyPrefixTableIsFilledAtFirstStart) {
  ASSERT_TRUE(PrefixTableEmpty());
  EXPECT_TRUE(EnsureCountryData(dialogs_, Fixtures()));
  ASSERT_EQ(dialogs_.Informs().size(), 1u);
  EXPECT_EQ(dialogs_.Informs()[0],
            "Die Präfixdatei war leer. Sie wurde aus der Länderdatei \"" + kFixtures +
                "cty.csv\" gefüllt: 20 Länder, 63 Präfixe, 9 einzelne Rufzeichen.\n"
                "Aus der DOK-Liste \"" +
                kFixtures + "dok_history.txt\" wurden 7 DOKs in das Call-Buch übernommen.");
  EXPECT_EQ(CountryOf("GW4ABC"), "Wales");
  EXPECT_FALSE(CallBookEmpty());

  // The next start finds the table filled: nothing happens, nothing is shown.
  dialogs_.Clear();
  EXPECT_TRUE(EnsureCountryData(dialogs_, {kFixtures + "broken.csv", ""}));
  EXPECT_TRUE(dialogs_.events.empty());
}

TEST_F(CountryDataTest, WithoutFilesTheCallerShowsItsWarning) {
  EXPECT_FALSE(EnsureCountryData(dialogs_, {"", ""}));
  EXPECT_TRUE(dialogs_.events.empty());
  // A DOK history alone fills no prefix table and is not imported.
  EXPECT_FALSE(EnsureCountryData(dialogs_, {"", kFixtures + "dok_history.txt"}));
  EXPECT_TRUE(CallBookEmpty());
}

TEST_F(CountryDataTest, AnUnusableFileIsReportedInTheLanguageOfThePerson) {
  SetLanguageFlag(0);
  WriteFileBytes(dir_.file("empty.csv"), "\n");
  EXPECT_FALSE(EnsureCountryData(dialogs_, {dir_.file("empty.csv"), ""}));
  ASSERT_EQ(dialogs_.Informs().size(), 1u);
  EXPECT_EQ(dialogs_.Informs()[0], "The country file \"" + dir_.file("empty.csv") +
                                       "\" could not be imported (it holds no country data).");
  EXPECT_TRUE(PrefixTableEmpty());

  dialogs_.Clear();
  EXPECT_TRUE(EnsureCountryData(dialogs_, {kFixtures + "cty.csv", dir_.file("none.txt")}));
  ASSERT_EQ(dialogs_.Informs().size(), 1u);
  EXPECT_NE(dialogs_.Informs()[0].find("20 countries, 63 prefixes, 9 single calls.\nThe DOK list"),
            std::string::npos)
      << dialogs_.Informs()[0];
  EXPECT_NE(dialogs_.Informs()[0].find("(the file cannot be read)"), std::string::npos);
}

TEST_F(CountryDataTest, TheMenuActionsRefreshFromAChosenFile) {
  dialogs_.openAnswers = {std::nullopt, kFixtures + "cty.dat"};
  EXPECT_FALSE(RefreshCountryData(dialogs_)); // cancelled
  EXPECT_TRUE(dialogs_.Informs().empty());
  EXPECT_TRUE(RefreshCountryData(dialogs_));
  const std::vector<FakeDialogs::Event>& ev = dialogs_.events;
  ASSERT_EQ(ev.size(), 3u);
  EXPECT_EQ(ev[1].file.initialDir, "/usr/share/hamradio-files");
  EXPECT_EQ(ev[1].file.filter,
            "Länderdateien (cty.csv, cty.dat)|*.csv;*.dat|Alle Dateien (*.*)|*.*");
  EXPECT_EQ(ev[2].text, "Die Präfixdateien wurden aus \"" + kFixtures +
                            "cty.dat\" neu gefüllt: 20 Länder, 63 Präfixe, 9 einzelne Rufzeichen.");
  EXPECT_EQ(CountryOf("3D2AB/C"), "Conway Reef");

  dialogs_.Clear();
  dialogs_.openAnswers = {kFixtures + "dok_history.txt", kFixtures + "dok_history.txt"};
  EXPECT_TRUE(RefreshDokHistory(dialogs_));
  EXPECT_TRUE(RefreshDokHistory(dialogs_));
  ASSERT_EQ(dialogs_.Informs().size(), 2u);
  EXPECT_EQ(dialogs_.Informs()[1],
            "Aus der DOK-Liste \"" + kFixtures +
                "dok_history.txt\" wurden 0 DOKs in das Call-Buch übernommen.");

  dialogs_.Clear();
  dialogs_.openAnswers = {dir_.file("missing.csv")};
  EXPECT_FALSE(RefreshCountryData(dialogs_));
  EXPECT_EQ(dialogs_.LastMessage(), "Die Länderdatei \"" + dir_.file("missing.csv") +
                                        "\" konnte nicht übernommen werden (die Datei ist nicht "
                                        "lesbar).");
  EXPECT_EQ(CountryOf("3D2AB/C"), "Conway Reef");
}

} // namespace
} // namespace tarvik::test
