// Band and mode of the session: switching band and mode with the running numbers,
// multipliers and default reports that follow them, and the clock tick.

#include "datafiles/report.h"
#include "logging/qso_session.h"
#include "radio/bands.h"
#include "radio/date_time.h"

namespace tarvik {

namespace {

using F = EntryField;

} // namespace

void QsoSession::ClockTick(bool mayChangeBand) {
  if (!IsOpen())
    return;
  const ContestHeaderRecord header = Header();
  if (mayChangeBand && header.autoBand()) {
    const char blockBand = bands_.TimeBlockBand(clock_);
    if (blockBand != '\0' && blockBand != bands_.Band()) {
      ReadFields(std::nullopt);
      if (Record().Call().empty())
        SwitchBand(blockBand);
      WriteFields(Focus());
    }
  }
  const DayAndTime now = UtcNow(clock_);
  QsoRecord r = Record();
  if (header.autoDate()) {
    r.SetDatum(now.day);
    Text(F::eDatum) = DayToText(kDatePicture, now.day);
  }
  if (header.autoTime() || autoTimeAtOpen_) {
    r.SetZeit(now.time);
    Text(F::ezeit) = TimeToText(kSecondsTimePicture, now.time);
  }
}

void QsoSession::SwitchBand(char band) {
  if (!IsOpen() || !IsBandLetter(band))
    return;
  log_.Tracker().Undo();
  bands_.SetBand(band);
  log_.RefreshBandNumbers(band);
  QsoRecord r = Record();
  r.SetBand(band);
  Evaluate();
  rememberedFreq_ = 0;
  r.SetBandSerial(log_.Next().bandSerial);
  r.SetBandNr(log_.Next().band);
  RebuildLockedSentExchange();
}

void QsoSession::RebuildLockedSentExchange() {
  // A sent exchange the operator cannot type follows the band: the serial number per band
  // and the elements a contest sends only on some bands. The RST stays.
  if (listener_)
    return;
  for (int n = 1; n <= 3; ++n)
    if (def_.SentExchange(n) != exchange::kNone && IsEntryField(SentField(n + 1)))
      return;
  QsoRecord r = Record();
  ReportParts rebuilt = SplitReport(SentDefaultExchange());
  rebuilt.rst = SplitReport(r.RSTs()).rst;
  r.SetRSTs(JoinReport(rebuilt));
}

void QsoSession::SwitchBandForList(char band) {
  if (!IsOpen() || !IsBandLetter(band))
    return;
  log_.Tracker().Undo();
  bands_.SetBand(band);
  lastDate_ = BadDate;
  lastTime_ = BadTime;
  PrepareNewQso(0);
}

void QsoSession::SwitchMode(std::string_view mode) {
  if (!IsOpen())
    return;
  bands_.SetMode(mode);
  log_.Tracker().Undo();
  log_.RefreshModeNumber(bands_.Mode());
  QsoRecord r = Record();
  r.SetMode(bands_.Mode());
  Evaluate();
  rememberedFreq_ = 0;
  r.SetModeNr(static_cast<std::uint16_t>(log_.Next().mode));
  if (def_.SentExchange1 == exchange::kModeNumber && !listener_)
    r.SetRSTs(SentDefaultExchange());
}

void QsoSession::TakeBand(char band) {
  if (!IsOpen())
    return;
  ReadFields(std::nullopt);
  if (IsBandLetter(band) && band != bands_.Band())
    SwitchBand(band);
  WriteFields();
}

void QsoSession::TakeMode(std::string_view mode) {
  if (!IsOpen())
    return;
  ReadFields(std::nullopt);
  bands_.SetFreeModeShown(false);
  std::string chosen(mode);
  if (chosen == "DIGITAL") {
    bands_.SetFreeModeShown(true);
    chosen = Text(F::emode);
  }
  if (chosen.substr(0, 6) != bands_.Mode())
    SwitchMode(chosen);
  if (!traits_.reportWithoutRst) {
    const ContestHeaderRecord header = Header();
    QsoRecord r = Record();
    const std::string rst = DefaultRst();
    if (!header.rstSentFree()) {
      ReportParts sent = SplitReport(r.RSTs());
      sent.rst = rst;
      r.SetRSTs(JoinReport(sent));
    }
    if (!header.rstRcvdFree()) {
      ReportParts rcvd = SplitReport(r.RSTr());
      rcvd.rst = rst;
      r.SetRSTr(JoinReport(rcvd));
    }
  }
  WriteFields();
}

bool PressBandButton(QsoSession& session) {
  if (const std::optional<char> other = session.Bands().OtherBand()) {
    session.TakeBand(*other);
    return false;
  }
  return session.Bands().BandList().size() > 2;
}

bool PressModeButton(QsoSession& session) {
  if (const std::optional<std::string> other = session.Bands().OtherMode()) {
    session.TakeMode(*other);
    return false;
  }
  return session.Bands().ModeList().size() > 2;
}

} // namespace tarvik
