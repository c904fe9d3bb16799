// Fileblock operations that change records: Add, Update, Delete.

#include <climits>
#include <cstring>

#include "recordfile/fileblock_internal.h"
#include "recordfile/format.h"
#include "recordfile/key_codec.h"

namespace tarvik {

namespace {

enum Operation : int {
  kOpAdd = 16398,
  kOpUpdate = 16391,
  kOpDelete = 16397,
};

std::int32_t StatusWord(const char* record) {
  return format::LoadI32(record);
}

} // namespace

// ---------------------------------------------------------------------------------------
// Record slots

int Fileblock::ReadInto(std::int32_t record, char* buf) {
  // Read into a scratch copy first so that a failed read leaves `buf` unchanged.
  slot_.resize(recordSize_);
  if (variable_) {
    if (Status s =
            data_->ReadVariable(record, reinterpret_cast<std::uint8_t*>(slot_.data()), recordSize_);
        !s.ok()) {
      return s.code();
    }
  } else {
    if (Status s = data_->ReadSlot(record, slot_.data()); !s.ok())
      return s.code();
    if (StatusWord(slot_.data()) != 0)
      return err::kRecordDeleted;
  }
  std::memcpy(buf, slot_.data(), recordSize_);
  return 0;
}

int Fileblock::WriteRecord(const char* buf, std::int32_t record, std::int32_t* written) {
  const auto* in = reinterpret_cast<const std::uint8_t*>(buf);
  if (variable_) {
    std::vector<std::int32_t> old;
    if (record > 0) {
      if (Status s = data_->ContinuationsOf(record, recordSize_, &old); !s.ok())
        return s.code();
    }
    const std::size_t len = VariableRecordLength(in, recordSize_, recLen_);
    if (Status s = data_->WriteVariable(in, len, record, written); !s.ok())
      return s.code();
    if (Status s = data_->FreeSections(old); !s.ok())
      return s.code();
    return 0;
  }
  if (record > 0) {
    *written = record;
    return data_->WriteSlot(record, buf).code();
  }
  std::int32_t at = 0;
  if (Status s = data_->Allocate(&at); !s.ok())
    return s.code();
  const bool appended = at == data_->numRec();
  if (Status s = data_->WriteSlot(at, buf); !s.ok()) {
    if (appended) {
      data_->UndoAppend(at);
    } else {
      (void)data_->Free(at); // the write's failure is returned; a slot not freed is only lost space
    }
    return s.code();
  }
  *written = at;
  return 0;
}

int Fileblock::FreeRecord(std::int32_t record) {
  std::vector<std::int32_t> sections;
  if (variable_) {
    // A broken chain leaves its sections behind; the next repair drops them.
    if (!data_->ContinuationsOf(record, recordSize_, &sections).ok())
      sections.clear();
  }
  if (Status s = data_->Free(record); !s.ok())
    return s.code();
  if (Status s = data_->FreeSections(sections); !s.ok())
    return s.code();
  return 0;
}

// ---------------------------------------------------------------------------------------
// Add

int Fileblock::AssignAutoNumbers() {
  for (int k = 1; k <= numKeys_; ++k) {
    const KeyDef& def = keys_[static_cast<std::size_t>(k)];
    if (def.autoOffset < 0)
      continue;
    const std::string key = Key(buffer_.data(), k);
    if (key.size() < 5)
      return err::kAutoNumberNotAtEnd;
    const std::string prefix = key.substr(0, key.size() - 5);
    // The highest entry starting with the prefix: the last one at or before the prefix
    // padded with 0xFF.
    std::string probe = prefix;
    if (probe.size() < format::kMaxKeyLen)
      probe.append(format::kMaxKeyLen - probe.size(), '\xFF');
    Cursor c;
    bool found = false;
    if (Status s = BTree(*index_, k).SeekLast(probe, INT32_MAX, &c, &found); !s.ok())
      return s.code();
    std::int32_t value = 1;
    if (found && c.key.size() >= prefix.size() + 5 &&
        c.key.compare(0, prefix.size(), prefix) == 0) {
      const std::int32_t highest = DecodeNumKey5(std::string_view(c.key).substr(c.key.size() - 5));
      if (highest == INT32_MAX)
        return err::kAutoNumberOverflow;
      value = std::max(highest + 1, 1);
    }
    format::StoreI32(buffer_.data() + def.autoOffset, value);
  }
  return 0;
}

int Fileblock::RemoveKeys(const char* record, std::int32_t ref, int upTo, bool tolerateMissing) {
  int failure = 0;
  for (int k = 1; k <= upTo; ++k) {
    const std::string key = Key(record, k);
    Status s = BTree(*index_, k).Remove(key, ref);
    if (s.code() == err::kDeleteKeyNotFound && tolerateMissing) {
      // Tolerated, but noted in the report.
      RecordFileErrors().Record({.code = err::kDeleteKeyNotFound,
                                 .keyNumber = k,
                                 .recordNumber = ref,
                                 .operation = operation_,
                                 .step = kStepDeleteKey,
                                 .position = kPosErrorDeleteKey,
                                 .fileblock = this},
                                0);
      continue;
    }
    if (!s.ok()) {
      Fail(s, kStepDeleteKey, k, ref);
      if (failure == 0)
        failure = s.code();
      if (IsDamage(s.code()))
        return failure;
    }
  }
  return failure;
}

int Fileblock::DoAdd() {
  if (readOnly_) {
    Fail(RunWithRetry(RecordFileErrors(), name_, retry_.budget, false, false, RetryQuestion(),
                      [] { return err::kReadOnly; }),
         kStepWriteRecord);
    return -1;
  }
  // Auto-numbers are written into the buffer; a refused Add gives the buffer back as it
  // was.
  std::vector<std::pair<int, std::int32_t>> before;
  for (int k = 1; k <= numKeys_; ++k) {
    const int offset = keys_[static_cast<std::size_t>(k)].autoOffset;
    if (offset >= 0)
      before.emplace_back(offset, format::LoadI32(buffer_.data() + offset));
  }
  auto restore = [&] {
    for (const auto& [offset, value] : before)
      format::StoreI32(buffer_.data() + offset, value);
  };
  if (const int code = AssignAutoNumbers(); code != 0) {
    restore();
    Fail(code, kStepBuildKey);
    return -1;
  }
  // Every key is built and checked before anything is written, so a refused record
  // leaves no trace in the files.
  keyScratch_.resize(static_cast<std::size_t>(numKeys_) + 1);
  for (int k = 1; k <= numKeys_; ++k) {
    std::string& key = keyScratch_[static_cast<std::size_t>(k)];
    key = Key(buffer_.data(), k);
    if (key.size() > static_cast<std::size_t>(keys_[static_cast<std::size_t>(k)].length)) {
      restore();
      Fail(err::kKeyTooLong, kStepBuildKey, 0, k);
      return -1;
    }
    if (!keys_[static_cast<std::size_t>(k)].allowDups) {
      Cursor c;
      bool found = false;
      if (Status s = BTree(*index_, k).Seek(key, INT32_MIN, &c, &found); !s.ok()) {
        restore();
        Fail(s, kStepSearch, k);
        return -1;
      }
      if (found && c.key == key) {
        restore();
        Fail(err::kDuplicateKey, kStepAddKey, 0, k, c.ref);
        return -1;
      }
    }
  }
  // A record appended beyond NumRec changes nothing the header vouches for, so it may be
  // written before InUse is set: the sync that makes InUse durable then covers the record
  // too. Every other change waits for InUse on disk.
  const bool appendFirst = !data_->inUseOnDisk() && data_->WillAppend();
  const std::int32_t numRecBefore = data_->numRec();
  std::int32_t rec = 0;
  if (appendFirst) {
    if (const int code = WriteRecord(buffer_.data(), 0, &rec); code != 0) {
      restore();
      Fail(code, kStepWriteRecord);
      return -1;
    }
  }
  if (const int code = BeginChange(); code != 0) {
    if (appendFirst)
      data_->UndoAppendsTo(numRecBefore);
    restore();
    Fail(code, kStepWriteRecord);
    return -1;
  }
  if (!appendFirst) {
    if (const int code = WriteRecord(buffer_.data(), 0, &rec); code != 0) {
      restore();
      Fail(code, kStepWriteRecord);
      return -1;
    }
  }
  for (int k = 1; k <= numKeys_; ++k) {
    Status s = BTree(*index_, k).Insert(keyScratch_[static_cast<std::size_t>(k)], rec);
    if (s.ok())
      continue;
    Fail(s, kStepAddKey, k, rec);
    // Take the record out again: the keys added so far and the data record.
    if (!IsDamage(s.code())) {
      for (int j = 1; j < k; ++j) {
        if (Status u = BTree(*index_, j).Remove(keyScratch_[static_cast<std::size_t>(j)], rec);
            !u.ok()) {
          Fail(u, kStepUndo, j, rec);
          damaged_ = true;
        }
      }
      if (const int code = FreeRecord(rec); code != 0) {
        Fail(code, kStepUndo, 0, 0, rec);
        damaged_ = true;
      }
    }
    restore();
    return -1;
  }
  std::memcpy(saved_.data(), buffer_.data(), buffer_.size());
  currentRecord_ = savedRecord_ = rec;
  readThroughCursor_ = false;
  (void)AfterChange(); // the record is written; a flush failure is in the channel
  return 0;
}

int Fileblock::Add() {
  OperationScope op(this, kOpAdd);
  if (!op.ok() || !OpenFiles())
    return op.result();
  if (StatusWord(buffer_.data()) != 0) {
    Fail(err::kAddStatusWord, kStepEnter);
    return op.result();
  }
  (void)DoAdd(); // a failure is in the channel: op.result()
  return op.result();
}

// ---------------------------------------------------------------------------------------
// Update

int Fileblock::Update() {
  OperationScope op(this, kOpUpdate);
  if (!op.ok() || !OpenFiles())
    return op.result();
  if (currentRecord_ < 1) {
    Fail(err::kUpdateNoCurrent, kStepEnter);
    return op.result();
  }
  if (StatusWord(buffer_.data()) != 0) {
    Fail(err::kUpdateStatusWord, kStepEnter);
    return op.result();
  }
  if (std::memcmp(buffer_.data(), saved_.data(), recordSize_) == 0)
    return op.result();
  if (readOnly_) {
    Fail(RunWithRetry(RecordFileErrors(), name_, retry_.budget, false, false, RetryQuestion(),
                      [] { return err::kReadOnly; }),
         kStepWriteRecord);
    return op.result();
  }
  const std::int32_t rec = currentRecord_;
  const int read = ReadInto(rec, disk_.data());
  if (read == err::kRecordDeleted) {
    if (AskQuestion(kReasonRecordDeleted)) {
      (void)DoAdd(); // as in Add
    } else {
      Fail(err::kRecordDeleted, kStepReadRecord, 0, 0, rec);
    }
    return op.result();
  }
  if (read != 0) {
    Fail(read, kStepReadRecord, 0, 0, rec);
    return op.result();
  }
  if (std::memcmp(disk_.data(), saved_.data(), recordSize_) != 0) {
    Fail(err::kRecordChanged, kStepReadRecord, 0, 0, rec);
    std::memcpy(buffer_.data(), disk_.data(), recordSize_);
    std::memcpy(saved_.data(), disk_.data(), recordSize_);
    readThroughCursor_ = false;
    return op.result();
  }

  // The keys that change, checked before anything is written.
  struct Change {
    int key;
    std::string before;
    std::string after;
  };
  std::vector<Change> changes;
  for (int k = 1; k <= numKeys_; ++k) {
    std::string before = Key(saved_.data(), k);
    std::string after = Key(buffer_.data(), k);
    if (before == after)
      continue;
    if (after.size() > static_cast<std::size_t>(keys_[static_cast<std::size_t>(k)].length)) {
      Fail(err::kKeyTooLong, kStepBuildKey, 0, k, rec);
      return op.result();
    }
    if (!keys_[static_cast<std::size_t>(k)].allowDups) {
      Cursor c;
      bool found = false;
      if (Status s = BTree(*index_, k).Seek(after, INT32_MIN, &c, &found); !s.ok()) {
        Fail(s, kStepSearch, k, rec);
        return op.result();
      }
      if (found && c.key == after && c.ref != rec) {
        Fail(err::kDuplicateKey, kStepAddKey, 0, k, rec);
        return op.result();
      }
    }
    changes.push_back({k, std::move(before), std::move(after)});
  }
  if (const int code = BeginChange(); code != 0) {
    Fail(code, kStepWriteRecord, 0, 0, rec);
    return op.result();
  }
  ++contentVersion_; // a record shown elsewhere may change or go
  std::size_t applied = 0;
  auto undo = [&] {
    for (std::size_t i = applied; i-- > 0;) {
      const Change& ch = changes[i];
      BTree tree(*index_, ch.key);
      const Status a = tree.Remove(ch.after, rec);
      const Status b = tree.Insert(ch.before, rec);
      if (!a.ok() || !b.ok()) {
        Fail(err::kUndoFailed, kStepUndo, 0, ch.key, rec);
        damaged_ = true;
        return;
      }
    }
  };
  for (; applied < changes.size(); ++applied) {
    const Change& ch = changes[applied];
    BTree tree(*index_, ch.key);
    Status s = tree.Remove(ch.before, rec);
    if (s.code() == err::kDeleteKeyNotFound) {
      RecordFileErrors().Record({.code = err::kDeleteKeyNotFound,
                                 .keyNumber = ch.key,
                                 .recordNumber = rec,
                                 .operation = operation_,
                                 .step = kStepDeleteKey,
                                 .position = kPosErrorDeleteKey,
                                 .fileblock = this},
                                0);
      s = Status::Ok();
    }
    if (s.ok())
      s = tree.Insert(ch.after, rec);
    if (!s.ok()) {
      Fail(s, kStepAddKey, ch.key, rec);
      if (!IsDamage(s.code()))
        undo();
      return op.result();
    }
  }
  std::int32_t written = 0;
  if (const int code = WriteRecord(buffer_.data(), rec, &written); code != 0) {
    Fail(code, kStepWriteRecord, 0, 0, rec);
    undo();
    return op.result();
  }
  std::memcpy(saved_.data(), buffer_.data(), buffer_.size());
  savedRecord_ = rec;
  readThroughCursor_ = false;
  (void)AfterChange(); // as in DoAdd
  return op.result();
}

// ---------------------------------------------------------------------------------------
// Delete

int Fileblock::Delete(int mode) {
  OperationScope op(this, kOpDelete);
  if (!op.ok() || !OpenFiles())
    return op.result();
  if (currentRecord_ < 1) {
    Fail(err::kDeleteNoCurrent, kStepEnter);
    return op.result();
  }
  if (currentRecord_ != savedRecord_ ||
      std::memcmp(buffer_.data(), saved_.data(), recordSize_) != 0) {
    Fail(err::kDeleteNotLastRead, kStepEnter, 0, 0, currentRecord_);
    return op.result();
  }
  if (readOnly_) {
    Fail(RunWithRetry(RecordFileErrors(), name_, retry_.budget, false, false, RetryQuestion(),
                      [] { return err::kReadOnly; }),
         kStepWriteRecord);
    return op.result();
  }
  const std::int32_t rec = currentRecord_;
  if (const int code = BeginChange(); code != 0) {
    Fail(code, kStepWriteRecord, 0, 0, rec);
    return op.result();
  }
  ++contentVersion_; // a record shown elsewhere may change or go
  const int key = currentKey_;
  const std::string oldKey = key > 0 && key <= numKeys_ ? Key(saved_.data(), key) : std::string();
  if (RemoveKeys(saved_.data(), rec, numKeys_, true) != 0)
    return op.result();
  if (const int code = FreeRecord(rec); code != 0) {
    Fail(code, kStepWriteRecord, 0, 0, rec);
    return op.result();
  }
  currentRecord_ = savedRecord_ = -1;
  readThroughCursor_ = false;
  if (AfterChange() != 0)
    return op.result();
  // the deletion is done; a failed repositioning is in the channel
  (void)Reposition(mode, key > 0 && key <= numKeys_ ? &oldKey : nullptr, rec);
  return op.result();
}

} // namespace tarvik
