#include "outputs/qso_list.h"

#include <algorithm>

#include "base/strings.h"

namespace tarvik {

namespace {

std::string Number(std::int64_t n, int width) {
  return LeftPad(std::to_string(n), width);
}

bool HasFormula(const ContestDefinition& definition) {
  return definition.HasMultipliers() && definition.PlainMultCount == 0 &&
         definition.PerBandScore == 0;
}

int RowLength(const std::string& row) {
  std::size_t end = row.size();
  while (end > 0 && (row[end - 1] == ' ' || row[end - 1] == '\t'))
    --end;
  return static_cast<int>(end);
}

/// The lines shared by both forms.
struct ListLines {
  QsoListStyle style;
  QsoListColumns columns;
  std::string title;
  std::string columnHeader;
};

ListLines PrepareList(const OutputSource& source) {
  ListLines l;
  l.style.contestCode = source.contestCode;
  l.style.listener = source.Listener();
  l.columns = MeasureQsoListColumns(source.log, source.definition);
  l.title = QsoListTitle(source.definition, l.style.listener, source.header.ownCall(),
                         source.station.swlNumber);
  l.columnHeader = QsoListColumnHeader(source.definition, l.columns, l.style);
  return l;
}

} // namespace

std::string MultiplierFormula(const OutputTotals& totals) {
  std::string formula;
  int above = 0;
  for (const std::int32_t m : totals.columnMultis) {
    if (m <= 0)
      continue;
    formula += above == 0 ? "(" : " + ";
    formula += Number(m, 5);
    ++above;
  }
  if (above > 0)
    formula += ")";
  return formula + " x " + Number(totals.points, 7);
}

std::vector<std::string> QsoListSummary(const ContestDefinition& definition, char contestCode,
                                        const OutputTotals& totals) {
  std::vector<std::string> lines{" "};
  if (HasFormula(definition)) {
    lines.push_back(MultiplierFormula(totals));
    lines.emplace_back(" ");
  }
  lines.push_back(Number(totals.score, 7) + " Punkte");
  if (contestCode == '5')
    lines.push_back(Number(totals.multis, 7) + " PLZ-Bereiche");
  return lines;
}

bool WriteQsoListFile(TextFileWriter& out, const OutputSource& source) {
  const ListLines l = PrepareList(source);
  out.ListLine(l.title);
  out.ListLine(" ");
  out.ListLine(l.columnHeader);
  int longest = 0;
  const bool complete = ForEachLogRecord(source.log, [&](int number, const QsoRecord& qso) {
    if (qso.IsBandChangeMarker())
      return true;
    const std::string row = QsoListRow(qso, number, source.definition, l.columns, l.style);
    longest = std::max(longest, RowLength(row));
    out.ListLine(row);
    return true;
  });
  for (const std::string& line :
       QsoListSummary(source.definition, source.contestCode, source.totals))
    out.ListLine(LeftPad(line, longest));
  return complete;
}

bool PrintQsoList(PaperPage& page, const OutputSource& source) {
  const ListLines l = PrepareList(source);
  auto pageHeader = [&] {
    page.Top();
    page.SetBold(true);
    page.WriteLine(l.title + "Page :" + Number(page.PageNumber(), 4));
    page.SetBold(false);
    page.WriteLine(" ");
    page.WriteLine(l.columnHeader);
  };
  // Every further line goes on a new page, under the repeated header, when it does not fit.
  auto line = [&](const std::string& text) {
    if (!page.LineFits()) {
      page.NewPage();
      pageHeader();
    }
    page.WriteLine(text);
  };
  pageHeader();
  line(" ");
  int longest = 0;
  const bool complete = ForEachLogRecord(source.log, [&](int number, const QsoRecord& qso) {
    if (qso.IsBandChangeMarker())
      return true;
    const std::string row = QsoListRow(qso, number, source.definition, l.columns, l.style);
    longest = std::max(longest, RowLength(row));
    line(row);
    return true;
  });
  for (const std::string& text :
       QsoListSummary(source.definition, source.contestCode, source.totals))
    line(LeftPad(text, longest));
  return complete;
}

} // namespace tarvik
