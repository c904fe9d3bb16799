#include "base/help_viewer.h"

#include <cstdlib>
#include <filesystem>

#include "base/strings.h"
#include "base/text_helpers.h"

namespace tarvik {

namespace {

constexpr const char* kViewer = "HH.EXE";

} // namespace

std::string WindowsDirectory() {
  const char* dir = std::getenv("WINDIR");
  return dir != nullptr ? std::string(dir) : std::string();
}

std::optional<HelpViewerCall> HelpViewerCallFor(int topic) {
  const std::string dir = WindowsDirectory();
  if (dir.empty())
    return std::nullopt;
  std::error_code ec;
  std::filesystem::path program = std::filesystem::path(dir) / kViewer;
  if (!std::filesystem::is_regular_file(program, ec)) {
    // A folder that came from a system without letter case in file names.
    bool found = false;
    for (const auto& entry : std::filesystem::directory_iterator(dir, ec)) {
      if (entry.is_regular_file(ec) && UpCase(entry.path().filename().string()) == kViewer) {
        program = entry.path();
        found = true;
        break;
      }
    }
    if (!found)
      return std::nullopt;
  }
  return HelpViewerCall{program.string(), {"-mapid", std::to_string(topic), kHelpFile}};
}

std::string HelpViewerFailureMessage(const HelpViewerCall& call) {
  std::string line = call.program;
  for (const std::string& argument : call.arguments)
    line += " " + argument;
  return ChooseText("Die Hilfe konnte nicht gestartet werden: ",
                    "The help could not be started: ") +
         line;
}

} // namespace tarvik
