// The small windows of the outputs, offscreen: the participant dialog of the EDI file
// (defaults, filled and read back, closed either way) and the file editor (shows, saves with
// CR LF, prints, or leaves the file alone).

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QTest>

#include <filesystem>

#include "outputs/ui/file_editor_window.h"
#include "outputs/ui/participant_dialog.h"
#include "support/fake_dialogs.h"
#include "support/modal_window.h"
#include "support/temp_dir.h"
#include "widgets/text_codec.h"
#include "widgets/trk_bit_btn.h"
#include "widgets/trk_edit.h"

namespace tarvik {
namespace {

using test::FakeDialogs;

TEST(ParticipantDialog, StartsWithItsDefaultsAndGivesBackWhatIsShown) {
  ParticipantDialog dialog;
  EXPECT_EQ(dialog.windowTitle(), QStringLiteral("VHF/UHF-Contest"));
  EXPECT_EQ(dialog.psect->text(), QStringLiteral("1"));
  EXPECT_EQ(dialog.pclub1->text(), QStringLiteral("DARC"));
  EXPECT_EQ(dialog.rcoun->text(), QStringLiteral("DL"));
  EXPECT_EQ(dialog.pband->currentIndex(), -1);
  ASSERT_EQ(dialog.pband->count(), 15);
  EXPECT_EQ(dialog.pband->itemText(4), QStringLiteral("1,3 GHz"));
  EXPECT_EQ(dialog.pband->itemText(14), QStringLiteral("248 GHz"));
  EXPECT_EQ(dialog.Data(), ParticipantData{});

  ParticipantData data;
  data.pcall = "DL1ABC";
  data.ploc = "JO32QA";
  data.padr1 = "Hauptstr. 1";
  data.pband = 2;
  data.pclub2 = "N13";
  data.rname = "Erika M\xFCller"; // Windows-1252, as the core holds it
  data.mope1 = "DL2XY;DL3ZZ";
  data.rremarks = "TS-2000\n11 Element Yagi";
  dialog.SetData(data);
  EXPECT_EQ(dialog.rname->text(), QStringLiteral("Erika Müller"));
  EXPECT_EQ(dialog.pband->currentText(), QStringLiteral("144 MHz"));
  EXPECT_EQ(dialog.Data(), data);
  EXPECT_EQ(dialog.Data().BandText(), "144 MHz");
}

TEST(ParticipantDialog, ClosedByOkOrByItsCloseBoxTheValuesShownAreTaken) {
  for (const bool ok : {true, false}) {
    ParticipantData data;
    data.pcall = "DL1ABC";
    test::OnModal<ParticipantDialog>([ok](ParticipantDialog& d) {
      d.ploc->setText(QStringLiteral("JO32QA"));
      d.pband->setCurrentIndex(3);
      if (ok)
        d.btnok->click();
      else
        d.close();
    });
    ShowParticipantDialog(data);
    EXPECT_EQ(data.pcall, "DL1ABC") << ok;
    EXPECT_EQ(data.ploc, "JO32QA") << ok;
    EXPECT_EQ(data.BandText(), "432 MHz") << ok;
    EXPECT_EQ(data.pclub1, "DARC") << ok;
  }
}

TEST(FileEditor, ShowsTheFileAndSavesItWithCrLf) {
  test::TempDataDir dir;
  const std::string file = dir.file("DL1ABC.STF");
  test::WriteFileBytes(file, "Zeile 1\r\nM\xFCnster\r\n");
  FakeDialogs dialogs;
  FileEditorWindow editor(file, dialogs);
  EXPECT_EQ(editor.windowTitle(), PathToQString(file));
  EXPECT_EQ(editor.redit()->toPlainText(), QStringLiteral("Zeile 1\nMünster\n"));
  EXPECT_EQ(editor.redit()->font().family(), QStringLiteral("Courier New"));
  EXPECT_EQ(editor.btnspeichern()->text(), QStringLiteral("Speichern und Beenden"));
  editor.show();
  editor.redit()->moveCursor(QTextCursor::End);
  editor.redit()->insertPlainText(QStringLiteral("Zeile 3"));
  editor.btnspeichern()->click();
  EXPECT_EQ(editor.result(), QDialog::Accepted);
  EXPECT_FALSE(editor.isVisible());
  EXPECT_TRUE(editor.redit()->toPlainText().isEmpty());
  EXPECT_EQ(test::ReadFileBytes(file), "Zeile 1\r\nM\xFCnster\r\nZeile 3");
  EXPECT_TRUE(dialogs.events.empty());
}

TEST(FileEditor, PrintingSavesFirstAndClosingOtherwiseLeavesTheFile) {
  test::TempDataDir dir;
  const std::string file = dir.file("DL1ABC.SUM");
  test::WriteFileBytes(file, "Deckblatt\r\n");
  FakeDialogs dialogs;
  {
    FileEditorWindow editor(file, dialogs);
    editor.redit()->setPlainText(QStringLiteral("Deckblatt\ngeändert"));
    QString jobName;
    editor.askPrinter = [&](QPrinter& printer) {
      jobName = printer.docName();
      printer.setOutputFormat(QPrinter::PdfFormat);
      printer.setOutputFileName(PathToQString(dir.file("out.pdf")));
      return true;
    };
    editor.Button1()->click();
    // Titled with the file's name: the print dialog's PDF file is proposed from it, and a
    // folder in the title made that a path that does not exist.
    EXPECT_EQ(jobName, QStringLiteral("DL1ABC.SUM"));
    EXPECT_EQ(test::ReadFileBytes(file), "Deckblatt\r\nge\xE4ndert");
    EXPECT_GT(std::filesystem::file_size(dir.file("out.pdf")), 0u);
  }
  {
    FileEditorWindow editor(file, dialogs);
    editor.redit()->setPlainText(QStringLiteral("verworfen"));
    test::OnModal<FileEditorWindow>([](FileEditorWindow& e) { e.close(); });
    EXPECT_EQ(editor.exec(), QDialog::Rejected);
    EXPECT_EQ(test::ReadFileBytes(file), "Deckblatt\r\nge\xE4ndert");
  }
  // A file that cannot be written is reported and the editor stays open.
  std::filesystem::create_directory(dir.file("blocked"));
  FileEditorWindow editor(dir.file("blocked"), dialogs);
  editor.show();
  editor.btnspeichern()->click();
  EXPECT_TRUE(editor.isVisible());
  EXPECT_EQ(dialogs.Informs().size(), 1u);
}

} // namespace
} // namespace tarvik
