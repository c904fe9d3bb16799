#pragma once
// The exchange evaluation of the QSO being entered: which of its values are new
// multipliers (pending until the QSO is stored or the entry changes), which were worked
// before (marked for the panel), the multiplier marks written into the record, the
// display tables of every kind and the merged multiplier panel.
//
// "Worked before" is decided against the stored QSO file through its keys
// (MultiplierRules::Search), so a QSO changed or deleted in the file counts as it is now;
// the counts come from the MultiplierIndex of the stored QSOs plus the pending values.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "contest/multiplier_index.h"
#include "contest/multiplier_rules.h"

namespace tarvik {

class Fileblock;

/// Status of a value in a display table and on the panel.
enum class MultStatus : std::uint8_t {
  kWorked = 0,     ///< worked earlier (grey, bold)
  kNew = 1,        ///< new with the QSO being entered (red, bold)
  kWorkedAgain = 2 ///< worked earlier and given again by the QSO being entered (green,
                   ///< bold, underlined)
};

struct MultTableEntry {
  std::string value;
  MultStatus status = MultStatus::kWorked;
  friend bool operator==(const MultTableEntry&, const MultTableEntry&) = default;
};

/// A display table holds at most this many entries.
inline constexpr std::size_t kMultTableSize = 500;

class MultiplierTracker {
public:
  /// REQUIRES: `rules` and `index` outlive the tracker.
  MultiplierTracker(const MultiplierRules& rules, const MultiplierIndex& index)
      : rules_(rules), index_(index) {}

  /// Undoes the pending values of the previous evaluation and resets every status mark.
  void Undo();
  /// The QSO was stored: the pending values stay counted (the caller adds the QSO to the
  /// index) and are no longer pending; status marks are reset.
  void Commit();

  /// Evaluates `record` (the QSO being entered): undoes the previous evaluation, clears
  /// MultMark1 and MultMark2 (and Call2 unless `keepCall2`), then for each active kind with
  /// a value decides whether an earlier QSO of `log` holds its unit; a new value is written
  /// into the marks of the columns that name its kind (column 3 is Call2, left alone when
  /// `keepCall2`) and becomes pending with its weight. `excludeRecord` is the record number
  /// of the QSO itself when it is stored already (a change), else 0.
  void Evaluate(QsoRecord& record, Fileblock& log, bool keepCall2, std::int32_t excludeRecord = 0);

  /// Weight the pending values add to slot 1..255.
  int PendingCount(int slot) const;
  /// Weight the pending values add to column 1..3 of slot 1..255.
  int PendingColumnCount(int column, int slot) const;
  /// True when the evaluation left a pending value of `kind`.
  bool HasPending(MultKind kind) const;
  const MultUnit& Pending(MultKind kind) const {
    return pending_[static_cast<std::size_t>(kind)].unit;
  }
  /// The value of `kind` marked as worked again ("" when none).
  const std::string& WorkedAgain(MultKind kind) const {
    return workedAgain_[static_cast<std::size_t>(kind)];
  }

  /// The display table of `kind` for `band`: the stored values in ascending order with the
  /// pending value inserted at its place (status new) and the value given again marked,
  /// at most 500 entries (a value sorting after all 500 of a full table is not shown).
  std::vector<MultTableEntry> Table(MultKind kind, char band) const;
  /// The tables of all active kinds merged in ascending text order: the first `cells`
  /// entries (the panel's 8 x 14 labels).
  std::vector<MultTableEntry> Panel(char band, std::size_t cells) const;

private:
  struct PendingValue {
    MultUnit unit;
    int weight = 0;
    int slot = 0;
    int column = 1;
    bool set = false;
  };
  bool Counted(std::size_t kind) const;
  bool WorkedBefore(MultKind kind, const QsoRecord& record, const MultUnit& unit, Fileblock& log,
                    std::int32_t excludeRecord) const;

  const MultiplierRules& rules_;
  const MultiplierIndex& index_;
  std::array<PendingValue, kMultKinds> pending_{};
  std::array<std::string, kMultKinds> workedAgain_{};
};

} // namespace tarvik
