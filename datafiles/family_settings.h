#pragma once
// The process-wide settings kept in the family setup record (KXSETUP): read at start,
// applied to the process, and written back at the end, so that they survive a restart.

#include <array>
#include <cstdint>
#include <string>

#include "datafiles/setup_records.h"
#include "radio/base_call.h"

namespace tarvik {

struct FamilySettings {
  std::string ownCall;
  std::string listenerName;
  std::string ownLocator;
  int utcCorrection = 0;
  /// Window, panels, grid and the two label colours; all 0: no scheme stored.
  std::array<std::int32_t, SetupRecord::kColours> colours{};
  /// The language the person chose (1 German, 0 English). A contest code that forces
  /// English for its run changes only the process flag, never this value.
  int language = 1;
  int nameStyle = 0;
  std::string dateFormat = "dd.mm.yyyy";
  std::int32_t profileNumber = 0;
  std::array<PortableDesignator, SetupRecord::kDesignators> designators{};

  friend bool operator==(const FamilySettings&, const FamilySettings&) = default;
};

FamilySettings ReadFamilySettings(const SetupRecord& setup);

/// Writes the settings into the record; every other byte of it stays as it was. The
/// portable designators are family data this program only reads: they are not written.
void WriteFamilySettings(const FamilySettings& settings, SetupRecord& setup);

/// Makes the settings the process-wide state: language flag, name style, date format, UTC
/// correction and the portable designators (entries 1-9 replaced when the first is set).
void ApplyFamilySettings(const FamilySettings& settings);

/// Copies the process-wide values that windows may change (UTC correction, name style,
/// date format) back into `settings` before they are saved. The language is not taken
/// from the process: it may be forced by the contest code.
void CaptureProcessSettings(FamilySettings& settings);

} // namespace tarvik
