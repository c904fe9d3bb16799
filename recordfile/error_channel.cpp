#include "recordfile/error_channel.h"

#include <cerrno>
#include <chrono>
#include <random>
#include <thread>

#include "recordfile/engine.h"
#include "recordfile/fileblock.h"

namespace tarvik {

int ErrorClassOf(int code) {
  if (code == 0)
    return 0;
  if (code >= 12288) {
    const int digit = (code >> 12) & 0xF;
    return digit >= 2 ? digit - 2 : 4;
  }
  if (code == 9903 || (code >= 10200 && code <= 10299) || code == 10410)
    return 1;
  switch (code) {
  case 9900:
  case 10065:
  case 10110:
  case 10306:
  case 10330:
  case 10332:
  case 10335:
  case 10355:
  case 10360:
  case 10390:
  case 10397:
  case 10399:
    return 2;
  default:
    break;
  }
  if (code >= 10001 && code <= 10009)
    return 3;
  return 4;
}

int ErrorForFileCall(FileCall call, bool creating, int osError, bool pathMissing) {
  switch (call) {
  case FileCall::kOpen:
    if (osError == ENOENT)
      return (creating || pathMissing) ? 9900 : 9903;
    if (osError == ENOTDIR)
      return 9900;
    if (osError == EMFILE || osError == ENFILE)
      return 9901;
    if (osError == EINVAL && !creating)
      return 9908;
    return 10140;
  case FileCall::kDelete:
  case FileCall::kRename:
    if (osError == ENOENT)
      return pathMissing ? 9900 : 9903;
    if (osError == ENOTDIR)
      return 9900;
    return 10140;
  case FileCall::kWrite:
    if (osError == ENOSPC || osError == EFBIG || osError == EDQUOT)
      return 10075;
    break;
  case FileCall::kFlush:
    if (osError != EBADF)
      return 10150;
    break;
  case FileCall::kClose:
    if (osError != EBADF)
      return 10160;
    break;
  default:
    break;
  }
  return osError == EBADF ? 9904 : 10140;
}

ErrorChannel::ErrorChannel() {
  SetWaitFunction(nullptr);
  SetRandomFunction(nullptr);
}

void ErrorChannel::BeginOperation(int operation, Fileblock* fileblock) {
  severity_ = 0;
  entries_.clear();
  osError_ = 0;
  osFunction_ = 0;
  currentOperation_ = operation;
  currentFileblock_ = fileblock;
}

void ErrorChannel::Record(ErrorEntry entry, int errorClass) {
  entry.errorClass = errorClass >= 0 ? errorClass : ErrorClassOf(entry.code);
  if (entry.osFunction == 0) {
    entry.osError = osError_;
    entry.osFunction = osFunction_;
  }
  if (entries_.size() < kMaxEntries) {
    entries_.push_back(entry);
  } else {
    entries_.back() = entry;
  }
  if (entry.errorClass > severity_)
    severity_ = entry.errorClass;
}

void ErrorChannel::NoteFileFailure(FileCall call, int osError) {
  if (osFunction_ != 0)
    return;
  osFunction_ = static_cast<int>(call);
  osError_ = osError;
}

void ErrorChannel::EndOperation() {
  if (severity_ >= 2) {
    const ErrorEntry* worst = nullptr;
    for (const ErrorEntry& e : entries_) {
      if (worst == nullptr || e.errorClass > worst->errorClass)
        worst = &e;
    }
    if (worst != nullptr && (!failure_.any || worst->errorClass > failure_.entry.errorClass)) {
      failure_.any = true;
      failure_.entry = *worst;
      failure_.entry.fileblock = nullptr;
      failure_.fileblockName = IsFileblock(worst->fileblock) ? worst->fileblock->Name() : "";
    }
  }
  if (!halt_ || halting_ || severity_ < 3)
    return;
  halting_ = true;
  const std::function<void()> halt = halt_;
  halt();
  halting_ = false;
}

void ErrorChannel::SetWaitFunction(std::function<void(int)> wait) {
  if (!wait) {
    wait = [](int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); };
  }
  wait_ = std::move(wait);
}

void ErrorChannel::SetRandomFunction(std::function<int(int)> random) {
  if (!random) {
    random = [engine = std::minstd_rand(std::random_device{}())](int n) mutable {
      if (n <= 1)
        return 1;
      return std::uniform_int_distribution<int>(1, n)(engine);
    };
  }
  random_ = std::move(random);
}

ErrorChannel& RecordFileErrors() {
  static ErrorChannel channel;
  return channel;
}

int RunWithRetry(ErrorChannel& channel, const std::string& name, int budget, bool opening,
                 bool locksHeld, const QuestionCallback& question,
                 const std::function<int()>& call) {
  const bool unlimited = budget >= ErrorChannel::kUnlimitedRetries;
  int counter = opening ? budget - budget / 8 : 0;
  for (;;) {
    const int code = call();
    if (code == 0)
      return 0;
    if (!unlimited)
      ++counter;
    if (ErrorClassOf(code) != 2)
      return code;
    int reason = kReasonLocked;
    if (code == 10110 || code == 9900) {
      reason = code == 10110 ? kReasonDriveNotReady : kReasonDeviceError;
      counter = budget;
    } else if (code == 10335) {
      reason = kReasonRecordLockFailed;
    } else if (code == 10330 || code == 10332) {
      reason = kReasonFileLockFailed;
    }
    const int firstHalf = 2 * counter <= budget;
    const int longest = channel.WaitBase() * (firstHalf ? 3 : 1);
    channel.Wait(channel.Random(longest < 1 ? 1 : longest));
    if (counter >= budget) {
      if (locksHeld && reason != kReasonDriveNotReady && reason != kReasonDeviceError)
        return code;
      const bool again = question ? question(name, reason) : false;
      if (!again)
        return code;
      counter = 0;
    }
  }
}

} // namespace tarvik
