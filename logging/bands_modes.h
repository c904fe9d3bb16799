#pragma once
// The band and the mode of the log window: the lists the contest offers, the current band
// and mode, whether the free mode field ("DIGITAL") is shown, the mode a new log starts
// with, and the band of the active time block. Switching band or mode, with what follows
// for the running numbers, multipliers and reports, is the session's (qso_session.h).

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/clock.h"
#include "contest/contest_definition.h"
#include "datafiles/contest_records.h"

namespace tarvik {

class BandsAndModes {
public:
  /// REQUIRES: `definition` outlives the object.
  explicit BandsAndModes(const ContestDefinition& definition);

  char Band() const { return band_; }
  /// The printed name of the current band; "" without one.
  std::string BandName() const;
  const std::string& Mode() const { return mode_; }
  bool Cw() const { return mode_ == "CW"; }
  /// The free mode field is shown (the person chose "DIGITAL").
  bool FreeModeShown() const { return freeModeShown_; }

  const std::vector<std::string>& ModeList() const { return modeList_; }
  /// The printed names of the bands offered.
  const std::vector<std::string>& BandList() const { return bandList_; }
  bool BandButtonVisible() const { return bandList_.size() > 1; }
  bool ModeButtonVisible() const { return modeList_.size() > 1; }
  /// F8 / btnBand: with exactly two bands the other band, taken at once; nullopt otherwise
  /// (the window shows the list).
  std::optional<char> OtherBand() const;
  /// F7 / btnMode: likewise with the modes.
  std::optional<std::string> OtherMode() const;
  /// The band of a printed name the contest offers, else the band the name stands for.
  char BandByName(std::string_view name) const;
  /// The band the active time block demands (the current band when the block lists it,
  /// else the block's first band), or 0 when no block is active. Blocks are taken in
  /// order; the block's bands count only where the contest offers them.
  char TimeBlockBand(const Clock& clock) const;

  /// The first band, or the band of the active time block when the header asks for it.
  void ChooseStartBand(const ContestHeaderRecord& header, const Clock& clock);
  /// The start mode of the header among the modes offered ("DIGI" in the free mode field
  /// for a digital start); returns the free mode field's text when it is shown.
  std::optional<std::string> ChooseStartMode(const ContestHeaderRecord& header);
  void SetBand(char band) { band_ = band; }
  /// The mode (cut to 6 characters).
  void SetMode(std::string_view mode) { mode_ = std::string(mode.substr(0, 6)); }
  void SetFreeModeShown(bool shown) { freeModeShown_ = shown; }

private:
  const ContestDefinition& def_;
  std::vector<std::string> modeList_;
  std::vector<std::string> bandList_;
  char band_ = 0;
  std::string mode_;
  bool freeModeShown_ = false;
};

} // namespace tarvik
