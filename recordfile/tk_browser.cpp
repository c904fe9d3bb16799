#include "recordfile/tk_browser.h"

#include <algorithm>
#include <cstdlib>
#include <new>

#include "recordfile/error_channel.h"
#include "recordfile/fileblock.h"
#include "recordfile/key_codec.h"

namespace tarvik {

namespace {

constexpr int kReadRetryBudget = 6;
constexpr int kReadWaitBaseMs = 6;

std::string CutTo50(std::string_view key) {
  return std::string(key.substr(0, TKBrowser::kMaxKeyLength));
}

/// Key order of (key string, record number) pairs.
int ComparePairs(std::string_view aKey, std::int32_t aRef, std::string_view bKey,
                 std::int32_t bRef) {
  if (const int c = CompareKeys(aKey, bKey); c != 0)
    return c;
  return aRef < bRef ? -1 : (aRef > bRef ? 1 : 0);
}

} // namespace

TKBrowser::Created TKBrowser::Create(Fileblock& fileblock, int key, std::string_view lowKey,
                                     std::string_view highKey, int rows, int textsPerRow) {
  Created result;
  if (fileblock.EnsureOpen() != 0) {
    result.error = "Datenbank kann nicht geöffnet werden!";
    return result;
  }
  try {
    result.browser.reset(new TKBrowser(fileblock, key, rows, textsPerRow));
  } catch (const std::bad_alloc&) {
    result.error = "Speicherallocierung fehlgeschlagen!";
    return result;
  }
  result.browser->SetKeyRange(lowKey, highKey);
  return result;
}

TKBrowser::TKBrowser(Fileblock& fileblock, int key, int rows, int textsPerRow)
    : fb_(fileblock), key_(key), textsPerRow_(std::max(textsPerRow, 1)),
      rowsInUse_(std::clamp(rows, 1, kMaxRows)) {
  rows_.resize(static_cast<std::size_t>(rowsInUse_));
  scratch_.resize(rows_.size());
  before_.resize(rows_.size());
}

void TKBrowser::SetKeyRange(std::string_view lowKey, std::string_view highKey) {
  low_ = CutTo50(lowKey);
  high_ = CutTo50(highKey);
}

const RowRec& TKBrowser::Row(int row) const {
  static const RowRec kEmpty;
  if (row < 1 || row > Capacity())
    return kEmpty;
  return rows_[static_cast<std::size_t>(row - 1)];
}

void TKBrowser::SetCursorRow(int row) {
  cursor_ = std::clamp(row, 1, rowsInUse_);
}

std::string TKBrowser::CurrentKey() const {
  const RowRec& r = Row(cursor_);
  return r.Ref > 0 ? r.Key : std::string();
}

std::int32_t TKBrowser::CurrentRecord() const {
  const RowRec& r = Row(cursor_);
  return r.Ref > 0 ? r.Ref : 0;
}

bool TKBrowser::Stale() const {
  return fb_.ContentVersion() != builtVersion_;
}

// ---------------------------------------------------------------------------------------
// Range and index walk

bool TKBrowser::BelowRange(std::string_view key) const {
  return !low_.empty() && CompareKeys(key.substr(0, low_.size()), low_) < 0;
}

bool TKBrowser::AboveRange(std::string_view key) const {
  return !high_.empty() && CompareKeys(key.substr(0, high_.size()), high_) > 0;
}

bool TKBrowser::InRange(std::string_view key) const {
  return !BelowRange(key) && !AboveRange(key);
}

TKBrowser::Entry TKBrowser::RangeStart() const {
  return {low_, 0};
}

TKBrowser::Entry TKBrowser::RangeEnd() const {
  std::string end = high_;
  end.resize(kMaxKeyLength, static_cast<char>(0xFF));
  return {std::move(end), kLastRecordNumber};
}

TKBrowser::Found TKBrowser::Seek(const Entry& from, int direction, Entry* out) {
  const int severity = fb_.FindEntry(key_, from.ref, direction, from.key, &out->ref, &out->key);
  if (severity == 0)
    return InRange(out->key) ? Found::kYes : Found::kNo;
  return severity == 1 ? Found::kNo : Found::kError;
}

TKBrowser::Found TKBrowser::Step(bool forward, Entry* out) {
  const int severity = forward ? fb_.NextEntry(key_, &out->ref, &out->key)
                               : fb_.PrevEntry(key_, &out->ref, &out->key);
  if (severity == 0)
    return InRange(out->key) ? Found::kYes : Found::kNo;
  return severity == 1 ? Found::kNo : Found::kError;
}

bool TKBrowser::Following(const Entry& after, int count, std::vector<Entry>* out) {
  if (count <= 0)
    return true;
  Entry e;
  Found f = Seek(after, 1, &e);
  if (f == Found::kError)
    return false;
  if (f == Found::kNo)
    return true;
  // `after` itself, or the first entry behind its place when it is gone.
  if (!(e == after)) {
    out->push_back(e);
    --count;
  }
  while (count-- > 0) {
    f = Step(true, &e);
    if (f == Found::kError)
      return false;
    if (f == Found::kNo)
      break;
    out->push_back(e);
  }
  return true;
}

bool TKBrowser::Preceding(const Entry& before, int count, std::vector<Entry>* out) {
  if (count <= 0)
    return true;
  Entry e;
  Found f = Seek(before, -1, &e);
  if (f == Found::kError)
    return false;
  if (f == Found::kNo)
    return true;
  if (!(e == before)) {
    out->push_back(e);
    --count;
  }
  while (count-- > 0) {
    f = Step(false, &e);
    if (f == Found::kError)
      return false;
    if (f == Found::kNo)
      break;
    out->push_back(e);
  }
  return true;
}

std::vector<TKBrowser::Entry> TKBrowser::PageEntries() const {
  std::vector<Entry> page;
  page.reserve(static_cast<std::size_t>(rowsInUse_));
  for (int i = 0; i < filled_; ++i)
    page.push_back({rows_[i].Key, rows_[i].Ref});
  return page;
}

// ---------------------------------------------------------------------------------------
// Committing a page and building its rows

bool TKBrowser::Fail() {
  valid_ = false;
  return false;
}

bool TKBrowser::Finish(const std::vector<Entry>& page, int cursor, int rowsInUse) {
  const std::size_t capacity = rows_.size();
  for (std::size_t i = 0; i < capacity; ++i)
    before_[i] = rows_[i].Text;
  // Rows whose entry stays on the page keep their text (they move with it); only the
  // entries that are new to the page are read and built. Nothing is kept when the records
  // may have changed since the texts were built.
  std::size_t j = 0;
  const std::size_t oldFilled = rebuildAll_ || Stale() ? 0 : static_cast<std::size_t>(filled_);
  rebuildAll_ = false;
  for (std::size_t i = 0; i < capacity; ++i) {
    RowRec& target = scratch_[i];
    if (i >= page.size()) {
      target = RowRec();
      continue;
    }
    const Entry& e = page[i];
    while (j < oldFilled && ComparePairs(rows_[j].Key, rows_[j].Ref, e.key, e.ref) < 0)
      ++j;
    if (j < oldFilled && rows_[j].Ref == e.ref && rows_[j].Key == e.key) {
      target = std::move(rows_[j]);
      ++j;
    } else {
      target = RowRec();
      target.Key = e.key;
      target.Ref = e.ref;
    }
  }
  rows_.swap(scratch_);
  filled_ = static_cast<int>(page.size());
  rowsInUse_ = rowsInUse;
  cursor_ = std::clamp(cursor, 1, rowsInUse_);
  BuildRows();
  // Taken after the reads: a read that opened the files moved the version itself.
  builtVersion_ = fb_.ContentVersion();
  for (std::size_t i = 0; i < capacity; ++i)
    rows_[i].Changed = rows_[i].Text != before_[i];
  valid_ = !buildFailed_;
  succeeded_ = succeeded_ || valid_;
  return valid_;
}

void TKBrowser::BuildRows() {
  buildFailed_ = false;
  bool reads = false;
  for (int i = 0; i < rowsInUse_; ++i)
    reads = reads || (!rows_[i].Built && rows_[i].Ref > 0);
  if (!reads) {
    for (int i = 0; i < rowsInUse_; ++i) {
      if (!rows_[i].Built)
        BuildRow(rows_[i]);
    }
    return;
  }
  // Reads of a browse list give up quickly on locks: a budget of 6 retries, 6 ms waits,
  // and "no" to every lock question; other questions go where they went before.
  ErrorChannel& channel = RecordFileErrors();
  const RetryHandler saved = fb_.GetRetryHandler();
  const QuestionCallback previous = saved.question ? saved.question : channel.Question();
  RetryHandler limited;
  limited.budget = kReadRetryBudget;
  limited.question = [previous](const std::string& name, int reason) {
    if (reason >= kReasonLocked && reason <= kReasonFileLockFailed)
      return false;
    if (previous)
      return previous(name, reason);
    return reason == kReasonIndexDamaged || reason == kReasonFileMissing;
  };
  const int waitBase = channel.WaitBase();
  // setting a handler fails only without a fileblock, which a browser always has
  (void)fb_.SetRetryHandler(std::move(limited));
  channel.SetWaitBase(kReadWaitBaseMs);
  std::vector<ErrorEntry> failure;
  for (int i = 0; i < rowsInUse_ && !buildFailed_; ++i) {
    if (rows_[i].Built)
      continue;
    BuildRow(rows_[i]);
    if (buildFailed_)
      failure = channel.Entries();
  }
  (void)fb_.SetRetryHandler(saved); // as above
  channel.SetWaitBase(waitBase);
  // Restoring the handler started a new operation; the failed read stays reported.
  for (const ErrorEntry& e : failure)
    channel.Record(e, e.errorClass);
}

void TKBrowser::BuildRow(RowRec& row) {
  row.MoreTexts.assign(static_cast<std::size_t>(textsPerRow_ - 1), std::string());
  row.Text.clear();
  row.ReadState = 0;
  if (row.Ref > 0) {
    const int severity = fb_.ReadRecord(row.Ref);
    if (severity > 2) {
      buildFailed_ = true;
      return;
    }
    if (severity != 0) {
      row.ReadState = -1;
      row.Text = kUnreadableText;
    } else if (hook_) {
      hook_(row);
    }
  }
  row.Built = true;
}

// ---------------------------------------------------------------------------------------
// Steps

bool TKBrowser::FirstPageSteps() {
  std::vector<Entry> page;
  Entry first;
  const Found f = Seek(RangeStart(), 1, &first);
  if (f == Found::kError)
    return Fail();
  if (f == Found::kYes) {
    page.push_back(first);
    Entry e;
    while (static_cast<int>(page.size()) < rowsInUse_) {
      const Found g = Step(true, &e);
      if (g == Found::kError)
        return Fail();
      if (g == Found::kNo)
        break;
      page.push_back(e);
    }
  }
  return Finish(page, 1, rowsInUse_);
}

bool TKBrowser::FirstPage() {
  return FirstPageSteps();
}

bool TKBrowser::LastPage() {
  std::vector<Entry> page;
  Entry last;
  const Found f = Seek(RangeEnd(), -1, &last);
  if (f == Found::kError)
    return Fail();
  if (f == Found::kYes) {
    page.push_back(last);
    Entry e;
    while (static_cast<int>(page.size()) < rowsInUse_) {
      const Found g = Step(false, &e);
      if (g == Found::kError)
        return Fail();
      if (g == Found::kNo)
        break;
      page.push_back(e);
    }
    std::reverse(page.begin(), page.end());
  }
  return Finish(page, std::max<int>(static_cast<int>(page.size()), 1), rowsInUse_);
}

bool TKBrowser::MovePage(int count, bool forward, bool rowStep) {
  std::vector<Entry> page = PageEntries();
  if (page.empty())
    return FirstPageSteps();
  count = std::clamp(count, 1, kMaxRows);
  std::vector<Entry> more;
  int cursor = cursor_;
  if (forward) {
    if (!Following(page.back(), count, &more))
      return Fail();
    for (Entry& e : more) {
      if (static_cast<int>(page.size()) >= rowsInUse_)
        page.erase(page.begin());
      page.push_back(std::move(e));
    }
    // A row step puts the cursor on the entry it brought; without one it goes to the end.
    if (rowStep || more.empty())
      cursor = static_cast<int>(page.size());
  } else {
    if (!Preceding(page.front(), count, &more))
      return Fail();
    for (Entry& e : more) {
      page.insert(page.begin(), std::move(e));
      if (static_cast<int>(page.size()) > rowsInUse_)
        page.pop_back();
    }
    if (rowStep || more.empty())
      cursor = 1;
  }
  return Finish(page, cursor, rowsInUse_);
}

bool TKBrowser::NextPage(int rows) {
  return MovePage(rows, true, false);
}

bool TKBrowser::PrevPage(int rows) {
  return MovePage(rows, false, false);
}

bool TKBrowser::NextRow() {
  // Rows that may be out of date are read again around the cursor first, so that the step
  // starts from what the file holds now.
  const bool reread = Stale();
  if (reread && cursor_ <= filled_ &&
      !RefreshAround({rows_[cursor_ - 1].Key, rows_[cursor_ - 1].Ref}, cursor_))
    return false;
  if (cursor_ < filled_) {
    ++cursor_;
    if (!reread)
      for (RowRec& r : rows_)
        r.Changed = false;
    valid_ = succeeded_ = true;
    return true;
  }
  return MovePage(1, true, true);
}

bool TKBrowser::PrevRow() {
  const bool reread = Stale();
  if (reread && cursor_ <= filled_ &&
      !RefreshAround({rows_[cursor_ - 1].Key, rows_[cursor_ - 1].Ref}, cursor_))
    return false;
  if (cursor_ > 1) {
    cursor_ = std::min(cursor_ - 1, std::max(filled_, 1));
    if (!reread)
      for (RowRec& r : rows_)
        r.Changed = false;
    valid_ = succeeded_ = true;
    return true;
  }
  return MovePage(1, false, true);
}

bool TKBrowser::RefreshAround(Entry target, int cursorRow) {
  if (BelowRange(target.key)) {
    target = RangeStart();
  } else if (AboveRange(target.key)) {
    target = RangeEnd();
  }
  const int c = std::clamp(cursorRow, 1, rowsInUse_);
  Entry found;
  Found f = Seek(target, 1, &found);
  if (f == Found::kNo)
    f = Seek(target, -1, &found);
  if (f == Found::kError)
    return Fail();
  if (f == Found::kNo)
    return Finish({}, 1, rowsInUse_);

  std::vector<Entry> below;
  Entry e;
  while (static_cast<int>(below.size()) < rowsInUse_ - c) {
    const Found g = Step(true, &e);
    if (g == Found::kError)
      return Fail();
    if (g == Found::kNo)
      break;
    below.push_back(e);
  }
  const int needAbove = rowsInUse_ - 1 - static_cast<int>(below.size());
  std::vector<Entry> above;
  if (!Preceding(found, needAbove, &above))
    return Fail();
  if (static_cast<int>(above.size()) < needAbove &&
      static_cast<int>(below.size()) == rowsInUse_ - c) {
    // The list starts above: the rows it leaves free are filled from below.
    const int room = rowsInUse_ - 1 - static_cast<int>(above.size() + below.size());
    if (!Following(below.empty() ? found : below.back(), room, &below))
      return Fail();
  }
  std::vector<Entry> page(above.rbegin(), above.rend());
  page.push_back(found);
  page.insert(page.end(), below.begin(), below.end());
  return Finish(page, static_cast<int>(above.size()) + 1, rowsInUse_);
}

bool TKBrowser::RefreshPage() {
  if ((!succeeded_ || !valid_) && cursor_ > filled_)
    return FirstPageSteps();
  Entry target;
  if (cursor_ <= filled_)
    target = {rows_[cursor_ - 1].Key, rows_[cursor_ - 1].Ref};
  return RefreshAround(std::move(target), cursor_);
}

bool TKBrowser::GotoEntry(std::string_view key, std::int32_t record) {
  return RefreshAround({CutTo50(key), record}, std::min(cursor_, rowsInUse_));
}

bool TKBrowser::SetRowsInUse(int rows) {
  rows = std::clamp(rows, 1, Capacity());
  std::vector<Entry> page = PageEntries();
  int cursor = cursor_;
  if (rows <= rowsInUse_) {
    if (cursor > rows) {
      // Rows go from the top so that the cursor keeps its entry.
      const int drop = std::min<int>(cursor - rows, static_cast<int>(page.size()));
      page.erase(page.begin(), page.begin() + drop);
      cursor = rows;
    }
    if (static_cast<int>(page.size()) > rows)
      page.resize(static_cast<std::size_t>(rows));
    return Finish(page, cursor, rows);
  }
  if (!page.empty()) {
    std::vector<Entry> more;
    if (!Following(page.back(), rows - static_cast<int>(page.size()), &more))
      return Fail();
    page.insert(page.end(), more.begin(), more.end());
    more.clear();
    // At the end of the list the new rows are filled from above; the cursor moves down
    // with its entry.
    if (!Preceding(page.front(), rows - static_cast<int>(page.size()), &more))
      return Fail();
    page.insert(page.begin(), more.rbegin(), more.rend());
    cursor += static_cast<int>(more.size());
  }
  return Finish(page, cursor, rows);
}

// ---------------------------------------------------------------------------------------
// Scroll bar positions

std::int32_t TKBrowser::ThumbPosition(std::int32_t scrollRange) {
  const std::int64_t s = scrollRange;
  if (s <= 0 || cursor_ > filled_)
    return 0;
  std::int32_t count = 0;
  if (fb_.KeyCount(key_, &count) != 0 || count <= 1)
    return 0;
  const std::int64_t r = s / count;
  auto spread = [s](std::int64_t parts) { return s / parts > 0 ? s / (s / parts) : 2; };
  std::int64_t e;
  if (r == 0) {
    e = 2;
  } else if (r == 1) {
    e = s < 4 ? 2 : spread(4);
  } else if (r == 2) {
    e = s < 8 ? 2 : spread(8);
  } else if (r <= 4) {
    e = spread(10);
  } else if (r <= 10) {
    e = spread(25);
  } else if (r <= 20) {
    e = spread(50);
  } else if (r <= 25) {
    e = s;
  } else if (r <= 33) {
    e = 2 * s;
  } else {
    e = static_cast<std::uint16_t>(4 * s);
  }
  e = std::max<std::int64_t>(e, 2);
  const std::int64_t scale = std::min<std::int64_t>(s + (e & ~std::int64_t{1}), kLastRecordNumber);
  const RowRec& row = rows_[cursor_ - 1];
  std::int32_t position = 0;
  if (fb_.KeyToRelPos(key_, row.Key, row.Ref, static_cast<std::int32_t>(scale), &position) != 0)
    return 0;
  const std::int64_t half = e / 2;
  return position > half ? static_cast<std::int32_t>(std::min<std::int64_t>(position - half, s))
                         : 0;
}

bool TKBrowser::EntryAtPosition(std::int32_t position, std::int32_t scrollRange, std::string* key,
                                std::int32_t* record) {
  auto firstEntry = [&] { return fb_.FindEntry(key_, 0, 1, "", record, key) == 0; };
  auto lastEntry = [&] {
    return fb_.FindEntry(key_, kLastRecordNumber, -1, std::string(kMaxKeyLength, '\xFF'), record,
                         key) == 0;
  };
  if (position <= 0)
    return firstEntry();
  if (position >= scrollRange)
    return lastEntry();

  struct Probe {
    Entry entry;
    std::int64_t pos;
    int bound; // -1 the start of the index, +1 its end, 0 a real entry
  };
  Probe lo{{"", 0}, 0, -1};
  Probe hi{{std::string(kMaxKeyLength, '\xFF'), kLastRecordNumber}, scrollRange, 1};
  Probe last = lo;
  bool haveLast = false;
  std::int64_t probe = scrollRange / 2;
  for (int round = 0; round < kMaxBisectionRounds; ++round) {
    Entry e;
    if (fb_.RelPosToKey(key_, static_cast<std::int32_t>(probe), scrollRange, &e.ref, &e.key) != 0)
      return false;
    std::int32_t p = 0;
    const bool start = e.ref == 0 && e.key.empty(); // before the first item of the root
    if (!start && fb_.KeyToRelPos(key_, e.key, e.ref, scrollRange, &p) != 0)
      return false;
    last = {e, start ? 0 : p, start ? -1 : 0};
    haveLast = true;
    if (!start && p == position) {
      *key = std::move(e.key);
      *record = e.ref;
      return true;
    }
    // A probe that brings back a bound, or an estimate that does not narrow the bounds,
    // ends the search: it would not move any more.
    if (e == lo.entry || e == hi.entry)
      break;
    if (last.pos < position) {
      if (last.pos < lo.pos)
        break;
      lo = last;
    } else {
      if (last.pos > hi.pos)
        break;
      hi = last;
    }
    if (lo.entry == hi.entry)
      break;
    const std::int64_t middle = (lo.pos + hi.pos) / 2;
    if (middle == lo.pos || middle == hi.pos)
      break;
    probe = middle;
  }
  const Probe* best = haveLast ? &last : &lo;
  for (const Probe* candidate : {&lo, &hi}) {
    if (std::llabs(candidate->pos - position) < std::llabs(best->pos - position))
      best = candidate;
  }
  if (best->bound < 0)
    return firstEntry();
  if (best->bound > 0)
    return lastEntry();
  *key = best->entry.key;
  *record = best->entry.ref;
  return true;
}

} // namespace tarvik
