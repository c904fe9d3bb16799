#pragma once
// Shared set-up of the catalog tests: a header with every field a preset can copy, a fixed
// clock, scripted dialogs, and a readable dump of a contest definition for failure output.

#include <gtest/gtest.h>

#include <ostream>
#include <sstream>
#include <string>
#include <vector>

#include "base/process_settings.h"
#include "contest/contest_catalog.h"
#include "radio/date_time.h"
#include "support/fake_clock.h"
#include "support/fake_dialogs.h"

namespace tarvik {

inline void PrintTo(const ContestDefinition& d, std::ostream* os) {
  auto list = [os](const char* name, const std::vector<std::string>& values) {
    *os << "\n  " << name << ":";
    for (const std::string& v : values)
      *os << " [" << v << "]";
  };
  *os << "{ListenerLog " << int(d.ListenerLog);
  list("Modes", d.Modes);
  *os << "\n  Bands " << d.Bands << "\n  Options";
  for (int i = 0; i < 256; ++i)
    if (d.HasOption(i))
      *os << " " << i;
  *os << "\n  MultLabels [" << d.MultLabel1 << "] [" << d.MultLabel2 << "] [" << d.MultLabel3
      << "]\n  Rcvd " << d.RcvdExchange1 << " " << d.RcvdExchange2 << " " << d.RcvdExchange3
      << "  Sent " << d.SentExchange1 << " " << d.SentExchange2 << " " << d.SentExchange3
      << "\n  SentDefaults [" << d.SentDefault1 << "] [" << d.SentDefault2 << "] ["
      << d.SentDefault3 << "]\n  RcvdLabels [" << d.RcvdLabel1 << "] [" << d.RcvdLabel2 << "] ["
      << d.RcvdLabel3 << "]\n  DupeRule " << int(d.DupeRule) << "  Utc " << d.UtcOffsetHours
      << "  BandAuto " << int(d.BandAutoOffered) << "  Eval " << int(d.EvaluationKind)
      << "  Outputs " << d.Outputs;
  list("CallList", d.CallList);
  list("DokList", d.DokList);
  list("SpecialDokList", d.SpecialDokList);
  *os << "\n  HomeDistrict [" << d.HomeDistrict << "] HomeDistricts [" << d.HomeDistricts
      << "]\n  TimeBlocks:";
  for (const TimeBlock& b : d.TimeBlocks)
    *os << " [" << b.date << " " << b.startTime << "-" << b.endTime << " " << b.bands << "]";
  *os << "\n  Categories:";
  for (const ContestCategory& c : d.Categories)
    *os << " [" << c.description << "|" << c.shortName << "|" << c.timeBlock << "]";
  *os << "\n  Name [" << d.ContestName << "] Period [" << d.DefaultStartDate << " "
      << d.DefaultStartTime << " - " << d.DefaultEndDate << " " << d.DefaultEndTime << "]}";
}

namespace test {

/// Header: start date 12.06.2011, DOK "N13", postcode "48149", extra number 1234, LDK "MS",
/// club "MF-123"; own locator "JO31QX"; today 14.03.2026.
class CatalogFixture : public ::testing::Test {
protected:
  CatalogFixture() { clock.now = {2026, 3, 14, 12, 0, 0, 0}; }
  void TearDown() override { SetLanguageFlag(1); }

  ContestDefinition Build(char code, int category = 0) {
    header.category = static_cast<std::uint8_t>(category);
    return BuildContestDefinition(code, header, locator, dialogs, clock);
  }

  static std::uint16_t Bits(std::initializer_list<int> bits) {
    std::uint16_t out = 0;
    for (int b : bits)
      out = static_cast<std::uint16_t>(out | (1u << b));
    return out;
  }

  FakeClock clock;
  FakeDialogs dialogs;
  ContestHeaderFields header{.category = 0,
                             .dateFrom = DmyToDay(12, 6, 2011),
                             .dok = "N13",
                             .postcode = "48149",
                             .extraNumber = 1234,
                             .ldk = "MS",
                             .clubId = "MF-123"};
  std::string locator = "JO31QX";
};

/// Splits a text at blanks ("SSB CW" gives "SSB", "CW"; "" gives nothing).
inline std::vector<std::string> Words(const std::string& text) {
  std::vector<std::string> out;
  std::istringstream in(text);
  for (std::string word; in >> word;)
    out.push_back(word);
  return out;
}

/// Splits a text at "|", keeping empty parts ("N13||JO31" gives three parts).
inline std::vector<std::string> Fields(const std::string& text) {
  std::vector<std::string> out;
  size_t start = 0;
  while (true) {
    const size_t bar = text.find('|', start);
    out.push_back(text.substr(start, bar == std::string::npos ? std::string::npos : bar - start));
    if (bar == std::string::npos)
      return out;
    start = bar + 1;
  }
}

} // namespace test
} // namespace tarvik
