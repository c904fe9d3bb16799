#include "logging/adif_import.h"

#include <algorithm>
#include <cstdio>
#include <initializer_list>

#include "base/strings.h"
#include "base/text_helpers.h"
#include "datafiles/program_files.h"
#include "logging/qso_session.h"
#include "radio/bands.h"
#include "recordfile/fileblock.h"

namespace tarvik {

namespace {

using F = EntryField;

bool AllDigits(std::string_view text) {
  return std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// A frequency as typed into the frequency field: "." or "," as the decimal separator; 0
// when the text is no positive number.
double ReadMhz(std::string_view text) {
  const std::string trimmed = TrimBlanks(text);
  if (trimmed.empty())
    return 0;
  const ParsedReal parsed = ParseReal(trimmed);
  return parsed.errorPosition == 0 && parsed.value > 0 ? parsed.value : 0;
}

// A default frequency for the frequency field: up to four decimals, no trailing zeros, ","
// as the decimal separator.
std::string MhzText(double mhz) {
  if (!(mhz > 0))
    return std::string();
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%.4f", mhz);
  std::string text = buffer;
  while (!text.empty() && text.back() == '0')
    text.pop_back();
  if (!text.empty() && text.back() == '.')
    text.pop_back();
  std::replace(text.begin(), text.end(), '.', ',');
  return text;
}

// The exchange kinds whose values a multiplier column counts, the preferred kind first.
std::vector<int> KindsOfColumn(MultColumn column) {
  switch (column) {
  case MultColumn::kDok:
    return {exchange::kDok, exchange::kArea, exchange::kLdk};
  case MultColumn::kArea:
    return {exchange::kArea};
  case MultColumn::kLdk:
    return {exchange::kLdk};
  case MultColumn::kLocator:
    return {exchange::kLocator, exchange::kLocator4};
  case MultColumn::kPostcode:
    return {exchange::kPostcode};
  case MultColumn::kUsState:
    return {exchange::kUsState};
  case MultColumn::kDig:
  case MultColumn::kAgcw:
    return {exchange::kMember};
  case MultColumn::kQcwa:
    return {exchange::kMember19, exchange::kMember};
  case MultColumn::kNaval:
    return {exchange::kMember19};
  case MultColumn::kNone:
  case MultColumn::kDxcc:
  case MultColumn::kPrefix:
  case MultColumn::kCallMulti:
    break; // no element carries them
  }
  return {};
}

} // namespace

FileDialogRequest AdifOpenRequest() {
  FileDialogRequest request;
  request.filter = "ADIF-Datei (*.adi, *.adif)|*.ADI;*.ADIF";
  request.defaultExtension = "adi";
  return request;
}

std::string AdifFileMissingMessage() {
  return "Datei existiert nicht";
}

std::string AdifFileUnreadableMessage() {
  return "Die Datei kann nicht gelesen werden.";
}

std::string AdifNoRecordsMessage() {
  return "Die Datei enthält keine ADIF-Datensätze (kein Datensatz mit <EOR>).";
}

std::vector<std::string> AdifLogFields(const ContestDefinition& definition) {
  std::vector<std::string> fields = {"CALL",     "QSO_DATE", "TIME_ON", "RST_SENT",
                                     "RST_RCVD", "BAND",     "FREQ",    "MODE"};
  for (int n = 1; n <= 3; ++n)
    if (!definition.MultLabel(n).empty())
      fields.push_back(definition.MultLabel(n));
  return fields;
}

// ---------------------------------------------------------------------------------------
// Assignment

AdifAssignment::AdifAssignment(std::vector<std::string> logFields) {
  for (std::string& field : logFields)
    entries_.push_back({std::move(field), std::string()});
}

std::string AdifAssignment::EntryText(std::size_t i) const {
  const Entry& entry = entries_.at(i);
  if (entry.source.empty())
    return entry.logField;
  return entry.logField + " (" + entry.source + ")";
}

bool AdifAssignment::Assign(std::size_t i, std::string fileField) {
  if (i >= entries_.size() || fileField.empty() || !entries_[i].source.empty())
    return false;
  entries_[i].source = std::move(fileField);
  return true;
}

bool AdifAssignment::AnyAssigned() const {
  return std::any_of(entries_.begin(), entries_.end(),
                     [](const Entry& e) { return !e.source.empty(); });
}

std::string AdifAssignment::SourceName(std::string_view logField) const {
  for (const Entry& entry : entries_)
    if (entry.logField == logField && !entry.source.empty())
      return entry.source;
  // File field names are upper case (the whole file is read in upper case).
  return UpCase(logField);
}

// ---------------------------------------------------------------------------------------
// Values and checks

std::string AdifDateText(std::string_view value) {
  if (value.size() == 8 && AllDigits(value))
    return std::string(value.substr(6, 2)) + "." + std::string(value.substr(4, 2)) + "." +
           std::string(value.substr(0, 4));
  if (value.size() == 6 && AllDigits(value))
    return std::string(value.substr(4, 2)) + "." + std::string(value.substr(2, 2)) + "." +
           std::string(value.substr(0, 2));
  return std::string(value);
}

std::string AdifTimeText(std::string_view value) {
  if ((value.size() == 6 || value.size() == 4) && AllDigits(value))
    return std::string(value.substr(0, 2)) + ":" + std::string(value.substr(2, 2));
  return std::string(value);
}

bool AdifModeAccepted(const ContestDefinition& definition, std::string_view mode) {
  bool digital = false;
  for (const std::string& offered : definition.Modes) {
    if (offered.empty())
      continue;
    if (offered == mode)
      return true;
    digital = digital || offered == "DIGITAL";
  }
  return digital && !mode.empty() && mode != "CW" && mode != "SSB" && mode != "FM";
}

bool AdifBandAccepted(const ContestDefinition& definition, std::string_view frequency,
                      std::string_view band) {
  const double mhz = ReadMhz(frequency);
  const std::string bandText = UpCase(TrimBlanks(band));
  const char named = bandText.empty() ? '\0' : BandFromText(bandText);
  for (char letter : definition.Bands) {
    if (!IsBandLetter(letter))
      continue;
    if (mhz > 0 && BandFromFrequency(mhz) == letter)
      return true;
    if (bandText.empty())
      continue;
    if (named == letter || bandText == UpCase(BandName(letter)) ||
        bandText == UpCase(BandName(letter, true)))
      return true;
  }
  return false;
}

int AdifElementForColumn(const ContestDefinition& definition, MultColumn column,
                         const bool (&taken)[3]) {
  for (int kind : KindsOfColumn(column))
    for (int n = 1; n <= 3; ++n)
      if (!taken[n - 1] && definition.RcvdExchange(n) == kind)
        return n;
  return 0;
}

std::string AdifImportSummary(const AdifImportCounts& counts) {
  std::string text = std::to_string(counts.imported) + " Datensätze importiert";
  if (counts.duplicates > 0)
    text += "\n" + std::to_string(counts.duplicates) + " Calls doppelt";
  if (counts.incomplete > 0)
    text += "\n" + std::to_string(counts.incomplete) + " unvollständige Datensätze";
  if (counts.bandErrors > 0)
    text += "\n" + std::to_string(counts.bandErrors) + " fehlende oder falsche Bandangaben";
  if (counts.modeErrors > 0)
    text += "\n" + std::to_string(counts.modeErrors) + " fehlende oder falsche Modeangaben";
  if (counts.storageFailed)
    text += "\nDer Import wurde nach einem Fehler beim Speichern abgebrochen.";
  else if (counts.readStatus != AdifReadStatus::kOk)
    text += "\nDie Datei konnte nicht bis zum Ende gelesen werden.";
  return text;
}

// ---------------------------------------------------------------------------------------
// Import

AdifImporter::AdifImporter(QsoSession& session, AdifAssignment assignment, bool skipChecks)
    : session_(session), assignment_(std::move(assignment)), skipChecks_(skipChecks),
      def_(session.Definition()), startBand_(session.Bands().Band()),
      startMode_(session.Bands().Mode()) {
  bool taken[3] = {false, false, false};
  for (int label = 1; label <= 3; ++label) {
    const std::string& name = def_.MultLabel(label);
    if (name.empty())
      continue;
    const int element = AdifElementForColumn(def_, def_.MultColumnKind(label), taken);
    if (element > 0) {
      taken[element - 1] = true;
      elementLabels_[element - 1] = name;
    }
  }
  // The first record's defaults are what the entry fields hold; a date or time the entry
  // shows by itself (the clock's) is no value of the file, so those start empty.
  previousName_ = session.Form().FieldText(F::eName);
  previousQth_ = session.Form().FieldText(F::eQTH);
  previousRstSent_ = session.Form().FieldText(F::eRSTs1);
  previousRstRcvd_ = session.Form().FieldText(F::eRSTr1);
}

std::string AdifImporter::Value(const std::vector<AdifField>& fields,
                                std::string_view logField) const {
  const std::string* value = FindAdifValue(fields, assignment_.SourceName(logField));
  return value != nullptr ? *value : std::string();
}

bool AdifImporter::ImportRecord(std::string_view recordText) {
  const std::vector<AdifField> fields = ParseAdifRecord(recordText);
  if (fields.empty())
    return true; // no record at all (blank text between two "<EOR>")

  auto orPrevious = [](std::string value, std::string& previous) {
    if (value.empty())
      value = previous;
    previous = value;
    return value;
  };
  const std::string call = Value(fields, "CALL");
  const std::string date = orPrevious(Value(fields, "QSO_DATE"), previousDate_);
  const std::string time = orPrevious(Value(fields, "TIME_ON"), previousTime_);
  const std::string name = orPrevious(Value(fields, "NAME"), previousName_);
  const std::string qth = orPrevious(Value(fields, "QTH"), previousQth_);
  const std::string rstSent = orPrevious(Value(fields, "RST_SENT"), previousRstSent_);
  const std::string rstRcvd = orPrevious(Value(fields, "RST_RCVD"), previousRstRcvd_);
  std::string mode = Value(fields, "MODE");
  if (mode.empty())
    mode = session_.Bands().Mode();
  // The band comes from the record's own frequency or band; only a record with neither
  // stays on the frequency of the one before.
  std::string frequency = Value(fields, "FREQ");
  const std::string band = Value(fields, "BAND");
  if (frequency.empty() && band.empty())
    frequency = session_.Form().FieldText(F::eFreq);

  if (!skipChecks_ && !AdifModeAccepted(def_, mode)) {
    ++counts_.modeErrors;
    return true;
  }
  if (!skipChecks_ && !AdifBandAccepted(def_, frequency, band)) {
    ++counts_.bandErrors;
    return true;
  }
  if (TrimBlanks(call).empty()) {
    ++counts_.incomplete; // nothing to store; the session is not bothered
    return true;
  }

  if (!fresh_)
    session_.Clear();
  fresh_ = false;
  // Mode and band first: the reports read the mode, the frequency must fit the band.
  const std::string shortMode = mode.substr(0, 6);
  if (shortMode != session_.Bands().Mode())
    session_.SwitchMode(shortMode);
  std::string freqText = frequency.empty() ? MhzText(FrequencyFromBandText(band)) : frequency;
  std::replace(freqText.begin(), freqText.end(), '.', ',');
  session_.SetFieldText(F::eFreq, freqText);
  if (const double mhz = ReadMhz(freqText); mhz > 0) {
    const char letter = BandFromFrequency(mhz);
    if (IsBandLetter(letter) && letter != session_.Bands().Band())
      session_.SwitchBand(letter);
  }
  // Date first: the prefix lookup that typing the call starts takes the QSO's date.
  session_.SetFieldText(F::eDatum, AdifDateText(date));
  session_.SetFieldText(F::ezeit, AdifTimeText(time));
  session_.SetFieldText(F::eCall, call);
  session_.SetFieldText(F::eName, name);
  session_.SetFieldText(F::eQTH, qth);
  session_.SetFieldText(F::eRSTs1, rstSent);
  session_.SetFieldText(F::eRSTr1, rstRcvd);
  for (int n = 1; n <= 3; ++n) {
    const std::string& label = elementLabels_[n - 1];
    session_.SetFieldText(ReceivedField(n + 1),
                          label.empty() ? std::string() : Value(fields, label));
  }

  session_.ReadFieldsAndEvaluate();
  if (session_.Store(true)) {
    ++counts_.imported;
    fresh_ = true;
    return true;
  }
  switch (session_.LastRefusal()) {
  case QsoRefusal::kDuplicate:
    ++counts_.duplicates;
    return true;
  case QsoRefusal::kNone:
    // Complete, yet not stored: the storage engine failed (its handler has reported it).
    counts_.storageFailed = true;
    return false;
  default:
    ++counts_.incomplete;
    return true;
  }
}

void AdifImporter::Finish() {
  const char band = session_.Bands().Band();
  const bool bandOffered = def_.Bands.find(band) != std::string::npos;
  if (!bandOffered && IsBandLetter(startBand_)) {
    session_.SwitchBand(startBand_);
    fresh_ = false;
  }
  const std::string& mode = session_.Bands().Mode();
  const bool modeOffered =
      std::find(def_.Modes.begin(), def_.Modes.end(), mode) != def_.Modes.end();
  if (!modeOffered && !AdifModeAccepted(def_, mode) && mode != startMode_) {
    session_.SwitchMode(startMode_);
    fresh_ = false;
  }
  if (!fresh_)
    session_.Clear();
  fresh_ = true;
}

AdifImportCounts ImportAdifFile(QsoSession& session, const std::string& path,
                                const AdifAssignment& assignment, bool skipChecks) {
  Fileblock* log = session.Log().File();
  // One sync at the end instead of one per QSO; an interruption leaves the file marked in
  // use, and the next open repairs it.
  // Setting it fails only for a fileblock that is not there, which the storage layer reports.
  if (log != nullptr)
    (void)log->SetFlushAfterChange(false);
  AdifImporter importer(session, assignment, skipChecks);
  bool stopped = false;
  const AdifReadStatus status = ReadAdifFile(
      path,
      [&](std::string_view text) {
        if (!stopped && !importer.ImportRecord(text))
          stopped = true;
      },
      [&](AdifDrop) {
        if (!stopped)
          importer.CountDropped();
      });
  importer.Finish();
  if (log != nullptr) {
    (void)log->SetFlushAfterChange(ProgramFileLayout(ProgramFile::kQsoLog).flushAfterChange);
    // Writes and syncs what the import added; reopened on next use. A failure goes through
    // the storage layer's handler, which tells the person (the file stays marked in use).
    (void)log->Close();
  }
  AdifImportCounts counts = importer.Counts();
  counts.readStatus = status;
  return counts;
}

} // namespace tarvik
