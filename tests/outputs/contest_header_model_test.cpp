// The contest header window without widgets over real files: opening a new and an existing
// header, the save sequence with its messages in order, the category choice with its silent
// save and period texts, the clock choice, the station address, the per-code extras and the
// output menu's run.

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "datafiles/call_records.h"
#include "datafiles/contest_log_files.h"
#include "datafiles/qso_record.h"
#include "datafiles/setup_records.h"
#include "outputs/contest_header_model.h"
#include "outputs/output_run.h"
#include "radio/date_time.h"
#include "recordfile/key_codec.h"
#include "support/refusing_io.h"
#include "support/session_test_support.h"

namespace tarvik::test {
namespace {

class HeaderModelTest : public SessionFixture {
protected:
  void TearDown() override {
    model.reset();
    SessionFixture::TearDown();
  }

  ContestHeaderModel& OpenNew(char code = '2') {
    if (!session)
      Start(code);
    dialogs.Clear();
    model = std::make_unique<ContestHeaderModel>(*session, HeaderWindowMode::kNew, code);
    model->Open();
    return *model;
  }

  /// The header of contest `number` as "Starten" leaves it in the buffer.
  ContestHeaderModel& OpenExisting(std::int32_t number,
                                   HeaderWindowMode mode = HeaderWindowMode::kExisting) {
    char code = session->ContestCode();
    EXPECT_EQ(session->Headers()->FindKey(3, NumKey5(number)), 0);
    dialogs.Clear();
    model = std::make_unique<ContestHeaderModel>(*session, mode, code);
    model->Open();
    return *model;
  }

  /// A form that passes every common check of code 2.
  static void FillValid(HeaderForm& f) {
    f.eName = "ZELKA Mai";
    f.ePLZ = "48155";
    f.eOrt = "Münster";
    f.eLoc = "JO32QA";
    f.eCall = "DL1ABC";
    f.eDOK = "N13";
    f.eDatumvon = "05.05.2026";
    f.eDatumbis = "05.05.2026";
    f.clock = ClockChoice::kUtc;
    f.category = 1;
  }

  std::int32_t StoredHeaders() const {
    std::int32_t used = -1;
    EXPECT_EQ(session->Headers()->UsedRecords(&used), 0);
    return used;
  }

  /// The stored header of `number` (read into the header buffer).
  ContestHeaderRecord Stored(std::int32_t number) {
    EXPECT_EQ(session->Headers()->FindKey(3, NumKey5(number)), 0);
    return ContestHeaderRecord(session->Headers()->RecordBuffer());
  }

  std::unique_ptr<ContestHeaderModel> model;
};

TEST_F(HeaderModelTest, ANewHeaderOpensWithTheStationAndTheContestsDefaults) {
  Start('2');
  session->Settings().ownCall = "DL1ABC";
  session->Settings().ownLocator = "JO32QA";
  session->Settings().listenerName = "DE1XYZ";
  ContestHeaderModel& m = OpenNew();
  const HeaderForm& f = m.form;
  EXPECT_EQ(f.eCall, "DL1ABC");
  EXPECT_EQ(f.eLoc, "JO32QA");
  EXPECT_EQ(f.eSWL, "DE1XYZ");
  EXPECT_EQ(f.eName, "");
  // A new contest is dated today (code 2 names no dates of its own); the times are code 2's
  // 19:00 to 21:00.
  EXPECT_EQ(f.eDatumvon, "14.03.2026");
  EXPECT_EQ(f.eDatumbis, "14.03.2026");
  EXPECT_EQ(m.Header().periodEdited(), 0); // not typed by the person
  EXPECT_EQ(f.eZeitvon, "19:00");
  EXPECT_EQ(f.eZeitbis, "21:00");
  EXPECT_TRUE(f.edatumauto);
  EXPECT_TRUE(f.ezeitauto);
  EXPECT_TRUE(f.eaktrsts);
  EXPECT_TRUE(f.eaktrstr);
  EXPECT_EQ(f.clock, ClockChoice::kNone);
  EXPECT_EQ(f.startMode, StartMode::kCw);
  EXPECT_EQ(f.category, 0);

  const HeaderView& v = m.View();
  EXPECT_EQ(v.caption, "\"ZELKA\"  Contest-Konfiguration");
  EXPECT_EQ(v.dokLabel, "DOK");
  EXPECT_EQ(v.categories, (std::vector<CategoryChoice>{{1, "alle"}}));
  EXPECT_TRUE(v.categoriesEnabled);
  EXPECT_EQ(v.categoryColumns, 1);
  EXPECT_TRUE(v.cwEnabled && v.ssbEnabled && v.fmEnabled);
  EXPECT_FALSE(v.prEnabled);
  EXPECT_FALSE(v.bandAutoVisible);
  EXPECT_FALSE(v.zusatzVisible || v.zusatz2Visible || v.frageVisible || v.stationVisible);
  EXPECT_EQ(v.bandNames[0], "2 m");
  EXPECT_EQ(v.bandNames[1], "");

  ContestHeaderRecord h = m.Header();
  EXPECT_EQ(h.contestCode(), '2');
  EXPECT_EQ(h.recordMark(), 'D');
  EXPECT_EQ(h.extendedStats(), 255); // the catalog's side effect for code 2
  EXPECT_EQ(h.ByteAt(71), 255);
  EXPECT_EQ(h.ByteAt(72), 1);
  EXPECT_EQ(h.ByteAt(195), 255);
  EXPECT_EQ(StoredHeaders(), 0);
  EXPECT_TRUE(dialogs.events.empty());
}

TEST_F(HeaderModelTest, AnEmptyFormReportsOneMissingEntryAtATimeInTheOrderOfTheSave) {
  ContestHeaderModel& m = OpenNew();
  HeaderForm& f = m.form;
  // The dates of today, cleared by the person.
  f.eDatumvon.clear();
  f.eDatumbis.clear();
  struct Step {
    std::function<void()> fill; // what the person enters before the next attempt
    std::string message;        // what the attempt reports ("" for the DOK question)
    HeaderControl control;
  };
  const std::vector<Step> steps = {
      {[] {}, "Eingabe eines Contest-Namens notwendig.", HeaderControl::eName},
      {[&] { f.eName = "ZELKA Mai"; }, "Angabe der Postleitzahl und des Ortes notwendig.",
       HeaderControl::ePLZ},
      {[&] { f.ePLZ = "48155"; }, "Angabe des Standortlocators notwendig.", HeaderControl::eLoc},
      {[&] { f.eLoc = "jo32qa"; }, "Kein DOK angegeben. Trotzdem weiter?", HeaderControl::eDOK},
      {[&] { f.eDOK = "n13"; }, "Eingabe des Rufzeichens notwendig.", HeaderControl::eCall},
      {[&] { f.eCall = "dl1abc"; }, "Eingabe eines Contest-Datums notwendig.",
       HeaderControl::eDatumvon},
      {[&] { f.eDatumvon = "0505"; }, "Eingabe eines Contest-Datums notwendig.",
       HeaderControl::eDatumbis},
      {[&] { f.eDatumbis = "5.5.26"; },
       "Es wurde nicht bestimmt, ob der Computer mit Ortszeit läuft.", HeaderControl::grouputc},
      {[&] { f.clock = ClockChoice::kLocal; }, "Sie haben keine Teilnahmeart angegeben.",
       HeaderControl::eteilnahmeart},
  };
  dialogs.defaultAnswer = false; // the DOK question is answered with No
  for (const Step& step : steps) {
    step.fill();
    dialogs.Clear();
    EXPECT_FALSE(m.FinishClicked()) << step.message;
    EXPECT_EQ(dialogs.LastMessage(), step.message);
    EXPECT_EQ(dialogs.events.size(), 1u) << step.message;
    EXPECT_TRUE(m.IsMarked(step.control)) << step.message;
    EXPECT_EQ(m.TakeFocusRequest(), step.control);
    EXPECT_EQ(StoredHeaders(), 0) << step.message;
  }
  // Typing into a marked field takes its colour away.
  m.ControlEdited(HeaderControl::eName);
  EXPECT_FALSE(m.IsMarked(HeaderControl::eName));

  f.category = 1;
  dialogs.Clear();
  EXPECT_TRUE(m.FinishClicked());
  EXPECT_TRUE(dialogs.events.empty());
  EXPECT_TRUE(m.IsExisting());
  ASSERT_EQ(StoredHeaders(), 1);
  ContestHeaderRecord h = Stored(1);
  EXPECT_EQ(h.contestName(), "ZELKA Mai");
  EXPECT_EQ(h.ownCall(), "DL1ABC");
  EXPECT_EQ(h.dok(), "N13");
  EXPECT_EQ(h.locator(), "JO32QA");
  EXPECT_EQ(h.dateFrom(), DmyToDay(5, 5, 2026)); // "0505" completed with this year
  EXPECT_EQ(h.dateTo(), DmyToDay(5, 5, 2026));
  EXPECT_EQ(h.timeFrom(), HmsToTime(19, 0, 0));
  EXPECT_EQ(h.timeTo(), HmsToTime(21, 0, 0));
  EXPECT_EQ(h.category(), 1);
  EXPECT_EQ(h.postcode(), "48155");
  EXPECT_EQ(h.recordMark(), 'D');
  EXPECT_EQ(h.extendedStats(), 255);
  EXPECT_FALSE(h.rstSentFree());
  EXPECT_EQ(f.eDatumvon, "05.05.2026");
  EXPECT_EQ(f.eDatumbis, "05.05.2026");
  EXPECT_EQ(session->Extensions()->FindKey(1, NumKey5(1)), 0);
  // The station settings follow the window.
  EXPECT_EQ(session->Settings().ownCall, "DL1ABC");
  EXPECT_EQ(session->Settings().ownLocator, "JO32QA");
  EXPECT_EQ(UtcCorrection(), -2);
  // A second save updates the same header.
  f.eName = "ZELKA Juni";
  EXPECT_TRUE(m.FinishClicked());
  EXPECT_EQ(StoredHeaders(), 1);
  EXPECT_EQ(Stored(1).contestName(), "ZELKA Juni");
  EXPECT_EQ(halts, 0);
}

TEST_F(HeaderModelTest, TheDokQuestionLetsThePersonGoOnAndIsNotAskedFromTheLogWindow) {
  ContestHeaderModel& m = OpenNew();
  FillValid(m.form);
  m.form.eDOK = "";
  dialogs.confirmAnswers = {true};
  EXPECT_TRUE(m.StartClicked());
  EXPECT_EQ(dialogs.Questions(), std::vector<std::string>{"Kein DOK angegeben. Trotzdem weiter?"});

  ContestHeaderModel& review = OpenExisting(1, HeaderWindowMode::kReview);
  EXPECT_EQ(review.View().caption, "\"ZELKA\"");
  EXPECT_TRUE(review.FinishClicked());
  EXPECT_TRUE(dialogs.Questions().empty());
}

TEST_F(HeaderModelTest, LdkContestsAskForTheLdkAndLabelTheField) {
  Start('4');
  ContestHeaderModel& m = OpenNew('4');
  EXPECT_EQ(m.View().dokLabel, "LDK");
  FillValid(m.form);
  m.form.eDOK = "";
  m.form.eJahre = "123";
  dialogs.confirmAnswers = {false};
  EXPECT_FALSE(m.FinishClicked());
  EXPECT_EQ(dialogs.Questions(), std::vector<std::string>{"Kein LDK angegeben. Trotzdem weiter?"});
  EXPECT_TRUE(m.IsMarked(HeaderControl::eDOK));
  m.form.eDOK = "msl";
  EXPECT_TRUE(m.FinishClicked());
  EXPECT_EQ(Stored(1).ldk(), "MSL");
  EXPECT_EQ(Stored(1).dok(), "");
  // The LDK is not the station's DOK: the setup keeps its DOK, and a new LDK field does not
  // start with it.
  Fileblock* setup = OpenProgramFile(ProgramFile::kSetup);
  ASSERT_EQ(setup->FirstKey(1), 0);
  SetupRecord(setup->RecordBuffer()).SetDok("N13");
  ASSERT_EQ(setup->Update(), 0);
  CloseProgramFile(setup);
  EXPECT_EQ(OpenNew('4').form.eDOK, "");
  FillValid(model->form);
  model->form.eDOK = "ST";
  model->form.eJahre = "1";
  ASSERT_TRUE(model->FinishClicked());
  setup = OpenProgramFile(ProgramFile::kSetup);
  ASSERT_EQ(setup->FirstKey(1), 0);
  EXPECT_EQ(SetupRecord(setup->RecordBuffer()).dok(), "N13");
  CloseProgramFile(setup);
}

TEST_F(HeaderModelTest, ContestsThatSendTheirLocatorThirdNeedOne) {
  // Code 8 sends serial number, category letter and own locator; it scores by distance.
  Start('8');
  ContestHeaderModel& m = OpenNew('8');
  FillValid(m.form);
  m.form.eLoc = "";
  EXPECT_FALSE(m.FinishClicked());
  EXPECT_EQ(dialogs.Informs(), std::vector<std::string>{"Angabe des Standortlocators notwendig."});
  EXPECT_EQ(StoredHeaders(), 0);
}

TEST_F(HeaderModelTest, TheClockChoiceSetsTheUtcCorrection) {
  ContestHeaderModel& m = OpenNew();
  FillValid(m.form);
  m.form.clock = ClockChoice::kLocal;
  ASSERT_TRUE(m.FinishClicked());
  EXPECT_EQ(UtcCorrection(), -2); // the contest's offset
  EXPECT_EQ(session->Settings().utcCorrection, -2);
  EXPECT_EQ(OpenExisting(1).form.clock, ClockChoice::kLocal);

  model->form.clock = ClockChoice::kUtc;
  ASSERT_TRUE(model->FinishClicked());
  EXPECT_EQ(UtcCorrection(), 0);
  EXPECT_EQ(OpenExisting(1).form.clock, ClockChoice::kUtc);

  // A category click before the person chose keeps the correction.
  SetUtcCorrection(-1);
  ContestHeaderModel& fresh = OpenNew();
  EXPECT_EQ(fresh.form.clock, ClockChoice::kNone);
  fresh.CategoryClicked(1);
  EXPECT_EQ(UtcCorrection(), -1);
}

TEST_F(HeaderModelTest, AContestNameLongerThanTheHeaderHoldsIsRefusedNotCut) {
  ContestHeaderModel& m = OpenNew();
  FillValid(m.form);
  m.form.eName = "Westfalen Nord QRP Contest"; // 26 characters
  dialogs.Clear();
  EXPECT_FALSE(m.FinishClicked());
  EXPECT_EQ(dialogs.LastMessage(), "Der Contest-Name darf höchstens 25 Zeichen lang sein.");
  EXPECT_TRUE(m.IsMarked(HeaderControl::eName));
  EXPECT_EQ(m.TakeFocusRequest(), HeaderControl::eName);
  EXPECT_EQ(StoredHeaders(), 0);
  m.form.eName = "  ZELKA Westfalen Nord 2026  "; // 25 between the blanks
  dialogs.Clear();
  EXPECT_TRUE(m.FinishClicked());
  EXPECT_TRUE(dialogs.events.empty());
  EXPECT_EQ(Stored(1).contestName(), "ZELKA Westfalen Nord 2026");
}

TEST_F(HeaderModelTest, TheAddressIsSplitAtTheFirstBlankAndStoredJoined) {
  Seed([] {
    Fileblock* setup = OpenProgramFile(ProgramFile::kSetup);
    ASSERT_EQ(setup->ClearBuffer(), 0);
    SetupRecord s(setup->RecordBuffer());
    s.SetName("Erika Muster");
    s.SetStreet("Hauptstr. 1");
    s.SetPostcodePlace("48155 Münster Nord");
    s.SetCountry("Deutschland");
    s.SetDok("N13");
    s.SetStationLocator("JO32QA");
    ASSERT_TRUE(AddRecord(*setup));
    CloseProgramFile(setup);
  });
  ContestHeaderModel& m = OpenNew();
  EXPECT_EQ(m.form.ePLZ, "48155");
  EXPECT_EQ(m.form.eOrt, "Münster Nord");
  EXPECT_EQ(m.form.ecname, "Erika Muster");
  EXPECT_EQ(m.form.eStrasse, "Hauptstr. 1");
  EXPECT_EQ(m.form.eLand, "Deutschland");
  EXPECT_EQ(m.form.eDOK, "N13");
  EXPECT_EQ(m.form.eLoc, "JO32QA");

  FillValid(m.form);
  m.form.ePLZ = "48149";
  m.form.eOrt = "Münster";
  m.form.eDOK = "n20";
  ASSERT_TRUE(m.FinishClicked());
  EXPECT_EQ(Stored(1).postcode(), "48149");
  Fileblock* setup = OpenProgramFile(ProgramFile::kSetup);
  ASSERT_EQ(setup->FirstKey(1), 0);
  const SetupRecord s(setup->RecordBuffer());
  EXPECT_EQ(s.postcodePlace(), "48149 Münster");
  EXPECT_EQ(s.dok(), "N20");
  EXPECT_EQ(s.name(), "Erika Muster");
  EXPECT_EQ(s.ownCall(), "DL1ABC");
  CloseProgramFile(setup);

  // Without a blank, the whole text is the place.
  setup = OpenProgramFile(ProgramFile::kSetup);
  ASSERT_EQ(setup->FirstKey(1), 0);
  SetupRecord(setup->RecordBuffer()).SetPostcodePlace("Münster");
  ASSERT_EQ(setup->Update(), 0);
  CloseProgramFile(setup);
  ContestHeaderModel& again = OpenNew();
  EXPECT_EQ(again.form.ePLZ, "");
  EXPECT_EQ(again.form.eOrt, "Münster");
}

TEST_F(HeaderModelTest, ACategoryClickSavesSilentlyAndFillsThePeriodExceptEditedFields) {
  Start('Y');
  ContestHeaderModel& m = OpenNew('Y');
  EXPECT_EQ(m.View().categories.size(), 6u);
  // Chosen with the name still empty: written at once, without a message.
  m.CategoryClicked(2);
  EXPECT_TRUE(dialogs.events.empty());
  ASSERT_EQ(StoredHeaders(), 1);
  EXPECT_EQ(Stored(1).category(), 2);
  EXPECT_EQ(Stored(1).contestName(), "");
  EXPECT_EQ(m.form.eDatumvon, "14.02.2009");
  EXPECT_EQ(m.form.eDatumbis, "14.02.2009");
  EXPECT_EQ(m.form.eZeitvon, "14:00");
  EXPECT_EQ(m.form.eZeitbis, "16:00");
  // Category 2 is SSB on 80 m.
  EXPECT_EQ(m.View().bandNames[0], "80 m");

  // The start time typed by hand stays when another category is chosen.
  m.PeriodFieldEntered(PeriodField::kTimeFrom);
  m.form.eZeitvon = "1330";
  m.PeriodFieldLeft(PeriodField::kTimeFrom);
  EXPECT_EQ(m.form.eZeitvon, "13:30");
  EXPECT_EQ(m.Header().periodEdited(), 1 << 2);
  // Leaving a field unchanged sets no bit.
  m.PeriodFieldEntered(PeriodField::kDateTo);
  m.PeriodFieldLeft(PeriodField::kDateTo);
  EXPECT_EQ(m.Header().periodEdited(), 1 << 2);

  m.CategoryClicked(5); // 10.10. 12:00-14:00, 40 m CW
  EXPECT_EQ(m.form.eDatumvon, "10.10.2009");
  EXPECT_EQ(m.form.eZeitvon, "13:30");
  EXPECT_EQ(m.form.eZeitbis, "14:00");
  EXPECT_EQ(m.form.startMode, StartMode::kNone); // code Y starts with SSB only: none checked
  EXPECT_TRUE(m.View().cwEnabled);
  EXPECT_FALSE(m.View().ssbEnabled);
  EXPECT_EQ(StoredHeaders(), 1);
  EXPECT_EQ(Stored(1).category(), 5);
  EXPECT_EQ(Stored(1).periodEdited(), 1 << 2);

  // Reopened: the stored category is shown and cannot be changed any more.
  ContestHeaderModel& again = OpenExisting(1);
  EXPECT_EQ(again.form.category, 5);
  EXPECT_FALSE(again.View().categoriesEnabled);
  again.CategoryClicked(1);
  EXPECT_EQ(again.form.category, 5);
  EXPECT_EQ(Stored(1).category(), 5);
}

TEST_F(HeaderModelTest, ManyCategoriesAreShownInTwoColumns) {
  Start('U');
  EXPECT_EQ(OpenNew('U').View().categoryColumns, 2); // 8 categories
}

TEST_F(HeaderModelTest, EscAnsweredWithNoWritesNothingAndYesActsAsBeenden) {
  ContestHeaderModel& m = OpenNew();
  FillValid(m.form);
  dialogs.confirmAnswers = {false};
  EXPECT_TRUE(m.EscapePressed());
  EXPECT_EQ(dialogs.Questions(), std::vector<std::string>{"Änderungen übernehmen?"});
  EXPECT_EQ(StoredHeaders(), 0);

  m.form.eName = "";
  dialogs.Clear();
  dialogs.confirmAnswers = {true};
  EXPECT_FALSE(m.EscapePressed()); // Yes runs the checks of "Beenden"
  EXPECT_EQ(dialogs.LastMessage(), "Eingabe eines Contest-Namens notwendig.");
  m.form.eName = "ZELKA";
  dialogs.confirmAnswers = {true};
  EXPECT_TRUE(m.EscapePressed());
  EXPECT_EQ(StoredHeaders(), 1);
}

TEST_F(HeaderModelTest, PrintWarnsAboutTheAddressSavesAndRunsTheChosenOutput) {
  ContestHeaderModel& m = OpenNew();
  FillValid(m.form);
  std::vector<int> kinds;
  std::string bufferName;
  m.runOutput = [&](int kind) {
    kinds.push_back(kind);
    bufferName = ContestHeaderRecord(session->Headers()->RecordBuffer()).contestName();
  };
  m.PrintClicked();
  EXPECT_EQ(dialogs.Informs(),
            std::vector<std::string>{"Die Adress-Angaben sind nicht vollständig."});
  EXPECT_EQ(StoredHeaders(), 1);
  m.OutputChosen(output_kind::kStfFile);
  EXPECT_EQ(kinds, std::vector<int>{9});
  EXPECT_EQ(bufferName, "ZELKA Mai");
  // "Beenden" afterwards updates the header that "Drucken / E-Log" added.
  EXPECT_TRUE(m.FinishClicked());
  EXPECT_EQ(StoredHeaders(), 1);

  // The real run: the CSV export and the cover sheet ask where to save them (cancelled
  // here).
  dialogs.Clear();
  ContestHeaderModel& plain = OpenExisting(1);
  plain.OutputChosen(output_kind::kCsvFile);
  EXPECT_EQ(dialogs.Informs(), std::vector<std::string>{SaveLocationMessage(14, "DL1ABC")});
  EXPECT_EQ(dialogs.Texts(FakeDialogs::Kind::SaveFile), std::vector<std::string>{"DL1ABC.CSV"});
  dialogs.Clear();
  plain.OutputChosen(output_kind::kELogCover);
  EXPECT_EQ(dialogs.Informs(), std::vector<std::string>{SaveLocationMessage(7, "DL1ABC")});
  EXPECT_EQ(dialogs.Texts(FakeDialogs::Kind::SaveFile), std::vector<std::string>{"DL1ABC.SUM"});
}

TEST_F(HeaderModelTest, AHeaderThatCannotBeWrittenIsReported) {
  ContestHeaderModel& m = OpenNew();
  FillValid(m.form);
  ASSERT_TRUE(m.FinishClicked());
  // Deleted behind the window's back: the update finds no record.
  ASSERT_EQ(session->Headers()->FindKey(3, NumKey5(1)), 0);
  OpenExisting(1);
  ASSERT_EQ(session->Headers()->Delete(kDeleteNoPosition), 0);
  dialogs.Clear();
  EXPECT_FALSE(model->FinishClicked());
  EXPECT_EQ(dialogs.Informs(),
            std::vector<std::string>{"Fehler bei Dateneingabe. Datensatz evtl. schon vorhanden."});
  // Nor is an output made from whatever the buffers hold now: the computer beeps.
  bool ran = false;
  model->runOutput = [&](int) { ran = true; };
  dialogs.Clear();
  model->OutputChosen(output_kind::kStfFile);
  EXPECT_FALSE(ran);
  EXPECT_EQ(dialogs.Beeps(), 1);
}

TEST_F(HeaderModelTest, ANewContestNeverTakesOverQsoFilesLeftWithItsNumber) {
  // QSO files of contest 1 are on disk without a header (as after a crash between deleting a
  // contest and moving its log aside, or a header file that was replaced).
  Seed([] {
    Fileblock* log = OpenProgramFile(ProgramFile::kQsoLog, 1);
    ASSERT_EQ(log->ClearBuffer(), 0);
    QsoRecord(log->RecordBuffer()).SetCall("DL9OLD");
    ASSERT_TRUE(AddRecord(*log));
    CloseProgramFile(log);
  });
  ContestHeaderModel& m = OpenNew();
  FillValid(m.form);
  ASSERT_TRUE(m.FinishClicked());
  ASSERT_EQ(m.Header().contestNumber(), 1);
  EXPECT_TRUE(std::filesystem::exists(dir.file("KXLK0001_DEL1.DAT")));
  EXPECT_TRUE(std::filesystem::exists(dir.file("KXLK0001_DEL1.IX")));
  EXPECT_FALSE(QsoLogFilesExist(1));
  Fileblock* log = OpenProgramFile(ProgramFile::kQsoLog, 1);
  std::int32_t used = -1;
  EXPECT_EQ(log->UsedRecords(&used), 0);
  EXPECT_EQ(used, 0);
  CloseProgramFile(log);
}

TEST_F(HeaderModelTest, ANewContestIsNotCreatedWhileOldQsoFilesOfItsNumberStay) {
  Seed([] {
    Fileblock* log = OpenProgramFile(ProgramFile::kQsoLog, 1);
    ASSERT_EQ(log->ClearBuffer(), 0);
    QsoRecord(log->RecordBuffer()).SetCall("DL9OLD");
    ASSERT_TRUE(AddRecord(*log));
    CloseProgramFile(log);
  });
  RefusingIo io;
  io.refuseRenameOf = "KXLK0001.DAT";
  Start('2', &io);
  ContestHeaderModel& m = OpenNew();
  FillValid(m.form);
  EXPECT_FALSE(m.FinishClicked());
  EXPECT_EQ(dialogs.Informs(),
            std::vector<std::string>{
                "Die Dateien des QSO-Logs Nr. 1 (KXLK0001.DAT) konnten nicht umbenannt werden. "
                "Keine Zugriffsberechtigung. Der Contest wurde nicht angelegt."});
  EXPECT_FALSE(m.IsExisting());
  EXPECT_EQ(StoredHeaders(), 0);
  EXPECT_TRUE(std::filesystem::exists(dir.file("KXLK0001.DAT")));
  EXPECT_TRUE(std::filesystem::exists(dir.file("KXLK0001.IX")));

  // Once the files can be moved, the same form is saved as contest 1 with an empty log.
  io.refuseRenameOf.clear();
  dialogs.Clear();
  ASSERT_TRUE(m.FinishClicked());
  EXPECT_TRUE(dialogs.Informs().empty());
  EXPECT_EQ(m.Header().contestNumber(), 1);
  EXPECT_EQ(StoredHeaders(), 1);
  EXPECT_TRUE(std::filesystem::exists(dir.file("KXLK0001_DEL1.DAT")));
  EXPECT_FALSE(QsoLogFilesExist(1));
  model.reset();
  session.reset(); // before the file system it uses
}

// ---------------------------------------------------------------------------------------
// Per-code extras

TEST_F(HeaderModelTest, CodePAsksForTheAgeWithXxForNone) {
  Start('P');
  ContestHeaderModel& m = OpenNew('P');
  EXPECT_TRUE(m.View().zusatzVisible);
  EXPECT_EQ(m.View().label16, "Lebensalter:");
  EXPECT_EQ(m.View().prCaption, "DIGI");
  FillValid(m.form);
  m.form.eJahre = "";
  EXPECT_FALSE(m.FinishClicked());
  EXPECT_EQ(dialogs.Informs(),
            std::vector<std::string>{"Sie haben keine Angabe über Ihr Lebensalter getätigt."});
  EXPECT_TRUE(m.IsMarked(HeaderControl::eJahre));
  EXPECT_EQ(StoredHeaders(), 0);
  m.form.eJahre = "xx";
  ASSERT_TRUE(m.FinishClicked());
  EXPECT_EQ(Stored(1).extraNumber(), -1);
  EXPECT_EQ(OpenExisting(1).form.eJahre, "XX");
  model->form.eJahre = "37";
  ASSERT_TRUE(model->FinishClicked());
  EXPECT_EQ(Stored(1).extraNumber(), 37);
  EXPECT_EQ(OpenExisting(1).form.eJahre, "37");
}

TEST_F(HeaderModelTest, CodeSixShowsNmAndOnlyWarnsWithoutAnHscNumber) {
  Start('6');
  ContestHeaderModel& m = OpenNew('6');
  EXPECT_EQ(m.View().label16, "HSC-Nr:");
  EXPECT_EQ(m.View().jahreMaxLength, 4);
  FillValid(m.form);
  m.form.eJahre = "";
  EXPECT_TRUE(m.StartClicked()); // the header is stored after the warning
  EXPECT_EQ(dialogs.Informs(), std::vector<std::string>{
                                   "Sie haben keine Angabe über die HSC-Mitgliedschaft getätigt."});
  EXPECT_EQ(m.TakeFocusRequest(), HeaderControl::eJahre);
  EXPECT_EQ(Stored(1).extraNumber(), -1);
  EXPECT_EQ(OpenExisting(1).form.eJahre, "NM");
  model->form.eJahre = "0";
  ASSERT_TRUE(model->FinishClicked());
  EXPECT_EQ(Stored(1).extraNumber(), -1);
  model->form.eJahre = "1234";
  ASSERT_TRUE(model->FinishClicked());
  EXPECT_EQ(Stored(1).extraNumber(), 1234);
}

TEST_F(HeaderModelTest, CodeSevenLooksUpTheDigNumberAndStartsDespiteAMissingOne) {
  Seed([] {
    Fileblock* calls = OpenProgramFile(ProgramFile::kCallList);
    ASSERT_EQ(calls->ClearBuffer(), 0);
    CallListRecord c(calls->RecordBuffer());
    c.SetCall("DL1ABC");
    c.SetField(1, "4711");
    c.SetField(2, "815");
    ASSERT_TRUE(AddRecord(*calls));
    CloseProgramFile(calls);
  });
  Start('7');
  ContestHeaderModel& m = OpenNew('7');
  EXPECT_EQ(m.View().label16, "DIG-Nr:");
  EXPECT_EQ(m.form.eJahre, "0");
  m.form.eCall = "dl1abc";
  m.CallLeft();
  EXPECT_EQ(m.form.eJahre, "4711");
  // A number typed already stays.
  m.form.eJahre = "12";
  m.CallLeft();
  EXPECT_EQ(m.form.eJahre, "12");
  // A call that is not listed gives "0".
  m.form.eJahre = "0";
  m.form.eCall = "DK9XX";
  m.CallLeft();
  EXPECT_EQ(m.form.eJahre, "0");

  FillValid(m.form);
  m.form.eJahre = "";
  EXPECT_TRUE(m.StartClicked());
  EXPECT_EQ(dialogs.Informs(), std::vector<std::string>{
                                   "Sie haben keine Angabe über die DIG-Mitgliedschaft getätigt."});
  EXPECT_EQ(StoredHeaders(), 1);
  EXPECT_EQ(OpenExisting(1).form.eJahre, "0");
}

TEST_F(HeaderModelTest, CodeIStoresTheNavalClubAndWarnsExceptForNonMembers) {
  Start('i');
  ContestHeaderModel& m = OpenNew('i');
  EXPECT_EQ(m.View().label15, "Naval Club-Kürzel und Nr:");
  EXPECT_EQ(m.View().label16, "(max.6 Zeichen)");
  FillValid(m.form);
  m.form.eJahre = "";
  m.form.category = 6; // "Non Naval"
  EXPECT_TRUE(m.FinishClicked());
  EXPECT_TRUE(dialogs.Informs().empty());

  ContestHeaderModel& other = OpenNew('i');
  FillValid(other.form);
  other.form.eJahre = "";
  EXPECT_TRUE(other.FinishClicked());
  EXPECT_EQ(
      dialogs.Informs(),
      std::vector<std::string>{"Sie haben keine Angabe über die Naval-Mitgliedschaft getätigt."});
  other.form.eJahre = "MF 123";
  ASSERT_TRUE(other.FinishClicked());
  EXPECT_EQ(Stored(2).clubId(), "MF 123");
  EXPECT_EQ(OpenExisting(2).form.eJahre, "MF 123");
}

TEST_F(HeaderModelTest, CodeUAnswersItsDistrictQuestionFromTheDok) {
  Start('U');
  ContestHeaderModel& m = OpenNew('U');
  EXPECT_TRUE(m.View().frageVisible);
  EXPECT_EQ(m.View().frageCaption, "Distrikt");
  EXPECT_EQ(m.View().frageQuestion, "Teilnehmer aus Distrikt U?");
  EXPECT_FALSE(m.form.eHMja);
  m.form.eDOK = "B01";
  m.DokChanged();
  EXPECT_FALSE(m.form.eHMja);
  m.form.eDOK = "z44";
  m.DokChanged();
  EXPECT_TRUE(m.form.eHMja);
  EXPECT_EQ(m.Header().dok(), "Z44"); // copied at once
  // The answer can still be changed by hand; a DOK outside the list leaves it.
  m.form.eHMja = false;
  m.form.eDOK = "B01";
  m.DokChanged();
  EXPECT_FALSE(m.form.eHMja);
  m.form.eDOK = "U12";
  m.DokChanged();
  EXPECT_TRUE(m.form.eHMja);
  FillValid(m.form);
  m.form.eDOK = "U12";
  ASSERT_TRUE(m.FinishClicked());
  EXPECT_TRUE(Stored(1).yesNoAnswer());
  EXPECT_TRUE(OpenExisting(1).form.eHMja);
}

TEST_F(HeaderModelTest, CodeYStoresTheScoringGroup) {
  Start('Y');
  ContestHeaderModel& m = OpenNew('Y');
  EXPECT_TRUE(m.View().zusatz2Visible);
  EXPECT_EQ(m.form.zusatz2, 0);
  FillValid(m.form);
  m.form.zusatz2 = 1;
  ASSERT_TRUE(m.FinishClicked());
  EXPECT_EQ(Stored(1).extraNumber(), 1);
  EXPECT_EQ(OpenExisting(1).form.zusatz2, 1);
}

TEST_F(HeaderModelTest, CodeBNeedsAStationDescriptionKeptInItsFile) {
  Start('b');
  ContestHeaderModel& m = OpenNew('b');
  EXPECT_TRUE(m.View().stationVisible);
  EXPECT_TRUE(m.View().stationChecksVisible);
  EXPECT_TRUE(m.form.station.empty()); // no file yet: no error
  FillValid(m.form);
  m.form.station = "  \n";
  EXPECT_FALSE(m.FinishClicked());
  EXPECT_EQ(dialogs.Informs(),
            std::vector<std::string>{"Sie haben keine Angaben zur Station getätigt."});
  EXPECT_TRUE(m.IsMarked(HeaderControl::memogroupzusatz3));
  EXPECT_EQ(StoredHeaders(), 0);
  m.form.station = "TRX: Eigenbau\nAntenne: Dipol";
  m.form.bausatz = true;
  m.form.unikat = true;
  ASSERT_TRUE(m.FinishClicked());
  EXPECT_EQ(Stored(1).extraNumber(), 3);
  EXPECT_EQ(ReadFileBytes(dir.file("OQRP     1.STN")), "TRX: Eigenbau\r\nAntenne: Dipol");
  ContestHeaderModel& again = OpenExisting(1);
  EXPECT_EQ(again.form.station, "TRX: Eigenbau\nAntenne: Dipol");
  EXPECT_TRUE(again.form.unikat);
  EXPECT_FALSE(again.form.bausatz);
  again.form.unikat = false;
  again.form.bausatz = true;
  ASSERT_TRUE(again.FinishClicked());
  EXPECT_EQ(Stored(1).extraNumber(), 2);
  again.form.bausatz = false;
  ASSERT_TRUE(again.FinishClicked());
  EXPECT_EQ(Stored(1).extraNumber(), 0);
}

// The header is stored; a station description that cannot be written is reported with the
// cause, and its older file stays as it was.
TEST_F(HeaderModelTest, AStationDescriptionThatCannotBeWrittenIsReported) {
  WriteFileBytes(dir.file("OQRP     1.STN"), "TRX: alt\r\n");
  RefusingIo io;
  io.refuseRenameOf = "1.STN.tmp";
  Start('b', &io);
  ContestHeaderModel& m = OpenNew('b');
  FillValid(m.form);
  m.form.station = "TRX: neu";
  ASSERT_TRUE(m.FinishClicked());
  EXPECT_EQ(dialogs.Informs(), std::vector<std::string>{"Die Datei " + dir.file("OQRP     1.STN") +
                                                        " konnte nicht gespeichert werden. Keine "
                                                        "Zugriffsberechtigung."});
  EXPECT_EQ(StoredHeaders(), 1);
  EXPECT_EQ(ReadFileBytes(dir.file("OQRP     1.STN")), "TRX: alt\r\n");
  EXPECT_FALSE(std::filesystem::exists(dir.file("OQRP     1.STN.tmp")));
  model.reset();
  session.reset(); // before the file system it uses
}

TEST_F(HeaderModelTest, CodeJFreesTheRstAndHidesItsBoxes) {
  Start('j');
  ContestHeaderModel& m = OpenNew('j');
  EXPECT_FALSE(m.View().rstBoxesVisible);
  EXPECT_EQ(m.View().prCaption, "FSK441");
  FillValid(m.form);
  m.form.station = "QRO";
  ASSERT_TRUE(m.FinishClicked());
  EXPECT_TRUE(Stored(1).rstSentFree());
  EXPECT_TRUE(Stored(1).rstRcvdFree());
  ASSERT_EQ(session->Extensions()->FindKey(1, NumKey5(1)), 0);
  EXPECT_TRUE(ContestExtensionRecord(session->Extensions()->RecordBuffer()).rstsNotLocked());
  EXPECT_EQ(ReadFileBytes(dir.file("mssprint     1.STN")), "QRO");
}

} // namespace
} // namespace tarvik::test
