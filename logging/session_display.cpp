// What the window draws from the session: the multiplier panel, the counters of the
// entry panel and the live evaluation panel.

#include <algorithm>
#include <climits>

#include "base/pictures.h"
#include "base/text_helpers.h"
#include "logging/qso_session.h"
#include "radio/bands.h"

namespace tarvik {

namespace {

std::string Number(std::string_view picture, std::int64_t value) {
  return FormatLongPicture(
      picture, static_cast<std::int32_t>(std::clamp<std::int64_t>(value, INT32_MIN, INT32_MAX)));
}

} // namespace

std::vector<PanelCell> QsoSession::MultiplierPanel() const {
  const std::size_t cells = static_cast<std::size_t>(kPanelRows * kPanelColumns);
  std::vector<PanelCell> panel(cells);
  for (PanelCell& cell : panel)
    cell.bold = traits_.panelLabelsBold;
  const std::vector<MultTableEntry> entries = tracker_.Panel(band_, cells);
  for (std::size_t i = 0; i < entries.size(); ++i) {
    PanelCell& cell = panel[i];
    cell.text = entries[i].value;
    switch (entries[i].status) {
    case MultStatus::kWorked:
      cell.colour = PanelColour::kGrey;
      break;
    case MultStatus::kNew:
      cell.colour = PanelColour::kRed;
      break;
    case MultStatus::kWorkedAgain:
      cell.colour = PanelColour::kGreen;
      cell.underline = true;
      break;
    }
  }
  return panel;
}

EntryCounters QsoSession::Counters() const {
  EntryCounters counters;
  counters.nextNumber = std::to_string(nextQsoNr_);
  if (traits_.contestWideTotals && def_.EvaluationKind == 1)
    return counters;
  const SlotTotals totals = Totals();
  const std::string bandName = CurrentBandName();
  const auto pointSlot = static_cast<std::size_t>(PointSlot(def_, code_, band_));
  const auto multiSlot = static_cast<std::size_t>(MultiplierSlotOfBand(def_, band_));
  counters.pointsCaption = ChooseText("Punkte ", "Score ") + bandName;
  counters.pointsValue = Number("########", totals.points[pointSlot]);
  counters.multiCaption = MultiCounterCaption(traits_.multCountName);
  if (def_.EvaluationKind == 0 || def_.EvaluationKind == 2)
    counters.multiCaption += bandName;
  counters.multiValue = Number("#####", totals.multis[multiSlot]);
  counters.qsoCaption = "QSO " + bandName;
  counters.qsoValue = Number("#####", totals.qsos[pointSlot]);
  return counters;
}

EvaluationPanel QsoSession::Evaluation() const {
  EvaluationPanel panel;
  const SlotTotals totals = Totals();
  const bool multipliers = def_.HasMultipliers();
  for (std::size_t n = 0; n < panel.rows.size(); ++n) {
    EvaluationPanel::Row& row = panel.rows[n];
    row.band = n < def_.Bands.size() ? def_.Bands[n] : '\0';
    row.visible = IsBandLetter(row.band);
    if (!row.visible)
      continue;
    const auto slot = static_cast<std::size_t>(static_cast<unsigned char>(row.band));
    row.name = BandName(row.band);
    row.qsos = Number("#####", totals.qsos[slot]);
    row.multis = Number("#####", totals.multis[slot]);
    row.points = Number("#####", totals.points[slot]);
    row.current = row.band == band_;
  }
  panel.headingsVisible = !(traits_.contestWideTotals && def_.EvaluationKind == 1);
  panel.multiBlockVisible = multipliers && def_.EvaluationKind != 1;
  const std::int32_t q = totals.TotalQsos();
  const std::int32_t m = totals.TotalMultis();
  const std::int32_t p = totals.TotalPoints();
  panel.totalQsos = std::to_string(q) + " QSO";
  if (multipliers) {
    std::string suffix = " Multi x";
    if (def_.PlainMultCount != 0 || def_.PerBandScore != 0)
      suffix = PlainMultTotalSuffix(traits_.multCountName);
    panel.totalMultis = std::to_string(m) + suffix;
  }
  if (def_.PerBandScore != 0) {
    panel.totalPoints = std::to_string(p) + " Punkte";
    panel.totalPointsVisible = false;
  } else if (multipliers) {
    panel.totalPoints = std::to_string(p) + " Punkte =";
  }
  panel.score = Number("#########", ComputeScore(def_, totals)) + " Pkt.";
  if (traits_.postcodeAreasWithoutScore && def_.MultColumnKind(1) == MultColumn::kPostcode) {
    panel.scoreVisible = false;
    panel.rows[0].multis = "    0";
    panel.totalPoints = std::to_string(p) + " Punkte";
  }
  panel.partyButtonVisible = def_.PartyFlag != 0;
  return panel;
}

} // namespace tarvik
