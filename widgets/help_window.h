#pragma once
// The manual's window: a page view (QTextBrowser) with back, forward and the contents page,
// a contents tree built from the manual's pages and their headings, and a search over every
// page. The manual is plain HTML (help_topics.h says where it lives); each page has one
// <h1> title and <h2 id="..."> sections, and the contents page links the pages in reading
// order.

#include <QHash>
#include <QString>
#include <QUrl>
#include <QWidget>

#include <memory>
#include <vector>

class QAction;
class QLineEdit;
class QListWidget;
class QTabWidget;
class QTextBrowser;
class QTextDocument;
class QTreeWidget;
class QTreeWidgetItem;

namespace tarvik {

struct ManualLocation;

class HelpWindow final : public QWidget {
  Q_OBJECT

public:
  /// The manual of folder `manualDirectory` (a folder holding index.html).
  explicit HelpWindow(const QString& manualDirectory, QWidget* parent = nullptr);
  ~HelpWindow() override;

  /// Shows a page of the manual at a section.
  void ShowLocation(const ManualLocation& location);
  /// The page and section shown now ("file:///.../logging.html#keys").
  QUrl CurrentUrl() const;
  /// The manual's folder.
  const QString& ManualDirectory() const { return directory_; }

  /// Searches every page for `text` (letter case ignored) and lists the places found, at most
  /// kMaxSearchResults; the first is shown. Returns the number of places listed.
  int Search(const QString& text);
  static constexpr int kMaxSearchResults = 200;

  QTextBrowser* browser() const { return browser_; }
  QTreeWidget* contents() const { return contents_; }
  QLineEdit* searchField() const { return searchField_; }
  QListWidget* searchResults() const { return results_; }
  QTabWidget* sideTabs() const { return tabs_; }
  QAction* backAction() const { return back_; }
  QAction* forwardAction() const { return forward_; }
  QAction* homeAction() const { return home_; }

private:
  struct Page {
    QString file;                            ///< file name, e.g. "logging.html"
    QString title;                           ///< its <h1>
    std::unique_ptr<QTextDocument> document; ///< for the search
  };

  void CreateControls();
  void LoadPages();
  void BuildContents();
  QUrl PageUrl(const QString& file, const QString& anchor = QString()) const;
  void ShowSearchHit(int row);
  void SelectContentsItem(const QUrl& url);

  QString directory_;
  std::vector<Page> pages_;
  QHash<QString, QTreeWidgetItem*> itemsByUrl_;
  QTextBrowser* browser_ = nullptr;
  QTreeWidget* contents_ = nullptr;
  QTabWidget* tabs_ = nullptr;
  QLineEdit* searchField_ = nullptr;
  QListWidget* results_ = nullptr;
  QAction* back_ = nullptr;
  QAction* forward_ = nullptr;
  QAction* home_ = nullptr;
};

} // namespace tarvik
