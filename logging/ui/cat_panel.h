#pragma once
// CatPanel: the radio-control panel of the log window (panelCAT) on the side bar: "CAT an"
// and "CAT aus" switch the radio control on and off, "CAT" opens its settings, and three
// lines show what the radio says: its frequency, its mode (with the log's mode it stands
// for), and the state of the link ("keine Verbindung") or why the log did not follow the
// radio's band.

#include <QFrame>

#include "logging/rig_follower.h"

class QLabel;

namespace tarvik {

class TrkBitBtn;

class CatPanel : public QFrame {
  Q_OBJECT

public:
  /// `pointSize`: the size of the side bar's small print.
  CatPanel(int pointSize, QWidget* parent);

  /// Shows `texts`; `on` enables "CAT aus", otherwise "CAT an".
  void Show(const CatPanelTexts& texts, bool on, const QString& tooltip);

  TrkBitBtn* btnCATan = nullptr;
  TrkBitBtn* btnCATaus = nullptr;
  TrkBitBtn* btnCAT = nullptr; ///< the settings
  QLabel* lCATFrequenz = nullptr;
  QLabel* lCATMode = nullptr;
  QLabel* lCATStatus = nullptr; ///< link state or the notice
};

} // namespace tarvik
