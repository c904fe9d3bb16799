#pragma once
// Which data directory the program works in, and the first start of a new one.
//
// The program's command line: `tarvik [--data DIR] [--contest CODE]` (--contest starts with that
// contest for this run; the contest chosen in the window is kept in TARVIK.INI). The data directory
// is
//   1. DIR when --data names one (it must exist);
//   2. else the working directory when it already holds the program's data (KXSETUP.DAT or
//      KXKK.DAT), as when the program is started in a data directory by hand;
//   3. else the person's data folder $XDG_DATA_HOME/tarvik (~/.local/share/tarvik when
//      XDG_DATA_HOME is unset, empty or not absolute), as when it is started from the
//      desktop's menu. That folder is created on first start and gets the data files the
//      program ships (rules document, title and logo bitmaps); the program fills its prefix
//      table and call book from the installed country files when it opens them.
// Without a home folder at all the working directory is used.

#include <optional>
#include <string>
#include <vector>

namespace tarvik {

/// The command line, read.
struct StartOptions {
  std::optional<std::string> dataDirectory; ///< --data DIR / --data=DIR
  /// --contest CODE / --contest=CODE: a code of the catalog the program can run (checked).
  std::optional<char> contestCode;
  bool help = false; ///< --help / -h
  std::string error; ///< what was wrong with the command line ("": ok)
};

/// Reads the arguments after the program name (Qt has removed its own already).
[[nodiscard]] StartOptions ReadStartOptions(const std::vector<std::string>& arguments);

/// The message for a --contest code the program cannot run (W, M, X, an unknown code).
std::string UnknownContestCodeMessage(const std::string& code);

/// The usage text for --help and for a wrong command line (UTF-8, for the terminal).
std::string StartUsage();

/// Where the data directory came from.
enum class DataDirectorySource {
  kOption,           ///< --data DIR
  kWorkingDirectory, ///< the working directory holds the program's data (or there is no home)
  kUserData,         ///< $XDG_DATA_HOME/tarvik
};

struct DataDirectoryChoice {
  std::string directory; ///< absolute where the inputs were; without a trailing "/"
  DataDirectorySource source = DataDirectorySource::kWorkingDirectory;
};

/// The environment the choice depends on.
struct StartEnvironment {
  std::string workingDirectory;
  std::optional<std::string> xdgDataHome; ///< XDG_DATA_HOME, when set
  std::optional<std::string> home;        ///< HOME, when set
};

/// The environment of this process.
StartEnvironment ProcessStartEnvironment();

/// Whether `dir` holds the program's data: its setup file KXSETUP.DAT or its contest
/// header file KXKK.DAT.
[[nodiscard]] bool HoldsProgramData(const std::string& dir);

/// The data directory by the rules at the top of this file. Nothing is created here.
DataDirectoryChoice ChooseDataDirectory(const StartOptions& options,
                                        const StartEnvironment& environment);

/// Makes `dir` ready for its first start: creates it (and missing parents, mode 0700 as the
/// person's data folders are) and copies every file of `companionFiles` (a folder; "" or a
/// missing folder copies nothing) that `dir` lacks. A file the directory already has is
/// never replaced. False with `*error` (Windows-1252 text, the cause) when the directory
/// cannot be created or a file cannot be copied.
[[nodiscard]] bool PrepareDataDirectory(const std::string& dir, const std::string& companionFiles,
                                        std::string* error);

/// The message when the data directory cannot be prepared; the program then ends.
std::string DataDirectoryFailureMessage(const std::string& dir, const std::string& cause);

} // namespace tarvik
