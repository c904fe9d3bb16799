#pragma once
// The radio polled on a thread of its own: the poller opens its connection, asks the radio
// for frequency and mode every interval, and keeps the newest answer in a snapshot that any
// thread can read at once (a short lock, never held while the radio is asked). A radio that
// cannot be reached or does not answer turns the snapshot into "no connection", and the
// poller tries again after the retry interval, so that a radio switched on later is found.
//
// Stop() (and the destructor) ends the thread promptly: it interrupts the call that is
// waiting for the radio and joins the thread.

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "radio/rig_connection.h"

namespace tarvik {

/// The state of the link to the radio.
enum class RigLink {
  kOff,          ///< not polling
  kNoConnection, ///< polling, but the radio has not answered (yet, or any more)
  kConnected,    ///< the radio answered the last question
};

/// What the poller knows about the radio.
struct RigSnapshot {
  RigLink link = RigLink::kOff;
  RigReading reading; ///< the last answer; meaningful while connected
  std::string reason; ///< why there is no connection ("" while connected or off)
  /// Answers received since the poller started (tells a fresh answer from the one before).
  std::uint64_t answers = 0;
};

class RigPoller {
public:
  struct Timing {
    std::chrono::milliseconds interval{500}; ///< between two questions to a radio that answers
    std::chrono::milliseconds retry{1000};   ///< before trying again after a failure
  };

  /// Polls through `connection` (not yet opened). REQUIRES: connection != nullptr.
  explicit RigPoller(std::unique_ptr<RigConnection> connection);
  RigPoller(std::unique_ptr<RigConnection> connection, Timing timing);
  /// Stops the thread (see Stop).
  ~RigPoller();
  RigPoller(const RigPoller&) = delete;
  RigPoller& operator=(const RigPoller&) = delete;

  /// Called on the polling thread whenever the snapshot changes (after the lock is left).
  /// REQUIRES: before Start().
  void SetListener(std::function<void()> listener);

  /// Starts the thread. A poller starts once; after Stop() it stays stopped.
  void Start();
  /// Interrupts the question the thread is waiting on, ends the thread and joins it, and
  /// closes the connection. The snapshot's link becomes kOff. Returns at once when the
  /// thread is not running.
  void Stop();
  bool Running() const { return thread_.joinable(); }

  /// The newest snapshot; never waits for the radio.
  RigSnapshot Snapshot() const;
  /// What is polled ("rigctld localhost:4532").
  std::string Describe() const { return description_; }

private:
  void Run();
  void Publish(const RigSnapshot& snapshot);
  /// Waits `time` or until Stop(); true when the poller is to stop.
  [[nodiscard]] bool Pause(std::chrono::milliseconds time);

  std::unique_ptr<RigConnection> connection_;
  const Timing timing_;
  const std::string description_;
  std::function<void()> listener_;
  mutable std::mutex mutex_;
  std::condition_variable wake_;
  bool stop_ = false;
  bool started_ = false;
  RigSnapshot snapshot_;
  std::thread thread_;
};

} // namespace tarvik
