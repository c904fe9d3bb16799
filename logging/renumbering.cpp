#include "logging/renumbering.h"

#include <array>
#include <cstring>
#include <map>

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

namespace tarvik {

namespace {

constexpr int kDateTimeKey = 1;
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
      DestroyFileblock(fb_);
      fb_ = nullptr;
    }
  }
  ~NewCopy() {
    if (fb_ != nullptr)
      DestroyFileblock(fb_);
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
    DestroyFileblock(fb_);
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
  int status = log.FirstKey(kDateTimeKey);
  while (status == 0) {
    const QsoRecord r(static_cast<const char*>(log.RecordBuffer()));
    if (IsMarkerRecord(r))
      return false;
    ++position;
    const Numbering::Numbers n = numbering.Next(r);
    if (r.LfdNr() != position || log.CurrentRecordNumber() != position || r.QSONr() != n.qso ||
        r.BandNr() != n.band || r.BandSerial() != n.band || r.ModeNr() != n.mode)
      return false;
    status = log.NextKey(kDateTimeKey);
  }
  return status == 1 && position == used;
}

RenumberResult RenumberLog(Fileblock& log, const MultiplierRules& rules,
                           const RenumberOptions& options) {
  if (options.onlyWhenNeeded && LogNumberedInOrder(log))
    return RenumberResult::kUnchanged;
  Progress progress(options.progress, log);

  // The new copy, built in date and time order.
  NewCopy copy(log);
  Fileblock* target = copy.get();
  if (target == nullptr || target->EnsureOpen() != 0)
    return RenumberResult::kCopyFailed;
  MultiplierIndex index(rules);
  MultiplierTracker tracker(rules, index);
  Numbering numbering;
  std::array<char, QsoRecord::kLength> record{};
  int status = log.FirstKey(kDateTimeKey);
  while (status == 0) {
    std::memcpy(record.data(), log.RecordBuffer(), record.size());
    progress.Step();
    QsoRecord r(record.data());
    if (!IsMarkerRecord(r)) {
      const Numbering::Numbers n = numbering.Next(r);
      std::memset(record.data(), 0, 4); // the status word of a record to add
      r.SetLfdNr(0);                    // numbered by Add
      r.SetQSONr(n.qso);
      r.SetBandNr(n.band);
      r.SetBandSerial(n.band);
      r.SetModeNr(static_cast<std::uint16_t>(n.mode));
      // The evaluation reads the copy's earlier QSOs through the copy's buffer.
      tracker.Evaluate(r, *target, options.keepCall2);
      tracker.Commit();
      std::memcpy(target->RecordBuffer(), record.data(), record.size());
      if (!AddRecord(*target))
        return RenumberResult::kCopyFailed;
      index.Add(r);
    }
    status = log.NextKey(kDateTimeKey);
  }
  if (status != 1)
    return RenumberResult::kCopyFailed; // the old log could not be read to its end
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
