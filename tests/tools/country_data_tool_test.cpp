// tarvik-tool import-cty and import-dok-history: run as a program on a data directory,
// again and again, with --if-empty, and with wrong arguments.

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "support/temp_dir.h"
#include "support/run_command.h"

namespace tarvik::test {
namespace {

const std::string kFixtures = std::string(TARVIK_FIXTURES_DIR) + "/cty/";

TEST(CountryDataTool, ImportsIntoTheDataDirectoryAgainAndAgain) {
  TempDataDir dir;
  const std::string data = " --data " + dir.path();
  const RunResult first = RunTool("import-cty " + kFixtures + "cty.csv" + data);
  EXPECT_EQ(first.exitCode, 0) << first.output;
  EXPECT_EQ(first.output, "imported " + kFixtures +
                              "cty.csv: 20 countries, 63 prefixes into KXPREFIX, 9 whole calls "
                              "into KXPREFEE\n"
                              "4 whole calls left out (longer than 6 characters or with a portable "
                              "addition)\n"
                              "1 unreadable lines or records skipped\n");
  const RunResult second = RunTool("import-cty " + kFixtures + "cty.csv" + data);
  EXPECT_EQ(second.output, first.output);
  const RunResult ifEmpty = RunTool("import-cty --if-empty " + kFixtures + "cty.csv" + data);
  EXPECT_EQ(ifEmpty.exitCode, 0);
  EXPECT_EQ(ifEmpty.output, "KXPREFIX holds data already: nothing imported\n");
  const RunResult check = RunTool("check " + dir.file("KXPREFIX"));
  EXPECT_EQ(check.exitCode, 0) << check.output;
  EXPECT_NE(check.output.find("63 records"), std::string::npos) << check.output;

  const RunResult dok =
      RunTool("import-dok-history --if-empty " + kFixtures + "dok_history.txt" + data);
  EXPECT_EQ(dok.exitCode, 0) << dok.output;
  EXPECT_EQ(dok.output, "imported " + kFixtures +
                            "dok_history.txt: 8 calls with DOK, 7 added to KXCBUCH, 0 DOKs filled "
                            "in, 1 DOKs kept as they were, 4 lines skipped\n");
  EXPECT_EQ(RunTool("import-dok-history --if-empty " + kFixtures + "dok_history.txt" + data).output,
            "KXCBUCH holds data already: nothing imported\n");
}

TEST(CountryDataTool, FailuresAndWrongArguments) {
  TempDataDir dir;
  const RunResult missing = RunTool("import-cty " + dir.file("none.csv") + " --data " + dir.path());
  EXPECT_EQ(missing.exitCode, 1);
  EXPECT_EQ(missing.output, "tarvik-tool import-cty: cannot read " + dir.file("none.csv") + "\n");
  EXPECT_EQ(RunTool("import-cty a.csv b.csv").exitCode, 2);
  EXPECT_EQ(RunTool("import-dok-history --bogus").exitCode, 2);
  EXPECT_NE(RunTool("help").output.find("import-dok-history [FILE]"), std::string::npos);
}

} // namespace
} // namespace tarvik::test
