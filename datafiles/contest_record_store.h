#pragma once
// One place that reads and writes a contest's two records by its contest number: the
// contest header (KXKK, found by key 3) and the contest extension record (KXKZ, key 1, the
// same number). Everything that loads or saves a contest goes through it: the contest list's
// actions, the header window, the log window's start and end, the output run and the tools.
//
// A store works over the two open files of the program (ContestRecordStore), or opens them
// itself for one call (ReadContestFromFiles, WriteContestToFiles). The files' record buffers
// are where the program keeps "the contest at hand": the contest list's grid reads its rows
// into the header buffer, and the header and log windows take their copies from there.
//
// Results: kOk; kNotFound when the files hold no such contest (or, for the extension alone,
// no extension record); kFailed when a file could not be read or written (the record-file
// error channel holds the cause) or is not open. Nothing is changed on disk unless the
// result is kOk, except that Add may leave a numbered header without its extension.

#include <cstdint>
#include <string>

#include "datafiles/contest_records.h"

namespace tarvik {

class Fileblock;

/// The key of the extension record: the contest number.
inline constexpr int kExtensionKeyNumber = 1;

/// A contest's header and extension record, as bytes of their full lengths.
struct ContestRecords {
  std::string header = std::string(ContestHeaderRecord::kLength, '\0');
  std::string extension = std::string(ContestExtensionRecord::kLength, '\0');

  ContestHeaderRecord Header() { return ContestHeaderRecord(header.data()); }
  ContestHeaderRecord Header() const { return ContestHeaderRecord(header.data()); }
  ContestExtensionRecord Extension() { return ContestExtensionRecord(extension.data()); }
  ContestExtensionRecord Extension() const { return ContestExtensionRecord(extension.data()); }
  /// The contest number of the header.
  std::int32_t Number() const { return Header().contestNumber(); }
};

enum class StoreResult { kOk, kNotFound, kFailed };

/// An extension record that holds nothing but `contestNumber` (a contest without one yet).
std::string NewExtensionRecord(std::int32_t contestNumber);

class ContestRecordStore {
public:
  /// Over the open contest header and extension files; either may be nullptr (not open), and
  /// every operation then gives kFailed. REQUIRES: the files outlive the store.
  ContestRecordStore(Fileblock* headers, Fileblock* extensions)
      : headers_(headers), extensions_(extensions) {}

  /// Makes the header of contest `number` the current record of the header file (its
  /// buffer holds it).
  [[nodiscard]] StoreResult FindHeader(std::int32_t number);

  /// The extension record of contest `number` into `*extension` (and the file's buffer).
  /// kNotFound: the file holds none; `*extension` is then NewExtensionRecord(number).
  [[nodiscard]] StoreResult ReadExtension(std::int32_t number, std::string* extension);

  /// Both records of contest `number`: kOk only when the header was found; a missing
  /// extension reads as NewExtensionRecord(number). Both are current in their files.
  [[nodiscard]] StoreResult Read(std::int32_t number, ContestRecords* records);

  /// Adds an extension record holding only `number` when the file holds none for it.
  [[nodiscard]] StoreResult EnsureExtension(std::int32_t number);

  /// Writes both records over the stored ones of contest records.Number(): the header is
  /// updated (kNotFound when there is no header of that number: nothing is written), the
  /// extension updated or, when the file holds none, added. The extension is written with
  /// the header's contest number.
  [[nodiscard]] StoreResult Write(const ContestRecords& records);

  /// Adds a new contest: the header file numbers the header (records->header then carries
  /// the number it got), and the extension is written with that number (updated when one
  /// was left with it, else added). On kFailed after the header was added the header stays.
  [[nodiscard]] StoreResult Add(ContestRecords* records);

  /// Deletes contest `number`: its extension record (when there is one), then its header.
  /// kNotFound: no header of that number (a found extension is deleted all the same).
  [[nodiscard]] StoreResult Delete(std::int32_t number);

  /// Copies of what the files' buffers hold (zeros for a file that is not open).
  ContestRecords Buffers() const;
  /// Puts `records` into the files' buffers as they are, without finding anything.
  void SetBuffers(const ContestRecords& records);
  /// Makes contest records.Number() current in both files and puts `records` into their
  /// buffers (nothing is written): kNotFound when the header is missing (the buffers are
  /// then left alone); a missing extension leaves only the extension buffer alone.
  [[nodiscard]] StoreResult MakeCurrent(const ContestRecords& records);

private:
  [[nodiscard]] StoreResult WriteExtension(std::int32_t number, const std::string& extension);

  Fileblock* headers_;
  Fileblock* extensions_;
};

/// Read of ContestRecordStore on the program's contest files, opened and closed for the call.
[[nodiscard]] StoreResult ReadContestFromFiles(std::int32_t number, ContestRecords* records);
/// Write of ContestRecordStore on the program's contest files, opened and closed for the call.
[[nodiscard]] StoreResult WriteContestToFiles(const ContestRecords& records);

} // namespace tarvik
