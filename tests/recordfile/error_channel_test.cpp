// The error channel: classes of error numbers, the four-entry stack, the mapping of
// operating-system errors and the retry rule.

#include "recordfile/error_channel.h"

#include <gtest/gtest.h>

#include <cerrno>

namespace tarvik {
namespace {

TEST(ErrorChannel, ClassOfEveryRange) {
  struct Case {
    int code;
    int cls;
  };
  const Case cases[] = {
      {0, 0},     {9903, 1},  {10200, 1}, {10230, 1}, {10299, 1}, {10410, 1},
      {9900, 2},  {10065, 2}, {10335, 2}, {10399, 2}, {10001, 3}, {10009, 3},
      {10010, 4}, {10070, 4}, {10140, 4}, {9904, 4},  {10465, 4}, {12289, 1},
      {12364, 1}, {16478, 2}, {24653, 4}, {24607, 4}, {28675, 5}, {28770, 5},
  };
  for (const Case& c : cases)
    EXPECT_EQ(ErrorClassOf(c.code), c.cls) << c.code;
}

TEST(ErrorChannel, FifthErrorReplacesTheFourth) {
  ErrorChannel ch;
  ch.BeginOperation(16398, nullptr);
  ch.Record({.code = 10070});    // class 4
  ch.Record({.code = 10200});    // class 1
  ch.Record({.code = 10220}, 0); // tolerated: class 0
  ch.Record({.code = 12289});    // class 1
  ch.Record({.code = 28689});    // class 5 replaces the fourth
  ASSERT_EQ(ch.Entries().size(), 4u);
  EXPECT_EQ(ch.Entries()[0].code, 10070);
  EXPECT_EQ(ch.Entries()[2].errorClass, 0);
  EXPECT_EQ(ch.Entries()[3].code, 28689);
  EXPECT_EQ(ch.Severity(), 5);
  ch.Record({.code = 10200});
  EXPECT_EQ(ch.Entries()[3].code, 10200);
  EXPECT_EQ(ch.Severity(), 5); // the worst of all five
  ch.BeginOperation(16392, nullptr);
  EXPECT_EQ(ch.Severity(), 0);
  EXPECT_TRUE(ch.Entries().empty());
}

TEST(ErrorChannel, TheWorstFailureOutlivesLaterOperationsUntilCleared) {
  ErrorChannel ch;
  ch.BeginOperation(16398, nullptr);
  ch.NoteFileFailure(FileCall::kWrite, ENOSPC);
  ch.Record({.code = 10200}); // class 1: not a failure
  ch.Record({.code = 10075}); // class 4
  ch.EndOperation();
  ch.BeginOperation(4178, nullptr); // a later close fails too, no worse
  ch.NoteFileFailure(FileCall::kClose, EIO);
  ch.Record({.code = 10160});
  ch.EndOperation();
  ch.BeginOperation(16392, nullptr); // and one that finds nothing
  ch.Record({.code = 10200});
  ch.EndOperation();
  ASSERT_TRUE(ch.LastFailure().any);
  EXPECT_EQ(ch.LastFailure().entry.code, 10075);
  EXPECT_EQ(ch.LastFailure().entry.osError, ENOSPC);
  EXPECT_EQ(ch.LastFailure().entry.osFunction, 0x4000);
  ch.BeginOperation(16398, nullptr); // a worse one replaces it
  ch.Record({.code = 28689});
  ch.EndOperation();
  EXPECT_EQ(ch.LastFailure().entry.code, 28689);
  ch.ClearFailureNote();
  EXPECT_FALSE(ch.LastFailure().any);
  ch.BeginOperation(8217, nullptr); // severity 1 never counts
  ch.Record({.code = 9903});
  ch.EndOperation();
  EXPECT_FALSE(ch.LastFailure().any);
}

TEST(ErrorChannel, FirstFailingFileCallOfAnOperationWins) {
  ErrorChannel ch;
  ch.BeginOperation(8217, nullptr);
  ch.NoteFileFailure(FileCall::kOpen, ENOENT);
  ch.NoteFileFailure(FileCall::kWrite, EIO);
  ch.Record({.code = 9903});
  EXPECT_EQ(ch.Entries()[0].osFunction, 0x6C00);
  EXPECT_EQ(ch.Entries()[0].osError, ENOENT);
  ch.BeginOperation(8217, nullptr);
  ch.Record({.code = 10010});
  EXPECT_EQ(ch.Entries()[0].osFunction, 0);
}

TEST(ErrorChannel, OperatingSystemErrorsMapToEngineNumbers) {
  EXPECT_EQ(ErrorForFileCall(FileCall::kOpen, false, ENOENT, false), 9903);
  EXPECT_EQ(ErrorForFileCall(FileCall::kOpen, false, ENOENT, true), 9900);
  EXPECT_EQ(ErrorForFileCall(FileCall::kOpen, true, ENOENT, false), 9900);
  EXPECT_EQ(ErrorForFileCall(FileCall::kOpen, false, EMFILE, false), 9901);
  EXPECT_EQ(ErrorForFileCall(FileCall::kOpen, false, EWOULDBLOCK, false), 10140);
  EXPECT_EQ(ErrorForFileCall(FileCall::kOpen, false, EACCES, false), 10140);
  EXPECT_EQ(ErrorForFileCall(FileCall::kRename, false, ENOENT, false), 9903);
  EXPECT_EQ(ErrorForFileCall(FileCall::kDelete, false, ENOENT, true), 9900);
  EXPECT_EQ(ErrorForFileCall(FileCall::kRead, false, EBADF, false), 9904);
  EXPECT_EQ(ErrorForFileCall(FileCall::kRead, false, EIO, false), 10140);
  EXPECT_EQ(ErrorForFileCall(FileCall::kWrite, false, ENOSPC, false), 10075);
  EXPECT_EQ(ErrorForFileCall(FileCall::kFlush, false, EIO, false), 10150);
}

struct RetryRun {
  std::vector<int> waits;
  std::vector<int> reasons;
  int calls = 0;
};

RetryRun Retry(int budget, bool opening, std::vector<int> results, std::vector<bool> answers,
               bool locksHeld = false) {
  RetryRun run;
  ErrorChannel ch;
  ch.SetWaitFunction([&](int ms) { run.waits.push_back(ms); });
  ch.SetRandomFunction([](int n) { return n; }); // always the longest wait
  std::size_t answer = 0;
  const QuestionCallback question = [&](const std::string&, int reason) {
    run.reasons.push_back(reason);
    return answer < answers.size() && answers[answer++];
  };
  const int code = RunWithRetry(ch, "KXKK", budget, opening, locksHeld, question, [&] {
    const int r = run.calls < static_cast<int>(results.size())
                      ? results[static_cast<std::size_t>(run.calls)]
                      : results.back();
    ++run.calls;
    return r;
  });
  run.calls = run.calls * (code == 0 ? 1 : -1); // negative: ended in failure
  return run;
}

TEST(ErrorChannel, RetryRuleWaitsThenAsks) {
  // A busy error (class 2) with budget 32: 16 waits of up to 90 ms, 16 of up to 30 ms, then
  // the question; "no" ends the retries.
  RetryRun busy = Retry(32, false, {10065}, {false});
  EXPECT_EQ(busy.calls, -32);
  ASSERT_EQ(busy.waits.size(), 32u);
  EXPECT_EQ(busy.waits.front(), 90);
  EXPECT_EQ(busy.waits[15], 90);
  EXPECT_EQ(busy.waits[16], 30);
  EXPECT_EQ(busy.reasons, std::vector<int>{kReasonLocked});

  // Opening starts at budget - budget / 8: the question comes after 4 attempts, and "yes"
  // starts the count again from 0.
  RetryRun open = Retry(32, true, {10065, 10065, 10065, 10065, 0}, {true});
  EXPECT_EQ(open.calls, 5);
  EXPECT_EQ(open.reasons, std::vector<int>{kReasonLocked});

  // Errors of other classes are not retried.
  RetryRun serious = Retry(32, false, {10070}, {});
  EXPECT_EQ(serious.calls, -1);
  EXPECT_TRUE(serious.waits.empty());

  // A missing path asks at once with reason 8; a lock wait is not asked while locks are
  // held (reason 1), but a device error still is.
  RetryRun path = Retry(32, false, {9900}, {false});
  EXPECT_EQ(path.calls, -1);
  EXPECT_EQ(path.reasons, std::vector<int>{kReasonDeviceError});
  RetryRun locked = Retry(4, false, {10330}, {true}, true);
  EXPECT_EQ(locked.calls, -4);
  EXPECT_TRUE(locked.reasons.empty());
  RetryRun fileLock = Retry(2, false, {10330, 10335}, {false});
  EXPECT_EQ(fileLock.reasons, std::vector<int>{kReasonRecordLockFailed});

  // Budget 65535: never asks, retries until success.
  RetryRun unlimited = Retry(65535, false,
                             [] {
                               std::vector<int> r(200, 10065);
                               r.push_back(0);
                               return r;
                             }(),
                             {});
  EXPECT_EQ(unlimited.calls, 201);
  EXPECT_TRUE(unlimited.reasons.empty());
  EXPECT_EQ(unlimited.waits.front(), 90);
}

} // namespace
} // namespace tarvik
