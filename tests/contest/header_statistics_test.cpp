// The header statistics written when the log closes: per band slot of the header (or of
// the extension record), with the multipliers counted once for the contest in the first
// band's slot, and code 'E' keeping everything in slot 1.

#include <gtest/gtest.h>

#include <string>

#include "contest/header_statistics.h"

namespace tarvik::test {
namespace {

class HeaderStatistics : public ::testing::Test {
protected:
  HeaderStatistics()
      : headerBytes_(ContestHeaderRecord::kLength, '\0'),
        extensionBytes_(ContestExtensionRecord::kLength, '\0'), header_(headerBytes_.data()),
        extension_(extensionBytes_.data()) {
    def_.Bands = "bcegikl";
    def_.Options.set(4);
    def_.Options.set(2);
    totals_.points['b'] = 10;
    totals_.qsos['b'] = 4;
    totals_.multis['b'] = 3;
    totals_.columnMultis[0]['b'] = 2;
    totals_.columnMultis[1]['b'] = 1;
    totals_.points['l'] = 7;
    totals_.qsos['l'] = 2;
    totals_.multis['l'] = 1;
    totals_.columnMultis[0]['l'] = 1;
  }

  ContestDefinition def_;
  SlotTotals totals_;
  std::string headerBytes_;
  std::string extensionBytes_;
  ContestHeaderRecord header_;
  ContestExtensionRecord extension_;
};

TEST_F(HeaderStatistics, PerBandIntoTheHeader) {
  header_.SetBandQsos(3, 99); // old values are replaced
  WriteHeaderStatistics(def_, 'X', totals_, header_, extension_);
  EXPECT_EQ(header_.bandQsos(1), 4);
  EXPECT_EQ(header_.bandMultis(1), 3);
  EXPECT_EQ(header_.bandPoints(1), 10);
  EXPECT_EQ(header_.bandColumnMultis(1, 1), 2);
  EXPECT_EQ(header_.bandColumnMultis(2, 1), 1);
  EXPECT_EQ(header_.bandQsos(3), 0);
  EXPECT_EQ(header_.bandQsos(7), 2); // 70 cm is the seventh band
  EXPECT_EQ(header_.bandMultis(7), 1);
  EXPECT_EQ(header_.bandPoints(7), 7);
  EXPECT_EQ(extension_.bandQsos(1), 0); // the extension record is left alone
}

TEST_F(HeaderStatistics, ExtendedStatisticsIntoTheExtensionRecord) {
  header_.SetExtendedStats(255);
  WriteHeaderStatistics(def_, 'X', totals_, header_, extension_);
  EXPECT_EQ(extension_.bandQsos(1), 4);
  EXPECT_EQ(extension_.bandMultis(7), 1);
  EXPECT_EQ(extension_.bandPoints(7), 7);
  EXPECT_EQ(extension_.bandColumnMultis(1, 7), 1);
  EXPECT_EQ(extension_.bandQsos(8), 0);
  EXPECT_EQ(header_.bandQsos(1), 0);
}

TEST_F(HeaderStatistics, OnceForTheContestInTheFirstSlot) {
  def_.EvaluationKind = 1;
  SlotTotals totals;
  totals.points['b'] = 10;
  totals.qsos['b'] = 4;
  totals.points['c'] = 5;
  totals.qsos['c'] = 3;
  totals.multis[1] = 6;
  totals.columnMultis[0][1] = 4;
  totals.columnMultis[1][1] = 2;
  WriteHeaderStatistics(def_, 'P', totals, header_, extension_);
  EXPECT_EQ(header_.bandMultis(1), 6);
  EXPECT_EQ(header_.bandMultis(2), 0);
  EXPECT_EQ(header_.bandColumnMultis(1, 1), 4);
  EXPECT_EQ(header_.bandColumnMultis(2, 1), 2);
  EXPECT_EQ(header_.bandQsos(1), 4); // each band keeps its QSOs and points
  EXPECT_EQ(header_.bandQsos(2), 3);
  EXPECT_EQ(header_.bandPoints(2), 5);

  // Code 'E' keeps points and QSOs in slot 1 as well.
  SlotTotals e;
  e.points[1] = 900;
  e.qsos[1] = 3;
  WriteHeaderStatistics(def_, 'E', e, header_, extension_);
  EXPECT_EQ(header_.bandPoints(1), 900);
  EXPECT_EQ(header_.bandQsos(1), 3);
  EXPECT_EQ(header_.bandQsos(2), 0);
}

// What the outputs read back is what the log window showed: the same totals and, through
// the one score function, the same score, from the header and from the extension record.
TEST_F(HeaderStatistics, ReadBackGivesTheLiveScore) {
  for (const std::uint8_t extended : {0, 255}) {
    SCOPED_TRACE(extended);
    header_.SetExtendedStats(extended);
    WriteHeaderStatistics(def_, 'X', totals_, header_, extension_);
    const SlotTotals back = ReadHeaderStatistics(def_, header_, extension_);
    EXPECT_EQ(back.TotalPoints(), 17);
    EXPECT_EQ(back.TotalQsos(), 6);
    EXPECT_EQ(back.TotalMultis(), 4);
    EXPECT_EQ(back.columnMultis[0][1] + back.columnMultis[0][7], 3);
    EXPECT_EQ(back.columnMultis[1][1], 1);
    EXPECT_EQ(ComputeScore(def_, back), ComputeScore(def_, totals_)); // 17 x 4
    def_.PerBandScore = 1;                                            // 10 x 3 + 7 x 1
    EXPECT_EQ(ComputeScore(def_, back), 37);
    EXPECT_EQ(ComputeScore(def_, back), ComputeScore(def_, totals_));
    def_.PerBandScore = 0;
  }
  // Counted once for the contest: a stray count in another slot is not added.
  def_.EvaluationKind = 1;
  header_.SetExtendedStats(0);
  header_.SetBandMultis(1, 5);
  header_.SetBandMultis(2, 9);
  EXPECT_EQ(ReadHeaderStatistics(def_, header_, extension_).TotalMultis(), 5);
}

TEST_F(HeaderStatistics, SixteenBitCountsSaturate) {
  totals_.qsos['b'] = 70000;
  WriteHeaderStatistics(def_, 'X', totals_, header_, extension_);
  EXPECT_EQ(header_.bandQsos(1), 65535);
}

} // namespace
} // namespace tarvik::test
