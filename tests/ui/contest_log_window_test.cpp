// The log window offscreen, typed into like an operator: the entry cycle of this build's
// contest (code '2') with more than twenty QSOs, duplicates, unknown prefixes, portable
// calls, the mode list, the counters, the multiplier panel and the evaluation panel, and
// the same totals after closing and opening again.

#include "log_window_fixture.h"
#include "support/eventually.h"

#include <QListWidget>
#include <QTableWidget>
#include <QTextBrowser>
#include <QTimer>

#include "logging/ui/cat_panel.h"
#include "recordfile/ui/trk_brow.h"
#include "widgets/help_hook.h"
#include "widgets/help_request.h"
#include "widgets/help_window.h"
#include "widgets/trk_bit_btn.h"

namespace tarvik::test {
namespace {

using F = EntryField;

const QColor kGrey(0x80, 0x80, 0x80);
const QColor kRed(0xD0, 0x10, 0x10);
const QColor kGreen(0x00, 0x80, 0x00);

class Code2Window : public LogWindowTest {
protected:
  /// The totals as the window shows them: counters and evaluation panel.
  struct Shown {
    std::string qsos, multis, points, score;
  };
  Shown Totals() {
    return {Text(W().lqso), Text(W().lmulti), Text(W().lPunkte),
            Text(W().panelauswertung->Label21)};
  }
};

TEST_F(Code2Window, ControlsCaptionsAndLayout) {
  ContestLogWindow& w = OpenWindow({.startSsb = true});
  EXPECT_EQ(FromQString(w.windowTitle()), "Tarvik Version 2006-1.0 Logbuch (Contest : Test )");
  EXPECT_EQ(Focused(), w.eCall);
  // Fixed reports and the sent exchange are labels; DOK and locator are entry fields.
  EXPECT_TRUE(w.eRSTs1->isHidden());
  EXPECT_EQ(Text(w.lRSTs1), "59 ");
  EXPECT_EQ(Text(w.lRSTr1), "59 ");
  EXPECT_EQ(Text(w.lRSTs2), "N01/JO31");
  EXPECT_FALSE(w.eRSTr2->isHidden());
  EXPECT_FALSE(w.eRSTr3->isHidden());
  EXPECT_TRUE(w.eRSTr4->isHidden());
  EXPECT_TRUE(w.eCall2->isHidden());
  EXPECT_TRUE(w.leCall2->isHidden());
  EXPECT_EQ(Text(w.lRST2Name), "&1 : DOK");
  EXPECT_EQ(Text(w.lRST3Name), "&2 : LOC");
  EXPECT_EQ(Text(w.lRST4Name), "");
  EXPECT_EQ(Text(w.lersts), "RSTs");
  EXPECT_EQ(Text(w.lerstr), "RSTr");
  // Date and time are set by the clock and shown as labels.
  EXPECT_TRUE(w.eDatum->isHidden());
  EXPECT_EQ(Text(w.lDatum), "14.03.2026");
  EXPECT_EQ(Text(w.lZeit), "12:00:00");
  EXPECT_EQ(Text(w.lMode), "SSB");
  EXPECT_EQ(Text(w.lband), "2 m");
  // One band: no band button; three modes: the mode button.
  EXPECT_TRUE(w.btnBand->isHidden());
  EXPECT_FALSE(w.btnMode->isHidden());
  EXPECT_TRUE(w.eFreq->isHidden());
  EXPECT_TRUE(w.btnSpeichern->isHidden());
  // The radio control is off until it is turned on: "CAT an" is the panel's choice.
  EXPECT_FALSE(w.panelCAT->isHidden());
  EXPECT_FALSE(w.TimerCAT->isActive());
  EXPECT_TRUE(w.btnCATan->isEnabled());
  EXPECT_FALSE(w.btnCATaus->isEnabled());
  EXPECT_EQ(Text(w.panelCAT->lCATStatus), "CAT aus");
  EXPECT_TRUE(w.timerzeit->isActive());
  EXPECT_EQ(w.timerzeit->interval(), 1000);
  EXPECT_EQ(Caption(w.lQSLs), "&QSL senden: nein");
  EXPECT_EQ(Text(w.lenter), "<ET> = speichern");
  EXPECT_EQ(Text(w.lqsopartner), "QSO-Partner");
  EXPECT_EQ(Text(w.lContestCaption), "Contest-Logbuch");
  EXPECT_EQ(Text(w.lNummer), "1");
  EXPECT_EQ(Text(w.leqso), "QSO 2 m");
  EXPECT_EQ(Text(w.lemulti), "Multi 2 m");
  EXPECT_EQ(Text(w.lePunkte), "Punkte 2 m");
  EXPECT_EQ(w.btnAendern->text(), QStringLiteral("Ändern [ET]"));
  EXPECT_EQ(w.btnLoeschen->text(), QStringLiteral("Löschen [Entf]"));
  EXPECT_EQ(FromQString(w.btnBandliste->text()), "Bandlog [F3]");
  EXPECT_EQ(FromQString(w.btnbeenden->text()), "Contest beenden");
  EXPECT_EQ(Text(w.MenueBeenden), "Contest beenden");
  EXPECT_EQ(Text(w.lProgramLine), w.session().Definition().ProgramLine);
  // The call field's caption is red while it has the focus; the others are teal.
  EXPECT_NE(TextColour(w.leCall), TextColour(w.leDatum));
  // 112 grey dots, bold, 28 pixels wide.
  for (int i = 0; i < MultiplierPanel::kCells; ++i) {
    QLabel* cell = w.panelmulties->Cell(i);
    ASSERT_EQ(Text(cell), ".");
    EXPECT_EQ(TextColour(cell), kGrey);
    EXPECT_TRUE(cell->font().bold());
    EXPECT_EQ(cell->width(), 28);
  }
  // The evaluation panel: one band row, yellow; rows 2 to 7 hidden.
  EvaluationPanelWidget* p = w.panelauswertung;
  EXPECT_EQ(Text(p->NameLabel(EvaluationPanelWidget::kQsoBlock, 0)), "2 m");
  EXPECT_FALSE(p->NameLabel(EvaluationPanelWidget::kQsoBlock, 0)->isHidden());
  EXPECT_EQ(p->NameLabel(EvaluationPanelWidget::kPointsBlock, 0)->palette().color(QPalette::Window),
            EvaluationPanelWidget::RowColour(true));
  for (int row = 1; row < 7; ++row)
    EXPECT_TRUE(p->NameLabel(EvaluationPanelWidget::kMultiBlock, row)->isHidden());
  EXPECT_EQ(Text(p->Label28), "0 QSO");
  EXPECT_EQ(Text(p->Label19), "0 Multi x");
  EXPECT_EQ(Text(p->Label20), "0 Punkte =");
  EXPECT_EQ(Text(p->Label21), "        0 Pkt.");
  EXPECT_TRUE(p->btnauswertung->isHidden());
  // The log list follows record numbers and shows the columns of the contest.
  EXPECT_EQ(w.Brow->GetKeyNumber(), 4);
  QTableWidget* table = w.Brow->table();
  EXPECT_EQ(FromQString(table->horizontalHeaderItem(8)->text()), "DOK   ");
  EXPECT_EQ(FromQString(table->horizontalHeaderItem(9)->text()), "Loc   ");
  // Functions whose windows are not there are disabled.
  EXPECT_FALSE(w.btnCallsuche->isEnabled());
  EXPECT_FALSE(w.btnAendern->isEnabled());
  EXPECT_TRUE(w.btnListe->isEnabled());
}

TEST_F(Code2Window, TwentyQsosWithChecksCountersPanelsAndReopen) {
  ContestLogWindow& w = OpenWindow({.startSsb = true});
  struct Step {
    const char* call;
    std::vector<std::string> exchange;
    const char* stored; // the stored call, nullptr when refused
    int points;
    int multis; // total after it
  };
  // Points: "DF0WN" 6; a DOK of two or three characters ending in N 3; a club station 2;
  // else 1. Multipliers: the listed DOKs (WN 6, the others 3), locator squares 3.
  const Step steps[] = {
      {"DL1ABC", {"5N", "JO42"}, "DL1ABC", 3, 6},
      {"DF0WN", {"WN", "JO32"}, "DF0WN", 6, 15},
      {"DK0XY", {"O21", "JO31"}, "DK0XY", 2, 18},
      {"OK1ABC", {"", "JO60"}, "OK1ABC", 1, 21},
      {"DL2XYZ", {"5N", "JO42"}, "DL2XYZ", 3, 21},
      {"DL3ABC-P", {"7N", "JO41"}, "DL3ABC/P", 3, 27}, // "-" becomes "/"
      {"dl4abc#", {"1N", "JO40"}, "DL4ABC/P", 3, 33},  // "#": "/P" and Enter
      {"dl5abc/p", {"P01", "JO50"}, "DL5ABC/P", 1, 36},
      {"DL1ABC", {}, nullptr, 0, 36}, // worked: refused when the call field is left
      {"DG1AA", {"2N", "JO51"}, "DG1AA", 3, 42},
      {"DH2BB", {"3N", "JO51"}, "DH2BB", 3, 45},
      {"DJ3CC", {"4N", "JO30"}, "DJ3CC", 3, 51},
      {"DM4DD", {"6N", "JO31"}, "DM4DD", 3, 54},
      {"DO5EE", {"8N", "JO32"}, "DO5EE", 3, 57},
      {"PA3ABC", {"", "JO21"}, "PA3ABC", 1, 60},
      {"F5ABC", {"", "JN18"}, "F5ABC", 1, 63},
      {"DB6FF", {"9N", "JO42"}, "DB6FF", 3, 66},
      {"DC7GG", {"10N", "JO41"}, "DC7GG", 3, 69},
      {"DD8HH", {"11N", "JO40"}, "DD8HH", 3, 72},
      {"DF9II", {"12N", "JO50"}, "DF9II", 3, 75},
      {"DK1JJ", {"13N", "JO60"}, "DK1JJ", 3, 78},
      {"DL6KK", {"R01", "JO62"}, "DL6KK", 1, 81},
      {"DK0ZZ", {"2N", "JO62"}, "DK0ZZ", 3, 81},
  };
  int stored = 0;
  int points = 0;
  for (const Step& step : steps) {
    SCOPED_TRACE(step.call);
    dialogs_.Clear();
    EXPECT_EQ(Log(step.call, step.exchange), step.stored != nullptr);
    if (step.stored != nullptr) {
      ++stored;
      points += step.points;
      EXPECT_TRUE(dialogs_.Informs().empty()) << dialogs_.LastMessage();
      const QsoRecord q = StoredQso(static_cast<std::size_t>(stored - 1));
      EXPECT_EQ(q.Call(), step.stored);
      EXPECT_EQ(q.Punkte(), step.points);
      EXPECT_EQ(q.QSONr(), stored);
      EXPECT_EQ(q.Mode(), "SSB");
    } else {
      EXPECT_EQ(dialogs_.Informs(),
                std::vector<std::string>{"Call DL1ABC bereits auf Band vorhanden"});
      EXPECT_EQ(Text(w.eCall), "");
    }
    EXPECT_EQ(Focused(), w.eCall);
    EXPECT_EQ(Text(w.lqso), FormatLongPicture("#####", stored));
    EXPECT_EQ(Text(w.lmulti), FormatLongPicture("#####", step.multis));
    EXPECT_EQ(Text(w.lPunkte), FormatLongPicture("########", points));
    EXPECT_EQ(Text(w.panelauswertung->Label21),
              FormatLongPicture("#########", step.multis * points) + " Pkt.");
    EXPECT_EQ(Text(w.lNummer), std::to_string(stored + 1));
  }
  ASSERT_EQ(StoredCount(), 22);
  const QsoRecord first = StoredQso(0);
  EXPECT_EQ(first.RSTs(), "59 N01/JO31");
  EXPECT_EQ(first.RSTr(), "59 5N/JO42");
  EXPECT_EQ(first.FullDok(), "5N");
  EXPECT_EQ(first.Locator(), "JO42");
  EXPECT_EQ(first.Zeit(), 12 * 3600);
  EXPECT_EQ(StoredQso(1).Zeit(), 12 * 3600 + 60);

  // The evaluation panel and the counters agree.
  EvaluationPanelWidget* p = w.panelauswertung;
  EXPECT_EQ(Text(p->ValueLabel(EvaluationPanelWidget::kQsoBlock, 0)), "   22");
  EXPECT_EQ(Text(p->ValueLabel(EvaluationPanelWidget::kMultiBlock, 0)), "   81");
  EXPECT_EQ(Text(p->ValueLabel(EvaluationPanelWidget::kPointsBlock, 0)),
            FormatLongPicture("#####", points));
  EXPECT_EQ(Text(p->Label28), "22 QSO");
  EXPECT_EQ(Text(p->Label19), "81 Multi x");
  EXPECT_EQ(Text(p->Label20), std::to_string(points) + " Punkte =");

  // The multiplier panel: the worked DOKs and squares in text order, all grey.
  const std::vector<std::string> worked = {"10N",  "11N",  "12N",  "13N",  "1N",   "2N",   "3N",
                                           "4N",   "5N",   "6N",   "7N",   "8N",   "9N",   "JN18",
                                           "JO21", "JO30", "JO31", "JO32", "JO40", "JO41", "JO42",
                                           "JO50", "JO51", "JO60", "JO62", "WN"};
  EXPECT_EQ(ShownPanelTexts(), worked);
  for (const std::string& text : worked)
    EXPECT_EQ(TextColour(PanelCellShowing(text)), kGrey) << text;

  // A new square typed into the exchange shows red at its place; a worked DOK green and
  // underlined; clearing the entry takes both back.
  Type("DL7XX");
  Enter();
  EXPECT_EQ(Focused(), w.eRSTr2);
  Type("5N");
  Enter();
  Type("JO70");
  QLabel* fresh = PanelCellShowing("JO70");
  ASSERT_NE(fresh, nullptr);
  EXPECT_EQ(TextColour(fresh), kRed);
  EXPECT_TRUE(fresh->font().bold());
  QLabel* again = PanelCellShowing("5N");
  EXPECT_EQ(TextColour(again), kGreen);
  EXPECT_TRUE(again->font().underline());
  EXPECT_EQ(Text(w.lmulti), "   84");
  Key(Qt::Key_Escape);
  EXPECT_EQ(Focused(), w.eCall);
  EXPECT_EQ(Text(w.eCall), "");
  EXPECT_EQ(PanelCellShowing("JO70"), nullptr);
  EXPECT_EQ(TextColour(PanelCellShowing("5N")), kGrey);
  EXPECT_EQ(Text(w.lmulti), "   81");
  EXPECT_EQ(StoredCount(), 22);

  // The log list stands on the last QSO.
  QTableWidget* table = w.Brow->table();
  const int row = table->currentRow();
  ASSERT_GE(row, 0);
  EXPECT_EQ(FromQString(table->item(row, 3)->text()), "DK0ZZ");
  EXPECT_EQ(FromQString(table->item(row, 0)->text()), "    22");

  // Closed and opened again: the same totals, and the header holds the statistics.
  const Shown before = Totals();
  ContestLogWindow& again2 = ReopenWindow();
  const Shown after = Totals();
  EXPECT_EQ(after.qsos, before.qsos);
  EXPECT_EQ(after.multis, before.multis);
  EXPECT_EQ(after.points, before.points);
  EXPECT_EQ(after.score, before.score);
  EXPECT_EQ(Text(again2.lNummer), "23");
  EXPECT_EQ(ShownPanelTexts(), worked);
  EXPECT_EQ(ContestHeaderRecord(params_.headerRecord.data()).contestCode(), '2');
}

TEST_F(Code2Window, UnknownPrefixBeepsAndTheQsoIsStillTaken) {
  ContestLogWindow& w = OpenWindow({});
  Type("ZZ9ABC");
  Enter();
  EXPECT_EQ(dialogs_.Beeps(), 1);
  EXPECT_EQ(dialogs_.Informs(), std::vector<std::string>{Cp1252("Präfix unbekannt")});
  EXPECT_EQ(Focused(), w.eRSTr2);
  Enter();
  Type("JO42");
  Enter();
  ASSERT_EQ(StoredCount(), 1);
  EXPECT_EQ(StoredQso(0).Call(), "ZZ9ABC");
  EXPECT_EQ(StoredQso(0).Prefix(), "");
}

TEST_F(Code2Window, ModeListTurnsTheFixedReportsIntoCw) {
  ContestLogWindow& w = OpenWindow({.startSsb = true});
  ASSERT_TRUE(Log("DL1ABC", {"5N", "JO42"}));
  EXPECT_EQ(Text(w.lRSTs1), "59 ");
  Key(Qt::Key_F7);
  ASSERT_FALSE(w.listmode->isHidden());
  EXPECT_EQ(Focused(), w.listmode);
  EXPECT_EQ(FromQString(w.listmode->currentItem()->text()), "SSB");
  EXPECT_EQ(w.listmode->count(), 3);
  // Esc closes the list and the focus goes back.
  Key(Qt::Key_Escape);
  EXPECT_TRUE(w.listmode->isHidden());
  EXPECT_EQ(Focused(), w.eCall);
  Key(Qt::Key_F7);
  Key(Qt::Key_Down);
  EXPECT_EQ(FromQString(w.listmode->currentItem()->text()), "CW");
  Enter();
  EXPECT_TRUE(w.listmode->isHidden());
  EXPECT_EQ(Focused(), w.eCall);
  EXPECT_EQ(Text(w.lMode), "CW");
  EXPECT_EQ(Text(w.lRSTs1), "599");
  EXPECT_EQ(Text(w.lRSTr1), "599");
  ASSERT_TRUE(Log("DL2XYZ", {"5N", "JO42"}));
  EXPECT_EQ(StoredQso(1).Mode(), "CW");
  EXPECT_EQ(StoredQso(1).RSTs(), "599N01/JO31");
  EXPECT_EQ(StoredQso(1).ModeNr(), 1);
  // F8 does nothing in a contest of one band.
  Key(Qt::Key_F8);
  EXPECT_TRUE(w.listband->isHidden());
  EXPECT_EQ(S().Bands().Band(), 'k');
}

TEST_F(Code2Window, KeysOfTheWindow) {
  ContestLogWindow& w = OpenWindow({});
  // Alt+Q toggles the QSL-send mark; a click on its label too.
  Key(Qt::Key_Q, Qt::AltModifier);
  EXPECT_EQ(Caption(w.lQSLs), "&QSL senden: ja");
  QTest::mouseClick(w.lQSLs, Qt::LeftButton);
  EXPECT_EQ(Caption(w.lQSLs), "&QSL senden: nein");
  Key(Qt::Key_Q, Qt::AltModifier);
  // Alt+Num2 goes to the locator, Alt+Num1 to the DOK; Alt+Num3 has no field.
  Key(Qt::Key_2, Qt::AltModifier | Qt::KeypadModifier);
  EXPECT_EQ(Focused(), w.eRSTr3);
  EXPECT_TRUE(TextColour(w.lRST3Name) != TextColour(w.lRST2Name));
  Key(Qt::Key_1, Qt::AltModifier | Qt::KeypadModifier);
  EXPECT_EQ(Focused(), w.eRSTr2);
  Key(Qt::Key_3, Qt::AltModifier | Qt::KeypadModifier);
  EXPECT_EQ(Focused(), w.eRSTr2);
  // Blanks in the received exchange are ignored.
  Type("5 N");
  EXPECT_EQ(Text(w.eRSTr2), "5N");
  // Tab follows the entry fields, wrapping to the call.
  Key(Qt::Key_Tab);
  EXPECT_EQ(Focused(), w.eRSTr3);
  Key(Qt::Key_Tab);
  EXPECT_EQ(Focused(), w.eCall);
  Key(Qt::Key_Backtab);
  EXPECT_EQ(Focused(), w.eRSTr3);
  Type("JO42");
  // Enter from the last field without a call: the call is missing, nothing is stored.
  Enter();
  EXPECT_EQ(StoredCount(), 0);
  EXPECT_EQ(Focused(), w.eCall);
  Type("DL1ABC");
  Enter();
  EXPECT_EQ(Focused(), w.eRSTr2);
  Enter();
  Enter();
  ASSERT_EQ(StoredCount(), 1);
  EXPECT_EQ(StoredQso(0).QSLs(), 'Y');
  // F9 shows frequency, name and QTH; F9 again hides them.
  Key(Qt::Key_F9);
  EXPECT_FALSE(w.eFreq->isHidden());
  EXPECT_FALSE(w.eQTH->isHidden());
  Key(Qt::Key_F9);
  EXPECT_TRUE(w.eFreq->isHidden());
  // F5: the list state with its red title; Esc returns to the entry.
  Key(Qt::Key_F5);
  EXPECT_TRUE(w.ListState());
  EXPECT_EQ(w.lContestCaption->text(), QStringLiteral("Contest-Logbuch (ESC: zurück zur Eingabe)"));
  EXPECT_FALSE(w.btnClear->isEnabled());
  EXPECT_TRUE(w.Brow->isAncestorOf(Focused()));
  Key(Qt::Key_Escape);
  EXPECT_FALSE(w.ListState());
  EXPECT_EQ(Text(w.lContestCaption), "Contest-Logbuch");
  EXPECT_EQ(Focused(), w.eCall);
  // Del in the list never deletes a QSO by itself.
  Key(Qt::Key_F5);
  Key(Qt::Key_Delete);
  EXPECT_EQ(StoredCount(), 1);
  EXPECT_TRUE(dialogs_.Questions().empty());
  Key(Qt::Key_Escape);
  // Esc in the entry clears it.
  Type("DL9ZZ");
  Key(Qt::Key_Escape);
  EXPECT_EQ(Text(w.eCall), "");
}

TEST_F(Code2Window, FreeReportsAreTypedAndAClickSelectsThem) {
  ContestLogWindow& w = OpenWindow({.rstSentFree = true, .rstRcvdFree = true});
  EXPECT_FALSE(w.eRSTs1->isHidden());
  EXPECT_TRUE(w.lRSTs1->isHidden());
  EXPECT_FALSE(w.eRSTr1->isHidden());
  EXPECT_EQ(Text(w.eRSTr1), "599");
  Type("DL1ABC");
  // A click into a report field selects its whole text: typing replaces it.
  QTest::mouseClick(w.eRSTr1, Qt::LeftButton);
  EXPECT_EQ(Focused(), w.eRSTr1);
  EXPECT_EQ(w.eRSTr1->selectedText(), QStringLiteral("599"));
  Type("579");
  EXPECT_EQ(Text(w.eRSTr1), "579");
  // Alt+1 (the caption's mnemonic) reaches the DOK.
  Key(Qt::Key_1, Qt::AltModifier);
  EXPECT_EQ(Focused(), w.eRSTr2);
  EXPECT_EQ(S().Form().Focus(), F::eRSTr2);
  Type("5N");
  Enter();
  Type("JO42");
  Enter();
  ASSERT_EQ(StoredCount(), 1);
  EXPECT_EQ(StoredQso(0).RSTr(), "5795N/JO42");
}

TEST_F(Code2Window, ToolsAreCalledByTheirButtonsAndKeys) {
  ContestLogWindow& w = OpenWindow({});
  std::vector<std::string> calls;
  ContestLogTools tools;
  tools.bandLog = [&] { calls.push_back("band"); };
  tools.callSearch = [&] { calls.push_back("search"); };
  tools.corrections = [&] { calls.push_back("corrections"); };
  tools.note = [&] { calls.push_back("note"); };
  tools.change = [&] { calls.push_back("change"); };
  tools.remove = [&] { calls.push_back("remove"); };
  w.SetTools(tools);
  ASSERT_TRUE(Log("DL1ABC", {"5N", "JO42"}));
  Key(Qt::Key_F3);
  Key(Qt::Key_F4);
  Key(Qt::Key_F6);
  Key(Qt::Key_F12);
  Key(Qt::Key_W, Qt::AltModifier);
  Key(Qt::Key_F5);
  Enter();
  Key(Qt::Key_Delete);
  EXPECT_EQ(calls, (std::vector<std::string>{"band", "search", "note", "corrections", "corrections",
                                             "change", "remove"}));
}

TEST_F(Code2Window, TheClockRunsOnWhileAListIsOpenAndStandsStillDuringTheImport) {
  ContestLogWindow& w = OpenWindow({});
  clock_.now = {2026, 9, 12, 17, 4, 0, 0};
  w.timerzeitTimer();
  ASSERT_FALSE(w.lZeit->isHidden());
  EXPECT_EQ(Text(w.lZeit), "17:04:00");
  bool runningInList = false;
  std::string shownInList;
  bool runningInImport = true;
  ContestLogTools tools;
  tools.corrections = [&] {
    runningInList = w.timerzeit->isActive();
    Tick(75); // the second timer's ticks while the list is open
    shownInList = Text(w.lZeit);
  };
  tools.adifImport = [&] { runningInImport = w.timerzeit->isActive(); };
  w.SetTools(tools);
  Key(Qt::Key_F12);
  EXPECT_TRUE(runningInList);
  EXPECT_EQ(shownInList, "17:05:15");
  EXPECT_TRUE(w.timerzeit->isActive());
  // The import stores QSOs with the entry's date and time: the clock waits for it.
  w.btnadifimport->click();
  EXPECT_FALSE(runningInImport);
  EXPECT_TRUE(w.timerzeit->isActive());
  // A QSO stored after the list has the time of its storing.
  Tick(45);
  ASSERT_TRUE(Log("DL1ABC", {"5N", "JO42"}));
  EXPECT_EQ(StoredQso(0).Zeit(), HmsToTime(17, 6, 0));
}

TEST_F(Code2Window, OnA1024PixelScreenThePointsColumnIsInView) {
  ContestLogWindow& w = OpenWindow({});
  ASSERT_TRUE(Log("DL1ABC", {"5N", "JO42"}));
  QTableWidget* table = w.Brow->table();
  const int points = 10; // Nr, Datum, UTC, Call, Band, Mod, RSTsent, RSTrcvd, DOK, Loc, Pkt
  ASSERT_EQ(table->horizontalHeaderItem(points)->text().trimmed(), QStringLiteral("Pkt"));
  auto rightOfPoints = [&] {
    int right = 0;
    for (int c = 0; c <= points; ++c)
      right += table->columnWidth(c);
    return right;
  };
  // A 1024 x 768 screen, the window maximised on it.
  w.resize(1024, 740);
  EXPECT_TRUE(Eventually([&] { return rightOfPoints() <= table->viewport()->width(); }));
  EXPECT_EQ(table->item(0, points)->text().trimmed(), QStringLiteral("3"));
  // The report columns gave up the room, the others kept theirs.
  EXPECT_GE(table->columnWidth(3),
            table->fontMetrics().horizontalAdvance(QStringLiteral("DL1ABCDEFGHI")));
  // Wider again: nothing is narrowed that need not be.
  const int reports = table->columnWidth(6) + table->columnWidth(7);
  w.resize(1600, 900);
  EXPECT_TRUE(Eventually([&] { return table->viewport()->width() > 1200; }));
  EXPECT_EQ(table->columnWidth(6) + table->columnWidth(7), reports);
}

TEST_F(Code2Window, F1AndHilfeOpenTheManualAtLoggingAndInTheListAtChanging) {
  ContestLogWindow& w = OpenWindow({});
  InstallHelpHook(dialogs_);
  ASSERT_EQ(Focused(), w.eCall);
  Key(Qt::Key_F1);
  ASSERT_NE(OpenHelpWindow(), nullptr);
  EXPECT_EQ(OpenHelpWindow()->CurrentUrl().fileName(), QStringLiteral("logging.html"));
  EXPECT_EQ(Text(w.eCall), ""); // the key went nowhere else
  OpenHelpWindow()->browser()->setSource(QUrl(QStringLiteral("index.html")));
  w.btnHilfe->click();
  EXPECT_EQ(OpenHelpWindow()->CurrentUrl().fileName(), QStringLiteral("logging.html"));
  // In the log list: changing and deleting QSOs.
  Key(Qt::Key_F5);
  ASSERT_TRUE(w.ListState());
  Key(Qt::Key_F1);
  EXPECT_EQ(OpenHelpWindow()->CurrentUrl().fileName(), QStringLiteral("correcting.html"));
  OpenHelpWindow()->browser()->setSource(QUrl(QStringLiteral("index.html")));
  w.btnHilfe->click();
  EXPECT_EQ(OpenHelpWindow()->CurrentUrl().fileName(), QStringLiteral("correcting.html"));
  EXPECT_TRUE(dialogs_.events.empty());
  delete OpenHelpWindow();
  SetHelpTopicHandler(nullptr);
}

} // namespace
} // namespace tarvik::test
