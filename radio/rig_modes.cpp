#include "radio/rig_modes.h"

#include <algorithm>
#include <array>
#include <initializer_list>

namespace tarvik {

namespace {

bool OneOf(std::string_view mode, std::initializer_list<std::string_view> names) {
  return std::find(names.begin(), names.end(), mode) != names.end();
}

bool Offered(const std::vector<std::string>& offered, std::string_view mode) {
  return std::find(offered.begin(), offered.end(), mode) != offered.end();
}

} // namespace

RigModeChoice ContestModeOfRigMode(std::string_view rigMode,
                                   const std::vector<std::string>& offered) {
  auto take = [&](std::string_view entry, std::string_view freeText = {}) {
    return Offered(offered, entry) ? RigModeChoice{std::string(entry), std::string(freeText)}
                                   : RigModeChoice{};
  };
  if (OneOf(rigMode, {"USB", "LSB", "ECSSUSB", "ECSSLSB"}))
    return take("SSB");
  if (OneOf(rigMode, {"CW", "CWR"}))
    return take("CW");
  if (OneOf(rigMode, {"FM", "FMN", "WFM"}))
    return take("FM");
  std::string_view freeText;
  if (OneOf(rigMode, {"RTTY", "RTTYR"}))
    freeText = "RTTY";
  else if (OneOf(rigMode, {"PSK", "PSKR"}))
    freeText = "PSK";
  else if (!OneOf(rigMode, {"PKTUSB", "PKTLSB", "PKTFM", "PKTFMN", "PKTAM"}))
    return {};
  // The contest's digital mode: the free "DIGITAL" first, then the data modes it names.
  if (Offered(offered, "DIGITAL"))
    return {"DIGITAL", std::string(freeText)};
  for (std::string_view digital : std::array<std::string_view, 2>{"FSK441", "PR"})
    if (Offered(offered, digital))
      return {std::string(digital), ""};
  return {};
}

} // namespace tarvik
