// The controls of the contest header window: its groups, fields, buttons and the category
// group, created and laid out (two columns of groups, the evaluation across the bottom, the
// buttons below). What they show and do is in contest_header_window.cpp.

#include "outputs/ui/contest_header_window.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QVBoxLayout>

#include "widgets/text_codec.h"
#include "widgets/trk_bit_btn.h"
#include "widgets/trk_edit.h"

namespace tarvik {

namespace {

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

// ---------------------------------------------------------------------------------------
// Controls

void ContestHeaderWindow::CreateControls() {
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

QGroupBox* ContestHeaderWindow::CreateContestGroup() {
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

QGroupBox* ContestHeaderWindow::CreateParticipantGroup() {
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

QGroupBox* ContestHeaderWindow::CreateModeGroup() {
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

QGroupBox* ContestHeaderWindow::CreateSettingsGroup() {
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

QGroupBox* ContestHeaderWindow::CreateClockGroup() {
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

QGroupBox* ContestHeaderWindow::CreateEvaluationGroup() {
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
    blockHeadings_.push_back(band);
    blockHeadings_.push_back(heading);
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

void ContestHeaderWindow::CreateExtraGroups() {
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

void ContestHeaderWindow::CreateButtons() {
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

void ContestHeaderWindow::FillCategoryGroup() {
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

} // namespace tarvik
