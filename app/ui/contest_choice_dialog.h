#pragma once
// "Contest wählen": the list of the contests the program can be switched to, with their
// code, next period and whether their rules are at hand, and a search field above it. Typing
// (in the field or in the list) keeps only the contests whose name contains the text, or whose
// code it is, and stands on the first of them; Enter or a double click chooses the contest of
// the highlighted row, Esc closes the window without a choice.

#include <QDialog>

#include <vector>

#include "app/contest_choice.h"

class QLineEdit;
class QTableWidget;

namespace tarvik {

class ContestChoiceDialog : public QDialog {
  Q_OBJECT

public:
  /// The rows of ContestChoiceRows(today); the row of `current` is highlighted.
  ContestChoiceDialog(char current, DayNumber today, QWidget* parent = nullptr);

  /// The code chosen ('\0' while none is).
  char Chosen() const { return chosen_; }
  /// The code of the highlighted row ('\0' when no row is shown).
  char Highlighted() const;
  /// Chooses the highlighted row's contest and closes the window (Enter, double click, "OK").
  void ChooseHighlighted();

  QLineEdit* eSuche = nullptr;
  QTableWidget* table = nullptr;

protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  void Filter();
  /// The highlighted row while it is shown, else -1.
  int HighlightedRow() const;

  std::vector<ContestChoiceRow> rows_;
  char chosen_ = '\0';
};

} // namespace tarvik
