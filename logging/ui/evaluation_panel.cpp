#include "logging/ui/evaluation_panel.h"

#include <QGridLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "widgets/text_codec.h"
#include "widgets/trk_bit_btn.h"

namespace tarvik {

namespace {

// Control names of the band rows: the names follow the window this panel comes from.
QString NameLabelName(int block, int n) {
  static const char* const kNames[] = {"lQSO%1", "lMulti%1", "lPunkte%1"};
  if (block == EvaluationPanelWidget::kMultiBlock && n == 7)
    return QStringLiteral("lmulti7");
  return QString::fromLatin1(kNames[block]).arg(n);
}

QString ValueLabelName(int block, int n) {
  static const char* const kNames[] = {"leQSO%1", "leMulti%1", "lePunkte%1"};
  if (block == EvaluationPanelWidget::kPointsBlock && n == 3)
    return QStringLiteral("lepunkte3");
  return QString::fromLatin1(kNames[block]).arg(n);
}

void SetText(QLabel* label, const std::string& text) {
  const QString shown = ToQString(text);
  if (label->text() != shown)
    label->setText(shown);
}

void SetVisible(QWidget* widget, bool visible) {
  if (widget->isHidden() == visible)
    widget->setVisible(visible);
}

QLabel* MakeLabel(const QString& name, const QString& text, QWidget* parent, bool bold = false,
                  int points = 9) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(name);
  QFont font = label->font();
  font.setPointSize(points);
  font.setBold(bold);
  label->setFont(font);
  return label;
}

} // namespace

QColor EvaluationPanelWidget::RowColour(bool current) {
  return current ? QColor(0xFF, 0xFF, 0x00) : QColor(0xC0, 0xC0, 0xC0);
}

EvaluationPanelWidget::EvaluationPanelWidget(bool narrow, QWidget* parent)
    : QFrame(parent), narrow_(narrow) {
  setObjectName(QStringLiteral("panelauswertung"));
  setFrameShape(QFrame::StyledPanel);
  auto* outer = new QVBoxLayout(this);
  outer->setContentsMargins(8, 6, 8, 6);
  outer->setSpacing(6);

  grid_ = new QGridLayout();
  grid_->setHorizontalSpacing(0);
  grid_->setVerticalSpacing(1);
  const int points = narrow_ ? 8 : 9;
  static const char* const kBandHeadings[] = {"Label10", "Label11", "Label27"};
  static const char* const kValueHeadings[] = {"Label23", "Label24", "Label30"};
  static const char* const kValueCaptions[] = {"QSO", "Multi", "Punkte"};
  for (int block = 0; block < 3; ++block) {
    const int column = block * 3;
    bandHeadings_[block] = MakeLabel(QString::fromLatin1(kBandHeadings[block]),
                                     QStringLiteral("Band"), this, true, points);
    valueHeadings_[block] =
        MakeLabel(QString::fromLatin1(kValueHeadings[block]),
                  QString::fromLatin1(kValueCaptions[block]), this, true, points);
    valueHeadings_[block]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    grid_->addWidget(bandHeadings_[block], 0, column);
    grid_->addWidget(valueHeadings_[block], 0, column + 1);
    for (int n = 0; n < kRows; ++n) {
      QLabel* name = MakeLabel(NameLabelName(block, n + 1), QString(), this, false, points);
      QLabel* value = MakeLabel(ValueLabelName(block, n + 1), QString(), this, true, points);
      for (QLabel* label : {name, value}) {
        label->setAutoFillBackground(true);
        label->setMargin(1);
        label->setIndent(4);
      }
      value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
      value->setMinimumWidth(narrow_ ? 34 : 40);
      name->setMinimumWidth(narrow_ ? 40 : 46);
      names_[block][static_cast<std::size_t>(n)] = name;
      values_[block][static_cast<std::size_t>(n)] = value;
      grid_->addWidget(name, n + 1, column);
      grid_->addWidget(value, n + 1, column + 1);
    }
    if (block < 2)
      grid_->setColumnMinimumWidth(column + 2, 8);
  }
  outer->addLayout(grid_);

  auto* line = new QFrame(this);
  line->setFrameShape(QFrame::HLine);
  line->setFrameShadow(QFrame::Sunken);
  outer->addWidget(line);

  totals_ = new QGridLayout();
  totals_->setHorizontalSpacing(12);
  totals_->setVerticalSpacing(2);
  Label22 = MakeLabel(QStringLiteral("Label22"), QStringLiteral("Total"), this, true, points);
  Label28 = MakeLabel(QStringLiteral("Label28"), QString(), this, true, points);
  Label19 = MakeLabel(QStringLiteral("Label19"), QString(), this, true, points);
  Label20 = MakeLabel(QStringLiteral("Label20"), QString(), this, true, points);
  Label21 = MakeLabel(QStringLiteral("Label21"), QString(), this, true, points);
  QFont scoreFont = Label21->font();
  scoreFont.setPointSize(narrow_ ? 10 : 12);
  Label21->setFont(scoreFont);
  QPalette scorePalette = Label21->palette();
  scorePalette.setColor(QPalette::WindowText, QColor(0x90, 0x00, 0x00));
  Label21->setPalette(scorePalette);
  for (QLabel* label : {Label28, Label19, Label20, Label21})
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  PlaceTotals();
  outer->addLayout(totals_);

  btnauswertung = new TrkBitBtn(bkCustom, this);
  btnauswertung->setObjectName(QStringLiteral("btnauswertung"));
  btnauswertung->setText(QStringLiteral("Auswertung [F11]"));
  btnauswertung->setFocusPolicy(Qt::NoFocus);
  btnauswertung->setAutoDefault(false);
  btnauswertung->hide();
  outer->addWidget(btnauswertung, 0, Qt::AlignRight);
  outer->addStretch(1);
  setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
}

bool EvaluationPanelWidget::NamesShown(int block) const {
  return !narrow_ || block == kQsoBlock;
}

void EvaluationPanelWidget::PlaceTotals() {
  for (QLabel* label : {Label22, Label28, Label19, Label20, Label21})
    totals_->removeWidget(label);
  if (multipliers_) {
    // Total: QSOs; below, the calculation multipliers x points = score.
    totals_->addWidget(Label22, 0, 0);
    totals_->addWidget(Label28, 0, 1, 1, 2);
    totals_->addWidget(Label19, 1, 0);
    totals_->addWidget(Label20, 1, 1);
    totals_->addWidget(Label21, 1, 2);
    Label22->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    Label28->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    Label21->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  } else {
    totals_->addWidget(Label22, 0, 0, 1, 3);
    totals_->addWidget(Label28, 1, 0, 1, 3);
    totals_->addWidget(Label19, 2, 0);
    totals_->addWidget(Label20, 2, 1);
    totals_->addWidget(Label21, 3, 0, 1, 3);
    for (QLabel* label : {Label22, Label28, Label21})
      label->setAlignment(Qt::AlignCenter);
  }
}

void EvaluationPanelWidget::SetRowColour(int row, bool current) {
  const int colour = current ? 2 : 1;
  if (rowColour_[static_cast<std::size_t>(row)] == colour)
    return;
  rowColour_[static_cast<std::size_t>(row)] = colour;
  for (int block = 0; block < 3; ++block)
    for (QLabel* label : {names_[block][static_cast<std::size_t>(row)],
                          values_[block][static_cast<std::size_t>(row)]}) {
      QPalette palette = label->palette();
      palette.setColor(QPalette::Window, RowColour(current));
      label->setPalette(palette);
    }
}

void EvaluationPanelWidget::Show(const EvaluationPanel& panel) {
  for (int n = 0; n < kRows; ++n) {
    const EvaluationPanel::Row& row = panel.rows[static_cast<std::size_t>(n)];
    const std::string* values[] = {&row.qsos, &row.multis, &row.points};
    for (int block = 0; block < 3; ++block) {
      const bool blockVisible = block != kMultiBlock || panel.multiBlockVisible;
      QLabel* name = names_[block][static_cast<std::size_t>(n)];
      QLabel* value = values_[block][static_cast<std::size_t>(n)];
      SetVisible(name, row.visible && blockVisible && NamesShown(block));
      SetVisible(value, row.visible && blockVisible);
      if (!row.visible)
        continue;
      SetText(name, row.name);
      SetText(value, *values[block]);
    }
    if (row.visible)
      SetRowColour(n, row.current);
  }
  for (int block = 0; block < 3; ++block) {
    const bool blockVisible = block != kMultiBlock || panel.multiBlockVisible;
    SetVisible(bandHeadings_[block], !panel.totalsOnly && blockVisible && NamesShown(block));
    SetVisible(valueHeadings_[block], !panel.totalsOnly && blockVisible);
  }
  // Hidden columns take no room: without the multiplier block the points block moves into
  // its place. Without multipliers "Total" and the QSO total are centred across the panel.
  const bool multipliers = !panel.multiTotal.empty();
  if (multipliers_ != multipliers) {
    multipliers_ = multipliers;
    PlaceTotals();
  }
  SetText(Label28, panel.qsoTotal);
  SetText(Label19, panel.multiTotal);
  SetText(Label20, panel.pointsTotal);
  SetText(Label21, panel.score);
  SetVisible(Label19, !panel.multiTotal.empty());
  SetVisible(Label20, panel.pointsTotalVisible && !panel.pointsTotal.empty());
  SetVisible(Label21, panel.scoreVisible);
  SetVisible(btnauswertung, panel.partyButtonVisible);
}

} // namespace tarvik
