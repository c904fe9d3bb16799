#include "recordfile/engine.h"

#include <algorithm>

#include "base/data_directory.h"
#include "recordfile/engine_state.h"
#include "recordfile/file_calls.h"
#include "recordfile/file_io.h"
#include "recordfile/status.h"

namespace tarvik {

namespace {

std::unique_ptr<Engine> gEngine;

enum Operation : int {
  kOpInitEngine = 38,
  kOpExitEngine = 96,
  kOpCloseAll = 68,
  kOpFindFileblock = 101,
  kOpCreateFileblock = 39,
  kOpDestroyFileblock = 4136,
};

/// Ends an engine-level operation (the halt-on-error switch looks at its severity), unless
/// it was refused as started inside another operation, which then ends for both.
class EngineOperationEnd {
public:
  ~EngineOperationEnd() {
    if (!reentered)
      RecordFileErrors().EndOperation();
  }
  bool reentered = false;
};

/// Starts an engine-level operation; false (with the error recorded) when it may not run.
[[nodiscard]] bool BeginEngineOperation(int operation, EngineOperationEnd& end,
                                        bool needsEngine = true) {
  ErrorChannel& ch = RecordFileErrors();
  if (gEngine && gEngine->busy()) {
    ch.Record({.code = err::kReentered, .operation = operation});
    end.reentered = true;
    return false;
  }
  ch.BeginOperation(operation, nullptr);
  if (needsEngine && !gEngine) {
    ch.Record({.code = err::kNotInitialised, .operation = operation});
    return false;
  }
  return true;
}

int Fail(int operation, int code, Fileblock* fb = nullptr) {
  RecordFileErrors().Record({.code = code, .operation = operation, .fileblock = fb});
  return RecordFileErrors().Severity();
}

/// The path of a fileblock's files without extension: relative names lie in the data
/// directory remembered at start (not in whatever the working directory is now), and an
/// extension of the last path component is dropped.
std::string ResolveBase(const std::string& fileName) {
  std::string path = DataPath(fileName);
  const auto slash = path.rfind('/');
  const auto dot = path.rfind('.');
  if (dot != std::string::npos && (slash == std::string::npos || dot > slash))
    path.resize(dot);
  return path;
}

unsigned char FoldNameChar(unsigned char c) {
  if (c >= 'a' && c <= 'z')
    return static_cast<unsigned char>(c - 'a' + 'A');
  switch (c) {
  case 0x84:
    return 0x8E;
  case 0x94:
    return 0x99;
  case 0x81:
    return 0x9A;
  default:
    return c;
  }
}

} // namespace

Engine* RunningEngine() {
  return gEngine.get();
}

bool Engine::IsRegistered(const Fileblock* fb) const {
  return std::any_of(fileblocks_.begin(), fileblocks_.end(),
                     [fb](const auto& p) { return p.get() == fb; });
}

std::unique_ptr<Fileblock> Engine::Unregister(Fileblock* fb) {
  for (auto it = fileblocks_.begin(); it != fileblocks_.end(); ++it) {
    if (it->get() == fb) {
      std::unique_ptr<Fileblock> owned = std::move(*it);
      fileblocks_.erase(it);
      return owned;
    }
  }
  return nullptr;
}

bool Engine::MakeRoom(const Fileblock* opening, int slots) {
  while (used_ + slots > budget_) {
    auto victim = std::find_if(ring_.begin(), ring_.end(),
                               [opening](const OpenSlot& s) { return s.fileblock != opening; });
    if (victim == ring_.end())
      return false;
    // Closing reports its own errors into the channel; the open goes on regardless.
    (void)victim->fileblock->CloseFiles(true);
  }
  return true;
}

void Engine::Opened(Fileblock* fb, int slots) {
  Closed(fb);
  ring_.push_back({fb, slots});
  used_ += slots;
}

void Engine::Closed(Fileblock* fb) {
  for (auto it = ring_.begin(); it != ring_.end(); ++it) {
    if (it->fileblock == fb) {
      used_ -= it->slots;
      ring_.erase(it);
      return;
    }
  }
}

void Engine::Touch(Fileblock* fb) {
  if (!ring_.empty() && ring_.back().fileblock == fb)
    return;
  for (auto it = ring_.begin(); it != ring_.end(); ++it) {
    if (it->fileblock == fb) {
      ring_.splice(ring_.end(), ring_, it);
      return;
    }
  }
}

int InitEngine(int pageBuffers, int openFileBudget, FileIo* io) {
  EngineOperationEnd end;
  if (!BeginEngineOperation(kOpInitEngine, end, false))
    return RecordFileErrors().Severity();
  if (gEngine)
    return Fail(kOpInitEngine, err::kInitialisedTwice);
  if (openFileBudget <= 6)
    return Fail(kOpInitEngine, err::kBudgetTooSmall);
  if (pageBuffers < 8)
    return Fail(kOpInitEngine, err::kTooFewBuffers);
  gEngine = std::make_unique<Engine>(pageBuffers, openFileBudget, io ? *io : PosixFileIo());
  return 0;
}

bool EngineRunning() {
  return gEngine != nullptr;
}

bool EngineBusy() {
  return gEngine != nullptr && gEngine->busy();
}
FileIo& EngineFileIo() {
  return gEngine->io();
}

int CloseAll() {
  EngineOperationEnd end;
  if (!BeginEngineOperation(kOpCloseAll, end))
    return RecordFileErrors().Severity();
  for (const auto& fb : gEngine->fileblocks())
    // each close reports its failure into the channel; the severity is returned
    (void)fb->CloseFiles(true);
  return RecordFileErrors().Severity();
}

int ExitEngine() {
  EngineOperationEnd end;
  if (!BeginEngineOperation(kOpExitEngine, end))
    return RecordFileErrors().Severity();
  if (!gEngine->fileblocks().empty())
    return Fail(kOpExitEngine, err::kExitWithObjects);
  gEngine.reset();
  return 0;
}

Fileblock* CreateFileblock(const FileblockParams& params) {
  EngineOperationEnd end;
  if (!BeginEngineOperation(kOpCreateFileblock, end))
    return nullptr;
  const std::string base = ResolveBase(params.fileName);
  // An empty data file is removed; a backup copy, when there is one, takes its place and
  // the index is rebuilt from it at the first open.
  FileIo& io = gEngine->io();
  const std::string dat = base + ".DAT";
  std::unique_ptr<File> file;
  if (io.Open(dat, FileIo::Mode::kReadOnly, FileIo::Lock::kNone, &file).ok()) {
    std::uint64_t size = 1;
    const bool empty = file->Size(&size).ok() && size == 0;
    file.reset();
    if (empty) {
      // the .ALT (or nothing) takes its place; a failure is in the channel
      (void)RemoveFile(io, dat);
      if (io.FileExists(base + ".ALT") && RenameFile(io, base + ".ALT", dat).ok()) {
        if (io.FileExists(base + ".IX"))
          // an index that stays is compared with its data at open
          (void)RemoveFile(io, base + ".IX");
      }
    }
  }
  std::unique_ptr<Fileblock> fb(
      new Fileblock(gEngine.get(), params.name, base, params.variable, params.createIfMissing,
                    params.recordLength, params.numKeys,
                    params.bufferSize > 0 ? params.bufferSize : params.recordLength,
                    params.keyBuilder, params.retryBudget));
  fb->readOnly_ = params.readOnly;
  Fileblock* raw = fb.get();
  gEngine->Register(std::move(fb));
  return raw;
}

int DestroyFileblock(Fileblock* fileblock) {
  EngineOperationEnd end;
  if (!BeginEngineOperation(kOpDestroyFileblock, end))
    return RecordFileErrors().Severity();
  if (!gEngine->IsRegistered(fileblock))
    return Fail(kOpDestroyFileblock, err::kInvalidObject);
  (void)fileblock->CloseFiles(true); // a failure is in the channel, whose severity is returned
  gEngine->Unregister(fileblock);
  return RecordFileErrors().Severity();
}

Fileblock* FindFileblock(const std::string& name) {
  EngineOperationEnd end;
  if (!BeginEngineOperation(kOpFindFileblock, end))
    return nullptr;
  for (const auto& fb : gEngine->fileblocks()) {
    if (SameFileblockName(fb->Name(), name))
      return fb.get();
  }
  Fail(kOpFindFileblock, err::kNoSuchFileblock);
  return nullptr;
}

bool IsFileblock(const Fileblock* fileblock) {
  return gEngine != nullptr && fileblock != nullptr && gEngine->IsRegistered(fileblock);
}

bool SameFileblockName(const std::string& a, const std::string& b) {
  if (a.size() != b.size())
    return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (FoldNameChar(static_cast<unsigned char>(a[i])) !=
        FoldNameChar(static_cast<unsigned char>(b[i])))
      return false;
  }
  return true;
}

} // namespace tarvik
