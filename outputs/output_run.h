#pragma once
// The output run as the contest header window starts it: the contest whose header and
// extension records are in the session's buffers (the window puts them there after its
// save), with the session's definition, settings and dialogs. The window hands in its
// printer and its file editor; the run itself is RunOutputKind (output_runner.h).

#include <functional>
#include <string>

#include "outputs/output_kinds.h"
#include "outputs/output_runner.h"

namespace tarvik {

class ContestSession;

/// The windows an output run may open besides the session's message boxes and file
/// dialogs.
struct OutputWindows {
  Printer* printer = nullptr; ///< nullptr: printed outputs say that no printer is available
  /// Shows a written file in the file editor (kinds 7, 8, 9, 12); may be empty.
  std::function<void(const std::string& path)> showFile;
  /// Shows the participant dialog before the EDI file is written; may be empty.
  ParticipantEditor editParticipant;
  /// Lets the person change the Cabrillo file's CONTEST value; may be empty.
  std::function<bool(std::string& contestName)> editCabrilloContest;
  /// Shows the findings of the check before sending; may be empty (the file is written).
  FindingsReview reviewFindings;
};

/// The contest of the session's header and extension buffers, with the session's
/// definition, the station data of the setup record and the session's SWL number.
OutputContest SessionOutputContest(ContestSession& session);

/// Runs output `kind` for the contest in the session's buffers. All reporting is by messages
/// through the session's dialogs.
void RunOutput(ContestSession& session, int kind, const OutputWindows& windows = {});

} // namespace tarvik
