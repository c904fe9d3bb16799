#include "outputs/ui/qt_printer.h"

#include <QPrintDialog>
#include <QPrinter>

#include "outputs/output_kinds.h"
#include "outputs/ui/qt_print_canvas.h"
#include "widgets/qt_user_dialogs.h"
#include "widgets/text_codec.h"

namespace tarvik {

namespace {

class QtPrintJob final : public PrintJob {
public:
  explicit QtPrintJob(std::unique_ptr<QPrinter> printer)
      : printer_(std::move(printer)), canvas_(std::make_unique<QtPrintCanvas>(*printer_)) {}
  ~QtPrintJob() override {
    canvas_.reset(); // ends the job before the printer goes
  }

  bool Active() const { return canvas_->IsActive(); }
  PrintCanvas& Canvas() override { return *canvas_; }
  bool Finish() override { return canvas_->Finish(); }

private:
  std::unique_ptr<QPrinter> printer_;
  std::unique_ptr<QtPrintCanvas> canvas_;
};

} // namespace

QtPrinter::QtPrinter(QWidget* parent, Setup setup) : parent_(parent), setup_(std::move(setup)) {}

std::unique_ptr<PrintJob> QtPrinter::StartJob(const std::string& title) {
  auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
  printer->setDocName(ToQString(title));
  printer->setPageSize(QPageSize(QPageSize::A4));
  if (setup_) {
    if (!setup_(*printer))
      return nullptr;
  } else {
    QPrintDialog dialog(printer.get(), parent_.data());
    dialog.setWindowTitle(ToQString(title));
    if (dialog.exec() != QDialog::Accepted)
      return nullptr;
  }
  auto job = std::make_unique<QtPrintJob>(std::move(printer));
  if (!job->Active()) {
    QtUserDialogs(parent_.data()).Inform(PrintJobNotStartedMessage());
    return nullptr;
  }
  return job;
}

} // namespace tarvik
