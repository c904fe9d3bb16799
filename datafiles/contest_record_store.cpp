#include "datafiles/contest_record_store.h"

#include <algorithm>

#include "datafiles/program_files.h"
#include "recordfile/fileblock.h"
#include "recordfile/key_codec.h"

namespace tarvik {

namespace {

/// Severity 0 found, 1 not found, anything else a failure.
StoreResult FromSeverity(int severity) {
  return severity == 0   ? StoreResult::kOk
         : severity == 1 ? StoreResult::kNotFound
                         : StoreResult::kFailed;
}

std::string BufferCopy(Fileblock* file, std::size_t length) {
  std::string bytes(length, '\0');
  if (file != nullptr)
    std::copy_n(file->RecordBuffer(),
                std::min(length, static_cast<std::size_t>(file->BufferSize())), bytes.begin());
  return bytes;
}

void PutIntoBuffer(Fileblock& file, const std::string& bytes) {
  std::copy_n(bytes.begin(), std::min(bytes.size(), static_cast<std::size_t>(file.BufferSize())),
              file.RecordBuffer());
}

/// `extension` with the contest number `number`.
std::string Numbered(std::string extension, std::int32_t number) {
  extension.resize(ContestExtensionRecord::kLength, '\0');
  ContestExtensionRecord(extension.data()).SetContestNumber(number);
  return extension;
}

} // namespace

std::string NewExtensionRecord(std::int32_t contestNumber) {
  return Numbered(std::string(), contestNumber);
}

StoreResult ContestRecordStore::FindHeader(std::int32_t number) {
  if (headers_ == nullptr)
    return StoreResult::kFailed;
  return FromSeverity(headers_->FindKey(kContestKeyNumber, NumKey5(number)));
}

StoreResult ContestRecordStore::ReadExtension(std::int32_t number, std::string* extension) {
  *extension = NewExtensionRecord(number);
  if (extensions_ == nullptr)
    return StoreResult::kFailed;
  const StoreResult found =
      FromSeverity(extensions_->FindKey(kExtensionKeyNumber, NumKey5(number)));
  if (found == StoreResult::kOk)
    *extension = BufferCopy(extensions_, ContestExtensionRecord::kLength);
  return found;
}

StoreResult ContestRecordStore::Read(std::int32_t number, ContestRecords* records) {
  const StoreResult header = FindHeader(number);
  if (header != StoreResult::kOk)
    return header;
  records->header = BufferCopy(headers_, ContestHeaderRecord::kLength);
  const StoreResult extension = ReadExtension(number, &records->extension);
  return extension == StoreResult::kFailed ? StoreResult::kFailed : StoreResult::kOk;
}

StoreResult ContestRecordStore::EnsureExtension(std::int32_t number) {
  std::string extension;
  const StoreResult found = ReadExtension(number, &extension);
  if (found != StoreResult::kNotFound)
    return found;
  if (extensions_->ClearBuffer() != 0)
    return StoreResult::kFailed;
  PutIntoBuffer(*extensions_, extension);
  return AddRecord(*extensions_) ? StoreResult::kOk : StoreResult::kFailed;
}

StoreResult ContestRecordStore::WriteExtension(std::int32_t number, const std::string& extension) {
  if (extensions_ == nullptr)
    return StoreResult::kFailed;
  const std::string bytes = Numbered(extension, number);
  const StoreResult found =
      FromSeverity(extensions_->FindKey(kExtensionKeyNumber, NumKey5(number)));
  if (found == StoreResult::kOk) {
    PutIntoBuffer(*extensions_, bytes);
    return extensions_->Update() == 0 ? StoreResult::kOk : StoreResult::kFailed;
  }
  if (found == StoreResult::kFailed || extensions_->ClearBuffer() != 0)
    return StoreResult::kFailed;
  PutIntoBuffer(*extensions_, bytes);
  return AddRecord(*extensions_) ? StoreResult::kOk : StoreResult::kFailed;
}

StoreResult ContestRecordStore::Write(const ContestRecords& records) {
  if (extensions_ == nullptr)
    return StoreResult::kFailed;
  const std::int32_t number = records.Number();
  const StoreResult found = FindHeader(number);
  if (found != StoreResult::kOk)
    return found;
  PutIntoBuffer(*headers_, records.header);
  if (headers_->Update() != 0)
    return StoreResult::kFailed;
  return WriteExtension(number, records.extension);
}

StoreResult ContestRecordStore::Add(ContestRecords* records) {
  if (headers_ == nullptr || extensions_ == nullptr || headers_->ClearBuffer() != 0)
    return StoreResult::kFailed;
  PutIntoBuffer(*headers_, records->header);
  if (!AddRecord(*headers_))
    return StoreResult::kFailed;
  // The file numbered it.
  records->header = BufferCopy(headers_, ContestHeaderRecord::kLength);
  records->extension = Numbered(records->extension, records->Number());
  return WriteExtension(records->Number(), records->extension);
}

StoreResult ContestRecordStore::Delete(std::int32_t number) {
  std::string extension;
  const StoreResult found = ReadExtension(number, &extension);
  if (found == StoreResult::kFailed)
    return found;
  if (found == StoreResult::kOk && extensions_->Delete(kDeleteNoPosition) != 0)
    return StoreResult::kFailed;
  const StoreResult header = FindHeader(number);
  if (header != StoreResult::kOk)
    return header;
  return headers_->Delete(kDeleteNoPosition) == 0 ? StoreResult::kOk : StoreResult::kFailed;
}

ContestRecords ContestRecordStore::Buffers() const {
  ContestRecords records;
  records.header = BufferCopy(headers_, ContestHeaderRecord::kLength);
  records.extension = BufferCopy(extensions_, ContestExtensionRecord::kLength);
  return records;
}

void ContestRecordStore::SetBuffers(const ContestRecords& records) {
  if (headers_ != nullptr)
    PutIntoBuffer(*headers_, records.header);
  if (extensions_ != nullptr)
    PutIntoBuffer(*extensions_, records.extension);
}

StoreResult ContestRecordStore::MakeCurrent(const ContestRecords& records) {
  const std::int32_t number = records.Number();
  const StoreResult header = FindHeader(number);
  if (header != StoreResult::kOk)
    return header;
  PutIntoBuffer(*headers_, records.header);
  std::string stored;
  const StoreResult extension = ReadExtension(number, &stored);
  if (extension == StoreResult::kOk)
    PutIntoBuffer(*extensions_, records.extension);
  return extension == StoreResult::kFailed ? StoreResult::kFailed : StoreResult::kOk;
}

StoreResult ReadContestFromFiles(std::int32_t number, ContestRecords* records) {
  Fileblock* headers = OpenProgramFile(ProgramFile::kContestHeaders);
  Fileblock* extensions = OpenProgramFile(ProgramFile::kContestExtensions);
  const StoreResult result = ContestRecordStore(headers, extensions).Read(number, records);
  CloseProgramFile(extensions);
  CloseProgramFile(headers);
  return result;
}

StoreResult WriteContestToFiles(const ContestRecords& records) {
  Fileblock* headers = OpenProgramFile(ProgramFile::kContestHeaders);
  Fileblock* extensions = OpenProgramFile(ProgramFile::kContestExtensions);
  const StoreResult result = ContestRecordStore(headers, extensions).Write(records);
  CloseProgramFile(extensions);
  CloseProgramFile(headers);
  return result;
}

} // namespace tarvik
