// The entry handlers of the session: typing in the fields, leaving them (with or without
// Enter), the focus moves of the Enter key, the duplicate check on leaving the call field,
// the completeness test and the QSL-send mark.

#include "base/strings.h"
#include "base/text_helpers.h"
#include "contest/duplicates.h"
#include "contest/qso_checks.h"
#include "datafiles/report.h"
#include "logging/qso_session.h"
#include "radio/bands.h"

namespace tarvik {

namespace {

using F = EntryField;

bool IsExchangeField(EntryField field) {
  switch (field) {
  case F::eRSTs2:
  case F::eRSTs3:
  case F::eRSTs4:
  case F::eRSTr2:
  case F::eRSTr3:
  case F::eRSTr4:
    return true;
  default:
    return false;
  }
}

} // namespace

void QsoSession::SetFieldText(EntryField field, std::string_view text) {
  std::string value(text.substr(0, static_cast<std::size_t>(FieldMaxLength(field))));
  if (FieldIsUpperCase(field))
    value = UpCase(value);
  if (Text(field) == value)
    return;
  Text(field) = value;
  form_.SetFailed(field, false);
  if (filling_ || !IsOpen())
    return;
  if (field == F::eCall) {
    CallChanged();
  } else if (IsExchangeField(field)) {
    ExchangeChanged(field);
  } else if (field == F::emode && bands_.FreeModeShown()) {
    ReadFields(std::nullopt);
    SwitchMode(value);
    WriteFields(field);
  } else if (field == F::eName && traits_.nameIsExchange) {
    Text(ReceivedField(2)) = UpCase(value.substr(0, 21));
    ExchangeChanged(field);
  }
}

void QsoSession::CallChanged() {
  ReadFields(std::nullopt);
  QsoRecord r = Record();
  // While the call is typed the lookup never asks for a choice: the choice window would
  // take the next keystrokes and remember its choice for half a call. It asks when the
  // call field is left, for the whole call.
  if (lookup_)
    lookup_->SetChooser({});
  const bool accepted = LookUpRecordPrefix();
  if (lookup_)
    lookup_->SetChooser(chooser_);
  if (r.Call().size() > 1 && accepted) {
    const std::string prefix = r.Prefix();
    if (prefix != lastPrefix_) {
      lastPrefix_ = prefix;
      UpdateLdkVisibility();
      Evaluate();
    }
  } else {
    log_.Tracker().Undo();
    form_.SetLdkHidden(false);
  }
  WriteFields(EntryField::eCall);
}

void QsoSession::ExchangeChanged(EntryField typed) {
  // An exchange typed before the call is evaluated for a German placeholder call, so that
  // the panel shows its status at once.
  const bool placeholder = ReadCallText(Text(F::eCall)).empty();
  ReadFields(std::nullopt, placeholder ? "DL0" : "");
  Evaluate();
  if (placeholder)
    Record().SetCall("");
  WriteFields(typed);
}

void QsoSession::Evaluate() {
  if (!IsOpen())
    return;
  QsoRecord r = Record();
  log_.Tracker().Evaluate(r, *log_.File(), KeepCall2(), ExcludedRecord());
  if (!listener_)
    Text(F::eCall2) = r.Call2();
  if (!r.Call().empty())
    r.SetPunkte(StoredPoints(QsoPoints(r, Points(), ExcludedRecord())));
}

void QsoSession::ReadFieldsAndEvaluate() {
  if (!IsOpen())
    return;
  (void)ReadFields(std::nullopt); // no field has the operator's focus: no complaints shown
  Evaluate();
  WriteFields();
}

void QsoSession::PressEnter() {
  const EntryField from = Focus();
  const int focusMoves = form_.FocusMoves();
  ExitField(from, true);
  if (focusMoves == form_.FocusMoves())
    form_.MoveFocus(form_.NextFocus(from));
}

void QsoSession::PressHashInCall() {
  // "/P" in upper case, as every call is stored.
  std::string text = Text(F::eCall);
  if (UpCase(text).find("/P") == std::string::npos)
    text += "/P";
  Text(F::eCall) = text.substr(0, static_cast<std::size_t>(FieldMaxLength(F::eCall)));
  CallChanged();
  form_.MoveFocus(F::eCall);
  PressEnter();
}

void QsoSession::SetFocus(EntryField field) {
  if (field == Focus())
    return;
  const EntryField from = Focus();
  const int focusMoves = form_.FocusMoves();
  ExitField(from, false);
  if (focusMoves == form_.FocusMoves())
    form_.MoveFocus(field);
}

void QsoSession::ExitField(EntryField field, bool byEnter) {
  if (!IsOpen())
    return;
  enterFlag_ = byEnter;
  const int prepared = prepareCount_;
  const std::vector<Failure> failures = ReadFields(field);
  if (!failures.empty()) {
    ShowFailures(failures);
    WriteFields();
    enterFlag_ = false;
    return;
  }
  switch (field) {
  case F::eCall:
    LeaveCall(byEnter);
    break;
  case F::eRSTr2:
  case F::eRSTr3:
  case F::eRSTr4:
  case F::ezeit:
  case F::eQTH:
    Evaluate();
    // Enter in the last field saves; a refused QSO has shown why and stays in the entry.
    if (byEnter && StoreAllowedOnExit(field))
      (void)Store();
    break;
  case F::eFreq:
    LeaveFrequency();
    break;
  default:
    break;
  }
  if (prepared == prepareCount_)
    WriteFields();
  enterFlag_ = false;
}

bool QsoSession::StoreAllowedOnExit(EntryField field) const {
  auto none = [this](std::initializer_list<EntryField> fields) {
    for (EntryField f : fields)
      if (IsEntryField(f))
        return false;
    return true;
  };
  switch (field) {
  case F::eRSTr2:
    return none({F::eQTH, F::eRSTr3, F::eRSTr4, F::ezeit});
  case F::eRSTr3:
    return none({F::eQTH, F::eRSTr4, F::ezeit});
  case F::eRSTr4:
    return none({F::eQTH, F::ezeit});
  case F::ezeit:
  case F::eQTH:
    return true;
  default:
    return false;
  }
}

void QsoSession::LeaveCall(bool byEnter) {
  QsoRecord r = Record();
  const std::string call = r.Call();
  if (!call.empty() && call != lastCall_) {
    lastCall_ = call;
    if (IsDuplicate(r, *log_.File(), def_.DupeRule, code_, ExcludedRecord())) {
      dialogs_.Inform(DuplicateMessage(def_.DupeRule, code_, call, true));
      r.SetCall("");
      handEntry_.clear();
      r.SetRSTr(r.RSTr().substr(0, 3));
      Evaluate();
      nameCache_.clear();
      qthCache_.clear();
      PrepareNewQso(0);
      return;
    }
    LookUpName();
    if (!LookUpRecordPrefix() && !r.PrefixFest()) {
      dialogs_.Beep();
      dialogs_.Inform(ChooseText("Präfix unbekannt", "prefix not found"));
    }
  }
  Evaluate();
  if (call.size() >= 2 && (IsGermanCall(call, code_) || def_.HasAreaOrLdkMultipliers()))
    PrefillFromCallBook();
  const bool nothingToType = !IsEntryField(F::eQTH) && !IsEntryField(F::eRSTr1) &&
                             !IsEntryField(F::eRSTr2) && !IsEntryField(F::eRSTr3) &&
                             !IsEntryField(F::eRSTr4) && !IsEntryField(F::ezeit);
  // A refused QSO has shown why and stays in the entry.
  if (byEnter && nothingToType && !listener_)
    (void)Store();
}

void QsoSession::LeaveFrequency() {
  QsoRecord r = Record();
  const float typed = r.Freq();
  if (!(typed > 0))
    return;
  const double mhz = CompleteFrequency(typed);
  const char band = ContestBandOfFrequency(mhz, def_.Bands);
  if (band != '\0') {
    r.SetFreq(static_cast<float>(mhz));
    if (band != bands_.Band())
      SwitchBand(band);
  } else if (IsBandLetter(bands_.Band())) {
    r.SetFreq(static_cast<float>(BandLetterDefaultFrequency(bands_.Band())));
  }
  // The record's frequency is what the field shows now.
  Text(F::eFreq).clear();
}

bool QsoSession::IsComplete(bool messages) {
  incompleteField_.reset();
  refusal_ = QsoRefusal::kNone;
  if (!IsOpen())
    return false;
  QsoRecord r = Record();
  if (r.Datum() <= 0) {
    incompleteField_ = F::eDatum;
    refusal_ = QsoRefusal::kNoDate;
    return false;
  }
  if (r.Zeit() < 0) {
    incompleteField_ = F::ezeit;
    refusal_ = QsoRefusal::kNoTime;
    return false;
  }
  if (CallSyntax(r.Call()) != 0) {
    incompleteField_ = F::eCall;
    refusal_ = QsoRefusal::kBadCall;
    return false;
  }
  if (listener_ && TrimBlanks(r.Call2()).empty()) {
    incompleteField_ = F::eCall2;
    refusal_ = QsoRefusal::kNoSecondCall;
    return false;
  }
  // The duplicate rule, rule 5 included: a call retyped after it was stored, or imported,
  // is refused here even when the call field's own check did not run.
  if (IsDuplicate(r, *log_.File(), def_.DupeRule, code_, ExcludedRecord())) {
    if (messages) {
      dialogs_.Beep();
      dialogs_.Inform(DuplicateMessage(def_.DupeRule, code_, r.Call(), false));
    }
    incompleteField_ = F::eCall;
    refusal_ = QsoRefusal::kDuplicate;
    return false;
  }
  const std::vector<std::string> doks = ListValues(def_.DokCheckList);
  std::string districts = def_.DokCheckDistricts;
  districts.erase(std::remove(districts.begin(), districts.end(), '\0'), districts.end());
  if (!doks.empty() || !districts.empty()) {
    const std::string dok = r.FullDok();
    bool admitted = !doks.empty() && ListContains(doks, dok);
    if (!admitted && !districts.empty() && !dok.empty())
      admitted = districts.find(dok[0]) != std::string::npos;
    if (!admitted) {
      if (messages && !dok.empty())
        dialogs_.Inform("Station muß aus Distrikt " + districts +
                        " sein. Bitte Kontestregeln beachten.");
      for (int n = 1; n <= 3; ++n) {
        const int kind = def_.RcvdExchange(n);
        if (kind == exchange::kDok || kind == exchange::kArea || kind == exchange::kLdk) {
          incompleteField_ = RcvdRow(n + 1);
          break;
        }
      }
      refusal_ = QsoRefusal::kDokRestriction;
      return false;
    }
  }
  return true;
}

void QsoSession::ToggleQslMark() {
  const char m = form_.QslMark();
  const bool yes = m == 'J' || m == 'S' || m == 'Y' || m == 'j' || m == 's' || m == 'y';
  form_.SetQslMark(yes ? 'N' : 'Y');
  Record().SetQSLs(form_.QslMark());
}

} // namespace tarvik
