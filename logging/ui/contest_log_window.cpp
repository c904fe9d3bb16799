// The log window's controls and their arrangement, opening and closing.

#include "logging/ui/contest_log_window.h"

#include <QApplication>
#include <QCheckBox>
#include <QFrame>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QScreen>
#include <QStyle>
#include <QTableWidget>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

#include "base/help_topics.h"
#include "logging/log_list.h"
#include "logging/ui/cat_controller.h"
#include "logging/ui/evaluation_panel.h"
#include "logging/ui/log_window_style.h"
#include "logging/ui/multiplier_panel.h"
#include "logging/ui/progress_window.h"
#include "recordfile/fileblock.h"
#include "recordfile/ui/trk_brow.h"
#include "widgets/help_request.h"
#include "widgets/text_codec.h"
#include "widgets/trk_bit_btn.h"
#include "widgets/trk_edit.h"
#include "widgets/wave_backdrop.h"

namespace tarvik {

using namespace logwindow;

namespace {

constexpr int kSideBarWidth = 176;
// Screens narrower than this get the compact window: smaller fonts, a narrower side bar and
// evaluation panel, so that everything fits 1024 pixels.
constexpr int kWideScreen = 1200;
constexpr int kTitleBarHeight = 26;

/// The side bar's picture: a dark gradient with quiet rings of a radio wave.
class SideBar final : public QWidget {
public:
  explicit SideBar(QWidget* parent) : QWidget(parent) {}

protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    PaintWaveBackdrop(p, rect(), 0.78, 5, 20.0);
  }
};

} // namespace

ContestLogWindow::ContestLogWindow(QsoSessionParams params, UserDialogs& dialogs,
                                   QWidget* mainWindow, const Clock& clock)
    : QDialog(mainWindow), dialogs_(dialogs), mainWindow_(mainWindow) {
  header_ = params.headerRecord;
  extension_ = params.extensionRecord;
  session_ = std::make_unique<QsoSession>(std::move(params), dialogs, clock);
  setObjectName(QStringLiteral("ContestLogWindow"));
  const QScreen* screen =
      mainWindow != nullptr ? mainWindow->screen() : QGuiApplication::primaryScreen();
  narrow_ = screen != nullptr && screen->availableGeometry().width() < kWideScreen;
  setModal(true);
  setWindowFlag(Qt::WindowContextHelpButtonHint, false);
  setWindowFlag(Qt::WindowMaximizeButtonHint, true);
  CreateControls();
  // F1 and "Hilfe": the manual's section of the log window; in the log list, the section on
  // changing and deleting QSOs.
  SetHelpContext(this, kLogWindowHelpTopic);
  SetHelpContext(Brow, kQsoChangeHelpTopic);
  qApp->installEventFilter(this);
  connect(qApp, &QApplication::focusChanged, this, &ContestLogWindow::FocusChanged);
}

ContestLogWindow::~ContestLogWindow() {
  qApp->removeEventFilter(this);
  // The controls go before the window: no focus change may reach it any more.
  disconnect(qApp, nullptr, this, nullptr);
  // Closing from the destructor runs without the progress window: no events may reach a
  // window that is going away.
  session_->Log().SetProgressDisplay(nullptr);
  Finish();
}

// ---------------------------------------------------------------------------------------
// Controls

TrkBitBtn* ContestLogWindow::MakeButton(const char* name, const QString& caption, QWidget* parent) {
  auto* button = new TrkBitBtn(bkCustom, parent);
  button->setObjectName(QString::fromLatin1(name));
  button->setText(caption);
  button->setFocusPolicy(Qt::NoFocus);
  button->setAutoDefault(false);
  return button;
}

void ContestLogWindow::CreateControls() {
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
  panelauswertung = new EvaluationPanelWidget(narrow_, this);
  SetBackground(panelauswertung, kPanelColour);
  connect(panelauswertung->btnauswertung, &QPushButton::clicked, this,
          [this] { CallTool(tools_.partyEvaluation); });
  top->addWidget(panelauswertung, 0);
  main->addLayout(top, 0);
  main->addWidget(CreateListPanel(), 1);
  outer->addLayout(main, 1);

  // The default button turns Enter into a key press on the focused field.
  btndefault = MakeButton("btndefault", QStringLiteral("default"), this);
  btndefault->hide();
  connect(btndefault, &QPushButton::clicked, this, &ContestLogWindow::btndefaultClick);

  timerzeit = new QTimer(this);
  timerzeit->setObjectName(QStringLiteral("timerzeit"));
  timerzeit->setInterval(1000);
  connect(timerzeit, &QTimer::timeout, this, &ContestLogWindow::timerzeitTimer);

  listband = MakeChoiceList("listband", session_->Bands().BandList());
  listmode = MakeChoiceList("listmode", session_->Bands().ModeList());
  resize(1024, 740);
}

QWidget* ContestLogWindow::CreateSideBar() {
  auto* bar = new SideBar(this);
  bar->setFixedWidth(Px(kSideBarWidth) + (narrow_ ? 16 : 0));
  auto* layout = new QVBoxLayout(bar);
  layout->setContentsMargins(8, 10, 8, 10);
  layout->setSpacing(6);

  MenueBeenden = new QLabel(QStringLiteral("Contest beenden"), bar);
  MenueBeenden->setObjectName(QStringLiteral("MenueBeenden"));
  QFont menuFont = SizedFont(font(), Pt(12), true);
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
  lglobcall1->setFont(SizedFont(font(), Pt(20), true));
  SetTextColour(lglobcall1, kYellow);
  for (QLabel* label : {lglobcall2, lglobcall3}) {
    label->setFont(SizedFont(font(), Pt(12), false));
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
  connect(btnListe, &QPushButton::clicked, this, &ContestLogWindow::btnListeClick);
  connect(btnBandliste, &QPushButton::clicked, this, [this] { CallTool(tools_.bandLog); });
  connect(btnCallsuche, &QPushButton::clicked, this, [this] { CallTool(tools_.callSearch); });
  connect(btnKorrektur, &QPushButton::clicked, this, [this] { CallTool(tools_.corrections); });
  connect(btnNotiz, &QPushButton::clicked, this, [this] { CallTool(tools_.note); });
  connect(btnadifimport, &QPushButton::clicked, this, [this] { CallTool(tools_.adifImport); });
  connect(btnNameqth, &QPushButton::clicked, this, &ContestLogWindow::btnNameqthClick);
  connect(btnHilfe, &QPushButton::clicked, this, &ContestLogWindow::btnHilfeClick);

  layout->addSpacing(8);
  CreateCatPanel(bar, layout);

  layout->addStretch(1);
  lProgramLine = new QLabel(bar);
  lProgramLine->setObjectName(QStringLiteral("lProgramLine"));
  lProgramLine->setWordWrap(true);
  lProgramLine->setFont(SizedFont(font(), Pt(8), false));
  SetTextColour(lProgramLine, QColor(0xE4, 0xEA, 0xF1));
  lProgramLine->setText(ToQString(session_->Definition().ProgramLine));
  layout->addWidget(lProgramLine);
  layout->addSpacing(6);
  btnbeenden = MakeButton("btnbeenden", QStringLiteral("Contest beenden"), bar);
  btnbeenden->setRknichtTransparent(true);
  btnbeenden->setMinimumHeight(30);
  connect(btnbeenden, &QPushButton::clicked, this, &QWidget::close);
  layout->addWidget(btnbeenden);
  return bar;
}

QFrame* ContestLogWindow::CreateListPanel() {
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
  lContestCaption = new QLabel(ToQString(LogListCaption()), PanelDXOben);
  lContestCaption->setObjectName(QStringLiteral("lContestCaption"));
  lContestCaption->setFont(SizedFont(font(), Pt(11), true));
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

QListWidget* ContestLogWindow::MakeChoiceList(const char* name,
                                              const std::vector<std::string>& entries) {
  auto* list = new QListWidget(this);
  list->setObjectName(QString::fromLatin1(name));
  for (const std::string& entry : entries)
    list->addItem(ToQString(entry));
  list->setFont(SizedFont(font(), Pt(11), true));
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

void ContestLogWindow::SetColours(const QColor& form, const QColor& panel, const QColor& grid) {
  SetBackground(this, form);
  for (QWidget* w : std::initializer_list<QWidget*>{panelEingabe, panelauswertung, panelListe})
    SetBackground(w, panel);
  Brow->SetTableColours(grid, Qt::black);
}

// ---------------------------------------------------------------------------------------
// Opening and closing

void ContestLogWindow::StoreColumnWidths() {
  if (!session_->IsOpen())
    return;
  const QTableWidget* table = Brow->table();
  const int columns = std::min(table->columnCount(), 20);
  for (int c = 0; c < columns; ++c)
    session_->Contest().Header().SetColumnWidth(
        c + 1, static_cast<std::uint16_t>(std::clamp(table->columnWidth(c), 0, 65535)));
}

void ContestLogWindow::FitListColumns() {
  QTableWidget* table = Brow->table();
  QHeaderView* header = table->horizontalHeader();
  std::vector<int> widths;
  for (int c = 0; c < table->columnCount(); ++c)
    widths.push_back(header->sectionSize(c));
  const int unit = table->fontMetrics().horizontalAdvance(QLatin1Char('X'));
  const std::vector<int> fitted =
      FitLogListColumns(session_->Definition(), widths, table->viewport()->width(), unit);
  for (int c = 0; c < static_cast<int>(fitted.size()); ++c)
    if (fitted[static_cast<std::size_t>(c)] != widths[static_cast<std::size_t>(c)])
      header->resizeSection(c, fitted[static_cast<std::size_t>(c)]);
}

void ContestLogWindow::ConnectList() {
  BrowseGridEvents& e = Brow->events();
  e.OnBuildRow = [this](RowRec& row) {
    Fileblock* log = session_->Log().File();
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
    // The widths the operator left, as the contest header keeps them.
    if (const int stored = session_->Contest().Header().ColumnWidth(column); stored > 0)
      return stored;
    const int unit = Brow->table()->fontMetrics().horizontalAdvance(QLatin1Char('X'));
    return (widths[static_cast<std::size_t>(column - 1)] + 1) * unit;
  };
  e.OnInitSortList = [this] {
    Brow->ClearSortList();
    for (const std::string& entry : LogListSortEntries(session_->Definition()))
      Brow->AddSortListEntry(entry);
  };
  e.OnSortList2Key = [this](int i, std::string& low, std::string& high) {
    const int key =
        LogListSortKey(session_->Definition(), i, session_->Bands().Band(), &low, &high);
    if (key != 0 && key != Brow->GetKeyNumber()) {
      // The sort order changes: the column widths go into the header.
      StoreColumnWidths();
      sortChoice_ = i;
    }
    return key;
  };
  e.OnBrowEnter = [this] { CallTool(tools_.change); };
  e.OnBrowDoppelKlick = [this] { CallTool(tools_.change); };
  // Del deletes through the log's own delete (totals, renumbering), never the grid's.
  e.OnBefore_Loesch = [this] {
    CallTool(tools_.remove);
    return false;
  };
}

bool ContestLogWindow::Open() {
  if (opened_)
    return true;
  // 1.-6., 9. Files, marker records, band, mode, lists, totals, a new QSO.
  if (!session_->Open())
    return false;
  opened_ = true;
  setWindowTitle(ToQString(LogWindowCaption(session_->Definition(), session_->Contest().Header())));
  progress_ = new ProgressWindow(this);
  session_->Log().SetProgressDisplay(progress_);
  // 7. The log list on key 4 over all record numbers.
  ConnectList();
  Brow->LayoutForInit();
  if (!Brow->InitBrowse(session_->Log().File(), kLogListKey, LogListLowKey(), LogListHighKey())) {
    dialogs_.Inform(Brow->InitError());
    Finish();
    return false;
  }
  PositionListOnNewestQso();
  UpdateButtons();
  shownBand_ = session_->Bands().Band();
  shownStores_ = session_->Log().StoreCount();
  // 10. The clock once, then every second.
  session_->ClockTick();
  ShowSession();
  timerzeit->start();
  cat_->Start();
  return true;
}

void ContestLogWindow::ShowMaximised() {
  if (QScreen* s = screen())
    setGeometry(s->availableGeometry());
  setWindowState(windowState() | Qt::WindowMaximized);
}

void ContestLogWindow::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  // 11. The main window stays hidden while the log is open.
  if (mainWindow_ != nullptr && !finished_)
    mainWindow_->hide();
  ShowFocus();
}

void ContestLogWindow::closeEvent(QCloseEvent* event) {
  // The close request is always granted.
  closing_ = true;
  Finish();
  QDialog::closeEvent(event);
}

void ContestLogWindow::reject() {
  // Esc belongs to the entry (it clears it); only a close request ends the window.
  if (closing_)
    QDialog::reject();
}

void ContestLogWindow::Finish() {
  if (finished_)
    return;
  finished_ = true;
  timerzeit->stop();
  cat_->Stop(); // the radio's thread ends before the session closes
  CloseLists();
  if (opened_)
    StoreColumnWidths();
  Brow->Unbind();
  if (session_->IsOpen()) {
    session_->Close();
    header_ = session_->Contest().header;
    extension_ = session_->Contest().extension;
  }
  if (mainWindow_ != nullptr)
    mainWindow_->show();
}

} // namespace tarvik
