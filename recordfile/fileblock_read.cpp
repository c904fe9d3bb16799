// Fileblock operations that read: records by number and by key, stepping through keys,
// index entries without records, saved positions and relative positions.

#include <climits>
#include <cstring>

#include "recordfile/fileblock_internal.h"
#include "recordfile/format.h"

namespace tarvik {

namespace {

enum Operation : int {
  kOpReadRecord = 16392,
  kOpFindKey = 16402,
  kOpSearchKey = 16400,
  kOpFirstKey = 16411,
  kOpLastKey = 16412,
  kOpNextKey = 16393,
  kOpPrevKey = 16394,
  kOpNextEntry = 12318,
  kOpPrevEntry = 12319,
  kOpFindEntry = 12322,
  kOpUsedRecords = 12342,
  kOpKeyCount = 12411,
  kOpSavePosition = 4166,
  kOpRestorePosition = 16455,
  kOpKeyToRelPos = 12399,
  kOpRelPosToKey = 12400,
};

} // namespace

int Fileblock::ReadCurrent(std::int32_t record, int key) {
  const int code = ReadInto(record, buffer_.data());
  if (code != 0)
    return code;
  std::memcpy(saved_.data(), buffer_.data(), buffer_.size());
  currentRecord_ = savedRecord_ = record;
  currentKey_ = key;
  readThroughCursor_ = key > 0;
  return 0;
}

int Fileblock::ReadFromCursor(int key, int) {
  const Cursor& c = cursors_[static_cast<std::size_t>(key)];
  const int code = ReadCurrent(c.ref, key);
  if (code == err::kRecordDeleted || code == err::kShortRead || code == err::kRecordOutOfRange) {
    // The index names a record that is not there: the index is damaged.
    Fail(err::kIndexUnusable, kStepReadRecord, code, key, c.ref);
    return err::kIndexUnusable;
  }
  if (code != 0)
    Fail(code, kStepReadRecord, 0, key, c.ref);
  return code;
}

int Fileblock::ReadRecord(std::int32_t record) {
  OperationScope op(this, kOpReadRecord);
  if (!op.ok() || !OpenFiles())
    return op.result();
  if (const int code = ReadCurrent(record, 0); code != 0)
    Fail(code, kStepReadRecord, 0, 0, record);
  return op.result();
}

int Fileblock::FindKey(int key, std::string_view keyString) {
  OperationScope op(this, kOpFindKey);
  if (!op.ok() || !OpenFiles() || CheckKeyNumber(key) != 0)
    return op.result();
  Cursor c;
  bool found = false;
  if (Status s = BTree(*index_, key).Seek(keyString, INT32_MIN, &c, &found); !s.ok()) {
    Fail(s, kStepSearch, key);
  } else if (!found || c.key != keyString) {
    Fail(err::kKeyNotFound, kStepSearch, 0, key);
  } else {
    cursors_[static_cast<std::size_t>(key)] = std::move(c);
    (void)ReadFromCursor(key, err::kKeyNotFound); // a failure is in the channel: op.result()
  }
  return op.result();
}

int Fileblock::SearchKey(int key, std::string_view keyString) {
  OperationScope op(this, kOpSearchKey);
  if (!op.ok() || !OpenFiles() || CheckKeyNumber(key) != 0)
    return op.result();
  Cursor c;
  bool found = false;
  if (Status s = BTree(*index_, key).Seek(keyString, INT32_MIN, &c, &found); !s.ok()) {
    Fail(s, kStepSearch, key);
  } else if (!found) {
    Fail(err::kNoGreaterOrEqual, kStepSearch, 0, key);
  } else {
    cursors_[static_cast<std::size_t>(key)] = std::move(c);
    (void)ReadFromCursor(key, err::kNoGreaterOrEqual); // as in FindKey
  }
  return op.result();
}

int Fileblock::FirstKey(int key) {
  OperationScope op(this, kOpFirstKey);
  if (!op.ok() || !OpenFiles() || CheckKeyNumber(key) != 0)
    return op.result();
  Cursor c;
  bool found = false;
  if (Status s = BTree(*index_, key).First(&c, &found); !s.ok()) {
    Fail(s, kStepSearch, key);
  } else if (!found) {
    Fail(err::kNoNext, kStepSearch, 0, key);
  } else {
    cursors_[static_cast<std::size_t>(key)] = std::move(c);
    (void)ReadFromCursor(key, err::kNoNext); // as in FindKey
  }
  return op.result();
}

int Fileblock::LastKey(int key) {
  OperationScope op(this, kOpLastKey);
  if (!op.ok() || !OpenFiles() || CheckKeyNumber(key) != 0)
    return op.result();
  Cursor c;
  bool found = false;
  if (Status s = BTree(*index_, key).Last(&c, &found); !s.ok()) {
    Fail(s, kStepSearch, key);
  } else if (!found) {
    Fail(err::kNoPrevious, kStepSearch, 0, key);
  } else {
    cursors_[static_cast<std::size_t>(key)] = std::move(c);
    (void)ReadFromCursor(key, err::kNoPrevious); // as in FindKey
  }
  return op.result();
}

int Fileblock::StepKey(int key, bool forward) {
  if (CheckKeyNumber(key) != 0)
    return -1;
  if (currentRecord_ < 1) {
    Fail(err::kStepWithoutCurrent, kStepEnter, 0, key);
    return -1;
  }
  BTree tree(*index_, key);
  Cursor& c = cursors_[static_cast<std::size_t>(key)];
  bool found = false;
  Status s;
  // The key's position is used when the current record was read through it and not
  // changed since (a change may have moved its entry or given its number to a new record).
  if (currentKey_ == key && readThroughCursor_ && c.valid && c.ref == currentRecord_) {
    s = forward ? tree.Next(&c, &found) : tree.Prev(&c, &found);
  } else {
    // Positioned by another key, by number or changed: find the current record's entry in
    // this key first (its key string from the saved copy), then step from there.
    const std::string keyString = Key(saved_.data(), key);
    Cursor probe;
    s = tree.Seek(keyString, currentRecord_, &probe, &found);
    if (s.ok()) {
      if (forward) {
        if (found && probe.key == keyString && probe.ref == currentRecord_)
          s = tree.Next(&probe, &found);
      } else {
        s = found ? tree.Prev(&probe, &found) : tree.Last(&probe, &found);
      }
    }
    if (s.ok() && found)
      c = std::move(probe);
  }
  if (!s.ok()) {
    Fail(s, kStepSearch, key);
    return -1;
  }
  if (!found) {
    Fail(forward ? err::kNoNext : err::kNoPrevious, kStepSearch, 0, key);
    return -1;
  }
  return ReadFromCursor(key, 0);
}

int Fileblock::NextKey(int key) {
  OperationScope op(this, kOpNextKey);
  if (op.ok() && OpenFiles())
    (void)StepKey(key, true); // a failure is in the channel: op.result()
  return op.result();
}

int Fileblock::PrevKey(int key) {
  OperationScope op(this, kOpPrevKey);
  if (op.ok() && OpenFiles())
    (void)StepKey(key, false); // as in NextKey
  return op.result();
}

int Fileblock::NextEntry(int key, std::int32_t* record, std::string* keyString) {
  OperationScope op(this, kOpNextEntry);
  if (!op.ok() || !OpenFiles() || CheckKeyNumber(key) != 0)
    return op.result();
  Cursor& c = cursors_[static_cast<std::size_t>(key)];
  if (!c.valid) {
    Fail(err::kNextWithoutPosition, kStepSearch, 0, key);
    return op.result();
  }
  bool found = false;
  if (Status s = BTree(*index_, key).Next(&c, &found); !s.ok()) {
    Fail(s, kStepSearch, key);
  } else if (!found) {
    Fail(err::kNoNext, kStepSearch, 0, key);
  } else {
    *record = c.ref;
    *keyString = c.key;
  }
  return op.result();
}

int Fileblock::PrevEntry(int key, std::int32_t* record, std::string* keyString) {
  OperationScope op(this, kOpPrevEntry);
  if (!op.ok() || !OpenFiles() || CheckKeyNumber(key) != 0)
    return op.result();
  Cursor& c = cursors_[static_cast<std::size_t>(key)];
  if (!c.valid) {
    Fail(err::kPrevWithoutPosition, kStepSearch, 0, key);
    return op.result();
  }
  bool found = false;
  if (Status s = BTree(*index_, key).Prev(&c, &found); !s.ok()) {
    Fail(s, kStepSearch, key);
  } else if (!found) {
    Fail(err::kNoPrevious, kStepSearch, 0, key);
  } else {
    *record = c.ref;
    *keyString = c.key;
  }
  return op.result();
}

int Fileblock::FindEntry(int key, std::int32_t record, int direction, std::string_view keyString,
                         std::int32_t* foundRecord, std::string* foundKey) {
  OperationScope op(this, kOpFindEntry);
  if (!op.ok() || !OpenFiles() || CheckKeyNumber(key) != 0)
    return op.result();
  BTree tree(*index_, key);
  Cursor c;
  bool found = false;
  Status s = direction < 0 ? tree.SeekLast(keyString, record, &c, &found)
                           : tree.Seek(keyString, record, &c, &found);
  if (!s.ok()) {
    Fail(s, kStepSearch, key);
    return op.result();
  }
  const bool exact = found && c.key == keyString && c.ref == record;
  if (!exact && (direction == 0 || !found)) {
    Fail(direction == 0 ? err::kEntryNotFound : (direction > 0 ? err::kNoNext : err::kNoPrevious),
         kStepSearch, 0, key, record);
    return op.result();
  }
  *foundRecord = c.ref;
  *foundKey = c.key;
  cursors_[static_cast<std::size_t>(key)] = std::move(c);
  return op.result();
}

int Fileblock::UsedRecords(std::int32_t* count) {
  OperationScope op(this, kOpUsedRecords);
  if (op.ok() && OpenFiles())
    *count = data_->usedRecords();
  return op.result();
}

int Fileblock::KeyCount(int key, std::int32_t* count) {
  OperationScope op(this, kOpKeyCount);
  if (op.ok() && OpenFiles() && CheckKeyNumber(key) == 0)
    *count = index_->key(key).keyCount;
  return op.result();
}

int Fileblock::SavePosition(int key, SavedPosition* position) {
  OperationScope op(this, kOpSavePosition);
  if (!op.ok() || CheckKeyNumber(key) != 0)
    return op.result();
  position->fileblock = this;
  position->key = key;
  position->record = currentRecord_;
  position->keyString = currentRecord_ >= 1 ? Key(saved_.data(), key) : std::string();
  return op.result();
}

int Fileblock::RestoreAt(int key, const std::string& keyString, std::int32_t record, int mode) {
  BTree tree(*index_, key);
  Cursor c;
  bool found = false;
  Status s;
  const bool forwardFirst = mode == 1 || mode == 2;
  if (mode == 0 || forwardFirst) {
    s = tree.Seek(keyString, record, &c, &found);
    if (s.ok() && mode == 0)
      found = found && c.key == keyString && c.ref == record;
    if (s.ok() && !found && mode == 1)
      s = tree.SeekLast(keyString, record, &c, &found);
  } else {
    s = tree.SeekLast(keyString, record, &c, &found);
    if (s.ok() && !found && mode == 3)
      s = tree.Seek(keyString, record, &c, &found);
  }
  if (!s.ok()) {
    Fail(s, kStepSearch, key);
    return -1;
  }
  if (!found) {
    Fail(err::kPositionNotFound, kStepSearch, 0, key, record);
    return -1;
  }
  cursors_[static_cast<std::size_t>(key)] = std::move(c);
  return ReadFromCursor(key, 0);
}

int RestorePosition(const SavedPosition& position, int mode) {
  Engine* engine = RunningEngine();
  if (engine != nullptr && !engine->busy() && !engine->IsRegistered(position.fileblock)) {
    RecordFileErrors().BeginOperation(kOpRestorePosition, nullptr);
    RecordFileErrors().Record({.code = err::kPositionInvalid, .operation = kOpRestorePosition});
    return RecordFileErrors().Severity();
  }
  Fileblock* fb = position.fileblock;
  OperationScope op(fb, kOpRestorePosition);
  if (!op.ok() || !fb->OpenFiles())
    return op.result();
  if (position.key < 1 || position.key > fb->numKeys_) {
    fb->Fail(err::kPositionInvalid, kStepEnter, 0, position.key);
    return op.result();
  }
  // a failure is in the channel: op.result()
  (void)fb->RestoreAt(position.key, position.keyString, position.record, mode);
  return op.result();
}

int Fileblock::KeyToRelPos(int key, std::string_view keyString, std::int32_t record,
                           std::int32_t scale, std::int32_t* position) {
  OperationScope op(this, kOpKeyToRelPos);
  if (!op.ok() || !OpenFiles() || CheckKeyNumber(key) != 0)
    return op.result();
  if (Status s = BTree(*index_, key).KeyToRelPos(keyString, record, scale, position); !s.ok())
    Fail(s, kStepSearch, key, record);
  return op.result();
}

int Fileblock::RelPosToKey(int key, std::int32_t position, std::int32_t scale, std::int32_t* record,
                           std::string* keyString) {
  OperationScope op(this, kOpRelPosToKey);
  if (!op.ok() || !OpenFiles() || CheckKeyNumber(key) != 0)
    return op.result();
  if (Status s = BTree(*index_, key).RelPosToKey(position, scale, record, keyString); !s.ok())
    Fail(s, kStepSearch, key);
  return op.result();
}

// ---------------------------------------------------------------------------------------
// Repositioning after Delete

int Fileblock::ScanRecords(std::int32_t from, bool forward) {
  const std::int32_t last = data_->numRec();
  for (std::int32_t r = from; r >= 1 && r <= last; r += forward ? 1 : -1) {
    std::int32_t status = 0;
    if (Status s = data_->ReadStatusWord(r, &status); !s.ok()) {
      Fail(s, kStepReposition, 0, r);
      return -1;
    }
    if (status != 0)
      continue;
    if (const int code = ReadCurrent(r, 0); code != 0) {
      Fail(code, kStepReposition, 0, 0, r);
      return -1;
    }
    return 0;
  }
  Fail(err::kNoLiveRecord, kStepReposition);
  return -1;
}

int Fileblock::Reposition(int mode, const std::string* oldKey, std::int32_t oldRecord) {
  if (mode < kDeleteThenLast || mode > kDeleteThenPrevious)
    return 0;
  if (oldKey == nullptr) {
    switch (mode) {
    case kDeleteThenLast:
      return ScanRecords(data_->numRec(), false);
    case kDeleteThenFirst:
      return ScanRecords(1, true);
    case kDeleteThenNext:
      return ScanRecords(oldRecord + 1, true);
    default:
      return ScanRecords(oldRecord - 1, false);
    }
  }
  const int key = currentKey_;
  BTree tree(*index_, key);
  Cursor c;
  bool found = false;
  Status s;
  switch (mode) {
  case kDeleteThenLast:
    s = tree.Last(&c, &found);
    break;
  case kDeleteThenFirst:
    s = tree.First(&c, &found);
    break;
  case kDeleteThenNext:
    s = tree.Seek(*oldKey, oldRecord, &c, &found);
    break;
  default:
    s = tree.SeekLast(*oldKey, oldRecord, &c, &found);
    break;
  }
  if (!s.ok()) {
    Fail(s, kStepReposition, key);
    return -1;
  }
  if (!found) {
    const bool forward = mode == kDeleteThenNext || mode == kDeleteThenFirst;
    Fail(forward ? err::kNoNext : err::kNoPrevious, kStepReposition, 0, key);
    return -1;
  }
  cursors_[static_cast<std::size_t>(key)] = std::move(c);
  return ReadFromCursor(key, 0);
}

} // namespace tarvik
