// Entry point of the installation tests: a QCoreApplication for QProcess and the QTRY
// waits, then every GoogleTest case.

#include <QCoreApplication>

#include <gtest/gtest.h>

int main(int argc, char* argv[]) {
  QCoreApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
