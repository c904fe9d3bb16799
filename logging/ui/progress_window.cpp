#include "logging/ui/progress_window.h"

#include <QApplication>
#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>

#include <algorithm>

namespace tarvik {

ProgressWindow::ProgressWindow(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("ProgressWindow"));
  setModal(false);
  setWindowFlag(Qt::WindowContextHelpButtonHint, false);
  setWindowFlag(Qt::WindowCloseButtonHint, false);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(16, 14, 16, 14);
  QLabel** labels[] = {&Label1, &Label2, &Label3, &Label4};
  int n = 1;
  for (QLabel** label : labels) {
    *label = new QLabel(this);
    (*label)->setObjectName(QStringLiteral("Label%1").arg(n++));
    layout->addWidget(*label);
  }
  ProgressBar1 = new QProgressBar(this);
  ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
  ProgressBar1->setMinimumWidth(320);
  layout->addWidget(ProgressBar1);
}

void ProgressWindow::Start(Kind kind, std::int32_t steps) {
  const bool renumbering = kind == Kind::kRenumbering;
  (renumbering ? renumberings_ : recalculations_) += 1;
  setWindowTitle(renumbering ? QStringLiteral("Neunummerierung") : QStringLiteral("Neuberechnung"));
  Label1->setText(renumbering ? QStringLiteral("Die QSO werden neu nummeriert.")
                              : QStringLiteral("Die Wertung wird neu berechnet."));
  Label2->setText(QStringLiteral("Bitte warten ..."));
  Label3->setText(QStringLiteral("Das Logbuch wird als neue Kopie aufgebaut"));
  Label4->setText(QStringLiteral("und ersetzt danach das alte Logbuch."));
  Label3->setVisible(renumbering);
  Label4->setVisible(renumbering);
  ProgressBar1->setMaximum(std::max(1, steps));
  ProgressBar1->setValue(0);
  show();
  raise();
  Repaint();
}

void ProgressWindow::Advance(std::int32_t done) {
  ProgressBar1->setValue(std::min(done, ProgressBar1->maximum()));
  Repaint();
}

void ProgressWindow::Finish() {
  ProgressBar1->setValue(ProgressBar1->maximum());
  hide();
}

void ProgressWindow::Repaint() {
  // The run holds the event loop: only the window's own painting is let through.
  if (isVisible())
    repaint();
  QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

} // namespace tarvik
