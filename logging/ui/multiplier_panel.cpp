#include "logging/ui/multiplier_panel.h"

#include <QGridLayout>
#include <QLabel>

#include "widgets/text_codec.h"

namespace tarvik {

namespace {

constexpr int kCellHeight = 15;

} // namespace

QColor PanelCellColour(PanelColour colour) {
  switch (colour) {
  case PanelColour::kRed:
    return QColor(0xD0, 0x10, 0x10);
  case PanelColour::kGreen:
    return QColor(0x00, 0x80, 0x00);
  case PanelColour::kGrey:
    break;
  }
  return QColor(0x80, 0x80, 0x80);
}

MultiplierPanel::MultiplierPanel(int labelWidth, QWidget* parent) : QFrame(parent) {
  setObjectName(QStringLiteral("panelmulties"));
  setFrameShape(QFrame::StyledPanel);
  setAutoFillBackground(true);
  QPalette palette = this->palette();
  palette.setColor(QPalette::Window, Qt::white);
  setPalette(palette);
  auto* grid = new QGridLayout(this);
  grid->setContentsMargins(4, 3, 4, 3);
  grid->setHorizontalSpacing(2);
  grid->setVerticalSpacing(0);
  for (int i = 0; i < kCells; ++i) {
    auto* label = new QLabel(QStringLiteral("."), this);
    label->setObjectName(QStringLiteral("Label%1").arg(i + 1));
    label->setFixedSize(labelWidth, kCellHeight);
    label->setAlignment(Qt::AlignCenter);
    labels_[static_cast<std::size_t>(i)] = label;
    grid->addWidget(label, i / kColumns, i % kColumns);
    shown_[static_cast<std::size_t>(i)].text.clear(); // forces the first Apply
    Apply(i, PanelCell{});
  }
  setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

void MultiplierPanel::Show(const std::vector<PanelCell>& cells) {
  for (int i = 0; i < kCells; ++i) {
    const PanelCell& cell = static_cast<std::size_t>(i) < cells.size()
                                ? cells[static_cast<std::size_t>(i)]
                                : PanelCell{};
    if (!(cell == shown_[static_cast<std::size_t>(i)]))
      Apply(i, cell);
  }
}

void MultiplierPanel::Apply(int index, const PanelCell& cell) {
  QLabel* label = labels_[static_cast<std::size_t>(index)];
  PanelCell& shown = shown_[static_cast<std::size_t>(index)];
  if (shown.text != cell.text)
    label->setText(ToQString(cell.text));
  if (shown.bold != cell.bold || shown.underline != cell.underline || shown.text.empty()) {
    // A narrow face, so that four-character values (locator squares) fit the 28 pixels.
    QFont font(QStringLiteral("Liberation Sans Narrow"));
    font.setPointSize(8);
    font.setBold(cell.bold);
    font.setUnderline(cell.underline);
    label->setFont(font);
  }
  QPalette palette = label->palette();
  palette.setColor(QPalette::WindowText, PanelCellColour(cell.colour));
  label->setPalette(palette);
  shown = cell;
}

} // namespace tarvik
