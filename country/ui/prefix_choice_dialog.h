#pragma once
// PrefixChoiceDialog ("Auswahl DXCC"): the person picks the entity of a prefix that has several
// entries. The window shows the model's texts and candidate rows (PrefixChoice) and hands
// it every click, arrow key, double click, OK and cancel; the model puts the chosen entry
// into the prefix buffer and remembers it for the call.

#include <QDialog>

class QLabel;
class QPushButton;
class QTableWidget;

namespace tarvik {

class PrefixChoice;

/// The choice among the countries a prefix belongs to, "Auswahl DXCC" (form TPrefAuswahl).
class PrefixChoiceDialog : public QDialog {
  Q_OBJECT

public:
  /// REQUIRES: `choice` outlives the window.
  explicit PrefixChoiceDialog(PrefixChoice& choice, QWidget* parent = nullptr);

  QTableWidget* table = nullptr;
  QPushButton* btnUebernehmen = nullptr;
  QPushButton* btnAbbrechen = nullptr;
  QLabel* lQso = nullptr; ///< call and date in bold (for a QSO), or the prefix

  /// A click on row `row` (0-based).
  void MarkRow(int row);
  /// "Übernehmen" or a double click: takes the marked row and closes with OK.
  void Take();

protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void reject() override;

private:
  void ShowMark();

  PrefixChoice& choice_;
};

/// Runs the window over `choice` modally; true when a row was taken (the chooser the log
/// window installs in its prefix lookup).
[[nodiscard]] bool ChoosePrefix(PrefixChoice& choice, QWidget* parent);

} // namespace tarvik
