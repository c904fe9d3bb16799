#pragma once
// The entry session of the log window: everything the window "ContestLogWindow" knows and
// decides while the operator logs the QSOs of one contest, without any window. The window
// copies texts between its widgets and the session and forwards the operator's actions;
// tests drive the whole entry cycle through the same calls.
//
// What the session owns for the time the log is open: its copy of the contest definition,
// copies of the contest header and extension records (written back by the caller after
// Close), the QSO file KXLK<nnnn>, the call book KXCBUCH, the call list KXCALL, the prefix
// tables, the QSO being entered (the current record), the texts of the entry fields and
// what each field shows, the focus, the current band and mode, the running numbers of the
// next QSO, the per-band totals, the multiplier index and evaluation, and the caches.
//
// The entry cycle:
//   Open()                      opening steps: files, marker records, band, mode, lists,
//                               totals rebuilt from the file, clock tick, a new QSO
//   SetFieldText(f, text)       the operator changed a field's text (typing in the call
//                               field runs the prefix lookup and the evaluation, typing in
//                               an exchange field the evaluation)
//   PressEnter()                Enter in the focused field: leaves it (checks, duplicate
//                               check, call book, storing) and moves the focus
//   SetFocus(f)                 the operator moved the focus (click, Tab): leaves the field
//   Store()                     the save ("Speichern"), also used by the ADIF import
//   Clear()                     "Clear" / Esc: a new QSO
//   ClockTick()                 once a second: automatic date, time and band
//   ToggleQslMark()             Alt+Q
//   band and mode lists, frequency field, "Name/QTH" button
//   BeginChange/ApplyChange     change a stored QSO through the edit dialog's form
//   DeleteQso                   delete a stored QSO, renumber, rebuild the totals
//   Close()                     statistics into the header and extension copies, QCWA
//                               member list saved, log renumbered, files closed
// Messages, questions and beeps go through UserDialogs; the time comes from the Clock.

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "base/clock.h"
#include "base/user_dialogs.h"
#include "contest/contest_definition.h"
#include "contest/multiplier_index.h"
#include "contest/multiplier_rules.h"
#include "contest/multiplier_tracker.h"
#include "contest/qso_points.h"
#include "contest/score.h"
#include "country/prefix_lookup.h"
#include "datafiles/contest_records.h"
#include "datafiles/qso_record.h"
#include "logging/entry_fields.h"
#include "logging/progress_display.h"
#include "logging/qso_edit_form.h"
#include "logging/renumbering.h"

namespace tarvik {

class Fileblock;

/// What a session is opened with.
struct QsoSessionParams {
  ContestDefinition definition; ///< copied; never changed by the session
  char contestCode = 0;
  /// The contest header record (379 bytes) and extension record (11608 bytes) of the
  /// contest; the session works on copies. Shorter texts are padded with zero bytes.
  std::string headerRecord;
  std::string extensionRecord;
  /// The own locator of the family setup, used when the header has none.
  std::string ownLocator;
};

/// Why the completeness test refused the QSO being entered.
enum class QsoRefusal {
  kNone,           ///< the QSO may be stored
  kNoDate,         ///< no valid date
  kNoTime,         ///< no valid time
  kBadCall,        ///< the call is empty, too short or malformed
  kNoSecondCall,   ///< a listener log without the second call
  kDuplicate,      ///< the contest's duplicate rule found an earlier QSO
  kDokRestriction, ///< the DOK is outside the contest's DOK list and districts
};

/// Colour of a multiplier panel label.
enum class PanelColour { kGrey, kRed, kGreen };

/// One of the 8 x 14 labels of the multiplier panel.
struct PanelCell {
  std::string text = ".";
  PanelColour colour = PanelColour::kGrey;
  bool bold = true;
  bool underline = false;
  friend bool operator==(const PanelCell&, const PanelCell&) = default;
};

/// The counters of the entry panel (labels leqso/lqso, lemulti/lmulti, lePunkte/lPunkte,
/// lNummer).
struct EntryCounters {
  std::string qsoCaption, qsoValue;
  std::string multiCaption, multiValue;
  std::string pointsCaption, pointsValue;
  std::string nextNumber;
};

/// What a change of a stored QSO did (QsoSession::ApplyChange).
struct ChangeOutcome {
  bool stored = false;             ///< the record was written
  bool fullRecalculation = false;  ///< renumbering, statistics and totals ran again
  RenumberResult renumbered = RenumberResult::kUnchanged;
  /// The record number of the changed QSO now: the one it had, or after a renumbering the one
  /// it got in the new log; 0 when it was not stored or cannot be found.
  std::int32_t record = 0;
};

/// The live evaluation panel "panelauswertung".
struct EvaluationPanel {
  struct Row {
    char band = 0;
    std::string name;                 ///< printed band name (all three blocks)
    bool visible = false;             ///< hidden for an empty or invalid band letter
    std::string qsos, multis, points; ///< "#####"
    bool current = false;             ///< drawn yellow, else silver
  };
  std::array<Row, 7> rows;
  bool headingsVisible = true;   ///< "Band"/"QSO", "Band"/"Punkte" (code 'E', kind 1: no)
  bool multiBlockVisible = true; ///< the multiplier block (no multipliers or kind 1: no)
  std::string totalQsos;         ///< Label28: total + " QSO"
  std::string totalMultis;       ///< Label19
  std::string totalPoints;       ///< Label20
  bool totalPointsVisible = true;
  std::string score; ///< Label21: "#########" + " Pkt."
  bool scoreVisible = true;
  bool partyButtonVisible = false; ///< btnauswertung
};

class QsoSession {
public:
  static constexpr int kPanelRows = 8;
  static constexpr int kPanelColumns = 14;

  /// REQUIRES: `dialogs` and `clock` outlive the session; the record-file engine runs.
  QsoSession(QsoSessionParams params, UserDialogs& dialogs, const Clock& clock = ProcessClock());
  /// Closes the files when Close() was not called (without statistics).
  ~QsoSession();
  QsoSession(const QsoSession&) = delete;
  QsoSession& operator=(const QsoSession&) = delete;

  // --- Life cycle --------------------------------------------------------------------

  /// The opening steps: opens the QSO file, call book, prefix tables and call list; clears
  /// the fields of band-change marker records; sets band (first band, time block, band of
  /// the last record) and start mode; rebuilds totals and multipliers from the file; runs
  /// the clock tick and prepares a new QSO. False when a file could not be opened (the
  /// error is in the record-file error channel).
  bool Open();
  bool IsOpen() const { return log_ != nullptr; }
  /// Closing: saves the QCWA member list when it was loaded, rebuilds the totals from the
  /// file, writes the header statistics into the header and extension copies, renumbers
  /// the log when it is out of order, and closes the files. The caller writes HeaderRecord() and ExtensionRecord() back.
  void Close();

  // --- Entry -------------------------------------------------------------------------

  /// The operator changed the text of `field` (the text is cut to the field's length and,
  /// for calls and exchanges, upper-cased). Runs the field's change handler.
  void SetFieldText(EntryField field, std::string_view text);
  /// Enter in the focused entry field.
  void PressEnter();
  /// The "#" key in the call field: appends "/p" unless the call holds one, then Enter.
  void PressHashInCall();
  /// The focus moves to `field` (a click or Tab): the focused field is left without Enter.
  void SetFocus(EntryField field);
  /// Leaves `field`: the field-exit handler (normally reached through PressEnter/SetFocus).
  void ExitField(EntryField field, bool byEnter);
  /// What a key typed into `field` inserts: "" when the key is ignored (a blank in the
  /// received fields, except for code 'i'), else the character itself.
  std::string TypedKey(EntryField field, char key) const;

  /// The save: stores the QSO being entered when it is complete and prepares the next one.
  /// `fromImport`: called by the ADIF import (no clock tick). False when nothing was stored.
  bool Store(bool fromImport = false);
  /// Prepares a new QSO (the "Clear" button, Esc).
  void Clear() { PrepareNewQso(0); }
  /// Prepares a new QSO; `editMode` 1 marks the change of a stored QSO (see BeginEdit).
  void PrepareNewQso(int editMode);
  /// Loads stored QSO `recordNumber` into the entry to change it (edit mode 1); Store()
  /// then writes it back and rebuilds the totals. False for a missing or marker record.
  bool BeginEdit(std::int32_t recordNumber);

  // --- Stored QSOs: change, deletion, renumbering (session_change.cpp) ----------------

  /// The edit dialog's form filled from stored QSO `recordNumber`; false for a missing or
  /// marker record (refused silently).
  bool BeginChange(std::int32_t recordNumber, QsoEditForm* form);
  /// Reads the form back into the stored QSO (the change dialog's checks with their
  /// messages, prefix lookup, points) and writes it. A change of a value that feeds a
  /// multiplier, of the call, a report, the band, the mode or the points (and every change
  /// for codes '7', 'f', 'k') is followed by the full recalculation: renumbering, header
  /// statistics, tables and totals.
  ChangeOutcome ApplyChange(std::int32_t recordNumber, const QsoEditForm& form);
  /// Deletes stored QSO `recordNumber` after the message and the question "Eintrag <call>
  /// löschen?": points and QSO count of its band go down, the record is deleted, the log is
  /// renumbered, the totals are rebuilt and a new QSO is prepared. False when nothing was
  /// deleted (marker record, missing record, No).
  bool DeleteQso(std::int32_t recordNumber);
  /// Renumbers the log (not for logs with serial numbers in the sent exchange; the result is
  /// kUnchanged then). A failure shows its message; the old log stays.
  RenumberResult Renumber(bool onlyWhenNeeded = false);
  /// Where long runs report their progress (nullptr: nowhere).
  void SetProgressDisplay(ProgressDisplay* display) { progress_ = display; }
  /// How often the totals were rebuilt from the file in full since the session was opened
  /// (opening included).
  int FullRebuilds() const { return fullRebuilds_; }

  /// The completeness test: date, time, call, second call (listener logs), duplicate rule,
  /// DOK restriction. `messages`: beep and show the duplicate or DOK message.
  bool IsComplete(bool messages);
  /// The reason of the last completeness test's verdict (kNone when it passed).
  QsoRefusal LastRefusal() const { return refusal_; }
  /// Runs the exchange evaluation for the current record (multiplier marks, pending values).
  void Evaluate();
  /// Reads the entry fields into the current record and runs the exchange evaluation, as
  /// leaving the last exchange field does before the save; the fields then show the record.
  /// Element messages are not shown (no field has the focus of the operator).
  void ReadFieldsAndEvaluate();

  /// Once a second: automatic band by time block, date and time. With `mayChangeBand`
  /// false only date and time follow the clock (while another window of the log works on
  /// the file, the band waits for the next full tick).
  void ClockTick(bool mayChangeBand = true);
  /// Alt+Q or a click on lQSLs.
  void ToggleQslMark();
  /// "Name/QTH" (F9): shows or hides eFreq, eName, eQTH.
  void ToggleNameQth();
  bool NameQthButtonVisible() const { return !listener_; }

  // --- Band and mode -----------------------------------------------------------------

  const std::vector<std::string>& ModeList() const { return modeList_; }
  const std::vector<std::string>& BandList() const { return bandList_; }
  bool BandButtonVisible() const { return bandList_.size() > 1; }
  bool ModeButtonVisible() const { return modeList_.size() > 1; }
  /// F8 / btnBand: with exactly two bands the other band is taken at once and false is
  /// returned; otherwise true (the window shows the list with the current band selected).
  bool BandButton();
  /// F7 / btnMode: likewise with the modes.
  bool ModeButton();
  /// Taking a band from the list (its printed name or letter).
  void TakeBand(char band);
  void TakeBandByName(std::string_view name);
  /// Taking a mode from the list; "DIGITAL" shows the free mode field.
  void TakeMode(std::string_view mode);
  /// Switches the band (entry mode): running numbers, multipliers, sent serials follow.
  void SwitchBand(char band);
  /// Switches the band while the log list is browsed by a band key: tables follow, the
  /// entry is cleared (date and time -1).
  void SwitchBandForList(char band);
  /// Switches the mode: running number per mode group, multipliers, sent serial follow.
  void SwitchMode(std::string_view mode);
  /// The band the active time block demands (the current band when the block lists it,
  /// else the block's first band), or 0 when no block is active. Blocks are taken in
  /// order; the block's bands count only where the contest offers them.
  char TimeBlockBand() const;

  char CurrentBand() const { return band_; }
  std::string CurrentBandName() const;
  const std::string& CurrentMode() const { return mode_; }
  int EditMode() const { return editMode_; }

  // --- What the window shows ---------------------------------------------------------

  /// The text of a field (for a field shown as a label: what the label shows).
  std::string FieldText(EntryField field) const;
  FieldShow Show(EntryField field) const;
  bool IsEntryField(EntryField field) const { return Show(field) == FieldShow::kEntry; }
  /// Tab order of the field inside the entry panel (listener logs rearrange the rows).
  int TabOrder(EntryField field) const;
  /// The entry fields in tab order.
  std::vector<EntryField> FieldsInTabOrder() const;
  EntryField Focus() const { return focus_; }
  /// True for a field a check failed on (shown light red) until its text changes or a
  /// new QSO is prepared.
  bool FieldFailed(EntryField field) const { return failed_[static_cast<std::size_t>(field)]; }
  /// The caption (le... label) of a field: "Call 2", "Datum", "UTC", "Freq.", "Name",
  /// "QTH", or "" for fields without one.
  std::string FieldCaption(EntryField field) const;
  /// True when the field's caption is drawn red (the focused field), else teal.
  bool CaptionHighlighted(EntryField field) const { return field == focus_; }
  /// Names of the exchange elements 2..4 (lRST2Name..lRST4Name, n = 1..3): "&1 : DOK" ...
  std::string ElementCaption(int n) const;
  /// Captions of the two report rows (lersts, lerstr).
  std::string SentRowCaption() const;
  std::string ReceivedRowCaption() const;
  /// True when the contest has no multiplier kinds: panel and band counters are hidden
  /// and time, mode, band and date share one row.
  bool CompactLayout() const { return !rules_.HasMultipliers(); }

  std::string WindowCaption() const;
  std::string ListCaption() const { return "Contest-Logbuch"; }
  /// The list's title while the log list has the focus (list state).
  std::string ListStateCaption() const;
  const std::string& ProgramLine() const { return def_.ProgramLine; }
  std::string EnterHint() const;
  std::string QslLabel() const;
  char QslMark() const { return qslMark_; }
  /// Name found for the call (lcallname), "" when none (the window shows "QSO-Partner").
  const std::string& CallName() const { return callName_; }
  /// Label width of the multiplier panel (36 for codes 'H' and 'k', 28 otherwise).
  int PanelLabelWidth() const;

  /// The 112 labels of the multiplier panel, row by row.
  std::vector<PanelCell> MultiplierPanel() const;
  EntryCounters Counters() const;
  EvaluationPanel Evaluation() const;

  // --- Totals ------------------------------------------------------------------------

  /// Per-band totals including the multipliers of the QSO being entered.
  SlotTotals Totals() const;
  std::int64_t Score() const { return ComputeScore(def_, Totals()); }
  /// Rebuilds totals and multipliers from the QSO file (after a change or delete).
  void Rebuild();
  /// Writes the statistics of the stored QSOs into the header and extension copies.
  void RecalculateHeaderStatistics();

  // --- Data --------------------------------------------------------------------------

  /// The QSO being entered (216 bytes).
  QsoRecord Record() { return QsoRecord(record_.data()); }
  QsoRecord Record() const { return QsoRecord(static_cast<const char*>(record_.data())); }
  const std::string& HeaderRecord() const { return header_; }
  /// Width of column 1..20 of the QSO lists as kept in the header copy (0: none stored).
  std::uint16_t ListColumnWidth(int column) const { return Header().ColumnWidth(column); }
  /// Keeps a column width in the header copy (written back with the header).
  void SetListColumnWidth(int column, std::uint16_t width) {
    Header().SetColumnWidth(column, width);
  }
  /// The header copy for the log's windows that keep their settings in it (QSO list column
  /// widths, note window placement); it goes back with the statistics when the log closes.
  std::string& MutableHeaderRecord() { return header_; }
  const std::string& ExtensionRecord() const { return extension_; }
  const ContestDefinition& Definition() const { return def_; }
  char ContestCode() const { return code_; }
  Fileblock* LogFile() const { return log_; }
  std::int32_t NextQsoNumber() const { return nextQsoNr_; }
  /// How many QSOs were stored (added or changed) since the session was opened, and the
  /// record number of the last one (0 before the first): the window repositions its log
  /// list when the count moves.
  int StoreCount() const { return storeCount_; }
  std::int32_t LastStoredRecord() const { return lastStored_; }
  /// The record number of the newest QSO of the current band (key 12), 0 when the band has
  /// none: where the log list stands after opening and after a band change.
  std::int32_t NewestQsoOfCurrentBand() const;
  /// The prefix lookup of the session (for the window's prefix choice).
  PrefixLookup* Lookup() { return lookup_.get(); }
  /// Installs the prefix choice shown when the ambiguity option is on.
  void SetPrefixChooser(PrefixChooser chooser);
  /// The QCWA member list (code 'k'), loaded on first use.
  const std::vector<std::string>& QcwaList();

private:
  struct Failure {
    EntryField field;
    std::string message;
  };

  ContestHeaderRecord Header() { return ContestHeaderRecord(header_.data()); }
  ContestHeaderRecord Header() const {
    return ContestHeaderRecord(static_cast<const char*>(header_.data()));
  }
  ContestExtensionRecord Extension() const {
    return ContestExtensionRecord(static_cast<const char*>(extension_.data()));
  }
  std::string& Text(EntryField field) { return texts_[static_cast<std::size_t>(field)]; }
  const std::string& Text(EntryField field) const {
    return texts_[static_cast<std::size_t>(field)];
  }
  EntryField RcvdRow(int n) const { return listener_ ? SentField(n) : ReceivedField(n); }
  EntryField SentRow(int n) const { return listener_ ? ReceivedField(n) : SentField(n); }
  bool Visible(EntryField field) const { return Show(field) != FieldShow::kHidden; }
  bool Cw() const;
  PointContext Points() const;
  std::string OwnLocator() const;

  // Layout (session_layout.cpp).
  void BuildLayout();
  FieldShow BaseShow(EntryField field) const;
  EntryField NextFocus(EntryField from) const;
  void UpdateLdkVisibility();

  // Fields and record (session_fields.cpp).
  std::vector<Failure> ReadFields(std::optional<EntryField> leaving,
                                  std::string_view placeholderCall = {});
  void WriteFields(std::optional<EntryField> typing = std::nullopt);
  std::string DefaultRst() const;
  std::string SentDefaultExchange() const;
  bool LookUpRecordPrefix();
  void ShowFailures(const std::vector<Failure>& failures);

  // Call book and call list (session_call_book.cpp).
  void PrefillFromCallBook();
  void LookUpName();
  void UpdateCallBook();
  void RememberQcwaMember();
  void SaveQcwaList();
  std::string QcwaMember(std::string_view homeCall);

  // Entry handlers (session_entry.cpp).
  void CallChanged();
  void ExchangeChanged(EntryField typed);
  void LeaveCall(bool byEnter);
  bool StoreAllowedOnExit(EntryField field) const;
  void LeaveFrequency();

  // Totals (qso_session.cpp).
  void RebuildFromFile(bool cleanMarkers);
  // Change and deletion (session_change.cpp).
  void FullRecalculation();
  bool NeedsFullRecalculation(const QsoRecord& before, const QsoRecord& after) const;
  void RefreshNextNumbers();

  // Band and mode (session_band_mode.cpp).
  void ChooseStartMode();
  void RebuildLockedSentExchange();

  ContestDefinition def_;
  char code_;
  std::string header_;
  std::string extension_;
  std::string ownLocatorFallback_;
  UserDialogs& dialogs_;
  const Clock& clock_;
  bool listener_;
  MultiplierRules rules_;
  MultiplierIndex index_;
  MultiplierTracker tracker_;

  Fileblock* log_ = nullptr;
  Fileblock* callBook_ = nullptr;
  Fileblock* callList_ = nullptr;
  PrefixTables prefixTables_;
  std::unique_ptr<PrefixLookup> lookup_;
  PrefixChooser chooser_;

  // Fields.
  std::array<std::string, kEntryFields> texts_{};
  std::array<FieldShow, kEntryFields> baseShow_{};
  std::array<bool, kEntryFields> failed_{};
  EntryField focus_ = EntryField::eCall;
  bool nameQthShown_ = false;
  bool emodeShown_ = false;
  bool ldkHidden_ = false;
  bool enterFlag_ = false;
  bool filling_ = false;
  int prepareCount_ = 0;
  int focusChanges_ = 0; // focus moves made by the session itself
  std::optional<EntryField> incompleteField_;
  QsoRefusal refusal_ = QsoRefusal::kNone;

  // The QSO being entered.
  std::array<char, QsoRecord::kLength> record_{};
  char band_ = 0;
  std::string mode_;
  int editMode_ = 0;
  std::int32_t editRecord_ = 0;
  std::int32_t nextQsoNr_ = 1;
  std::int32_t nextBandSerial_ = 1;
  std::int32_t nextBandNr_ = 1;
  std::int32_t nextModeNr_ = 1;
  DayNumber lastDate_ = BadDate;
  TimeOfDay lastTime_ = BadTime;
  float rememberedFreq_ = 0;
  char qslMark_ = 'N';
  std::string lastCall_;
  std::string lastPrefix_;
  std::string lastBookCall_;
  std::string nameCache_;
  std::string qthCache_;
  std::string callName_;
  std::string handEntry_; // the prefix entry the person chose for this entry
  bool autoTimeAtOpen_ = false;
  int storeCount_ = 0;
  std::int32_t lastStored_ = 0;

  // Totals of the stored QSOs.
  std::array<std::int32_t, kBandSlots> points_{};
  std::array<std::int32_t, kBandSlots> qsos_{};

  // Lists.
  std::vector<std::string> modeList_;
  std::vector<std::string> bandList_;
  std::optional<std::vector<std::string>> qcwa_;

  ProgressDisplay* progress_ = nullptr;
  int fullRebuilds_ = 0;
};

} // namespace tarvik
