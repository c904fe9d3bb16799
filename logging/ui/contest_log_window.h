#pragma once
// ContestLogWindow: the log window, where the operator logs the QSOs of one contest with the
// keyboard. A side bar with the functions, the entry panel (call, the two report rows with
// the exchange elements, date, time, mode and band, name/QTH/frequency, the counters and
// the 8 x 14 multiplier panel), the live evaluation panel, and the log list below. The
// radio control (CAT panel) sits on the side bar.
//
// The window is thin: every decision is the entry session's (QsoSession). The window copies
// the texts of its fields into the session as they are typed, forwards Enter, focus moves,
// keys and clicks, and after each of them shows what the session holds now (ShowSession):
// field texts and visibility, the focus, light-red marks, captions, counters, the panels.
//
// Use: construct with the session's parameters, Open (false: the log files could not be
// opened), ShowMaximised and exec (modal). The window hides the main window while it is
// shown and shows it again when it closes. After closing, HeaderRecord and ExtensionRecord
// hold the header and extension records with the statistics of the log; the caller writes
// them back.

#include <QColor>
#include <QDialog>
#include <QPointer>

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "base/clock.h"
#include "base/user_dialogs.h"
#include "logging/qso_session.h"

class QBoxLayout;
class QCheckBox;
class QFrame;
class QKeyEvent;
class QLayout;
class QLabel;
class QListWidget;
class QTimer;
class QToolButton;

namespace tarvik {

class CatController;
class CatPanel;
class EvaluationPanelWidget;
class ProgressWindow;
class MultiplierPanel;
class TrkBitBtn;
class TrkBrow;
class TrkEdit;

/// What the functions of the log list and the other windows of the log do. Each is
/// optional; the window enables a button only when its function is there.
struct ContestLogTools {
  std::function<void()> bandLog;         ///< btnBandliste, F3
  std::function<void()> callSearch;      ///< btnCallsuche, F4
  std::function<void()> corrections;     ///< btnKorrektur, F12, Alt+W
  std::function<void()> note;            ///< btnNotiz, F6
  std::function<void()> change;          ///< btnAendern, Enter or double click in the list
  std::function<void()> remove;          ///< btnLoeschen, Del in the list
  std::function<void()> adifImport;      ///< btnadifimport
  std::function<void()> partyEvaluation; ///< btnauswertung, F11 (code 'P')
};

/// The log window: QSO entry, band and mode lists, evaluation and multiplier panels, the log list
/// (form ContestLogStd).
class ContestLogWindow : public QDialog {
  Q_OBJECT

public:
  /// `mainWindow` is hidden while the log window is shown (nullptr: none).
  ContestLogWindow(QsoSessionParams params, UserDialogs& dialogs, QWidget* mainWindow = nullptr,
                   const Clock& clock = ProcessClock());
  ~ContestLogWindow() override;

  /// The opening steps: the session opens the files and rebuilds the totals, the log list is
  /// bound to the QSO file and stands on the newest QSO of the current band, the clock runs.
  /// False when the files could not be opened or the list could not be built (after the
  /// message); the window must not be shown then.
  [[nodiscard]] bool Open();
  /// Shows the window maximised at the top left corner of its screen.
  void ShowMaximised();

  /// The colour scheme of the program: the window, its panels and the log list's table.
  void SetColours(const QColor& form, const QColor& panel, const QColor& grid);

  QsoSession& session() { return *session_; }
  const QsoSession& session() const { return *session_; }
  void SetTools(ContestLogTools tools);
  const ContestLogTools& Tools() const { return tools_; }

  /// The header and extension records as the log left them (statistics included); complete
  /// once the window has closed.
  const std::string& HeaderRecord() const { return header_; }
  const std::string& ExtensionRecord() const { return extension_; }
  /// True once the closing steps have run.
  bool Finished() const { return finished_; }
  /// True on a screen narrower than 1200 pixels: the window uses its compact sizes.
  bool Narrow() const { return narrow_; }
  /// True while the log list has the focus (after F5 or a click on the list).
  bool ListState() const { return listState_; }

  // --- Stored QSOs (contest_log_changes.cpp) -----------------------------------------
  /// Changes stored QSO `recordNumber` through the edit dialog "QSO ändern": the dialog is
  /// filled from the record, its fields are stored back with the change dialog's checks,
  /// and the totals are recalculated when the change needs it; the log list stands on the
  /// changed QSO afterwards. Returns the changed QSO's record number now (another one after
  /// a renumbering), 0 when nothing was changed (a missing or marker record).
  [[nodiscard]] std::int32_t ChangeQso(std::int32_t recordNumber);
  /// Deletes stored QSO `recordNumber` after the message and the question "Eintrag <call>
  /// löschen?"; the log is renumbered, the totals rebuilt, a new QSO prepared and the list
  /// put on the newest QSO of the band. True when the QSO was deleted; a marker record is
  /// refused silently.
  [[nodiscard]] bool DeleteQso(std::int32_t recordNumber);
  /// Enter, a double click or "Ändern" in the log list: changes the QSO its highlighted row
  /// shows. Nothing happens when the row no longer shows a stored QSO (the list is read
  /// again).
  void ChangeListedQso();
  /// Del or "Löschen" in the log list: deletes the QSO its highlighted row shows; the list
  /// then stands on the QSO now in that place. Nothing is deleted when the row no longer
  /// shows a stored QSO (the list is read again). True when a QSO was deleted.
  [[nodiscard]] bool DeleteListedQso();
  /// The record number of the QSO the log list's highlighted row shows (read into the log's
  /// buffer), 0 when the list has no row there or the row no longer shows its record.
  [[nodiscard]] std::int32_t ListRecord();
  /// Puts the log list on the newest QSO of the current band, read from the file (after
  /// work on the log that renumbered it, such as an import).
  void ListOnNewestQso();
  /// The progress window of recalculations and renumbering.
  ProgressWindow* Progress() const { return progress_; }

  // --- Radio control (contest_log_cat.cpp) -------------------------------------------
  /// The radio control behind panelCAT.
  CatController* Cat() const { return cat_; }
  /// Runs `action` on the session when the window is idle (open, entry state, no band or
  /// mode list open, no action or message of its own running) and shows the session when
  /// the action says it changed it. False when the window was not idle.
  [[nodiscard]] bool RunWhenIdle(const std::function<bool()>& action);

  // --- Controls, by their names in the window ----------------------------------------
  /// The entry field of `field` and the label shown in its place when it is fixed.
  TrkEdit* Edit(EntryField field) const { return edits_[static_cast<std::size_t>(Index(field))]; }
  QLabel* FixedLabel(EntryField field) const {
    return fixed_[static_cast<std::size_t>(Index(field))];
  }
  /// The caption label of a field (leCall, leCall2, leDatum ...); nullptr for the report
  /// fields, whose captions are the row and column captions.
  QLabel* Caption(EntryField field) const {
    return captions_[static_cast<std::size_t>(Index(field))];
  }

  TrkEdit* eCall = nullptr;
  TrkEdit* eCall2 = nullptr;
  TrkEdit* eRSTs1 = nullptr;
  TrkEdit* eRSTs2 = nullptr;
  TrkEdit* eRSTs3 = nullptr;
  TrkEdit* eRSTs4 = nullptr;
  TrkEdit* eRSTr1 = nullptr;
  TrkEdit* eRSTr2 = nullptr;
  TrkEdit* eRSTr3 = nullptr;
  TrkEdit* eRSTr4 = nullptr;
  TrkEdit* eDatum = nullptr;
  TrkEdit* ezeit = nullptr;
  TrkEdit* eFreq = nullptr;
  TrkEdit* eName = nullptr;
  TrkEdit* eQTH = nullptr;
  TrkEdit* emode = nullptr;
  QLabel* lCall = nullptr;
  QLabel* lRSTs1 = nullptr;
  QLabel* lRSTr1 = nullptr;
  QLabel* lRSTs2 = nullptr;
  QLabel* lDatum = nullptr;
  QLabel* lZeit = nullptr;
  QLabel* lMode = nullptr;
  QLabel* lband = nullptr;
  QLabel* leCall = nullptr;
  QLabel* leCall2 = nullptr;
  QLabel* leDatum = nullptr;
  QLabel* lezeit = nullptr;
  QLabel* leFreq = nullptr;
  QLabel* leName = nullptr;
  QLabel* leQTH = nullptr;
  QLabel* leMode = nullptr;
  QLabel* leBand = nullptr;
  QLabel* lersts = nullptr;
  QLabel* lerstr = nullptr;
  QLabel* lRST1Name = nullptr;
  QLabel* lRST2Name = nullptr;
  QLabel* lRST3Name = nullptr;
  QLabel* lRST4Name = nullptr;
  QLabel* leNummer = nullptr;
  QLabel* lNummer = nullptr;
  QLabel* leqso = nullptr;
  QLabel* lqso = nullptr;
  QLabel* lemulti = nullptr;
  QLabel* lmulti = nullptr;
  QLabel* lePunkte = nullptr;
  QLabel* lPunkte = nullptr;
  MultiplierPanel* panelmulties = nullptr;
  QLabel* lQSLs = nullptr;
  QCheckBox* rqsls = nullptr;
  QLabel* lqsopartner = nullptr;
  QLabel* lcallname = nullptr;
  QLabel* lenter = nullptr;
  QFrame* panelEingabe = nullptr;
  QWidget* panelZaehler = nullptr; ///< the counters
  EvaluationPanelWidget* panelauswertung = nullptr;
  QFrame* panelListe = nullptr;
  QWidget* PanelDXOben = nullptr;
  QLabel* lContestCaption = nullptr;
  TrkBrow* Brow = nullptr;
  QListWidget* listband = nullptr;
  QListWidget* listmode = nullptr;
  TrkBitBtn* btnClear = nullptr;
  TrkBitBtn* btnSpeichern = nullptr;
  TrkBitBtn* btnMode = nullptr;
  TrkBitBtn* btnBand = nullptr;
  TrkBitBtn* btnListe = nullptr;
  TrkBitBtn* btnBandliste = nullptr;
  TrkBitBtn* btnAendern = nullptr;
  TrkBitBtn* btnLoeschen = nullptr;
  TrkBitBtn* btnCallsuche = nullptr;
  TrkBitBtn* btnKorrektur = nullptr;
  TrkBitBtn* btnNotiz = nullptr;
  TrkBitBtn* btnHilfe = nullptr;
  TrkBitBtn* btnNameqth = nullptr;
  TrkBitBtn* btnadifimport = nullptr;
  TrkBitBtn* btndefault = nullptr;
  TrkBitBtn* btnbeenden = nullptr;
  QToolButton* SpeedButton1 = nullptr;
  QLabel* MenueBeenden = nullptr;
  QLabel* lProgramLine = nullptr; ///< the side bar's notice: the contest's program line
  QLabel* lglobcall1 = nullptr;
  QLabel* lglobcall2 = nullptr;
  QLabel* lglobcall3 = nullptr;
  CatPanel* panelCAT = nullptr;
  TrkBitBtn* btnCATan = nullptr;
  TrkBitBtn* btnCATaus = nullptr;
  QTimer* TimerCAT = nullptr;
  QTimer* timerzeit = nullptr;

  // --- Event handlers ---------------------------------------------------------------
  void btnClearClick();
  void btnModeClick();
  void btnBandClick();
  void btnListeClick();
  void btnNameqthClick();
  void btnHilfeClick();
  void btndefaultClick();
  void lQSLsClick();
  /// The clock: once a second (tests call it directly after moving their clock).
  void timerzeitTimer();
  /// Takes the selected entry of the open band or mode list.
  void listbandTake();
  void listmodeTake();
  /// Closes the band and mode lists; the focus goes back where it was.
  void CloseLists();
  /// Leaves the list state: the entry gets the focus again.
  void ReturnToEntry();
  /// The keys the window sees before its controls; true when the key was handled.
  bool FormKeyDown(QKeyEvent* event, QWidget* target);
  /// Shows what the session holds now in every control.
  void ShowSession();

protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void reject() override;

private:
  // Construction (contest_log_window.cpp).
  void CreateControls();
  QWidget* CreateSideBar();
  QFrame* CreateEntryPanel();
  QLayout* CreateReportGrid();
  QLayout* CreateInfoBlock();
  QLayout* CreateNameQthRow();
  QLayout* CreateStatusRow();
  QWidget* CreateCounters();
  QFrame* CreateListPanel();
  void CreateCatPanel(QWidget* bar, QBoxLayout* layout);
  TrkEdit* MakeEdit(EntryField field, QWidget* parent);
  QLabel* MakeFixedLabel(EntryField field, const char* name, QWidget* parent);
  QLabel* MakeCaption(const QString& name, const QString& text, QWidget* parent);
  TrkBitBtn* MakeButton(const char* name, const QString& caption, QWidget* parent);
  QListWidget* MakeChoiceList(const char* name, const std::vector<std::string>& entries);
  void ConnectList();
  /// Point sizes and pixel widths of the window, smaller on narrow screens.
  int Pt(int points) const { return narrow_ ? points * 5 / 6 : points; }
  int Px(int pixels) const { return narrow_ ? pixels * 3 / 4 : pixels; }

  // Events (contest_log_events.cpp).
  void Run(const std::function<void()>& action);
  void FieldEdited(EntryField field, const QString& text);
  void FieldEntered(EntryField field);
  void FocusChanged(QWidget* old, QWidget* now);
  void EnterListState();
  void OpenChoiceList(QListWidget* list, QWidget* over, const std::string& current);
  void CallTool(const std::function<void()>& tool);
  void ShowFields();
  /// One entry field (or the label in its place) as the session holds it.
  void ShowField(EntryField field);
  void ShowCaptions();
  void ShowCounters();
  void ShowFocus();
  void FollowStoresAndBand();
  void PositionListOnNewestQso();
  void UpdateButtons();
  std::optional<EntryField> FieldOf(const QWidget* widget) const;
  void Finish();
  /// The widths of the log list's columns into the header copy.
  void StoreColumnWidths();
  /// Narrows the report columns of the log list when the columns up to the points do not
  /// fit the list's width (every time the list changes its size).
  void FitListColumns();
  /// Puts the log list on stored record `record` in the order the list follows now.
  void GotoRecord(std::int32_t record);
  /// The session's stores as the list follows them now (it was positioned already), so that
  /// showing the session does not move it again.
  void ListFollowed();

  std::unique_ptr<QsoSession> session_;
  UserDialogs& dialogs_;
  ProgressWindow* progress_ = nullptr;
  CatController* cat_ = nullptr;
  QWidget* mainWindow_;
  ContestLogTools tools_;
  std::array<TrkEdit*, kEntryFields> edits_{};
  std::array<QLabel*, kEntryFields> fixed_{};
  std::array<QLabel*, kEntryFields> captions_{};
  std::string header_;
  std::string extension_;
  QPointer<QWidget> returnFocus_; // where the focus goes back after a band or mode list
  bool opened_ = false;
  bool finished_ = false;
  bool closing_ = false;
  bool busy_ = false;        // a session action is running (a message box may be open)
  bool toolRunning_ = false; // a tool's window (list, note ...) is open over the log
  bool showing_ = false;     // the window writes into its controls
  bool listState_ = false;
  int sortChoice_ = 3; // the list follows the record number (" alle - Nr")
  int shownStores_ = 0;
  char shownBand_ = 0;
  bool compact_ = false;
  bool narrow_ = false; // a screen narrower than 1200 pixels
};

} // namespace tarvik
