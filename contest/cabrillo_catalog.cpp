#include "contest/cabrillo_catalog.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <utility>

#include "radio/modes.h"

namespace tarvik {

namespace {

// The CONTEST value of each code. The robots' names where they are known; the others are
// short names of the contest that a robot's operator can map by hand.
// clang-format off
constexpr std::array<std::pair<char, std::string_view>, 44> kContestNames = {{
    {'V', "MVP"},                    {'B', "BWA"},                   {'H', "HOLYLAND"},
    {'D', "DTC"},                    {'5', "FUNKERTAG-QSO-PARTY"},   {'P', "FEBRUAR-QSO-PARTY"},
    {'E', "EUROPATAG"},              {'F', "FRANKEN-AKTIVITAET"},    {'J', "HAMBURG-CONTEST"},
    {'G', "HESSEN-CONTEST"},         {'R', "RLP-AKTIVITAETSABEND"},  {'h', "RLP-AKTIVITAETSWOCHE"},
    {'N', "NAC"},                    {'S', "HSW-AKTIVITAET"},        {'T', "THUERINGEN-CONTEST"},
    {'L', "RUHRGEBIET-KURZCONTEST"}, {'U', "BOC"},                   {'I', "NORDSEE-KW-AKTIVITAET"},
    {'l', "NORDSEE-AKTIVITAET"},     {'g', "NORDSEE-UKW"},           {'Z', "IPARC"},
    {'C', "BB-CONTEST"},             {'O', "SH-AKTIVITAET"},         {'Q', "SCHWABEN-CONTEST"},
    {'1', "DARC-10M"},               {'K', "KOELN-AACHEN"},          {'A', "AGCW-DTC"},
    {'f', "AGCW-HNY"},               {'i', "NAVAL"},                 {'j', "MMMONVHF-MS-SPRINT"},
    {'Y', "VFDB"},                   {'2', "ZELKA"},                 {'3', "WNC"},
    {'c', "WNA"},                    {'4', "RTC-PARTY"},             {'6', "HSC-CW"},
    {'7', "DIG-QSO-PARTY"},          {'8', "AGCW-VHF-UHF"},          {'9', "IARU-R1-FIELDDAY"},
    {'a', "NORDRHEIN-AKTIVITAET"},   {'b', "OQRP"},                  {'d', "SAAR-CONTEST"},
    {'e', "NORD-CONTEST"},           {'k', "QCWA-PARTY"},
}};
// clang-format on

bool IsShortWaveBand(char band) {
  return band >= 'a' && band <= 'i';
}

std::string Upper(std::string_view text) {
  std::string out(text);
  for (char& c : out)
    c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return out;
}

bool Has(const std::string& upper, std::string_view word) {
  return upper.find(word) != std::string::npos;
}

std::string PowerOf(const std::string& d) {
  if (Has(d, "QRP") || Has(d, "BIS 5 W") || Has(d, "MAX. 5 W") || Has(d, "MAX. 5W") ||
      Has(d, "(10W)"))
    return "QRP";
  if (Has(d, "QRO") || Has(d, "HP =") || Has(d, "HIGH") || Has(d, "> 100 W") ||
      Has(d, "MEHR ALS") || Has(d, "BER 150W"))
    return "HIGH";
  if (Has(d, "LP =") || Has(d, "LOW") || Has(d, "<= 100 W") || Has(d, "MAX. 150W") ||
      Has(d, "5-25 W") || Has(d, "5-50W"))
    return "LOW";
  return {};
}

std::string ModeOf(const std::vector<std::string>& modes) {
  std::string found;
  for (const std::string& mode : modes) {
    if (mode.empty())
      continue;
    std::string kind;
    switch (ModeGroup(mode)) {
    case 'a':
      kind = "CW";
      break;
    case 'b':
    case 'c':
      kind = "SSB";
      break;
    case 'd':
      kind = "FM";
      break;
    default:
      kind = mode == "RTTY" ? "RTTY" : "DIGI";
      break;
    }
    if (found.empty())
      found = kind;
    else if (found != kind)
      return "MIXED";
  }
  return found;
}

} // namespace

std::string_view CabrilloContestName(char contestCode) {
  for (const auto& [code, name] : kContestNames)
    if (code == contestCode)
      return name;
  return {};
}

bool SendsCabrillo(const ContestDefinition& definition) {
  return !definition.Bands.empty() &&
         std::all_of(definition.Bands.begin(), definition.Bands.end(), IsShortWaveBand);
}

std::string CabrilloBandDesignator(char band) {
  switch (band) {
  case 'j':
    return "50";
  case 'k':
    return "144";
  case 'l':
    return "432";
  case 'm':
    return "1.2G";
  case 'n':
    return "2.3G";
  case 'o':
    return "3.4G";
  case 'p':
    return "5.7G";
  case 'q':
    return "10G";
  case 's':
    return "24G";
  default:
    return {};
  }
}

std::string CabrilloCategoryBand(char band) {
  switch (band) {
  case 'a':
    return "160M";
  case 'b':
    return "80M";
  case 'c':
    return "40M";
  case 'e':
    return "20M";
  case 'g':
    return "15M";
  case 'i':
    return "10M";
  case 'j':
    return "6M";
  case 'k':
    return "2M";
  default:
    return CabrilloBandDesignator(band);
  }
}

CabrilloCategory CabrilloCategoryOf(const ContestDefinition& definition, int category) {
  CabrilloCategory c;
  const ContestCategory* entry = definition.Category(category);
  const std::string d = entry != nullptr ? Upper(entry->description) : std::string();

  if (definition.ListenerLog != 0 || Has(d, "SWL")) {
    c.operatorKind = "CHECKLOG";
    c.transmitter = "SWL";
  } else if (Has(d, "CHECKLOG")) {
    c.operatorKind = "CHECKLOG";
  } else if (Has(d, "MULTI")) {
    c.operatorKind = "MULTI-OP";
  } else {
    c.operatorKind = "SINGLE-OP";
  }
  if (c.transmitter.empty() && (Has(d, "SINGLE TX") || Has(d, "SINGLE TRX")))
    c.transmitter = "ONE";

  std::string bands;
  for (const char band : definition.Bands)
    if (bands.find(band) == std::string::npos)
      bands += band;
  if (bands.size() == 1)
    c.band = CabrilloCategoryBand(bands[0]);
  else if (!bands.empty())
    c.band = "ALL";

  c.mode = ModeOf(definition.Modes);
  c.power = PowerOf(d);
  if (Has(d, "PORTABEL") || Has(d, "PORTABLE"))
    c.station = "PORTABLE";
  return c;
}

} // namespace tarvik
