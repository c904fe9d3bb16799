// The entry session: opening and closing, preparing and storing a QSO.

#include "logging/qso_session.h"

#include <algorithm>
#include <cstring>

#include "base/text_helpers.h"
#include "datafiles/report.h"
#include "radio/bands.h"
#include "radio/date_time.h"
#include "recordfile/failure_cause.h"
#include "recordfile/fileblock.h"

namespace tarvik {

namespace {

using F = EntryField;

std::string Sized(std::string bytes, std::size_t size) {
  bytes.resize(size, '\0');
  return bytes;
}

ContestRecords RecordsOf(std::string header, std::string extension) {
  ContestRecords records;
  records.header = Sized(std::move(header), ContestHeaderRecord::kLength);
  records.extension = Sized(std::move(extension), ContestExtensionRecord::kLength);
  return records;
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

std::string LogWindowCaption(const ContestDefinition& definition,
                             const ContestHeaderRecord& header) {
  return definition.ProgramTitle + " " + ChooseText("Logbuch", "Logbook") +
         " (Contest : " + header.contestName() + " )";
}

QsoSession::QsoSession(QsoSessionParams params, UserDialogs& dialogs, const Clock& clock)
    : def_(std::move(params.definition)), code_(params.contestCode),
      traits_(TraitsOf(params.contestCode)),
      contest_(RecordsOf(std::move(params.headerRecord), std::move(params.extensionRecord))),
      ownLocatorFallback_(std::move(params.ownLocator)), dialogs_(dialogs), clock_(clock),
      listener_(def_.ListenerLog != 0), rules_(def_, code_, contest_.Header().yesNoAnswer()),
      bands_(def_), form_(def_, code_, record_, bands_, !rules_.HasMultipliers()),
      log_(def_, code_, rules_, dialogs_), book_(traits_) {}

QsoSession::~QsoSession() {
  if (!IsOpen())
    return;
  lookup_.reset();
  ClosePrefixTables(prefixTables_);
  book_.Close();
  log_.Close();
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
  const bool logOpened = log_.Open(header.contestNumber());
  const bool bookOpened = book_.Open();
  prefixTables_ = OpenPrefixTables();
  if (!logOpened || !bookOpened || prefixTables_.main == nullptr) {
    ClosePrefixTables(prefixTables_);
    book_.Close();
    log_.Close();
    return false;
  }
  open_ = true;
  lookup_ = std::make_unique<PrefixLookup>(prefixTables_, clock_);
  if (chooser_)
    lookup_->SetChooser(chooser_);
  autoTimeAtOpen_ = header.autoTime();

  bands_.ChooseStartBand(header, clock_);
  form_.BuildLayout(header, contest_.Extension());
  if (const std::optional<std::string> freeMode = bands_.ChooseStartMode(header))
    Text(F::emode) = *freeMode;
  form_.SetNameQthShown(!listener_ && traits_.nameQthShownAtStart);

  log_.Rebuild(Points(), true);
  // The band of the last record (of a marker record: the band it changed to).
  Fileblock* file = log_.File();
  if (file->LastKey(qso_key::kRecord) == 0) {
    const QsoRecord last(static_cast<const char*>(file->RecordBuffer()));
    const char band = IsMarkerRecord(last) ? last.QSYBand() : last.Band();
    if (IsBandLetter(band))
      bands_.SetBand(band);
  }
  PrepareNewQso(0);
  ClockTick();
  return true;
}

void QsoSession::Close() {
  if (!IsOpen())
    return;
  if (const FileWriteResult written = book_.SaveQcwaList(); !written.ok())
    dialogs_.Inform(FileNotSavedMessage(CallBook::QcwaListPath(), written.osError()));
  ContestHeaderRecord header = contest_.Header();
  ContestExtensionRecord extension = contest_.Extension();
  log_.WriteHeaderStatistics(Points(), header, extension);
  // The numbers become gapless and chronological again (a log in order is left alone).
  // Renumber tells the person itself when it cannot.
  (void)Renumber(true);
  lookup_.reset();
  ClosePrefixTables(prefixTables_);
  book_.Close();
  log_.Close();
  open_ = false;
}

void QsoSession::PrepareNewQso(int editMode) {
  if (!IsOpen())
    return;
  editMode_ = editMode;
  if (editMode == 0) {
    editRecord_ = 0;
    form_.SetLdkHidden(false);
    handEntry_.clear();
  }
  log_.Tracker().Undo();
  lastCall_ = Record().Call();
  log_.RefreshNextNumbers(bands_.Band(), bands_.Mode());
  const NextNumbers& next = log_.Next();

  record_.fill('\0');
  QsoRecord r = Record();
  r.SetDatum(lastDate_ == 0 ? BadDate : lastDate_);
  r.SetZeit(lastTime_);
  r.SetMode(bands_.Mode());
  r.SetBand(bands_.Band());
  const ContestHeaderRecord header = Header();
  r.SetQSLs(header.qslSentDefault());
  r.SetQSLr(header.qslRcvdDefault());
  form_.SetQslMark(r.QSLs());
  r.SetQSONr(next.qso);
  r.SetBandSerial(next.bandSerial);
  r.SetBandNr(next.band);
  r.SetModeNr(static_cast<std::uint16_t>(next.mode));
  r.SetRSTs(SentDefaultExchange());
  r.SetRSTr(DefaultRst() + std::string(traits_.rcvdReportPreset));
  r.SetNameQTH(";");
  nameCache_.clear();
  qthCache_.clear();
  form_.SetCallName({});
  lastPrefix_.clear();
  lastBookCall_.clear();
  if (rememberedFreq_ > 0)
    r.SetFreq(rememberedFreq_);

  WriteFields();
  form_.ClearFailures();
  form_.MoveFocus(F::eCall);
  ++prepareCount_;
}

bool QsoSession::BeginEdit(std::int32_t recordNumber) {
  Fileblock* file = log_.File();
  if (!IsOpen() || file->ReadRecord(recordNumber) != 0)
    return false;
  const QsoRecord stored(static_cast<const char*>(file->RecordBuffer()));
  if (IsMarkerRecord(stored))
    return false;
  log_.Tracker().Undo();
  std::memcpy(record_.data(), file->RecordBuffer(), record_.size());
  editMode_ = 1;
  editRecord_ = recordNumber;
  lastCall_ = Record().Call();
  WriteFields();
  Evaluate();
  form_.MoveFocus(F::eCall);
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
      form_.SetFailed(*incompleteField_, true);
      form_.MoveFocus(*incompleteField_);
    }
    return false;
  }
  QsoRecord r = Record();
  lastDate_ = r.Datum();
  lastTime_ = r.Zeit();
  rememberedFreq_ = r.Freq();
  if (editMode_ == 0) {
    const NextNumbers& next = log_.Next();
    r.SetQSONr(next.qso);
    r.SetBandSerial(next.bandSerial);
    r.SetModeNr(static_cast<std::uint16_t>(next.mode));
    r.SetBandNr(next.band);
    r.SetQSLs(form_.QslMark());
  }
  r.SetRSTs(PadSerials(r.RSTs(), def_.SentExchange1, def_.SentExchange2));
  r.SetRSTr(PadSerials(r.RSTr(), def_.RcvdExchange1, def_.RcvdExchange2));
  r.SetPunkte(StoredPoints(QsoPoints(r, Points(), ExcludedRecord())));

  // What the call book and the member list remember is taken before the entry is cleared.
  LearnFromStoredQso();

  if (editMode_ == 0) {
    if (!log_.Add(r))
      return false;
    log_.NoteStored(r.LfdNr());
  } else {
    if (!log_.Update(editRecord_, r))
      return false;
    log_.Tracker().Commit();
    log_.Rebuild(Points(), false);
    log_.NoteStored(editRecord_);
  }
  PrepareNewQso(0);
  return true;
}

} // namespace tarvik
