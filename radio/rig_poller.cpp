#include "radio/rig_poller.h"

#include <utility>

namespace tarvik {

namespace {

RigSnapshot NoConnection(const std::string& reason) {
  RigSnapshot snapshot;
  snapshot.link = RigLink::kNoConnection;
  snapshot.reason = reason;
  return snapshot;
}

RigSnapshot Connected(const RigReading& reading) {
  RigSnapshot snapshot;
  snapshot.link = RigLink::kConnected;
  snapshot.reading = reading;
  return snapshot;
}

} // namespace

RigPoller::RigPoller(std::unique_ptr<RigConnection> connection)
    : RigPoller(std::move(connection), Timing{}) {}

RigPoller::RigPoller(std::unique_ptr<RigConnection> connection, Timing timing)
    : connection_(std::move(connection)), timing_(timing), description_(connection_->Describe()) {}

RigPoller::~RigPoller() {
  Stop();
}

void RigPoller::SetListener(std::function<void()> listener) {
  listener_ = std::move(listener);
}

void RigPoller::Start() {
  std::lock_guard<std::mutex> guard(mutex_);
  if (started_)
    return;
  started_ = true;
  snapshot_ = RigSnapshot{};
  snapshot_.link = RigLink::kNoConnection;
  thread_ = std::thread([this] { Run(); });
}

void RigPoller::Stop() {
  {
    std::lock_guard<std::mutex> guard(mutex_);
    stop_ = true;
  }
  wake_.notify_all();
  connection_->Interrupt();
  if (thread_.joinable())
    thread_.join();
  std::lock_guard<std::mutex> guard(mutex_);
  snapshot_.link = RigLink::kOff;
  snapshot_.reason.clear();
}

RigSnapshot RigPoller::Snapshot() const {
  std::lock_guard<std::mutex> guard(mutex_);
  return snapshot_;
}

bool RigPoller::Pause(std::chrono::milliseconds time) {
  std::unique_lock<std::mutex> lock(mutex_);
  return wake_.wait_for(lock, time, [this] { return stop_; });
}

void RigPoller::Publish(const RigSnapshot& snapshot) {
  bool changed = false;
  {
    std::lock_guard<std::mutex> guard(mutex_);
    if (stop_)
      return;
    changed = snapshot.link != snapshot_.link || snapshot.reading != snapshot_.reading ||
              snapshot.reason != snapshot_.reason;
    const std::uint64_t answers = snapshot_.answers;
    snapshot_ = snapshot;
    snapshot_.answers = answers + (snapshot.link == RigLink::kConnected ? 1 : 0);
  }
  if (changed && listener_)
    listener_();
}

void RigPoller::Run() {
  bool open = false;
  for (;;) {
    {
      std::lock_guard<std::mutex> guard(mutex_);
      if (stop_)
        break;
    }
    if (!open) {
      if (RigResult r = connection_->Open(); !r.ok()) {
        Publish(NoConnection(r.reason()));
        if (Pause(timing_.retry))
          break;
        continue;
      }
      open = true;
    }
    RigReading reading;
    if (RigResult r = connection_->Read(&reading); !r.ok()) {
      // A radio that stopped answering is let go and looked for again: a new connection
      // also clears whatever half answer the old one left behind.
      connection_->Close();
      open = false;
      Publish(NoConnection(r.reason()));
      if (Pause(timing_.retry))
        break;
      continue;
    }
    Publish(Connected(reading));
    if (Pause(timing_.interval))
      break;
  }
  connection_->Close();
}

} // namespace tarvik
