#pragma once
// A PrintCanvas that records what is drawn, with a fixed resolution and a font whose text
// height is its size in points at that resolution.

#include <string>
#include <vector>

#include "outputs/output_runner.h"
#include "outputs/print_canvas.h"

namespace tarvik::test {

class RecordingCanvas : public PrintCanvas {
public:
  struct Text {
    int page;
    int x, y;
    std::string text;
    std::string font;
    int points;
    bool bold;
  };

  int dpi = 300;
  int pageHeight = 3300; // 11 inches
  std::vector<Text> texts;

  int ResolutionX() const override { return dpi; }
  int ResolutionY() const override { return dpi; }
  int PageWidth() const override { return 2400; }
  int PageHeight() const override { return pageHeight; }
  void SetFont(const std::string& name, int points, int style) override {
    font_ = name;
    points_ = points;
    bold_ = (style & FontBold) != 0;
  }
  int TextHeight(const std::string&) override { return points_ * dpi / 72; }
  int TextWidth(const std::string& text) override {
    return static_cast<int>(text.size()) * points_ * dpi / 120;
  }
  void TextOut(int x, int y, const std::string& text) override {
    texts.push_back({page_, x, y, text, font_, points_, bold_});
  }
  void NewPage() override { ++page_; }
  int PageNumber() const override { return page_; }

  /// The texts of page `page`, in drawing order.
  std::vector<Text> Page(int page) const {
    std::vector<Text> out;
    for (const Text& t : texts)
      if (t.page == page)
        out.push_back(t);
    return out;
  }

private:
  std::string font_;
  int points_ = 10;
  bool bold_ = false;
  int page_ = 1;
};

/// A printer whose dialog is answered by the test: `cancel` or a job on a RecordingCanvas.
class FakePrinter : public Printer {
public:
  bool cancel = false;
  bool finishFails = false; ///< the job cannot be completed (a printer gone, a full disk)
  std::vector<std::string> titles;
  RecordingCanvas canvas;
  int finished = 0;

  std::unique_ptr<PrintJob> StartJob(const std::string& title) override {
    titles.push_back(title);
    if (cancel)
      return nullptr;
    struct Job : PrintJob {
      FakePrinter& printer;
      explicit Job(FakePrinter& p) : printer(p) {}
      PrintCanvas& Canvas() override { return printer.canvas; }
      bool Finish() override {
        ++printer.finished;
        return !printer.finishFails;
      }
    };
    return std::make_unique<Job>(*this);
  }
};

} // namespace tarvik::test
