#pragma once
// panelmulties: the 8 x 14 labels of the log window that show the multiplier values worked
// on the current band, merged in text order: grey for values worked before, red for a value
// the QSO being entered brings new, green and underlined for a value it gives again.

#include <QFrame>

#include <array>
#include <vector>

#include "logging/qso_session.h"

class QLabel;

namespace tarvik {

/// The colour a panel cell is drawn in.
QColor PanelCellColour(PanelColour colour);

class MultiplierPanel : public QFrame {
  Q_OBJECT

public:
  static constexpr int kRows = QsoLog::kPanelRows;
  static constexpr int kColumns = QsoLog::kPanelColumns;
  static constexpr int kCells = kRows * kColumns;

  /// `labelWidth`: 36 for codes 'H' and 'k', 28 otherwise.
  MultiplierPanel(int labelWidth, QWidget* parent = nullptr);

  /// Shows the cells (row by row); only labels whose text or style changed are touched.
  void Show(const std::vector<PanelCell>& cells);

  QLabel* Cell(int index) const { return labels_[static_cast<std::size_t>(index)]; }
  /// What a label shows now.
  const PanelCell& Shown(int index) const { return shown_[static_cast<std::size_t>(index)]; }

private:
  void Apply(int index, const PanelCell& cell);

  std::array<QLabel*, kCells> labels_{};
  std::array<PanelCell, kCells> shown_{};
};

} // namespace tarvik
