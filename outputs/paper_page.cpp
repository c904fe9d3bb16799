#include "outputs/paper_page.h"

#include <cmath>

namespace tarvik {

namespace {

int Centimetres(int dpi, double cm) {
  return static_cast<int>(std::lround(dpi * cm / 2.54));
}

} // namespace

PaperPage::PaperPage(PrintCanvas& canvas, int points)
    : canvas_(canvas), points_(points), dpi_(canvas.ResolutionX()) {
  canvas_.SetFont(std::string(kPrinterFont), points_, FontRegular);
  left_ = Centimetres(dpi_, 1.4);
  lineHeight_ = static_cast<int>(std::lround(1.1 * canvas_.TextHeight("XygW")));
  if (lineHeight_ < 1)
    lineHeight_ = 1;
  Top();
}

void PaperPage::Top() {
  x_ = left_;
  y_ = Centimetres(dpi_, 1.0);
}

void PaperPage::WriteLine(std::string_view text, bool advance) {
  canvas_.TextOut(x_, y_, std::string(text));
  if (advance)
    y_ += lineHeight_;
}

bool PaperPage::LineFits() const {
  return canvas_.PageHeight() >= y_ + lineHeight_;
}

void PaperPage::NewPage() {
  canvas_.NewPage();
  Top();
}

void PaperPage::SetBold(bool bold) {
  canvas_.SetFont(std::string(kPrinterFont), points_, bold ? FontBold : FontRegular);
}

} // namespace tarvik
