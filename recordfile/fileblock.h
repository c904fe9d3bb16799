#pragma once
// Fileblock objects: one per fileblock (a data file of fixed-length records plus an index
// file with up to 110 keys), identified by a logical name and holding the record buffer
// the program reads and fills. The object keeps a record and all of its keys consistent,
// numbers records automatically, opens its files on demand, creates missing files and
// repairs damaged ones without asking, and reports through the error channel.
//
// Every operation (the number in its comment goes into error reports) clears the error
// channel when it starts and returns the severity it ended with: 0 done, 1 not found or
// end of index, 2 busy after the user declined to retry, 3 and above failed (details in
// RecordFileErrors()). Operations from 8192 on open the files on demand. An operation
// called while another one runs (from a callback) fails with 28770.
//
// Record-reading operations leave the record in the buffer and in the saved copy, make
// it the current record and set the current key number (0 for ReadRecord).

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "recordfile/error_channel.h"

namespace tarvik {

class DataFile;
class IndexFile;
class Status;
struct Cursor;
class Engine;
struct FileblockParams;
struct IndexFindings;

/// Builds key `key` (1..NumKeys) of the record at `record`: at most the key's declared
/// length, a pure function of the record bytes. For a key with an auto-number target the
/// last 5 characters must be NumKey5 of the target field.
using KeyBuilder = std::function<std::string(const char* record, int key)>;

/// Progress of a repair: (logical name, phase 0 start / 1 after each record / 2 end, key
/// number, record counter) -> false stops the repair (10460).
using ProgressHook =
    std::function<bool(const std::string& name, int phase, int key, std::int32_t record)>;

/// A fileblock's retry budget and question callback (an empty callback uses the
/// channel's).
struct RetryHandler {
  int budget = 32;
  QuestionCallback question;
};

/// A position saved by SavePosition.
struct SavedPosition {
  Fileblock* fileblock = nullptr;
  int key = 0;
  std::int32_t record = -1;
  std::string keyString;
};

/// Repositioning after Delete.
enum DeleteMode : int {
  kDeleteNoPosition = 0,
  kDeleteThenLast = 1,
  kDeleteThenFirst = 2,
  kDeleteThenNext = 3,
  kDeleteThenPrevious = 4,
};

class Fileblock {
public:
  ~Fileblock();
  Fileblock(const Fileblock&) = delete;
  Fileblock& operator=(const Fileblock&) = delete;

  // --- Definition (before the first data operation) -----------------------------------

  /// 4137. Declares key `key` (1..NumKeys): 28709 key number above NumKeys, 28717 length
  /// 0, 28685 length above 50.
  [[nodiscard]] int DefineKey(int key, int length, bool allowDups);
  /// 4138. Add fills the 32-bit field at `offset` of the record buffer with one more than
  /// the highest number in use for the rest of the key: 28721 key not defined, 28711
  /// field outside the buffer, 28726 the key builder does not end the key with NumKey5 of
  /// the field.
  [[nodiscard]] int DefineAutoNumber(int key, int offset);
  /// 4204. Flush (write, sync, InUse = 0) after every Add, Update and Delete.
  [[nodiscard]] int SetFlushAfterChange(bool flush);
  /// 4205. Whether every opening of the files compares the index with the data file
  /// (CheckIndex) before anything reads it; an index that disagrees is noted in the ".MSG"
  /// report and rebuilt from the data file (Repair), so that no record is hidden from a
  /// walk through a key.
  [[nodiscard]] int SetIndexCheckAtOpen(bool check);
  /// 4198.
  [[nodiscard]] int SetProgressHook(ProgressHook hook);
  /// 4169 / 4170.
  [[nodiscard]] int SetRetryHandler(RetryHandler handler);
  RetryHandler GetRetryHandler() const;

  // --- Buffer --------------------------------------------------------------------------

  /// 4186. The record buffer (BufferSize() bytes, owned by the object).
  char* RecordBuffer() { return buffer_.data(); }
  int BufferSize() const { return static_cast<int>(buffer_.size()); }
  /// 4158. The current record number, -1 when there is none.
  std::int32_t CurrentRecordNumber() const { return currentRecord_; }
  /// 4148. Fills the record buffer with zero bytes.
  [[nodiscard]] int ClearBuffer();
  /// 4159. Key `key` of the record buffer.
  [[nodiscard]] int BuildKey(int key, std::string* out);

  // --- Changes -------------------------------------------------------------------------

  /// 16398. Adds the record buffer as a new record with all of its keys; the new record
  /// becomes current. 28689 when the status word (first 4 bytes) is not 0; 10230 when a
  /// unique key exists already (nothing is changed, the buffer stays as it was); 10125
  /// for a key longer than declared; 24592 auto-number overflow.
  [[nodiscard]] int Add();
  /// 16391. Writes the record buffer over the current record and moves the keys that
  /// changed. 28691 without a current record, 28692 non-zero status word, 12309 when the
  /// record changed on disk since it was read (the buffer is reloaded), 12289 when it was
  /// deleted and the question (reason 4) was declined (yes adds it anew).
  [[nodiscard]] int Update();
  /// 16397. Deletes the current record and its keys, then positions by `mode`
  /// (DeleteMode). 28694 without a current record, 28752 when the buffer differs from the
  /// record last read.
  [[nodiscard]] int Delete(int mode);

  // --- Reading -------------------------------------------------------------------------

  /// 16392. 12289 when the record is deleted.
  [[nodiscard]] int ReadRecord(std::int32_t record);
  /// 16402. The entry whose key equals `key` (the lowest record number among equal ones);
  /// severity 1 (10200) when there is none.
  [[nodiscard]] int FindKey(int key, std::string_view keyString);
  /// 16400. The first entry >= `keyString`; severity 1 (10210) when there is none.
  [[nodiscard]] int SearchKey(int key, std::string_view keyString);
  /// 16411 / 16412. Severity 1 (10250 / 10260) on an empty index.
  [[nodiscard]] int FirstKey(int key);
  [[nodiscard]] int LastKey(int key);
  /// 16393 / 16394. The entry after / before the current record in `key`; 28715 without
  /// a current record; severity 1 (10250 / 10260) at the end.
  [[nodiscard]] int NextKey(int key);
  [[nodiscard]] int PrevKey(int key);
  /// 12318 / 12319. Steps the key's own position (left by its last search or step)
  /// without reading a record; 10255 / 10265 when the key has no position.
  [[nodiscard]] int NextEntry(int key, std::int32_t* record, std::string* keyString);
  [[nodiscard]] int PrevEntry(int key, std::int32_t* record, std::string* keyString);
  /// 12322. The entry (keyString, record); when missing the next one (direction >= 1),
  /// the previous one (direction < 0) or severity 1 with 10270 (direction 0). Reads no
  /// record.
  [[nodiscard]] int FindEntry(int key, std::int32_t record, int direction,
                              std::string_view keyString, std::int32_t* foundRecord,
                              std::string* foundKey);
  /// 12342. NumRec - NumberFree.
  [[nodiscard]] int UsedRecords(std::int32_t* count);
  /// 12343. The live records, counted in the data file by their status words: neither the
  /// header's counters nor any key are trusted for it.
  [[nodiscard]] int LiveRecords(std::int32_t* count);
  /// 16460. Reads the live record with the lowest record number >= `from` (walking the data
  /// file by record number; no key is involved, so a damaged index hides nothing); it
  /// becomes the current record, positioned by number. Severity 1 (12357) when no live
  /// record follows. Walk a whole file with ReadNextLive(1), then
  /// ReadNextLive(CurrentRecordNumber() + 1) until the severity is not 0.
  [[nodiscard]] int ReadNextLive(std::int32_t from);
  /// 12411.
  [[nodiscard]] int KeyCount(int key, std::int32_t* count);
  /// 4166. The current record's entry in `key`.
  [[nodiscard]] int SavePosition(int key, SavedPosition* position);
  /// 12399. Position 0..scale of the entry, estimated from two index levels.
  [[nodiscard]] int KeyToRelPos(int key, std::string_view keyString, std::int32_t record,
                                std::int32_t scale, std::int32_t* position);
  /// 12400. The entry near position 0..scale.
  [[nodiscard]] int RelPosToKey(int key, std::int32_t position, std::int32_t scale,
                                std::int32_t* record, std::string* keyString);

  // --- Files ---------------------------------------------------------------------------

  /// 8196 / 8197. No effect beyond opening the files (single-station use).
  [[nodiscard]] int LockFile();
  [[nodiscard]] int UnlockFile();
  /// 8217. Opens the files if needed; tells whether the fileblock can be opened.
  [[nodiscard]] int EnsureOpen();
  /// 4178. Flushes and closes the files; the next operation opens them again.
  [[nodiscard]] int Close();
  /// 4251. Closes the files without writing what is not yet written and leaves InUse set,
  /// so that the next open repairs the fileblock: for a fileblock whose last operation
  /// failed badly and whose state on disk cannot be trusted.
  [[nodiscard]] int CloseForRepair();
  /// 4252. Flushes and closes the files like Close and forgets the current record and every
  /// key position: for an owner that puts other files in the place of this object's while
  /// they are closed (a log rebuilt as a whole). The next operation opens the new files.
  [[nodiscard]] int CloseForReplacement();
  /// 4250. Reorganises the data file and rebuilds every key now (as an open does when it
  /// finds the files damaged).
  [[nodiscard]] int Repair();
  /// 4253. Compares the index with the data file (index_check.h: sound trees, every live
  /// record reached exactly once by every key, every entry's key equal to its record's),
  /// after writing what is not yet written. `*findings` (may be nullptr) says what
  /// disagrees; severity 0 whether or not it does. With `repair`, an index that disagrees is
  /// noted in the ".MSG" report and the fileblock repaired (record numbers change, the
  /// current record and key positions are forgotten); a failing repair is reported with its
  /// error. Reads both files whole.
  [[nodiscard]] int CheckIndex(bool repair, IndexFindings* findings);

  const std::string& Name() const { return name_; }
  /// The path of the files without extension.
  const std::string& FileName() const { return base_; }
  /// The path of one of the files, e.g. FilePath("DAT").
  std::string FilePath(const char* extension) const;
  /// Whether every opening of the files checks the index (SetIndexCheckAtOpen).
  bool ChecksIndexAtOpen() const { return checkIndexAtOpen_; }
  int RecordLength() const { return recLen_; }
  int NumKeys() const { return numKeys_; }
  bool IsOpen() const;
  /// A number that changes whenever a record already in the files may have changed or gone:
  /// at every Update and Delete, and every time the files are opened or their positions
  /// forgotten (they may be other files then: replaced by a new copy, repaired). An Add
  /// leaves it: it changes no record there was. Whoever keeps texts built from the records
  /// (a list) compares it with the number it built them at.
  std::uint64_t ContentVersion() const { return contentVersion_; }

private:
  friend class Engine;
  friend class OperationScope;
  friend int RestorePosition(const SavedPosition& position, int mode);
  friend int CloseAll();
  friend Fileblock* CreateFileblock(const FileblockParams& params);
  friend int DestroyFileblock(Fileblock* fileblock);

  struct KeyDef {
    bool defined = false;
    int length = 0;
    bool allowDups = false;
    int autoOffset = -1;
  };

  Fileblock(Engine* engine, std::string name, std::string base, bool variable, bool createIfMissing,
            int recLen, int numKeys, int bufferSize, KeyBuilder builder, int retryBudget);

  // Files (fileblock.cpp).
  [[nodiscard]] int Begin(int operation);
  [[nodiscard]] int Finish();
  void Fail(int code, int step = 0, int position = 0, int key = 0, std::int32_t record = 0);
  void Fail(const Status& status, int step, int key = 0, std::int32_t record = 0);
  [[nodiscard]] bool OpenFiles();
  [[nodiscard]] int TryOpen();
  [[nodiscard]] int CheckDefinition() const;
  [[nodiscard]] int CheckKeyNumber(int key);
  [[nodiscard]] bool AskQuestion(int reason);
  QuestionCallback RetryQuestion();
  [[nodiscard]] int RunRepair();
  [[nodiscard]] int CompareIndex(IndexFindings* findings);
  [[nodiscard]] int CheckIndexAfterOpen();
  void NoteIndexFindings(const IndexFindings& findings);
  void NoteAgreeingFiles();
  [[nodiscard]] int CloseFiles(bool flush);
  [[nodiscard]] int FlushFiles();
  [[nodiscard]] int BeginChange();
  [[nodiscard]] int AfterChange();
  void ForgetPositions();
  std::string Key(const char* record, int key) const;

  // Records (fileblock_change.cpp, fileblock_read.cpp).
  [[nodiscard]] int ReadInto(std::int32_t record, char* buf);
  [[nodiscard]] int WriteRecord(const char* buf, std::int32_t record, std::int32_t* written);
  [[nodiscard]] int FreeRecord(std::int32_t record);
  [[nodiscard]] int ReadCurrent(std::int32_t record, int key);
  [[nodiscard]] int AssignAutoNumbers();
  [[nodiscard]] int RemoveKeys(const char* record, std::int32_t ref, int upTo,
                               bool tolerateMissing);
  [[nodiscard]] int DoAdd();
  [[nodiscard]] int Reposition(int mode, const std::string* oldKey, std::int32_t oldRecord);
  [[nodiscard]] int StepKey(int key, bool forward);
  [[nodiscard]] int ReadFromCursor(int key, int missingCode);
  [[nodiscard]] int ScanRecords(std::int32_t from, bool forward);
  [[nodiscard]] int RestoreAt(int key, const std::string& keyString, std::int32_t record, int mode);

  Engine* engine_;
  std::string name_;
  std::string base_;
  bool variable_;
  bool createIfMissing_;
  bool readOnly_ = false;
  bool flushAfterChange_ = false;
  bool checkIndexAtOpen_ = false;
  int recLen_;
  int numKeys_;
  std::vector<KeyDef> keys_; // [0] unused
  std::vector<char> buffer_;
  std::vector<char> saved_;
  std::vector<char> disk_;
  std::size_t recordSize_; // bytes compared and written: RecLen, or the buffer for variable
  std::int32_t currentRecord_ = -1;
  std::int32_t savedRecord_ = -1;
  int currentKey_ = 0;
  bool readThroughCursor_ = false; // the current record was read through currentKey_'s position
  KeyBuilder builder_;
  RetryHandler retry_;
  ProgressHook progress_;

  std::unique_ptr<DataFile> data_;
  std::unique_ptr<IndexFile> index_;
  std::vector<Cursor> cursors_; // [0] unused
  bool damaged_ = false;
  bool changed_ = false; // changes not yet flushed
  std::uint64_t contentVersion_ = 0;
  // The index was found to agree with the data at this opening (or rebuilt from it), and no
  // operation has failed badly since: the files still agree when they are closed.
  bool indexAgrees_ = false;
  int operation_ = 0;
  std::vector<std::string> keyScratch_;
  std::vector<char> slot_;
};

/// 16455. Finds a saved entry again and reads its record: mode 0 exactly, 1 or 2 the
/// entry or the next, 3 or 4 the entry or the previous; modes 1 and 3 try the other
/// direction when nothing is found. 28736 when the position names no valid fileblock;
/// severity 1 (12351) when nothing is found.
[[nodiscard]] int RestorePosition(const SavedPosition& position, int mode);

} // namespace tarvik
