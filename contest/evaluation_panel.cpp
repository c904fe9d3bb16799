#include "contest/evaluation_panel.h"

#include <algorithm>
#include <climits>

#include "base/pictures.h"
#include "base/strings.h"
#include "contest/contest_traits.h"
#include "contest/header_statistics.h"
#include "radio/bands.h"

namespace tarvik {

namespace {

std::string Cell(std::int64_t n) {
  return FormatLongPicture(
      "#####", static_cast<std::int32_t>(std::clamp<std::int64_t>(n, INT32_MIN, INT32_MAX)));
}

// "#########" + " Pkt."; a score beyond nine digits is shown in full.
std::string ScoreText(std::int64_t score) {
  const std::string digits = score >= 0 && score <= 999999999
                                 ? FormatLongPicture("#########", static_cast<std::int32_t>(score))
                                 : std::to_string(score);
  return digits + " Pkt.";
}

} // namespace

EvaluationPanel ComputeEvaluationPanel(const ContestDefinition& definition, char contestCode,
                                       const std::array<PanelSlot, 7>& slots,
                                       const SlotTotals& totals, char currentBand) {
  const ContestTraits& traits = TraitsOf(contestCode);
  EvaluationPanel e;
  for (std::size_t n = 0; n < e.rows.size(); ++n) {
    EvaluationPanel::Row& row = e.rows[n];
    row.band = n < definition.Bands.size() ? definition.Bands[n] : '\0';
    row.visible = IsBandLetter(row.band);
    if (row.visible)
      row.name = BandName(row.band);
    row.qsos = Cell(slots[n].qsos);
    row.multis = Cell(slots[n].multis);
    row.points = Cell(slots[n].points);
    row.current = row.visible && row.band == currentBand;
  }

  // The totals and the score as every output claims them: the one score function.
  const std::int32_t q = totals.TotalQsos();
  const std::int32_t m = totals.TotalMultis();
  const std::int32_t p = totals.TotalPoints();
  e.totalQsos = q;
  e.totalMultis = m;
  e.totalPoints = p;
  e.scoreValue = ComputeScore(definition, totals);

  e.multipliers = definition.HasMultipliers();
  e.multiBlockVisible = e.multipliers && definition.EvaluationKind != 1;
  e.qsoTotal = std::to_string(q) + " QSO";
  e.score = ScoreText(e.scoreValue);
  if (e.multipliers) {
    const bool perBand = definition.PerBandScore != 0;
    if (definition.PlainMultCount != 0 || perBand)
      e.multiTotal = std::to_string(m) + PlainMultTotalSuffix(traits.multCountName);
    else
      e.multiTotal = std::to_string(m) + " Multi x";
    if (perBand) {
      e.pointsTotal = std::to_string(p) + " Punkte";
      e.pointsTotalVisible = false;
    } else {
      e.pointsTotal = std::to_string(p) + " Punkte =";
    }
  }
  if (traits.postcodeAreasWithoutScore && definition.MultColumnKind(1) == MultColumn::kPostcode) {
    e.scoreVisible = false;
    e.rows[0].multis = "    0";
    e.pointsTotal = std::to_string(p) + " Punkte";
    e.pointsTotalVisible = true;
  }
  e.totalsOnly = traits.contestWideTotals && definition.EvaluationKind == 1;
  e.partyButtonVisible = definition.PartyFlag != 0;
  return e;
}

EvaluationPanel LiveEvaluationPanel(const ContestDefinition& definition, char contestCode,
                                    const SlotTotals& totals, char currentBand) {
  std::array<PanelSlot, 7> slots{};
  for (std::size_t n = 0; n < slots.size() && n < definition.Bands.size(); ++n) {
    const char band = definition.Bands[n];
    if (!IsBandLetter(band))
      continue;
    const auto slot = static_cast<std::size_t>(static_cast<unsigned char>(band));
    slots[n] = {totals.qsos[slot], totals.multis[slot], totals.points[slot]};
  }
  return ComputeEvaluationPanel(definition, contestCode, slots, totals, currentBand);
}

EvaluationPanel HeaderEvaluationPanel(const ContestDefinition& definition, char contestCode,
                                      const ContestHeaderRecord& header,
                                      const ContestExtensionRecord& extension) {
  const bool extended = header.extendedStats() != 0;
  std::array<PanelSlot, 7> slots{};
  for (int slot = 1; slot <= 7; ++slot) {
    PanelSlot& s = slots[static_cast<std::size_t>(slot - 1)];
    s.qsos = extended ? extension.bandQsos(slot) : static_cast<std::int32_t>(header.bandQsos(slot));
    s.multis =
        extended ? extension.bandMultis(slot) : static_cast<std::int32_t>(header.bandMultis(slot));
    s.points = extended ? extension.bandPoints(slot) : header.bandPoints(slot);
  }
  EvaluationPanel e = ComputeEvaluationPanel(definition, contestCode, slots,
                                             ReadHeaderStatistics(definition, header, extension));
  e.score = TrimBlanks(e.score);
  return e;
}

} // namespace tarvik
