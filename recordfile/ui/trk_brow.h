#pragma once
// TrkBrow: the browse grid. A panel with a table of one page of rows of a fileblock, a
// vertical scroll bar that estimates the position in the index, a horizontal one that moves
// by whole columns, and a bottom strip with the sort list, the search field and a toolbar of
// six paging buttons. The list logic (paging, sort, search, delete, keys, the owner's events)
// is the core BrowseGridModel; this widget shows its state and hands it every user action.
//
// The owner assigns the events (model().events or events()), calls InitBrowse and the other
// operations below, and reads the cursor row's record with ReadCurrentRecord before it acts
// on it.

#include <QColor>
#include <QWidget>

#include <array>
#include <string>
#include <string_view>

#include "recordfile/browse_grid.h"

class QComboBox;
class QLabel;
class QScrollBar;
class QTableWidget;
class QToolButton;

namespace tarvik {

class TrkEdit;
class UserDialogs;

class TrkBrow : public QWidget, public BrowseGridView {
  Q_OBJECT

public:
  /// Hints of the toolbar buttons, from left to right.
  static constexpr int kToolbarButtons = 6;

  explicit TrkBrow(UserDialogs& dialogs, QWidget* parent = nullptr);
  ~TrkBrow() override;

  BrowseGridModel& model() { return model_; }
  BrowseGridEvents& events() { return model_.events; }

  // --- Operations of the owner (see BrowseGridModel) -------------------------------------
  /// False after a failure; InitError() holds the message.
  [[nodiscard]] bool InitBrowse(Fileblock* fileblock, int key, std::string_view lowKey,
                                std::string_view highKey);
  const std::string& InitError() const { return model_.InitError(); }
  void Unbind();
  /// Lays out the parts for the current size before the model's InitBrowse measures the
  /// table (InitBrowse does it itself).
  void LayoutForInit() { LayoutParts(); }
  void
  SetHeaderFooter(std::string_view header, std::string_view footer,
                  const std::array<std::uint8_t, BrowseGridModel::kTableSize>& storedTable = {},
                  const std::array<std::uint8_t, BrowseGridModel::kTableSize>& columnKeys = {});
  void ClearSortList() { model_.ClearSortList(); }
  void AddSortListEntry(std::string_view text) { model_.AddSortListEntry(text); }
  void GotoKey(std::string_view key, std::int32_t record) { model_.GotoKey(key, record); }
  void RefreshRows() { model_.RefreshRows(); }
  int GetKeyNumber() const { return model_.GetKeyNumber(); }
  void SetKeyNumber(int key) { model_.SetKeyNumber(key); }
  void SetKeyRange(std::string_view low, std::string_view high) { model_.SetKeyRange(low, high); }
  [[nodiscard]] bool ReadCurrentRecord() { return model_.ReadCurrentRecord(); }
  void ApplySortSelection() { model_.ApplySortSelection(); }
  int SortlistItemIndex() const { return model_.SortlistItemIndex(); }
  void SetSortlistItemIndex(int index) { model_.SetSortlistItemIndex(index); }
  bool SortlistVisible() const { return model_.SortlistVisible(); }
  void SetSortlistVisible(bool visible) { model_.SetSortlistVisible(visible); }
  bool SortlistEnabled() const { return model_.SortlistEnabled(); }
  void SetSortlistEnabled(bool enabled) { model_.SetSortlistEnabled(enabled); }

  /// Shows or hides the quick search (its picture and field); shown by default. A list that
  /// follows one fixed order has nothing to search in.
  void SetSearchFieldVisible(bool visible);
  bool SearchFieldVisible() const { return searchVisible_; }

  /// The table's background and text colours (applied in InitBrowse's last step and at once
  /// when bound).
  void SetTableColours(const QColor& background, const QColor& text);

  // --- Parts (for the owner's layout and for tests) ---------------------------------------
  QTableWidget* table() const { return table_; }
  QScrollBar* verticalBar() const { return vbar_; }
  QScrollBar* horizontalBar() const { return hbar_; }
  QComboBox* sortList() const { return sortList_; }
  TrkEdit* searchField() const { return search_; }
  QLabel* sortLabel() const { return sortLabel_; }
  QLabel* searchPicture() const { return searchPicture_; }
  QToolButton* toolbarButton(int i) const { return toolbar_[static_cast<std::size_t>(i)]; }
  QToolButton* closeButton() const { return close1_; }
  QToolButton* closeButton2() const { return close2_; }
  QWidget* bottomStrip() const { return strip_; }
  /// The height of one table row: the height of "X" times 1.2, rounded, unless the owner
  /// fixed it with SetRowHeight.
  int RowHeight() const;
  /// Fixes the row height in pixels (0: back to the font's); for an owner that measures its
  /// rows with another font than it draws them.
  void SetRowHeight(int pixels);

  // --- BrowseGridView ----------------------------------------------------------------------
  int MeasureRows() override;
  void SetTableRowCount(int rows) override;
  void Repaint() override;
  void HeaderChanged() override;
  void SortListChanged() override;
  void ClearSearchField() override;
  void ScrollColumns(ColumnScroll how) override;
  void ApplyColours() override;

  /// A key of the table or the grid itself; true when the grid handled it.
  bool HandleTableKey(class QKeyEvent* event);

protected:
  void resizeEvent(QResizeEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  void LayoutParts();
  void LayoutStrip();
  void WidenLastColumn();
  void SetThumb();

  BrowseGridModel model_;
  QTableWidget* table_ = nullptr;
  QScrollBar* vbar_ = nullptr;
  QScrollBar* hbar_ = nullptr;
  QWidget* top_ = nullptr;
  QToolButton* close1_ = nullptr;
  QWidget* strip_ = nullptr;
  QLabel* sortLabel_ = nullptr;
  QComboBox* sortList_ = nullptr;
  QLabel* searchPicture_ = nullptr;
  TrkEdit* search_ = nullptr;
  std::array<QToolButton*, kToolbarButtons> toolbar_{};
  QToolButton* close2_ = nullptr;
  QColor tableBackground_ = Qt::white;
  QColor tableText_ = Qt::black;
  bool settingBars_ = false;
  bool sortListVisibleByLayout_ = true;
  bool searchVisible_ = true;
  int stripLines_ = 1;
  int fixedRowHeight_ = 0;
};

} // namespace tarvik
