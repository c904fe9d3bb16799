#pragma once
// Help-topic requests: F1 and the help buttons ask for a topic number, which the program
// answers by starting the HTML-help viewer "HH.EXE" of the Windows directory with the
// arguments "-mapid", the topic number and "velmar.chm". Without the viewer nothing
// happens.
//
// On this system the Windows directory is the folder named by the environment variable
// WINDIR (as compatibility layers set it); without that variable there is none, and help
// requests do nothing.

#include <optional>
#include <string>
#include <vector>

namespace tarvik {

/// The help file the viewer opens.
inline constexpr const char* kHelpFile = "velmar.chm";
/// Topic of the main window's F1.
inline constexpr int kMainWindowHelpTopic = 310110018;
/// Topic of the "Hilfe" button.
inline constexpr int kHelpButtonTopic = 1;

struct HelpViewerCall {
  std::string program;                ///< path of HH.EXE
  std::vector<std::string> arguments; ///< "-mapid", the topic, "velmar.chm"
};

/// The Windows directory ("" when there is none).
std::string WindowsDirectory();

/// The call for `topic`, or nullopt when the viewer does not exist (the letter case of its
/// name is not significant).
[[nodiscard]] std::optional<HelpViewerCall> HelpViewerCallFor(int topic);

/// The message when the viewer cannot be started: it names the program and its arguments.
std::string HelpViewerFailureMessage(const HelpViewerCall& call);

} // namespace tarvik
