#include "outputs/stf_file.h"

#include "base/dates.h"
#include "base/strings.h"
#include "base/text_helpers.h"
#include "radio/bands.h"

namespace tarvik {

namespace {

std::string_view Piece(std::string_view text, std::size_t from, std::size_t n) {
  return from < text.size() ? text.substr(from, n) : std::string_view();
}

/// The equipment line of codes b and j; "" when the station description is empty.
std::string EquipmentLine(const OutputSource& source) {
  const std::vector<std::string> lines = TextLines(source.station.stationDescription);
  if (lines.empty())
    return {};
  std::string line = "Equipment    ";
  if (source.contestCode == 'b') {
    switch (source.header.extraNumber()) {
    case 3:
      line += "Im OQRPC habe ich auf dem 80/40/20m-Band mit einem individuellen Unikat "
              "teilgenommen.";
      break;
    case 2:
      line += "Im OQRPC habe ich auf dem 80/40/20m-Band mit einem von mir selbstgebauten "
              "Bausatz teilgenommen.";
      break;
    default:
      break;
    }
    line += ' ';
  }
  for (const std::string& l : lines)
    line += " " + l;
  return line;
}

std::string QsoOrderLine(char code) {
  const std::string base = "QsoOrder     Date Time Band Mode Call SRst Sent ";
  switch (code) {
  case 'O':
    return base + "RRst Rcvd Name";
  case '1':
    return base + "Sent1 RRst Rcvd Rcvd1";
  case 'J':
  case 'G':
    return base + "Sent2 RRst Rcvd Rcvd2";
  default:
    return base + "RRst Rcvd";
  }
}

} // namespace

std::vector<std::string> StfHeaderLines(const OutputSource& source, std::int32_t claimedQsos) {
  const ContestDefinition& def = source.definition;
  const ContestHeaderRecord& header = source.header;
  const StationData& station = source.station;
  const OutputTotals& totals = source.totals;
  const char code = source.contestCode;

  std::vector<std::string> lines;
  lines.emplace_back("STF1");
  lines.push_back("#Data written \"" + DayToText("dd.mm.yyyy", TodayDay(source.clock)) + "  " +
                  TimeToText("hh:mm", NowTime(source.clock)) + "\"");
  lines.push_back("#STF-Export generated with Bridlow " + ExportIdentification(def));
  lines.emplace_back("Header");
  lines.push_back("Contest      " + TrimBlanks(header.contestName()));
  lines.push_back("MyCall       " + TrimBlanks(header.ownCall()));
  lines.push_back("Operator     " + TrimBlanks(header.ownCall()));
  const ContestCategory* category = def.Category(header.category());
  lines.push_back("Category     " + (category != nullptr ? category->description : std::string()));

  const std::string& postcodePlace = station.postcodePlace;
  const auto blank = postcodePlace.find(' ');
  const std::string place =
      blank == std::string::npos ? postcodePlace : postcodePlace.substr(blank + 1);
  const std::string postcode =
      blank == std::string::npos ? std::string() : postcodePlace.substr(0, blank);
  const std::string country = TrimBlanks(station.country);
  lines.push_back("MailAddress  " + TrimBlanks(station.operatorName));
  lines.push_back("MailAddress  " + TrimBlanks(station.street));
  lines.push_back("MailAddress  " + TrimBlanks(place));
  lines.push_back("MailAddress  " + TrimBlanks(postcode));
  lines.push_back("MailAddress  " + (country.empty() ? std::string("Germany") : country));
  lines.emplace_back("EMail");

  lines.push_back("ClaimedQSO   " + std::to_string(claimedQsos));
  lines.push_back("ClaimedPts   " + std::to_string(totals.points));
  if (def.HasMultipliers()) {
    lines.push_back("ClaimedMult  " + std::to_string(totals.columnMultis[0]));
    if (totals.columnMultis[1] > 0)
      lines.push_back("ClaimedMult2 " + std::to_string(totals.columnMultis[1]));
    if (totals.columnMultis[2] > 0)
      lines.push_back("ClaimedMult3 " + std::to_string(totals.columnMultis[2]));
  }
  if (code != '5' && code != 'P')
    lines.push_back("ClaimedScore " + std::to_string(totals.score));
  lines.emplace_back("Club");
  lines.push_back("Specific     " + std::string(Piece(header.dok(), 0, 6)));
  if (code == 'b' || code == 'j')
    lines.push_back(EquipmentLine(source));
  lines.emplace_back("Power");
  lines.emplace_back("Soapbox");
  lines.emplace_back("Soapbox");
  lines.push_back(QsoOrderLine(code));
  lines.emplace_back("EndHeader");
  lines.emplace_back("");
  lines.emplace_back("QsoList");
  return lines;
}

std::string StfBandText(char band) {
  std::string name = BandName(band);
  if (!name.empty())
    name.pop_back();
  std::string text = FixWidth(name, 4);
  if (text == "6 c ")
    text = "5   "; // the 6 cm band is listed by its 5.7 GHz name
  if (const auto c = text.find('c'); c != std::string::npos) {
    text.erase(c, 1);
    text += ' ';
  }
  return text;
}

std::string StfExchange(std::string_view exchange, char contestCode) {
  std::string report(Piece(exchange, 0, 3));
  if (TrimBlanks(report).empty())
    report = " - ";
  std::string rest(Piece(exchange, 3, 17));
  if (TrimBlanks(rest).empty())
    rest = " -               ";
  const auto slash = rest.find('/');
  if (contestCode == '1') {
    if (slash != std::string::npos)
      rest[slash] = ' ';
  } else if (contestCode == 'J' || contestCode == 'G') {
    // Two columns (Sent and Sent2): the part before the "/" and the part after it, "-" for
    // a part that is missing.
    const std::string trimmed = TrimBlanks(rest);
    if (!rest.empty() && rest[0] == '/')
      rest = "-   " + rest.substr(1);
    else if (slash != std::string::npos)
      rest[slash] = ' ';
    else if (trimmed == "-" || trimmed.empty())
      rest = "-   -";
    else
      rest += " -";
  }
  return FixWidth(report, 3) + " " + FixWidth(rest, 17);
}

std::string StfQsoLine(const QsoRecord& qso, const QsoListColumns& columns, char contestCode,
                       bool listener) {
  std::string line;
  line.reserve(96);
  line += qso.Datum() > 0 ? DayToText("yyyymmdd", qso.Datum()) : std::string("    -   ");
  line += ' ';
  line += TimeToText("hhmm", qso.Zeit());
  line += ' ';
  line += StfBandText(qso.Band());
  line += ' ';
  const std::string mode = qso.Mode();
  line += FixWidth(TrimBlanks(mode).empty() ? std::string(" - ") : mode, 6);
  line += ' ';
  const std::string call = qso.Call();
  line += FixWidth(TrimBlanks(call).empty() ? std::string("-") : call, columns.call);
  line += ' ';
  const std::string sent = StfExchange(qso.RSTs(), contestCode);
  const std::string rcvd = StfExchange(qso.RSTr(), contestCode);
  if (listener) {
    line += rcvd;
    line += ' ';
    line += FixWidth(qso.Call2(), 9);
    line += ' ';
    line += sent;
  } else {
    line += sent;
    line += ' ';
    line += rcvd;
  }
  if (contestCode == 'O' && !NoNameQth(qso.NameQTH()))
    line += " " + SplitNameQth(qso.NameQTH()).name;
  return line;
}

bool WriteStfFile(TextFileWriter& out, const OutputSource& source) {
  // One pass for the call column and the QSO count, one for the lines.
  QsoListColumns columns = QsoListColumnsFor(source.definition);
  std::int32_t qsos = 0;
  bool complete = ForEachLogRecord(source.log, [&](int, const QsoRecord& qso) {
    if (!qso.IsBandChangeMarker()) {
      WidenQsoListColumns(columns, qso, source.definition);
      ++qsos;
    }
    return true;
  });
  for (const std::string& line : StfHeaderLines(source, qsos))
    out.Line(line);
  const bool listener = source.Listener();
  complete =
      ForEachLogRecord(source.log,
                       [&](int, const QsoRecord& qso) {
                         if (!qso.IsBandChangeMarker())
                           out.ListLine(StfQsoLine(qso, columns, source.contestCode, listener));
                         return true;
                       }) &&
      complete;
  out.Line("EndQSOList");
  return complete;
}

} // namespace tarvik
