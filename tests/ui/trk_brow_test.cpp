// The browse grid as a widget, offscreen, over a QSO log of 3100 records: paging keys on the
// table, the search field, a sort change through the sort list, deleting the last row, the
// scroll bar's range and ends, an empty list, the header's columns and the bottom strip's
// layout by width.

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QScrollBar>
#include <QTableWidget>
#include <QTest>
#include <QToolButton>

#include <memory>

#include "base/dates.h"
#include "datafiles/program_files.h"
#include "datafiles/qso_record.h"
#include "recordfile/engine.h"
#include "recordfile/memory_file_io.h"
#include "recordfile/ui/trk_brow.h"
#include "support/fake_dialogs.h"
#include "widgets/text_codec.h"
#include "widgets/trk_edit.h"

namespace tarvik {
namespace {

using test::FakeDialogs;

constexpr int kQsos = 3100;
constexpr int kTimeKey = 1;
constexpr int kCallKey = 6;

std::string CallOf(int n) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "DK%04dA", n);
  return buf;
}

class TrkBrowTest : public ::testing::Test {
protected:
  static void SetUpTestSuite() {
    io_ = new MemoryFileIo();
    ASSERT_EQ(InitEngine(160, 32, io_), 0);
    log_ = OpenProgramFile(ProgramFile::kQsoLog, 1);
    ASSERT_NE(log_, nullptr);
    // Calls in one order, times in another: the two keys list the QSOs differently.
    const DayNumber day = DmyToDay(12, 3, 2006);
    for (int n = 1; n <= kQsos; ++n) {
      ASSERT_EQ(log_->ClearBuffer(), 0);
      QsoRecord q(log_->RecordBuffer());
      q.SetCall(CallOf(n));
      q.SetDatum(day);
      q.SetZeit((n * 7919) % 86400);
      q.SetQSONr(n);
      ASSERT_TRUE(AddRecord(*log_));
    }
  }
  static void TearDownTestSuite() {
    CloseProgramFile(log_);
    EXPECT_EQ(ExitEngine(), 0);
    delete io_;
  }

  void SetUp() override {
    brow_ = std::make_unique<TrkBrow>(dialogs_);
    brow_->resize(640, 420);
    BrowseGridEvents& e = brow_->events();
    e.OnBuildRow = [](RowRec& row) {
      const QsoRecord q(static_cast<const char*>(log_->RecordBuffer()));
      row.Text = " " + q.Call() + ";" + TimeToText("hh:mm:ss", q.Zeit());
    };
    e.OnSetHeaderFooter = [this] {
      brow_->SetHeaderFooter(brow_->GetKeyNumber() == kCallKey ? " Call;Zeit" : " Call;Zeit ", "");
    };
    e.OnInitSortList = [this] {
      brow_->ClearSortList();
      brow_->AddSortListEntry("Call");
      brow_->AddSortListEntry("Zeit");
    };
    e.OnSortList2Key = [](int i, std::string& low, std::string& high) {
      low.clear();
      high.clear();
      return i == 0 ? kCallKey : (i == 1 ? kTimeKey : 0);
    };
    brow_->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(brow_.get()));
  }

  void Bind(int key = kCallKey, const std::string& low = "", const std::string& high = "") {
    ASSERT_TRUE(brow_->InitBrowse(log_, key, low, high)) << brow_->InitError();
  }

  QTableWidget* table() const { return brow_->table(); }

  std::string Cell(int row, int column = 0) const {
    const QTableWidgetItem* item = table()->item(row, column);
    return item != nullptr ? FromQString(item->text()) : std::string();
  }

  /// The call on the cursor row, as the table shows it (the selected row).
  std::string CursorCall() const {
    const QList<QTableWidgetItem*> selected = table()->selectedItems();
    if (selected.isEmpty())
      return {};
    return FromQString(table()->item(selected.front()->row(), 0)->text()).substr(1);
  }

  int Rows() const { return brow_->model().RowsInUse(); }

  void Key(QWidget* target, Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    QTest::keyClick(target, key, mods);
  }

  static std::string LastCall() {
    EXPECT_EQ(log_->LastKey(kCallKey), 0);
    return QsoRecord(static_cast<const char*>(log_->RecordBuffer())).Call();
  }

  static MemoryFileIo* io_;
  static Fileblock* log_;
  FakeDialogs dialogs_;
  std::unique_ptr<TrkBrow> brow_;
};

MemoryFileIo* TrkBrowTest::io_ = nullptr;
Fileblock* TrkBrowTest::log_ = nullptr;

TEST_F(TrkBrowTest, PagingKeysOnTheTable) {
  Bind();
  const int rows = Rows();
  ASSERT_GT(rows, 10);
  EXPECT_EQ(table()->rowCount(), rows);
  EXPECT_EQ(Cell(0), " DK0001A");
  EXPECT_EQ(CursorCall(), "DK0001A");
  table()->setFocus();
  Key(table(), Qt::Key_PageDown);
  EXPECT_EQ(Cell(0), " " + CallOf(rows + 1));
  EXPECT_EQ(CursorCall(), CallOf(rows + 1));
  Key(table(), Qt::Key_Down);
  Key(table(), Qt::Key_Down);
  EXPECT_EQ(CursorCall(), CallOf(rows + 3));
  Key(table(), Qt::Key_PageUp);
  EXPECT_EQ(Cell(0), " DK0001A");
  Key(table(), Qt::Key_End, Qt::ControlModifier);
  EXPECT_EQ(CursorCall(), LastCall());
  EXPECT_EQ(table()->selectedItems().front()->row(), rows - 1);
  Key(table(), Qt::Key_Down); // at the end: stays
  EXPECT_EQ(CursorCall(), LastCall());
  Key(table(), Qt::Key_Home, Qt::ControlModifier);
  EXPECT_EQ(CursorCall(), "DK0001A");
  // The toolbar: next page, next row.
  brow_->toolbarButton(4)->click();
  brow_->toolbarButton(3)->click();
  EXPECT_EQ(Cell(0), " " + CallOf(rows + 1));
  EXPECT_EQ(CursorCall(), CallOf(rows + 2));
  // Home and End scroll columns.
  Key(table(), Qt::Key_End);
  EXPECT_EQ(brow_->horizontalBar()->value(), 1);
  Key(table(), Qt::Key_Home);
  EXPECT_EQ(brow_->horizontalBar()->value(), 0);
}

TEST_F(TrkBrowTest, SearchFieldMovesToTheTypedCall) {
  Bind();
  TrkEdit* search = brow_->searchField();
  search->setFocus();
  QTest::keyClicks(search, "dk15");
  EXPECT_EQ(search->text(), QStringLiteral("dk15"));
  EXPECT_EQ(CursorCall(), "DK1500A");
  QTest::keyClicks(search, "07");
  EXPECT_EQ(CursorCall(), "DK1507A");
  // A key the grid handles moves on and clears the field.
  Key(search, Qt::Key_Down);
  EXPECT_EQ(CursorCall(), "DK1508A");
  EXPECT_TRUE(search->text().isEmpty());
  // Text that no call begins with: the call just before its place.
  QTest::keyClicks(search, "DK1507B");
  EXPECT_EQ(CursorCall(), "DK1507A");
}

TEST_F(TrkBrowTest, SortChangeThroughTheSortListKeepsTheRecord) {
  Bind();
  EXPECT_TRUE(brow_->sortList()->isVisible());
  EXPECT_EQ(brow_->sortList()->currentIndex(), -1);
  EXPECT_EQ(brow_->sortList()->placeholderText(), QStringLiteral("Sortierung"));
  table()->setFocus();
  for (int i = 0; i < 4; ++i)
    Key(table(), Qt::Key_Down);
  const std::string call = CursorCall();
  const int row = table()->selectedItems().front()->row();
  brow_->sortList()->setFocus();
  Key(brow_->sortList(), Qt::Key_Down); // "Call": the order it has already
  EXPECT_EQ(brow_->GetKeyNumber(), kCallKey);
  Key(brow_->sortList(), Qt::Key_Down); // "Zeit"
  EXPECT_EQ(brow_->GetKeyNumber(), kTimeKey);
  EXPECT_EQ(CursorCall(), call);
  EXPECT_EQ(table()->selectedItems().front()->row(), row);
  EXPECT_EQ(table()->horizontalHeaderItem(1)->text(), QStringLiteral("Zeit "));
  // The neighbours are now those in time order.
  EXPECT_LT(Cell(row - 1, 1), Cell(row, 1));
  EXPECT_LT(Cell(row, 1), Cell(row + 1, 1));
}

TEST_F(TrkBrowTest, DeletingTheLastRowLeavesTheCursorOnTheNewLastRow) {
  Bind();
  table()->setFocus();
  Key(table(), Qt::Key_End, Qt::ControlModifier);
  const std::string last = CursorCall();
  const int row = table()->selectedItems().front()->row();
  std::int32_t before = 0;
  ASSERT_EQ(log_->UsedRecords(&before), 0);
  dialogs_.confirmAnswers = {true};
  Key(table(), Qt::Key_Delete);
  EXPECT_EQ(dialogs_.Questions(),
            std::vector<std::string>{FromQString(QStringLiteral(" Löschen \"Datensatz\""))});
  std::int32_t after = 0;
  ASSERT_EQ(log_->UsedRecords(&after), 0);
  EXPECT_EQ(after, before - 1);
  EXPECT_EQ(table()->selectedItems().front()->row(), row);
  EXPECT_EQ(CursorCall(), LastCall());
  EXPECT_LT(CursorCall(), last);
  EXPECT_EQ(Cell(row, 0), " " + LastCall());
}

TEST_F(TrkBrowTest, ScrollBarRunsFrom0To247BeyondThe3001stRecord) {
  Bind();
  QScrollBar* bar = brow_->verticalBar();
  EXPECT_EQ(bar->minimum(), 0);
  EXPECT_EQ(bar->maximum(), 247);
  EXPECT_EQ(bar->value(), 0);
  bar->triggerAction(QAbstractSlider::SliderToMaximum);
  EXPECT_EQ(CursorCall(), LastCall());
  EXPECT_GT(bar->value(), 240);
  bar->triggerAction(QAbstractSlider::SliderToMinimum);
  EXPECT_EQ(CursorCall(), "DK0001A");
  EXPECT_EQ(bar->value(), 0);
  // A position in the middle shows a call from the middle of the list.
  bar->setSliderPosition(124);
  bar->triggerAction(QAbstractSlider::SliderMove);
  const int middle = std::stoi(CursorCall().substr(2, 4));
  EXPECT_GT(middle, kQsos / 4);
  EXPECT_LT(middle, kQsos * 3 / 4);
}

TEST_F(TrkBrowTest, AnEmptyListShowsNothingAndSaysWhatCannotBeRead) {
  Bind(kCallKey, "ZZ", "ZZ");
  EXPECT_EQ(Cell(0), "");
  EXPECT_TRUE(table()->selectedItems().isEmpty());
  table()->setFocus();
  Key(table(), Qt::Key_PageDown);
  Key(table(), Qt::Key_Delete);
  QTest::mouseDClick(table()->viewport(), Qt::LeftButton, {}, QPoint(20, 5));
  EXPECT_EQ(dialogs_.Informs(),
            (std::vector<std::string>{"Datensatz konnte nicht gelesen werden",
                                      "Datensatz konnte nicht gelesen werden"}));
  EXPECT_TRUE(dialogs_.Questions().empty());
}

TEST_F(TrkBrowTest, HeaderColumnsFillTheTable) {
  Bind();
  brow_->SetHeaderFooter(" A;B;C;D", "");
  ASSERT_EQ(table()->columnCount(), 4);
  EXPECT_EQ(table()->horizontalHeaderItem(3)->text(), QStringLiteral("D"));
  int total = 0;
  for (int c = 0; c < 4; ++c)
    total += table()->horizontalHeader()->sectionSize(c);
  EXPECT_EQ(total, table()->viewport()->width());
  EXPECT_GT(table()->horizontalHeader()->sectionSize(3),
            table()->horizontalHeader()->sectionSize(2));
}

TEST_F(TrkBrowTest, BottomStripFollowsTheWidth) {
  Bind();
  EXPECT_TRUE(brow_->sortLabel()->isVisible());
  EXPECT_TRUE(brow_->toolbarButton(0)->isVisible());
  EXPECT_FALSE(brow_->closeButton2()->isVisible());
  brow_->resize(180, 300);
  QApplication::processEvents();
  EXPECT_FALSE(brow_->sortLabel()->isVisible());
  EXPECT_FALSE(brow_->toolbarButton(0)->isVisible());
  EXPECT_TRUE(brow_->closeButton2()->isVisible());
  int closes = 0;
  brow_->events().OnBrowCloseBtnKlick = [&](int button) { closes += button; };
  brow_->closeButton2()->click();
  EXPECT_EQ(closes, 2);
  // Fewer rows fit: the page shrinks and keeps the cursor's entry.
  EXPECT_EQ(table()->rowCount(), Rows());
  EXPECT_EQ(CursorCall(), "DK0001A");
}

} // namespace
} // namespace tarvik
