#include "recordfile/browse_grid.h"

#include <algorithm>
#include <cstdlib>
#include <exception>

#include "base/strings.h"
#include "base/text_helpers.h"
#include "base/user_dialogs.h"
#include "recordfile/engine.h"
#include "recordfile/fileblock.h"

namespace tarvik {

namespace {

constexpr int kScrollRangeLimit = 3000; // beyond this many records the bar has 248 positions
constexpr int kLargeScrollRange = 247;

} // namespace

// ---------------------------------------------------------------------------------------
// Pure helpers

std::vector<std::string> SplitRowText(std::string_view text) {
  std::vector<std::string> cells;
  if (text.empty())
    return cells;
  std::size_t start = 0;
  while (true) {
    const std::size_t semi = text.find(';', start);
    if (semi == std::string_view::npos) {
      cells.emplace_back(text.substr(start));
      break;
    }
    cells.emplace_back(text.substr(start, semi - start));
    start = semi + 1;
  }
  return cells;
}

int RowsThatFit(int clientHeight, int lineWidth, int rowHeight, int fixedRows) {
  const int step = std::max(rowHeight + lineWidth, 1);
  const int rows = (clientHeight - lineWidth) / step - fixedRows;
  return std::clamp(rows, 1, TKBrowser::kMaxRows);
}

BottomStripLayout LayoutBottomStrip(int stripWidth, const BottomStripParts& parts) {
  constexpr int kMargin = 2;
  BottomStripLayout l;
  const int withoutToolbar = stripWidth - parts.toolbarWidth;
  int sortWidth = 75;
  int searchWidth = 60;
  if (withoutToolbar >= 221) {
    sortWidth = 100;
    searchWidth = 100;
  } else if (withoutToolbar >= 201) {
    sortWidth = 80;
    searchWidth = 100;
  }
  l.label.width = parts.labelWidth;
  l.sortList.width = sortWidth;
  l.picture.width = parts.pictureWidth;
  l.searchField.width = searchWidth;
  l.toolbar.width = parts.toolbarWidth;
  l.close2.width = parts.close2Width;
  // Below 200 pixels the second close button takes the toolbar's place.
  const bool narrow = stripWidth < 200;
  l.toolbar.visible = !narrow;
  l.close2.visible = narrow;
  StripItem& tail = narrow ? l.close2 : l.toolbar;
  const int g = parts.gap;
  const int sortToSearch = sortWidth + g + parts.pictureWidth + g + searchWidth;
  const int available = stripWidth - 2 * kMargin;

  auto place = [](StripItem& item, int line, int& x, int gap) {
    item.line = line;
    item.x = x;
    x += item.width + gap;
  };
  int x = kMargin;
  if (parts.labelWidth + g + sortToSearch + g + tail.width <= available) {
    place(l.label, 0, x, g);
    place(l.sortList, 0, x, g);
    place(l.picture, 0, x, g);
    place(l.searchField, 0, x, g);
    place(tail, 0, x, g);
    return l;
  }
  l.label.visible = false;
  if (sortToSearch + g + tail.width <= available) {
    place(l.sortList, 0, x, g);
    place(l.picture, 0, x, g);
    place(l.searchField, 0, x, g);
    place(tail, 0, x, g);
    return l;
  }
  const int centred = std::max(kMargin, (stripWidth - tail.width) / 2);
  if (sortToSearch <= available) {
    place(l.sortList, 0, x, g);
    place(l.picture, 0, x, g);
    place(l.searchField, 0, x, g);
    tail.line = 1;
    tail.x = centred;
    l.lines = 2;
    return l;
  }
  place(l.sortList, 0, x, g);
  tail.line = 1;
  tail.x = centred;
  x = kMargin;
  place(l.picture, 2, x, g);
  place(l.searchField, 2, x, g);
  l.lines = 3;
  return l;
}

// ---------------------------------------------------------------------------------------
// Binding

BrowseGridModel::BrowseGridModel(BrowseGridView& view, UserDialogs& dialogs)
    : view_(view), dialogs_(dialogs) {}

BrowseGridModel::~BrowseGridModel() = default;

bool BrowseGridModel::InitBrowse(Fileblock* fileblock, int key, std::string_view lowKey,
                                 std::string_view highKey) {
  Unbind();
  initError_.clear();
  int step = 0;
  auto fail = [&]() {
    if (step <= 4 && events.OnEntf_brDats)
      events.OnEntf_brDats();
    browser_.reset();
    bound_ = false;
    initError_ = "Fehler beim Erstellen der Liste! (FNr " + std::to_string(step) + ")";
    return false;
  };
  try {
    step = 1;
    if (events.OnInit_brDats && !events.OnInit_brDats())
      return fail();
    step = 2;
    fileblock_ = fileblock;
    key_ = key;
    low_ = std::string(lowKey);
    high_ = std::string(highKey);
    step = 3;
    if (fileblock_ == nullptr)
      return fail();
    step = 4;
    TKBrowser::Created created = TKBrowser::Create(*fileblock_, key_, low_, high_);
    if (!created.browser)
      return fail();
    browser_ = std::move(created.browser);
    browser_->SetRowHook([this](RowRec& row) { BuildRow(row); });
    step = 5;
    step = 6;
    ComputeRows();
    bound_ = true;
    step = 7;
    ComputeRows();
    step = 8;
    view_.SetTableRowCount(browser_->RowsInUse() + 1);
    step = 9;
    ComputeRows();
    step = 10;
    view_.Repaint();
    step = 11;
    if (events.OnSetHeaderFooter)
      events.OnSetHeaderFooter();
    step = 12;
    if (events.OnInitSortList)
      events.OnInitSortList();
    sortVisible_ = sortList_.size() > 1;
    step = 13;
    if (sortList_.size() < 2) {
      sortEnabled_ = false;
      if (sortList_.size() == 1)
        sortIndex_ = 0;
    }
    step = 14;
    view_.ClearSearchField();
    step = 15;
    sortIndex_ = -1;
    step = 16;
    view_.SortListChanged();
    step = 17;
    view_.ApplyColours();
  } catch (const std::exception&) {
    return fail();
  }
  return true;
}

void BrowseGridModel::Unbind() {
  bound_ = false;
  browser_.reset();
}

void BrowseGridModel::ComputeRows() {
  const int rows = std::clamp(view_.MeasureRows(), 1, TKBrowser::kMaxRows);
  if (rows != browser_->RowsInUse())
    (void)browser_->SetRowsInUse(rows); // the repaint shows the outcome (Valid())
  view_.SetTableRowCount(browser_->RowsInUse());
}

bool BrowseGridModel::Idle() const {
  return bound_ && browser_ && !EngineBusy();
}

void BrowseGridModel::BuildRow(RowRec& row) {
  if (events.OnBuildRow)
    events.OnBuildRow(row);
  row.Text = OemUmlauts(row.Text);
}

void BrowseGridModel::AfterStep() {
  view_.Repaint();
}

int BrowseGridModel::RowsInUse() const {
  return browser_ ? browser_->RowsInUse() : 0;
}

// ---------------------------------------------------------------------------------------
// Operations of the owner

void BrowseGridModel::SetHeaderFooter(std::string_view header, std::string_view footer,
                                      const std::array<std::uint8_t, kTableSize>& storedTable,
                                      const std::array<std::uint8_t, kTableSize>& columnKeys) {
  titles_ = SplitRowText(OemUmlauts(header));
  if (titles_.empty())
    titles_.emplace_back();
  footer_ = OemUmlauts(footer);
  storedTable_ = storedTable;
  columnKeys_ = columnKeys;
  view_.HeaderChanged();
  if (!Idle())
    return;
  ComputeRows();
  (void)browser_->RefreshPage(); // the repaint shows the outcome (Valid())
  AfterStep();
}

void BrowseGridModel::ClearSortList() {
  sortList_.clear();
  sortIndex_ = -1;
  view_.SortListChanged();
}

void BrowseGridModel::AddSortListEntry(std::string_view text) {
  sortList_.emplace_back(text);
  view_.SortListChanged();
}

void BrowseGridModel::GotoKey(std::string_view key, std::int32_t record) {
  if (!Idle())
    return;
  (void)browser_->GotoEntry(key, record); // the repaint shows the outcome (Valid())
  AfterStep();
}

void BrowseGridModel::RefreshRows() {
  if (!Idle())
    return;
  (void)browser_->RefreshPage(); // the repaint shows the outcome (Valid())
  AfterStep();
}

int BrowseGridModel::GetKeyNumber() const {
  return bound_ && browser_ ? browser_->KeyNumber() : 0;
}

void BrowseGridModel::SetKeyNumber(int key) {
  key_ = key;
  if (browser_)
    browser_->SetKeyNumber(key);
}

void BrowseGridModel::SetKeyRange(std::string_view lowKey, std::string_view highKey) {
  low_ = std::string(lowKey);
  high_ = std::string(highKey);
  if (browser_)
    browser_->SetKeyRange(lowKey, highKey);
}

bool BrowseGridModel::HasCurrentRow() const {
  return bound_ && browser_ && browser_->CurrentRecord() > 0;
}

bool BrowseGridModel::ReadCurrentRecord() {
  if (!Idle())
    return false;
  const std::int32_t record = browser_->CurrentRecord();
  if (record <= 0 || fileblock_->ReadRecord(record) != 0) {
    dialogs_.Inform(kUnreadableMessage);
    return false;
  }
  return true;
}

BrowseGridModel::ShownState BrowseGridModel::ReadShownRecord(ShownRow* row) {
  if (!Idle())
    return ShownState::kUnreadable;
  const RowRec& shown = browser_->Row(browser_->CursorRow());
  if (shown.Ref <= 0 || shown.ReadState != 0) {
    dialogs_.Inform(kUnreadableMessage);
    return ShownState::kUnreadable;
  }
  const std::string key = shown.Key;
  const std::int32_t record = shown.Ref;
  const std::string text = shown.Text;
  // The entry must still be in the index: a record number alone may name another record
  // now. Then the record must still build the row's text.
  std::int32_t foundRecord = 0;
  std::string foundKey;
  const int found =
      fileblock_->FindEntry(browser_->KeyNumber(), record, 0, key, &foundRecord, &foundKey);
  bool same = false;
  if (found == 0) {
    if (fileblock_->ReadRecord(record) != 0) {
      dialogs_.Inform(kUnreadableMessage);
      return ShownState::kUnreadable;
    }
    RowRec rebuilt;
    rebuilt.Key = key;
    rebuilt.Ref = record;
    BuildRow(rebuilt);
    same = rebuilt.Text == text;
  } else if (found > 1) {
    dialogs_.Inform(kUnreadableMessage);
    return ShownState::kUnreadable;
  }
  if (!same) {
    // The row was out of date: the person sees what the file holds and decides again.
    (void)browser_->RefreshPage(); // the repaint shows the outcome (Valid())
    AfterStep();
    dialogs_.Beep();
    return ShownState::kGone;
  }
  if (row != nullptr) {
    row->key = key;
    row->record = record;
  }
  return ShownState::kShown;
}

void BrowseGridModel::GotoRecord(std::int32_t record) {
  if (!Idle())
    return;
  std::string key;
  if (record <= 0 || fileblock_->ReadRecord(record) != 0 ||
      !BuildKeyOfBuffer(browser_->KeyNumber(), &key)) {
    (void)browser_->RefreshPage(); // the repaint shows the outcome (Valid())
  } else {
    (void)browser_->GotoEntry(key, record); // the repaint shows the outcome (Valid())
  }
  AfterStep();
}

void BrowseGridModel::ApplySortSelection() {
  if (sortIndex_ >= 0)
    ChooseSort(sortIndex_);
}

void BrowseGridModel::SetSortlistItemIndex(int index) {
  sortIndex_ = std::clamp(index, -1, static_cast<int>(sortList_.size()) - 1);
  view_.SortListChanged();
}

void BrowseGridModel::SetSortlistVisible(bool visible) {
  sortVisible_ = visible;
  view_.SortListChanged();
}

void BrowseGridModel::SetSortlistEnabled(bool enabled) {
  sortEnabled_ = enabled;
  view_.SortListChanged();
}

// ---------------------------------------------------------------------------------------
// Header

int BrowseGridModel::ColumnWidth(int column, int unitWidth) const {
  if (events.OnBrowColWidths) {
    const int width = events.OnBrowColWidths(column);
    if (width > 0)
      return width;
  }
  if (column < 1 || column > static_cast<int>(titles_.size()))
    return unitWidth;
  return (static_cast<int>(titles_[static_cast<std::size_t>(column - 1)].size()) + 1) * unitWidth;
}

int BrowseGridModel::SortChoiceOfColumn(int column) const {
  if (column < 1 || column > kTableSize || !events.OnSortList2Key)
    return -1;
  const int key = columnKeys_[static_cast<std::size_t>(column - 1)];
  if (key == 0)
    return -1;
  for (int i = 0; i < static_cast<int>(sortList_.size()); ++i) {
    std::string low, high;
    if (events.OnSortList2Key(i, low, high) == key)
      return i;
  }
  return -1;
}

// ---------------------------------------------------------------------------------------
// Navigation

void BrowseGridModel::FirstPage() {
  if (!Idle())
    return;
  (void)browser_->FirstPage(); // the repaint shows the outcome (Valid())
  AfterStep();
}

void BrowseGridModel::LastPage() {
  if (!Idle())
    return;
  (void)browser_->LastPage(); // the repaint shows the outcome (Valid())
  AfterStep();
}

void BrowseGridModel::NextPage() {
  if (!Idle())
    return;
  (void)browser_->NextPage(browser_->RowsInUse()); // the repaint shows the outcome (Valid())
  AfterStep();
}

void BrowseGridModel::PrevPage() {
  if (!Idle())
    return;
  (void)browser_->PrevPage(browser_->RowsInUse()); // the repaint shows the outcome (Valid())
  AfterStep();
}

void BrowseGridModel::NextRow() {
  if (!Idle())
    return;
  (void)browser_->NextRow(); // the repaint shows the outcome (Valid())
  AfterStep();
}

void BrowseGridModel::PrevRow() {
  if (!Idle())
    return;
  (void)browser_->PrevRow(); // the repaint shows the outcome (Valid())
  AfterStep();
}

void BrowseGridModel::ToolbarAction(int button) {
  if (events.OnBrowScroll)
    events.OnBrowScroll();
  switch (button) {
  case 0:
    FirstPage();
    break;
  case 1:
    PrevPage();
    break;
  case 2:
    PrevRow();
    break;
  case 3:
    NextRow();
    break;
  case 4:
    NextPage();
    break;
  case 5:
    LastPage();
    break;
  default:
    break;
  }
}

void BrowseGridModel::Wheel(int steps) {
  for (int i = 0; i < std::abs(steps); ++i) {
    if (events.OnBrowScroll)
      events.OnBrowScroll();
    if (steps > 0) {
      NextRow();
    } else {
      PrevRow();
    }
  }
}

int BrowseGridModel::ScrollRange() const {
  if (!Idle())
    return 0;
  std::int32_t used = 0;
  if (fileblock_->UsedRecords(&used) != 0 || used <= 1)
    return 0;
  return used - 1 > kScrollRangeLimit ? kLargeScrollRange : used - 1;
}

int BrowseGridModel::ThumbPosition() const {
  if (!Idle())
    return 0;
  return browser_->ThumbPosition(ScrollRange());
}

void BrowseGridModel::ScrollBarMoved(int position) {
  if (events.OnBrowScroll)
    events.OnBrowScroll();
  if (!Idle())
    return;
  std::string key;
  std::int32_t record = 0;
  if (browser_->EntryAtPosition(position, ScrollRange(), &key, &record))
    (void)browser_->GotoEntry(key, record); // the repaint shows the outcome (Valid())
  AfterStep();
}

// ---------------------------------------------------------------------------------------
// Sort choice and search

bool BrowseGridModel::BuildKeyOfBuffer(int key, std::string* out) const {
  return fileblock_->BuildKey(key, out) == 0;
}

void BrowseGridModel::ChooseSort(int index) {
  if (!Idle() || index < 0 || index >= static_cast<int>(sortList_.size()))
    return;
  sortIndex_ = index;
  std::string low, high;
  const int key = events.OnSortList2Key ? events.OnSortList2Key(index, low, high) : 0;
  if (key == 0 || key == browser_->KeyNumber()) {
    view_.SortListChanged();
    return;
  }
  // The record under the cursor stays there, found again in the new order (rows that may
  // be out of date are read again first).
  if (browser_->Stale())
    (void)browser_->RefreshPage(); // the repaint shows the outcome (Valid())
  const std::int32_t record = browser_->CurrentRecord();
  std::string keyString;
  const bool have =
      record > 0 && fileblock_->ReadRecord(record) == 0 && BuildKeyOfBuffer(key, &keyString);
  SetKeyNumber(key);
  SetKeyRange(low, high);
  if (have) {
    (void)browser_->GotoEntry(keyString, record); // the repaint shows the outcome (Valid())
  } else {
    (void)browser_->FirstPage(); // the repaint shows the outcome (Valid())
  }
  AfterStep();
  view_.SortListChanged();
  if (events.OnSetHeaderFooter)
    events.OnSetHeaderFooter();
  view_.ScrollColumns(ColumnScroll::kFirst);
  view_.ClearSearchField();
}

void BrowseGridModel::HeaderClicked(int column) {
  const int choice = SortChoiceOfColumn(column);
  if (choice >= 0)
    ChooseSort(choice);
}

void BrowseGridModel::SearchTextChanged(const std::string& text) {
  if (!Idle())
    return;
  std::string wanted = UpCase(text);
  if (events.OnSuchFeld2KeyStr)
    wanted = events.OnSuchFeld2KeyStr(wanted);
  if (wanted.empty())
    return;
  const int key = browser_->KeyNumber();
  if (fileblock_->SearchKey(key, wanted) != 0)
    return; // no key greater or equal: nothing moves
  std::string found;
  if (!BuildKeyOfBuffer(key, &found))
    return;
  if (found.compare(0, wanted.size(), wanted) != 0) {
    // No key begins with the text: the entry just before its place, or at the start of
    // the index the one after it.
    if (fileblock_->PrevKey(key) != 0 && fileblock_->SearchKey(key, wanted) != 0)
      return;
    if (!BuildKeyOfBuffer(key, &found))
      return;
  }
  (void)browser_->GotoEntry(found, 0); // the repaint shows the outcome (Valid())
  AfterStep();
}

// ---------------------------------------------------------------------------------------
// Keys and mouse

bool BrowseGridModel::HandleKey(const BrowseKeyEvent& key, BrowseFocus focus) {
  auto postCommand = [&]() {
    return events.OnProcessPostCommand ? events.OnProcessPostCommand(key) : false;
  };
  const bool table = focus == BrowseFocus::kTable;
  bool clearSearch = true;
  switch (key.key) {
  case BrowseKey::kEnter:
    if (table) {
      if (events.OnBrowEnter)
        events.OnBrowEnter();
    } else if (focus == BrowseFocus::kSearchField) {
      if (events.OnBrowSuchfeldEnter) {
        events.OnBrowSuchfeldEnter();
        clearSearch = false;
      } else if (events.OnBrowEnter) {
        events.OnBrowEnter();
      }
    } else {
      return postCommand();
    }
    break;
  case BrowseKey::kEscape:
    if (!table)
      return postCommand();
    (void)postCommand(); // on the table the key counts as handled whatever the owner says
    break;
  case BrowseKey::kPageUp:
    if (key.ctrl) {
      FirstPage();
    } else {
      PrevPage();
    }
    break;
  case BrowseKey::kPageDown:
    if (key.ctrl) {
      LastPage();
    } else {
      NextPage();
    }
    break;
  case BrowseKey::kHome:
    if (key.ctrl) {
      FirstPage();
    } else {
      view_.ScrollColumns(ColumnScroll::kFirst);
    }
    break;
  case BrowseKey::kEnd:
    if (key.ctrl) {
      LastPage();
    } else {
      view_.ScrollColumns(ColumnScroll::kLast);
    }
    break;
  case BrowseKey::kLeft:
  case BrowseKey::kRight:
    if (!table && !key.ctrl)
      return postCommand();
    view_.ScrollColumns(key.key == BrowseKey::kLeft ? ColumnScroll::kLeft : ColumnScroll::kRight);
    break;
  case BrowseKey::kUp:
  case BrowseKey::kDown:
    if (focus == BrowseFocus::kSortList)
      return postCommand();
    if (key.key == BrowseKey::kUp) {
      PrevRow();
    } else {
      NextRow();
    }
    break;
  case BrowseKey::kDelete:
    if (!table)
      return postCommand();
    Delete();
    break;
  case BrowseKey::kOther:
    if (focus == BrowseFocus::kSearchField && key.letterOrDigit && !key.ctrl && !key.alt &&
        !key.shift)
      return false; // typing stays with the field
    return postCommand();
  }
  if (clearSearch)
    view_.ClearSearchField();
  return true;
}

void BrowseGridModel::RowPressed(int row, BrowseButton button, bool ctrl, bool shift) {
  if (!Idle() || row < 1 || row > browser_->FilledRows())
    return;
  browser_->SetCursorRow(row);
  AfterStep();
  if (events.OnAddSelectRow)
    events.OnAddSelectRow(ctrl || button == BrowseButton::kRight ? 1 : (shift ? 2 : 0));
  if (button == BrowseButton::kRight && events.OnGetSelectRow)
    (void)events.OnGetSelectRow(); // the owner acts on the click; no answer is awaited
}

void BrowseGridModel::DoubleClick() {
  if (!bound_)
    return;
  if (ReadShownRecord() == ShownState::kShown && events.OnBrowDoppelKlick)
    events.OnBrowDoppelKlick();
}

void BrowseGridModel::Resized() {
  if (!Idle())
    return;
  ComputeRows();
  AfterStep();
}

void BrowseGridModel::CloseButtonClicked(int button) {
  if (events.OnBrowCloseBtnKlick)
    events.OnBrowCloseBtnKlick(button);
}

// ---------------------------------------------------------------------------------------
// Delete

bool BrowseGridModel::DefaultDelete() {
  // The list is positioned again from the deleted row's entry below, so the fileblock need
  // not position itself; a deletion by record number would move it in file order anyway.
  return fileblock_->Delete(kDeleteNoPosition) == 0;
}

void BrowseGridModel::Delete() {
  // The entry of the row being deleted: the list finds its place again from it, so the
  // row after it (or at the end the one before) takes its place, whatever record the
  // deletion leaves in the buffer. A row that no longer shows its record deletes nothing.
  ShownRow shown;
  if (!bound_ || ReadShownRecord(&shown) != ShownState::kShown)
    return;
  const std::string rowKey = shown.key;
  const std::int32_t record = shown.record;
  if (events.OnBefore_Loesch && !events.OnBefore_Loesch())
    return;
  std::string name = "Datensatz";
  if (events.OnLoesch_Feld)
    name = events.OnLoesch_Feld(name);
  if (!dialogs_.Confirm(" Löschen \"" + name + "\""))
    return;
  if (!Idle())
    return;
  bool done = false;
  if (events.OnDatensatz_Loeschen) {
    done = events.OnDatensatz_Loeschen();
  } else {
    // While the question was open the list may have read other rows into the buffer:
    // the record to delete is read again.
    if (fileblock_->ReadRecord(record) != 0) {
      dialogs_.Inform(kUnreadableMessage);
      return;
    }
    done = DefaultDelete();
  }
  if (!done || !Idle())
    return;
  (void)browser_->GotoEntry(rowKey, record); // the repaint shows the outcome (Valid())
  AfterStep();
}

} // namespace tarvik
