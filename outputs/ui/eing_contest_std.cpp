#include "outputs/ui/eing_contest_std.h"

#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

#include "app/help_viewer.h"
#include "app/program_session.h"
#include "app/ui/rules_window.h"
#include "app/ui/text_codec.h"
#include "widgets/help_request.h"
#include "widgets/trk_bit_btn.h"
#include "widgets/trk_edit.h"

namespace tarvik {

namespace {

const QColor kFailedColour(kFailedFieldRgb[0], kFailedFieldRgb[1], kFailedFieldRgb[2]);
constexpr int kFieldHeight = 24;

TrkEdit* NewEdit(QWidget* parent, const char* name, int maxLength, int width = 0) {
  auto* edit = new TrkEdit(parent);
  edit->setObjectName(QString::fromLatin1(name));
  if (maxLength > 0)
    edit->setMaxLength(maxLength);
  if (width > 0)
    edit->setFixedWidth(width);
  edit->setFixedHeight(kFieldHeight);
  return edit;
}

QLabel* NewLabel(const QString& text, QWidget* parent) {
  auto* label = new QLabel(text, parent);
  label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  return label;
}

QGroupBox* NewGroup(const QString& title, const char* name, QWidget* parent) {
  auto* group = new QGroupBox(title, parent);
  group->setObjectName(QString::fromLatin1(name));
  QFont font = group->font();
  font.setBold(true);
  group->setFont(font);
  return group;
}

/// Children of a bold group keep the normal font.
void NormalFont(QWidget* widget) {
  QFont font = widget->font();
  font.setBold(false);
  widget->setFont(font);
}

void SetText(QLineEdit* edit, const std::string& text) {
  const QString t = ToQString(text);
  if (edit->text() != t)
    edit->setText(t);
}

std::string TextOf(const QLineEdit* edit) {
  return FromQString(edit->text());
}

/// Upper case while typing, the caret where it was.
void UpperWhileTyping(QLineEdit* edit) {
  QObject::connect(edit, &QLineEdit::textEdited, edit, [edit](const QString& text) {
    const QString upper = text.toUpper();
    if (upper == text)
      return;
    const int caret = edit->cursorPosition();
    edit->setText(upper);
    edit->setCursorPosition(caret);
  });
}

} // namespace

EingContestStd::EingContestStd(ProgramSession& session, HeaderWindowMode mode, QWidget* parent)
    : QDialog(parent), session_(session) {
  setObjectName(QStringLiteral("EingContestStd"));
  setModal(true);
  model_ = std::make_unique<ContestHeaderModel>(session, mode, session.ContestCode());
  model_->Open();
  CreateControls();
  ConnectEvents();
  ShowView();
  ShowForm();
  ShowEvaluation();
  BuildOutputMenu();
  // Centred on the screen of the window that opened it.
  adjustSize();
  if (QScreen* s = parent != nullptr ? parent->screen() : QGuiApplication::primaryScreen()) {
    const QRect area = s->availableGeometry();
    move(area.center() - rect().center());
  }
  eName->setFocus();
}

EingContestStd::~EingContestStd() = default;

bool EingContestStd::Execute() {
  start_ = false;
  exec();
  return start_;
}

// ---------------------------------------------------------------------------------------
// Controls

void EingContestStd::CreateControls() {
  auto* left = new QVBoxLayout;
  left->setSpacing(6);
  left->addWidget(CreateContestGroup());
  left->addWidget(CreateParticipantGroup());
  CreateExtraGroups();
  left->addWidget(groupZusatz);
  left->addWidget(GroupZusatz2);
  left->addWidget(GroupFrage);
  left->addWidget(groupzusatz3);
  left->addStretch(1);

  auto* right = new QVBoxLayout;
  right->setSpacing(6);
  eteilnahmeart = NewGroup(QStringLiteral("Teilnahme"), "eteilnahmeart", this);
  categoryLayout_ = new QGridLayout(eteilnahmeart);
  categoryLayout_->setVerticalSpacing(2);
  categoryGroup_ = new QButtonGroup(this);
  right->addWidget(eteilnahmeart);
  right->addWidget(CreateModeGroup());
  right->addWidget(CreateClockGroup());
  right->addWidget(CreateSettingsGroup());
  right->addStretch(1);

  auto* columns = new QHBoxLayout;
  columns->setSpacing(10);
  columns->addLayout(left, 1);
  columns->addLayout(right, 1);

  CreateButtons();
  auto* buttons = new QHBoxLayout;
  buttons->setSpacing(8);
  buttons->addWidget(btnHilfe);
  buttons->addWidget(btnregeln);
  buttons->addWidget(btnDruck);
  buttons->addStretch(1);
  buttons->addWidget(btnstart);
  buttons->addWidget(btnOK);
  buttons->addWidget(btnAbbruch);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(10, 10, 10, 10);
  layout->setSpacing(8);
  layout->addLayout(columns, 1);
  layout->addWidget(CreateEvaluationGroup());
  layout->addLayout(buttons);
}

QGroupBox* EingContestStd::CreateContestGroup() {
  groupContest = NewGroup(QStringLiteral("Angaben zum Contest"), "groupContest", this);
  auto* grid = new QGridLayout(groupContest);
  grid->setVerticalSpacing(4);
  eName = NewEdit(groupContest, "eName", 25);
  eDatumvon = NewEdit(groupContest, "eDatumvon", 10, 100);
  eDatumvon->SetPictureMask("DD.MM.YYYY");
  eDatumbis = NewEdit(groupContest, "eDatumbis", 10, 100);
  eZeitvon = NewEdit(groupContest, "eZeitvon", 5, 60);
  eZeitvon->SetPictureMask("HH:MM");
  eZeitbis = NewEdit(groupContest, "eZeitbis", 5, 60);
  for (TrkEdit* e : {eDatumvon, eDatumbis})
    e->setPlaceholderText(QStringLiteral("TT.MM.JJJJ"));
  for (TrkEdit* e : {eZeitvon, eZeitbis})
    e->setPlaceholderText(QStringLiteral("hh:mm"));
  grid->addWidget(NewLabel(QStringLiteral("Contest-Name:"), groupContest), 0, 0);
  grid->addWidget(eName, 0, 1, 1, 4);
  grid->addWidget(NewLabel(QStringLiteral("Datum von:"), groupContest), 1, 0);
  grid->addWidget(eDatumvon, 1, 1);
  grid->addWidget(NewLabel(QStringLiteral("bis:"), groupContest), 1, 2);
  grid->addWidget(eDatumbis, 1, 3);
  grid->addWidget(NewLabel(QStringLiteral("Zeit von:"), groupContest), 2, 0);
  grid->addWidget(eZeitvon, 2, 1);
  grid->addWidget(NewLabel(QStringLiteral("bis:"), groupContest), 2, 2);
  grid->addWidget(eZeitbis, 2, 3);
  grid->setColumnStretch(4, 1);
  for (QWidget* w : groupContest->findChildren<QWidget*>())
    NormalFont(w);
  return groupContest;
}

QGroupBox* EingContestStd::CreateParticipantGroup() {
  groupTeilnehmer = NewGroup(QStringLiteral("Contest- Teilnehmer"), "groupTeilnehmer", this);
  auto* grid = new QGridLayout(groupTeilnehmer);
  grid->setVerticalSpacing(4);
  eCall = NewEdit(groupTeilnehmer, "eCall", 12, 110);
  eDOK = NewEdit(groupTeilnehmer, "eDOK", 8, 90);
  leDOK = NewLabel(QStringLiteral("DOK:"), groupTeilnehmer);
  leDOK->setObjectName(QStringLiteral("leDOK"));
  eSWL = NewEdit(groupTeilnehmer, "eSWL", 14, 110);
  eLoc = NewEdit(groupTeilnehmer, "eLoc", 6, 90);
  ecname = NewEdit(groupTeilnehmer, "ecname", 50);
  eStrasse = NewEdit(groupTeilnehmer, "eStrasse", 50);
  ePLZ = NewEdit(groupTeilnehmer, "ePLZ", 5, 60);
  eOrt = NewEdit(groupTeilnehmer, "eOrt", 44);
  eLand = NewEdit(groupTeilnehmer, "eLand", 50);
  for (TrkEdit* e : {eCall, eDOK, eLoc})
    UpperWhileTyping(e);
  grid->addWidget(NewLabel(QStringLiteral("Rufzeichen:"), groupTeilnehmer), 0, 0);
  grid->addWidget(eCall, 0, 1);
  grid->addWidget(leDOK, 0, 2);
  grid->addWidget(eDOK, 0, 3);
  grid->addWidget(NewLabel(QStringLiteral("SWL-Nr:"), groupTeilnehmer), 1, 0);
  grid->addWidget(eSWL, 1, 1);
  grid->addWidget(NewLabel(QStringLiteral("Locator:"), groupTeilnehmer), 1, 2);
  grid->addWidget(eLoc, 1, 3);
  grid->addWidget(NewLabel(QStringLiteral("Name:"), groupTeilnehmer), 2, 0);
  grid->addWidget(ecname, 2, 1, 1, 4);
  grid->addWidget(NewLabel(QStringLiteral("Straße:"), groupTeilnehmer), 3, 0);
  grid->addWidget(eStrasse, 3, 1, 1, 4);
  auto* place = new QHBoxLayout;
  place->setSpacing(6);
  place->addWidget(ePLZ);
  place->addWidget(eOrt, 1);
  grid->addWidget(NewLabel(QStringLiteral("PLZ / Ort:"), groupTeilnehmer), 4, 0);
  grid->addLayout(place, 4, 1, 1, 4);
  grid->addWidget(NewLabel(QStringLiteral("Land:"), groupTeilnehmer), 5, 0);
  grid->addWidget(eLand, 5, 1, 1, 4);
  grid->setColumnStretch(4, 1);
  for (QWidget* w : groupTeilnehmer->findChildren<QWidget*>())
    NormalFont(w);
  return groupTeilnehmer;
}

QGroupBox* EingContestStd::CreateModeGroup() {
  groupMode = NewGroup(QStringLiteral("Mode"), "groupMode", this);
  auto* row = new QHBoxLayout(groupMode);
  rcw = new QRadioButton(QStringLiteral("CW"), groupMode);
  rssb = new QRadioButton(QStringLiteral("SSB"), groupMode);
  rFM = new QRadioButton(QStringLiteral("FM"), groupMode);
  rPR = new QRadioButton(QStringLiteral("PR"), groupMode);
  row->addWidget(NewLabel(QStringLiteral("Start mit:"), groupMode));
  for (QRadioButton* r : {rcw, rssb, rFM, rPR})
    row->addWidget(r);
  row->addStretch(1);
  rcw->setObjectName(QStringLiteral("rcw"));
  rssb->setObjectName(QStringLiteral("rssb"));
  rFM->setObjectName(QStringLiteral("rFM"));
  rPR->setObjectName(QStringLiteral("rPR"));
  for (QWidget* w : groupMode->findChildren<QWidget*>())
    NormalFont(w);
  return groupMode;
}

QGroupBox* EingContestStd::CreateSettingsGroup() {
  groupEinstellungen =
      NewGroup(QStringLiteral("Programm- Einstellungen"), "groupEinstellungen", this);
  auto* grid = new QGridLayout(groupEinstellungen);
  grid->setVerticalSpacing(2);
  edatumauto = new QCheckBox(QStringLiteral("Datum automatisch setzen"), groupEinstellungen);
  ezeitauto = new QCheckBox(QStringLiteral("Zeit automatisch setzen"), groupEinstellungen);
  eBandauto = new QCheckBox(QStringLiteral("Band automatisch entsprechend der Zeit setzen"),
                            groupEinstellungen);
  eaktrsts = new QCheckBox(QStringLiteral("RST gesendet fest 59(9)"), groupEinstellungen);
  eaktrstr = new QCheckBox(QStringLiteral("RST empfangen fest 59(9)"), groupEinstellungen);
  crstsnichtsperren = new QCheckBox(QStringLiteral("RST-Felder nicht sperren"), groupEinstellungen);
  cdoppelqso = new QCheckBox(QStringLiteral("Doppel-QSOs ohne Wertung loggen"), groupEinstellungen);
  cdoppelqso->hide();
  eQSLw = NewEdit(groupEinstellungen, "eQSLw", 1, 28);
  eqslr = NewEdit(groupEinstellungen, "eqslr", 1, 28);
  for (TrkEdit* e : {eQSLw, eqslr}) {
    e->SetDataType(dtChar);
    e->setAlignment(Qt::AlignCenter);
    UpperWhileTyping(e);
    e->installEventFilter(this);
  }
  edatumauto->setObjectName(QStringLiteral("edatumauto"));
  ezeitauto->setObjectName(QStringLiteral("ezeitauto"));
  eBandauto->setObjectName(QStringLiteral("eBandauto"));
  eaktrsts->setObjectName(QStringLiteral("eaktrsts"));
  eaktrstr->setObjectName(QStringLiteral("eaktrstr"));
  crstsnichtsperren->setObjectName(QStringLiteral("crstsnichtsperren"));
  cdoppelqso->setObjectName(QStringLiteral("cdoppelqso"));
  grid->addWidget(edatumauto, 0, 0);
  grid->addWidget(eaktrsts, 0, 1);
  grid->addWidget(ezeitauto, 1, 0);
  grid->addWidget(eaktrstr, 1, 1);
  grid->addWidget(eBandauto, 2, 0, 1, 2);
  grid->addWidget(crstsnichtsperren, 3, 1);
  auto* qsl = new QHBoxLayout;
  qsl->setSpacing(4);
  qsl->addWidget(NewLabel(QStringLiteral("QSL gesendet:"), groupEinstellungen));
  qsl->addWidget(eQSLw);
  qsl->addSpacing(8);
  qsl->addWidget(NewLabel(QStringLiteral("erhalten:"), groupEinstellungen));
  qsl->addWidget(eqslr);
  qsl->addStretch(1);
  grid->addLayout(qsl, 3, 0);
  grid->addWidget(cdoppelqso, 4, 0, 1, 2);
  for (QWidget* w : groupEinstellungen->findChildren<QWidget*>())
    NormalFont(w);
  return groupEinstellungen;
}

QGroupBox* EingContestStd::CreateClockGroup() {
  grouputc = NewGroup(QStringLiteral("Computerzeit"), "grouputc", this);
  auto* column = new QVBoxLayout(grouputc);
  column->setSpacing(2);
  rZeitOrt =
      new QRadioButton(QStringLiteral("Der Computer läuft mit Ortszeit (MEZ / MESZ)"), grouputc);
  rZeitUTC = new QRadioButton(QStringLiteral("Der Computer läuft mit UTC"), grouputc);
  rZeitOrt->setObjectName(QStringLiteral("rZeitOrt"));
  rZeitUTC->setObjectName(QStringLiteral("rZeitUTC"));
  column->addWidget(rZeitOrt);
  column->addWidget(rZeitUTC);
  for (QWidget* w : grouputc->findChildren<QWidget*>())
    NormalFont(w);
  return grouputc;
}

QGroupBox* EingContestStd::CreateEvaluationGroup() {
  // Three blocks side by side (QSOs, multipliers, points per band), and the totals as a
  // small calculation beside them.
  groupAuswertung = NewGroup(QStringLiteral("Auswertung"), "groupAuswertung", this);
  auto* row = new QHBoxLayout(groupAuswertung);
  row->setSpacing(28);
  const QString headings[3] = {QStringLiteral("QSO"), QStringLiteral("Multi"),
                               QStringLiteral("Punkte")};
  QLabel** names[3] = {lQSO, lMulti, lPunkte};
  QLabel** values[3] = {leQSO, leMulti, lePunkte};
  for (int block = 0; block < 3; ++block) {
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(10);
    grid->setVerticalSpacing(1);
    auto* band = NewLabel(QStringLiteral("Band"), groupAuswertung);
    auto* heading = NewLabel(headings[block], groupAuswertung);
    heading->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    grid->addWidget(band, 0, 0);
    grid->addWidget(heading, 0, 1);
    for (int i = 0; i < 7; ++i) {
      names[block][i] = NewLabel(QString(), groupAuswertung);
      names[block][i]->setMinimumWidth(48);
      values[block][i] = NewLabel(QString(), groupAuswertung);
      values[block][i]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
      values[block][i]->setMinimumWidth(48);
      grid->addWidget(names[block][i], i + 1, 0);
      grid->addWidget(values[block][i], i + 1, 1);
    }
    grid->setRowStretch(8, 1);
    row->addLayout(grid);
  }
  row->addStretch(1);
  auto* totals = new QGridLayout;
  totals->setHorizontalSpacing(8);
  totals->setVerticalSpacing(1);
  auto* total = NewLabel(QStringLiteral("Total"), groupAuswertung);
  total->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  Label28 = NewLabel(QString(), groupAuswertung);
  Label19 = NewLabel(QString(), groupAuswertung);
  Label20 = NewLabel(QString(), groupAuswertung);
  Label21 = NewLabel(QString(), groupAuswertung);
  QFont bold = Label21->font();
  bold.setBold(true);
  Label21->setFont(bold);
  totals->addWidget(total, 0, 0);
  int line = 1;
  for (QLabel* l : {Label28, Label19, Label20, Label21}) {
    l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    totals->addWidget(l, line++, 0);
  }
  totals->setRowStretch(line, 1);
  row->addLayout(totals);
  row->addSpacing(8);
  for (QWidget* w : groupAuswertung->findChildren<QWidget*>())
    if (w != Label21)
      NormalFont(w);
  return groupAuswertung;
}

void EingContestStd::CreateExtraGroups() {
  groupZusatz = NewGroup(QStringLiteral("Zusatzangaben"), "groupZusatz", this);
  auto* zusatz = new QGridLayout(groupZusatz);
  Label15 = NewLabel(QString(), groupZusatz);
  Label16 = NewLabel(QString(), groupZusatz);
  eJahre = NewEdit(groupZusatz, "eJahre", 6, 90);
  zusatz->addWidget(Label15, 0, 0, 1, 2);
  zusatz->addWidget(Label16, 1, 0);
  zusatz->addWidget(eJahre, 1, 1);
  zusatz->setColumnStretch(2, 1);

  GroupZusatz2 = NewGroup(QStringLiteral("Wertungsgruppe"), "GroupZusatz2", this);
  auto* zusatz2 = new QVBoxLayout(GroupZusatz2);
  zusatz2->setSpacing(2);
  rZusatz21 = new QRadioButton(QStringLiteral("S: Single = Single OP"), GroupZusatz2);
  rZusatz22 = new QRadioButton(QStringLiteral("M: Multi = Multi OP"), GroupZusatz2);
  rZusatz23 = new QRadioButton(QStringLiteral("SWL:"), GroupZusatz2);
  rZusatz23->setEnabled(false);
  for (QRadioButton* r : {rZusatz21, rZusatz22, rZusatz23})
    zusatz2->addWidget(r);

  GroupFrage = NewGroup(QString(), "GroupFrage", this);
  auto* frage = new QHBoxLayout(GroupFrage);
  Label4 = NewLabel(QString(), GroupFrage);
  eHMja = new QRadioButton(QStringLiteral("ja"), GroupFrage);
  eHMnein = new QRadioButton(QStringLiteral("nein"), GroupFrage);
  frage->addWidget(Label4);
  frage->addWidget(eHMja);
  frage->addWidget(eHMnein);
  frage->addStretch(1);

  groupzusatz3 = NewGroup(QStringLiteral("Station"), "groupzusatz3", this);
  auto* station = new QVBoxLayout(groupzusatz3);
  memogroupzusatz3 = new QPlainTextEdit(groupzusatz3);
  memogroupzusatz3->setObjectName(QStringLiteral("memogroupzusatz3"));
  memogroupzusatz3->setFixedHeight(80);
  checkboxgroupzusatz3 = new QCheckBox(QStringLiteral("selbstgebauter Bausatz"), groupzusatz3);
  checkboxgroupzusatz3_2 = new QCheckBox(QStringLiteral("individuelles Unikat"), groupzusatz3);
  station->addWidget(memogroupzusatz3);
  auto* checks = new QHBoxLayout;
  checks->addWidget(checkboxgroupzusatz3);
  checks->addWidget(checkboxgroupzusatz3_2);
  checks->addStretch(1);
  station->addLayout(checks);

  for (QGroupBox* g : {groupZusatz, GroupZusatz2, GroupFrage, groupzusatz3})
    for (QWidget* w : g->findChildren<QWidget*>())
      NormalFont(w);
}

void EingContestStd::CreateButtons() {
  btnstart = new TrkBitBtn(bkGStart, this);
  btnstart->setObjectName(QStringLiteral("btnstart"));
  btnstart->setText(QStringLiteral("Contest starten"));
  btnOK = new TrkBitBtn(bkCustom, this);
  btnOK->setObjectName(QStringLiteral("btnOK"));
  btnOK->setText(QStringLiteral("Beenden"));
  btnAbbruch = new TrkBitBtn(bkCustom, this);
  btnAbbruch->setObjectName(QStringLiteral("btnAbbruch"));
  btnAbbruch->setText(QStringLiteral("Abbrechen"));
  btnHilfe = new TrkBitBtn(bkHelp, this);
  btnHilfe->setObjectName(QStringLiteral("btnHilfe"));
  btnHilfe->setText(QStringLiteral("Hilfe"));
  btnHilfe->setHelpContext(kHelpButtonTopic);
  btnregeln = new TrkBitBtn(bkCustom, this);
  btnregeln->setObjectName(QStringLiteral("btnregeln"));
  btnregeln->setText(QStringLiteral("Regeln"));
  btnDruck = new TrkBitBtn(bkGDruck, this);
  btnDruck->setObjectName(QStringLiteral("btnDruck"));
  btnDruck->setText(QStringLiteral("Drucken / E-Log"));
  for (TrkBitBtn* b : {btnstart, btnOK, btnAbbruch, btnHilfe, btnregeln, btnDruck}) {
    b->setAutoDefault(false);
    b->setMinimumWidth(96);
  }
  menuDruck = new QMenu(this);
  menuDruck->setObjectName(QStringLiteral("menuDruck"));
}

void EingContestStd::ConnectEvents() {
  connect(btnstart, &QPushButton::clicked, this, &EingContestStd::btnstartClick);
  connect(btnOK, &QPushButton::clicked, this, &EingContestStd::btnOKClick);
  connect(btnAbbruch, &QPushButton::clicked, this, &EingContestStd::btnAbbruchClick);
  connect(btnDruck, &QPushButton::clicked, this, &EingContestStd::btnDruckClick);
  connect(btnregeln, &QPushButton::clicked, this, &EingContestStd::btnregelnClick);

  connect(categoryGroup_, &QButtonGroup::idClicked, this, [this](int number) {
    if (filling_)
      return;
    ReadForm();
    model_->CategoryClicked(number);
    ShowView();
    ShowForm();
    ShowEvaluation();
    BuildOutputMenu();
  });

  // The period fields: their texts on entry, completion and the edit bits on leaving.
  const std::pair<TrkEdit*, PeriodField> periods[] = {{eDatumvon, PeriodField::kDateFrom},
                                                      {eDatumbis, PeriodField::kDateTo},
                                                      {eZeitvon, PeriodField::kTimeFrom},
                                                      {eZeitbis, PeriodField::kTimeTo}};
  for (const auto& [edit, field] : periods) {
    connect(edit, &TrkEdit::entered, this, [this, edit = edit, field = field] {
      if (filling_)
        return;
      ReadForm();
      model_->PeriodFieldEntered(field);
    });
    connect(edit, &TrkEdit::exited, this, [this, field = field] {
      if (filling_ || !isVisible())
        return;
      ReadForm();
      model_->PeriodFieldLeft(field);
      ShowForm();
    });
  }
  connect(eCall, &TrkEdit::exited, this, [this] {
    if (filling_ || !isVisible())
      return;
    ReadForm();
    model_->CallLeft();
    ShowForm();
  });
  connect(eDOK, &QLineEdit::textChanged, this, [this] {
    if (filling_ || model_->ContestCode() != 'U')
      return;
    ReadForm();
    model_->DokChanged();
    ShowForm();
  });

  // Typing restores the colour of a field; a choice that of its group.
  for (TrkEdit* e : {eName, eCall, eLoc, ePLZ, eDatumvon, eDatumbis, eDOK, eJahre})
    connect(e, &QLineEdit::textEdited, this, [this, e] { Edited(e); });
  connect(memogroupzusatz3, &QPlainTextEdit::textChanged, this,
          [this] { Edited(memogroupzusatz3); });
  connect(rZeitOrt, &QRadioButton::clicked, this, [this] { Edited(grouputc); });
  connect(rZeitUTC, &QRadioButton::clicked, this, [this] { Edited(grouputc); });
}

void EingContestStd::Edited(QWidget* widget) {
  if (filling_)
    return;
  static constexpr HeaderControl kControls[] = {
      HeaderControl::eName,         HeaderControl::eCall,           HeaderControl::eLoc,
      HeaderControl::ePLZ,          HeaderControl::eDatumvon,       HeaderControl::eDatumbis,
      HeaderControl::eDOK,          HeaderControl::eJahre,          HeaderControl::grouputc,
      HeaderControl::eteilnahmeart, HeaderControl::memogroupzusatz3};
  for (HeaderControl c : kControls) {
    if (ControlWidget(c) == widget)
      model_->ControlEdited(c);
  }
  ShowMarks();
}

QWidget* EingContestStd::ControlWidget(HeaderControl control) const {
  switch (control) {
  case HeaderControl::eName:
    return eName;
  case HeaderControl::eDatumvon:
    return eDatumvon;
  case HeaderControl::eDatumbis:
    return eDatumbis;
  case HeaderControl::eZeitvon:
    return eZeitvon;
  case HeaderControl::eZeitbis:
    return eZeitbis;
  case HeaderControl::eCall:
    return eCall;
  case HeaderControl::eDOK:
    return eDOK;
  case HeaderControl::eSWL:
    return eSWL;
  case HeaderControl::ecname:
    return ecname;
  case HeaderControl::eStrasse:
    return eStrasse;
  case HeaderControl::ePLZ:
    return ePLZ;
  case HeaderControl::eOrt:
    return eOrt;
  case HeaderControl::eLand:
    return eLand;
  case HeaderControl::eLoc:
    return eLoc;
  case HeaderControl::eJahre:
    return eJahre;
  case HeaderControl::eteilnahmeart:
    return eteilnahmeart;
  case HeaderControl::grouputc:
    return grouputc;
  case HeaderControl::memogroupzusatz3:
    return memogroupzusatz3;
  case HeaderControl::kNone:
    break;
  }
  return nullptr;
}

// ---------------------------------------------------------------------------------------
// Form <-> model

void EingContestStd::FillCategoryGroup() {
  for (QRadioButton* b : categoryButtons) {
    categoryGroup_->removeButton(b);
    delete b;
  }
  categoryButtons.clear();
  const HeaderView& view = model_->View();
  const int count = static_cast<int>(view.categories.size());
  const int rows = view.categoryColumns == 2 ? (count + 1) / 2 : count;
  for (int i = 0; i < count; ++i) {
    const CategoryChoice& choice = view.categories[static_cast<std::size_t>(i)];
    auto* button = new QRadioButton(ToQString(choice.name), eteilnahmeart);
    button->setObjectName(QStringLiteral("eteilnahmeart%1").arg(choice.number));
    NormalFont(button);
    categoryGroup_->addButton(button, choice.number);
    categoryLayout_->addWidget(button, rows > 0 ? i % rows : 0, rows > 0 ? i / rows : 0);
    categoryButtons.push_back(button);
  }
}

void EingContestStd::ShowView() {
  filling_ = true;
  const HeaderView& v = model_->View();
  setWindowTitle(ToQString(v.caption));
  leDOK->setText(ToQString(v.dokLabel + ":"));
  if (categoryButtons.size() != v.categories.size())
    FillCategoryGroup();
  eteilnahmeart->setVisible(!v.categories.empty());
  eteilnahmeart->setEnabled(v.categoriesEnabled);
  rcw->setEnabled(v.cwEnabled);
  rssb->setEnabled(v.ssbEnabled);
  rFM->setEnabled(v.fmEnabled);
  rPR->setEnabled(v.prEnabled);
  rPR->setText(ToQString(v.prCaption));
  eBandauto->setVisible(v.bandAutoVisible);
  eaktrsts->setVisible(v.rstBoxesVisible);
  eaktrstr->setVisible(v.rstBoxesVisible);
  crstsnichtsperren->setVisible(v.rstBoxesVisible);
  groupZusatz->setVisible(v.zusatzVisible);
  Label15->setText(ToQString(v.label15));
  Label15->setVisible(!v.label15.empty());
  Label16->setText(ToQString(v.label16));
  eJahre->setMaxLength(v.jahreMaxLength > 0 ? v.jahreMaxLength : 32767);
  GroupZusatz2->setVisible(v.zusatz2Visible);
  GroupFrage->setVisible(v.frageVisible);
  GroupFrage->setTitle(ToQString(v.frageCaption));
  Label4->setText(ToQString(v.frageQuestion));
  groupzusatz3->setVisible(v.stationVisible);
  checkboxgroupzusatz3->setVisible(v.stationChecksVisible);
  checkboxgroupzusatz3_2->setVisible(v.stationChecksVisible);
  // Review after the log window: only "Beenden".
  btnstart->setVisible(!v.fromLogWindow);
  btnAbbruch->setVisible(!v.fromLogWindow);
  btnstart->setDefault(!v.fromLogWindow);
  btnOK->setDefault(v.fromLogWindow);
  filling_ = false;
}

void EingContestStd::ShowForm() {
  filling_ = true;
  const HeaderForm& f = model_->form;
  SetText(eName, f.eName);
  SetText(eDatumvon, f.eDatumvon);
  SetText(eDatumbis, f.eDatumbis);
  SetText(eZeitvon, f.eZeitvon);
  SetText(eZeitbis, f.eZeitbis);
  SetText(eCall, f.eCall);
  SetText(eDOK, f.eDOK);
  SetText(eSWL, f.eSWL);
  SetText(ecname, f.ecname);
  SetText(eStrasse, f.eStrasse);
  SetText(ePLZ, f.ePLZ);
  SetText(eOrt, f.eOrt);
  SetText(eLand, f.eLand);
  SetText(eLoc, f.eLoc);
  // The category: none checked is possible only with the group not exclusive for a moment.
  categoryGroup_->setExclusive(false);
  for (QRadioButton* b : categoryButtons)
    b->setChecked(categoryGroup_->id(b) == f.category);
  categoryGroup_->setExclusive(true);
  auto setMode = [](QRadioButton* r, bool on) {
    r->setAutoExclusive(false);
    r->setChecked(on);
    r->setAutoExclusive(true);
  };
  setMode(rcw, f.startMode == StartMode::kCw);
  setMode(rssb, f.startMode == StartMode::kSsb);
  setMode(rFM, f.startMode == StartMode::kFm);
  setMode(rPR, f.startMode == StartMode::kPr);
  edatumauto->setChecked(f.edatumauto);
  ezeitauto->setChecked(f.ezeitauto);
  eBandauto->setChecked(f.eBandauto);
  eaktrsts->setChecked(f.eaktrsts);
  eaktrstr->setChecked(f.eaktrstr);
  SetText(eQSLw, f.eQSLw);
  SetText(eqslr, f.eqslr);
  crstsnichtsperren->setChecked(f.crstsnichtsperren);
  cdoppelqso->setChecked(f.cdoppelqso);
  setMode(rZeitOrt, f.clock == ClockChoice::kLocal);
  setMode(rZeitUTC, f.clock == ClockChoice::kUtc);
  SetText(eJahre, f.eJahre);
  setMode(rZusatz21, f.zusatz2 == 0);
  setMode(rZusatz22, f.zusatz2 == 1);
  setMode(rZusatz23, f.zusatz2 == 2);
  setMode(eHMja, f.eHMja);
  setMode(eHMnein, !f.eHMja);
  const QString station = ToQString(f.station);
  if (memogroupzusatz3->toPlainText() != station)
    memogroupzusatz3->setPlainText(station);
  checkboxgroupzusatz3->setChecked(f.bausatz);
  checkboxgroupzusatz3_2->setChecked(f.unikat);
  filling_ = false;
}

void EingContestStd::ReadForm() {
  HeaderForm& f = model_->form;
  f.eName = TextOf(eName);
  f.eDatumvon = TextOf(eDatumvon);
  f.eDatumbis = TextOf(eDatumbis);
  f.eZeitvon = TextOf(eZeitvon);
  f.eZeitbis = TextOf(eZeitbis);
  f.eCall = TextOf(eCall);
  f.eDOK = TextOf(eDOK);
  f.eSWL = TextOf(eSWL);
  f.ecname = TextOf(ecname);
  f.eStrasse = TextOf(eStrasse);
  f.ePLZ = TextOf(ePLZ);
  f.eOrt = TextOf(eOrt);
  f.eLand = TextOf(eLand);
  f.eLoc = TextOf(eLoc);
  const int checked = categoryGroup_->checkedId();
  f.category = checked > 0 ? checked : 0;
  f.startMode = rcw->isChecked()    ? StartMode::kCw
                : rssb->isChecked() ? StartMode::kSsb
                : rFM->isChecked()  ? StartMode::kFm
                : rPR->isChecked()  ? StartMode::kPr
                                    : StartMode::kNone;
  f.edatumauto = edatumauto->isChecked();
  f.ezeitauto = ezeitauto->isChecked();
  f.eBandauto = eBandauto->isChecked();
  f.eaktrsts = eaktrsts->isChecked();
  f.eaktrstr = eaktrstr->isChecked();
  f.eQSLw = TextOf(eQSLw);
  f.eqslr = TextOf(eqslr);
  f.crstsnichtsperren = crstsnichtsperren->isChecked();
  f.cdoppelqso = cdoppelqso->isChecked();
  f.clock = rZeitOrt->isChecked()   ? ClockChoice::kLocal
            : rZeitUTC->isChecked() ? ClockChoice::kUtc
                                    : ClockChoice::kNone;
  f.eJahre = TextOf(eJahre);
  f.zusatz2 = rZusatz22->isChecked() ? 1 : rZusatz23->isChecked() ? 2 : 0;
  f.eHMja = eHMja->isChecked();
  f.station = FromQString(memogroupzusatz3->toPlainText());
  f.bausatz = checkboxgroupzusatz3->isChecked();
  f.unikat = checkboxgroupzusatz3_2->isChecked();
}

void EingContestStd::ShowEvaluation() {
  const HeaderEvaluation e = model_->Evaluation();
  const HeaderView& v = model_->View();
  QLabel** names[3] = {lQSO, lMulti, lPunkte};
  for (int i = 0; i < 7; ++i) {
    const HeaderEvaluation::Row& row = e.rows[static_cast<std::size_t>(i)];
    const bool shown = e.bandRowsVisible && !v.bandNames[static_cast<std::size_t>(i)].empty();
    const QString band = ToQString(v.bandNames[static_cast<std::size_t>(i)]);
    for (QLabel** block : names) {
      block[i]->setText(band);
      block[i]->setVisible(shown);
    }
    leQSO[i]->setText(ToQString(row.qsos));
    leMulti[i]->setText(ToQString(row.multis));
    lePunkte[i]->setText(ToQString(row.points));
    leQSO[i]->setVisible(shown);
    leMulti[i]->setVisible(shown);
    lePunkte[i]->setVisible(shown);
    lMulti[i]->setEnabled(e.multiColumnEnabled);
    leMulti[i]->setEnabled(e.multiColumnEnabled);
  }
  Label28->setText(ToQString(e.qsoTotal));
  Label19->setText(ToQString(e.multiTotal));
  Label19->setVisible(!e.multiTotal.empty());
  Label20->setText(ToQString(e.pointsTotal));
  Label20->setVisible(e.pointsTotalVisible && !e.pointsTotal.empty());
  Label21->setText(ToQString(e.score));
  Label21->setVisible(e.scoreVisible);
  const Qt::Alignment totalsAlignment =
      (e.totalsCentred ? Qt::AlignHCenter : Qt::AlignRight) | Qt::AlignVCenter;
  for (QLabel* l : {Label28, Label19, Label20, Label21})
    l->setAlignment(totalsAlignment);
}

void EingContestStd::ShowMarks() {
  static constexpr HeaderControl kAll[] = {
      HeaderControl::eName,         HeaderControl::eDatumvon, HeaderControl::eDatumbis,
      HeaderControl::eZeitvon,      HeaderControl::eZeitbis,  HeaderControl::eCall,
      HeaderControl::eDOK,          HeaderControl::eSWL,      HeaderControl::ecname,
      HeaderControl::eStrasse,      HeaderControl::ePLZ,      HeaderControl::eOrt,
      HeaderControl::eLand,         HeaderControl::eLoc,      HeaderControl::eJahre,
      HeaderControl::eteilnahmeart, HeaderControl::grouputc,  HeaderControl::memogroupzusatz3};
  for (HeaderControl c : kAll) {
    QWidget* w = ControlWidget(c);
    if (w == nullptr)
      continue;
    const bool group = qobject_cast<QGroupBox*>(w) != nullptr;
    if (normalPalettes_.count(w) == 0) {
      normalPalettes_[w] = w->palette();
      normalAutoFill_[w] = w->autoFillBackground();
    }
    if (model_->IsMarked(c)) {
      QPalette p = normalPalettes_[w];
      p.setColor(group ? QPalette::Window : QPalette::Base, kFailedColour);
      w->setPalette(p);
      w->setAutoFillBackground(group || normalAutoFill_[w]);
    } else {
      w->setPalette(normalPalettes_[w]);
      w->setAutoFillBackground(normalAutoFill_[w]);
    }
  }
}

void EingContestStd::FocusRequested() {
  const HeaderControl c = model_->TakeFocusRequest();
  QWidget* w = ControlWidget(c);
  if (w == nullptr)
    return;
  if (c == HeaderControl::eteilnahmeart && !categoryButtons.empty()) {
    categoryButtons.front()->setFocus();
  } else if (c == HeaderControl::grouputc) {
    rZeitOrt->setFocus();
  } else {
    w->setFocus();
  }
}

void EingContestStd::BuildOutputMenu() {
  menuDruck->clear();
  druckItems.clear();
  for (const OutputMenuItem& item : model_->OutputMenu()) {
    QAction* action = menuDruck->addAction(ToQString(item.caption));
    action->setObjectName(QString::fromStdString(item.name));
    action->setEnabled(item.enabled);
    const int kind = item.kind;
    connect(action, &QAction::triggered, this, [this, kind] {
      model_->OutputChosen(kind);
      ShowEvaluation();
    });
    druckItems[item.name] = action;
    if (item.separatorAfter)
      menuDruck->addSeparator();
  }
}

// ---------------------------------------------------------------------------------------
// Buttons and keys

void EingContestStd::CloseWith(bool start) {
  start_ = start;
  done(start ? QDialog::Accepted : QDialog::Rejected);
}

void EingContestStd::btnstartClick() {
  ReadForm();
  const bool saved = model_->StartClicked();
  ShowForm();
  ShowMarks();
  if (saved) {
    CloseWith(true);
    return;
  }
  ShowEvaluation();
  FocusRequested();
}

void EingContestStd::btnOKClick() {
  ReadForm();
  const bool saved = model_->FinishClicked();
  ShowForm();
  ShowMarks();
  if (saved) {
    CloseWith(false);
    return;
  }
  FocusRequested();
}

void EingContestStd::btnAbbruchClick() {
  CloseWith(false);
}

void EingContestStd::reject() {
  ReadForm();
  const bool close = model_->EscapePressed();
  ShowForm();
  ShowMarks();
  if (close) {
    CloseWith(false);
    return;
  }
  FocusRequested();
}

void EingContestStd::btnDruckClick() {
  ReadForm();
  model_->PrintClicked();
  ShowView();
  ShowForm();
  ShowMarks();
  ShowEvaluation();
  BuildOutputMenu();
  // The menu is shown whether or not the save passed its checks.
  menuDruck->popup(btnDruck->mapToGlobal(QPoint(0, btnDruck->height())));
}

void EingContestStd::btnregelnClick() {
  ShowRules(model_->ContestCode(), session_.Dialogs(), this);
}

bool EingContestStd::eventFilter(QObject* watched, QEvent* event) {
  // A click into a QSL field selects its character, so that typing replaces it.
  if ((watched == eQSLw || watched == eqslr) && event->type() == QEvent::MouseButtonRelease) {
    auto* edit = static_cast<QLineEdit*>(watched);
    QTimer::singleShot(0, edit, [edit] { edit->selectAll(); });
  }
  return QDialog::eventFilter(watched, event);
}

} // namespace tarvik
