#pragma once
// The ".MSG" report of a fileblock's repairs: text lines (CR LF) and raw record dumps,
// appended, never replaced. It tells a person what a repair removed from the data file
// (from which the records can be recovered) and what it found left over from an
// interrupted repair.

#include <cstdint>
#include <memory>
#include <string>

#include "recordfile/file_io.h"
#include "recordfile/status.h"

namespace tarvik {

class RepairReport {
public:
  /// `path`: the report file ("NAME.MSG"); it is created at the first Append.
  RepairReport(FileIo& io, std::string path);
  ~RepairReport();
  RepairReport(const RepairReport&) = delete;
  RepairReport& operator=(const RepairReport&) = delete;

  Status Append(const std::string& bytes);
  /// Makes what was appended durable, and the report's directory entry when this report
  /// created the file. A repair syncs before it removes what it reported.
  Status Sync();

private:
  FileIo& io_;
  std::string path_;
  std::unique_ptr<File> file_;
  std::uint64_t end_ = 0;
  bool created_ = false;
};

/// Appends `line` and CR LF to the report of the fileblock `base` (path without extension)
/// and syncs it.
Status AppendRepairNote(FileIo& io, const std::string& base, const std::string& line);

} // namespace tarvik
