#include "logging/ui/qso_edit_dialog.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QVBoxLayout>

#include <algorithm>

#include "base/help_topics.h"
#include "widgets/help_request.h"
#include "widgets/text_codec.h"
#include "widgets/trk_bit_btn.h"
#include "widgets/trk_edit.h"

namespace tarvik {

namespace {

using E = EditField;

QLabel* Caption(const QString& text, QWidget* parent) {
  auto* label = new QLabel(text, parent);
  label->setStyleSheet(QStringLiteral("color: #006868;"));
  return label;
}

// Width of a field for `characters` characters of its font.
int FieldWidth(const QWidget* w, int characters) {
  return w->fontMetrics().horizontalAdvance(QLatin1Char('W')) * characters + 12;
}

} // namespace

QsoEditDialog::QsoEditDialog(QsoEditForm& form, QWidget* parent) : QDialog(parent), form_(form) {
  setObjectName(QStringLiteral("QsoEditDialog"));
  SetHelpContext(this, kQsoChangeHelpTopic);
  setWindowTitle(QStringLiteral("QSO ändern"));
  setModal(true);
  setWindowFlag(Qt::WindowContextHelpButtonHint, false);
  QFont bold = font();
  bold.setBold(true);
  setFont(bold);

  for (int i = 0; i < kEditFields; ++i)
    MakeEdit(static_cast<EditField>(i));
  eCall = Edit(E::eCall);
  eCall2 = Edit(E::eCall2);
  eRSTs1 = Edit(E::eRSTs1);
  eRSTr1 = Edit(E::eRSTr1);
  eDatum = Edit(E::eDatum);
  ezeit = Edit(E::ezeit);
  eQSLw = Edit(E::eQSLw);
  eqslr = Edit(E::eqslr);
  eMulti = Edit(E::eMulti);
  eFreq = Edit(E::eFreq);
  eName = Edit(E::eName);
  eQTH = Edit(E::eQTH);
  emode = Edit(E::emode);

  comboband = new QComboBox(this);
  comboband->setObjectName(QStringLiteral("comboband"));
  for (const std::string& name : form_.BandNames())
    comboband->addItem(ToQString(name));
  combomode = new QComboBox(this);
  combomode->setObjectName(QStringLiteral("combomode"));
  for (const std::string& mode : form_.Modes())
    combomode->addItem(ToQString(mode));
  for (QComboBox* combo : {comboband, combomode}) {
    combo->installEventFilter(this);
    combo->setMinimumWidth(FieldWidth(combo, 6));
  }
  connect(comboband, &QComboBox::activated, this, [this](int index) {
    if (showing_)
      return;
    form_.ChooseBand(index);
    ShowForm();
  });
  connect(combomode, &QComboBox::activated, this, [this](int index) {
    if (showing_)
      return;
    form_.ChooseMode(index);
    ShowForm();
  });
  connect(eFreq, &TrkEdit::exited, this, [this] {
    if (!showing_ && !closing_)
      eFreqExit();
  });
  // A change of the received QSL mark selects it, so that the next key replaces it.
  connect(eqslr, &QLineEdit::textChanged, eqslr, &QLineEdit::selectAll);

  lnummer = new QLabel(this);
  lnummer->setObjectName(QStringLiteral("lnummer"));
  lnummer->setStyleSheet(QStringLiteral("color: #000080; font-size: 12pt;"));
  lMulti = Caption(QString(), this);
  leCall2 = Caption(QStringLiteral("Call 2"), this);

  BitBtn1 = new TrkBitBtn(bkCustom, this);
  BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
  BitBtn1->setText(QStringLiteral("Beenden [ESC]"));
  BitBtn1->setAutoDefault(false);
  BitBtn1->setDefault(false);
  BitBtn1->setFocusPolicy(Qt::NoFocus);
  connect(BitBtn1, &QPushButton::clicked, this, [this] { done(QDialog::Accepted); });

  // Layout: number; call; the report rows; date and time; band, mode, frequency; QSL marks
  // and prefix; name and QTH; the button.
  auto* outer = new QVBoxLayout(this);
  outer->setContentsMargins(14, 12, 14, 12);
  outer->setSpacing(10);
  outer->addWidget(lnummer);

  auto* grid = new QGridLayout();
  grid->setHorizontalSpacing(8);
  grid->setVerticalSpacing(6);
  int row = 0;
  grid->addWidget(Caption(QStringLiteral("Call"), this), row, 0);
  grid->addWidget(eCall, row, 1, 1, 2, Qt::AlignLeft);
  grid->addWidget(leCall2, row, 3);
  grid->addWidget(eCall2, row, 4);
  ++row;
  grid->addWidget(Caption(QStringLiteral("RST"), this), row, 1);
  grid->addWidget(Caption(QStringLiteral("2"), this), row, 2);
  grid->addWidget(Caption(QStringLiteral("3"), this), row, 3);
  grid->addWidget(Caption(QStringLiteral("4"), this), row, 4);
  ++row;
  grid->addWidget(Caption(QStringLiteral("gesendet"), this), row, 0);
  for (int n = 1; n <= 4; ++n)
    grid->addWidget(Edit(EditSentField(n)), row, n);
  ++row;
  grid->addWidget(Caption(QStringLiteral("empfangen"), this), row, 0);
  for (int n = 1; n <= 4; ++n)
    grid->addWidget(Edit(EditReceivedField(n)), row, n);
  ++row;
  grid->addWidget(Caption(QStringLiteral("Datum"), this), row, 0);
  grid->addWidget(eDatum, row, 1, 1, 2, Qt::AlignLeft);
  grid->addWidget(Caption(QStringLiteral("UTC"), this), row, 3);
  grid->addWidget(ezeit, row, 4);
  ++row;
  grid->addWidget(Caption(QStringLiteral("Band"), this), row, 0);
  grid->addWidget(comboband, row, 1);
  grid->addWidget(Caption(QStringLiteral("Mode"), this), row, 2);
  auto* modes = new QHBoxLayout();
  modes->addWidget(combomode);
  modes->addWidget(emode);
  grid->addLayout(modes, row, 3);
  auto* freq = new QHBoxLayout();
  freq->addWidget(Caption(QStringLiteral("Freq."), this));
  freq->addWidget(eFreq);
  grid->addLayout(freq, row, 4);
  ++row;
  grid->addWidget(Caption(QStringLiteral("QSL ges."), this), row, 0);
  auto* qsl = new QHBoxLayout();
  qsl->addWidget(eQSLw);
  qsl->addWidget(Caption(QStringLiteral("QSL erh."), this));
  qsl->addWidget(eqslr);
  qsl->addStretch(1);
  grid->addLayout(qsl, row, 1, 1, 2);
  grid->addWidget(lMulti, row, 3);
  grid->addWidget(eMulti, row, 4);
  ++row;
  grid->addWidget(Caption(QStringLiteral("Name"), this), row, 0);
  grid->addWidget(eName, row, 1, 1, 2, Qt::AlignLeft);
  grid->addWidget(Caption(QStringLiteral("QTH"), this), row, 3);
  grid->addWidget(eQTH, row, 4);
  outer->addLayout(grid);

  auto* buttons = new QHBoxLayout();
  buttons->addStretch(1);
  buttons->addWidget(BitBtn1);
  outer->addLayout(buttons);

  // Sizes by the characters each field takes.
  const std::pair<EditField, int> widths[] = {
      {E::eCall, 12}, {E::eCall2, 10}, {E::eRSTs1, 3}, {E::eRSTr1, 3}, {E::eDatum, 9},
      {E::ezeit, 7},  {E::eQSLw, 1},   {E::eqslr, 1},  {E::eMulti, 5}, {E::eFreq, 8},
      {E::eName, 12}, {E::eQTH, 12},   {E::emode, 5}};
  for (const auto& [field, characters] : widths)
    Edit(field)->setFixedWidth(FieldWidth(this, characters));
  for (int n = 2; n <= 4; ++n) {
    Edit(EditSentField(n))->setFixedWidth(FieldWidth(this, 8));
    Edit(EditReceivedField(n))->setFixedWidth(FieldWidth(this, 8));
  }
  grid->setColumnStretch(5, 1);

  // Tab order: the order of the fields above.
  const std::vector<QWidget*> order = {eCall,           eCall2,          Edit(E::eRSTs1),
                                       Edit(E::eRSTs2), Edit(E::eRSTs3), Edit(E::eRSTs4),
                                       eRSTr1,          Edit(E::eRSTr2), Edit(E::eRSTr3),
                                       Edit(E::eRSTr4), eDatum,          ezeit,
                                       comboband,       combomode,       emode,
                                       eFreq,           eQSLw,           eqslr,
                                       eMulti,          eName,           eQTH};
  for (std::size_t i = 1; i < order.size(); ++i)
    setTabOrder(order[i - 1], order[i]);

  ShowForm();
  eCall->setFocus();
}

TrkEdit* QsoEditDialog::MakeEdit(EditField field) {
  auto* edit = new TrkEdit(this);
  edit->setObjectName(QString::fromLatin1(EditFieldName(field).data(),
                                          static_cast<int>(EditFieldName(field).size())));
  edit->setMaxLength(EditFieldMaxLength(field));
  edit->installEventFilter(this);
  connect(edit, &QLineEdit::textEdited, this,
          [this, field](const QString& text) { FieldEdited(field, text); });
  edits_[static_cast<std::size_t>(field)] = edit;
  return edit;
}

std::vector<QWidget*> QsoEditDialog::FocusOrder() const {
  std::vector<QWidget*> order;
  QWidget* first = eCall;
  QWidget* w = first;
  do {
    if (w->isEnabled() && !w->isHidden() && w->focusPolicy() != Qt::NoFocus)
      order.push_back(w);
    w = w->nextInFocusChain();
    // Only the dialog's own fields take part.
  } while (w != nullptr && w != first && order.size() < 64);
  std::vector<QWidget*> fields;
  for (QWidget* candidate : order)
    if (qobject_cast<TrkEdit*>(candidate) != nullptr || candidate == comboband ||
        candidate == combomode)
      fields.push_back(candidate);
  return fields;
}

void QsoEditDialog::MoveFocusOn(QWidget* from) {
  // Enter leaves the frequency field: its check runs before the focus moves.
  if (from == eFreq)
    eFreqExit();
  const std::vector<QWidget*> order = FocusOrder();
  if (order.empty())
    return;
  auto it = std::find(order.begin(), order.end(), from);
  QWidget* next =
      it == order.end() || std::next(it) == order.end() ? order.front() : *std::next(it);
  next->setFocus(Qt::TabFocusReason);
  if (auto* edit = qobject_cast<TrkEdit*>(next))
    edit->selectAll();
}

void QsoEditDialog::FieldEdited(EditField field, const QString& text) {
  if (showing_)
    return;
  form_.SetText(field, FromQString(text));
  TrkEdit* edit = Edit(field);
  const QString shown = ToQString(form_.Text(field));
  if (edit->text() != shown) {
    const int position = edit->cursorPosition();
    showing_ = true;
    edit->setText(shown);
    edit->setCursorPosition(std::min(position, static_cast<int>(shown.size())));
    showing_ = false;
  }
}

void QsoEditDialog::eFreqExit() {
  form_.SetText(E::eFreq, FromQString(eFreq->text()));
  form_.LeaveFrequency();
  ShowForm();
}

void QsoEditDialog::ShowForm() {
  showing_ = true;
  lnummer->setText(ToQString(form_.NumberCaption()));
  lMulti->setText(ToQString(form_.MultiCaption()));
  for (int i = 0; i < kEditFields; ++i) {
    const auto field = static_cast<EditField>(i);
    TrkEdit* edit = Edit(field);
    const QString text = ToQString(form_.Text(field));
    if (edit->text() != text)
      edit->setText(text);
    edit->setEnabled(form_.Enabled(field));
    edit->setVisible(form_.Visible(field));
  }
  leCall2->setVisible(form_.Visible(E::eCall2));
  if (comboband->currentIndex() != form_.BandIndex())
    comboband->setCurrentIndex(form_.BandIndex());
  if (combomode->currentIndex() != form_.ModeIndex())
    combomode->setCurrentIndex(form_.ModeIndex());
  showing_ = false;
}

bool QsoEditDialog::eventFilter(QObject* watched, QEvent* event) {
  auto* widget = qobject_cast<QWidget*>(watched);
  if (event->type() == QEvent::KeyPress && widget != nullptr) {
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
      // A combo box's open list takes Enter itself.
      auto* combo = qobject_cast<QComboBox*>(widget);
      if (combo == nullptr || !combo->view()->isVisible()) {
        MoveFocusOn(widget);
        return true;
      }
    }
  }
  if (event->type() == QEvent::MouseButtonRelease && watched == eQSLw) {
    eQSLw->selectAll();
    return false;
  }
  return QDialog::eventFilter(watched, event);
}

void QsoEditDialog::done(int) {
  // However the dialog is closed, the caller stores the fields; the frequency is checked as
  // when the field is left.
  if (!closing_) {
    closing_ = true;
    if (focusWidget() == eFreq)
      eFreqExit();
  }
  QDialog::done(QDialog::Accepted);
}

} // namespace tarvik
