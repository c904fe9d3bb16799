// The entry form: which fields are entry fields, labels or hidden, their tab order, their
// captions, and where the Enter key moves the focus.

#include "logging/entry_form.h"

#include "base/text_helpers.h"
#include "contest/contest_catalog.h"
#include "contest/contest_traits.h"
#include "datafiles/report.h"

namespace tarvik {

namespace {

using F = EntryField;

// Tab order of the normal layout: call, the sent row, the received row, then frequency,
// name, QTH, time, date and the free mode field; eCall2 exists only in listener logs.
constexpr std::array<F, kEntryFields> kNormalOrder = {
    F::eCall,  F::eRSTs1, F::eRSTs2, F::eRSTs3, F::eRSTs4, F::eRSTr1, F::eRSTr2, F::eRSTr3,
    F::eRSTr4, F::eFreq,  F::eName,  F::eQTH,   F::ezeit,  F::eDatum, F::emode,  F::eCall2};
// Listener logs: the call with the first station's report row, then the second call with
// the second row.
constexpr std::array<F, kEntryFields> kListenerOrder = {
    F::eCall,  F::eRSTs1, F::eRSTs2, F::eRSTs3, F::eRSTs4, F::eCall2, F::eRSTr1, F::eRSTr2,
    F::eRSTr3, F::eRSTr4, F::eFreq,  F::eName,  F::eQTH,   F::ezeit,  F::eDatum, F::emode};

} // namespace

std::string LogListCaption() {
  return "Contest-Logbuch";
}

std::string LogListStateCaption() {
  return ChooseText("Contest-Logbuch (ESC: zurück zur Eingabe)",
                    "Contest-logbook (ESC: return to entry)");
}

std::string EnterHint() {
  return ChooseText("<ET> = speichern", "<CR> = save");
}

std::string FieldCaption(EntryField field) {
  switch (field) {
  case F::eCall:
    return "Call";
  case F::eCall2:
    return "Call 2";
  case F::eDatum:
    return "Datum";
  case F::ezeit:
    return "UTC";
  case F::eFreq:
    return "Freq.";
  case F::eName:
    return "Name";
  case F::eQTH:
    return "QTH";
  case F::emode:
    return "Mode";
  default:
    return std::string();
  }
}

EntryForm::EntryForm(const ContestDefinition& definition, char contestCode, const QsoBytes& record,
                     const BandsAndModes& bands, bool compact)
    : def_(definition), code_(contestCode), record_(record), bands_(bands), compact_(compact),
      listener_(definition.ListenerLog != 0) {
  Text(F::emode) = "DIGI";
}

void EntryForm::BuildLayout(const ContestHeaderRecord& header,
                            const ContestExtensionRecord& extension) {
  const bool rstsEditable = listener_ || extension.rstsNotLocked();
  auto set = [&](F field, FieldShow show) { baseShow_[Slot(field)] = show; };
  set(F::eCall, FieldShow::kEntry);
  set(F::eCall2, listener_ ? FieldShow::kEntry : FieldShow::kHidden);
  set(F::eRSTs1, header.rstSentFree() ? FieldShow::kEntry : FieldShow::kLabel);
  set(F::eRSTr1, header.rstRcvdFree() ? FieldShow::kEntry : FieldShow::kLabel);
  for (int n = 1; n <= 3; ++n) {
    set(ReceivedField(n + 1),
        def_.RcvdExchange(n) != exchange::kNone ? FieldShow::kEntry : FieldShow::kHidden);
    const bool sentEntry = def_.SentExchange(n) != exchange::kNone && rstsEditable;
    // Without sent entry fields the label lRSTs2 shows the whole sent exchange.
    set(SentField(n + 1), sentEntry ? FieldShow::kEntry
                          : n == 1  ? FieldShow::kLabel
                                    : FieldShow::kHidden);
  }
  if (Show(F::eRSTs2) == FieldShow::kLabel) {
    // A sent element 3 or 4 that is an entry field while element 2 is not: the label
    // would hide it, so element 2 stays hidden too and the entry fields show the rest.
    for (int n = 2; n <= 3; ++n)
      if (baseShow_[Slot(SentField(n + 1))] == FieldShow::kEntry)
        set(F::eRSTs2, FieldShow::kHidden);
  }
  set(F::eDatum, header.autoDate() ? FieldShow::kLabel : FieldShow::kEntry);
  set(F::ezeit, header.autoTime() ? FieldShow::kLabel : FieldShow::kEntry);
  set(F::eFreq, FieldShow::kEntry);
  set(F::eName, FieldShow::kEntry);
  set(F::eQTH, FieldShow::kEntry);
  set(F::emode, FieldShow::kEntry);
}

FieldShow EntryForm::Show(EntryField field) const {
  switch (field) {
  case F::eFreq:
  case F::eName:
  case F::eQTH:
    return nameQthShown_ ? FieldShow::kEntry : FieldShow::kHidden;
  case F::emode:
    return bands_.FreeModeShown() ? FieldShow::kEntry : FieldShow::kLabel;
  default:
    break;
  }
  if (ldkHidden_) {
    // Elements of kind 17 (LDK) exist only for German calls; in listener logs the matching
    // field of the other row follows.
    for (int n = 1; n <= 3; ++n) {
      if (def_.RcvdExchange(n) == exchange::kLdk && field == ReceivedRow(n + 1))
        return FieldShow::kHidden;
      if (listener_ && def_.SentExchange(n) == exchange::kLdk && field == SentRow(n + 1))
        return FieldShow::kHidden;
    }
  }
  return baseShow_[Slot(field)];
}

std::string EntryForm::FieldText(EntryField field) const {
  if (field == F::emode && Show(field) == FieldShow::kLabel)
    return bands_.Mode();
  if (field == F::eRSTs2 && Show(field) == FieldShow::kLabel)
    return ReportExchange(QsoRecord(record_.data()).RSTs());
  return Text(field);
}

int EntryForm::TabOrder(EntryField field) const {
  const auto& order = listener_ ? kListenerOrder : kNormalOrder;
  for (std::size_t i = 0; i < order.size(); ++i)
    if (order[i] == field)
      return static_cast<int>(i);
  return kEntryFields;
}

std::vector<EntryField> EntryForm::FieldsInTabOrder() const {
  std::vector<EntryField> fields;
  for (F field : listener_ ? kListenerOrder : kNormalOrder)
    if (IsEntryField(field))
      fields.push_back(field);
  return fields;
}

EntryField EntryForm::NextFocus(EntryField from) const {
  // The last field of the received row leads to the time when the frequency is hidden.
  const bool lastReceived = from == F::eRSTr4 || (from == F::eRSTr3 && !Visible(F::eRSTr4)) ||
                            (from == F::eRSTr2 && !Visible(F::eRSTr3)) ||
                            (listener_ && from == F::eRSTr1 && !Visible(F::eRSTr2));
  if (lastReceived && !Visible(F::eFreq) && IsEntryField(F::ezeit))
    return F::ezeit;
  if (from == F::eQTH && IsEntryField(F::ezeit))
    return F::ezeit;
  if (from == F::ezeit && IsEntryField(F::eDatum))
    return F::eDatum;
  const auto& order = listener_ ? kListenerOrder : kNormalOrder;
  std::size_t at = 0;
  while (at < order.size() && order[at] != from)
    ++at;
  for (std::size_t step = 1; step <= order.size(); ++step) {
    const F next = order[(at + step) % order.size()];
    if (IsEntryField(next))
      return next;
  }
  return F::eCall;
}

void EntryForm::MoveFocus(EntryField field) {
  focus_ = field;
  ++focusMoves_;
}

std::string EntryForm::ElementCaption(int n) const {
  if (n < 1 || n > 3)
    return std::string();
  std::string label = def_.RcvdLabel(n);
  if (label.empty()) {
    const int kind =
        def_.RcvdExchange(n) != exchange::kNone ? def_.RcvdExchange(n) : def_.SentExchange(n);
    label = ExchangeKindLabel(kind, code_);
  }
  if (label.empty())
    return std::string();
  return "&" + std::to_string(n) + " : " + label;
}

std::string EntryForm::RowCaption(bool received) const {
  if (!received)
    return "RSTs";
  return listener_ ? "RSTs2" : "RSTr";
}

void EntryForm::ToggleNameQth() {
  nameQthShown_ = !nameQthShown_;
  if (!nameQthShown_ && (focus_ == F::eFreq || focus_ == F::eName || focus_ == F::eQTH))
    MoveFocus(F::eCall);
}

std::string EntryForm::TypedKey(EntryField field, char key) const {
  const bool received =
      field == F::eRSTr1 || field == F::eRSTr2 || field == F::eRSTr3 || field == F::eRSTr4;
  if (key == ' ' && received && !TraitsOf(code_).blanksInReceivedExchange)
    return std::string();
  return std::string(1, key);
}

std::string EntryForm::QslLabel() const {
  const bool no = qslMark_ == '\0' || qslMark_ == ' ' || qslMark_ == 'N' || qslMark_ == 'n';
  return no ? ChooseText("&QSL senden: nein", "QSL send: no")
            : ChooseText("&QSL senden: ja", "QSL send: yes");
}

} // namespace tarvik
