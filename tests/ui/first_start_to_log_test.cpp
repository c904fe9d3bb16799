// The whole program through its real windows, from an empty data directory to a stored log:
// the first start fills the prefix table and the call book from country files, "Neu" opens
// the header window, "Contest starten" opens the log window, QSOs are typed in like an
// operator, "Contest beenden" closes it, the header window shows the totals for review, and
// the main window lists the contest with the statistics in its header record.

#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QRadioButton>
#include <QTest>

#include <string>
#include <vector>

#include "app/contest_list.h"
#include "app/ui/contest_list_window.h"
#include "datafiles/qso_record.h"
#include "logging/ui/contest_log_window.h"
#include "logging/ui/evaluation_panel.h"
#include "outputs/ui/contest_header_window.h"
#include "recordfile/key_codec.h"
#include "recordfile/ui/trk_brow.h"
#include "support/modal_window.h"
#include "support/session_test_support.h"
#include "widgets/text_codec.h"
#include "widgets/trk_bit_btn.h"
#include "widgets/trk_edit.h"

namespace tarvik {
namespace {

std::string Cp1252(const char* utf8) {
  return FromQString(QString::fromUtf8(utf8));
}

/// Types text at the end of a header field, key by key (umlauts included).
void Fill(QLineEdit* edit, const QString& text) {
  edit->setFocus();
  edit->end(false);
  for (const QChar c : text) {
    QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
    QApplication::sendEvent(edit, &press);
    QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, QString(c));
    QApplication::sendEvent(edit, &release);
  }
}

class FirstStartTest : public test::SessionFixture {
protected:
  void TearDown() override {
    window.reset();
    SessionFixture::TearDown();
  }

  /// Keys into the control of the log window that has the focus.
  static void Type(ContestLogWindow& log, const std::string& text) {
    for (char c : text)
      QTest::keyClick(log.focusWidget(), c);
  }
  static void Key(ContestLogWindow& log, Qt::Key key) { QTest::keyClick(log.focusWidget(), key); }

  /// A QSO as the operator types it: call, Enter, then each element and Enter.
  static void Log(ContestLogWindow& log, const std::string& call,
                  const std::vector<std::string>& exchange) {
    Type(log, call);
    if (call.back() != '#')
      Key(log, Qt::Key_Return);
    for (const std::string& element : exchange) {
      if (log.focusWidget() == log.eCall)
        return;
      Type(log, element);
      Key(log, Qt::Key_Return);
    }
  }

  std::unique_ptr<ContestListWindow> window;
};

TEST_F(FirstStartTest, FromAnEmptyDataDirectoryToAStoredLog) {
  const std::string fixtures = std::string(TARVIK_FIXTURES_DIR) + "/cty/";
  countryFiles = {fixtures + "cty.csv", fixtures + "dok_history.txt"};
  window = std::make_unique<ContestListWindow>(dialogs);
  ContestListWindow& w = *window;
  w.session().SetCountryDataFiles(countryFiles);
  ASSERT_EQ(w.Start(), ContestListWindow::StartResult::kRunning);
  w.resize(1000, 700);
  w.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
  ASSERT_EQ(dialogs.Informs().size(), 1u); // what the first start imported
  dialogs.Clear();

  bool headerDone = false;
  bool logDone = false;
  bool reviewDone = false;
  std::vector<std::string> logMessages;

  // 1. The header window of the new contest.
  test::OnModal<ContestHeaderWindow>([&](ContestHeaderWindow& h) {
    Fill(h.eName, QStringLiteral("ZELKA Herbst"));
    Fill(h.eDatumvon, QStringLiteral("10.09.2026"));
    Fill(h.eDatumbis, QStringLiteral("10.09.2026"));
    Fill(h.eCall, QStringLiteral("dl9zz"));
    Fill(h.eDOK, QStringLiteral("N13"));
    Fill(h.eLoc, QStringLiteral("JO32QA"));
    Fill(h.ecname, QStringLiteral("Erika Muster"));
    Fill(h.eStrasse, QStringLiteral("Hauptstraße 1"));
    Fill(h.ePLZ, QStringLiteral("48155"));
    Fill(h.eOrt, QStringLiteral("Münster"));
    QTest::mouseClick(h.categoryButtons[0], Qt::LeftButton, {}, QPoint(7, 7));
    QTest::mouseClick(h.rZeitUTC, Qt::LeftButton, {}, QPoint(7, 7));
    QTest::mouseClick(h.rssb, Qt::LeftButton, {}, QPoint(7, 7));

    // 2. The log window, opened by "Contest starten".
    test::OnModal<ContestLogWindow>([&](ContestLogWindow& log) {
      EXPECT_FALSE(w.isVisible());
      EXPECT_EQ(FromQString(log.windowTitle()),
                "Tarvik Version 2006-1.0 Logbuch (Contest : ZELKA Herbst )");
      EXPECT_EQ(log.focusWidget(), log.eCall);
      EXPECT_EQ(FromQString(log.lRSTs2->text()), "N13/JO32");
      EXPECT_EQ(FromQString(log.lRSTs1->text()), "59 ");
      Log(log, "DL1ABC", {"5N", "JO42"});
      Log(log, "df0wn", {"WN", "JO32"});
      Log(log, "DK0XY-P", {"O21", "JO31"});
      // The call book knows DL2XYZ's DOK from the DOK list of the first start.
      Type(log, "DL2XYZ#");
      EXPECT_EQ(log.focusWidget(), log.eRSTr2);
      EXPECT_EQ(FromQString(log.eRSTr2->text()), "P01");
      Key(log, Qt::Key_Return);
      Type(log, "JO50");
      Key(log, Qt::Key_Return);
      // Worked before: refused when the call field is left.
      Log(log, "DL1ABC", {"5N", "JO42"});
      EXPECT_EQ(FromQString(log.eCall->text()), "");
      // A country the prefix table does not know: a beep, and the QSO is still taken.
      Log(log, "OK1ABC", {"", "JO60"});
      EXPECT_EQ(dialogs.Beeps(), 1);
      // The mode list: CW turns the fixed reports into 599.
      Key(log, Qt::Key_F7);
      Key(log, Qt::Key_Down);
      Key(log, Qt::Key_Return);
      EXPECT_EQ(FromQString(log.lRSTs1->text()), "599");
      Log(log, "G4ABC", {"", "IO91"});
      EXPECT_EQ(FromQString(log.panelauswertung->Label28->text()), "6 QSO");
      EXPECT_EQ(FromQString(log.lNummer->text()), "7");
      logMessages = dialogs.Informs();

      // 3. After "Contest beenden" the header window for review.
      test::OnModal<ContestHeaderWindow>([&](ContestHeaderWindow& review) {
        EXPECT_FALSE(review.btnstart->isVisible());
        EXPECT_TRUE(review.btnOK->isVisible());
        EXPECT_EQ(FromQString(review.Label28->text()).substr(0, 1), "6");
        reviewDone = true;
        review.btnOK->click();
      });
      logDone = true;
      log.btnbeenden->click();
    });
    headerDone = true;
    h.btnstart->click();
  });
  w.AfterShown();

  EXPECT_TRUE(headerDone);
  EXPECT_TRUE(logDone);
  EXPECT_TRUE(reviewDone);
  EXPECT_TRUE(w.isVisible());
  EXPECT_EQ(logMessages,
            (std::vector<std::string>{VersionReminder(), "Call DL1ABC bereits auf Band vorhanden",
                                      Cp1252("Präfix unbekannt")}));

  // The contest in the list, its header with the statistics of the log.
  EXPECT_EQ(w.Brow->model().Browser()->FilledRows(), 1);
  Fileblock* headers = w.session().Headers();
  ASSERT_EQ(headers->FindKey(kContestKeyNumber, NumKey5(1)), 0);
  const ContestHeaderRecord header(headers->RecordBuffer());
  EXPECT_EQ(header.contestName(), "ZELKA Herbst");
  EXPECT_EQ(header.ownCall(), "DL9ZZ");
  // Code 2 keeps its band statistics in the extension record.
  Fileblock* extensions = w.session().Extensions();
  ASSERT_EQ(extensions->FindKey(1, NumKey5(1)), 0);
  const ContestExtensionRecord extension(extensions->RecordBuffer());
  EXPECT_EQ(extension.bandQsos(1), 6);
  EXPECT_GT(extension.bandPoints(1), 0);
  EXPECT_GT(extension.bandMultis(1), 0);
  w.close();

  // The QSO file holds the six QSOs as typed.
  ASSERT_EQ(InitEngine(), 0);
  Fileblock* log = OpenProgramFile(ProgramFile::kQsoLog, 1);
  ASSERT_NE(log, nullptr);
  std::vector<std::string> calls;
  for (int s = log->FirstKey(4); s == 0; s = log->NextKey(4))
    calls.push_back(QsoRecord(log->RecordBuffer()).Call());
  EXPECT_EQ(calls, (std::vector<std::string>{"DL1ABC", "DF0WN", "DK0XY/P", "DL2XYZ/P", "OK1ABC",
                                             "G4ABC"}));
  ASSERT_EQ(log->FindKey(4, NumKey5(4)), 0);
  EXPECT_EQ(QsoRecord(log->RecordBuffer()).RSTr(), "59 P01/JO50");
  ASSERT_EQ(log->FindKey(4, NumKey5(6)), 0);
  EXPECT_EQ(QsoRecord(log->RecordBuffer()).Mode(), "CW");
  CloseProgramFile(log);
  EXPECT_EQ(halts, 0);
}

} // namespace
} // namespace tarvik
