// What the radio's band and mode make of the log's: the band only where the contest offers
// it, the mode by its family and only where the contest offers the mode it stands for.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "radio/bands.h"
#include "radio/rig_modes.h"

namespace tarvik {
namespace {

TEST(RigBands, OnlyABandTheContestOffersIsTaken) {
  EXPECT_EQ(ContestBandOfFrequency(144.3, "kl"), 'k');
  EXPECT_EQ(ContestBandOfFrequency(432.2, "kl"), 'l');
  // A band the contest does not have, and a frequency outside every band, give none.
  EXPECT_EQ(ContestBandOfFrequency(14.074, "kl"), '\0');
  EXPECT_EQ(ContestBandOfFrequency(100.0, "bcegikl"), '\0');
  EXPECT_EQ(ContestBandOfFrequency(0.0, "bcegikl"), '\0');
  // The range limits are those of the band table (lower excluded, upper included).
  EXPECT_EQ(ContestBandOfFrequency(3.8, "b"), 'b');
  EXPECT_EQ(ContestBandOfFrequency(3.4999, "b"), '\0');
  // A list with the all-bands letter or blanks offers no band by them.
  EXPECT_EQ(ContestBandOfFrequency(7.05, "0 "), '\0');
}

struct ModeCase {
  const char* rigMode;
  const char* modes; // the contest's mode list, "|" between
  RigModeChoice expected;
};

std::vector<std::string> Split(std::string_view list) {
  std::vector<std::string> modes;
  while (!list.empty()) {
    const std::size_t bar = list.find('|');
    modes.emplace_back(list.substr(0, bar));
    list = bar == std::string_view::npos ? std::string_view() : list.substr(bar + 1);
  }
  return modes;
}

class RigModes : public ::testing::TestWithParam<ModeCase> {};

TEST_P(RigModes, StandForTheContestsMode) {
  const ModeCase& c = GetParam();
  EXPECT_EQ(ContestModeOfRigMode(c.rigMode, Split(c.modes)), c.expected)
      << c.rigMode << " in " << c.modes;
}

INSTANTIATE_TEST_SUITE_P(
    Families, RigModes,
    ::testing::Values(
        ModeCase{"USB", "SSB|CW|FM|DIGITAL", {"SSB", ""}},
        ModeCase{"LSB", "SSB|CW|FM|DIGITAL", {"SSB", ""}},
        ModeCase{"CW", "SSB|CW|FM|DIGITAL", {"CW", ""}},
        ModeCase{"CWR", "SSB|CW|FM|DIGITAL", {"CW", ""}},
        ModeCase{"FM", "SSB|CW|FM|DIGITAL", {"FM", ""}},
        ModeCase{"FMN", "SSB|CW|FM|DIGITAL", {"FM", ""}},
        ModeCase{"WFM", "SSB|CW|FM|DIGITAL", {"FM", ""}},
        // Data modes become the contest's digital mode; RTTY and PSK name the free text.
        ModeCase{"RTTY", "SSB|CW|FM|DIGITAL", {"DIGITAL", "RTTY"}},
        ModeCase{"RTTYR", "SSB|CW|DIGITAL", {"DIGITAL", "RTTY"}},
        ModeCase{"PSK", "SSB|CW|DIGITAL", {"DIGITAL", "PSK"}},
        ModeCase{"PKTUSB", "SSB|CW|FM|DIGITAL", {"DIGITAL", ""}},
        ModeCase{"PKTLSB", "SSB|CW|FM|PR|DIGITAL", {"DIGITAL", ""}},
        ModeCase{"PKTUSB", "CW|SSB|FSK441", {"FSK441", ""}},
        ModeCase{"PKTFM", "SSB|CW|FM|PR", {"PR", ""}},
        // A mode the contest does not offer, or one of no family, leaves the log's mode.
        ModeCase{"USB", "CW", {}}, ModeCase{"FM", "SSB|CW", {}},
        ModeCase{"PKTUSB", "SSB|CW|FM", {}}, ModeCase{"AM", "SSB|CW|FM|DIGITAL", {}},
        ModeCase{"D-STAR", "SSB|CW|FM|DIGITAL", {}}, ModeCase{"usb", "SSB|CW", {}},
        ModeCase{"", "SSB|CW", {}}));

} // namespace
} // namespace tarvik
