// The party evaluation window, the contest note window and their messages, offscreen over
// a real code 'P' log, opened through the log window's keys with the program's tools; the
// prefix choice window and the list's change and delete as the log window plugs them in.

#include "log_window_fixture.h"

#include <QPlainTextEdit>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>

#include <filesystem>

#include "app/ui/log_window_tools.h"
#include "country/ui/prefix_choice_dialog.h"
#include "datafiles/prefix_record.h"
#include "logging/ui/qso_edit_dialog.h"
#include "outputs/contest_note.h"
#include "outputs/text_files.h"
#include "outputs/ui/contest_note_window.h"
#include "outputs/ui/party_evaluation_window.h"
#include "outputs/ui/qso_list_window.h"
#include "recordfile/tk_browser.h"
#include "recordfile/ui/trk_brow.h"
#include "support/modal_window.h"
#include "widgets/trk_bit_btn.h"

namespace tarvik::test {
namespace {

class LogToolWindows : public LogWindowTest {
protected:
  void OpenPartyLog(bool withStart) {
    OpenWindow({.code = 'P', .name = "Test 2009/1: A.B"});
    if (withStart)
      ContestHeaderRecord(S().Contest().header.data()).SetDateFrom(TodayDay(clock_));
    W().SetTools(StandardLogTools(W(), dialogs_));
  }
  ContestHeaderRecord Header() {
    return ContestHeaderRecord(static_cast<const char*>(S().Contest().header.data()));
  }
};

TEST_F(LogToolWindows, PartyChartCountsTheReceivedAges) {
  OpenPartyLog(true);
  for (const auto& [call, age] : std::vector<std::pair<const char*, const char*>>{
           {"DL1ABC", "37"}, {"DL1ABD", "38"}, {"DL2XYZ", "XX"}, {"OK1KZ", "93"}})
    ASSERT_TRUE(Log(call, {age})) << call;
  OnModal<PartyEvaluationWindow>([](PartyEvaluationWindow& w) {
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Übersicht"));
    EXPECT_TRUE(w.r1->isChecked());
    EXPECT_EQ(w.Counters()[37], 1);
    EXPECT_EQ(w.Counters()[38], 1);
    EXPECT_EQ(w.Counters()[1], 1);
    EXPECT_EQ(w.Counters()[90], 1);
    EXPECT_EQ(w.chart->Chart().title, "Anzahl QSO pro Lebensalter");
    w.r5->click();
    EXPECT_EQ(w.ClassWidth(), 5);
    EXPECT_EQ(w.Counters()[35], 2);
    EXPECT_EQ(w.chart->Chart().bars.front().width, 15);
    w.r10->click();
    EXPECT_EQ(w.Counters()[30], 2);
    EXPECT_EQ(FromQString(QString::fromStdString(w.chart->Chart().title)),
              "Anzahl QSO pro Lebensalter (10-Jahresschritte)");
    // The chart is drawn (bars in the plot area are not white).
    const QImage image = w.chart->grab().toImage();
    int dark = 0;
    for (int y = 0; y < image.height(); ++y)
      for (int x = 0; x < image.width(); ++x)
        dark += qBlue(image.pixel(x, y)) > 100 && qRed(image.pixel(x, y)) < 60 ? 1 : 0;
    EXPECT_GT(dark, 100);
    w.btnOK->click();
  });
  Key(Qt::Key_F11);
  EXPECT_TRUE(dialogs_.Informs().empty());
}

TEST_F(LogToolWindows, PartyMessagesWithoutStartOrWithoutAges) {
  OpenPartyLog(false);
  ASSERT_TRUE(Log("DL1ABC", {"37"}));
  Key(Qt::Key_F11);
  EXPECT_EQ(dialogs_.Informs(),
            std::vector<std::string>{"Der Beginn des Contestes wurde nicht angegeben."});

  // With a start date but no QSO that names an age.
  dialogs_.Clear();
  ContestHeaderRecord(S().Contest().header.data()).SetDateFrom(TodayDay(clock_));
  Fileblock* log = S().Log().File();
  for (int s = log->FirstKey(4); s == 0; s = log->FirstKey(4))
    ASSERT_EQ(log->Delete(0), 0);
  Key(Qt::Key_F11);
  EXPECT_EQ(dialogs_.Informs(), std::vector<std::string>{Cp1252("keine gültigen QSO im Log")});
}

TEST_F(LogToolWindows, NoteIsStampedNewestFirstAndKeepsItsPlace) {
  OpenPartyLog(true);
  const std::string file = "Test 20091 AB.TXT";
  // The QSO being entered gives the call.
  Type("DL1ABC");
  clock_.now = {2026, 3, 14, 12, 5, 0, 0};
  OnModal<ContestNoteWindow>([](ContestNoteWindow& note) {
    EXPECT_EQ(note.windowTitle(), QStringLiteral("Test 20091 AB.TXT"));
    EXPECT_EQ(note.redit->textCursor().position(), kContestNoteCaret);
    EXPECT_EQ(note.btnspeichern->text(), QStringLiteral("ESC: Speichern und Beenden"));
    note.setGeometry(40, 50, 500, 300);
    QTest::keyClicks(note.redit, "QRM");
    QTest::keyClick(note.redit, Qt::Key_Escape);
  });
  Key(Qt::Key_F6);
  EXPECT_EQ(ReadTextFile(file), "14.03.2026 12:05 DL1ABC     > QRM");
  const ContestHeaderRecord::NoteGeometry g = Header().noteGeometry();
  EXPECT_EQ(g.width, 500);
  EXPECT_EQ(g.height, 300);
  EXPECT_EQ(g.left, 40);
  EXPECT_EQ(g.top, 50);
  EXPECT_EQ(Text(W().eCall), "DL1ABC"); // the entry stays

  // Empty call field: the last QSO of the log, and the entry is cleared afterwards.
  Enter();
  Type("37");
  Enter();
  ASSERT_EQ(Text(W().eCall), "");
  clock_.now = {2026, 3, 14, 12, 9, 0, 0};
  OnModal<ContestNoteWindow>([](ContestNoteWindow& note) {
    EXPECT_EQ(note.geometry(), QRect(40, 50, 500, 300));
    note.btnspeichern->click();
  });
  Key(Qt::Key_F6);
  EXPECT_EQ(ReadTextFile(file), "14.03.2026 12:09 DL1ABC     > \r\n"
                                "14.03.2026 12:05 DL1ABC     > QRM");
}

TEST_F(LogToolWindows, NoteTextIsKeptWhenItCannotBeSaved) {
  std::filesystem::create_directory("Locked.TXT");
  ContestNoteWindow note("Locked.TXT", "DL1ABC", nullptr, dialogs_, nullptr, clock_);
  ASSERT_EQ(dialogs_.Informs().size(), 1u); // the stamp could not be written
  note.show();
  QTest::keyClicks(note.redit, "important");
  note.btnspeichernClick();
  EXPECT_EQ(dialogs_.Informs().size(), 2u);
  EXPECT_TRUE(note.isVisible()); // not closed: the text is still there to be copied
  EXPECT_NE(note.redit->toPlainText().indexOf(QStringLiteral("important")), -1);
  EXPECT_FALSE(note.Saved());
}

TEST_F(LogToolWindows, NoteClosedByItsCloseBoxIsSavedAndPrints) {
  const std::string path = "Close.TXT";
  {
    ContestNoteWindow note(path, "OK1KZ", nullptr, dialogs_, nullptr, clock_);
    note.show();
    QTest::keyClicks(note.redit, "73");
    note.askPrinter = [&](QPrinter& printer) {
      printer.setOutputFormat(QPrinter::PdfFormat);
      printer.setOutputFileName(QStringLiteral("note.pdf"));
      return true;
    };
    note.Button1->click();
    EXPECT_GT(std::filesystem::file_size("note.pdf"), 0u);
    QTest::keyClicks(note.redit, " QSB");
    note.close();
    EXPECT_TRUE(note.Saved());
  }
  EXPECT_EQ(ReadTextFile(path), "14.03.2026 12:00 OK1KZ      > 73 QSB");
}

TEST_F(LogToolWindows, AmbiguousPrefixOpensTheChoiceWindowForTheCall) {
  AddMain({.prefix = "KC6", .dxcc = "T8", .country = "Palau", .entity = 22, .area = "1"});
  AddMain({.prefix = "KC6", .dxcc = "V6", .country = "Micronesia", .entity = 173, .area = "2"});
  SetPrefixAmbiguityOption(true);
  OpenPartyLog(true);
  int shown = 0;
  OnModal<PrefixChoiceDialog>([&shown](PrefixChoiceDialog& w) {
    ++shown;
    EXPECT_EQ(w.lQso->text(), QStringLiteral("KC6XY  14.03.2026"));
    QTest::keyClick(w.table, Qt::Key_Up); // the last row: Micronesia
    QTest::keyClick(w.table, Qt::Key_Return);
  });
  const bool stored = Log("KC6XY", {"37"});
  SetPrefixAmbiguityOption(false);
  ASSERT_TRUE(stored);
  EXPECT_EQ(shown, 1);
  ASSERT_EQ(tables_.callExceptions->FindKey(1, "KC6XY "), 0);
  EXPECT_EQ(PrefixRecord(tables_.callExceptions->RecordBuffer()).countryName(), "Micronesia");
}

TEST_F(LogToolWindows, ChangeAndDeleteInTheListRunTheLogWindowsOwn) {
  OpenPartyLog(true);
  for (const char* call : {"DL1ABC", "OK1KZ", "PA3ABC"})
    ASSERT_TRUE(Log(call, {"37"})) << call;
  OnModal<QsoListWindow>([](QsoListWindow& list) {
    // Enter on QSO 2 opens the edit dialog of the log window for it.
    OnModal<QsoEditDialog>([](QsoEditDialog& edit) {
      EXPECT_EQ(edit.eCall->text(), QStringLiteral("OK1KZ"));
      edit.eName->setFocus();
      QTest::keyClicks(edit.eName, "Jan");
      QTest::keyClick(edit.eName, Qt::Key_Escape);
    });
    list.Brow->model().RowPressed(2, BrowseButton::kLeft, false, false);
    QTest::keyClick(list.Brow->table(), Qt::Key_Return);
    // Del on QSO 1 deletes it after the message and the question (answered yes).
    list.Brow->model().RowPressed(1, BrowseButton::kLeft, false, false);
    QTest::keyClick(list.Brow->table(), Qt::Key_Delete);
    EXPECT_EQ(list.Brow->model().Browser()->FilledRows(), 2); // positioned again
    QTest::keyClick(list.Brow->table(), Qt::Key_Escape);
  });
  Key(Qt::Key_F12);
  ASSERT_EQ(Stored().size(), 2u);
  EXPECT_EQ(StoredQso(0).Call(), "OK1KZ");
  EXPECT_EQ(StoredQso(0).QSONr(), 1);
  EXPECT_EQ(StoredQso(0).NameQTH(), "Jan;");
  EXPECT_EQ(StoredQso(1).Call(), "PA3ABC");
  EXPECT_EQ(StoredQso(1).QSONr(), 2);
  EXPECT_EQ(dialogs_.Texts(FakeDialogs::Kind::Confirm).size(), 1u);
}

} // namespace
} // namespace tarvik::test
