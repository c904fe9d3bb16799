#include "outputs/party_evaluation.h"

#include <algorithm>
#include <cstdio>

#include "datafiles/log_scan.h"
#include "datafiles/qso_record.h"

namespace tarvik {

namespace {

constexpr int kLastCounter = kPartyCounters - 1; // 90 and more
constexpr int kChartLeft = 42;
constexpr int kCounterStep = 5;

bool ValidClassWidth(int width) {
  return width == 1 || width == 5 || width == 10;
}

std::string TwoDigits(int n) {
  char text[16];
  std::snprintf(text, sizeof text, "%2d", n);
  return text;
}

} // namespace

std::string PartyNoStartMessage() {
  return "Der Beginn des Contestes wurde nicht angegeben.";
}
std::string PartyNoQsoMessage() {
  return "keine gültigen QSO im Log";
}

std::optional<int> ReceivedAge(std::string_view receivedReport) {
  if (receivedReport.size() < 4)
    return std::nullopt;
  std::string_view text = receivedReport.substr(3, 2);
  if (text == "XX")
    return 1;
  while (!text.empty() && text.front() == ' ')
    text.remove_prefix(1);
  bool negative = false;
  if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  int value = 0;
  std::size_t digits = 0;
  while (digits < text.size() && text[digits] >= '0' && text[digits] <= '9') {
    value = value * 10 + (text[digits] - '0');
    ++digits;
  }
  if (digits == 0 || negative)
    return std::nullopt;
  return value;
}

int PartyCounterIndex(int age, int classWidth) {
  if (age >= kLastCounter)
    return kLastCounter;
  if (!ValidClassWidth(classWidth))
    classWidth = 1;
  return age - age % classWidth;
}

void AddPartyAge(PartyCounters& counters, std::string_view receivedReport, int classWidth) {
  if (const std::optional<int> age = ReceivedAge(receivedReport))
    ++counters[static_cast<std::size_t>(PartyCounterIndex(*age, classWidth))];
}

PartyCounters CountPartyAges(Fileblock& log, int classWidth) {
  PartyCounters counters{};
  VisitRecords(log, qso_key::kDateTime, {}, [&](std::int32_t, const QsoRecord& record) {
    if (!record.IsBandChangeMarker() && record.Punkte() > 0)
      AddPartyAge(counters, record.RSTr(), classWidth);
    return true;
  });
  return counters;
}

PartyChart BuildPartyChart(const PartyCounters& counters, int classWidth) {
  if (!ValidClassWidth(classWidth))
    classWidth = 1;
  PartyChart chart;
  chart.title = "Anzahl QSO pro Lebensalter";
  if (classWidth == 5)
    chart.title += " (5-Jahres-Schritte)";
  else if (classWidth == 10)
    chart.title += " (10-Jahresschritte)";
  chart.axisCaption = "Lebensalter";
  const int barWidth = classWidth == 1 ? 3 : classWidth * 3;

  std::int32_t largest = 0;
  for (int i = 0; i < kPartyCounters; ++i) {
    const std::int32_t count = counters[static_cast<std::size_t>(i)];
    largest = std::max(largest, count);
    if (count > 0)
      chart.bars.push_back({i, kChartLeft + kCounterStep * i, barWidth, count});
  }
  chart.empty = largest <= 0;
  chart.scaleMaximum = std::max<std::int32_t>(largest, 10);
  chart.scaleMaximum = (chart.scaleMaximum + 9) / 10 * 10;
  for (int n = 1; n <= 10; ++n)
    chart.scaleLabels.push_back(std::to_string(chart.scaleMaximum * n / 10));

  const int labelStep = classWidth == 10 ? 10 : 5;
  for (int start = 0; start < kLastCounter; start += labelStep) {
    std::string text = TwoDigits(start);
    if (classWidth > 1)
      text += "-" + std::to_string(start + classWidth - 1);
    chart.labels.push_back({kChartLeft + kCounterStep * start, text});
  }
  chart.labels.push_back({kChartLeft + kCounterStep * kLastCounter, "90 und mehr"});
  return chart;
}

} // namespace tarvik
