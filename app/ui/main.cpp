// The Tarvik program: starts the toolkit, chooses and locks the data directory, shows the
// main window until it closes, and ends with the record-file manager's exit report.
//
// Command line: tarvik [--data DIR] [--contest CODE] (app/data_directory_choice.h says which
// directory is used without it: the working directory when it holds the program's data, else the
// person's data folder ~/.local/share/tarvik, which the first start creates).
//
// Exit codes: 0 normal end; 1 the data directory is in use by another program (another
// instance, or a tarvik-tool run), cannot be prepared, or the record-file manager could not
// start; 2 a wrong command line (an unknown contest code included); 3 a storage operation failed
// badly (the program ends from the error handler after its message and report).

#include <QApplication>
#include <QTimer>

#include <cstdio>
#include <string>
#include <vector>

#include "app/data_directory_choice.h"
#include "app/program_lock.h"
#include "app/record_file_errors.h"
#include "app/ui/contest_list_window.h"
#include "base/data_directory.h"
#include "base/shared_files.h"
#include "widgets/qt_translations.h"
#include "widgets/qt_user_dialogs.h"
#include "widgets/text_codec.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Tarvik"));
  QApplication::setApplicationDisplayName(QStringLiteral("Tarvik"));
  QApplication::setDesktopFileName(QStringLiteral(TARVIK_APP_ID));
  QApplication::setStyle(QStringLiteral("Fusion"));
  // Qt's own buttons and dialogs speak the program's language from the first message on
  // (German until the family setup says otherwise).
  tarvik::FollowLanguageWithQtTranslations();

  std::vector<std::string> arguments;
  const QStringList qtArguments = QApplication::arguments(); // without Qt's own options
  for (qsizetype i = 1; i < qtArguments.size(); ++i)
    arguments.push_back(tarvik::PathFromQString(qtArguments[i]));
  const tarvik::StartOptions options = tarvik::ReadStartOptions(arguments);
  if (!options.error.empty()) {
    std::fprintf(stderr, "tarvik: %s\n%s", options.error.c_str(), tarvik::StartUsage().c_str());
    return 2;
  }
  if (options.help) {
    std::fputs(tarvik::StartUsage().c_str(), stdout);
    return 0;
  }

  tarvik::QtUserDialogs dialogs;
  const tarvik::DataDirectoryChoice choice =
      tarvik::ChooseDataDirectory(options, tarvik::ProcessStartEnvironment());
  if (choice.source == tarvik::DataDirectorySource::kUserData) {
    // The person's data folder: created at the first start with the data files the program
    // ships; the country data follow when the main window opens the prefix tables.
    std::string cause;
    if (!tarvik::PrepareDataDirectory(choice.directory, tarvik::FindSharedFile("data"), &cause)) {
      dialogs.Inform(tarvik::DataDirectoryFailureMessage(choice.directory, cause));
      return 1;
    }
  }
  tarvik::SetDataDirectory(choice.directory);

  // The data directory is ours for the whole run, or the program ends before it builds a
  // window or reads a file there.
  const std::unique_ptr<tarvik::DataDirectoryLock> lock =
      tarvik::LockDataDirectoryForProgram(dialogs);
  if (!lock)
    return 1;
  int exitCode = 0;
  {
    tarvik::ContestListWindow window(dialogs, nullptr, nullptr,
                                     options.contestCode.value_or(tarvik::kRememberedContest));
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
