#pragma once
// Repair of a damaged fileblock: reorganise the data file (drop deleted records and
// renumber the live ones, through a ".TMP" copy and a ".SAV" name for the old file), then
// rebuild every key from the records. Records whose key collides in a unique key are removed
// and written to the ".MSG" report, from which they can be recovered; later repairs append
// to it. A repair interrupted at any point (a failing call, a crash, a power loss) leaves
// files that the next open puts in order (repair_leftovers.h).

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "recordfile/fileblock.h"
#include "recordfile/index_file.h"
#include "recordfile/status.h"

namespace tarvik {

class FileIo;
class PageCache;
class DataFile;

struct RepairJob {
  FileIo* io = nullptr;
  PageCache* cache = nullptr;
  std::string base; // path without extension
  std::string name; // logical name, for the progress hook
  int recLen = 0;
  bool variable = false;
  std::size_t recordSize = 0; // bytes of a whole record (the buffer for variable records)
  std::vector<IndexKeyDef> keys;
  KeyBuilder keyBuilder;
  ProgressHook progress;
  // Context for error entries of single records (10415).
  int operation = 0;
  Fileblock* fileblock = nullptr;
};

/// Reorganises and rebuilds. On success the files are closed, flushed and InUse = 0.
/// 10399 when a rename fails (the old data file is restored), 10215 when the data header is
/// inconsistent, 10460 when the progress hook stops the repair, 10465 when a copy left by an
/// earlier repair cannot be set aside (ResolveInterruptedRepair).
Status RepairFileblock(const RepairJob& job);

/// Compacts the data file, after putting in order what an earlier repair left: live records
/// are copied in order into "NAME.TMP" (synced), which then replaces "NAME.DAT" while the
/// old file is kept as "NAME.SAV" until the copy is in place; the directory is synced after
/// each rename and after the removal of "NAME.SAV". Leaves the new data file open, locked
/// and marked InUse in `*out`.
Status ReorganiseDataFile(const RepairJob& job, std::unique_ptr<DataFile>* out);

/// Builds a fresh index file for `data` (open, locked) and clears InUse once the index, its
/// directory entry and the data are durable. A record removed as a duplicate is in the
/// synced ".MSG" report before it leaves the data file.
Status RebuildIndex(const RepairJob& job, DataFile& data);

} // namespace tarvik
