#pragma once
// The page state of a printed output: the left margin, the current line position, the line
// height and the printer's resolution, over a PrintCanvas. Lines are written one below the
// other; the writer asks whether the next line still fits and starts a new page itself, so
// that it can print its page header there.
//
//   left margin    1.4 cm          x = round(dpi x 1.4 / 2.54)
//   top of a page  1 cm            y = round(dpi x 1 / 2.54)
//   line height    1.1 x the height of "XygW" in the printer font
// The horizontal resolution serves for vertical distances too.

#include <string>
#include <string_view>

#include "outputs/print_canvas.h"

namespace tarvik {

/// The font of every printed output.
inline constexpr std::string_view kPrinterFont = "Courier New";

class PaperPage {
public:
  /// Selects `kPrinterFont` at `points` (regular) and measures the line height.
  PaperPage(PrintCanvas& canvas, int points);

  PrintCanvas& Canvas() { return canvas_; }
  int Dpi() const { return dpi_; }
  int LeftMargin() const { return left_; }
  int LineHeight() const { return lineHeight_; }
  int X() const { return x_; }
  int Y() const { return y_; }
  int PageNumber() const { return canvas_.PageNumber(); }

  /// Back to the top of the page at the left margin (1 cm from the top).
  void Top();
  /// Draws `text` at the current position; with `advance` the position moves one line down.
  void WriteLine(std::string_view text, bool advance = true);
  /// True when one more line fits on the page (the page height is not below y + line height).
  bool LineFits() const;
  /// Ends the page and starts the next one, at its top.
  void NewPage();
  /// Switches the printer font between bold and regular.
  void SetBold(bool bold);

private:
  PrintCanvas& canvas_;
  int points_;
  int dpi_;
  int left_;
  int lineHeight_;
  int x_;
  int y_;
};

} // namespace tarvik
