#pragma once
// The process-wide error channel of the record-file engine. Every fileblock operation
// clears it when it starts and leaves its severity behind: 0 done, 1 not found or end of
// index, 2 busy after the user declined to retry, 3 undone, 4 serious, 5 misuse. Up to
// four error entries describe what failed; the program's error handler turns them into a
// message and a report. The channel also holds the question callback through which the
// engine asks whether to retry, create or rebuild, and the wait and random sources of the
// retry rule (replaceable, so tests never sleep).

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace tarvik {

class Fileblock;

/// The file call that failed, as recorded in an error entry.
enum class FileCall : std::uint16_t {
  kNone = 0,
  kOpen = 0x6C00,
  kClose = 0x3E00,
  kRead = 0x3F00,
  kWrite = 0x4000,
  kSeek = 0x4200,
  kTell = 0x4201,
  kSize = 0x4202,
  kDelete = 0x4100,
  kRename = 0x5600,
  kFlush = 0x6800,
  kExists = 0x4300,
};

/// Why the engine asks its question callback.
enum QuestionReason : int {
  kReasonLocked = 1,
  kReasonRecordLockFailed = 2,
  kReasonFileLockFailed = 3,
  kReasonRecordDeleted = 4, // the record to update was deleted: add it anew?
  kReasonIndexDamaged = 5,  // rebuild the index?
  kReasonFileMissing = 6,   // create the missing files?
  kReasonDriveNotReady = 7,
  kReasonDeviceError = 8,
};

/// (logical name of the fileblock, reason) -> yes.
using QuestionCallback = std::function<bool(const std::string& name, int reason)>;

struct ErrorEntry {
  int errorClass = 0;
  int code = 0;
  int keyNumber = 0;
  std::int32_t recordNumber = 0;
  int operation = 0;
  int step = 0;
  int position = 0;
  int osError = 0;    // errno of the first failing file call of the operation
  int osFunction = 0; // FileCall of that call
  Fileblock* fileblock = nullptr;
};

/// The worst failure of the operations since it was last cleared, kept across later
/// operations (each of which clears the stack), so that whoever ran them can still say what
/// went wrong: the first entry of the highest class of the operation that ended worst, and
/// the name of its fileblock (the object may be gone when the note is read).
struct FailureNote {
  bool any = false;
  ErrorEntry entry;          ///< entry.fileblock is not kept (nullptr)
  std::string fileblockName; ///< "" when the entry named no fileblock
};

/// The severity class of an error number: for engine numbers below 12288 the fixed
/// table (1 not found, 2 busy/device, 3 undone, 4 other); from 12288 on the top
/// hexadecimal digit minus 2.
int ErrorClassOf(int code);

/// The error number of a failed file call: `osError` is the errno, `pathMissing` whether
/// the directory of the file is missing.
int ErrorForFileCall(FileCall call, bool creating, int osError, bool pathMissing);

class ErrorChannel {
public:
  static constexpr int kMaxEntries = 4;
  static constexpr int kUnlimitedRetries = 65535;

  ErrorChannel();

  /// The highest class recorded since the current operation started.
  int Severity() const { return severity_; }
  /// The entries of the current operation, oldest first (at most 4; a fifth and later
  /// error overwrites the fourth).
  const std::vector<ErrorEntry>& Entries() const { return entries_; }
  /// The fileblock of the operation in progress, or of the last one.
  Fileblock* CurrentFileblock() const { return currentFileblock_; }
  int CurrentOperation() const { return currentOperation_; }

  /// Starts an operation: clears severity, entries and the remembered file failure.
  void BeginOperation(int operation, Fileblock* fileblock);
  /// Records an error; `errorClass` < 0 takes the class of the number.
  void Record(ErrorEntry entry, int errorClass = -1);
  /// Remembers a failing file call; the first failure of an operation wins.
  void NoteFileFailure(FileCall call, int osError);
  /// Called by the engine when an operation has ended (after its clean-up). An operation
  /// that ended with severity 2 or more updates the failure note. With a halt handler
  /// installed and a severity of 3 or more, the handler runs (never re-entered).
  void EndOperation();

  /// The worst failure since ClearFailureNote (any = false when there was none).
  const FailureNote& LastFailure() const { return failure_; }
  void ClearFailureNote() { failure_ = FailureNote(); }

  /// The halt-on-error switch: `handler` runs when an operation ends with severity 3 or
  /// more (empty: off). The program ends itself from there.
  void SetHaltHandler(std::function<void()> handler) { halt_ = std::move(handler); }

  const std::string& DumpFileName() const { return dumpFileName_; }
  void SetDumpFileName(const std::string& name) { dumpFileName_ = name; }

  const QuestionCallback& Question() const { return question_; }
  void SetQuestion(QuestionCallback question) { question_ = std::move(question); }

  /// Wait base of the retry rule in milliseconds (30; the browse grid lowers it briefly).
  int WaitBase() const { return waitBaseMs_; }
  void SetWaitBase(int ms) { waitBaseMs_ = ms; }
  /// Replaces the millisecond sleep (default: the thread sleeps).
  void SetWaitFunction(std::function<void(int ms)> wait);
  /// Replaces the random source: returns a number in 1..n (default: a seeded generator).
  void SetRandomFunction(std::function<int(int n)> random);
  void Wait(int ms) { wait_(ms); }
  int Random(int n) { return random_(n); }

private:
  int severity_ = 0;
  std::vector<ErrorEntry> entries_;
  Fileblock* currentFileblock_ = nullptr;
  int currentOperation_ = 0;
  int osError_ = 0;
  int osFunction_ = 0;
  std::string dumpFileName_ = "IFDErr.Dmp";
  QuestionCallback question_;
  int waitBaseMs_ = 30;
  std::function<void(int)> wait_;
  std::function<int(int)> random_;
  std::function<void()> halt_;
  bool halting_ = false;
  FailureNote failure_;
};

/// The process-wide channel.
ErrorChannel& RecordFileErrors();

/// The retry rule around one engine call. `call` returns an error number (0 = done).
/// Repeats calls that fail with a class-2 error, waiting a random 1-90 ms (1-30 ms in the
/// second half of the budget) between attempts, and asks `question` (reason 1, 7 or 8)
/// when the budget is used up; a budget of 65535 retries without limit. `opening` starts
/// the count so that the question comes after an eighth of the budget. Returns the last
/// error number.
[[nodiscard]] int RunWithRetry(ErrorChannel& channel, const std::string& name, int budget,
                               bool opening, bool locksHeld, const QuestionCallback& question,
                               const std::function<int()>& call);

} // namespace tarvik
