// Reading the entry fields into the current record and writing the record back into the
// fields; default reports; the prefix lookup of the current record; what the call book gives
// the fields and learns from a stored QSO.

#include "base/pictures.h"
#include "base/strings.h"
#include "base/text_helpers.h"
#include "contest/exchange_elements.h"
#include "contest/qso_checks.h"
#include "contest/qso_points.h"
#include "datafiles/report.h"
#include "logging/qso_prefix.h"
#include "logging/qso_session.h"
#include "radio/bands.h"
#include "radio/base_call.h"
#include "radio/date_time.h"

namespace tarvik {

namespace {

using F = EntryField;

float ReadFrequency(std::string_view text) {
  const std::string trimmed = TrimBlanks(text);
  if (trimmed.empty())
    return 0;
  const ParsedReal parsed = ParseReal(trimmed);
  return parsed.errorPosition == 0 && parsed.value > 0 ? static_cast<float>(parsed.value) : 0;
}

std::string FrequencyText(float mhz) {
  if (!(mhz > 0))
    return std::string();
  return TrimBlanks(FormatPicture("#####,####", mhz));
}

} // namespace

std::string QsoSession::OwnLocator() const {
  const std::string own = Header().locator();
  return own.empty() ? ownLocatorFallback_ : own;
}

std::vector<QsoSession::Failure> QsoSession::ReadFields(std::optional<EntryField> leaving,
                                                        std::string_view placeholderCall) {
  std::vector<Failure> failures;
  QsoRecord r = Record();
  r.SetCall(ReadCallText(Text(F::eCall)));
  if (r.Call().empty() && !placeholderCall.empty())
    r.SetCall(placeholderCall);
  // Outside listener logs the hidden eCall2 carries Call2 (member number or third mark).
  r.SetCall2(Text(F::eCall2));
  r.SetDatum(ReadDateText(Text(F::eDatum), clock_));
  r.SetZeit(ReadTimeText(Text(F::ezeit)));
  const std::string name = StyleName(Text(F::eName));
  const std::string qth = StyleName(Text(F::eQTH));
  if (!name.empty())
    nameCache_ = name;
  qthCache_ = qth;
  r.SetNameQTH(name + ";" + qth);
  r.SetFreq(ReadFrequency(Text(F::eFreq)));
  r.SetMode(bands_.Mode());
  r.SetBand(bands_.Band());

  const bool cw = r.Mode() == "CW";
  r.SetRSTs(JoinReport(NormaliseRst(Text(SentRow(1)), cw), Text(SentRow(2)), Text(SentRow(3)),
                       Text(SentRow(4))));
  r.SetRSTr(JoinReport(NormaliseRst(Text(RcvdRow(1)), cw), Text(RcvdRow(2)), Text(RcvdRow(3)),
                       Text(RcvdRow(4))));

  std::array<std::string, 3> elements;
  int focusedElement = 0;
  for (int n = 1; n <= 3; ++n) {
    elements[static_cast<std::size_t>(n - 1)] = Text(RcvdRow(n + 1));
    if (leaving && *leaving == RcvdRow(n + 1))
      focusedElement = n;
  }
  for (const ElementFailure& failure : ApplyReceivedElements(
           r, def_, code_, elements, OwnLocator(), ElementMessages::kFocused, focusedElement))
    failures.push_back({RcvdRow(failure.element + 1), failure.message});
  return failures;
}

void QsoSession::WriteFields(std::optional<EntryField> typing) {
  filling_ = true;
  QsoRecord r = Record();
  // The field being typed keeps its text while it reads as the record's value, so the
  // operator's typing is never disturbed; every other field shows the record.
  auto put = [&](F field, const std::string& text, bool same) {
    if (!(typing && *typing == field && same))
      Text(field) = text;
  };
  const std::string call = r.Call();
  put(F::eCall, call, ReadCallText(Text(F::eCall)) == call);
  put(F::eCall2, r.Call2(), Text(F::eCall2) == r.Call2());

  const bool cw = r.Mode() == "CW";
  const ReportParts sent = SplitReport(r.RSTs());
  const ReportParts rcvd = SplitReport(r.RSTr());
  put(SentRow(1), sent.rst, NormaliseRst(Text(SentRow(1)), cw) == Pad(sent.rst, 3));
  put(RcvdRow(1), rcvd.rst, NormaliseRst(Text(RcvdRow(1)), cw) == Pad(rcvd.rst, 3));
  for (int n = 0; n < 3; ++n) {
    put(SentRow(n + 2), sent.elements[n], Text(SentRow(n + 2)) == sent.elements[n]);
    put(RcvdRow(n + 2), rcvd.elements[n], Text(RcvdRow(n + 2)) == rcvd.elements[n]);
  }

  const DayNumber day = r.Datum();
  const DayNumber typedDay = ReadDateText(Text(F::eDatum), clock_);
  put(F::eDatum, DateFieldText(day), typedDay == day || (typedDay <= 0 && day <= 0));
  const TimeOfDay time = r.Zeit();
  const TimeOfDay typedTime = ReadTimeText(Text(F::ezeit));
  const std::string timeText = form_.Show(F::ezeit) == FieldShow::kLabel && time >= 0
                                   ? TimeToText(kSecondsTimePicture, time)
                                   : TimeFieldText(time);
  put(F::ezeit, timeText, typedTime == time || (typedTime < 0 && time < 0));

  const std::string nameQth = r.NameQTH();
  const std::size_t semicolon = nameQth.find(';');
  const std::string name = nameQth.substr(0, semicolon);
  const std::string qth =
      semicolon == std::string::npos ? std::string() : nameQth.substr(semicolon + 1);
  put(F::eName, name, StyleName(Text(F::eName)) == name);
  put(F::eQTH, qth, StyleName(Text(F::eQTH)) == qth);

  // A frequency outside the current band gives way to the band's default frequency.
  float freq = r.Freq();
  const char band = bands_.Band();
  if (freq > 0 && BandFromFrequency(freq) != band && IsBandLetter(band)) {
    freq = static_cast<float>(BandLetterDefaultFrequency(band));
    r.SetFreq(freq);
  }
  put(F::eFreq, FrequencyText(freq), ReadFrequency(Text(F::eFreq)) == freq);
  filling_ = false;
}

std::string QsoSession::DefaultRst() const {
  if (traits_.reportWithoutRst)
    return std::string();
  return bands_.Cw() || bands_.FreeModeShown() ? "599" : "59 ";
}

std::string QsoSession::SentDefaultExchange() const {
  const std::string rst = DefaultRst();
  if (listener_)
    return JoinReport(rst, "", "", "");
  std::array<std::string, 3> elements;
  for (int n = 1; n <= 3; ++n) {
    const int kind = def_.SentExchange(n);
    const bool serial = kind == exchange::kQsoNumber || kind == exchange::kBandSerial ||
                        kind == exchange::kModeNumber;
    if (serial && !IsEntryField(SentField(n + 1))) {
      const NextNumbers& next = log_.Next();
      const std::int32_t number = kind == exchange::kQsoNumber    ? next.qso
                                  : kind == exchange::kBandSerial ? next.bandSerial
                                                                  : next.mode;
      elements[static_cast<std::size_t>(n - 1)] = SerialText(number);
    } else {
      elements[static_cast<std::size_t>(n - 1)] = def_.SentDefault(n);
    }
  }
  const std::string_view bands = traits_.extraSentElementsBands;
  if (!bands.empty() && bands.find(bands_.Band()) == std::string_view::npos) {
    elements[1].clear();
    elements[2].clear();
  }
  if (elements[0].empty() && elements[1].empty() && elements[2].empty() &&
      traits_.serialWhenNothingSent)
    elements[0] = SerialText(log_.Next().qso);
  return JoinReport(rst, elements[0], elements[1], elements[2]);
}

bool QsoSession::LookUpRecordPrefix() {
  QsoRecord r = Record();
  const bool accepted = LookUpQsoPrefix(r, lookup_.get(), def_, handEntry_);
  if (accepted)
    r.SetPunkte(StoredPoints(QsoPoints(r, Points(), ExcludedRecord())));
  return accepted;
}

PointContext QsoSession::Points() const {
  const ContestHeaderRecord header = Header();
  PointContext context;
  context.code = code_;
  context.definition = &def_;
  context.category = header.category();
  context.ownDok = header.dok();
  context.ownLocator = OwnLocator();
  context.yesNoAnswer = header.yesNoAnswer();
  context.log = log_.File();
  return context;
}

void QsoSession::ShowFailures(const std::vector<Failure>& failures) {
  for (const Failure& failure : failures) {
    form_.SetFailed(failure.field, true);
    dialogs_.Inform(failure.message);
  }
  if (!failures.empty())
    form_.MoveFocus(failures.front().field);
}

void QsoSession::UpdateLdkVisibility() {
  bool hasLdk = false;
  for (int n = 1; n <= 3; ++n)
    hasLdk = hasLdk || def_.RcvdExchange(n) == exchange::kLdk ||
             (listener_ && def_.SentExchange(n) == exchange::kLdk);
  form_.SetLdkHidden(hasLdk && !IsGermanCall(Record().Call(), code_));
}

// ---------------------------------------------------------------------------------------
// The call book

void QsoSession::PrefillFromCallBook() {
  const std::string call = Record().Call();
  if (call == lastBookCall_)
    return; // the operator may have changed what the book gave for this call
  lastBookCall_ = call;
  bool changed = false;
  for (int n = 1; n <= 3; ++n) {
    const int kind = def_.RcvdExchange(n);
    std::string value = book_.ExchangeOf(call, kind);
    // The QCWA list's number is the QSO's Call2 as well.
    const bool member = kind == exchange::kMember || kind == exchange::kMember19;
    if (member && traits_.qcwaMemberList && !value.empty() && !listener_)
      Text(F::eCall2) = value.substr(0, 12);
    value = TrimBlanks(value).substr(0, 8);
    if (!value.empty()) {
      Text(RcvdRow(n + 1)) = value;
      changed = true;
    }
  }
  if (changed) {
    ReadFields(std::nullopt);
    Evaluate();
  }
}

void QsoSession::LookUpName() {
  const CallBook::Names names = book_.NamesOf(Record().Call());
  form_.SetCallName(names.name);
  if (!names.name.empty()) {
    nameCache_ = names.name;
    if (TrimBlanks(Text(F::eName)).empty())
      Text(F::eName) = names.name.substr(0, 25);
  }
  if (!names.qth.empty()) {
    qthCache_ = names.qth;
    if (TrimBlanks(Text(F::eQTH)).empty())
      Text(F::eQTH) = names.qth.substr(0, 25);
  }
  if (!names.name.empty() || !names.qth.empty())
    ReadFields(std::nullopt);
}

void QsoSession::LearnFromStoredQso() {
  const int element = MemberNumberElement(def_);
  const std::string member = element != 0 ? TrimBlanks(Text(RcvdRow(element))) : std::string();
  // A call book that cannot learn leaves the QSO to be stored all the same; the record-file
  // error handler reports the cause.
  (void)book_.Learn(Record(), member, TrimBlanks(Text(F::eName)), TrimBlanks(Text(F::eQTH)));
  if (traits_.qcwaMemberList && !member.empty())
    book_.RememberQcwaMember(BaseCall(Record().Call(), kHomeCall), member);
}

} // namespace tarvik
