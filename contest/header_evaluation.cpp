#include "contest/header_evaluation.h"

#include "base/pictures.h"
#include "base/strings.h"
#include "contest/contest_traits.h"
#include "contest/header_statistics.h"
#include "contest/score.h"
#include "radio/bands.h"

namespace tarvik {

namespace {

std::string Cell(std::int32_t n) {
  return FormatLongPicture("#####", n);
}

std::string ScoreText(std::int64_t score) {
  // "#########"; a score beyond nine digits is still shown in full.
  const std::string digits = score >= 0 && score <= 999999999
                                 ? FormatLongPicture("#########", static_cast<std::int32_t>(score))
                                 : std::to_string(score);
  return TrimBlanks(digits + " Pkt.");
}

} // namespace

HeaderEvaluation EvaluateHeader(const ContestDefinition& definition, char contestCode,
                                const ContestHeaderRecord& header,
                                const ContestExtensionRecord& extension) {
  HeaderEvaluation e;
  const bool extended = header.extendedStats() != 0;
  auto qsos = [&](int slot) {
    return extended ? extension.bandQsos(slot) : static_cast<std::int32_t>(header.bandQsos(slot));
  };
  auto multis = [&](int slot) {
    return extended ? extension.bandMultis(slot)
                    : static_cast<std::int32_t>(header.bandMultis(slot));
  };
  auto points = [&](int slot) {
    return extended ? extension.bandPoints(slot) : header.bandPoints(slot);
  };

  for (int slot = 1; slot <= 7; ++slot) {
    HeaderEvaluation::Row& row = e.rows[static_cast<std::size_t>(slot - 1)];
    const char band = static_cast<std::size_t>(slot) <= definition.Bands.size()
                          ? definition.Bands[static_cast<std::size_t>(slot - 1)]
                          : '\0';
    row.visible = IsBandLetter(band);
    if (row.visible)
      row.band = BandName(band);
    row.qsos = Cell(qsos(slot));
    row.multis = Cell(multis(slot));
    row.points = Cell(points(slot));
  }

  // The totals and the score as every output claims them: the one score function over the
  // totals the log window left in the header.
  const SlotTotals totals = ReadHeaderStatistics(definition, header, extension);
  const std::int64_t q = totals.TotalQsos();
  const std::int64_t m = totals.TotalMultis();
  const std::int64_t p = totals.TotalPoints();
  e.totalQsos = static_cast<std::int32_t>(q);
  e.totalMultis = static_cast<std::int32_t>(m);
  e.totalPoints = static_cast<std::int32_t>(p);
  e.scoreValue = ComputeScore(definition, totals);

  const bool hasMultipliers = definition.HasMultipliers();
  const bool plain = definition.PlainMultCount != 0;
  const bool perBand = definition.PerBandScore != 0;

  e.qsoTotal = std::to_string(q) + " QSO";
  e.score = ScoreText(e.scoreValue);
  if (!hasMultipliers) {
    e.multiColumnEnabled = false;
    e.totalsCentred = true;
  } else {
    if (plain || perBand) {
      e.multiTotal = std::to_string(m) + PlainMultTotalSuffix(TraitsOf(contestCode).multCountName);
    } else {
      e.multiTotal = std::to_string(m) + " Multi x";
    }
    if (perBand) {
      e.pointsTotal = std::to_string(p) + " Punkte";
      e.pointsTotalVisible = false;
    } else {
      e.pointsTotal = std::to_string(p) + " Punkte =";
    }
  }
  const ContestTraits& traits = TraitsOf(contestCode);
  if (traits.postcodeAreasWithoutScore && definition.MultColumnKind(1) == MultColumn::kPostcode) {
    e.scoreVisible = false;
    e.rows[0].multis = "    0";
    e.pointsTotal = std::to_string(p) + " Punkte";
    e.pointsTotalVisible = true;
  }
  if (traits.contestWideTotals && definition.EvaluationKind == 1)
    e.bandRowsVisible = false;
  return e;
}

} // namespace tarvik
