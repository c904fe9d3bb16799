#include "outputs/ui/contest_header_window.h"

#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QScreen>
#include <QTimer>

#include "base/help_topics.h"
#include "contest/contest_session.h"
#include "contest/ui/rules_window.h"
#include "outputs/output_run.h"
#include "outputs/ui/file_editor_window.h"
#include "outputs/ui/findings_window.h"
#include "outputs/ui/participant_dialog.h"
#include "outputs/ui/qt_printer.h"
#include "widgets/help_request.h"
#include "widgets/text_codec.h"
#include "widgets/trk_bit_btn.h"
#include "widgets/trk_edit.h"

namespace tarvik {

namespace {

const QColor kFailedColour(kFailedFieldRgb[0], kFailedFieldRgb[1], kFailedFieldRgb[2]);

void SetText(QLineEdit* edit, const std::string& text) {
  const QString t = ToQString(text);
  if (edit->text() != t)
    edit->setText(t);
}

std::string TextOf(const QLineEdit* edit) {
  return FromQString(edit->text());
}

} // namespace

ContestHeaderWindow::ContestHeaderWindow(ContestSession& session, HeaderWindowMode mode,
                                         QWidget* parent)
    : QDialog(parent), session_(session) {
  setObjectName(QStringLiteral("ContestHeaderWindow"));
  setModal(true);
  SetHelpContext(this, kHeaderWindowHelpTopic);
  model_ = std::make_unique<ContestHeaderModel>(session, mode, session.ContestCode());
  model_->Open();
  // The output menu runs the outputs with this window's printer and file editor.
  model_->runOutput = [this](int kind) {
    QtPrinter printer(this, askPrinter);
    OutputWindows windows;
    windows.printer = &printer;
    windows.showFile = [this](const std::string& path) {
      ShowFile(path, session_.Dialogs(), this);
    };
    // The EDI file asks for the entrant's data first, under the program's title.
    windows.editParticipant = [this](ParticipantData& data) {
      ShowParticipantDialog(data, this, session_.Definition().ProgramTitle);
    };
    // The Cabrillo file's CONTEST value, and what the check before sending finds.
    windows.editCabrilloContest = [this](std::string& name) {
      return EditCabrilloContestName(name, this);
    };
    windows.reviewFindings = [this](const std::vector<FileFinding>& findings,
                                    const std::string& fileName) {
      return ReviewFindings(findings, fileName, session_.Dialogs(), this);
    };
    RunOutput(session_, kind, windows);
  };
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

ContestHeaderWindow::~ContestHeaderWindow() {
  // The controls are destroyed after the model: none of their signals may reach it then.
  for (QObject* child : findChildren<QObject*>())
    disconnect(child, nullptr, this, nullptr);
}

bool ContestHeaderWindow::Execute() {
  start_ = false;
  exec();
  return start_;
}

void ContestHeaderWindow::ConnectEvents() {
  // The name field takes at most the 25 characters the header holds; more (typed or pasted)
  // is refused with a beep.
  connect(eName, &QLineEdit::inputRejected, this, [this] { session_.Dialogs().Beep(); });
  connect(btnstart, &QPushButton::clicked, this, &ContestHeaderWindow::btnstartClick);
  connect(btnOK, &QPushButton::clicked, this, &ContestHeaderWindow::btnOKClick);
  connect(btnAbbruch, &QPushButton::clicked, this, &ContestHeaderWindow::btnAbbruchClick);
  connect(btnDruck, &QPushButton::clicked, this, &ContestHeaderWindow::btnDruckClick);
  connect(btnregeln, &QPushButton::clicked, this, &ContestHeaderWindow::btnregelnClick);

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
    if (filling_ || !model_->DokAnswersQuestion())
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

void ContestHeaderWindow::Edited(QWidget* widget) {
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

QWidget* ContestHeaderWindow::ControlWidget(HeaderControl control) const {
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

void ContestHeaderWindow::ShowView() {
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

void ContestHeaderWindow::ShowForm() {
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

void ContestHeaderWindow::ReadForm() {
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

void ContestHeaderWindow::ShowEvaluation() {
  const EvaluationPanel e = model_->Evaluation();
  const HeaderView& v = model_->View();
  QLabel** names[3] = {lQSO, lMulti, lPunkte};
  for (int i = 0; i < 7; ++i) {
    const EvaluationPanel::Row& row = e.rows[static_cast<std::size_t>(i)];
    const bool shown = !e.totalsOnly && !v.bandNames[static_cast<std::size_t>(i)].empty();
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
    lMulti[i]->setEnabled(e.multipliers);
    leMulti[i]->setEnabled(e.multipliers);
  }
  for (QLabel* heading : blockHeadings_)
    heading->setVisible(!e.totalsOnly);
  Label28->setText(ToQString(e.qsoTotal));
  Label19->setText(ToQString(e.multiTotal));
  Label19->setVisible(!e.multiTotal.empty());
  Label20->setText(ToQString(e.pointsTotal));
  Label20->setVisible(e.pointsTotalVisible && !e.pointsTotal.empty());
  Label21->setText(ToQString(e.score));
  Label21->setVisible(e.scoreVisible);
  const Qt::Alignment totalsAlignment =
      (e.multipliers ? Qt::AlignRight : Qt::AlignHCenter) | Qt::AlignVCenter;
  for (QLabel* l : {Label28, Label19, Label20, Label21})
    l->setAlignment(totalsAlignment);
}

void ContestHeaderWindow::ShowMarks() {
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

void ContestHeaderWindow::FocusRequested() {
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

void ContestHeaderWindow::BuildOutputMenu() {
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

void ContestHeaderWindow::CloseWith(bool start) {
  start_ = start;
  done(start ? QDialog::Accepted : QDialog::Rejected);
}

void ContestHeaderWindow::btnstartClick() {
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

void ContestHeaderWindow::btnOKClick() {
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

void ContestHeaderWindow::btnAbbruchClick() {
  CloseWith(false);
}

void ContestHeaderWindow::reject() {
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

void ContestHeaderWindow::btnDruckClick() {
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

void ContestHeaderWindow::btnregelnClick() {
  ShowRules(model_->ContestCode(), session_.Dialogs(), this);
}

bool ContestHeaderWindow::eventFilter(QObject* watched, QEvent* event) {
  // A click into a QSL field selects its character, so that typing replaces it.
  if ((watched == eQSLw || watched == eqslr) && event->type() == QEvent::MouseButtonRelease) {
    auto* edit = static_cast<QLineEdit*>(watched);
    QTimer::singleShot(0, edit, [edit] { edit->selectAll(); });
  }
  return QDialog::eventFilter(watched, event);
}

} // namespace tarvik
