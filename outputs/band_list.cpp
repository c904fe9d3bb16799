#include "outputs/band_list.h"

#include "base/dates.h"
#include "base/strings.h"
#include "base/text_helpers.h"
#include "radio/bands.h"

namespace tarvik {

namespace {

constexpr int kBandOrder = qso_key::kBandNumber;

std::string MultText(const QsoRecord& qso, int k) {
  switch (k) {
  case 1:
    return qso.MultMark1();
  case 2:
    return qso.MultMark2();
  default:
    return qso.Call2();
  }
}

/// The station named in the titles: the own call, or the SWL number of a listener log.
std::string TitleCall(const OutputSource& source) {
  return TrimBlanks(source.Listener() ? source.station.swlNumber : source.header.ownCall());
}

std::string PageTitle(const OutputSource& source) {
  return source.definition.ContestName + "  Band List   " + TitleCall(source);
}

std::string SectionTitle(const OutputSource& source, char band) {
  const std::string title = "Band List   " + TitleCall(source);
  return title.substr(0, 29) + "   " + BandName(band);
}

/// Writes the list through `line` (one call per line, with its boldness); `pageHeader`
/// starts the page header on paper.
template <typename Emit>
bool WriteList(const OutputSource& source, const QsoListColumns& columns, Emit&& emit) {
  const ContestDefinition& def = source.definition;
  const bool listener = source.Listener();
  bool complete = true;
  for (const char band : def.Bands) {
    if (!IsBandLetter(band))
      continue;
    emit(" ", false);
    emit(" ", false);
    emit(SectionTitle(source, band), true);
    emit(" ", false);
    complete = ForEachLogRecordInKey(source.log, kBandOrder, std::string(1, band),
                                     [&](const QsoRecord& qso) {
                                       if (qso.Band() != band)
                                         return false;
                                       if (!qso.IsBandChangeMarker())
                                         emit(BandListRow(qso, def, columns, listener), false);
                                       return true;
                                     }) &&
               complete;
  }
  return complete;
}

} // namespace

std::string BandListColumnHeader(const ContestDefinition& definition, const QsoListColumns& c,
                                 bool listener) {
  std::string h = "DATE   UTC  " + Pad("CALL ", c.call) + " BAND MODE ";
  if (listener)
    h += Pad("SENT  ", c.sent) + " CALL2     " + Pad("SENT2 ", c.rcvd) + " ";
  else
    h += Pad("SENT  ", c.sent) + " " + Pad("RCVD  ", c.rcvd) + " ";
  for (int k = 1; k <= 3; ++k)
    if (!definition.MultLabel(k).empty())
      h += Pad(definition.MultLabel(k), c.mult[static_cast<std::size_t>(k - 1)]) + " ";
  h += LeftPad(c.points >= 3 ? "Pkt" : "P", c.points);
  return h;
}

std::string BandListRow(const QsoRecord& qso, const ContestDefinition& definition,
                        const QsoListColumns& c, bool listener) {
  std::string row;
  row.reserve(128);
  row += qso.Datum() > 0 ? DayToText("ddmmyy", qso.Datum()) : std::string(6, ' ');
  row += ' ';
  row += TimeToText("hhmm", qso.Zeit());
  row += ' ';
  row += FixWidth(qso.Call(), c.call);
  row += ' ';
  std::string band = BandName(qso.Band());
  if (!band.empty())
    band.pop_back();
  row += FixWidth(band, 4);
  row += ' ';
  row += FixWidth(qso.Mode(), 4);
  row += ' ';
  row += ListExchange(qso.RSTs(), c.sent);
  row += ' ';
  if (listener) {
    row += FixWidth(qso.Call2(), 9);
    row += ' ';
  }
  row += ListExchange(qso.RSTr(), c.rcvd);
  row += ' ';
  for (int k = 1; k <= 3; ++k) {
    if (definition.MultLabel(k).empty())
      continue;
    row += FixWidth(MultText(qso, k), c.mult[static_cast<std::size_t>(k - 1)]);
    row += ' ';
  }
  row += LeftPad(std::to_string(qso.Punkte()), c.points);
  return row;
}

bool WriteBandListFile(TextFileWriter& out, const OutputSource& source) {
  const QsoListColumns columns = MeasureQsoListColumns(source.log, source.definition);
  out.ListLine(FixWidth(PageTitle(source), 77));
  out.ListLine(" ");
  out.ListLine(BandListColumnHeader(source.definition, columns, source.Listener()));
  return WriteList(source, columns, [&](const std::string& text, bool) { out.ListLine(text); });
}

bool PrintBandList(PaperPage& page, const OutputSource& source) {
  const QsoListColumns columns = MeasureQsoListColumns(source.log, source.definition);
  const std::string title = FixWidth(PageTitle(source), 65);
  const std::string columnHeader =
      BandListColumnHeader(source.definition, columns, source.Listener());
  auto pageHeader = [&] {
    page.Top();
    page.SetBold(true);
    page.WriteLine(title + "Page :" + LeftPad(std::to_string(page.PageNumber()), 4));
    page.SetBold(false);
    page.WriteLine(" ");
    page.WriteLine(columnHeader);
  };
  pageHeader();
  const bool complete = WriteList(source, columns, [&](const std::string& text, bool bold) {
    if (!page.LineFits()) {
      page.NewPage();
      pageHeader();
    }
    if (bold)
      page.SetBold(true);
    page.WriteLine(text);
    if (bold)
      page.SetBold(false);
  });
  return complete;
}

} // namespace tarvik
