#pragma once
// The program's own settings, kept in the small text file "TARVIK.INI" in the data directory
// (Windows-1252, CR LF, one "Key=Value" a line under "[Tarvik]"):
//
//   [Tarvik]
//   Contest=N                the contest code chosen last in the main window
//
// The family setup (KXSETUP) is shared with the family's other programs and has no byte that
// is known to be unused, so the choice of the contest is kept here instead. Reading is
// lenient: unknown lines are skipped, and a missing file or value means "no choice yet".

#include <optional>
#include <string>
#include <string_view>

#include "recordfile/atomic_file.h"
#include "recordfile/file_io.h"

namespace tarvik {

inline constexpr const char* kProgramSettingsFile = "TARVIK.INI";

struct ProgramSettings {
  /// The contest code chosen last; empty when none is kept.
  std::optional<char> contestCode;
  friend bool operator==(const ProgramSettings&, const ProgramSettings&) = default;
};

/// The file's text for `settings`.
std::string FormatProgramSettings(const ProgramSettings& settings);
/// The settings a file's text holds: "Contest=" takes exactly one printable character.
ProgramSettings ParseProgramSettings(std::string_view text);

/// Reads `path` into `settings`. A missing file is no error (`settings` stays empty). Fails
/// only when the file exists and cannot be read.
[[nodiscard]] IoResult LoadProgramSettings(FileIo& io, const std::string& path,
                                           ProgramSettings* settings);
/// Writes `settings` to `path` through the atomic writer, so the old file stays whole when
/// writing fails.
[[nodiscard]] IoResult SaveProgramSettings(FileIo& io, const std::string& path,
                                           const ProgramSettings& settings);

} // namespace tarvik
