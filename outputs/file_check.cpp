#include "outputs/file_check.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <map>
#include <set>

#include "base/strings.h"
#include "base/text_helpers.h"
#include "outputs/file_check_parsed.h"
#include "radio/bands.h"
#include "radio/locator.h"
#include "radio/modes.h"

namespace tarvik {

namespace {

std::string Upper(std::string_view text) {
  std::string out(text);
  for (char& c : out)
    c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return out;
}

/// A moment as minutes since day 0, for the period check.
long long Minutes(DayNumber day, TimeOfDay time) {
  return static_cast<long long>(day) * 1440 + (time >= 0 ? time / 60 : 0);
}

bool LocatorLooksRight(const std::string& locator) {
  return (locator.size() == 4 || locator.size() == 6) && LocatorValid(Upper(locator));
}

void CheckQsos(const ParsedLog& log, const FileCheckContext& context, FindingList& findings) {
  // Formats that name digital modes only as a class (Cabrillo DG, EDI code 0) pass when the
  // category has any digital mode.
  const auto voiceOrCw = [](char group) { return group >= 'a' && group <= 'd'; };
  std::set<char> modeGroups;
  bool digitalAllowed = false;
  for (const std::string& mode : context.modes) {
    modeGroups.insert(ModeGroup(mode));
    digitalAllowed = digitalAllowed || !voiceOrCw(ModeGroup(mode));
  }
  const bool periodKnown = context.periodFrom != BadDate && context.periodTo != BadDate;
  const long long from = Minutes(context.periodFrom, context.timeFrom) - context.slackMinutes;
  const long long to = (context.timeTo != BadTime ? Minutes(context.periodTo, context.timeTo)
                                                  : Minutes(context.periodTo + 1, 0) - 1) +
                       context.slackMinutes;
  const bool ownLocatorKnown = LocatorLooksRight(log.ownLocator);
  std::map<std::string, int> seen;

  for (const ParsedQso& q : log.qsos) {
    if (q.call.empty() || q.call == "-")
      findings.QsoError(q, Say("Das Rufzeichen fehlt.", "The call is missing."));
    else if (!PlausibleCall(q.call))
      findings.QsoError(q, Say("Das Rufzeichen \"" + q.call + "\" ist ungültig.",
                               "The call \"" + q.call + "\" is not valid."));
    if (q.day == BadDate)
      findings.QsoError(
          q, Say("Das Datum fehlt oder ist ungültig.", "The date is missing or not valid."));
    if (q.time == BadTime)
      findings.QsoError(
          q, Say("Die Uhrzeit fehlt oder ist ungültig.", "The time is missing or not valid."));
    if (q.band == 0 && !log.bandFromHeader)
      findings.QsoError(q, Say("Das Band ist unbekannt.", "The band is not known."));
    if (!q.locator.empty() && !LocatorLooksRight(q.locator))
      findings.QsoError(q, Say("Der Locator \"" + q.locator + "\" ist ungültig.",
                               "The locator \"" + q.locator + "\" is not valid."));
    if (periodKnown && q.day != BadDate) {
      const long long at = Minutes(q.day, q.time);
      if (at < from || at > to)
        findings.QsoError(q, Say("Das QSO liegt außerhalb der Contestzeit.",
                                 "The QSO lies outside the contest period."));
    }
    if (!context.bands.empty() && q.band != 0 && context.bands.find(q.band) == std::string::npos)
      findings.QsoError(
          q, Say("Das Band " + BandName(q.band) + " ist in dieser Kategorie nicht zugelassen.",
                 "The band " + BandName(q.band) + " is not allowed in this category."));
    if (!modeGroups.empty() && modeGroups.count(q.modeGroup) == 0 &&
        !(digitalAllowed && !voiceOrCw(q.modeGroup)))
      findings.QsoError(
          q, Say("Die Betriebsart " + q.mode + " ist in dieser Kategorie nicht zugelassen.",
                 "The mode " + q.mode + " is not allowed in this category."));
    if (q.hasDistance && ownLocatorKnown && LocatorLooksRight(q.locator)) {
      const double km = RobotDistanceKm(log.ownLocator, q.locator);
      if (km >= 0 && std::fabs(static_cast<double>(q.distance) - km) > DistanceToleranceKm(km))
        findings.QsoWarning(q, Say("Die Entfernung " + std::to_string(q.distance) +
                                       " km passt nicht zu den Locatoren (" +
                                       std::to_string(std::lround(km)) + " km).",
                                   "The distance " + std::to_string(q.distance) +
                                       " km does not match the locators (" +
                                       std::to_string(std::lround(km)) + " km)."));
    }

    // Duplicates as the robot finds them.
    std::string key = Upper(q.call);
    switch (context.dupeRule) {
    case 0:
    case 4: // the time windows of the rule are not known from the file
      key.clear();
      break;
    case 1:
      key += std::string(1, '|') + q.band + q.modeGroup;
      break;
    case 2:
      key += std::string(1, '|') + q.band;
      break;
    case 3:
      key += std::string(1, '|') + q.modeGroup;
      break;
    case 5:
      break;
    default:
      key += std::string(1, '|') + q.band + q.modeGroup;
      break;
    }
    if (!key.empty() && PlausibleCall(q.call)) {
      const auto [it, inserted] = seen.emplace(key, q.number);
      if (!inserted)
        findings.QsoWarning(q, Say("Doppeltes QSO (wie QSO " + std::to_string(it->second) + ").",
                                   "Duplicate QSO (as QSO " + std::to_string(it->second) + ")."));
    }
  }
  if (context.qsos >= 0 && static_cast<std::size_t>(context.qsos) != log.qsos.size())
    findings.Error(0, Say("Die Datei enthält " + std::to_string(log.qsos.size()) +
                              " QSOs, das Log " + std::to_string(context.qsos) + ".",
                          "The file holds " + std::to_string(log.qsos.size()) + " QSOs, the log " +
                              std::to_string(context.qsos) + "."));
}

} // namespace

std::string Say(std::string_view german, std::string_view english) {
  return ChooseText(german, english);
}

std::vector<std::string> SplitFileLines(std::string_view bytes) {
  std::vector<std::string> lines;
  std::size_t from = 0;
  while (from < bytes.size()) {
    std::size_t end = bytes.find('\n', from);
    if (end == std::string_view::npos)
      end = bytes.size();
    std::string line(bytes.substr(from, end - from));
    if (!line.empty() && line.back() == '\r')
      line.pop_back();
    lines.push_back(std::move(line));
    from = end + 1;
  }
  return lines;
}

std::vector<std::string> SplitTokens(std::string_view line) {
  std::vector<std::string> tokens;
  std::size_t i = 0;
  while (i < line.size()) {
    while (i < line.size() && (line[i] == ' ' || line[i] == '\t'))
      ++i;
    const std::size_t start = i;
    while (i < line.size() && line[i] != ' ' && line[i] != '\t')
      ++i;
    if (i > start)
      tokens.emplace_back(line.substr(start, i - start));
  }
  return tokens;
}

bool AllDigits(std::string_view text) {
  return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) {
    return std::isdigit(static_cast<unsigned char>(c)) != 0;
  });
}

DayNumber ParseDay(std::string_view text, bool dashes) {
  std::string digits;
  if (dashes) {
    if (text.size() != 10 || text[4] != '-' || text[7] != '-')
      return BadDate;
    digits = std::string(text.substr(0, 4)) + std::string(text.substr(5, 2)) +
             std::string(text.substr(8, 2));
  } else {
    digits = std::string(text);
  }
  if (digits.size() != 8 || !AllDigits(digits))
    return BadDate;
  const int y = std::stoi(digits.substr(0, 4));
  const int m = std::stoi(digits.substr(4, 2));
  const int d = std::stoi(digits.substr(6, 2));
  if (y < 1900 || m < 1 || m > 12 || d < 1 || d > 31)
    return BadDate;
  const DayNumber day = DmyToDay(d, m, y);
  const Dmy back = DayToDmy(day);
  return back.day == d && back.month == m && back.year == y ? day : BadDate;
}

TimeOfDay ParseTime(std::string_view text) {
  if ((text.size() != 4 && text.size() != 6) || !AllDigits(text))
    return BadTime;
  const int h = std::stoi(std::string(text.substr(0, 2)));
  const int m = std::stoi(std::string(text.substr(2, 2)));
  const int s = text.size() == 6 ? std::stoi(std::string(text.substr(4, 2))) : 0;
  if (h > 23 || m > 59 || s > 59)
    return BadTime;
  return h * 3600 + m * 60 + s;
}

bool PlausibleCall(std::string_view call) {
  if (call.size() < 3 || call.size() > 15 || call.front() == '/' || call.back() == '/')
    return false;
  bool digit = false;
  bool letter = false;
  char previous = 0;
  for (const char c : call) {
    if (std::isdigit(static_cast<unsigned char>(c)))
      digit = true;
    else if (std::isalpha(static_cast<unsigned char>(c)) && static_cast<unsigned char>(c) < 0x80)
      letter = true;
    else if (c != '/' || previous == '/')
      return false;
    previous = c;
  }
  return digit && letter;
}

double DistanceToleranceKm(double km) {
  // 1 km for the rounding to whole km, and 0.1 % because loggers and robots take earth
  // radii from 6366.7 km (111.12 km per degree, as this log does) to 6371.3 km, up to
  // 0.07 % apart.
  return 1.0 + km * 0.001;
}

double RobotDistanceKm(std::string_view from, std::string_view to) {
  // The robots compute the great circle on a sphere of the mean earth radius; the log's own
  // distance counts 111.12 km per degree (a radius of 6366.7 km), which gives up to 0.07 %
  // less.
  constexpr double kEarthRadiusKm = 6371.0;
  constexpr double kRadians = 3.14159265358979323846 / 180.0;
  LocatorPoint a;
  LocatorPoint b;
  if (!LocatorPosition(Upper(from), a) || !LocatorPosition(Upper(to), b))
    return -1;
  const double lat1 = a.latitude * kRadians;
  const double lat2 = b.latitude * kRadians;
  const double dLat = lat2 - lat1;
  const double dLon = (b.longitude - a.longitude) * kRadians;
  const double h = std::sin(dLat / 2) * std::sin(dLat / 2) +
                   std::cos(lat1) * std::cos(lat2) * std::sin(dLon / 2) * std::sin(dLon / 2);
  return 2 * kEarthRadiusKm * std::asin(std::min(1.0, std::sqrt(h)));
}

FileFormat DetectFileFormat(std::string_view bytes) {
  const std::vector<std::string> lines = SplitFileLines(bytes.substr(0, 4096));
  for (std::size_t i = 0; i < lines.size() && i < 3; ++i)
    if (Upper(TrimBlanks(lines[i])).rfind("START-OF-LOG:", 0) == 0)
      return FileFormat::kCabrillo;
  if (!lines.empty() && TrimBlanks(lines[0]) == "STF1")
    return FileFormat::kStf;
  // A Cabrillo file that lost its first line still shows its tags.
  for (const std::string& line : lines) {
    const std::string upper = Upper(line);
    if (upper.rfind("CALLSIGN:", 0) == 0 || upper.rfind("QSO:", 0) == 0 ||
        upper.rfind("END-OF-LOG:", 0) == 0)
      return FileFormat::kCabrillo;
  }
  for (const std::string& line : lines)
    if (Upper(line).rfind("[REG1TEST;", 0) == 0)
      return FileFormat::kEdi;
  const std::string head = Upper(bytes.substr(0, 4096));
  if (head.find("<EOH>") != std::string::npos || head.find("<EOR>") != std::string::npos)
    return FileFormat::kAdif;
  const std::string first = TrimBlanks(bytes.substr(0, 64));
  if (!first.empty() && first[0] == '<')
    return FileFormat::kAdif;
  return FileFormat::kUnknown;
}

std::string FileFormatName(FileFormat format) {
  switch (format) {
  case FileFormat::kCabrillo:
    return "Cabrillo";
  case FileFormat::kEdi:
    return "EDI";
  case FileFormat::kStf:
    return "STF";
  case FileFormat::kAdif:
    return "ADIF";
  case FileFormat::kUnknown:
    break;
  }
  return "?";
}

std::vector<FileFinding> CheckFile(std::string_view bytes, const FileCheckContext& context) {
  FindingList findings;
  ParsedLog log;
  const FileFormat format = DetectFileFormat(bytes);
  switch (format) {
  case FileFormat::kCabrillo:
    ReadCabrillo(SplitFileLines(bytes), context, log, findings);
    break;
  case FileFormat::kEdi:
    ReadEdi(SplitFileLines(bytes), log, findings);
    break;
  case FileFormat::kStf:
    ReadStf(SplitFileLines(bytes), context, log, findings);
    break;
  case FileFormat::kAdif:
    ReadAdif(bytes, log, findings);
    break;
  case FileFormat::kUnknown:
    findings.Error(0, Say("Die Datei ist keine EDI-, Cabrillo-, STF- oder ADIF-Datei.",
                          "The file is no EDI, Cabrillo, STF or ADIF file."));
    return findings.Take();
  }
  CheckQsos(log, context, findings);
  std::vector<FileFinding> list = findings.Take();
  std::stable_sort(list.begin(), list.end(),
                   [](const FileFinding& a, const FileFinding& b) { return a.line < b.line; });
  return list;
}

std::string FindingLine(const FileFinding& f) {
  std::string text =
      f.severity == FindingSeverity::kError ? Say("Fehler", "Error") : Say("Warnung", "Warning");
  if (f.line > 0)
    text += Say(", Zeile ", ", line ") + std::to_string(f.line);
  if (f.qso > 0) {
    text += ", QSO " + std::to_string(f.qso);
    if (!f.call.empty())
      text += " (" + f.call + ")";
  }
  return text + ": " + f.text;
}

} // namespace tarvik
