#include "outputs/output_totals.h"

#include "contest/header_statistics.h"

namespace tarvik {

OutputTotals ReadOutputTotals(const ContestDefinition& definition,
                              const ContestHeaderRecord& header,
                              const ContestExtensionRecord& extension) {
  const SlotTotals slots = ReadHeaderStatistics(definition, header, extension);
  OutputTotals t;
  t.qsos = slots.TotalQsos();
  t.points = slots.TotalPoints();
  t.multis = slots.TotalMultis();
  for (std::size_t c = 0; c < 3; ++c) {
    std::int64_t sum = 0;
    for (int slot = 1; slot < kBandSlots; ++slot)
      sum += slots.columnMultis[c][static_cast<std::size_t>(slot)];
    t.columnMultis[c] = static_cast<std::int32_t>(sum);
  }
  t.score = ComputeScore(definition, slots);
  return t;
}

} // namespace tarvik
