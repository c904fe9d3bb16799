#pragma once
// The evaluation panel ("Auswertung"): QSOs, multipliers and points of the contest's first
// seven band slots, the totals and the claimed score, as the texts the panel shows. One
// computation serves the log window (live totals of the open log) and the contest header
// window (the totals the log window left in the header), with the per-contest exceptions of
// the catalog's traits: postal code areas counted without a score (code 5) and contests
// whose totals are kept for the contest as a whole (code E).

#include <array>
#include <cstdint>
#include <string>

#include "contest/contest_definition.h"
#include "contest/score.h"
#include "datafiles/contest_records.h"

namespace tarvik {

struct EvaluationPanel {
  struct Row {
    char band = 0;                    ///< the band letter of the slot
    std::string name;                 ///< the band's name; "" for a slot without a band
    bool visible = false;             ///< the slot holds a valid band
    std::string qsos, multis, points; ///< "#####"
    bool current = false;             ///< the log window's current band (drawn yellow)
  };
  std::array<Row, 7> rows;

  std::string qsoTotal;    ///< "<n> QSO"
  std::string multiTotal;  ///< "<n> Multi x" (or " PLZ", " Prefixe", " Multi" for plain
                           ///< counts); "" without multipliers
  std::string pointsTotal; ///< "<n> Punkte =" (" Punkte" for per-band scores and postal code
                           ///< areas); "" without multipliers
  std::string score;       ///< "#########" + " Pkt." (in full beyond nine digits)
  bool pointsTotalVisible = true;
  bool scoreVisible = true;
  /// The contest counts multipliers: the multiplier column and its total are there.
  bool multipliers = true;
  /// The multipliers are counted per band: the log window shows their block.
  bool multiBlockVisible = true;
  /// Only the totals count (code E with multipliers counted once for the contest): the band
  /// rows' headings (log window) or the band rows (header window) are hidden.
  bool totalsOnly = false;
  /// The contest offers the party evaluation (the log window's button).
  bool partyButtonVisible = false;

  std::int32_t totalQsos = 0, totalMultis = 0, totalPoints = 0;
  std::int64_t scoreValue = 0;
};

/// The values of one band slot of the panel.
struct PanelSlot {
  std::int32_t qsos = 0, multis = 0, points = 0;
};

/// The panel of the contest of `definition` for the values of its seven band slots (the
/// first seven bands of the definition), the contest's totals and the current band (0:
/// none).
EvaluationPanel ComputeEvaluationPanel(const ContestDefinition& definition, char contestCode,
                                       const std::array<PanelSlot, 7>& slots,
                                       const SlotTotals& totals, char currentBand = 0);

/// The log window's panel: the slots and totals of the open log, by band letter.
EvaluationPanel LiveEvaluationPanel(const ContestDefinition& definition, char contestCode,
                                    const SlotTotals& totals, char currentBand);

/// The header window's panel: the totals the log window left in the header (or, for
/// contests with extended statistics, in the extension record). Its score is shown without
/// the leading blanks of the picture.
EvaluationPanel HeaderEvaluationPanel(const ContestDefinition& definition, char contestCode,
                                      const ContestHeaderRecord& header,
                                      const ContestExtensionRecord& extension);

} // namespace tarvik
