#pragma once
// Waiting in a test for what happens in the event loop or in another process: events are
// processed until the condition holds or the time is up. The result goes into a GoogleTest
// assertion, which reports a failure where Qt's QTRY macros would report it only to Qt's own
// test log.

#include <QDeadlineTimer>
#include <QTest>

namespace tarvik::test {

/// True as soon as `condition()` holds; false when it still does not after `timeoutMs`.
template <typename Condition> bool Eventually(Condition condition, int timeoutMs = 5000) {
  const QDeadlineTimer deadline(timeoutMs);
  while (!condition()) {
    if (deadline.hasExpired())
      return false;
    QTest::qWait(10);
  }
  return true;
}

} // namespace tarvik::test
