// The ADIF import window offscreen, opened from the log window's button: the file dialog,
// the field assignment by dragging from the left list onto the right one, "Start", the
// stored QSOs, the summary, and the log window's list and counters afterwards.

#include "log_window_fixture.h"

#include <QCheckBox>
#include <QDragEnterEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QTabWidget>
#include <QTableWidget>

#include <QProcess>

#include <cstdlib>
#include <memory>

#include "app/ui/log_window_tools.h"
#include "base/strings.h"
#include "logging/adif_import.h"
#include "logging/ui/adif_import_window.h"
#include "recordfile/ui/trk_brow.h"
#include "support/modal_window.h"
#include "widgets/trk_bit_btn.h"

namespace tarvik::test {
namespace {

class AdifImportWindowTest : public LogWindowTest {
protected:
  static std::vector<std::string> Entries(const QListWidget* list) {
    std::vector<std::string> entries;
    for (int i = 0; i < list->count(); ++i)
      entries.push_back(FromQString(list->item(i)->text()));
    return entries;
  }

  /// Drags the entry `field` of the left list onto the entry `onto` of the right list, with
  /// the drag data the left list makes and the drag and drop events the right list gets.
  /// True when the right list accepted the drop.
  static bool Drag(AdifImportWindow& f, const std::string& field, const std::string& onto) {
    const QList<QListWidgetItem*> from =
        f.ListeLinks->findItems(ToQString(field), Qt::MatchExactly);
    const QList<QListWidgetItem*> to =
        f.ListeRechtsLB->findItems(ToQString(onto), Qt::MatchExactly);
    if (from.isEmpty() || to.isEmpty()) {
      ADD_FAILURE() << "no entry " << field << " or " << onto;
      return false;
    }
    const QModelIndex index = f.ListeLinks->indexFromItem(from.front());
    std::unique_ptr<QMimeData> mime(f.ListeLinks->model()->mimeData({index}));
    if (mime == nullptr) {
      ADD_FAILURE() << "the left list gives no drag data";
      return false;
    }
    QWidget* viewport = f.ListeRechtsLB->viewport();
    const QPoint pos = f.ListeRechtsLB->visualItemRect(to.front()).center();
    QDragEnterEvent enter(pos, Qt::CopyAction, mime.get(), Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(viewport, &enter);
    QDragMoveEvent move(pos, Qt::CopyAction, mime.get(), Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(viewport, &move);
    if (!move.isAccepted())
      return false;
    QDropEvent drop(QPointF(pos), Qt::CopyAction, mime.get(), Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(viewport, &drop);
    return drop.isAccepted();
  }

  void OpenWithTools() {
    OpenWindow({});
    W().SetTools(StandardLogTools(W(), dialogs_));
    ASSERT_TRUE(W().btnadifimport->isEnabled());
  }

  std::string WriteAdif(const std::string& text) {
    const std::string path = dir_.file("other logbook.adi");
    WriteFileBytes(path, text);
    return path;
  }
};

constexpr char kFile[] =
    "Exported by another logbook\n<ADIF_VER:5>3.1.0\n<EOH>\n"
    "<CALL:6>DL1ABC <QSO_DATE:8>20260314 <TIME_ON:6>101500 <FREQ:7>144.300 <MODE:3>SSB "
    "<DOK:3>N01 <GRIDSQUARE:6>JO31MX <NAME:4>Hans <EOR>\n"
    "<CALL:6>DL1ABC <QSO_DATE:8>20260314 <TIME_ON:4>1020 <BAND:2>2m <MODE:3>SSB <EOR>\n"
    "<call:5>pa3xy <qso_date:8>20260314 <time_on:4>1025 <band:2>2m <mode:2>FM "
    "<gridsquare:4>JO22 <eor>\n";

TEST_F(AdifImportWindowTest, AssignByDragAndDropThenStartImportsIntoTheLog) {
  OpenWithTools();
  const std::string path = WriteAdif(kFile);
  dialogs_.openAnswers = {path};
  const std::string listPath = dir_.file("refused.txt");
  bool acted = false;
  bool result = false;
  OnModal<AdifImportWindow>([&](AdifImportWindow& f) {
    acted = true;
    EXPECT_EQ(FromQString(f.windowTitle()), "ADIF-Import");
    EXPECT_EQ(
        Text(f.Label2),
        Cp1252("Mit dieser Funktion können ADIF-Dateien anderer Logbücher eingelesen werden."));
    EXPECT_EQ(Text(f.Label3), "Felder der ADIF-Datei");
    EXPECT_EQ(Text(f.Label4), "Felder im Log");
    EXPECT_EQ(FromQString(f.PageControl1->tabText(0)), "Feldzuordnung");
    EXPECT_EQ(FromQString(f.checkkeincheck->text()), Cp1252("keine Mode/Band-Überprüfung"));
    EXPECT_EQ(FromQString(f.btnimportstart->text()), "Start");
    EXPECT_EQ(FromQString(f.BitBtn1->text()), "Abbruch");
    EXPECT_EQ(Entries(f.ListeRechtsLB),
              (std::vector<std::string>{"CALL", "QSO_DATE", "TIME_ON", "RST_SENT", "RST_RCVD",
                                        "BAND", "FREQ", "MODE", "NAME", "QTH", "DOK", "Loc"}));
    EXPECT_FALSE(f.btnimportstart->isEnabled());

    QTest::mouseClick(f.btndatei, Qt::LeftButton);
    ASSERT_EQ(dialogs_.events.size(), 1u);
    EXPECT_EQ(dialogs_.events[0].file.filter, "ADIF-Datei (*.adi, *.adif)|*.ADI;*.ADIF");
    EXPECT_EQ(dialogs_.events[0].file.defaultExtension, "adi");
    EXPECT_EQ(FromQString(f.ldatei->text()), path);
    EXPECT_EQ(Entries(f.ListeLinks),
              (std::vector<std::string>{"CALL", "QSO_DATE", "TIME_ON", "FREQ", "MODE", "DOK",
                                        "GRIDSQUARE", "NAME", "BAND"}));
    // Every log field has its default fields: the file can be imported as it is.
    EXPECT_TRUE(f.btnimportstart->isEnabled());

    EXPECT_TRUE(Drag(f, "GRIDSQUARE", "Loc"));
    EXPECT_TRUE(f.btnimportstart->isEnabled());
    EXPECT_EQ(Entries(f.ListeRechtsLB).back(), "Loc (GRIDSQUARE)");
    EXPECT_TRUE(f.ListeLinks->findItems(QStringLiteral("GRIDSQUARE"), Qt::MatchExactly).isEmpty());
    // An assigned entry takes no second field.
    EXPECT_FALSE(Drag(f, "NAME", "Loc (GRIDSQUARE)"));
    EXPECT_EQ(Entries(f.ListeRechtsLB).back(), "Loc (GRIDSQUARE)");
    EXPECT_EQ(f.ListeLinks->count(), 8);

    // The end: the summary with the refused record, in one window, its list saved.
    OnModal<AdifImportResultDialog>([&](AdifImportResultDialog& r) {
      result = true;
      EXPECT_EQ(Text(r.lsummary), Cp1252("2 Datensätze importiert\n1 Calls doppelt\n\n"
                                         "Nicht importierte Datensätze:"));
      ASSERT_EQ(r.ListeFehler->count(), 1);
      EXPECT_EQ(FromQString(r.ListeFehler->item(0)->text()),
                "Datensatz 2, DL1ABC: Call bereits auf Band vorhanden");
      dialogs_.saveAnswers = {listPath};
      QTest::mouseClick(r.btnspeichern, Qt::LeftButton);
      QTest::mouseClick(r.btnok, Qt::LeftButton);
    });
    QTest::mouseClick(f.btnimportstart, Qt::LeftButton);
  });
  QTest::mouseClick(W().btnadifimport, Qt::LeftButton);
  ASSERT_TRUE(acted);
  ASSERT_TRUE(result);

  // No message box came up for the duplicate; the list is a text file of the program's kind.
  EXPECT_TRUE(dialogs_.Informs().empty());
  EXPECT_EQ(ReadFileBytes(listPath),
            "Nicht importierte Datens\xE4tze aus " + path +
                "\r\nDatensatz 2, DL1ABC: Call bereits auf Band vorhanden\r\n");
  ASSERT_EQ(StoredCount(), 2);
  QsoRecord q = StoredQso(0);
  EXPECT_EQ(q.Call(), "DL1ABC");
  EXPECT_EQ(q.Zeit(), 10 * 3600 + 15 * 60);
  EXPECT_EQ(q.Locator(), "JO31MX");
  EXPECT_EQ(q.FullDok(), "N01");
  EXPECT_EQ(q.Mode(), "SSB");
  q = StoredQso(1);
  EXPECT_EQ(q.Call(), "PA3XY");
  EXPECT_EQ(q.Locator(), "JO22");
  EXPECT_EQ(q.Mode(), "FM");

  // The log window shows the imported QSOs: list, counters, a fresh entry.
  EXPECT_EQ(Text(W().lNummer), "3");
  EXPECT_EQ(Text(W().lqso), S().Log().Counters(S().Bands().Band()).qsoValue);
  EXPECT_EQ(TrimBlanks(Text(W().lqso)), "2");
  QTableWidget* table = W().Brow->table();
  const int row = table->currentRow();
  ASSERT_GE(row, 0);
  EXPECT_EQ(TrimBlanks(FromQString(table->item(row, 3)->text())), "PA3XY");
  EXPECT_EQ(Text(W().eCall), "");
  EXPECT_EQ(Focused(), W().eCall);
  EXPECT_TRUE(W().timerzeit->isActive());
}

TEST_F(AdifImportWindowTest, MissingFileAndCancelImportNothing) {
  OpenWithTools();
  const std::string path = WriteAdif(kFile);
  dialogs_.openAnswers = {dir_.file("gone.adi"), path};
  bool acted = false;
  OnModal<AdifImportWindow>([&](AdifImportWindow& f) {
    acted = true;
    QTest::mouseClick(f.btndatei, Qt::LeftButton);
    EXPECT_EQ(dialogs_.Informs(), std::vector<std::string>{"Datei existiert nicht"});
    EXPECT_EQ(f.ListeLinks->count(), 0);
    EXPECT_TRUE(f.isVisible()); // the window stays open
    QTest::mouseClick(f.btndatei, Qt::LeftButton);
    EXPECT_TRUE(Drag(f, "CALL", "CALL"));
    EXPECT_EQ(Entries(f.ListeRechtsLB).front(), "CALL (CALL)");
    EXPECT_TRUE(f.btnimportstart->isEnabled());
    // Choosing a file that is gone again: no fields to import from, no Start.
    dialogs_.openAnswers = {dir_.file("gone.adi")};
    QTest::mouseClick(f.btndatei, Qt::LeftButton);
    EXPECT_FALSE(f.btnimportstart->isEnabled());
    QTest::mouseClick(f.BitBtn1, Qt::LeftButton);
  });
  QTest::mouseClick(W().btnadifimport, Qt::LeftButton);
  ASSERT_TRUE(acted);
  EXPECT_EQ(StoredCount(), 0);
  EXPECT_EQ(dialogs_.Informs(),
            (std::vector<std::string>{"Datei existiert nicht", "Datei existiert nicht"}));

  // A file without records says so and offers no fields.
  const std::string empty = dir_.file("header only.adi");
  WriteFileBytes(empty, "just a header <ADIF_VER:5>3.1.0 <EOH>\n");
  dialogs_.Clear();
  dialogs_.openAnswers = {empty};
  AdifImportWindow window(S().Definition(), S().ContestCode(), dialogs_, &W());
  window.btndateiClick();
  EXPECT_EQ(dialogs_.Informs(), std::vector<std::string>{AdifNoRecordsMessage()});
  EXPECT_EQ(window.ListeLinks->count(), 0);
  EXPECT_TRUE(window.FilePath().empty());
}

// A screenshot of the window for the README; runs only when TARVIK_SCREENSHOT_DIR names a
// folder, on a real X display (see log_window_screenshot_test.cpp for the command line).
class AdifImportScreenshot : public AdifImportWindowTest {
protected:
  void SetUp() override {
    const char* dir = std::getenv("TARVIK_SCREENSHOT_DIR");
    if (dir == nullptr || *dir == '\0')
      GTEST_SKIP() << "TARVIK_SCREENSHOT_DIR not set";
    shots_ = dir;
    AdifImportWindowTest::SetUp();
  }
  std::string shots_;
};

TEST_F(AdifImportScreenshot, FieldAssignment) {
  OpenWithTools();
  W().ShowMaximised();
  dialogs_.openAnswers = {WriteAdif(kFile)};
  AdifImportWindow f(S().Definition(), S().ContestCode(), dialogs_, &W());
  f.btndateiClick();
  ASSERT_TRUE(Drag(f, "GRIDSQUARE", "Loc"));
  ASSERT_TRUE(Drag(f, "DOK", "DOK"));
  f.show();
  f.activateWindow();
  for (int i = 0; i < 20; ++i) {
    QApplication::processEvents();
    QTest::qWait(50);
  }
  const QString path = QString::fromStdString(shots_) + "/adif-import.png";
  EXPECT_EQ(QProcess::execute(QStringLiteral("import"),
                              {QStringLiteral("-window"), QStringLiteral("root"), path}),
            0);
}

} // namespace
} // namespace tarvik::test
