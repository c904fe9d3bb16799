// Entry point of the window tests: one QApplication for the whole run (offscreen unless the
// caller chose a platform, e.g. xvfb for screenshots), then every GoogleTest case.

#include <QApplication>
#include <QtGlobal>

#include <gtest/gtest.h>

int main(int argc, char* argv[]) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
    qputenv("QT_QPA_PLATFORM", "offscreen");
  // Keep test runs independent of the desktop's style and fonts.
  QApplication::setStyle(QStringLiteral("Fusion"));
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Tarvik"));
  QApplication::setApplicationDisplayName(QStringLiteral("Tarvik"));
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
