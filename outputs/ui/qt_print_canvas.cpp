#include "outputs/ui/qt_print_canvas.h"

#include <QFontMetrics>
#include <QPrinter>

#include "widgets/text_codec.h"

namespace tarvik {

QtPrintCanvas::QtPrintCanvas(QPrinter& printer) : printer_(printer) {
  painter_.begin(&printer_);
  SetFont("Courier New", 10, FontRegular);
}

QtPrintCanvas::~QtPrintCanvas() {
  // A job its owner did not finish was given up after a failure already reported: ending it
  // here only releases the printer.
  (void)Finish();
}

bool QtPrintCanvas::Finish() {
  if (!painter_.isActive())
    return false;
  return painter_.end();
}

int QtPrintCanvas::ResolutionX() const {
  return printer_.logicalDpiX();
}
int QtPrintCanvas::ResolutionY() const {
  return printer_.logicalDpiY();
}
int QtPrintCanvas::PageWidth() const {
  return printer_.width();
}
int QtPrintCanvas::PageHeight() const {
  return printer_.height();
}

void QtPrintCanvas::SetFont(const std::string& name, int points, int style) {
  QFont font(ToQString(name));
  font.setPointSize(points > 0 ? points : 10);
  font.setBold((style & FontBold) != 0);
  font.setItalic((style & FontItalic) != 0);
  font.setUnderline((style & FontUnderline) != 0);
  // Resolve sizes for the printer's resolution, not the screen's.
  font_ = QFont(font, &printer_);
  if (painter_.isActive())
    painter_.setFont(font_);
}

int QtPrintCanvas::TextHeight(const std::string&) {
  return QFontMetrics(font_, &printer_).height();
}

int QtPrintCanvas::TextWidth(const std::string& text) {
  return QFontMetrics(font_, &printer_).horizontalAdvance(ToQString(text));
}

void QtPrintCanvas::TextOut(int x, int y, const std::string& text) {
  if (!painter_.isActive())
    return;
  const QFontMetrics fm(font_, &printer_);
  painter_.drawText(x, y + fm.ascent(), ToQString(text));
}

void QtPrintCanvas::NewPage() {
  if (painter_.isActive() && printer_.newPage())
    ++page_;
}

} // namespace tarvik
