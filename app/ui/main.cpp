// The Tarvik program: starts the toolkit, remembers the data directory and shows the
// main window until it closes.

#include <QApplication>
#include <QLabel>
#include <QMainWindow>

#include "storage/data_directory.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Tarvik"));
  QApplication::setApplicationDisplayName(QStringLiteral("Tarvik"));
  tarvik::RememberWorkingDirectoryAsDataDirectory();

  QMainWindow window;
  window.setWindowTitle(QStringLiteral("Bridlow Tarvik Version 2006-1.0"));
  window.setMinimumSize(800, 600);
  auto* label = new QLabel(QStringLiteral("Datenverzeichnis: %1")
                               .arg(QString::fromLocal8Bit(tarvik::DataDirectory().c_str())));
  label->setAlignment(Qt::AlignCenter);
  window.setCentralWidget(label);
  window.showMaximized();
  return app.exec();
}
