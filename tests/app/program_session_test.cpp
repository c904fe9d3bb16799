// The program's start and close without a window: which files a first start creates, the
// setup record's settings (loaded, applied, saved back without touching the family's other
// bytes, and not saved after a start that never loaded them), the current profile, and the
// language a contest code forces.

#include <gtest/gtest.h>

#include <filesystem>

#include "base/process_settings.h"
#include "datafiles/setup_records.h"
#include "radio/date_time.h"
#include "recordfile/key_codec.h"
#include "support/session_test_support.h"

namespace tarvik::test {
namespace {

class ProgramSessionTest : public SessionFixture {
protected:
  /// Writes the one setup record (inside Seed).
  static void PutSetup(const std::function<void(SetupRecord&)>& fill) {
    Fileblock* setup = OpenProgramFile(ProgramFile::kSetup);
    ASSERT_NE(setup, nullptr);
    ASSERT_EQ(setup->ClearBuffer(), 0);
    SetupRecord record(setup->RecordBuffer());
    fill(record);
    ASSERT_TRUE(AddRecord(*setup));
    CloseProgramFile(setup);
  }

  /// A copy of the setup record as stored (the engine must run).
  static std::string SetupBytes() {
    Fileblock* setup = OpenProgramFile(ProgramFile::kSetup);
    EXPECT_EQ(setup->FirstKey(1), 0);
    std::string bytes(setup->RecordBuffer(), SetupRecord::kLength);
    CloseProgramFile(setup);
    return bytes;
  }

  static std::int32_t Used(ProgramFile file) {
    Fileblock* fb = OpenProgramFile(file);
    std::int32_t used = -1;
    EXPECT_EQ(fb->UsedRecords(&used), 0);
    CloseProgramFile(fb);
    return used;
  }
};

TEST_F(ProgramSessionTest, FirstStartCreatesEveryFileAndReportsTheEmptyPrefixTable) {
  ProgramSession& s = Start();
  for (const char* name :
       {"KXSETUP", "KXSETUP2", "KXPRO", "KXPREFIX", "KXPREFEE", "KXPREFES", "KXKK", "KXKZ"}) {
    EXPECT_TRUE(std::filesystem::exists(dir.file(std::string(name) + ".DAT"))) << name;
    EXPECT_TRUE(std::filesystem::exists(dir.file(std::string(name) + ".IX"))) << name;
  }
  EXPECT_EQ(dialogs.Informs(), std::vector<std::string>{PrefixTableMissingMessage()});
  EXPECT_TRUE(s.PrefixTableEmpty());
  EXPECT_TRUE(s.SettingsLoaded());
  EXPECT_TRUE(s.HeaderFileEmpty());
  EXPECT_EQ(Used(ProgramFile::kSetup), 1);
  EXPECT_EQ(Used(ProgramFile::kSetup2), 1);
  EXPECT_EQ(s.Settings().profileNumber, 0);
  EXPECT_EQ(s.Definition().ProgramTitle, "Tarvik Version 2006-1.0");
  s.Close();
  EXPECT_FALSE(EngineRunning());

  // The second start finds its records and adds none.
  dialogs.Clear();
  Start();
  EXPECT_EQ(Used(ProgramFile::kSetup), 1);
  EXPECT_EQ(Used(ProgramFile::kSetup2), 1);
  session->Close();
  EXPECT_EQ(halts, 0);
}

TEST_F(ProgramSessionTest, FirstStartFillsThePrefixTableFromTheCountryData) {
  const std::string fixtures = std::string(TARVIK_FIXTURES_DIR) + "/cty/";
  countryFiles = {fixtures + "cty.csv", ""};
  ProgramSession& s = Start();
  EXPECT_FALSE(s.PrefixTableEmpty());
  ASSERT_EQ(dialogs.Informs().size(), 1u); // what was imported, not the warning
  EXPECT_EQ(dialogs.Informs()[0].substr(0, 25), "Die Präfixdatei war leer.");
  std::int32_t used = 0;
  ASSERT_EQ(s.PrefixTable()->UsedRecords(&used), 0);
  EXPECT_GT(used, 20);
  s.Close();
  // A broken country file: the import's failure, then the warning.
  std::filesystem::remove(dir.file("KXPREFIX.DAT"));
  std::filesystem::remove(dir.file("KXPREFIX.IX"));
  dialogs.Clear();
  countryFiles = {fixtures + "missing.csv", ""};
  Start();
  EXPECT_TRUE(session->PrefixTableEmpty());
  ASSERT_EQ(dialogs.Informs().size(), 2u);
  EXPECT_EQ(dialogs.Informs()[1], PrefixTableMissingMessage());
  EXPECT_EQ(halts, 0);
}

TEST_F(ProgramSessionTest, SettingsAreLoadedAndOnlyThisProgramsFieldsAreSavedBack) {
  Seed([] {
    PutSetup([](SetupRecord& r) {
      r.SetOwnCall("DL1ABC");
      r.SetOwnLocator("JO31AB");
      r.SetName("Family Name");
      r.SetColour(1, 0x123456);
      r.SetLanguage(0);
      r.SetDateFormat("dd.mm.yy");
      r.SetUtcCorrection(-1);
      r.SetByteAt(3000, 0x5A); // a family setting this program does not know
    });
  });
  ProgramSession& s = Start();
  EXPECT_TRUE(s.SettingsLoaded());
  EXPECT_EQ(s.OwnCallText(), "DL1ABC");
  EXPECT_EQ(LanguageFlag(), 0);
  EXPECT_EQ(DateFormat(), "dd.mm.yy");
  EXPECT_EQ(UtcCorrection(), -1);
  EXPECT_EQ(s.Definition().ProgramLine.substr(0, 6), "Tarvik");

  // While the program runs, another program of the family changes the name, and the
  // person changes the UTC correction here.
  Fileblock* setup = OpenProgramFile(ProgramFile::kSetup);
  ASSERT_EQ(setup->FirstKey(1), 0);
  SetupRecord(setup->RecordBuffer()).SetName("Changed Elsewhere");
  ASSERT_EQ(setup->Update(), 0);
  CloseProgramFile(setup);
  SetUtcCorrection(2);
  s.Close();

  Seed([] {
    const std::string bytes = SetupBytes();
    const SetupRecord r(bytes.data());
    EXPECT_EQ(r.name(), "Changed Elsewhere");
    EXPECT_EQ(r.utcCorrection(), 2);
    EXPECT_EQ(r.ownCall(), "DL1ABC");
    EXPECT_EQ(r.ownLocator(), "JO31AB");
    EXPECT_EQ(r.Colour(1), 0x123456);
    EXPECT_EQ(r.language(), 0);
    EXPECT_EQ(r.dateFormat(), "dd.mm.yy");
    EXPECT_EQ(r.ByteAt(3000), 0x5A);
  });
}

TEST_F(ProgramSessionTest, TheLanguageForcedByTheContestCodeIsNotSaved) {
  Seed([] { PutSetup([](SetupRecord& r) { r.SetLanguage(1); }); });
  Start('H');
  EXPECT_EQ(LanguageFlag(), 0); // code H runs in English
  session->Close();
  EXPECT_EQ(LanguageFlag(), 1);
  Seed([] { EXPECT_EQ(SetupRecord(SetupBytes().data()).language(), 1); });
}

TEST_F(ProgramSessionTest, NothingIsSavedWhenTheStartNeverLoadedTheSettings) {
  Seed([] {
    PutSetup([](SetupRecord& r) {
      r.SetOwnCall("DL1ABC");
      r.SetUtcCorrection(-2);
    });
  });
  const std::string before = ReadFileBytes(dir.file("KXSETUP.DAT"));
  session = std::make_unique<ProgramSession>(dialogs, clock);
  ASSERT_TRUE(session->StartRecordFiles());
  SetUtcCorrection(5); // whatever the process holds must not reach the record
  session->Close();
  EXPECT_FALSE(session->SettingsLoaded());
  EXPECT_EQ(ReadFileBytes(dir.file("KXSETUP.DAT")), before);
}

TEST_F(ProgramSessionTest, WhenTheProfilesCannotBeOpenedTheStartEnds) {
  BlockingIo io;
  io.blocked = "KXPRO.DAT";
  dialogs.defaultAnswer = false; // no retry
  session = std::make_unique<ProgramSession>(dialogs, clock, &io);
  ASSERT_TRUE(session->StartRecordFiles());
  EXPECT_FALSE(session->OpenFiles());
  EXPECT_EQ(session->Headers(), nullptr);
  EXPECT_EQ(session->PrefixTable(), nullptr);
  session->Close();
  EXPECT_FALSE(EngineRunning());
  EXPECT_EQ(halts, 0);
  session.reset(); // before the file system it uses
}

TEST_F(ProgramSessionTest, TheRememberedProfileElseTheFirstElseNone) {
  struct Case {
    int profiles;
    int remembered;
    int taken;
  };
  const Case cases[] = {{3, 2, 2}, {3, 9, 1}, {3, 0, 1}, {0, 2, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.profiles) + " profiles, remembered " +
                 std::to_string(c.remembered));
    std::filesystem::remove(dir.file("KXPRO.DAT"));
    std::filesystem::remove(dir.file("KXPRO.IX"));
    std::filesystem::remove(dir.file("KXSETUP.DAT"));
    std::filesystem::remove(dir.file("KXSETUP.IX"));
    Seed([&] {
      PutSetup([&](SetupRecord& r) { r.SetProfileNumber(c.remembered); });
      Fileblock* pro = OpenProgramFile(ProgramFile::kProfiles);
      for (int i = 1; i <= c.profiles; ++i) {
        ASSERT_EQ(pro->ClearBuffer(), 0);
        ProfileRecord(pro->RecordBuffer()).SetName("Profil " + std::to_string(i));
        ASSERT_TRUE(AddRecord(*pro));
      }
      CloseProgramFile(pro);
    });
    ProgramSession& s = Start();
    EXPECT_EQ(s.Settings().profileNumber, c.taken);
    const ProfileRecord current(static_cast<const char*>(s.Profiles()->RecordBuffer()));
    EXPECT_EQ(current.profileNumber(), c.taken);
    if (c.taken > 0) {
      EXPECT_EQ(current.name(), "Profil " + std::to_string(c.taken));
    }
    session.reset();
    // The number taken is remembered for the next start.
    Seed([&] { EXPECT_EQ(SetupRecord(SetupBytes().data()).profileNumber(), c.taken); });
  }
}

TEST_F(ProgramSessionTest, OwnCallLabelAndCodeEAdvice) {
  Seed([] {
    PutSetup([](SetupRecord& r) { r.SetListenerName("DE-SWL 1"); });
    AddContest('E', "Stunde 1");
    AddContest('E', "Stunde 2");
  });
  ProgramSession& s = Start('E');
  EXPECT_EQ(s.OwnCallText(), "DE-SWL 1");
  s.Settings().ownCall = "DK0XX";
  EXPECT_EQ(s.OwnCallText(), "DK0XX");
  EXPECT_TRUE(s.WantsHourlyLogAdvice());
  AddContest('E', "Stunde 3");
  EXPECT_FALSE(s.WantsHourlyLogAdvice());
  EXPECT_FALSE(s.HeaderFileEmpty());
  s.Close();
  Start('2');
  EXPECT_FALSE(session->WantsHourlyLogAdvice());
}

} // namespace
} // namespace tarvik::test
