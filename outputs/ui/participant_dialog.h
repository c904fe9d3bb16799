#pragma once
// ParticipantDialog ("VHF/UHF-Contest"): the participant dialog in which the entrant checks and
// completes the data of the EDI file header just before the file is written. The caller
// fills it, shows it and reads it back; "OK" and the close box both leave the values shown.

#include <QDialog>

#include <string>

#include "outputs/participant_data.h"

class QComboBox;
class QGroupBox;
class QPlainTextEdit;

namespace tarvik {

class TrkBitBtn;
class TrkEdit;

/// The participant dialog shown before the EDI file is written (form Tuhfteilnehmer).
class ParticipantDialog : public QDialog {
  Q_OBJECT

public:
  explicit ParticipantDialog(QWidget* parent = nullptr);

  /// Puts the data into the fields / reads the fields.
  void SetData(const ParticipantData& data);
  ParticipantData Data() const;

  TrkEdit* pcall = nullptr;
  TrkEdit* ploc = nullptr;
  TrkEdit* padr1 = nullptr;
  TrkEdit* padr2 = nullptr;
  TrkEdit* psect = nullptr;
  QComboBox* pband = nullptr;
  TrkEdit* pclub1 = nullptr;
  TrkEdit* pclub2 = nullptr;
  TrkEdit* remail = nullptr;
  TrkEdit* rname = nullptr;
  TrkEdit* radr1 = nullptr;
  TrkEdit* radr2 = nullptr;
  TrkEdit* rpoco = nullptr;
  TrkEdit* rcity = nullptr;
  TrkEdit* rcoun = nullptr;
  TrkEdit* mope1 = nullptr;
  TrkEdit* mope2 = nullptr;
  TrkEdit* rtrx = nullptr;
  TrkEdit* rant = nullptr;
  TrkEdit* rpower = nullptr;
  QPlainTextEdit* rremarks = nullptr;
  TrkBitBtn* btnok = nullptr;
};

/// Shows the dialog modally with `data` and takes the values shown back into it, however
/// the dialog was closed. A non-empty `caption` (Windows-1252) replaces the window caption.
void ShowParticipantDialog(ParticipantData& data, QWidget* parent = nullptr,
                           const std::string& caption = {});

} // namespace tarvik
