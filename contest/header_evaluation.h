#pragma once
// The evaluation panel of the contest header window ("Auswertung"): QSOs, multipliers and
// points of the contest's band slots as the log window left them in the header (or, for
// contests with extended statistics, in the extension record), the totals and the claimed
// score, as the texts the panel shows.

#include <array>
#include <cstdint>
#include <string>

#include "contest/contest_definition.h"
#include "datafiles/contest_records.h"

namespace tarvik {

struct HeaderEvaluation {
  struct Row {
    bool visible = false;             ///< the slot holds a valid band
    std::string band;                 ///< the band's name
    std::string qsos, multis, points; ///< "#####"
  };
  std::array<Row, 7> rows;

  std::string qsoTotal; ///< "<n> QSO"
  std::string
      multiTotal; ///< "<n> Multi x" (or " PLZ", " Prefixe", " Multi"); "" without multipliers
  std::string
      pointsTotal;   ///< "<n> Punkte =" (" Punkte" for per-band scores); "" without multipliers
  std::string score; ///< "<n> Pkt."
  bool pointsTotalVisible = true;
  bool scoreVisible = true;
  /// The multiplier column and its total: disabled for contests without multipliers, whose
  /// total row is then centred.
  bool multiColumnEnabled = true;
  bool totalsCentred = false;
  /// Code E with multipliers counted once for the contest shows only the totals.
  bool bandRowsVisible = true;

  std::int32_t totalQsos = 0, totalMultis = 0, totalPoints = 0;
  std::int64_t scoreValue = 0;
};

/// The panel for the contest of `definition`, whose header is `header` and extension
/// record `extension`.
HeaderEvaluation EvaluateHeader(const ContestDefinition& definition, char contestCode,
                                const ContestHeaderRecord& header,
                                const ContestExtensionRecord& extension);

} // namespace tarvik
