#include "app/data_directory_choice.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "app/record_file_errors.h"
#include "base/cp1252.h"
#include "base/text_helpers.h"
#include "contest/contest_catalog.h"

namespace tarvik {

namespace fs = std::filesystem;

namespace {

constexpr const char* kDataOption = "--data";
constexpr const char* kFolderName = "tarvik";

std::optional<std::string> Environment(const char* name) {
  const char* value = std::getenv(name);
  if (value == nullptr)
    return std::nullopt;
  return std::string(value);
}

std::string WithoutTrailingSlash(std::string dir) {
  while (dir.size() > 1 && dir.back() == '/')
    dir.pop_back();
  return dir;
}

/// `dir` made absolute against the working directory (the lock and every file are named
/// from it, and the program may change its working directory later).
std::string Absolute(const std::string& dir, const std::string& workingDirectory) {
  fs::path path(dir);
  if (path.is_relative() && !workingDirectory.empty())
    path = fs::path(workingDirectory) / path;
  return WithoutTrailingSlash(path.lexically_normal().string());
}

std::string CauseOf(const std::error_code& ec) {
  std::string cause = OsErrorCauseText(ec.value());
  return cause.empty() ? FileSystemNameToText(ec.message()) : cause;
}

} // namespace

StartOptions ReadStartOptions(const std::vector<std::string>& arguments) {
  StartOptions options;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    if (argument == "--help" || argument == "-h") {
      options.help = true;
    } else if (argument == kDataOption) {
      if (i + 1 >= arguments.size() || arguments[i + 1].empty()) {
        options.error = "--data braucht ein Verzeichnis / --data needs a directory";
        return options;
      }
      options.dataDirectory = arguments[++i];
    } else if (argument.rfind(std::string(kDataOption) + "=", 0) == 0) {
      const std::string dir = argument.substr(std::string(kDataOption).size() + 1);
      if (dir.empty()) {
        options.error = "--data braucht ein Verzeichnis / --data needs a directory";
        return options;
      }
      options.dataDirectory = dir;
    } else if (argument == "--contest" || argument.rfind("--contest=", 0) == 0) {
      std::string code;
      if (argument == "--contest") {
        if (i + 1 >= arguments.size()) {
          options.error = "--contest braucht einen Kennbuchstaben / --contest needs a code";
          return options;
        }
        code = arguments[++i];
      } else {
        code = argument.substr(std::string("--contest=").size());
      }
      if (code.size() != 1 || !HasContestDefinition(code[0])) {
        options.error = UnknownContestCodeMessage(code);
        return options;
      }
      options.contestCode = code[0];
    } else {
      options.error = "unbekanntes Argument / unknown argument: " + argument;
      return options;
    }
  }
  return options;
}

std::string UnknownContestCodeMessage(const std::string& code) {
  return "kein Contest mit dem Kennbuchstaben / no contest with the code '" + code + "' (" +
         ChoosableContestCodes() + ")";
}

std::string StartUsage() {
  return "Aufruf / usage: tarvik [--data VERZEICHNIS] [--contest CODE]\n"
         "  --data DIR      Datenverzeichnis / data directory\n"
         "  --contest CODE  mit diesem Contest starten / start with this contest (" +
         ChoosableContestCodes() +
         ")\n"
         "Ohne --contest: der Contest der letzten Wahl / without: the contest chosen last.\n"
         "Ohne --data: das Arbeitsverzeichnis, wenn es KXSETUP.DAT oder KXKK.DAT enthält,\n"
         "sonst $XDG_DATA_HOME/tarvik (~/.local/share/tarvik).\n"
         "Without --data: the working directory when it holds KXSETUP.DAT or KXKK.DAT,\n"
         "else $XDG_DATA_HOME/tarvik (~/.local/share/tarvik).\n";
}

StartEnvironment ProcessStartEnvironment() {
  StartEnvironment environment;
  std::error_code ec;
  const fs::path cwd = fs::current_path(ec);
  environment.workingDirectory = ec ? std::string(".") : cwd.string();
  environment.xdgDataHome = Environment("XDG_DATA_HOME");
  environment.home = Environment("HOME");
  return environment;
}

bool HoldsProgramData(const std::string& dir) {
  std::error_code ec;
  for (const char* name : {"KXSETUP.DAT", "KXKK.DAT"})
    if (fs::is_regular_file(fs::path(dir) / name, ec))
      return true;
  return false;
}

DataDirectoryChoice ChooseDataDirectory(const StartOptions& options,
                                        const StartEnvironment& environment) {
  const std::string& cwd = environment.workingDirectory;
  if (options.dataDirectory)
    return {Absolute(*options.dataDirectory, cwd), DataDirectorySource::kOption};
  if (HoldsProgramData(cwd))
    return {WithoutTrailingSlash(cwd), DataDirectorySource::kWorkingDirectory};
  // The base directory of user data: XDG_DATA_HOME when it is an absolute path (the XDG
  // rules say a relative one is to be ignored), else ~/.local/share.
  fs::path base;
  if (environment.xdgDataHome && !environment.xdgDataHome->empty() &&
      fs::path(*environment.xdgDataHome).is_absolute()) {
    base = *environment.xdgDataHome;
  } else if (environment.home && !environment.home->empty() &&
             fs::path(*environment.home).is_absolute()) {
    base = fs::path(*environment.home) / ".local" / "share";
  } else {
    return {WithoutTrailingSlash(cwd), DataDirectorySource::kWorkingDirectory};
  }
  return {WithoutTrailingSlash((base / kFolderName).lexically_normal().string()),
          DataDirectorySource::kUserData};
}

bool PrepareDataDirectory(const std::string& dir, const std::string& companionFiles,
                          std::string* error) {
  std::error_code ec;
  const fs::path target(dir);
  if (!fs::is_directory(target, ec)) {
    // Each missing folder on the way is created for the person alone.
    fs::path path;
    for (const fs::path& part : target) {
      path /= part;
      if (fs::is_directory(path, ec))
        continue;
      if (::mkdir(path.c_str(), S_IRWXU) != 0 && !fs::is_directory(path, ec)) {
        *error = CauseOf(std::error_code(errno, std::generic_category()));
        return false;
      }
    }
  }
  if (companionFiles.empty() || !fs::is_directory(companionFiles, ec))
    return true;
  std::error_code listError;
  fs::directory_iterator it(companionFiles, listError);
  for (; !listError && it != fs::directory_iterator(); it.increment(listError)) {
    std::error_code fileError;
    if (!it->is_regular_file(fileError))
      continue;
    const fs::path to = target / it->path().filename();
    if (fs::exists(to, fileError))
      continue;
    if (!fs::copy_file(it->path(), to, fs::copy_options::skip_existing, fileError) && fileError) {
      *error = FileSystemNameToText(it->path().filename().string()) + ": " + CauseOf(fileError);
      return false;
    }
  }
  if (listError) {
    *error = CauseOf(listError);
    return false;
  }
  return true;
}

std::string DataDirectoryFailureMessage(const std::string& dir, const std::string& cause) {
  const std::string name = FileSystemNameToText(dir);
  return ChooseText("Das Datenverzeichnis " + name + " kann nicht angelegt werden: " + cause +
                        " Das Programm wird beendet.",
                    "The data directory " + name + " cannot be prepared: " + cause +
                        " The program ends.");
}

} // namespace tarvik
