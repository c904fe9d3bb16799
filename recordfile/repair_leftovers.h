#pragma once
// What an interrupted repair can leave beside a fileblock's data file, and how the next open
// puts it in order before anything reads the files.
//
// The reorganisation (repair.h) writes the compacted copy as "NAME.TMP" and syncs it, renames
// "NAME.DAT" to "NAME.SAV" and "NAME.TMP" to "NAME.DAT" (syncing the directory after each
// rename), removes "NAME.SAV" (synced again) and only then rebuilds the index, with InUse set
// in the data file until the new index is complete. A crash or power loss therefore leaves
// one of the states below (a half-written index needs nothing here: InUse is still set, so
// the index is rebuilt). Directories written by older versions may also hold a ".SAV" beside
// a partial ".DAT". ResolveInterruptedRepair turns each into a single data file:
//
//   found                                   becomes NAME.DAT         and the other file
//   DAT + TMP                               DAT                      TMP removed (unfinished)
//   SAV (+ TMP), no DAT                     SAV (the old data)       TMP removed
//   TMP alone                               TMP (the only data)      -
//   SAV + DAT holding exactly the live      DAT (the compacted copy) SAV removed
//     records of SAV, in order
//   SAV + DAT, any other DAT                SAV (the complete data)  DAT removed when every
//                                                                    record of it is in SAV,
//                                                                    else kept as NAME.Knn
//   SAV that is no data file of this        DAT                      SAV kept as NAME.Knn
//     fileblock (shorter than one record,
//     or another record length), beside DAT
//
// Nothing that holds a record the data file lacks is deleted: such a copy is set aside as
// NAME.K01 .. NAME.K99. Every finding is noted in "NAME.MSG" (one English line, CR LF,
// appended) before the files are changed; after a finding the caller repairs the data file
// in place before using it.

#include <cstddef>
#include <string>

#include "recordfile/file_io.h"
#include "recordfile/status.h"

namespace tarvik {

/// Puts in order what an interrupted repair left beside the data file of the fileblock
/// `base` (path without extension); `recLen`, `variable` and `recordSize` describe its
/// records. `*found` tells whether anything was found (the data file then needs a repair).
/// Fails with the error of a file call that failed (the files stay as they were found, or in
/// a state this function resolves at its next call), or 10465 when a copy that must be kept
/// cannot be set aside because NAME.K01 to NAME.K99 all exist.
/// REQUIRES: the fileblock's files are closed.
Status ResolveInterruptedRepair(FileIo& io, const std::string& base, int recLen, bool variable,
                                std::size_t recordSize, bool* found);

} // namespace tarvik
