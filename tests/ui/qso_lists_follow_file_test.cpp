// The QSO lists of the log window (its own list, F5) and its QSO list windows (correction
// list F12, band log F3, call search F4) after QSOs were deleted and changed from them: every
// row they show is the row the log list's row builder makes of the file, the highlighted row
// stands where the operator expects it, and Enter and Del act on the QSO the highlighted row
// shows and on no other, even when the row no longer shows what the file holds.

#include "log_window_fixture.h"

#include <QComboBox>
#include <QItemSelectionModel>
#include <QListWidget>
#include <QTableWidget>
#include <QTimer>

#include "app/ui/log_window_tools.h"
#include "base/strings.h"
#include "base/text_helpers.h"
#include "logging/log_list.h"
#include "logging/ui/qso_edit_dialog.h"
#include "outputs/ui/qso_list_window.h"
#include "recordfile/browse_grid.h"
#include "recordfile/fileblock.h"
#include "recordfile/ui/trk_brow.h"
#include "support/modal_window.h"
#include "widgets/trk_bit_btn.h"

namespace tarvik::test {
namespace {

/// Closes every modal window of type `Window` that opens while it lives, and counts them.
template <typename Window> class ModalWatch {
public:
  ModalWatch() {
    timer_.setInterval(5);
    QObject::connect(&timer_, &QTimer::timeout, [this] {
      if (auto* w = qobject_cast<Window*>(QApplication::activeModalWidget())) {
        ++opened;
        w->close();
      }
    });
    timer_.start();
  }
  int opened = 0;

private:
  QTimer timer_;
};

class QsoListsFollowFile : public LogWindowTest {
protected:
  /// The window with the program's tools and a log of `calls` on 2 m, one a minute.
  void OpenWithQsos(std::initializer_list<const char*> calls) {
    OpenWindow({.code = 'c'});
    W().SetTools(StandardLogTools(W(), dialogs_));
    for (const char* call : calls)
      ASSERT_TRUE(Log(call, {"N05"})) << call;
  }

  /// A table row as the screen shows it: its cells joined with ";".
  static std::string TableRow(const QTableWidget* table, int row) {
    std::string text;
    for (int c = 0; c < table->columnCount(); ++c) {
      const QTableWidgetItem* item = table->item(row, c);
      text += (item != nullptr ? FromQString(item->text()) : std::string()) + ";";
    }
    return text;
  }
  /// The rows a list shows, top to bottom, up to the first empty one.
  static std::vector<std::string> ShownRows(const TrkBrow* brow) {
    const QTableWidget* table = brow->table();
    const std::string empty(static_cast<std::size_t>(table->columnCount()), ';');
    std::vector<std::string> rows;
    for (int r = 0; r < table->rowCount(); ++r) {
      std::string text = TableRow(table, r);
      if (text == empty)
        break;
      rows.push_back(std::move(text));
    }
    return rows;
  }
  /// The highlighted row as the screen shows it ("" when none is).
  static std::string HighlightedRow(const TrkBrow* brow) {
    const QModelIndexList selected = brow->table()->selectionModel()->selectedRows();
    return selected.size() == 1 ? TableRow(brow->table(), selected.front().row()) : "";
  }

  /// The row the log list's row builder makes of a record, cut to the columns of `brow`.
  std::string BuiltRow(const TrkBrow* brow, const char* record) {
    const std::vector<std::string> cells =
        SplitRowText(OemUmlauts(LogListRow(QsoRecord(record), S().Definition())));
    std::string text;
    for (int c = 0; c < brow->table()->columnCount(); ++c)
      text += (c < static_cast<int>(cells.size()) ? cells[static_cast<std::size_t>(c)] : "") + ";";
    return text;
  }
  /// The rows the file holds for the list of `brow`: its key, in key order, within its range.
  std::vector<std::string> FileRows(TrkBrow* brow) {
    Fileblock* log = S().Log().File();
    const TKBrowser* paging = brow->model().Browser();
    const int key = paging->KeyNumber();
    std::vector<std::pair<std::string, std::int32_t>> entries;
    std::int32_t record = 0;
    std::string keyString;
    for (int s = log->FindEntry(key, 0, 1, "", &record, &keyString); s == 0;
         s = log->NextEntry(key, &record, &keyString))
      if (paging->InRange(keyString))
        entries.emplace_back(keyString, record);
    std::vector<std::string> rows;
    for (const auto& entry : entries) {
      EXPECT_EQ(log->ReadRecord(entry.second), 0);
      rows.push_back(BuiltRow(brow, log->RecordBuffer()));
    }
    return rows;
  }
  /// The row the file holds for the QSO with `call`.
  std::string FileRowOf(const TrkBrow* brow, const std::string& call) {
    Fileblock* log = S().Log().File();
    for (int s = log->FirstKey(4); s == 0; s = log->NextKey(4))
      if (QsoRecord(static_cast<const char*>(log->RecordBuffer())).Call() == call)
        return BuiltRow(brow, log->RecordBuffer());
    return "(" + call + " is not in the log)";
  }
  std::int32_t RecordOf(const std::string& call) {
    Fileblock* log = S().Log().File();
    for (int s = log->FirstKey(4); s == 0; s = log->NextKey(4))
      if (QsoRecord(static_cast<const char*>(log->RecordBuffer())).Call() == call)
        return log->CurrentRecordNumber();
    return 0;
  }

  /// Every row of the list is the file's, and the highlighted one is the QSO with `call`.
  void ExpectListShowsFile(TrkBrow* brow, const std::string& call) {
    EXPECT_EQ(ShownRows(brow), FileRows(brow));
    EXPECT_EQ(HighlightedRow(brow), FileRowOf(brow, call));
  }

  /// Puts the highlight of the list on the row that shows `call`, as a click would.
  static void Highlight(TrkBrow* brow, const std::string& call) {
    const TKBrowser* paging = brow->model().Browser();
    for (int r = 1; r <= paging->FilledRows(); ++r)
      if (paging->Row(r).Text.find(call) != std::string::npos) {
        brow->model().RowPressed(r, BrowseButton::kLeft, false, false);
        return;
      }
    ADD_FAILURE() << call << " is not shown";
  }

  /// Changes name and, when `time` is not empty, time and band (to 70 cm) in the edit dialog
  /// that the next step opens.
  static void ChangeInDialog(const std::string& name, const std::string& time = "") {
    OnModal<QsoEditDialog>([name, time](QsoEditDialog& d) {
      d.eName->setFocus();
      d.eName->selectAll();
      QTest::keyClicks(d.eName, QString::fromStdString(name));
      if (!time.empty()) {
        d.ezeit->setFocus();
        d.ezeit->selectAll();
        QTest::keyClicks(d.ezeit, QString::fromStdString(time));
        d.comboband->setFocus();
        QTest::keyClick(d.comboband, Qt::Key_Down);
      }
      QTest::keyClick(d.eName, Qt::Key_Escape); // closes with OK: the fields are stored
    });
  }

  std::string DeleteQuestion(const char* call) {
    return Cp1252((std::string("Eintrag ") + call + " löschen?").c_str());
  }
};

TEST_F(QsoListsFollowFile, LogListAfterDeletingAndChanging) {
  OpenWithQsos({"DL1AAA", "DL2BBB", "DL3CCC", "DL4DDD"});
  TrkBrow* list = W().Brow;
  ASSERT_GE(list->table()->rowCount(), 5);
  ExpectListShowsFile(list, "DL4DDD");

  // F5, Ctrl+Home, Del, OK on the message, Yes on the question.
  Key(Qt::Key_F5);
  Key(Qt::Key_Home, Qt::ControlModifier);
  dialogs_.Clear();
  dialogs_.confirmAnswers = {true};
  Key(Qt::Key_Delete);
  EXPECT_EQ(dialogs_.Questions(), std::vector<std::string>{DeleteQuestion("DL1AAA")});
  EXPECT_EQ(StoredCount(), 3);
  EXPECT_EQ(Text(W().lqso).find('3') != std::string::npos, true);
  ExpectListShowsFile(list, "DL2BBB"); // the QSO now in the deleted one's place

  // Enter on the highlighted row: the name only (nothing renumbered).
  ChangeInDialog("Hans");
  Enter();
  EXPECT_EQ(StoredQso(0).NameQTH(), "Hans;");
  ExpectListShowsFile(list, "DL2BBB");
  EXPECT_NE(HighlightedRow(list).find("Hans"), std::string::npos);

  // A change that renumbers and moves the QSO to the top: an earlier time, another band.
  Key(Qt::Key_Down);
  ChangeInDialog("Eva", "11:00");
  Enter();
  EXPECT_EQ(StoredQso(0).Call(), "DL3CCC");
  ExpectListShowsFile(list, "DL3CCC");
  EXPECT_EQ(HighlightedRow(list), ShownRows(list).front());

  // Del on the last row: the one before takes its place.
  Key(Qt::Key_End, Qt::ControlModifier);
  dialogs_.Clear();
  dialogs_.confirmAnswers = {true};
  Key(Qt::Key_Delete);
  EXPECT_EQ(dialogs_.Questions(), std::vector<std::string>{DeleteQuestion("DL4DDD")});
  ExpectListShowsFile(list, "DL2BBB");
  // The "Löschen" button acts on the highlighted row as well.
  dialogs_.Clear();
  dialogs_.confirmAnswers = {true};
  W().btnLoeschen->click();
  EXPECT_EQ(dialogs_.Questions(), std::vector<std::string>{DeleteQuestion("DL2BBB")});
  ExpectListShowsFile(list, "DL3CCC");
  EXPECT_EQ(StoredCount(), 1);
}

TEST_F(QsoListsFollowFile, EnterAndDelActOnTheQsoTheRowShowsOrOnNone) {
  OpenWithQsos({"DL1AAA", "DL2BBB", "DL3CCC", "PA3BNX", "DK3AB"});
  W().timerzeit->stop(); // no clock tick may show the window's state in between
  TrkBrow* list = W().Brow;
  Key(Qt::Key_F5);
  Highlight(list, "PA3BNX");
  const std::string shown = HighlightedRow(list);
  ASSERT_NE(shown.find("PA3BNX"), std::string::npos);

  // PA3BNX goes behind the list's back (the log renumbered: its record number is DK3AB's
  // now), while its row stays highlighted.
  dialogs_.confirmAnswers = {true};
  ASSERT_TRUE(S().DeleteQso(RecordOf("PA3BNX")));
  ASSERT_EQ(RecordOf("DK3AB"), 4);
  ASSERT_EQ(HighlightedRow(list), shown);

  // Enter opens no dialog for DK3AB: the list shows the file again, with a beep.
  dialogs_.Clear();
  {
    ModalWatch<QsoEditDialog> watch;
    Enter();
    EXPECT_EQ(watch.opened, 0);
  }
  EXPECT_EQ(dialogs_.Beeps(), 1);
  ExpectListShowsFile(list, "DK3AB");

  // Once more behind the list's back; Del asks nothing and deletes nothing.
  dialogs_.confirmAnswers = {true};
  ASSERT_TRUE(S().DeleteQso(RecordOf("DK3AB")));
  ASSERT_EQ(StoredCount(), 3);
  dialogs_.Clear();
  Key(Qt::Key_Delete);
  EXPECT_TRUE(dialogs_.Questions().empty());
  EXPECT_EQ(dialogs_.Beeps(), 1);
  EXPECT_EQ(StoredCount(), 3);
  ExpectListShowsFile(list, "DL3CCC");

  // After that, Enter and Del act on the QSO shown.
  ChangeInDialog("Ida");
  Enter();
  EXPECT_EQ(StoredQso(2).Call(), "DL3CCC");
  EXPECT_EQ(StoredQso(2).NameQTH(), "Ida;");
  ExpectListShowsFile(list, "DL3CCC");
  Highlight(list, "DL2BBB");
  dialogs_.Clear();
  dialogs_.confirmAnswers = {true};
  Key(Qt::Key_Delete);
  EXPECT_EQ(dialogs_.Questions(), std::vector<std::string>{DeleteQuestion("DL2BBB")});
  EXPECT_EQ(RecordOf("DL2BBB"), 0);
  ExpectListShowsFile(list, "DL3CCC");
}

// The three QSO list windows, reached through the log window's keys. In each: Del and then
// Enter with a change that renumbers; the list window and the log window's own list behind
// it show the file after each.
class QsoListWindowsFollowFile : public QsoListsFollowFile,
                                 public ::testing::WithParamInterface<CorrectionListMode> {};

TEST_P(QsoListWindowsFollowFile, DeleteAndChangeFromTheList) {
  OpenWithQsos({"DL1AAA", "DL2BBB", "DL3CCC", "OK1KZ", "PA3BNX"});
  const CorrectionListMode mode = GetParam();
  bool ran = false;
  auto inList = [&](QsoListWindow& window) {
    ran = true;
    TrkBrow* list = window.Brow;
    ASSERT_EQ(window.Mode(), mode);
    EXPECT_EQ(ShownRows(list), FileRows(list));

    // Del on DL2BBB: the QSO after it in this list's order takes its place.
    Highlight(list, "DL2BBB");
    dialogs_.Clear();
    dialogs_.confirmAnswers = {true};
    QTest::keyClick(list->table(), Qt::Key_Delete);
    EXPECT_EQ(dialogs_.Questions(), std::vector<std::string>{DeleteQuestion("DL2BBB")});
    EXPECT_EQ(RecordOf("DL2BBB"), 0);
    ExpectListShowsFile(list, "DL3CCC");
    EXPECT_EQ(ShownRows(W().Brow), FileRows(W().Brow));

    // Enter on OK1KZ: an earlier time and 70 cm renumber the log; the list stands on it
    // (the band log keeps to its band: OK1KZ has left it).
    Highlight(list, "OK1KZ");
    ChangeInDialog("Jan", "11:00");
    QTest::keyClick(list->table(), Qt::Key_Return);
    EXPECT_EQ(StoredQso(0).Call(), "OK1KZ");
    EXPECT_EQ(StoredQso(0).Band(), 'l');
    EXPECT_EQ(ShownRows(list), FileRows(list));
    if (mode != CorrectionListMode::kBand)
      EXPECT_EQ(HighlightedRow(list), FileRowOf(list, "OK1KZ"));
    EXPECT_EQ(ShownRows(W().Brow), FileRows(W().Brow));

    // Enter on a row whose QSO went behind the list's back opens nothing.
    Highlight(list, "PA3BNX");
    dialogs_.confirmAnswers = {true};
    ASSERT_TRUE(S().DeleteQso(RecordOf("PA3BNX")));
    dialogs_.Clear();
    {
      ModalWatch<QsoEditDialog> watch;
      QTest::keyClick(list->table(), Qt::Key_Return);
      EXPECT_EQ(watch.opened, 0);
    }
    EXPECT_EQ(dialogs_.Beeps(), 1);
    EXPECT_EQ(ShownRows(list), FileRows(list));
    QTest::keyClick(list->table(), Qt::Key_Escape);
  };
  switch (mode) {
  case CorrectionListMode::kAll:
    OnModal<QsoListWindow>(inList);
    Key(Qt::Key_F12);
    break;
  case CorrectionListMode::kBand:
    OnModal<BandChoiceDialog>([&](BandChoiceDialog& bands) {
      QTest::keyClick(bands.listband, Qt::Key_Return); // 2 m
      OnModal<QsoListWindow>(inList);
    });
    Key(Qt::Key_F3);
    break;
  case CorrectionListMode::kSearch:
    OnModal<CallSearchDialog>([&](CallSearchDialog& search) {
      QTest::keyClicks(search.eSuche, "DL");
      QTest::keyClick(search.eSuche, Qt::Key_Return);
      OnModal<QsoListWindow>(inList);
    });
    Key(Qt::Key_F4);
    break;
  }
  ASSERT_TRUE(ran);
  EXPECT_EQ(StoredCount(), 3);
  EXPECT_EQ(ShownRows(W().Brow), FileRows(W().Brow));
}

INSTANTIATE_TEST_SUITE_P(Modes, QsoListWindowsFollowFile,
                         ::testing::Values(CorrectionListMode::kAll, CorrectionListMode::kBand,
                                           CorrectionListMode::kSearch),
                         [](const ::testing::TestParamInfo<CorrectionListMode>& info) {
                           switch (info.param) {
                           case CorrectionListMode::kAll:
                             return std::string("CorrectionList");
                           case CorrectionListMode::kBand:
                             return std::string("BandLog");
                           default:
                             return std::string("CallSearch");
                           }
                         });

} // namespace
} // namespace tarvik::test
