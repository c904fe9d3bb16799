#pragma once
// Per-band totals and the score of a contest.
//
// The totals are arrays indexed by band letter (slots 1..255). Points and QSO counts go
// into the slot of the QSO's band, except for code 'E' with an EvaluationKind other than 0,
// which puts them all into slot 1. Multiplier counts go into the slots MultiplierRules
// names (slot 1 for what counts once for the contest).
//
// Score: M = sum of the multiplier counts, P = sum of the points. Without multiplier kinds,
// or with PlainMultCount, the score is P; with PerBandScore it is the sum over the slots of
// multipliers x points (points alone where a slot has no multiplier); otherwise P x M, and P
// alone while M is below 1. This is the one score of the program: the live display, the
// header window's panel and every output (QSO list, STF, cover sheet) use ComputeScore.

#include <array>
#include <cstdint>

#include "contest/contest_definition.h"
#include "contest/multiplier_index.h"

namespace tarvik {

struct SlotTotals {
  std::array<std::int32_t, kBandSlots> points{};
  std::array<std::int32_t, kBandSlots> qsos{};
  std::array<std::int32_t, kBandSlots> multis{};
  /// Multipliers per multiplier column 1..3 (index 0..2); they add up to `multis`.
  std::array<std::array<std::int32_t, kBandSlots>, 3> columnMultis{};

  std::int32_t TotalPoints() const;
  std::int32_t TotalQsos() const;
  std::int32_t TotalMultis() const;
};

/// The slot of the points and the QSO count of a QSO on `band`.
int PointSlot(const ContestDefinition& definition, char contestCode, char band);
/// The slot whose multiplier count belongs to `band` on screen: 1 for EvaluationKind 1,
/// else the band letter.
int MultiplierSlotOfBand(const ContestDefinition& definition, char band);

/// The score of the totals.
std::int64_t ComputeScore(const ContestDefinition& definition, const SlotTotals& totals);

} // namespace tarvik
