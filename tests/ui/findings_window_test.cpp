// The window of the check before sending, offscreen: it lists every finding (errors in red),
// "Trotzdem schreiben" and "Abbrechen" give the run its answer, "Liste speichern" writes the
// list where the save dialog says; and the small dialog of the Cabrillo CONTEST value.

#include <gtest/gtest.h>

#include <QApplication>
#include <QInputDialog>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

#include "base/process_settings.h"
#include "outputs/ui/findings_window.h"
#include "support/fake_dialogs.h"
#include "support/modal_window.h"
#include "support/temp_dir.h"
#include "widgets/text_codec.h"

namespace tarvik {
namespace {

using test::FakeDialogs;

std::vector<FileFinding> SomeFindings() {
  return {{FindingSeverity::kError, 12, 3, "DL1ABC",
           "Das Datum fehlt oder ist ung\xFC"
           "ltig."},
          {FindingSeverity::kWarning, 0, 0, "", "CQSOP= fehlt."}};
}

TEST(FindingsWindow, ListsTheFindingsAndSavesTheList) {
  SetLanguageFlag(1);
  test::TempDataDir dir;
  FakeDialogs dialogs;
  FindingsWindow window(SomeFindings(), "/tmp/DL1ABC.EDI", dialogs);
  EXPECT_EQ(window.windowTitle(), QStringLiteral("Prüfung vor dem Senden"));
  EXPECT_TRUE(window.lHinweis->text().contains(QStringLiteral("1 Fehler, 1 Warnungen")));
  ASSERT_EQ(window.lbFindings->count(), 2);
  EXPECT_EQ(window.lbFindings->item(0)->text(),
            QStringLiteral("Fehler, Zeile 12, QSO 3 (DL1ABC): Das Datum fehlt oder ist ungültig."));
  EXPECT_EQ(window.lbFindings->item(0)->foreground().color(), QColor(180, 0, 0));
  EXPECT_EQ(window.lbFindings->item(1)->text(), QStringLiteral("Warnung: CQSOP= fehlt."));
  EXPECT_EQ(window.btnSchreiben->text(), QStringLiteral("Trotzdem schreiben"));
  EXPECT_EQ(window.btnAbbrechen->text(), QStringLiteral("Abbrechen"));
  EXPECT_TRUE(window.btnAbbrechen->isDefault());

  const std::string path = dir.file("list.txt");
  dialogs.saveAnswers = {path};
  window.btnSpeichern->click();
  EXPECT_EQ(test::ReadFileBytes(path),
            "/tmp/DL1ABC.EDI\r\nFehler, Zeile 12, QSO 3 (DL1ABC): Das Datum fehlt oder ist "
            "ung\xFCltig.\r\nWarnung: CQSOP= fehlt.\r\n");
  ASSERT_EQ(dialogs.events.size(), 1u);
  EXPECT_EQ(dialogs.events[0].file.proposedName, "DL1ABC.EDI-check.txt");
  // A list that cannot be written says so.
  EXPECT_FALSE(window.SaveList(dir.file("missing/list.txt")));
  EXPECT_EQ(dialogs.Informs().size(), 1u);
}

TEST(FindingsWindow, WriteAnywayOrCancel) {
  FakeDialogs dialogs;
  test::OnModal<FindingsWindow>([](FindingsWindow& w) { w.btnSchreiben->click(); });
  EXPECT_TRUE(ReviewFindings(SomeFindings(), "x.EDI", dialogs));
  test::OnModal<FindingsWindow>([](FindingsWindow& w) { w.btnAbbrechen->click(); });
  EXPECT_FALSE(ReviewFindings(SomeFindings(), "x.EDI", dialogs));
}

TEST(CabrilloContestDialog, ChangesOrKeepsTheName) {
  std::string name = "IARU-R1-FIELDDAY";
  test::OnModal<QInputDialog>([](QInputDialog& d) {
    EXPECT_EQ(d.textValue(), QStringLiteral("IARU-R1-FIELDDAY"));
    d.setTextValue(QStringLiteral(" darc-fd-cw "));
    d.accept();
  });
  EXPECT_TRUE(EditCabrilloContestName(name));
  EXPECT_EQ(name, "DARC-FD-CW");
  test::OnModal<QInputDialog>([](QInputDialog& d) { d.reject(); });
  EXPECT_FALSE(EditCabrilloContestName(name));
  EXPECT_EQ(name, "DARC-FD-CW");
}

} // namespace
} // namespace tarvik
