#pragma once
// The header window's side of the per-code extra entries (contest/header_extras.h): the
// groups, captions and field limits the extra shows, the form's values of the extra, and
// the station description's file in the data directory.

#include <string>
#include <string_view>

#include "contest/header_extras.h"
#include "outputs/header_form.h"
#include "recordfile/atomic_file.h"

namespace tarvik {

/// Puts the groups, captions and field limits of `extra` into `view`.
void ShowExtraGroups(const HeaderExtra& extra, HeaderView& view);

/// The extras' values the form holds, and the form filled with them.
HeaderExtraValues ExtraValuesOf(const HeaderForm& form);
void PutExtraValues(const HeaderExtraValues& values, HeaderForm& form);

/// The control a failed check of the extras points at.
HeaderControl ControlOf(ExtrasCheck::Field field);

/// The station description of a contest from its file in the data directory, with "\n" line
/// ends; "" when there is none. `io`: the file system (nullptr: the real one).
[[nodiscard]] std::string LoadStationDescription(char contestCode, int contestNumber,
                                                 FileIo* io = nullptr);

/// Writes a non-empty station description to its file (CR LF, replacing it as a whole). Ok
/// when there was nothing to write or it was written; otherwise the old file stays and the
/// result says why.
[[nodiscard]] FileWriteResult SaveStationDescription(char contestCode, int contestNumber,
                                                     std::string_view text, FileIo* io = nullptr);

} // namespace tarvik
