#include "app/ui/rules_window.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QPrintDialog>
#include <QPrinter>
#include <QScreen>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QVBoxLayout>

#include <memory>

#include "app/rules.h"
#include "app/ui/text_codec.h"
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

} // namespace

void FillTextDocument(QTextDocument& target, const RtfDocument& source, const QFont& baseFont) {
  target.clear();
  target.setDefaultFont(baseFont);
  QTextCursor cursor(&target);
  cursor.beginEditBlock();
  // Twips to the document's pixels (the text view lays out at 96 pixels per inch).
  const qreal pixelsPerTwip = 96.0 / 1440.0;
  bool first = true;
  for (const RtfParagraph& paragraph : source.paragraphs) {
    QTextBlockFormat block;
    block.setAlignment(ToQt(paragraph.alignment));
    QList<QTextOption::Tab> tabs;
    for (const int twips : paragraph.tabStopsTwips)
      tabs.append(QTextOption::Tab(twips * pixelsPerTwip, QTextOption::LeftTab));
    block.setTabPositions(tabs);
    if (first) {
      cursor.setBlockFormat(block);
      first = false;
    } else {
      cursor.insertBlock(block);
    }
    for (const RtfRun& run : paragraph.runs) {
      QTextCharFormat format;
      format.setFont(baseFont);
      format.setFontWeight(run.bold ? QFont::Bold : QFont::Normal);
      format.setFontItalic(run.italic);
      format.setFontUnderline(run.underline);
      if (run.fontHalfPoints > 0)
        format.setFontPointSize(run.fontHalfPoints / 2.0);
      QString text = ToQString(run.text);
      text.replace(QLatin1Char('\n'), QChar(QChar::LineSeparator));
      cursor.insertText(text, format);
    }
  }
  cursor.endEditBlock();
}

Twagregeln::Twagregeln(const RtfDocument& document, QWidget* parent, const QColor& panelColour)
    : QDialog(parent) {
  setObjectName(QStringLiteral("wagregeln"));
  setWindowTitle(QStringLiteral("Regeln"));
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

  connect(button1_, &QAbstractButton::clicked, this, &Twagregeln::Button1Click);
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

void Twagregeln::PrintTo(QPrinter& printer) {
  printer.setDocName(QString::fromLatin1(kPrintJobTitle));
  // Print a copy laid out for the paper, not the window's width.
  std::unique_ptr<QTextDocument> copy(redit_->document()->clone());
  copy->print(&printer);
}

void Twagregeln::Button1Click() {
  QPrinter printer(QPrinter::HighResolution);
  printer.setDocName(QString::fromLatin1(kPrintJobTitle));
  if (askPrinter && !askPrinter(printer))
    return;
  PrintTo(printer);
}

void ShowRules(char code, UserDialogs& dialogs, QWidget* parent, const QColor& panelColour) {
  tarvik::ShowRules(code, dialogs, [&](const std::string& fileName) {
    const RtfDocument document = LoadRulesDocument(fileName, dialogs);
    Twagregeln window(document, parent, panelColour);
    window.exec();
  });
}

} // namespace tarvik
