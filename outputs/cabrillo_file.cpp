#include "outputs/cabrillo_file.h"

#include <algorithm>
#include <cmath>

#include "base/dates.h"
#include "base/strings.h"
#include "base/text_helpers.h"
#include "contest/cabrillo_catalog.h"
#include "radio/bands.h"
#include "radio/locator.h"
#include "radio/modes.h"

namespace tarvik {

namespace {

constexpr int kMinCallWidth = 13;
constexpr int kMinExchangeWidth = 6;

/// The lower band edge in kHz of a short-wave band letter; 0 for the others.
int LowerEdgeKhz(char band) {
  switch (band) {
  case 'a':
    return 1810; // the band table's 160 m band starts above 1.809 MHz
  case 'b':
    return 3500;
  case 'c':
    return 7000;
  case 'd':
    return 10100;
  case 'e':
    return 14000;
  case 'f':
    return 18068;
  case 'g':
    return 21000;
  case 'h':
    return 24890;
  case 'i':
    return 28000;
  case 'r':
    return 136;
  default:
    return 0;
  }
}

std::string PadRight(std::string text, std::size_t width) {
  if (text.size() < width)
    text.append(width - text.size(), ' ');
  return text;
}

std::string PadLeft(const std::string& text, std::size_t width) {
  return text.size() < width ? std::string(width - text.size(), ' ') + text : text;
}

std::string OrDash(std::string text) {
  return text.empty() ? std::string("-") : text;
}

int CountColumns(const ContestDefinition& def, bool sent) {
  int n = 0;
  for (int i = 1; i <= 3; ++i)
    if ((sent ? def.SentExchange(i) : def.RcvdExchange(i)) != exchange::kNone)
      ++n;
  return std::max(n, 1);
}

/// Every field of a QSO line, before the columns are aligned.
struct CabrilloQso {
  std::string freq, mode, date, time, sentCall, sentRst;
  std::vector<std::string> sent;
  std::string rcvdCall, rcvdRst;
  std::vector<std::string> rcvd;
};

std::string Report(std::string_view exchange) {
  return OrDash(
      CabrilloAscii(TrimBlanks(exchange.substr(0, std::min<std::size_t>(3, exchange.size())))));
}

CabrilloQso QsoFields(const QsoRecord& qso, const std::string& ownCall, int sentColumns,
                      int rcvdColumns) {
  CabrilloQso q;
  q.freq = CabrilloFrequencyText(qso.Band(), qso.Freq());
  q.mode = CabrilloModeText(qso.Mode());
  q.date = qso.Datum() > 0 ? DayToText("yyyy-mm-dd", qso.Datum()) : std::string("0000-00-00");
  q.time =
      qso.Zeit() >= 0 && qso.Zeit() < 86400 ? TimeToText("hhmm", qso.Zeit()) : std::string("0000");
  q.sentCall = OrDash(ownCall);
  const std::string sent = qso.RSTs();
  const std::string rcvd = qso.RSTr();
  q.sentRst = Report(sent);
  q.sent = CabrilloExchangeColumns(sent, sentColumns);
  q.rcvdCall = OrDash(CabrilloAscii(TrimBlanks(qso.Call())));
  q.rcvdRst = Report(rcvd);
  q.rcvd = CabrilloExchangeColumns(rcvd, rcvdColumns);
  return q;
}

struct Widths {
  std::size_t call = kMinCallWidth;
  std::vector<std::size_t> sent, rcvd;
};

void Widen(Widths& w, const CabrilloQso& q) {
  w.call = std::max({w.call, q.sentCall.size(), q.rcvdCall.size()});
  for (std::size_t i = 0; i < q.sent.size(); ++i)
    w.sent[i] = std::max(w.sent[i], q.sent[i].size());
  for (std::size_t i = 0; i < q.rcvd.size(); ++i)
    w.rcvd[i] = std::max(w.rcvd[i], q.rcvd[i].size());
}

std::string QsoLine(const CabrilloQso& q, const Widths& w) {
  std::string line = "QSO: " + PadLeft(q.freq, 5) + " " + q.mode + " " + q.date + " " + q.time +
                     " " + PadRight(q.sentCall, w.call) + " " + PadRight(q.sentRst, 3);
  for (std::size_t i = 0; i < q.sent.size(); ++i)
    line += " " + PadRight(q.sent[i], w.sent[i]);
  line += " " + PadRight(q.rcvdCall, w.call) + " " + PadRight(q.rcvdRst, 3);
  for (std::size_t i = 0; i < q.rcvd.size(); ++i)
    line += " " + PadRight(q.rcvd[i], w.rcvd[i]);
  while (!line.empty() && line.back() == ' ')
    line.pop_back();
  return line;
}

bool SendsDok(const ContestDefinition& def) {
  for (int i = 1; i <= 3; ++i)
    if (def.SentExchange(i) == exchange::kDok)
      return true;
  return false;
}

void Tag(std::vector<std::string>& lines, std::string_view tag, std::string_view value) {
  lines.push_back(std::string(tag) + ": " + CabrilloAscii(value));
}

void TagIfAny(std::vector<std::string>& lines, std::string_view tag, const std::string& value) {
  if (!value.empty())
    Tag(lines, tag, value);
}

} // namespace

std::string CabrilloModeText(std::string_view mode) {
  const std::string trimmed = TrimBlanks(mode);
  if (trimmed == "RTTY" || trimmed == "RY" || trimmed == "FSK")
    return "RY";
  switch (ModeGroup(trimmed)) {
  case 'a':
    return "CW";
  case 'b':
  case 'c':
    return "PH";
  case 'd':
    return "FM";
  default:
    return "DG";
  }
}

std::string CabrilloFrequencyText(char band, float freqMhz) {
  if (const std::string designator = CabrilloBandDesignator(band); !designator.empty())
    return designator;
  const int edge = LowerEdgeKhz(band);
  if (edge == 0)
    return "0";
  if (freqMhz > 0 && BandFromFrequency(freqMhz) == band)
    return std::to_string(static_cast<long>(std::lround(static_cast<double>(freqMhz) * 1000.0)));
  return std::to_string(edge);
}

std::string CabrilloAscii(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (const char ch : text) {
    const auto c = static_cast<unsigned char>(ch);
    if (c >= 0x20 && c < 0x7F) {
      out += ch;
      continue;
    }
    switch (c) {
    case 0xE4:
      out += "ae";
      break; // ä
    case 0xF6:
      out += "oe";
      break; // ö
    case 0xFC:
      out += "ue";
      break; // ü
    case 0xC4:
      out += "Ae";
      break; // Ä
    case 0xD6:
      out += "Oe";
      break; // Ö
    case 0xDC:
      out += "Ue";
      break; // Ü
    case 0xDF:
      out += "ss";
      break; // ß
    case '\t':
      out += ' ';
      break;
    default:
      out += '?';
      break;
    }
  }
  return out;
}

std::vector<std::string> CabrilloExchangeColumns(std::string_view exchange, int columns) {
  std::vector<std::string> values;
  const std::string rest = exchange.size() > 3 ? TrimBlanks(exchange.substr(3)) : std::string();
  std::size_t from = 0;
  while (!rest.empty() && from <= rest.size()) {
    const std::size_t slash = rest.find('/', from);
    if (slash == std::string::npos || static_cast<int>(values.size()) + 1 == columns) {
      values.push_back(rest.substr(from));
      break;
    }
    values.push_back(rest.substr(from, slash - from));
    from = slash + 1;
  }
  values.resize(static_cast<std::size_t>(std::max(columns, 1)));
  for (std::string& v : values) {
    // A blank inside a value would split the column for a robot.
    v = CabrilloAscii(TrimBlanks(v));
    std::replace(v.begin(), v.end(), ' ', '-');
    v = OrDash(v);
  }
  return values;
}

int CabrilloSentColumns(const ContestDefinition& definition) {
  return CountColumns(definition, true);
}

int CabrilloRcvdColumns(const ContestDefinition& definition) {
  return CountColumns(definition, false);
}

std::vector<std::string> CabrilloHeaderLines(const OutputSource& source,
                                             std::string_view contestName) {
  const ContestDefinition& def = source.definition;
  const StationData& station = source.station;
  std::vector<std::string> lines;
  lines.emplace_back("START-OF-LOG: 3.0");
  Tag(lines, "CREATED-BY", def.ProgramTitle);
  const std::string name = TrimBlanks(contestName);
  Tag(lines, "CONTEST", name.empty() ? std::string(CabrilloContestName(source.contestCode)) : name);
  const std::string call = TrimBlanks(source.header.ownCall());
  Tag(lines, "CALLSIGN", call);
  const std::string dok = TrimBlanks(source.header.dok());
  if (SendsDok(def))
    TagIfAny(lines, "LOCATION", dok);
  const std::string locator = TrimBlanks(station.locator);
  if ((locator.size() == 4 || locator.size() == 6) && LocatorValid(locator))
    Tag(lines, "GRID-LOCATOR", locator);
  const CabrilloCategory category = CabrilloCategoryOf(def, source.header.category());
  TagIfAny(lines, "CATEGORY-OPERATOR", category.operatorKind);
  TagIfAny(lines, "CATEGORY-BAND", category.band);
  TagIfAny(lines, "CATEGORY-MODE", category.mode);
  TagIfAny(lines, "CATEGORY-POWER", category.power);
  TagIfAny(lines, "CATEGORY-STATION", category.station);
  TagIfAny(lines, "CATEGORY-TRANSMITTER", category.transmitter);
  Tag(lines, "CLAIMED-SCORE", std::to_string(source.totals.score));
  const std::string club = TrimBlanks(station.dok);
  if (!club.empty())
    Tag(lines, "CLUB", "DARC " + club);
  TagIfAny(lines, "NAME", TrimBlanks(station.operatorName));
  TagIfAny(lines, "ADDRESS", TrimBlanks(station.street));
  const std::string& postcodePlace = station.postcodePlace;
  const auto blank = postcodePlace.find(' ');
  TagIfAny(
      lines, "ADDRESS-CITY",
      TrimBlanks(blank == std::string::npos ? postcodePlace : postcodePlace.substr(blank + 1)));
  if (blank != std::string::npos)
    TagIfAny(lines, "ADDRESS-POSTALCODE", TrimBlanks(postcodePlace.substr(0, blank)));
  const std::string country = TrimBlanks(station.country);
  Tag(lines, "ADDRESS-COUNTRY", country.empty() ? std::string("Germany") : country);
  Tag(lines, "OPERATORS", call);
  for (const std::string& line : TextLines(station.stationDescription))
    if (!TrimBlanks(line).empty())
      Tag(lines, "SOAPBOX", TrimBlanks(line));
  return lines;
}

bool WriteCabrilloFile(TextFileWriter& out, const OutputSource& source,
                       std::string_view contestName) {
  const int sentColumns = CabrilloSentColumns(source.definition);
  const int rcvdColumns = CabrilloRcvdColumns(source.definition);
  const std::string ownCall = CabrilloAscii(TrimBlanks(source.header.ownCall()));
  Widths widths;
  widths.sent.assign(static_cast<std::size_t>(sentColumns), kMinExchangeWidth);
  widths.rcvd.assign(static_cast<std::size_t>(rcvdColumns), kMinExchangeWidth);
  bool complete = ForEachLogRecord(source.log, [&](int, const QsoRecord& qso) {
    if (!qso.IsBandChangeMarker())
      Widen(widths, QsoFields(qso, ownCall, sentColumns, rcvdColumns));
    return true;
  });
  for (const std::string& line : CabrilloHeaderLines(source, contestName))
    out.Line(line);
  complete = ForEachLogRecord(
                 source.log,
                 [&](int, const QsoRecord& qso) {
                   if (!qso.IsBandChangeMarker())
                     out.Line(QsoLine(QsoFields(qso, ownCall, sentColumns, rcvdColumns), widths));
                   return true;
                 }) &&
             complete;
  out.Line("END-OF-LOG:");
  return complete;
}

} // namespace tarvik
