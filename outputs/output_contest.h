#pragma once
// Gathering what the output run needs for one contest: the station's data from the setup
// record and the station description file, and, for the command-line export, the contest
// itself from the contest header and extension files.

#include <optional>
#include <string>

#include "base/clock.h"
#include "base/user_dialogs.h"
#include "outputs/output_runner.h"

namespace tarvik {

/// The station address of the setup record (KXSETUP), the SWL number given, and for codes
/// b and j the station description of the contest's ".STN" file, read through `io` (nullptr:
/// the real file system).
StationData ReadStationData(char contestCode, int contestNumber, const std::string& swlNumber,
                            FileIo* io = nullptr);

/// The contest `contestNumber` as its files hold it: header (KXKK, key 3) and extension
/// record (KXKZ; an empty one carrying the number when it has none), the definition of its
/// code for the stored category, the station data with the SWL number and own locator of the
/// setup record. nullopt when the header file has no such contest or the contest files
/// cannot be read. Building the definition may inform
/// through `dialogs` (a category the program does not support).
[[nodiscard]] std::optional<OutputContest>
LoadOutputContest(int contestNumber, UserDialogs& dialogs, const Clock& clock = ProcessClock());

} // namespace tarvik
