#pragma once
// The radio's mode (as Hamlib names it) turned into a mode of the contest's mode list:
//
//   USB LSB ECSSUSB ECSSLSB                         -> SSB
//   CW CWR                                          -> CW
//   FM FMN WFM                                      -> FM
//   RTTY RTTYR PKTUSB PKTLSB PKTFM PKTFMN PKTAM     -> the contest's digital mode:
//   PSK PSKR                                           DIGITAL, else FSK441, else PR
//
// A mode the contest does not offer, and every other radio mode (AM, digital voice ...),
// leaves the log's mode as it is.

#include <string>
#include <string_view>
#include <vector>

namespace tarvik {

/// The entry of the contest's mode list a radio mode stands for, and for "DIGITAL" the text
/// of the free mode field when the radio's mode names one ("RTTY", "PSK"; "" keeps the text
/// the operator typed).
struct RigModeChoice {
  std::string listEntry; ///< "" when the log's mode stays
  std::string freeText;
  friend bool operator==(const RigModeChoice&, const RigModeChoice&) = default;
};

/// The choice for radio mode `rigMode` in a contest offering `offered` (its mode list).
RigModeChoice ContestModeOfRigMode(std::string_view rigMode,
                                   const std::vector<std::string>& offered);

} // namespace tarvik
