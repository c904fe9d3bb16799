#pragma once
// The printer as the output writers need it. The Qt side draws on a QPrinter (paper or
// PDF); tests use a canvas that records what was drawn.
//
// Coordinates are printer pixels of the canvas's resolution, origin top left of the
// printable area. Texts are Windows-1252 bytes.

#include <string>

namespace tarvik {

enum FontStyle : int {
  FontRegular = 0,
  FontBold = 1,
  FontItalic = 2,
  FontUnderline = 4,
};

class PrintCanvas {
public:
  virtual ~PrintCanvas() = default;

  /// Pixels per inch, horizontally and vertically.
  virtual int ResolutionX() const = 0;
  virtual int ResolutionY() const = 0;
  /// Size of the printable area in pixels.
  virtual int PageWidth() const = 0;
  virtual int PageHeight() const = 0;

  /// Selects the font for the following texts (name, size in points, FontStyle bits).
  virtual void SetFont(const std::string& name, int points, int style) = 0;
  /// Height and width in pixels of a text in the current font.
  virtual int TextHeight(const std::string& text) = 0;
  virtual int TextWidth(const std::string& text) = 0;
  /// Draws a text with its top left corner at (x, y).
  virtual void TextOut(int x, int y, const std::string& text) = 0;
  /// Ends the current page and starts a new one.
  virtual void NewPage() = 0;
  /// Number of the current page, starting at 1.
  virtual int PageNumber() const = 0;
};

} // namespace tarvik
