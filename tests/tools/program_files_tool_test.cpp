// tarvik-tool on the program's files: the key check against the key builders and the
// field dump.

#include <gtest/gtest.h>

#include "base/dates.h"

#include <cstdio>
#include <cstdlib>
#include <sstream>

#include "base/cp1252.h"
#include "datafiles/program_files.h"
#include "datafiles/program_files_tool.h"
#include "datafiles/qso_record.h"
#include "datafiles/setup_records.h"
#include "recordfile/engine.h"
#include "support/temp_dir.h"

namespace tarvik::test {
namespace {

class ProgramFilesTool : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_EQ(InitEngine(), 0);
    Fileblock* log = OpenProgramFile(ProgramFile::kQsoLog, 3);
    ASSERT_NE(log, nullptr);
    const char* calls[] = {"DL1ABC", "PA/DL2XYZ/P", "OE3K"};
    for (int n = 1; n <= 3; ++n) {
      ASSERT_EQ(log->ClearBuffer(), 0);
      QsoRecord q(log->RecordBuffer());
      q.SetCall(calls[n - 1]);
      q.SetBand('c');
      q.SetQSONr(n);
      q.SetNameQTH("Jürgen;Köln");
      q.SetFullDok("B36");
      q.SetDatum(n == 3 ? 0 : DmyToDay(14, 3, 2026));
      q.SetZeit(n == 3 ? -1 : 12 * 3600 + 34 * 60 + 56);
      ASSERT_TRUE(AddRecord(*log));
    }
    CloseProgramFile(log);
    ASSERT_EQ(ExitEngine(), 0);
  }
  int Run(const std::vector<std::string>& args) {
    out_.str("");
    err_.str("");
    return RunProgramFilesToolCommand(args, out_, err_);
  }
  void Rename(const std::string& from, const std::string& to) {
    ASSERT_EQ(std::rename(dir_.file(from).c_str(), dir_.file(to).c_str()), 0);
  }
  TempDataDir dir_;
  std::ostringstream out_;
  std::ostringstream err_;
};

TEST_F(ProgramFilesTool, CheckVerifiesEveryEntryAgainstTheKeyBuilder) {
  const std::string name = dir_.file("KXLK0003");
  EXPECT_EQ(Run({"check", name}), 0) << err_.str();
  EXPECT_NE(out_.str().find("ok: 3 records, 27 keys"), std::string::npos) << out_.str();
  EXPECT_NE(out_.str().find("keys: every entry matches the key builder of KXLK"),
            std::string::npos);

  // Another program changed a call in the data file without touching the index.
  std::string dat = ReadFileBytes(name + ".DAT");
  const std::size_t call = 2 * QsoRecord::kLength + QsoRecord::kCall;
  ASSERT_EQ(dat.substr(call, 12), "\x0B"
                                  "PA/DL2XYZ/P");
  dat.replace(call, 12,
              "\x0B"
              "PA/DL2QQQ/P");
  WriteFileBytes(name + ".DAT", dat);
  EXPECT_EQ(Run({"check", name}), 1);
  const std::string problems = err_.str();
  for (const char* key : {"key 2, record 2", "key 6, record 2", "key 9, record 2"})
    EXPECT_NE(problems.find(key), std::string::npos) << problems;
  EXPECT_EQ(problems.find("key 1,"), std::string::npos) << problems;
  EXPECT_NE(problems.find("the index holds 444C3258595A"), std::string::npos) << problems;
}

TEST_F(ProgramFilesTool, OnlyProgramFilesGetTheKeyCheck) {
  // A file that is no program file gets the file check only.
  Rename("KXLK0003.DAT", "OTHER.DAT");
  Rename("KXLK0003.IX", "OTHER.IX");
  EXPECT_EQ(Run({"check", dir_.file("OTHER")}), 0) << err_.str();
  EXPECT_EQ(out_.str().find("keys:"), std::string::npos);
  // The files of a QSO log under the header file's name: the key layout does not match.
  Rename("OTHER.DAT", "KXKK.DAT");
  Rename("OTHER.IX", "KXKK.IX");
  EXPECT_EQ(Run({"check", dir_.file("KXKK")}), 1);
  EXPECT_NE(err_.str().find("the index has 27 keys, KXKK has 5"), std::string::npos) << err_.str();
}

TEST_F(ProgramFilesTool, DumpPrintsTheRecordsFieldByField) {
  const std::string name = dir_.file("KXLK0003");
  EXPECT_EQ(Run({"dump", name, "--fields", "--key", "13"}), 0) << err_.str();
  const std::string dump = out_.str();
  EXPECT_NE(dump.find("record 2 key 8180808082\n"), std::string::npos) << dump;
  EXPECT_NE(dump.find("  Call              \"PA/DL2XYZ/P\"\n"), std::string::npos) << dump;
  EXPECT_NE(dump.find("  NameQTH           \"J\xC3\xBCrgen;K\xC3\xB6ln\"\n"), std::string::npos)
      << dump; // shown in UTF-8
  EXPECT_NE(dump.find("  Band              \"c\"\n"), std::string::npos);
  // Dates and times as text; a record without them says so.
  EXPECT_NE(dump.find("  Datum             14.03.2026\n  Zeit              12:34:56\n"),
            std::string::npos)
      << dump;
  EXPECT_NE(dump.find("  Datum             none (0)\n  Zeit              none (-1)\n"),
            std::string::npos)
      << dump;
  EXPECT_NE(dump.find("3 entries in key 13\n"), std::string::npos);
  EXPECT_LT(dump.find("record 1 "), dump.find("record 2 "));
  // Without --fields the storage command answers; unknown layouts are refused.
  EXPECT_EQ(Run({"dump", name, "--key", "2"}), -1);
  EXPECT_EQ(Run({"dump", dir_.file("KXCBUCH"), "--fields"}), 2);
  EXPECT_EQ(Run({"dump", name, "--fields", "--key", "x"}), 2);
  EXPECT_EQ(Run({"list", name}), -1);
}

TEST_F(ProgramFilesTool, TheToolProgramRunsTheseCommands) {
  const std::string command = std::string(TARVIK_TOOL_PATH) + " check " + dir_.file("KXLK0003") +
                              " > " + dir_.file("out.txt") + " 2>&1";
  EXPECT_EQ(std::system(command.c_str()), 0) << ReadFileBytes(dir_.file("out.txt"));
  EXPECT_NE(ReadFileBytes(dir_.file("out.txt")).find("keys: every entry matches"),
            std::string::npos);
}

TEST_F(ProgramFilesTool, CheckFollowsTheSectionsOfProfiles) {
  // Profiles are records of several sections; the key builder sees the whole record.
  ASSERT_EQ(InitEngine(), 0);
  Fileblock* profiles = OpenProgramFile(ProgramFile::kProfiles);
  ASSERT_NE(profiles, nullptr);
  for (const char* name : {"Sommer", "Winter"}) {
    ASSERT_EQ(profiles->ClearBuffer(), 0);
    ProfileRecord p(profiles->RecordBuffer());
    p.SetName(name);
    profiles->RecordBuffer()[40000] = 'x'; // reaches into a third section
    ASSERT_TRUE(AddRecord(*profiles));
  }
  CloseProgramFile(profiles);
  ASSERT_EQ(ExitEngine(), 0);
  EXPECT_EQ(Run({"check", dir_.file("KXPRO")}), 0) << err_.str();
  EXPECT_NE(out_.str().find("ok: 2 records, 2 keys"), std::string::npos) << out_.str();
  EXPECT_NE(out_.str().find("matches the key builder of KXPRO"), std::string::npos);
}

TEST(TerminalTextTest, Windows1252ToUtf8) {
  EXPECT_EQ(TerminalText("K\xF6ln \x80 \x9F"), "K\xC3\xB6ln \xE2\x82\xAC \xC5\xB8");
  EXPECT_EQ(TerminalText(std::string("a\0b\x81", 4)), "a\\x00b\\x81");
}

} // namespace
} // namespace tarvik::test
