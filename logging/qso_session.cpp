// The entry session: opening and closing, preparing and storing a QSO, and the totals.

#include "logging/qso_session.h"

#include <algorithm>
#include <cstring>

#include "contest/header_statistics.h"
#include "datafiles/log_scan.h"
#include "datafiles/program_files.h"
#include "datafiles/report.h"
#include "radio/bands.h"
#include "radio/date_time.h"
#include "recordfile/fileblock.h"

namespace tarvik {

namespace {

using F = EntryField;

std::string Sized(std::string bytes, std::size_t size) {
  bytes.resize(size, '\0');
  return bytes;
}

bool SerialKind(int kind) {
  return kind == exchange::kQsoNumber || kind == exchange::kModeNumber ||
         kind == exchange::kBandSerial;
}

// Pads the serial-number element of a report: element 2 when `kinds` names a serial for
// it, otherwise element 3 when that one is a serial.
std::string PadSerials(std::string_view report, int kind2, int kind3) {
  ReportParts parts = SplitReport(report);
  if (SerialKind(kind2))
    parts.elements[0] = PadSerialElement(parts.elements[0]);
  else if (SerialKind(kind3))
    parts.elements[1] = PadSerialElement(parts.elements[1]);
  else
    return std::string(report);
  return JoinReport(parts);
}

} // namespace

QsoSession::QsoSession(QsoSessionParams params, UserDialogs& dialogs, const Clock& clock)
    : def_(std::move(params.definition)), code_(params.contestCode),
      traits_(TraitsOf(params.contestCode)),
      header_(Sized(std::move(params.headerRecord), ContestHeaderRecord::kLength)),
      extension_(Sized(std::move(params.extensionRecord), ContestExtensionRecord::kLength)),
      ownLocatorFallback_(std::move(params.ownLocator)), dialogs_(dialogs), clock_(clock),
      listener_(def_.ListenerLog != 0),
      rules_(def_, code_,
             ContestHeaderRecord(static_cast<const char*>(header_.data())).yesNoAnswer()),
      index_(rules_), tracker_(rules_, index_) {
  for (const std::string& mode : def_.Modes)
    if (!mode.empty() && modeList_.size() < ContestDefinition::kMaxModes)
      modeList_.push_back(mode);
  for (char band : def_.Bands)
    if (IsBandLetter(band) && bandList_.size() < ContestDefinition::kMaxBands)
      bandList_.push_back(BandName(band));
  Text(F::emode) = "DIGI";
}

QsoSession::~QsoSession() {
  if (!IsOpen())
    return;
  lookup_.reset();
  ClosePrefixTables(prefixTables_);
  CloseProgramFile(callList_);
  CloseProgramFile(callBook_);
  CloseProgramFile(log_);
}

void QsoSession::SetPrefixChooser(PrefixChooser chooser) {
  chooser_ = std::move(chooser);
  if (lookup_)
    lookup_->SetChooser(chooser_);
}

bool QsoSession::Open() {
  if (IsOpen())
    return true;
  const ContestHeaderRecord header = Header();
  log_ = OpenProgramFile(ProgramFile::kQsoLog, header.contestNumber());
  callBook_ = OpenProgramFile(ProgramFile::kCallBook);
  prefixTables_ = OpenPrefixTables();
  callList_ = OpenProgramFile(ProgramFile::kCallList);
  if (log_ == nullptr || callBook_ == nullptr || callList_ == nullptr ||
      prefixTables_.main == nullptr || log_->EnsureOpen() != 0) {
    ClosePrefixTables(prefixTables_);
    CloseProgramFile(callList_);
    CloseProgramFile(callBook_);
    CloseProgramFile(log_);
    log_ = callBook_ = callList_ = nullptr;
    return false;
  }
  lookup_ = std::make_unique<PrefixLookup>(prefixTables_, clock_);
  if (chooser_)
    lookup_->SetChooser(chooser_);
  autoTimeAtOpen_ = header.autoTime();

  band_ = def_.Bands.empty() ? '\0' : def_.Bands.front();
  BuildLayout();
  if (header.autoBand())
    if (const char blockBand = TimeBlockBand(); blockBand != '\0')
      band_ = blockBand;
  ChooseStartMode();
  nameQthShown_ = !listener_ && traits_.nameQthShownAtStart;

  RebuildFromFile(true);
  // The band of the last record (of a marker record: the band it changed to).
  if (log_->LastKey(qso_key::kRecord) == 0) {
    const QsoRecord last(static_cast<const char*>(log_->RecordBuffer()));
    const char band = IsMarkerRecord(last) ? last.QSYBand() : last.Band();
    if (IsBandLetter(band))
      band_ = band;
  }
  PrepareNewQso(0);
  ClockTick();
  return true;
}

void QsoSession::Close() {
  if (!IsOpen())
    return;
  if (qcwa_)
    SaveQcwaList();
  RecalculateHeaderStatistics();
  // The numbers become gapless and chronological again (a log in order is left alone).
  // Renumber tells the person itself when it cannot.
  (void)Renumber(true);
  lookup_.reset();
  ClosePrefixTables(prefixTables_);
  CloseProgramFile(callList_);
  CloseProgramFile(callBook_);
  CloseProgramFile(log_);
  log_ = callBook_ = callList_ = nullptr;
}

void QsoSession::RefreshNextNumbers() {
  nextQsoNr_ = tarvik::NextQsoNumber(*log_);
  nextBandSerial_ = NextBandSerial(*log_, band_);
  nextBandNr_ = NextBandNumber(*log_, band_);
  nextModeNr_ = NextModeNumber(*log_, mode_);
}

void QsoSession::PrepareNewQso(int editMode) {
  if (!IsOpen())
    return;
  editMode_ = editMode;
  if (editMode == 0) {
    editRecord_ = 0;
    ldkHidden_ = false;
    handEntry_.clear();
  }
  tracker_.Undo();
  lastCall_ = Record().Call();
  RefreshNextNumbers();

  record_.fill('\0');
  QsoRecord r = Record();
  r.SetDatum(lastDate_ == 0 ? BadDate : lastDate_);
  r.SetZeit(lastTime_);
  r.SetMode(mode_);
  r.SetBand(band_);
  const ContestHeaderRecord header = Header();
  r.SetQSLs(header.qslSentDefault());
  r.SetQSLr(header.qslRcvdDefault());
  qslMark_ = r.QSLs();
  r.SetQSONr(nextQsoNr_);
  r.SetBandSerial(nextBandSerial_);
  r.SetBandNr(nextBandNr_);
  r.SetModeNr(static_cast<std::uint16_t>(nextModeNr_));
  r.SetRSTs(SentDefaultExchange());
  r.SetRSTr(DefaultRst() + std::string(traits_.rcvdReportPreset));
  r.SetNameQTH(";");
  nameCache_.clear();
  qthCache_.clear();
  callName_.clear();
  lastPrefix_.clear();
  lastBookCall_.clear();
  if (rememberedFreq_ > 0)
    r.SetFreq(rememberedFreq_);

  WriteFields();
  failed_.fill(false);
  focus_ = F::eCall;
  ++focusChanges_;
  ++prepareCount_;
}

bool QsoSession::BeginEdit(std::int32_t recordNumber) {
  if (!IsOpen() || log_->ReadRecord(recordNumber) != 0)
    return false;
  const QsoRecord stored(static_cast<const char*>(log_->RecordBuffer()));
  if (IsMarkerRecord(stored))
    return false;
  tracker_.Undo();
  std::memcpy(record_.data(), log_->RecordBuffer(), record_.size());
  editMode_ = 1;
  editRecord_ = recordNumber;
  lastCall_ = Record().Call();
  WriteFields();
  Evaluate();
  focus_ = F::eCall;
  ++focusChanges_;
  return true;
}

bool QsoSession::Store(bool fromImport) {
  if (!IsOpen())
    return false;
  ReadFields(std::nullopt);
  if (!fromImport)
    ClockTick();
  if (!IsComplete(true)) {
    if (incompleteField_ && IsEntryField(*incompleteField_) && !fromImport) {
      failed_[static_cast<std::size_t>(*incompleteField_)] = true;
      focus_ = *incompleteField_;
      ++focusChanges_;
    }
    return false;
  }
  QsoRecord r = Record();
  lastDate_ = r.Datum();
  lastTime_ = r.Zeit();
  rememberedFreq_ = r.Freq();
  if (editMode_ == 0) {
    r.SetQSONr(nextQsoNr_);
    r.SetBandSerial(nextBandSerial_);
    r.SetModeNr(static_cast<std::uint16_t>(nextModeNr_));
    r.SetBandNr(nextBandNr_);
    r.SetQSLs(qslMark_);
  }
  r.SetRSTs(PadSerials(r.RSTs(), def_.SentExchange1, def_.SentExchange2));
  r.SetRSTr(PadSerials(r.RSTr(), def_.RcvdExchange1, def_.RcvdExchange2));
  const std::int32_t self = editMode_ != 0 ? editRecord_ : 0;
  r.SetPunkte(StoredPoints(QsoPoints(r, Points(), self)));

  // What the call book and the member list remember is taken before the entry is cleared.
  UpdateCallBook();
  RememberQcwaMember();

  if (editMode_ == 0) {
    char* buffer = log_->RecordBuffer();
    std::memcpy(buffer, record_.data(), record_.size());
    if (!AddRecord(*log_))
      return false;
    r.SetLfdNr(QsoRecord(static_cast<const char*>(buffer)).LfdNr());
    if (!IsMarkerRecord(r)) {
      const auto slot = static_cast<std::size_t>(PointSlot(def_, code_, r.Band()));
      points_[slot] += r.Punkte();
      qsos_[slot] += 1;
    }
    index_.Add(r);
    tracker_.Commit();
    lastStored_ = r.LfdNr();
  } else {
    if (log_->ReadRecord(editRecord_) != 0)
      return false;
    char* buffer = log_->RecordBuffer();
    std::memcpy(buffer + 4, record_.data() + 4, record_.size() - 4);
    if (log_->Update() != 0)
      return false;
    tracker_.Commit();
    RebuildFromFile(false);
    lastStored_ = editRecord_;
  }
  ++storeCount_;
  PrepareNewQso(0);
  return true;
}

std::int32_t QsoSession::NewestQsoOfCurrentBand() const {
  return IsOpen() && IsBandLetter(band_) ? NewestRecordOfBand(*log_, band_) : 0;
}

void QsoSession::RebuildFromFile(bool cleanMarkers) {
  ++fullRebuilds_;
  std::int32_t visited = 0;
  points_.fill(0);
  qsos_.fill(0);
  index_.Clear();
  const PointContext context = Points();
  std::array<char, QsoRecord::kLength> copy{};
  std::int32_t ref = 0;
  std::string key;
  int status = log_->FindEntry(qso_key::kRecord, INT32_MIN, 1, "", &ref, &key);
  while (status == 0) {
    if (log_->ReadRecord(ref) != 0)
      break;
    std::memcpy(copy.data(), log_->RecordBuffer(), copy.size());
    QsoRecord q(copy.data());
    bool rewrite = false;
    if (IsMarkerRecord(q)) {
      // Band-change markers written by earlier tools carry no QSO data.
      if (cleanMarkers && (!q.Prefix().empty() || !q.Continent().empty() || !q.Prefix2().empty() ||
                           !q.FullDok().empty() || !q.Locator().empty() || !q.Call2().empty() ||
                           !q.Kenner().empty())) {
        q.SetPrefix("");
        q.SetContinent("");
        q.SetPrefix2("");
        q.SetFullDok("");
        q.SetLocator("");
        q.SetCall2("");
        q.SetKenner("");
        rewrite = true;
      }
    } else {
      // Points are computed again from the record; a QSO whose points depend on the order
      // of the log (codes 'K', 'R') keeps the value it has now.
      const std::uint16_t points = StoredPoints(QsoPoints(q, context, ref));
      if (points != q.Punkte()) {
        q.SetPunkte(points);
        rewrite = true;
      }
      const auto slot = static_cast<std::size_t>(PointSlot(def_, code_, q.Band()));
      points_[slot] += points;
      qsos_[slot] += 1;
      index_.Add(q);
    }
    if (rewrite && log_->ReadRecord(ref) == 0) {
      std::memcpy(log_->RecordBuffer() + 4, copy.data() + 4, copy.size() - 4);
      // The totals count the right points either way; a failed correction of the stored
      // ones is reported by the storage layer and made again at the next rebuild.
      (void)log_->Update();
    }
    if (progress_ != nullptr && ++visited % 100 == 0)
      progress_->Advance(visited);
    status = log_->NextEntry(qso_key::kRecord, &ref, &key);
  }
}

void QsoSession::Rebuild() {
  if (!IsOpen())
    return;
  RebuildFromFile(false);
  RefreshNextNumbers();
  Evaluate();
}

SlotTotals QsoSession::Totals() const {
  SlotTotals totals;
  totals.points = points_;
  totals.qsos = qsos_;
  for (int slot = 1; slot < kBandSlots; ++slot) {
    const auto s = static_cast<std::size_t>(slot);
    totals.multis[s] = index_.SlotCount(slot) + tracker_.PendingCount(slot);
    for (int column = 1; column <= 3; ++column)
      totals.columnMultis[static_cast<std::size_t>(column - 1)][s] =
          index_.ColumnCount(column, slot) + tracker_.PendingColumnCount(column, slot);
  }
  return totals;
}

void QsoSession::RecalculateHeaderStatistics() {
  if (!IsOpen())
    return;
  RebuildFromFile(false);
  SlotTotals stored;
  stored.points = points_;
  stored.qsos = qsos_;
  for (int slot = 1; slot < kBandSlots; ++slot) {
    const auto s = static_cast<std::size_t>(slot);
    stored.multis[s] = index_.SlotCount(slot);
    for (int column = 1; column <= 3; ++column)
      stored.columnMultis[static_cast<std::size_t>(column - 1)][s] =
          index_.ColumnCount(column, slot);
  }
  ContestHeaderRecord header(header_.data());
  ContestExtensionRecord extension(extension_.data());
  WriteHeaderStatistics(def_, code_, stored, header, extension);
}

} // namespace tarvik
