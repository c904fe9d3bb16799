// The check before sending: the ADIF reader.

#include <cctype>
#include <map>

#include "base/strings.h"
#include "outputs/adif_export.h"
#include "outputs/file_check_parsed.h"
#include "radio/bands.h"
#include "radio/modes.h"

namespace tarvik {

namespace {

std::string Upper(std::string_view text) {
  std::string out(text);
  for (char& c : out)
    c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return out;
}

std::string Lower(std::string_view text) {
  std::string out(text);
  for (char& c : out)
    c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return out;
}

char BandOfAdifName(const std::string& name) {
  for (char band = 'a'; band <= 's'; ++band)
    if (AdifBandName(band) == name)
      return band;
  return 0;
}

struct Record {
  int line = 0;
  std::map<std::string, std::string> fields;
};

/// Turns the collected fields of one record into a QSO and checks what ADIF asks of them.
void TakeRecord(const Record& r, ParsedLog& log, FindingList& findings) {
  ParsedQso q;
  q.line = r.line;
  q.number = static_cast<int>(log.qsos.size()) + 1;
  const auto get = [&](const char* name) {
    const auto it = r.fields.find(name);
    return it != r.fields.end() ? TrimBlanks(it->second) : std::string();
  };
  q.call = Upper(get("CALL"));
  q.day = ParseDay(get("QSO_DATE"));
  q.time = ParseTime(get("TIME_ON"));
  q.locator = get("GRIDSQUARE");
  const std::string mode = Upper(get("MODE"));
  q.mode = mode;
  q.modeGroup = ModeGroup(mode);
  if (mode.empty())
    findings.QsoError(q, Say("MODE fehlt.", "MODE is missing."));
  else if (!IsAdifMode(mode))
    findings.QsoError(q, Say("MODE \"" + mode + "\" ist keine Betriebsart von ADIF 3.1.",
                             "MODE \"" + mode + "\" is no mode of ADIF 3.1."));
  const std::string band = Lower(get("BAND"));
  const std::string freq = get("FREQ");
  char freqBand = 0;
  if (!freq.empty()) {
    char* end = nullptr;
    const double mhz = std::strtod(freq.c_str(), &end);
    if (end == freq.c_str() || *end != '\0' || mhz <= 0)
      findings.QsoError(q, Say("FREQ \"" + freq + "\" ist keine Frequenz.",
                               "FREQ \"" + freq + "\" is no frequency."));
    else if (const char b = BandFromFrequency(mhz); b != ' ')
      freqBand = b;
  }
  if (!band.empty()) {
    if (!IsAdifBand(band))
      findings.QsoError(q, Say("BAND \"" + band + "\" ist kein Band von ADIF 3.1.",
                               "BAND \"" + band + "\" is no band of ADIF 3.1."));
    q.band = BandOfAdifName(band);
    if (q.band != 0 && freqBand != 0 && freqBand != q.band)
      findings.QsoWarning(q, Say("FREQ " + freq + " liegt nicht im Band " + band + ".",
                                 "FREQ " + freq + " does not lie in the band " + band + "."));
  } else {
    q.band = freqBand;
    if (freq.empty())
      findings.QsoError(q, Say("BAND und FREQ fehlen.", "BAND and FREQ are missing."));
  }
  if (!get("DOK").empty() && get("DARC_DOK").empty())
    findings.QsoWarning(q, Say("Der DOK steht nicht in DARC_DOK: das Logbuch übernimmt ihn nicht.",
                               "The DOK is not in DARC_DOK: the logbook does not take it."));
  log.qsos.push_back(q);
}

} // namespace

void ReadAdif(std::string_view bytes, ParsedLog& log, FindingList& findings) {
  std::size_t pos = 0;
  int line = 1;
  const auto advance = [&](std::size_t to) {
    for (; pos < to && pos < bytes.size(); ++pos)
      if (bytes[pos] == '\n')
        ++line;
  };
  // A header is any text before the first tag; it must end with <EOH>.
  const std::string upper = Upper(bytes);
  const std::size_t first = bytes.find_first_not_of(" \t\r\n");
  if (first != std::string_view::npos && bytes[first] != '<') {
    const std::size_t eoh = upper.find("<EOH>");
    if (eoh == std::string::npos) {
      findings.Error(1,
                     Say("Der Kopf endet nicht mit <EOH>.", "The header does not end with <EOH>."));
      return;
    }
    advance(eoh + 5);
  }

  Record record;
  while (pos < bytes.size()) {
    const std::size_t open = bytes.find('<', pos);
    if (open == std::string_view::npos)
      break;
    advance(open);
    const std::size_t close = bytes.find('>', open);
    if (close == std::string_view::npos) {
      findings.Error(line, Say("Ein Tag ist nicht geschlossen.", "A tag is not closed."));
      break;
    }
    const std::string tagText = Upper(bytes.substr(open + 1, close - open - 1));
    if (record.fields.empty())
      record.line = line;
    if (tagText == "EOR") {
      if (!record.fields.empty())
        TakeRecord(record, log, findings);
      record = Record{};
      advance(close + 1);
      continue;
    }
    if (tagText == "EOH") {
      advance(close + 1);
      continue;
    }
    const std::size_t colon = tagText.find(':');
    const std::string name = tagText.substr(0, colon);
    std::string length = colon == std::string::npos ? std::string() : tagText.substr(colon + 1);
    length = length.substr(0, length.find(':')); // a data type may follow
    if (name.empty() || !AllDigits(length) || length.size() > 6) {
      findings.Error(line, Say("Das Tag <" + tagText + "> ist fehlerhaft.",
                               "The tag <" + tagText + "> is malformed."));
      advance(close + 1);
      continue;
    }
    const std::size_t n = std::stoul(length);
    if (close + 1 + n > bytes.size()) {
      findings.Error(line, Say("Das Feld " + name + " reicht über das Dateiende.",
                               "The field " + name + " runs past the end of the file."));
      break;
    }
    record.fields[name] = std::string(bytes.substr(close + 1, n));
    advance(close + 1 + n);
  }
  if (!record.fields.empty())
    findings.Error(record.line, Say("Der letzte Datensatz endet nicht mit <EOR>.",
                                    "The last record does not end with <EOR>."));
}

} // namespace tarvik
