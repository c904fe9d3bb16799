// The check before sending: the EDI (REG1TEST) reader.

#include <algorithm>
#include <map>
#include <set>

#include "base/strings.h"
#include "outputs/file_check_parsed.h"
#include "radio/locator.h"

namespace tarvik {

namespace {

/// The PBand values of the REG1TEST description (the older and the newer names of the
/// millimetre bands), with their band letters (0: a band the program does not log).
constexpr std::pair<std::string_view, char> kPBands[] = {
    {"50 MHz", 'j'},  {"70 MHz", 0},    {"144 MHz", 'k'}, {"145 MHz", 'k'}, {"432 MHz", 'l'},
    {"435 MHz", 'l'}, {"1,3 GHz", 'm'}, {"2,3 GHz", 'n'}, {"3,4 GHz", 'o'}, {"5,7 GHz", 'p'},
    {"10 GHz", 'q'},  {"24 GHz", 's'},  {"47 GHz", 0},    {"76 GHz", 0},    {"120 GHz", 0},
    {"144 GHz", 0},   {"248 GHz", 0},   {"122 GHz", 0},   {"134 GHz", 0},   {"241 GHz", 0},
};

constexpr std::string_view kRequiredKeys[] = {"TName", "TDate", "PCall", "PWWLo", "PBand"};
constexpr std::string_view kExpectedKeys[] = {"PSect", "RName", "CQSOs", "CQSOP", "CToSc"};

char ModeGroupOfCode(const std::string& code) {
  if (code == "1")
    return 'b';
  if (code == "2")
    return 'a';
  if (code == "5")
    return 'c';
  if (code == "6")
    return 'd';
  if (code == "7")
    return 'e';
  return ' ';
}

std::vector<std::string> SplitFields(const std::string& line) {
  std::vector<std::string> fields;
  std::size_t from = 0;
  while (true) {
    const std::size_t semicolon = line.find(';', from);
    fields.push_back(
        line.substr(from, semicolon == std::string::npos ? std::string::npos : semicolon - from));
    if (semicolon == std::string::npos)
      break;
    from = semicolon + 1;
  }
  return fields;
}

long Number(const std::string& text) {
  return AllDigits(text) && text.size() < 10 ? std::stol(text) : -1;
}

std::string Upper(std::string text) {
  for (char& c : text)
    if (c >= 'a' && c <= 'z')
      c = static_cast<char>(c - 'a' + 'A');
  return text;
}

} // namespace

void ReadEdi(const std::vector<std::string>& lines, ParsedLog& log, FindingList& findings) {
  enum class Section { kBefore, kHeader, kRemarks, kQsos, kOther };
  Section section = Section::kBefore;
  std::map<std::string, std::pair<std::string, int>> keys; // key -> value, line
  int recordsLine = 0;
  long recordsCount = -1;
  char band = 0;
  DayNumber from = BadDate;
  DayNumber to = BadDate;

  for (std::size_t i = 0; i < lines.size(); ++i) {
    const int n = static_cast<int>(i) + 1;
    const std::string line = TrimBlanks(lines[i]);
    if (!line.empty() && line.front() == '[') {
      const std::string upper = Upper(line);
      if (upper.rfind("[REG1TEST;", 0) == 0) {
        section = Section::kHeader;
      } else if (upper == "[REMARKS]") {
        section = Section::kRemarks;
      } else if (upper.rfind("[QSORECORDS;", 0) == 0) {
        section = Section::kQsos;
        recordsLine = n;
        const std::string count = line.substr(12, line.size() > 13 ? line.size() - 13 : 0);
        recordsCount = line.back() == ']' ? Number(count) : -1;
        if (recordsCount < 0)
          findings.Error(n, Say("Die Zeile [QSORecords;N] ist fehlerhaft.",
                                "The line [QSORecords;N] is malformed."));
      } else if (section != Section::kBefore) {
        section = Section::kOther;
      }
      continue;
    }
    if (section == Section::kHeader) {
      if (line.empty())
        continue;
      const auto equals = line.find('=');
      if (equals == std::string::npos) {
        findings.Error(n, Say("Die Kopfzeile hat kein \"=\".", "The header line has no \"=\"."));
        continue;
      }
      keys.emplace(line.substr(0, equals), std::make_pair(line.substr(equals + 1), n));
      continue;
    }
    if (section != Section::kQsos || line.empty())
      continue;

    ParsedQso q;
    q.line = n;
    q.number = static_cast<int>(log.qsos.size()) + 1;
    const std::vector<std::string> f = SplitFields(line);
    if (f.size() != 15) {
      q.call = f.size() > 2 ? f[2] : std::string();
      findings.QsoError(
          q, Say("Der QSO-Datensatz hat " + std::to_string(f.size()) + " Felder statt 15.",
                 "The QSO record has " + std::to_string(f.size()) + " fields instead of 15."));
      if (f.size() < 11) {
        log.qsos.push_back(q);
        continue;
      }
    }
    q.day = f[0].size() == 6 && AllDigits(f[0]) ? ParseDay("20" + f[0]) : BadDate;
    q.time = f[1].size() == 4 ? ParseTime(f[1]) : BadTime;
    q.call = f[2];
    q.mode = Say("Betriebsartcode ", "mode code ") + f[3];
    q.modeGroup = ModeGroupOfCode(f[3]);
    if (f[3].size() != 1 || !AllDigits(f[3]))
      findings.QsoError(q, Say("Der Betriebsartcode \"" + f[3] + "\" ist keine Ziffer.",
                               "The mode code \"" + f[3] + "\" is no digit."));
    q.locator = TrimBlanks(f[9]);
    if (q.locator.empty())
      findings.QsoError(q, Say("Der Locator fehlt.", "The locator is missing."));
    else if (q.locator.size() != 6)
      findings.QsoError(q, Say("Der Locator \"" + q.locator + "\" hat nicht 6 Zeichen.",
                               "The locator \"" + q.locator + "\" does not have 6 characters."));
    const long km = Number(TrimBlanks(f[10]));
    if (km < 0) {
      findings.QsoError(q, Say("Die Entfernung \"" + f[10] + "\" ist keine Zahl.",
                               "The distance \"" + f[10] + "\" is no number."));
    } else {
      q.hasDistance = true;
      q.distance = km;
    }
    log.qsos.push_back(q);
  }

  if (section == Section::kBefore) {
    findings.Error(0, Say("Die Zeile [REG1TEST;1] fehlt.", "The line [REG1TEST;1] is missing."));
    return;
  }
  for (const std::string_view key : kRequiredKeys) {
    const auto it = keys.find(std::string(key));
    if (it == keys.end() || TrimBlanks(it->second.first).empty())
      findings.Error(0, Say(std::string(key) + "= fehlt oder ist leer.",
                            std::string(key) + "= is missing or empty."));
  }
  for (const std::string_view key : kExpectedKeys)
    if (keys.find(std::string(key)) == keys.end())
      findings.Warning(0, Say(std::string(key) + "= fehlt.", std::string(key) + "= is missing."));

  if (const auto it = keys.find("TDate"); it != keys.end()) {
    const std::string& value = it->second.first;
    const auto semicolon = value.find(';');
    from = ParseDay(value.substr(0, semicolon));
    to = semicolon == std::string::npos ? BadDate : ParseDay(value.substr(semicolon + 1));
    if (from == BadDate || to == BadDate || to < from)
      findings.Error(it->second.second,
                     Say("TDate \"" + value + "\" ist nicht \"jjjjmmtt;jjjjmmtt\".",
                         "TDate \"" + value + "\" is not \"yyyymmdd;yyyymmdd\"."));
  }
  if (const auto it = keys.find("PWWLo"); it != keys.end()) {
    log.ownLocator = Upper(TrimBlanks(it->second.first));
    if (!log.ownLocator.empty() && (log.ownLocator.size() != 6 || !LocatorValid(log.ownLocator)))
      findings.Error(it->second.second, Say("PWWLo \"" + it->second.first + "\" ist ungültig.",
                                            "PWWLo \"" + it->second.first + "\" is not valid."));
  }
  if (const auto it = keys.find("PCall"); it != keys.end() &&
                                          !TrimBlanks(it->second.first).empty() &&
                                          !PlausibleCall(TrimBlanks(it->second.first)))
    findings.Error(it->second.second, Say("PCall \"" + it->second.first + "\" ist ungültig.",
                                          "PCall \"" + it->second.first + "\" is not valid."));
  if (const auto it = keys.find("PBand"); it != keys.end() && !it->second.first.empty()) {
    bool known = false;
    for (const auto& [name, letter] : kPBands)
      if (name == it->second.first) {
        known = true;
        band = letter;
      }
    if (!known)
      findings.Error(it->second.second,
                     Say("PBand \"" + it->second.first + "\" ist kein Band der REG1TEST-Liste.",
                         "PBand \"" + it->second.first + "\" is no band of the REG1TEST list."));
  }

  // The counts and sums of the header against the QSO records.
  const long qsos = static_cast<long>(log.qsos.size());
  if (recordsCount >= 0 && recordsCount != qsos)
    findings.Error(recordsLine, Say("[QSORecords;" + std::to_string(recordsCount) + "], aber " +
                                        std::to_string(qsos) + " QSO-Datensätze.",
                                    "[QSORecords;" + std::to_string(recordsCount) + "], but " +
                                        std::to_string(qsos) + " QSO records."));
  if (recordsLine == 0)
    findings.Error(0,
                   Say("Die Zeile [QSORecords;N] fehlt.", "The line [QSORecords;N] is missing."));
  if (const auto it = keys.find("CQSOs"); it != keys.end()) {
    const long claimed = Number(it->second.first.substr(0, it->second.first.find(';')));
    if (claimed != qsos)
      findings.Error(it->second.second, Say("CQSOs nennt " + it->second.first + ", die Datei hat " +
                                                std::to_string(qsos) + " QSOs.",
                                            "CQSOs says " + it->second.first + ", the file has " +
                                                std::to_string(qsos) + " QSOs."));
  }
  long sum = 0;
  long odx = -1;
  std::set<std::string> squares;
  for (const ParsedQso& q : log.qsos) {
    sum += q.distance;
    odx = std::max(odx, q.hasDistance ? q.distance : -1);
    squares.insert(Upper(q.locator.substr(0, 4)));
  }
  if (const auto it = keys.find("CQSOP"); it != keys.end() && Number(it->second.first) != sum)
    findings.Warning(it->second.second,
                     Say("CQSOP " + it->second.first + " ist nicht die Summe der QSO-Punkte (" +
                             std::to_string(sum) + ").",
                         "CQSOP " + it->second.first + " is not the sum of the QSO points (" +
                             std::to_string(sum) + ")."));
  if (const auto it = keys.find("CWWLs"); it != keys.end()) {
    const long claimed = Number(it->second.first.substr(0, it->second.first.find(';')));
    if (claimed != static_cast<long>(squares.size()))
      findings.Warning(it->second.second,
                       Say("CWWLs nennt " + std::to_string(claimed) + " Großfelder, die QSOs " +
                               std::to_string(squares.size()) + ".",
                           "CWWLs says " + std::to_string(claimed) + " squares, the QSOs " +
                               std::to_string(squares.size()) + "."));
  }
  if (const auto it = keys.find("CODXC"); it != keys.end() && odx > 0) {
    const std::vector<std::string> f = SplitFields(it->second.first);
    if (f.size() < 3 || Number(f[2]) != odx)
      findings.Warning(
          it->second.second,
          Say("CODXC nennt nicht das weiteste QSO (" + std::to_string(odx) + " km).",
              "CODXC does not name the longest QSO (" + std::to_string(odx) + " km)."));
  }
  log.bandFromHeader = true;
  for (ParsedQso& q : log.qsos) {
    q.band = band;
    if (q.day != BadDate && from != BadDate && to != BadDate && (q.day < from || q.day > to))
      findings.QsoError(q, Say("Das Datum liegt nicht in TDate.", "The date lies outside TDate."));
  }
}

} // namespace tarvik
