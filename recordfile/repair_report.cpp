#include "recordfile/repair_report.h"

#include "recordfile/file_calls.h"

namespace tarvik {

RepairReport::RepairReport(FileIo& io, std::string path) : io_(io), path_(std::move(path)) {}

RepairReport::~RepairReport() {
  (void)CloseFile(file_); // what Sync made durable stays; closing adds nothing to lose
}

Status RepairReport::Append(const std::string& bytes) {
  if (!file_) {
    created_ = !io_.FileExists(path_);
    if (Status s = OpenFile(io_, path_, FileIo::Mode::kOpenOrCreate, FileIo::Lock::kNone, &file_);
        !s.ok()) {
      return s;
    }
    if (Status s = FileSize(*file_, &end_); !s.ok())
      return s;
  }
  if (Status s = WriteAll(*file_, end_, bytes.data(), bytes.size()); !s.ok())
    return s;
  end_ += bytes.size();
  return Status::Ok();
}

Status RepairReport::Sync() {
  if (!file_)
    return Status::Ok();
  if (Status s = SyncFile(*file_); !s.ok())
    return s;
  if (created_) {
    if (Status s = SyncDirectory(io_, path_); !s.ok())
      return s;
    created_ = false;
  }
  return Status::Ok();
}

Status AppendRepairNote(FileIo& io, const std::string& base, const std::string& line) {
  RepairReport report(io, base + ".MSG");
  if (Status s = report.Append(line + "\r\n"); !s.ok())
    return s;
  return report.Sync();
}

} // namespace tarvik
