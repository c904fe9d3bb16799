#include "recordfile/ui/trk_brow.h"

#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>
#include <QScrollBar>
#include <QTableWidget>
#include <QToolButton>
#include <QWheelEvent>

#include <cmath>

#include "widgets/text_codec.h"
#include "widgets/trk_edit.h"

namespace tarvik {

namespace {

constexpr int kStripLineHeight = 24;
constexpr int kTopStripHeight = 15;
constexpr int kToolButtonSize = 15;
constexpr int kToolPictureSize = 10;
constexpr int kSortListWidth = 80;
constexpr int kSearchFieldWidth = 80;

// Pictures of the toolbar: first page, previous page, previous row, next row, next page,
// last page (as in "BTNENDH", "BTNSEITEH", "BTNEINSH", "BTNEINSR", "BTNSEITER", "BTNENDR").
QIcon ToolbarPicture(int button) {
  const qreal ratio = qApp != nullptr ? qApp->devicePixelRatio() : 1.0;
  QPixmap pixmap(QSize(kToolPictureSize, kToolPictureSize) * ratio);
  pixmap.setDevicePixelRatio(ratio);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0x1F, 0x3A, 0x68));
  const bool right = button >= 3;
  auto triangle = [&](qreal x0, qreal width) {
    QPainterPath path;
    if (right) {
      path.moveTo(x0, 1);
      path.lineTo(x0 + width, 5);
      path.lineTo(x0, 9);
    } else {
      path.moveTo(x0 + width, 1);
      path.lineTo(x0, 5);
      path.lineTo(x0 + width, 9);
    }
    path.closeSubpath();
    p.drawPath(path);
  };
  switch (button) {
  case 0: // |<
    p.drawRect(QRectF(1, 1, 1.6, 8));
    triangle(3, 6);
    break;
  case 1: // <<
    triangle(0.5, 4.5);
    triangle(5, 4.5);
    break;
  case 2: // <
  case 3: // >
    triangle(2.5, 5);
    break;
  case 4: // >>
    triangle(0.5, 4.5);
    triangle(5, 4.5);
    break;
  default: // >|
    triangle(1, 6);
    p.drawRect(QRectF(7.4, 1, 1.6, 8));
    break;
  }
  return QIcon(pixmap);
}

// The picture beside the search field ("SCHNELLSUCHE"): a magnifying glass.
QPixmap SearchPicture() {
  const qreal ratio = qApp != nullptr ? qApp->devicePixelRatio() : 1.0;
  QPixmap pixmap(QSize(16, 16) * ratio);
  pixmap.setDevicePixelRatio(ratio);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(QColor(0x1F, 0x3A, 0x68), 2));
  p.setBrush(QColor(0xE8, 0xF0, 0xFA));
  p.drawEllipse(QRectF(2, 2, 8, 8));
  p.setPen(QPen(QColor(0x1F, 0x3A, 0x68), 2.6, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(9.5, 9.5), QPointF(14, 14));
  return pixmap;
}

QIcon ClosePicture() {
  const qreal ratio = qApp != nullptr ? qApp->devicePixelRatio() : 1.0;
  QPixmap pixmap(QSize(kToolPictureSize, kToolPictureSize) * ratio);
  pixmap.setDevicePixelRatio(ratio);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(QColor(0xB0, 0x20, 0x20), 1.8, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(2, 2), QPointF(8, 8));
  p.drawLine(QPointF(8, 2), QPointF(2, 8));
  return QIcon(pixmap);
}

BrowseKeyEvent ToBrowseKey(const QKeyEvent* event) {
  BrowseKeyEvent k;
  const Qt::KeyboardModifiers mods = event->modifiers();
  k.ctrl = mods.testFlag(Qt::ControlModifier);
  k.alt = mods.testFlag(Qt::AltModifier);
  k.shift = mods.testFlag(Qt::ShiftModifier);
  k.code = event->key();
  const QString text = event->text();
  k.letterOrDigit = text.size() == 1 && text.at(0).isLetterOrNumber();
  switch (event->key()) {
  case Qt::Key_Return:
  case Qt::Key_Enter:
    k.key = BrowseKey::kEnter;
    break;
  case Qt::Key_Escape:
    k.key = BrowseKey::kEscape;
    break;
  case Qt::Key_PageUp:
    k.key = BrowseKey::kPageUp;
    break;
  case Qt::Key_PageDown:
    k.key = BrowseKey::kPageDown;
    break;
  case Qt::Key_Home:
    k.key = BrowseKey::kHome;
    break;
  case Qt::Key_End:
    k.key = BrowseKey::kEnd;
    break;
  case Qt::Key_Left:
    k.key = BrowseKey::kLeft;
    break;
  case Qt::Key_Right:
    k.key = BrowseKey::kRight;
    break;
  case Qt::Key_Up:
    k.key = BrowseKey::kUp;
    break;
  case Qt::Key_Down:
    k.key = BrowseKey::kDown;
    break;
  case Qt::Key_Delete:
    k.key = BrowseKey::kDelete;
    break;
  default:
    k.key = BrowseKey::kOther;
    break;
  }
  return k;
}

/// The grid's table: keys go to the grid (the table's own navigation would move a
/// selection the list does not know), the mouse picks rows, the wheel steps rows.
class BrowTable final : public QTableWidget {
public:
  BrowTable(TrkBrow* grid) : QTableWidget(grid), grid_(grid) {}

protected:
  void keyPressEvent(QKeyEvent* event) override {
    if (event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab) {
      QTableWidget::keyPressEvent(event);
      return;
    }
    if (grid_->HandleTableKey(event)) {
      event->accept();
    } else {
      event->ignore(); // on to the window
    }
  }
  void mousePressEvent(QMouseEvent* event) override {
    setFocus(Qt::MouseFocusReason);
    const int row = rowAt(event->position().toPoint().y());
    if (row < 0)
      return;
    const BrowseButton button = event->button() == Qt::LeftButton    ? BrowseButton::kLeft
                                : event->button() == Qt::RightButton ? BrowseButton::kRight
                                                                     : BrowseButton::kOther;
    grid_->model().RowPressed(row + 1, button, event->modifiers().testFlag(Qt::ControlModifier),
                              event->modifiers().testFlag(Qt::ShiftModifier));
  }
  void mouseMoveEvent(QMouseEvent*) override {}
  void mouseReleaseEvent(QMouseEvent*) override {}
  void mouseDoubleClickEvent(QMouseEvent* event) override {
    if (event->button() == Qt::LeftButton && rowAt(event->position().toPoint().y()) >= 0)
      grid_->model().DoubleClick();
  }
  void wheelEvent(QWheelEvent* event) override {
    wheelRest_ += event->angleDelta().y();
    const int notches = wheelRest_ / 120;
    wheelRest_ -= notches * 120;
    if (notches != 0)
      grid_->model().Wheel(-notches); // wheel towards the person: the next rows
    event->accept();
  }

private:
  TrkBrow* grid_;
  int wheelRest_ = 0;
};

} // namespace

TrkBrow::TrkBrow(UserDialogs& dialogs, QWidget* parent) : QWidget(parent), model_(*this, dialogs) {
  setFocusPolicy(Qt::StrongFocus);
  setAutoFillBackground(true);

  top_ = new QWidget(this);
  close1_ = new QToolButton(top_);
  close1_->setFixedSize(14, 14);
  close1_->setIcon(ClosePicture());
  close1_->setIconSize(QSize(kToolPictureSize, kToolPictureSize));
  close1_->setToolTip(QStringLiteral("Schließen der Liste"));
  close1_->setFocusPolicy(Qt::NoFocus);
  connect(close1_, &QToolButton::clicked, this, [this] { model_.CloseButtonClicked(1); });
  top_->hide();

  auto* table = new BrowTable(this);
  table_ = table;
  table_->setColumnCount(10);
  table_->setRowCount(1);
  table_->verticalHeader()->hide();
  table_->setSelectionBehavior(QAbstractItemView::SelectRows);
  table_->setSelectionMode(QAbstractItemView::SingleSelection);
  table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  table_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  table_->setHorizontalScrollMode(QAbstractItemView::ScrollPerItem);
  table_->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
  table_->setAutoScroll(false);
  table_->setShowGrid(true);
  table_->setWordWrap(false);
  table_->setTabKeyNavigation(false);
  table_->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
  table_->horizontalHeader()->setHighlightSections(false);
  table_->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  table_->horizontalHeader()->setMinimumSectionSize(8);
  table_->horizontalHeader()->viewport()->setMouseTracking(true);
  table_->horizontalHeader()->viewport()->installEventFilter(this);
  connect(table_->horizontalHeader(), &QHeaderView::sectionClicked, this,
          [this](int section) { model_.HeaderClicked(section + 1); });
  const int rowHeight = RowHeight();
  table_->verticalHeader()->setMinimumSectionSize(1);
  table_->verticalHeader()->setDefaultSectionSize(rowHeight);
  table_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);

  vbar_ = new QScrollBar(Qt::Vertical, this);
  vbar_->setRange(0, 0);
  vbar_->setSingleStep(1);
  vbar_->setFocusPolicy(Qt::NoFocus);
  connect(vbar_, &QScrollBar::actionTriggered, this, [this](int) {
    if (!settingBars_)
      model_.ScrollBarMoved(vbar_->sliderPosition());
  });
  hbar_ = new QScrollBar(Qt::Horizontal, this);
  hbar_->setRange(0, 0);
  hbar_->setSingleStep(1);
  hbar_->setPageStep(1);
  hbar_->setFocusPolicy(Qt::NoFocus);
  connect(hbar_, &QScrollBar::valueChanged, this,
          [this](int column) { table_->horizontalScrollBar()->setValue(column); });

  strip_ = new QWidget(this);
  sortLabel_ = new QLabel(QStringLiteral("Sortierung:"), strip_);
  sortList_ = new QComboBox(strip_);
  sortList_->setEditable(false);
  sortList_->setPlaceholderText(QString::fromLatin1(BrowseGridModel::kSortListText));
  sortList_->setFixedWidth(kSortListWidth);
  sortList_->installEventFilter(this);
  connect(sortList_, &QComboBox::activated, this, [this](int index) { model_.ChooseSort(index); });
  searchPicture_ = new QLabel(strip_);
  searchPicture_->setPixmap(SearchPicture());
  searchPicture_->setFixedSize(18, 18);
  searchPicture_->setToolTip(QStringLiteral("Schnellsuche"));
  search_ = new TrkEdit(strip_);
  search_->setFixedWidth(kSearchFieldWidth);
  search_->installEventFilter(this);
  connect(search_, &QLineEdit::textEdited, this,
          [this](const QString& text) { model_.SearchTextChanged(FromQString(text)); });
  static const char* const kHints[kToolbarButtons] = {"Dateianfang",       "vorige Seite",
                                                      "voriger Datensatz", "nächster Datensatz",
                                                      "nächste Seite",     "Dateiende"};
  for (int i = 0; i < kToolbarButtons; ++i) {
    auto* button = new QToolButton(strip_);
    button->setFixedSize(kToolButtonSize, kToolButtonSize);
    button->setIcon(ToolbarPicture(i));
    button->setIconSize(QSize(kToolPictureSize, kToolPictureSize));
    button->setToolTip(QString::fromUtf8(kHints[i]));
    button->setFocusPolicy(Qt::NoFocus);
    button->setAutoRaise(true);
    connect(button, &QToolButton::clicked, this, [this, i] { model_.ToolbarAction(i); });
    toolbar_[static_cast<std::size_t>(i)] = button;
  }
  close2_ = new QToolButton(strip_);
  close2_->setFixedSize(60, kToolButtonSize);
  close2_->setText(QStringLiteral("Schließen"));
  close2_->setToolTip(QStringLiteral("Schließen der Liste"));
  close2_->setFocusPolicy(Qt::NoFocus);
  close2_->hide();
  connect(close2_, &QToolButton::clicked, this, [this] { model_.CloseButtonClicked(2); });

  setFocusProxy(table_);
  resize(400, 300);
}

TrkBrow::~TrkBrow() = default;

int TrkBrow::RowHeight() const {
  if (fixedRowHeight_ > 0)
    return fixedRowHeight_;
  return static_cast<int>(std::lround(table_->fontMetrics().height() * 1.2));
}

void TrkBrow::SetRowHeight(int pixels) {
  fixedRowHeight_ = pixels > 0 ? pixels : 0;
  table_->verticalHeader()->setDefaultSectionSize(RowHeight());
}

bool TrkBrow::InitBrowse(Fileblock* fileblock, int key, std::string_view lowKey,
                         std::string_view highKey) {
  LayoutParts();
  return model_.InitBrowse(fileblock, key, lowKey, highKey);
}

void TrkBrow::Unbind() {
  model_.Unbind();
  Repaint();
}

void TrkBrow::SetHeaderFooter(
    std::string_view header, std::string_view footer,
    const std::array<std::uint8_t, BrowseGridModel::kTableSize>& storedTable,
    const std::array<std::uint8_t, BrowseGridModel::kTableSize>& columnKeys) {
  model_.SetHeaderFooter(header, footer, storedTable, columnKeys);
}

void TrkBrow::SetSearchFieldVisible(bool visible) {
  searchVisible_ = visible;
  LayoutStrip();
}

void TrkBrow::SetTableColours(const QColor& background, const QColor& text) {
  tableBackground_ = background;
  tableText_ = text;
  if (model_.Bound())
    ApplyColours();
}

// ---------------------------------------------------------------------------------------
// BrowseGridView

int TrkBrow::MeasureRows() {
  // From the table's own geometry: its viewport follows only once the table is shown.
  const int header =
      table_->horizontalHeader()->isHidden() ? 0 : table_->horizontalHeader()->sizeHint().height();
  const int height = table_->height() - 2 * table_->frameWidth() - header;
  return RowsThatFit(height, 0, RowHeight(), 0);
}

void TrkBrow::SetTableRowCount(int rows) {
  if (table_->rowCount() != rows)
    table_->setRowCount(rows);
  table_->verticalScrollBar()->setValue(0);
}

void TrkBrow::Repaint() {
  TKBrowser* browser = model_.Browser();
  const int columns = table_->columnCount();
  const int rows = table_->rowCount();
  for (int r = 0; r < rows; ++r) {
    std::vector<std::string> cells;
    if (browser != nullptr && r < browser->RowsInUse())
      cells = SplitRowText(browser->Row(r + 1).Text);
    for (int c = 0; c < columns; ++c) {
      const QString text = c < static_cast<int>(cells.size())
                               ? ToQString(cells[static_cast<std::size_t>(c)])
                               : QString();
      QTableWidgetItem* item = table_->item(r, c);
      if (item == nullptr) {
        if (text.isEmpty())
          continue;
        item = new QTableWidgetItem(text);
        table_->setItem(r, c, item);
      } else if (item->text() != text) {
        item->setText(text); // only cells whose text changed are rewritten
      }
    }
  }
  const bool cursorOnEntry = browser != nullptr && browser->CurrentRecord() > 0;
  if (cursorOnEntry) {
    const int row = browser->CursorRow() - 1;
    const int column = std::max(table_->horizontalScrollBar()->value(), 0);
    table_->selectionModel()->setCurrentIndex(table_->model()->index(row, column),
                                              QItemSelectionModel::ClearAndSelect |
                                                  QItemSelectionModel::Rows);
  } else {
    table_->clearSelection();
  }
  table_->verticalScrollBar()->setValue(0);
  SetThumb();
}

void TrkBrow::SetThumb() {
  settingBars_ = true;
  const int range = model_.ScrollRange();
  vbar_->setRange(0, range);
  vbar_->setPageStep(std::max(1, std::min(range, model_.RowsInUse())));
  vbar_->setValue(model_.ThumbPosition());
  settingBars_ = false;
}

void TrkBrow::HeaderChanged() {
  const std::vector<std::string>& titles = model_.ColumnTitles();
  const int columns = std::max<int>(static_cast<int>(titles.size()), 1);
  table_->setColumnCount(columns);
  QStringList labels;
  for (const std::string& t : titles)
    labels << ToQString(t);
  table_->setHorizontalHeaderLabels(labels);
  int unit = table_->fontMetrics().horizontalAdvance(QLatin1Char('X'));
  if (screen() != nullptr && screen()->geometry().width() == 640)
    unit -= 1; // the family's lists are one pixel narrower per character on 640-pixel screens
  for (int c = 0; c < columns; ++c)
    table_->horizontalHeader()->resizeSection(c, model_.ColumnWidth(c + 1, unit));
  WidenLastColumn();
  hbar_->setRange(0, columns - 1);
  hbar_->setValue(std::min(hbar_->value(), columns - 1));
  Repaint();
}

void TrkBrow::WidenLastColumn() {
  const int columns = table_->columnCount();
  if (columns == 0)
    return;
  int total = 0;
  for (int c = 0; c < columns; ++c)
    total += table_->horizontalHeader()->sectionSize(c);
  const int room = table_->viewport()->width();
  if (total < room) {
    const int last = columns - 1;
    table_->horizontalHeader()->resizeSection(last, table_->horizontalHeader()->sectionSize(last) +
                                                        room - total);
  }
}

void TrkBrow::SortListChanged() {
  const QSignalBlocker blocker(sortList_);
  sortList_->clear();
  for (const std::string& entry : model_.SortList())
    sortList_->addItem(ToQString(entry));
  sortList_->setCurrentIndex(model_.SortlistItemIndex());
  sortList_->setEnabled(model_.SortlistEnabled());
  LayoutStrip();
}

void TrkBrow::ClearSearchField() {
  search_->clear();
}

void TrkBrow::ScrollColumns(ColumnScroll how) {
  const int last = std::max(table_->columnCount() - 1, 0);
  int column = hbar_->value();
  switch (how) {
  case ColumnScroll::kFirst:
    column = 0;
    break;
  case ColumnScroll::kLast:
    column = last;
    break;
  case ColumnScroll::kLeft:
    column = std::max(column - 1, 0);
    break;
  case ColumnScroll::kRight:
    column = std::min(column + 1, last);
    break;
  }
  hbar_->setValue(column);
  table_->horizontalScrollBar()->setValue(column);
}

void TrkBrow::ApplyColours() {
  QPalette palette = table_->palette();
  palette.setColor(QPalette::Base, tableBackground_);
  palette.setColor(QPalette::Text, tableText_);
  table_->setPalette(palette);
}

// ---------------------------------------------------------------------------------------
// Layout

void TrkBrow::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  LayoutParts();
  model_.Resized();
  WidenLastColumn();
}

void TrkBrow::LayoutStrip() {
  BottomStripParts parts;
  parts.labelWidth = sortLabel_->sizeHint().width();
  parts.pictureWidth = searchPicture_->width();
  parts.toolbarWidth = kToolbarButtons * kToolButtonSize;
  parts.close2Width = close2_->width();
  const BottomStripLayout l = LayoutBottomStrip(width(), parts);
  stripLines_ = l.lines;
  auto place = [](QWidget* w, const StripItem& item, int height) {
    w->setVisible(item.visible);
    if (item.visible)
      w->move(item.x, item.line * kStripLineHeight + (kStripLineHeight - height) / 2);
  };
  sortList_->setFixedWidth(l.sortList.width);
  search_->setFixedWidth(l.searchField.width);
  const int fieldHeight = std::min(search_->sizeHint().height(), kStripLineHeight - 2);
  search_->setFixedHeight(fieldHeight);
  sortList_->setFixedHeight(fieldHeight);
  place(sortLabel_, l.label, sortLabel_->sizeHint().height());
  sortLabel_->resize(sortLabel_->sizeHint());
  StripItem sortItem = l.sortList;
  sortItem.visible = sortItem.visible && model_.SortlistVisible();
  place(sortList_, sortItem, fieldHeight);
  if (!model_.SortlistVisible())
    sortLabel_->hide();
  StripItem pictureItem = l.picture;
  StripItem searchItem = l.searchField;
  pictureItem.visible = pictureItem.visible && searchVisible_;
  searchItem.visible = searchItem.visible && searchVisible_;
  place(searchPicture_, pictureItem, searchPicture_->height());
  place(search_, searchItem, fieldHeight);
  for (int i = 0; i < kToolbarButtons; ++i) {
    StripItem item = l.toolbar;
    item.x += i * kToolButtonSize;
    place(toolbar_[static_cast<std::size_t>(i)], item, kToolButtonSize);
  }
  place(close2_, l.close2, kToolButtonSize);
  strip_->setGeometry(0, height() - l.lines * kStripLineHeight, width(),
                      l.lines * kStripLineHeight);
}

void TrkBrow::LayoutParts() {
  LayoutStrip();
  const int topHeight = top_->isVisible() ? kTopStripHeight : 0;
  if (top_->isVisible()) {
    top_->setGeometry(0, 0, width(), kTopStripHeight);
    close1_->move(width() - 15, 0);
  }
  const int barWidth = vbar_->sizeHint().width();
  const int barHeight = hbar_->sizeHint().height();
  const int bottom = height() - stripLines_ * kStripLineHeight;
  const int tableHeight = std::max(bottom - topHeight - barHeight, 1);
  table_->setGeometry(0, topHeight, std::max(width() - barWidth, 1), tableHeight);
  vbar_->setGeometry(width() - barWidth, topHeight, barWidth, tableHeight);
  hbar_->setGeometry(0, topHeight + tableHeight, std::max(width() - barWidth, 1), barHeight);
}

// ---------------------------------------------------------------------------------------
// Keys and mouse

bool TrkBrow::HandleTableKey(QKeyEvent* event) {
  return model_.HandleKey(ToBrowseKey(event), BrowseFocus::kTable);
}

void TrkBrow::keyPressEvent(QKeyEvent* event) {
  if (HandleTableKey(event)) {
    event->accept();
    return;
  }
  QWidget::keyPressEvent(event);
}

bool TrkBrow::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress && (watched == search_ || watched == sortList_)) {
    auto* key = static_cast<QKeyEvent*>(event);
    const BrowseFocus focus =
        watched == search_ ? BrowseFocus::kSearchField : BrowseFocus::kSortList;
    return model_.HandleKey(ToBrowseKey(key), focus);
  }
  if (event->type() == QEvent::MouseMove && watched == table_->horizontalHeader()->viewport()) {
    auto* move = static_cast<QMouseEvent*>(event);
    const int section = table_->horizontalHeader()->logicalIndexAt(move->position().toPoint());
    const bool sorts = section >= 0 && model_.SortChoiceOfColumn(section + 1) >= 0;
    table_->horizontalHeader()->viewport()->setCursor(sorts ? Qt::PointingHandCursor
                                                            : Qt::ArrowCursor);
  }
  return QWidget::eventFilter(watched, event);
}

} // namespace tarvik
