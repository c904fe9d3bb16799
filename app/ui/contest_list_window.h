#pragma once
// ContestListWindow: the main window. A picture strip on the left with "Beenden", the title bitmap
// and the own call sign at the top, the contest code's title and logo, and the list of the
// contests of the chosen contest ("Contest wählen", F2) with the buttons "Neu", "Starten",
// "Löschen", "Schließen" and "Hilfe". The start-up and closing order and the contest actions are
// the core's (ProgramSession, ContestListActions); this window shows them and forwards its events.
//
// Use: construct (steps 4-10), Start (steps 11-27; the result says whether the program runs),
// show, AfterShown (step 28: "Neu" at once when there is no contest yet). Closing the window
// (the "Beenden" label, "Schließen", or Esc answered with Yes) runs the closing order.

#include <QColor>
#include <QWidget>

#include <memory>

#include "app/contest_list.h"
#include "app/program_session.h"

class QAction;
class QLabel;
class QFrame;
class QMenu;

namespace tarvik {

class FileIo;
class TrkBitBtn;
class TrkBrow;
class UserDialogs;

/// The own colours of the program, used while the family setup stores no colour scheme.
struct WindowColours {
  QColor form;
  QColor panel;
  QColor grid;
  QColor label1;
  QColor label2;
};
/// The program's own scheme.
WindowColours OwnWindowColours();
/// The scheme of the family setup (colours stored as 0x00BBGGRR), or the program's own when
/// all five are 0.
WindowColours SchemeColours(const FamilySettings& settings);

/// The main window: the list of contests with its buttons, the title and logo of the contest, the
/// own call sign (form ContestBrow).
class ContestListWindow : public QWidget, public ContestWindows {
  Q_OBJECT

public:
  enum class StartResult {
    kRunning,           ///< the window is ready to be shown
    kRecordFilesFailed, ///< the record-file manager did not start: exit code 1
    kEnded,             ///< the window closed during start (profiles or list unavailable)
  };

  /// Steps 4 to 10. `io`: the file system of the record files (nullptr: the real one);
  /// `contestCode`: the contest to start with (kRememberedContest: the one chosen last).
  explicit ContestListWindow(UserDialogs& dialogs, QWidget* parent = nullptr, FileIo* io = nullptr,
                             char contestCode = kRememberedContest);
  ~ContestListWindow() override;

  /// Steps 11 to 27.
  [[nodiscard]] StartResult Start();
  /// Shows the window maximised in the top left corner of its screen.
  void ShowMaximised();
  /// Step 28: with no contest at all, "Neu" at once.
  void AfterShown();

  ProgramSession& session() { return *session_; }
  ContestListActions& actions() { return *actions_; }
  char ContestCode() const { return session_->ContestCode(); }

  // Controls, by their names in the window.
  QWidget* Image2 = nullptr;
  QLabel* MenueBeenden = nullptr;
  QLabel* lCopyright = nullptr;
  QLabel* lUtils = nullptr;
  QLabel* lCall = nullptr;
  QLabel* imgtitel = nullptr;
  QLabel* lworked = nullptr;
  QLabel* imglinks = nullptr;
  QLabel* lhinweisupdate2 = nullptr;
  QLabel* lhinweisupdate = nullptr;
  TrkBitBtn* btnweitere = nullptr;
  QFrame* panelContest = nullptr;
  QWidget* PanelDXOben = nullptr;
  QLabel* lCallListCaption = nullptr;
  TrkBrow* Brow = nullptr;
  QWidget* PanelUnten = nullptr;
  TrkBitBtn* btnNeuho3 = nullptr;
  TrkBitBtn* btnAendernHo3 = nullptr;
  TrkBitBtn* btnLoeschenHo3 = nullptr;
  TrkBitBtn* btnendeho3 = nullptr;
  TrkBitBtn* btnHilfeHo3 = nullptr;
  TrkBitBtn* btnStart = nullptr;
  /// "Contest wählen" (F2): the list of the contests the program can be switched to.
  TrkBitBtn* btnWaehlen = nullptr;
  /// "Regeln": the rules of the contest at hand.
  TrkBitBtn* btnRegeln = nullptr;
  /// "Extras": refreshing the country data and the call book's DOKs from chosen files.
  TrkBitBtn* btnExtras = nullptr;
  QMenu* menuExtras = nullptr;
  QAction* actionLaenderdaten = nullptr;
  QAction* actionDokListe = nullptr;

  // Event handlers.
  void btnNeuho3Click();
  void btnAendernHo3Click();
  void btnLoeschenHo3Click();
  void btnStartClick();
  void btnweitereClick();
  void lCopyrightClick();
  void actionLaenderdatenClick();
  void actionDokListeClick();
  void btnWaehlenClick();
  void btnRegelnClick();
  /// Switches the window to contest `code`: caption, title and logo, notice line and the list
  /// of that code's contests; the choice is kept for the next start. False for a code the
  /// program cannot run (nothing changes).
  [[nodiscard]] bool SwitchContest(char code);
  /// Gives the keyboard to the list (after a button's work).
  void FocusList();

  // ContestWindows.
  [[nodiscard]] bool OpenHeaderWindow(HeaderWindowMode mode) override;
  /// The log window for the contest in the header buffer, modal and maximised; afterwards
  /// the header and extension buffers hold the records as the log left them.
  void OpenLogWindow(int contestNumber, const ContestDefinition& definition) override;

  /// Refreshes the own call label: the call sign, or the listener name; "für" only beside a
  /// text.
  void ShowOwnCall();

protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

private:
  void CreateControls();
  void ShowContestIdentity();
  void ApplyColourScheme();
  void LayoutControls();
  bool FormKeyDown(class QKeyEvent* event);
  void SetHover(QLabel* label, bool over);

  UserDialogs& dialogs_;
  std::unique_ptr<ProgramSession> session_;
  std::unique_ptr<ContestListActions> actions_;
  WindowColours colours_;
  bool closing_ = false;
  bool forwardingKey_ = false; // a list key on its way to the list
};

} // namespace tarvik
