#include "widgets/help_hook.h"

#include <QApplication>
#include <QDir>
#include <QKeyEvent>
#include <QPointer>

#include "base/help_topics.h"
#include "base/user_dialogs.h"
#include "widgets/help_request.h"
#include "widgets/help_window.h"
#include "widgets/text_codec.h"

namespace tarvik {

namespace {

QPointer<HelpWindow>& Window() {
  static QPointer<HelpWindow> window;
  return window;
}

/// F1 in any window but the manual's own asks for that window's topic: the HelpContext of
/// the focused control or of its nearest parent that has one.
class F1Filter final : public QObject {
public:
  using QObject::QObject;

protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::KeyPress)
      return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() != Qt::Key_F1 || key->modifiers() != Qt::NoModifier)
      return false;
    auto* widget = qobject_cast<QWidget*>(watched);
    if (widget == nullptr || qobject_cast<HelpWindow*>(widget->window()) != nullptr)
      return false;
    const QWidget* focus = QApplication::focusWidget();
    const QWidget* asking =
        focus != nullptr && focus->window() == widget->window() ? focus : widget;
    (void)RequestHelpTopic(HelpContextOf(asking)); // without a handler nothing happens
    return true;
  }
};

/// The window the manual should stay usable above: the modal window now (a window of its
/// own would be blocked by it), else the active one.
QWidget* HelpParent() {
  if (QWidget* modal = QApplication::activeModalWidget())
    return modal;
  return QApplication::activeWindow();
}

} // namespace

HelpWindow* OpenHelpWindow() {
  return Window().data();
}

bool ShowManual(int topic, UserDialogs& dialogs) {
  const std::string directory = FindManualDirectory();
  if (directory.empty()) {
    dialogs.Inform(ManualMissingMessage());
    return false;
  }
  QWidget* parent = HelpParent();
  if (parent != nullptr && qobject_cast<HelpWindow*>(parent) != nullptr)
    parent = parent->parentWidget();
  const QString folder = QDir::cleanPath(PathToQString(directory));
  QPointer<HelpWindow>& current = Window();
  if (current && current->ManualDirectory() != folder) {
    // Another language (or another installation) since: a fresh window.
    current->close();
    delete current.data();
  }
  if (!current) {
    current = new HelpWindow(folder, parent);
  } else if (current->parentWidget() != parent) {
    const QRect at = current->geometry();
    current->setParent(parent, Qt::Window);
    current->setGeometry(at);
  }
  current->ShowLocation(ManualLocationOfTopic(topic == 0 ? kHelpContentsTopic : topic));
  current->show();
  current->raise();
  current->activateWindow();
  return true;
}

void InstallHelpHook(UserDialogs& dialogs) {
  // ShowManual tells the person when the manual cannot be found.
  SetHelpTopicHandler([&dialogs](int topic) { (void)ShowManual(topic, dialogs); });
  static QPointer<F1Filter> filter;
  if (!filter && qApp != nullptr) {
    filter = new F1Filter(qApp);
    qApp->installEventFilter(filter);
  }
}

} // namespace tarvik
