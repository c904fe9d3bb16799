#include "logging/log_list.h"

#include <algorithm>

#include "base/dates.h"
#include "base/pictures.h"
#include "base/strings.h"
#include "base/text_helpers.h"
#include "radio/bands.h"
#include "radio/date_time.h"
#include "recordfile/key_codec.h"

namespace tarvik {

namespace {

// Characters the values of a column take at most (the titles may be shorter).
constexpr int kNumberWidth = 6;
constexpr int kDateWidth = 8;
constexpr int kTimeWidth = 5;
constexpr int kCallWidth = 12;
constexpr int kBandWidth = 6;
constexpr int kModeWidth = 6;
constexpr int kReportWidth = 21;
constexpr int kMarkWidth = 6;
constexpr int kPointsWidth = 5;
constexpr int kQslWidth = 3;
constexpr int kNameWidth = 15;
constexpr int kFreqWidth = 9;

bool Listener(const ContestDefinition& definition) {
  return definition.ListenerLog != 0;
}

std::vector<std::string> MultLabels(const ContestDefinition& definition) {
  std::vector<std::string> labels;
  for (const std::string* label :
       {&definition.MultLabel1, &definition.MultLabel2, &definition.MultLabel3})
    labels.push_back(*label);
  return labels;
}

// A report as the list shows it: the RST, a blank, the exchange.
std::string ReportColumn(const std::string& report) {
  if (report.size() <= 3)
    return report;
  return report.substr(0, 3) + " " + report.substr(3);
}

// Each title with its column's width in characters.
std::vector<std::pair<std::string, int>> Columns(const ContestDefinition& definition) {
  const bool listener = Listener(definition);
  std::vector<std::pair<std::string, int>> columns = {
      {ChooseText("Nr ", "No "), kNumberWidth},
      {ChooseText(" Datum", "  Date"), kDateWidth},
      {" UTC", kTimeWidth},
      {" Call    ", kCallWidth},
      {"Band ", kBandWidth},
      {"Mod", kModeWidth},
  };
  if (listener) {
    columns.emplace_back("Call2  ", kCallWidth);
    columns.emplace_back("RSTsent2 ", kReportWidth);
  } else {
    columns.emplace_back(" RSTsent      ", kReportWidth);
  }
  columns.emplace_back(" RSTrcvd      ", kReportWidth);
  for (const std::string& label : MultLabels(definition))
    if (!label.empty())
      columns.emplace_back(Pad(label, 6), kMarkWidth);
  columns.emplace_back("Pkt", kPointsWidth);
  columns.emplace_back("sQr", kQslWidth);
  if (!listener) {
    columns.emplace_back("Name", kNameWidth);
    columns.emplace_back("QTH", kNameWidth);
    columns.emplace_back("Freq.", kFreqWidth);
  }
  return columns;
}

} // namespace

std::string LogListLowKey() {
  return NumKey5(1);
}

std::string LogListHighKey() {
  return NumKey5(999999999);
}

std::string LogListTitleLine(const ContestDefinition& definition) {
  std::string line;
  for (const auto& [title, width] : Columns(definition)) {
    if (!line.empty())
      line += ";";
    line += Pad(title, std::max<int>(width, static_cast<int>(title.size())));
  }
  return line;
}

std::vector<int> LogListColumnCharacters(const ContestDefinition& definition) {
  std::vector<int> widths;
  for (const auto& [title, width] : Columns(definition))
    widths.push_back(std::max<int>(width, static_cast<int>(title.size())));
  return widths;
}

std::vector<int> FitLogListColumns(const ContestDefinition& definition, std::vector<int> widths,
                                   int available, int unit) {
  const auto columns = Columns(definition);
  // The points column and the report columns, by their place in the title line.
  std::size_t points = 0;
  std::vector<std::size_t> reports;
  for (std::size_t c = 0; c < columns.size(); ++c) {
    if (columns[c].first == "Pkt")
      points = c;
    else if (columns[c].second == kReportWidth)
      reports.push_back(c);
  }
  if (points >= widths.size())
    return widths;
  int needed = 0;
  for (std::size_t c = 0; c <= points; ++c)
    needed += widths[c];
  int excess = needed - available;
  if (excess <= 0)
    return widths;
  // What each report column can give up, and the share of it that is taken.
  std::vector<int> room(reports.size(), 0);
  int total = 0;
  for (std::size_t i = 0; i < reports.size(); ++i) {
    const std::size_t c = reports[i];
    const int minimum = (static_cast<int>(columns[c].first.size()) + 1) * unit;
    room[i] = std::max(0, widths[c] - minimum);
    total += room[i];
  }
  if (total == 0)
    return widths;
  excess = std::min(excess, total);
  int taken = 0;
  for (std::size_t i = 0; i < reports.size(); ++i) {
    // The last column takes what rounding left over, so that the sum is exact.
    const int share = i + 1 == reports.size()
                          ? excess - taken
                          : static_cast<int>(static_cast<long long>(excess) * room[i] / total);
    const int cut = std::min(share, room[i]);
    widths[reports[i]] -= cut;
    taken += cut;
  }
  return widths;
}

std::string LogListRow(const QsoRecord& record, const ContestDefinition& definition) {
  if (record.IsBandChangeMarker()) {
    const char band = record.QSYBand();
    const std::string name = IsBandLetter(band) ? BandName(band) : std::string(1, band);
    return ";*** QSY " + name + " ***";
  }
  const bool listener = Listener(definition);
  std::string row = FormatLongPicture("######", record.QSONr()) + ";";
  row += (record.Datum() > 0 ? DayToText(kShortDatePicture, record.Datum()) : std::string()) + ";";
  // Midnight is a valid time (00:00); only a missing time shows blank.
  row += (record.Zeit() >= 0 ? TimeToText(kQsoTimePicture, record.Zeit()) : std::string()) + ";";
  row += record.Call() + ";";
  const char band = record.Band();
  row += (IsBandLetter(band) ? BandName(band) : std::string()) + ";";
  row += record.Mode() + ";";
  if (listener)
    row += record.Call2() + ";";
  row += ReportColumn(record.RSTs()) + ";";
  row += ReportColumn(record.RSTr()) + ";";
  const std::vector<std::string> labels = MultLabels(definition);
  const std::string marks[] = {record.MultMark1(), record.MultMark2(), record.Call2()};
  for (std::size_t i = 0; i < labels.size(); ++i)
    if (!labels[i].empty())
      row += marks[i] + ";";
  row += FormatLongPicture("####", record.Punkte()) + ";";
  const auto mark = [](char c) { return c == '\0' ? ' ' : c; };
  row += std::string{mark(record.QSLs()), ' ', mark(record.QSLr())};
  if (!listener) {
    const std::string nameQth = record.NameQTH();
    const std::size_t semicolon = nameQth.find(';');
    row += ";" + nameQth.substr(0, semicolon) + ";";
    row += (semicolon == std::string::npos ? std::string() : nameQth.substr(semicolon + 1)) + ";";
    row += record.Freq() > 0 ? FormatPicture("#####,###", record.Freq()) : std::string();
  }
  return row;
}

std::vector<std::string> LogListSortEntries(const ContestDefinition& definition) {
  std::vector<std::string> entries = {
      ChooseText(" Band - Nr", " Band - No"),
      " Band - Call",
      " Band - DXCC",
      ChooseText(" alle - Nr", " all - No"),
      ChooseText(" alle - Call", " all - Call"),
      ChooseText(" alle - DXCC", " all - DXCC"),
  };
  if (definition.HasOption(8))
    entries.push_back(ChooseText(" alle - Area", " all - Area"));
  if (definition.HasOption(17))
    entries.push_back(ChooseText(" alle - LDK", " all - LDK"));
  else
    entries.push_back(ChooseText(" alle - DOK", " all - DOK"));
  return entries;
}

int LogListSortKey(const ContestDefinition& definition, int index, char band, std::string* low,
                   std::string* high) {
  const int entries = static_cast<int>(LogListSortEntries(definition).size());
  if (index < 0 || index >= entries)
    return 0;
  // The whole index: from the empty key to one above every key text.
  *low = std::string();
  *high = std::string(50, '\xFF');
  if (LogListSortByBand(index)) {
    *low = std::string(1, band);
    *high = std::string(1, band) + std::string(49, '\xFF');
  }
  switch (index) {
  case 0:
    return 8;
  case 1:
    return 9;
  case 2:
    return 10;
  case 3:
    *low = LogListLowKey();
    *high = LogListHighKey();
    return kLogListKey;
  case 4:
    return 2;
  case 5:
    return 5;
  case 6:
    return 18;
  default:
    return 1;
  }
}

} // namespace tarvik
