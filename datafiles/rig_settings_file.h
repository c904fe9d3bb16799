#pragma once
// The rig-control settings of the log window, kept in the small text file "TARVIKCAT.INI"
// in the data directory (Windows-1252, CR LF, one "Key=Value" a line under "[CAT]"):
//
//   [CAT]
//   On=1                     CAT was on when the log window closed last (0: off)
//   Connection=rigctld       rigctld (over TCP) or direct (Hamlib's library)
//   Host=localhost           rigctld: host name or address
//   Port=4532                rigctld: TCP port
//   Model=1                  direct: Hamlib rig model number
//   Device=/dev/ttyUSB0      direct: serial port ("" keeps the model's default)
//   Baud=9600                direct: baud rate (0 keeps the model's default)
//
// Reading is lenient: unknown lines are skipped, and a missing or malformed value keeps its
// default, so a damaged file never stops the log window.

#include <string>
#include <string_view>

#include "radio/rig_connection.h"
#include "recordfile/atomic_file.h"
#include "recordfile/file_io.h"

namespace tarvik {

inline constexpr const char* kRigSettingsFile = "TARVIKCAT.INI";

/// The kept settings: how the radio is reached and whether CAT was on.
struct RigSetup {
  RigSettings connection;
  bool on = false;
  friend bool operator==(const RigSetup&, const RigSetup&) = default;
};

/// The file's text for `setup`.
std::string FormatRigSetup(const RigSetup& setup);
/// The settings a file's text holds (defaults for whatever it lacks).
RigSetup ParseRigSetup(std::string_view text);

/// Reads `path` into `setup`. A missing file is no error: `setup` then keeps the defaults
/// and `*exists` (when given) is false. Fails only when the file exists and cannot be read.
[[nodiscard]] IoResult LoadRigSetup(FileIo& io, const std::string& path, RigSetup* setup,
                                    bool* exists = nullptr);
/// Writes `setup` to `path` through the atomic writer (recordfile/atomic_file.h), so the old
/// settings stay whole when writing fails.
[[nodiscard]] IoResult SaveRigSetup(FileIo& io, const std::string& path, const RigSetup& setup);

} // namespace tarvik
