#include "logging/bands_modes.h"

#include <algorithm>

#include "base/dates.h"
#include "radio/bands.h"
#include "radio/date_time.h"

namespace tarvik {

BandsAndModes::BandsAndModes(const ContestDefinition& definition) : def_(definition) {
  for (const std::string& mode : def_.Modes)
    if (!mode.empty() && modeList_.size() < ContestDefinition::kMaxModes)
      modeList_.push_back(mode);
  for (char band : def_.Bands)
    if (IsBandLetter(band) && bandList_.size() < ContestDefinition::kMaxBands)
      bandList_.push_back(tarvik::BandName(band));
}

std::string BandsAndModes::BandName() const {
  return IsBandLetter(band_) ? tarvik::BandName(band_) : std::string();
}

std::optional<char> BandsAndModes::OtherBand() const {
  if (bandList_.size() != 2)
    return std::nullopt;
  for (char band : def_.Bands)
    if (IsBandLetter(band) && band != band_)
      return band;
  return std::nullopt;
}

std::optional<std::string> BandsAndModes::OtherMode() const {
  if (modeList_.size() != 2)
    return std::nullopt;
  return modeList_[0] == mode_ ? modeList_[1] : modeList_[0];
}

char BandsAndModes::BandByName(std::string_view name) const {
  for (char band : def_.Bands)
    if (IsBandLetter(band) && tarvik::BandName(band) == name)
      return band;
  return BandFromText(name);
}

char BandsAndModes::TimeBlockBand(const Clock& clock) const {
  const DayAndTime now = UtcNow(clock);
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

void BandsAndModes::ChooseStartBand(const ContestHeaderRecord& header, const Clock& clock) {
  band_ = def_.Bands.empty() ? '\0' : def_.Bands.front();
  if (header.autoBand())
    if (const char blockBand = TimeBlockBand(clock); blockBand != '\0')
      band_ = blockBand;
}

std::optional<std::string> BandsAndModes::ChooseStartMode(const ContestHeaderRecord& header) {
  auto offered = [this](std::string_view mode) {
    return std::find(modeList_.begin(), modeList_.end(), mode) != modeList_.end();
  };
  mode_ = modeList_.empty() ? std::string() : modeList_.front();
  freeModeShown_ = false;
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
    freeModeShown_ = true;
  }
  if (!header.startSsb() && !header.startFm() && !header.startPr() && offered("CW"))
    mode_ = "CW";
  mode_ = mode_.substr(0, 6);
  if (freeModeShown_)
    return mode_;
  return std::nullopt;
}

} // namespace tarvik
