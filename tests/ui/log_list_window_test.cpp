// The log window's list: column widths kept in the contest header across closing and
// opening, and the sort list with its band-limited entries.

#include "log_window_fixture.h"

#include <QTableWidget>

#include "datafiles/contest_records.h"
#include "recordfile/ui/trk_brow.h"

namespace tarvik::test {
namespace {

class LogListWindow : public LogWindowTest {
protected:
  /// Every cell text of a table column.
  std::vector<std::string> ColumnTexts(int column) {
    std::vector<std::string> texts;
    QTableWidget* table = W().Brow->table();
    for (int row = 0; row < table->rowCount(); ++row)
      if (QTableWidgetItem* item = table->item(row, column); item != nullptr)
        if (const std::string text = FromQString(item->text().trimmed()); !text.empty())
          texts.push_back(text);
    return texts;
  }
  static bool Has(const std::vector<std::string>& texts, const std::string& text) {
    return std::find(texts.begin(), texts.end(), text) != texts.end();
  }
};

TEST_F(LogListWindow, ColumnWidthsAreKeptInTheHeader) {
  OpenWindow({.code = 'c'});
  ASSERT_TRUE(Log("DL1ABC", {"N05"}));
  QTableWidget* table = W().Brow->table();
  const int computed = table->columnWidth(3);
  table->setColumnWidth(3, computed + 37);
  ReopenWindow();
  const ContestHeaderRecord header(params_.headerRecord.data());
  EXPECT_EQ(header.ColumnWidth(4), computed + 37);
  EXPECT_EQ(W().Brow->table()->columnWidth(3), computed + 37);
}

TEST_F(LogListWindow, SortListWithinTheBandAndOverTheLog) {
  OpenWindow({.code = 'c'});
  ASSERT_TRUE(Log("DL1ABC", {"N05"}));
  ASSERT_TRUE(Log("DL2ABC", {"N06"}));
  S().TakeBand('l');
  W().ShowSession();
  ASSERT_TRUE(Log("DL3ABC", {"N07"}));
  BrowseGridModel& list = W().Brow->model();
  EXPECT_EQ(list.SortList().size(), 7u);
  EXPECT_EQ(list.GetKeyNumber(), 4);
  const int callColumn = 3;
  EXPECT_TRUE(Has(ColumnTexts(callColumn), "DL1ABC"));

  // " Band - Call": the QSOs of the current band (70 cm) only; the widths go into the
  // header as the order changes.
  W().Brow->table()->setColumnWidth(3, 155);
  list.ChooseSort(1);
  EXPECT_EQ(list.GetKeyNumber(), 9);
  EXPECT_EQ(S().Contest().Header().ColumnWidth(4), 155);
  std::vector<std::string> calls = ColumnTexts(callColumn);
  EXPECT_TRUE(Has(calls, "DL3ABC"));
  EXPECT_FALSE(Has(calls, "DL1ABC"));

  // The band changes: the list follows it.
  S().TakeBand('k');
  W().ShowSession();
  calls = ColumnTexts(callColumn);
  EXPECT_TRUE(Has(calls, "DL1ABC"));
  EXPECT_TRUE(Has(calls, "DL2ABC"));
  EXPECT_FALSE(Has(calls, "DL3ABC"));
  // A new QSO of the band shows up in this order too.
  ASSERT_TRUE(Log("DL0ABC", {"N08"}));
  EXPECT_TRUE(Has(ColumnTexts(callColumn), "DL0ABC"));

  // " alle - Call": every QSO again.
  list.ChooseSort(4);
  EXPECT_EQ(list.GetKeyNumber(), 2);
  calls = ColumnTexts(callColumn);
  for (const char* call : {"DL0ABC", "DL1ABC", "DL2ABC", "DL3ABC"})
    EXPECT_TRUE(Has(calls, call)) << call;
}

} // namespace
} // namespace tarvik::test
