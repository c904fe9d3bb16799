#pragma once
// TKBrowser: one page of rows of a fileblock in the order of one key, limited to a range
// of key strings, and the steps that move the page through the index (first and last page,
// next and previous page and row, refresh around the cursor, going to an entry, changing
// the number of rows). It is the logic behind the browse grid and has no user interface.
//
// Each row is remembered as its index entry (key string, record number). Every step finds
// its place again from such pairs with FindEntry / NextEntry / PrevEntry, which read no
// records, so changes made elsewhere between two steps are picked up without reloading.
// A row's record is read only when its text has to be built (its Built flag is clear):
// scrolling by one row reads one record. It never counts or loads the whole file, and its
// memory is fixed at the rows it was created with (at most 100).
//
// A row's text stays valid only while the fileblock holds what it held when the text was
// built: a record may have been changed under the same entry, or the files replaced by a
// renumbered copy in which the same record number names another record. So the object
// remembers the fileblock's ContentVersion of its page; the first step after it moved reads
// and builds every row of the new page again (a row step that would only move the cursor
// within the page first refreshes the page around the cursor row). While the version stays,
// a step reads only the rows that are new to the page.
//
// Range: an entry with key K is in the list when the first n bytes of K (n = length of
// the low key) are >= the low key and the first m bytes of K (m = length of the high key)
// are <= the high key, in key order; an empty bound sets no limit. Low = high = "A" lists
// exactly the keys that begin with "A".
//
// Rows and the cursor are numbered from 1. After a step, Valid() tells whether it
// succeeded; a step whose index walk fails leaves the page as it was and its error in the
// error channel.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace tarvik {

class Fileblock;

struct RowRec {
  std::string Key;                    ///< key string of the row's index entry
  std::int32_t Ref = 0;               ///< record number of that entry; 0 or less: the row is empty
  std::int32_t ReadState = 0;         ///< -1 when the record could not be read the last time
  bool Changed = false;               ///< the row's text differs from what this row showed before
  bool Built = false;                 ///< the text belongs to the current entry
  std::string Text;                   ///< the row text, columns separated by ";"
  std::vector<std::string> MoreTexts; ///< texts 2.. when the object has several per row
};

class TKBrowser {
public:
  static constexpr int kMaxRows = 100;
  static constexpr int kMaxKeyLength = 50;
  static constexpr std::int32_t kLastRecordNumber = 2147483647;
  /// The text of a row whose record cannot be read.
  static constexpr const char* kUnreadableText = " ***** Datensatz nicht lesbar *****";

  /// Fills the text(s) of a row; the row's record is in the fileblock's record buffer.
  using RowHook = std::function<void(RowRec& row)>;

  struct Created {
    std::unique_ptr<TKBrowser> browser;
    std::string error; ///< the message when browser is null
  };
  /// Runs EnsureOpen on the fileblock and allocates `rows` rows (1..100) with
  /// `textsPerRow` texts each. Fails with "Datenbank kann nicht geöffnet werden!" when the
  /// fileblock reports an error, "Speicherallocierung fehlgeschlagen!" when memory is short.
  /// Keys longer than 50 bytes are cut. The fileblock must outlive the object.
  [[nodiscard]] static Created Create(Fileblock& fileblock, int key, std::string_view lowKey,
                                      std::string_view highKey, int rows = kMaxRows,
                                      int textsPerRow = 1);

  void SetRowHook(RowHook hook) { hook_ = std::move(hook); }

  // The steps; each returns Valid().
  [[nodiscard]] bool FirstPage();
  [[nodiscard]] bool LastPage();
  [[nodiscard]] bool NextPage(int rows);
  [[nodiscard]] bool PrevPage(int rows);
  [[nodiscard]] bool NextRow();
  [[nodiscard]] bool PrevRow();
  [[nodiscard]] bool RefreshPage();
  [[nodiscard]] bool GotoEntry(std::string_view key, std::int32_t record);
  [[nodiscard]] bool SetRowsInUse(int rows);

  /// Take effect at the next step.
  void SetKeyNumber(int key) {
    if (key != key_)
      rebuildAll_ = true; // the rows' texts may depend on the order
    key_ = key;
  }
  void SetKeyRange(std::string_view lowKey, std::string_view highKey);

  /// True when the fileblock may hold other records than the rows show (its ContentVersion
  /// moved since the page was built); the next step reads the page again.
  bool Stale() const;

  bool Valid() const { return valid_; }
  int KeyNumber() const { return key_; }
  const std::string& LowKey() const { return low_; }
  const std::string& HighKey() const { return high_; }
  int Capacity() const { return static_cast<int>(rows_.size()); }
  int RowsInUse() const { return rowsInUse_; }
  /// Rows 1..FilledRows() hold entries; the rest are empty.
  int FilledRows() const { return filled_; }
  /// Row 1..Capacity() (an empty row for any other number).
  const RowRec& Row(int row) const;
  int CursorRow() const { return cursor_; }
  /// Moves the cursor (clamped to 1..RowsInUse()); the grid calls it when the person picks
  /// a row.
  void SetCursorRow(int row);
  /// The entry of the cursor row; "" and 0 when that row is empty.
  std::string CurrentKey() const;
  std::int32_t CurrentRecord() const;

  /// Whether an entry with key string `key` belongs to the list.
  bool InRange(std::string_view key) const;

  /// The scroll bar position 0..scrollRange of the cursor row's entry, estimated from the
  /// first two levels of the index (0 for an index of at most one entry or an empty
  /// cursor row).
  std::int32_t ThumbPosition(std::int32_t scrollRange);
  /// The entry at scroll bar position `position` of 0..scrollRange: the first entry of the
  /// index at 0, the last at scrollRange and above, else found by bisection over the
  /// position estimates (always ends; the nearest entry when no probe hits `position`).
  /// The range is not applied (GotoEntry applies it). False when the index is empty or
  /// cannot be read.
  [[nodiscard]] bool EntryAtPosition(std::int32_t position, std::int32_t scrollRange,
                                     std::string* key, std::int32_t* record);
  /// Bisection rounds after which EntryAtPosition takes the nearest entry found.
  static constexpr int kMaxBisectionRounds = 64;

private:
  struct Entry {
    std::string key;
    std::int32_t ref = 0;
    bool operator==(const Entry&) const = default;
  };
  enum class Found { kYes, kNo, kError };

  TKBrowser(Fileblock& fileblock, int key, int rows, int textsPerRow);

  // Index walk (reads no records).
  Found Seek(const Entry& from, int direction, Entry* out);
  Found Step(bool forward, Entry* out);
  Entry RangeStart() const;
  Entry RangeEnd() const;
  bool BelowRange(std::string_view key) const;
  bool AboveRange(std::string_view key) const;
  std::vector<Entry> PageEntries() const;
  [[nodiscard]] bool Following(const Entry& after, int count, std::vector<Entry>* out);
  [[nodiscard]] bool Preceding(const Entry& before, int count, std::vector<Entry>* out);

  [[nodiscard]] bool Fail();
  [[nodiscard]] bool Finish(const std::vector<Entry>& page, int cursor, int rowsInUse);
  [[nodiscard]] bool FirstPageSteps();
  [[nodiscard]] bool RefreshAround(Entry target, int cursorRow);
  [[nodiscard]] bool MovePage(int count, bool forward, bool rowStep);
  void BuildRows();
  void BuildRow(RowRec& row);

  Fileblock& fb_;
  int key_;
  std::string low_;
  std::string high_;
  std::vector<RowRec> rows_;
  std::vector<RowRec> scratch_;
  std::vector<std::string> before_;
  int textsPerRow_;
  int rowsInUse_;
  int filled_ = 0;
  int cursor_ = 1;
  bool valid_ = false;
  bool succeeded_ = false; ///< some step has succeeded
  bool buildFailed_ = false;
  bool rebuildAll_ = false;
  std::uint64_t builtVersion_ = 0; ///< the fileblock's ContentVersion when the rows were built
  RowHook hook_;
};

} // namespace tarvik
