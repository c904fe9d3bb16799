#pragma once
// The output run: every printed or written output of a contest's log, started from the
// output menu of the contest header window with an output kind. Kinds 1 to 6 go to the
// printer, 7 to 16 to a text file.

#include <string>

namespace tarvik {

class ProgramSession;

namespace output_kind {
inline constexpr int kPaperCover = 1;
inline constexpr int kPaperMultiCheck = 3;
inline constexpr int kPaperBandList = 4;
inline constexpr int kPaperQsoList = 5;
inline constexpr int kELogCover = 7;
inline constexpr int kELogQsoList = 8;
inline constexpr int kStfFile = 9;
inline constexpr int kAdifFile = 10;
inline constexpr int kELogBandList = 12;
inline constexpr int kELogWhole = 13;
inline constexpr int kCsvFile = 14;
inline constexpr int kELogMultiCheck = 15;
inline constexpr int kEdiFile = 16;
} // namespace output_kind

/// What the output run says while this version writes no outputs yet.
std::string OutputNotAvailableMessage();

/// Runs output `kind` for the contest whose header and extension records are in the
/// session's header and extension buffers (the header window puts them there). All
/// reporting is by messages through the session's dialogs.
void RunOutput(ProgramSession& session, int kind);

} // namespace tarvik
