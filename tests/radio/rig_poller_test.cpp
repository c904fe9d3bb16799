// The radio polled on its own thread: answers reach the snapshot, a radio that cannot be
// reached or stops answering is shown as such and looked for again, and stopping ends even a
// wait on a radio that never answers.

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>

#include "radio/rig_poller.h"

namespace tarvik {
namespace {

using namespace std::chrono_literals;

/// What the scripted radio does, shared between the test and the polling thread. Every
/// change and every call of the poller wakes the waiting test.
struct RadioScript {
  std::mutex mutex;
  std::condition_variable changed;
  bool reachable = true;
  bool silent = false; // Read waits until interrupted
  int failReads = 0;   // the next reads that fail
  RigReading reading{3550000, "LSB"};
  int opens = 0, reads = 0, closes = 0;
  bool waitingInRead = false;
  bool interrupted = false;
  bool silentWaitRanOut = false;

  void Change(const std::function<void()>& change) {
    {
      std::lock_guard<std::mutex> guard(mutex);
      change();
    }
    changed.notify_all();
  }
  /// Waits until `condition` holds (checked under the lock); false after 20 s.
  bool WaitFor(const std::function<bool()>& condition) {
    std::unique_lock<std::mutex> lock(mutex);
    return changed.wait_for(lock, 20s, condition);
  }
};

class ScriptedRadio final : public RigConnection {
public:
  explicit ScriptedRadio(RadioScript& script) : s_(script) {}
  RigResult Open() override {
    std::unique_lock<std::mutex> lock(s_.mutex);
    ++s_.opens;
    s_.changed.notify_all();
    return s_.reachable ? RigResult::Ok() : RigResult::Failed("switched off");
  }
  RigResult Read(RigReading* reading) override {
    std::unique_lock<std::mutex> lock(s_.mutex);
    ++s_.reads;
    s_.changed.notify_all();
    if (s_.silent) {
      s_.waitingInRead = true;
      s_.changed.notify_all();
      // A hang guard: the poller must interrupt long before this.
      s_.silentWaitRanOut = !s_.changed.wait_for(lock, 60s, [this] { return s_.interrupted; });
      s_.waitingInRead = false;
      return RigResult::Failed("interrupted");
    }
    if (s_.failReads > 0) {
      --s_.failReads;
      return RigResult::Failed("no answer");
    }
    *reading = s_.reading;
    return RigResult::Ok();
  }
  void Close() override {
    std::lock_guard<std::mutex> guard(s_.mutex);
    ++s_.closes;
  }
  void Interrupt() override {
    s_.Change([this] { s_.interrupted = true; });
  }
  std::string Describe() const override { return "scripted radio"; }

private:
  RadioScript& s_;
};

class Poller : public ::testing::Test {
protected:
  void SetUp() override {
    poller_ = std::make_unique<RigPoller>(std::make_unique<ScriptedRadio>(script_),
                                          RigPoller::Timing{1ms, 1ms});
    poller_->SetListener([this] { script_.Change([] {}); });
  }
  /// Waits until the snapshot satisfies `condition`.
  bool WaitForSnapshot(const std::function<bool(const RigSnapshot&)>& condition) {
    return script_.WaitFor([&] { return condition(poller_->Snapshot()); });
  }
  static bool Shows(const RigSnapshot& s, double hz, const char* mode) {
    return s.link == RigLink::kConnected && s.reading == RigReading{hz, mode};
  }

  RadioScript script_;
  std::unique_ptr<RigPoller> poller_;
};

TEST_F(Poller, AnswersReachTheSnapshotUntilStopped) {
  EXPECT_EQ(poller_->Snapshot().link, RigLink::kOff);
  EXPECT_EQ(poller_->Describe(), "scripted radio");
  poller_->Start();
  ASSERT_TRUE(WaitForSnapshot([](const RigSnapshot& s) { return Shows(s, 3550000, "LSB"); }));
  EXPECT_TRUE(poller_->Snapshot().reason.empty());
  script_.Change([this] { script_.reading = {14074000, "PKTUSB"}; });
  ASSERT_TRUE(WaitForSnapshot([](const RigSnapshot& s) { return Shows(s, 14074000, "PKTUSB"); }));
  // Every answer counts, also one that repeats the last.
  const std::uint64_t answers = poller_->Snapshot().answers;
  ASSERT_TRUE(WaitForSnapshot([&](const RigSnapshot& s) { return s.answers > answers + 2; }));
  poller_->Stop();
  EXPECT_FALSE(poller_->Running());
  EXPECT_EQ(poller_->Snapshot().link, RigLink::kOff);
  EXPECT_EQ(script_.opens, 1);
  EXPECT_EQ(script_.closes, 1) << "the connection is closed when polling ends";
  poller_->Start(); // a stopped poller stays stopped
  EXPECT_FALSE(poller_->Running());
}

TEST_F(Poller, AnUnreachableOrSilentRadioIsShownAndLookedForAgain) {
  script_.reachable = false;
  poller_->Start();
  ASSERT_TRUE(WaitForSnapshot([](const RigSnapshot& s) {
    return s.link == RigLink::kNoConnection && s.reason == "switched off";
  }));
  ASSERT_TRUE(script_.WaitFor([this] { return script_.opens >= 3; })) << "retried";
  // The radio is switched on: it is found.
  script_.Change([this] { script_.reachable = true; });
  ASSERT_TRUE(WaitForSnapshot([](const RigSnapshot& s) { return Shows(s, 3550000, "LSB"); }));
  // It stops answering: no connection, the connection is dropped and opened again.
  const int opens = script_.opens;
  script_.Change([this] { script_.failReads = 2; });
  ASSERT_TRUE(WaitForSnapshot([](const RigSnapshot& s) {
    return s.link == RigLink::kNoConnection && s.reason == "no answer";
  }));
  ASSERT_TRUE(WaitForSnapshot([](const RigSnapshot& s) { return Shows(s, 3550000, "LSB"); }));
  EXPECT_GE(script_.opens, opens + 2);
  EXPECT_GE(script_.closes, 2);
}

TEST_F(Poller, StoppingEndsAWaitOnARadioThatNeverAnswers) {
  script_.silent = true;
  poller_->Start();
  ASSERT_TRUE(script_.WaitFor([this] { return script_.waitingInRead; }));
  EXPECT_EQ(poller_->Snapshot().link, RigLink::kNoConnection) << "no answer yet";
  poller_->Stop();
  EXPECT_FALSE(poller_->Running());
  EXPECT_TRUE(script_.interrupted);
  EXPECT_FALSE(script_.silentWaitRanOut);
  EXPECT_EQ(poller_->Snapshot().link, RigLink::kOff);
}

} // namespace
} // namespace tarvik
