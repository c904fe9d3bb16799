#pragma once
// CatSettingsDialog "CAT-Einstellungen": how the log window reaches the radio. Either a
// running rigctld (host and port, localhost:4532 by default), which may serve several
// programs at once, or Hamlib's library driving the radio itself (rig model, serial port,
// baud rate).

#include <QDialog>

#include <optional>

#include "radio/rig_connection.h"

class QComboBox;
class QDialogButtonBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class QSpinBox;

namespace tarvik {

class CatSettingsDialog : public QDialog {
  Q_OBJECT

public:
  CatSettingsDialog(const RigSettings& settings, QWidget* parent = nullptr);

  /// The settings as the dialog shows them now.
  RigSettings Settings() const;
  /// Why the settings cannot be taken ("" when they can): no host, no model.
  QString Problem() const;

  QRadioButton* rRigctld = nullptr;
  QRadioButton* rDirekt = nullptr;
  QGroupBox* gRigctld = nullptr;
  QGroupBox* gDirekt = nullptr;
  QLineEdit* eHost = nullptr;
  QSpinBox* ePort = nullptr;
  QComboBox* cModell = nullptr; ///< Hamlib's models; the item data is the model number
  QComboBox* cGeraet = nullptr; ///< editable: the serial ports found, or any path
  QComboBox* cBaud = nullptr;   ///< item data: the rate, 0 for the model's default
  QLabel* lProblem = nullptr;
  QDialogButtonBox* buttons = nullptr;

  /// OK: takes the settings when they can be taken, otherwise says why and stays open.
  void accept() override;

private:
  void FollowKind();
  void SelectModel(int model);
};

/// Shows the dialog over `parent`; the chosen settings, or nullopt when it was cancelled.
[[nodiscard]] std::optional<RigSettings> AskCatSettings(QWidget* parent,
                                                        const RigSettings& current);

} // namespace tarvik
