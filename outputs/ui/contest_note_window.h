#pragma once
// ContestNoteWindow ("Contest-Notiz"): the free text note of a contest. Opening it inserts a
// stamp line (UTC date and time, the call at hand, " > ") at the top of the note file and
// writes the file at once; the caret stands after the stamp. "ESC: Speichern und Beenden"
// (and the Esc key) saves and closes, "Drucken" saves and prints. The window's place and
// size are kept in the contest header record.

#include <QDialog>

#include <functional>
#include <string>

#include "base/clock.h"

class QPlainTextEdit;
class QPrinter;

namespace tarvik {

class TrkBitBtn;
class UserDialogs;

/// The contest note: a text file named after the contest, stamped at every opening (form
/// TContestNotiz).
class ContestNoteWindow : public QDialog {
  Q_OBJECT

public:
  /// Stamps the note file `path` for `call` and shows it. `headerRecord` (379 bytes, may be
  /// nullptr) gives the stored place and size and receives them when the window closes.
  ContestNoteWindow(const std::string& path, const std::string& call, std::string* headerRecord,
                    UserDialogs& dialogs, QWidget* parent = nullptr,
                    const Clock& clock = ProcessClock());

  QPlainTextEdit* redit = nullptr;
  TrkBitBtn* btnspeichern = nullptr;
  TrkBitBtn* Button1 = nullptr;

  /// Saves the text and closes with OK (stays open after the message when saving failed).
  void btnspeichernClick();
  /// Saves the text and prints it as a document titled with the file name.
  void Button1Click();
  /// Whether the last save succeeded (the note is on disk as shown).
  bool Saved() const { return saved_; }

  /// Asks for the printer before "Drucken" prints; false cancels. The print dialog by
  /// default; tests put a PDF printer in place.
  std::function<bool(QPrinter&)> askPrinter;

protected:
  void keyPressEvent(QKeyEvent* event) override;
  void reject() override;

private:
  [[nodiscard]] bool SaveText();
  void StoreGeometry();

  std::string path_;
  std::string* header_;
  UserDialogs& dialogs_;
  bool saved_ = false;
  bool closingBySave_ = false;
};

/// Opens the contest note `path` for `call` modally; true when it was closed with the text
/// saved.
[[nodiscard]] bool OpenContestNote(const std::string& path, const std::string& call,
                                   std::string* headerRecord, UserDialogs& dialogs,
                                   QWidget* parent = nullptr);

} // namespace tarvik
