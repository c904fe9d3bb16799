#pragma once
// CatController: the radio control of the log window. It keeps the CAT settings (the file
// TARVIKCAT.INI in the data directory), runs the poller that asks the radio on its own
// thread while CAT is on, and on every tick of TimerCAT takes the poller's newest snapshot
// into the CAT panel and, when the window is idle, into the entry (RigFollower). The window
// never waits for the radio: a snapshot is read under a short lock.
//
// "CAT an" turns the control on (asking for the settings first when none are kept yet),
// "CAT aus" turns it off and leaves the entry as it is, "CAT" opens the settings. Whether CAT
// is on is kept with the settings, so the next log window starts with it.

#include <QObject>
#include <QString>

#include <functional>
#include <memory>
#include <optional>

#include "base/user_dialogs.h"
#include "datafiles/rig_settings_file.h"
#include "logging/rig_follower.h"
#include "radio/rig_poller.h"

class QTimer;
class QWidget;

namespace tarvik {

class CatPanel;
class ContestLogWindow;

class CatController : public QObject {
  Q_OBJECT

public:
  /// Asks the person for the settings; nullopt when the dialog was cancelled.
  using SettingsDialog =
      std::function<std::optional<RigSettings>(QWidget* parent, const RigSettings& current)>;
  /// Makes the connection for the settings (tests hand in their own).
  using ConnectionFactory = std::function<std::unique_ptr<RigConnection>(const RigSettings&)>;

  /// How often TimerCAT takes the snapshot.
  static constexpr int kTimerMs = 250;

  /// REQUIRES: window, panel, timer and dialogs outlive the controller.
  CatController(ContestLogWindow& window, CatPanel& panel, QTimer& timer, UserDialogs& dialogs);
  ~CatController() override;

  /// The log window opened: reads the kept settings and turns CAT on when it was on.
  void Start();
  /// The log window closes: the poller's thread ends (the radio is let go); the kept settings
  /// stay as they are.
  void Stop();

  /// "CAT an": asks for the settings when none are kept, then polls the radio.
  void TurnOn();
  /// "CAT aus": stops polling; band, mode and frequency of the entry stay as they are.
  void TurnOff();
  /// "CAT": the settings dialog; new settings are kept and, while CAT is on, used at once.
  void EditSettings();
  /// TimerCAT: the newest snapshot into the panel and the entry.
  void TimerTick();

  bool IsOn() const { return poller_ != nullptr; }
  const RigSetup& Setup() const { return setup_; }
  /// The snapshot shown last.
  const RigSnapshot& Shown() const { return shown_; }
  RigFollower& Follower() { return follower_; }

  void SetSettingsDialog(SettingsDialog dialog) { askSettings_ = std::move(dialog); }
  void SetConnectionFactory(ConnectionFactory factory) { makeConnection_ = std::move(factory); }
  /// The poller's timing for the next start (tests may shorten the retry).
  void SetTiming(RigPoller::Timing timing) { timing_ = timing; }

private:
  void StartPoller();
  void StopPoller();
  [[nodiscard]] bool Save();
  void ShowPanel();

  ContestLogWindow& window_;
  CatPanel& panel_;
  QTimer& timer_;
  UserDialogs& dialogs_;
  RigFollower follower_;
  RigSetup setup_;
  bool kept_ = false; // a settings file exists
  std::unique_ptr<RigPoller> poller_;
  RigSnapshot shown_;
  RigPoller::Timing timing_;
  SettingsDialog askSettings_;
  ConnectionFactory makeConnection_;
};

} // namespace tarvik
