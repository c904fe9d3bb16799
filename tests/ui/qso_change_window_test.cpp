// Changing and deleting stored QSOs through the real windows: the log list's change and
// delete functions, the edit dialog "QSO ändern" with its keys and rules, the progress
// window, and what the counters show afterwards.

#include "log_window_fixture.h"

#include <QComboBox>
#include <QProcess>

#include <cstdlib>

#include "app/ui/log_window_tools.h"
#include "logging/ui/progress_window.h"
#include "logging/ui/qso_edit_dialog.h"
#include "recordfile/key_codec.h"
#include "recordfile/ui/trk_brow.h"
#include "support/modal_window.h"
#include "widgets/trk_bit_btn.h"

namespace tarvik::test {
namespace {

using Kind = ProgressDisplay::Kind;

class QsoChangeWindow : public LogWindowTest {
protected:
  /// Opens the window with the program's tools and logs `count` QSOs on 2 m.
  void OpenWithQsos(const ContestSetup& setup, int count) {
    OpenWindow(setup);
    W().SetTools(StandardLogTools(W(), dialogs_));
    for (int i = 1; i <= count; ++i)
      ASSERT_TRUE(Log("DL" + std::to_string(i % 10) + (i >= 10 ? "AAA" : "ABC"), {"N05"}));
  }

  /// Puts the log list's cursor on record `record` and the window into list state.
  void SelectInList(std::int32_t record) {
    W().Brow->GotoKey(NumKey5(record), record);
    Key(Qt::Key_F5);
    ASSERT_TRUE(W().ListState());
  }

  /// Key clicks into a widget of the dialog.
  static void Press(QWidget* w, Qt::Key key) { QTest::keyClick(w, key); }

  int Runs(Kind kind) { return W().Progress()->Runs(kind); }
};

TEST_F(QsoChangeWindow, ChangingTheBandMovesTheTotals) {
  OpenWithQsos({.code = 'c'}, 3);
  EXPECT_EQ(Text(W().lqso).find('3') != std::string::npos, true);
  const int recalculations = Runs(Kind::kRecalculation);
  SelectInList(2);
  bool opened = false;
  OnModal<QsoEditDialog>([&](QsoEditDialog& d) {
    opened = true;
    EXPECT_EQ(d.windowTitle(), QString::fromUtf8("QSO ändern"));
    EXPECT_EQ(Text(d.lnummer), "Nummer:   2");
    EXPECT_EQ(Text(d.eCall), "DL2ABC");
    // The band list: choose 70 cm with the keyboard.
    d.comboband->setFocus();
    Press(d.comboband, Qt::Key_Down);
    EXPECT_EQ(d.comboband->currentText(), QStringLiteral("70 cm"));
    Press(d.comboband, Qt::Key_Escape);
  });
  Enter(); // Enter in the list: change
  EXPECT_TRUE(opened);
  EXPECT_EQ(StoredQso(1).Band(), 'l');
  EXPECT_EQ(S().Log().Totals().qsos['k'], 2);
  EXPECT_EQ(S().Log().Totals().qsos['l'], 1);
  EXPECT_GT(Runs(Kind::kRecalculation), recalculations);
  EXPECT_FALSE(W().Progress()->isVisible());
  // The counters of the current band (2 m) show the two QSOs left there.
  EXPECT_NE(Text(W().lqso).find('2'), std::string::npos);
}

TEST_F(QsoChangeWindow, ChangingOnlyTheNameRecalculatesNothing) {
  OpenWithQsos({.code = 'c'}, 2);
  const int recalculations = Runs(Kind::kRecalculation);
  const int renumberings = Runs(Kind::kRenumbering);
  const int rebuilds = S().Log().FullRebuilds();
  SelectInList(1);
  OnModal<QsoEditDialog>([&](QsoEditDialog& d) {
    d.eName->setFocus();
    QTest::keyClicks(d.eName, "Hans");
    Press(d.eName, Qt::Key_Escape); // Esc closes with OK: the change is stored
  });
  W().btnAendern->click();
  EXPECT_EQ(StoredQso(0).NameQTH(), "Hans;");
  EXPECT_EQ(Runs(Kind::kRecalculation), recalculations);
  EXPECT_EQ(Runs(Kind::kRenumbering), renumberings);
  EXPECT_EQ(S().Log().FullRebuilds(), rebuilds);
}

TEST_F(QsoChangeWindow, DialogKeysModeAndFrequencyRules) {
  OpenWithQsos({.code = 'c'}, 1);
  SelectInList(1);
  OnModal<QsoEditDialog>([&](QsoEditDialog& d) {
    d.activateWindow();
    (void)QTest::qWaitForWindowActive(&d);
    EXPECT_EQ(Text(d.eRSTs1), "599");
    // SSB turns "599" into "59 ", CW back into "599".
    const int ssb = d.combomode->findText(QStringLiteral("SSB"));
    ASSERT_GE(ssb, 0);
    d.combomode->setCurrentIndex(ssb);
    emit d.combomode->activated(ssb);
    EXPECT_EQ(Text(d.eRSTs1), "59 ");
    EXPECT_EQ(Text(d.eRSTr1), "59 ");
    const int cw = d.combomode->findText(QStringLiteral("CW"));
    d.combomode->setCurrentIndex(cw);
    emit d.combomode->activated(cw);
    EXPECT_EQ(Text(d.eRSTs1), "599");
    // A 70-cm frequency chooses 70 cm when the field is left with Enter.
    d.eFreq->setFocus();
    d.eFreq->selectAll();
    QTest::keyClicks(d.eFreq, "432200");
    Press(d.eFreq, Qt::Key_Return);
    EXPECT_EQ(Text(d.eFreq), "432,2000");
    EXPECT_EQ(d.comboband->currentText(), QStringLiteral("70 cm"));
    EXPECT_NE(d.focusWidget(), d.eFreq);
    // Enter walks the fields and wraps from the last to the first.
    d.eQTH->setFocus();
    Press(d.eQTH, Qt::Key_Return);
    EXPECT_EQ(d.focusWidget(), d.eCall);
    Press(d.eCall, Qt::Key_Return);
    EXPECT_EQ(d.focusWidget(), d.Edit(EditField::eRSTs1));
    // Disabled fields are skipped: the sent exchange is locked in this log.
    EXPECT_FALSE(d.Edit(EditField::eRSTs2)->isEnabled());
    Press(d.Edit(EditField::eRSTs1), Qt::Key_Return);
    EXPECT_EQ(d.focusWidget(), d.eRSTr1);
    // A frequency outside every band gives way to the band's default; Esc in the frequency
    // field checks it before the dialog closes (with OK).
    d.eFreq->setFocus();
    d.eFreq->selectAll();
    QTest::keyClicks(d.eFreq, "99");
    Press(d.eFreq, Qt::Key_Escape);
    EXPECT_EQ(Text(d.eFreq), "430,0000");
    EXPECT_EQ(d.result(), QDialog::Accepted);
  });
  Enter();
  const QsoRecord changed = StoredQso(0);
  EXPECT_EQ(changed.Band(), 'l');
  EXPECT_FLOAT_EQ(changed.Freq(), 430.0f);
  EXPECT_EQ(changed.Mode(), "CW");
}

TEST_F(QsoChangeWindow, DeletingQsoFiveOfTenRenumbersTheRest) {
  OpenWithQsos({.code = 'c'}, 10);
  const std::string sixth = StoredQso(5).Call();
  const int renumberings = Runs(Kind::kRenumbering);
  SelectInList(5);
  dialogs_.Clear();
  dialogs_.confirmAnswers = {true};
  Key(Qt::Key_Delete);
  EXPECT_EQ(dialogs_.Questions(), std::vector<std::string>{Cp1252("Eintrag DL5ABC löschen?")});
  EXPECT_EQ(StoredCount(), 9);
  EXPECT_EQ(StoredQso(4).Call(), sixth);
  EXPECT_EQ(StoredQso(4).QSONr(), 5);
  EXPECT_EQ(Runs(Kind::kRenumbering), renumberings + 1);
  EXPECT_EQ(Text(W().lNummer), "10");
  EXPECT_EQ(S().EditMode(), 0);
  // The window goes on: the next QSO is number 10.
  W().ReturnToEntry();
  ASSERT_TRUE(Log("DL9ZZZ", {"N05"}));
  EXPECT_EQ(StoredQso(9).QSONr(), 10);
}

TEST_F(QsoChangeWindow, SerialNumberLogKeepsItsNumbersAfterADeletion) {
  OpenWindow({.code = 'O', .category = 3});
  W().SetTools(StandardLogTools(W(), dialogs_));
  for (int i = 1; i <= 10; ++i)
    ASSERT_TRUE(Log("DL" + std::to_string(i % 10) + (i >= 10 ? "AAA" : "ABC"),
                    {"00" + std::to_string(i % 10), "N05", "JO42AB"}));
  const int renumberings = Runs(Kind::kRenumbering);
  SelectInList(5);
  dialogs_.confirmAnswers = {true};
  W().btnLoeschen->click();
  EXPECT_EQ(StoredCount(), 9);
  EXPECT_EQ(StoredQso(4).QSONr(), 6);
  EXPECT_EQ(Runs(Kind::kRenumbering), renumberings);
}

TEST_F(QsoChangeWindow, MarkerRecordsAreRefused) {
  OpenWithQsos({.code = 'c'}, 1);
  Fileblock* log = S().Log().File();
  std::memset(log->RecordBuffer(), 0, QsoRecord::kLength);
  QsoRecord marker(log->RecordBuffer());
  marker.SetBand('k');
  marker.SetQSYBand('l');
  ASSERT_TRUE(AddRecord(*log));
  const std::int32_t record = log->CurrentRecordNumber();
  W().Brow->RefreshRows();
  SelectInList(record);
  dialogs_.Clear();
  Key(Qt::Key_Delete);
  W().btnAendern->click(); // no dialog opens (it would block here)
  EXPECT_FALSE(W().DeleteQso(record));
  EXPECT_TRUE(dialogs_.Informs().empty());
  EXPECT_TRUE(dialogs_.Questions().empty());
  EXPECT_EQ(StoredCount(), 2);
}

TEST_F(QsoChangeWindow, ClosingRenumbersTheLogInTheProgressWindow) {
  OpenWithQsos({.code = 'c', .autoTime = false}, 0);
  // Two QSOs typed out of time order.
  for (const auto& [call, time] : {std::pair{"DL1ABC", "12:30"}, std::pair{"DL2ABC", "12:10"}}) {
    Type(call);
    Enter();
    Type("N05");
    Enter();
    ASSERT_EQ(Focused(), W().ezeit);
    Retype(time);
    Enter();
  }
  ASSERT_EQ(StoredCount(), 2);
  EXPECT_EQ(StoredQso(0).Call(), "DL1ABC");
  ReopenWindow();
  EXPECT_EQ(StoredQso(0).Call(), "DL2ABC");
  EXPECT_EQ(StoredQso(0).QSONr(), 1);
}

// The edit dialog for the README; runs only with TARVIK_SCREENSHOT_DIR on a real display
// (see log_window_screenshot_test.cpp).
TEST_F(QsoChangeWindow, Screenshot) {
  const char* dir = std::getenv("TARVIK_SCREENSHOT_DIR");
  if (dir == nullptr || *dir == '\0')
    GTEST_SKIP() << "TARVIK_SCREENSHOT_DIR not set";
  clock_.now = {2026, 9, 12, 17, 4, 0, 0};
  OpenWindow({.name = "ZELKA Herbst"});
  W().SetTools(StandardLogTools(W(), dialogs_));
  ASSERT_TRUE(Log("DL1ABC", {"5N", "JO42"}));
  ASSERT_TRUE(Log("DF0WN", {"WN", "JO32"}));
  ASSERT_TRUE(Log("DK0XY", {"O21", "JO31"}));
  W().ShowMaximised();
  SelectInList(2);
  const QString path = QString::fromUtf8(dir) + "/qso-edit-dialog.png";
  OnModal<QsoEditDialog>([&](QsoEditDialog& d) {
    d.eName->setFocus();
    QTest::keyClicks(d.eName, "Klaus");
    for (int i = 0; i < 20; ++i) {
      QApplication::processEvents();
      QTest::qWait(50);
    }
    EXPECT_EQ(QProcess::execute(QStringLiteral("import"),
                                {QStringLiteral("-window"), QStringLiteral("root"), path}),
              0);
    d.BitBtn1->click();
  });
  Enter();
}

} // namespace
} // namespace tarvik::test
