#include "contest/header_statistics.h"

#include <algorithm>
#include <vector>

#include "contest/contest_traits.h"
#include "radio/bands.h"

namespace tarvik {

namespace {

std::uint16_t U16(std::int32_t value) {
  return static_cast<std::uint16_t>(std::clamp<std::int32_t>(value, 0, 65535));
}

// The values of header or extension slot n.
struct SlotValues {
  std::int32_t qsos = 0, multis = 0, points = 0;
  std::array<std::int32_t, 3> columns{};
};

std::vector<SlotValues> SlotsOf(const ContestDefinition& def, char code, const SlotTotals& t,
                                std::size_t slots) {
  std::vector<SlotValues> out(slots);
  const bool once = def.EvaluationKind == 1;
  const bool allInFirst = TraitsOf(code).contestWideTotals && def.EvaluationKind != 0;
  for (std::size_t n = 0; n < slots && n < def.Bands.size(); ++n) {
    const char band = def.Bands[n];
    if (!IsBandLetter(band))
      continue;
    const auto b = static_cast<std::size_t>(static_cast<unsigned char>(band));
    SlotValues& v = out[n];
    if (!allInFirst) {
      v.points = t.points[b];
      v.qsos = t.qsos[b];
    }
    if (!once) {
      v.multis = t.multis[b];
      for (std::size_t c = 0; c < 3; ++c)
        v.columns[c] = t.columnMultis[c][b];
    }
  }
  if (!out.empty()) {
    SlotValues& first = out.front();
    if (allInFirst) {
      first.points = t.points[1];
      first.qsos = t.qsos[1];
    }
    if (once) {
      first.multis = t.TotalMultis();
      for (std::size_t c = 0; c < 3; ++c) {
        std::int32_t sum = 0;
        for (int slot = 1; slot < kBandSlots; ++slot)
          sum += t.columnMultis[c][static_cast<std::size_t>(slot)];
        first.columns[c] = sum;
      }
    }
  }
  return out;
}

} // namespace

void WriteHeaderStatistics(const ContestDefinition& definition, char contestCode,
                           const SlotTotals& totals, ContestHeaderRecord& header,
                           ContestExtensionRecord& extension) {
  if (header.extendedStats() != 0) {
    const auto slots = SlotsOf(definition, contestCode, totals,
                               static_cast<std::size_t>(ContestExtensionRecord::kBandSlots));
    for (int n = 1; n <= ContestExtensionRecord::kBandSlots; ++n) {
      const SlotValues& v = slots[static_cast<std::size_t>(n - 1)];
      extension.SetBandQsos(n, v.qsos);
      extension.SetBandMultis(n, v.multis);
      extension.SetBandPoints(n, v.points);
      for (int c = 1; c <= 3; ++c)
        extension.SetBandColumnMultis(c, n, U16(v.columns[static_cast<std::size_t>(c - 1)]));
    }
    return;
  }
  const auto slots = SlotsOf(definition, contestCode, totals,
                             static_cast<std::size_t>(ContestHeaderRecord::kBandSlots));
  for (int n = 1; n <= ContestHeaderRecord::kBandSlots; ++n) {
    const SlotValues& v = slots[static_cast<std::size_t>(n - 1)];
    header.SetBandQsos(n, U16(v.qsos));
    header.SetBandMultis(n, U16(v.multis));
    header.SetBandPoints(n, v.points);
    for (int c = 1; c <= 2; ++c)
      header.SetBandColumnMultis(c, n, U16(v.columns[static_cast<std::size_t>(c - 1)]));
  }
}

SlotTotals ReadHeaderStatistics(const ContestDefinition& definition,
                                const ContestHeaderRecord& header,
                                const ContestExtensionRecord& extension) {
  SlotTotals t;
  const bool extended = header.extendedStats() != 0;
  const int slots = extended ? ContestExtensionRecord::kBandSlots : ContestHeaderRecord::kBandSlots;
  for (int n = 1; n <= slots; ++n) {
    const auto i = static_cast<std::size_t>(n);
    t.points[i] = extended ? extension.bandPoints(n) : header.bandPoints(n);
    t.qsos[i] = extended ? extension.bandQsos(n) : header.bandQsos(n);
    if (definition.EvaluationKind == 1 && n > 1)
      continue; // counted once for the contest: slot 1 holds them all
    t.multis[i] = extended ? extension.bandMultis(n) : header.bandMultis(n);
    for (int c = 1; c <= 3; ++c) {
      const std::int32_t v = extended ? extension.bandColumnMultis(c, n)
                             : c <= 2 ? header.bandColumnMultis(c, n)
                                      : 0;
      t.columnMultis[static_cast<std::size_t>(c - 1)][i] = v;
    }
  }
  return t;
}

} // namespace tarvik
