#pragma once
// The browse grid's logic without its widgets: a list of the records of one fileblock in the
// order of one key, limited to a range of key strings, built on the paging object
// (TKBrowser). It binds the grid to its fileblock (InitBrowse with its numbered steps), keeps
// the header state and the sort choices, maps keys, the toolbar, the mouse wheel and the
// scroll bar onto the paging steps, runs the search field and the delete with its question,
// and raises the owner's events. The widget (TrkBrow) shows what this model holds and hands
// every user action to it; it implements BrowseGridView for the few things only it can do
// (measure the table, paint, move columns).
//
// The grid never counts or loads the whole file: it keeps the rows of the visible page as
// (key string, record number) pairs and finds its place again from them after every change.
// Every row it builds is read into the fileblock's one record buffer, so after paging the
// buffer holds whichever record was read last; an owner that acts on the cursor row first
// calls ReadShownRecord, which also makes sure that the record is still the one the row
// shows (the file may have changed since the row was built: a record changed or deleted,
// the log replaced by a renumbered copy in which the row's record number names another
// record). When it is not, nothing may be done with it: the list is read again instead.
//
// After a change of the file, the first step of the list reads its page again (the paging
// object compares the fileblock's ContentVersion), so an owner only has to position or
// refresh the list after it changed the file, and every list over the same fileblock shows
// the new state at its next step.
//
// Nothing here runs while a fileblock operation is in progress (EngineBusy): a repaint during
// one of the engine's questions must not start a second operation.

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "recordfile/tk_browser.h"

namespace tarvik {

class Fileblock;
class UserDialogs;

/// The keys the grid acts on; everything else is kOther.
enum class BrowseKey {
  kEnter,
  kEscape,
  kPageUp,
  kPageDown,
  kHome,
  kEnd,
  kLeft,
  kRight,
  kUp,
  kDown,
  kDelete,
  kOther,
};

/// A key as the grid sees it. `code` is the toolkit's key code, for the owner's
/// OnProcessPostCommand; `letterOrDigit` tells whether the key types a letter or a digit.
struct BrowseKeyEvent {
  BrowseKey key = BrowseKey::kOther;
  bool ctrl = false;
  bool alt = false;
  bool shift = false;
  bool letterOrDigit = false;
  int code = 0;
};

/// Which part of the grid has the keyboard focus.
enum class BrowseFocus {
  kTable,       ///< the grid itself or its table
  kSearchField, ///< the search field
  kSortList,    ///< the sort list
};

enum class ColumnScroll { kFirst, kLast, kLeft, kRight };

/// Mouse button pressed on a data row.
enum class BrowseButton { kLeft, kRight, kOther };

/// The owner's events (all optional; the defaults are described with each).
struct BrowseGridEvents {
  /// The row's record is in the fileblock's record buffer: write the row's Text (columns
  /// separated by ";"). Unassigned: empty text.
  std::function<void(RowRec& RR)> OnBuildRow;
  /// During InitBrowse and after every change of the sort choice: call SetHeaderFooter.
  std::function<void()> OnSetHeaderFooter;
  /// During InitBrowse, after the header: ClearSortList and AddSortListEntry.
  std::function<void()> OnInitSortList;
  /// Sort choice i (0-based) -> key number (0: no change) and its low and high key.
  /// Unassigned: 0.
  std::function<int(int i, std::string& lowKey, std::string& highKey)> OnSortList2Key;
  /// Double click on the table, after ReadCurrentRecord succeeded.
  std::function<void()> OnBrowDoppelKlick;
  /// Enter while the grid or its table has the focus; Enter in the search field when
  /// OnBrowSuchfeldEnter is unassigned.
  std::function<void()> OnBrowEnter;
  /// Enter in the search field.
  std::function<void()> OnBrowSuchfeldEnter;
  /// Click on either close button (1 the one at the top, 2 the one in the bottom strip).
  std::function<void(int button)> OnBrowCloseBtnKlick;
  /// Before every toolbar action, mouse-wheel step and event of the vertical scroll bar.
  std::function<void()> OnBrowScroll;
  /// First step of InitBrowse, for the owner to open its files; false makes it fail.
  /// Unassigned: true.
  std::function<bool()> OnInit_brDats;
  /// InitBrowse failed at one of its first four steps: release the files.
  std::function<void()> OnEntf_brDats;
  /// At Del, before the question; false cancels. Unassigned: true.
  std::function<bool()> OnBefore_Loesch;
  /// At Del, the name of the record in the question; receives "Datensatz".
  std::function<std::string(const std::string& name)> OnLoesch_Feld;
  /// At Del after Yes: delete, true when done. Unassigned: Delete with repositioning to
  /// the next record, true when no error was reported.
  std::function<bool()> OnDatensatz_Loeschen;
  /// At each change of the search field: receives the upper-cased search text and returns
  /// the key string to search for.
  std::function<std::string(const std::string& text)> OnSuchFeld2KeyStr;
  /// Width in pixels of column i (1-based) when the header is set; 0 or unassigned: computed.
  std::function<int(int i)> OnBrowColWidths;
  /// Every key the grid does not handle itself, and Esc on the table; true: handled.
  /// Unassigned: false.
  std::function<bool(const BrowseKeyEvent& key)> OnProcessPostCommand;
  /// Mouse button pressed on a data row: 1 with Ctrl or the right button, 2 with Shift,
  /// else 0.
  std::function<void(int i)> OnAddSelectRow;
  /// Right button pressed on a data row.
  std::function<bool()> OnGetSelectRow;
  /// For rows drawn with a fixed first column: record number -> 0 marks the row with "+".
  std::function<int(int record)> OnFindeSelectRow;
};

/// What only the widget can do; the model calls it at the right moments.
class BrowseGridView {
public:
  virtual ~BrowseGridView() = default;
  /// The number of data rows that fit into the table (at least 1; RowsThatFit()).
  virtual int MeasureRows() = 0;
  /// Sets the table's number of data rows.
  virtual void SetTableRowCount(int rows) = 0;
  /// Shows the rows of the paging object, the cursor row and the vertical thumb.
  virtual void Repaint() = 0;
  /// Columns, titles and widths from ColumnTitles() / ColumnWidth().
  virtual void HeaderChanged() = 0;
  /// Entries, visibility, enabled state and index of the sort list.
  virtual void SortListChanged() = 0;
  /// Empties the search field (a change the model itself does not react to).
  virtual void ClearSearchField() = 0;
  virtual void ScrollColumns(ColumnScroll how) = 0;
  /// The table's background and text colours of the program's settings.
  virtual void ApplyColours() = 0;
};

/// Where the bottom strip puts one of its parts.
struct StripItem {
  bool visible = true;
  int line = 0; ///< 0 the first line
  int x = 0;
  int width = 0;
};
struct BottomStripLayout {
  StripItem label, sortList, picture, searchField, toolbar, close2;
  int lines = 1;
};
/// The fixed parts of the bottom strip and the gap between them, in pixels.
struct BottomStripParts {
  int labelWidth = 0;
  int pictureWidth = 0;
  int toolbarWidth = 0;
  int close2Width = 60;
  int gap = 4;
};
/// Lays out the bottom strip for its width: sort list and search field 100 and 100 wide when
/// the strip without the toolbar has at least 221 pixels, 80 and 100 from 201, else 75 and
/// 60; when the one line does not hold everything the label goes and the list moves to the
/// left edge; then the toolbar moves to a second line (centred), then the search field to a
/// further one; below 200 pixels the toolbar is hidden and the second close button shown in
/// its place.
BottomStripLayout LayoutBottomStrip(int stripWidth, const BottomStripParts& parts);

/// Rows that fit into a table: (client height - line width) / (row height + line width) -
/// fixed rows, at most 100, at least 1.
int RowsThatFit(int clientHeight, int lineWidth, int rowHeight, int fixedRows);

/// A row text split at ";" into its cells.
std::vector<std::string> SplitRowText(std::string_view text);

class BrowseGridModel {
public:
  static constexpr int kTableSize = 50;
  /// The message of ReadCurrentRecord and of Del / double click without a readable record.
  static constexpr const char* kUnreadableMessage = "Datensatz konnte nicht gelesen werden";
  /// The hint and text of the sort list while nothing is chosen.
  static constexpr const char* kSortListText = "Sortierung";

  BrowseGridModel(BrowseGridView& view, UserDialogs& dialogs);
  ~BrowseGridModel();
  BrowseGridModel(const BrowseGridModel&) = delete;
  BrowseGridModel& operator=(const BrowseGridModel&) = delete;

  BrowseGridEvents events;

  // --- Binding --------------------------------------------------------------------------
  /// Binds the grid to `fileblock` and builds it, step by step (1 OnInit_brDats, 2 store, 3
  /// check the fileblock, 4 create the paging object, 5 -, 6 rows that fit (bound from here),
  /// 7 again, 8 table rows, 9 again, 10 repaint, 11 OnSetHeaderFooter, 12 OnInitSortList, 13
  /// short sort list, 14 clear the search field, 15 sort index -1, 16 sort list text, 17
  /// colours). False on failure, with InitError() "Fehler beim Erstellen der Liste! (FNr n)"
  /// naming the step; the owner shows it and closes its window.
  [[nodiscard]] bool InitBrowse(Fileblock* fileblock, int key, std::string_view lowKey,
                                std::string_view highKey);
  const std::string& InitError() const { return initError_; }
  /// Releases the paging object; the grid is unbound (before the owner closes its file).
  void Unbind();
  bool Bound() const { return bound_; }
  Fileblock* fileblock() const { return fileblock_; }
  /// The paging object (nullptr while unbound).
  TKBrowser* Browser() const { return browser_.get(); }

  // --- Operations of the owner ------------------------------------------------------------
  /// Columns and their titles from the header line (split at ";"), the footer (stored, not
  /// shown), the stored table and the column key table (per column a key number or 0); then
  /// re-lays the rows and, once bound, refreshes.
  void SetHeaderFooter(std::string_view header, std::string_view footer,
                       const std::array<std::uint8_t, kTableSize>& storedTable = {},
                       const std::array<std::uint8_t, kTableSize>& columnKeys = {});
  void ClearSortList();
  void AddSortListEntry(std::string_view text);
  /// The entry (key string, record) or its neighbour on the cursor's row, then repaint.
  void GotoKey(std::string_view key, std::int32_t record);
  /// The page rebuilt around the cursor row's entry, then repaint.
  void RefreshRows();
  /// The key the list follows; 0 when not bound.
  int GetKeyNumber() const;
  /// Take effect at the next positioning.
  void SetKeyNumber(int key);
  void SetKeyRange(std::string_view lowKey, std::string_view highKey);
  /// Whether the cursor row holds an entry.
  bool HasCurrentRow() const;
  /// Reads the cursor row's record into the record buffer (normal retry rule); on failure
  /// informs "Datensatz konnte nicht gelesen werden" and returns false.
  [[nodiscard]] bool ReadCurrentRecord();

  /// The entry of a row as it was shown.
  struct ShownRow {
    std::string key;         ///< key string of the row's entry
    std::int32_t record = 0; ///< its record number
  };
  /// What ReadShownRecord found.
  enum class ShownState {
    kShown,      ///< the record is in the buffer and builds the text the row shows
    kGone,       ///< the row showed a record the file no longer holds under that entry, or
                 ///< holds with other contents: nothing is to be done with it; the list was
                 ///< read again and a beep given
    kUnreadable, ///< no row, or its record cannot be read: the message was shown
  };
  /// Reads the cursor row's record into the record buffer and checks that it is still what
  /// the row shows: its entry (key string, record number) is in the index and the record
  /// builds the row's text. The one way for an owner to find the record that Enter, a double
  /// click or Del is meant for. `row` (optional) receives the row's entry.
  ShownState ReadShownRecord(ShownRow* row = nullptr);
  /// Puts the list on stored record `record` in the order it follows now (its key string
  /// built from the record), the cursor keeping its screen row; refreshes the list when the
  /// record cannot be read.
  void GotoRecord(std::int32_t record);
  /// As if the person had just chosen the current sort choice.
  void ApplySortSelection();

  int SortlistItemIndex() const { return sortIndex_; }
  void SetSortlistItemIndex(int index);
  bool SortlistVisible() const { return sortVisible_; }
  void SetSortlistVisible(bool visible);
  bool SortlistEnabled() const { return sortEnabled_; }
  void SetSortlistEnabled(bool enabled);
  const std::vector<std::string>& SortList() const { return sortList_; }

  // --- Header state -----------------------------------------------------------------------
  const std::vector<std::string>& ColumnTitles() const { return titles_; }
  const std::string& Footer() const { return footer_; }
  const std::array<std::uint8_t, kTableSize>& StoredTable() const { return storedTable_; }
  const std::array<std::uint8_t, kTableSize>& ColumnKeys() const { return columnKeys_; }
  /// Width of column i (1-based): OnBrowColWidths, or (title length + 1) x `unitWidth`.
  int ColumnWidth(int column, int unitWidth) const;
  /// The sort choice a click on the header of column i (1-based) makes, or -1.
  int SortChoiceOfColumn(int column) const;

  // --- What the widget hands on -----------------------------------------------------------
  void FirstPage();
  void LastPage();
  void NextPage();
  void PrevPage();
  void NextRow();
  void PrevRow();
  /// Toolbar button 0..5 (first page, previous page, previous row, next row, next page,
  /// last page), after OnBrowScroll.
  void ToolbarAction(int button);
  /// Mouse wheel: `steps` rows down (negative: up), after OnBrowScroll.
  void Wheel(int steps);
  /// The vertical scroll bar was moved to `position`.
  void ScrollBarMoved(int position);
  /// Range S of the vertical scroll bar: used records - 1, 0 for an empty file, 247 beyond
  /// 3001 records.
  int ScrollRange() const;
  /// Thumb position of the cursor row's entry on 0..ScrollRange().
  int ThumbPosition() const;
  /// The person picked sort choice `index`.
  void ChooseSort(int index);
  /// The person clicked the header of column i (1-based).
  void HeaderClicked(int column);
  /// The person changed the search field's text.
  void SearchTextChanged(const std::string& text);
  /// A key while the grid has the focus; true when it was handled (the widget then eats it).
  bool HandleKey(const BrowseKeyEvent& key, BrowseFocus focus);
  /// Del: read, ask, delete, reposition.
  void Delete();
  /// Double click on the table.
  void DoubleClick();
  /// Mouse button pressed on table row `row` (1-based).
  void RowPressed(int row, BrowseButton button, bool ctrl, bool shift);
  /// The table was resized: adapts the rows in use.
  void Resized();
  /// A close button was clicked (1 top, 2 bottom).
  void CloseButtonClicked(int button);

  /// Number of rows the paging object shows.
  int RowsInUse() const;

private:
  bool Idle() const; // bound and no fileblock operation in progress
  void AfterStep();
  void ComputeRows();
  void BuildRow(RowRec& row);
  [[nodiscard]] bool DefaultDelete();
  [[nodiscard]] bool BuildKeyOfBuffer(int key, std::string* out) const;

  BrowseGridView& view_;
  UserDialogs& dialogs_;
  Fileblock* fileblock_ = nullptr;
  int key_ = 0;
  std::string low_;
  std::string high_;
  std::unique_ptr<TKBrowser> browser_;
  bool bound_ = false;
  std::string initError_;

  std::vector<std::string> titles_;
  std::string footer_;
  std::array<std::uint8_t, kTableSize> storedTable_{};
  std::array<std::uint8_t, kTableSize> columnKeys_{};

  std::vector<std::string> sortList_;
  int sortIndex_ = -1;
  bool sortVisible_ = true;
  bool sortEnabled_ = true;
};

} // namespace tarvik
