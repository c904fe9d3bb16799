#pragma once
// The entry follows the radio: each snapshot of the radio (frequency and mode) is taken into
// the entry session as the operator's own choices would be.
//
//  - A new radio band moves the log's band as a typed frequency does: the band the frequency
//    lies in when the contest offers it; otherwise the log keeps its band and the panel says
//    why (once for each band the radio moves to, not for every answer). The band is taken as
//    from the band list, so a call being typed stays, and its numbers follow the band.
//  - A new radio mode is taken as from the mode list when the contest offers the mode it
//    stands for (ContestModeOfRigMode); otherwise the log keeps its mode.
//  - While the radio is on the log's band, the QSO being entered carries the radio's
//    frequency, so that the stored QSO has it in Freq (MHz).
// Only changes of the radio are followed: a band or mode the operator picks afterwards stays
// until the radio moves again. Nothing is followed while a stored QSO is being changed, or
// while the operator types in the frequency field.

#include <optional>
#include <string>

#include "logging/qso_session.h"
#include "radio/rig_poller.h"

namespace tarvik {

/// What the CAT panel shows.
struct CatPanelTexts {
  std::string link;      ///< "CAT aus", "keine Verbindung", or "" while connected
  std::string frequency; ///< "14,07400 MHz" while connected
  std::string mode;      ///< the radio's mode, with the log's mode it stands for: "USB (SSB)"
  std::string notice;    ///< why the log did not follow the band
};

class RigFollower {
public:
  /// REQUIRES: `session` outlives the follower.
  explicit RigFollower(QsoSession& session) : session_(session) {}

  /// Takes `snapshot` into the entry; true when the session changed. Does nothing unless the
  /// radio is connected and the session open.
  bool Follow(const RigSnapshot& snapshot);
  /// Forgets what was followed: the next answer is taken in full (CAT turned on again).
  void Reset();

  /// Why the log did not follow the radio's band ("" when it did).
  const std::string& Notice() const { return notice_; }
  /// The panel's texts for `snapshot`.
  CatPanelTexts Texts(const RigSnapshot& snapshot) const;

private:
  void FollowBand(double mhz, char radioBand);
  void FollowMode(const std::string& rigMode);
  bool FollowFrequency(double mhz, char radioBand);

  QsoSession& session_;
  std::optional<char> band_;        // the radio band followed last
  std::optional<std::string> mode_; // the radio mode followed last
  std::string notice_;
};

/// The text of the frequency field for `mhz` (the field's 4 decimals, decimal comma).
std::string RigFrequencyFieldText(double mhz);

} // namespace tarvik
