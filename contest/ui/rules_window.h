#pragma once
// The rules window RulesWindow: a rules document shown read-only, printable with the job
// title "Contest-Regeln"; and ShowRules, which opens it (or the organiser's page) for a
// contest code.

#include <QColor>
#include <QDialog>

#include <functional>

#include "base/rtf_reader.h"
#include "base/user_dialogs.h"

class QPrinter;
class QTextDocument;
class QTextEdit;

namespace tarvik {

class TrkBitBtn;

/// Fills a text document with a rules document: paragraphs with their alignment and tab
/// stops, runs with bold, italic, underline and size (runs without a size take
/// `baseFont`'s).
void FillTextDocument(QTextDocument& target, const RtfDocument& source, const QFont& baseFont);

/// The rules viewer: the contest's rules document, printable (form Twagregeln).
class RulesWindow : public QDialog {
  Q_OBJECT

public:
  /// Print job title of the rules.
  static constexpr const char* kPrintJobTitle = "Contest-Regeln";

  /// `panelColour`: background of the text (the colour scheme's list panels); an invalid
  /// colour keeps the style's.
  explicit RulesWindow(const RtfDocument& document, QWidget* parent = nullptr,
                       const QColor& panelColour = QColor());

  QTextEdit* redit() const { return redit_; }
  TrkBitBtn* Button1() const { return button1_; }
  TrkBitBtn* Button2() const { return button2_; }

  /// Prints the document on an already set-up printer with the job title.
  void PrintTo(QPrinter& printer);

  /// Asks for the printer before "Drucken" prints; returns false when the person cancels.
  /// The print dialog by default; tests put a PDF printer in place.
  std::function<bool(QPrinter&)> askPrinter;

private:
  void Button1Click();

  QTextEdit* redit_ = nullptr;
  TrkBitBtn* button1_ = nullptr;
  TrkBitBtn* button2_ = nullptr;
};

/// Shows the rules of a contest code: the organiser's page in the browser, or the code's
/// rules document from the data directory in a modal RulesWindow (empty, after a message,
/// when the file cannot be read).
void ShowRules(char code, UserDialogs& dialogs, QWidget* parent = nullptr,
               const QColor& panelColour = QColor());

} // namespace tarvik
