// The header window's evaluation panel for contests of each kind (plain multipliers, none,
// points only, per-band scores, extended statistics) and its output menu by contest code.

#include <gtest/gtest.h>

#include <vector>

#include "contest/contest_catalog.h"
#include "contest/evaluation_panel.h"
#include "outputs/header_output_menu.h"
#include "support/fake_clock.h"
#include "support/fake_dialogs.h"

namespace tarvik {
namespace {

ContestDefinition DefinitionOf(char code) {
  test::FakeDialogs dialogs;
  test::FakeClock clock;
  ContestHeaderFields fields;
  return BuildContestDefinition(code, fields, "JO32QA", dialogs, clock);
}

/// A header and an extension record with band totals.
struct Records {
  std::vector<char> header = std::vector<char>(ContestHeaderRecord::kLength, 0);
  std::vector<char> extension = std::vector<char>(ContestExtensionRecord::kLength, 0);
  ContestHeaderRecord Header() { return ContestHeaderRecord(header.data()); }
  ContestExtensionRecord Extension() { return ContestExtensionRecord(extension.data()); }
  EvaluationPanel Evaluate(char code) {
    return HeaderEvaluationPanel(DefinitionOf(code), code, Header(), Extension());
  }
};

TEST(HeaderEvaluation, ExtendedStatisticsComeFromTheExtensionRecord) {
  Records r;
  r.Header().SetExtendedStats(255);
  r.Header().SetBandQsos(1, 99); // not read with extended statistics
  r.Extension().SetBandQsos(1, 10);
  r.Extension().SetBandMultis(1, 4);
  r.Extension().SetBandPoints(1, 25);
  r.Extension().SetBandQsos(40, 2); // slots beyond the seven shown still count
  r.Extension().SetBandPoints(40, 3);
  const EvaluationPanel e = r.Evaluate('2');
  EXPECT_TRUE(e.rows[0].visible);
  EXPECT_EQ(e.rows[0].name, "2 m");
  EXPECT_EQ(e.rows[0].qsos, "   10");
  EXPECT_EQ(e.rows[0].multis, "    4");
  EXPECT_EQ(e.rows[0].points, "   25");
  EXPECT_FALSE(e.rows[1].visible);
  EXPECT_EQ(e.qsoTotal, "12 QSO");
  EXPECT_EQ(e.multiTotal, "4 Multi x");
  EXPECT_EQ(e.pointsTotal, "28 Punkte =");
  EXPECT_EQ(e.score, "112 Pkt.");
  EXPECT_TRUE(e.multipliers);
  // Without multipliers the score is the points.
  r.Extension().SetBandMultis(1, 0);
  EXPECT_EQ(r.Evaluate('2').score, "28 Pkt.");
}

TEST(HeaderEvaluation, ContestsOfEachKind) {
  struct Case {
    char code;
    std::function<void(Records&)> fill;
    std::string multiTotal, pointsTotal, score;
    bool pointsVisible, scoreVisible, multiColumn;
  };
  const std::vector<Case> cases = {
      // No multipliers: only QSOs, points as the score, the multiplier column disabled.
      {'6',
       [](Records& r) {
         r.Header().SetExtendedStats(255);
         r.Extension().SetBandQsos(2, 7);
         r.Extension().SetBandPoints(2, 70);
       },
       "", "", "70 Pkt.", false, true, false},
      // Points only, multipliers counted once (band 1 alone), "Prefixe".
      {'P',
       [](Records& r) {
         r.Header().SetBandQsos(1, 3);
         r.Header().SetBandMultis(1, 2);
         r.Header().SetBandMultis(2, 5);
         r.Header().SetBandPoints(1, 40);
         r.Header().SetBandPoints(2, 60);
       },
       "2 Prefixe", "100 Punkte =", "100 Pkt.", true, true, true},
      // Per band: points alone where a band has no multiplier, else multipliers x points.
      {'Z',
       [](Records& r) {
         r.Header().SetExtendedStats(255);
         r.Extension().SetBandMultis(1, 2);
         r.Extension().SetBandPoints(1, 10);
         r.Extension().SetBandPoints(2, 5);
       },
       "2 Multi", "15 Punkte", "25 Pkt.", false, true, true},
  };
  for (const Case& c : cases) {
    Records r;
    c.fill(r);
    const EvaluationPanel e = r.Evaluate(c.code);
    EXPECT_EQ(e.multiTotal, c.multiTotal) << c.code;
    EXPECT_EQ(e.pointsTotal, c.pointsTotal) << c.code;
    EXPECT_EQ(e.score, c.score) << c.code;
    EXPECT_EQ(e.pointsTotalVisible && !e.pointsTotal.empty(), c.pointsVisible) << c.code;
    EXPECT_EQ(e.scoreVisible, c.scoreVisible) << c.code;
    EXPECT_EQ(e.multipliers, c.multiColumn) << c.code;
  }
}

TEST(HeaderEvaluation, CodeFiveShowsPostcodeAreasWithoutAScore) {
  Records r;
  r.Header().SetBandQsos(1, 5);
  r.Header().SetBandMultis(1, 3);
  r.Header().SetBandPoints(1, 5);
  r.Header().SetBandPoints(3, 4);
  const EvaluationPanel e = r.Evaluate('5');
  EXPECT_FALSE(e.scoreVisible);
  EXPECT_EQ(e.rows[0].multis, "    0");
  EXPECT_EQ(e.multiTotal, "3 PLZ");
  EXPECT_EQ(e.pointsTotal, "9 Punkte");
  EXPECT_TRUE(e.pointsTotalVisible);
  // Seven bands: all rows shown.
  for (const auto& row : e.rows)
    EXPECT_TRUE(row.visible);
  EXPECT_EQ(e.rows[6].name, "70 cm");
}

TEST(HeaderEvaluation, CodeEWithOneCountForTheContestShowsOnlyTheTotals) {
  Records r;
  EXPECT_TRUE(r.Evaluate('E').totalsOnly);
  EXPECT_FALSE(r.Evaluate('2').totalsOnly);
}

std::vector<std::string> EnabledNames(const std::vector<OutputMenuItem>& menu) {
  std::vector<std::string> names;
  for (const OutputMenuItem& item : menu)
    if (item.enabled)
      names.push_back(item.name);
  return names;
}

TEST(HeaderOutputMenu, ItemsInOrderWithSeparatorsAndKinds) {
  const std::vector<OutputMenuItem> menu = HeaderOutputMenu(DefinitionOf('2'), '2');
  ASSERT_EQ(menu.size(), 14u);
  const std::vector<std::pair<std::string, int>> expected = {
      {"STF-Datei (empfohlen)", 9},
      {"EDI-Datei", 16},
      {"E-Log Gesamtdatei", 13},
      {"E-Log Deckblatt", 7},
      {"E-Log QSO-Liste", 8},
      {"E-Log Band-Liste", 12},
      {"E-Log Multi-Checkliste", 15},
      {"Cabrillo-Datei", 17},
      {"ADIF- Exportdatei der QSO-Liste", 10},
      {"CSV- Exportdatei der QSO-Liste", 14},
      {"Papierlog - Deckblatt", 1},
      {"Papierlog - QSO-Liste", 5},
      {"Papierlog - Band-Liste", 4},
      {"Papierlog - Multi-Checkliste", 3}};
  for (std::size_t i = 0; i < menu.size(); ++i) {
    EXPECT_EQ(menu[i].caption, expected[i].first) << i;
    EXPECT_EQ(menu[i].kind, expected[i].second) << i;
    EXPECT_EQ(menu[i].separatorAfter, i == 1 || i == 7 || i == 9) << i;
  }
  EXPECT_EQ(EnabledNames(menu),
            (std::vector<std::string>{"DruckSTF", "ELogGesamtdatei1", "DruckELogDeckblatt",
                                      "DruckELogListe", "DruckADIF", "DruckCSV",
                                      "DruckPapierDeckblatt", "DruckPapierListe"}));
}

TEST(HeaderOutputMenu, EnabledItemsByCode) {
  struct Case {
    char code;
    std::vector<std::string> enabled;
  };
  const std::vector<Case> cases = {
      {'V',
       {"DruckSTF", "ELogGesamtdatei1", "DruckELogDeckblatt", "DruckELogListe", "DruckEMultiliste",
        "DruckCabrillo", "DruckADIF", "DruckCSV", "DruckPapierDeckblatt", "DruckPapierListe",
        "DruckPapierBandliste", "DruckPapierMultiListe"}},
      {'C',
       {"DruckSTF", "ELogGesamtdatei1", "DruckELogDeckblatt", "DruckELogListe", "DruckEBandliste",
        "DruckCabrillo", "DruckADIF", "DruckCSV", "DruckPapierDeckblatt", "DruckPapierListe",
        "DruckPapierBandliste", "DruckPapierMultiListe"}},
      {'P',
       {"DruckSTF", "ELogGesamtdatei1", "DruckADIF", "DruckCSV", "DruckPapierDeckblatt",
        "DruckPapierListe"}},
      {'8',
       {"DruckEDI", "ELogGesamtdatei1", "DruckELogDeckblatt", "DruckELogListe", "DruckEBandliste",
        "DruckADIF", "DruckCSV", "DruckPapierDeckblatt", "DruckPapierListe",
        "DruckPapierBandliste"}},
      {'U',
       {"ELogGesamtdatei1", "DruckELogDeckblatt", "DruckELogListe", "DruckCabrillo", "DruckADIF",
        "DruckCSV", "DruckPapierDeckblatt", "DruckPapierListe"}},
  };
  for (const Case& c : cases)
    EXPECT_EQ(EnabledNames(HeaderOutputMenu(DefinitionOf(c.code), c.code)), c.enabled) << c.code;

  const std::vector<OutputMenuItem> edi = HeaderOutputMenu(DefinitionOf('8'), '8');
  EXPECT_EQ(edi[0].caption, "STF-Datei");
  EXPECT_EQ(edi[1].caption, "EDI-Datei (empfohlen)");
  // Codes 5 and P write the STF file for "E-Log Gesamtdatei".
  EXPECT_EQ(HeaderOutputMenu(DefinitionOf('P'), 'P')[2].kind, 9);
  EXPECT_EQ(HeaderOutputMenu(DefinitionOf('5'), '5')[2].kind, 9);
}

} // namespace
} // namespace tarvik
