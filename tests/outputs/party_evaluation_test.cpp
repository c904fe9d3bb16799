// The party evaluation: the age a received report names, the counter of each age by class
// width, the count over a stored log (markers and QSOs without points left out) and the
// chart's title, bars, labels and scale.

#include <gtest/gtest.h>

#include <cstring>

#include "outputs/party_evaluation.h"
#include "support/log_fixture.h"

namespace tarvik::test {
namespace {

TEST(PartyAge, ReadFromCharactersFourAndFive) {
  const struct {
    const char* report;
    std::optional<int> age;
  } cases[] = {
      {"59 45", 45},
      {"599XX", 1},
      {"59 07/ABC", 7},
      {"59 7/", 7},
      {"59  8", 8},
      {"59 95", 95},
      {"59 00", 0},
      {"59 -5", std::nullopt},
      {"59 AB", std::nullopt},
      {"59 ", std::nullopt},
      {"59", std::nullopt},
      {"59 4A", 4},
  };
  for (const auto& c : cases)
    EXPECT_EQ(ReceivedAge(c.report), c.age) << c.report;
}

TEST(PartyAge, CounterOfEachClassHoldsTheAgesItsLabelNames) {
  const struct {
    int age, width, counter;
  } cases[] = {
      {0, 1, 0},    {37, 1, 37}, {89, 1, 89},  {90, 1, 90},  {130, 1, 90},
      {37, 5, 35},  {35, 5, 35}, {39, 5, 35},  {89, 5, 85},  {92, 5, 90},
      {37, 10, 30}, {9, 10, 0},  {89, 10, 80}, {90, 10, 90}, {99, 10, 90},
  };
  for (const auto& c : cases)
    EXPECT_EQ(PartyCounterIndex(c.age, c.width), c.counter) << c.age << "/" << c.width;
}

class PartyLog : public LogTest {
protected:
  void AddQso(const std::string& rstr, std::uint16_t points, char qsyBand = 0, int minute = 0) {
    const auto bytes = MakeQso({.rstr = rstr, .zeit = 12 * 3600 + 60 * minute, .qsyBand = qsyBand});
    std::memcpy(log_->RecordBuffer(), bytes.data(), bytes.size());
    QsoRecord(log_->RecordBuffer()).SetPunkte(points);
    ASSERT_TRUE(AddRecord(*log_));
  }
};

TEST_F(PartyLog, CountsQsosWithPointsByReceivedAge) {
  AddQso("59 37", 37, 0, 1);
  AddQso("59 38", 38, 0, 2);
  AddQso("59 XX", 40, 0, 3);
  AddQso("59 92", 100, 0, 4);
  AddQso("59 37", 0, 0, 5);    // no points: not counted
  AddQso("59 41", 41, 'b', 6); // a band-change marker
  AddQso("59 -3", 10, 0, 7);   // a negative age has no counter
  AddQso("59", 10, 0, 8);      // no age at all

  PartyCounters one = CountPartyAges(*log_, 1);
  EXPECT_EQ(one[37], 1);
  EXPECT_EQ(one[38], 1);
  EXPECT_EQ(one[1], 1);
  EXPECT_EQ(one[90], 1);
  EXPECT_EQ(one[41], 0);
  std::int32_t total = 0;
  for (std::int32_t n : one)
    total += n;
  EXPECT_EQ(total, 4);

  PartyCounters five = CountPartyAges(*log_, 5);
  EXPECT_EQ(five[35], 2);
  EXPECT_EQ(five[0], 1);
  EXPECT_EQ(five[90], 1);
  PartyCounters ten = CountPartyAges(*log_, 10);
  EXPECT_EQ(ten[30], 2);
  EXPECT_EQ(ten[0], 1);
}

TEST(PartyChartLayout, TitlesBarsLabelsAndScale) {
  PartyCounters counters{};
  counters[35] = 23;
  counters[90] = 4;
  const PartyChart five = BuildPartyChart(counters, 5);
  EXPECT_EQ(five.title, "Anzahl QSO pro Lebensalter (5-Jahres-Schritte)");
  EXPECT_EQ(five.axisCaption, "Lebensalter");
  ASSERT_EQ(five.bars.size(), 2u);
  EXPECT_EQ(five.bars[0].x, 42 + 5 * 35);
  EXPECT_EQ(five.bars[0].width, 15);
  EXPECT_EQ(five.bars[0].count, 23);
  EXPECT_EQ(five.bars[1].x, 42 + 5 * 90);
  EXPECT_EQ(five.scaleMaximum, 30);
  EXPECT_EQ(five.scaleLabels,
            (std::vector<std::string>{"3", "6", "9", "12", "15", "18", "21", "24", "27", "30"}));
  ASSERT_EQ(five.labels.size(), 19u);
  EXPECT_EQ(five.labels[0].text, " 0-4");
  EXPECT_EQ(five.labels[7].text, "35-39");
  EXPECT_EQ(five.labels[7].x, 42 + 5 * 35);
  EXPECT_EQ(five.labels.back().text, "90 und mehr");
  EXPECT_FALSE(five.empty);

  const PartyChart one = BuildPartyChart(counters, 1);
  EXPECT_EQ(one.title, "Anzahl QSO pro Lebensalter");
  EXPECT_EQ(one.bars[0].width, 3);
  EXPECT_EQ(one.labels[1].text, " 5");
  EXPECT_EQ(one.labels.size(), 19u);

  const PartyChart ten = BuildPartyChart(counters, 10);
  EXPECT_EQ(ten.title, "Anzahl QSO pro Lebensalter (10-Jahresschritte)");
  EXPECT_EQ(ten.bars[0].width, 30);
  ASSERT_EQ(ten.labels.size(), 10u);
  EXPECT_EQ(ten.labels[1].text, "10-19");
  EXPECT_EQ(ten.labels[1].x, 92);
  EXPECT_EQ(ten.labels.back().text, "90 und mehr");
}

TEST(PartyChartLayout, ScaleIsAtLeastTenAndAMultipleOfTen) {
  const struct {
    std::int32_t largest, maximum;
  } cases[] = {{0, 10}, {1, 10}, {10, 10}, {11, 20}, {30, 30}, {31, 40}, {250, 250}};
  for (const auto& c : cases) {
    PartyCounters counters{};
    counters[20] = c.largest;
    const PartyChart chart = BuildPartyChart(counters, 1);
    EXPECT_EQ(chart.scaleMaximum, c.maximum) << c.largest;
    EXPECT_EQ(chart.empty, c.largest == 0);
    EXPECT_EQ(chart.scaleLabels.back(), std::to_string(c.maximum));
  }
}

} // namespace
} // namespace tarvik::test
