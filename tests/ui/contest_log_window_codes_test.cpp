// The log window offscreen for other kinds of contest: a listener log, a contest without
// multipliers (compact layout), seven bands with the band list, the frequency and the free
// mode field, bands that follow the time blocks, and the main window hidden while the log
// is open.

#include "log_window_fixture.h"

#include <QListWidget>
#include <QTableWidget>

#include "recordfile/ui/trk_brow.h"
#include "widgets/trk_bit_btn.h"

namespace tarvik::test {
namespace {

using F = EntryField;
using Block = EvaluationPanelWidget::Block;

class LogWindowCodes : public LogWindowTest {
protected:
  /// The rows of the evaluation panel that are shown, by band name.
  std::vector<std::string> EvaluationRows() {
    std::vector<std::string> rows;
    for (int n = 0; n < EvaluationPanelWidget::kRows; ++n)
      if (!W().panelauswertung->ValueLabel(EvaluationPanelWidget::kQsoBlock, n)->isHidden())
        rows.push_back(Text(W().panelauswertung->NameLabel(EvaluationPanelWidget::kQsoBlock, n)));
    return rows;
  }
  /// The band row drawn yellow, -1 when none.
  int YellowRow() {
    int yellow = -1;
    for (int n = 0; n < EvaluationPanelWidget::kRows; ++n) {
      const QLabel* value = W().panelauswertung->ValueLabel(EvaluationPanelWidget::kPointsBlock, n);
      if (!value->isHidden() &&
          value->palette().color(QPalette::Window) == EvaluationPanelWidget::RowColour(true))
        yellow = n;
    }
    return yellow;
  }
  std::string ListHeader(int column) {
    return FromQString(W().Brow->table()->horizontalHeaderItem(column)->text());
  }
};

TEST_F(LogWindowCodes, ListenerLogRowsAndSecondCall) {
  ContestLogWindow& w = OpenWindow({.code = '3', .category = 2});
  EXPECT_FALSE(w.eCall2->isHidden());
  EXPECT_FALSE(w.leCall2->isHidden());
  EXPECT_EQ(Text(w.leCall2), "Call 2");
  EXPECT_EQ(Text(w.lersts), "RSTs");
  EXPECT_EQ(Text(w.lerstr), "RSTs2");
  EXPECT_FALSE(w.eRSTs2->isHidden()); // the first station's exchange is typed
  EXPECT_TRUE(w.btnNameqth->isHidden());
  Key(Qt::Key_F9);
  EXPECT_TRUE(w.eFreq->isHidden());
  // Call, the first station's DOK, the second call, its DOK.
  Type("DL1ABC");
  Enter();
  EXPECT_EQ(Focused(), w.eRSTs2);
  Type("N05");
  Enter();
  EXPECT_EQ(Focused(), w.eCall2);
  EXPECT_NE(TextColour(w.leCall2), TextColour(w.leCall));
  Type("dl2xyz");
  EXPECT_EQ(Text(w.eCall2), "DL2XYZ");
  Enter();
  EXPECT_EQ(Focused(), w.eRSTr2);
  Type("N07");
  Enter();
  ASSERT_EQ(StoredCount(), 1);
  const QsoRecord q = StoredQso(0);
  EXPECT_EQ(q.Call(), "DL1ABC");
  EXPECT_EQ(q.Call2(), "DL2XYZ");
  EXPECT_EQ(q.RSTr(), "599N05");
  EXPECT_EQ(q.RSTs(), "599N07");
  EXPECT_EQ(Focused(), w.eCall);
  // The list shows the second call in place of the sent report.
  EXPECT_EQ(ListHeader(6), "Call2       ");
  EXPECT_EQ(FromQString(w.Brow->table()->item(0, 6)->text()), "DL2XYZ");
  // Three bands: three rows of the evaluation panel, the first one yellow.
  EXPECT_EQ(EvaluationRows(), (std::vector<std::string>{"80 m", "40 m", "10 m"}));
  EXPECT_EQ(YellowRow(), 0);
  EXPECT_EQ(Text(w.panelauswertung->Label28), "1 QSO");
  EXPECT_EQ(Text(w.lmulti), "    1");
  EXPECT_EQ(ShownPanelTexts(), std::vector<std::string>{"N05"});
  EXPECT_EQ(TextColour(PanelCellShowing("N05")), PanelCellColour(PanelColour::kGrey));
  // The band list over the band label: 40 m; the yellow row follows.
  Key(Qt::Key_F8);
  ASSERT_FALSE(w.listband->isHidden());
  EXPECT_EQ(w.listband->count(), 3);
  EXPECT_EQ(FromQString(w.listband->currentItem()->text()), "80 m");
  EXPECT_EQ(w.listband->geometry().topLeft(), w.lband->mapTo(&w, QPoint(0, 0)));
  Key(Qt::Key_Down);
  Enter();
  EXPECT_TRUE(w.listband->isHidden());
  EXPECT_EQ(Text(w.lband), "40 m");
  EXPECT_EQ(S().Bands().Band(), 'c');
  EXPECT_EQ(YellowRow(), 1);
  EXPECT_EQ(Text(w.leqso), "QSO 40 m");
  EXPECT_EQ(Text(w.lqso), "    0");
  EXPECT_TRUE(ShownPanelTexts().empty()); // the values of 40 m
  EXPECT_EQ(Focused(), w.eCall);
  // F8 twice closes the list again.
  Key(Qt::Key_F8);
  Key(Qt::Key_F8);
  EXPECT_TRUE(w.listband->isHidden());
  // Call, first DOK, second call, second DOK.
  Type("DL3ABC");
  Enter();
  Type("N01");
  Enter();
  Type("DL4ABC");
  Enter();
  Type("N02");
  Enter();
  ASSERT_EQ(StoredCount(), 2);
  EXPECT_EQ(StoredQso(1).Band(), 'c');
  EXPECT_EQ(StoredQso(1).Call2(), "DL4ABC");
  EXPECT_EQ(ShownPanelTexts(), std::vector<std::string>{"N01"});
  // Reopened: the band of the last QSO and the same totals.
  const std::string score = Text(w.panelauswertung->Label21);
  ContestLogWindow& again = ReopenWindow();
  EXPECT_EQ(Text(again.lband), "40 m");
  EXPECT_EQ(YellowRow(), 1);
  EXPECT_EQ(Text(again.panelauswertung->Label21), score);
  EXPECT_EQ(Text(again.panelauswertung->Label28), "2 QSO");
  EXPECT_EQ(ShownPanelTexts(), std::vector<std::string>{"N01"});
}

TEST_F(LogWindowCodes, ContestWithoutMultipliersIsCompact) {
  ContestLogWindow& w = OpenWindow({.code = 'A'});
  EXPECT_TRUE(S().Form().CompactLayout());
  EXPECT_TRUE(w.panelmulties->isHidden());
  EXPECT_TRUE(w.panelZaehler->isHidden());
  // Date, time, mode and band share one row below the reports.
  EXPECT_EQ(w.lDatum->y(), w.lZeit->y());
  EXPECT_EQ(w.lZeit->y(), w.lMode->y());
  EXPECT_EQ(w.lMode->y(), w.lband->y());
  EXPECT_GT(w.lDatum->y(), w.lRSTr1->y());
  // Only QSOs, points and the score.
  EvaluationPanelWidget* p = w.panelauswertung;
  EXPECT_TRUE(p->ValueLabel(EvaluationPanelWidget::kMultiBlock, 0)->isHidden());
  EXPECT_TRUE(p->ValueHeading(EvaluationPanelWidget::kMultiBlock)->isHidden());
  EXPECT_FALSE(p->ValueLabel(EvaluationPanelWidget::kPointsBlock, 0)->isHidden());
  EXPECT_TRUE(p->Label19->isHidden());
  EXPECT_TRUE(p->Label20->isHidden());
  EXPECT_FALSE(p->Label21->isHidden());
  EXPECT_EQ(p->Label22->alignment() & Qt::AlignHCenter, Qt::AlignHCenter);
  EXPECT_EQ(EvaluationRows(), (std::vector<std::string>{"80 m", "40 m"}));
  // No exchange to type: Enter in the call field stores the QSO.
  Type("DL1ABC");
  Enter();
  ASSERT_EQ(StoredCount(), 1);
  EXPECT_EQ(Text(p->Label28), "1 QSO");
  EXPECT_EQ(Text(p->Label21).substr(Text(p->Label21).size() - 5), " Pkt.");
  // Two bands: F8 takes the other one without a list.
  Key(Qt::Key_F8);
  EXPECT_TRUE(w.listband->isHidden());
  EXPECT_EQ(Text(w.lband), "40 m");
  EXPECT_EQ(YellowRow(), 1);
  Key(Qt::Key_F8);
  EXPECT_EQ(Text(w.lband), "80 m");
  Key(Qt::Key_F8);
  Tick(60);
  Type("DL1ABC");
  Enter();
  ASSERT_EQ(StoredCount(), 2);
  EXPECT_EQ(StoredQso(1).Band(), 'c');
  // The list has no multiplier columns.
  EXPECT_EQ(ListHeader(8), "Pkt  ");
  const std::string score = Text(p->Label21);
  ContestLogWindow& again = ReopenWindow();
  EXPECT_EQ(Text(again.panelauswertung->Label21), score);
  EXPECT_EQ(Text(again.panelauswertung->Label28), "2 QSO");
}

TEST_F(LogWindowCodes, SevenBandsTheFrequencyAndTheFreeModeField) {
  ContestLogWindow& w = OpenWindow({.code = 'P'});
  EXPECT_EQ(EvaluationRows(),
            (std::vector<std::string>{"80 m", "40 m", "20 m", "15 m", "10 m", "2 m", "70 cm"}));
  EXPECT_FALSE(w.panelauswertung->btnauswertung->isHidden());
  int party = 0;
  ContestLogTools tools;
  tools.partyEvaluation = [&] { ++party; };
  w.SetTools(tools);
  Key(Qt::Key_F11);
  w.panelauswertung->btnauswertung->click();
  EXPECT_EQ(party, 2);

  // The band list: 15 m.
  Key(Qt::Key_F8);
  ASSERT_FALSE(w.listband->isHidden());
  EXPECT_EQ(w.listband->count(), 7);
  for (int i = 0; i < 3; ++i)
    Key(Qt::Key_Down);
  Enter();
  EXPECT_EQ(Text(w.lband), "15 m");
  EXPECT_EQ(YellowRow(), 3);

  // A 2-m frequency switches to 2 m.
  Key(Qt::Key_F9);
  ASSERT_FALSE(w.eFreq->isHidden());
  QTest::mouseClick(w.eFreq, Qt::LeftButton);
  EXPECT_EQ(Focused(), w.eFreq);
  EXPECT_EQ(S().Form().Focus(), F::eFreq);
  Type("144300");
  Enter();
  EXPECT_EQ(Text(w.lband), "2 m");
  EXPECT_EQ(YellowRow(), 5);
  EXPECT_EQ(Text(w.eFreq), "144,3000");
  Key(Qt::Key_F9);

  // The mode list: DIGITAL shows the free mode field with "DIGI", and the reports 599.
  Key(Qt::Key_F7);
  ASSERT_FALSE(w.listmode->isHidden());
  EXPECT_EQ(w.listmode->count(), 4);
  for (int i = 0; i < 3; ++i)
    Key(Qt::Key_Down);
  EXPECT_EQ(FromQString(w.listmode->currentItem()->text()), "DIGITAL");
  Enter();
  EXPECT_FALSE(w.emode->isHidden());
  EXPECT_TRUE(w.lMode->isHidden());
  EXPECT_EQ(Text(w.emode), "DIGI");
  EXPECT_EQ(Text(w.lRSTs1), "599");
  // Typing the mode there changes the mode.
  QTest::mouseClick(w.emode, Qt::LeftButton);
  Retype("PSK31");
  EXPECT_EQ(S().Bands().Mode(), "PSK31");
  // The mode list over the free field marks DIGITAL.
  Key(Qt::Key_F7);
  EXPECT_EQ(FromQString(w.listmode->currentItem()->text()), "DIGITAL");
  Key(Qt::Key_Escape);
  EXPECT_EQ(Focused(), w.emode);
  QTest::mouseClick(w.eCall, Qt::LeftButton);
  EXPECT_EQ(S().Form().Focus(), F::eCall);
  ASSERT_TRUE(Log("DL1ABC", {"37"}));
  EXPECT_EQ(StoredQso(0).Mode(), "PSK31");
  EXPECT_EQ(StoredQso(0).Band(), 'k');
  EXPECT_FLOAT_EQ(StoredQso(0).Freq(), 144.3f);
}

TEST_F(LogWindowCodes, TheClockSwitchesTheBandByTimeBlockButNotWhileACallIsTyped) {
  clock_.now = {2009, 3, 21, 14, 30, 0, 0};
  // Code V, category F1 (VHF/UHF): bands k and l; a block of 70 cm from 17:30.
  ContestLogWindow& w = OpenWindow({.code = 'V', .category = 6, .autoBand = true});
  EXPECT_EQ(Text(w.lband), "2 m");
  clock_.now.hour = 17;
  clock_.now.minute = 45;
  w.timerzeitTimer();
  EXPECT_EQ(Text(w.lband), "70 cm");
  Type("DL1AB");
  clock_.now.hour = 18;
  w.timerzeitTimer();
  EXPECT_EQ(Text(w.lband), "70 cm");
  Key(Qt::Key_Escape);
  w.timerzeitTimer();
  EXPECT_EQ(Text(w.lband), "2 m");
}

TEST_F(LogWindowCodes, TheMainWindowIsHiddenWhileTheLogIsOpen) {
  QWidget main;
  main.show();
  setup_ = {};
  params_ = BuildParams(setup_);
  auto log = std::make_unique<ContestLogWindow>(params_, dialogs_, &main, clock_);
  ASSERT_TRUE(log->Open());
  EXPECT_TRUE(log->isModal());
  log->ShowMaximised();
  log->show();
  EXPECT_TRUE(log->windowState() & Qt::WindowMaximized);
  EXPECT_FALSE(main.isVisible());
  EXPECT_TRUE(log->isVisible());
  // Esc clears the entry; it never closes the window.
  QTest::keyClick(log->eCall, Qt::Key_Escape);
  EXPECT_TRUE(log->isVisible());
  // "Contest beenden" closes it; the main window comes back.
  log->btnbeenden->click();
  EXPECT_FALSE(log->isVisible());
  EXPECT_TRUE(log->Finished());
  EXPECT_TRUE(main.isVisible());
  EXPECT_EQ(log->HeaderRecord().size(), static_cast<std::size_t>(ContestHeaderRecord::kLength));
}

} // namespace
} // namespace tarvik::test
