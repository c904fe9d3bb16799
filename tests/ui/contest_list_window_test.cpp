// The main window offscreen over real files: the contest list of the build's code with its
// texts and both sorts, the keys the window sees first (Esc, Enter, F10, F1, Del), the own
// call label, the title and logo bitmaps of the data directory, the first start in an empty
// data directory, and the manual.

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QTableWidget>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>

#include <filesystem>
#include <functional>

#include "app/contest_list.h"
#include "app/program_session.h"
#include "app/ui/contest_list_window.h"
#include "base/data_directory.h"
#include "base/help_topics.h"
#include "base/shared_files.h"
#include "datafiles/setup_records.h"
#include "outputs/ui/contest_header_window.h"
#include "recordfile/key_codec.h"
#include "recordfile/ui/trk_brow.h"
#include "support/eventually.h"
#include "support/modal_window.h"
#include "support/session_test_support.h"
#include "widgets/help_hook.h"
#include "widgets/help_request.h"
#include "widgets/help_window.h"
#include "widgets/text_codec.h"
#include "widgets/trk_bit_btn.h"
#include "widgets/trk_edit.h"

namespace tarvik {
namespace {

using test::SessionFixture;

DayNumber Day(int d, int m, int y) {
  return DmyToDay(d, m, y);
}

/// Runs `act` on the header window as soon as the test's next step opens it.
void OnHeaderWindow(std::function<void(ContestHeaderWindow&)> act) {
  test::OnModal<ContestHeaderWindow>(std::move(act));
}

class ContestBrowTest : public SessionFixture {
protected:
  void TearDown() override {
    delete OpenHelpWindow();
    window.reset();
    SetHelpTopicHandler(nullptr);
    SessionFixture::TearDown();
  }

  ContestListWindow& Open() {
    window = std::make_unique<ContestListWindow>(dialogs);
    window->session().SetCountryDataFiles(countryFiles);
    EXPECT_EQ(window->Start(), ContestListWindow::StartResult::kRunning);
    window->resize(1000, 700);
    window->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    return *window;
  }

  void SeedContests() {
    Seed([] {
      AddContest('2', "ZELKA Herbst", Day(10, 9, 2006), Day(11, 9, 2006));
      AddContest('3', "Anderer Contest", Day(1, 1, 2006), Day(1, 1, 2006));
      AddContest('2', "ZELKA Fruehjahr", Day(12, 3, 2007), Day(12, 3, 2007));
      AddContest('W', "Fremdes Werkzeug", Day(2, 2, 2006), Day(2, 2, 2006));
      AddContest('2', "ZELKA Sommer", Day(4, 6, 2006), -1);
    });
  }

  QTableWidget* Table() const { return window->Brow->table(); }

  std::string Cell(int row, int column) const {
    const QTableWidgetItem* item = Table()->item(row, column);
    return item != nullptr ? FromQString(item->text()) : std::string();
  }

  std::string Header(int column) const {
    return FromQString(Table()->horizontalHeaderItem(column)->text());
  }

  int FilledRows() const { return window->Brow->model().Browser()->FilledRows(); }

  std::unique_ptr<ContestListWindow> window;
};

TEST_F(ContestBrowTest, TheListShowsOnlyTheBuildsContestsInBothOrders) {
  SeedContests();
  ContestListWindow& w = Open();
  EXPECT_EQ(w.windowTitle(), QStringLiteral("Bridlow Tarvik Version 2006-1.0"));
  EXPECT_EQ(FilledRows(), 3);
  EXPECT_EQ(Header(0), " Name" + std::string(21, ' '));
  EXPECT_EQ(Header(1), "Datum (von)  ");
  EXPECT_EQ(Header(2).substr(0, 13), "Datum (bis)  ");
  EXPECT_EQ(Cell(0, 0), " ZELKA Fruehjahr ");
  EXPECT_EQ(Cell(0, 1), "12.03.2007   ");
  EXPECT_EQ(Cell(1, 0), " ZELKA Herbst ");
  EXPECT_EQ(Cell(1, 2), "11.09.2006   ");
  EXPECT_EQ(Cell(2, 0), " ZELKA Sommer ");
  EXPECT_EQ(Cell(2, 2), std::string(13, ' ')); // no end date
  EXPECT_EQ(Cell(3, 0), "");

  // "Datum": start date first, in date order.
  QComboBox* sort = w.Brow->sortList();
  ASSERT_EQ(sort->count(), 2);
  EXPECT_EQ(sort->itemText(1), QStringLiteral("Datum"));
  sort->setFocus();
  QTest::keyClick(sort, Qt::Key_Down);
  QTest::keyClick(sort, Qt::Key_Down);
  EXPECT_EQ(w.Brow->GetKeyNumber(), kContestKeyDate);
  EXPECT_EQ(Header(0), " Datum (von)  ");
  EXPECT_EQ(Header(1), " Name" + std::string(21, ' '));
  EXPECT_EQ(Cell(0, 0), " 04.06.2006   ");
  EXPECT_EQ(Cell(0, 1), "ZELKA Sommer ");
  EXPECT_EQ(Cell(2, 1), "ZELKA Fruehjahr ");
  EXPECT_EQ(FilledRows(), 3);
}

TEST_F(ContestBrowTest, EscAnsweredWithNoKeepsTheWindowOpen) {
  SeedContests();
  ContestListWindow& w = Open();
  dialogs.confirmAnswers = {false, false};
  QTest::keyClick(Table(), Qt::Key_Escape);
  EXPECT_EQ(dialogs.Questions(), std::vector<std::string>{"Programm beenden?"});
  EXPECT_TRUE(w.isVisible());
  // Esc in the search field reaches the window first as well.
  w.Brow->searchField()->setFocus();
  QTest::keyClick(w.Brow->searchField(), Qt::Key_Escape);
  EXPECT_EQ(dialogs.Questions().size(), 2u);
  EXPECT_TRUE(w.isVisible());
  EXPECT_FALSE(w.session().Closed());
  // Yes closes it, in the closing order.
  dialogs.confirmAnswers = {true};
  QTest::keyClick(Table(), Qt::Key_Escape);
  EXPECT_FALSE(w.isVisible());
  EXPECT_TRUE(w.session().Closed());
  EXPECT_FALSE(EngineRunning());
  EXPECT_EQ(halts, 0);
}

TEST_F(ContestBrowTest, FirstStartInAnEmptyDataDirectory) {
  ContestListWindow& w = Open();
  for (const char* name :
       {"KXSETUP", "KXSETUP2", "KXPRO", "KXPREFIX", "KXPREFEE", "KXPREFES", "KXKK", "KXKZ"})
    EXPECT_TRUE(std::filesystem::exists(dir.file(std::string(name) + ".DAT"))) << name;
  EXPECT_EQ(dialogs.Informs(), std::vector<std::string>{PrefixTableMissingMessage()});
  EXPECT_EQ(FilledRows(), 0);
  // "Neu" at once: the version reminder, then the header window of a new contest.
  HeaderWindowMode shown = HeaderWindowMode::kReview;
  OnHeaderWindow([&](ContestHeaderWindow& h) {
    shown = h.model().IsExisting() ? HeaderWindowMode::kExisting : HeaderWindowMode::kNew;
    h.btnAbbruch->click();
  });
  w.AfterShown();
  EXPECT_EQ(shown, HeaderWindowMode::kNew);
  EXPECT_EQ(dialogs.Informs(),
            (std::vector<std::string>{PrefixTableMissingMessage(), VersionReminder()}));
  EXPECT_EQ(FilledRows(), 0); // cancelled: no contest
  // With neither call sign nor listener name, the call label and "für" are hidden.
  EXPECT_TRUE(w.lCall->isHidden());
  EXPECT_TRUE(w.lUtils->isHidden());
  EXPECT_EQ(w.MenueBeenden->text(), QStringLiteral("Beenden"));
  w.close();
  EXPECT_EQ(halts, 0);
}

TEST_F(ContestBrowTest, EnterF10AndDoubleClickOpenTheContestOnce) {
  SeedContests();
  ContestListWindow& w = Open();
  dialogs.Clear();
  std::vector<QString> names;
  auto cancel = [&](ContestHeaderWindow& h) {
    names.push_back(h.eName->text());
    h.btnAbbruch->click();
  };
  QTest::keyClick(Table(), Qt::Key_Down);
  OnHeaderWindow(cancel);
  QTest::keyClick(Table(), Qt::Key_Return);
  OnHeaderWindow(cancel);
  QTest::keyClick(w.Brow->searchField(), Qt::Key_F10);
  OnHeaderWindow(cancel);
  QTest::mouseDClick(Table()->viewport(), Qt::LeftButton, {},
                     Table()->visualItemRect(Table()->item(1, 0)).center());
  EXPECT_EQ(names, std::vector<QString>(3, QStringLiteral("ZELKA Herbst")));
  EXPECT_TRUE(dialogs.Informs().empty());
  // "Starten" made sure the contest has its extension record.
  EXPECT_EQ(w.session().Extensions()->FindKey(1, NumKey5(1)), 0);
  EXPECT_EQ(Cell(Table()->selectedItems().front()->row(), 0), " ZELKA Herbst ");
}

TEST_F(ContestBrowTest, DelIsLoeschenWithItsQuestionAndTheExtensionRecord) {
  SeedContests();
  ContestListWindow& w = Open();
  QTest::keyClick(Table(), Qt::Key_Down); // ZELKA Herbst, number 1
  OnHeaderWindow([](ContestHeaderWindow& h) { h.btnAbbruch->click(); });
  w.btnAendernHo3->click(); // gives it its extension record
  ASSERT_EQ(w.session().Extensions()->FindKey(1, NumKey5(1)), 0);
  dialogs.Clear();
  dialogs.confirmAnswers = {true};
  QTest::keyClick(Table(), Qt::Key_Delete);
  EXPECT_EQ(dialogs.Questions(), std::vector<std::string>{ContestDeleteQuestion("ZELKA Herbst")});
  EXPECT_EQ(FilledRows(), 2);
  EXPECT_EQ(Cell(1, 0), " ZELKA Sommer ");
  EXPECT_EQ(w.session().Extensions()->FindKey(1, NumKey5(1)), 1);
  // The button does the same.
  dialogs.confirmAnswers = {true};
  w.btnLoeschenHo3->click();
  EXPECT_EQ(FilledRows(), 1);
}

TEST_F(ContestBrowTest, OwnCallLabelAndHelp) {
  Seed([] {
    Fileblock* setup = OpenProgramFile(ProgramFile::kSetup);
    ASSERT_EQ(setup->ClearBuffer(), 0);
    SetupRecord(setup->RecordBuffer()).SetListenerName("DE1SWL");
    ASSERT_TRUE(AddRecord(*setup));
    CloseProgramFile(setup);
  });
  ContestListWindow& w = Open();
  EXPECT_EQ(w.lCall->text(), QStringLiteral("DE1SWL"));
  EXPECT_EQ(w.lUtils->text(), QStringLiteral("für"));
  EXPECT_FALSE(w.lCall->isHidden());
  EXPECT_FALSE(w.lUtils->isHidden());
  w.session().Settings().ownCall = "DL1ABC";
  w.ShowOwnCall();
  EXPECT_EQ(w.lCall->text(), QStringLiteral("DL1ABC"));

  // F1 and "Hilfe" ask for the main window's topic.
  std::vector<int> topics;
  SetHelpTopicHandler([&](int topic) { topics.push_back(topic); });
  QTest::keyClick(Table(), Qt::Key_F1);
  w.btnHilfeHo3->click();
  EXPECT_EQ(topics, (std::vector<int>{310110018, 310110018}));

  // The menu label turns red under the mouse.
  QEvent enter(QEvent::Enter);
  QApplication::sendEvent(w.MenueBeenden, &enter);
  EXPECT_TRUE(w.MenueBeenden->autoFillBackground());
  QEvent leave(QEvent::Leave);
  QApplication::sendEvent(w.MenueBeenden, &leave);
  EXPECT_FALSE(w.MenueBeenden->autoFillBackground());

  // "Schließen" closes the program in order.
  w.btnendeho3->click();
  EXPECT_TRUE(w.session().Closed());
}

TEST_F(ContestBrowTest, TitleAndLogoBitmapsComeFromTheDataDirectory) {
  // The data directory is not the working directory here.
  test::TempDataDir data;
  const std::string dataDir = data.path();
  QImage title(120, 40, QImage::Format_RGB32);
  title.fill(Qt::darkBlue);
  ASSERT_TRUE(title.save(PathToQString(dataDir + "titel_tarvik.bmp"), "BMP"));
  QImage logo(80, 100, QImage::Format_RGB32);
  logo.fill(Qt::darkGreen);
  ASSERT_TRUE(logo.save(PathToQString(dataDir + "Westfalen-Nord.BMP"), "BMP"));
  std::filesystem::current_path(dir.path());
  SetDataDirectory(dataDir);
  ContestListWindow& w = Open();
  EXPECT_FALSE(w.imgtitel->isHidden());
  EXPECT_EQ(w.imgtitel->size(), QSize(120, 40));
  EXPECT_FALSE(w.imglinks->isHidden());
  EXPECT_FALSE(w.lworked->isHidden());
  EXPECT_EQ(w.lworked->text(), QStringLiteral("\"Westfalen Nord QRP Aktivitäts Contest\""));
  // The fileblocks are in the data directory too.
  EXPECT_TRUE(std::filesystem::exists(dataDir + "KXKK.DAT"));
  EXPECT_FALSE(std::filesystem::exists(dir.file("KXKK.DAT")));
  window.reset();
  SetDataDirectory(dir.path());

  // Without the files the pictures stay hidden, without a message.
  dialogs.Clear();
  ContestListWindow& plain = Open();
  EXPECT_TRUE(plain.imgtitel->isHidden());
  EXPECT_TRUE(plain.imglinks->isHidden());
  EXPECT_EQ(dialogs.Informs().size(), 1u); // only the prefix table's message
}

TEST_F(ContestBrowTest, F1AndHilfeOpenTheManualAtTheContestListOrSayWhyNot) {
  SeedContests();
  ContestListWindow& w = Open();
  dialogs.Clear();
  // The manual the build put beside the tests (<build>/share/tarvik).
  QTest::keyClick(Table(), Qt::Key_F1);
  HelpWindow* help = OpenHelpWindow();
  ASSERT_NE(help, nullptr);
  EXPECT_TRUE(help->isVisible());
  EXPECT_EQ(help->CurrentUrl().fileName(), QStringLiteral("contest-list.html"));
  EXPECT_TRUE(help->ManualDirectory().endsWith(QStringLiteral("/manual/de")));
  help->browser()->setSource(QUrl(QStringLiteral("outputs.html")));
  w.btnHilfeHo3->click();
  EXPECT_EQ(OpenHelpWindow(), help); // the same window, at the topic again
  EXPECT_EQ(help->CurrentUrl().fileName(), QStringLiteral("contest-list.html"));
  EXPECT_TRUE(dialogs.events.empty());
  help->close();
  EXPECT_TRUE(test::Eventually([] { return OpenHelpWindow() == nullptr; }));

  // Without the manual: a message that says where it was looked for, and no window.
  test::TempDataDir empty;
  SetSharedFilesDirectory(empty.path());
  QTest::keyClick(Table(), Qt::Key_F1);
  EXPECT_EQ(OpenHelpWindow(), nullptr);
  ASSERT_EQ(dialogs.Informs().size(), 1u);
  EXPECT_EQ(dialogs.Informs()[0], ManualMissingMessage());
  EXPECT_NE(dialogs.Informs()[0].find(empty.path()), std::string::npos);
  SetSharedFilesDirectory("");
  // After the message the list still has the keyboard.
  dialogs.Clear();
  dialogs.confirmAnswers = {false};
  QTest::keyClick(Table(), Qt::Key_Delete);
  EXPECT_EQ(dialogs.Questions().size(), 1u);
}

TEST_F(ContestBrowTest, AfterAClickOnAButtonDelStillDeletesInTheList) {
  SeedContests();
  ContestListWindow& w = Open();
  QTest::keyClick(Table(), Qt::Key_Down); // ZELKA Herbst
  // A click on "Neu" (cancelled) and on "Extras": the keyboard is the list's again.
  OnHeaderWindow([](ContestHeaderWindow& h) { h.btnAbbruch->click(); });
  QTest::mouseClick(w.btnNeuho3, Qt::LeftButton);
  EXPECT_TRUE(w.Brow->isAncestorOf(w.focusWidget()));
  dialogs.Clear();
  dialogs.openAnswers = {std::nullopt};
  w.actionDokListe->trigger();
  EXPECT_TRUE(w.Brow->isAncestorOf(w.focusWidget()));
  // Wherever the focus is in the window (its background, a button), Del reaches the list.
  w.setFocus();
  dialogs.Clear();
  dialogs.confirmAnswers = {false};
  QTest::keyClick(&w, Qt::Key_Delete);
  ASSERT_EQ(dialogs.Questions().size(), 1u);
  EXPECT_NE(dialogs.Questions()[0].find("ZELKA"), std::string::npos);
  EXPECT_EQ(FilledRows(), 3); // answered No
  w.btnExtras->setFocusPolicy(Qt::ClickFocus);
  w.btnExtras->setFocus();
  dialogs.confirmAnswers = {true};
  QTest::keyClick(w.btnExtras, Qt::Key_Delete);
  EXPECT_EQ(dialogs.Questions().size(), 2u);
  EXPECT_EQ(FilledRows(), 2);
  // The arrows too.
  w.setFocus();
  QTest::keyClick(&w, Qt::Key_Down);
  EXPECT_TRUE(w.Brow->isAncestorOf(w.focusWidget()));
}

TEST_F(ContestBrowTest, ExtrasRefreshTheCountryDataAndTheDokListFromChosenFiles) {
  ContestListWindow& w = Open();
  const std::string fixtures = std::string(TARVIK_FIXTURES_DIR) + "/cty/";
  EXPECT_EQ(w.btnExtras->rkMenue(), w.menuExtras);
  ASSERT_EQ(w.menuExtras->actions().size(), 2);
  EXPECT_EQ(w.actionLaenderdaten->text(), QStringLiteral("Länderdaten aktualisieren…"));
  EXPECT_EQ(w.actionDokListe->text(), QStringLiteral("DOK-Liste übernehmen…"));

  dialogs.Clear();
  dialogs.openAnswers = {fixtures + "cty.csv"};
  w.actionLaenderdaten->trigger();
  ASSERT_EQ(dialogs.Texts(test::FakeDialogs::Kind::OpenFile).size(), 1u);
  ASSERT_EQ(dialogs.Informs().size(), 1u);
  EXPECT_NE(dialogs.Informs()[0].find(": 20 L"), std::string::npos) << dialogs.Informs()[0];

  dialogs.Clear();
  dialogs.openAnswers = {fixtures + "dok_history.txt"};
  w.actionDokListe->trigger();
  ASSERT_EQ(dialogs.Informs().size(), 1u);
  EXPECT_NE(dialogs.Informs()[0].find("7 DOKs"), std::string::npos) << dialogs.Informs()[0];

  // Cancelled dialogs change nothing and say nothing.
  dialogs.Clear();
  dialogs.openAnswers = {std::nullopt};
  w.actionLaenderdaten->trigger();
  EXPECT_TRUE(dialogs.Informs().empty());
}

} // namespace
} // namespace tarvik
