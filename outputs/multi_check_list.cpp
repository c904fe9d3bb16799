#include "outputs/multi_check_list.h"

#include <vector>

#include "base/strings.h"
#include "base/text_helpers.h"
#include "radio/bands.h"

namespace tarvik {

namespace {

constexpr int kPrefixOrder = qso_key::kPrefix;
constexpr int kDokOrder = qso_key::kDok;

std::string PageTitle(const OutputSource& source) {
  const std::string call =
      TrimBlanks(source.Listener() ? source.station.swlNumber : source.header.ownCall());
  return FixWidth(source.definition.ContestName + " Multiplier Check List   " + call, 65);
}

std::string ColumnLine(const ContestDefinition& definition) {
  std::string line = Pad("Multi", 8);
  for (const char band : definition.Bands)
    if (IsBandLetter(band))
      line += Pad(BandName(band), 13);
  return line;
}

/// The row being built: its key and one cell per band of the contest.
class Row {
public:
  explicit Row(const std::string& bands) : bands_(bands), cells_(bands.size()) {}

  const std::string& Key() const { return key_; }
  /// Clears the cells and gives the row a new key.
  void Start(std::string key) {
    key_ = std::move(key);
    for (std::string& cell : cells_)
      cell.clear();
  }
  /// Puts `call` into the cell of `band` unless it holds one already.
  void Enter(char band, const std::string& call) {
    for (std::size_t i = 0; i < bands_.size(); ++i)
      if (bands_[i] == band && cells_[i].empty())
        cells_[i] = call;
  }
  bool HasCall() const {
    for (const std::string& cell : cells_)
      if (!cell.empty())
        return true;
    return false;
  }
  /// The key (cut to 6 characters) padded to 8, then every cell padded or cut to 13.
  std::string Text() const {
    std::string text = Pad(key_.substr(0, 6), 8);
    for (std::size_t i = 0; i < bands_.size(); ++i)
      text += FixWidth(cells_[i], 13);
    return text;
  }

private:
  std::string bands_; ///< the band letters of the contest (non-band entries removed)
  std::string key_;
  std::vector<std::string> cells_;
};

bool Skipped(const QsoRecord& qso) {
  return qso.IsBandChangeMarker() || !IsBandLetter(qso.Band());
}

template <typename Emit> bool WriteRows(const OutputSource& source, Emit&& emit) {
  const ContestDefinition& def = source.definition;
  std::string bands;
  for (const char band : def.Bands)
    if (IsBandLetter(band))
      bands += band;
  bool complete = true;

  if (def.HasDokMultipliers()) {
    // One row per received DOK: the rows follow the full DOK, the key column shows it cut
    // to 6, so that DOKs longer than 6 characters are neither split over rows nor merged.
    Row row(bands);
    complete = ForEachLogRecordInKey(source.log, kDokOrder, "",
                                     [&](const QsoRecord& qso) {
                                       if (Skipped(qso))
                                         return true;
                                       const std::string key = TrimBlanks(qso.FullDok());
                                       if (key != row.Key()) {
                                         if (row.HasCall())
                                           emit(row.Text());
                                         row.Start(key);
                                       }
                                       if (!key.empty())
                                         row.Enter(qso.Band(), qso.Call());
                                       return true;
                                     }) &&
               complete;
    if (row.HasCall())
      emit(row.Text());
  }

  if (def.HasOption(option::kDxcc)) {
    // One row per prefix that counts as a multiplier: "DL" only with option 3, and with
    // option 9 only prefixes of Europe. A QSO whose prefix does not count is left out: its
    // call belongs to no row.
    Row row(bands);
    complete = ForEachLogRecordInKey(source.log, kPrefixOrder, "",
                                     [&](const QsoRecord& qso) {
                                       if (Skipped(qso))
                                         return true;
                                       const std::string prefix = TrimBlanks(qso.Prefix());
                                       const bool counts =
                                           !prefix.empty() &&
                                           (prefix != "DL" ||
                                            def.HasOption(option::kDlCountsAsDxcc)) &&
                                           (!def.HasOption(option::kEuropeOnly) ||
                                            qso.Continent() == "EU");
                                       if (!counts)
                                         return true;
                                       if (prefix != row.Key()) {
                                         if (row.HasCall())
                                           emit(row.Text());
                                         row.Start(prefix);
                                       }
                                       row.Enter(qso.Band(), qso.Call());
                                       return true;
                                     }) &&
               complete;
    if (row.HasCall())
      emit(row.Text());
  }
  return complete;
}

} // namespace

bool WriteMultiCheckListFile(TextFileWriter& out, const OutputSource& source) {
  out.ListLine(PageTitle(source));
  out.ListLine(" ");
  out.ListLine(" ");
  out.ListLine(ColumnLine(source.definition));
  out.ListLine(" ");
  return WriteRows(source, [&](const std::string& text) { out.ListLine(text); });
}

bool PrintMultiCheckList(PaperPage& page, const OutputSource& source) {
  const std::string title = PageTitle(source);
  const std::string columns = ColumnLine(source.definition);
  auto pageHeader = [&] {
    page.Top();
    page.SetBold(true);
    page.WriteLine(title + "Page :" + LeftPad(std::to_string(page.PageNumber()), 4));
    page.SetBold(false);
    page.WriteLine(" ");
    page.WriteLine(" ");
    page.WriteLine(columns);
    page.WriteLine(" ");
  };
  pageHeader();
  return WriteRows(source, [&](const std::string& text) {
    if (!page.LineFits()) {
      page.NewPage();
      pageHeader();
    }
    page.WriteLine(text);
  });
}

} // namespace tarvik
