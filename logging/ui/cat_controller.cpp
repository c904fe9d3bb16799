#include "logging/ui/cat_controller.h"

#include <QTimer>

#include <cstring>

#include "base/data_directory.h"
#include "base/text_helpers.h"
#include "logging/ui/cat_panel.h"
#include "logging/ui/cat_settings_dialog.h"
#include "logging/ui/contest_log_window.h"
#include "widgets/text_codec.h"
#include "widgets/trk_bit_btn.h"

namespace tarvik {

CatController::CatController(ContestLogWindow& window, CatPanel& panel, QTimer& timer,
                             UserDialogs& dialogs)
    : QObject(&window), window_(window), panel_(panel), timer_(timer), dialogs_(dialogs),
      follower_(window.session()), askSettings_(AskCatSettings),
      makeConnection_([](const RigSettings& s) { return MakeRigConnection(s); }) {
  timer_.setInterval(kTimerMs);
  connect(&timer_, &QTimer::timeout, this, &CatController::TimerTick);
  connect(panel_.btnCATan, &QPushButton::clicked, this, &CatController::TurnOn);
  connect(panel_.btnCATaus, &QPushButton::clicked, this, &CatController::TurnOff);
  connect(panel_.btnCAT, &QPushButton::clicked, this, &CatController::EditSettings);
  ShowPanel();
}

CatController::~CatController() {
  // The window's timer and panel may be gone already (they are its children as well): only
  // the thread is ended here.
  poller_.reset();
}

void CatController::Start() {
  const std::string path = DataPath(kRigSettingsFile);
  if (const IoResult r = LoadRigSetup(PosixFileIo(), path, &setup_, &kept_); !r.ok()) {
    // The log works without the radio: the defaults stand, CAT stays off.
    dialogs_.Inform(ChooseText("Die CAT-Einstellungen " + path + " konnten nicht gelesen werden (",
                               "The CAT settings " + path + " could not be read (") +
                    std::strerror(r.osError()) + ").");
    kept_ = false;
  }
  if (setup_.on)
    StartPoller();
  ShowPanel();
}

void CatController::Stop() {
  StopPoller();
}

void CatController::TurnOn() {
  if (IsOn())
    return;
  if (!kept_) {
    const std::optional<RigSettings> chosen = askSettings_(&window_, setup_.connection);
    if (!chosen)
      return;
    setup_.connection = *chosen;
  }
  setup_.on = true;
  (void)Save(); // the radio is used even when the settings could not be kept (said so)
  StartPoller();
  ShowPanel();
}

void CatController::TurnOff() {
  if (!IsOn())
    return;
  StopPoller();
  setup_.on = false;
  (void)Save(); // a setting that could not be kept has been reported
  ShowPanel();
}

void CatController::EditSettings() {
  // No radio answer is taken into the entry while the dialog is open.
  timer_.stop();
  const std::optional<RigSettings> chosen = askSettings_(&window_, setup_.connection);
  if (chosen) {
    const bool changed = *chosen != setup_.connection;
    setup_.connection = *chosen;
    (void)Save(); // the new settings are used even when they could not be kept (said so)
    if (IsOn() && changed) {
      StopPoller();
      StartPoller();
    }
  }
  if (IsOn())
    timer_.start();
  ShowPanel();
}

void CatController::TimerTick() {
  if (!poller_)
    return;
  shown_ = poller_->Snapshot();
  // The entry takes the radio only between the operator's actions, never while a message,
  // a list or another window of the log is open; what it missed it takes at a later tick.
  (void)window_.RunWhenIdle([this] { return follower_.Follow(shown_); });
  ShowPanel();
}

void CatController::StartPoller() {
  poller_ = std::make_unique<RigPoller>(makeConnection_(setup_.connection), timing_);
  poller_->Start();
  follower_.Reset();
  shown_ = poller_->Snapshot();
  timer_.start();
}

void CatController::StopPoller() {
  timer_.stop();
  if (poller_) {
    poller_->Stop();
    poller_.reset();
  }
  shown_ = RigSnapshot{};
}

bool CatController::Save() {
  const std::string path = DataPath(kRigSettingsFile);
  if (const IoResult r = SaveRigSetup(PosixFileIo(), path, setup_); !r.ok()) {
    dialogs_.Inform(
        ChooseText("Die CAT-Einstellungen konnten nicht in " + path + " gespeichert werden (",
                   "The CAT settings could not be saved in " + path + " (") +
        std::strerror(r.osError()) + ").");
    return false;
  }
  kept_ = true;
  return true;
}

void CatController::ShowPanel() {
  QString tooltip;
  if (poller_) {
    tooltip = ToQString(poller_->Describe());
    if (!shown_.reason.empty())
      tooltip += QStringLiteral(": ") + ToQString(shown_.reason);
  }
  panel_.Show(follower_.Texts(shown_), IsOn(), tooltip);
}

} // namespace tarvik
