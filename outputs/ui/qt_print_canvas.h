#pragma once
// PrintCanvas on a QPrinter (paper or PDF): the output writers draw through it with printer
// pixels, fonts by name and size, and page breaks.
//
// Font names are those of the printouts ("Courier New", "Arial"); on Linux the font
// configuration maps them to their metric twins (Liberation Mono, Liberation Sans), so
// column positions computed from text widths come out as intended.

#include <QFont>
#include <QPainter>

#include "outputs/print_canvas.h"

class QPrinter;

namespace tarvik {

class QtPrintCanvas final : public PrintCanvas {
public:
  /// Starts the print job on a printer that is set up (printer name or PDF file, paper,
  /// job title). IsActive() tells whether the job could be started.
  explicit QtPrintCanvas(QPrinter& printer);
  /// Ends the job if Finish() was not called.
  ~QtPrintCanvas() override;
  QtPrintCanvas(const QtPrintCanvas&) = delete;
  QtPrintCanvas& operator=(const QtPrintCanvas&) = delete;

  bool IsActive() const { return painter_.isActive(); }
  /// Ends the job: the last page goes to the printer or the PDF file is complete. Returns
  /// false when the job could not be completed.
  [[nodiscard]] bool Finish();

  int ResolutionX() const override;
  int ResolutionY() const override;
  int PageWidth() const override;
  int PageHeight() const override;
  void SetFont(const std::string& name, int points, int style) override;
  int TextHeight(const std::string& text) override;
  int TextWidth(const std::string& text) override;
  void TextOut(int x, int y, const std::string& text) override;
  void NewPage() override;
  int PageNumber() const override { return page_; }

  /// The font as the printer resolves it (for tests and diagnostics).
  const QFont& CurrentFont() const { return font_; }

private:
  QPrinter& printer_;
  QPainter painter_;
  QFont font_;
  int page_ = 1;
};

} // namespace tarvik
