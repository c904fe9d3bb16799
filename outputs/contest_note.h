#pragma once
// The contest note: one free text file per contest in the data directory, named after the
// contest, into which every opening of the note window inserts a stamp line (date, time and
// the call of the QSO at hand) at the top, so that the newest remark comes first.

#include <string>
#include <string_view>

#include "base/clock.h"
#include "base/dates.h"
#include "recordfile/atomic_file.h"

namespace tarvik {

/// The note file name of a contest: the contest name keeping only blanks, "+", "-", "_",
/// digits and the letters A-Z and a-z, then ".TXT" ("Test 2009/1: A.B" gives
/// "Test 20091 AB.TXT").
std::string ContestNoteFileName(std::string_view contestName);

/// The stamp line: date "dd.mm.yyyy", a blank, time "hh:mm", a blank, the call padded or cut
/// to 10 characters, " > " (30 characters in all).
std::string ContestNoteStamp(DayNumber day, TimeOfDay time, std::string_view call);
/// Where the caret goes in the note: right after the stamp of the first line.
inline constexpr int kContestNoteCaret = 30;

/// The note text with `stamp` inserted as a new first line before `oldText` (CR LF line
/// ends; an empty old text gives the stamp line alone).
std::string InsertContestNoteStamp(std::string_view oldText, std::string_view stamp);

/// Opening a note: reads the file `path` (when it exists), inserts the stamp line for `call`
/// at the current UTC date and time and writes the file back through `io` (nullptr: the real
/// file system). `written()` is false when the file could not be written (`write` says why);
/// the window still shows the text, and saving tries again.
struct StampedNote {
  std::string text; ///< the whole note, CR LF line ends
  FileWriteResult write;
  bool written() const { return write.ok(); }
};
[[nodiscard]] StampedNote StampContestNote(const std::string& path, std::string_view call,
                                           const Clock& clock = ProcessClock(),
                                           FileIo* io = nullptr);

} // namespace tarvik
