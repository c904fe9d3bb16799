// The connection through Hamlib's library: the radio model's driver talks to the radio on its
// serial port (or whatever port the model uses). Hamlib's own timeout bounds every call;
// it is set to one second without retries, so that a radio that does not answer holds the
// polling thread at most that long.

#include <hamlib/rig.h>

#include <algorithm>
#include <atomic>
#include <mutex>
#include <string>
#include <vector>

#include "radio/rig_connection.h"

namespace tarvik {

namespace {

constexpr const char* kTimeoutMs = "1000";

// Hamlib keeps its list of drivers in global tables that loading a driver changes: creating
// a radio and walking the list go through this lock.
std::mutex& HamlibGlobals() {
  static std::mutex lock;
  return lock;
}

void QuietHamlib() {
  // Hamlib's trace goes to the error output; the log shows its own messages instead.
  rig_set_debug(RIG_DEBUG_NONE);
}

class HamlibConnection final : public RigConnection {
public:
  HamlibConnection(int model, std::string device, int baud)
      : model_(model), device_(std::move(device)), baud_(baud) {}
  ~HamlibConnection() override { Close(); }

  RigResult Open() override {
    if (interrupted_)
      return RigResult::Failed("interrupted");
    {
      std::lock_guard<std::mutex> guard(HamlibGlobals());
      QuietHamlib();
      rig_ = rig_init(static_cast<rig_model_t>(model_));
    }
    if (rig_ == nullptr)
      return RigResult::Failed("Hamlib knows no radio model " + std::to_string(model_));
    RigResult set = Configure("timeout", kTimeoutMs);
    if (set.ok())
      set = Configure("retry", "0");
    if (set.ok() && !device_.empty())
      set = Configure("rig_pathname", device_);
    if (set.ok() && baud_ > 0)
      set = Configure("serial_speed", std::to_string(baud_));
    if (!set.ok()) {
      Release(false);
      return set;
    }
    if (const int rc = rig_open(rig_); rc != RIG_OK) {
      Release(false);
      return RigResult::Failed(Reason(rc));
    }
    return RigResult::Ok();
  }

  RigResult Read(RigReading* reading) override {
    if (rig_ == nullptr)
      return RigResult::Failed("not connected");
    if (interrupted_)
      return RigResult::Failed("interrupted");
    freq_t hz = 0;
    if (const int rc = rig_get_freq(rig_, RIG_VFO_CURR, &hz); rc != RIG_OK)
      return RigResult::Failed(Reason(rc));
    rmode_t mode = RIG_MODE_NONE;
    pbwidth_t width = 0;
    if (const int rc = rig_get_mode(rig_, RIG_VFO_CURR, &mode, &width); rc != RIG_OK)
      return RigResult::Failed(Reason(rc));
    if (!(hz > 0))
      return RigResult::Failed("the radio gave no frequency");
    reading->hz = hz;
    const char* name = rig_strrmode(mode);
    reading->mode = name != nullptr ? name : "";
    return RigResult::Ok();
  }

  void Close() override { Release(true); }

  void Interrupt() override {
    // A running Hamlib call cannot be cut short; its timeout bounds it. Later calls fail.
    interrupted_ = true;
  }

  std::string Describe() const override {
    std::string text = "Hamlib model " + std::to_string(model_);
    if (!device_.empty())
      text += " on " + device_;
    if (baud_ > 0)
      text += " at " + std::to_string(baud_) + " Bd";
    return text;
  }

private:
  static std::string Reason(int rc) {
    const char* text = rigerror2(rc);
    std::string reason = text != nullptr ? text : "Hamlib error " + std::to_string(rc);
    // Hamlib's texts may end with a line feed and carry a trace after it.
    if (const std::size_t end = reason.find('\n'); end != std::string::npos)
      reason.erase(end);
    return reason;
  }

  RigResult Configure(const char* name, const std::string& value) {
    const token_t token = rig_token_lookup(rig_, name);
    if (token == RIG_CONF_END)
      return RigResult::Failed(std::string("Hamlib has no setting ") + name);
    if (const int rc = rig_set_conf(rig_, token, value.c_str()); rc != RIG_OK)
      return RigResult::Failed(std::string(name) + " " + value + ": " + Reason(rc));
    return RigResult::Ok();
  }

  void Release(bool opened) {
    if (rig_ == nullptr)
      return;
    if (opened)
      (void)rig_close(rig_); // the radio is let go either way
    (void)rig_cleanup(rig_); // frees the handle; there is nothing to act on
    rig_ = nullptr;
  }

  int model_;
  std::string device_;
  int baud_;
  RIG* rig_ = nullptr;
  std::atomic<bool> interrupted_{false};
};

int CollectModel(const rig_caps* caps, rig_ptr_t data) {
  auto* models = static_cast<std::vector<RigModel>*>(data);
  std::string name = caps->mfg_name != nullptr ? caps->mfg_name : "";
  if (caps->model_name != nullptr)
    name += (name.empty() ? "" : " ") + std::string(caps->model_name);
  models->push_back({static_cast<int>(caps->rig_model), name});
  return 1; // go on
}

} // namespace

std::unique_ptr<RigConnection> MakeHamlibConnection(int model, std::string device, int baud) {
  return std::make_unique<HamlibConnection>(model, std::move(device), baud);
}

std::vector<RigModel> RigModels() {
  std::vector<RigModel> models;
  {
    std::lock_guard<std::mutex> guard(HamlibGlobals());
    QuietHamlib();
    (void)rig_load_all_backends(); // a driver that fails to load is left out of the list
    (void)rig_list_foreach(CollectModel, &models); // a walk cut short lists fewer models
  }
  std::sort(models.begin(), models.end(),
            [](const RigModel& a, const RigModel& b) { return a.number < b.number; });
  return models;
}

} // namespace tarvik

// Hamlib keeps the registry of the drivers it loads for the life of the process; a build
// with the leak checker is told so, so that it reports the program's own leaks only.
#if defined(__SANITIZE_ADDRESS__)
#define TARVIK_LEAK_CHECKER 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define TARVIK_LEAK_CHECKER 1
#endif
#endif
#ifdef TARVIK_LEAK_CHECKER
extern "C" const char* __lsan_default_suppressions() {
  return "leak:rig_register\n";
}
#endif
