#include "outputs/qso_list_rows.h"

#include <algorithm>

#include "base/dates.h"
#include "base/strings.h"
#include "base/text_helpers.h"
#include "outputs/output_source.h"
#include "radio/bands.h"

namespace tarvik {

namespace {

int Length(std::string_view text) {
  return static_cast<int>(text.size());
}

int Digits(std::uint32_t n) {
  int digits = 1;
  while (n >= 10) {
    n /= 10;
    ++digits;
  }
  return digits;
}

std::string_view Piece(std::string_view text, std::size_t from, std::size_t n) {
  return from < text.size() ? text.substr(from, n) : std::string_view();
}

/// The QSO's text of multiplier column k (1..3).
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

std::string DateText(DayNumber day) {
  return day > 0 ? DayToText("ddmmyy", day) : std::string(6, ' ');
}

} // namespace

QsoListColumns QsoListColumnsFor(const ContestDefinition& definition) {
  QsoListColumns c;
  for (int k = 1; k <= 3; ++k) {
    const std::string& label = definition.MultLabel(k);
    c.mult[static_cast<std::size_t>(k - 1)] = label.empty() ? 0 : Length(label) + 2;
  }
  return c;
}

void WidenQsoListColumns(QsoListColumns& c, const QsoRecord& qso,
                         const ContestDefinition& definition) {
  c.call = std::max(c.call, Length(TrimBlanks(qso.Call())) + 2);
  c.sent = std::max(c.sent, Length(TrimBlanks(qso.RSTs())) + 2);
  c.rcvd = std::max(c.rcvd, Length(TrimBlanks(qso.RSTr())) + 2);
  c.points = std::max(c.points, Digits(qso.Punkte()));
  for (int k = 1; k <= 3; ++k) {
    if (definition.MultLabel(k).empty())
      continue;
    const std::string text = MultText(qso, k);
    const int length = Length(k == 3 ? text : TrimBlanks(text));
    int& width = c.mult[static_cast<std::size_t>(k - 1)];
    width = std::max(width, length + 2);
  }
}

QsoListColumns MeasureQsoListColumns(Fileblock& log, const ContestDefinition& definition) {
  QsoListColumns c = QsoListColumnsFor(definition);
  // A walk that fails here fails again in the writer's own walk, which reports the list as
  // incomplete: the widths of the QSOs met are enough until then.
  (void)ForEachLogRecord(log, [&](int, const QsoRecord& qso) {
    if (!qso.IsBandChangeMarker())
      WidenQsoListColumns(c, qso, definition);
    return true;
  });
  return c;
}

std::string QsoListTitle(const ContestDefinition& definition, bool listener,
                         std::string_view ownCall, std::string_view swlNumber) {
  std::string title = definition.ContestName;
  if (listener)
    title += "  -  QSO-Liste     SWL : " + TrimBlanks(swlNumber);
  else
    title += "  -  QSO-Liste     CALL: " + TrimBlanks(ownCall);
  return FixWidth(title, 77);
}

std::string QsoListColumnHeader(const ContestDefinition& definition, const QsoListColumns& c,
                                const QsoListStyle& style) {
  const std::string sep(style.Separator());
  std::string h = "Nr   DATE  " + sep + "UTC " + sep + Pad("CALL ", c.call) + sep + "BAND" + sep +
                  "MODE  " + sep;
  if (style.listener) {
    // The heard station's exchange stands in the received column, the second station's in
    // the sent column: each heading is as wide as the column below it.
    h += Pad("SENT  ", c.rcvd) + sep + "CALL2    " + sep + Pad("SENT2 ", c.sent) + sep;
  } else {
    h += Pad("SENT  ", c.sent) + sep + Pad("RCVD  ", c.rcvd) + sep;
  }
  for (int k = 1; k <= 3; ++k) {
    const int width = c.mult[static_cast<std::size_t>(k - 1)];
    if (!definition.MultLabel(k).empty())
      h += Pad(definition.MultLabel(k), width) + sep;
  }
  h += LeftPad(c.points >= 3 ? "Pkt" : "P", c.points);
  switch (NameColumnOf(style.contestCode)) {
  case 'N':
    h += " Name/QTH";
    break;
  case 'n':
    h += " Name";
    break;
  default:
    break;
  }
  return h;
}

std::string QsoListRow(const QsoRecord& qso, int runningNumber, const ContestDefinition& definition,
                       const QsoListColumns& c, const QsoListStyle& style) {
  const std::string sep(style.Separator());
  std::string row;
  row.reserve(128);
  if (style.csv) {
    row += DateText(qso.Datum());
    row += sep;
    row += TimeToText("hh:mm", qso.Zeit());
  } else {
    row += LeftPad(std::to_string(runningNumber), 4);
    row += ' ';
    row += DateText(qso.Datum());
    row += sep;
    row += TimeToText("hhmm", qso.Zeit());
  }
  row += sep;
  row += FixWidth(qso.Call(), c.call);
  row += sep;
  row += ListBandText(qso.Band(), style.csv);
  row += sep;
  row += style.csv ? TrimBlanks(qso.Mode()) : FixWidth(qso.Mode(), 6);
  row += sep;
  const std::string sent = ListExchange(qso.RSTs(), c.sent);
  const std::string rcvd = ListExchange(qso.RSTr(), c.rcvd);
  if (style.listener) {
    row += rcvd;
    row += sep;
    row += style.csv ? TrimBlanks(qso.Call2()) : FixWidth(qso.Call2(), 9);
    row += sep;
    row += sent;
  } else {
    row += sent;
    row += sep;
    row += rcvd;
  }
  row += sep;
  for (int k = 1; k <= 3; ++k) {
    if (definition.MultLabel(k).empty())
      continue;
    row += FixWidth(MultText(qso, k), c.mult[static_cast<std::size_t>(k - 1)]);
    row += sep;
  }
  row += LeftPad(std::to_string(qso.Punkte()), c.points);
  const char nameColumn = NameColumnOf(style.contestCode);
  if (nameColumn != 0 && !NoNameQth(qso.NameQTH())) {
    const NameAndQth nq = SplitNameQth(qso.NameQTH());
    row += sep;
    row += nq.name;
    if (nameColumn == 'N' && !nq.name.empty() && !nq.qth.empty()) {
      row += '/';
      row += nq.qth;
    }
  }
  return row;
}

std::string ListBandText(char band, bool csv) {
  std::string name = BandName(band);
  if (!name.empty())
    name.pop_back();
  std::string text = csv ? TrimBlanks(name) : FixWidth(name, 4);
  if (const auto c = text.find('c'); c != std::string::npos) {
    text.erase(c, 1);
    text += ' ';
  }
  return text;
}

std::string ListExchange(std::string_view exchange, int width) {
  return FixWidth(Piece(exchange, 0, 3), 3) + " " + FixWidth(Piece(exchange, 3, 17), width - 4);
}

NameAndQth SplitNameQth(std::string_view nameQth) {
  const auto semicolon = nameQth.find(';');
  if (semicolon == std::string_view::npos)
    return {"", TrimBlanks(nameQth)};
  return {TrimBlanks(nameQth.substr(0, semicolon)), TrimBlanks(nameQth.substr(semicolon + 1))};
}

bool NoNameQth(std::string_view nameQth) {
  const std::string trimmed = TrimBlanks(nameQth);
  return trimmed.empty() || trimmed == ";";
}

char NameColumnOf(char contestCode) {
  if (contestCode == 'I' || contestCode == 'l')
    return 'N';
  if (contestCode == 'O')
    return 'n';
  return 0;
}

} // namespace tarvik
