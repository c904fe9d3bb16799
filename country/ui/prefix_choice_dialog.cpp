#include "country/ui/prefix_choice_dialog.h"

#include <QFontMetrics>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "base/help_topics.h"
#include "base/pictures.h"
#include "country/prefix_choice.h"
#include "widgets/help_request.h"
#include "widgets/text_codec.h"

namespace tarvik {

namespace {

const QColor kMarkBackground(0, 0, 128); // navy
constexpr int kColumnCount = 6;

} // namespace

PrefixChoiceDialog::PrefixChoiceDialog(PrefixChoice& choice, QWidget* parent)
    : QDialog(parent), choice_(choice) {
  setObjectName(QStringLiteral("PrefAuswahl"));
  SetHelpContext(this, kPrefixChoiceHelpTopic);
  setWindowTitle(ToQString(PrefixChoice::Caption()));

  // Top panel: what to do, then the QSO (call and date in bold) or the prefix.
  auto* top = new QVBoxLayout;
  for (const std::string& line : choice_.IntroLines())
    top->addWidget(new QLabel(ToQString(line), this));
  auto* subject = new QHBoxLayout;
  lQso = new QLabel(this);
  lQso->setObjectName(QStringLiteral("lQso"));
  QFont bold = lQso->font();
  bold.setBold(true);
  lQso->setFont(bold);
  if (choice_.ForQso()) {
    subject->addWidget(new QLabel(ToQString(PrefixChoice::QsoLabel()), this));
    lQso->setText(ToQString(choice_.Call() + "  " + choice_.DateText()));
  } else {
    lQso->setText(ToQString(choice_.Prefix()));
  }
  subject->addWidget(lQso);
  subject->addStretch(1);
  top->addLayout(subject);
  if (choice_.ForQso()) {
    std::string below = choice_.Prefix();
    if (!choice_.Note().empty())
      below += "  " + choice_.Note();
    top->addWidget(new QLabel(ToQString(below), this));
  }

  // The candidates, at the character positions of their columns.
  table = new QTableWidget(static_cast<int>(choice_.Rows().size()), kColumnCount, this);
  table->setObjectName(QStringLiteral("table"));
  table->setHorizontalHeaderLabels({QStringLiteral("Nr"), QStringLiteral("DXCC"),
                                    QStringLiteral("CQ"), QStringLiteral("ITU"),
                                    QStringLiteral("Land"), QStringLiteral("Bemerkung")});
  table->verticalHeader()->hide();
  table->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table->setSelectionMode(QAbstractItemView::NoSelection);
  table->setShowGrid(false);
  table->setWordWrap(false);
  table->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  table->horizontalHeader()->setStretchLastSection(true);
  const int digit = QFontMetrics(table->font()).horizontalAdvance(QLatin1Char('8'));
  for (int c = 0; c + 1 < kColumnCount; ++c)
    table->setColumnWidth(c, (PrefixChoice::kColumns[c + 1] - PrefixChoice::kColumns[c]) * digit);
  int row = 0;
  for (const PrefixChoiceRow& r : choice_.Rows()) {
    const std::string texts[kColumnCount] = {
        FormatLongPicture("##", r.number), r.dxcc, r.cqZone, r.ituZone, r.country, r.remark};
    for (int c = 0; c < kColumnCount; ++c)
      table->setItem(row, c, new QTableWidgetItem(ToQString(texts[c])));
    ++row;
  }
  table->installEventFilter(this);
  table->viewport()->installEventFilter(this);
  connect(table, &QTableWidget::cellClicked, this, [this](int r, int) { MarkRow(r); });

  btnUebernehmen = new QPushButton(ToQString(PrefixChoice::TakeCaption()), this);
  btnUebernehmen->setObjectName(QStringLiteral("btnUebernehmen"));
  btnUebernehmen->setEnabled(false);
  btnAbbrechen = new QPushButton(ToQString(PrefixChoice::CancelCaption()), this);
  btnAbbrechen->setObjectName(QStringLiteral("btnAbbrechen"));
  btnAbbrechen->setAutoDefault(false);
  connect(btnUebernehmen, &QPushButton::clicked, this, &PrefixChoiceDialog::Take);
  connect(btnAbbrechen, &QPushButton::clicked, this, &PrefixChoiceDialog::reject);

  QString hint;
  for (const std::string& part : PrefixChoice::HintParts())
    hint += ToQString(part);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(new QLabel(hint, this), 1);
  buttons->addWidget(btnUebernehmen);
  buttons->addWidget(btnAbbrechen);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addWidget(table, 1);
  layout->addLayout(buttons);
  // Wide enough for every column (the remark column gets 20 digits of its own).
  resize((PrefixChoice::kColumns[kColumnCount - 1] + 20) * digit + 20, 360);
  table->setFocus();
  ShowMark();
}

void PrefixChoiceDialog::MarkRow(int row) {
  choice_.Mark(row);
  ShowMark();
}

void PrefixChoiceDialog::ShowMark() {
  for (int r = 0; r < table->rowCount(); ++r) {
    const bool marked = r == choice_.Marked();
    for (int c = 0; c < kColumnCount; ++c) {
      QTableWidgetItem* item = table->item(r, c);
      if (item == nullptr)
        continue;
      item->setBackground(marked ? QBrush(kMarkBackground) : QBrush());
      item->setForeground(marked ? QBrush(Qt::white) : QBrush());
    }
  }
  if (choice_.Marked() >= 0)
    table->scrollToItem(table->item(choice_.Marked(), 0));
  btnUebernehmen->setEnabled(choice_.CanTake());
  btnUebernehmen->setDefault(choice_.CanTake());
}

void PrefixChoiceDialog::Take() {
  if (!choice_.Take())
    return;
  accept();
}

void PrefixChoiceDialog::reject() {
  if (!choice_.Taken())
    choice_.Cancel();
  QDialog::reject();
}

bool PrefixChoiceDialog::eventFilter(QObject* watched, QEvent* event) {
  if (watched == table->viewport() && event->type() == QEvent::MouseButtonDblClick) {
    const int row = table->rowAt(static_cast<QMouseEvent*>(event)->position().toPoint().y());
    if (row >= 0) {
      MarkRow(row);
      Take();
    }
    return true;
  }
  if (watched == table && event->type() == QEvent::KeyPress) {
    switch (static_cast<QKeyEvent*>(event)->key()) {
    case Qt::Key_Down:
      choice_.MarkNext();
      ShowMark();
      return true;
    case Qt::Key_Up:
      choice_.MarkPrevious();
      ShowMark();
      return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      Take();
      return true;
    default:
      break;
    }
  }
  return QDialog::eventFilter(watched, event);
}

bool ChoosePrefix(PrefixChoice& choice, QWidget* parent) {
  PrefixChoiceDialog window(choice, parent);
  return window.exec() == QDialog::Accepted && choice.Taken();
}

} // namespace tarvik
