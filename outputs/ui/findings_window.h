#pragma once
// FindingsWindow ("Prüfung vor dem Senden"): what the check before sending found in a file
// that is about to be written, one line per finding (errors in red), with "Trotzdem
// schreiben", "Abbrechen" and "Liste speichern". The window decides nothing itself: the
// output run asks it through OutputWindows::reviewFindings and writes the file when the
// person chooses "Trotzdem schreiben".

#include <QDialog>

#include <string>
#include <vector>

#include "base/user_dialogs.h"
#include "outputs/file_check.h"

class QLabel;
class QListWidget;
class QPushButton;

namespace tarvik {

class FindingsWindow : public QDialog {
  Q_OBJECT

public:
  /// The findings of the file `fileName` (Windows-1252). `dialogs` asks where the list is
  /// saved and tells when that fails.
  FindingsWindow(const std::vector<FileFinding>& findings, const std::string& fileName,
                 UserDialogs& dialogs, QWidget* parent = nullptr);

  /// The list as text, one finding a line (what "Liste speichern" writes).
  std::string ListText() const;
  /// Saves the list to `path` through the atomic text-file writer; false (after a message)
  /// when it could not be written.
  [[nodiscard]] bool SaveList(const std::string& path);

  QLabel* lHinweis = nullptr;
  QListWidget* lbFindings = nullptr;
  QPushButton* btnSchreiben = nullptr;
  QPushButton* btnAbbrechen = nullptr;
  QPushButton* btnSpeichern = nullptr;

private:
  void SaveClicked();

  std::vector<FileFinding> findings_;
  std::string fileName_;
  UserDialogs& dialogs_;
};

/// Shows the window modally; true when the person chose "Trotzdem schreiben".
[[nodiscard]] bool ReviewFindings(const std::vector<FileFinding>& findings,
                                  const std::string& fileName, UserDialogs& dialogs,
                                  QWidget* parent = nullptr);

/// The small dialog "Cabrillo-Datei" in which the person checks the CONTEST value before the
/// Cabrillo file is written. False when cancelled.
[[nodiscard]] bool EditCabrilloContestName(std::string& contestName, QWidget* parent = nullptr);

} // namespace tarvik
