// Reading the entry fields into the current record and writing the record back into the
// fields; default reports; the prefix lookup of the current record.

#include "base/pictures.h"
#include "base/strings.h"
#include "base/text_helpers.h"
#include "contest/exchange_elements.h"
#include "contest/qso_checks.h"
#include "datafiles/report.h"
#include "logging/qso_prefix.h"
#include "logging/qso_session.h"
#include "radio/bands.h"
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

bool QsoSession::Cw() const {
  return mode_ == "CW";
}

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
  r.SetMode(mode_);
  r.SetBand(band_);

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
  const std::string timeText = Show(F::ezeit) == FieldShow::kLabel && time >= 0
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
  if (freq > 0 && BandFromFrequency(freq) != band_ && IsBandLetter(band_)) {
    freq = static_cast<float>(BandLetterDefaultFrequency(band_));
    r.SetFreq(freq);
  }
  put(F::eFreq, FrequencyText(freq), ReadFrequency(Text(F::eFreq)) == freq);
  filling_ = false;
}

std::string QsoSession::FieldText(EntryField field) const {
  if (field == F::emode && Show(field) == FieldShow::kLabel)
    return mode_;
  if (field == F::eRSTs2 && Show(field) == FieldShow::kLabel)
    return ReportExchange(Record().RSTs());
  return Text(field);
}

std::string QsoSession::DefaultRst() const {
  if (traits_.reportWithoutRst)
    return std::string();
  return Cw() || emodeShown_ ? "599" : "59 ";
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
      const std::int32_t number = kind == exchange::kQsoNumber    ? nextQsoNr_
                                  : kind == exchange::kBandSerial ? nextBandSerial_
                                                                  : nextModeNr_;
      elements[static_cast<std::size_t>(n - 1)] = SerialText(number);
    } else {
      elements[static_cast<std::size_t>(n - 1)] = def_.SentDefault(n);
    }
  }
  const std::string_view bands = traits_.extraSentElementsBands;
  if (!bands.empty() && bands.find(band_) == std::string_view::npos) {
    elements[1].clear();
    elements[2].clear();
  }
  if (elements[0].empty() && elements[1].empty() && elements[2].empty() &&
      traits_.serialWhenNothingSent)
    elements[0] = SerialText(nextQsoNr_);
  return JoinReport(rst, elements[0], elements[1], elements[2]);
}

bool QsoSession::LookUpRecordPrefix() {
  QsoRecord r = Record();
  const bool accepted = LookUpQsoPrefix(r, lookup_.get(), def_, handEntry_);
  if (accepted)
    r.SetPunkte(StoredPoints(QsoPoints(r, Points(), editMode_ != 0 ? editRecord_ : 0)));
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
  context.log = log_;
  return context;
}

void QsoSession::ShowFailures(const std::vector<Failure>& failures) {
  for (const Failure& failure : failures) {
    failed_[static_cast<std::size_t>(failure.field)] = true;
    dialogs_.Inform(failure.message);
  }
  if (!failures.empty()) {
    focus_ = failures.front().field;
    ++focusChanges_;
  }
}

} // namespace tarvik
