// tarvik-tool import-adif: run as a program on a data directory, it imports an ADIF file
// into a contest with the import's rules, prints the summary, brings the header statistics
// up to date, and reports wrong arguments, unknown log fields and missing files.

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "datafiles/contest_records.h"
#include "datafiles/program_files.h"
#include "datafiles/qso_record.h"
#include "recordfile/engine.h"
#include "recordfile/error_channel.h"
#include "recordfile/fileblock.h"
#include "support/temp_dir.h"
#include "support/run_command.h"

namespace tarvik::test {
namespace {

/// Contest 1 of code 2 (2 m, DOK and locator, duplicates per band) with an empty log.
void FillDataDirectory() {
  ASSERT_EQ(InitEngine(), 0);
  Fileblock* headers = OpenProgramFile(ProgramFile::kContestHeaders);
  ASSERT_EQ(headers->ClearBuffer(), 0);
  ContestHeaderRecord h(headers->RecordBuffer());
  h.SetContestCode('2');
  h.SetContestName("ZELKA Mai");
  h.SetOwnCall("DL1XYZ");
  h.SetDok("N01");
  h.SetLocator("JO31MX");
  h.MarkCreated();
  ASSERT_TRUE(AddRecord(*headers));
  ASSERT_EQ(h.contestNumber(), 1);
  CloseProgramFile(headers);
  ASSERT_EQ(ExitEngine(), 0);
}

struct Stored {
  std::vector<std::string> calls;
  std::vector<std::string> locators;
  int headerQsos = -1;
  int headerMultis = -1;
  int headerPoints = -1;
};

Stored ReadBack() {
  Stored stored;
  EXPECT_EQ(InitEngine(), 0);
  Fileblock* log = OpenProgramFile(ProgramFile::kQsoLog, 1);
  for (int s = log->FirstKey(4); s == 0; s = log->NextKey(4)) {
    const QsoRecord q(static_cast<const char*>(log->RecordBuffer()));
    stored.calls.push_back(q.Call());
    stored.locators.push_back(q.Locator());
  }
  CloseProgramFile(log);
  // Code 2 keeps its per-band statistics in the extension record.
  Fileblock* extensions = OpenProgramFile(ProgramFile::kContestExtensions);
  if (extensions->FirstKey(1) == 0) {
    const ContestExtensionRecord ext(extensions->RecordBuffer());
    stored.headerQsos = ext.bandQsos(1);
    stored.headerMultis = ext.bandMultis(1);
    stored.headerPoints = ext.bandPoints(1);
  }
  CloseProgramFile(extensions);
  EXPECT_EQ(ExitEngine(), 0);
  return stored;
}

TEST(AdifImportTool, ImportsWithAssignmentsAndPrintsTheSummary) {
  TempDataDir dir;
  RecordFileErrors().SetWaitFunction([](int) {});
  FillDataDirectory();
  const std::string file = dir.file("other log.adi");
  WriteFileBytes(file,
                 "<EOH>\n"
                 "<CALL:6>DL1ABC <QSO_DATE:8>20260505 <TIME_ON:4>1903 <BAND:2>2m <MODE:3>SSB "
                 "<DOK:3>N01 <GRIDSQUARE:6>JO31MX <EOR>\n"
                 "<CALL:6>DL1ABC <QSO_DATE:8>20260505 <TIME_ON:4>1910 <BAND:2>2m <MODE:3>SSB "
                 "<EOR>\n"
                 "<CALL:5>DF0WN <QSO_DATE:8>20260505 <TIME_ON:4>1915 <FREQ:7>144.300 <MODE:4>RTTY "
                 "<DOK:2>WN <GRIDSQUARE:4>JO41 <EOR>\n");
  const std::string data = " --data " + dir.path();

  RunResult run = RunTool("import-adif 1 '" + file + "' --map gridsquare=loc" + data);
  // A record refused for its mode: exit status 1. Each refusal names record and call, in
  // English, then the summary.
  EXPECT_EQ(run.exitCode, 1) << run.output;
  EXPECT_EQ(run.output, "record 2, DL1ABC: Call already exists on band\n"
                        "record 3, DF0WN: missing or wrong mode (RTTY)\n"
                        "1 QSO imported\n1 duplicate\n1 missing or wrong mode\n");
  Stored stored = ReadBack();
  EXPECT_EQ(stored.calls, std::vector<std::string>{"DL1ABC"});
  EXPECT_EQ(stored.locators, std::vector<std::string>{"JO31MX"});
  EXPECT_EQ(stored.headerQsos, 1);
  // DOK N01 is not one of the contest's DOKs: only the square counts, with weight 3.
  EXPECT_EQ(stored.headerMultis, 3);
  EXPECT_EQ(stored.headerPoints, 1);

  // Without the checks the RTTY QSO comes in too; the duplicate stays out.
  // Only duplicates refused: exit status 0; --quiet prints the summary alone.
  run = RunTool("import-adif 1 '" + file + "' --no-check --quiet --map GRIDSQUARE=Loc" + data);
  EXPECT_EQ(run.exitCode, 0) << run.output;
  EXPECT_EQ(run.output, "1 QSO imported\n2 duplicates\n");
  stored = ReadBack();
  EXPECT_EQ(stored.calls, (std::vector<std::string>{"DL1ABC", "DF0WN"}));
  EXPECT_EQ(stored.locators, (std::vector<std::string>{"JO31MX", "JO41"}));
  EXPECT_EQ(stored.headerQsos, 2);
  // The header holds what the log window shows: DF0WN scores 6 points, its DOK "WN" weighs
  // 6 and its square JO41 3 more, so 1 + 6 points and 3 + 6 + 3 multipliers.
  EXPECT_EQ(stored.headerMultis, 12);
  EXPECT_EQ(stored.headerPoints, 7);
}

TEST(AdifImportTool, ReportsWrongArgumentsAndMissingThings) {
  TempDataDir dir;
  RecordFileErrors().SetWaitFunction([](int) {});
  FillDataDirectory();
  const std::string file = dir.file("log.adi");
  WriteFileBytes(file, "<CALL:6>DL1ABC <EOR>\n");
  WriteFileBytes(dir.file("header.adi"), "<ADIF_VER:5>3.1.0 <EOH>\n");
  const std::string data = " --data " + dir.path();
  struct Case {
    std::string args;
    int exitCode;
    std::string says;
  };
  const Case cases[] = {
      {"import-adif 1" + data, 2, "usage:\n  import-adif CONTEST_NUMBER FILE"},
      {"import-adif x " + file + data, 2, "'x' is no contest number"},
      {"import-adif 1 " + file + " --map GRIDSQUARE" + data, 2, "--map takes ADIF=LOGFIELD"},
      // A mapping that cannot take effect names the fields that can.
      {"import-adif 1 " + file + " --map CALL=PLZ" + data, 2,
       "has no log field 'PLZ'; the fields are: CALL, QSO_DATE, TIME_ON, RST_SENT, RST_RCVD, "
       "BAND, FREQ, MODE, NAME, QTH, DOK, Loc\n"},
      {"import-adif 1 " + file + " --map CALL=Prefix" + data, 2, "has no log field 'Prefix'"},
      {"import-adif 1 " + file + " --map AGE=DOK" + data, 2,
       "no record of " + file + " has the field 'AGE'; its fields are: CALL\n"},
      {"import-adif 1 " + file + " --map CALL=CALL --map CALL=call" + data, 2, "assigned twice"},
      {"import-adif 1 " + dir.file("none.adi") + data, 2, "none.adi does not exist"},
      {"import-adif 1 " + dir.path() + data, 2, "is no file"},
      {"import-adif 1 " + dir.file("header.adi") + data, 2, "holds no ADIF record"},
      {"import-adif 7 " + file + data, 2, "there is no contest 7 in"},
      {"import-adif 1 " + file + " --data " + dir.file("nowhere"), 2, "nowhere/ does not exist"},
      {"import-adif 1 " + file + " --fast" + data, 2, "unexpected argument '--fast'"},
  };
  for (const Case& c : cases) {
    const RunResult run = RunTool(c.args);
    EXPECT_EQ(run.exitCode, c.exitCode) << c.args << "\n" << run.output;
    EXPECT_NE(run.output.find(c.says), std::string::npos) << c.args << "\n" << run.output;
  }
  EXPECT_TRUE(ReadBack().calls.empty());
  EXPECT_NE(RunTool("--help").output.find("import-adif CONTEST_NUMBER FILE"), std::string::npos);

  // A directory without the program's data is left as it is.
  TempDataDir empty;
  const RunResult run = RunTool("import-adif 1 " + file + " --data " + empty.path());
  EXPECT_EQ(run.exitCode, 2) << run.output;
  EXPECT_NE(run.output.find("holds no contest file (KXKK)"), std::string::npos) << run.output;
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(empty.path()))
    if (entry.path().filename() != "TARVIK.LCK")
      names.push_back(entry.path().filename().string());
  EXPECT_TRUE(names.empty()) << names.front();
}

} // namespace
} // namespace tarvik::test
