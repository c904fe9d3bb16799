#pragma once
// Replacing the two files of a fileblock (data ".DAT" and index ".IX") by a complete new
// copy, so that an interruption at any point leaves either the complete old or the complete
// new fileblock, never a mixture.
//
// The new copy is built under the replacement base (the live base + "_NEU") and made durable
// (closed, which syncs it). CommitReplacement then:
//   1. writes the marker file <replacement base>.OK naming the live base, syncs it and the
//      directory: from here on the copy is the fileblock;
//   2. removes the live index (so that the live data is never paired with a foreign index);
//   3. renames the new data file over the live one (atomic);
//   4. renames the new index file into place;
//   5. removes the marker.
// A data file without index gets its index rebuilt from the data at its next open, so each
// state between the steps is a whole fileblock: the old data (steps 1-2) or the new data
// (from step 3).
//
// RecoverReplacement, run before the fileblock is opened, finishes a committed replacement
// (marker present: the steps still missing are done) or removes an uncommitted copy
// (no valid marker: a build that did not finish).
//
// All calls go through the FileIo the caller hands in (the engine's in the program).
// REQUIRES for both: the live fileblock's files are closed.

#include <string>

#include "recordfile/file_io.h"

namespace tarvik {

/// The base path the new copy of `liveBase` is built under.
std::string ReplacementBase(const std::string& liveBase);
/// The marker file that commits a replacement of `liveBase`.
std::string ReplacementMarker(const std::string& liveBase);

/// Puts the complete, durable copy at ReplacementBase(liveBase) in the place of the live
/// files (steps above). True when the live base now holds the new data (its index may have
/// to be rebuilt at the next open when the last rename failed). False when the old files
/// stay; `error` then says why, and the copy is removed.
[[nodiscard]] bool CommitReplacement(FileIo& io, const std::string& liveBase, std::string* error);

/// Removes the files of an uncommitted copy (and nothing else).
void DiscardReplacement(FileIo& io, const std::string& liveBase);

enum class ReplacementRecovery {
  kNothing,   ///< no copy and no marker
  kDiscarded, ///< an unfinished copy was removed; the old files stand
  kCompleted, ///< a committed replacement was finished; the new files stand
  kFailed,    ///< the files could not be put in order (they stay for the next attempt)
};

/// Brings the files of `liveBase` into one whole state after an interruption.
[[nodiscard]] ReplacementRecovery RecoverReplacement(FileIo& io, const std::string& liveBase);

} // namespace tarvik
