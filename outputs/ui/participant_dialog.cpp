#include "outputs/ui/participant_dialog.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QVBoxLayout>

#include "base/help_topics.h"
#include "widgets/help_request.h"
#include "widgets/text_codec.h"
#include "widgets/trk_bit_btn.h"
#include "widgets/trk_edit.h"

namespace tarvik {

namespace {

TrkEdit* Field(QWidget* parent, const char* name) {
  auto* edit = new TrkEdit(parent);
  edit->setObjectName(QString::fromLatin1(name));
  return edit;
}

QGroupBox* Group(const QString& title, QWidget* parent) {
  auto* group = new QGroupBox(title, parent);
  QFont font = group->font();
  font.setBold(true);
  group->setFont(font);
  return group;
}

void NormalFonts(QGroupBox* group) {
  for (QWidget* w : group->findChildren<QWidget*>()) {
    QFont font = w->font();
    font.setBold(false);
    w->setFont(font);
  }
}

std::string Text(const TrkEdit* edit) {
  return FromQString(edit->text());
}

} // namespace

ParticipantDialog::ParticipantDialog(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("uhfteilnehmer"));
  setWindowTitle(QStringLiteral("VHF/UHF-Contest"));
  SetHelpContext(this, kOutputsHelpTopic);

  QGroupBox* participant = Group(QStringLiteral("Teilnehmer"), this);
  auto* p = new QFormLayout(participant);
  pcall = Field(participant, "pcall");
  ploc = Field(participant, "ploc");
  padr1 = Field(participant, "padr1");
  padr2 = Field(participant, "padr2");
  psect = Field(participant, "psect");
  pband = new QComboBox(participant);
  pband->setObjectName(QStringLiteral("pband"));
  for (std::string_view band : kParticipantBands)
    pband->addItem(ToQString(band));
  pband->setCurrentIndex(-1);
  pclub1 = Field(participant, "pclub1");
  pclub2 = Field(participant, "pclub2");
  remail = Field(participant, "remail");
  p->addRow(QStringLiteral("Call"), pcall);
  p->addRow(QStringLiteral("Locator"), ploc);
  p->addRow(QStringLiteral("Adresszeile 1"), padr1);
  p->addRow(QStringLiteral("Adresszeile 2"), padr2);
  p->addRow(QStringLiteral("Teilnahmeklasse:"), psect);
  p->addRow(QStringLiteral("Band"), pband);
  p->addRow(QStringLiteral("Club"), pclub1);
  p->addRow(QStringLiteral("DOK"), pclub2);
  p->addRow(QStringLiteral("EMail"), remail);
  NormalFonts(participant);

  QGroupBox* responsible = Group(QStringLiteral("zuständiger Funkamateur"), this);
  auto* r = new QFormLayout(responsible);
  rname = Field(responsible, "rname");
  radr1 = Field(responsible, "radr1");
  radr2 = Field(responsible, "radr2");
  rpoco = Field(responsible, "rpoco");
  rcity = Field(responsible, "rcity");
  rcoun = Field(responsible, "rcoun");
  r->addRow(QStringLiteral("Name"), rname);
  r->addRow(QStringLiteral("Adresszeile 1"), radr1);
  r->addRow(QStringLiteral("Adresszeile 2"), radr2);
  r->addRow(QStringLiteral("PLZ"), rpoco);
  r->addRow(QStringLiteral("Stadt"), rcity);
  r->addRow(QStringLiteral("Land"), rcoun);
  NormalFonts(responsible);

  QGroupBox* operators = Group(QStringLiteral("Mehrmann"), this);
  auto* m = new QVBoxLayout(operators);
  m->addWidget(new QLabel(QStringLiteral("Teilnehmer (Rufzeichen mit ; trennen)"), operators));
  mope1 = Field(operators, "mope1");
  mope2 = Field(operators, "mope2");
  m->addWidget(mope1);
  m->addWidget(mope2);
  NormalFonts(operators);

  QGroupBox* station = Group(QStringLiteral("Station"), this);
  auto* s = new QFormLayout(station);
  rtrx = Field(station, "rtrx");
  rant = Field(station, "rant");
  rpower = Field(station, "rpower");
  s->addRow(QStringLiteral("TRX"), rtrx);
  s->addRow(QStringLiteral("Ant."), rant);
  s->addRow(QStringLiteral("Power"), rpower);
  NormalFonts(station);

  QGroupBox* remarks = Group(QStringLiteral("Bemerkungen, Ausrüstung"), this);
  auto* k = new QVBoxLayout(remarks);
  rremarks = new QPlainTextEdit(remarks);
  rremarks->setObjectName(QStringLiteral("rremarks"));
  k->addWidget(rremarks);
  NormalFonts(remarks);

  btnok = new TrkBitBtn(bkOK, this);
  btnok->setObjectName(QStringLiteral("btnok"));
  btnok->setText(QStringLiteral("OK"));
  connect(btnok, &QPushButton::clicked, this, &QDialog::accept);

  auto* grid = new QGridLayout;
  grid->addWidget(participant, 0, 0);
  grid->addWidget(responsible, 0, 1);
  grid->addWidget(operators, 1, 0);
  grid->addWidget(station, 1, 1);
  grid->addWidget(remarks, 2, 0, 1, 2);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(btnok);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(grid, 1);
  layout->addLayout(buttons);

  SetData(ParticipantData{});
}

void ParticipantDialog::SetData(const ParticipantData& d) {
  const std::pair<TrkEdit*, const std::string*> fields[] = {
      {pcall, &d.pcall}, {ploc, &d.ploc},     {padr1, &d.padr1},   {padr2, &d.padr2},
      {psect, &d.psect}, {pclub1, &d.pclub1}, {pclub2, &d.pclub2}, {remail, &d.remail},
      {rname, &d.rname}, {radr1, &d.radr1},   {radr2, &d.radr2},   {rpoco, &d.rpoco},
      {rcity, &d.rcity}, {rcoun, &d.rcoun},   {mope1, &d.mope1},   {mope2, &d.mope2},
      {rtrx, &d.rtrx},   {rant, &d.rant},     {rpower, &d.rpower}};
  for (const auto& [edit, text] : fields)
    edit->setText(ToQString(*text));
  pband->setCurrentIndex(d.pband >= 0 && d.pband < pband->count() ? d.pband : -1);
  rremarks->setPlainText(ToQString(d.rremarks));
}

ParticipantData ParticipantDialog::Data() const {
  ParticipantData d;
  d.pcall = Text(pcall);
  d.ploc = Text(ploc);
  d.padr1 = Text(padr1);
  d.padr2 = Text(padr2);
  d.psect = Text(psect);
  d.pband = pband->currentIndex();
  d.pclub1 = Text(pclub1);
  d.pclub2 = Text(pclub2);
  d.remail = Text(remail);
  d.rname = Text(rname);
  d.radr1 = Text(radr1);
  d.radr2 = Text(radr2);
  d.rpoco = Text(rpoco);
  d.rcity = Text(rcity);
  d.rcoun = Text(rcoun);
  d.mope1 = Text(mope1);
  d.mope2 = Text(mope2);
  d.rtrx = Text(rtrx);
  d.rant = Text(rant);
  d.rpower = Text(rpower);
  d.rremarks = FromQString(rremarks->toPlainText());
  return d;
}

void ShowParticipantDialog(ParticipantData& data, QWidget* parent, const std::string& caption) {
  ParticipantDialog dialog(parent);
  if (!caption.empty())
    dialog.setWindowTitle(ToQString(caption));
  dialog.SetData(data);
  dialog.exec();
  data = dialog.Data();
}

} // namespace tarvik
