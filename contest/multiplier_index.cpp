#include "contest/multiplier_index.h"

#include <algorithm>

namespace tarvik {

void MultiplierIndex::Clear() {
  for (UnitMap& map : units_)
    map.clear();
  slotCounts_.fill(0);
  for (auto& column : columnCounts_)
    column.fill(0);
}

void MultiplierIndex::Add(const QsoRecord& record) {
  if (!rules_.Qualifies(record))
    return;
  for (MultKind kind : rules_.ActiveKinds()) {
    const MultUnit unit = rules_.Unit(kind, record);
    if (unit.empty())
      continue;
    UnitMap& map = units_[static_cast<std::size_t>(kind)];
    auto [it, inserted] = map.try_emplace(unit.scope + unit.value);
    if (!inserted && !rules_.AlwaysNew(kind))
      continue;
    UnitInfo& info = it->second;
    if (inserted) {
      info.slot = rules_.Slot(kind, record.Band());
      info.weight = rules_.Weight(kind, unit.value);
    }
    ++info.count;
    if (info.slot >= 1 && info.slot < kBandSlots) {
      slotCounts_[static_cast<std::size_t>(info.slot)] += info.weight;
      const int column = rules_.CountColumn(kind);
      columnCounts_[static_cast<std::size_t>(column - 1)][static_cast<std::size_t>(info.slot)] +=
          info.weight;
    }
  }
}

bool MultiplierIndex::Contains(MultKind kind, const MultUnit& unit) const {
  return units_[static_cast<std::size_t>(kind)].contains(unit.scope + unit.value);
}

int MultiplierIndex::SlotCount(int slot) const {
  return slot >= 1 && slot < kBandSlots ? slotCounts_[static_cast<std::size_t>(slot)] : 0;
}

int MultiplierIndex::ColumnCount(int column, int slot) const {
  if (column < 1 || column > 3 || slot < 1 || slot >= kBandSlots)
    return 0;
  return columnCounts_[static_cast<std::size_t>(column - 1)][static_cast<std::size_t>(slot)];
}

int MultiplierIndex::Total() const {
  int total = 0;
  for (int slot = 1; slot < kBandSlots; ++slot)
    total += slotCounts_[static_cast<std::size_t>(slot)];
  return total;
}

std::vector<std::string> MultiplierIndex::DisplayValues(MultKind kind, char band,
                                                        std::size_t limit) const {
  std::vector<std::string> values;
  const UnitMap& map = units_[static_cast<std::size_t>(kind)];
  const bool once = rules_.CountsOnce(kind);
  auto begin = map.begin();
  auto end = map.end();
  std::size_t scopeLength = 0;
  if (!once) {
    const std::string from(1, band);
    const std::string to(1, static_cast<char>(static_cast<unsigned char>(band) + 1));
    begin = map.lower_bound(from);
    end = map.lower_bound(to);
    scopeLength = rules_.EvaluationKind() == 2 ? 2 : 1;
  }
  // With a mode group in the scope the map is ordered by group first: collect, then sort.
  const bool sortAfter = scopeLength == 2;
  for (auto it = begin; it != end; ++it) {
    for (int n = 0; n < it->second.count; ++n) {
      if (!sortAfter && values.size() >= limit)
        return values;
      values.push_back(it->first.substr(scopeLength));
    }
  }
  if (sortAfter) {
    std::stable_sort(values.begin(), values.end());
    if (values.size() > limit)
      values.resize(limit);
  }
  return values;
}

} // namespace tarvik
