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

} // namespace

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

  r += AdifTag("BAND", BandName(qso.Band(), true));
  const std::string mode = qso.Mode();
  r += AdifTag("MODE", TrimBlanks(mode) == "PR" ? std::string("PKT") : mode);
  r += AdifTag("PTS", std::to_string(qso.Punkte()));
  r += AdifTag(style.dokTag, TrimBlanks(qso.FullDok()));
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
  style.dxccNumber = dxccNumber;
  return ForEachLogRecord(source.log, [&](int, const QsoRecord& qso) {
    if (!qso.IsBandChangeMarker())
      out.ListLine(AdifRecord(qso, style));
    return true;
  });
}

} // namespace tarvik
