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
  return LiveEvaluationPanel(def_, code_, Totals(), band_);
}

} // namespace tarvik
