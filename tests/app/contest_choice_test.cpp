// The program's contest as a run-time choice: the list "Contest wählen" shows (rows, next
// periods, rules at hand, quick search), the switch of the session (definition, language,
// the choice kept in TARVIK.INI for the next start, refused codes), and --contest.

#include <gtest/gtest.h>

#include <filesystem>

#include "app/contest_choice.h"
#include "app/data_directory_choice.h"
#include "base/process_settings.h"
#include "datafiles/program_settings_file.h"
#include "support/session_test_support.h"

namespace tarvik::test {
namespace {

class ContestChoiceTest : public SessionFixture {
protected:
  std::string KeptFile() { return ReadFileBytes(dir.file("TARVIK.INI")); }
};

TEST_F(ContestChoiceTest, TheListHoldsTheFortyFourContestsWithPeriodAndRules) {
  WriteFileBytes(dir.file("HessenR.RTF"), "{\\rtf1 x}");
  const std::vector<ContestChoiceRow> rows = ContestChoiceRows(DmyToDay(14, 3, 2026));
  ASSERT_EQ(rows.size(), 44u);
  std::string codes;
  for (const ContestChoiceRow& r : rows) {
    codes += r.code;
    EXPECT_FALSE(r.name.empty()) << r.code;
  }
  EXPECT_EQ(codes.find_first_of("WMX"), std::string::npos);
  auto row = [&](char code) {
    for (const ContestChoiceRow& r : rows)
      if (r.code == code)
        return r;
    ADD_FAILURE() << code;
    return ContestChoiceRow{};
  };
  EXPECT_EQ(row('G').name, "Hessencontest");
  EXPECT_EQ(row('G').nextPeriod, "13.06.2026 - 14.06.2026 (2. Samstag im Juni)");
  EXPECT_EQ(row('G').rules, "Ausschreibung (RTF)");
  // Passed this year: next year's (the 1st Saturday of January 2027).
  EXPECT_EQ(row('Q').nextPeriod, "02.01.2027 (1. Samstag im Januar)");
  EXPECT_EQ(row('N').nextPeriod, "heute");
  EXPECT_EQ(row('N').rules, "keine"); // nacr.RTF is not in the data directory
  EXPECT_EQ(row('V').rules, "Internet");
  EXPECT_EQ(row('2').nextPeriod, "");
}

TEST_F(ContestChoiceTest, QuickSearchFiltersByNameAndStandsOnTheCodeOrTheNameThatBeginsSo) {
  const std::vector<ContestChoiceRow> rows = ContestChoiceRows(DmyToDay(14, 3, 2026));
  auto best = [&](std::string_view typed) {
    const int i = ContestChoiceBestRow(rows, typed);
    return i < 0 ? '-' : rows[static_cast<std::size_t>(i)].code;
  };
  EXPECT_EQ(best("N"), 'N');         // the code
  EXPECT_EQ(best("nordic"), 'N');    // a name that begins so, in any letter case
  EXPECT_EQ(best("  hessen "), 'G'); // blanks around the text
  EXPECT_EQ(best("QRP"), '2');       // found inside a name: the first in the list's order
  EXPECT_EQ(best("gibt es nicht"), '-');
  int found = 0;
  for (const ContestChoiceRow& r : rows)
    found += ContestChoiceMatches(r, "nordsee") ? 1 : 0;
  EXPECT_EQ(found, 3); // I, l, g
  EXPECT_TRUE(ContestChoiceMatches(rows[0], ""));
  EXPECT_EQ(MainWindowCaption('2'), "Bridlow Tarvik Version 2006-1.0");
  EXPECT_EQ(MainWindowCaption('N'), "Bridlow Tarvik NAC Version 2006-1.0");
}

TEST_F(ContestChoiceTest, TheSwitchIsKeptForTheNextStartAndRefusesOtherToolsCodes) {
  // A fresh data directory starts with code 2.
  ProgramSession& s = Start(kRememberedContest);
  EXPECT_EQ(s.ContestCode(), '2');
  EXPECT_FALSE(std::filesystem::exists(dir.file("TARVIK.INI")));

  ASSERT_TRUE(s.SwitchContest('N'));
  EXPECT_EQ(s.ContestCode(), 'N');
  EXPECT_EQ(s.Definition().ProgramTitle, "Tarvik NAC Version 2006-1.0");
  EXPECT_EQ(s.Definition().ContestName, "Nordic Activity Contest");
  EXPECT_EQ(KeptFile(), "[Tarvik]\r\nContest=N\r\n");
  for (char refused : {'W', 'M', 'X', 'm', '\0'}) {
    EXPECT_FALSE(s.SwitchContest(refused)) << refused;
    EXPECT_EQ(s.ContestCode(), 'N');
  }
  EXPECT_EQ(KeptFile(), "[Tarvik]\r\nContest=N\r\n");

  // Code H speaks English while it is chosen; another code brings the person's German back.
  ASSERT_TRUE(s.SwitchContest('H'));
  EXPECT_EQ(LanguageFlag(), 0);
  ASSERT_TRUE(s.SwitchContest('G'));
  EXPECT_EQ(LanguageFlag(), 1);
  EXPECT_TRUE(dialogs.Informs().size() == 1u); // only the prefix table's message
  session.reset();

  // The next start takes the choice; a code given at start wins over it, without keeping it.
  EXPECT_EQ(Start(kRememberedContest).ContestCode(), 'G');
  session.reset();
  EXPECT_EQ(Start('j').ContestCode(), 'j');
  session.reset();
  EXPECT_EQ(RememberedContestCode(), 'G');

  // A file that names no contest of the program, or is damaged, starts with code 2.
  for (const char* text : {"[Tarvik]\r\nContest=W\r\n", "Contest=NN\r\n", "", "\x01\x02",
                           "[Tarvik]\r\nContest=\r\n"}) {
    WriteFileBytes(dir.file("TARVIK.INI"), text);
    EXPECT_EQ(RememberedContestCode(), '2') << text;
  }
  WriteFileBytes(dir.file("TARVIK.INI"),
                 "; kept by hand\r\n[Tarvik]\r\nUnknown=1\r\n Contest = k \r\n");
  EXPECT_EQ(RememberedContestCode(), 'k');
}

TEST_F(ContestChoiceTest, AChoiceThatCannotBeKeptIsReportedAndStandsForThisRun) {
  ProgramSession& s = Start('2');
  dialogs.Clear();
  // A folder in the place of the file: writing it cannot succeed.
  std::filesystem::create_directory(dir.file("TARVIK.INI"));
  ASSERT_TRUE(s.SwitchContest('N'));
  EXPECT_EQ(s.ContestCode(), 'N');
  ASSERT_EQ(dialogs.Informs().size(), 1u);
  EXPECT_NE(dialogs.Informs()[0].find("TARVIK.INI"), std::string::npos) << dialogs.Informs()[0];
  EXPECT_NE(dialogs.Informs()[0].find("bisherigen Contest"), std::string::npos);
}

TEST(StartOptionsContest, ContestCodeOnTheCommandLine) {
  EXPECT_EQ(ReadStartOptions({"--contest", "N"}).contestCode, 'N');
  EXPECT_EQ(ReadStartOptions({"--contest=k", "--data", "/tmp"}).contestCode, 'k');
  EXPECT_FALSE(ReadStartOptions({"--data", "/tmp"}).contestCode.has_value());
  for (const std::vector<std::string>& wrong : {std::vector<std::string>{"--contest", "W"},
                                                {"--contest", "NN"},
                                                {"--contest=m"},
                                                {"--contest"},
                                                {"--contest", ""}}) {
    const StartOptions o = ReadStartOptions(wrong);
    EXPECT_FALSE(o.error.empty()) << wrong.back();
    EXPECT_FALSE(o.contestCode.has_value());
  }
  EXPECT_NE(ReadStartOptions({"--contest", "W"}).error.find("'W'"), std::string::npos);
  EXPECT_NE(StartUsage().find("--contest CODE"), std::string::npos);
}

TEST(ProgramSettingsFile, FormatAndParse) {
  ProgramSettings s;
  EXPECT_EQ(FormatProgramSettings(s), "[Tarvik]\r\n");
  s.contestCode = 'c';
  EXPECT_EQ(FormatProgramSettings(s), "[Tarvik]\r\nContest=c\r\n");
  EXPECT_EQ(ParseProgramSettings(FormatProgramSettings(s)), s);
  EXPECT_FALSE(ParseProgramSettings("Contest= \r\n").contestCode.has_value());
  EXPECT_FALSE(ParseProgramSettings("Contest=\x81\r\n").contestCode.has_value());
}

} // namespace
} // namespace tarvik::test
