#pragma once
// What a Cabrillo log of a contest says about the contest and the entrant's category: the
// CONTEST value the contest robots expect for each code, whether the contest's logs go to a
// robot as Cabrillo (the header window then offers "Cabrillo-Datei"), and the CATEGORY-*
// values derived from the contest definition and the chosen category's description.

#include <string>
#include <string_view>

#include "contest/contest_definition.h"

namespace tarvik {

/// The CONTEST value of a code's Cabrillo log: the robot's name where one is known, else a
/// short name of the contest in capitals ("DARC-10M", "ZELKA"); "" for a character that has
/// no catalog row.
std::string_view CabrilloContestName(char contestCode);

/// True when the contest's logs are sent as Cabrillo: every band the definition offers is a
/// short-wave band (160 m to 10 m). VHF/UHF contests send EDI, contests on both kinds of band
/// send STF. Follows the category: a short-wave category of a mixed contest sends Cabrillo.
bool SendsCabrillo(const ContestDefinition& definition);

/// The CATEGORY-* header values of a Cabrillo log. An empty value is not written: the
/// catalog does not tell it.
struct CabrilloCategory {
  std::string operatorKind; ///< SINGLE-OP, MULTI-OP, CHECKLOG
  std::string band;         ///< ALL, 160M .. 10M, 6M, 2M, 432, 1.2G ...
  std::string mode;         ///< CW, SSB, FM, RTTY, DIGI, MIXED
  std::string power;        ///< QRP, LOW, HIGH
  std::string station;      ///< FIXED, PORTABLE ... (only where the category says so)
  std::string transmitter;  ///< ONE, TWO, UNLIMITED, SWL
};

/// The category values for `definition` built for category `category` (0: none chosen):
/// band and mode from the definition's bands and modes, operator, power, station and
/// transmitter from the words of the category's description ("Multi Op", "QRP", "max. 5 W",
/// "> 100 W", "SWL" ...). A listener category is a check log of an SWL.
CabrilloCategory CabrilloCategoryOf(const ContestDefinition& definition, int category);

/// The Cabrillo band designator of a band letter from 6 m up ("50", "144", "432", "1.2G",
/// "10G" ...), the CATEGORY-BAND value of any band letter ("80M", "2M", "432", "1.2G"), ""
/// for a letter outside the band table.
std::string CabrilloBandDesignator(char band);
std::string CabrilloCategoryBand(char band);

} // namespace tarvik
