// The CSV export: the QSO list rows with ";" against a hand-written file (code 2), and the
// listener variant.

#include <gtest/gtest.h>

#include "output_fixture.h"
#include "outputs/output_kinds.h"

namespace tarvik::test {
namespace {

using CsvExport = OutputTest;

TEST_F(CsvExport, FileMatchesTheHandWrittenFile) {
  MakeCode2Log();
  EXPECT_EQ(Written(output_kind::kCsvFile), Expected("code2.CSV"));
}

TEST_F(CsvExport, ListenerRowsHaveTheWorkedStationBetweenTheExchanges) {
  MakeContest('3', 2); // WNC, category SWL
  ASSERT_NE(contest_.definition.ListenerLog, 0);
  Add({.call = "DK2AB",
       .datum = Mar(14),
       .zeit = At(10, 12),
       .band = 'b',
       .mode = "CW",
       .rsts = "579",
       .rstr = "599N01",
       .punkte = 1,
       .multMark1 = "N01",
       .call2 = "DL7XX  "});
  EXPECT_EQ(Written(output_kind::kCsvFile),
            CrLf({"Nr   DATE  ;UTC ;CALL    ;BAND;MODE  ;SENT     ;CALL2    ;SENT2    ;DOK  ;P",
                  "140326;10:12;DK2AB   ;80;CW;599 N01  ;DL7XX;579      ;N01  ;1"}));
}

} // namespace
} // namespace tarvik::test
