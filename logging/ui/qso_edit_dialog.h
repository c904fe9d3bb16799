#pragma once
// QsoEditDialog: the QSO edit dialog "QSO ändern". It shows a QsoEditForm (filled by the
// log's session from a stored QSO) and hands every change back to it: typed texts (upper
// case and cut to length by the form), the band and mode lists, leaving the frequency field.
// Enter moves to the next field (wrapping after the last), Esc and "Beenden [ESC]" close the
// dialog, and however it is closed its result is OK: the caller stores the form.

#include <QDialog>

#include <array>

#include "logging/qso_edit_form.h"

class QComboBox;
class QLabel;

namespace tarvik {

class TrkBitBtn;
class TrkEdit;

/// The QSO edit dialog "QSO ändern" (form Teingabecontstd2).
class QsoEditDialog : public QDialog {
  Q_OBJECT

public:
  /// `form` is shown and changed in place; it must outlive the dialog.
  explicit QsoEditDialog(QsoEditForm& form, QWidget* parent = nullptr);

  TrkEdit* Edit(EditField field) const { return edits_[static_cast<std::size_t>(field)]; }

  TrkEdit* eCall = nullptr;
  TrkEdit* eCall2 = nullptr;
  TrkEdit* eRSTs1 = nullptr;
  TrkEdit* eRSTr1 = nullptr;
  TrkEdit* eDatum = nullptr;
  TrkEdit* ezeit = nullptr;
  TrkEdit* eQSLw = nullptr;
  TrkEdit* eqslr = nullptr;
  TrkEdit* eMulti = nullptr;
  TrkEdit* eFreq = nullptr;
  TrkEdit* eName = nullptr;
  TrkEdit* eQTH = nullptr;
  TrkEdit* emode = nullptr;
  QComboBox* comboband = nullptr;
  QComboBox* combomode = nullptr;
  QLabel* lnummer = nullptr;
  QLabel* lMulti = nullptr;
  QLabel* leCall2 = nullptr;
  TrkBitBtn* BitBtn1 = nullptr;

  /// The fields that take the focus, in tab order (disabled and hidden ones left out).
  std::vector<QWidget*> FocusOrder() const;

  void done(int result) override;

protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  TrkEdit* MakeEdit(EditField field);
  void FieldEdited(EditField field, const QString& text);
  void eFreqExit();
  void ShowForm();
  void MoveFocusOn(QWidget* from);

  QsoEditForm& form_;
  std::array<TrkEdit*, kEditFields> edits_{};
  bool showing_ = false;
  bool closing_ = false;
};

} // namespace tarvik
