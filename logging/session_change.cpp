// The entry session's work on stored QSOs: the change through the edit dialog's form, the
// deletion, and renumbering with the full recalculation that follows them.

#include <cstring>

#include "base/pictures.h"
#include "base/strings.h"
#include "base/text_helpers.h"
#include "contest/exchange_elements.h"
#include "contest/qso_checks.h"
#include "contest/score.h"
#include "datafiles/report.h"
#include "logging/qso_identity.h"
#include "logging/qso_prefix.h"
#include "logging/qso_session.h"
#include "radio/bands.h"
#include "recordfile/fileblock.h"
#include "recordfile/key_codec.h"

namespace tarvik {

namespace {

using E = EditField;

std::string NameOf(const std::string& nameQth) {
  return nameQth.substr(0, nameQth.find(';'));
}

std::string QthOf(const std::string& nameQth) {
  const std::size_t semicolon = nameQth.find(';');
  return semicolon == std::string::npos ? std::string() : nameQth.substr(semicolon + 1);
}

std::string MarkText(char mark) {
  return mark == '\0' ? std::string() : std::string(1, mark);
}

char MarkChar(const std::string& text) {
  return text.empty() ? '\0' : text.front();
}

} // namespace

bool QsoSession::BeginChange(std::int32_t recordNumber, QsoEditForm* form) {
  if (!IsOpen() || recordNumber <= 0 || log_.File()->ReadRecord(recordNumber) != 0)
    return false;
  std::array<char, QsoRecord::kLength> copy{};
  std::memcpy(copy.data(), log_.File()->RecordBuffer(), copy.size());
  const QsoRecord r(static_cast<const char*>(copy.data()));
  if (IsMarkerRecord(r))
    return false;

  *form = QsoEditForm();
  QsoEditForm::Setup setup;
  setup.number = "Nummer:   " + std::to_string(r.QSONr());
  const bool wpx = def_.HasOption(option::kWpxPrefix);
  setup.multiCaption = wpx ? "Präfix" : "DXCC";
  for (char band : def_.Bands)
    if (IsBandLetter(band) && setup.bandLetters.find(band) == std::string::npos &&
        setup.bandLetters.size() < ContestDefinition::kMaxBands)
      setup.bandLetters += band;
  setup.modes = bands_.ModeList();
  setup.band = r.Band();
  setup.mode = r.Mode();
  form->Initialise(setup);

  form->Fill(E::eCall, r.Call());
  form->Fill(E::eCall2, r.Call2());
  form->SetVisible(E::eCall2, listener_);
  // Listener logs keep the sent report in the second row, like the log window.
  const ReportParts sentRow = SplitReport(listener_ ? r.RSTr() : r.RSTs());
  const ReportParts rcvdRow = SplitReport(listener_ ? r.RSTs() : r.RSTr());
  form->Fill(E::eRSTs1, sentRow.rst);
  form->Fill(E::eRSTr1, rcvdRow.rst);
  for (int n = 2; n <= 4; ++n) {
    form->Fill(EditSentField(n), sentRow.elements[static_cast<std::size_t>(n - 2)]);
    form->Fill(EditReceivedField(n), rcvdRow.elements[static_cast<std::size_t>(n - 2)]);
  }
  if (const int element = Call2Element(); element != 0)
    form->Fill(EditReceivedField(element), r.Call2());
  form->Fill(E::eFreq, FrequencyFieldText(r.Freq()));
  form->Fill(E::eDatum, DateFieldText(r.Datum()));
  form->Fill(E::ezeit, TimeFieldText(r.Zeit()));
  form->Fill(E::eQSLw, MarkText(r.QSLs()));
  form->Fill(E::eqslr, MarkText(r.QSLr()));
  const std::string prefix = wpx ? r.Prefix2() : r.Prefix();
  form->Fill(E::eMulti, prefix);
  form->SetFilledMulti(prefix);
  form->Fill(E::eName, NameOf(r.NameQTH()));
  form->Fill(E::eQTH, QthOf(r.NameQTH()));

  // What the log window lets the operator type is what the dialog lets him change; the RST
  // fields always.
  for (int i = 0; i < kEditFields; ++i)
    form->SetEnabled(static_cast<EditField>(i), true);
  for (int n = 2; n <= 4; ++n) {
    form->SetEnabled(EditSentField(n), IsEntryField(SentField(n)));
    form->SetEnabled(EditReceivedField(n), IsEntryField(ReceivedField(n)));
  }
  for (int i = 0; i < kEditFields; ++i) {
    const auto field = static_cast<EditField>(i);
    if (field != E::eCall2 && field != E::emode)
      form->SetVisible(field, true);
  }
  return true;
}

int QsoSession::Call2Element() const {
  return traits_.memberNumberInCall2 ? MemberNumberElement(def_) : 0;
}

bool QsoSession::NeedsFullRecalculation(const QsoRecord& before, const QsoRecord& after) const {
  if (traits_.fullRecalculationAfterChange)
    return true;
  const auto option = [this](std::initializer_list<int> options) {
    for (int o : options)
      if (def_.HasOption(o))
        return true;
    return false;
  };
  // The call and the points feed the score whatever the options say (points may depend on
  // the call: club stations, portable calls).
  if (before.Call() != after.Call() || before.Punkte() != after.Punkte())
    return true;
  if (before.RSTs() != after.RSTs() || before.RSTr() != after.RSTr() ||
      before.Band() != after.Band() || before.Mode() != after.Mode())
    return true;
  return (option({option::kDxcc}) && before.Prefix() != after.Prefix()) ||
         (option({option::kUsState, option::kPostcode}) && before.Kenner() != after.Kenner()) ||
         (option({option::kMember, option::kClubMember}) && before.Call2() != after.Call2()) ||
         (option({option::kLocator}) && before.Locator() != after.Locator()) ||
         (def_.HasDokMultipliers() && before.FullDok() != after.FullDok()) ||
         (option({option::kWpxPrefix}) && before.Prefix2() != after.Prefix2());
}

ChangeOutcome QsoSession::ApplyChange(std::int32_t recordNumber, const QsoEditForm& form) {
  ChangeOutcome outcome;
  if (!IsOpen() || recordNumber <= 0 || log_.File()->ReadRecord(recordNumber) != 0)
    return outcome;
  std::array<char, QsoRecord::kLength> old{};
  std::memcpy(old.data(), log_.File()->RecordBuffer(), old.size());
  const QsoRecord before(static_cast<const char*>(old.data()));
  if (IsMarkerRecord(before))
    return outcome;
  std::array<char, QsoRecord::kLength> changed = old;
  QsoRecord r(changed.data());

  // Call, second call, reports. A call, date or time that cannot be read keeps the stored
  // value: the change must not turn a complete QSO into one without them.
  if (const std::string call = ReadCallText(form.Text(E::eCall)); !call.empty())
    r.SetCall(call);
  else
    dialogs_.Inform("Kein Rufzeichen angegeben - das bisherige Rufzeichen bleibt erhalten.");
  if (listener_)
    r.SetCall2(form.Text(E::eCall2));
  const std::string mode = form.Mode();
  const bool cw = mode == "CW";
  const std::string sentRow =
      JoinReport(NormaliseRst(form.Text(E::eRSTs1), cw), form.Text(E::eRSTs2), form.Text(E::eRSTs3),
                 form.Text(E::eRSTs4));
  const std::string rcvdRow =
      JoinReport(NormaliseRst(form.Text(E::eRSTr1), cw), form.Text(E::eRSTr2), form.Text(E::eRSTr3),
                 form.Text(E::eRSTr4));
  r.SetRSTs(listener_ ? rcvdRow : sentRow);
  r.SetRSTr(listener_ ? sentRow : rcvdRow);
  if (const int element = Call2Element(); element != 0)
    r.SetCall2(form.Text(EditReceivedField(element)));

  // The received elements with the change dialog's checks: a message for every invalid
  // DOK and locator.
  std::array<std::string, 3> elements;
  for (int n = 2; n <= 4; ++n)
    elements[static_cast<std::size_t>(n - 2)] =
        form.Text(listener_ ? EditSentField(n) : EditReceivedField(n));
  for (const ElementFailure& failure :
       ApplyReceivedElements(r, def_, code_, elements, OwnLocator(), ElementMessages::kAll))
    dialogs_.Inform(failure.message);

  // The prefix of the (possibly changed) call, at the QSO's date.
  r.SetMode(mode);
  if (const DayNumber day = ReadDateText(form.Text(E::eDatum), clock_); day > 0)
    r.SetDatum(day);
  else
    dialogs_.Inform("Ungültiges Datum - das bisherige Datum bleibt erhalten.");
  if (const TimeOfDay time = ReadTimeText(form.Text(E::ezeit)); time >= 0)
    r.SetZeit(time);
  else
    dialogs_.Inform("Ungültige Uhrzeit - die bisherige Uhrzeit bleibt erhalten.");
  std::string chosen;
  // A changed QSO keeps its call whatever the lookup thinks of it; only the prefix is taken.
  (void)LookUpQsoPrefix(r, lookup_.get(), def_, chosen);
  r.SetQSLs(MarkChar(form.Text(E::eQSLw)));
  r.SetQSLr(MarkChar(form.Text(E::eqslr)));
  // The prefix field wins only when the person changed it: the prefix shown was the stored
  // one, and a changed call has its own prefix now.
  const std::string multi = TrimBlanks(form.Text(E::eMulti));
  if (multi != form.FilledMulti()) {
    if (def_.HasOption(option::kWpxPrefix))
      r.SetPrefix2(multi);
    else
      r.SetPrefix(multi);
  }
  if (const char band = form.Band(); IsBandLetter(band))
    r.SetBand(band);
  r.SetPunkte(StoredPoints(QsoPoints(r, Points(), recordNumber)));
  const std::string nameQth = StyleName(form.Text(E::eName)) + ";" + StyleName(form.Text(E::eQTH));
  r.SetNameQTH(nameQth.substr(0, 30));
  r.SetFreq(static_cast<float>(ReadFrequencyText(form.Text(E::eFreq))));

  if (!log_.Update(recordNumber, r))
    return outcome;
  outcome.stored = true;
  outcome.record = recordNumber;
  log_.NoteStored(recordNumber);

  if (NeedsFullRecalculation(before, r)) {
    outcome.fullRecalculation = true;
    // The record numbers are chronological after a renumbering: the changed QSO is found
    // again by what was entered.
    const int rank = SameQsoRank(*log_.File(), r, recordNumber);
    outcome.renumbered = Renumber();
    FullRecalculation();
    if (outcome.renumbered == RenumberResult::kRenumbered) {
      outcome.record = FindSameQso(*log_.File(), r, rank);
      log_.NoteStored(outcome.record, false);
    }
  }
  return outcome;
}

bool QsoSession::DeleteQso(std::int32_t recordNumber) {
  if (!IsOpen() || recordNumber <= 0 || log_.File()->ReadRecord(recordNumber) != 0)
    return false;
  std::array<char, QsoRecord::kLength> copy{};
  std::memcpy(copy.data(), log_.File()->RecordBuffer(), copy.size());
  const QsoRecord r(static_cast<const char*>(copy.data()));
  if (IsMarkerRecord(r))
    return false;
  dialogs_.Inform("Durch das Löschen eines Eintrages werden die Nummern aller nachfolgenden "
                  "Einträge um 1 verringert.");
  if (!dialogs_.ConfirmTitled("Eintrag " + r.Call() + " löschen?", "Sicherheitsabfrage"))
    return false;
  if (!log_.Remove(r))
    return false;
  (void)Renumber(); // it tells the person itself when it cannot
  FullRecalculation();
  PrepareNewQso(0);
  return true;
}

RenumberResult QsoSession::Renumber(bool onlyWhenNeeded) {
  const RenumberResult result = log_.Renumber(onlyWhenNeeded, KeepCall2());
  // Record numbers changed: a stored QSO being changed through the entry is gone.
  if (result == RenumberResult::kRenumbered && editMode_ != 0)
    PrepareNewQso(0);
  return result;
}

void QsoSession::Rebuild() {
  if (!IsOpen())
    return;
  log_.Rebuild(Points(), false);
  log_.RefreshNextNumbers(bands_.Band(), bands_.Mode());
  Evaluate();
}

void QsoSession::FullRecalculation() {
  ProgressDisplay* progress = log_.Progress();
  std::int32_t used = 0;
  if (progress != nullptr && log_.File()->UsedRecords(&used) == 0)
    progress->Start(ProgressDisplay::Kind::kRecalculation, used);
  ContestHeaderRecord header = contest_.Header();
  ContestExtensionRecord extension = contest_.Extension();
  log_.WriteHeaderStatistics(Points(), header, extension);
  log_.RefreshNextNumbers(bands_.Band(), bands_.Mode());
  Evaluate();
  if (progress != nullptr)
    progress->Finish();
}

} // namespace tarvik
