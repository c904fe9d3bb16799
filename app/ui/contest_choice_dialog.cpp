#include "app/ui/contest_choice_dialog.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "base/process_settings.h"
#include "widgets/text_codec.h"

namespace tarvik {

namespace {

enum Column { kName, kCode, kPeriod, kRules, kColumns };

} // namespace

ContestChoiceDialog::ContestChoiceDialog(char current, DayNumber today, QWidget* parent)
    : QDialog(parent), rows_(ContestChoiceRows(today)) {
  setWindowTitle(ToQString(ContestChoiceCaption()));
  auto* layout = new QVBoxLayout(this);
  auto* searchRow = new QHBoxLayout;
  searchRow->addWidget(
      new QLabel(IsGerman() ? QStringLiteral("Suchen:") : QStringLiteral("Search:"), this));
  eSuche = new QLineEdit(this);
  eSuche->setClearButtonEnabled(true);
  eSuche->setPlaceholderText(IsGerman() ? QStringLiteral("Name oder Kennbuchstabe")
                                        : QStringLiteral("name or code letter"));
  searchRow->addWidget(eSuche, 1);
  layout->addLayout(searchRow);

  table = new QTableWidget(static_cast<int>(rows_.size()), kColumns, this);
  // Texts of this window are written here in UTF-8 (the core's texts are Windows-1252 and go
  // through ToQString).
  const bool german = IsGerman();
  table->setHorizontalHeaderLabels(
      {QStringLiteral("Contest"), QStringLiteral("Code"),
       german ? QStringLiteral("nächster Termin") : QStringLiteral("next period"),
       german ? QStringLiteral("Regeln") : QStringLiteral("Rules")});
  table->setSelectionBehavior(QAbstractItemView::SelectRows);
  table->setSelectionMode(QAbstractItemView::SingleSelection);
  table->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table->verticalHeader()->hide();
  table->setAlternatingRowColors(true);
  for (int r = 0; r < static_cast<int>(rows_.size()); ++r) {
    const ContestChoiceRow& row = rows_[static_cast<std::size_t>(r)];
    const QString texts[kColumns] = {ToQString(row.name), QString(QChar(row.code)),
                                     ToQString(row.nextPeriod), ToQString(row.rules)};
    for (int c = 0; c < kColumns; ++c) {
      auto* item = new QTableWidgetItem(texts[c]);
      if (c == kCode)
        item->setTextAlignment(Qt::AlignCenter);
      table->setItem(r, c, item);
    }
    if (row.code == current)
      table->selectRow(r);
  }
  table->resizeColumnsToContents();
  table->horizontalHeader()->setStretchLastSection(true);
  layout->addWidget(table, 1);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  layout->addWidget(buttons);
  connect(buttons, &QDialogButtonBox::accepted, this, &ContestChoiceDialog::ChooseHighlighted);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(table, &QTableWidget::cellDoubleClicked, this, [this](int, int) { ChooseHighlighted(); });
  connect(eSuche, &QLineEdit::textChanged, this, [this] { Filter(); });
  table->installEventFilter(this);
  eSuche->installEventFilter(this);
  resize(860, 620);
  if (table->currentRow() >= 0)
    table->scrollToItem(table->item(table->currentRow(), kName),
                        QAbstractItemView::PositionAtCenter);
  eSuche->setFocus();
}

int ContestChoiceDialog::HighlightedRow() const {
  const int row = table->currentRow();
  if (row < 0 || row >= static_cast<int>(rows_.size()) || table->isRowHidden(row))
    return -1;
  return row;
}

char ContestChoiceDialog::Highlighted() const {
  const int row = HighlightedRow();
  return row < 0 ? '\0' : rows_[static_cast<std::size_t>(row)].code;
}

void ContestChoiceDialog::ChooseHighlighted() {
  const int row = HighlightedRow();
  if (row < 0)
    return;
  chosen_ = rows_[static_cast<std::size_t>(row)].code;
  accept();
}

void ContestChoiceDialog::Filter() {
  const std::string typed = FromQString(eSuche->text());
  for (int r = 0; r < static_cast<int>(rows_.size()); ++r)
    table->setRowHidden(r, !ContestChoiceMatches(rows_[static_cast<std::size_t>(r)], typed));
  // The quick search stands on the best match (the code typed, a name that begins so ...).
  const int best = ContestChoiceBestRow(rows_, typed);
  if (best >= 0) {
    table->selectRow(best);
    table->scrollToItem(table->item(best, kName));
  } else {
    table->clearSelection();
    table->setCurrentCell(-1, -1);
  }
}

bool ContestChoiceDialog::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress)
    return QDialog::eventFilter(watched, event);
  auto* key = static_cast<QKeyEvent*>(event);
  if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
    ChooseHighlighted();
    return true;
  }
  if (watched == eSuche && (key->key() == Qt::Key_Up || key->key() == Qt::Key_Down ||
                            key->key() == Qt::Key_PageUp || key->key() == Qt::Key_PageDown)) {
    // The arrows move in the list while the text stays in the field.
    QKeyEvent forwarded(key->type(), key->key(), key->modifiers(), key->text());
    QApplication::sendEvent(table, &forwarded);
    return true;
  }
  if (watched == table && !key->text().isEmpty() && key->text().at(0).isPrint() &&
      !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
    // Typing in the list goes on in the search field.
    eSuche->setFocus();
    eSuche->insert(key->text());
    return true;
  }
  return QDialog::eventFilter(watched, event);
}

} // namespace tarvik
