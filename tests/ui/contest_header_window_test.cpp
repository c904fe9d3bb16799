// The contest header window offscreen over real files: a contest of code 2 created from an
// empty data directory by typing into the real fields and "Contest starten", reopened with
// "Starten"; Esc answered with No; the light red of a failed field; the three modes; the
// category group in two columns; the extras of a code; the evaluation panel; the output menu.

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDate>
#include <QFileInfo>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QRadioButton>
#include <QScreen>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>

#include <cstdlib>
#include <functional>

#include "app/contest_list.h"
#include "app/ui/contest_list_window.h"
#include "base/help_topics.h"
#include "datafiles/call_records.h"
#include "datafiles/program_files.h"
#include "datafiles/qso_record.h"
#include "datafiles/setup_records.h"
#include "logging/ui/contest_log_window.h"
#include "outputs/output_run.h"
#include "outputs/ui/contest_header_window.h"
#include "outputs/ui/file_editor_window.h"
#include "outputs/ui/participant_dialog.h"
#include "radio/date_time.h"
#include "recordfile/key_codec.h"
#include "recordfile/ui/trk_brow.h"
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

const QColor kLightRed(255, 128, 128);

/// Runs `act` on the header window as soon as the test's next step opens it.
void OnHeaderWindow(std::function<void(ContestHeaderWindow&)> act) {
  test::OnModal<ContestHeaderWindow>(std::move(act));
}

/// A mouse click on a radio button's or check box's indicator.
void Click(QAbstractButton* button) {
  QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(7, button->height() / 2));
}

/// Types `text` at the end of the field as key presses (umlauts included).
void Type(QLineEdit* edit, const QString& text) {
  edit->setFocus();
  edit->end(false);
  for (const QChar c : text) {
    QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
    QApplication::sendEvent(edit, &press);
    QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, QString(c));
    QApplication::sendEvent(edit, &release);
  }
}

class EingContestStdTest : public SessionFixture {
protected:
  void TearDown() override {
    window.reset();
    brow.reset();
    SessionFixture::TearDown();
  }

  ContestListWindow& OpenMain() {
    brow = std::make_unique<ContestListWindow>(dialogs);
    brow->session().SetCountryDataFiles(countryFiles);
    EXPECT_EQ(brow->Start(), ContestListWindow::StartResult::kRunning);
    brow->resize(1000, 700);
    brow->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(brow.get()));
    return *brow;
  }

  /// The window on its own over a started session.
  ContestHeaderWindow& OpenWindow(HeaderWindowMode mode, char code = '2') {
    if (!session)
      Start(code);
    window = std::make_unique<ContestHeaderWindow>(*session, mode);
    window->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    dialogs.Clear();
    return *window;
  }

  /// A stored contest of code `code` (category 1) with everything filled in; its number.
  std::int32_t StoreContest(const std::function<void(ContestHeaderModel&)>& change = {},
                            char code = '2') {
    Start(code);
    ContestHeaderModel m(*session, HeaderWindowMode::kNew, code);
    m.Open();
    m.form.eName = "ZELKA Herbst";
    m.form.ePLZ = "48155";
    m.form.eOrt = "Muenster";
    m.form.eLoc = "JO32QA";
    m.form.eCall = "DL1ABC";
    m.form.eDOK = "N13";
    m.form.eDatumvon = "10.09.2026";
    m.form.eDatumbis = "10.09.2026";
    m.form.clock = ClockChoice::kUtc;
    m.form.category = 1;
    if (change)
      change(m);
    EXPECT_TRUE(m.FinishClicked());
    return m.Header().contestNumber();
  }

  std::string StoredName(std::int32_t number) {
    Fileblock* kk = brow ? brow->session().Headers() : session->Headers();
    EXPECT_EQ(kk->FindKey(3, NumKey5(number)), 0);
    return ContestHeaderRecord(kk->RecordBuffer()).contestName();
  }

  std::unique_ptr<ContestListWindow> brow;
  std::unique_ptr<ContestHeaderWindow> window;
};

TEST_F(EingContestStdTest, ACodeTwoContestIsCreatedFromAnEmptyDataDirectoryAndReopened) {
  ContestListWindow& w = OpenMain();
  bool closed = false;
  bool logged = false;
  bool reviewed = false;
  OnHeaderWindow([&](ContestHeaderWindow& h) {
    EXPECT_EQ(h.windowTitle(), QStringLiteral("\"ZELKA\"  Contest-Konfiguration"));
    EXPECT_TRUE(h.btnstart->isVisible());
    EXPECT_TRUE(h.btnstart->isDefault());
    EXPECT_EQ(h.eZeitvon->text(), QStringLiteral("19:00"));
    // A new contest is dated today (the program's clock is the computer's here).
    const QString today = QDate::currentDate().toString(QStringLiteral("dd.MM.yyyy"));
    EXPECT_EQ(h.eDatumvon->text(), today);
    EXPECT_EQ(h.eDatumbis->text(), today);
    Type(h.eName, QStringLiteral("ZELKA Mai"));
    h.eDatumvon->clear();
    Type(h.eDatumvon, QStringLiteral("05.05.2026"));
    h.eDatumbis->clear();
    Type(h.eDatumbis, QStringLiteral("5.5.26"));
    Type(h.eCall, QStringLiteral("dl1abc"));
    Type(h.eDOK, QStringLiteral("n13"));
    Type(h.eLoc, QStringLiteral("jo32qa"));
    Type(h.ecname, QStringLiteral("Erika Muster"));
    Type(h.eStrasse, QStringLiteral("Hauptstraße 1"));
    Type(h.ePLZ, QStringLiteral("48155"));
    Type(h.eOrt, QStringLiteral("Münster"));
    EXPECT_EQ(h.eCall->text(), QStringLiteral("DL1ABC")); // upper case while typing
    ASSERT_EQ(h.categoryButtons.size(), 1u);
    EXPECT_EQ(h.categoryButtons[0]->text(), QStringLiteral("alle"));
    Click(h.categoryButtons[0]);
    Click(h.rZeitOrt);
    Click(h.rssb);
    // "Contest starten" opens the log of the new contest, and after it the header window
    // for review.
    test::OnModal<ContestLogWindow>([&](ContestLogWindow& log) {
      logged = log.windowTitle().contains(QStringLiteral("ZELKA Mai"));
      OnHeaderWindow([&](ContestHeaderWindow& review) {
        reviewed = !review.btnstart->isVisible() && review.btnOK->isVisible();
        review.btnOK->click();
      });
      log.btnbeenden->click();
    });
    Click(h.btnstart);
    closed = !h.isVisible();
    if (!closed) {
      ADD_FAILURE() << "still open after: " << dialogs.LastMessage();
      h.btnAbbruch->click();
    }
  });
  w.AfterShown();
  EXPECT_TRUE(closed);
  EXPECT_TRUE(logged);
  EXPECT_TRUE(reviewed);
  // "Start" wrote header and extension back.
  EXPECT_EQ(dialogs.Informs(),
            (std::vector<std::string>{PrefixTableMissingMessage(), VersionReminder()}));
  Fileblock* kk = w.session().Headers();
  ASSERT_EQ(kk->FindKey(3, NumKey5(1)), 0);
  {
    const ContestHeaderRecord h(kk->RecordBuffer());
    EXPECT_EQ(h.contestName(), "ZELKA Mai");
    EXPECT_EQ(h.ownCall(), "DL1ABC");
    EXPECT_EQ(h.dok(), "N13");
    EXPECT_EQ(h.locator(), "JO32QA");
    EXPECT_EQ(h.dateFrom(), DmyToDay(5, 5, 2026));
    EXPECT_EQ(h.dateTo(), DmyToDay(5, 5, 2026));
    EXPECT_EQ(h.timeFrom(), HmsToTime(19, 0, 0));
    EXPECT_EQ(h.category(), 1);
    EXPECT_TRUE(h.startSsb());
    EXPECT_EQ(ToQString(h.postcode()), QStringLiteral("48155"));
  }
  EXPECT_EQ(w.session().Extensions()->FindKey(1, NumKey5(1)), 0);
  EXPECT_EQ(UtcCorrection(), -2);
  EXPECT_EQ(w.lCall->text(), QStringLiteral("DL1ABC"));
  EXPECT_EQ(w.Brow->model().Browser()->FilledRows(), 1);

  // "Starten" shows what was stored; the category can no longer be changed.
  dialogs.Clear();
  bool shown = false;
  OnHeaderWindow([&](ContestHeaderWindow& h) {
    shown = true;
    EXPECT_EQ(h.eName->text(), QStringLiteral("ZELKA Mai"));
    EXPECT_EQ(h.eDatumvon->text(), QStringLiteral("05.05.2026"));
    EXPECT_EQ(h.eDatumbis->text(), QStringLiteral("05.05.2026"));
    EXPECT_EQ(h.eZeitbis->text(), QStringLiteral("21:00"));
    EXPECT_EQ(h.eCall->text(), QStringLiteral("DL1ABC"));
    EXPECT_EQ(h.eDOK->text(), QStringLiteral("N13"));
    EXPECT_EQ(h.eLoc->text(), QStringLiteral("JO32QA"));
    EXPECT_EQ(h.ePLZ->text(), QStringLiteral("48155"));
    EXPECT_EQ(h.eOrt->text(), QStringLiteral("Münster"));
    EXPECT_EQ(h.eStrasse->text(), QStringLiteral("Hauptstraße 1"));
    EXPECT_TRUE(h.categoryButtons[0]->isChecked());
    EXPECT_FALSE(h.eteilnahmeart->isEnabled());
    EXPECT_TRUE(h.rZeitOrt->isChecked());
    EXPECT_TRUE(h.rssb->isChecked());
    EXPECT_FALSE(h.rPR->isEnabled());
    h.btnOK->click(); // "Beenden": saved, not started
  });
  w.btnAendernHo3->click();
  EXPECT_TRUE(shown);
  EXPECT_TRUE(dialogs.events.empty());
  EXPECT_EQ(halts, 0);
}

TEST_F(EingContestStdTest, EscAnsweredWithNoDiscardsTheEdits) {
  const std::int32_t number = StoreContest();
  session.reset();
  ContestListWindow& w = OpenMain();
  dialogs.Clear();
  OnHeaderWindow([&](ContestHeaderWindow& h) {
    Type(h.eName, QStringLiteral(" geaendert"));
    Click(h.rZeitOrt);
    dialogs.confirmAnswers = {false};
    QTest::keyClick(h.eName, Qt::Key_Escape);
    EXPECT_FALSE(h.isVisible());
  });
  w.btnAendernHo3->click();
  EXPECT_EQ(dialogs.Questions(), std::vector<std::string>{ApplyChangesQuestion()});
  EXPECT_EQ(StoredName(number), "ZELKA Herbst");
  EXPECT_EQ(UtcCorrection(), 0);

  // Yes keeps them, as "Beenden".
  dialogs.Clear();
  OnHeaderWindow([&](ContestHeaderWindow& h) {
    Type(h.eName, QStringLiteral(" 2"));
    dialogs.confirmAnswers = {true};
    QTest::keyClick(h.eName, Qt::Key_Escape);
    EXPECT_FALSE(h.isVisible());
  });
  w.btnAendernHo3->click();
  EXPECT_EQ(StoredName(number), "ZELKA Herbst 2");
  EXPECT_TRUE(dialogs.Informs().empty()); // no log window: not started
}

TEST_F(EingContestStdTest, AFailedCheckColoursItsFieldUntilThePersonTypes) {
  ContestHeaderWindow& w = OpenWindow(HeaderWindowMode::kNew);
  const QColor normal = w.eName->palette().color(QPalette::Base);
  w.btnstart->click();
  EXPECT_EQ(dialogs.Informs(), std::vector<std::string>{"Eingabe eines Contest-Namens notwendig."});
  EXPECT_TRUE(w.isVisible());
  EXPECT_EQ(w.eName->palette().color(QPalette::Base), kLightRed);
  Type(w.eName, QStringLiteral("Z"));
  EXPECT_EQ(w.eName->palette().color(QPalette::Base), normal);

  // A group is coloured as a whole; choosing in it restores it.
  Type(w.ePLZ, QStringLiteral("48155"));
  Type(w.eLoc, QStringLiteral("JO32QA"));
  Type(w.eDOK, QStringLiteral("N13"));
  Type(w.eCall, QStringLiteral("DL1ABC"));
  w.eDatumvon->clear();
  Type(w.eDatumvon, QStringLiteral("01.02.2026"));
  w.eDatumbis->clear();
  Type(w.eDatumbis, QStringLiteral("01.02.2026"));
  dialogs.Clear();
  w.btnstart->click();
  EXPECT_EQ(dialogs.Informs().size(), 1u);
  EXPECT_TRUE(w.model().IsMarked(HeaderControl::grouputc));
  EXPECT_EQ(w.grouputc->palette().color(QPalette::Window), kLightRed);
  EXPECT_TRUE(w.grouputc->autoFillBackground());
  Click(w.rZeitUTC);
  EXPECT_NE(w.grouputc->palette().color(QPalette::Window), kLightRed);
  // Nothing was written by the failed attempts.
  std::int32_t used = -1;
  EXPECT_EQ(session->Headers()->UsedRecords(&used), 0);
  EXPECT_EQ(used, 0);
}

TEST_F(EingContestStdTest, TheNameTakesTwentyFiveCharactersAndBeepsAtMore) {
  ContestHeaderWindow& w = OpenWindow(HeaderWindowMode::kNew);
  EXPECT_EQ(w.eName->maxLength(), 25);
  Type(w.eName, QStringLiteral("Westfalen Nord QRP Contest 2026"));
  EXPECT_EQ(w.eName->text(), QStringLiteral("Westfalen Nord QRP Contes"));
  EXPECT_EQ(dialogs.Beeps(), 6); // one for every character refused
  // Pasted text is refused audibly as well.
  dialogs.Clear();
  w.eName->clear();
  w.eName->insert(QStringLiteral("ZELKA Herbst 2026 Westfalen Nord"));
  EXPECT_EQ(w.eName->text().size(), 25);
  EXPECT_GE(dialogs.Beeps(), 1);
}

TEST_F(EingContestStdTest, F1AndHilfeOpenTheManualAtTheHeaderWindow) {
  ContestHeaderWindow& w = OpenWindow(HeaderWindowMode::kNew);
  InstallHelpHook(dialogs);
  QTest::keyClick(w.eName, Qt::Key_F1);
  HelpWindow* help = OpenHelpWindow();
  ASSERT_NE(help, nullptr);
  EXPECT_EQ(help->CurrentUrl().fileName(), QStringLiteral("header.html"));
  help->browser()->setSource(QUrl(QStringLiteral("index.html")));
  w.btnHilfe->click();
  EXPECT_EQ(OpenHelpWindow()->CurrentUrl().fileName(), QStringLiteral("header.html"));
  EXPECT_TRUE(dialogs.events.empty());
  delete OpenHelpWindow();
  SetHelpTopicHandler(nullptr);
}

TEST_F(EingContestStdTest, ReviewModeOffersOnlyBeenden) {
  const std::int32_t number = StoreContest();
  ASSERT_EQ(session->Headers()->FindKey(3, NumKey5(number)), 0);
  ContestHeaderWindow& w = OpenWindow(HeaderWindowMode::kReview);
  EXPECT_EQ(w.windowTitle(), QStringLiteral("\"ZELKA\""));
  EXPECT_FALSE(w.btnstart->isVisible());
  EXPECT_FALSE(w.btnAbbruch->isVisible());
  EXPECT_TRUE(w.btnOK->isVisible());
  EXPECT_TRUE(w.btnOK->isDefault());
  EXPECT_TRUE(w.btnDruck->isVisible());
  // Enter is "Beenden" here.
  QTest::keyClick(w.eName, Qt::Key_Return);
  EXPECT_FALSE(w.isVisible());
  EXPECT_FALSE(w.StartRequested());
}

TEST_F(EingContestStdTest, TheEvaluationPanelShowsTheStoredTotals) {
  const std::int32_t number = StoreContest();
  ASSERT_EQ(session->Extensions()->FindKey(1, NumKey5(number)), 0);
  ContestExtensionRecord x(session->Extensions()->RecordBuffer());
  x.SetBandQsos(1, 10);
  x.SetBandMultis(1, 4);
  x.SetBandPoints(1, 25);
  ASSERT_EQ(session->Extensions()->Update(), 0);
  ASSERT_EQ(session->Headers()->FindKey(3, NumKey5(number)), 0);
  ContestHeaderWindow& w = OpenWindow(HeaderWindowMode::kExisting);
  EXPECT_EQ(w.lQSO[0]->text(), QStringLiteral("2 m"));
  EXPECT_EQ(w.lPunkte[0]->text(), QStringLiteral("2 m"));
  EXPECT_TRUE(w.lQSO[0]->isVisible());
  EXPECT_FALSE(w.lQSO[1]->isVisible());
  EXPECT_EQ(w.leQSO[0]->text().trimmed(), QStringLiteral("10"));
  EXPECT_EQ(w.Label28->text(), QStringLiteral("10 QSO"));
  EXPECT_EQ(w.Label19->text(), QStringLiteral("4 Multi x"));
  EXPECT_EQ(w.Label20->text(), QStringLiteral("25 Punkte ="));
  EXPECT_EQ(w.Label21->text(), QStringLiteral("100 Pkt."));
}

TEST_F(EingContestStdTest, TheOutputMenuSavesFirstAndOffersTheContestsOutputs) {
  StoreContest();
  ASSERT_EQ(session->Headers()->FindKey(3, NumKey5(1)), 0);
  ContestHeaderWindow& w = OpenWindow(HeaderWindowMode::kExisting);
  Type(w.ecname, QStringLiteral("Erika Muster"));
  w.btnDruck->click();
  // The address is incomplete (no street): a warning, and the header is saved anyway.
  EXPECT_EQ(dialogs.Informs(),
            std::vector<std::string>{"Die Adress-Angaben sind nicht vollst\xE4ndig."});
  EXPECT_TRUE(w.menuDruck->isVisible());
  EXPECT_TRUE(w.isVisible());
  EXPECT_TRUE(w.druckItems.at("DruckSTF")->isEnabled());
  EXPECT_EQ(w.druckItems.at("DruckSTF")->text(), QStringLiteral("STF-Datei (empfohlen)"));
  EXPECT_FALSE(w.druckItems.at("DruckEDI")->isEnabled());
  EXPECT_EQ(w.druckItems.at("DruckEDI")->text(), QStringLiteral("EDI-Datei"));
  EXPECT_FALSE(w.druckItems.at("DruckCabrillo")->isEnabled());
  EXPECT_TRUE(w.druckItems.at("DruckCSV")->isEnabled());
  int separators = 0;
  for (QAction* a : w.menuDruck->actions())
    separators += a->isSeparator() ? 1 : 0;
  EXPECT_EQ(separators, 3);
  dialogs.Clear();
  w.druckItems.at("DruckSTF")->trigger();
  w.menuDruck->hide();
  // The output run asks where the file goes (the test cancels the dialog).
  EXPECT_EQ(dialogs.Informs(), std::vector<std::string>{SaveLocationMessage(9, "DL1ABC")});
  EXPECT_EQ(dialogs.Texts(test::FakeDialogs::Kind::SaveFile),
            std::vector<std::string>{"DL1ABC.STF"});
}

// The items run the outputs: the STF file is written and shown in the file editor; the
// paper QSO list goes to the printer of the print dialog (a PDF file here).
TEST_F(EingContestStdTest, TheOutputMenuWritesFilesAndPrints) {
  const std::int32_t number = StoreContest();
  Fileblock* log = OpenProgramFile(ProgramFile::kQsoLog, number);
  ASSERT_NE(log, nullptr);
  for (const char* call : {"DL1AAA", "DK2BBB"}) {
    ASSERT_EQ(log->ClearBuffer(), 0);
    QsoRecord r(log->RecordBuffer());
    r.SetCall(call);
    r.SetDatum(DmyToDay(10, 9, 2026));
    r.SetZeit(HmsToTime(19, 5, 0));
    r.SetBand('k');
    r.SetMode("SSB");
    r.SetRSTs("59 N13/JO32");
    r.SetRSTr("59 5N/JO31");
    r.SetPunkte(3);
    ASSERT_TRUE(AddRecord(*log));
  }
  CloseProgramFile(log);
  ASSERT_EQ(session->Headers()->FindKey(3, NumKey5(number)), 0);
  ContestHeaderWindow& w = OpenWindow(HeaderWindowMode::kExisting);

  const std::string stf = dir.file("DL1ABC.STF");
  dialogs.saveAnswers = {stf};
  QString shown;
  QString caption;
  test::OnModal<FileEditorWindow>([&](FileEditorWindow& editor) {
    caption = editor.windowTitle();
    shown = editor.redit()->toPlainText();
    editor.close();
  });
  w.druckItems.at("DruckSTF")->trigger();
  EXPECT_EQ(dialogs.Informs(), (std::vector<std::string>{SaveLocationMessage(9, "DL1ABC"),
                                                         "Datei " + stf + " wurde erstellt."}));
  EXPECT_EQ(caption, QString::fromStdString(stf));
  EXPECT_TRUE(shown.startsWith(QStringLiteral("STF1\n"))) << shown.toStdString();
  EXPECT_TRUE(shown.contains(QStringLiteral("ClaimedQSO   2\n")));
  EXPECT_TRUE(shown.contains(QStringLiteral("DK2BBB")));
  EXPECT_TRUE(shown.endsWith(QStringLiteral("EndQSOList\n")) ||
              shown.endsWith(QStringLiteral("EndQSOList")));

  dialogs.Clear();
  const QString pdf = QString::fromStdString(dir.file("liste.pdf"));
  w.askPrinter = [&](QPrinter& printer) {
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    return true;
  };
  w.druckItems.at("DruckPapierListe")->trigger();
  EXPECT_TRUE(dialogs.events.empty());
  EXPECT_TRUE(QFileInfo(pdf).size() > 0);
}

// The EDI file of a code-8 contest: the participant dialog opens under the program's title,
// prefilled from the header and the station, and what it holds when closed is written.
TEST_F(EingContestStdTest, TheEdiFileAsksForTheParticipantFirst) {
  const std::int32_t number = StoreContest({}, '8');
  ASSERT_EQ(session->Headers()->FindKey(3, NumKey5(number)), 0);
  ContestHeaderWindow& w = OpenWindow(HeaderWindowMode::kExisting);
  ASSERT_TRUE(w.druckItems.at("DruckEDI")->isEnabled());
  const std::string edi = dir.file("DL1ABC.EDI");
  dialogs.saveAnswers = {edi};
  QString caption, call, locator, band;
  test::OnModal<ParticipantDialog>([&](ParticipantDialog& d) {
    caption = d.windowTitle();
    call = d.pcall->text();
    locator = d.ploc->text();
    band = d.pband->currentText();
    d.rname->setText(QStringLiteral("Erika M\u00fcller"));
    d.close(); // the close box keeps the values shown
  });
  w.druckItems.at("DruckEDI")->trigger();
  EXPECT_EQ(caption, ToQString(session->Definition().ProgramTitle));
  EXPECT_EQ(call, QStringLiteral("DL1ABC"));
  EXPECT_EQ(locator, QStringLiteral("JO32QA"));
  EXPECT_EQ(band, QStringLiteral("144 MHz"));
  EXPECT_EQ(dialogs.Informs().back(), "Datei " + edi + " wurde erstellt.");
  const std::string file = test::ReadFileBytes(edi);
  EXPECT_NE(file.find("\r\nRName=Erika M\xFCller\r\n"), std::string::npos) << file;
  EXPECT_NE(file.find("\r\n[QSORecords;0]\r\n"), std::string::npos);
}

TEST_F(EingContestStdTest, ManyCategoriesStandInTwoColumnsAndExtrasFollowTheCode) {
  ContestHeaderWindow& u = OpenWindow(HeaderWindowMode::kNew, 'U');
  ASSERT_EQ(u.categoryButtons.size(), 8u);
  EXPECT_GT(u.categoryButtons[4]->x(), u.categoryButtons[0]->x());
  EXPECT_EQ(u.categoryButtons[4]->y(), u.categoryButtons[0]->y());
  EXPECT_TRUE(u.GroupFrage->isVisible());
  EXPECT_EQ(u.Label4->text(), QStringLiteral("Teilnehmer aus Distrikt U?"));
  EXPECT_FALSE(u.groupZusatz->isVisible());
  // Typing a district DOK answers the question.
  EXPECT_FALSE(u.eHMja->isChecked());
  Type(u.eDOK, QStringLiteral("Z44"));
  EXPECT_TRUE(u.eHMja->isChecked());
  // A category click saves at once and takes the category's period.
  Click(u.categoryButtons[2]); // "C - VHF", 18.10. 07:00-08:30
  EXPECT_EQ(u.eDatumvon->text(), QStringLiteral("18.10.2009"));
  EXPECT_EQ(u.eZeitbis->text(), QStringLiteral("08:30"));
  EXPECT_TRUE(u.rFM->isEnabled());
  std::int32_t used = -1;
  EXPECT_EQ(session->Headers()->UsedRecords(&used), 0);
  EXPECT_EQ(used, 1);
}

TEST_F(EingContestStdTest, CodeSevenFillsTheDigNumberWhenTheCallIsLeft) {
  Seed([] {
    Fileblock* calls = OpenProgramFile(ProgramFile::kCallList);
    ASSERT_EQ(calls->ClearBuffer(), 0);
    CallListRecord c(calls->RecordBuffer());
    c.SetCall("DL1ABC");
    c.SetField(1, "4711");
    ASSERT_TRUE(AddRecord(*calls));
    CloseProgramFile(calls);
  });
  ContestHeaderWindow& w = OpenWindow(HeaderWindowMode::kNew, '7');
  EXPECT_TRUE(w.groupZusatz->isVisible());
  EXPECT_EQ(w.Label16->text(), QStringLiteral("DIG-Nr:"));
  EXPECT_EQ(w.eJahre->text(), QStringLiteral("0"));
  Type(w.eCall, QStringLiteral("DL1ABC"));
  w.eName->setFocus(); // leaves eCall
  EXPECT_EQ(w.eJahre->text(), QStringLiteral("4711"));
}

// Not a check: shows the window of a stored code-2 contest for a screenshot when
// TARVIK_SCREENSHOT_HOLD_MS is set (run under xvfb with the xcb platform).
TEST_F(EingContestStdTest, HoldForScreenshot) {
  const char* hold = std::getenv("TARVIK_SCREENSHOT_HOLD_MS");
  if (hold == nullptr)
    GTEST_SKIP() << "only for screenshots";
  StoreContest([](ContestHeaderModel& m) {
    m.form.ecname = "Erika Muster";
    m.form.eStrasse = "Hauptstr. 1";
    m.form.eLand = "Deutschland";
    m.form.eOrt = "M\xFCnster"; // Windows-1252, as the core holds it
    m.form.eZeitvon = "19:00";
    m.form.startMode = StartMode::kSsb;
  });
  ASSERT_EQ(session->Extensions()->FindKey(1, NumKey5(1)), 0);
  ContestExtensionRecord x(session->Extensions()->RecordBuffer());
  x.SetBandQsos(1, 23);
  x.SetBandMultis(1, 17);
  x.SetBandPoints(1, 61);
  ASSERT_EQ(session->Extensions()->Update(), 0);
  ASSERT_EQ(session->Headers()->FindKey(3, NumKey5(1)), 0);
  ContestHeaderWindow& w = OpenWindow(HeaderWindowMode::kExisting);
  if (QScreen* s = w.screen())
    w.move(s->availableGeometry().center() - w.rect().center());
  QTest::qWait(std::atoi(hold));
}

} // namespace
} // namespace tarvik
