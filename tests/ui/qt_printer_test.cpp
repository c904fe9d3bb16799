// Printing through the Qt printer: the paper QSO list of a log of three pages goes into a PDF
// file (the printer the dialog would offer), and every page carries the title with its page
// number and the column header (read back with pdftotext); the cover sheet fits one page,
// also with the largest band table of the catalog. With TARVIK_SCREENSHOT_DIR set the
// printed cover sheet is also rendered there as "cover-sheet.png" (pdftoppm).

#include <gtest/gtest.h>

#include <QMessageBox>
#include <QPrinter>
#include <QProcess>
#include <QStandardPaths>

#include "outputs/edi_file.h"

#include "outputs/output_fixture.h"
#include "outputs/output_kinds.h"
#include "outputs/ui/qt_printer.h"
#include "support/modal_window.h"

namespace tarvik::test {
namespace {

QString PdfText(const QString& file) {
  QProcess p;
  p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), file, QStringLiteral("-")});
  if (!p.waitForFinished(30000) || p.exitCode() != 0)
    return QStringLiteral("<pdftotext failed>");
  return QString::fromUtf8(p.readAllStandardOutput());
}

using QtPrinterTest = OutputTest;

TEST_F(QtPrinterTest, PaperQsoListOfThreePagesIntoAPdf) {
  if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
    GTEST_SKIP() << "pdftotext is not installed";
  MakeContest('2');
  constexpr int kQsos = 150;
  for (int i = 1; i <= kQsos; ++i)
    Add({.call = "DL" + std::to_string(i) + "QQ",
         .datum = Mar(14),
         .zeit = At(19, i % 60),
         .rsts = "59 N01/JO42",
         .rstr = "59 " + std::to_string(i % 13 + 1) + "N/JO31",
         .punkte = 3,
         .multMark1 = std::to_string(i % 13 + 1) + "N",
         .multMark2 = "JO31"});
  SetTotals(kQsos, 3 * kQsos, 13, 1);

  const QString pdf = QString::fromStdString(dir_.file("qso-liste.pdf"));
  QString docName;
  QtPrinter printer(nullptr, [&](QPrinter& p) {
    docName = p.docName();
    p.setOutputFormat(QPrinter::PdfFormat);
    p.setOutputFileName(pdf);
    return true;
  });
  OutputServices services{&dialogs_, &printer, {}, &clock_, {}};
  RunOutputKind(output_kind::kPaperQsoList, contest_, services);
  EXPECT_TRUE(dialogs_.events.empty());
  EXPECT_EQ(docName, QStringLiteral("ZELKA - Papierlog - QSO-Liste"));

  const QStringList pages = PdfText(pdf).split(QLatin1Char('\f'), Qt::SkipEmptyParts);
  ASSERT_EQ(pages.size(), 3) << PdfText(pdf).toStdString();
  int rows = 0;
  for (int n = 1; n <= 3; ++n) {
    SCOPED_TRACE(n);
    const QString& page = pages[n - 1];
    const QString title = page.section(QLatin1Char('\n'), 0, 0).simplified();
    EXPECT_EQ(title, QStringLiteral("ZELKA - QSO-Liste CALL: DL1XYZ/P Page : %1").arg(n));
    // pdftotext lays the columns out by their positions: compare without the spacing.
    EXPECT_TRUE(page.simplified().contains(
        QStringLiteral("Nr DATE UTC CALL BAND MODE SENT RCVD DOK Loc P ")))
        << page.toStdString();
    rows += static_cast<int>(page.count(QStringLiteral(" 140326 1")));
  }
  EXPECT_EQ(rows, kQsos);
  EXPECT_TRUE(pages[2].simplified().endsWith(QStringLiteral("( 13 + 1) x 450 6300 Punkte")));

  // A printer that does not start the job is reported.
  QtPrinter broken(nullptr, [&](QPrinter& p) {
    p.setOutputFormat(QPrinter::PdfFormat);
    p.setOutputFileName(QString::fromStdString(dir_.file("no-such-folder/x.pdf")));
    return true;
  });
  QString reported;
  OnModal<QMessageBox>([&](QMessageBox& box) {
    reported = box.text();
    box.accept();
  });
  services.printer = &broken;
  RunOutputKind(output_kind::kPaperQsoList, contest_, services);
  EXPECT_EQ(reported, QStringLiteral("Der Druckauftrag konnte nicht gestartet werden."));

  // The canceled dialog prints nothing.
  QtPrinter cancelled(nullptr, [](QPrinter&) { return false; });
  services.printer = &cancelled;
  RunOutputKind(output_kind::kPaperQsoList, contest_, services);
  EXPECT_TRUE(dialogs_.events.empty());
}

/// Prints the cover sheet of the contest into `pdf`; the PDF's pages as text.
QStringList PrintCoverSheetPdf(OutputTest& test, FakeDialogs& dialogs, const Clock& clock,
                               const OutputContest& contest, const QString& pdf) {
  QtPrinter printer(nullptr, [&](QPrinter& p) {
    p.setOutputFormat(QPrinter::PdfFormat);
    p.setOutputFileName(pdf);
    return true;
  });
  OutputServices services{&dialogs, &printer, {}, &clock, {}};
  RunOutputKind(output_kind::kPaperCover, contest, services);
  (void)test;
  return PdfText(pdf).split(QLatin1Char('\f'), Qt::SkipEmptyParts);
}

TEST_F(QtPrinterTest, CoverSheetFitsOnePage) {
  if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
    GTEST_SKIP() << "pdftotext is not installed";
  MakeCode2Log();
  contest_.station.postcodePlace = "44135 Dortmund-Innenstadt";
  Header().SetLocator("JO31AB");
  const QString pdf = QString::fromStdString(dir_.file("deckblatt.pdf"));
  QStringList pages = PrintCoverSheetPdf(*this, dialogs_, clock_, contest_, pdf);
  ASSERT_EQ(pages.size(), 1) << PdfText(pdf).toStdString();
  const QString text = pages[0].simplified();
  EXPECT_TRUE(text.contains(QStringLiteral("Name: Erika Muster"))) << text.toStdString();
  EXPECT_TRUE(text.contains(QStringLiteral("Endergebnis: 22 Punkte x 5 Multi = 110 Punkte")));
  EXPECT_TRUE(text.contains(QStringLiteral("Unterschrift _______________")));
  EXPECT_TRUE(text.contains(QStringLiteral("Ich erkl\u00e4re, dass ich die Regeln f\u00fcr")));

  // Six bands with a multiplier column (code 9), a station description (code b).
  for (const char code : {'9', 'b'}) {
    SCOPED_TRACE(code);
    MakeContest(code);
    contest_.station.stationDescription = "Transceiver FT-817\r\nDipol 2 x 20 m\r\n5 W";
    Header().SetExtraNumber(2);
    const QString other = QString::fromStdString(dir_.file(std::string("code-") + code + ".pdf"));
    pages = PrintCoverSheetPdf(*this, dialogs_, clock_, contest_, other);
    ASSERT_EQ(pages.size(), 1) << PdfText(other).toStdString();
    EXPECT_TRUE(pages[0].contains(QStringLiteral("Dieses ContestLog wurde mit")));
  }

  const QByteArray shots = qgetenv("TARVIK_SCREENSHOT_DIR");
  if (!shots.isEmpty() && !QStandardPaths::findExecutable(QStringLiteral("pdftoppm")).isEmpty()) {
    QProcess p;
    p.start(QStringLiteral("pdftoppm"),
            {QStringLiteral("-png"), QStringLiteral("-r"), QStringLiteral("80"),
             QStringLiteral("-singlefile"), pdf,
             QString::fromLocal8Bit(shots) + QStringLiteral("/cover-sheet")});
    EXPECT_TRUE(p.waitForFinished(30000));
  }
}

} // namespace
} // namespace tarvik::test
