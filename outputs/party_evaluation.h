#pragma once
// The party evaluation of code 'P' contests: how many QSOs were made with stations of each
// age. The received age is the first exchange element after the RST (characters 4 and 5 of
// the received report). The counts go into 91 counters (ages 0 to 89 and one for 90 and
// more), grouped into classes of 1, 5 or 10 years; the chart layout (title, bars, labels
// and the vertical scale) is computed here so that the window only draws it.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarvik {

class Fileblock;

/// Counters of ages 0..89 and one for 90 and more (index 90).
inline constexpr int kPartyCounters = 91;
using PartyCounters = std::array<std::int32_t, kPartyCounters>;

/// The messages of the party evaluation (Windows-1252): "Der Beginn des Contestes wurde
/// nicht angegeben." (the header has no start date) and "keine gültigen QSO im Log".
std::string PartyNoStartMessage();
std::string PartyNoQsoMessage();

/// The age a received report names: characters 4 and 5, "XX" meaning 1; otherwise the
/// number they begin with (blanks around it ignored, e.g. "7/" is 7). Nothing for a text
/// that holds no number and for a negative number: such a QSO has no counter.
[[nodiscard]] std::optional<int> ReceivedAge(std::string_view receivedReport);

/// The counter of `age` for classes of `classWidth` (1, 5 or 10) years: the class start
/// (age - age mod width), 90 for every age of 90 and more. REQUIRES: age >= 0.
int PartyCounterIndex(int age, int classWidth);

/// Counts the QSOs of the log in key-1 order (date and time) that are not band-change
/// markers and have points above 0, by received age.
PartyCounters CountPartyAges(Fileblock& log, int classWidth);

/// The same for records handed in one by one (e.g. a list in a test or the benchmark).
void AddPartyAge(PartyCounters& counters, std::string_view receivedReport, int classWidth);

/// What the chart shows, in the chart's own coordinates: x runs from the left edge, bars
/// stand on the axis, heights are fractions of the scale maximum.
struct PartyChart {
  struct Bar {
    int counter = 0; ///< counter index (the class start age)
    int x = 0;       ///< left edge: 42 + 5 x counter
    int width = 0;   ///< 3, 15 or 30
    std::int32_t count = 0;
  };
  struct Label {
    int x = 0; ///< left edge of the class the label names
    std::string text;
  };
  std::string title;                    ///< bold blue line at the top
  std::string axisCaption;              ///< "Lebensalter"
  std::vector<Bar> bars;                ///< one per class with a count above 0
  std::vector<Label> labels;            ///< age labels along the axis
  std::int32_t scaleMaximum = 10;       ///< largest counter, at least 10, up to a multiple of 10
  std::vector<std::string> scaleLabels; ///< maximum x n / 10 for n = 1..10
  bool empty = true;                    ///< no counter above 0: nothing to draw
};

/// The chart for `counters` with classes of `classWidth` (1, 5 or 10) years.
PartyChart BuildPartyChart(const PartyCounters& counters, int classWidth);

} // namespace tarvik
