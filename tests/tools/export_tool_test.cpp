// tarvik-tool export: run as a program on a data directory, it writes the same files as the
// header window's output menu (apart from the date and time they were written), answers the
// ADIF question from --rst-only, takes the EDI participant values the dialog is prefilled
// with or those given by --edi, and reports wrong arguments and missing contests.

#include <gtest/gtest.h>

#include <cstdio>
#include <regex>
#include <string>

#include "datafiles/contest_records.h"
#include "datafiles/program_files.h"
#include "datafiles/qso_record.h"
#include "datafiles/setup_records.h"
#include "outputs/output_contest.h"
#include "outputs/output_kinds.h"
#include "radio/date_time.h"
#include "recordfile/engine.h"
#include "recordfile/error_channel.h"
#include "recordfile/fileblock.h"
#include "support/fake_clock.h"
#include "support/fake_dialogs.h"
#include "support/temp_dir.h"
#include "support/run_command.h"

namespace tarvik::test {
namespace {

/// Contest 1 of code 2 with two QSOs, its extension record and the station's setup record.
void FillDataDirectory() {
  ASSERT_EQ(InitEngine(), 0);
  Fileblock* setup = OpenProgramFile(ProgramFile::kSetup);
  ASSERT_EQ(setup->ClearBuffer(), 0);
  SetupRecord s(setup->RecordBuffer());
  s.SetName("Erika Muster");
  s.SetStreet("Hauptstr. 1");
  s.SetPostcodePlace("44135 Dortmund");
  s.SetListenerName("DE-1234");
  s.SetStationLocator("JO31AB");
  s.SetDok("N01");
  ASSERT_TRUE(AddRecord(*setup));
  CloseProgramFile(setup);

  Fileblock* headers = OpenProgramFile(ProgramFile::kContestHeaders);
  ASSERT_EQ(headers->ClearBuffer(), 0);
  ContestHeaderRecord h(headers->RecordBuffer());
  h.SetContestCode('2');
  h.SetContestName("ZELKA Mai");
  h.SetOwnCall("DL1XYZ/P");
  h.SetDok("N01");
  h.SetCategory(1);
  h.SetExtendedStats(255);
  h.MarkCreated();
  ASSERT_TRUE(AddRecord(*headers));
  ASSERT_EQ(h.contestNumber(), 1);
  CloseProgramFile(headers);

  Fileblock* extensions = OpenProgramFile(ProgramFile::kContestExtensions);
  ASSERT_EQ(extensions->ClearBuffer(), 0);
  ContestExtensionRecord e(extensions->RecordBuffer());
  e.SetContestNumber(1);
  e.SetBandQsos(1, 2);
  e.SetBandPoints(1, 4);
  e.SetBandMultis(1, 3);
  e.SetBandColumnMultis(1, 1, 2);
  e.SetBandColumnMultis(2, 1, 1);
  ASSERT_TRUE(AddRecord(*extensions));
  CloseProgramFile(extensions);

  Fileblock* log = OpenProgramFile(ProgramFile::kQsoLog, 1);
  for (const char* call : {"DL1ABC", "DF0WN"}) {
    ASSERT_EQ(log->ClearBuffer(), 0);
    QsoRecord r(log->RecordBuffer());
    r.SetCall(call);
    r.SetDatum(DmyToDay(5, 5, 2026));
    r.SetZeit(HmsToTime(19, 3, 0));
    r.SetBand('k');
    r.SetMode("SSB");
    r.SetRSTs("59 N01/JO42");
    r.SetRSTr("59 5N/JO31");
    r.SetPunkte(2);
    r.SetPrefix("DL");
    ASSERT_TRUE(AddRecord(*log));
  }
  CloseProgramFile(log);
  ASSERT_EQ(ExitEngine(), 0);
}

/// The file the output menu writes for the contest, through the output run.
std::string MenuFile(int kind, const std::string& path, bool rstOnly) {
  FakeClock clock;
  ScopedProcessClock scoped(clock);
  EXPECT_EQ(InitEngine(), 0);
  FakeDialogs dialogs;
  dialogs.saveAnswers = {path};
  dialogs.confirmAnswers = {rstOnly};
  const auto contest = LoadOutputContest(1, dialogs, clock);
  EXPECT_TRUE(contest.has_value());
  if (contest) {
    OutputServices services{&dialogs, nullptr, {}, &clock, {}};
    RunOutputKind(kind, *contest, services);
  }
  EXPECT_EQ(ExitEngine(), 0);
  return ReadFileBytes(path);
}

/// The file with the date, time and year it was written replaced by placeholders (the tool
/// runs on the computer's clock, the menu here on a fixed one).
std::string WithoutWrittenTime(const std::string& file) {
  std::string out = std::regex_replace(file, std::regex(R"(\d\d\.\d\d\.\d{4})"), "<date>");
  out = std::regex_replace(out, std::regex(R"(\d\d:\d\d(:\d\d)?)"), "<time>");
  return std::regex_replace(out, std::regex(R"(Copyright \(c\) \d{4})"), "Copyright (c) <year>");
}

TEST(ExportTool, WritesTheFilesOfTheOutputMenu) {
  TempDataDir dir;
  RecordFileErrors().SetWaitFunction([](int) {});
  FillDataDirectory();
  const std::string data = " --data " + dir.path();
  struct Case {
    const char* kind;
    int outputKind;
    const char* options;
    bool rstOnly;
  };
  const Case cases[] = {{"stf", output_kind::kStfFile, "", true},
                        {"csv", output_kind::kCsvFile, "", true},
                        {"all", output_kind::kELogQsoList, "", true},
                        {"adif", output_kind::kAdifFile, " --rst-only no", false},
                        {"adif", output_kind::kAdifFile, " --rst-only yes", true},
                        {"txt", output_kind::kELogWhole, "", true},
                        {"sum", output_kind::kELogCover, "", true},
                        {"bnd", output_kind::kELogBandList, "", true},
                        {"multi", output_kind::kELogMultiCheck, "", true},
                        {"edi", output_kind::kEdiFile, "", true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.kind) + c.options);
    const std::string tool = dir.file(std::string("tool.") + c.kind);
    const RunResult run =
        RunTool(std::string("export --kind ") + c.kind + " 1 " + tool + c.options + data);
    ASSERT_EQ(run.exitCode, 0) << run.output;
    EXPECT_EQ(run.output, "wrote " + tool + "\n");
    const std::string menu =
        MenuFile(c.outputKind, dir.file(std::string("menu.") + c.kind), c.rstOnly);
    ASSERT_FALSE(menu.empty());
    EXPECT_EQ(WithoutWrittenTime(ReadFileBytes(tool)), WithoutWrittenTime(menu));
  }
  EXPECT_NE(ReadFileBytes(dir.file("tool.stf")).find("ClaimedScore 12\r\n"), std::string::npos);
  EXPECT_NE(ReadFileBytes(dir.file("tool.all")).find("CALL: DL1XYZ/P"), std::string::npos);
  EXPECT_NE(
      ReadFileBytes(dir.file("tool.sum")).find("Endergebnis:  4 Punkte x 3 Multi = 12 Punkte"),
      std::string::npos);
  // The EDI file's participant values as the dialog is prefilled with them ...
  const std::string edi = ReadFileBytes(dir.file("tool.edi"));
  EXPECT_NE(edi.find("\r\nPWWLo=JO31AB\r\n"), std::string::npos) << edi;
  EXPECT_NE(edi.find("\r\nPClub=DARC;N01\r\nRName=Erika Muster\r\n"), std::string::npos);
  // ... or as the options set them.
  const std::string tool = dir.file("options.edi");
  const RunResult run =
      RunTool("export --kind edi 1 " + tool + " --edi rname=Hans --edi \"pband=432 MHz\"" +
              " --edi rcoun=DL --edi rremarks=" + data);
  ASSERT_EQ(run.exitCode, 0) << run.output;
  const std::string changed = ReadFileBytes(tool);
  EXPECT_NE(changed.find("\r\nPBand=432 MHz\r\n"), std::string::npos) << changed;
  EXPECT_NE(changed.find("\r\nRName=Hans\r\n"), std::string::npos);
  EXPECT_NE(changed.find("\r\nRCoun=DL\r\n"), std::string::npos);
  EXPECT_NE(changed.find("\r\n[Remarks]\r\n\r\n[QSORecords;2]\r\n"), std::string::npos);
}

TEST(ExportTool, ReportsWhatItCannotDo) {
  TempDataDir dir;
  RecordFileErrors().SetWaitFunction([](int) {});
  FillDataDirectory();
  const std::string data = " --data " + dir.path();
  RunResult r = RunTool("export --kind stf 7 " + dir.file("x.stf") + data);
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_NE(r.output.find("there is no contest 7"), std::string::npos) << r.output;
  r = RunTool("export --kind cbr 1 " + dir.file("x.txt") + data);
  EXPECT_EQ(r.exitCode, 2);
  EXPECT_NE(r.output.find("unknown kind 'cbr'"), std::string::npos) << r.output;
  // An --edi option must name a field of the participant dialog, a band one of its bands;
  // a wrong band leaves no file behind.
  r = RunTool("export --kind edi 1 " + dir.file("x.edi") + " --edi pfoo=1" + data);
  EXPECT_EQ(r.exitCode, 2);
  EXPECT_NE(r.output.find("--edi takes FIELD=VALUE"), std::string::npos) << r.output;
  EXPECT_EQ(RunTool("export --kind edi 1 " + dir.file("x.edi") + " --edi rname" + data).exitCode,
            2);
  r = RunTool("export --kind edi 1 " + dir.file("x.edi") + " --edi \"pband=7 MHz\"" + data);
  EXPECT_EQ(r.exitCode, 2);
  EXPECT_NE(r.output.find("'7 MHz' is no band"), std::string::npos) << r.output;
  EXPECT_TRUE(ReadFileBytes(dir.file("x.edi")).empty());
  r = RunTool("export --kind stf 1 " + dir.file("missing/x.stf") + data);
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_NE(r.output.find("cannot be created"), std::string::npos) << r.output;
  EXPECT_EQ(RunTool("export --kind stf one x" + data).exitCode, 2);
  EXPECT_EQ(RunTool("export --kind adif 1 x --rst-only maybe" + data).exitCode, 2);
  EXPECT_EQ(RunTool("export 1 x" + data).exitCode, 2);
}

// A log whose index lost its entries (here: the index of an empty log) is written in full:
// the index is rebuilt from the data file first, and the log's report says so.
TEST(ExportTool, IndexThatLostEntriesIsRebuiltAndEveryQsoWritten) {
  TempDataDir dir;
  RecordFileErrors().SetWaitFunction([](int) {});
  FillDataDirectory();
  ASSERT_EQ(InitEngine(), 0);
  Fileblock* empty = OpenProgramFile(ProgramFile::kQsoLog, 9);
  ASSERT_EQ(empty->EnsureOpen(), 0);
  CloseProgramFile(empty);
  ASSERT_EQ(ExitEngine(), 0);
  WriteFileBytes(dir.file("KXLK0001.IX"), ReadFileBytes(dir.file("KXLK0009.IX")));
  const std::string file = dir.file("log.adi");
  const RunResult r = RunTool("export --kind adif 1 " + file + " --data " + dir.path());
  EXPECT_EQ(r.exitCode, 0) << r.output;
  const std::string written = ReadFileBytes(file);
  EXPECT_NE(written.find("<CALL:6>DL1ABC"), std::string::npos);
  EXPECT_NE(written.find("<CALL:5>DF0WN"), std::string::npos);
  EXPECT_NE(ReadFileBytes(dir.file("KXLK0001.MSG")).find("Index check: key 1: 2 of 2 live records"),
            std::string::npos);
}

// The Cabrillo file of the tool carries the CONTEST value given with --contest-name.
TEST(ExportTool, CabrilloWithItsContestName) {
  TempDataDir dir;
  RecordFileErrors().SetWaitFunction([](int) {});
  FillDataDirectory();
  const std::string file = dir.file("log.cbr");
  const RunResult r = RunTool("export --kind cabrillo 1 " + file +
                              " --contest-name ZELKA-TEST --data " + dir.path());
  EXPECT_EQ(r.exitCode, 0) << r.output;
  const std::string written = ReadFileBytes(file);
  EXPECT_EQ(written.rfind("START-OF-LOG: 3.0\r\n", 0), 0u) << written;
  EXPECT_NE(written.find("\r\nCONTEST: ZELKA-TEST\r\n"), std::string::npos) << written;
  EXPECT_NE(written.find(" DL1ABC "), std::string::npos) << written;
  EXPECT_NE(written.find("\r\nEND-OF-LOG:\r\n"), std::string::npos) << written;
}

// --band writes the EDI file of one band, with PBand in the contest managers' form.
TEST(ExportTool, EdiFileOfOneBand) {
  TempDataDir dir;
  RecordFileErrors().SetWaitFunction([](int) {});
  FillDataDirectory();
  const std::string file = dir.file("log.edi");
  RunResult r = RunTool("export --kind edi 1 " + file + " --band 2m --data " + dir.path());
  EXPECT_EQ(r.exitCode, 0) << r.output;
  EXPECT_NE(ReadFileBytes(file).find("\r\nPBand=145 MHz\r\n"), std::string::npos);
  r = RunTool("export --kind edi 1 " + file + " --band 5x --data " + dir.path());
  EXPECT_EQ(r.exitCode, 2);
  EXPECT_NE(r.output.find("'5x' is no band"), std::string::npos) << r.output;
}

// tarvik-tool validate: exit status 0 for a clean file, 1 with the findings listed, 2 for a
// file that cannot be read or is of no known format.
TEST(ValidateTool, ExitStatusByFindings) {
  TempDataDir dir;
  const std::string clean = dir.file("clean.cbr");
  WriteFileBytes(clean, "START-OF-LOG: 3.0\r\nCONTEST: DARC-10M\r\nCALLSIGN: DL1XYZ\r\n"
                        "CATEGORY-OPERATOR: SINGLE-OP\r\nCATEGORY-BAND: 10M\r\n"
                        "CATEGORY-MODE: CW\r\nCLAIMED-SCORE: 1\r\n"
                        "QSO: 28020 CW 2026-01-11 0901 DL1XYZ 599 001 DL1ABC 599 005\r\n"
                        "END-OF-LOG:\r\n");
  RunResult r = RunTool("validate " + clean);
  EXPECT_EQ(r.exitCode, 0) << r.output;
  EXPECT_EQ(r.output, clean + ": Cabrillo file, no findings\n");

  const std::string broken = dir.file("broken.edi");
  WriteFileBytes(broken,
                 "[REG1TEST;1]\r\nTName=Test\r\nTDate=20260314;20260314\r\n"
                 "PCall=DL1XYZ\r\nPWWLo=JO31AB\r\nPBand=145 MHz\r\nPSect=A\r\n"
                 "RName=X\r\nCQSOs=2;1\r\nCQSOP=0\r\nCToSc=0\r\n[Remarks]\r\n\r\n"
                 "[QSORecords;1]\r\n260314;1705;DL1ABC;2;599;001;599;012;;JO31AB;0;;;;\r\n");
  r = RunTool("validate " + broken);
  EXPECT_EQ(r.exitCode, 1) << r.output;
  EXPECT_NE(r.output.find("Error, line 9: CQSOs says 2;1, the file has 1 QSOs."), std::string::npos)
      << r.output;
  EXPECT_NE(r.output.find(broken + ": EDI file, 1 error, 0 warnings"), std::string::npos)
      << r.output;

  EXPECT_EQ(RunTool("validate " + dir.file("missing.adi")).exitCode, 2);
  const std::string other = dir.file("other.txt");
  WriteFileBytes(other, "just some text\n");
  r = RunTool("validate " + other);
  EXPECT_EQ(r.exitCode, 2);
  EXPECT_NE(r.output.find("is no EDI, Cabrillo, STF or ADIF file"), std::string::npos);
  EXPECT_EQ(RunTool("validate").exitCode, 2);
}

} // namespace
} // namespace tarvik::test
