// The QSO list windows of the log window offscreen over a real log: the correction list,
// the call search and the band log (captions, keys, ranges, what Enter and Del hand on,
// marker rows refused, column widths into the header), and the three reached through the
// log window's keys with the program's tools.

#include "log_window_fixture.h"

#include <QHeaderView>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>

#include <cstring>

#include "app/ui/log_window_tools.h"
#include "base/strings.h"
#include "datafiles/program_files.h"
#include "outputs/ui/qso_list_window.h"
#include "recordfile/key_codec.h"
#include "recordfile/tk_browser.h"
#include "recordfile/ui/trk_brow.h"
#include "support/modal_window.h"
#include "widgets/trk_edit.h"

namespace tarvik::test {
namespace {

class QsoListWindows : public LogWindowTest {
protected:
  /// A code 'P' log: three QSOs on 80 m, two on 40 m.
  void OpenLog() {
    OpenWindow({.code = 'P'});
    S().TakeBand(S().Bands().BandByName("80 m"));
    W().ShowSession();
    for (const char* call : {"DL1ABC", "OK1KZ", "9A2AA"})
      ASSERT_TRUE(Log(call, {"37"})) << call;
    S().TakeBand(S().Bands().BandByName("40 m"));
    W().ShowSession();
    for (const char* call : {"DL2XYZ", "PA3ABC"})
      ASSERT_TRUE(Log(call, {"45"})) << call;
  }

  CorrectionListContext Context() {
    CorrectionListContext c;
    c.log = S().Log().File();
    c.definition = &S().Definition();
    c.headerRecord = &S().Contest().header;
    c.band = S().Bands().Band();
    c.edit = [this](std::int32_t record) {
      edited_.push_back(record);
      return record;
    };
    c.remove = [this](std::int32_t record) {
      removed_.push_back(record);
      return false;
    };
    return c;
  }

  std::unique_ptr<QsoListWindow> List(CorrectionListMode mode) {
    auto list = std::make_unique<QsoListWindow>(mode, Context(), dialogs_, window_.get());
    return list;
  }
  void ShowList(QsoListWindow& list) {
    list.show();
    list.activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(&list));
    list.Brow->table()->setFocus();
  }

  /// The calls of the rows the list shows now.
  static std::vector<std::string> Calls(QsoListWindow& list) {
    std::vector<std::string> calls;
    const TKBrowser* browser = list.Brow->model().Browser();
    for (int r = 1; r <= browser->FilledRows(); ++r) {
      const std::vector<std::string> cells = SplitRowText(browser->Row(r).Text);
      calls.push_back(cells.size() > 3 ? TrimSpaces(cells[3]) : "");
    }
    return calls;
  }
  static std::string CurrentCall(QsoListWindow& list) {
    const TKBrowser* browser = list.Brow->model().Browser();
    const std::vector<std::string> cells = SplitRowText(browser->Row(browser->CursorRow()).Text);
    return cells.size() > 3 ? TrimSpaces(cells[3]) : "";
  }
  std::int32_t RecordOf(const std::string& call) {
    Fileblock* log = S().Log().File();
    for (int s = log->FirstKey(4); s == 0; s = log->NextKey(4))
      if (QsoRecord(static_cast<const char*>(log->RecordBuffer())).Call() == call)
        return log->CurrentRecordNumber();
    return 0;
  }
  /// Adds a band-change marker record to the log, numbered so that key 13 lists it.
  std::int32_t AddMarker(std::int32_t qsoNr) {
    Fileblock* log = S().Log().File();
    EXPECT_EQ(log->ClearBuffer(), 0);
    QsoRecord marker(log->RecordBuffer());
    marker.SetCall("DL5QQ");
    marker.SetBand('b');
    marker.SetQSYBand('b');
    marker.SetQSONr(qsoNr);
    EXPECT_TRUE(AddRecord(*log));
    return log->CurrentRecordNumber();
  }
  void KeyOnList(QsoListWindow& list, Qt::Key key) { QTest::keyClick(list.Brow->table(), key); }

  std::vector<std::int32_t> edited_;
  std::vector<std::int32_t> removed_;
};

TEST_F(QsoListWindows, CorrectionListShowsAllQsosByNumberAndHandsOnTheRow) {
  OpenLog();
  auto list = List(CorrectionListMode::kAll);
  ASSERT_TRUE(list->Open());
  ShowList(*list);
  EXPECT_EQ(FromQString(list->windowTitle()),
            Cp1252("QSO - Liste (Ändern mit Eingabetaste oder Doppelklick)"));
  EXPECT_EQ(list->Brow->GetKeyNumber(), 13);
  EXPECT_EQ(Calls(*list),
            (std::vector<std::string>{"DL1ABC", "OK1KZ", "9A2AA", "DL2XYZ", "PA3ABC"}));
  EXPECT_EQ(list->Brow->table()->font().family(), QStringLiteral("Arial"));
  EXPECT_EQ(list->Brow->table()->font().pointSize(), 10);

  // Enter on the third row changes that QSO; a double click on the first likewise.
  list->Brow->model().RowPressed(3, BrowseButton::kLeft, false, false);
  KeyOnList(*list, Qt::Key_Return);
  ASSERT_EQ(edited_.size(), 1u);
  EXPECT_EQ(edited_[0], RecordOf("9A2AA"));
  list->Brow->model().RowPressed(1, BrowseButton::kLeft, false, false);
  const QTableWidget* table = list->Brow->table();
  QTest::mouseDClick(table->viewport(), Qt::LeftButton, {},
                     table->visualItemRect(table->item(0, 3)).center());
  ASSERT_EQ(edited_.size(), 2u);
  EXPECT_EQ(edited_[1], RecordOf("DL1ABC"));

  // Del hands the record to the log's delete.
  list->Brow->model().RowPressed(2, BrowseButton::kLeft, false, false);
  KeyOnList(*list, Qt::Key_Delete);
  EXPECT_EQ(removed_, std::vector<std::int32_t>{RecordOf("OK1KZ")});
  EXPECT_TRUE(dialogs_.Questions().empty()); // the grid asks nothing of its own
}

TEST_F(QsoListWindows, MarkerRowsAreNeitherChangedNorDeleted) {
  OpenLog();
  AddMarker(6);
  auto list = List(CorrectionListMode::kAll);
  ASSERT_TRUE(list->Open());
  ShowList(*list);
  ASSERT_EQ(Calls(*list).size(), 6u);
  list->Brow->model().RowPressed(6, BrowseButton::kLeft, false, false);
  EXPECT_NE(list->Brow->model().Browser()->Row(6).Text.find("*** QSY 80 m ***"), std::string::npos);
  KeyOnList(*list, Qt::Key_Delete);
  KeyOnList(*list, Qt::Key_Return);
  EXPECT_TRUE(removed_.empty());
  EXPECT_TRUE(edited_.empty());
  EXPECT_TRUE(dialogs_.events.empty());
}

TEST_F(QsoListWindows, CallSearchMovesToTheFirstQsoAtOrAfterTheBaseCall) {
  OpenLog();
  auto list = List(CorrectionListMode::kSearch);
  ASSERT_TRUE(list->Open());
  ShowList(*list);
  EXPECT_EQ(list->Brow->GetKeyNumber(), 2);
  // The list stands at "A"; a call beginning with a digit sorts before and stays in it.
  EXPECT_EQ(CurrentCall(*list), "DL1ABC");
  EXPECT_TRUE(list->Brow->model().Browser()->InRange("9A2AA"));

  // "dl2xyz/p" is searched as DL2XYZ.
  OnModal<CallSearchDialog>([](CallSearchDialog& search) {
    EXPECT_EQ(search.btnSuche->text(), QStringLiteral("Suche starten"));
    EXPECT_TRUE(search.btnSuche->isDefault());
    QTest::keyClicks(search.eSuche, "dl2xyz/p");
    EXPECT_EQ(search.eSuche->text(), QStringLiteral("DL2XYZ/P"));
    QTest::keyClick(search.eSuche, Qt::Key_Return);
  });
  list->RunSearch();
  EXPECT_EQ(CurrentCall(*list), "DL2XYZ");

  // A call between two: the next one. Esc moves nothing.
  OnModal<CallSearchDialog>([](CallSearchDialog& search) {
    QTest::keyClicks(search.eSuche, "OK1A");
    search.btnSuche->click();
  });
  list->RunSearch();
  EXPECT_EQ(CurrentCall(*list), "OK1KZ");
  OnModal<CallSearchDialog>([](CallSearchDialog& search) {
    QTest::keyClicks(search.eSuche, "PA3ABC");
    QTest::keyClick(search.eSuche, Qt::Key_Escape);
  });
  list->RunSearch();
  EXPECT_EQ(CurrentCall(*list), "OK1KZ");
}

TEST_F(QsoListWindows, BandLogListsTheChosenBandOnly) {
  OpenLog();
  ASSERT_EQ(S().Bands().BandName(), "40 m");
  auto list = List(CorrectionListMode::kBand);
  OnModal<BandChoiceDialog>([](BandChoiceDialog& bands) {
    ASSERT_EQ(bands.listband->count(), 7);
    EXPECT_EQ(bands.listband->item(0)->text(), QStringLiteral("80 m"));
    EXPECT_EQ(bands.listband->currentItem()->text(), QStringLiteral("40 m"));
    QTest::keyClick(bands.listband, Qt::Key_Up);
    QTest::keyClick(bands.listband, Qt::Key_Return);
  });
  ASSERT_TRUE(list->Open());
  ShowList(*list);
  EXPECT_EQ(FromQString(list->windowTitle()),
            Cp1252("Band - Log (Ändern mit Eingabetaste oder Doppelklick)"));
  EXPECT_EQ(list->Brow->GetKeyNumber(), 8);
  EXPECT_EQ(Calls(*list), (std::vector<std::string>{"DL1ABC", "OK1KZ", "9A2AA"}));

  // Esc in the band dialog: no list.
  auto cancelled = List(CorrectionListMode::kBand);
  OnModal<BandChoiceDialog>(
      [](BandChoiceDialog& bands) { QTest::keyClick(bands.listband, Qt::Key_Escape); });
  EXPECT_FALSE(cancelled->Open());

  // The preselected band taken at once.
  auto current = List(CorrectionListMode::kBand);
  OnModal<BandChoiceDialog>(
      [](BandChoiceDialog& bands) { QTest::keyClick(bands.listband, Qt::Key_Return); });
  ASSERT_TRUE(current->Open());
  EXPECT_EQ(current->Band(), S().Bands().Band());
  EXPECT_EQ(Calls(*current), (std::vector<std::string>{"DL2XYZ", "PA3ABC"}));
}

TEST_F(QsoListWindows, EscClosesAndKeepsTheColumnWidthsInTheHeader) {
  OpenLog();
  ContestHeaderRecord(S().Contest().header.data()).SetColumnWidth(2, 123);
  auto list = List(CorrectionListMode::kAll);
  ASSERT_TRUE(list->Open());
  ShowList(*list);
  QHeaderView* header = list->Brow->table()->horizontalHeader();
  EXPECT_EQ(header->sectionSize(1), 123); // the stored width
  header->resizeSection(3, 77);
  KeyOnList(*list, Qt::Key_Escape);
  EXPECT_FALSE(list->isVisible());
  const ContestHeaderRecord stored(static_cast<const char*>(S().Contest().header.data()));
  EXPECT_EQ(stored.ColumnWidth(2), 123);
  EXPECT_EQ(stored.ColumnWidth(4), 77);
  EXPECT_GT(stored.ColumnWidth(1), 0);
}

TEST_F(QsoListWindows, ANarrowListKeepsThePointsInView) {
  OpenLog();
  auto list = List(CorrectionListMode::kAll);
  ASSERT_TRUE(list->Open());
  list->resize(900, 520); // its size when it first opens
  ShowList(*list);
  QTableWidget* table = list->Brow->table();
  int points = -1;
  for (int c = 0; c < table->columnCount(); ++c)
    if (table->horizontalHeaderItem(c)->text().trimmed() == QStringLiteral("Pkt"))
      points = c;
  ASSERT_GT(points, 0);
  int right = 0;
  for (int c = 0; c <= points; ++c)
    right += table->columnWidth(c);
  EXPECT_LE(right, table->viewport()->width());
}

TEST_F(QsoListWindows, TheLogWindowOpensThemWithItsKeys) {
  OpenLog();
  W().SetTools(StandardLogTools(W(), dialogs_));
  // F12: the correction list; afterwards the entry is cleared.
  Type("DK5AB");
  OnModal<QsoListWindow>([](QsoListWindow& list) {
    EXPECT_EQ(list.Mode(), CorrectionListMode::kAll);
    list.resize(700, 400);
    QTest::keyClick(list.Brow->table(), Qt::Key_Escape);
  });
  Key(Qt::Key_F12);
  EXPECT_EQ(Text(W().eCall), "");

  // F4: the search dialog at once, then the list at the found QSO; the list opens where it
  // stood the last time.
  OnModal<CallSearchDialog>([](CallSearchDialog& search) {
    QTest::keyClicks(search.eSuche, "PA3ABC");
    QTest::keyClick(search.eSuche, Qt::Key_Return);
    OnModal<QsoListWindow>([](QsoListWindow& list) {
      EXPECT_EQ(list.Mode(), CorrectionListMode::kSearch);
      EXPECT_EQ(list.size(), QSize(700, 400));
      const TKBrowser* browser = list.Brow->model().Browser();
      EXPECT_NE(browser->Row(browser->CursorRow()).Text.find("PA3ABC"), std::string::npos);
      list.close();
    });
  });
  Key(Qt::Key_F4);

  // F3: the band dialog first, then the band log.
  OnModal<BandChoiceDialog>([](BandChoiceDialog& bands) {
    QTest::keyClick(bands.listband, Qt::Key_Return);
    OnModal<QsoListWindow>([](QsoListWindow& list) {
      EXPECT_EQ(list.Mode(), CorrectionListMode::kBand);
      EXPECT_EQ(list.Brow->model().Browser()->FilledRows(), 2);
      list.close();
    });
  });
  Key(Qt::Key_F3);
  EXPECT_EQ(Focused(), W().eCall);
}

} // namespace
} // namespace tarvik::test
