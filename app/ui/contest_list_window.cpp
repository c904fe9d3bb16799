#include "app/ui/contest_list_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QFrame>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPainter>
#include <QScreen>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <array>
#include <cstdint>
#include <iterator>

#include "app/contest_choice.h"
#include "app/log_window_start.h"
#include "app/main_window_layout.h"
#include "app/ui/contest_choice_dialog.h"
#include "app/ui/contest_pictures.h"
#include "app/ui/log_window_tools.h"
#include "base/data_directory.h"
#include "base/dates.h"
#include "base/help_topics.h"
#include "base/process_settings.h"
#include "base/text_helpers.h"
#include "contest/contest_catalog.h"
#include "contest/contest_traits.h"
#include "contest/ui/rules_window.h"
#include "country/country_data.h"
#include "logging/ui/contest_log_window.h"
#include "outputs/ui/contest_header_window.h"
#include "recordfile/fileblock.h"
#include "recordfile/ui/trk_brow.h"
#include "widgets/help_hook.h"
#include "widgets/help_request.h"
#include "widgets/text_codec.h"
#include "widgets/trk_bit_btn.h"
#include "widgets/wave_backdrop.h"

namespace tarvik {

namespace {

constexpr const char* kTagProperty = "Tag";
constexpr int kLogoBox = 160;
constexpr int kTitleBarHeight = 26;
constexpr int kButtonBarHeight = 40;
const QColor kYellow(0xFF, 0xE0, 0x4A);
const QColor kNavy(0x14, 0x23, 0x5A);
const QColor kMenuRed(0xC0, 0x1E, 0x1E);

int TagOf(const QObject* object) {
  return object->property(kTagProperty).toInt();
}

void SetTag(QObject* object, int tag) {
  object->setProperty(kTagProperty, tag);
}

void SetTextColour(QWidget* widget, const QColor& colour) {
  QPalette palette = widget->palette();
  palette.setColor(QPalette::WindowText, colour);
  widget->setPalette(palette);
}

void SetBackground(QWidget* widget, const QColor& colour) {
  QPalette palette = widget->palette();
  palette.setColor(QPalette::Window, colour);
  widget->setPalette(palette);
  widget->setAutoFillBackground(true);
}

QColor FromSetupColour(std::int32_t value, const QColor& fallback) {
  // 0x00BBGGRR; values with the high byte set name system colours, which have no meaning here.
  if ((static_cast<std::uint32_t>(value) & 0xFF000000u) != 0)
    return fallback;
  return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}

/// A bitmap of the data directory; the colour of its lower left pixel is transparent, as
/// the family's pictures expect, so that a logo sits on whatever lies behind it.
QPixmap LoadCompanionBitmap(const char* name) {
  QPixmap pixmap;
  if (name == nullptr)
    return pixmap;
  const QString path = PathToQString(FindDataFile(name));
  if (!QFileInfo::exists(path) || !pixmap.load(path) || pixmap.isNull())
    return QPixmap();
  const QImage image = pixmap.toImage();
  pixmap.setMask(pixmap.createMaskFromColor(image.pixelColor(0, image.height() - 1)));
  return pixmap;
}

/// The picture strip along the left edge.
class StripPicture final : public QWidget {
public:
  explicit StripPicture(QWidget* parent) : QWidget(parent) {}

protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    PaintWaveBackdrop(p, rect(), 0.62, 6, 22.0);
    p.setPen(QColor(0xFF, 0xFF, 0xFF, 40));
    QFont font = p.font();
    font.setPointSize(34);
    font.setBold(true);
    p.setFont(font);
    p.translate(width() * 0.5 + 14, height() * 0.62 + 150);
    p.rotate(-90);
    p.drawText(QPointF(0, 0), QStringLiteral("Tarvik"));
  }
};

} // namespace

WindowColours OwnWindowColours() {
  return {QColor(0x23, 0x3E, 0x5C), QColor(0xD9, 0xE2, 0xEC), QColor(Qt::white), QColor(Qt::white),
          QColor(0xE4, 0xEA, 0xF1)};
}

WindowColours SchemeColours(const FamilySettings& settings) {
  const WindowColours own = OwnWindowColours();
  bool any = false;
  for (std::int32_t c : settings.colours)
    any = any || c != 0;
  if (!any)
    return own;
  return {FromSetupColour(settings.colours[0], own.form),
          FromSetupColour(settings.colours[1], own.panel),
          FromSetupColour(settings.colours[2], own.grid),
          FromSetupColour(settings.colours[3], own.label1),
          FromSetupColour(settings.colours[4], own.label2)};
}

// ---------------------------------------------------------------------------------------
// Construction: steps 4 to 10

ContestListWindow::ContestListWindow(UserDialogs& dialogs, QWidget* parent, FileIo* io,
                                     char contestCode)
    : QWidget(parent), dialogs_(dialogs),
      session_(std::make_unique<ProgramSession>(dialogs, ProcessClock(), io, contestCode)),
      colours_(OwnWindowColours()) {
  CreateControls();
  // 4. Help requests (F1, "Hilfe") open the manual.
  InstallHelpHook(dialogs_);
  // 5.-9. The contest code (chosen last, or given at start), the caption, the title bitmap,
  // the contest's title and logo.
  ShowContestIdentity();
  // 10. The window's colour.
  SetBackground(this, colours_.form);
  qApp->installEventFilter(this);
}

void ContestListWindow::ShowContestIdentity() {
  const char code = ContestCode();
  lworked->hide();
  imgtitel->hide();
  imglinks->hide();
  setWindowTitle(ToQString(MainWindowCaption(code)));
  // The pictures of a contest the program ships come from the data directory and stay hidden
  // when a file is missing; for the other contests the window draws its own title, and a
  // neutral logo unless the data directory holds the contest's logo bitmap.
  const std::string titleFile = ContestTitleBitmap(code);
  const bool shipped = !titleFile.empty();
  const ContestIdentity* identity = FindContestIdentity(code);
  QPixmap title = shipped ? LoadCompanionBitmap(titleFile.c_str()) : QPixmap();
  if (!shipped)
    title = GeneratedTitlePicture(ToQString(identity != nullptr && identity->title != nullptr
                                                ? identity->title
                                                : ContestShortName(code)));
  imgtitel->clear();
  if (!title.isNull()) {
    imgtitel->setPixmap(title);
    imgtitel->setScaledContents(false);
    imgtitel->resize(title.size());
    imgtitel->show();
  }
  const std::string titleText = ContestTitleLabel(code);
  if (!titleText.empty()) {
    lworked->setText(ToQString(titleText));
    QFont font = lworked->font();
    font.setPointSize(12);
    font.setBold(true);
    lworked->setFont(font);
    lworked->show();
  }
  QPixmap logo = LoadCompanionBitmap(identity != nullptr ? identity->logo : nullptr);
  if (logo.isNull() && !shipped)
    logo = NeutralLogo(ToQString(ContestShortName(code)));
  imglinks->clear();
  if (!logo.isNull()) {
    imglinks->setPixmap(logo);
    imglinks->show();
  }
  btnWaehlen->setText(ToQString(ContestChoiceCaption() + " [F2]"));
  if (actions_ != nullptr) {
    MenueBeenden->setText(ToQString(FinishMenuText()));
    lUtils->setText(ToQString(OwnCallPrefixText()));
    lCopyright->setText(ToQString(session_->Definition().ProgramLine));
    ApplyColourScheme();
    LayoutControls();
  }
}

bool ContestListWindow::SwitchContest(char code) {
  if (actions_ == nullptr || !session_->SwitchContest(code))
    return false;
  ShowContestIdentity();
  actions_->FollowContestCode();
  FocusList();
  return true;
}

void ContestListWindow::btnWaehlenClick() {
  if (actions_ == nullptr)
    return;
  ContestChoiceDialog dialog(ContestCode(), TodayDay(session_->ClockSource()), this);
  if (dialog.exec() == QDialog::Accepted)
    (void)SwitchContest(dialog.Chosen()); // every code of the list can be run
  FocusList();
}

void ContestListWindow::btnRegelnClick() {
  ShowRules(ContestCode(), dialogs_, this, colours_.panel);
  FocusList();
}

ContestListWindow::~ContestListWindow() {
  qApp->removeEventFilter(this);
  actions_.reset();
  if (Brow != nullptr)
    Brow->Unbind();
  session_->Close();
}

void ContestListWindow::CreateControls() {
  setMinimumSize(800, 600);
  setFocusPolicy(Qt::StrongFocus);
  SetHelpContext(this, kMainWindowHelpTopic);

  Image2 = new StripPicture(this);

  MenueBeenden = new QLabel(QStringLiteral("    zum Hauptmenü"), this);
  SetTag(MenueBeenden, 100);
  QFont menuFont = MenueBeenden->font();
  menuFont.setPointSize(12);
  menuFont.setBold(true);
  menuFont.setItalic(true);
  MenueBeenden->setFont(menuFont);
  MenueBeenden->setIndent(12);
  MenueBeenden->setMargin(3);
  SetTextColour(MenueBeenden, Qt::white);
  MenueBeenden->setCursor(Qt::PointingHandCursor);
  MenueBeenden->installEventFilter(this);

  lCopyright = new QLabel(this);
  SetTag(lCopyright, 1);
  QFont small = lCopyright->font();
  small.setPointSize(8);
  lCopyright->setFont(small);
  lCopyright->setWordWrap(true);
  lCopyright->setCursor(Qt::PointingHandCursor);
  lCopyright->installEventFilter(this);

  lUtils = new QLabel(this);
  SetTag(lUtils, 99);
  QFont utilsFont = lUtils->font();
  utilsFont.setPointSize(13);
  utilsFont.setItalic(true);
  lUtils->setFont(utilsFont);

  lCall = new QLabel(QStringLiteral("DEMO"), this);
  SetTag(lCall, 99);
  QFont callFont = lCall->font();
  callFont.setPointSize(26);
  callFont.setBold(true);
  lCall->setFont(callFont);

  imgtitel = new QLabel(this);
  lworked = new QLabel(this);
  SetTextColour(lworked, kYellow);
  imglinks = new QLabel(this);
  imglinks->setAlignment(Qt::AlignCenter);

  lhinweisupdate2 =
      new QLabel(QStringLiteral("Installieren Sie bitte neue Versionen immer in ein neues leeres "
                                "Verzeichnis oder tauschen Sie nur die EXE-Dateien aus."),
                 this);
  SetTextColour(lhinweisupdate2, kYellow);
  lhinweisupdate = new QLabel(
      QStringLiteral("Bitte prüfen Sie vor jedem Contest, ob es eine neuere Version dieses "
                     "Programms gibt, und arbeiten Sie immer mit der neuesten Version."),
      this);
  SetTag(lhinweisupdate, 1);
  btnweitere = new TrkBitBtn(bkCustom, this);
  btnweitere->setText(QStringLiteral("weitere AFU-Pogramme"));
  btnweitere->setFocusPolicy(Qt::NoFocus);
  connect(btnweitere, &QPushButton::clicked, this, &ContestListWindow::btnweitereClick);

  panelContest = new QFrame(this);
  panelContest->setFrameShape(QFrame::Box);
  panelContest->setLineWidth(1);
  auto* panelLayout = new QVBoxLayout(panelContest);
  panelLayout->setContentsMargins(1, 1, 1, 1);
  panelLayout->setSpacing(0);

  PanelDXOben = new QWidget(panelContest);
  PanelDXOben->setFixedHeight(kTitleBarHeight);
  SetBackground(PanelDXOben, kNavy);
  auto* titleLayout = new QHBoxLayout(PanelDXOben);
  titleLayout->setContentsMargins(8, 0, 8, 0);
  lCallListCaption = new QLabel(QStringLiteral("Liste der Conteste"), PanelDXOben);
  QFont captionFont = lCallListCaption->font();
  captionFont.setBold(true);
  captionFont.setPointSize(11);
  lCallListCaption->setFont(captionFont);
  SetTextColour(lCallListCaption, kYellow);
  titleLayout->addWidget(lCallListCaption);
  titleLayout->addStretch();
  // The contest at hand: another one of the catalog, and its rules.
  btnWaehlen = new TrkBitBtn(bkCustom, PanelDXOben);
  btnWaehlen->setText(ToQString(ContestChoiceCaption() + " [F2]"));
  btnWaehlen->setFocusPolicy(Qt::NoFocus);
  connect(btnWaehlen, &QPushButton::clicked, this, &ContestListWindow::btnWaehlenClick);
  btnRegeln = new TrkBitBtn(bkCustom, PanelDXOben);
  btnRegeln->setText(QStringLiteral("Regeln"));
  btnRegeln->setFocusPolicy(Qt::NoFocus);
  connect(btnRegeln, &QPushButton::clicked, this, &ContestListWindow::btnRegelnClick);
  for (TrkBitBtn* b : {btnWaehlen, btnRegeln}) {
    b->setFixedHeight(kTitleBarHeight - 4);
    titleLayout->addWidget(b);
  }
  panelLayout->addWidget(PanelDXOben);

  Brow = new TrkBrow(dialogs_, panelContest);
  panelLayout->addWidget(Brow, 1);

  PanelUnten = new QWidget(panelContest);
  PanelUnten->setFixedHeight(kButtonBarHeight);
  auto* buttons = new QHBoxLayout(PanelUnten);
  buttons->setContentsMargins(8, 5, 8, 5);
  buttons->setSpacing(8);
  btnNeuho3 = new TrkBitBtn(bkGNeu, PanelUnten);
  btnAendernHo3 = new TrkBitBtn(bkGStart, PanelUnten);
  btnAendernHo3->setText(QStringLiteral("Starten"));
  btnLoeschenHo3 = new TrkBitBtn(bkGLoeschen, PanelUnten);
  btnendeho3 = new TrkBitBtn(bkClose, PanelUnten);
  // "Hilfe" opens the manual at the window's topic (the list of contests).
  btnHilfeHo3 = new TrkBitBtn(bkHelp, PanelUnten);
  btnStart = new TrkBitBtn(bkCustom, PanelUnten);
  btnStart->setText(QStringLiteral("Start [F10]"));
  btnStart->hide();
  // "Extras": a drop-down of the actions that refresh the country data.
  btnExtras = new TrkBitBtn(bkCustom, PanelUnten);
  btnExtras->setText(QStringLiteral("Extras"));
  menuExtras = new QMenu(btnExtras);
  actionLaenderdaten = menuExtras->addAction(QStringLiteral("Länderdaten aktualisieren…"));
  actionDokListe = menuExtras->addAction(QStringLiteral("DOK-Liste übernehmen…"));
  btnExtras->setRkMenue(menuExtras);
  connect(actionLaenderdaten, &QAction::triggered, this,
          &ContestListWindow::actionLaenderdatenClick);
  connect(actionDokListe, &QAction::triggered, this, &ContestListWindow::actionDokListeClick);
  for (TrkBitBtn* b :
       {btnNeuho3, btnAendernHo3, btnLoeschenHo3, btnExtras, btnendeho3, btnHilfeHo3}) {
    b->setFocusPolicy(Qt::NoFocus);
    b->setMinimumWidth(96);
  }
  buttons->addWidget(btnNeuho3);
  buttons->addWidget(btnAendernHo3);
  buttons->addWidget(btnLoeschenHo3);
  buttons->addStretch();
  buttons->addWidget(btnExtras);
  buttons->addWidget(btnendeho3);
  buttons->addWidget(btnHilfeHo3);
  panelLayout->addWidget(PanelUnten);

  connect(btnNeuho3, &QPushButton::clicked, this, &ContestListWindow::btnNeuho3Click);
  connect(btnAendernHo3, &QPushButton::clicked, this, &ContestListWindow::btnAendernHo3Click);
  connect(btnLoeschenHo3, &QPushButton::clicked, this, &ContestListWindow::btnLoeschenHo3Click);
  connect(btnStart, &QPushButton::clicked, this, &ContestListWindow::btnStartClick);
  // After a button's work the keyboard belongs to the list again (Del, Enter, the arrows).
  for (TrkBitBtn* b : {btnNeuho3, btnAendernHo3, btnLoeschenHo3, btnStart, btnExtras, btnweitere})
    connect(b, &QPushButton::clicked, this, &ContestListWindow::FocusList);
  for (QAction* a : {actionLaenderdaten, actionDokListe})
    connect(a, &QAction::triggered, this, &ContestListWindow::FocusList);
  // "Schließen" (bkClose) closes the window by its kind; the closing order runs in closeEvent.

  btnweitere->hide();
  lhinweisupdate->hide();
  lhinweisupdate2->hide();
  resize(1024, 768);
}

// ---------------------------------------------------------------------------------------
// Start: steps 11 to 28

ContestListWindow::StartResult ContestListWindow::Start() {
  // 11. The record-file manager.
  if (!session_->StartRecordFiles())
    return StartResult::kRecordFilesFailed;
  // 12., 13.
  lCall->clear();
  lUtils->setText(ToQString(OwnCallPrefixText()));
  // 14. Top left corner of the screen.
  if (QScreen* s = screen())
    move(s->availableGeometry().topLeft());
  // 15.-20., 23., 24. Setup, profile, settings, prefix tables, contest files, definition.
  if (!session_->OpenFiles()) {
    close();
    return StartResult::kEnded;
  }
  colours_ = SchemeColours(session_->Settings());
  // 21., 22.
  MenueBeenden->setText(ToQString(FinishMenuText()));
  actions_ = std::make_unique<ContestListActions>(*session_, Brow->model(), *this);
  actions_->onOwnCallChanged = [this] { ShowOwnCall(); };
  ShowOwnCall();
  // 24. The list of this code's contests.
  actions_->ConnectGrid();
  Brow->LayoutForInit();
  if (!actions_->InitList()) {
    dialogs_.Inform(Brow->InitError());
    close();
    return StartResult::kEnded;
  }
  // 25. Colours, notice line.
  ApplyColourScheme();
  lCopyright->setText(ToQString(session_->Definition().ProgramLine));
  btnWaehlen->setText(ToQString(ContestChoiceCaption() + " [F2]"));
  // 26.
  Brow->setFocus();
  btnweitere->show();
  lhinweisupdate->show();
  lhinweisupdate2->show();
  LayoutControls();
  // 27.
  if (session_->WantsHourlyLogAdvice())
    dialogs_.Inform(HourlyLogAdvice());
  return StartResult::kRunning;
}

void ContestListWindow::ShowMaximised() {
  if (QScreen* s = screen())
    setGeometry(s->availableGeometry());
  showMaximized();
}

void ContestListWindow::AfterShown() {
  if (session_->Closed() || !session_->HeaderFileEmpty())
    return;
  QApplication::processEvents();
  actions_->Neu();
  if (TraitsOf(ContestCode()).hourlyLogAdvice)
    dialogs_.Inform(HourlyLogNewAdvice());
}

void ContestListWindow::ShowOwnCall() {
  const QString text = ToQString(session_->OwnCallText());
  lCall->setText(text);
  lCall->setVisible(!text.isEmpty());
  lUtils->setVisible(!text.isEmpty());
  LayoutControls();
}

void ContestListWindow::ApplyColourScheme() {
  SetBackground(this, colours_.form);
  SetBackground(panelContest, colours_.panel);
  SetBackground(PanelUnten, colours_.panel);
  SetBackground(Brow, colours_.panel);
  Brow->SetTableColours(colours_.grid, Qt::black);
  const QList<QLabel*> labels = findChildren<QLabel*>();
  for (QLabel* label : labels) {
    const int tag = TagOf(label);
    if (tag == 99) {
      SetTextColour(label, colours_.label1);
    } else if (tag >= 1 && tag <= 97) {
      SetTextColour(label, colours_.label2);
    } else if (tag >= 100 && tag <= 1999) {
      // The family's menu labels: 156 pixels wide, without their leading blanks.
      label->setFixedWidth(kMenuLabelWidth);
      if (tag % 100 == 0 && label->text().startsWith(QStringLiteral("    ")))
        label->setText(label->text().mid(4));
    }
  }
}

// ---------------------------------------------------------------------------------------
// Layout

void ContestListWindow::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  LayoutControls();
}

void ContestListWindow::LayoutControls() {
  auto size = [](const QWidget* w) {
    if (!w->isVisibleTo(w->parentWidget()))
      return LayoutSize{};
    const QSize s = w->sizeHint();
    return LayoutSize{s.width(), s.height()};
  };
  MainWindowLayoutInput in;
  in.window = {width(), height()};
  in.screenWidth = screen() != nullptr ? screen()->geometry().width() : width();
  in.contestCode = ContestCode() != 0;
  if (!imgtitel->isHidden())
    in.titleBitmap = {imgtitel->pixmap().width(), imgtitel->pixmap().height()};
  in.logoBox = {kLogoBox, kLogoBox};
  in.titleLabel = size(lworked);
  in.menuLabel = size(MenueBeenden);
  in.callLabel = lCall->isHidden() ? LayoutSize{} : size(lCall);
  in.utilsLabel = lUtils->isHidden() ? LayoutSize{} : size(lUtils);
  in.moreButton = {std::min(btnweitere->sizeHint().width(), kMenuLabelWidth),
                   btnweitere->sizeHint().height()};
  in.note = size(lhinweisupdate);
  in.note2 = size(lhinweisupdate2);
  const int noticeWidth = kStripWidth - 10;
  in.notice = {noticeWidth, lCopyright->heightForWidth(noticeWidth)};
  const MainWindowLayout l = LayoutMainWindow(in);
  auto place = [](QWidget* w, const LayoutRect& r) { w->setGeometry(r.x, r.y, r.w, r.h); };
  place(Image2, l.strip);
  place(MenueBeenden, l.menu);
  place(imgtitel, l.titleBitmap);
  place(lworked, l.titleLabel);
  place(imglinks, l.logo);
  if (!imglinks->isHidden()) {
    // The logo fills its box and keeps its proportions.
    const QPixmap logo = imglinks->pixmap();
    if (!logo.isNull() && logo.width() > 0 && logo.height() > 0) {
      const QSize fitted = logo.size().scaled(kLogoBox, kLogoBox, Qt::KeepAspectRatio);
      imglinks->setGeometry(l.logo.x + (kLogoBox - fitted.width()) / 2, l.logo.y, fitted.width(),
                            fitted.height());
      imglinks->setScaledContents(true);
    }
  }
  place(panelContest, l.panel);
  place(lUtils, l.utils);
  place(lCall, l.call);
  place(btnweitere, l.more);
  place(lhinweisupdate, l.note);
  place(lhinweisupdate2, l.note2);
  place(lCopyright, l.notice);
  Image2->lower();
  MenueBeenden->raise();
}

// ---------------------------------------------------------------------------------------
// Events

bool ContestListWindow::FormKeyDown(QKeyEvent* event) {
  const int key = event->key();
  // The list's keys reach the list wherever the focus is in the window (after a click on a
  // button or on the window's background it is not in the list).
  static constexpr int kListKeys[] = {Qt::Key_Delete,   Qt::Key_Up,   Qt::Key_Down, Qt::Key_PageUp,
                                      Qt::Key_PageDown, Qt::Key_Home, Qt::Key_End};
  if (std::find(std::begin(kListKeys), std::end(kListKeys), key) != std::end(kListKeys) &&
      !(event->modifiers() & Qt::AltModifier) && !forwardingKey_ &&
      !Brow->isAncestorOf(QApplication::focusWidget())) {
    FocusList();
    QKeyEvent forwarded(event->type(), key, event->modifiers(), event->text());
    forwardingKey_ = true;
    QApplication::sendEvent(Brow->table(), &forwarded);
    forwardingKey_ = false;
    return true;
  }
  if (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier))
    return false;
  if (key == Qt::Key_F2) {
    btnWaehlenClick();
    return true;
  }
  if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_F10) {
    btnAendernHo3Click();
    return true;
  }
  if (key == Qt::Key_Escape) {
    if (dialogs_.Confirm("Programm beenden?"))
      close();
    return true;
  }
  return false;
}

bool ContestListWindow::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress) {
    // The window sees its keys before the focused control.
    auto* widget = qobject_cast<QWidget*>(watched);
    if (widget != nullptr && widget->window() == this &&
        QApplication::activeModalWidget() == nullptr && !closing_ && actions_ != nullptr) {
      if (FormKeyDown(static_cast<QKeyEvent*>(event)))
        return true;
    }
    return false;
  }
  if (watched == MenueBeenden) {
    if (event->type() == QEvent::Enter)
      SetHover(MenueBeenden, true);
    else if (event->type() == QEvent::Leave)
      SetHover(MenueBeenden, false);
    else if (event->type() == QEvent::MouseButtonRelease)
      close();
  } else if (watched == lCopyright) {
    if (event->type() == QEvent::Enter || event->type() == QEvent::Leave) {
      QFont font = lCopyright->font();
      font.setUnderline(event->type() == QEvent::Enter);
      lCopyright->setFont(font);
    } else if (event->type() == QEvent::MouseButtonRelease) {
      lCopyrightClick();
    }
  }
  return QWidget::eventFilter(watched, event);
}

void ContestListWindow::SetHover(QLabel* label, bool over) {
  // Only one menu label (tag a multiple of 100) shows its red background at a time.
  const QList<QLabel*> labels = findChildren<QLabel*>();
  for (QLabel* other : labels) {
    const int tag = TagOf(other);
    if (tag < 100 || tag % 100 != 0)
      continue;
    const bool opaque = over && other == label;
    if (opaque)
      SetBackground(other, kMenuRed);
    other->setAutoFillBackground(opaque);
  }
}

void ContestListWindow::closeEvent(QCloseEvent* event) {
  if (!closing_) {
    closing_ = true;
    Brow->Unbind();
    session_->Close();
  }
  event->accept();
}

void ContestListWindow::FocusList() {
  if (!closing_ && Brow != nullptr)
    Brow->setFocus(Qt::OtherFocusReason);
}

void ContestListWindow::btnNeuho3Click() {
  if (actions_)
    actions_->Neu();
}

void ContestListWindow::btnAendernHo3Click() {
  if (actions_)
    actions_->Starten();
}

void ContestListWindow::btnLoeschenHo3Click() {
  if (actions_)
    actions_->Loeschen();
}

void ContestListWindow::btnStartClick() {
  if (actions_)
    actions_->Start();
}

void ContestListWindow::actionLaenderdatenClick() {
  if (actions_)
    (void)RefreshCountryData(dialogs_); // it reports the counts or the failure itself
}

void ContestListWindow::actionDokListeClick() {
  if (actions_)
    (void)RefreshDokHistory(dialogs_); // it reports the counts or the failure itself
}

void ContestListWindow::lCopyrightClick() {
  dialogs_.Inform(session_->Definition().ProgramLine + "\r\r" +
                  ChooseText("Datenverzeichnis: ", "Data directory: ") +
                  FromQString(PathToQString(DataDirectory())));
}

void ContestListWindow::btnweitereClick() {
  // The contests of the catalog, which this program serves one at a time.
  QDialog dialog(this);
  dialog.setWindowTitle(QStringLiteral("weitere AFU-Programme"));
  auto* layout = new QVBoxLayout(&dialog);
  auto* intro = new QLabel(
      QStringLiteral("Tarvik führt jeden dieser Conteste; „Contest wählen“ (F2) wechselt zu ihm:"),
      &dialog);
  layout->addWidget(intro);
  auto* list = new QListWidget(&dialog);
  for (char code : kCatalogCodes) {
    const ContestIdentity* identity = FindContestIdentity(code);
    if (identity == nullptr || identity->title == nullptr || IsForeignToolCode(code))
      continue;
    list->addItem(ToQString(std::string(identity->title)));
  }
  layout->addWidget(list);
  auto* box = new QDialogButtonBox(QDialogButtonBox::Close, &dialog);
  connect(box, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
  layout->addWidget(box);
  dialog.resize(420, 480);
  dialog.exec();
}

bool ContestListWindow::OpenHeaderWindow(HeaderWindowMode mode) {
  ContestHeaderWindow window(*session_, mode, this);
  return window.Execute();
}

void ContestListWindow::OpenLogWindow(int, const ContestDefinition& definition) {
  // The header and extension buffers hold the contest (Start found both records).
  ContestLogWindow window(LogSessionParams(*session_, definition), dialogs_, this,
                          session_->ClockSource());
  window.SetColours(colours_.form, colours_.panel, colours_.grid);
  window.SetTools(StandardLogTools(window, dialogs_));
  if (!window.Open())
    return;
  window.ShowMaximised();
  (void)window.exec(); // how the log window ended is asked below (Finished)
  if (!window.Finished())
    window.close();
  TakeBackLogRecords(*session_, window.HeaderRecord(), window.ExtensionRecord());
}

} // namespace tarvik
