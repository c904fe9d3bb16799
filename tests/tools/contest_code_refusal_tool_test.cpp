// The tools work only on contests this program can run: a header of the family's other tools
// (codes W, M, X) or of an unknown code is refused by every command that works on a contest,
// with exit status 2 and without a change to any file.

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "datafiles/contest_records.h"
#include "datafiles/program_files.h"
#include "recordfile/engine.h"
#include "recordfile/fileblock.h"
#include "support/temp_dir.h"
#include "support/run_command.h"

namespace tarvik::test {
namespace {

/// Contests 1 (code W, with totals) and 2 (code m, which the catalog does not know).
void FillDataDirectory() {
  ASSERT_EQ(InitEngine(), 0);
  Fileblock* headers = OpenProgramFile(ProgramFile::kContestHeaders);
  for (char code : {'W', 'm'}) {
    ASSERT_EQ(headers->ClearBuffer(), 0);
    ContestHeaderRecord h(headers->RecordBuffer());
    h.SetContestCode(code);
    h.SetContestName(std::string("Fremd ") + code);
    h.SetBandQsos(1, 17);
    h.SetBandPoints(1, 230);
    h.MarkCreated();
    ASSERT_TRUE(AddRecord(*headers));
  }
  CloseProgramFile(headers);
  ASSERT_EQ(ExitEngine(), 0);
}

TEST(ContestCodeRefusal, ImportAndExportRefuseForeignAndUnknownCodesAndChangeNothing) {
  TempDataDir dir;
  FillDataDirectory();
  const std::string adif = dir.file("in.adi");
  WriteFileBytes(adif, "<EOH><CALL:6>DL1ABC <QSO_DATE:8>20260505 <TIME_ON:4>1903 <BAND:2>2m "
                       "<MODE:3>SSB <EOR>\n");
  const std::string headersBefore = ReadFileBytes(dir.file("KXKK.DAT"));
  const std::string data = " --data " + dir.path();
  struct Case {
    std::string args;
    std::string message;
  } cases[] = {
      {"import-adif 1 '" + adif + "'",
       "tarvik-tool import-adif: contest 1 (code 'W') belongs to another program of the family; "
       "nothing was changed\n"},
      {"import-adif 2 '" + adif + "'",
       "tarvik-tool import-adif: contest 2 has the unknown contest code 'm'; nothing was "
       "changed\n"},
      {"export --kind stf 1 '" + dir.file("out.stf") + "'",
       "tarvik-tool export: contest 1 (code 'W') belongs to another program of the family; "
       "nothing was changed\n"},
      {"export --kind adif 2 '" + dir.file("out.adi") + "'",
       "tarvik-tool export: contest 2 has the unknown contest code 'm'; nothing was changed\n"},
  };
  for (const Case& c : cases) {
    const RunResult run = RunTool(c.args + data);
    EXPECT_EQ(run.exitCode, 2) << c.args << "\n" << run.output;
    EXPECT_EQ(run.output, c.message) << c.args;
  }
  // No log, no extension record, no output; the headers (and their totals) as they were.
  EXPECT_FALSE(std::filesystem::exists(dir.file("KXLK0001.DAT")));
  EXPECT_FALSE(std::filesystem::exists(dir.file("KXLK0002.DAT")));
  EXPECT_FALSE(std::filesystem::exists(dir.file("out.stf")));
  EXPECT_FALSE(std::filesystem::exists(dir.file("out.adi")));
  EXPECT_EQ(ReadFileBytes(dir.file("KXKK.DAT")), headersBefore);
}

} // namespace
} // namespace tarvik::test
