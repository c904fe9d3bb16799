#pragma once
// The multipliers of the stored QSOs, held in memory: every unit worked (MultiplierRules)
// with the slot and per-column count it went into. Built by walking the QSO file once when
// a log is opened (and after a change or delete), then extended by each stored QSO, so
// that the per-band counts, the score and the display tables never need a walk over the
// file. Counts are not capped: a kind may have any number of values; only the display
// tables of the multiplier panel stop at 500 entries.

#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "contest/multiplier_rules.h"

namespace tarvik {

/// Per-band arrays are indexed by band letter; index 1 collects what counts once.
inline constexpr int kBandSlots = 256;

class MultiplierIndex {
public:
  /// REQUIRES: `rules` outlives the index.
  explicit MultiplierIndex(const MultiplierRules& rules) : rules_(rules) {}

  void Clear();

  /// Counts the units of a stored QSO that were not worked yet (every DOK QSO for code 'L').
  /// Marker records and QSOs that do not qualify add nothing.
  void Add(const QsoRecord& record);

  /// True when the unit was worked by a stored QSO.
  bool Contains(MultKind kind, const MultUnit& unit) const;

  /// Weighted multiplier count of slot 1..255.
  int SlotCount(int slot) const;
  /// Weighted count of column 1..3 in slot 1..255 (the columns add up to SlotCount).
  int ColumnCount(int column, int slot) const;
  /// Sum of all slots.
  int Total() const;

  /// The values of `kind` that the multiplier panel lists for `band`, in ascending order,
  /// at most `limit` of them: for kinds counted per band the values worked on that band
  /// (a DOK worked in two mode groups appears twice with EvaluationKind 2), for kinds
  /// counted once all values. A value counted several times (code 'L') appears that often.
  std::vector<std::string> DisplayValues(MultKind kind, char band, std::size_t limit) const;

private:
  struct UnitInfo {
    int slot = 0;
    int weight = 0;
    int count = 0;
  };
  using UnitMap = std::map<std::string, UnitInfo>; // scope + value

  const MultiplierRules& rules_;
  std::array<UnitMap, kMultKinds> units_;
  std::array<int, kBandSlots> slotCounts_{};
  std::array<std::array<int, kBandSlots>, 3> columnCounts_{};
};

} // namespace tarvik
