#include "outputs/adif_export.h"

#include <cstdio>

#include "base/dates.h"
#include "base/strings.h"
#include "base/text_helpers.h"
#include "outputs/qso_list_rows.h"
#include "radio/bands.h"

namespace tarvik {

namespace {

std::string_view Piece(std::string_view text, std::size_t from, std::size_t n = 255) {
  return from < text.size() ? text.substr(from, n) : std::string_view();
}

void QslTag(std::string& record, std::string_view name, char mark) {
  if (mark == 0 || mark == ' ')
    return;
  record += AdifTag(name, mark == 'J' || mark == 'j' ? std::string("Y") : std::string(1, mark));
}

std::string Frequency(float mhz) {
  char text[64];
  std::snprintf(text, sizeof text, "%.4f", static_cast<double>(mhz));
  return TrimBlanks(text);
}

// The modes of the ADIF 3.1 enumeration.
constexpr std::string_view kAdifModes[] = {
    "AM",           "ARDOP",  "ATV",   "C4FM",  "CHIP",   "CLO",    "CONTESTI", "CW",
    "DIGITALVOICE", "DOMINO", "DSTAR", "FAX",   "FM",     "FSK441", "FT8",      "HELL",
    "ISCAT",        "JT4",    "JT9",   "JT44",  "JT65",   "MFSK",   "MSK144",   "MT63",
    "OLIVIA",       "OPERA",  "PAC",   "PAX",   "PKT",    "PSK",    "PSK2K",    "Q15",
    "QRA64",        "ROS",    "RTTY",  "RTTYM", "SSB",    "SSTV",   "T10",      "THOR",
    "THRB",         "TOR",    "V4",    "VOI",   "WINMOR", "WSPR",
};

// Logged texts that are an ADIF submode (or an old name) of an ADIF mode.
struct ModeAlias {
  std::string_view logged, mode, submode;
};
constexpr ModeAlias kModeAliases[] = {
    {"PR", "PKT", ""},
    {"PACKET", "PKT", ""},
    {"USB", "SSB", "USB"},
    {"LSB", "SSB", "LSB"},
    {"J3E", "SSB", ""},
    {"A1A", "CW", ""},
    {"A1", "CW", ""},
    {"F3E", "FM", ""},
    {"A3E", "AM", ""},
    {"PSK31", "PSK", "PSK31"},
    {"PSK-31", "PSK", "PSK31"},
    {"PSK63", "PSK", "PSK63"},
    {"PSK125", "PSK", "PSK125"},
    {"BPSK31", "PSK", "BPSK31"},
    {"QPSK31", "PSK", "QPSK31"},
    {"FT4", "MFSK", "FT4"},
    {"JS8", "MFSK", "JS8"},
    {"FSK", "RTTY", ""},
    {"RY", "RTTY", ""},
    {"PACTOR", "PAC", ""},
    {"AMTOR", "TOR", ""},
};

} // namespace

bool IsAdifMode(std::string_view mode) {
  for (const std::string_view m : kAdifModes)
    if (m == mode)
      return true;
  return false;
}

AdifMode AdifModeOf(std::string_view loggedMode) {
  const std::string text = TrimBlanks(loggedMode);
  if (IsAdifMode(text))
    return {text, ""};
  for (const ModeAlias& alias : kModeAliases)
    if (alias.logged == text)
      return {std::string(alias.mode), std::string(alias.submode)};
  return {std::string(loggedMode), ""};
}

std::string AdifBandName(char band) {
  switch (band) {
  case 'r':
    return "2190m";
  case 's':
    return "1.25cm";
  default:
    return BandName(band, true);
  }
}

bool IsAdifBand(std::string_view band) {
  constexpr std::string_view kBands[] = {
      "2190m", "630m", "560m", "160m", "80m",    "60m", "40m", "30m",   "20m",  "17m",  "15m",
      "12m",   "10m",  "8m",   "6m",   "5m",     "4m",  "2m",  "1.25m", "70cm", "33cm", "23cm",
      "13cm",  "9cm",  "6cm",  "3cm",  "1.25cm", "6mm", "4mm", "2.5mm", "2mm",  "1mm",  "submm"};
  for (const std::string_view b : kBands)
    if (b == band)
      return true;
  return false;
}

std::string RstOnlyQuestion() {
  return "Von der Kontrollnummer nur RS(T) exportieren?";
}

std::string AdifTag(std::string_view name, std::string_view value) {
  std::string tag;
  tag.reserve(name.size() + value.size() + 8);
  tag += '<';
  tag += name;
  tag += ':';
  tag += std::to_string(value.size());
  tag += '>';
  tag += value;
  tag += ' ';
  return tag;
}

std::string AdifDokTag(const ContestDefinition& definition) {
  if (definition.HasOption(option::kArea))
    return "AREA";
  if (definition.HasOption(option::kLdk))
    return "LDK";
  return "DOK";
}

std::string AdifRecord(const QsoRecord& qso, const AdifRecordStyle& style) {
  std::string r;
  r.reserve(256);
  if (qso.Datum() > 0)
    r += AdifTag("QSO_DATE", DayToText("yyyymmdd", qso.Datum()));
  // 00:00 is a time like any other; only a QSO without time has no TIME_ON.
  if (qso.Zeit() >= 0 && qso.Zeit() < 86400)
    r += AdifTag("TIME_ON", TimeToText("hhmm", qso.Zeit()));
  r += AdifTag("CALL", qso.Call());

  const std::string sent = qso.RSTs();
  const std::string rcvd = qso.RSTr();
  if (style.listener) {
    // A listener heard the worked station (its report in RSTr) work Call2 (report in RSTs).
    r += AdifTag("RST_SENT", style.rstOnly ? Piece(rcvd, 0, 3) : std::string_view(rcvd));
    r += AdifTag("CALL_WKD", qso.Call2());
    r += AdifTag("RST_WKD", Piece(sent, 0, 3));
    // The exchanges behind the two reports, which the tags above leave out, so that the
    // import finds them again.
    if (style.rstOnly && rcvd.size() > 3)
      r += AdifTag("SRX", Piece(rcvd, 3));
    if (sent.size() > 3)
      r += AdifTag("STX", Piece(sent, 3));
  } else if (style.rstOnly) {
    r += AdifTag("RST_SENT", Piece(sent, 0, 3));
    r += AdifTag("RST_RCVD", Piece(rcvd, 0, 3));
    if (sent.size() > 3)
      r += AdifTag("STX", Piece(sent, 3));
    if (rcvd.size() > 3)
      r += AdifTag("SRX", Piece(rcvd, 3));
  } else {
    r += AdifTag("RST_SENT", sent);
    r += AdifTag("RST_RCVD", rcvd);
  }
  if (style.contestCode == 'A' && rcvd.size() > 3)
    r += AdifTag("LDK", Piece(rcvd, 3));

  r += AdifTag("BAND", AdifBandName(qso.Band()));
  const AdifMode mode = AdifModeOf(qso.Mode());
  r += AdifTag("MODE", mode.mode);
  if (!mode.submode.empty())
    r += AdifTag("SUBMODE", mode.submode);
  r += AdifTag("PTS", std::to_string(qso.Punkte()));
  const std::string dok = TrimBlanks(qso.FullDok());
  r += AdifTag(style.dokTag, dok);
  if (style.dokTag == "DOK") {
    if (!dok.empty())
      r += AdifTag("DARC_DOK", dok);
    if (!style.myDok.empty())
      r += AdifTag("MY_DARC_DOK", style.myDok);
  }
  r += AdifTag("GRIDSQUARE", TrimBlanks(qso.Locator()));

  const std::string prefix = TrimBlanks(qso.Prefix());
  if (!prefix.empty() && style.dxccNumber) {
    const std::string number = TrimBlanks(style.dxccNumber(prefix));
    if (!number.empty()) {
      r += AdifTag("DXCC", number);
      r += AdifTag("DXCC_PFX", prefix);
    }
  }
  if (qso.Freq() > 0)
    r += AdifTag("FREQ", Frequency(qso.Freq()));
  const NameAndQth nq = SplitNameQth(qso.NameQTH());
  if (!nq.name.empty())
    r += AdifTag("NAME", nq.name);
  if (!nq.qth.empty())
    r += AdifTag("QTH", nq.qth);
  QslTag(r, "QSL_SENT", qso.QSLs());
  QslTag(r, "QSL_RCVD", qso.QSLr());
  r += "<EOR>";
  return r;
}

bool WriteAdifFile(TextFileWriter& out, const OutputSource& source,
                   const std::function<bool()>& askRstOnly,
                   const std::function<std::string(std::string_view prefix)>& dxccNumber) {
  out.Line("ADIF-Export generated with Bridlow " + ExportIdentification(source.definition));
  out.Line("<EOH>");
  AdifRecordStyle style;
  style.contestCode = source.contestCode;
  style.listener = source.Listener();
  style.rstOnly = source.contestCode == 'A' || (askRstOnly ? askRstOnly() : true);
  style.dokTag = AdifDokTag(source.definition);
  // The header's DOK field holds an LDK or an area in some contests: only a DOK contest
  // writes it as the own DOK.
  if (source.definition.HasOption(option::kDok))
    style.myDok = TrimBlanks(source.header.dok());
  style.dxccNumber = dxccNumber;
  return ForEachLogRecord(source.log, [&](int, const QsoRecord& qso) {
    if (!qso.IsBandChangeMarker())
      out.ListLine(AdifRecord(qso, style));
    return true;
  });
}

} // namespace tarvik
