#include "logging/adif_import.h"

#include <algorithm>
#include <cstdio>
#include <initializer_list>

#include "base/strings.h"
#include "base/text_helpers.h"
#include "contest/contest_catalog.h"
#include "contest/contest_traits.h"
#include "contest/duplicates.h"
#include "contest/exchange_elements.h"
#include "datafiles/program_files.h"
#include "datafiles/report.h"
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

bool IsSerialKind(int kind) {
  return kind == exchange::kQsoNumber || kind == exchange::kModeNumber ||
         kind == exchange::kBandSerial;
}

// The received element (1..3) that carries the values of multiplier column `column`: the
// first element whose kind the column counts; 0 for a column no element carries (DXCC,
// prefix, listed calls). `taken` marks elements given to an earlier column.
int ElementForColumn(const ContestDefinition& def, MultColumn column, const bool (&taken)[3]) {
  for (int kind : KindsOfColumn(column))
    for (int n = 1; n <= 3; ++n)
      if (!taken[n - 1] && def.RcvdExchange(n) == kind)
        return n;
  return 0;
}

// The ADIF fields other logbooks write for an element of `kind`.
std::vector<std::string> KindDefaults(const ContestDefinition& def, int kind) {
  switch (kind) {
  case exchange::kDok:
    return {"DARC_DOK", "DOK"};
  case exchange::kArea:
    return {"AREA"};
  case exchange::kLdk:
    return {"LDK"};
  case exchange::kLocator4:
  case exchange::kLocator:
    return {"GRIDSQUARE"};
  case exchange::kUsState:
    return {"STATE"};
  case exchange::kOther:
    // The exchange of a party contest is the operator's age.
    if (def.PartyFlag != 0)
      return {"AGE"};
    break;
  default:
    break;
  }
  return {};
}

// The log field's own name as a file field, when it can be one ("DOK", "PLZ", "ALTER").
std::string OwnNameAsTag(std::string_view name) {
  for (char c : name) {
    const bool ok = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
                    c == '_' || c == '-';
    if (!ok)
      return std::string();
  }
  return UpCase(name);
}

void AddDefault(std::vector<std::string>& defaults, const std::string& name) {
  if (!name.empty() && std::find(defaults.begin(), defaults.end(), name) == defaults.end())
    defaults.push_back(name);
}

// Letters and digits upper case; blanks and "_" dropped.
std::string Folded(std::string_view name) {
  std::string folded;
  for (char c : name)
    if (c != ' ' && c != '_')
      folded += UpCaseChar(c);
  return folded;
}

// The piece of element n (1..3) of an exchange text, split at "/" as a report is.
std::string Piece(std::string_view exchange, int n) {
  const ReportParts parts = SplitReport("   " + std::string(exchange));
  return TrimBlanks(parts.elements[static_cast<std::size_t>(n - 1)]);
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

std::vector<AdifLogField> AdifLogFields(const ContestDefinition& def, char contestCode) {
  using T = AdifTarget;
  const bool listener = def.ListenerLog != 0;
  std::vector<AdifLogField> fields = {
      {"CALL", T::kCall, 0, {"CALL"}},
      {"QSO_DATE", T::kDate, 0, {"QSO_DATE"}},
      {"TIME_ON", T::kTime, 0, {"TIME_ON"}},
      {"RST_SENT", T::kRstSent, 0, {"RST_SENT"}},
      {"RST_RCVD", T::kRstRcvd, 0, {"RST_RCVD"}},
      {"BAND", T::kBand, 0, {"BAND"}},
      {"FREQ", T::kFreq, 0, {"FREQ"}},
      {"MODE", T::kMode, 0, {"MODE"}},
      {"NAME", T::kName, 0, {"NAME"}},
      {"QTH", T::kQth, 0, {"QTH"}},
  };
  if (listener) {
    // The heard station's report is RST_SENT (as the export writes it); the station it
    // worked and that station's report take the place of RST_RCVD.
    fields[4] = {"RSTs2", T::kRstRcvd, 0, {"RST_WKD", "RST_RCVD"}};
    fields.insert(fields.begin() + 4, {"Call 2", T::kSecondCall, 0, {"CALL_WKD"}});
  }
  auto taken = [&](const std::string& name) {
    return std::any_of(fields.begin(), fields.end(),
                       [&](const AdifLogField& f) { return AdifLogFieldNamed(f, name); });
  };

  // The multiplier column each received element feeds.
  std::string columnLabel[3];
  bool given[3] = {false, false, false};
  for (int c = 1; c <= 3; ++c) {
    const MultColumn column = def.MultColumnKind(c);
    const int element = ElementForColumn(def, column, given);
    if (element > 0) {
      given[element - 1] = true;
      columnLabel[element - 1] = std::string(MultColumnLabel(column));
    }
  }
  for (int n = 1; n <= 3; ++n) {
    const int kind = def.RcvdExchange(n);
    if (kind == exchange::kNone)
      continue;
    std::string name = def.RcvdLabel(n);
    if (name.empty())
      name = columnLabel[n - 1];
    if (name.empty() && (kind == exchange::kLocator || kind == exchange::kLocator4))
      name = std::string(MultColumnLabel(MultColumn::kLocator));
    if (name.empty())
      name = ExchangeKindLabel(kind, contestCode);
    if (name.empty())
      name = kind == exchange::kOther && def.PartyFlag != 0 ? "Alter"
                                                            : "Austausch " + std::to_string(n + 1);
    if (taken(name))
      name += " " + std::to_string(n + 1);
    AdifLogField field{name, T::kReceivedElement, n, KindDefaults(def, kind)};
    AddDefault(field.defaults, OwnNameAsTag(name));
    fields.push_back(std::move(field));
  }
  if (!listener) {
    for (int n = 1; n <= 3; ++n) {
      const int kind = def.SentExchange(n);
      if (!IsSerialKind(kind))
        continue;
      std::string name = ExchangeKindLabel(kind, contestCode) + " gesendet";
      if (taken(name))
        name += " " + std::to_string(n + 1);
      fields.push_back({name, T::kSentElement, n, {}});
    }
  }
  return fields;
}

bool AdifLogFieldNamed(const AdifLogField& field, std::string_view name) {
  const std::string folded = Folded(name);
  return !folded.empty() && Folded(field.name) == folded;
}

// ---------------------------------------------------------------------------------------
// Assignment

AdifAssignment::AdifAssignment(std::vector<AdifLogField> logFields) {
  for (AdifLogField& field : logFields)
    entries_.push_back({std::move(field), std::string()});
}

std::string AdifAssignment::EntryText(std::size_t i) const {
  const Entry& entry = entries_.at(i);
  if (entry.source.empty())
    return entry.field.name;
  return entry.field.name + " (" + entry.source + ")";
}

bool AdifAssignment::Assign(std::size_t i, std::string fileField) {
  if (i >= entries_.size() || fileField.empty() || !entries_[i].source.empty())
    return false;
  // File field names are upper case (the whole file is read in upper case).
  entries_[i].source = UpCase(fileField);
  return true;
}

bool AdifAssignment::AnyAssigned() const {
  return std::any_of(entries_.begin(), entries_.end(),
                     [](const Entry& e) { return !e.source.empty(); });
}

std::size_t AdifAssignment::Find(std::string_view name) const {
  for (std::size_t i = 0; i < entries_.size(); ++i)
    if (AdifLogFieldNamed(entries_[i].field, name))
      return i;
  return entries_.size();
}

std::string AdifAssignment::FieldNames() const {
  std::string names;
  for (const Entry& entry : entries_)
    names += (names.empty() ? "" : ", ") + entry.field.name;
  return names;
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

std::string AdifRefusalLine(const AdifRefusal& refusal) {
  using R = AdifRefusalReason;
  std::string reason;
  const std::string& d = refusal.detail;
  switch (refusal.reason) {
  case R::kDuplicate:
    reason = d;
    break;
  case R::kNoDate:
    reason = ChooseText("kein gültiges Datum", "no valid date");
    break;
  case R::kNoTime:
    reason = ChooseText("keine gültige Uhrzeit", "no valid time");
    break;
  case R::kBadCall:
    reason = ChooseText("Call fehlt oder ist fehlerhaft", "call missing or malformed");
    break;
  case R::kNoSecondCall:
    reason = ChooseText("Call 2 fehlt", "second call missing");
    break;
  case R::kDokRestriction:
    reason = ChooseText("Station muß aus Distrikt " + d + " sein",
                        "the station must be from district " + d);
    break;
  case R::kElement:
    reason = d;
    break;
  case R::kMode:
    reason = ChooseText("fehlende oder falsche Modeangabe", "missing or wrong mode") +
             (d.empty() ? "" : " (" + d + ")");
    break;
  case R::kBand:
    reason = ChooseText("fehlende oder falsche Bandangabe", "missing or wrong band") +
             (d.empty() ? "" : " (" + d + ")");
    break;
  case R::kTooLong:
    reason = ChooseText("Datensatz zu lang", "record too long");
    break;
  case R::kUnterminated:
    reason = ChooseText("Datensatz ohne <EOR> am Dateiende", "record without <EOR> at the end");
    break;
  case R::kStorage:
    reason = ChooseText("Fehler beim Speichern, Import abgebrochen",
                        "storage error, the import stopped");
    break;
  }
  const std::string call =
      refusal.call.empty() ? ChooseText("(ohne Call)", "(no call)") : refusal.call;
  return ChooseText("Datensatz ", "record ") + std::to_string(refusal.record) + ", " + call + ": " +
         reason;
}

bool AdifImportComplete(const AdifImportCounts& counts) {
  return counts.incomplete == 0 && counts.bandErrors == 0 && counts.modeErrors == 0 &&
         !counts.storageFailed && counts.readStatus == AdifReadStatus::kOk;
}

std::string AdifRefusalListText(const std::string& fileName,
                                const std::vector<AdifRefusal>& refusals) {
  std::string text = ChooseText("Nicht importierte Datensätze aus ", "Records not imported from ") +
                     fileName + "\r\n";
  for (const AdifRefusal& refusal : refusals)
    text += AdifRefusalLine(refusal) + "\r\n";
  return text;
}

std::string AdifImportSummaryEnglish(const AdifImportCounts& counts) {
  auto count = [](std::size_t n, const char* one, const char* many) {
    return std::to_string(n) + " " + (n == 1 ? one : many);
  };
  std::string text = count(counts.imported, "QSO imported", "QSOs imported");
  if (counts.duplicates > 0)
    text += "\n" + count(counts.duplicates, "duplicate", "duplicates");
  if (counts.incomplete > 0)
    text += "\n" + count(counts.incomplete, "incomplete record", "incomplete records");
  if (counts.bandErrors > 0)
    text += "\n" + count(counts.bandErrors, "missing or wrong band", "missing or wrong bands");
  if (counts.modeErrors > 0)
    text += "\n" + count(counts.modeErrors, "missing or wrong mode", "missing or wrong modes");
  if (counts.text.replaced > 0)
    text += "\n" +
            count(counts.text.replaced, "character outside Windows-1252",
                  "characters outside Windows-1252") +
            " replaced by \"?\"";
  if (counts.storageFailed)
    text += "\nthe import stopped after a storage error";
  else if (counts.readStatus != AdifReadStatus::kOk)
    text += "\nthe file could not be read to its end";
  return text;
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
  if (counts.text.replaced > 0)
    text += "\n" + std::to_string(counts.text.replaced) +
            " Zeichen ohne Entsprechung in Windows-1252 durch \"?\" ersetzt";
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
      def_(session.Definition()), listener_(session.Definition().ListenerLog != 0),
      startBand_(session.Bands().Band()), startMode_(session.Bands().Mode()) {
  // The first record's defaults are what the entry fields hold; a date or time the entry
  // shows by itself (the clock's) is no value of the file, so those start empty.
  // The reports start empty: until a record gives one, the entry's own default report of
  // the record's mode stands.
  previousName_ = session.Form().FieldText(F::eName);
  previousQth_ = session.Form().FieldText(F::eQTH);
}

std::size_t AdifImporter::Index(AdifTarget target, int element) const {
  for (std::size_t i = 0; i < assignment_.Size(); ++i)
    if (assignment_.Field(i).target == target && assignment_.Field(i).element == element)
      return i;
  return assignment_.Size();
}

std::string AdifImporter::Value(const std::vector<AdifField>& fields, std::size_t i) const {
  if (i >= assignment_.Size())
    return std::string();
  if (!assignment_.Source(i).empty()) {
    const std::string* value = FindAdifValue(fields, assignment_.Source(i));
    return value != nullptr ? *value : std::string();
  }
  for (const std::string& name : assignment_.Field(i).defaults)
    if (const std::string* value = FindAdifValue(fields, name); value != nullptr && !value->empty())
      return *value;
  return std::string();
}

std::string AdifImporter::Value(const std::vector<AdifField>& fields, AdifTarget target) const {
  return Value(fields, Index(target));
}

void AdifImporter::Refuse(std::string call, AdifRefusalReason reason, std::string detail) {
  using R = AdifRefusalReason;
  AdifImportCounts& counts = result_.counts;
  switch (reason) {
  case R::kDuplicate:
    ++counts.duplicates;
    break;
  case R::kMode:
    ++counts.modeErrors;
    break;
  case R::kBand:
    ++counts.bandErrors;
    break;
  case R::kStorage:
    counts.storageFailed = true;
    break;
  default:
    ++counts.incomplete;
    break;
  }
  result_.refusals.push_back({record_, std::move(call), reason, std::move(detail)});
}

void AdifImporter::CountDropped(AdifDrop drop) {
  ++record_;
  Refuse(std::string(), drop == AdifDrop::kTooLong ? AdifRefusalReason::kTooLong
                                                   : AdifRefusalReason::kUnterminated);
}

bool AdifImporter::ImportRecord(std::string_view recordText) {
  using R = AdifRefusalReason;
  const std::vector<AdifField> fields = ParseAdifRecord(recordText);
  if (fields.empty())
    return true; // no record at all (blank text between two "<EOR>")
  ++record_;

  auto orPrevious = [](std::string value, std::string& previous) {
    if (value.empty())
      value = previous;
    previous = value;
    return value;
  };
  const std::string call = Value(fields, AdifTarget::kCall);
  const std::string date = orPrevious(Value(fields, AdifTarget::kDate), previousDate_);
  const std::string time = orPrevious(Value(fields, AdifTarget::kTime), previousTime_);
  const std::string name = orPrevious(Value(fields, AdifTarget::kName), previousName_);
  const std::string qth = orPrevious(Value(fields, AdifTarget::kQth), previousQth_);
  // A report may hold the exchange behind its RST (the export without "nur RS(T)"); only
  // the RST is carried over to the next record.
  // In a contest whose reports carry no RST a report is its exchange alone.
  const std::size_t rstLength = TraitsOf(session_.ContestCode()).reportWithoutRst ? 0 : 3;
  const std::string report1 = Value(fields, AdifTarget::kRstSent);
  const std::string report2 = Value(fields, AdifTarget::kRstRcvd);
  const std::string rst1 = orPrevious(report1.substr(0, rstLength), previousRstSent_);
  const std::string rst2 = orPrevious(report2.substr(0, rstLength), previousRstRcvd_);
  const std::string exchange1 =
      report1.size() > rstLength ? TrimBlanks(report1.substr(rstLength)) : "";
  const std::string exchange2 =
      report2.size() > rstLength ? TrimBlanks(report2.substr(rstLength)) : "";
  std::string mode = Value(fields, AdifTarget::kMode);
  // Packet radio: ADIF calls it "PKT", and so does the export for the mode "PR".
  if (mode == "PKT" && std::find(def_.Modes.begin(), def_.Modes.end(), "PR") != def_.Modes.end())
    mode = "PR";
  if (mode.empty())
    mode = session_.Bands().Mode();
  // The band comes from the record's own frequency or band; only a record with neither
  // stays on the frequency of the one before.
  std::string frequency = Value(fields, AdifTarget::kFreq);
  const std::string band = Value(fields, AdifTarget::kBand);
  if (frequency.empty() && band.empty())
    frequency = session_.Form().FieldText(F::eFreq);

  if (!skipChecks_ && !AdifModeAccepted(def_, mode)) {
    Refuse(call, R::kMode, mode);
    return true;
  }
  if (!skipChecks_ && !AdifBandAccepted(def_, frequency, band)) {
    Refuse(call, R::kBand, !band.empty() ? band : frequency);
    return true;
  }
  if (TrimBlanks(call).empty()) {
    Refuse(call, R::kBadCall); // nothing to store; the session is not bothered
    return true;
  }

  // Mode and band first: the reports read the mode, the frequency must fit the band. The new
  // QSO is prepared in the record's mode, so that its default reports are those of the mode.
  const std::string shortMode = mode.substr(0, 6);
  const bool modeChanged = shortMode != session_.Bands().Mode();
  if (modeChanged)
    session_.SwitchMode(shortMode);
  if (!fresh_ || modeChanged)
    session_.Clear();
  fresh_ = false;
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
  if (listener_)
    session_.SetFieldText(F::eCall2, Value(fields, AdifTarget::kSecondCall));
  session_.SetFieldText(F::eName, name);
  session_.SetFieldText(F::eQTH, qth);
  if (!rst1.empty())
    session_.SetFieldText(F::eRSTs1, rst1);
  if (!rst2.empty())
    session_.SetFieldText(F::eRSTr1, rst2);

  // The received exchange: the elements' own fields, else their pieces of the exchange.
  auto firstOf = [&](std::string_view report, std::initializer_list<const char*> names) {
    if (!report.empty())
      return std::string(report);
    for (const char* tag : names)
      if (const std::string* value = FindAdifValue(fields, tag);
          value != nullptr && !value->empty())
        return *value;
    return std::string();
  };
  const std::string received = firstOf(listener_ ? exchange1 : exchange2, {"SRX", "SRX_STRING"});
  for (int n = 1; n <= 3; ++n) {
    if (def_.RcvdExchange(n) == exchange::kNone)
      continue;
    const std::size_t i = Index(AdifTarget::kReceivedElement, n);
    std::string value = Value(fields, i);
    if (value.empty() && (i >= assignment_.Size() || assignment_.Source(i).empty()))
      value = Piece(received, n);
    session_.SetFieldText(listener_ ? SentField(n + 1) : ReceivedField(n + 1), value);
  }
  if (listener_) {
    // The second station's report row: its exchange behind its report, or in STX.
    const std::string worked = firstOf(exchange2, {"STX", "STX_STRING"});
    for (int n = 1; n <= 3; ++n)
      if (const std::string value = Piece(worked, n); !value.empty())
        session_.SetFieldText(ReceivedField(n + 1), value);
  } else {
    // A sent serial number the file gives replaces the one the log would send.
    const std::string sent = firstOf(exchange1, {"STX", "STX_STRING"});
    for (int n = 1; n <= 3; ++n) {
      if (!IsSerialKind(def_.SentExchange(n)))
        continue;
      const std::size_t i = Index(AdifTarget::kSentElement, n);
      std::string value = Value(fields, i);
      if (value.empty() && (i >= assignment_.Size() || assignment_.Source(i).empty()))
        value = Piece(sent, n);
      if (!value.empty())
        session_.SetFieldText(SentField(n + 1), value);
    }
  }

  session_.ReadFieldsAndEvaluate();
  const QsoRecord record = session_.Record();
  const std::string storedCall = record.Call().empty() ? call : record.Call();

  // The element checks that stop a typed QSO: each element as if its field were left.
  {
    std::array<char, QsoRecord::kLength> scratch{};
    QsoRecord probe(scratch.data());
    probe.SetCall(record.Call());
    const ReportParts parts = SplitReport(record.RSTr());
    for (int n = 1; n <= 3; ++n) {
      const std::vector<ElementFailure> failures = ApplyReceivedElements(
          probe, def_, session_.ContestCode(), parts.elements, "", ElementMessages::kFocused, n);
      if (!failures.empty()) {
        Refuse(storedCall, R::kElement,
               failures.front().message + ": " + parts.elements[static_cast<std::size_t>(n - 1)]);
        return true;
      }
    }
  }

  if (!session_.IsComplete(false)) {
    switch (session_.LastRefusal()) {
    case QsoRefusal::kDuplicate:
      Refuse(storedCall, R::kDuplicate,
             DuplicateMessage(def_.DupeRule, session_.ContestCode(), storedCall, false));
      break;
    case QsoRefusal::kNoDate:
      Refuse(storedCall, R::kNoDate);
      break;
    case QsoRefusal::kNoTime:
      Refuse(storedCall, R::kNoTime);
      break;
    case QsoRefusal::kNoSecondCall:
      Refuse(storedCall, R::kNoSecondCall);
      break;
    case QsoRefusal::kDokRestriction: {
      std::string districts = def_.DokCheckDistricts;
      districts.erase(std::remove(districts.begin(), districts.end(), '\0'), districts.end());
      Refuse(storedCall, R::kDokRestriction, districts);
      break;
    }
    case QsoRefusal::kBadCall:
    case QsoRefusal::kNone:
      Refuse(storedCall, R::kBadCall);
      break;
    }
    return true;
  }
  // Complete: the save stores it (its own completeness test passes without a message).
  if (session_.Store(true)) {
    ++result_.counts.imported;
    fresh_ = true;
    return true;
  }
  // Complete, yet not stored: the storage engine failed (its handler has reported it).
  Refuse(storedCall, R::kStorage);
  return false;
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

AdifImportResult ImportAdifFile(QsoSession& session, const std::string& path,
                                const AdifAssignment& assignment, bool skipChecks) {
  Fileblock* log = session.Log().File();
  // One sync at the end instead of one per QSO; an interruption leaves the file marked in
  // use, and the next open repairs it.
  // Setting it fails only for a fileblock that is not there, which the storage layer reports.
  if (log != nullptr)
    (void)log->SetFlushAfterChange(false);
  AdifImporter importer(session, assignment, skipChecks);
  bool stopped = false;
  AdifTextInfo text;
  const AdifReadStatus status = ReadAdifFile(
      path,
      [&](std::string_view record) {
        if (!stopped && !importer.ImportRecord(record))
          stopped = true;
      },
      [&](AdifDrop drop) {
        if (!stopped)
          importer.CountDropped(drop);
      },
      &text);
  importer.Finish();
  if (log != nullptr) {
    (void)log->SetFlushAfterChange(ProgramFileLayout(ProgramFile::kQsoLog).flushAfterChange);
    // Writes and syncs what the import added; reopened on next use. A failure goes through
    // the storage layer's handler, which tells the person (the file stays marked in use).
    (void)log->Close();
  }
  AdifImportResult result = importer.Result();
  result.counts.readStatus = status;
  result.counts.text = text;
  return result;
}

} // namespace tarvik
