#pragma once
// PartyEvaluationWindow ("Übersicht"): the party evaluation of code 'P' contests, a bar
// chart of how many QSOs were made with stations of each age, in classes of 1, 5 or 10
// years (radio buttons r1, r5, r10). Esc or "OK" closes it. The counting and the chart's
// layout are the core's (outputs/party_evaluation.h); this window draws them.

#include <QDialog>
#include <QRect>

#include <optional>
#include <string>

#include "outputs/party_evaluation.h"

class QPushButton;
class QRadioButton;

namespace tarvik {

class Fileblock;
class UserDialogs;

/// The chart area: draws a PartyChart with QPainter, scaled to its size.
class PartyChartView : public QWidget {
  Q_OBJECT

public:
  explicit PartyChartView(QWidget* parent = nullptr);
  void SetChart(PartyChart chart);
  const PartyChart& Chart() const { return chart_; }
  QSize sizeHint() const override { return {720, 420}; }

protected:
  void paintEvent(QPaintEvent* event) override;

private:
  PartyChart chart_;
};

/// The party evaluation "Übersicht": QSOs per age of the worked stations (form
/// Tpartyauswertungform).
class PartyEvaluationWindow : public QDialog {
  Q_OBJECT

public:
  /// Counts the QSOs of `log` (the log window's QSO file) in 1-year classes.
  explicit PartyEvaluationWindow(Fileblock& log, QWidget* parent = nullptr);

  /// Counts again with classes of `width` years (1, 5 or 10) and draws the chart.
  void SetClassWidth(int width);
  int ClassWidth() const { return classWidth_; }
  const PartyCounters& Counters() const { return counters_; }
  bool Empty() const { return chart->Chart().empty; }

  QRadioButton* r1 = nullptr;
  QRadioButton* r5 = nullptr;
  QRadioButton* r10 = nullptr;
  QPushButton* btnOK = nullptr;
  PartyChartView* chart = nullptr;

private:
  Fileblock& log_;
  int classWidth_ = 1;
  PartyCounters counters_{};
};

/// The party evaluation as the log window opens it: "Der Beginn des Contestes wurde nicht
/// angegeben." when the header has no start date (`contestStart` <= 0), "keine gültigen QSO
/// im Log" when no QSO counts; otherwise the window, modal, at `placement` when the log
/// window has shown it before (updated when it closes).
void ShowPartyEvaluation(Fileblock& log, std::int32_t contestStart, UserDialogs& dialogs,
                         QWidget* parent, std::optional<QRect>& placement);

} // namespace tarvik
