// The manual as shipped: every help topic a window sends lands on a page and section that
// exist in both languages, the two languages have the same pages and sections, and every
// link inside the manual leads somewhere. Then how the program finds the manual and what it
// says when there is none.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>

#include "base/help_topics.h"
#include "base/process_settings.h"
#include "base/shared_files.h"
#include "support/temp_dir.h"

namespace tarvik {
namespace {

namespace fs = std::filesystem;

const fs::path kManual = fs::path(TARVIK_SOURCE_DIR) / "docs" / "manual";

std::string Read(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

/// The ids of a page's sections.
std::set<std::string> Ids(const std::string& html) {
  std::set<std::string> ids;
  static const std::regex id(R"re(\bid="([^"]+)")re");
  for (auto it = std::sregex_iterator(html.begin(), html.end(), id); it != std::sregex_iterator();
       ++it)
    ids.insert((*it)[1]);
  return ids;
}

/// Page name -> its section ids, for one language.
std::map<std::string, std::set<std::string>> Pages(const std::string& language) {
  std::map<std::string, std::set<std::string>> pages;
  for (const fs::directory_entry& entry : fs::directory_iterator(kManual / language))
    if (entry.path().extension() == ".html")
      pages[entry.path().filename().string()] = Ids(Read(entry.path()));
  return pages;
}

TEST(Manual, EveryTopicOpensASectionThatExistsInBothLanguages) {
  for (const char* language : {"de", "en"}) {
    const auto pages = Pages(language);
    for (int topic : KnownHelpTopics()) {
      const ManualLocation at = ManualLocationOfTopic(topic);
      SCOPED_TRACE(std::string(language) + " topic " + std::to_string(topic));
      ASSERT_TRUE(pages.count(at.page)) << at.page;
      if (!at.anchor.empty())
        EXPECT_TRUE(pages.at(at.page).count(at.anchor)) << at.page << "#" << at.anchor;
    }
  }
  // The windows' own topics.
  EXPECT_EQ(ManualLocationOfTopic(kMainWindowHelpTopic).page, "contest-list.html");
  EXPECT_EQ(ManualLocationOfTopic(kHeaderWindowHelpTopic).page, "header.html");
  EXPECT_EQ(ManualLocationOfTopic(kLogWindowHelpTopic).page, "logging.html");
  // The contents, and what no window sends.
  EXPECT_EQ(ManualLocationOfTopic(kHelpContentsTopic).page, kManualContentsPage);
  EXPECT_EQ(ManualLocationOfTopic(4711).page, kManualContentsPage);
  EXPECT_EQ(ManualLocationOfTopic(4711).anchor, "");
}

TEST(Manual, BothLanguagesHaveTheSamePagesAndSectionsAndEveryLinkLeadsSomewhere) {
  const auto german = Pages("de");
  const auto english = Pages("en");
  EXPECT_EQ(german, english);
  EXPECT_GE(german.size(), 11u);
  // Every page is in the contents, and every link inside the manual names a page and a
  // section that exist.
  static const std::regex link(R"re(href="([^":#]*)(#([^"]*))?")re");
  for (const char* language : {"de", "en"}) {
    const auto pages = Pages(language);
    const std::string index = Read(kManual / language / kManualContentsPage);
    for (const auto& [page, ids] : pages) {
      SCOPED_TRACE(std::string(language) + "/" + page);
      if (page != kManualContentsPage)
        EXPECT_NE(index.find("href=\"" + page + "\""), std::string::npos) << "not in the contents";
      const std::string html = Read(kManual / language / page);
      EXPECT_NE(html.find("<meta charset=\"utf-8\">"), std::string::npos);
      EXPECT_EQ(std::count(html.begin(), html.end(), '\0'), 0);
      for (auto it = std::sregex_iterator(html.begin(), html.end(), link);
           it != std::sregex_iterator(); ++it) {
        const std::string target = (*it)[1].str().empty() ? page : (*it)[1].str();
        ASSERT_TRUE(pages.count(target)) << "link to " << target;
        if ((*it)[3].matched)
          EXPECT_TRUE(pages.at(target).count((*it)[3])) << "link to " << target << "#" << (*it)[3];
      }
    }
  }
}

class ManualLookup : public ::testing::Test {
protected:
  void SetUp() override { SetSharedFilesDirectory(dir_.path()); }
  void TearDown() override {
    SetSharedFilesDirectory("");
    SetLanguageFlag(1);
  }
  void Provide(const char* language) {
    fs::create_directories(dir_.file("manual/") + language);
    test::WriteFileBytes(dir_.file("manual/") + language + "/index.html", "<h1>x</h1>");
  }
  test::TempDataDir dir_;
};

TEST_F(ManualLookup, TheLanguageOfTheProgramThenTheOtherOneThenNone) {
  SetLanguageFlag(1);
  EXPECT_EQ(FindManualDirectory(), "");
  const std::string message = ManualMissingMessage();
  EXPECT_NE(message.find("Das Handbuch wurde nicht gefunden"), std::string::npos);
  EXPECT_NE(message.find(dir_.file("manual/de")), std::string::npos) << message;

  Provide("en");
  EXPECT_EQ(fs::path(FindManualDirectory()), fs::path(dir_.file("manual/en")));
  Provide("de");
  EXPECT_EQ(fs::path(FindManualDirectory()), fs::path(dir_.file("manual/de")));
  SetLanguageFlag(0);
  EXPECT_EQ(fs::path(FindManualDirectory()), fs::path(dir_.file("manual/en")));
  EXPECT_NE(ManualMissingMessage().find("The manual was not found"), std::string::npos);
}

TEST(SharedFiles, BesideTheProgramAndInTheBuildsCopy) {
  SetSharedFilesDirectory("");
  const std::vector<std::string> dirs = SharedFilesDirectories();
  ASSERT_GE(dirs.size(), 2u);
  const fs::path program = ProgramDirectory();
  EXPECT_EQ(fs::path(dirs[0]), (program / ".." / "share" / "tarvik").lexically_normal());
  EXPECT_EQ(fs::path(dirs[1]), (program / "share" / "tarvik").lexically_normal());
  // The build puts the manual into <build>/share/tarvik, one level above the tests.
  EXPECT_NE(FindSharedFile("manual/de/index.html"), "");
  EXPECT_EQ(FindSharedFile("no/such/file"), "");

  test::TempDataDir dir;
  SetSharedFilesDirectory(dir.path());
  EXPECT_EQ(SharedFilesDirectories(), std::vector<std::string>{dir.path()});
  EXPECT_EQ(FindSharedFile("manual"), "");
  fs::create_directories(dir.file("manual"));
  EXPECT_EQ(fs::path(FindSharedFile("manual")), fs::path(dir.file("manual")));
  SetSharedFilesDirectory("");
}

TEST(LanguageListener, HearsEveryChangeOfTheLanguageAndNothingElse) {
  SetLanguageFlag(1);
  std::vector<int> heard;
  SetLanguageListener([&heard](int flag) { heard.push_back(flag); });
  SetLanguageFlag(1); // no change
  SetLanguageFlag(0);
  SetLanguageFlag(2); // English still
  SetLanguageFlag(1);
  EXPECT_EQ(heard, (std::vector<int>{0, 1}));
  SetLanguageListener({});
  SetLanguageFlag(0);
  SetLanguageFlag(1);
  EXPECT_EQ(heard.size(), 2u);
}

} // namespace
} // namespace tarvik
