// Fileblock objects: definition, opening on demand, flushing, closing and the repair of
// damaged files at open.

#include <climits>
#include <cstring>

#include "recordfile/file_calls.h"
#include "recordfile/file_io.h"
#include "recordfile/fileblock_internal.h"
#include "recordfile/format.h"
#include "recordfile/key_codec.h"
#include "recordfile/repair.h"
#include "recordfile/repair_leftovers.h"

namespace tarvik {

namespace {

enum Operation : int {
  kOpDefineKey = 4137,
  kOpDefineAutoNumber = 4138,
  kOpSetFlushAfterChange = 4204,
  kOpSetProgressHook = 4198,
  kOpSetRetryHandler = 4169,
  kOpClearBuffer = 4148,
  kOpBuildKey = 4159,
  kOpLockFile = 8196,
  kOpUnlockFile = 8197,
  kOpEnsureOpen = 8217,
  kOpClose = 4178,
  kOpRepair = 4250,
  kOpCloseForRepair = 4251,
  kOpCloseForReplacement = 4252,
};

constexpr std::size_t kPathLimit = PATH_MAX - 1;
constexpr std::size_t kNameLimit = NAME_MAX;

} // namespace

// ---------------------------------------------------------------------------------------
// Operations

OperationScope::OperationScope(Fileblock* fb, int operation) : fb_(fb) {
  ErrorChannel& ch = RecordFileErrors();
  Engine* engine = RunningEngine();
  if (engine == nullptr) {
    ch.BeginOperation(operation, nullptr);
    ch.Record({.code = err::kNotInitialised, .operation = operation});
    return;
  }
  if (engine->busy()) {
    // Reported into the running operation, which ends (and halts) for both.
    ch.Record({.code = err::kReentered, .operation = operation});
    reentered_ = true;
    return;
  }
  if (!engine->IsRegistered(fb)) {
    ch.BeginOperation(operation, nullptr);
    ch.Record({.code = err::kInvalidObject, .operation = operation});
    return;
  }
  ch.BeginOperation(operation, fb);
  engine->SetBusy(true);
  fb->operation_ = operation;
  entered_ = true;
}

OperationScope::~OperationScope() {
  if (entered_) {
    if (fb_->damaged_)
      (void)fb_->CloseFiles(false); // a damaged fileblock's close reports into the channel
    RunningEngine()->SetBusy(false);
  }
  if (!reentered_)
    RecordFileErrors().EndOperation();
}

Fileblock::Fileblock(Engine* engine, std::string name, std::string base, bool variable,
                     bool createIfMissing, int recLen, int numKeys, int bufferSize,
                     KeyBuilder builder, int retryBudget)
    : engine_(engine), name_(std::move(name)), base_(std::move(base)), variable_(variable),
      createIfMissing_(createIfMissing), recLen_(recLen), numKeys_(numKeys),
      buffer_(static_cast<std::size_t>(std::max(bufferSize, 0)), 0), saved_(buffer_),
      disk_(buffer_), builder_(std::move(builder)) {
  keys_.resize(static_cast<std::size_t>(std::clamp(numKeys, 0, format::kMaxKeys)) + 1);
  cursors_.resize(keys_.size());
  recordSize_ = variable_ ? buffer_.size() : static_cast<std::size_t>(std::max(recLen, 0));
  retry_.budget = retryBudget;
}

Fileblock::~Fileblock() = default;

void Fileblock::Fail(int code, int step, int position, int key, std::int32_t record) {
  RecordFileErrors().Record({.code = code,
                             .keyNumber = key,
                             .recordNumber = record,
                             .operation = operation_,
                             .step = step,
                             .position = position,
                             .fileblock = this});
  if (IsDamage(code) && data_)
    damaged_ = true;
  if (ErrorClassOf(code) >= 3)
    indexAgrees_ = false;
}

void Fileblock::Fail(const Status& status, int step, int key, std::int32_t record) {
  Fail(status.code(), step, status.position(), key, record);
}

void Fileblock::ForgetPositions() {
  // Record numbers changed: no current record, no key positions.
  ++contentVersion_;
  currentRecord_ = savedRecord_ = -1;
  currentKey_ = 0;
  readThroughCursor_ = false;
  for (Cursor& c : cursors_)
    c = Cursor();
}

std::string Fileblock::FilePath(const char* extension) const {
  return base_ + "." + extension;
}

bool Fileblock::IsOpen() const {
  return data_ != nullptr;
}

std::string Fileblock::Key(const char* record, int key) const {
  return builder_ ? builder_(record, key) : std::string();
}

bool Fileblock::AskQuestion(int reason) {
  const QuestionCallback& question =
      retry_.question ? retry_.question : RecordFileErrors().Question();
  // Without a callback the engine creates and repairs, and declines everything else.
  if (!question)
    return reason == kReasonIndexDamaged || reason == kReasonFileMissing;
  return question(name_, reason);
}

QuestionCallback Fileblock::RetryQuestion() {
  return [this](const std::string&, int reason) { return AskQuestion(reason); };
}

int Fileblock::CheckKeyNumber(int key) {
  if (key < 1 || key > numKeys_) {
    Fail(err::kKeyNumber, kStepEnter, 0, key);
    return err::kKeyNumber;
  }
  return 0;
}

// ---------------------------------------------------------------------------------------
// Definition

int Fileblock::DefineKey(int key, int length, bool allowDups) {
  OperationScope op(this, kOpDefineKey);
  if (!op.ok())
    return op.result();
  if (key < 1 || key > numKeys_ || key > format::kMaxKeys) {
    Fail(err::kDefineKeyNumber, kStepDefinition, 0, key);
  } else if (length == 0) {
    Fail(err::kKeyLengthZero, kStepDefinition, 0, key);
  } else if (length > format::kMaxKeyLen || length < 0) {
    Fail(err::kKeyLengthAbove50, kStepDefinition, 0, key);
  } else {
    KeyDef& def = keys_[static_cast<std::size_t>(key)];
    def.defined = true;
    def.length = length;
    def.allowDups = allowDups;
  }
  return op.result();
}

int Fileblock::DefineAutoNumber(int key, int offset) {
  OperationScope op(this, kOpDefineAutoNumber);
  if (!op.ok())
    return op.result();
  if (key < 1 || key > numKeys_ || !keys_[static_cast<std::size_t>(key)].defined) {
    Fail(err::kAutoNumberKeyUndefined, kStepDefinition, 0, key);
    return op.result();
  }
  if (offset < 4 || static_cast<std::size_t>(offset) + 4 > recordSize_ ||
      static_cast<std::size_t>(offset) + 4 > buffer_.size()) {
    Fail(err::kAutoNumberAddress, kStepDefinition, offset, key);
    return op.result();
  }
  // The key builder must end the key with NumKey5 of the field: try two values.
  std::vector<char> probe(buffer_.size(), 0);
  for (const std::int32_t value : {0x01234567, -2}) {
    format::StoreI32(probe.data() + offset, value);
    const std::string built = Key(probe.data(), key);
    const std::string tail = NumKey5(value);
    if (built.size() < 5 || built.compare(built.size() - 5, 5, tail) != 0) {
      Fail(err::kAutoNumberNotAtEnd, kStepDefinition, 0, key);
      return op.result();
    }
  }
  keys_[static_cast<std::size_t>(key)].autoOffset = offset;
  return op.result();
}

int Fileblock::SetFlushAfterChange(bool flush) {
  OperationScope op(this, kOpSetFlushAfterChange);
  if (!op.ok())
    return op.result();
  flushAfterChange_ = flush;
  return op.result();
}

int Fileblock::SetProgressHook(ProgressHook hook) {
  OperationScope op(this, kOpSetProgressHook);
  if (!op.ok())
    return op.result();
  progress_ = std::move(hook);
  return op.result();
}

int Fileblock::SetRetryHandler(RetryHandler handler) {
  OperationScope op(this, kOpSetRetryHandler);
  if (!op.ok())
    return op.result();
  retry_ = std::move(handler);
  return op.result();
}

RetryHandler Fileblock::GetRetryHandler() const {
  return retry_;
}

int Fileblock::ClearBuffer() {
  OperationScope op(this, kOpClearBuffer);
  if (!op.ok())
    return op.result();
  std::fill(buffer_.begin(), buffer_.end(), 0);
  return op.result();
}

int Fileblock::BuildKey(int key, std::string* out) {
  OperationScope op(this, kOpBuildKey);
  if (!op.ok())
    return op.result();
  if (CheckKeyNumber(key) != 0)
    return op.result();
  *out = Key(buffer_.data(), key);
  return op.result();
}

int Fileblock::CheckDefinition() const {
  if (name_.empty())
    return err::kNoName;
  if (buffer_.empty() || (!variable_ && buffer_.size() < static_cast<std::size_t>(recLen_)))
    return err::kNoBuffer;
  if (recLen_ <= format::kMinRecLen)
    return err::kRecLenDefinition;
  if (numKeys_ < 0 || numKeys_ > format::kMaxKeys)
    return err::kTooManyKeysDefinition;
  for (int k = 1; k <= numKeys_; ++k) {
    const KeyDef& def = keys_[static_cast<std::size_t>(k)];
    if (!def.defined)
      return err::kKeyNotDefined;
    if (def.length == 0)
      return err::kKeyLengthZero;
    if (def.length > format::kMaxKeyLen)
      return err::kKeyLengthAbove50;
  }
  return 0;
}

// ---------------------------------------------------------------------------------------
// Opening, flushing, closing

bool Fileblock::OpenFiles() {
  if (data_) {
    engine_->Touch(this);
    return true;
  }
  if (const int code = CheckDefinition(); code != 0) {
    Fail(code, kStepDefinition);
    return false;
  }
  const std::size_t slash = base_.rfind('/');
  const std::size_t nameLength = base_.size() - (slash == std::string::npos ? 0 : slash + 1);
  if (base_.size() + 4 > kPathLimit || nameLength + 4 > kNameLimit) {
    Fail(err::kIoError, kStepOpen, 1);
    return false;
  }
  const int slots = numKeys_ > 0 ? 2 : 1;
  if (!engine_->MakeRoom(this, slots)) {
    Fail(err::kNoFileSlots, kStepOpen);
    return false;
  }
  const QuestionCallback question = RetryQuestion();
  auto attempt = [&] {
    return RunWithRetry(RecordFileErrors(), name_, retry_.budget, true, false, question,
                        [this] { return TryOpen(); });
  };
  int code = attempt();
  if (code == 0 && checkIndexAtOpen_)
    code = CheckIndexAfterOpen();
  if (IsRepairable(code)) {
    if (readOnly_) {
      Fail(err::kIndexDamagedReadOnly, kStepOpen);
      return false;
    }
    if (!AskQuestion(kReasonIndexDamaged)) {
      Fail(code, kStepOpen);
      return false;
    }
    if (const int repaired = RunRepair(); repaired != 0) {
      Fail(repaired, kStepRepair);
      return false;
    }
    ForgetPositions();
    code = attempt();
    indexAgrees_ = code == 0 && checkIndexAtOpen_; // rebuilt from the data just now
  }
  if (code != 0) {
    Fail(code, kStepOpen);
    return false;
  }
  engine_->Opened(this, slots);
  damaged_ = false;
  changed_ = false;
  ++contentVersion_; // the files may not be the ones last open
  return true;
}

int Fileblock::TryOpen() {
  FileIo& io = engine_->io();
  data_.reset();
  index_.reset();
  const std::string dat = FilePath("DAT");
  bool mustRepair = false;
  if (!readOnly_) {
    // What an interrupted repair left (".SAV", ".TMP") becomes one data file first, which
    // is then repaired before anything reads it.
    if (Status s =
            ResolveInterruptedRepair(io, base_, recLen_, variable_, recordSize_, &mustRepair);
        !s.ok()) {
      return s.code();
    }
  }
  if (!io.FileExists(dat)) {
    if (!createIfMissing_ || readOnly_)
      return err::kMissingNoCreate;
    if (!AskQuestion(kReasonFileMissing))
      return err::kCreateDeclined;
    for (const char* ext : {"IX", "DIA"}) {
      if (io.FileExists(FilePath(ext))) {
        if (Status s = RemoveFile(io, FilePath(ext)); !s.ok())
          return s.code();
      }
    }
    if (numKeys_ > 0) {
      std::vector<IndexKeyDef> defs;
      for (int k = 1; k <= numKeys_; ++k)
        defs.push_back({keys_[static_cast<std::size_t>(k)].length,
                        keys_[static_cast<std::size_t>(k)].allowDups});
      if (Status s = IndexFile::Create(io, FilePath("IX"), defs, engine_->cache(), nullptr);
          !s.ok())
        return s.code();
    }
    if (Status s = DataFile::Create(io, dat, recLen_, numKeys_, false, nullptr); !s.ok())
      return s.code();
    // new empty files lost in a power loss are created again at the next open
    (void)io.SyncDirectoryOf(dat);
  }
  std::unique_ptr<DataFile> data;
  const Status opened = DataFile::Open(io, dat, readOnly_, &data);
  // A record length that differs from the object's is a wrong definition, not damage:
  // it is never "repaired".
  if (data && data->recLen() >= format::kMinRecLen && data->recLen() != recLen_)
    return err::kRecLenMismatch;
  if (!opened.ok())
    return opened.code();
  if (data->header().inUse != 0 || mustRepair)
    return err::kIndexUnusable;
  // A journal of another writer's save mode: its pages were never applied here.
  if (io.FileExists(FilePath("DIA")))
    return err::kIndexUnusable;
  if (data->header().numKeys != numKeys_)
    return err::kKeyDefinitionMismatch;
  std::unique_ptr<IndexFile> index;
  if (numKeys_ > 0) {
    if (!io.FileExists(FilePath("IX")))
      return err::kIndexUnusable;
    if (Status s =
            IndexFile::Open(io, FilePath("IX"), numKeys_, readOnly_, engine_->cache(), &index);
        !s.ok()) {
      return s.code();
    }
    for (int k = 1; k <= numKeys_; ++k) {
      const KeyDef& def = keys_[static_cast<std::size_t>(k)];
      if (index->key(k).keyLen != def.length || index->key(k).allowDups != def.allowDups)
        return err::kKeyDefinitionMismatch;
    }
  }
  data_ = std::move(data);
  index_ = std::move(index);
  return 0;
}

int Fileblock::RunRepair() {
  RepairJob job;
  job.io = &engine_->io();
  job.cache = &engine_->cache();
  job.base = base_;
  job.name = name_;
  job.recLen = recLen_;
  job.variable = variable_;
  job.recordSize = recordSize_;
  for (int k = 1; k <= numKeys_; ++k)
    job.keys.push_back(
        {keys_[static_cast<std::size_t>(k)].length, keys_[static_cast<std::size_t>(k)].allowDups});
  job.keyBuilder = builder_;
  job.progress = progress_;
  job.operation = operation_;
  job.fileblock = this;
  return RepairFileblock(job).code();
}

int Fileblock::FlushFiles() {
  if (!data_ || readOnly_ || damaged_)
    return 0;
  if (!changed_ && !data_->inUseOnDisk())
    return 0;
  // Records and pages first, then the header that says the files are consistent again.
  if (data_->unsynced()) {
    if (Status s = data_->Sync(); !s.ok())
      return s.code();
  }
  if (index_) {
    if (Status s = index_->Flush(true); !s.ok())
      return s.code();
  }
  if (Status s = data_->WriteHeader(false); !s.ok())
    return s.code();
  if (Status s = data_->Sync(); !s.ok())
    return s.code();
  changed_ = false;
  return 0;
}

int Fileblock::BeginChange() {
  if (readOnly_)
    return err::kReadOnly;
  if (Status s = data_->MarkInUse(); !s.ok())
    return s.code();
  changed_ = true;
  return 0;
}

int Fileblock::AfterChange() {
  if (!flushAfterChange_)
    return 0;
  if (const int code = FlushFiles(); code != 0) {
    Fail(code, kStepFlush);
    return code;
  }
  return 0;
}

int Fileblock::CloseFiles(bool flush) {
  if (!data_)
    return 0;
  int code = 0;
  if (flush && !damaged_) {
    code = FlushFiles();
    if (code != 0)
      Fail(code, kStepFlush);
    if (code == 0 && indexAgrees_)
      NoteAgreeingFiles();
  }
  indexAgrees_ = false;
  if (damaged_ && !readOnly_) {
    // Leave InUse set on disk so that the next open repairs the files. Should this write
    // fail too, the next open still compares the index with the data file.
    (void)data_->MarkInUse();
  }
  if (index_) {
    if (Status s = index_->Close(); !s.ok() && code == 0) {
      code = s.code();
      Fail(s, kStepClose);
    }
    index_.reset();
  }
  if (Status s = data_->Close(); !s.ok() && code == 0) {
    code = s.code();
    Fail(s, kStepClose);
  }
  data_.reset();
  engine_->Closed(this);
  damaged_ = false;
  changed_ = false;
  return code;
}

int Fileblock::LockFile() {
  OperationScope op(this, kOpLockFile);
  if (op.ok())
    (void)OpenFiles(); // a failure is in the channel: op.result()
  return op.result();
}

int Fileblock::UnlockFile() {
  OperationScope op(this, kOpUnlockFile);
  if (op.ok())
    (void)OpenFiles(); // as in LockFile
  return op.result();
}

int Fileblock::EnsureOpen() {
  OperationScope op(this, kOpEnsureOpen);
  if (op.ok())
    (void)OpenFiles(); // as in LockFile
  return op.result();
}

int Fileblock::Close() {
  OperationScope op(this, kOpClose);
  if (op.ok())
    (void)CloseFiles(true); // as in LockFile
  return op.result();
}

int Fileblock::CloseForReplacement() {
  OperationScope op(this, kOpCloseForReplacement);
  if (!op.ok())
    return op.result();
  (void)CloseFiles(true); // as in LockFile
  ForgetPositions();
  return op.result();
}

int Fileblock::CloseForRepair() {
  OperationScope op(this, kOpCloseForRepair);
  if (!op.ok() || !data_)
    return op.result();
  damaged_ = true;         // keeps InUse set on disk
  (void)CloseFiles(false); // as in LockFile
  return op.result();
}

int Fileblock::Repair() {
  OperationScope op(this, kOpRepair);
  if (!op.ok())
    return op.result();
  if (const int code = CheckDefinition(); code != 0) {
    Fail(code, kStepDefinition);
    return op.result();
  }
  if (CloseFiles(true) != 0)
    return op.result();
  if (readOnly_) {
    Fail(err::kReadOnly, kStepRepair);
    return op.result();
  }
  if (const int code = RunRepair(); code != 0)
    Fail(code, kStepRepair);
  ForgetPositions();
  return op.result();
}

} // namespace tarvik
