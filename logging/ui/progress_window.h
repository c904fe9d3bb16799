#pragma once
// ProgressWindow: the progress window the log window shows, without waiting, while it
// recalculates the totals ("Neuberechnung", two of its four labels hidden) or renumbers the
// log ("Neunummerierung"). It sets its bar's maximum and position itself from the run's
// progress and repaints at once, as the run holds the event loop.

#include <QDialog>

#include "logging/progress_display.h"

class QLabel;
class QProgressBar;

namespace tarvik {

/// The progress window of a recalculation or renumbering (form TFortschrittAusgabe).
class ProgressWindow : public QDialog, public ProgressDisplay {
  Q_OBJECT

public:
  explicit ProgressWindow(QWidget* parent = nullptr);

  QLabel* Label1 = nullptr;
  QLabel* Label2 = nullptr;
  QLabel* Label3 = nullptr;
  QLabel* Label4 = nullptr;
  QProgressBar* ProgressBar1 = nullptr;

  // --- ProgressDisplay ----------------------------------------------------------------
  void Start(Kind kind, std::int32_t steps) override;
  void Advance(std::int32_t done) override;
  void Finish() override;

  /// How often the window was shown for a run, by kind (for the log window's tests).
  int Runs(Kind kind) const { return kind == Kind::kRenumbering ? renumberings_ : recalculations_; }

private:
  void Repaint();

  int renumberings_ = 0;
  int recalculations_ = 0;
};

} // namespace tarvik
