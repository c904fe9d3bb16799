#include "contest/contest_code_lists.h"

#include <algorithm>

#include "base/pictures.h"

namespace tarvik {

namespace {

std::vector<std::string> CopyList(TextList list) {
  std::vector<std::string> out;
  out.reserve(list.size());
  for (const char* entry : list.first(std::min(list.size(), ContestDefinition::kMaxListEntries)))
    out.emplace_back(entry);
  return out;
}

} // namespace

std::string PresetText(const Preset& preset, const PresetSources& sources) {
  switch (preset.source) {
  case PresetSource::None:
  case PresetSource::Keep:
    return {};
  case PresetSource::OwnDok:
    return sources.ownDok;
  case PresetSource::OwnLocator:
    return sources.ownLocator;
  case PresetSource::OwnLocator4:
    return sources.OwnLocator4();
  case PresetSource::Postcode:
    return sources.postcode;
  case PresetSource::Postcode2:
    return sources.postcode.substr(0, 2);
  case PresetSource::Ldk:
    return sources.ldk;
  case PresetSource::ClubId:
    return sources.clubId;
  case PresetSource::Number:
    // No number given: no preset rather than the formatted -1.
    return sources.extraNumber < 0 ? std::string()
                                   : FormatLongPicture(preset.text, sources.extraNumber);
  case PresetSource::Text:
    return preset.text;
  }
  return {};
}

const CodeLists* FindCodeLists(char code) {
  for (const CodeLists& row : AllCodeLists())
    if (row.code == code)
      return &row;
  return nullptr;
}

const CategoryAdjustment* FindCategoryAdjustment(char code, int category) {
  const CodeLists* row = FindCodeLists(code);
  if (row == nullptr || category == 0)
    return nullptr;
  for (const CategoryAdjustment& adjustment : row->adjustments)
    if (adjustment.category == category)
      return &adjustment;
  return nullptr;
}

std::vector<std::string> SplitBarList(std::string_view text) {
  std::vector<std::string> out;
  if (text.empty())
    return out;
  size_t start = 0;
  while (true) {
    const size_t bar = text.find('|', start);
    out.emplace_back(text.substr(start, bar - start));
    if (bar == std::string_view::npos)
      break;
    start = bar + 1;
  }
  return out;
}

void FillCodeLists(char code, ContestDefinition& def) {
  def.TimeBlocks.clear();
  def.Categories.clear();
  def.CallList.clear();
  def.DokList.clear();
  def.SpecialDokList.clear();
  const CodeLists* row = FindCodeLists(code);
  if (row == nullptr)
    return;
  for (const TimeBlockRow& block :
       row->timeBlocks.first(std::min(row->timeBlocks.size(), ContestDefinition::kMaxTimeBlocks)))
    def.TimeBlocks.push_back({block.date, block.startTime, block.endTime, block.bands});
  for (const CategoryRow& category :
       row->categories.first(std::min(row->categories.size(), ContestDefinition::kMaxCategories)))
    def.Categories.push_back({category.description, category.timeBlock, category.shortName});
  def.CallList = CopyList(row->callList);
  def.DokList = CopyList(row->dokList);
  def.SpecialDokList = CopyList(row->specialDokList);
}

const CategoryAdjustment* ApplyCategoryAdjustments(char code, int category,
                                                   const PresetSources& sources,
                                                   ContestDefinition& def) {
  const CategoryAdjustment* adjustment = FindCategoryAdjustment(code, category);
  if (adjustment == nullptr)
    return nullptr;
  const CategoryAdjustment& a = *adjustment;
  if (a.listenerLog)
    def.ListenerLog = 1;
  if (a.modes != nullptr)
    def.Modes = SplitBarList(a.modes);
  if (a.bands != nullptr)
    def.Bands = a.bands;
  if (a.options) {
    def.Options.reset();
    for (int option : *a.options)
      if (option > 0 && option < 256)
        def.Options.set(static_cast<size_t>(option));
  }
  if (a.mults)
    for (int n = 1; n <= 3; ++n)
      def.SetMultColumn(n, (*a.mults)[static_cast<size_t>(n - 1)]);
  for (int n = 1; n <= 3; ++n) {
    const size_t i = static_cast<size_t>(n) - 1;
    if (a.rcvd)
      def.RcvdExchange(n) = (*a.rcvd)[i];
    if (a.sent)
      def.SentExchange(n) = (*a.sent)[i];
    if (a.presets[i].source != PresetSource::Keep)
      def.SentDefault(n) = PresetText(a.presets[i], sources);
  }
  if (a.dokList)
    def.DokList = CopyList(*a.dokList);
  if (a.homeDistricts != nullptr)
    def.HomeDistricts = a.homeDistricts;
  if (a.dupeRule)
    def.DupeRule = static_cast<std::uint8_t>(*a.dupeRule);
  if (a.utcOffsetHours)
    def.UtcOffsetHours = *a.utcOffsetHours;
  if (a.bandAutoOffered)
    def.BandAutoOffered = static_cast<std::uint8_t>(*a.bandAutoOffered);
  if (a.rcvdLabels != nullptr) {
    const std::vector<std::string> labels = SplitBarList(a.rcvdLabels);
    for (int n = 1; n <= 3; ++n)
      def.RcvdLabel(n) = static_cast<size_t>(n) <= labels.size() ? labels[n - 1] : "";
  }
  return adjustment;
}

} // namespace tarvik
