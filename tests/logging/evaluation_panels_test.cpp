// The evaluation panel is one computation: the header window shows, from the totals the log
// window left in the header, what the log window's panel showed when it closed, the
// per-contest exceptions included.

#include <gtest/gtest.h>

#include "base/strings.h"
#include "contest/evaluation_panel.h"
#include "session_fixture.h"

namespace tarvik::test {
namespace {

class EvaluationPanels : public SessionTest {
protected:
  /// The header window's panel over the records the session left.
  EvaluationPanel HeaderPanel() {
    const std::string& header = S().Contest().header;
    const std::string& extension = S().Contest().extension;
    return HeaderEvaluationPanel(S().Definition(), S().ContestCode(),
                                 ContestHeaderRecord(header.data()),
                                 ContestExtensionRecord(extension.data()));
  }
};

TEST_F(EvaluationPanels, TheHeaderWindowShowsWhatTheLogWindowShowedAtItsClose) {
  const struct {
    ContestSetup setup;
    std::vector<std::pair<std::string, std::vector<std::string>>> qsos;
  } cases[] = {
      // DOK and locator multipliers per band, extended statistics.
      {{.code = '2', .contestNumber = 1},
       {{"DL1ABC", {"N05", "JO31"}}, {"DL2ABC", {"WN", "JO42"}}}},
      // Postal code areas without a score.
      {{.code = '5', .contestNumber = 2}, {{"DL1ABC", {"48149"}}, {"DL2ABC", {"12345"}}}},
      // No multipliers, everything counted for the contest as a whole.
      {{.code = 'E', .contestNumber = 3}, {{"OK1ABC", {"JO60"}}, {"PA1ABC", {"JO22"}}}},
      // A prefix count once for the contest.
      {{.code = 'P', .contestNumber = 4}, {{"DL1ABC", {"37"}}, {"OK1ABC", {"XX"}}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string("code ") + c.setup.code);
    Open(c.setup);
    for (const auto& [call, exchange] : c.qsos)
      ASSERT_TRUE(Log(call, exchange)) << call;
    const EvaluationPanel live = S().Log().Evaluation(S().Bands().Band());
    S().Close();
    const EvaluationPanel stored = HeaderPanel();
    EXPECT_EQ(stored.qsoTotal, live.qsoTotal);
    EXPECT_EQ(stored.multiTotal, live.multiTotal);
    EXPECT_EQ(stored.pointsTotal, live.pointsTotal);
    EXPECT_EQ(stored.score, TrimBlanks(live.score));
    EXPECT_EQ(stored.scoreValue, live.scoreValue);
    EXPECT_EQ(stored.scoreVisible, live.scoreVisible);
    EXPECT_EQ(stored.pointsTotalVisible, live.pointsTotalVisible);
    EXPECT_EQ(stored.multipliers, live.multipliers);
    EXPECT_EQ(stored.totalsOnly, live.totalsOnly);
    for (std::size_t n = 0; n < live.rows.size(); ++n) {
      EXPECT_EQ(stored.rows[n].visible, live.rows[n].visible) << n;
      EXPECT_EQ(stored.rows[n].name, live.rows[n].name) << n;
      if (!live.totalsOnly && live.rows[n].visible) {
        EXPECT_EQ(stored.rows[n].qsos, live.rows[n].qsos) << n;
        EXPECT_EQ(stored.rows[n].points, live.rows[n].points) << n;
      }
    }
  }
}

TEST(EvaluationPanel, AScoreBeyondNineDigitsIsShownInFull) {
  ContestDefinition def;
  def.Bands = "k";
  def.Options.set(option::kDok);
  SlotTotals totals;
  const auto k = static_cast<std::size_t>('k');
  totals.qsos[k] = 50000;
  totals.points[k] = 60000;
  totals.multis[k] = 20000;
  const EvaluationPanel panel = LiveEvaluationPanel(def, '2', totals, 'k');
  EXPECT_EQ(panel.scoreValue, 1200000000);
  EXPECT_EQ(panel.score, "1200000000 Pkt.");
  EXPECT_EQ(panel.rows[0].qsos, "50000");
  EXPECT_TRUE(panel.rows[0].current);
  totals.multis[k] = 2;
  EXPECT_EQ(LiveEvaluationPanel(def, '2', totals, 'k').score, "   120000 Pkt.");
}

} // namespace
} // namespace tarvik::test
