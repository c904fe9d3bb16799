// tarvik-tool import-adif: run as a program on a data directory, it imports an ADIF file
// into a contest with the import's rules, prints the summary, brings the header statistics
// up to date, and reports wrong arguments, unknown log fields and missing files.

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "datafiles/contest_records.h"
#include "datafiles/program_files.h"
#include "datafiles/qso_record.h"
#include "recordfile/engine.h"
#include "recordfile/error_channel.h"
#include "recordfile/fileblock.h"
#include "support/temp_dir.h"

namespace tarvik::test {
namespace {

struct RunResult {
  int exitCode;
  std::string output;
};

RunResult RunTool(const std::string& args) {
  const std::string command = std::string(TARVIK_TOOL_PATH) + " " + args + " 2>&1";
  FILE* pipe = popen(command.c_str(), "r");
  std::string output;
  char buffer[512];
  while (pipe != nullptr && std::fgets(buffer, sizeof buffer, pipe) != nullptr)
    output += buffer;
  const int status = pipe != nullptr ? pclose(pipe) : -1;
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, output};
}

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
  if (extensions->FirstKey(1) == 0)
    stored.headerQsos = ContestExtensionRecord(extensions->RecordBuffer()).bandQsos(1);
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
                 "<DOK:3>N14 <GRIDSQUARE:4>JO41 <EOR>\n");
  const std::string data = " --data " + dir.path();

  RunResult run = RunTool("import-adif 1 '" + file + "' --map gridsquare=loc" + data);
  EXPECT_EQ(run.exitCode, 0) << run.output;
  // The duplicate's message, then the summary (as UTF-8 for the terminal).
  EXPECT_NE(run.output.find("Call bereits auf Band vorhanden\n1 Datens"), std::string::npos)
      << run.output;
  EXPECT_NE(run.output.find("1 Datens\xc3\xa4tze importiert\n1 Calls doppelt\n"
                            "1 fehlende oder falsche Modeangaben\n"),
            std::string::npos)
      << run.output;
  Stored stored = ReadBack();
  EXPECT_EQ(stored.calls, std::vector<std::string>{"DL1ABC"});
  EXPECT_EQ(stored.locators, std::vector<std::string>{"JO31MX"});
  EXPECT_EQ(stored.headerQsos, 1);

  // Without the checks the RTTY QSO comes in too; the duplicate stays out.
  run = RunTool("import-adif 1 '" + file + "' --no-check --map GRIDSQUARE=Loc" + data);
  EXPECT_EQ(run.exitCode, 0) << run.output;
  EXPECT_NE(run.output.find("1 Datens\xc3\xa4tze importiert\n2 Calls doppelt\n"), std::string::npos)
      << run.output;
  stored = ReadBack();
  EXPECT_EQ(stored.calls, (std::vector<std::string>{"DL1ABC", "DF0WN"}));
  EXPECT_EQ(stored.locators, (std::vector<std::string>{"JO31MX", "JO41"}));
  EXPECT_EQ(stored.headerQsos, 2);
}

TEST(AdifImportTool, ReportsWrongArgumentsAndMissingThings) {
  TempDataDir dir;
  RecordFileErrors().SetWaitFunction([](int) {});
  FillDataDirectory();
  const std::string file = dir.file("log.adi");
  WriteFileBytes(file, "<CALL:6>DL1ABC <EOR>\n");
  const std::string data = " --data " + dir.path();
  struct Case {
    std::string args;
    int exitCode;
    const char* says;
  };
  const Case cases[] = {
      {"import-adif 1" + data, 2, "usage: tarvik-tool   import-adif"},
      {"import-adif x " + file + data, 2, "'x' is no contest number"},
      {"import-adif 1 " + file + " --map GRIDSQUARE" + data, 2, "--map takes ADIF=LOGFIELD"},
      {"import-adif 1 " + file + " --map X=PLZ" + data, 2, "has no log field 'PLZ' (CALL,"},
      {"import-adif 1 " + file + " --map A=CALL --map B=CALL" + data, 2, "assigned twice"},
      {"import-adif 1 " + dir.file("none.adi") + data, 1, "Datei existiert nicht"},
      {"import-adif 7 " + file + data, 1, "there is no contest 7"},
      {"import-adif 1 " + file + " --fast" + data, 2, "unexpected argument '--fast'"},
  };
  for (const Case& c : cases) {
    const RunResult run = RunTool(c.args);
    EXPECT_EQ(run.exitCode, c.exitCode) << c.args << "\n" << run.output;
    EXPECT_NE(run.output.find(c.says), std::string::npos) << c.args << "\n" << run.output;
  }
  EXPECT_TRUE(ReadBack().calls.empty());
  EXPECT_NE(RunTool("--help").output.find("import-adif CONTEST_NUMBER FILE"), std::string::npos);
}

} // namespace
} // namespace tarvik::test
