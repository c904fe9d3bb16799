// The Tarvik program: starts the toolkit, remembers the data directory, shows the main window
// until it closes, and ends with the record-file manager's exit report.
//
// Exit codes: 0 normal end; 1 the data directory is in use by another program (another
// instance, or a tarvik-tool run) or the record-file manager could not start; 3 a storage
// operation failed badly (the program ends from the error handler after its message and
// report).

#include <QApplication>
#include <QTimer>

#include "app/program_lock.h"
#include "app/record_file_errors.h"
#include "app/ui/contest_list_window.h"
#include "base/data_directory.h"
#include "widgets/qt_user_dialogs.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Tarvik"));
  QApplication::setApplicationDisplayName(QStringLiteral("Tarvik"));
  QApplication::setStyle(QStringLiteral("Fusion"));
  tarvik::RememberWorkingDirectoryAsDataDirectory();

  tarvik::QtUserDialogs dialogs;
  // The data directory is ours for the whole run, or the program ends before it builds a
  // window or reads a file there.
  const std::unique_ptr<tarvik::DataDirectoryLock> lock =
      tarvik::LockDataDirectoryForProgram(dialogs);
  if (!lock)
    return 1;
  int exitCode = 0;
  {
    tarvik::ContestListWindow window(dialogs);
    switch (window.Start()) {
    case tarvik::ContestListWindow::StartResult::kRecordFilesFailed:
      exitCode = 1;
      break;
    case tarvik::ContestListWindow::StartResult::kEnded:
      break;
    case tarvik::ContestListWindow::StartResult::kRunning:
      window.ShowMaximised();
      QTimer::singleShot(0, &window, [&window] { window.AfterShown(); });
      exitCode = QApplication::exec();
      break;
    }
  }
  tarvik::RunRecordFilesExitReport();
  tarvik::DetachRecordFileHandler();
  return exitCode;
}
