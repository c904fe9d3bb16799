// The log window's controls and their arrangement, opening and closing.

#include "logging/ui/contest_log_window.h"

#include <QApplication>
#include <QCheckBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLinearGradient>
#include <QListWidget>
#include <QPainter>
#include <QScreen>
#include <QStyle>
#include <QTableWidget>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/ui/text_codec.h"
#include "logging/log_list.h"
#include "logging/ui/evaluation_panel.h"
#include "logging/ui/multiplier_panel.h"
#include "storage/fileblock.h"
#include "storage/ui/trk_brow.h"
#include "widgets/trk_bit_btn.h"
#include "widgets/trk_edit.h"

namespace tarvik {

namespace {

using F = EntryField;

constexpr int kSideBarWidth = 176;
constexpr int kTitleBarHeight = 26;
const QColor kFormColour(0x23, 0x3E, 0x5C);
const QColor kPanelColour(0xD9, 0xE2, 0xEC);
const QColor kFixedColour(0xEE, 0xF2, 0xF6);
const QColor kNavy(0x14, 0x23, 0x5A);
const QColor kYellow(0xFF, 0xE0, 0x4A);
const QColor kTeal(0x00, 0x80, 0x80);

void SetBackground(QWidget* widget, const QColor& colour) {
  QPalette palette = widget->palette();
  palette.setColor(QPalette::Window, colour);
  widget->setPalette(palette);
  widget->setAutoFillBackground(true);
}

void SetTextColour(QWidget* widget, const QColor& colour) {
  QPalette palette = widget->palette();
  palette.setColor(QPalette::WindowText, colour);
  widget->setPalette(palette);
}

QFont SizedFont(const QFont& base, int points, bool bold) {
  QFont font = base;
  font.setPointSize(points);
  font.setBold(bold);
  return font;
}

/// The side bar's picture: a dark gradient with quiet rings of a radio wave.
class SideBar final : public QWidget {
public:
  explicit SideBar(QWidget* parent) : QWidget(parent) {}

protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    QLinearGradient gradient(0, 0, 0, height());
    gradient.setColorAt(0.0, QColor(0x0E, 0x1C, 0x30));
    gradient.setColorAt(0.6, QColor(0x1F, 0x3F, 0x66));
    gradient.setColorAt(1.0, QColor(0x2E, 0x5C, 0x8E));
    p.fillRect(rect(), gradient);
    p.setRenderHint(QPainter::Antialiasing);
    const QPointF centre(width() * 0.5, height() * 0.78);
    for (int i = 1; i <= 5; ++i) {
      p.setPen(QPen(QColor(0xFF, 0xFF, 0xFF, 24 - 3 * i), 2));
      p.drawEllipse(centre, 20.0 * i, 20.0 * i);
    }
  }
};

// Characters an entry field shows without scrolling.
int FieldCharacters(EntryField field) {
  switch (field) {
  case F::eCall:
  case F::eCall2:
    return 12;
  case F::eRSTs1:
  case F::eRSTr1:
    return 3;
  case F::eDatum:
    return 10;
  case F::ezeit:
    return 8;
  case F::eFreq:
    return 10;
  case F::eName:
  case F::eQTH:
    return 18;
  case F::emode:
    return 6;
  default:
    return 9;
  }
}

} // namespace

ContestLogStd::ContestLogStd(QsoSessionParams params, UserDialogs& dialogs, QWidget* mainWindow,
                             const Clock& clock)
    : QDialog(mainWindow), dialogs_(dialogs), mainWindow_(mainWindow) {
  header_ = params.headerRecord;
  extension_ = params.extensionRecord;
  session_ = std::make_unique<QsoSession>(std::move(params), dialogs, clock);
  setObjectName(QStringLiteral("ContestLogStd"));
  setModal(true);
  setWindowFlag(Qt::WindowContextHelpButtonHint, false);
  setWindowFlag(Qt::WindowMaximizeButtonHint, true);
  CreateControls();
  qApp->installEventFilter(this);
  connect(qApp, &QApplication::focusChanged, this, &ContestLogStd::FocusChanged);
}

ContestLogStd::~ContestLogStd() {
  qApp->removeEventFilter(this);
  // The controls go before the window: no focus change may reach it any more.
  disconnect(qApp, nullptr, this, nullptr);
  Finish();
}

// ---------------------------------------------------------------------------------------
// Controls

TrkEdit* ContestLogStd::MakeEdit(EntryField field, QWidget* parent) {
  auto* edit = new TrkEdit(parent);
  edit->setObjectName(
      QString::fromLatin1(FieldName(field).data(), static_cast<int>(FieldName(field).size())));
  edit->setMaxLength(FieldMaxLength(field));
  const bool call = field == F::eCall;
  edit->setFont(SizedFont(font(), call ? 17 : 11, true));
  const int width = edit->fontMetrics().horizontalAdvance(QString(FieldCharacters(field), 'W'));
  edit->setFixedWidth(width * (call ? 10 : 9) / 10 + 12);
  edits_[static_cast<std::size_t>(Index(field))] = edit;
  connect(edit, &QLineEdit::textEdited, this,
          [this, field](const QString& text) { FieldEdited(field, text); });
  connect(edit, &TrkEdit::entered, this, [this, field] { FieldEntered(field); });
  edit->installEventFilter(this);
  edit->hide();
  return edit;
}

QLabel* ContestLogStd::MakeFixedLabel(EntryField field, const char* name, QWidget* parent) {
  auto* label = new QLabel(parent);
  label->setObjectName(QString::fromLatin1(name));
  label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  label->setFont(SizedFont(font(), field == F::eCall ? 17 : 11, true));
  label->setMargin(2);
  label->setIndent(3);
  SetBackground(label, kFixedColour);
  fixed_[static_cast<std::size_t>(Index(field))] = label;
  label->hide();
  return label;
}

QLabel* ContestLogStd::MakeCaption(const QString& name, const QString& text, QWidget* parent) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(name);
  label->setFont(SizedFont(font(), 9, true));
  SetTextColour(label, kTeal);
  return label;
}

TrkBitBtn* ContestLogStd::MakeButton(const char* name, const QString& caption, QWidget* parent) {
  auto* button = new TrkBitBtn(bkCustom, parent);
  button->setObjectName(QString::fromLatin1(name));
  button->setText(caption);
  button->setFocusPolicy(Qt::NoFocus);
  button->setAutoDefault(false);
  return button;
}

void ContestLogStd::CreateControls() {
  setMinimumSize(800, 560);
  SetBackground(this, kFormColour);
  auto* outer = new QHBoxLayout(this);
  outer->setContentsMargins(0, 0, 0, 0);
  outer->setSpacing(0);
  outer->addWidget(CreateSideBar());

  auto* main = new QVBoxLayout();
  main->setContentsMargins(8, 8, 8, 8);
  main->setSpacing(8);
  auto* top = new QHBoxLayout();
  top->setSpacing(8);
  top->addWidget(CreateEntryPanel(), 1);
  panelauswertung = new EvaluationPanelWidget(this);
  SetBackground(panelauswertung, kPanelColour);
  connect(panelauswertung->btnauswertung, &QPushButton::clicked, this,
          [this] { CallTool(tools_.partyEvaluation); });
  top->addWidget(panelauswertung, 0);
  main->addLayout(top, 0);
  main->addWidget(CreateListPanel(), 1);
  outer->addLayout(main, 1);

  // The hidden radio control: its buttons and timer have no function.
  panelCAT = new QFrame(this);
  panelCAT->setObjectName(QStringLiteral("panelCAT"));
  auto* cat = new QHBoxLayout(panelCAT);
  btnCATan = MakeButton("btnCATan", QStringLiteral("CAT an"), panelCAT);
  btnCATaus = MakeButton("btnCATaus", QStringLiteral("CAT aus"), panelCAT);
  cat->addWidget(btnCATan);
  cat->addWidget(btnCATaus);
  panelCAT->hide();
  TimerCAT = new QTimer(this);
  TimerCAT->setObjectName(QStringLiteral("TimerCAT"));

  // The default button turns Enter into a key press on the focused field.
  btndefault = MakeButton("btndefault", QStringLiteral("default"), this);
  btndefault->hide();
  connect(btndefault, &QPushButton::clicked, this, &ContestLogStd::btndefaultClick);

  timerzeit = new QTimer(this);
  timerzeit->setObjectName(QStringLiteral("timerzeit"));
  timerzeit->setInterval(1000);
  connect(timerzeit, &QTimer::timeout, this, &ContestLogStd::timerzeitTimer);

  listband = MakeChoiceList("listband", session_->BandList());
  listmode = MakeChoiceList("listmode", session_->ModeList());
  resize(1024, 740);
}

QWidget* ContestLogStd::CreateSideBar() {
  auto* bar = new SideBar(this);
  bar->setFixedWidth(kSideBarWidth);
  auto* layout = new QVBoxLayout(bar);
  layout->setContentsMargins(8, 10, 8, 10);
  layout->setSpacing(6);

  MenueBeenden = new QLabel(QStringLiteral("Contest beenden"), bar);
  MenueBeenden->setObjectName(QStringLiteral("MenueBeenden"));
  QFont menuFont = SizedFont(font(), 12, true);
  menuFont.setItalic(true);
  MenueBeenden->setFont(menuFont);
  MenueBeenden->setMargin(3);
  SetTextColour(MenueBeenden, Qt::white);
  MenueBeenden->setCursor(Qt::PointingHandCursor);
  MenueBeenden->installEventFilter(this);
  layout->addWidget(MenueBeenden);
  layout->addSpacing(10);

  lglobcall1 = new QLabel(QStringLiteral("Tarvik"), bar);
  lglobcall2 = new QLabel(QStringLiteral("Contest-"), bar);
  lglobcall3 = new QLabel(QStringLiteral("Logbuch"), bar);
  lglobcall1->setObjectName(QStringLiteral("lglobcall1"));
  lglobcall2->setObjectName(QStringLiteral("lglobcall2"));
  lglobcall3->setObjectName(QStringLiteral("lglobcall3"));
  lglobcall1->setFont(SizedFont(font(), 20, true));
  SetTextColour(lglobcall1, kYellow);
  for (QLabel* label : {lglobcall2, lglobcall3}) {
    label->setFont(SizedFont(font(), 12, false));
    SetTextColour(label, Qt::white);
  }
  layout->addWidget(lglobcall1);
  layout->addWidget(lglobcall2);
  layout->addWidget(lglobcall3);
  layout->addSpacing(12);

  btnListe = MakeButton("btnListe", QStringLiteral("Log-Liste [F5]"), bar);
  btnBandliste = MakeButton("btnBandliste", QStringLiteral("Bandlog [F3]"), bar);
  btnCallsuche = MakeButton("btnCallsuche", QStringLiteral("Callsuche [F4]"), bar);
  btnKorrektur = MakeButton("btnKorrektur", QStringLiteral("Korrektur [F12]"), bar);
  btnNotiz = MakeButton("btnNotiz", QStringLiteral("Notiz [F6]"), bar);
  btnNameqth = MakeButton("btnNameqth", QStringLiteral("Name/QTH [F9]"), bar);
  btnadifimport = MakeButton("btnadifimport", QStringLiteral("Import von ADIF-Dateien"), bar);
  btnHilfe = MakeButton("btnHilfe", QStringLiteral("Hilfe"), bar);
  for (TrkBitBtn* b : {btnListe, btnBandliste, btnCallsuche, btnKorrektur, btnNotiz, btnNameqth,
                       btnadifimport, btnHilfe}) {
    b->setRknichtTransparent(true);
    b->setMinimumHeight(26);
    layout->addWidget(b);
  }
  btnadifimport->setToolTip(btnadifimport->text());
  btnadifimport->setText(QStringLiteral("ADIF-Import"));
  connect(btnListe, &QPushButton::clicked, this, &ContestLogStd::btnListeClick);
  connect(btnBandliste, &QPushButton::clicked, this, [this] { CallTool(tools_.bandLog); });
  connect(btnCallsuche, &QPushButton::clicked, this, [this] { CallTool(tools_.callSearch); });
  connect(btnKorrektur, &QPushButton::clicked, this, [this] { CallTool(tools_.corrections); });
  connect(btnNotiz, &QPushButton::clicked, this, [this] { CallTool(tools_.note); });
  connect(btnadifimport, &QPushButton::clicked, this, [this] { CallTool(tools_.adifImport); });
  connect(btnNameqth, &QPushButton::clicked, this, &ContestLogStd::btnNameqthClick);
  connect(btnHilfe, &QPushButton::clicked, this, &ContestLogStd::btnHilfeClick);

  layout->addStretch(1);
  lProgramLine = new QLabel(bar);
  lProgramLine->setObjectName(QStringLiteral("lProgramLine"));
  lProgramLine->setWordWrap(true);
  lProgramLine->setFont(SizedFont(font(), 8, false));
  SetTextColour(lProgramLine, QColor(0xE4, 0xEA, 0xF1));
  lProgramLine->setText(ToQString(session_->ProgramLine()));
  layout->addWidget(lProgramLine);
  layout->addSpacing(6);
  btnbeenden = MakeButton("btnbeenden", QStringLiteral("Contest beenden"), bar);
  btnbeenden->setRknichtTransparent(true);
  btnbeenden->setMinimumHeight(30);
  connect(btnbeenden, &QPushButton::clicked, this, &QWidget::close);
  layout->addWidget(btnbeenden);
  return bar;
}

QFrame* ContestLogStd::CreateEntryPanel() {
  panelEingabe = new QFrame(this);
  panelEingabe->setObjectName(QStringLiteral("panelEingabe"));
  panelEingabe->setFrameShape(QFrame::StyledPanel);
  SetBackground(panelEingabe, kPanelColour);
  compact_ = session_->CompactLayout();
  auto* layout = new QVBoxLayout(panelEingabe);
  layout->setContentsMargins(10, 8, 10, 8);
  layout->setSpacing(6);

  auto* top = new QHBoxLayout();
  top->setSpacing(16);
  top->addWidget(CreateReportGrid(), 0, Qt::AlignTop);
  top->addStretch(1);
  QWidget* info = CreateInfoBlock();
  if (!compact_)
    top->addWidget(info, 0, Qt::AlignTop);
  auto* right = new QVBoxLayout();
  btnClear = MakeButton("btnClear", QStringLiteral("Clear [Esc]"), panelEingabe);
  btnClear->setToolTip(QStringLiteral("Clear"));
  btnClear->setRknichtTransparent(true);
  connect(btnClear, &QPushButton::clicked, this, &ContestLogStd::btnClearClick);
  btnSpeichern = MakeButton("btnSpeichern", QStringLiteral("Speichern [F10]"), panelEingabe);
  btnSpeichern->hide();
  connect(btnSpeichern, &QPushButton::clicked, this,
          [this] { Run([this] { session_->Store(); }); });
  right->addWidget(btnClear);
  right->addWidget(btnSpeichern);
  right->addStretch(1);
  top->addLayout(right);
  layout->addLayout(top);
  if (compact_)
    layout->addWidget(info);
  layout->addWidget(CreateNameQthRow());
  layout->addWidget(CreateStatusRow());

  auto* bottom = new QHBoxLayout();
  bottom->setSpacing(14);
  panelmulties = new MultiplierPanel(session_->PanelLabelWidth(), panelEingabe);
  bottom->addWidget(panelmulties, 0, Qt::AlignTop);
  bottom->addWidget(CreateCounters(), 0, Qt::AlignTop);
  bottom->addStretch(1);
  layout->addLayout(bottom);
  if (compact_) {
    panelmulties->hide();
    panelZaehler->hide();
  }
  layout->addStretch(1);
  return panelEingabe;
}

QWidget* ContestLogStd::CreateReportGrid() {
  auto* box = new QWidget(panelEingabe);
  auto* grid = new QGridLayout(box);
  grid->setContentsMargins(0, 0, 0, 0);
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
  // received row.
  eCall = MakeEdit(F::eCall, box);
  lCall = MakeFixedLabel(F::eCall, "lCall", box);
  auto* callCell = new QWidget(box);
  auto* callLayout = new QHBoxLayout(callCell);
  callLayout->setContentsMargins(0, 0, 0, 0);
  callLayout->addWidget(eCall);
  callLayout->addWidget(lCall);
  grid->addWidget(callCell, 1, 0, 1, 1, Qt::AlignLeft | Qt::AlignVCenter);

  auto* call2Cell = new QWidget(box);
  auto* call2Layout = new QHBoxLayout(call2Cell);
  call2Layout->setContentsMargins(0, 0, 0, 0);
  call2Layout->setSpacing(6);
  leCall2 = MakeCaption(QStringLiteral("leCall2"), QStringLiteral("Call 2"), call2Cell);
  captions_[static_cast<std::size_t>(Index(F::eCall2))] = leCall2;
  eCall2 = MakeEdit(F::eCall2, call2Cell);
  eCall2->setFixedWidth(eCall2->width());
  MakeFixedLabel(F::eCall2, "lCall2", call2Cell);
  call2Layout->addWidget(leCall2);
  call2Layout->addWidget(eCall2);
  call2Layout->addWidget(FixedLabel(F::eCall2));
  call2Layout->addStretch(1);
  grid->addWidget(call2Cell, 2, 0);
  leCall2->hide();

  lersts = MakeCaption(QStringLiteral("lersts"), ToQString(session_->SentRowCaption()), box);
  lerstr = MakeCaption(QStringLiteral("lerstr"), ToQString(session_->ReceivedRowCaption()), box);
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
    grid->addWidget(sentEdit, 1, column);
    grid->addWidget(rcvdEdit, 2, column);
    // The sent exchange as one text reaches across the element columns.
    grid->addWidget(sentLabel, 1, column, 1, n == 2 ? 3 : 1);
    grid->addWidget(rcvdLabel, 2, column);
    if (n == 1) {
      sentLabel->setFixedWidth(sentEdit->width());
      rcvdLabel->setFixedWidth(rcvdEdit->width());
    } else {
      grid->setColumnMinimumWidth(column, sentEdit->width());
    }
  }
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
  return box;
}

QWidget* ContestLogStd::CreateInfoBlock() {
  auto* box = new QWidget(panelEingabe);
  box->setObjectName(QStringLiteral("panelDatumZeit"));
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
  lband->setFont(SizedFont(font(), 11, true));
  lband->setMargin(2);
  lband->setIndent(3);
  SetBackground(lband, kFixedColour);
  for (QLabel* label : {lDatum, lZeit})
    label->setFixedWidth(eDatum->width());
  lMode->setFixedWidth(emode->width());
  lband->setFixedWidth(emode->width());
  btnMode = MakeButton("btnMode", QStringLiteral("F7"), box);
  btnBand = MakeButton("btnBand", QStringLiteral("F8"), box);
  btnMode->setToolTip(QStringLiteral("Mode wählen [F7]"));
  btnBand->setToolTip(QStringLiteral("Band wählen [F8]"));
  for (TrkBitBtn* b : {btnMode, btnBand}) {
    b->setRknichtTransparent(true);
    b->setFixedWidth(34);
  }
  connect(btnMode, &QPushButton::clicked, this, &ContestLogStd::btnModeClick);
  connect(btnBand, &QPushButton::clicked, this, &ContestLogStd::btnBandClick);

  auto pair = [](QWidget* a, QWidget* b, QWidget* c = nullptr) {
    auto* cell = new QWidget();
    auto* l = new QHBoxLayout(cell);
    l->setContentsMargins(0, 0, 0, 0);
    l->setSpacing(4);
    l->addWidget(a);
    l->addWidget(b);
    if (c != nullptr)
      l->addWidget(c);
    l->addStretch(1);
    return cell;
  };
  QWidget* dateCell = pair(eDatum, lDatum);
  QWidget* timeCell = pair(ezeit, lZeit);
  QWidget* modeCell = pair(emode, lMode, btnMode);
  QWidget* bandCell = pair(lband, btnBand);
  if (compact_) {
    // Without multipliers date, time, mode and band share one row.
    auto* row = new QHBoxLayout(box);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(8);
    for (auto [caption, cell] : {std::pair<QLabel*, QWidget*>{leDatum, dateCell},
                                 {lezeit, timeCell},
                                 {leMode, modeCell},
                                 {leBand, bandCell}}) {
      row->addWidget(caption);
      row->addWidget(cell);
    }
    row->addStretch(1);
  } else {
    auto* grid = new QGridLayout(box);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(4);
    int row = 0;
    for (auto [caption, cell] : {std::pair<QLabel*, QWidget*>{leDatum, dateCell},
                                 {lezeit, timeCell},
                                 {leMode, modeCell},
                                 {leBand, bandCell}}) {
      grid->addWidget(caption, row, 0);
      grid->addWidget(cell, row, 1);
      ++row;
    }
  }
  return box;
}

QWidget* ContestLogStd::CreateNameQthRow() {
  auto* box = new QWidget(panelEingabe);
  box->setObjectName(QStringLiteral("panelNameQTH"));
  auto* row = new QHBoxLayout(box);
  row->setContentsMargins(0, 0, 0, 0);
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
  for (F field : {F::eFreq, F::eName, F::eQTH})
    MakeFixedLabel(field, "", box);
  row->addWidget(leFreq);
  row->addWidget(eFreq);
  row->addSpacing(8);
  row->addWidget(leName);
  row->addWidget(eName);
  row->addSpacing(8);
  row->addWidget(leQTH);
  row->addWidget(eQTH);
  row->addStretch(1);
  return box;
}

QWidget* ContestLogStd::CreateStatusRow() {
  auto* box = new QWidget(panelEingabe);
  auto* row = new QHBoxLayout(box);
  row->setContentsMargins(0, 2, 0, 2);
  row->setSpacing(8);
  lqsopartner = MakeCaption(QStringLiteral("lqsopartner"), QStringLiteral("QSO-Partner"), box);
  lcallname = new QLabel(box);
  lcallname->setObjectName(QStringLiteral("lcallname"));
  lcallname->setFont(SizedFont(font(), 11, true));
  lcallname->setMinimumWidth(160);
  lQSLs = new QLabel(box);
  lQSLs->setObjectName(QStringLiteral("lQSLs"));
  lQSLs->setFont(SizedFont(font(), 9, true));
  lQSLs->setCursor(Qt::PointingHandCursor);
  lQSLs->installEventFilter(this);
  rqsls = new QCheckBox(QStringLiteral("&QSL senden"), box);
  rqsls->setObjectName(QStringLiteral("rqsls"));
  rqsls->setEnabled(false);
  rqsls->hide();
  lenter = new QLabel(box);
  lenter->setObjectName(QStringLiteral("lenter"));
  lenter->setFont(SizedFont(font(), 9, false));
  SetTextColour(lenter, QColor(0x40, 0x40, 0x40));
  leNummer = MakeCaption(QStringLiteral("leNummer"), QStringLiteral("Nr."), box);
  lNummer = new QLabel(box);
  lNummer->setObjectName(QStringLiteral("lNummer"));
  lNummer->setFont(SizedFont(font(), 14, true));
  SetTextColour(lNummer, kNavy);
  row->addWidget(lqsopartner);
  row->addWidget(lcallname);
  row->addSpacing(12);
  row->addWidget(lQSLs);
  row->addWidget(rqsls);
  row->addSpacing(12);
  row->addWidget(lenter);
  row->addStretch(1);
  row->addWidget(leNummer);
  row->addWidget(lNummer);
  return box;
}

QWidget* ContestLogStd::CreateCounters() {
  panelZaehler = new QWidget(panelEingabe);
  panelZaehler->setObjectName(QStringLiteral("panelZaehler"));
  auto* grid = new QGridLayout(panelZaehler);
  grid->setContentsMargins(0, 0, 0, 0);
  grid->setHorizontalSpacing(10);
  grid->setVerticalSpacing(6);
  auto make = [this](const char* name) {
    auto* label = new QLabel(panelZaehler);
    label->setObjectName(QString::fromLatin1(name));
    label->setFont(SizedFont(font(), 11, true));
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
    value->setMinimumWidth(70);
    grid->addWidget(caption, row, 0);
    grid->addWidget(value, row, 1);
    ++row;
  }
  return panelZaehler;
}

QFrame* ContestLogStd::CreateListPanel() {
  panelListe = new QFrame(this);
  panelListe->setObjectName(QStringLiteral("panelListe"));
  panelListe->setFrameShape(QFrame::StyledPanel);
  SetBackground(panelListe, kPanelColour);
  auto* layout = new QVBoxLayout(panelListe);
  layout->setContentsMargins(1, 1, 1, 1);
  layout->setSpacing(0);

  PanelDXOben = new QWidget(panelListe);
  PanelDXOben->setObjectName(QStringLiteral("PanelDXOben"));
  PanelDXOben->setFixedHeight(kTitleBarHeight);
  SetBackground(PanelDXOben, kNavy);
  auto* title = new QHBoxLayout(PanelDXOben);
  title->setContentsMargins(8, 0, 4, 0);
  title->setSpacing(6);
  lContestCaption = new QLabel(ToQString(session_->ListCaption()), PanelDXOben);
  lContestCaption->setObjectName(QStringLiteral("lContestCaption"));
  lContestCaption->setFont(SizedFont(font(), 11, true));
  SetTextColour(lContestCaption, kYellow);
  lContestCaption->setCursor(Qt::PointingHandCursor);
  lContestCaption->installEventFilter(this);
  title->addWidget(lContestCaption);
  title->addStretch(1);
  btnAendern = MakeButton("btnAendern", QStringLiteral("Ändern [ET]"), PanelDXOben);
  btnLoeschen = MakeButton("btnLoeschen", QStringLiteral("Löschen [Entf]"), PanelDXOben);
  connect(btnAendern, &QPushButton::clicked, this, [this] { CallTool(tools_.change); });
  connect(btnLoeschen, &QPushButton::clicked, this, [this] { CallTool(tools_.remove); });
  for (TrkBitBtn* b : {btnAendern, btnLoeschen}) {
    b->setRknichtTransparent(true);
    b->setFixedHeight(kTitleBarHeight - 4);
    title->addWidget(b);
  }
  SpeedButton1 = new QToolButton(PanelDXOben);
  SpeedButton1->setObjectName(QStringLiteral("SpeedButton1"));
  SpeedButton1->setIcon(style()->standardIcon(QStyle::SP_TitleBarCloseButton));
  SpeedButton1->setToolTip(QStringLiteral("Contest beenden"));
  SpeedButton1->setAutoRaise(true);
  SpeedButton1->setFocusPolicy(Qt::NoFocus);
  connect(SpeedButton1, &QToolButton::clicked, this, &QWidget::close);
  title->addWidget(SpeedButton1);
  layout->addWidget(PanelDXOben);

  Brow = new TrkBrow(dialogs_, panelListe);
  Brow->setObjectName(QStringLiteral("Brow"));
  Brow->SetSearchFieldVisible(false);
  layout->addWidget(Brow, 1);
  return panelListe;
}

QListWidget* ContestLogStd::MakeChoiceList(const char* name,
                                           const std::vector<std::string>& entries) {
  auto* list = new QListWidget(this);
  list->setObjectName(QString::fromLatin1(name));
  for (const std::string& entry : entries)
    list->addItem(ToQString(entry));
  list->setFont(SizedFont(font(), 11, true));
  list->setFrameShape(QFrame::Box);
  list->setSelectionMode(QAbstractItemView::SingleSelection);
  list->installEventFilter(this);
  list->hide();
  const bool band = std::string_view(name) == "listband";
  connect(list, &QListWidget::itemDoubleClicked, this, [this, band] {
    if (band)
      listbandTake();
    else
      listmodeTake();
  });
  return list;
}

void ContestLogStd::SetColours(const QColor& form, const QColor& panel, const QColor& grid) {
  SetBackground(this, form);
  for (QWidget* w : std::initializer_list<QWidget*>{panelEingabe, panelauswertung, panelListe})
    SetBackground(w, panel);
  Brow->SetTableColours(grid, Qt::black);
}

// ---------------------------------------------------------------------------------------
// Opening and closing

void ContestLogStd::ConnectList() {
  BrowseGridEvents& e = Brow->events();
  e.OnBuildRow = [this](RowRec& row) {
    Fileblock* log = session_->LogFile();
    if (log == nullptr)
      return;
    row.Text = LogListRow(QsoRecord(static_cast<const char*>(log->RecordBuffer())),
                          session_->Definition());
  };
  e.OnSetHeaderFooter = [this] {
    Brow->SetHeaderFooter(LogListTitleLine(session_->Definition()), std::string());
  };
  e.OnBrowColWidths = [this](int column) {
    const std::vector<int> widths = LogListColumnCharacters(session_->Definition());
    if (column < 1 || column > static_cast<int>(widths.size()))
      return 0;
    const int unit = Brow->table()->fontMetrics().horizontalAdvance(QLatin1Char('X'));
    return (widths[static_cast<std::size_t>(column - 1)] + 1) * unit;
  };
  e.OnBrowEnter = [this] { CallTool(tools_.change); };
  e.OnBrowDoppelKlick = [this] { CallTool(tools_.change); };
  // Del deletes through the log's own delete (totals, renumbering), never the grid's.
  e.OnBefore_Loesch = [this] {
    CallTool(tools_.remove);
    return false;
  };
}

bool ContestLogStd::Open() {
  if (opened_)
    return true;
  // 1.-6., 9. Files, marker records, band, mode, lists, totals, a new QSO.
  if (!session_->Open())
    return false;
  opened_ = true;
  setWindowTitle(ToQString(session_->WindowCaption()));
  // 7. The log list on key 4 over all record numbers.
  ConnectList();
  Brow->LayoutForInit();
  if (!Brow->InitBrowse(session_->LogFile(), kLogListKey, LogListLowKey(), LogListHighKey())) {
    dialogs_.Inform(Brow->InitError());
    Finish();
    return false;
  }
  PositionListOnNewestQso();
  UpdateButtons();
  shownBand_ = session_->CurrentBand();
  shownStores_ = session_->StoreCount();
  // 10. The clock once, then every second.
  session_->ClockTick();
  ShowSession();
  timerzeit->start();
  return true;
}

void ContestLogStd::ShowMaximised() {
  if (QScreen* s = screen())
    setGeometry(s->availableGeometry());
  setWindowState(windowState() | Qt::WindowMaximized);
}

void ContestLogStd::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  // 11. The main window stays hidden while the log is open.
  if (mainWindow_ != nullptr && !finished_)
    mainWindow_->hide();
  ShowFocus();
}

void ContestLogStd::closeEvent(QCloseEvent* event) {
  // The close request is always granted.
  closing_ = true;
  Finish();
  QDialog::closeEvent(event);
}

void ContestLogStd::reject() {
  // Esc belongs to the entry (it clears it); only a close request ends the window.
  if (closing_)
    QDialog::reject();
}

void ContestLogStd::Finish() {
  if (finished_)
    return;
  finished_ = true;
  timerzeit->stop();
  CloseLists();
  Brow->Unbind();
  if (session_->IsOpen()) {
    session_->Close();
    header_ = session_->HeaderRecord();
    extension_ = session_->ExtensionRecord();
  }
  if (mainWindow_ != nullptr)
    mainWindow_->show();
}

} // namespace tarvik
