#pragma once
// The entry session of the log window: everything the window "ContestLogWindow" knows and
// decides while the operator logs the QSOs of one contest, without any window. The window
// copies texts between its widgets and the session's entry form and forwards the operator's
// actions; tests drive the whole entry cycle through the same calls.
//
// The session orchestrates its parts and owns them for the time the log is open:
//   EntryForm      the fields' texts, what they show, focus and captions (entry_form.h)
//   BandsAndModes  the band and mode lists and the current band and mode (bands_modes.h)
//   QsoLog         the QSO file KXLK<nnnn>, totals, multipliers, running numbers,
//                  renumbering and header statistics (qso_log.h)
//   CallBook       the call book KXCBUCH, the call list KXCALL, the QCWA list (call_book.h)
// and besides them its copy of the contest definition, copies of the contest header and
// extension records (written back by the caller after Close), the prefix tables and the QSO
// being entered (the current record).
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
//   TakeBand/TakeMode           the band and mode lists, F7/F8
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
#include "contest/contest_traits.h"
#include "contest/multiplier_rules.h"
#include "contest/qso_points.h"
#include "country/prefix_lookup.h"
#include "datafiles/contest_record_store.h"
#include "datafiles/qso_record.h"
#include "logging/bands_modes.h"
#include "logging/call_book.h"
#include "logging/entry_fields.h"
#include "logging/entry_form.h"
#include "logging/progress_display.h"
#include "logging/qso_edit_form.h"
#include "logging/qso_log.h"
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

/// What a change of a stored QSO did (QsoSession::ApplyChange).
struct ChangeOutcome {
  bool stored = false;            ///< the record was written
  bool fullRecalculation = false; ///< renumbering, statistics and totals ran again
  RenumberResult renumbered = RenumberResult::kUnchanged;
  /// The record number of the changed QSO now: the one it had, or after a renumbering the one
  /// it got in the new log; 0 when it was not stored or cannot be found.
  std::int32_t record = 0;
};

/// The window caption of the log window: the program title, "Logbuch" and the contest name.
std::string LogWindowCaption(const ContestDefinition& definition,
                             const ContestHeaderRecord& header);

class QsoSession {
public:
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
  [[nodiscard]] bool Open();
  bool IsOpen() const { return open_; }
  /// Closing: saves the QCWA member list when it was loaded (a failure is reported),
  /// rebuilds the totals from the file, writes the header statistics into the header and
  /// extension copies, renumbers the log when it is out of order, and closes the files. The
  /// caller writes Contest() back.
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
  /// The save: stores the QSO being entered when it is complete and prepares the next one.
  /// `fromImport`: called by the ADIF import (no clock tick). False when nothing was stored.
  [[nodiscard]] bool Store(bool fromImport = false);
  /// Prepares a new QSO (the "Clear" button, Esc).
  void Clear() { PrepareNewQso(0); }
  /// Loads stored QSO `recordNumber` into the entry to change it (edit mode 1); Store()
  /// then writes it back and rebuilds the totals. False for a missing or marker record.
  [[nodiscard]] bool BeginEdit(std::int32_t recordNumber);
  /// 1 while a stored QSO is changed through the entry (BeginEdit), else 0.
  int EditMode() const { return editMode_; }
  /// Reads the entry fields into the current record and runs the exchange evaluation, as
  /// leaving the last exchange field does before the save; the fields then show the record.
  /// Element messages are not shown (no field has the focus of the operator).
  void ReadFieldsAndEvaluate();
  /// The reason of the last completeness test's verdict (kNone when it passed).
  QsoRefusal LastRefusal() const { return refusal_; }
  /// The completeness test: date, time, call, second call (listener logs), duplicate rule,
  /// DOK restriction. `messages`: beep and show the duplicate or DOK message. The ADIF
  /// import asks it without messages and reads LastRefusal for the reason.
  [[nodiscard]] bool IsComplete(bool messages);
  /// Once a second: automatic band by time block, date and time. With `mayChangeBand`
  /// false only date and time follow the clock (while another window of the log works on
  /// the file, the band waits for the next full tick).
  void ClockTick(bool mayChangeBand = true);
  /// Alt+Q or a click on lQSLs.
  void ToggleQslMark();

  // --- Band and mode -----------------------------------------------------------------

  /// Taking a band from the list (or F8 with two bands).
  void TakeBand(char band);
  /// Taking a mode from the list; "DIGITAL" shows the free mode field.
  void TakeMode(std::string_view mode);
  /// Switches the band (entry mode): running numbers, multipliers, sent serials follow.
  void SwitchBand(char band);
  /// Switches the band while the log list is browsed by a band key: tables follow, the
  /// entry is cleared (date and time -1).
  void SwitchBandForList(char band);
  /// Switches the mode: running number per mode group, multipliers, sent serial follow.
  void SwitchMode(std::string_view mode);

  // --- Stored QSOs: change, deletion (session_change.cpp) -----------------------------

  /// The edit dialog's form filled from stored QSO `recordNumber`; false for a missing or
  /// marker record (refused silently).
  [[nodiscard]] bool BeginChange(std::int32_t recordNumber, QsoEditForm* form);
  /// Reads the form back into the stored QSO (the change dialog's checks with their
  /// messages, prefix lookup, points) and writes it. A change of a value that feeds a
  /// multiplier, of the call, a report, the band, the mode or the points (and every change
  /// for contests whose traits ask for it) is followed by the full recalculation:
  /// renumbering, header statistics, tables and totals.
  [[nodiscard]] ChangeOutcome ApplyChange(std::int32_t recordNumber, const QsoEditForm& form);
  /// Deletes stored QSO `recordNumber` after the message and the question "Eintrag <call>
  /// löschen?": points and QSO count of its band go down, the record is deleted, the log is
  /// renumbered, the totals are rebuilt and a new QSO is prepared. False when nothing was
  /// deleted (marker record, missing record, No).
  [[nodiscard]] bool DeleteQso(std::int32_t recordNumber);
  /// Renumbers the log (not for logs with serial numbers in the sent exchange; the result is
  /// kUnchanged then). A failure shows its message; the old log stays.
  [[nodiscard]] RenumberResult Renumber(bool onlyWhenNeeded = false);
  /// Rebuilds totals and multipliers from the QSO file (after another window changed it),
  /// the running numbers of the next QSO and the evaluation of the QSO being entered.
  void Rebuild();

  // --- The parts and the data --------------------------------------------------------

  EntryForm& Form() { return form_; }
  const EntryForm& Form() const { return form_; }
  const BandsAndModes& Bands() const { return bands_; }
  QsoLog& Log() { return log_; }
  const QsoLog& Log() const { return log_; }
  CallBook& Book() { return book_; }
  /// The copies of the contest header and extension records: the log's windows keep their
  /// settings in the header (QSO list column widths, note window placement), and the
  /// statistics go into both when the log closes.
  ContestRecords& Contest() { return contest_; }
  const ContestRecords& Contest() const { return contest_; }
  /// The QSO being entered (216 bytes).
  QsoRecord Record() { return QsoRecord(record_.data()); }
  QsoRecord Record() const { return QsoRecord(static_cast<const char*>(record_.data())); }
  const ContestDefinition& Definition() const { return def_; }
  char ContestCode() const { return code_; }
  /// Installs the prefix choice shown when the ambiguity option is on.
  void SetPrefixChooser(PrefixChooser chooser);

private:
  struct Failure {
    EntryField field;
    std::string message;
  };

  ContestHeaderRecord Header() { return contest_.Header(); }
  ContestHeaderRecord Header() const { return contest_.Header(); }
  std::string& Text(EntryField field) { return form_.Text(field); }
  const std::string& Text(EntryField field) const { return form_.Text(field); }
  EntryField RcvdRow(int n) const { return form_.ReceivedRow(n); }
  EntryField SentRow(int n) const { return form_.SentRow(n); }
  bool IsEntryField(EntryField field) const { return form_.IsEntryField(field); }
  EntryField Focus() const { return form_.Focus(); }
  bool KeepCall2() const { return listener_ || traits_.memberNumberInCall2; }
  std::int32_t ExcludedRecord() const { return editMode_ != 0 ? editRecord_ : 0; }
  PointContext Points() const;
  std::string OwnLocator() const;
  void PrepareNewQso(int editMode);
  void UpdateLdkVisibility();

  // Entry handlers (session_entry.cpp).
  /// Runs the exchange evaluation for the current record (multiplier marks, pending values).
  void Evaluate();
  void ExitField(EntryField field, bool byEnter);
  void CallChanged();
  void ExchangeChanged(EntryField typed);
  void LeaveCall(bool byEnter);
  bool StoreAllowedOnExit(EntryField field) const;
  void LeaveFrequency();

  // Fields and record (session_fields.cpp).
  std::vector<Failure> ReadFields(std::optional<EntryField> leaving,
                                  std::string_view placeholderCall = {});
  void WriteFields(std::optional<EntryField> typing = std::nullopt);
  std::string DefaultRst() const;
  std::string SentDefaultExchange() const;
  [[nodiscard]] bool LookUpRecordPrefix();
  void ShowFailures(const std::vector<Failure>& failures);

  // Call book (session_fields.cpp).
  void PrefillFromCallBook();
  void LookUpName();
  void LearnFromStoredQso();

  // Change, deletion and renumbering (session_change.cpp).
  void FullRecalculation();
  bool NeedsFullRecalculation(const QsoRecord& before, const QsoRecord& after) const;
  int Call2Element() const;

  // Band and mode (session_band_mode.cpp).
  void RebuildLockedSentExchange();

  ContestDefinition def_;
  const char code_;
  const ContestTraits& traits_;
  ContestRecords contest_;
  std::string ownLocatorFallback_;
  UserDialogs& dialogs_;
  const Clock& clock_;
  const bool listener_;
  MultiplierRules rules_;

  // The QSO being entered.
  std::array<char, QsoRecord::kLength> record_{};

  BandsAndModes bands_;
  EntryForm form_;
  QsoLog log_;
  CallBook book_;
  PrefixTables prefixTables_;
  std::unique_ptr<PrefixLookup> lookup_;
  PrefixChooser chooser_;
  bool open_ = false;

  // Entry state.
  bool enterFlag_ = false;
  bool filling_ = false;
  int prepareCount_ = 0;
  std::optional<EntryField> incompleteField_;
  QsoRefusal refusal_ = QsoRefusal::kNone;
  int editMode_ = 0;
  std::int32_t editRecord_ = 0;
  DayNumber lastDate_ = BadDate;
  TimeOfDay lastTime_ = BadTime;
  float rememberedFreq_ = 0;
  std::string lastCall_;
  std::string lastPrefix_;
  std::string lastBookCall_;
  std::string nameCache_;
  std::string qthCache_;
  std::string handEntry_; // the prefix entry the person chose for this entry
  bool autoTimeAtOpen_ = false;
};

/// F8 / btnBand: with exactly two bands the other band is taken at once and false is
/// returned; otherwise true when the window is to show the band list (more than two bands).
bool PressBandButton(QsoSession& session);
/// F7 / btnMode: likewise with the modes.
bool PressModeButton(QsoSession& session);

} // namespace tarvik
