#pragma once
// The printer of the output run on Qt: the print dialog (with the printer's properties and
// page setup) on a high-resolution QPrinter, then a print job drawing through QtPrintCanvas.
// Printing into a PDF file is one of the dialog's printers.

#include <QPointer>
#include <QWidget>

#include <functional>

#include "outputs/output_runner.h"

class QPrinter;

namespace tarvik {

class QtPrinter final : public Printer {
public:
  /// Sets up the printer in place of the dialog; false cancels the job. The default shows
  /// QPrintDialog.
  using Setup = std::function<bool(QPrinter& printer)>;

  explicit QtPrinter(QWidget* parent = nullptr, Setup setup = {});

  [[nodiscard]] std::unique_ptr<PrintJob> StartJob(const std::string& title) override;

private:
  QPointer<QWidget> parent_;
  Setup setup_;
};

} // namespace tarvik
