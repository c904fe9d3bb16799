#include "outputs/header_evaluation.h"

#include "radio/bands.h"
#include "storage/pictures.h"
#include "storage/strings.h"

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

  const int lastSlot = extended ? ContestExtensionRecord::kBandSlots : 7;
  std::int64_t q = 0, m = 0, p = 0;
  for (int slot = 1; slot <= lastSlot; ++slot) {
    q += qsos(slot);
    m += multis(slot);
    p += points(slot);
  }
  if (definition.EvaluationKind == 1)
    m = multis(1);
  e.totalQsos = static_cast<std::int32_t>(q);
  e.totalMultis = static_cast<std::int32_t>(m);
  e.totalPoints = static_cast<std::int32_t>(p);

  const bool hasMultipliers = definition.HasMultipliers();
  const bool plain = definition.PlainMultCount != 0;
  const bool perBand = definition.PerBandScore != 0;
  if (!hasMultipliers || plain) {
    e.scoreValue = p;
  } else if (perBand) {
    // Per band: points alone where the band has no multiplier, else multipliers x points.
    for (int slot = 1; slot <= ContestExtensionRecord::kBandSlots; ++slot) {
      const std::int64_t bm = extension.bandMultis(slot);
      const std::int64_t bp = extension.bandPoints(slot);
      e.scoreValue += bm < 1 ? bp : bm * bp;
    }
  } else {
    e.scoreValue = m < 1 ? p : m * p;
  }

  e.qsoTotal = std::to_string(q) + " QSO";
  e.score = ScoreText(e.scoreValue);
  if (!hasMultipliers) {
    e.multiColumnEnabled = false;
    e.totalsCentred = true;
  } else {
    if (plain || perBand) {
      const std::string& label = definition.MultLabel1;
      e.multiTotal = std::to_string(m) + (label == "PLZ"      ? " PLZ"
                                          : label == "Prefix" ? " Prefixe"
                                                              : " Multi");
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
  if (contestCode == '5' && definition.MultLabel1 == "PLZ") {
    e.scoreVisible = false;
    e.rows[0].multis = "    0";
    e.pointsTotal = std::to_string(p) + " Punkte";
    e.pointsTotalVisible = true;
  }
  if (contestCode == 'E' && definition.EvaluationKind == 1)
    e.bandRowsVisible = false;
  return e;
}

} // namespace tarvik
