#include <gtest/gtest.h>

#include <QApplication>
#include <QPrinter>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>
#include <QTextBlock>
#include <QTextEdit>
#include <QTextTable>
#include <QTimer>

#include <filesystem>

#include "contest/rules.h"
#include "contest/ui/rules_window.h"
#include "support/fake_dialogs.h"
#include "support/temp_dir.h"
#include "widgets/trk_bit_btn.h"

namespace tarvik {
namespace {

using test::FakeDialogs;

std::string ShippedRules() {
  return std::string(TARVIK_SOURCE_DIR) + "/resources/data/ZELKAr.RTF";
}

TEST(RulesWindow, BuildCodeShowsItsDocumentFromTheDataDirectory) {
  test::TempDataDir dir;
  std::filesystem::copy_file(ShippedRules(), dir.file("ZELKAr.RTF"));
  FakeDialogs dialogs;
  QString text;
  QString caption;
  QSize size;
  bool readOnly = false;
  bool closed = false;
  int windows = 0;
  QTimer::singleShot(0, [&] {
    auto* window = qobject_cast<RulesWindow*>(QApplication::activeModalWidget());
    if (window == nullptr)
      return;
    ++windows;
    text = window->redit()->toPlainText();
    caption = window->windowTitle();
    size = window->size();
    readOnly = window->redit()->isReadOnly();
    window->Button2()->click();
    closed = !window->isVisible();
  });
  ShowRules('2', dialogs, nullptr);
  EXPECT_EQ(windows, 1);
  EXPECT_TRUE(closed);
  EXPECT_TRUE(dialogs.events.empty());
  EXPECT_EQ(caption, QStringLiteral("Regeln"));
  EXPECT_EQ(size, QSize(696, 480));
  EXPECT_TRUE(readOnly);
  EXPECT_TRUE(text.startsWith(QStringLiteral("Westfalen Nord QRP Aktivitäts Contest\n(ZELKA)")))
      << text.left(80).toStdString();
  EXPECT_TRUE(text.contains(QStringLiteral("DF0WN")));
  EXPECT_TRUE(text.contains(QStringLiteral("Summe der QSO-Punkte × Summe der Multiplikatoren")));
}

TEST(RulesWindow, MissingDocumentWithoutAPageIsReportedWithoutAWindow) {
  test::TempDataDir dir;
  FakeDialogs dialogs;
  int windows = 0;
  QTimer::singleShot(0, [&] {
    if (auto* w = QApplication::activeModalWidget()) {
      ++windows;
      w->close();
    }
  });
  ShowRules('2', dialogs, nullptr);
  QApplication::processEvents();
  EXPECT_EQ(windows, 0);
  ASSERT_EQ(dialogs.Informs().size(), 1u);
  EXPECT_NE(dialogs.Informs()[0].find("ZELKAr.RTF"), std::string::npos);
}

TEST(RulesWindow, WebCodeOpensTheBrowserWithoutAWindow) {
  test::TempDataDir dir;
  test::WriteFileBytes(dir.file("MVPR.RTF"), "{\\rtf1 x}");
  FakeDialogs dialogs;
  int windows = 0;
  QTimer::singleShot(0, [&] {
    if (auto* w = QApplication::activeModalWidget()) {
      ++windows;
      w->close();
    }
  });
  ShowRules('V', dialogs, nullptr);
  QApplication::processEvents();
  EXPECT_EQ(windows, 0);
  ASSERT_EQ(dialogs.events.size(), 1u);
  EXPECT_EQ(dialogs.events[0].kind, FakeDialogs::Kind::OpenDocument);
}

TEST(RulesWindow, ShowsFormattingInArialTenAndClosesOnEscape) {
  const RtfDocument doc = ReadRtf("{\\rtf1 \\qc\\b Titel\\b0\\par\\pard normal {\\i kursiv}"
                                  "{\\fs32 gross}\\line zwei\\par}");
  QWidget parent;
  RulesWindow window(doc, &parent, QColor(255, 255, 200));
  EXPECT_EQ(window.redit()->font().family(), QStringLiteral("Arial"));
  EXPECT_EQ(window.redit()->font().pointSize(), 10);
  EXPECT_EQ(window.redit()->palette().color(QPalette::Base), QColor(255, 255, 200));
  EXPECT_EQ(window.Button1()->plainCaption(), QStringLiteral("Drucken"));
  EXPECT_EQ(window.Button2()->plainCaption(), QStringLiteral("Schließen"));

  QTextDocument* d = window.redit()->document();
  ASSERT_EQ(d->blockCount(), 2);
  const QTextBlock title = d->firstBlock();
  EXPECT_EQ(title.text(), QStringLiteral("Titel"));
  EXPECT_EQ(title.blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
  EXPECT_EQ(title.begin().fragment().charFormat().fontWeight(), QFont::Bold);
  const QTextBlock body = title.next();
  EXPECT_EQ(body.text(), QStringLiteral("normal kursivgross") + QChar(QChar::LineSeparator) +
                             QStringLiteral("zwei"));
  bool italicSeen = false, bigSeen = false;
  for (auto it = body.begin(); !it.atEnd(); ++it) {
    const QTextCharFormat f = it.fragment().charFormat();
    if (it.fragment().text() == QStringLiteral("kursiv"))
      italicSeen = f.fontItalic();
    if (it.fragment().text().startsWith(QStringLiteral("gross")))
      bigSeen = f.fontPointSize() == 16;
  }
  EXPECT_TRUE(italicSeen);
  EXPECT_TRUE(bigSeen);

  window.show();
  QApplication::setActiveWindow(&window);
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
  window.redit()->setFocus();
  QTest::keyClick(window.redit(), Qt::Key_Escape);
  EXPECT_FALSE(window.isVisible());
}

TEST(RulesWindow, TablesBecomeTextTablesWithTheDocumentsColumns) {
  const RtfDocument doc =
      ReadRtf("{\\rtf1 \\pard\\sb200\\sa100\\li284\\fi-284\\tx284 \\bullet\\tab Punkt\\par"
              "\\trowd\\cellx1500\\cellx3000\\pard\\intbl {\\b Call}\\cell Punkte\\cell\\row"
              "\\trowd\\cellx1500\\cellx3000\\pard\\intbl DF0WN\\cell 6\\cell\\row"
              "\\pard Ende\\par}");
  QTextDocument target;
  FillTextDocument(target, doc, QFont(QStringLiteral("Arial"), 10));
  const QTextBlock bullet = target.firstBlock();
  EXPECT_EQ(bullet.text(), QStringLiteral("•\tPunkt"));
  EXPECT_NEAR(bullet.blockFormat().topMargin(), 200 / 15.0, 0.01);
  EXPECT_NEAR(bullet.blockFormat().bottomMargin(), 100 / 15.0, 0.01);
  EXPECT_NEAR(bullet.blockFormat().leftMargin(), 284 / 15.0, 0.01);
  EXPECT_NEAR(bullet.blockFormat().textIndent(), -284 / 15.0, 0.01);

  QTextTable* table = nullptr;
  for (QTextFrame* frame : target.rootFrame()->childFrames())
    if ((table = qobject_cast<QTextTable*>(frame)) != nullptr)
      break;
  ASSERT_NE(table, nullptr);
  ASSERT_EQ(table->rows(), 2);
  ASSERT_EQ(table->columns(), 2);
  auto cellText = [&](int r, int c) {
    QTextCursor cursor = table->cellAt(r, c).firstCursorPosition();
    cursor.setPosition(table->cellAt(r, c).lastCursorPosition().position(),
                       QTextCursor::KeepAnchor);
    return cursor.selectedText();
  };
  EXPECT_EQ(cellText(0, 0), QStringLiteral("Call"));
  EXPECT_EQ(cellText(0, 1), QStringLiteral("Punkte"));
  EXPECT_EQ(cellText(1, 0), QStringLiteral("DF0WN"));
  EXPECT_EQ(cellText(1, 1), QStringLiteral("6"));
  EXPECT_EQ(table->cellAt(0, 0).firstCursorPosition().charFormat().fontWeight(), QFont::Bold);
  const auto widths = table->format().columnWidthConstraints();
  ASSERT_EQ(widths.size(), 2);
  EXPECT_NEAR(widths[0].rawValue(), 100, 0.01);
  EXPECT_EQ(target.lastBlock().text(), QStringLiteral("Ende"));
}

TEST(RulesWindow, PrintsTheDocumentAsContestRegeln) {
  if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
    GTEST_SKIP() << "poppler-utils are not installed";
  test::TempDataDir dir;
  const QString pdf = QString::fromStdString(dir.file("regeln.pdf"));
  const RtfDocument doc = ReadRtf(test::ReadFileBytes(ShippedRules()));
  RulesWindow window(doc);
  int asked = 0;
  window.askPrinter = [&](QPrinter& printer) {
    ++asked;
    EXPECT_EQ(printer.docName(), QStringLiteral("Contest-Regeln"));
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    return true;
  };
  window.Button1()->click();
  EXPECT_EQ(asked, 1);
  QProcess text;
  text.start(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
  ASSERT_TRUE(text.waitForFinished(20000));
  const QString printed = QString::fromUtf8(text.readAllStandardOutput());
  EXPECT_TRUE(printed.contains(QStringLiteral("Westfalen Nord QRP Aktivitäts Contest")))
      << printed.left(200).toStdString();
  EXPECT_TRUE(printed.contains(QStringLiteral("DF0WN")));
  QProcess info;
  info.start(QStringLiteral("pdfinfo"), {pdf});
  ASSERT_TRUE(info.waitForFinished(20000));
  EXPECT_TRUE(
      QString::fromUtf8(info.readAllStandardOutput()).contains(QStringLiteral("Contest-Regeln")));

  // Cancelling the print dialog prints nothing.
  std::filesystem::remove(pdf.toStdString());
  window.askPrinter = [](QPrinter&) { return false; };
  window.Button1()->click();
  EXPECT_FALSE(std::filesystem::exists(pdf.toStdString()));
}

} // namespace
} // namespace tarvik
