#pragma once
// panelauswertung: the live evaluation panel of the log window. For each of up to seven
// bands of the contest the QSOs, multipliers and points, in three blocks side by side
// (band name and value), the row of the current band drawn yellow and the others silver;
// below them the totals as a small calculation: QSOs, multipliers " Multi x", points
// " Punkte =", score " Pkt.". The numbers and what is visible come from the entry session.

#include <QFrame>

#include <array>

#include "logging/qso_session.h"

class QGridLayout;
class QLabel;

namespace tarvik {

class TrkBitBtn;

class EvaluationPanelWidget : public QFrame {
  Q_OBJECT

public:
  static constexpr int kRows = 7;
  /// The three blocks: QSOs, multipliers, points.
  enum Block { kQsoBlock, kMultiBlock, kPointsBlock };

  /// `narrow`: smaller fonts, and the band names only once (in the QSO block) for all three
  /// blocks, so that the panel fits beside the entry on narrow screens.
  explicit EvaluationPanelWidget(bool narrow = false, QWidget* parent = nullptr);

  /// Shows the panel; labels are touched only when their text or colour changes.
  void Show(const EvaluationPanel& panel);

  /// The band name and value labels of row n (0-based) of a block.
  QLabel* NameLabel(Block block, int row) const {
    return names_[block][static_cast<std::size_t>(row)];
  }
  QLabel* ValueLabel(Block block, int row) const {
    return values_[block][static_cast<std::size_t>(row)];
  }
  /// The heading labels of a block ("Band" and "QSO" / "Multi" / "Punkte").
  QLabel* BandHeading(Block block) const { return bandHeadings_[block]; }
  QLabel* ValueHeading(Block block) const { return valueHeadings_[block]; }

  QLabel* Label22 = nullptr; ///< "Total"
  QLabel* Label28 = nullptr; ///< total QSOs
  QLabel* Label19 = nullptr; ///< total multipliers
  QLabel* Label20 = nullptr; ///< total points
  QLabel* Label21 = nullptr; ///< score
  TrkBitBtn* btnauswertung = nullptr;

  /// The background of a band row: yellow for the current band, silver for the others.
  static QColor RowColour(bool current);

private:
  void SetRowColour(int row, bool current);
  void PlaceTotals();
  bool NamesShown(int block) const;

  QGridLayout* grid_ = nullptr;
  QGridLayout* totals_ = nullptr;
  std::array<QLabel*, 3> bandHeadings_{};
  std::array<QLabel*, 3> valueHeadings_{};
  std::array<std::array<QLabel*, kRows>, 3> names_{};
  std::array<std::array<QLabel*, kRows>, 3> values_{};
  std::array<int, kRows> rowColour_{}; // 0 unset, 1 silver, 2 yellow
  bool multipliers_ = true;
  bool narrow_ = false;
};

} // namespace tarvik
