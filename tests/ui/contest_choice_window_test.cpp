// The main window switched between the contests of the catalog, offscreen over real files:
// "Contest wählen" (F2) and its quick search, a Nordic Activity Contest logged from "Neu" to
// its STF file, the list of each code's contests, the choice kept across a restart, the start
// with --contest, and every one of the 44 contests: its main window, header window and log
// window.

#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTableWidget>
#include <QTest>

#include <cctype>
#include <fstream>
#include <string>
#include <vector>

#include "app/contest_choice.h"
#include "app/contest_list.h"
#include "app/data_directory_choice.h"
#include "app/ui/contest_choice_dialog.h"
#include "app/ui/contest_list_window.h"
#include "base/strings.h"
#include "contest/contest_catalog.h"
#include "contest/contest_period.h"
#include "datafiles/contest_record_store.h"
#include "datafiles/contest_records.h"
#include "logging/ui/contest_log_window.h"
#include "outputs/output_contest.h"
#include "outputs/output_kinds.h"
#include "outputs/output_runner.h"
#include "outputs/ui/contest_header_window.h"
#include "recordfile/fileblock.h"
#include "recordfile/key_codec.h"
#include "recordfile/ui/trk_brow.h"
#include "support/fake_clock.h"
#include "support/modal_window.h"
#include "support/session_test_support.h"
#include "widgets/text_codec.h"
#include "widgets/trk_bit_btn.h"
#include "widgets/trk_edit.h"

namespace tarvik {
namespace {

std::string Text(const QWidget* w) {
  if (auto* label = qobject_cast<const QLabel*>(w))
    return FromQString(label->text());
  if (auto* edit = qobject_cast<const QLineEdit*>(w))
    return FromQString(edit->text());
  return FromQString(w->windowTitle());
}

/// Types text at the end of a field, key by key.
void Fill(QLineEdit* edit, const QString& text) {
  edit->setFocus();
  edit->end(false);
  QTest::keyClicks(edit, text);
}

class ContestChoiceWindowTest : public test::SessionFixture {
protected:
  void SetUp() override {
    SessionFixture::SetUp();
    const std::string fixtures = std::string(TARVIK_FIXTURES_DIR) + "/cty/";
    countryFiles = {fixtures + "cty.csv", fixtures + "dok_history.txt"};
  }
  void TearDown() override {
    window.reset();
    SessionFixture::TearDown();
  }

  ContestListWindow& Open(char code = kRememberedContest) {
    window.reset();
    window = std::make_unique<ContestListWindow>(dialogs, nullptr, nullptr, code);
    window->session().SetCountryDataFiles(countryFiles);
    EXPECT_EQ(window->Start(), ContestListWindow::StartResult::kRunning);
    window->resize(1100, 760);
    window->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    return *window;
  }

  /// The contest names the list shows.
  std::vector<std::string> Listed() {
    std::vector<std::string> names;
    QTableWidget* t = window->Brow->table();
    const int rows = window->Brow->model().Browser()->FilledRows();
    for (int r = 0; r < rows; ++r)
      names.push_back(TrimBlanks(FromQString(t->item(r, 0)->text())));
    return names;
  }

  /// Chooses a contest through F2 and the quick search.
  void Choose(const QString& typed) {
    bool chosen = false;
    test::OnModal<ContestChoiceDialog>([&](ContestChoiceDialog& d) {
      QTest::keyClicks(d.eSuche, typed);
      QTest::keyClick(d.eSuche, Qt::Key_Return);
      chosen = true;
    });
    QTest::keyClick(window->Brow->table(), Qt::Key_F2);
    EXPECT_TRUE(chosen);
  }

  std::unique_ptr<ContestListWindow> window;
};

TEST_F(ContestChoiceWindowTest, NacFromNeuToItsStfFileThenBackToCode2AndAcrossARestart) {
  test::FakeClock clock14; // 14.03.2026 12:00
  test::ScopedProcessClock useClock(clock14);
  test::SessionFixture::Seed([] { AddContest('2', "ZELKA Herbst"); });
  ContestListWindow& w = Open();
  EXPECT_EQ(w.ContestCode(), '2');
  EXPECT_EQ(Text(&w), "Bridlow Tarvik Version 2006-1.0");
  EXPECT_EQ(Listed(), std::vector<std::string>{"ZELKA Herbst"});
  dialogs.Clear();

  // F2, "nordic", Enter: the window is the NAC's.
  Choose(QStringLiteral("nordic"));
  ASSERT_EQ(w.ContestCode(), 'N');
  EXPECT_EQ(Text(&w), "Bridlow Tarvik NAC Version 2006-1.0");
  EXPECT_EQ(Text(w.lworked), "\"Nordic Activity Contest\"");
  EXPECT_FALSE(w.imgtitel->isHidden()); // drawn: the NAC brings no title bitmap
  EXPECT_FALSE(w.imglinks->isHidden()); // the neutral logo
  EXPECT_EQ(Text(w.lCopyright).rfind("Tarvik NAC Version 2006-1.0 ", 0), 0u);
  EXPECT_TRUE(Listed().empty());
  EXPECT_TRUE(dialogs.Informs().empty());

  // "Neu": the header window of a NAC contest, dated today (the NAC presets today).
  bool headerDone = false, logDone = false, reviewDone = false;
  test::OnModal<ContestHeaderWindow>([&](ContestHeaderWindow& h) {
    EXPECT_EQ(Text(h.eDatumvon), "14.03.2026");
    EXPECT_EQ(Text(h.eZeitvon), "17:00");
    ASSERT_EQ(h.categoryButtons.size(), 5u);
    EXPECT_EQ(FromQString(h.categoryButtons[0]->text()), "1: erster Dienstag 2 m");
    Fill(h.eName, QStringLiteral("NAC Maerz"));
    Fill(h.eCall, QStringLiteral("dl9zz"));
    Fill(h.eLoc, QStringLiteral("JO31QX"));
    Fill(h.ecname, QStringLiteral("Erika Muster"));
    Fill(h.eStrasse, QStringLiteral("Hauptstr. 1"));
    Fill(h.ePLZ, QStringLiteral("48155"));
    Fill(h.eOrt, QStringLiteral("Muenster"));
    QTest::mouseClick(h.categoryButtons[0], Qt::LeftButton, {}, QPoint(7, 7));
    QTest::mouseClick(h.rZeitUTC, Qt::LeftButton, {}, QPoint(7, 7));
    QTest::mouseClick(h.rssb, Qt::LeftButton, {}, QPoint(7, 7));
    test::OnModal<ContestLogWindow>([&](ContestLogWindow& log) {
      EXPECT_EQ(Text(&log), "Tarvik NAC Version 2006-1.0 Logbuch (Contest : NAC Maerz )");
      EXPECT_EQ(Text(log.lRSTs2), "JO31QX");
      // Call, Enter, locator, Enter.
      for (const auto& [call, locator] : std::vector<std::pair<QString, QString>>{
               {"DL1ABC", "JO41AA"}, {"UA3ABC", "LP30"}, {"DF0XX", "JO41CC"}}) {
        QTest::keyClicks(log.focusWidget(), call);
        QTest::keyClick(log.focusWidget(), Qt::Key_Return);
        EXPECT_EQ(log.focusWidget(), log.eRSTr2) << call.toStdString();
        QTest::keyClicks(log.focusWidget(), locator);
        QTest::keyClick(log.focusWidget(), Qt::Key_Return);
      }
      EXPECT_EQ(Text(log.lNummer), "4");
      test::OnModal<ContestHeaderWindow>([&](ContestHeaderWindow& review) {
        reviewDone = true;
        review.btnOK->click();
      });
      logDone = true;
      log.btnbeenden->click();
    });
    headerDone = true;
    h.btnstart->click();
  });
  w.btnNeuho3->click();
  ASSERT_TRUE(headerDone && logDone && reviewDone);
  EXPECT_EQ(Listed(), std::vector<std::string>{"NAC Maerz"});

  // The totals by the NAC's rules, worked out by hand from JO31QX (QRB to the nearest km by
  // the great circle at 111.12 km a degree; 2 m points = QRB up to 2000, plus 500 for a new
  // square): DL1ABC JO41AA 116 + 500, UA3ABC LP30 2578 -> 2000 + 500, DF0XX JO41CC 113
  // (square JO41 known). Points 3229, squares 2; the NAC's score is its points (the squares
  // have given their bonus already), also as the STF file's claimed score.
  Fileblock* headers = w.session().Headers();
  ASSERT_EQ(headers->FindKey(kContestKeyNumber, NumKey5(2)), 0);
  EXPECT_EQ(ContestHeaderRecord(headers->RecordBuffer()).contestCode(), 'N');
  ContestRecords records;
  ASSERT_EQ(w.session().Records().Read(2, &records), StoreResult::kOk);
  EXPECT_EQ(records.Extension().bandQsos(1), 3);
  EXPECT_EQ(records.Extension().bandPoints(1), 3229);
  EXPECT_EQ(records.Extension().bandMultis(1), 2);

  // Back to code 2: only its contest is listed.
  Choose(QStringLiteral("2"));
  EXPECT_EQ(w.ContestCode(), '2');
  EXPECT_EQ(Text(&w), "Bridlow Tarvik Version 2006-1.0");
  EXPECT_EQ(Listed(), std::vector<std::string>{"ZELKA Herbst"});
  Choose(QStringLiteral("N"));
  EXPECT_EQ(Listed(), std::vector<std::string>{"NAC Maerz"});
  window.reset();

  // The STF file of the NAC contest, as the output menu writes it.
  ASSERT_EQ(InitEngine(), 0);
  test::FakeDialogs quiet;
  const std::optional<OutputContest> contest = LoadOutputContest(2, quiet, clock14);
  ASSERT_TRUE(contest.has_value());
  const std::string stf = dir.file("NAC.STF");
  ASSERT_EQ(WriteOutputFile(
                output_kind::kStfFile, *contest, stf, [] { return true; }, clock14),
            OutputFileStatus::kWritten);
  ASSERT_EQ(ExitEngine(), 0);
  const std::string expected =
      "STF1\r\n"
      "#Data written \"14.03.2026  12:00\"\r\n"
      "#STF-Export generated with Bridlow Tarvik NAC Version 2006-1.0 "
      "https://tarvik.example.org\r\n"
      "Header\r\n"
      "Contest      NAC Maerz\r\n"
      "MyCall       DL9ZZ\r\n"
      "Operator     DL9ZZ\r\n"
      "Category     1: erster Dienstag 2 m\r\n"
      "MailAddress  Erika Muster\r\n"
      "MailAddress  Hauptstr. 1\r\n"
      "MailAddress  Muenster\r\n"
      "MailAddress  48155\r\n"
      "MailAddress  Germany\r\n"
      "EMail\r\n"
      "ClaimedQSO   3\r\n"
      "ClaimedPts   3229\r\n"
      "ClaimedMult  2\r\n"
      "ClaimedScore 3229\r\n"
      "Club\r\n"
      "Specific     \r\n"
      "Power\r\n"
      "Soapbox\r\n"
      "Soapbox\r\n"
      "QsoOrder     Date Time Band Mode Call SRst Sent RRst Rcvd\r\n"
      "EndHeader\r\n"
      "\r\n"
      "QsoList\r\n"
      "     20260314 1200 2    SSB    DL1ABC   59  JO31QX            59  JO41AA           \r\n"
      "     20260314 1200 2    SSB    UA3ABC   59  JO31QX            59  LP30             \r\n"
      "     20260314 1200 2    SSB    DF0XX    59  JO31QX            59  JO41CC           \r\n"
      "EndQSOList\r\n";
  EXPECT_EQ(test::ReadFileBytes(stf), expected);

  // A restart on the same data directory takes the NAC again (the choice made last).
  ContestListWindow& again = Open();
  EXPECT_EQ(again.ContestCode(), 'N');
  EXPECT_EQ(Text(&again), "Bridlow Tarvik NAC Version 2006-1.0");
  EXPECT_EQ(Listed(), std::vector<std::string>{"NAC Maerz"});
}

TEST_F(ContestChoiceWindowTest, QuickSearchEscAndTheStartWithContest) {
  ContestListWindow& w = Open();
  // Typing in the list goes on in the search field; Esc chooses nothing.
  bool seen = false;
  test::OnModal<ContestChoiceDialog>([&](ContestChoiceDialog& d) {
    EXPECT_EQ(d.Highlighted(), '2'); // the contest at hand
    EXPECT_EQ(Text(&d), ContestChoiceCaption());
    // The window's own texts and the catalog's names keep their umlauts.
    EXPECT_EQ(d.table->horizontalHeaderItem(2)->text(), QStringLiteral("nächster Termin"));
    bool thueringen = false;
    for (int r = 0; r < d.table->rowCount(); ++r)
      thueringen = thueringen || d.table->item(r, 0)->text() == QStringLiteral("Thüringen-Contest");
    EXPECT_TRUE(thueringen);
    d.table->setFocus();
    QTest::keyClicks(d.table, "hessen");
    EXPECT_EQ(Text(d.eSuche), "hessen");
    EXPECT_EQ(d.Highlighted(), 'G');
    int shown = 0;
    for (int r = 0; r < d.table->rowCount(); ++r)
      shown += d.table->isRowHidden(r) ? 0 : 1;
    EXPECT_EQ(shown, 1);
    QTest::keyClick(d.eSuche, Qt::Key_Escape);
    seen = true;
  });
  w.btnWaehlen->click();
  EXPECT_TRUE(seen);
  EXPECT_EQ(w.ContestCode(), '2');
  window.reset();

  // tarvik --contest N: the code path of main() (options, then the window with that code).
  const StartOptions options = ReadStartOptions({"--contest", "N"});
  ASSERT_TRUE(options.error.empty());
  ContestListWindow& nac = Open(options.contestCode.value_or(kRememberedContest));
  EXPECT_EQ(Text(&nac), "Bridlow Tarvik NAC Version 2006-1.0");
  EXPECT_EQ(Text(nac.lworked), "\"Nordic Activity Contest\"");
  window.reset();
  // Given at start, not chosen: the next start without --contest is code 2's again.
  EXPECT_EQ(Open().ContestCode(), '2');
}

class EveryContestTest : public ContestChoiceWindowTest,
                         public ::testing::WithParamInterface<char> {};

TEST_P(EveryContestTest, MainHeaderAndLogWindowOfTheContest) {
  const char code = GetParam();
  test::FakeDialogs& d = dialogs;
  d.defaultAnswer = false; // "Nein" to questions (leaving the header window unsaved)
  ContestListWindow& w = Open(code);
  ASSERT_EQ(w.ContestCode(), code);
  EXPECT_EQ(Text(&w), MainWindowCaption(code));
  EXPECT_EQ(Text(w.lworked), ContestTitleLabel(code));
  EXPECT_FALSE(w.imgtitel->isHidden() && ContestTitleBitmap(code).empty());
  EXPECT_FALSE(w.lCopyright->text().isEmpty());

  // "Neu": the header window with the contest's categories and caption.
  const ContestDefinition base = w.session().Definition();
  bool header = false;
  test::OnModal<ContestHeaderWindow>([&](ContestHeaderWindow& h) {
    header = true;
    EXPECT_FALSE(h.windowTitle().isEmpty());
    std::size_t categories = 0;
    for (const auto& c : base.Categories)
      categories += c.description.empty() ? 0 : 1;
    EXPECT_EQ(h.categoryButtons.size(), categories);
    for (std::size_t i = 0; i < h.categoryButtons.size() && i < categories; ++i)
      EXPECT_EQ(FromQString(h.categoryButtons[i]->text()), base.Categories[i].description);
    EXPECT_FALSE(h.eName->isHidden());
    // The period: the catalog's moved to this year, else (no date in the catalog) today.
    const DayNumber today = TodayDay();
    const PeriodDays preset = PresetPeriod(code, today);
    const DayNumber from = preset.start != BadDate ? preset.start : today;
    const DayNumber to = preset.end != BadDate ? preset.end : today;
    EXPECT_EQ(Text(h.eDatumvon), DayToText("dd.mm.yyyy", from));
    EXPECT_EQ(Text(h.eDatumbis), DayToText("dd.mm.yyyy", to));
    h.btnAbbruch->click();
  });
  w.btnNeuho3->click();
  EXPECT_TRUE(header);

  // The log window of a contest of the code (category 1 where it has categories).
  ContestRecords records;
  records.Header().SetContestCode(code);
  records.Header().SetContestName("Probe");
  records.Header().SetCategory(base.Categories[0].description.empty() ? 0 : 1);
  records.Header().SetOwnCall("DL9ZZ");
  records.Header().SetLocator("JO31QX");
  records.Header().MarkCreated();
  ASSERT_EQ(w.session().Records().Add(&records), StoreResult::kOk);
  ASSERT_EQ(w.session().Records().Read(records.Number(), &records), StoreResult::kOk);
  w.session().RebuildDefinition();
  bool logged = false;
  test::OnModal<ContestLogWindow>([&](ContestLogWindow& log) {
    logged = true;
    EXPECT_NE(Text(&log).find("Probe"), std::string::npos) << Text(&log);
    EXPECT_EQ(Text(&log).rfind(w.session().Definition().ProgramTitle, 0), 0u) << Text(&log);
    const QsoSession& s = log.session();
    const std::vector<EntryField> fields = s.Form().FieldsInTabOrder();
    EXPECT_FALSE(fields.empty());
    for (EntryField f : fields) {
      EXPECT_TRUE(log.Edit(f)->isVisibleTo(&log)) << static_cast<int>(f);
      if (QLabel* caption = log.Caption(f)) {
        EXPECT_EQ(FromQString(caption->text()), FieldCaption(f)) << static_cast<int>(f);
      }
    }
    EXPECT_EQ(log.focusWidget(), log.eCall);
    log.btnbeenden->click();
  });
  w.OpenLogWindow(records.Number(), w.session().Definition());
  EXPECT_TRUE(logged);
}

std::vector<char> Codes() {
  const std::string& codes = ChoosableContestCodes();
  return std::vector<char>(codes.begin(), codes.end());
}

INSTANTIATE_TEST_SUITE_P(Catalog, EveryContestTest, ::testing::ValuesIn(Codes()),
                         [](const ::testing::TestParamInfo<char>& info) {
                           const char c = info.param;
                           return std::string(std::isupper(static_cast<unsigned char>(c)) ? "upper_"
                                              : std::islower(static_cast<unsigned char>(c))
                                                  ? "lower_"
                                                  : "digit_") +
                                  c;
                         });

} // namespace
} // namespace tarvik
