// The check before sending: the Cabrillo 3.0 reader.

#include <algorithm>
#include <array>
#include <cctype>
#include <map>

#include "base/strings.h"
#include "outputs/file_check_parsed.h"
#include "radio/bands.h"
#include "radio/locator.h"

namespace tarvik {

namespace {

constexpr std::string_view kKnownTags[] = {"START-OF-LOG",
                                           "END-OF-LOG",
                                           "CALLSIGN",
                                           "CONTEST",
                                           "CATEGORY-ASSISTED",
                                           "CATEGORY-BAND",
                                           "CATEGORY-MODE",
                                           "CATEGORY-OPERATOR",
                                           "CATEGORY-POWER",
                                           "CATEGORY-STATION",
                                           "CATEGORY-TIME",
                                           "CATEGORY-TRANSMITTER",
                                           "CATEGORY-OVERLAY",
                                           "CERTIFICATE",
                                           "CLAIMED-SCORE",
                                           "CLUB",
                                           "CREATED-BY",
                                           "EMAIL",
                                           "GRID-LOCATOR",
                                           "LOCATION",
                                           "NAME",
                                           "ADDRESS",
                                           "ADDRESS-CITY",
                                           "ADDRESS-STATE-PROVINCE",
                                           "ADDRESS-POSTALCODE",
                                           "ADDRESS-COUNTRY",
                                           "OPERATORS",
                                           "OFFTIME",
                                           "SOAPBOX",
                                           "QSO",
                                           "X-QSO",
                                           "DEBUG"};

struct Enumeration {
  std::string_view tag;
  std::vector<std::string_view> values;
};

const std::vector<Enumeration>& Enumerations() {
  static const std::vector<Enumeration> kEnumerations = {
      {"CATEGORY-OPERATOR", {"SINGLE-OP", "MULTI-OP", "CHECKLOG"}},
      {"CATEGORY-ASSISTED", {"ASSISTED", "NON-ASSISTED"}},
      {"CATEGORY-BAND",
       {"ALL", "160M", "80M", "40M",  "20M",  "15M",  "10M",   "6M",         "4M",
        "2M",  "222",  "432", "902",  "1.2G", "2.3G", "3.4G",  "5.7G",       "10G",
        "24G", "47G",  "75G", "122G", "134G", "241G", "LIGHT", "VHF-3-BAND", "VHF-FM-ONLY"}},
      {"CATEGORY-MODE", {"CW", "DIGI", "FM", "RTTY", "SSB", "MIXED"}},
      {"CATEGORY-POWER", {"HIGH", "LOW", "QRP"}},
      {"CATEGORY-STATION",
       {"DISTRIBUTED", "FIXED", "MOBILE", "PORTABLE", "ROVER", "ROVER-LIMITED", "ROVER-UNLIMITED",
        "EXPEDITION", "HQ", "SCHOOL", "EXPLORER"}},
      {"CATEGORY-TRANSMITTER", {"ONE", "TWO", "LIMITED", "UNLIMITED", "SWL"}},
  };
  return kEnumerations;
}

constexpr std::string_view kRequiredTags[] = {"CALLSIGN", "CONTEST"};
constexpr std::string_view kExpectedTags[] = {"CATEGORY-OPERATOR", "CATEGORY-BAND", "CATEGORY-MODE",
                                              "CLAIMED-SCORE"};
constexpr std::size_t kMaxHeaderLine = 75;

/// The band letter of a Cabrillo frequency column; 0 when it names no band.
char BandOfFrequency(const std::string& text) {
  if (AllDigits(text)) {
    const double mhz = std::stod(text) / 1000.0;
    if (text == "50")
      return 'j';
    if (text == "144")
      return 'k';
    if (text == "432")
      return 'l';
    const char band = BandFromFrequency(mhz);
    return band == ' ' ? 0 : band;
  }
  const std::pair<std::string_view, char> designators[] = {
      {"1.2G", 'm'}, {"2.3G", 'n'}, {"3.4G", 'o'}, {"5.7G", 'p'}, {"10G", 'q'}, {"24G", 's'}};
  for (const auto& [designator, band] : designators)
    if (designator == text)
      return band;
  return 0;
}

char ModeGroupOf(const std::string& mo) {
  if (mo == "CW")
    return 'a';
  if (mo == "PH")
    return 'b';
  if (mo == "FM")
    return 'd';
  if (mo == "RY")
    return 'e';
  return ' ';
}

bool LocatorShaped(const std::string& text) {
  if (text.size() != 4 && text.size() != 6)
    return false;
  const auto upper = [](char c) { return c >= 'A' && c <= 'Z'; };
  const auto digit = [](char c) { return c >= '0' && c <= '9'; };
  return upper(text[0]) && upper(text[1]) && digit(text[2]) && digit(text[3]) &&
         (text.size() == 4 || (upper(text[4]) && upper(text[5])));
}

} // namespace

void ReadCabrillo(const std::vector<std::string>& lines, const FileCheckContext& context,
                  ParsedLog& log, FindingList& findings) {
  std::map<std::string, std::string> values;
  std::map<std::string, int> counts;
  bool started = false;
  int endLine = 0;
  int lastLine = 0;
  std::size_t qsoColumns = 0;
  std::vector<std::pair<ParsedQso, std::string>> qsos; // with the sent call

  for (std::size_t i = 0; i < lines.size(); ++i) {
    const int n = static_cast<int>(i) + 1;
    const std::string& line = lines[i];
    if (TrimBlanks(line).empty())
      continue;
    lastLine = n;
    const auto colon = line.find(':');
    if (colon == std::string::npos) {
      findings.Error(n, Say("Die Zeile hat kein Tag (\"TAG: Wert\").",
                            "The line has no tag (\"TAG: value\")."));
      continue;
    }
    std::string tag = TrimBlanks(line.substr(0, colon));
    for (char& c : tag)
      c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    const std::string value = TrimBlanks(line.substr(colon + 1));
    if (std::any_of(line.begin(), line.end(),
                    [](char c) { return static_cast<unsigned char>(c) >= 0x80; }))
      findings.Warning(n, Say("Die Zeile enthält Zeichen außerhalb von ASCII.",
                              "The line holds characters outside ASCII."));
    if (!started) {
      started = true;
      if (tag != "START-OF-LOG")
        findings.Error(n, Say("Die Datei beginnt nicht mit START-OF-LOG.",
                              "The file does not begin with START-OF-LOG."));
    }
    if (endLine > 0)
      findings.Error(n,
                     Say("Die Zeile steht hinter END-OF-LOG.", "The line comes after END-OF-LOG."));
    ++counts[tag];
    if (tag == "START-OF-LOG") {
      if (value != "3.0")
        findings.Error(n, Say("Die Cabrillo-Version ist \"" + value + "\", nicht 3.0.",
                              "The Cabrillo version is \"" + value + "\", not 3.0."));
      continue;
    }
    if (tag == "END-OF-LOG") {
      endLine = n;
      continue;
    }
    if (tag != "QSO" && tag != "X-QSO") {
      if (std::find(std::begin(kKnownTags), std::end(kKnownTags), tag) == std::end(kKnownTags) &&
          tag.rfind("X-", 0) != 0)
        findings.Warning(n, Say("Das Tag " + tag + " ist in Cabrillo 3.0 unbekannt.",
                                "The tag " + tag + " is unknown to Cabrillo 3.0."));
      if (line.size() > kMaxHeaderLine)
        findings.Warning(n, Say("Die Zeile ist länger als 75 Zeichen.",
                                "The line is longer than 75 characters."));
      if (!values.count(tag))
        values[tag] = value;
      for (const Enumeration& e : Enumerations())
        if (e.tag == tag && std::find(e.values.begin(), e.values.end(), value) == e.values.end())
          findings.Error(n, Say(tag + ": \"" + value + "\" ist kein Wert von Cabrillo 3.0.",
                                tag + ": \"" + value + "\" is no value of Cabrillo 3.0."));
      if (tag == "CLAIMED-SCORE") {
        if (!AllDigits(value))
          findings.Error(n, Say("CLAIMED-SCORE ist keine Zahl.", "CLAIMED-SCORE is no number."));
        else if (context.claimedScore >= 0 && std::stoll(value) != context.claimedScore)
          findings.Error(n, Say("CLAIMED-SCORE " + value + " weicht von der Wertung des Logs (" +
                                    std::to_string(context.claimedScore) + ") ab.",
                                "CLAIMED-SCORE " + value + " differs from the log's score (" +
                                    std::to_string(context.claimedScore) + ")."));
      }
      continue;
    }
    if (tag == "X-QSO")
      continue;

    // QSO: freq mo date time call-sent rst exch... call-rcvd rst exch...
    ParsedQso q;
    q.line = n;
    q.number = static_cast<int>(qsos.size()) + 1;
    const std::vector<std::string> t = SplitTokens(value);
    if (qsoColumns == 0)
      qsoColumns = t.size();
    if (t.size() < 7) {
      findings.QsoError(
          q, Say("Die QSO-Zeile hat zu wenige Spalten.", "The QSO line has too few columns."));
      qsos.emplace_back(q, "");
      continue;
    }
    if (t.size() != qsoColumns)
      findings.QsoError(q, Say("Die QSO-Zeile hat " + std::to_string(t.size()) +
                                   " Spalten, die erste " + std::to_string(qsoColumns) + ".",
                               "The QSO line has " + std::to_string(t.size()) +
                                   " columns, the first one " + std::to_string(qsoColumns) + "."));
    std::size_t sentColumns = context.cabrilloSentColumns >= 0
                                  ? static_cast<std::size_t>(context.cabrilloSentColumns)
                                  : (t.size() - 6) / 2;
    sentColumns = std::min(sentColumns, t.size() - 6);
    const std::size_t callAt = 5 + sentColumns;
    q.call = t[callAt];
    q.mode = t[1];
    q.modeGroup = ModeGroupOf(t[1]);
    q.band = BandOfFrequency(t[0]);
    q.day = ParseDay(t[2], true);
    q.time = t[3].size() == 4 ? ParseTime(t[3]) : BadTime;
    for (std::size_t k = callAt + 1; k < t.size(); ++k)
      if (LocatorShaped(t[k]))
        q.locator = t[k];
    if (q.band == 0 && !t[0].empty())
      findings.QsoError(q, Say("Die Frequenz \"" + t[0] + "\" liegt in keinem Band.",
                               "The frequency \"" + t[0] + "\" lies in no band."));
    if (q.modeGroup == ' ' && t[1] != "DG")
      findings.QsoError(q, Say("Die Betriebsart \"" + t[1] + "\" ist nicht CW, PH, FM, RY oder DG.",
                               "The mode \"" + t[1] + "\" is not CW, PH, FM, RY or DG."));
    qsos.emplace_back(q, t[4]);
  }
  if (!started)
    findings.Error(0, Say("Die Datei ist leer.", "The file is empty."));
  if (endLine == 0)
    findings.Error(lastLine, Say("END-OF-LOG fehlt am Ende der Datei.",
                                 "END-OF-LOG is missing at the end of the file."));
  for (const std::string_view tag : kRequiredTags)
    if (values[std::string(tag)].empty())
      findings.Error(0, Say("Das Tag " + std::string(tag) + " fehlt oder ist leer.",
                            "The tag " + std::string(tag) + " is missing or empty."));
  for (const std::string_view tag : kExpectedTags)
    if (!values.count(std::string(tag)))
      findings.Warning(0, Say("Das Tag " + std::string(tag) + " fehlt.",
                              "The tag " + std::string(tag) + " is missing."));
  for (const auto& [tag, count] : counts)
    if (count > 1 && tag != "QSO" && tag != "X-QSO" && tag != "SOAPBOX" && tag != "ADDRESS" &&
        tag != "OPERATORS" && tag != "OFFTIME")
      findings.Warning(0, Say("Das Tag " + tag + " steht mehrfach in der Datei.",
                              "The tag " + tag + " appears more than once."));
  const std::string callsign = values["CALLSIGN"];
  for (auto& [q, sentCall] : qsos) {
    if (!sentCall.empty() && !callsign.empty() && sentCall != callsign)
      findings.QsoWarning(
          q, Say("Das gesendete Rufzeichen " + sentCall + " ist nicht CALLSIGN " + callsign + ".",
                 "The sent call " + sentCall + " is not CALLSIGN " + callsign + "."));
    log.qsos.push_back(std::move(q));
  }
}

} // namespace tarvik
