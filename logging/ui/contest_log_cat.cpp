// The log window's radio control: the CAT panel on the side bar with its controller, and the
// door through which the controller takes the radio into the entry.

#include <QBoxLayout>
#include <QListWidget>
#include <QTimer>

#include "logging/ui/cat_controller.h"
#include "logging/ui/cat_panel.h"
#include "logging/ui/contest_log_window.h"

namespace tarvik {

void ContestLogWindow::CreateCatPanel(QWidget* bar, QBoxLayout* layout) {
  panelCAT = new CatPanel(Pt(9), bar);
  btnCATan = panelCAT->btnCATan;
  btnCATaus = panelCAT->btnCATaus;
  layout->addWidget(panelCAT);
  TimerCAT = new QTimer(this);
  TimerCAT->setObjectName(QStringLiteral("TimerCAT"));
  cat_ = new CatController(*this, *panelCAT, *TimerCAT, dialogs_);
}

bool ContestLogWindow::RunWhenIdle(const std::function<bool()>& action) {
  if (busy_ || !opened_ || finished_ || listState_ || !listband->isHidden() ||
      !listmode->isHidden())
    return false;
  busy_ = true;
  const bool changed = action();
  busy_ = false;
  if (changed)
    ShowSession();
  return true;
}

} // namespace tarvik
