#include "outputs/ui/qso_list_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

#include <cmath>

#include "base/help_topics.h"
#include "base/user_dialogs.h"
#include "contest/contest_definition.h"
#include "datafiles/contest_records.h"
#include "datafiles/qso_record.h"
#include "logging/log_list.h"
#include "radio/bands.h"
#include "recordfile/fileblock.h"
#include "recordfile/ui/trk_brow.h"
#include "widgets/help_request.h"
#include "widgets/text_codec.h"
#include "widgets/trk_edit.h"

namespace tarvik {

namespace {

QFont GridFont(int points) {
  QFont font(QStringLiteral("Arial"), points);
  font.setBold(true);
  return font;
}

} // namespace

// ---------------------------------------------------------------------------------------
// CallSearchDialog

CallSearchDialog::CallSearchDialog(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("SucheQE"));
  SetHelpContext(this, kQsoListsHelpTopic);
  setWindowTitle(QStringLiteral("Suche"));
  auto* label = new QLabel(QStringLiteral("Rufzeichen:"), this);
  eSuche = new TrkEdit(this);
  eSuche->setObjectName(QStringLiteral("eSuche"));
  eSuche->setMaxLength(14);
  label->setBuddy(eSuche);
  connect(eSuche, &QLineEdit::textEdited, this, [this](const QString& text) {
    const int cursor = eSuche->cursorPosition();
    eSuche->setText(text.toUpper());
    eSuche->setCursorPosition(cursor);
  });
  btnSuche = new QPushButton(QStringLiteral("Suche starten"), this);
  btnSuche->setObjectName(QStringLiteral("btnSuche"));
  btnSuche->setDefault(true);
  btnAbbruch = new QPushButton(QStringLiteral("Abbruch"), this);
  btnAbbruch->setObjectName(QStringLiteral("btnAbbruch"));
  connect(btnSuche, &QPushButton::clicked, this, &QDialog::accept);
  connect(btnAbbruch, &QPushButton::clicked, this, &QDialog::reject);

  auto* row = new QHBoxLayout;
  row->addWidget(label);
  row->addWidget(eSuche, 1);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(btnSuche);
  buttons->addWidget(btnAbbruch);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(row);
  layout->addLayout(buttons);
  eSuche->setFocus();
}

std::string CallSearchDialog::Call() const {
  return FromQString(eSuche->text().toUpper());
}

// ---------------------------------------------------------------------------------------
// BandChoiceDialog

BandChoiceDialog::BandChoiceDialog(const std::vector<std::string>& names, int current,
                                   QWidget* parent)
    : QDialog(parent) {
  setObjectName(QStringLiteral("stdband"));
  SetHelpContext(this, kQsoListsHelpTopic);
  setWindowTitle(QStringLiteral("Band"));
  listband = new QListWidget(this);
  listband->setObjectName(QStringLiteral("listband"));
  listband->setSelectionMode(QAbstractItemView::SingleSelection);
  for (const std::string& name : names)
    listband->addItem(ToQString(name));
  if (current >= 0 && current < listband->count())
    listband->setCurrentRow(current);
  listband->installEventFilter(this);
  connect(listband, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(4, 4, 4, 4);
  layout->addWidget(listband);
  resize(160, 40 + 22 * std::min<int>(static_cast<int>(names.size()), 12));
  listband->setFocus();
}

bool BandChoiceDialog::eventFilter(QObject* watched, QEvent* event) {
  if (watched == listband && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
      accept();
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}

int BandChoiceDialog::Chosen() const {
  const QList<QListWidgetItem*> selected = listband->selectedItems();
  return selected.isEmpty() ? 0 : listband->row(selected.front());
}

// ---------------------------------------------------------------------------------------
// QsoListWindow

QsoListWindow::QsoListWindow(CorrectionListMode mode, CorrectionListContext context,
                             UserDialogs& dialogs, QWidget* parent)
    : QDialog(parent), mode_(mode), context_(std::move(context)), dialogs_(dialogs) {
  setObjectName(QStringLiteral("Korrekturstd"));
  SetHelpContext(this, kQsoListsHelpTopic);
  setWindowTitle(ToQString(CorrectionListCaption(mode)));
  Brow = new TrkBrow(dialogs_, this);
  Brow->setObjectName(QStringLiteral("Brow"));
  Brow->SetSearchFieldVisible(false);
  // Rows are measured with the 8-point font (1.3 times its line height), then drawn in
  // 10 points; a row never gets lower than the larger font needs.
  const int measured = static_cast<int>(std::lround(QFontMetrics(GridFont(8)).height() * 1.3));
  Brow->table()->setFont(GridFont(10));
  Brow->SetRowHeight(std::max(measured, QFontMetrics(GridFont(10)).height() + 2));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(Brow);
  resize(900, 520);

  BrowseGridEvents& e = Brow->events();
  e.OnBuildRow = [this](RowRec& row) {
    row.Text = LogListRow(QsoRecord(static_cast<const char*>(context_.log->RecordBuffer())),
                          *context_.definition);
  };
  e.OnSetHeaderFooter = [this] {
    Brow->SetHeaderFooter(LogListTitleLine(*context_.definition), std::string());
  };
  e.OnBrowColWidths = [this](int column) { return ColumnWidth(column); };
  e.OnBrowEnter = [this] { EditCurrent(); };
  e.OnBrowDoppelKlick = [this] { EditCurrent(); };
  e.OnBefore_Loesch = [this] {
    DeleteCurrent();
    return false; // the log's own delete has run (or refused); never the grid's
  };
  e.OnProcessPostCommand = [this](const BrowseKeyEvent& key) {
    if (key.key != BrowseKey::kEscape)
      return false;
    close();
    return true;
  };
  e.OnBrowCloseBtnKlick = [this](int) { close(); };
  // The points stay in view however narrow the window is.
  Brow->table()->viewport()->installEventFilter(this);
}

bool QsoListWindow::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Resize && bound_ && watched == Brow->table()->viewport())
    FitColumns();
  return QDialog::eventFilter(watched, event);
}

void QsoListWindow::FitColumns() {
  QTableWidget* table = Brow->table();
  QHeaderView* header = table->horizontalHeader();
  std::vector<int> widths;
  for (int c = 0; c < table->columnCount(); ++c)
    widths.push_back(header->sectionSize(c));
  const int unit = table->fontMetrics().horizontalAdvance(QLatin1Char('X'));
  const std::vector<int> fitted =
      FitLogListColumns(*context_.definition, widths, table->viewport()->width(), unit);
  for (int c = 0; c < static_cast<int>(fitted.size()); ++c)
    if (fitted[static_cast<std::size_t>(c)] != widths[static_cast<std::size_t>(c)])
      header->resizeSection(c, fitted[static_cast<std::size_t>(c)]);
}

QsoListWindow::~QsoListWindow() {
  if (bound_)
    Brow->Unbind();
}

bool QsoListWindow::ChooseBand() {
  const std::string& letters = context_.definition->Bands;
  std::vector<std::string> names;
  std::vector<char> bands;
  int current = -1;
  for (char band : letters) {
    if (!IsBandLetter(band))
      continue;
    if (band == context_.band)
      current = static_cast<int>(names.size());
    names.push_back(BandName(band));
    bands.push_back(band);
  }
  if (bands.empty())
    return false;
  BandChoiceDialog dialog(names, current, isVisible() ? this : parentWidget());
  if (dialog.exec() != QDialog::Accepted)
    return false;
  band_ = bands[static_cast<std::size_t>(
      std::clamp(dialog.Chosen(), 0, static_cast<int>(bands.size()) - 1))];
  return true;
}

bool QsoListWindow::Open() {
  if (bound_)
    return true;
  if (context_.log == nullptr || context_.definition == nullptr)
    return false;
  if (mode_ == CorrectionListMode::kBand && !ChooseBand())
    return false;
  const CorrectionListKeys keys = CorrectionListKeysFor(mode_, band_);
  Brow->LayoutForInit();
  if (!Brow->InitBrowse(context_.log, keys.key, keys.low, keys.high)) {
    dialogs_.Inform(Brow->InitError());
    return false;
  }
  bound_ = true;
  if (!keys.start.empty())
    Brow->GotoKey(keys.start, 0);
  return true;
}

int QsoListWindow::Run() {
  if (!bound_ && !Open())
    return QDialog::Rejected;
  if (mode_ == CorrectionListMode::kSearch)
    QTimer::singleShot(0, this, [this] { RunSearch(); });
  Brow->table()->setFocus();
  return exec();
}

void QsoListWindow::RunSearch() {
  CallSearchDialog dialog(this);
  if (dialog.exec() != QDialog::Accepted)
    return;
  SearchFor(dialog.Call());
}

void QsoListWindow::SearchFor(const std::string& call) {
  const std::string key = CallSearchKey(call);
  if (key.empty() || !bound_)
    return;
  Brow->GotoKey(key, 0);
  Brow->table()->setFocus();
}

bool QsoListWindow::CurrentQso(BrowseGridModel::ShownRow* row) {
  if (!bound_ || !Brow->model().HasCurrentRow())
    return false;
  if (Brow->model().ReadShownRecord(row) != BrowseGridModel::ShownState::kShown)
    return false;
  const QsoRecord record(static_cast<const char*>(context_.log->RecordBuffer()));
  return !record.IsBandChangeMarker(); // a band-change marker is not a QSO: no change, no delete
}

void QsoListWindow::EditCurrent() {
  BrowseGridModel::ShownRow row;
  if (!context_.edit || !CurrentQso(&row))
    return;
  const std::int32_t changed = context_.edit(row.record);
  if (changed > 0)
    Brow->model().GotoRecord(changed);
  else
    Brow->RefreshRows();
}

void QsoListWindow::DeleteCurrent() {
  BrowseGridModel::ShownRow row;
  if (!context_.remove || !CurrentQso(&row))
    return;
  // The row after the deleted one, or at the end the one before, takes its place.
  if (context_.remove(row.record))
    Brow->GotoKey(row.key, row.record);
}

int QsoListWindow::ColumnWidth(int column) const {
  if (context_.headerRecord != nullptr &&
      context_.headerRecord->size() >= static_cast<std::size_t>(ContestHeaderRecord::kLength)) {
    const ContestHeaderRecord header(static_cast<const char*>(context_.headerRecord->data()));
    if (const int stored = header.ColumnWidth(column); stored > 0)
      return stored;
  }
  const std::vector<int> widths = LogListColumnCharacters(*context_.definition);
  if (column < 1 || column > static_cast<int>(widths.size()))
    return 0;
  const int unit = Brow->table()->fontMetrics().horizontalAdvance(QLatin1Char('X'));
  return (widths[static_cast<std::size_t>(column - 1)] + 1) * unit;
}

void QsoListWindow::StoreColumnWidths() {
  if (context_.headerRecord == nullptr ||
      context_.headerRecord->size() < static_cast<std::size_t>(ContestHeaderRecord::kLength))
    return;
  ContestHeaderRecord header(context_.headerRecord->data());
  const int columns =
      std::min(Brow->table()->columnCount(), static_cast<int>(ContestHeaderRecord::kColumnWidths));
  for (int c = 0; c < columns; ++c) {
    const int width = Brow->table()->horizontalHeader()->sectionSize(c);
    header.SetColumnWidth(c + 1, static_cast<std::uint16_t>(std::clamp(width, 0, 65535)));
  }
}

void QsoListWindow::closeEvent(QCloseEvent* event) {
  if (!stored_ && bound_) {
    StoreColumnWidths();
    stored_ = true;
  }
  QDialog::closeEvent(event);
}

void QsoListWindow::reject() {
  if (!stored_ && bound_) {
    StoreColumnWidths();
    stored_ = true;
  }
  QDialog::reject();
}

void ShowCorrectionList(CorrectionListMode mode, const CorrectionListContext& context,
                        UserDialogs& dialogs, QWidget* parent, std::optional<QRect>& placement) {
  QsoListWindow window(mode, context, dialogs, parent);
  if (placement)
    window.setGeometry(*placement);
  if (!window.Open())
    return;
  window.Run();
  placement = window.geometry();
}

} // namespace tarvik
