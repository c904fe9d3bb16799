// Band and mode of the session: the band and mode lists, switching band and mode with the
// running numbers, multipliers and default reports that follow them, the band of the
// active time block, and the clock tick.

#include <algorithm>

#include "datafiles/log_scan.h"
#include "datafiles/report.h"
#include "logging/qso_session.h"
#include "radio/bands.h"
#include "radio/date_time.h"

namespace tarvik {

namespace {

using F = EntryField;

} // namespace

void QsoSession::ChooseStartMode() {
  const ContestHeaderRecord header = Header();
  auto offered = [this](std::string_view mode) {
    return std::find(modeList_.begin(), modeList_.end(), mode) != modeList_.end();
  };
  mode_ = modeList_.empty() ? std::string() : modeList_.front();
  emodeShown_ = false;
  if (header.startSsb() && offered("SSB"))
    mode_ = "SSB";
  if (header.startFm() && offered("FM"))
    mode_ = "FM";
  if (header.startPr() && offered("PR"))
    mode_ = "PR";
  if (header.startPr() && offered("FSK441"))
    mode_ = "FSK441";
  if (header.startPr() && offered("DIGITAL")) {
    mode_ = "DIGI";
    emodeShown_ = true;
  }
  if (!header.startSsb() && !header.startFm() && !header.startPr() && offered("CW"))
    mode_ = "CW";
  mode_ = mode_.substr(0, 6);
  if (emodeShown_)
    Text(F::emode) = mode_;
}

char QsoSession::TimeBlockBand() const {
  const DayAndTime now = UtcNow(clock_);
  for (const TimeBlock& block : def_.TimeBlocks) {
    if (block.date.empty() || block.bands.empty())
      continue;
    if (TextToDay(kDatePicture, block.date) != now.day)
      continue;
    const TimeOfDay start = ReadDefaultPeriodTime(block.startTime);
    const TimeOfDay end = ReadDefaultPeriodTime(block.endTime);
    if (start < 0 || end < 0 || now.time < start || now.time >= end)
      continue;
    // Only bands the contest offers count: a block of bands the chosen category does not
    // work leaves the band alone.
    std::string bands;
    for (char band : block.bands)
      if (IsBandLetter(band) && def_.Bands.find(band) != std::string::npos)
        bands += band;
    if (bands.empty())
      continue;
    return bands.find(band_) != std::string::npos ? band_ : bands.front();
  }
  return '\0';
}

void QsoSession::ClockTick(bool mayChangeBand) {
  if (!IsOpen())
    return;
  const ContestHeaderRecord header = Header();
  if (mayChangeBand && header.autoBand()) {
    const char blockBand = TimeBlockBand();
    if (blockBand != '\0' && blockBand != band_) {
      ReadFields(std::nullopt);
      if (Record().Call().empty())
        SwitchBand(blockBand);
      WriteFields(focus_);
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
  tracker_.Undo();
  band_ = band;
  nextBandSerial_ = NextBandSerial(*log_, band_);
  nextBandNr_ = NextBandNumber(*log_, band_);
  QsoRecord r = Record();
  r.SetBand(band_);
  Evaluate();
  rememberedFreq_ = 0;
  r.SetBandSerial(nextBandSerial_);
  r.SetBandNr(nextBandNr_);
  RebuildLockedSentExchange();
}

void QsoSession::RebuildLockedSentExchange() {
  // A sent exchange the operator cannot type follows the band: the serial number per band
  // and, for code 'J', the elements sent only on 2 m and 70 cm. The RST stays.
  if (listener_)
    return;
  for (int n = 1; n <= 3; ++n)
    if (def_.SentExchange(n) != 0 && IsEntryField(SentField(n + 1)))
      return;
  QsoRecord r = Record();
  ReportParts rebuilt = SplitReport(SentDefaultExchange());
  rebuilt.rst = SplitReport(r.RSTs()).rst;
  r.SetRSTs(JoinReport(rebuilt));
}

void QsoSession::SwitchBandForList(char band) {
  if (!IsOpen() || !IsBandLetter(band))
    return;
  tracker_.Undo();
  band_ = band;
  lastDate_ = BadDate;
  lastTime_ = BadTime;
  PrepareNewQso(0);
}

void QsoSession::SwitchMode(std::string_view mode) {
  if (!IsOpen())
    return;
  mode_ = std::string(mode.substr(0, 6));
  tracker_.Undo();
  nextModeNr_ = NextModeNumber(*log_, mode_);
  QsoRecord r = Record();
  r.SetMode(mode_);
  Evaluate();
  rememberedFreq_ = 0;
  r.SetModeNr(static_cast<std::uint16_t>(nextModeNr_));
  if (def_.SentExchange1 == exchange::kModeNumber && !listener_)
    r.SetRSTs(SentDefaultExchange());
}

void QsoSession::TakeBand(char band) {
  if (!IsOpen())
    return;
  ReadFields(std::nullopt);
  if (IsBandLetter(band) && band != band_)
    SwitchBand(band);
  WriteFields();
}

void QsoSession::TakeBandByName(std::string_view name) {
  for (char band : def_.Bands)
    if (IsBandLetter(band) && BandName(band) == name) {
      TakeBand(band);
      return;
    }
  TakeBand(BandFromText(name));
}

void QsoSession::TakeMode(std::string_view mode) {
  if (!IsOpen())
    return;
  ReadFields(std::nullopt);
  emodeShown_ = false;
  std::string chosen(mode);
  if (chosen == "DIGITAL") {
    emodeShown_ = true;
    chosen = Text(F::emode);
  }
  if (chosen.substr(0, 6) != mode_)
    SwitchMode(chosen);
  if (code_ != 'j') {
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

bool QsoSession::BandButton() {
  if (bandList_.size() != 2)
    return bandList_.size() > 2;
  for (char band : def_.Bands)
    if (IsBandLetter(band) && band != band_) {
      TakeBand(band);
      break;
    }
  return false;
}

bool QsoSession::ModeButton() {
  if (modeList_.size() != 2)
    return modeList_.size() > 2;
  TakeMode(modeList_[0] == mode_ ? modeList_[1] : modeList_[0]);
  return false;
}

} // namespace tarvik
