// The settings kept in the family setup record survive a restart, and the header fields
// the catalog uses come from the header record.

#include <gtest/gtest.h>

#include "base/process_settings.h"
#include "contest/contest_header_fields.h"
#include "datafiles/family_settings.h"
#include "datafiles/program_files.h"
#include "radio/date_time.h"
#include "recordfile/engine.h"
#include "support/fake_clock.h"
#include "support/fake_dialogs.h"
#include "support/temp_dir.h"

namespace tarvik::test {
namespace {

class FamilySettingsTest : public ::testing::Test {
protected:
  void TearDown() override {
    SetLanguageFlag(1);
    SetNameStyle(0);
    SetDateFormat("");
    SetUtcCorrection(0);
    SetPortableDesignators(PortableDesignatorTable());
    if (EngineRunning()) {
      EXPECT_EQ(ExitEngine(), 0);
    }
  }
  /// Opens KXSETUP, adds an empty record when it has none, and hands the record to `use`.
  template <class Use> void WithSetup(Use use) {
    ASSERT_EQ(InitEngine(), 0);
    Fileblock* setup = OpenProgramFile(ProgramFile::kSetup);
    ASSERT_NE(setup, nullptr);
    if (setup->FirstKey(1) != 0) {
      ASSERT_EQ(setup->ClearBuffer(), 0);
      ASSERT_TRUE(AddRecord(*setup));
    }
    use(*setup);
    CloseProgramFile(setup);
    ASSERT_EQ(ExitEngine(), 0);
  }
  TempDataDir dir_;
};

TEST_F(FamilySettingsTest, SettingsSurviveARestart) {
  FamilySettings saved;
  saved.ownCall = "DL1ABC";
  saved.listenerName = "DE1234";
  saved.ownLocator = "JO62QM";
  saved.utcCorrection = -2;
  saved.colours = {1, 2, 3, 4, 5};
  saved.language = 0;
  saved.nameStyle = 3;
  saved.dateFormat = "yyyy-mm-dd";
  saved.profileNumber = 4;
  WithSetup([&](Fileblock& setup) {
    // A fresh record reads as the defaults.
    const FamilySettings fresh = ReadFamilySettings(SetupRecord(setup.RecordBuffer()));
    EXPECT_EQ(fresh.language, 1);
    EXPECT_EQ(fresh.dateFormat, "dd.mm.yyyy");
    EXPECT_EQ(fresh.profileNumber, 0);
    SetupRecord record(setup.RecordBuffer());
    record.SetDesignator(1, {"QRP", 0});
    WriteFamilySettings(saved, record);
    EXPECT_EQ(setup.Update(), 0);
  });
  FamilySettings loaded;
  WithSetup(
      [&](Fileblock& setup) { loaded = ReadFamilySettings(SetupRecord(setup.RecordBuffer())); });
  saved.designators = loaded.designators;
  EXPECT_EQ(loaded, saved);
  EXPECT_EQ(loaded.designators[0].text, "QRP");

  ApplyFamilySettings(loaded);
  EXPECT_EQ(LanguageFlag(), 0);
  EXPECT_EQ(NameStyle(), 3);
  EXPECT_EQ(DateFormat(), "yyyy-mm-dd");
  EXPECT_EQ(UtcCorrection(), -2);
  EXPECT_EQ(BaseCall("DL1ABC/QRP", kHomeCall), "DL1ABC");
}

TEST_F(FamilySettingsTest, AForcedLanguageIsNotSavedButChangedValuesAre) {
  FamilySettings settings;
  settings.language = 1;
  ApplyFamilySettings(settings);
  SetLanguageFlag(0); // a contest code that runs in English
  SetUtcCorrection(-1);
  SetNameStyle(2);
  CaptureProcessSettings(settings);
  EXPECT_EQ(settings.language, 1);
  EXPECT_EQ(settings.utcCorrection, -1);
  EXPECT_EQ(settings.nameStyle, 2);
  std::string buf(SetupRecord::kLength, '\0');
  SetupRecord record(buf.data());
  WriteFamilySettings(settings, record);
  EXPECT_EQ(record.language(), 1);
  EXPECT_EQ(buf[SetupRecord::kLanguage], 'D');
}

TEST(ContestHeaderFieldsTest, ReadFromAndWrittenToTheRecord) {
  std::string buf(ContestHeaderRecord::kLength, '\0');
  ContestHeaderRecord header(buf.data());
  header.SetCategory(6);
  header.SetDateFrom(DmyToDay(1, 5, 2026));
  header.SetDok("B36");
  header.SetPostcode("12345");
  header.SetExtraNumber(-1);
  header.SetLdk("LDK");
  header.SetClubId("NV12");
  const ContestHeaderFields fields = ReadHeaderFields(header);
  EXPECT_EQ(fields.category, 6);
  EXPECT_EQ(fields.dateFrom, DmyToDay(1, 5, 2026));
  EXPECT_EQ(fields.dok, "B36");
  EXPECT_EQ(fields.postcode, "12345");
  EXPECT_EQ(fields.extraNumber, -1);
  EXPECT_EQ(fields.ldk, "LDK");
  EXPECT_EQ(fields.clubId, "NV12");
  EXPECT_EQ(fields.extendedStats, 0);

  // Code h does not support category 6: the builder resets it, and the record gets that.
  FakeDialogs dialogs;
  FakeClock clock;
  const ContestDefinition def = BuildContestDefinition('h', header, "JO62QM", dialogs, clock);
  EXPECT_EQ(header.category(), 0);
  EXPECT_EQ(header.extendedStats(), 255);
  EXPECT_EQ(dialogs.Informs().size(), 1u);
  EXPECT_FALSE(def.ContestName.empty());
  EXPECT_EQ(header.dok(), "B36");
}

} // namespace
} // namespace tarvik::test
