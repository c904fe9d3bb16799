#pragma once
// The entry form of the log window: the texts of the entry fields, what each field shows
// (entry field, label or nothing), their tab order and where Enter moves the focus, the
// focus itself, the fields a check failed on, the captions, and the QSL-send mark and the
// name found for the call that the form shows beside the fields. The session (qso_session.h)
// reads the fields into the QSO being entered and writes the QSO back into them; the window
// copies the texts between its widgets and the form.

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "contest/contest_definition.h"
#include "datafiles/contest_records.h"
#include "datafiles/qso_record.h"
#include "logging/bands_modes.h"
#include "logging/entry_fields.h"

namespace tarvik {

/// The captions of the log list and the Enter hint (no state of their own).
std::string LogListCaption();
std::string LogListStateCaption();
std::string EnterHint();
/// The caption of a field: "Call", "Call 2", "Datum", "UTC", "Freq.", "Name", "QTH", "Mode";
/// "" for the report fields.
std::string FieldCaption(EntryField field);

class EntryForm {
public:
  /// The QSO being entered, as the session keeps it.
  using QsoBytes = std::array<char, QsoRecord::kLength>;

  /// `definition`, `record` and `bands` belong to the session and outlive the form;
  /// `compact`: the contest has no multiplier kinds.
  EntryForm(const ContestDefinition& definition, char contestCode, const QsoBytes& record,
            const BandsAndModes& bands, bool compact);

  // --- What the window shows -------------------------------------------------------------

  /// The text of a field (for a field shown as a label: what the label shows).
  std::string FieldText(EntryField field) const;
  FieldShow Show(EntryField field) const;
  bool IsEntryField(EntryField field) const { return Show(field) == FieldShow::kEntry; }
  /// Tab order of the field inside the entry panel (listener logs rearrange the rows).
  int TabOrder(EntryField field) const;
  /// The entry fields in tab order.
  std::vector<EntryField> FieldsInTabOrder() const;
  EntryField Focus() const { return focus_; }
  /// True for a field a check failed on (shown light red) until its text changes or a new
  /// QSO is prepared.
  bool FieldFailed(EntryField field) const { return failed_[Slot(field)]; }
  /// True when the field's caption is drawn red (the focused field), else teal.
  bool CaptionHighlighted(EntryField field) const { return field == focus_; }
  /// Names of the exchange elements 2..4 (lRST2Name..lRST4Name, n = 1..3): "&1 : DOK" ...
  std::string ElementCaption(int n) const;
  /// Captions of the two report rows (lersts, lerstr): "RSTs", and "RSTr" ("RSTs2" in
  /// listener logs).
  std::string RowCaption(bool received) const;
  /// True when the contest has no multiplier kinds: panel and band counters are hidden and
  /// time, mode, band and date share one row.
  bool CompactLayout() const { return compact_; }
  bool NameQthButtonVisible() const { return !listener_; }
  /// "Name/QTH" (F9): shows or hides eFreq, eName, eQTH (the focus leaves them).
  void ToggleNameQth();
  /// What a key typed into `field` inserts: "" when the key is ignored (a blank in the
  /// received fields, unless the contest's exchange keeps them), else the character.
  std::string TypedKey(EntryField field, char key) const;
  /// "&QSL senden: ja" / "nein" for the QSL-send mark.
  std::string QslLabel() const;
  char QslMark() const { return qslMark_; }
  /// Name found for the call (lcallname), "" when none (the window shows "QSO-Partner").
  const std::string& CallName() const { return callName_; }

  // --- What the session keeps up to date ----------------------------------------------

  std::string& Text(EntryField field) { return texts_[Slot(field)]; }
  const std::string& Text(EntryField field) const { return texts_[Slot(field)]; }
  /// Row field n of the received and the sent row as shown: listener logs show the sent
  /// report in the second row.
  EntryField ReceivedRow(int n) const { return listener_ ? SentField(n) : ReceivedField(n); }
  EntryField SentRow(int n) const { return listener_ ? ReceivedField(n) : SentField(n); }
  /// Which fields are entry fields, labels or hidden for the header's settings.
  void BuildLayout(const ContestHeaderRecord& header, const ContestExtensionRecord& extension);
  /// Where Enter moves the focus from `from`.
  EntryField NextFocus(EntryField from) const;
  /// The session moves the focus; FocusMoves counts how often it did.
  void MoveFocus(EntryField field);
  int FocusMoves() const { return focusMoves_; }
  void SetFailed(EntryField field, bool failed) { failed_[Slot(field)] = failed; }
  void ClearFailures() { failed_.fill(false); }
  void SetNameQthShown(bool shown) { nameQthShown_ = shown; }
  /// Elements of kind 17 (LDK) exist only for German calls: hidden for another call.
  void SetLdkHidden(bool hidden) { ldkHidden_ = hidden; }
  void SetQslMark(char mark) { qslMark_ = mark; }
  void SetCallName(std::string name) { callName_ = std::move(name); }

private:
  static std::size_t Slot(EntryField field) { return static_cast<std::size_t>(field); }
  bool Visible(EntryField field) const { return Show(field) != FieldShow::kHidden; }

  const ContestDefinition& def_;
  const char code_;
  const QsoBytes& record_;
  const BandsAndModes& bands_;
  const bool compact_;
  const bool listener_;
  std::array<std::string, kEntryFields> texts_{};
  std::array<FieldShow, kEntryFields> baseShow_{};
  std::array<bool, kEntryFields> failed_{};
  EntryField focus_ = EntryField::eCall;
  int focusMoves_ = 0;
  bool nameQthShown_ = false;
  bool ldkHidden_ = false;
  char qslMark_ = 'N';
  std::string callName_;
};

} // namespace tarvik
