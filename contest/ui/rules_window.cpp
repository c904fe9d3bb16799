#include "contest/ui/rules_window.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QPrintDialog>
#include <QPrinter>
#include <QScreen>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QTextTable>
#include <QVBoxLayout>

#include <algorithm>
#include <memory>

#include "base/help_topics.h"
#include "contest/rules.h"
#include "widgets/help_request.h"
#include "widgets/text_codec.h"
#include "widgets/trk_bit_btn.h"

namespace tarvik {

namespace {

constexpr int kWidth = 696;
constexpr int kHeight = 480;

Qt::Alignment ToQt(RtfAlignment a) {
  switch (a) {
  case RtfAlignment::Center:
    return Qt::AlignHCenter;
  case RtfAlignment::Right:
    return Qt::AlignRight;
  case RtfAlignment::Justify:
    return Qt::AlignJustify;
  case RtfAlignment::Left:
    break;
  }
  return Qt::AlignLeft;
}

// Twips to the pixels of the text view (which lays out at 96 pixels per inch).
qreal Pixels(int twips) {
  return twips * 96.0 / 1440.0;
}

QTextCharFormat RunFormat(const RtfRun& run, const QFont& baseFont) {
  QTextCharFormat format;
  format.setFont(baseFont);
  format.setFontWeight(run.bold ? QFont::Bold : QFont::Normal);
  format.setFontItalic(run.italic);
  format.setFontUnderline(run.underline);
  if (run.fontHalfPoints > 0)
    format.setFontPointSize(run.fontHalfPoints / 2.0);
  return format;
}

QString RunText(const std::string& text) {
  QString q = ToQString(text);
  q.replace(QLatin1Char('\n'), QChar(QChar::LineSeparator));
  return q;
}

QTextBlockFormat BlockFormat(const RtfParagraph& paragraph) {
  QTextBlockFormat block;
  block.setAlignment(ToQt(paragraph.alignment));
  block.setTopMargin(Pixels(paragraph.spaceBeforeTwips));
  block.setBottomMargin(Pixels(paragraph.spaceAfterTwips));
  block.setLeftMargin(Pixels(std::max(0, paragraph.leftIndentTwips)));
  block.setRightMargin(Pixels(std::max(0, paragraph.rightIndentTwips)));
  block.setTextIndent(Pixels(paragraph.firstLineIndentTwips));
  QList<QTextOption::Tab> tabs;
  for (const int twips : paragraph.tabStopsTwips)
    tabs.append(QTextOption::Tab(Pixels(twips), QTextOption::LeftTab));
  block.setTabPositions(tabs);
  return block;
}

// Rows of a table: one text-table row per row, the cells split at the tabs.
void InsertTable(QTextCursor& cursor, const std::vector<RtfParagraph>& rows,
                 const QFont& baseFont) {
  int columns = 1;
  for (const RtfParagraph& row : rows) {
    const std::string text = row.Text();
    columns = std::max(columns, int(std::count(text.begin(), text.end(), '\t')) + 1);
  }
  QTextTableFormat format;
  format.setBorder(1);
  format.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
  format.setBorderBrush(QColor(128, 128, 128));
  format.setBorderCollapse(true);
  format.setCellPadding(3);
  format.setCellSpacing(0);
  const std::vector<int>& edges = rows.front().cellEdgesTwips;
  if (int(edges.size()) == columns) {
    QList<QTextLength> widths;
    int left = 0;
    for (const int edge : edges) {
      widths.append(QTextLength(QTextLength::FixedLength, Pixels(std::max(1, edge - left))));
      left = edge;
    }
    format.setColumnWidthConstraints(widths);
  }
  QTextTable* table = cursor.insertTable(int(rows.size()), columns, format);
  for (int r = 0; r < int(rows.size()); ++r) {
    int column = 0;
    QTextCursor cell = table->cellAt(r, 0).firstCursorPosition();
    cell.setBlockFormat([&] {
      QTextBlockFormat b;
      b.setAlignment(ToQt(rows[r].alignment));
      return b;
    }());
    for (const RtfRun& run : rows[r].runs) {
      const QTextCharFormat charFormat = RunFormat(run, baseFont);
      size_t start = 0;
      while (true) {
        const size_t tab = run.text.find('\t', start);
        const std::string part =
            run.text.substr(start, tab == std::string::npos ? tab : tab - start);
        if (!part.empty())
          cell.insertText(RunText(part), charFormat);
        if (tab == std::string::npos)
          break;
        if (++column < columns)
          cell = table->cellAt(r, column).firstCursorPosition();
        start = tab + 1;
      }
    }
  }
  cursor.movePosition(QTextCursor::End);
}

} // namespace

void FillTextDocument(QTextDocument& target, const RtfDocument& source, const QFont& baseFont) {
  target.clear();
  target.setDefaultFont(baseFont);
  QTextCursor cursor(&target);
  cursor.beginEditBlock();
  bool emptyBlock = true; // the cursor stands in an empty block that the next paragraph uses
  const auto& paragraphs = source.paragraphs;
  for (size_t i = 0; i < paragraphs.size();) {
    if (paragraphs[i].tableRow) {
      size_t end = i;
      while (end < paragraphs.size() && paragraphs[end].tableRow)
        ++end;
      if (!emptyBlock)
        cursor.insertBlock();
      InsertTable(cursor, {paragraphs.begin() + long(i), paragraphs.begin() + long(end)}, baseFont);
      emptyBlock = true;
      i = end;
      continue;
    }
    const RtfParagraph& paragraph = paragraphs[i++];
    if (emptyBlock) {
      cursor.setBlockFormat(BlockFormat(paragraph));
      emptyBlock = false;
    } else {
      cursor.insertBlock(BlockFormat(paragraph));
    }
    for (const RtfRun& run : paragraph.runs)
      cursor.insertText(RunText(run.text), RunFormat(run, baseFont));
  }
  cursor.endEditBlock();
}

RulesWindow::RulesWindow(const RtfDocument& document, QWidget* parent, const QColor& panelColour)
    : QDialog(parent) {
  setObjectName(QStringLiteral("wagregeln"));
  setWindowTitle(QStringLiteral("Regeln"));
  SetHelpContext(this, kRulesHelpTopic);
  resize(kWidth, kHeight);

  redit_ = new QTextEdit(this);
  redit_->setObjectName(QStringLiteral("redit"));
  redit_->setReadOnly(true);
  redit_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  redit_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  redit_->setLineWrapMode(QTextEdit::WidgetWidth);
  const QFont arial(QStringLiteral("Arial"), 10);
  redit_->setFont(arial);
  if (panelColour.isValid()) {
    QPalette pal = redit_->palette();
    pal.setColor(QPalette::Base, panelColour);
    redit_->setPalette(pal);
  }
  // Emptied and filled with the document on creation.
  FillTextDocument(*redit_->document(), document, arial);
  redit_->moveCursor(QTextCursor::Start);

  button1_ = new TrkBitBtn(bkGDruck, this);
  button1_->setObjectName(QStringLiteral("Button1"));
  button1_->setAutoDefault(false);
  button2_ = new TrkBitBtn(bkGClose, this);
  button2_->setObjectName(QStringLiteral("Button2"));
  button2_->setCancel(true); // Esc anywhere in the window closes it
  button2_->setAutoDefault(false);

  connect(button1_, &QAbstractButton::clicked, this, &RulesWindow::Button1Click);
  connect(button2_, &QAbstractButton::clicked, this, &QDialog::reject);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(button1_);
  buttons->addWidget(button2_);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(6, 6, 6, 6);
  layout->addWidget(redit_, 1);
  layout->addLayout(buttons);

  // Centred on the screen.
  if (QScreen* screen = parent != nullptr ? parent->screen() : QGuiApplication::primaryScreen()) {
    const QRect area = screen->availableGeometry();
    move(area.center() - QPoint(kWidth / 2, kHeight / 2));
  }

  askPrinter = [this](QPrinter& printer) {
    QPrintDialog dialog(&printer, this);
    dialog.setWindowTitle(QStringLiteral("Drucken"));
    return dialog.exec() == QDialog::Accepted;
  };
}

void RulesWindow::PrintTo(QPrinter& printer) {
  printer.setDocName(QString::fromLatin1(kPrintJobTitle));
  // Print a copy laid out for the paper, not the window's width.
  std::unique_ptr<QTextDocument> copy(redit_->document()->clone());
  copy->print(&printer);
}

void RulesWindow::Button1Click() {
  QPrinter printer(QPrinter::HighResolution);
  printer.setDocName(QString::fromLatin1(kPrintJobTitle));
  if (askPrinter && !askPrinter(printer))
    return;
  PrintTo(printer);
}

void ShowRules(char code, UserDialogs& dialogs, QWidget* parent, const QColor& panelColour) {
  tarvik::ShowRules(code, dialogs, [&](const std::string& fileName) {
    const RtfDocument document = LoadRulesDocument(fileName, dialogs);
    RulesWindow window(document, parent, panelColour);
    window.exec();
  });
}

} // namespace tarvik
