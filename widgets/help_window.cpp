#include "widgets/help_window.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QSplitter>
#include <QStyle>
#include <QTabWidget>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextCursor>
#include <QTextDocument>
#include <QToolBar>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>

#include "base/help_topics.h"
#include "base/process_settings.h"
#include "widgets/text_codec.h"

namespace tarvik {

namespace {

constexpr int kUrlRole = Qt::UserRole;
constexpr int kPositionRole = Qt::UserRole + 1;
constexpr int kLengthRole = Qt::UserRole + 2;
constexpr int kSnippetContext = 50;

/// A text of this (UTF-8) source in the program's language.
QString Text(const char* german, const char* english) {
  return QString::fromUtf8(IsGerman() ? german : english);
}

QString ReadPage(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly))
    return QString();
  return QString::fromUtf8(file.readAll());
}

/// The first anchor name of a block ("" when it has none): the id of a section heading.
QString AnchorOf(const QTextBlock& block) {
  for (auto it = block.begin(); !it.atEnd(); ++it) {
    const QStringList names = it.fragment().charFormat().anchorNames();
    if (!names.isEmpty())
      return names.first();
  }
  const QStringList names = block.charFormat().anchorNames();
  return names.isEmpty() ? QString() : names.first();
}

/// The line of text around a place found, with "…" where it is cut.
QString Snippet(const QTextBlock& block, int positionInBlock, int length) {
  const QString text = block.text();
  const int from = std::max(0, positionInBlock - kSnippetContext);
  const int to =
      std::min(static_cast<int>(text.size()), positionInBlock + length + kSnippetContext);
  QString snippet = text.mid(from, to - from).simplified();
  if (from > 0)
    snippet.prepend(QStringLiteral("…"));
  if (to < text.size())
    snippet.append(QStringLiteral("…"));
  return snippet;
}

} // namespace

HelpWindow::HelpWindow(const QString& manualDirectory, QWidget* parent)
    : QWidget(parent, Qt::Window), directory_(QDir::cleanPath(manualDirectory)) {
  setObjectName(QStringLiteral("HelpWindow"));
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle(Text("Tarvik – Handbuch", "Tarvik – Manual"));
  CreateControls();
  LoadPages();
  BuildContents();
  resize(980, 700);
}

HelpWindow::~HelpWindow() = default;

void HelpWindow::CreateControls() {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);

  auto* bar = new QToolBar(this);
  bar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
  back_ = bar->addAction(style()->standardIcon(QStyle::SP_ArrowBack), Text("Zurück", "Back"));
  back_->setShortcut(QKeySequence::Back);
  forward_ = bar->addAction(style()->standardIcon(QStyle::SP_ArrowForward), Text("Vor", "Forward"));
  forward_->setShortcut(QKeySequence::Forward);
  home_ = bar->addAction(style()->standardIcon(QStyle::SP_DirHomeIcon), Text("Inhalt", "Contents"));
  bar->addSeparator();
  searchField_ = new QLineEdit(bar);
  searchField_->setObjectName(QStringLiteral("searchField"));
  searchField_->setPlaceholderText(Text("Im Handbuch suchen …", "Search the manual …"));
  searchField_->setClearButtonEnabled(true);
  searchField_->setMaximumWidth(320);
  bar->addWidget(searchField_);
  auto* find = new QAction(this);
  find->setShortcut(QKeySequence::Find);
  connect(find, &QAction::triggered, searchField_, [this] {
    searchField_->setFocus();
    searchField_->selectAll();
  });
  addAction(find);
  auto* close = new QAction(this);
  close->setShortcut(QKeySequence(Qt::Key_Escape));
  connect(close, &QAction::triggered, this, &QWidget::close);
  addAction(close);
  layout->addWidget(bar);

  auto* splitter = new QSplitter(Qt::Horizontal, this);
  tabs_ = new QTabWidget(splitter);
  contents_ = new QTreeWidget(tabs_);
  contents_->setObjectName(QStringLiteral("contents"));
  contents_->setHeaderHidden(true);
  tabs_->addTab(contents_, Text("Inhalt", "Contents"));
  results_ = new QListWidget(tabs_);
  results_->setObjectName(QStringLiteral("searchResults"));
  results_->setWordWrap(true);
  results_->setAlternatingRowColors(true);
  results_->setSpacing(2);
  tabs_->addTab(results_, Text("Suche", "Search"));
  browser_ = new QTextBrowser(splitter);
  browser_->setObjectName(QStringLiteral("browser"));
  browser_->setOpenExternalLinks(true);
  browser_->setSearchPaths({directory_});
  splitter->addWidget(tabs_);
  splitter->addWidget(browser_);
  splitter->setStretchFactor(0, 0);
  splitter->setStretchFactor(1, 1);
  splitter->setSizes({260, 720});
  layout->addWidget(splitter, 1);

  back_->setEnabled(false);
  forward_->setEnabled(false);
  connect(back_, &QAction::triggered, browser_, &QTextBrowser::backward);
  connect(forward_, &QAction::triggered, browser_, &QTextBrowser::forward);
  connect(home_, &QAction::triggered, this,
          [this] { browser_->setSource(PageUrl(QString::fromLatin1(kManualContentsPage))); });
  connect(browser_, &QTextBrowser::backwardAvailable, back_, &QAction::setEnabled);
  connect(browser_, &QTextBrowser::forwardAvailable, forward_, &QAction::setEnabled);
  connect(browser_, &QTextBrowser::sourceChanged, this, &HelpWindow::SelectContentsItem);
  connect(contents_, &QTreeWidget::itemActivated, this,
          [this](QTreeWidgetItem* item) { browser_->setSource(item->data(0, kUrlRole).toUrl()); });
  connect(contents_, &QTreeWidget::itemClicked, this,
          [this](QTreeWidgetItem* item) { browser_->setSource(item->data(0, kUrlRole).toUrl()); });
  connect(searchField_, &QLineEdit::returnPressed, this,
          [this] { (void)Search(searchField_->text()); }); // the list shows what was found
  connect(results_, &QListWidget::currentRowChanged, this, &HelpWindow::ShowSearchHit);
  connect(results_, &QListWidget::itemActivated, this,
          [this](QListWidgetItem* item) { ShowSearchHit(results_->row(item)); });
}

QUrl HelpWindow::PageUrl(const QString& file, const QString& anchor) const {
  QUrl url = QUrl::fromLocalFile(directory_ + QLatin1Char('/') + file);
  if (!anchor.isEmpty())
    url.setFragment(anchor);
  return url;
}

void HelpWindow::LoadPages() {
  // The contents page first, then the pages it links to, in its order.
  QStringList files{QString::fromLatin1(kManualContentsPage)};
  QTextDocument index;
  index.setHtml(ReadPage(directory_ + QLatin1Char('/') + files.first()));
  for (QTextBlock block = index.begin(); block.isValid(); block = block.next()) {
    for (auto it = block.begin(); !it.atEnd(); ++it) {
      const QString href = it.fragment().charFormat().anchorHref();
      if (href.isEmpty() || href.contains(QLatin1Char(':')))
        continue; // no link, or one that leaves the manual
      const QString file = href.section(QLatin1Char('#'), 0, 0);
      if (file.endsWith(QLatin1String(".html")) && !files.contains(file) &&
          QFileInfo::exists(directory_ + QLatin1Char('/') + file))
        files << file;
    }
  }
  for (const QString& file : files) {
    Page page;
    page.file = file;
    page.document = std::make_unique<QTextDocument>();
    page.document->setHtml(ReadPage(directory_ + QLatin1Char('/') + file));
    for (QTextBlock block = page.document->begin(); block.isValid(); block = block.next()) {
      if (block.blockFormat().headingLevel() == 1) {
        page.title = block.text().trimmed();
        break;
      }
    }
    if (page.title.isEmpty())
      page.title = file;
    pages_.push_back(std::move(page));
  }
}

void HelpWindow::BuildContents() {
  contents_->clear();
  itemsByUrl_.clear();
  for (const Page& page : pages_) {
    auto* top = new QTreeWidgetItem(contents_, {page.title});
    const QUrl url = PageUrl(page.file);
    top->setData(0, kUrlRole, url);
    itemsByUrl_.insert(url.toString(), top);
    for (QTextBlock block = page.document->begin(); block.isValid(); block = block.next()) {
      if (block.blockFormat().headingLevel() != 2)
        continue;
      const QString anchor = AnchorOf(block);
      auto* item = new QTreeWidgetItem(top, {block.text().trimmed()});
      const QUrl sectionUrl = PageUrl(page.file, anchor);
      item->setData(0, kUrlRole, sectionUrl);
      if (!anchor.isEmpty())
        itemsByUrl_.insert(sectionUrl.toString(), item);
    }
  }
}

void HelpWindow::ShowLocation(const ManualLocation& location) {
  browser_->setSource(PageUrl(ToQString(location.page), ToQString(location.anchor)));
}

QUrl HelpWindow::CurrentUrl() const {
  return browser_->source();
}

void HelpWindow::SelectContentsItem(const QUrl& url) {
  QTreeWidgetItem* item = itemsByUrl_.value(url.toString());
  if (item == nullptr) {
    QUrl page = url;
    page.setFragment(QString());
    item = itemsByUrl_.value(page.toString());
  }
  if (item != nullptr && contents_->currentItem() != item) {
    const QSignalBlocker block(contents_);
    contents_->setCurrentItem(item);
    contents_->scrollToItem(item);
  }
}

int HelpWindow::Search(const QString& text) {
  const QSignalBlocker block(results_);
  results_->clear();
  const QString wanted = text.trimmed();
  if (wanted.isEmpty())
    return 0;
  int found = 0;
  for (const Page& page : pages_) {
    QTextCursor hit = page.document->find(wanted, 0);
    while (!hit.isNull() && found < kMaxSearchResults) {
      // The section the place lies in: the nearest heading above it.
      QString section = page.title;
      QString anchor;
      for (QTextBlock b = hit.block(); b.isValid(); b = b.previous()) {
        const int level = b.blockFormat().headingLevel();
        if (level == 1)
          break;
        if (level == 2) {
          section = page.title + QStringLiteral(" › ") + b.text().trimmed();
          anchor = AnchorOf(b);
          break;
        }
      }
      const int inBlock = hit.selectionStart() - hit.block().position();
      auto* item =
          new QListWidgetItem(section + QLatin1Char('\n') +
                                  Snippet(hit.block(), inBlock, static_cast<int>(wanted.size())),
                              results_);
      item->setData(kUrlRole, PageUrl(page.file, anchor));
      item->setData(kPositionRole, hit.selectionStart());
      item->setData(kLengthRole, hit.selectionEnd() - hit.selectionStart());
      ++found;
      hit = page.document->find(wanted, hit);
    }
  }
  tabs_->setCurrentWidget(results_);
  if (found == 0) {
    auto* none = new QListWidgetItem(Text("Nichts gefunden.", "Nothing found."), results_);
    none->setFlags(Qt::NoItemFlags);
    return 0;
  }
  results_->setCurrentRow(0);
  ShowSearchHit(0);
  return found;
}

void HelpWindow::ShowSearchHit(int row) {
  QListWidgetItem* item = results_->item(row);
  if (item == nullptr || !item->data(kUrlRole).isValid())
    return;
  QUrl page = item->data(kUrlRole).toUrl();
  page.setFragment(QString());
  if (browser_->source().adjusted(QUrl::RemoveFragment) != page)
    browser_->setSource(page);
  // The place found, selected in the page (the page view holds the same document).
  QTextCursor cursor(browser_->document());
  const int position = item->data(kPositionRole).toInt();
  cursor.setPosition(position);
  cursor.setPosition(position + item->data(kLengthRole).toInt(), QTextCursor::KeepAnchor);
  browser_->setTextCursor(cursor);
  browser_->ensureCursorVisible();
}

} // namespace tarvik
