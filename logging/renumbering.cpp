#include "logging/renumbering.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <string>
#include <vector>

#include "base/text_helpers.h"
#include "contest/multiplier_index.h"
#include "contest/multiplier_rules.h"
#include "contest/multiplier_tracker.h"
#include "datafiles/program_files.h"
#include "datafiles/qso_record.h"
#include "radio/modes.h"
#include "recordfile/engine.h"
#include "recordfile/file_replacement.h"
#include "recordfile/fileblock.h"
#include "recordfile/fileblock_layouts.h"
#include "recordfile/key_codec.h"

namespace tarvik {

namespace {

constexpr int kDateTimeKey = qso_key::kDateTime;
constexpr int kProgressEvery = 100;

bool SerialKind(int kind) {
  return kind == exchange::kQsoNumber || kind == exchange::kModeNumber ||
         kind == exchange::kBandSerial;
}

/// The running numbers of the QSOs in date and time order.
class Numbering {
public:
  struct Numbers {
    std::int32_t qso = 0;
    std::int32_t band = 0;
    std::int32_t mode = 0;
  };
  Numbers Next(const QsoRecord& record) {
    Numbers n;
    n.qso = ++qsos_;
    n.band = ++bands_[static_cast<unsigned char>(record.Band())];
    n.mode = ++modes_[static_cast<unsigned char>(ModeGroup(record.Mode()))];
    return n;
  }

private:
  std::int32_t qsos_ = 0;
  std::array<std::int32_t, 256> bands_{};
  std::array<std::int32_t, 256> modes_{};
};

/// A live record of the log with what orders it: key 1 (date and time) and its record
/// number, so that equal times keep the order key 1 gives them.
struct StoredRecord {
  std::array<char, QsoRecord::kLength> bytes{};
  std::string when;
  std::int32_t number = 0;
};

/// Every live record of `log`, read by record number (no key involved), in record order.
/// False when the data file could not be read to its end.
bool ReadLiveRecords(Fileblock& log, std::vector<StoredRecord>* records) {
  records->clear();
  int status = log.ReadNextLive(1);
  while (status == 0) {
    StoredRecord& r = records->emplace_back();
    std::memcpy(r.bytes.data(), log.RecordBuffer(), r.bytes.size());
    r.number = log.CurrentRecordNumber();
    if (log.BuildKey(kDateTimeKey, &r.when) != 0)
      return false;
    status = log.ReadNextLive(r.number + 1);
  }
  return status == 1;
}

/// Sorts records read in record order into the order of key 1: date and time, equal ones by
/// record number (as the index orders equal keys).
void SortByDateAndTime(std::vector<StoredRecord>* records) {
  std::stable_sort(
      records->begin(), records->end(),
      [](const StoredRecord& a, const StoredRecord& b) { return CompareKeys(a.when, b.when) < 0; });
}

/// The fileblock object of the new copy; its files are removed unless the copy was made
/// durable and handed on (Release).
class NewCopy {
public:
  NewCopy(Fileblock& log) : liveBase_(log.FileName()) {
    FileIo& io = EngineFileIo();
    DiscardReplacement(io, liveBase_);
    fb_ = CreateFileblockFromLayout(ProgramFileLayout(ProgramFile::kQsoLog), log.Name() + "_NEU",
                                    ReplacementBase(liveBase_));
    // The copy is synced once, when it is complete.
    if (fb_ != nullptr && fb_->SetFlushAfterChange(false) != 0) {
      (void)DestroyFileblock(fb_); // nothing was opened; the copy is not made
      fb_ = nullptr;
    }
  }
  ~NewCopy() {
    if (fb_ != nullptr)
      (void)DestroyFileblock(fb_); // a copy not made durable is thrown away below
    if (!kept_)
      DiscardReplacement(EngineFileIo(), liveBase_);
  }
  NewCopy(const NewCopy&) = delete;
  NewCopy& operator=(const NewCopy&) = delete;

  Fileblock* get() const { return fb_; }
  /// Flushes, syncs and closes the copy; true when it is complete on disk.
  bool MakeDurable() {
    if (fb_ == nullptr)
      return false;
    const bool closed = fb_->Close() == 0;
    (void)DestroyFileblock(fb_); // closed above, with the result checked
    fb_ = nullptr;
    return closed;
  }
  /// The files are handed on (committed or discarded by the caller).
  void Keep() { kept_ = true; }

private:
  std::string liveBase_;
  Fileblock* fb_ = nullptr;
  bool kept_ = false;
};

/// Calls Advance now and then.
class Progress {
public:
  Progress(ProgressDisplay* display, Fileblock& log) : display_(display) {
    if (display_ == nullptr)
      return;
    std::int32_t used = 0;
    if (log.UsedRecords(&used) != 0)
      used = 0;
    display_->Start(ProgressDisplay::Kind::kRenumbering, used);
  }
  ~Progress() {
    if (display_ != nullptr)
      display_->Finish();
  }
  void Step() {
    ++done_;
    if (display_ != nullptr && done_ % kProgressEvery == 0)
      display_->Advance(done_);
  }

private:
  ProgressDisplay* display_;
  std::int32_t done_ = 0;
};

} // namespace

bool SentSerialNumbers(const ContestDefinition& definition) {
  return SerialKind(definition.SentExchange1) || SerialKind(definition.SentExchange2) ||
         SerialKind(definition.SentExchange3);
}

std::string RenumberMessage(RenumberResult result) {
  switch (result) {
  case RenumberResult::kCopyFailed:
    return "Fehler beim Aufbau der temporären Datenbank";
  case RenumberResult::kIncomplete:
    return ChooseText("Fehler beim Aufbau der temporären Datenbank: Die neue Kopie enthält "
                      "nicht alle QSOs der Logdatei. Das Log bleibt unverändert.",
                      "Error building the temporary database: the new copy does not hold "
                      "every QSO of the log file. The log stays as it was.");
  case RenumberResult::kReplaceFailed:
    return "Fehler beim Neuaufbau der Datenbank";
  default:
    return std::string();
  }
}

bool LogNumberedInOrder(Fileblock& log) {
  std::int32_t used = 0;
  if (log.UsedRecords(&used) != 0)
    return false;
  Numbering numbering;
  std::int32_t position = 0;
  std::string previous;
  std::string when;
  int status = log.ReadNextLive(1);
  while (status == 0) {
    const QsoRecord r(static_cast<const char*>(log.RecordBuffer()));
    if (IsMarkerRecord(r))
      return false;
    ++position;
    if (log.CurrentRecordNumber() != position || r.LfdNr() != position ||
        log.BuildKey(kDateTimeKey, &when) != 0 || CompareKeys(previous, when) > 0)
      return false;
    const Numbering::Numbers n = numbering.Next(r);
    if (r.QSONr() != n.qso || r.BandNr() != n.band || r.BandSerial() != n.band ||
        r.ModeNr() != n.mode)
      return false;
    previous = when;
    status = log.ReadNextLive(position + 1);
  }
  return status == 1 && position == used;
}

RenumberResult RenumberLog(Fileblock& log, const MultiplierRules& rules,
                           const RenumberOptions& options) {
  if (options.onlyWhenNeeded && LogNumberedInOrder(log))
    return RenumberResult::kUnchanged;
  Progress progress(options.progress, log);

  // What the log holds is what its data file holds.
  std::vector<StoredRecord> records;
  if (!ReadLiveRecords(log, &records))
    return RenumberResult::kCopyFailed;
  SortByDateAndTime(&records);

  // The new copy, built in date and time order.
  NewCopy copy(log);
  Fileblock* target = copy.get();
  if (target == nullptr || target->EnsureOpen() != 0)
    return RenumberResult::kCopyFailed;
  MultiplierIndex index(rules);
  MultiplierTracker tracker(rules, index);
  Numbering numbering;
  std::int32_t copied = 0;
  std::int32_t markers = 0;
  for (StoredRecord& stored : records) {
    progress.Step();
    QsoRecord r(stored.bytes.data());
    if (IsMarkerRecord(r)) {
      ++markers;
      continue;
    }
    const Numbering::Numbers n = numbering.Next(r);
    std::memset(stored.bytes.data(), 0, 4); // the status word of a record to add
    r.SetLfdNr(0);                          // numbered by Add
    r.SetQSONr(n.qso);
    r.SetBandNr(n.band);
    r.SetBandSerial(n.band);
    r.SetModeNr(static_cast<std::uint16_t>(n.mode));
    // The evaluation reads the copy's earlier QSOs through the copy's buffer.
    tracker.Evaluate(r, *target, options.keepCall2);
    tracker.Commit();
    std::memcpy(target->RecordBuffer(), stored.bytes.data(), stored.bytes.size());
    if (!AddRecord(*target))
      return RenumberResult::kCopyFailed;
    index.Add(r);
    ++copied;
  }

  // Nothing is replaced unless the copy holds every record of the data file: the old log's
  // live records counted again, and the copy's counted in its own data file.
  const auto walked = static_cast<std::int32_t>(records.size());
  std::int32_t liveNow = -1;
  std::int32_t inCopy = -1;
  if (log.LiveRecords(&liveNow) != 0 || target->LiveRecords(&inCopy) != 0)
    return RenumberResult::kCopyFailed;
  if (copied + markers != walked || liveNow != walked || inCopy != copied)
    return RenumberResult::kIncomplete;
  if (!copy.MakeDurable())
    return RenumberResult::kCopyFailed;

  // The copy takes the old log's place while the old log's files are closed.
  if (log.CloseForReplacement() != 0)
    return RenumberResult::kReplaceFailed;
  std::string error;
  copy.Keep();
  if (!CommitReplacement(EngineFileIo(), log.FileName(), &error))
    return RenumberResult::kReplaceFailed;
  return RenumberResult::kRenumbered;
}

} // namespace tarvik
