#include "contest/score.h"

#include "contest/contest_traits.h"

namespace tarvik {

namespace {

std::int32_t Sum(const std::array<std::int32_t, kBandSlots>& values) {
  std::int64_t sum = 0;
  for (int slot = 1; slot < kBandSlots; ++slot)
    sum += values[static_cast<std::size_t>(slot)];
  return static_cast<std::int32_t>(sum);
}

} // namespace

std::int32_t SlotTotals::TotalPoints() const {
  return Sum(points);
}
std::int32_t SlotTotals::TotalQsos() const {
  return Sum(qsos);
}
std::int32_t SlotTotals::TotalMultis() const {
  return Sum(multis);
}

int PointSlot(const ContestDefinition& definition, char contestCode, char band) {
  if (TraitsOf(contestCode).contestWideTotals && definition.EvaluationKind != 0)
    return 1;
  return static_cast<unsigned char>(band);
}

int MultiplierSlotOfBand(const ContestDefinition& definition, char band) {
  return definition.EvaluationKind == 1 ? 1 : static_cast<unsigned char>(band);
}

std::int64_t ComputeScore(const ContestDefinition& definition, const SlotTotals& totals) {
  const std::int64_t points = totals.TotalPoints();
  if (!definition.HasMultipliers() || definition.PlainMultCount != 0)
    return points;
  if (definition.PerBandScore != 0) {
    std::int64_t score = 0;
    for (int slot = 1; slot < kBandSlots; ++slot) {
      const auto s = static_cast<std::size_t>(slot);
      const std::int64_t slotPoints = totals.points[s];
      score += totals.multis[s] > 0 ? slotPoints * totals.multis[s] : slotPoints;
    }
    return score;
  }
  // A log without a single multiplier yet scores its points, not zero.
  const std::int64_t multis = totals.TotalMultis();
  return multis < 1 ? points : points * multis;
}

} // namespace tarvik
