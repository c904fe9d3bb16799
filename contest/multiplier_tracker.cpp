#include "contest/multiplier_tracker.h"

#include <algorithm>

#include "datafiles/log_scan.h"

namespace tarvik {

void MultiplierTracker::Undo() {
  for (PendingValue& p : pending_)
    p = PendingValue();
  for (std::string& value : workedAgain_)
    value.clear();
}

void MultiplierTracker::Commit() {
  Undo();
}

bool MultiplierTracker::WorkedBefore(MultKind kind, const QsoRecord& record, const MultUnit& unit,
                                     Fileblock& log, std::int32_t excludeRecord) const {
  if (rules_.AlwaysNew(kind))
    return false;
  const MultSearch search = rules_.Search(kind, record, unit);
  bool worked = false;
  VisitRecords(log, search.key, search.prefix, [&](std::int32_t ref, const QsoRecord& earlier) {
    if (ref != excludeRecord && rules_.Unit(kind, earlier) == unit)
      worked = true;
    return !worked;
  });
  return worked;
}

void MultiplierTracker::Evaluate(QsoRecord& record, Fileblock& log, bool keepCall2,
                                 std::int32_t excludeRecord) {
  Undo();
  record.SetMultMark1("");
  record.SetMultMark2("");
  if (!keepCall2)
    record.SetCall2("");
  if (!rules_.Qualifies(record))
    return;
  for (MultKind kind : rules_.ActiveKinds()) {
    const MultUnit unit = rules_.Unit(kind, record);
    if (unit.empty())
      continue;
    const auto k = static_cast<std::size_t>(kind);
    if (WorkedBefore(kind, record, unit, log, excludeRecord)) {
      workedAgain_[k] = unit.value;
      continue;
    }
    for (int column : rules_.MarkColumns(kind)) {
      if (column == 1)
        record.SetMultMark1(unit.value);
      else if (column == 2)
        record.SetMultMark2(unit.value);
      else if (!keepCall2)
        record.SetCall2(unit.value);
    }
    PendingValue& p = pending_[k];
    p.unit = unit;
    p.weight = rules_.Weight(kind, unit.value);
    p.slot = rules_.Slot(kind, record.Band());
    p.column = rules_.CountColumn(kind);
    p.set = true;
  }
}

bool MultiplierTracker::Counted(std::size_t k) const {
  // A stored QSO being changed is in the index already with its own values.
  const PendingValue& p = pending_[k];
  const auto kind = static_cast<MultKind>(k);
  return p.set && (rules_.AlwaysNew(kind) || !index_.Contains(kind, p.unit));
}

int MultiplierTracker::PendingCount(int slot) const {
  int count = 0;
  for (std::size_t k = 0; k < pending_.size(); ++k)
    if (Counted(k) && pending_[k].slot == slot)
      count += pending_[k].weight;
  return count;
}

int MultiplierTracker::PendingColumnCount(int column, int slot) const {
  int count = 0;
  for (std::size_t k = 0; k < pending_.size(); ++k)
    if (Counted(k) && pending_[k].slot == slot && pending_[k].column == column)
      count += pending_[k].weight;
  return count;
}

bool MultiplierTracker::HasPending(MultKind kind) const {
  return pending_[static_cast<std::size_t>(kind)].set;
}

std::vector<MultTableEntry> MultiplierTracker::Table(MultKind kind, char band) const {
  std::vector<MultTableEntry> table;
  const auto k = static_cast<std::size_t>(kind);
  for (std::string& value : index_.DisplayValues(kind, band, kMultTableSize))
    table.push_back({std::move(value), MultStatus::kWorked});
  const std::string& again = workedAgain_[k];
  if (!again.empty()) {
    for (MultTableEntry& entry : table)
      if (entry.value == again) {
        entry.status = MultStatus::kWorkedAgain;
        break;
      }
  }
  const PendingValue& p = pending_[k];
  const bool shown = p.set && (p.unit.scope.empty() || p.unit.scope[0] == band);
  if (shown) {
    auto at = std::upper_bound(
        table.begin(), table.end(), p.unit.value,
        [](const std::string& value, const MultTableEntry& entry) { return value < entry.value; });
    table.insert(at, {p.unit.value, MultStatus::kNew});
    if (table.size() > kMultTableSize)
      table.pop_back();
  }
  return table;
}

std::vector<MultTableEntry> MultiplierTracker::Panel(char band, std::size_t cells) const {
  std::vector<MultTableEntry> merged;
  for (MultKind kind : rules_.ActiveKinds()) {
    std::vector<MultTableEntry> table = Table(kind, band);
    merged.insert(merged.end(), std::make_move_iterator(table.begin()),
                  std::make_move_iterator(table.end()));
  }
  auto byText = [](const MultTableEntry& a, const MultTableEntry& b) { return a.value < b.value; };
  std::stable_sort(merged.begin(), merged.end(), byText);
  if (merged.size() > cells)
    merged.resize(cells);
  return merged;
}

} // namespace tarvik
