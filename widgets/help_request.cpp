#include "widgets/help_request.h"

#include <QVariant>
#include <QWidget>

#include "base/help_topics.h"

namespace tarvik {

namespace {
HelpTopicHandler& Handler() {
  static HelpTopicHandler handler;
  return handler;
}
constexpr const char* kHelpContextProperty = "HelpContext";
} // namespace

void SetHelpTopicHandler(HelpTopicHandler handler) {
  Handler() = std::move(handler);
}

bool RequestHelpTopic(int topic) {
  if (!Handler())
    return false;
  Handler()(topic == 0 ? kHelpContentsTopic : topic);
  return true;
}

int HelpContextOf(const QWidget* widget) {
  for (const QWidget* w = widget; w != nullptr; w = w->parentWidget()) {
    const int topic = w->property(kHelpContextProperty).toInt();
    if (topic != 0)
      return topic;
  }
  return 0;
}

void SetHelpContext(QWidget* widget, int topic) {
  if (widget != nullptr)
    widget->setProperty(kHelpContextProperty, topic);
}

} // namespace tarvik
