// Replacing a fileblock's data and index file by a new copy: interrupted after every single
// file call, followed by a power loss and the recovery, the live files are always one whole
// pair (old or new; a data file without index counts, its index is rebuilt from it), and no
// copy or marker is left behind.

#include <gtest/gtest.h>

#include "recordfile/file_replacement.h"
#include "support/dying_file_io.h"

namespace tarvik::test {
namespace {

const std::string kLive = "/data/KXLK0001";
const std::string kOldDat = "old data";
const std::string kOldIx = "old index";
const std::string kNewDat = "new data";
const std::string kNewIx = "new index";

enum class State { kOld, kNew, kMixed };

class FileReplacement : public ::testing::Test {
protected:
  void Prepare() {
    memory_ = std::make_unique<MemoryFileIo>();
    memory_->SetFile(kLive + ".DAT", kOldDat);
    memory_->SetFile(kLive + ".IX", kOldIx);
    memory_->SetFile(ReplacementBase(kLive) + ".DAT", kNewDat);
    memory_->SetFile(ReplacementBase(kLive) + ".IX", kNewIx);
  }

  State LiveState() const {
    const std::string dat = memory_->FileContents(kLive + ".DAT");
    const bool hasIx = memory_->FileExists(kLive + ".IX");
    const std::string ix = memory_->FileContents(kLive + ".IX");
    if (dat == kOldDat && (!hasIx || ix == kOldIx))
      return State::kOld;
    if (dat == kNewDat && (!hasIx || ix == kNewIx))
      return State::kNew;
    return State::kMixed;
  }

  bool Leftovers() const {
    return memory_->FileExists(ReplacementMarker(kLive)) ||
           memory_->FileExists(ReplacementBase(kLive) + ".DAT") ||
           memory_->FileExists(ReplacementBase(kLive) + ".IX");
  }

  std::unique_ptr<MemoryFileIo> memory_;
};

TEST_F(FileReplacement, CompleteRunLeavesTheNewPairAndNothingElse) {
  Prepare();
  std::string error;
  ASSERT_TRUE(CommitReplacement(*memory_, kLive, &error)) << error;
  EXPECT_EQ(memory_->FileContents(kLive + ".DAT"), kNewDat);
  EXPECT_EQ(memory_->FileContents(kLive + ".IX"), kNewIx);
  EXPECT_FALSE(Leftovers());
  EXPECT_EQ(RecoverReplacement(*memory_, kLive), ReplacementRecovery::kNothing);
}

TEST_F(FileReplacement, InterruptedAtEveryCallThenPowerLossGivesOneWholePair) {
  Prepare();
  DyingFileIo counting(*memory_);
  std::string error;
  ASSERT_TRUE(CommitReplacement(counting, kLive, &error));
  const long total = counting.calls();
  ASSERT_GT(total, 5);

  bool sawOld = false;
  bool sawNew = false;
  for (long n = 0; n <= total; ++n) {
    SCOPED_TRACE("interrupted after call " + std::to_string(n));
    Prepare();
    DyingFileIo dying(*memory_);
    dying.DieAfter(n);
    const bool committed = CommitReplacement(dying, kLive, &error);
    memory_->Crash(MemoryFileIo::Loss::kUnsynced);
    const ReplacementRecovery recovery = RecoverReplacement(*memory_, kLive);
    EXPECT_NE(recovery, ReplacementRecovery::kFailed);
    const State state = LiveState();
    EXPECT_NE(state, State::kMixed);
    EXPECT_FALSE(Leftovers());
    // A commit that reported success stands after the crash.
    if (committed && !dying.dead()) {
      EXPECT_EQ(state, State::kNew);
    }
    sawOld = sawOld || state == State::kOld;
    sawNew = sawNew || state == State::kNew;
  }
  EXPECT_TRUE(sawOld);
  EXPECT_TRUE(sawNew);
}

TEST_F(FileReplacement, FailureWithoutCrashKeepsTheOldPairOrFinishesTheNewOne) {
  // The process lives on after the failing call: the old pair stays unless the data was
  // replaced already, and the result says which.
  Prepare();
  DyingFileIo counting(*memory_);
  std::string error;
  ASSERT_TRUE(CommitReplacement(counting, kLive, &error));
  const long total = counting.calls();
  for (long n = 0; n < total; ++n) {
    SCOPED_TRACE("failing from call " + std::to_string(n));
    Prepare();
    DyingFileIo dying(*memory_);
    dying.DieAfter(n);
    const bool committed = CommitReplacement(dying, kLive, &error);
    const State state = LiveState();
    EXPECT_EQ(state, committed ? State::kNew : State::kOld);
    if (!committed) {
      EXPECT_FALSE(error.empty());
    }
    // The next open puts things in order with a working file system: a committed copy
    // whose commit could not be finished or undone may be taken then, as the old data is
    // still what it replaces.
    EXPECT_NE(RecoverReplacement(*memory_, kLive), ReplacementRecovery::kFailed);
    EXPECT_NE(LiveState(), State::kMixed);
    if (committed) {
      EXPECT_EQ(LiveState(), State::kNew);
    }
    EXPECT_FALSE(Leftovers());
  }
}

TEST_F(FileReplacement, RecoveryTellsACommittedCopyFromAnUnfinishedOne) {
  // An unfinished copy (no marker) is removed.
  Prepare();
  EXPECT_EQ(RecoverReplacement(*memory_, kLive), ReplacementRecovery::kDiscarded);
  EXPECT_EQ(LiveState(), State::kOld);
  EXPECT_FALSE(Leftovers());
  // A marker whose text was lost in the crash commits nothing.
  Prepare();
  memory_->SetFile(ReplacementMarker(kLive), "");
  EXPECT_EQ(RecoverReplacement(*memory_, kLive), ReplacementRecovery::kDiscarded);
  EXPECT_EQ(LiveState(), State::kOld);
  // A marker for another log does not commit this copy.
  Prepare();
  memory_->SetFile(ReplacementMarker(kLive), "REPLACES /data/KXLK0002\r\n");
  EXPECT_EQ(RecoverReplacement(*memory_, kLive), ReplacementRecovery::kDiscarded);
  EXPECT_EQ(LiveState(), State::kOld);
  // A commit that stopped right after its marker is finished by the recovery.
  std::string error;
  Prepare();
  {
    DyingFileIo dying(*memory_);
    dying.DieAfter(4); // marker created, written, synced, directory synced
    EXPECT_FALSE(CommitReplacement(dying, kLive, &error));
  }
  ASSERT_TRUE(memory_->FileExists(ReplacementMarker(kLive)));
  EXPECT_EQ(RecoverReplacement(*memory_, kLive), ReplacementRecovery::kCompleted);
  EXPECT_EQ(memory_->FileContents(kLive + ".IX"), kNewIx);
  EXPECT_EQ(LiveState(), State::kNew);
  EXPECT_FALSE(Leftovers());
  // The same stop, but the old log was used on afterwards: its changes are kept and the
  // copy that no longer matches it is dropped.
  Prepare();
  {
    DyingFileIo dying(*memory_);
    dying.DieAfter(4);
    EXPECT_FALSE(CommitReplacement(dying, kLive, &error));
  }
  memory_->SetFile(kLive + ".DAT", "old data with one more QSO");
  EXPECT_EQ(RecoverReplacement(*memory_, kLive), ReplacementRecovery::kDiscarded);
  EXPECT_EQ(memory_->FileContents(kLive + ".DAT"), "old data with one more QSO");
  EXPECT_EQ(memory_->FileContents(kLive + ".IX"), kOldIx);
  EXPECT_FALSE(Leftovers());
}

} // namespace
} // namespace tarvik::test
