// The log window's entry panel: the call and the two report rows with their captions, date,
// time, mode and band, frequency/name/QTH, the status line, the counters and the
// multiplier panel.
//
// The parts whose fields come and go (fixed fields shown as labels, hidden elements, the
// listener's second call, name/QTH) are plain layouts, so that a field shown or hidden
// later makes the panel lay itself out again.

#include <QCheckBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "logging/ui/contest_log_window.h"
#include "logging/ui/log_window_style.h"
#include "logging/ui/multiplier_panel.h"
#include "widgets/text_codec.h"
#include "widgets/trk_bit_btn.h"
#include "widgets/trk_edit.h"

namespace tarvik {

using namespace logwindow;

namespace {

using F = EntryField;

// Characters an entry field shows without scrolling.
int FieldCharacters(EntryField field) {
  switch (field) {
  case F::eCall:
  case F::eCall2:
    return 9;
  case F::eRSTs1:
  case F::eRSTr1:
    return 3;
  case F::eDatum:
    return 10;
  case F::ezeit:
    return 8;
  case F::eFreq:
    return 9;
  case F::eName:
  case F::eQTH:
    return 16;
  case F::emode:
    return 6;
  default:
    return 7;
  }
}

int PointSize(EntryField field) {
  return field == F::eCall ? 16 : 12;
}

} // namespace

TrkEdit* ContestLogWindow::MakeEdit(EntryField field, QWidget* parent) {
  auto* edit = new TrkEdit(parent);
  edit->setObjectName(
      QString::fromLatin1(FieldName(field).data(), static_cast<int>(FieldName(field).size())));
  edit->setMaxLength(FieldMaxLength(field));
  edit->setFont(SizedFont(font(), Pt(PointSize(field)), true));
  // Digits and capitals are about as wide as "0"; a little room for the frame.
  const int text = edit->fontMetrics().horizontalAdvance(QString(FieldCharacters(field), '0'));
  edit->setFixedWidth(text + Px(16));
  edits_[static_cast<std::size_t>(Index(field))] = edit;
  connect(edit, &QLineEdit::textEdited, this,
          [this, field](const QString& typed) { FieldEdited(field, typed); });
  connect(edit, &TrkEdit::entered, this, [this, field] { FieldEntered(field); });
  edit->installEventFilter(this);
  edit->hide();
  return edit;
}

QLabel* ContestLogWindow::MakeFixedLabel(EntryField field, const char* name, QWidget* parent) {
  auto* label = new QLabel(parent);
  label->setObjectName(QString::fromLatin1(name));
  label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  label->setFont(SizedFont(font(), Pt(PointSize(field)), true));
  label->setMargin(1);
  label->setIndent(4);
  SetBackground(label, kFixedColour);
  if (TrkEdit* edit = Edit(field)) {
    label->setFixedHeight(edit->sizeHint().height());
    label->setMinimumWidth(edit->width());
  }
  fixed_[static_cast<std::size_t>(Index(field))] = label;
  label->hide();
  return label;
}

QLabel* ContestLogWindow::MakeCaption(const QString& name, const QString& text, QWidget* parent) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(name);
  label->setFont(SizedFont(font(), Pt(10), true));
  SetTextColour(label, kTeal);
  return label;
}

QFrame* ContestLogWindow::CreateEntryPanel() {
  panelEingabe = new QFrame(this);
  panelEingabe->setObjectName(QStringLiteral("panelEingabe"));
  panelEingabe->setFrameShape(QFrame::StyledPanel);
  SetBackground(panelEingabe, kPanelColour);
  compact_ = session_->Form().CompactLayout();
  auto* layout = new QVBoxLayout(panelEingabe);
  layout->setContentsMargins(12, 8, 12, 8);
  layout->setSpacing(6);

  auto* top = new QHBoxLayout();
  top->setSpacing(18);
  top->addLayout(CreateReportGrid(), 0);
  QLayout* info = CreateInfoBlock();
  if (!compact_)
    top->addLayout(info, 0);
  top->addStretch(1);
  layout->addLayout(top);
  if (compact_)
    layout->addLayout(info);
  layout->addLayout(CreateNameQthRow());
  layout->addLayout(CreateStatusRow());

  auto* bottom = new QHBoxLayout();
  bottom->setSpacing(18);
  panelmulties =
      new MultiplierPanel(TraitsOf(session_->ContestCode()).panelLabelWidth, panelEingabe);
  bottom->addWidget(panelmulties, 0, Qt::AlignTop);
  bottom->addWidget(CreateCounters(), 0, Qt::AlignTop);
  bottom->addStretch(1);
  layout->addLayout(bottom);
  if (compact_) {
    // Without multipliers there is no panel and no band counter.
    panelmulties->hide();
    panelZaehler->hide();
  }
  layout->addStretch(1);
  return panelEingabe;
}

QLayout* ContestLogWindow::CreateReportGrid() {
  QWidget* box = panelEingabe;
  auto* grid = new QGridLayout();
  grid->setHorizontalSpacing(6);
  grid->setVerticalSpacing(4);

  // Row 0: captions of the call and of the report columns.
  leCall = MakeCaption(QStringLiteral("leCall"), QStringLiteral("Call"), box);
  captions_[static_cast<std::size_t>(Index(F::eCall))] = leCall;
  grid->addWidget(leCall, 0, 0, Qt::AlignBottom);
  lRST1Name = MakeCaption(QStringLiteral("lRST1Name"), QStringLiteral("RST"), box);
  lRST2Name = MakeCaption(QStringLiteral("lRST2Name"), QString(), box);
  lRST3Name = MakeCaption(QStringLiteral("lRST3Name"), QString(), box);
  lRST4Name = MakeCaption(QStringLiteral("lRST4Name"), QString(), box);
  grid->addWidget(lRST1Name, 0, 2, Qt::AlignBottom);
  grid->addWidget(lRST2Name, 0, 3, Qt::AlignBottom);
  grid->addWidget(lRST3Name, 0, 4, Qt::AlignBottom);
  grid->addWidget(lRST4Name, 0, 5, Qt::AlignBottom);

  // Row 1: the call and the sent row; row 2: the second call (listener logs) and the
  // received row. A fixed field's label shares the cell of its entry field.
  eCall = MakeEdit(F::eCall, box);
  lCall = MakeFixedLabel(F::eCall, "lCall", box);
  grid->addWidget(eCall, 1, 0, Qt::AlignLeft | Qt::AlignVCenter);
  grid->addWidget(lCall, 1, 0, Qt::AlignLeft | Qt::AlignVCenter);

  auto* call2 = new QHBoxLayout();
  call2->setSpacing(6);
  leCall2 = MakeCaption(QStringLiteral("leCall2"), QStringLiteral("Call 2"), box);
  captions_[static_cast<std::size_t>(Index(F::eCall2))] = leCall2;
  eCall2 = MakeEdit(F::eCall2, box);
  eCall2->setFont(SizedFont(font(), Pt(12), true));
  eCall2->setFixedWidth(eCall->width() - leCall2->sizeHint().width() - 6);
  MakeFixedLabel(F::eCall2, "lCall2", box);
  call2->addWidget(leCall2);
  call2->addWidget(eCall2);
  call2->addWidget(FixedLabel(F::eCall2));
  call2->addStretch(1);
  grid->addLayout(call2, 2, 0);
  leCall2->hide();

  lersts =
      MakeCaption(QStringLiteral("lersts"), ToQString(session_->Form().RowCaption(false)), box);
  lerstr = MakeCaption(QStringLiteral("lerstr"), ToQString(session_->Form().RowCaption(true)), box);
  grid->addWidget(lersts, 1, 1);
  grid->addWidget(lerstr, 2, 1);

  static const char* const kSentLabels[] = {"lRSTs1", "lRSTs2", "lRSTs3", "lRSTs4"};
  static const char* const kRcvdLabels[] = {"lRSTr1", "lRSTr2", "lRSTr3", "lRSTr4"};
  for (int n = 1; n <= 4; ++n) {
    const EntryField sent = SentField(n);
    const EntryField rcvd = ReceivedField(n);
    TrkEdit* sentEdit = MakeEdit(sent, box);
    TrkEdit* rcvdEdit = MakeEdit(rcvd, box);
    QLabel* sentLabel = MakeFixedLabel(sent, kSentLabels[n - 1], box);
    QLabel* rcvdLabel = MakeFixedLabel(rcvd, kRcvdLabels[n - 1], box);
    const int column = n + 1;
    grid->addWidget(sentEdit, 1, column, Qt::AlignLeft);
    grid->addWidget(rcvdEdit, 2, column, Qt::AlignLeft);
    if (n == 2) {
      // The sent exchange as one text reaches across the element columns.
      sentLabel->setMinimumWidth(0);
      grid->addWidget(sentLabel, 1, column, 1, 3);
    } else {
      grid->addWidget(sentLabel, 1, column, Qt::AlignLeft);
    }
    grid->addWidget(rcvdLabel, 2, column, Qt::AlignLeft);
  }
  // The captions "&1 : " ... lead Alt+1..3 to the received elements.
  lRST2Name->setBuddy(Edit(F::eRSTr2));
  lRST3Name->setBuddy(Edit(F::eRSTr3));
  lRST4Name->setBuddy(Edit(F::eRSTr4));
  grid->setRowStretch(3, 1);
  eRSTs1 = Edit(F::eRSTs1);
  eRSTs2 = Edit(F::eRSTs2);
  eRSTs3 = Edit(F::eRSTs3);
  eRSTs4 = Edit(F::eRSTs4);
  eRSTr1 = Edit(F::eRSTr1);
  eRSTr2 = Edit(F::eRSTr2);
  eRSTr3 = Edit(F::eRSTr3);
  eRSTr4 = Edit(F::eRSTr4);
  lRSTs1 = FixedLabel(F::eRSTs1);
  lRSTr1 = FixedLabel(F::eRSTr1);
  lRSTs2 = FixedLabel(F::eRSTs2);
  return grid;
}

QLayout* ContestLogWindow::CreateInfoBlock() {
  QWidget* box = panelEingabe;
  leDatum = MakeCaption(QStringLiteral("leDatum"), QStringLiteral("Datum"), box);
  lezeit = MakeCaption(QStringLiteral("lezeit"), QStringLiteral("UTC"), box);
  leMode = MakeCaption(QStringLiteral("leMode"), QStringLiteral("Mode"), box);
  leBand = MakeCaption(QStringLiteral("leBand"), QStringLiteral("Band"), box);
  captions_[static_cast<std::size_t>(Index(F::eDatum))] = leDatum;
  captions_[static_cast<std::size_t>(Index(F::ezeit))] = lezeit;
  captions_[static_cast<std::size_t>(Index(F::emode))] = leMode;
  eDatum = MakeEdit(F::eDatum, box);
  ezeit = MakeEdit(F::ezeit, box);
  emode = MakeEdit(F::emode, box);
  lDatum = MakeFixedLabel(F::eDatum, "lDatum", box);
  lZeit = MakeFixedLabel(F::ezeit, "lZeit", box);
  lMode = MakeFixedLabel(F::emode, "lMode", box);
  lband = new QLabel(box);
  lband->setObjectName(QStringLiteral("lband"));
  lband->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  lband->setFont(lMode->font());
  lband->setMargin(1);
  lband->setIndent(4);
  lband->setFixedHeight(lMode->height());
  lband->setMinimumWidth(lMode->minimumWidth());
  SetBackground(lband, kFixedColour);
  btnMode = MakeButton("btnMode", QStringLiteral("F7"), box);
  btnBand = MakeButton("btnBand", QStringLiteral("F8"), box);
  btnMode->setToolTip(QStringLiteral("Mode wählen [F7]"));
  btnBand->setToolTip(QStringLiteral("Band wählen [F8]"));
  for (TrkBitBtn* b : {btnMode, btnBand}) {
    b->setRknichtTransparent(true);
    b->setFixedSize(Px(34), lMode->height());
  }
  connect(btnMode, &QPushButton::clicked, this, &ContestLogWindow::btnModeClick);
  connect(btnBand, &QPushButton::clicked, this, &ContestLogWindow::btnBandClick);
  btnClear = MakeButton("btnClear", QStringLiteral("Clear [Esc]"), box);
  btnClear->setToolTip(QStringLiteral("Clear"));
  btnClear->setRknichtTransparent(true);
  btnClear->setFixedHeight(lMode->height());
  connect(btnClear, &QPushButton::clicked, this, &ContestLogWindow::btnClearClick);
  btnSpeichern = MakeButton("btnSpeichern", QStringLiteral("Speichern [F10]"), box);
  btnSpeichern->hide();
  // A QSO the save refuses has shown why (message, beep, the field in question).
  connect(btnSpeichern, &QPushButton::clicked, this,
          [this] { Run([this] { (void)session_->Store(); }); });

  struct Item {
    QLabel* caption;
    QWidget* first;
    QWidget* second;
    QWidget* button;
  };
  const Item items[] = {{leDatum, eDatum, lDatum, nullptr},
                        {lezeit, ezeit, lZeit, nullptr},
                        {leMode, emode, lMode, btnMode},
                        {leBand, lband, nullptr, btnBand}};
  if (compact_) {
    // Without multipliers date, time, mode and band share one row.
    auto* row = new QHBoxLayout();
    row->setSpacing(6);
    for (const Item& item : items) {
      row->addWidget(item.caption);
      row->addWidget(item.first);
      if (item.second != nullptr)
        row->addWidget(item.second);
      if (item.button != nullptr)
        row->addWidget(item.button);
      row->addSpacing(12);
    }
    row->addStretch(1);
    row->addWidget(btnClear);
    row->addWidget(btnSpeichern);
    return row;
  }
  auto* grid = new QGridLayout();
  grid->setHorizontalSpacing(8);
  grid->setVerticalSpacing(4);
  int line = 0;
  for (const Item& item : items) {
    grid->addWidget(item.caption, line, 0);
    auto* cell = new QHBoxLayout();
    cell->setSpacing(4);
    cell->addWidget(item.first);
    if (item.second != nullptr)
      cell->addWidget(item.second);
    if (item.button != nullptr)
      cell->addWidget(item.button);
    cell->addStretch(1);
    grid->addLayout(cell, line, 1);
    ++line;
  }
  grid->addWidget(btnClear, line, 1, Qt::AlignLeft);
  grid->addWidget(btnSpeichern, line + 1, 1, Qt::AlignLeft);
  grid->setRowStretch(line + 2, 1);
  return grid;
}

QLayout* ContestLogWindow::CreateNameQthRow() {
  QWidget* box = panelEingabe;
  auto* row = new QHBoxLayout();
  row->setSpacing(6);
  leFreq = MakeCaption(QStringLiteral("leFreq"), QStringLiteral("Freq."), box);
  leName = MakeCaption(QStringLiteral("leName"), QStringLiteral("Name"), box);
  leQTH = MakeCaption(QStringLiteral("leQTH"), QStringLiteral("QTH"), box);
  captions_[static_cast<std::size_t>(Index(F::eFreq))] = leFreq;
  captions_[static_cast<std::size_t>(Index(F::eName))] = leName;
  captions_[static_cast<std::size_t>(Index(F::eQTH))] = leQTH;
  eFreq = MakeEdit(F::eFreq, box);
  eName = MakeEdit(F::eName, box);
  eQTH = MakeEdit(F::eQTH, box);
  static const char* const kLabels[] = {"lFreq", "lName", "lQTH"};
  int i = 0;
  for (F field : {F::eFreq, F::eName, F::eQTH})
    MakeFixedLabel(field, kLabels[i++], box);
  for (QLabel* caption : {leFreq, leName, leQTH})
    caption->hide();
  row->addWidget(leFreq);
  row->addWidget(eFreq);
  row->addSpacing(10);
  row->addWidget(leName);
  row->addWidget(eName);
  row->addSpacing(10);
  row->addWidget(leQTH);
  row->addWidget(eQTH);
  row->addStretch(1);
  return row;
}

QLayout* ContestLogWindow::CreateStatusRow() {
  QWidget* box = panelEingabe;
  auto* row = new QHBoxLayout();
  row->setContentsMargins(0, 2, 0, 2);
  row->setSpacing(8);
  lqsopartner = MakeCaption(QStringLiteral("lqsopartner"), QStringLiteral("QSO-Partner"), box);
  lcallname = new QLabel(box);
  lcallname->setObjectName(QStringLiteral("lcallname"));
  lcallname->setFont(SizedFont(font(), Pt(11), true));
  lcallname->setMinimumWidth(Px(90));
  lQSLs = new QLabel(box);
  lQSLs->setObjectName(QStringLiteral("lQSLs"));
  lQSLs->setFont(SizedFont(font(), Pt(10), true));
  lQSLs->setCursor(Qt::PointingHandCursor);
  lQSLs->setTextFormat(Qt::RichText);
  lQSLs->installEventFilter(this);
  rqsls = new QCheckBox(QStringLiteral("&QSL senden"), box);
  rqsls->setObjectName(QStringLiteral("rqsls"));
  rqsls->setEnabled(false);
  rqsls->hide();
  lenter = new QLabel(box);
  lenter->setObjectName(QStringLiteral("lenter"));
  lenter->setFont(SizedFont(font(), Pt(10), false));
  SetTextColour(lenter, QColor(0x40, 0x40, 0x40));
  leNummer = MakeCaption(QStringLiteral("leNummer"), QStringLiteral("Nr."), box);
  lNummer = new QLabel(box);
  lNummer->setObjectName(QStringLiteral("lNummer"));
  lNummer->setFont(SizedFont(font(), Pt(15), true));
  lNummer->setMinimumWidth(Px(50));
  SetTextColour(lNummer, kNavy);
  row->addWidget(lqsopartner);
  row->addWidget(lcallname);
  row->addSpacing(Px(12));
  row->addWidget(lQSLs);
  row->addWidget(rqsls);
  row->addSpacing(Px(16));
  row->addWidget(lenter);
  row->addStretch(1);
  row->addWidget(leNummer);
  row->addWidget(lNummer);
  return row;
}

QWidget* ContestLogWindow::CreateCounters() {
  panelZaehler = new QWidget(panelEingabe);
  panelZaehler->setObjectName(QStringLiteral("panelZaehler"));
  auto* grid = new QGridLayout(panelZaehler);
  grid->setContentsMargins(0, 4, 0, 0);
  grid->setHorizontalSpacing(14);
  grid->setVerticalSpacing(8);
  auto make = [this](const char* name) {
    auto* label = new QLabel(panelZaehler);
    label->setObjectName(QString::fromLatin1(name));
    label->setFont(SizedFont(font(), Pt(12), true));
    return label;
  };
  leqso = make("leqso");
  lqso = make("lqso");
  lemulti = make("lemulti");
  lmulti = make("lmulti");
  lePunkte = make("lePunkte");
  lPunkte = make("lPunkte");
  int row = 0;
  for (auto [caption, value] :
       {std::pair<QLabel*, QLabel*>{leqso, lqso}, {lemulti, lmulti}, {lePunkte, lPunkte}}) {
    SetTextColour(caption, kTeal);
    SetTextColour(value, kNavy);
    value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    caption->setMinimumWidth(Px(130));
    value->setMinimumWidth(Px(90));
    grid->addWidget(caption, row, 0);
    grid->addWidget(value, row, 1);
    ++row;
  }
  return panelZaehler;
}

} // namespace tarvik
