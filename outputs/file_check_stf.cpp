// The check before sending: the STF reader.

#include <map>

#include "base/strings.h"
#include "outputs/file_check_parsed.h"
#include "radio/modes.h"

namespace tarvik {

namespace {

constexpr std::size_t kMinQsoColumns = 7;

char BandOfStfText(const std::string& text) {
  const std::pair<std::string_view, char> bands[] = {
      {"160", 'a'}, {"80", 'b'}, {"40", 'c'}, {"30", 'd'},   {"20", 'e'}, {"17", 'f'}, {"15", 'g'},
      {"12", 'h'},  {"10", 'i'}, {"6", 'j'},  {"2", 'k'},    {"70", 'l'}, {"23", 'm'}, {"13", 'n'},
      {"9", 'o'},   {"5", 'p'},  {"3", 'q'},  {"2189", 'r'}, {"1.2", 's'}};
  for (const auto& [name, band] : bands)
    if (name == text)
      return band;
  return 0;
}

std::string Keyword(const std::string& line) {
  const auto blank = line.find(' ');
  return line.substr(0, blank);
}

} // namespace

void ReadStf(const std::vector<std::string>& lines, const FileCheckContext& context, ParsedLog& log,
             FindingList& findings) {
  enum class Section { kTop, kHeader, kBetween, kQsos, kEnd };
  Section section = Section::kTop;
  std::map<std::string, std::pair<std::string, int>> keys;

  for (std::size_t i = 0; i < lines.size(); ++i) {
    const int n = static_cast<int>(i) + 1;
    const std::string& raw = lines[i];
    const std::string line = TrimBlanks(raw);
    if (section == Section::kTop) {
      if (line == "Header")
        section = Section::kHeader;
      continue;
    }
    if (section == Section::kHeader) {
      if (line == "EndHeader") {
        section = Section::kBetween;
        continue;
      }
      if (line.empty() || line[0] == '#')
        continue;
      const std::string keyword = Keyword(line);
      keys.emplace(keyword, std::make_pair(TrimBlanks(line.substr(keyword.size())), n));
      continue;
    }
    if (section == Section::kBetween) {
      if (line == "QsoList")
        section = Section::kQsos;
      continue;
    }
    if (section == Section::kEnd) {
      if (!line.empty())
        findings.Warning(
            n, Say("Die Zeile steht hinter EndQSOList.", "The line comes after EndQSOList."));
      continue;
    }
    if (line == "EndQSOList") {
      section = Section::kEnd;
      continue;
    }
    if (line.empty())
      continue;
    ParsedQso q;
    q.line = n;
    q.number = static_cast<int>(log.qsos.size()) + 1;
    const std::vector<std::string> t = SplitTokens(raw);
    // Date, time, band, mode, call and the sent report and exchange at least; the columns
    // after them vary (a second exchange column, the name) and may be missing.
    if (t.size() < kMinQsoColumns) {
      q.call = t.size() > 4 ? t[4] : std::string();
      findings.QsoError(q, Say("Die QSO-Zeile hat nur " + std::to_string(t.size()) +
                                   " Spalten (mindestens " + std::to_string(kMinQsoColumns) + ").",
                               "The QSO line has only " + std::to_string(t.size()) +
                                   " columns (at least " + std::to_string(kMinQsoColumns) + ")."));
      if (t.size() < 5) {
        log.qsos.push_back(q);
        continue;
      }
    }
    q.day = ParseDay(t[0]);
    q.time = ParseTime(t[1]);
    q.band = BandOfStfText(t[2]);
    q.mode = t[3];
    q.modeGroup = ModeGroup(t[3]);
    q.call = t[4];
    log.qsos.push_back(q);
  }

  if (section == Section::kTop)
    findings.Error(0, Say("Die Zeile Header fehlt.", "The line Header is missing."));
  else if (section == Section::kHeader)
    findings.Error(0, Say("Die Zeile EndHeader fehlt.", "The line EndHeader is missing."));
  else if (section == Section::kBetween)
    findings.Error(0, Say("Die Zeile QsoList fehlt.", "The line QsoList is missing."));
  else if (section == Section::kQsos)
    findings.Error(static_cast<int>(lines.size()),
                   Say("Die Zeile EndQSOList fehlt.", "The line EndQSOList is missing."));
  for (const std::string_view key : {"Contest", "MyCall", "Category", "ClaimedQSO", "QsoOrder"}) {
    const auto it = keys.find(std::string(key));
    if (it == keys.end() || it->second.first.empty())
      findings.Error(0, Say(std::string(key) + " fehlt oder ist leer.",
                            std::string(key) + " is missing or empty."));
  }
  if (const auto it = keys.find("MyCall");
      it != keys.end() && !it->second.first.empty() && !PlausibleCall(it->second.first))
    findings.Error(it->second.second, Say("MyCall \"" + it->second.first + "\" ist ungültig.",
                                          "MyCall \"" + it->second.first + "\" is not valid."));
  if (const auto it = keys.find("ClaimedQSO"); it != keys.end() && !it->second.first.empty()) {
    const std::string& value = it->second.first;
    if (!AllDigits(value) || std::stoul(value) != log.qsos.size())
      findings.Error(
          it->second.second,
          Say("ClaimedQSO " + value + ", aber " + std::to_string(log.qsos.size()) + " QSO-Zeilen.",
              "ClaimedQSO " + value + ", but " + std::to_string(log.qsos.size()) + " QSO lines."));
  }
  if (const auto it = keys.find("ClaimedScore"); it != keys.end()) {
    const std::string& value = it->second.first;
    if (!AllDigits(value))
      findings.Error(it->second.second,
                     Say("ClaimedScore ist keine Zahl.", "ClaimedScore is no number."));
    else if (context.claimedScore >= 0 && std::stoll(value) != context.claimedScore)
      findings.Error(it->second.second,
                     Say("ClaimedScore " + value + " weicht von der Wertung des Logs (" +
                             std::to_string(context.claimedScore) + ") ab.",
                         "ClaimedScore " + value + " differs from the log's score (" +
                             std::to_string(context.claimedScore) + ")."));
  }
}

} // namespace tarvik
