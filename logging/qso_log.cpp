#include "logging/qso_log.h"

#include <algorithm>
#include <climits>
#include <cstring>

#include "base/pictures.h"
#include "base/text_helpers.h"
#include "contest/header_statistics.h"
#include "datafiles/log_scan.h"
#include "datafiles/program_files.h"
#include "radio/bands.h"
#include "recordfile/fileblock.h"
#include "recordfile/key_codec.h"

namespace tarvik {

namespace {

std::string Number(std::string_view picture, std::int64_t value) {
  return FormatLongPicture(
      picture, static_cast<std::int32_t>(std::clamp<std::int64_t>(value, INT32_MIN, INT32_MAX)));
}

} // namespace

QsoLog::QsoLog(const ContestDefinition& definition, char contestCode, const MultiplierRules& rules,
               UserDialogs& dialogs)
    : def_(definition), code_(contestCode), traits_(TraitsOf(contestCode)), rules_(rules),
      dialogs_(dialogs), index_(rules), tracker_(rules, index_) {}

QsoLog::~QsoLog() {
  Close();
}

bool QsoLog::Open(int contestNumber) {
  if (file_ != nullptr)
    return true;
  file_ = OpenProgramFile(ProgramFile::kQsoLog, contestNumber);
  if (file_ != nullptr && file_->EnsureOpen() == 0)
    return true;
  Close();
  return false;
}

void QsoLog::Close() {
  CloseProgramFile(file_);
  file_ = nullptr;
}

// ---------------------------------------------------------------------------------------
// Totals

SlotTotals QsoLog::StoredTotals() const {
  SlotTotals totals;
  totals.points = points_;
  totals.qsos = qsos_;
  for (int slot = 1; slot < kBandSlots; ++slot) {
    const auto s = static_cast<std::size_t>(slot);
    totals.multis[s] = index_.SlotCount(slot);
    for (int column = 1; column <= 3; ++column)
      totals.columnMultis[static_cast<std::size_t>(column - 1)][s] =
          index_.ColumnCount(column, slot);
  }
  return totals;
}

SlotTotals QsoLog::Totals() const {
  SlotTotals totals = StoredTotals();
  for (int slot = 1; slot < kBandSlots; ++slot) {
    const auto s = static_cast<std::size_t>(slot);
    totals.multis[s] += tracker_.PendingCount(slot);
    for (int column = 1; column <= 3; ++column)
      totals.columnMultis[static_cast<std::size_t>(column - 1)][s] +=
          tracker_.PendingColumnCount(column, slot);
  }
  return totals;
}

void QsoLog::Rebuild(const PointContext& points, bool cleanMarkers) {
  ++fullRebuilds_;
  std::int32_t visited = 0;
  points_.fill(0);
  qsos_.fill(0);
  index_.Clear();
  std::array<char, QsoRecord::kLength> copy{};
  std::int32_t ref = 0;
  std::string key;
  int status = file_->FindEntry(qso_key::kRecord, INT32_MIN, 1, "", &ref, &key);
  while (status == 0) {
    if (file_->ReadRecord(ref) != 0)
      break;
    std::memcpy(copy.data(), file_->RecordBuffer(), copy.size());
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
      const std::uint16_t value = StoredPoints(QsoPoints(q, points, ref));
      if (value != q.Punkte()) {
        q.SetPunkte(value);
        rewrite = true;
      }
      const auto slot = static_cast<std::size_t>(PointSlot(def_, code_, q.Band()));
      points_[slot] += value;
      qsos_[slot] += 1;
      index_.Add(q);
    }
    if (rewrite && file_->ReadRecord(ref) == 0) {
      std::memcpy(file_->RecordBuffer() + 4, copy.data() + 4, copy.size() - 4);
      // A record that cannot be written back keeps its old values on disk; the totals
      // count the new ones, and the record-file error handler reports the cause.
      (void)file_->Update();
    }
    if (progress_ != nullptr && ++visited % 100 == 0)
      progress_->Advance(visited);
    status = file_->NextEntry(qso_key::kRecord, &ref, &key);
  }
}

void QsoLog::WriteHeaderStatistics(const PointContext& points, ContestHeaderRecord& header,
                                   ContestExtensionRecord& extension) {
  Rebuild(points, false);
  tarvik::WriteHeaderStatistics(def_, code_, StoredTotals(), header, extension);
}

// ---------------------------------------------------------------------------------------
// Numbers

void QsoLog::RefreshNextNumbers(char band, std::string_view mode) {
  next_.qso = NextQsoNumber(*file_);
  RefreshBandNumbers(band);
  RefreshModeNumber(mode);
}

void QsoLog::RefreshBandNumbers(char band) {
  next_.bandSerial = NextBandSerial(*file_, band);
  next_.band = NextBandNumber(*file_, band);
}

void QsoLog::RefreshModeNumber(std::string_view mode) {
  next_.mode = NextModeNumber(*file_, std::string(mode));
}

std::int32_t QsoLog::NewestQsoOfBand(char band) const {
  return IsOpen() && IsBandLetter(band) ? NewestRecordOfBand(*file_, band) : 0;
}

// ---------------------------------------------------------------------------------------
// Storing

bool QsoLog::Add(QsoRecord& record) {
  char* buffer = file_->RecordBuffer();
  std::memcpy(buffer, record.data(), QsoRecord::kLength);
  if (!AddRecord(*file_))
    return false;
  record.SetLfdNr(QsoRecord(static_cast<const char*>(buffer)).LfdNr());
  if (!IsMarkerRecord(record)) {
    const auto slot = static_cast<std::size_t>(PointSlot(def_, code_, record.Band()));
    points_[slot] += record.Punkte();
    qsos_[slot] += 1;
  }
  index_.Add(record);
  tracker_.Commit();
  return true;
}

bool QsoLog::Update(std::int32_t recordNumber, const QsoRecord& record) {
  if (file_->ReadRecord(recordNumber) != 0)
    return false;
  std::memcpy(file_->RecordBuffer() + 4, record.data() + 4, QsoRecord::kLength - 4);
  return file_->Update() == 0;
}

bool QsoLog::Remove(const QsoRecord& stored) {
  // Found again by its key: the question before may have taken a while.
  if (file_->FindKey(qso_key::kRecord, NumKey5(stored.LfdNr())) != 0)
    return false;
  const auto slot = static_cast<std::size_t>(PointSlot(def_, code_, stored.Band()));
  if (file_->Delete(kDeleteNoPosition) != 0)
    return false;
  points_[slot] = std::max(0, points_[slot] - static_cast<std::int32_t>(stored.Punkte()));
  qsos_[slot] = std::max(0, qsos_[slot] - 1);
  NoteStored(0);
  return true;
}

RenumberResult QsoLog::Renumber(bool onlyWhenNeeded, bool keepCall2) {
  if (!IsOpen() || SentSerialNumbers(def_))
    return RenumberResult::kUnchanged;
  RenumberOptions options;
  options.keepCall2 = keepCall2;
  options.onlyWhenNeeded = onlyWhenNeeded;
  options.progress = progress_;
  const RenumberResult result = RenumberLog(*file_, rules_, options);
  if (const std::string message = RenumberMessage(result); !message.empty())
    dialogs_.Inform(message);
  // Record numbers changed: the last one stored is gone.
  if (result == RenumberResult::kRenumbered)
    lastStored_ = 0;
  return result;
}

void QsoLog::NoteStored(std::int32_t recordNumber, bool counted) {
  if (counted)
    ++storeCount_;
  lastStored_ = recordNumber;
}

// ---------------------------------------------------------------------------------------
// What the window draws

std::vector<PanelCell> QsoLog::MultiplierPanel(char band) const {
  const std::size_t cells = static_cast<std::size_t>(kPanelRows * kPanelColumns);
  std::vector<PanelCell> panel(cells);
  for (PanelCell& cell : panel)
    cell.bold = traits_.panelLabelsBold;
  const std::vector<MultTableEntry> entries = tracker_.Panel(band, cells);
  for (std::size_t i = 0; i < entries.size(); ++i) {
    PanelCell& cell = panel[i];
    cell.text = entries[i].value;
    switch (entries[i].status) {
    case MultStatus::kWorked:
      cell.colour = PanelColour::kGrey;
      break;
    case MultStatus::kNew:
      cell.colour = PanelColour::kRed;
      break;
    case MultStatus::kWorkedAgain:
      cell.colour = PanelColour::kGreen;
      cell.underline = true;
      break;
    }
  }
  return panel;
}

EntryCounters QsoLog::Counters(char band) const {
  EntryCounters counters;
  counters.nextNumber = std::to_string(next_.qso);
  if (traits_.contestWideTotals && def_.EvaluationKind == 1)
    return counters;
  const SlotTotals totals = Totals();
  const std::string bandName = IsBandLetter(band) ? BandName(band) : std::string();
  const auto pointSlot = static_cast<std::size_t>(PointSlot(def_, code_, band));
  const auto multiSlot = static_cast<std::size_t>(MultiplierSlotOfBand(def_, band));
  counters.pointsCaption = ChooseText("Punkte ", "Score ") + bandName;
  counters.pointsValue = Number("########", totals.points[pointSlot]);
  counters.multiCaption = MultiCounterCaption(traits_.multCountName);
  if (def_.EvaluationKind == 0 || def_.EvaluationKind == 2)
    counters.multiCaption += bandName;
  counters.multiValue = Number("#####", totals.multis[multiSlot]);
  counters.qsoCaption = "QSO " + bandName;
  counters.qsoValue = Number("#####", totals.qsos[pointSlot]);
  return counters;
}

EvaluationPanel QsoLog::Evaluation(char band) const {
  return LiveEvaluationPanel(def_, code_, Totals(), band);
}

} // namespace tarvik
