#include "outputs/edi_file.h"

#include <set>

#include "base/dates.h"
#include "base/strings.h"
#include "contest/contest_catalog.h"
#include "recordfile/fileblock.h"

namespace tarvik {

namespace {

constexpr int kTimeOrder = qso_key::kDateTime;

std::string_view Piece(std::string_view text, std::size_t from, std::size_t n) {
  return from < text.size() ? text.substr(from, n) : std::string_view();
}

/// The day as "yyyymmdd", "0" when it is not set.
std::string EdiDate(DayNumber day) {
  return day > 0 ? DayToText("yyyymmdd", day) : std::string("0");
}

std::string SplitBefore(const std::string& text) {
  const auto blank = text.find(' ');
  return blank == std::string::npos ? std::string() : text.substr(0, blank);
}

std::string SplitAfter(const std::string& text) {
  const auto blank = text.find(' ');
  return blank == std::string::npos ? text : text.substr(blank + 1);
}

int BandIndex(std::string_view text) {
  for (std::size_t i = 0; i < kParticipantBands.size(); ++i)
    if (kParticipantBands[i] == text)
      return static_cast<int>(i);
  return -1;
}

/// The remarks as lines: every line end (CR LF, LF, CR) separates two lines; no remarks
/// give one empty line.
std::vector<std::string> RemarkLines(const std::string& remarks) {
  std::vector<std::string> lines(1);
  for (std::size_t i = 0; i < remarks.size(); ++i) {
    const char c = remarks[i];
    if (c == '\r' || c == '\n') {
      if (c == '\r' && i + 1 < remarks.size() && remarks[i + 1] == '\n')
        ++i;
      lines.emplace_back();
    } else {
      lines.back() += c;
    }
  }
  return lines;
}

} // namespace

bool GatherEdiStatistics(Fileblock& log, EdiStatistics* statistics, char band) {
  EdiStatistics s;
  std::set<std::string> squares;
  std::set<std::string> countries;
  if (band != 0)
    s.bandPoints = 0;
  const bool complete = ForEachLogRecordInKey(log, kTimeOrder, "", [&](const QsoRecord& qso) {
    if (qso.IsBandChangeMarker() || (band != 0 && qso.Band() != band))
      return true;
    ++s.qsos;
    if (band != 0)
      s.bandPoints += qso.QRB(); // the QSO points of field 11: the distance
    squares.insert(std::string(Piece(qso.Locator(), 0, 4)));
    countries.insert(qso.Prefix());
    if (qso.QRB() > 0 && qso.QRB() > s.odxQrb) {
      s.hasOdx = true;
      s.odxQrb = qso.QRB();
      s.odxCall = TrimBlanks(qso.Call());
      s.odxLocator = qso.Locator();
    }
    return true;
  });
  s.squares = static_cast<std::int32_t>(squares.size());
  s.countries = static_cast<std::int32_t>(countries.size());
  *statistics = s;
  return complete;
}

bool EdiBandsOfLog(Fileblock& log, std::string* bands) {
  std::set<char> found;
  const bool complete = ForEachLogRecord(log, [&](int, const QsoRecord& qso) {
    if (!qso.IsBandChangeMarker())
      found.insert(qso.Band());
    return true;
  });
  bands->assign(found.begin(), found.end());
  return complete;
}

std::string EdiBandText(char band) {
  switch (band) {
  case 'j':
    return "50 MHz";
  case 'k':
    return "145 MHz";
  case 'l':
    return "435 MHz";
  case 'm':
    return "1,3 GHz";
  case 'n':
    return "2,3 GHz";
  case 'o':
    return "3,4 GHz";
  case 'p':
    return "5,7 GHz";
  case 'q':
    return "10 GHz";
  case 's':
    return "24 GHz";
  default:
    return {};
  }
}

ParticipantData PrefillParticipant(const OutputSource& source) {
  const StationData& station = source.station;
  ParticipantData p;
  p.pcall = source.header.ownCall();
  p.ploc = station.locator;
  p.rname = station.operatorName;
  p.rpoco = SplitBefore(station.postcodePlace);
  p.padr2 = station.postcodePlace;
  p.rcity = SplitAfter(station.postcodePlace);
  p.padr1 = station.street;
  p.radr2 = station.street;
  p.rcoun = station.country;
  p.pclub2 = station.dok;
  if (const ContestCategory* category = source.definition.Category(source.header.category())) {
    const std::string& description = category->description;
    p.psect = description.substr(0, 1);
    if (description.find("2m") != std::string::npos)
      p.pband = BandIndex("144 MHz");
    if (description.find("70cm") != std::string::npos)
      p.pband = BandIndex("432 MHz");
  }
  return p;
}

std::vector<std::string> EdiHeaderLines(const OutputSource& source, const ParticipantData& p,
                                        const EdiStatistics& statistics,
                                        std::string_view bandText) {
  const ContestDefinition& def = source.definition;
  const ContestHeaderRecord& header = source.header;
  const DayNumber today = TodayDay(source.clock);
  const std::string ownCall = TrimBlanks(header.ownCall());
  const std::string points = std::to_string(
      statistics.bandPoints >= 0 ? statistics.bandPoints : std::int64_t{source.totals.points});
  const std::string records = std::to_string(statistics.qsos);

  std::vector<std::string> lines;
  lines.push_back("[" + def.ProgramTitle + "]");
  lines.push_back("This data was exported using BRIDLOW " + def.ProgramTitle);
  lines.push_back("Call:" + ownCall);
  lines.push_back("Logs generated on " + DayToText("dd.mm.yyyy", today) + " " +
                  TimeToText("hh:mm:ss", NowTime(source.clock)));
  lines.push_back("Copyright (c) " + DayToText("yyyy", today) + " the Tarvik developers");
  lines.emplace_back("Contest logging program for radio amateurs");
  lines.push_back(ProgramHomePage());
  lines.emplace_back("[REG1TEST;1]");
  lines.push_back("TName=" + def.ContestName);
  if (header.dateFrom() > 0 && header.dateTo() > 0)
    lines.push_back("TDate=" + EdiDate(header.dateFrom()) + ";" + EdiDate(header.dateTo()));
  else
    lines.emplace_back("TDate=0;0");
  lines.push_back("PCall=" + p.pcall);
  lines.push_back("PWWLo=" + p.ploc);
  lines.emplace_back("PExch=");
  lines.push_back("PAdr1=" + p.padr1);
  lines.push_back("PAdr2=" + p.padr2);
  lines.push_back("PSect=" + p.psect);
  lines.push_back("PBand=" + (bandText.empty() ? p.BandText() : std::string(bandText)));
  lines.push_back("PClub=" + p.pclub1 + ";" + p.pclub2);
  lines.push_back("RName=" + p.rname);
  lines.push_back("RCall=" + ownCall);
  lines.push_back("RAdr1=" + p.radr1);
  lines.push_back("RAdr2=" + p.radr2);
  lines.push_back("RPoCo=" + p.rpoco);
  lines.push_back("RCity=" + p.rcity);
  lines.push_back("RCoun=" + p.rcoun);
  lines.emplace_back("RPhon=");
  lines.push_back("RHBBS=" + p.remail);
  lines.push_back("MOpe1=" + p.mope1);
  lines.push_back("MOpe2=" + p.mope2);
  lines.push_back("STXEq=" + header.transmitter());
  lines.push_back("SPowe=" + p.rpower);
  lines.push_back("SRXEq=" + p.rtrx);
  lines.push_back("SAnte=" + p.rant);
  lines.emplace_back("SAntH=0;0");
  lines.push_back("CQSOs=" + records + ";1");
  lines.push_back("CQSOP=" + points);
  lines.push_back("CWWLs=" + std::to_string(statistics.squares) + ";0;1");
  lines.emplace_back("CWWLB=0");
  lines.emplace_back("CExcs=0;0;1");
  lines.emplace_back("CExcB=");
  lines.push_back("CDXCs=" + std::to_string(statistics.countries) + ";0;1");
  lines.emplace_back("CDXCB=0");
  lines.push_back("CToSc=" + points);
  if (statistics.hasOdx)
    lines.push_back("CODXC=" + statistics.odxCall + ";" + statistics.odxLocator + ";" +
                    std::to_string(statistics.odxQrb));
  else
    lines.emplace_back("CODXC=");
  lines.emplace_back("[Remarks]");
  for (std::string& line : RemarkLines(p.rremarks))
    lines.push_back(std::move(line));
  lines.push_back("[QSORecords;" + records + "]");
  return lines;
}

const char* EdiModeCode(std::string_view mode) {
  if (mode == "SSB")
    return "1";
  if (mode == "CW")
    return "2";
  if (mode == "AM")
    return "5";
  if (mode == "FM")
    return "6";
  if (mode == "RTTY")
    return "7";
  return "0";
}

std::string EdiQsoLine(const QsoRecord& qso) {
  const std::string sent = qso.RSTs();
  const std::string rcvd = qso.RSTr();
  std::string exchange;
  if (const auto slash = rcvd.find('/'); slash != std::string::npos)
    exchange = std::string(Piece(rcvd, slash + 1, 1));
  std::string line;
  line.reserve(64);
  line += qso.Datum() > 0 ? DayToText("yymmdd", qso.Datum()) : std::string();
  line += ';';
  line += qso.Zeit() >= 0 ? TimeToText("hhmm", qso.Zeit()) : std::string();
  line += ';';
  line += TrimBlanks(qso.Call());
  line += ';';
  line += EdiModeCode(qso.Mode());
  line += ';';
  line += Piece(sent, 0, 3);
  line += ';';
  line += Piece(sent, 3, 3);
  line += ';';
  line += Piece(rcvd, 0, 3);
  line += ';';
  line += Piece(rcvd, 3, 3);
  line += ';';
  line += exchange;
  line += ';';
  line += Pad(Piece(qso.Locator(), 0, 6), 6);
  line += ';';
  line += std::to_string(qso.QRB());
  line += ";;;;";
  return line;
}

bool WriteEdiFile(TextFileWriter& out, const OutputSource& source,
                  const ParticipantEditor& editParticipant, char band) {
  EdiStatistics statistics;
  bool complete = GatherEdiStatistics(source.log, &statistics, band);
  ParticipantData participant = PrefillParticipant(source);
  if (editParticipant)
    editParticipant(participant);
  for (const std::string& line :
       EdiHeaderLines(source, participant, statistics, band != 0 ? EdiBandText(band) : ""))
    out.Line(line);
  complete = ForEachLogRecord(source.log,
                              [&](int, const QsoRecord& qso) {
                                if (!qso.IsBandChangeMarker() && (band == 0 || qso.Band() == band))
                                  out.Line(EdiQsoLine(qso));
                                return true;
                              }) &&
             complete;
  return complete;
}

} // namespace tarvik
