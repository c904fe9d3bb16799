#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "base/data_directory.h"
#include "contest/contest_catalog.h"
#include "contest/rules.h"
#include "support/fake_dialogs.h"
#include "support/temp_dir.h"

namespace tarvik {
namespace {

using test::FakeDialogs;

TEST(OpenAddress, PreparesMailAddressesAndCallSigns) {
  struct Case {
    std::string in, out;
  } cases[] = {
      {"dl1abc@darc.de", "mailto:dl1abc@darc.de"},
      {"mailto:dl1abc@darc.de", "mailto:dl1abc@darc.de"},
      {"MailTo:dl1abc@darc.de", "MailTo:dl1abc@darc.de"},
      {"https://www.darc.de/", "https://www.darc.de/"},
      {"DL\xD8"
       "ABC@example.org",
       "mailto:DL0ABC@example.org"},
      {"https://example.org/DF\xD8WN", "https://example.org/DF0WN"},
      {"", ""},
  };
  for (const auto& c : cases)
    EXPECT_EQ(AddressForOpening(c.in), c.out) << c.in;

  FakeDialogs dialogs;
  OpenAddress("df\xD8wn@example.org", dialogs);
  ASSERT_EQ(dialogs.events.size(), 1u);
  EXPECT_EQ(dialogs.events[0].kind, FakeDialogs::Kind::OpenDocument);
  EXPECT_EQ(dialogs.events[0].text, "mailto:df0wn@example.org");
  dialogs.openDocumentResult = false; // a failing browser is not reported
  OpenAddress("https://example.org", dialogs);
  EXPECT_TRUE(dialogs.Informs().empty());
}

struct Shown {
  std::vector<std::string> documents;
  std::function<void(const std::string&)> Callback() {
    return [this](const std::string& f) { documents.push_back(f); };
  }
};

TEST(ShowRules, ADocumentOfTheDataDirectoryIsShownElseThePageElseWhyNot) {
  test::TempDataDir dir;
  test::WriteFileBytes(dir.file("zelkar.rtf"), "{\\rtf1 x}");
  FakeDialogs dialogs;
  Shown shown;
  ShowRules('2', dialogs, shown.Callback());
  EXPECT_EQ(shown.documents, std::vector<std::string>{"ZELKAr.RTF"});
  EXPECT_TRUE(dialogs.events.empty());
  EXPECT_EQ(RulesAvailability('2'), RulesAtHand::kDocument);

  // Code N names "nacr.RTF", which the data directory lacks, and no page: the person is told.
  EXPECT_EQ(RulesAvailability('N'), RulesAtHand::kNone);
  ShowRules('N', dialogs, shown.Callback());
  EXPECT_EQ(shown.documents.size(), 1u);
  EXPECT_EQ(dialogs.Informs(), std::vector<std::string>{NoRulesKnownMessage('N')});
  EXPECT_NE(NoRulesKnownMessage('N').find("\"Nordic Activity Contest\""), std::string::npos);
  EXPECT_NE(NoRulesKnownMessage('N').find("nacr.RTF"), std::string::npos);
  // A directory of that name is no document.
  std::filesystem::create_directory(dir.file("nacr.RTF"));
  EXPECT_EQ(RulesAvailability('N'), RulesAtHand::kNone);
  // Once the document is there, it is shown.
  std::filesystem::remove(dir.file("nacr.RTF"));
  test::WriteFileBytes(dir.file("NACR.rtf"), "{\\rtf1 x}");
  EXPECT_EQ(RulesAvailability('N'), RulesAtHand::kDocument);
  EXPECT_EQ(RulesAvailability('V'), RulesAtHand::kWebPage);
  EXPECT_EQ(RulesAvailability('#'), RulesAtHand::kNone);
}

TEST(ShowRules, WebCodesOpenTheBrowserAndNoDocument) {
  for (char code : std::string("67BDFHJVde")) {
    FakeDialogs dialogs;
    Shown shown;
    ShowRules(code, dialogs, shown.Callback());
    EXPECT_TRUE(shown.documents.empty()) << code;
    ASSERT_EQ(dialogs.events.size(), 1u) << code;
    EXPECT_EQ(dialogs.events[0].kind, FakeDialogs::Kind::OpenDocument);
    EXPECT_NE(dialogs.events[0].text.find("://"), std::string::npos) << dialogs.events[0].text;
  }
}

TEST(ShowRules, CodeJAsksForTheLanguage) {
  const ContestIdentity* j = FindContestIdentity('j');
  ASSERT_NE(j, nullptr);
  ASSERT_NE(j->rulesWebEnglish, nullptr);
  for (bool english : {true, false}) {
    FakeDialogs dialogs;
    dialogs.confirmAnswers = {english};
    Shown shown;
    ShowRules('j', dialogs, shown.Callback());
    EXPECT_EQ(dialogs.Questions(), std::vector<std::string>{"English?"});
    const auto opened = dialogs.Texts(FakeDialogs::Kind::OpenDocument);
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0], english ? j->rulesWebEnglish : j->rulesWeb);
    EXPECT_TRUE(shown.documents.empty());
  }
}

TEST(ShowRules, EveryCodeShowsADocumentOpensAPageOrSaysWhyNot) {
  test::TempDataDir dir;
  test::WriteFileBytes(dir.file("MVPR.RTF"), "{\\rtf1 x}");
  for (char code : std::string(kCatalogCodes) + "#") {
    FakeDialogs dialogs;
    dialogs.defaultAnswer = false;
    Shown shown;
    ShowRules(code, dialogs, shown.Callback());
    const size_t pages = dialogs.Texts(FakeDialogs::Kind::OpenDocument).size();
    EXPECT_EQ(shown.documents.size() + pages + dialogs.Informs().size(), 1u) << code;
  }
  FakeDialogs dialogs;
  Shown shown;
  ShowRules('g', dialogs, shown.Callback());
  EXPECT_EQ(shown.documents, std::vector<std::string>{"MVPR.RTF"});
  ShowRules('#', dialogs, shown.Callback()); // not a catalog code
  EXPECT_EQ(shown.documents.back(), "MVPR.RTF");
}

TEST(LoadRulesDocument, ReadsFromTheDataDirectoryIgnoringLetterCase) {
  test::TempDataDir dir;
  test::WriteFileBytes(dir.file("zelkar.rtf"), "{\\rtf1 Regeln\\par}");
  FakeDialogs dialogs;
  const RtfDocument doc = LoadRulesDocument("ZELKAr.RTF", dialogs);
  EXPECT_EQ(doc.PlainText(), "Regeln\n");
  EXPECT_TRUE(dialogs.events.empty());
  EXPECT_EQ(FindDataFile("ZELKAr.RTF"), dir.file("zelkar.rtf"));
  EXPECT_EQ(FindDataFile("fehlt.bmp"), dir.file("fehlt.bmp"));
}

TEST(LoadRulesDocument, MissingFileIsReportedAndGivesAnEmptyDocument) {
  test::TempDataDir dir;
  FakeDialogs dialogs;
  EXPECT_TRUE(LoadRulesDocument("ZELKAr.RTF", dialogs).paragraphs.empty());
  ASSERT_EQ(dialogs.Informs().size(), 1u);
  EXPECT_EQ(dialogs.Informs()[0],
            "Die Datei \"ZELKAr.RTF\" kann nicht geöffnet werden. Die Datei wurde nicht gefunden.");

  std::filesystem::create_directory(dir.file("MVPR.RTF"));
  dialogs.Clear();
  EXPECT_TRUE(LoadRulesDocument("MVPR.RTF", dialogs).paragraphs.empty());
  ASSERT_EQ(dialogs.Informs().size(), 1u);
  EXPECT_NE(dialogs.Informs()[0].find("Verzeichnis"), std::string::npos);
}

TEST(ShippedRules, BuildCodeDocumentNamesTheContestAndItsScoring) {
  const std::string data =
      test::ReadFileBytes(std::string(TARVIK_SOURCE_DIR) + "/resources/data/ZELKAr.RTF");
  ASSERT_FALSE(data.empty());
  const RtfDocument doc = ReadRtf(data);
  const std::string text = doc.PlainText();
  // Well-formed: nothing of the markup leaks into the text.
  EXPECT_EQ(text.find_first_of("{}\\"), std::string::npos);
  const std::string title = FindContestIdentity('2')->title;
  for (const std::string& expected :
       {title, std::string("ZELKA"), std::string("aktuellen Regeln des Veranstalters"),
        std::string("DF0WN\t6"), std::string("2 m"), std::string("SSB, CW und FM"),
        std::string("WN z\xe4hlt 6"),
        std::string("Summe der QSO-Punkte \xd7 Summe der Multiplikatoren")})
    EXPECT_NE(text.find(expected), std::string::npos) << expected;
  ASSERT_FALSE(doc.paragraphs.empty());
  EXPECT_TRUE(doc.paragraphs[0].runs.at(0).bold);
  EXPECT_EQ(doc.paragraphs[0].alignment, RtfAlignment::Center);
}

} // namespace
} // namespace tarvik
