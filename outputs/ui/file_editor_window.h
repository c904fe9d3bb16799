#pragma once
// FileEditorWindow: the file editor that shows a text file an output run has just written (cover
// sheet, E-Log QSO list, STF file, E-Log band list), so that it can be corrected, saved or
// printed. The caption is the file name; the text is shown in "Courier New".

#include <QDialog>

#include <functional>
#include <string>

class QPlainTextEdit;
class QPrinter;

namespace tarvik {

class TrkBitBtn;
class UserDialogs;

/// The file editor that shows a written file and can save and print it (form Twagdatei).
class FileEditorWindow : public QDialog {
  Q_OBJECT

public:
  /// Shows the file `fileName` (a path as the core holds it). `dialogs` reports a file that
  /// cannot be saved.
  FileEditorWindow(const std::string& fileName, UserDialogs& dialogs, QWidget* parent = nullptr);

  QPlainTextEdit* redit() const { return redit_; }
  TrkBitBtn* btnspeichern() const { return btnspeichern_; }
  TrkBitBtn* Button1() const { return button1_; }

  /// "Speichern und Beenden": saves the text, clears the area and closes with OK.
  void btnspeichernClick();
  /// "Drucken": saves the text and prints it as a document titled with the file name.
  void Button1Click();

  /// Asks for the printer before "Drucken" prints; false when the person cancels. The
  /// print dialog by default; tests put a PDF printer in place.
  std::function<bool(QPrinter&)> askPrinter;

private:
  [[nodiscard]] bool SaveText();

  std::string fileName_;
  UserDialogs& dialogs_;
  QPlainTextEdit* redit_ = nullptr;
  TrkBitBtn* btnspeichern_ = nullptr;
  TrkBitBtn* button1_ = nullptr;
};

/// Shows a file in the editor modally; true when it was closed by "Speichern und Beenden".
bool ShowFile(const std::string& fileName, UserDialogs& dialogs, QWidget* parent = nullptr);

} // namespace tarvik
