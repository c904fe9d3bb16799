#pragma once
// Acting on a modal window that the test's next step opens (and whose exec() would otherwise
// block the test): the action runs as soon as a modal window of the type is active.

#include <gtest/gtest.h>

#include <QApplication>
#include <QTimer>

#include <functional>

namespace tarvik::test {

/// Runs `act` on the next active modal window of type `Window`. Looks every 5 ms for up to
/// 5 seconds (pending events, such as a repaint before the window opens, may run first).
template <typename Window> void OnModal(std::function<void(Window&)> act, int tries = 0) {
  QTimer::singleShot(tries == 0 ? 0 : 5, [act = std::move(act), tries]() mutable {
    if (auto* window = qobject_cast<Window*>(QApplication::activeModalWidget())) {
      act(*window);
      return;
    }
    if (tries >= 1000) {
      ADD_FAILURE() << "the modal window did not open";
      return;
    }
    OnModal<Window>(std::move(act), tries + 1);
  });
}

} // namespace tarvik::test
