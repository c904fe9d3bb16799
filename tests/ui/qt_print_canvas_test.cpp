#include <gtest/gtest.h>

#include <QFontInfo>
#include <QPrinter>
#include <QProcess>
#include <QStandardPaths>

#include "outputs/ui/qt_print_canvas.h"
#include "support/temp_dir.h"

namespace tarvik {
namespace {

// Text of one page of a PDF file, through pdftotext.
QString PdfPageText(const QString& file, int page) {
  QProcess p;
  p.start(QStringLiteral("pdftotext"),
          {QStringLiteral("-layout"), QStringLiteral("-f"), QString::number(page),
           QStringLiteral("-l"), QString::number(page), file, QStringLiteral("-")});
  if (!p.waitForFinished(20000) || p.exitCode() != 0)
    return QStringLiteral("<pdftotext failed>");
  return QString::fromUtf8(p.readAllStandardOutput());
}

TEST(QtPrintCanvas, PrintsPagesOfTextIntoAPdf) {
  if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
    GTEST_SKIP() << "pdftotext is not installed";
  test::TempDataDir dir;
  const QString file = QString::fromStdString(dir.file("liste.pdf"));
  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(file);
  printer.setPageSize(QPageSize(QPageSize::A4));
  printer.setDocName(QStringLiteral("QSO-Liste"));
  {
    QtPrintCanvas canvas(printer);
    ASSERT_TRUE(canvas.IsActive());
    EXPECT_EQ(canvas.ResolutionX(), printer.resolution());
    EXPECT_GT(canvas.PageHeight(), canvas.ResolutionY() * 10) << "A4 is over 10 inches high";
    EXPECT_GT(canvas.PageWidth(), canvas.ResolutionX() * 7);
    EXPECT_EQ(canvas.PageNumber(), 1);

    canvas.SetFont("Courier New", 10, FontRegular);
    const int lineHeight = canvas.TextHeight("Xg");
    // A 10-point line is about 10/72 inch high at the printer's resolution.
    EXPECT_NEAR(lineHeight, canvas.ResolutionY() * 10 / 72.0, canvas.ResolutionY() * 0.08);
    // Monospaced: every character has the same width.
    EXPECT_EQ(canvas.TextWidth("iiiii"), canvas.TextWidth("WWWWW"));
    canvas.TextOut(0, 0,
                   "Seite eins: DF\xD8WN Gr\xfc\xdf"
                   "e");
    canvas.SetFont("Arial", 12, FontBold | FontUnderline);
    canvas.TextOut(0, 3 * lineHeight, "Fett unterstrichen");
    EXPECT_LT(canvas.TextWidth("iiiii"), canvas.TextWidth("WWWWW")) << "proportional font";
    canvas.NewPage();
    EXPECT_EQ(canvas.PageNumber(), 2);
    canvas.SetFont("Courier New", 10, FontItalic);
    canvas.TextOut(canvas.ResolutionX(), canvas.PageHeight() - 2 * lineHeight, "Seite zwei Ende");
    EXPECT_TRUE(canvas.Finish());
  }
  const QString page1 = PdfPageText(file, 1);
  const QString page2 = PdfPageText(file, 2);
  EXPECT_TRUE(page1.contains(QStringLiteral("Seite eins: DFØWN Grüße"))) << page1.toStdString();
  EXPECT_TRUE(page1.contains(QStringLiteral("Fett unterstrichen"))) << page1.toStdString();
  EXPECT_FALSE(page1.contains(QStringLiteral("Seite zwei")));
  EXPECT_TRUE(page2.contains(QStringLiteral("Seite zwei Ende"))) << page2.toStdString();
}

TEST(QtPrintCanvas, PrintoutFontsResolveToTheirMetricTwins) {
  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  test::TempDataDir dir;
  printer.setOutputFileName(QString::fromStdString(dir.file("f.pdf")));
  QtPrintCanvas canvas(printer);
  canvas.SetFont("Courier New", 10, FontRegular);
  EXPECT_EQ(QFontInfo(canvas.CurrentFont()).family(), QStringLiteral("Liberation Mono"));
  canvas.SetFont("Arial", 10, FontRegular);
  EXPECT_EQ(QFontInfo(canvas.CurrentFont()).family(), QStringLiteral("Liberation Sans"));
  canvas.SetFont("Times New Roman", 10, FontRegular);
  EXPECT_EQ(QFontInfo(canvas.CurrentFont()).family(), QStringLiteral("Liberation Serif"));
}

} // namespace
} // namespace tarvik
